// SPDX-License-Identifier: GPL-3.0-or-later
// Every operation that opens, undoes or redoes a step tells its observer where Undo and Redo
// stand, so that a window showing the document never has to ask the list again.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document/EditCommands.h"
#include "document/History.h"
#include "page/AnchorLines.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// What the document last said about Undo and Redo.
struct Announced : EditObserver {
  void UndoAvailable(bool on) override { undo = on; }
  void RedoAvailable(bool on) override { redo = on; }
  bool undo = false, redo = false;
};

// Two lines, both selected; the history cleared (nothing to undo or redo), or with two moves
// of which the second is undone (both available).
enum class Start { Cleared, OneUndone };

struct Document {
  explicit Document(Start start) {
    test::AddPage(list);
    test::AddItem(list, kKindLine, {10, 10}, {60, 40});
    test::AddItem(list, kKindLine, {80, 20}, {120, 90});
    ClearHistory(list, announced);
    SelectAll();
    if (start == Start::OneUndone) {
      Move();
      Move();
      Undo(list, announced);
      SelectAll();
    }
    // The observer starts from the truth, so that only what the operation says is checked.
    AnnounceHistory(list, announced);
  }

  void SelectAll() {
    for (ItemRecord& r : list) {
      if (IsVisible(r) && IsDrawableKind(r.kind())) r.setSelected(255);
    }
  }

  void SelectLevel(int32_t level) {
    SelectOnly(list, nullptr);
    for (ItemRecord& r : list) {
      if (IsVisible(r) && IsDrawableKind(r.kind()) && r.stackLevel() == level) r.setSelected(255);
    }
  }

  void Move() {
    BeginEdit(list, announced, true);
    for (ItemRecord* r : SelectedRecords(list)) {
      r->setX1(r->x1() + 5);
      r->setX2(r->x2() + 5);
      RecomputeDerived(*r, list.screen());
    }
  }

  const ItemRecord* Paste() {
    CopySelection(list, buffer, announced);
    return PasteBuffer(buffer, list, announced);
  }

  ItemList list;
  ItemList buffer;
  Announced announced;
};

TEST(AnnouncedHistory, EveryStepOperationAnnouncesUndoAndRedoAsTheyStand) {
  struct Case {
    const char* name;
    std::function<void(Document&)> operation;
  };
  const Case cases[] = {
      {"new item", [](Document& d) { NewItem(d.list, kKindLine, d.announced); }},
      {"move", [](Document& d) { d.Move(); }},
      {"undo", [](Document& d) { Undo(d.list, d.announced); }},
      {"redo", [](Document& d) { Redo(d.list, d.announced); }},
      {"undo twice", [](Document& d) { Undo(d.list, d.announced), Undo(d.list, d.announced); }},
      {"clear history", [](Document& d) { ClearHistory(d.list, d.announced); }},
      {"cut", [](Document& d) { CutSelection(d.list, d.announced); }},
      {"paste", [](Document& d) { d.Paste(); }},
      {"paste withdrawn",
       [](Document& d) {
         const bool wasModified = IsModified(d.list);
         WithdrawPaste(d.list, d.Paste(), wasModified, d.announced);
       }},
      {"bring to front", [](Document& d) { BringSelectionToFront(d.list, d.announced); }},
      {"send to back", [](Document& d) { SendSelectionToBack(d.list, d.announced); }},
      {"join", [](Document& d) { JoinItems(d.list, d.announced); }},
      {"join then split",
       [](Document& d) {
         JoinItems(d.list, d.announced);
         d.SelectAll();
         SplitGroup(d.list, d.announced);
       }},
      {"split", [](Document& d) { SplitGroup(d.list, d.announced); }},
      {"grid reset", [](Document& d) { ResetAnchorLines(d.list, kResetBoth, d.announced); }},
      {"one step up",
       [](Document& d) {
         d.SelectLevel(1);
         RaiseSelectionOneStep(d.list, d.announced);
       }},
      {"one step down",
       [](Document& d) {
         d.SelectLevel(2);
         LowerSelectionOneStep(d.list, d.announced);
       }},
      {"duplicate",
       [](Document& d) {
         DuplicateSelection(d.list, {10, 10}, d.announced);
       }},
  };
  for (const Start start : {Start::Cleared, Start::OneUndone}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) +
                   (start == Start::Cleared ? ", history cleared" : ", one step undone"));
      Document d(start);
      c.operation(d);
      EXPECT_EQ(d.announced.undo, CanUndo(d.list));
      EXPECT_EQ(d.announced.redo, CanRedo(d.list));
    }
  }
}

}  // namespace
}  // namespace quillon
