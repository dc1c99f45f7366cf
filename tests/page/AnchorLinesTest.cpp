// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/AnchorLines.h"

#include <gtest/gtest.h>

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

  ASSERT_TRUE(ResetAnchorLines(list, kResetHorizontal));
  ItemRecord* live = FindVisibleByKind(list, kKindAnchors);
  ASSERT_NE(live, old);
  EXPECT_EQ(old->hidden(), 255);
  EXPECT_EQ(live->replacesId(), oldId);
  EXPECT_EQ(live->historyState(), 1);
  EXPECT_EQ(live->transaction(), 1);
  EXPECT_EQ(Positions(live->verticalAnchors), (std::vector<int32_t>{110, 210, 310, 410}));
  EXPECT_EQ(live->horizontalAnchors.size(), 3u);
  EXPECT_EQ(live->horizontalAnchors[1].deleted, 1);

  ASSERT_TRUE(ResetAnchorLines(list, kResetBoth));
  EXPECT_EQ(Positions(FindVisibleByKind(list, kKindAnchors)->horizontalAnchors),
            (std::vector<int32_t>{150, 300}));
  EXPECT_EQ(FindVisibleByKind(list, kKindAnchors)->transaction(), 2);
}

TEST(AnchorLines, ResetNeedsAPageAndAnchorsRecord) {
  ItemList list;
  EXPECT_FALSE(ResetAnchorLines(list, kResetBoth));
  NewRecord(list, kKindAnchors);
  EXPECT_FALSE(ResetAnchorLines(list, kResetBoth));
  EXPECT_EQ(list.size(), 1u);
}

}  // namespace
}  // namespace quillon
