// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/SheetSketch.h"

#include <gtest/gtest.h>

#include "document/PageSetup.h"
#include "page/Catalogue.h"

namespace quillon {
namespace {

TEST(SheetSketch, PaperIsScaledToNineTenthsOfTheSmallerSideOfTheArea) {
  pageset_t set = DefaultPageset(4, kUnitMillimetres);
  ASSERT_TRUE(
      ChooseTemplate(set, 4, FindTemplate(kUnitMillimetres, 4, "A8 business cards, 8 per page")));
  const SheetSketch sketch = SketchSheet(4, set, 400, 330);
  ASSERT_TRUE(sketch.drawn);
  EXPECT_FALSE(sketch.actualSize);
  const double f = 0.9 * 330 / 297;
  EXPECT_DOUBLE_EQ(sketch.paper.width(), 210 * f);
  EXPECT_DOUBLE_EQ(sketch.paper.height(), 297 * f);
  ASSERT_EQ(sketch.cards.size(), 8u);
  // The last card: row 4, column 2, each step a card and a 10 mm gap.
  EXPECT_DOUBLE_EQ(sketch.cards.back().left(), (26 + 84) * f);
  EXPECT_DOUBLE_EQ(sketch.cards.back().top(), (25 + 3 * 62) * f);

  // Inches are drawn as millimetres.
  pageset_t letter = DefaultPageset(1, kUnitInches);
  const SheetSketch inches = SketchSheet(1, letter, 300, 300);
  // The scale divides by the rounded larger side: 279.4 mm counts as 279.
  EXPECT_NEAR(inches.paper.height(), 279.4 * 270 / 279, 1e-9);
  EXPECT_NEAR(inches.margins.left(), 0.25 * 25.4 * 270 / std::round(11 * 25.4), 1e-9);
}

TEST(SheetSketch, PixelPicturesAreShownAtActualSize) {
  pageset_t set = DefaultPageset(9, kUnitPixels);
  set.current().paperWidth = QStringLiteral("728");
  set.current().paperHeight = QStringLiteral("90");
  const SheetSketch sketch = SketchSheet(9, set, 200, 100);
  ASSERT_TRUE(sketch.drawn);
  EXPECT_TRUE(sketch.actualSize);
  EXPECT_EQ(sketch.paper, QRectF(0, 0, 728, 90));
}

// Whatever was typed, the sketch neither divides by zero nor makes an endless list of cards.
TEST(SheetSketch, DegenerateTextsGiveNoSketchOrABoundedOne) {
  struct Case {
    int32_t units;
    const char* width;
    const char* height;
    int area;
    bool drawn;
  };
  const Case cases[] = {
      {kUnitMillimetres, "0", "0", 300, false},      {kUnitMillimetres, "0.2", "0.3", 300, false},
      {kUnitMillimetres, "-210", "297", 300, false}, {kUnitMillimetres, "abc", "297", 300, false},
      {kUnitMillimetres, "210", "297", 0, false},    {kUnitInches, "1/0", "11", 300, false},
      {kUnitPixels, "0", "600", 300, false},         {kUnitPixels, "800.5", "600", 300, false},
      {kUnitPixels, "99999", "600", 300, false},     {kUnitMillimetres, "1e300", "1", 300, true},
  };
  for (const Case& c : cases) {
    pageset_t set = DefaultPageset(4, c.units);
    set.units = c.units;
    set.current().paperWidth = QString::fromLatin1(c.width);
    set.current().paperHeight = QString::fromLatin1(c.height);
    EXPECT_EQ(SketchSheet(4, set, c.area, c.area).drawn, c.drawn) << c.width << " x " << c.height;
  }
  pageset_t many = DefaultPageset(5, kUnitMillimetres);
  UnitBlock& b = many.current();
  b.itemWidth = b.itemHeight = QStringLiteral("0.0001");
  b.rows = b.columns = QStringLiteral("2000000000");
  b.leftMargin = b.topMargin = b.rowGap = b.columnGap = QStringLiteral("0");
  EXPECT_EQ(SketchSheet(5, many, 300, 300).cards.size(), size_t(kMaxSketchCards));
  b.itemWidth = QStringLiteral("0");
  EXPECT_TRUE(SketchSheet(5, many, 300, 300).cards.empty());
  b.rows = QStringLiteral("-4");
  EXPECT_TRUE(SketchSheet(10, many, 300, 300).drawn);
}

}  // namespace
}  // namespace quillon
