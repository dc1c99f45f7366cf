// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/ApplyPageset.h"

#include <gtest/gtest.h>

#include "page/Catalogue.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

const UnitGridDistances kGrids = {{{25, 20}, {10, 5}, {0.25, 0.5}}};

// Switching a millimetre page to inches keeps the design area's left and top edge where it was
// on the screen and takes the inch grid.
TEST(ApplyPageset, SwitchingUnitsRescalesTheDesignOrigin) {
  ItemList list(ScreenMetrics{120, 96});
  ItemRecord& page = test::AddPage(list);
  page.setDesignLeft(10);
  page.setDesignTop(5);
  pageset_t set = DefaultPageset(1, kUnitInches);
  ApplyPagesetToRecord(page, set, 1, kGrids, list.screen());
  EXPECT_EQ(page.pageUnits(), kUnitInches);
  EXPECT_DOUBLE_EQ(page.pixelsPerUnitX(), 120);
  EXPECT_DOUBLE_EQ(page.pixelsPerUnitY(), 96);
  EXPECT_DOUBLE_EQ(page.designLeft(), 10 * (120 / 25.4) / 120);
  EXPECT_DOUBLE_EQ(page.designTop(), 5 * (96 / 25.4) / 96);
  EXPECT_DOUBLE_EQ(page.designWidth(), 8.5);
  EXPECT_DOUBLE_EQ(page.designHeight(), 11);
  EXPECT_DOUBLE_EQ(page.gridDistanceX(), 0.25);
  EXPECT_DOUBLE_EQ(page.gridDistanceY(), 0.5);
  // The quiet form leaves the modified mark and the window rectangle alone.
  EXPECT_EQ(page.modified(), 0);
  EXPECT_EQ(page.boundWidth(), 992);  // still 210 mm at 120 dpi
}

TEST(ApplyPageset, TextsThatDoNotParseLeaveTheirFieldsButAreKept) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setRows(7);
  page.setColumns(3);
  page.setMarginLeft(4);
  pageset_t set = DefaultPageset(4, kUnitMillimetres);
  UnitBlock& b = set.current();
  b.paperWidth = QStringLiteral("8 1/2");  // a fraction is no millimetre size
  b.leftMargin = QStringLiteral("abc");
  b.rows = QStringLiteral("");
  b.columns = QStringLiteral("2.5");
  b.itemWidth = QStringLiteral("80,5");
  b.extraA = QStringLiteral("1.5");
  b.extraB = QStringLiteral("x");
  ASSERT_TRUE(ApplyPagesetToRecord(list, set, 4, kGrids));
  EXPECT_DOUBLE_EQ(page.pageWidth(), 210);
  EXPECT_DOUBLE_EQ(page.marginLeft(), 4);
  EXPECT_EQ(page.rows(), 7);
  EXPECT_EQ(page.columns(), 3);
  EXPECT_DOUBLE_EQ(page.cardWidth(), 80.5);
  EXPECT_DOUBLE_EQ(page.extraA(), 1.5);
  EXPECT_EQ(LineText(page, 1), u"8 1/2");
  EXPECT_EQ(LineText(page, 5), u"abc");
  EXPECT_EQ(LineText(page, 13), u"1.5");
  EXPECT_EQ(LineText(page, 14), u"x");
  EXPECT_EQ(page.modified(), 1);
  EXPECT_EQ(page.boundWidth(), RoundToInt32(80.5 * 96 / 25.4));
}

TEST(ApplyPageset, DesignAreaIsTheFoldedCardOrThePaper) {
  struct Case {
    int32_t kind;
    uint8_t rowFold;
    uint8_t columnFold;
    double width;
    double height;
  };
  const Case cases[] = {
      {2, 0, 0, 60, 40},   {3, 1, 0, 60, 80},    {4, 0, 1, 120, 40},
      {5, 1, 1, 120, 80},  {11, 1, 0, 60, 80},   {-3, 0, 1, 120, 40},
      {1, 1, 1, 200, 300}, {10, 1, 0, 200, 300}, {9, 0, 0, 200, 300},
  };
  for (const Case& c : cases) {
    ItemList list;
    ItemRecord& page = test::AddPage(list);
    pageset_t set;
    set.units = kUnitMillimetres;
    UnitBlock& b = set.current();
    b.paperWidth = QStringLiteral("200");
    b.paperHeight = QStringLiteral("300");
    b.itemWidth = QStringLiteral("60");
    b.itemHeight = QStringLiteral("40");
    b.rowFold = c.rowFold;
    b.columnFold = c.columnFold;
    ApplyPagesetToRecord(page, set, c.kind, kGrids, list.screen());
    EXPECT_EQ(page.pageKind(), c.kind);
    EXPECT_DOUBLE_EQ(page.designWidth(), c.width) << c.kind;
    EXPECT_DOUBLE_EQ(page.designHeight(), c.height) << c.kind;
  }
}

// A paper or card without size, and counts below one, would leave nothing to draw or print on.
TEST(ApplyPageset, SizesOfZeroOrLessAndCountsBelowOneLeaveTheirFieldsAndCountsAreCapped) {
  struct Case {
    const char* size;
    const char* count;
    double width;
    int32_t rows;
  };
  const Case cases[] = {
      {"0", "0", 80, 3},  {"-5", "-1", 80, 3},      {"", "", 80, 3},
      {"12", "7", 12, 7}, {"12", "1001", 12, 1000}, {"12", "2147483647", 12, 1000},
  };
  for (const Case& c : cases) {
    ItemList list;
    ItemRecord& page = test::AddPage(list);
    page.setCardWidth(80);
    page.setCardHeight(80);
    page.setRows(3);
    page.setColumns(3);
    pageset_t set = DefaultPageset(4, kUnitMillimetres);
    UnitBlock& b = set.current();
    b.paperWidth = b.paperHeight = b.itemWidth = b.itemHeight = QString::fromLatin1(c.size);
    b.rows = b.columns = QString::fromLatin1(c.count);
    ApplyPagesetToRecord(page, set, 4, kGrids, list.screen());
    const double paper = c.width == 80 ? 210 : c.width;
    EXPECT_DOUBLE_EQ(page.pageWidth(), paper) << c.size;
    EXPECT_DOUBLE_EQ(page.pageHeight(), c.width == 80 ? 297 : c.width) << c.size;
    EXPECT_DOUBLE_EQ(page.cardWidth(), c.width) << c.size;
    EXPECT_DOUBLE_EQ(page.cardHeight(), c.width) << c.size;
    EXPECT_EQ(page.rows(), c.rows) << c.count;
    EXPECT_EQ(page.columns(), c.rows) << c.count;
  }
}

// The wizard opens on a document with its own texts; a text of fewer than fourteen lines keeps
// the texts it lacks from the working copy instead of emptying them.
TEST(ApplyPageset, TakingADocumentsDescriptionKeepsTheTextsItsRecordLacks) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageKind(-5);
  page.setOrientation(kLandscape);
  page.setQuickSelectIndex(3);
  page.setColumnFold(255);
  SetText(page, u"100\u07EC50\u07EC1 1/4");
  pagesetArr_t sets = DefaultPagesets(kUnitInches);
  sets[4].block(kUnitMillimetres).rows = QStringLiteral("14");
  EXPECT_EQ(TakePagesetFromRecord(page, sets), 5);
  const pageset_t& set = sets[4];
  EXPECT_EQ(set.units, kUnitMillimetres);
  EXPECT_EQ(set.orientation, kLandscape);
  const UnitBlock& b = set.block(kUnitMillimetres);
  EXPECT_EQ(b.quickSelectIndex, 3);
  EXPECT_EQ(b.columnFold, 1);
  EXPECT_EQ(b.rowFold, 0);
  EXPECT_EQ(b.paperWidth, QStringLiteral("100"));
  EXPECT_EQ(b.itemWidth, QStringLiteral("1 1/4"));
  EXPECT_EQ(b.rows, QStringLiteral("14"));

  page.setPageKind(12);
  const pagesetArr_t untouched = sets;
  EXPECT_EQ(TakePagesetFromRecord(page, sets), 0);
  EXPECT_TRUE(sets == untouched);
}

TEST(ApplyPageset, ADocumentWithoutPageRecordIsLeftAlone) {
  ItemList list;
  EXPECT_FALSE(ApplyPagesetToRecord(list, DefaultPageset(1, kUnitInches), 1, kGrids));
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace quillon
