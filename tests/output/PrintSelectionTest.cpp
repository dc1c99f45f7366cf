// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintSelection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// A 100 x 100 mm sheet of 40 x 40 mm business cards, 5 mm from the corner, 10 mm apart.
ItemRecord& CardSheet(ItemList& list, int rows, int columns) {
  ItemRecord& page = test::AddPage(list);
  page.setPageKind(4);
  page.setPageWidth(100);
  page.setPageHeight(100);
  page.setRows(rows);
  page.setColumns(columns);
  page.setCardWidth(40);
  page.setCardHeight(40);
  page.setMarginLeft(5);
  page.setMarginTop(5);
  page.setGapHorizontal(10);
  page.setGapVertical(10);
  return page;
}

TEST(PrintSelection, TheMapScalesThePageIntoTheAreaWithAPixelBetweenCards) {
  ItemList list(ScreenMetrics{96, 96});
  CardSheet(list, 2, 2);
  // 100 mm are 377.95 screen pixels; nine tenths of 200 pixels makes the scale 0.47625, so
  // a card is 72 pixels, the margin 9 and the gap 18.
  const SelectionMap map = MapOfCards(list, 300, 200);
  EXPECT_EQ(map.width, 180 + 2 * 2);
  EXPECT_EQ(map.height, 180 + 2 * 2);
  ASSERT_EQ(map.cards.size(), 4u);
  const std::pair<int, int> corners[] = {{9, 9}, {100, 9}, {9, 100}, {100, 100}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(map.cards[i].left, corners[i].first) << i;
    EXPECT_EQ(map.cards[i].top, corners[i].second) << i;
    EXPECT_EQ(map.cards[i].width, 72);
    EXPECT_EQ(map.cards[i].height, 72);
  }
  EXPECT_EQ(CardAt(map, 9, 9), 0);
  EXPECT_EQ(CardAt(map, 120, 150), 3);
  EXPECT_EQ(CardAt(map, 90, 50), -1) << "the gap belongs to no card";
}

TEST(PrintSelection, FoldedRowsShowHalfAsManyCardsTwiceAsTall) {
  ItemList list(ScreenMetrics{96, 96});
  ItemRecord& page = CardSheet(list, 4, 2);
  page.setCardHeight(20);
  page.setRowFold(1);
  const SelectionMap map = MapOfCards(list, 200, 200);
  EXPECT_EQ(map.rows, 2);
  ASSERT_EQ(map.cards.size(), 4u);
  EXPECT_EQ(map.cards[0].height, 72);
}

TEST(PrintSelection, DegeneratePagesGiveABoundedMapWithoutDividingByNothing) {
  struct Case {
    double width;
    int rows;
    int columns;
    size_t cards;
  };
  const Case cases[] = {
      {0, 2, 2, 4},         {std::numeric_limits<double>::quiet_NaN(), 2, 2, 4},
      {-100, 2, 2, 4},      {100, 0, -3, 1},
      {100, 5000, 1, 1000},
  };
  for (const Case& c : cases) {
    ItemList list(ScreenMetrics{96, 96});
    CardSheet(list, c.rows, c.columns).setPageWidth(c.width);
    const SelectionMap map = MapOfCards(list, 200, 200);
    EXPECT_EQ(map.cards.size(), c.cards) << c.width << " " << c.rows;
    EXPECT_GE(map.width, 1);
    EXPECT_LE(map.width, 200 + 2 * kMapMaxCards);
    EXPECT_LE(map.height, 200 + 2 * kMapMaxCards);
  }
  ItemList empty;
  const SelectionMap whole = MapOfCards(empty, 150, 90);
  ASSERT_EQ(whole.cards.size(), 1u);
  EXPECT_EQ(whole.cards[0].width, 150);
}

TEST(PrintSelection, TogglingFillsUpShortSelectionsWithPrintedCards) {
  EXPECT_EQ(ToggleCard(u"", 2, 4), u"  x ");
  EXPECT_EQ(ToggleCard(u"x", 0, 4), u"    ");
  EXPECT_EQ(ToggleCard(u"x", 4, 4), u"x") << "no card there";
  EXPECT_EQ(ToggleCard(SelectAllCards(4, false), 1, 4), u"x xx");
  EXPECT_EQ(SelectAllCards(3, true), u"   ");
}

}  // namespace
}  // namespace quillon
