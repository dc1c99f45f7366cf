// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/AnchorLines.h"

#include <gtest/gtest.h>

#include "document/History.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

std::vector<int32_t> Positions(const std::vector<AnchorEntry>& lines) {
  std::vector<int32_t> positions;
  for (const AnchorEntry& a : lines)
    positions.push_back(a.position);
  return positions;
}

TEST(AnchorLines, LinesEveryGridDistanceAcrossThePage) {
  using V = std::vector<int32_t>;
  EXPECT_EQ(GridLinePositions(0, 400, 100, 1.0, 0), (V{0, 100, 200, 300, 400}));
  EXPECT_EQ(GridLinePositions(0, 400, 100, 1.0, 1), (V{100, 200, 300, 400}));
  EXPECT_EQ(GridLinePositions(50, 399, 100, 1.0, 0), (V{50, 150, 250, 350}));
  // Quarter inches at 96 dpi are 24 pixels; 1 inch holds four of them.
  EXPECT_EQ(GridLinePositions(19, 1, 0.25, 96.0, 0), (V{19, 43, 67, 91, 115}));
  // Distances that are not positive or round below a pixel leave only the edge line.
  for (double distance : {0.0, -5.0, 0.4, std::nan("")}) {
    EXPECT_EQ(GridLinePositions(7, 400, distance, 1.0, 0), V{7}) << distance;
    EXPECT_TRUE(GridLinePositions(7, 400, distance, 1.0, 1).empty()) << distance;
  }
  EXPECT_EQ(GridLinePositions(7, -400, 100, 1.0, 0), V{7});
  EXPECT_EQ(GridLinePositions(7, std::nan(""), 100, 1.0, 0), V{7});
  // However small the distance, a direction gets a bounded number of lines.
  EXPECT_EQ(GridLinePositions(0, 1e300, 1, 1.0, 0).size(), std::size_t(kMaxGridLines + 1));
  EXPECT_EQ(GridLinePositions(2147483000, 1e6, 1000, 1.0, 0).back(), 2147483647);
}

TEST(AnchorLines, ResetIsOneUndoStepOfTheFlaggedDirections) {
  ItemList list;
  EditObserver observer;
  ItemRecord& page = test::AddPage(list);
  page.setPageUnits(kUnitPixels);
  page.setPixelsPerUnitX(1);
  page.setPixelsPerUnitY(1);
  page.setDesignLeft(10);
  page.setDesignWidth(400);
  page.setDesignHeight(300);
  page.setGridDistanceX(100);
  page.setGridDistanceY(150);
  UpdatePageRect(page);
  ItemRecord* old = FindVisibleByKind(list, kKindAnchors);
  ASSERT_NE(old, nullptr);
  SetDefaultAnchorLines(*old, page);
  EXPECT_EQ(Positions(old->verticalAnchors), (std::vector<int32_t>{10, 110, 210, 310, 410}));
  EXPECT_EQ(Positions(old->horizontalAnchors), (std::vector<int32_t>{0, 150, 300}));
  old->horizontalAnchors[1].deleted = 1;
  const int32_t oldId = old->itemId();

  ASSERT_TRUE(ResetAnchorLines(list, kResetHorizontal, observer));
  ItemRecord* live = FindVisibleByKind(list, kKindAnchors);
  ASSERT_NE(live, old);
  EXPECT_EQ(old->hidden(), 255);
  EXPECT_EQ(live->replacesId(), oldId);
  EXPECT_EQ(live->historyState(), 1);
  EXPECT_EQ(live->transaction(), 1);
  EXPECT_EQ(Positions(live->verticalAnchors), (std::vector<int32_t>{110, 210, 310, 410}));
  EXPECT_EQ(live->horizontalAnchors.size(), 3u);
  EXPECT_EQ(live->horizontalAnchors[1].deleted, 1);

  ASSERT_TRUE(ResetAnchorLines(list, kResetBoth, observer));
  EXPECT_EQ(Positions(FindVisibleByKind(list, kKindAnchors)->horizontalAnchors),
            (std::vector<int32_t>{150, 300}));
  EXPECT_EQ(FindVisibleByKind(list, kKindAnchors)->transaction(), 2);
}

TEST(AnchorLines, ResetNeedsAPageAndAnchorsRecord) {
  ItemList list;
  EditObserver observer;
  EXPECT_FALSE(ResetAnchorLines(list, kResetBoth, observer));
  NewRecord(list, kKindAnchors);
  EXPECT_FALSE(ResetAnchorLines(list, kResetBoth, observer));
  EXPECT_EQ(list.size(), 1u);
}

// A pixel page 400 x 300 with both grids and anchors shown and lines every 100 pixels.
ItemRecord& GridPage(ItemList& list) {
  ItemRecord& page = test::AddPage(list);
  page.setPageUnits(kUnitPixels);
  page.setPixelsPerUnitX(1);
  page.setPixelsPerUnitY(1);
  page.setDesignWidth(400);
  page.setDesignHeight(300);
  test::ShowGridEvery(page, 100);
  UpdatePageRect(page);
  SetDefaultAnchorLines(*FindVisibleByKind(list, kKindAnchors), page);
  return page;
}

ItemRecord& Live(ItemList& list) {
  return *FindVisibleByKind(list, kKindAnchors);
}

TEST(AnchorLines, MarksAreHitWithinThreePixelsOfTheirLine) {
  std::vector<AnchorEntry> lines{{0, 0, 0, 100}, {0, 0, 1, 200}, {0, 0, 0, 203}};
  const std::pair<int32_t, int> cases[] = {{97, 0},   {103, 0}, {96, -1},
                                           {104, -1}, {200, 2},  // the deleted line is no target
                                           {206, 2},  {207, -1}};
  for (const auto& [position, index] : cases)
    EXPECT_EQ(AnchorIndexAt(lines, position), index) << position;
}

TEST(AnchorLines, OneAnchorIsHighlightedAtATime) {
  ItemList list;
  GridPage(list);
  ItemRecord& anchors = Live(list);
  EXPECT_TRUE(HighlightAnchor(anchors, GridAxis::Vertical, 2));
  EXPECT_FALSE(HighlightAnchor(anchors, GridAxis::Vertical, 2));
  EXPECT_EQ(HighlightedAnchor(anchors, GridAxis::Vertical), 2);
  EXPECT_TRUE(HighlightAnchor(anchors, GridAxis::Horizontal, 1));
  EXPECT_EQ(HighlightedAnchor(anchors, GridAxis::Vertical), -1);
  EXPECT_EQ(HighlightedAnchor(anchors, GridAxis::Horizontal), 1);
  EXPECT_TRUE(HighlightAnchor(anchors, GridAxis::Vertical, -1));
  EXPECT_EQ(HighlightedAnchor(anchors, GridAxis::Horizontal), -1);
}

TEST(AnchorLines, InsertAndDeleteAreUndoSteps) {
  ItemList list;
  ItemRecord& page = GridPage(list);
  EditObserver observer;
  ASSERT_TRUE(InsertGridLine(list, observer, GridAxis::Vertical, 150));
  EXPECT_EQ(Positions(Live(list).verticalAnchors),
            (std::vector<int32_t>{0, 100, 200, 300, 400, 150}));
  HighlightAnchor(Live(list), GridAxis::Vertical, 1);
  ASSERT_TRUE(DeleteHighlightedLines(list, observer));
  EXPECT_EQ(Live(list).verticalAnchors[1].deleted, 1);
  EXPECT_EQ(Live(list).verticalAnchors[1].highlighted, 0);
  EXPECT_FALSE(DeleteHighlightedLines(list, observer));  // nothing highlighted any more

  Undo(list, observer);
  EXPECT_EQ(Live(list).verticalAnchors[1].deleted, 0);
  EXPECT_EQ(HighlightedAnchor(Live(list), GridAxis::Vertical), -1) << "Delete again does nothing";
  Undo(list, observer);
  EXPECT_EQ(Live(list).verticalAnchors.size(), 5u);
  Redo(list, observer);
  EXPECT_EQ(Live(list).verticalAnchors.size(), 6u);

  // Hidden anchors take no edit, and nothing joins the history.
  page.setAnchorsVertical(0);
  const std::size_t records = list.size();
  EXPECT_FALSE(InsertGridLine(list, observer, GridAxis::Horizontal, 50));
  HighlightAnchor(Live(list), GridAxis::Horizontal, 1);
  EXPECT_FALSE(DeleteHighlightedLines(list, observer));
  EXPECT_EQ(list.size(), records);
  page.setGridHorizontal(0);
  EXPECT_FALSE(InsertGridLine(list, observer, GridAxis::Vertical, 50));
}

// After an Undo, every grid change drops the undone steps: Redo has nothing left to replay on
// top of the newer grid.
TEST(AnchorLines, GridChangesDropTheRedoHistory) {
  ItemList list;
  GridPage(list);
  EditObserver observer;
  const auto redoAfter = [&](auto change) {
    ASSERT_TRUE(InsertGridLine(list, observer, GridAxis::Vertical, 150));
    Undo(list, observer);
    ASSERT_TRUE(CanRedo(list));
    change();
    EXPECT_FALSE(CanRedo(list));
    Undo(list, observer);  // takes back the change, not the undone insert
    EXPECT_EQ(Live(list).verticalAnchors.size(), 5u);
  };
  redoAfter([&] { InsertGridLine(list, observer, GridAxis::Horizontal, 50); });
  redoAfter([&] {
    HighlightAnchor(Live(list), GridAxis::Horizontal, 0);
    DeleteHighlightedLines(list, observer);
  });
  redoAfter([&] { ResetAnchorLines(list, kResetVertical, observer); });
}

TEST(AnchorLines, ExtendingAddsLinesUpToTheEdge) {
  std::vector<AnchorEntry> lines{{0, 0, 0, 10}, {0, 0, 0, 110}, {0, 0, 1, 300}};
  EXPECT_EQ(ExtendGridLines(lines, 410, 100, 1.0), 3);  // after 110, the last live line
  EXPECT_EQ(Positions(lines), (std::vector<int32_t>{10, 110, 300, 210, 310, 410}));
  EXPECT_EQ(ExtendGridLines(lines, 409, 100, 1.0), 0);
  // The reset's guard: no step below a pixel, and never more than kMaxGridLines lines.
  EXPECT_EQ(ExtendGridLines(lines, 1000, 0.4, 1.0), 0);
  EXPECT_EQ(ExtendGridLines(lines, 1000, -5, 1.0), 0);
  EXPECT_EQ(ExtendGridLines(lines, INT32_MAX, 1, 1.0), kMaxGridLines);

  std::vector<AnchorEntry> shifted{{0, 0, 0, 20}, {0, 0, 0, 120}};
  ShiftGridLines(shifted, 30);
  EXPECT_EQ(Positions(shifted), (std::vector<int32_t>{50, 150}));
  ShiftGridLines(shifted, -70);  // the first would lie at -20: everything moves 20 further
  EXPECT_EQ(Positions(shifted), (std::vector<int32_t>{0, 100}));
}

}  // namespace
}  // namespace quillon
