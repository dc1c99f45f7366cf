// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ItemList.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <unordered_set>

#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using test::AddItem;
using test::AddPage;
using test::AddRectangle;

// Five lines at levels 1..5, returned in level order.
std::vector<ItemRecord*> FiveLines(ItemList& list) {
  std::vector<ItemRecord*> items;
  for (int i = 1; i <= 5; ++i)
    items.push_back(&AddItem(list, kKindLine, {i, 0}, {i, 9}, i));
  return items;
}

std::vector<int32_t> Levels(const std::vector<ItemRecord*>& items) {
  std::vector<int32_t> levels;
  for (const ItemRecord* r : items)
    levels.push_back(r->stackLevel());
  return levels;
}

TEST(ItemList, AppendsAtTheTailAndRemovesAnywhere) {
  ItemList list;
  auto items = FiveLines(list);
  RemoveRecord(list, *items[0]);
  RemoveRecord(list, *items[4]);
  RemoveRecord(list, *items[2]);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list.first(), items[1]);
  EXPECT_EQ(list.last(), items[3]);
  EXPECT_EQ(list.first()->next(), items[3]);
  EXPECT_EQ(list.last()->prev(), items[1]);
  EXPECT_EQ(list.first()->prev(), nullptr);
}

TEST(ItemList, SoleAndFirstSelected) {
  ItemList list;
  auto items = FiveLines(list);
  EXPECT_EQ(SoleSelected(list), nullptr);
  items[3]->setSelected(255);
  EXPECT_EQ(SoleSelected(list), items[3]);
  items[1]->setSelected(1);  // any non-zero value counts
  EXPECT_EQ(SoleSelected(list), nullptr);
  EXPECT_EQ(FirstSelected(list), items[1]);
  items[1]->setHidden(255);  // hidden records are never selected
  EXPECT_EQ(SoleSelected(list), items[3]);
}

TEST(ItemList, CountSelectedCountsAGroupOnce) {
  ItemList list;
  auto items = FiveLines(list);
  for (int i = 0; i < 3; ++i)
    items[i]->setGroupNumber(1);
  for (int i = 0; i < 3; ++i)
    items[i]->setSelected(255);
  EXPECT_EQ(CountSelected(list, true), 1);
  EXPECT_EQ(CountSelected(list, false), 3);
  items[4]->setSelected(255);
  items[4]->setSavedSelection(255);
  EXPECT_EQ(CountSelected(list, true), 2);
  EXPECT_EQ(items[4]->savedSelection(), 0) << "the count uses the saved selection as scratch";
  EXPECT_TRUE(AnySelectedGrouped(list));
  EXPECT_FALSE(AllSelectedGrouped(list));
}

TEST(ItemList, CompactGroupNumbersFillsGapsFromTheTop) {
  ItemList list;
  auto items = FiveLines(list);
  items[0]->setGroupNumber(1);
  items[1]->setGroupNumber(3);
  items[2]->setGroupNumber(4);
  items[3]->setGroupNumber(4);
  CompactGroupNumbers(list);
  EXPECT_EQ(items[0]->groupNumber(), 1);
  EXPECT_EQ(items[1]->groupNumber(), 3);
  EXPECT_EQ(items[2]->groupNumber(), 2);
  EXPECT_EQ(items[3]->groupNumber(), 2);
  EXPECT_EQ(NextGroupNumber(list), 4);
}

TEST(ItemList, StackingMoves) {
  {
    ItemList list;
    auto items = FiveLines(list);
    SendToBack(list, *items[2]);
    EXPECT_EQ(Levels(items), (std::vector<int32_t>{2, 3, 1, 4, 5}));
  }
  {
    ItemList list;
    auto items = FiveLines(list);
    BringToFront(list, *items[1]);
    EXPECT_EQ(Levels(items), (std::vector<int32_t>{1, 5, 2, 3, 4}));
  }
  {
    ItemList list;
    auto items = FiveLines(list);
    items[3]->setHidden(255);  // a hidden record keeps its level and is not found by it
    SendToBack(list, *items[4]);
    EXPECT_EQ(Levels(items), (std::vector<int32_t>{2, 3, 4, 4, 1}));
    EXPECT_EQ(FindByLevel(list, 4), items[2]);
  }
}

TEST(ItemList, AggregatesFollowChangesToTheirRecords) {
  ItemList list;
  auto items = FiveLines(list);
  EXPECT_EQ(MaxLevel(list), 5);
  EXPECT_EQ(NextItemId(list), 6);
  items[4]->setStackLevel(2);
  EXPECT_EQ(MaxLevel(list), 4);
  items[0]->setTransaction(9);
  EXPECT_EQ(NextTransaction(list), 10);
  items[0]->setRecordClass(kClassLinePattern);
  EXPECT_EQ(NextTransaction(list), 1);
  // Discarding the newest record frees its number again.
  EXPECT_EQ(DiscardNewest(list), items[3]);
  EXPECT_EQ(items[4]->itemId(), -1);
  EXPECT_EQ(NextItemId(list), 5);
  RemoveRecord(list, *items[3]);
  EXPECT_EQ(NextItemId(list), 4);
}

// The selection and stamp indexes must always hold exactly what a pass over the records finds
// (the selection in list order), whatever changes the records and the list go through.
TEST(ItemList, SelectionAndStampIndexesAgreeWithAPassOverTheRecords) {
  auto pass = [](const ItemList& list, ItemList::Flag flag) {
    std::vector<ItemRecord*> found;
    for (ItemRecord& r : list) {
      const uint8_t byte =
          flag == ItemList::Flag::kSelected ? r.selected() : r.savedSelection();
      if (byte != 0) found.push_back(&r);
    }
    return found;
  };
  std::mt19937 random(7);
  ItemList list;
  ItemList other;
  for (int step = 0; step < 4000; ++step) {
    const int action = static_cast<int>(random() % 10);
    ItemList& target = random() % 4 == 0 ? other : list;
    std::vector<ItemRecord*> records;
    for (ItemRecord& r : target)
      records.push_back(&r);
    ItemRecord* some = records.empty() ? nullptr : records[random() % records.size()];
    switch (action) {
      case 0:
      case 1: {
        auto record = std::make_unique<ItemRecord>();
        record->setRecordClass(kClassContent);
        record->setSelected(random() % 2 != 0 ? 255 : 0);
        target.Append(std::move(record));
        break;
      }
      case 2:
        if (some != nullptr) some->setSelected(some->selected() != 0 ? 0 : 255);
        break;
      case 3:
        if (some != nullptr) some->setSavedSelection(random() % 2 != 0 ? 1 : 0);
        if (some != nullptr) AddStamp(*some, static_cast<int32_t>(random() % 5) + 1);
        if (some != nullptr && random() % 6 == 0) FreeStamps(*some);
        if (some != nullptr && random() % 6 == 0) CopyRecord(target, *some);
        break;
      case 4:
        if (some != nullptr) RemoveRecord(target, *some);
        break;
      case 5:
        if (some != nullptr) {
          // Replacing the persisted bytes may change both flags at once.
          ItemRecord::Bytes bytes = some->persisted();
          bytes[64] = static_cast<uint8_t>(random() % 2);
          bytes[67] = static_cast<uint8_t>(random() % 2);
          some->setPersisted(bytes);
        }
        break;
      case 6:
        if (random() % 8 == 0) list.AppendAllFrom(other);
        break;
      case 7:
        if (random() % 16 == 0) other.TakeFrom(list);
        break;
      case 8:
        if (some != nullptr && random() % 2 == 0) SelectOnly(target, some);
        if (some != nullptr && random() % 2 == 0) SaveSelection(target);
        break;
      case 9:
        if (random() % 40 == 0) target.Clear();
        if (random() % 2 == 0) RestoreSelection(target);
        break;
    }
    for (ItemList* l : {&list, &other}) {
      for (auto flag : {ItemList::Flag::kSelected, ItemList::Flag::kSavedSelection}) {
        ASSERT_EQ(l->Flagged(flag), pass(*l, flag)) << "step " << step;
        ASSERT_EQ(l->FlaggedCount(flag), pass(*l, flag).size());
      }
      for (int32_t stamp = 1; stamp <= 5; ++stamp) {
        std::unordered_set<ItemRecord*> carriers;
        for (ItemRecord& r : *l) {
          if (std::find(r.selectionStamps.begin(), r.selectionStamps.end(), stamp) !=
              r.selectionStamps.end()) {
            carriers.insert(&r);
          }
        }
        const auto* indexed = l->StampCarriers(stamp);
        ASSERT_EQ(indexed != nullptr ? *indexed : std::unordered_set<ItemRecord*>{}, carriers)
            << "stamp " << stamp << " at step " << step;
      }
    }
  }
}

// Records freed or taken over change the generation that kept pointers are checked against.
TEST(ItemList, GenerationChangesWhenRecordsAreFreedOrTakenOver) {
  ItemList list;
  ItemList other;
  auto items = FiveLines(list);
  const uint64_t start = list.Generation();
  items[0]->setSelected(255);
  NewRecord(list, kKindLine);
  EXPECT_EQ(list.Generation(), start) << "changing and adding records keeps pointers valid";
  RemoveRecord(list, *items[1]);
  const uint64_t afterRemove = list.Generation();
  EXPECT_NE(afterRemove, start);
  FiveLines(other);
  list.AppendAllFrom(other);
  EXPECT_NE(list.Generation(), afterRemove);
  const uint64_t afterAppend = list.Generation();
  other.TakeFrom(list);
  EXPECT_NE(other.Generation(), 0u);
  EXPECT_NE(list.Generation(), afterAppend);
}

TEST(ItemList, PageRecordIsTheFirstOfItsKind) {
  ItemList list;
  NewRecord(list, kKindLine);
  EXPECT_EQ(FindPageRecord(list), nullptr);
  ItemRecord& page = AddPage(list);
  EXPECT_EQ(FindPageRecord(list), &page);
  NewRecord(list, kKindPageSetup);
  EXPECT_EQ(FindPageRecord(list), &page);
  page.setKind(kKindLine);
  EXPECT_EQ(FindPageRecord(list), list.last());
}

TEST(ItemList, SelectedKindsAgreeIgnoresFramesAndComparesSplineStyles) {
  ItemList list;
  ItemRecord& a = AddItem(list, kKindSpline, {0, 0}, {1, 1});
  ItemRecord& b = AddItem(list, kKindSpline, {0, 0}, {1, 1});
  ItemRecord& frame = NewRecord(list, kKindGroupFrame);
  EXPECT_FALSE(SelectedKindsAgree(list));
  for (ItemRecord* r : {&a, &b, &frame})
    r->setSelected(255);
  EXPECT_TRUE(SelectedKindsAgree(list));
  b.setShapeStyle(1);
  EXPECT_FALSE(SelectedKindsAgree(list)) << "an open spline and a closed one";
  a.setShapeStyle(2);
  EXPECT_TRUE(SelectedKindsAgree(list)) << "closed and solid both differ from open";
  a.setKind(kKindCurve);
  EXPECT_FALSE(SelectedKindsAgree(list));
}

TEST(PasteBuffer, PastingTwiceOffsetsBothCopiesFromTheOriginals) {
  ItemList document;
  ItemRecord& page = AddPage(document);
  page.setZoom(1.5);
  ItemRecord& line = AddItem(document, kKindLine, {100, 100}, {200, 150});
  ItemRecord& rect = AddRectangle(document, {10, 10}, {50, 40});
  ItemRecord& picture = AddItem(document, kKindPicture, {0, 0}, {5, 5});
  ItemRecord& source = NewRecord(document, kKindPictureSource);
  source.setRecordClass(kClassPictureSource);
  source.setSourceNumber(77);
  source.pictureData = {1, 2, 3};
  picture.setSourceNumber(77);
  line.setGroupNumber(3);
  rect.setGroupNumber(3);
  for (ItemRecord* r : {&line, &rect, &picture})
    r->setSelected(255);

  ItemList buffer;
  CopySelectionToBuffer(document, buffer);
  ASSERT_NE(FindPageRecord(buffer), nullptr);
  EXPECT_EQ(FindPageRecord(buffer)->zoom(), 1.5);
  EXPECT_EQ(FindByKind(buffer, kKindLine)->groupNumber(), 1) << "groups compacted in the buffer";
  EXPECT_EQ(FindByKind(buffer, kKindLine)->selected(), 0);
  EXPECT_TRUE(HasPasteContent(buffer));

  ASSERT_TRUE(PasteBufferInto(buffer, document));
  ASSERT_TRUE(PasteBufferInto(buffer, document));
  std::vector<ItemRecord*> lines;
  int sources = 0;
  for (ItemRecord& r : document) {
    if (r.kind() == kKindLine && &r != &line) lines.push_back(&r);
    sources += r.kind() == kKindPictureSource;
  }
  EXPECT_EQ(sources, 1);
  ASSERT_EQ(lines.size(), 2u);
  for (ItemRecord* copy : lines) {
    EXPECT_EQ(copy->x1(), 110);
    EXPECT_EQ(copy->y2(), 160);
    EXPECT_EQ(copy->boundLeft(), 110);
  }
  EXPECT_NE(lines[0]->transaction(), lines[1]->transaction());
  EXPECT_NE(lines[0]->groupNumber(), lines[1]->groupNumber());
  EXPECT_EQ(lines[0]->groupNumber(), 5) << "buffer group 1 plus the next free number 4";
  EXPECT_EQ(lines[1]->selected(), 255);
  EXPECT_EQ(lines[0]->selected(), 0) << "the second paste selects only its own copies";
  ItemRecord* pastedRect = FindById(document, lines[1]->itemId() + 1);
  ASSERT_NE(pastedRect, nullptr);
  EXPECT_EQ(PointAt(pastedRect->points, 3), (Point{60, 50}));
  EXPECT_EQ(pastedRect->points[2].pointAtDragStart, (Point{60, 50}));
  EXPECT_GT(pastedRect->stackLevel(), lines[1]->stackLevel());
}

TEST(PasteBuffer, CustomPatternsTravelWithTheLinesThatUseThem) {
  const auto pattern = [](ItemList& list, int32_t number, double dash) -> ItemRecord& {
    ItemRecord& p = NewRecord(list, number);
    p.setRecordClass(kClassLinePattern);
    p.setPatternSegment(0, dash);
    p.setPatternSegment(1, 1.0);
    p.setPatternCount(2);
    return p;
  };
  const auto patternOf = [](ItemList& list, int32_t number) -> const ItemRecord* {
    for (const ItemRecord& r : list) {
      if (r.recordClass() == kClassLinePattern && r.kind() == number) return &r;
    }
    return nullptr;
  };
  ItemList from;
  AddPage(from);
  pattern(from, -1, 4.0);
  ItemRecord& line = AddItem(from, kKindLine, {0, 0}, {50, 0});
  line.setLinePattern(-1);
  line.setSelected(255);
  ItemList buffer;
  CopySelectionToBuffer(from, buffer);

  // Back into its own document: the same pattern, the same number, no second record.
  ASSERT_TRUE(PasteBufferInto(buffer, from));
  int records = 0;
  for (const ItemRecord& r : from)
    records += r.recordClass() == kClassLinePattern;
  EXPECT_EQ(records, 1);
  EXPECT_EQ(FirstSelected(from)->linePattern(), -1);

  // Into a document whose pattern -1 is another one: a fresh number with the copied lengths.
  ItemList other;
  AddPage(other);
  pattern(other, -1, 9.0);
  ASSERT_TRUE(PasteBufferInto(buffer, other));
  const ItemRecord* pasted = FirstSelected(other);
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->linePattern(), -2);
  const ItemRecord* carried = patternOf(other, -2);
  ASSERT_NE(carried, nullptr);
  EXPECT_EQ(carried->patternSegment(0), 4.0);
  EXPECT_EQ(carried->patternCount(), 2);
  EXPECT_EQ(patternOf(other, -1)->patternSegment(0), 9.0) << "the target's own pattern stays";
}

TEST(PasteBuffer, NeedsPageRecordsOnBothSides) {
  ItemList document;
  AddPage(document);
  AddItem(document, kKindLine, {0, 0}, {1, 1}).setSelected(255);
  ItemList buffer;
  EXPECT_FALSE(PasteBufferInto(buffer, document));
  ItemList bare;
  CopySelectionToBuffer(bare, buffer);
  EXPECT_TRUE(buffer.empty());
  EXPECT_FALSE(HasPasteContent(buffer));
}

TEST(ItemList, ListOfWindowFindsOpenDocumentsByNumber) {
  struct TwoWindows : OpenDocuments {
    std::vector<ItemList*> DocumentLists() const override { return {a, b}; }
    ItemList* a;
    ItemList* b;
  };
  ItemList first, second;
  AddPage(first).setDocumentId(18601);
  AddPage(second).setDocumentId(18602);
  TwoWindows windows;
  windows.a = &first;
  windows.b = &second;
  EXPECT_EQ(ListOfWindow(windows, 18602), &second);
  EXPECT_EQ(ListOfWindow(windows, 18603), nullptr);
}

}  // namespace
}  // namespace quillon
