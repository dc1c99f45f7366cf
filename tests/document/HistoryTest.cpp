// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/History.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <map>
#include <set>

#include "document/DocumentFile.h"
#include "document/EditCommands.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// Remembers what the document last said about Undo and Redo.
struct Buttons : EditObserver {
  void UndoAvailable(bool on) override { undo = on; }
  void RedoAvailable(bool on) override { redo = on; }
  void JoinSplitAvailable(bool j, bool s) override { join = j, split = s; }
  void ShowPanel(int tool) override { panel = tool; }
  bool undo = false, redo = false, join = false, split = false;
  int panel = 0;
};

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override { test::AddPage(list); }

  // A line drawn with a tool; its colour tags it through all its versions.
  ItemRecord& Draw(int32_t tag, Point a = {0, 0}, Point b = {10, 10}, int32_t kind = kKindLine) {
    ItemRecord& r = NewItem(list, kind, buttons);
    r.setLineColor(tag);
    r.setX1(a.x), r.setY1(a.y), r.setX2(b.x), r.setY2(b.y);
    RecomputeDerived(r, list.screen());
    return r;
  }

  void Select(std::initializer_list<int32_t> tags) {
    SelectOnly(list, nullptr);
    for (ItemRecord& r : list) {
      if (!IsVisible(r)) continue;
      for (int32_t tag : tags) {
        if (r.lineColor() == tag && r.kind() != kKindGroupFrame) r.setSelected(255);
      }
    }
  }

  void Move(std::initializer_list<int32_t> tags, int32_t dx, int32_t dy) {
    Select(tags);
    BeginEdit(list, buttons, true);
    for (ItemRecord& r : list) {
      if (!IsSelected(r)) continue;
      r.setX1(r.x1() + dx), r.setY1(r.y1() + dy), r.setX2(r.x2() + dx), r.setY2(r.y2() + dy);
      RecomputeDerived(r, list.screen());
    }
  }

  // The visible version of a tagged item, or null.
  ItemRecord* Shown(int32_t tag) {
    for (ItemRecord& r : list) {
      if (IsVisible(r) && IsDrawableKind(r.kind()) && r.lineColor() == tag) return &r;
    }
    return nullptr;
  }

  std::vector<int32_t> TagsByLevel() {
    std::map<int32_t, int32_t> byLevel;
    for (ItemRecord& r : list) {
      if (IsVisible(r) && IsDrawableKind(r.kind())) byLevel[r.stackLevel()] = r.lineColor();
    }
    std::vector<int32_t> tags;
    for (auto [level, tag] : byLevel)
      tags.push_back(tag);
    return tags;
  }

  ItemList list;
  Buttons buttons;
};

TEST_F(HistoryTest, DrawMoveUndoRedo) {
  Draw(1);
  Move({1}, 5, 0);
  ASSERT_EQ(Shown(1)->x1(), 5);
  ItemRecord* moved = Shown(1);
  Undo(list, buttons);
  EXPECT_EQ(moved->historyState(), 2);
  EXPECT_NE(moved->hidden(), 0);
  EXPECT_EQ(Shown(1)->x1(), 0);
  EXPECT_TRUE(buttons.undo);
  EXPECT_TRUE(buttons.redo);
  Undo(list, buttons);
  EXPECT_EQ(Shown(1), nullptr);
  EXPECT_FALSE(buttons.undo);
  EXPECT_FALSE(CanUndo(list));
  Redo(list, buttons);
  EXPECT_EQ(Shown(1)->x1(), 0);
  Redo(list, buttons);
  EXPECT_EQ(Shown(1), moved);
  EXPECT_EQ(moved->x1(), 5);
  EXPECT_FALSE(buttons.redo);
}

TEST_F(HistoryTest, NewStepAfterUndoDropsTheUndoneRecords) {
  Draw(1);
  Move({1}, 5, 0);
  const int32_t movedId = Shown(1)->itemId();
  Undo(list, buttons);
  const std::size_t before = list.size();
  Draw(2);
  EXPECT_EQ(list.size(), before) << "the undone copy is gone, the new line came";
  // The moved copy is known by its content: the new line may take over its freed number (and
  // its freed memory), so neither the number nor the address tells it apart.
  for (ItemRecord& r : list) {
    EXPECT_FALSE(r.lineColor() == 1 && r.x1() == 5) << "the undone move is still there";
    if (r.itemId() == movedId) {
      EXPECT_EQ(r.lineColor(), 2);
    }
  }
  EXPECT_EQ(Shown(1)->x1(), 0);
  EXPECT_FALSE(buttons.redo);
  EXPECT_FALSE(CanRedo(list));
}

TEST_F(HistoryTest, CutOfTwoItemsIsUndoneInOneStep) {
  Draw(1);
  Draw(2);
  Draw(3);
  Select({1, 2});
  CutSelection(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{3}));
  std::vector<ItemRecord*> markers;
  for (ItemRecord& r : list) {
    if (r.kind() == kKindDeletionMarker) markers.push_back(&r);
  }
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_EQ(markers[0]->transaction(), markers[1]->transaction());
  Undo(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_NE(markers[0]->hidden(), 0);
  EXPECT_NE(markers[1]->hidden(), 0);
}

TEST_F(HistoryTest, RestackingIsUndoneAndRedone) {
  for (int32_t tag : {1, 2, 3, 4})
    Draw(tag);
  Select({2});
  BringSelectionToFront(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{1, 3, 4, 2}));
  Undo(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(Shown(2)->stackLevel(), 2);
  Redo(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{1, 3, 4, 2}));
  Select({4});
  SendSelectionToBack(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{4, 1, 3, 2}));
  Undo(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{1, 3, 4, 2}));
  Redo(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{4, 1, 3, 2}));
}

TEST_F(HistoryTest, AnUndoneRestackIsNotReplayedByLaterEdits) {
  for (int32_t tag : {1, 2, 3})
    Draw(tag);
  Select({1});
  BringSelectionToFront(list, buttons);
  Undo(list, buttons);
  Move({1}, 4, 4);
  Undo(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{1, 2, 3}));
  Redo(list, buttons);
  EXPECT_EQ(TagsByLevel(), (std::vector<int32_t>{1, 2, 3}));
  std::set<int32_t> levels;
  for (int32_t tag : {1, 2, 3})
    levels.insert(Shown(tag)->stackLevel());
  EXPECT_EQ(levels.size(), 3u);
}

TEST_F(HistoryTest, JoinFlattensGroupsAndIsUndoneInOneStep) {
  for (int32_t tag : {1, 2, 3, 4})
    Draw(tag, {tag * 10, 0}, {tag * 10 + 4, 8});
  Select({1, 2});
  JoinItems(list, buttons);
  EXPECT_TRUE(buttons.split);
  Select({3, 4});
  JoinItems(list, buttons);
  const int32_t firstGroup = Shown(1)->groupNumber();
  ASSERT_GT(firstGroup, 0);
  ASSERT_NE(Shown(3)->groupNumber(), firstGroup);
  // Select both groups whole, frames included, and join them.
  SelectOnly(list, nullptr);
  for (ItemRecord& r : list) {
    if (IsVisible(r) && r.groupNumber() > 0) r.setSelected(255);
  }
  EXPECT_EQ(CountSelected(list, true), 2);
  JoinItems(list, buttons);
  int frames = 0;
  for (ItemRecord& r : list)
    frames += IsVisible(r) && r.kind() == kKindGroupFrame;
  EXPECT_EQ(frames, 1);
  for (int32_t tag : {2, 3, 4})
    EXPECT_EQ(Shown(tag)->groupNumber(), Shown(1)->groupNumber());
  const ItemRecord* frame = FindVisibleByKind(list, kKindGroupFrame);
  EXPECT_EQ(frame->stackLevel(), 0);
  EXPECT_EQ(frame->transaction(), Shown(1)->transaction());
  EXPECT_EQ(frame->x1(), frame->x2());

  Undo(list, buttons);
  EXPECT_EQ(Shown(1)->groupNumber(), Shown(2)->groupNumber());
  EXPECT_NE(Shown(1)->groupNumber(), Shown(3)->groupNumber());
  frames = 0;
  for (ItemRecord& r : list)
    frames += IsVisible(r) && r.kind() == kKindGroupFrame;
  EXPECT_EQ(frames, 2);

  Select({1, 2});
  SplitGroup(list, buttons);
  EXPECT_EQ(Shown(1)->groupNumber(), 0);
  EXPECT_EQ(FirstSelected(list), nullptr);
}

TEST_F(HistoryTest, GroupFrameSitsAtTheCentreOfItsMembers) {
  Draw(1, {0, 0}, {10, 20});
  Draw(2, {30, 40}, {51, 61});
  Select({1, 2});
  JoinItems(list, buttons);
  const ItemRecord* frame = FindVisibleByKind(list, kKindGroupFrame);
  ASSERT_NE(frame, nullptr);
  // x: (0 + 10 + 30 + 51) / 4 = 22.75; y: (0 + 20 + 40 + 61) / 4 = 30.25.
  EXPECT_EQ(frame->x1(), 23);
  EXPECT_EQ(frame->y2(), 30);
  EXPECT_EQ(frame->refX2(), 23);
  EXPECT_EQ(frame->selected(), 255);
}

TEST_F(HistoryTest, ClearHistoryKeepsTheVisibleItemsRenumbered) {
  Draw(1);
  Draw(2);
  Move({1}, 3, 3);
  Select({2});
  CutSelection(list, buttons);
  Draw(3);
  Undo(list, buttons);
  ClearHistory(list, buttons);
  std::vector<std::pair<int32_t, int32_t>> content;
  for (ItemRecord& r : list) {
    if (r.recordClass() == kClassContent) content.emplace_back(r.itemId(), r.historyState());
  }
  EXPECT_EQ(content, (std::vector<std::pair<int32_t, int32_t>>{{1, 0}, {2, 0}}));
  EXPECT_EQ(Shown(1)->x1(), 3);
  EXPECT_FALSE(buttons.undo);
  EXPECT_FALSE(buttons.redo);
  Undo(list, buttons);
  EXPECT_EQ(Shown(1)->x1(), 3);
}

TEST_F(HistoryTest, DiscardedPictureTakesItsUnusedSourceAlong) {
  auto insert = [&](int32_t tag, int32_t source) {
    ItemRecord& picture = Draw(tag, {0, 0}, {10, 10}, kKindPicture);
    picture.setSourceNumber(source);
    ItemRecord& s = NewRecord(list, kKindPictureSource);
    s.setRecordClass(kClassPictureSource);
    s.setSourceNumber(source);
  };
  insert(1, 500);
  insert(2, 600);
  Draw(3, {0, 0}, {10, 10}, kKindPicture).setSourceNumber(500);
  Undo(list, buttons);  // the third picture, sharing source 500
  Undo(list, buttons);  // the second picture, sole user of source 600
  Draw(4);
  EXPECT_NE(FindSource(list, 500), nullptr);
  EXPECT_EQ(FindSource(list, 600), nullptr);
}

TEST_F(HistoryTest, DocumentReadFromAFileHasNothingToUndo) {
  Draw(1);
  Move({1}, 2, 2);
  QByteArray bytes;
  QBuffer sink(&bytes);
  sink.open(QIODevice::WriteOnly);
  ASSERT_TRUE(WriteDocumentTo(sink, list).ok());
  QBuffer source(&bytes);
  source.open(QIODevice::ReadOnly);
  ItemList read;
  test::ScriptedPrompter prompter;
  ASSERT_TRUE(ReadDocumentFrom(source, read, prompter).ok());
  EXPECT_FALSE(CanUndo(read));
  EXPECT_FALSE(CanRedo(read));
  EXPECT_EQ(NextUndone(read), nullptr);
}

TEST_F(HistoryTest, PasteAfterUndoDropsTheUndoneSteps) {
  Draw(1);
  Move({1}, 5, 0);
  Select({1});
  ItemList buffer;
  CopySelection(list, buffer, buttons);
  Undo(list, buttons);
  ASSERT_TRUE(buttons.redo);
  PasteBuffer(buffer, list, buttons);
  EXPECT_FALSE(buttons.redo);
  EXPECT_EQ(buttons.panel, 99);
  auto lineStarts = [&] {
    std::vector<int32_t> xs;
    for (ItemRecord& r : list) {
      if (IsVisible(r) && r.kind() == kKindLine) xs.push_back(r.x1());
    }
    return xs;
  };
  EXPECT_EQ(lineStarts(), (std::vector<int32_t>{0, 15}));
  // Undo the paste, then Redo: the paste comes back, not the move undone before it.
  Undo(list, buttons);
  EXPECT_EQ(lineStarts(), (std::vector<int32_t>{0}));
  Redo(list, buttons);
  EXPECT_EQ(lineStarts(), (std::vector<int32_t>{0, 15}));
  EXPECT_FALSE(CanRedo(list));
}

TEST_F(HistoryTest, AnchorChangesAreStepsOfTheirOwn) {
  FindByKind(list, kKindAnchors)->verticalAnchors = {{.position = 0}, {.position = 38}};
  ItemRecord* edited = BeginAnchorsEdit(list, buttons);
  ASSERT_NE(edited, nullptr);
  ASSERT_EQ(edited->verticalAnchors.size(), 2u);
  edited->verticalAnchors[1].position = 50;
  EXPECT_EQ(FindVisibleByKind(list, kKindAnchors), edited);
  Undo(list, buttons);
  EXPECT_EQ(FindVisibleByKind(list, kKindAnchors)->verticalAnchors[1].position, 38);
  Redo(list, buttons);
  EXPECT_EQ(FindVisibleByKind(list, kKindAnchors)->verticalAnchors[1].position, 50);
}

TEST_F(HistoryTest, SelectionStampsFindTheirItemsAgain) {
  Draw(1);
  Draw(2);
  Draw(3);
  Select({1, 3});
  std::mt19937 random(7);
  const int32_t stamp = StampSelection(list, random);
  const int32_t other = StampSelection(list, random);
  EXPECT_NE(stamp, other);
  SelectOnly(list, nullptr);
  EXPECT_TRUE(SelectStamped(list, stamp, buttons));
  EXPECT_EQ(CountSelected(list, false), 2);
  EXPECT_FALSE(Shown(2)->selected());
  EXPECT_FALSE(SelectStamped(list, stamp + 1 == other ? stamp + 2 : stamp + 1, buttons));
}

TEST_F(HistoryTest, SelectionToolNumbers) {
  Draw(1);
  Draw(2, {0, 0}, {1, 1}, kKindSpline);
  Draw(3, {0, 0}, {1, 1}, kKindSpline).setShapeStyle(2);
  EXPECT_EQ(SelectionToolNumber(list), 20);
  Select({1});
  EXPECT_EQ(SelectionToolNumber(list), 99);
  Select({3});
  EXPECT_EQ(SelectionToolNumber(list), 210);
  Select({2, 3});
  EXPECT_EQ(SelectionToolNumber(list), 59);
  Select({1, 2});
  EXPECT_EQ(SelectionToolNumber(list), 59);
}

}  // namespace
}  // namespace quillon
