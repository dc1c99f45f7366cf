// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit commands that other programs taught users to expect: one step up or down the
// stacking order, Select All and Duplicate.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/EditCommands.h"
#include "document/History.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// Four lines A, B, C, D in list order; their levels are given.
struct Stack {
  explicit Stack(std::vector<int32_t> levels) {
    test::AddPage(list);
    for (std::size_t i = 0; i < levels.size(); ++i) {
      const int32_t x = 10 + 20 * static_cast<int32_t>(i);
      items.push_back(&test::AddItem(list, kKindLine, {x, 10}, {x + 10, 40}, levels[i]));
    }
    ClearHistory(list, observer);
  }
  // The visible version of item i (edits replace records by clones).
  const ItemRecord& Visible(std::size_t i) const {
    const ItemRecord* r = items[i];
    for (const ItemRecord& c : list) {
      if (IsVisible(c) && c.kind() == kKindLine && c.x1() == r->x1()) return c;
    }
    return *r;
  }
  std::string Levels() const {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
      text += char('A' + i) + std::to_string(Visible(i).stackLevel()) + ' ';
    return text;
  }
  ItemList list;
  EditObserver observer;
  std::vector<ItemRecord*> items;
};

TEST(EditSteps, OneStepUpOrDownPassesTheNextUnselectedItemAndUndoRestoresEveryLevel) {
  struct Case {
    std::vector<int32_t> levels;
    std::string selected;  // letters of the selected items
    bool up;
    std::string after;  // "" when nothing moves (and no step is made)
  };
  const Case cases[] = {
      {{1, 2, 3, 4}, "A", true, "A2 B1 C3 D4 "},
      {{1, 2, 3, 4}, "D", true, ""},
      {{1, 2, 3, 4}, "AB", true, "A2 B3 C1 D4 "},
      {{1, 2, 3, 4}, "AC", true, "A2 B1 C4 D3 "},
      {{1, 2, 3, 4}, "B", false, "A2 B1 C3 D4 "},
      {{1, 2, 3, 4}, "A", false, ""},
      {{1, 2, 3, 4}, "CD", false, "A1 B4 C2 D3 "},
      {{1, 2, 3, 4}, "", true, ""},
      // Levels with gaps keep their values; the list order does not matter.
      {{7, 3, 12, 5}, "B", true, "A7 B5 C12 D3 "},
      {{7, 3, 12, 5}, "C", false, "A12 B3 C7 D5 "},
  };
  for (const Case& c : cases) {
    Stack s(c.levels);
    SCOPED_TRACE(s.Levels() + "selected " + c.selected + (c.up ? " up" : " down"));
    for (char letter : c.selected)
      s.items[static_cast<std::size_t>(letter - 'A')]->setSelected(255);
    const std::string before = s.Levels();
    const bool moved = c.up ? RaiseSelectionOneStep(s.list, s.observer)
                            : LowerSelectionOneStep(s.list, s.observer);
    EXPECT_EQ(moved, !c.after.empty());
    EXPECT_EQ(CanUndo(s.list), moved);
    if (!moved) {
      EXPECT_EQ(s.Levels(), before);
      continue;
    }
    EXPECT_EQ(s.Levels(), c.after);
    // The moved items stay selected; the ones they passed do not become selected.
    std::string selectedAfter;
    for (std::size_t i = 0; i < s.items.size(); ++i) {
      if (IsSelected(s.Visible(i))) selectedAfter += char('A' + i);
    }
    EXPECT_EQ(selectedAfter, c.selected);
    Undo(s.list, s.observer);
    EXPECT_EQ(s.Levels(), before);
    EXPECT_FALSE(CanUndo(s.list));
    Redo(s.list, s.observer);
    EXPECT_EQ(s.Levels(), c.after);
  }
}

TEST(EditSteps, SelectAllTakesEveryVisibleItemAndGroupFrameButNoHistory) {
  Stack s({1, 2, 3});
  ItemRecord& frame = test::AddItem(s.list, kKindGroupFrame, {20, 20}, {20, 20});
  ClearHistory(s.list, s.observer);
  s.items[2]->setHidden(255);  // as an older version of an item is
  SelectAllItems(s.list, s.observer);
  EXPECT_TRUE(IsSelected(*s.items[0]));
  EXPECT_TRUE(IsSelected(*s.items[1]));
  EXPECT_EQ(s.items[2]->selected(), 0);
  EXPECT_TRUE(IsSelected(frame));
  EXPECT_FALSE(CanUndo(s.list));
}

TEST(EditSteps, DuplicateMovesTheCopiesOneGridStepOrTenPixelsAsOneStep) {
  struct Case {
    bool grid;
    Point offset;
  };
  // A millimetre page at 96 dots per inch: its 10 mm grid is 37.8 pixels.
  for (const Case& c : {Case{false, {10, 10}}, Case{true, {38, 38}}}) {
    SCOPED_TRACE(c.grid ? "grid shown" : "no grid");
    ItemList list(ScreenMetrics{96, 96});
    ItemRecord& page = test::AddPage(list);
    if (c.grid) test::ShowGridEvery(page, 10);
    ItemRecord& a = test::AddItem(list, kKindLine, {10, 10}, {60, 40});
    ItemRecord& b = test::AddItem(list, kKindLine, {80, 20}, {120, 90});
    EditObserver observer;
    ClearHistory(list, observer);
    a.setSelected(255);
    b.setSelected(255);
    JoinItems(list, observer);
    ClearHistory(list, observer);
    const int32_t group = FirstSelected(list)->groupNumber();
    const int32_t top = MaxLevel(list);
    EXPECT_EQ(DuplicateOffset(list), c.offset);
    ASSERT_TRUE(DuplicateSelection(list, DuplicateOffset(list), observer));
    // The copies are selected instead of the originals; like pasted ones, they are the items
    // without their group's frame.
    std::vector<const ItemRecord*> copies;
    for (const ItemRecord* r : SelectedRecords(list))
      copies.push_back(r);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0]->x1(), 10 + c.offset.x);
    EXPECT_EQ(copies[0]->y1(), 10 + c.offset.y);
    EXPECT_EQ(copies[1]->x2(), 120 + c.offset.x);
    // The copies are a group of their own above everything.
    EXPECT_GT(copies[0]->groupNumber(), 0);
    EXPECT_NE(copies[0]->groupNumber(), group);
    EXPECT_EQ(copies[0]->groupNumber(), copies[1]->groupNumber());
    EXPECT_GT(copies[0]->stackLevel(), top);
    Undo(list, observer);
    EXPECT_FALSE(CanUndo(list));
    int visible = 0;
    for (const ItemRecord& r : list)
      visible += IsVisible(r) && IsDrawableKind(r.kind()) ? 1 : 0;
    EXPECT_EQ(visible, 2);
  }
  // Nothing selected: nothing copied, no step.
  ItemList list;
  test::AddPage(list);
  test::AddItem(list, kKindLine, {10, 10}, {60, 40});
  EditObserver observer;
  ClearHistory(list, observer);
  EXPECT_FALSE(DuplicateSelection(list, {10, 10}, observer));
  EXPECT_FALSE(CanUndo(list));
}

}  // namespace
}  // namespace quillon
