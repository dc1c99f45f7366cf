// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/PageSetup.h"

#include <gtest/gtest.h>

#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

TEST(PageSetup, ExportPixelSize) {
  struct Case {
    int32_t units;
    double width, height;
    int32_t orientation;
    ExportSize expected;
  };
  const Case cases[] = {
      {kUnitMillimetres, 1, 1, 0, {10, 10, 200, 200}},
      {kUnitMillimetres, 210, 297, 0, {1654, 2339, 200, 200}},
      {kUnitInches, 1, 1, 0, {2550, 3300, 200, 200}},
      {kUnitInches, 1, 1, 2, {3300, 2550, 200, 200}},
      {0, 1, 1, 0, {2480, 3508, 200, 200}},
      {kUnitInches, 200, 8.5, 0, {32000, 1700, 200, 200}},
      {kUnitInches, 400, 400, 0, {32000, 32000, 200, 200}},
      {kUnitPixels, 5, 5, 0, {10, 10, 120, 144}},
      {kUnitPixels, 800.5, 600, 0, {800, 600, 120, 144}},
  };
  const ScreenMetrics screen{120, 144};
  for (const Case& c : cases) {
    ItemRecord page;
    page.setPageUnits(c.units);
    page.setPageWidth(c.width);
    page.setPageHeight(c.height);
    page.setOrientation(c.orientation);
    const ExportSize size = ExportPixelSize(&page, screen);
    EXPECT_EQ(size.width, c.expected.width) << c.units << " " << c.width;
    EXPECT_EQ(size.height, c.expected.height) << c.units << " " << c.height;
    EXPECT_EQ(size.resolutionX, c.expected.resolutionX);
    EXPECT_EQ(size.resolutionY, c.expected.resolutionY);
  }
  const ExportSize none = ExportPixelSize(nullptr, screen);
  EXPECT_EQ(none.width, 1600);
  EXPECT_EQ(none.resolutionY, 200);
}

TEST(PageSetup, PageRectFollowsDesignAreaAndZoom) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setDesignLeft(10);
  page.setDesignTop(5);
  page.setZoom(1.5);
  UpdatePageRect(page);
  const double ppmm = 96 / 25.4;
  EXPECT_EQ(page.x1(), RoundToInt32(10 * ppmm * 1.5));
  EXPECT_EQ(page.y1(), RoundToInt32(5 * ppmm * 1.5));
  EXPECT_EQ(page.x2(), page.x1() + RoundToInt32(1.5 * (ppmm * 210)));
  EXPECT_EQ(page.boundWidth(), RoundToInt32(210 * ppmm * 1.5));
  EXPECT_EQ(page.boundBottom(), page.y2());
}

TEST(PageSetup, UnitScaleOfTheScreen) {
  const ScreenMetrics screen{120, 96};
  const UnitScale mm = UnitsScale(kUnitMillimetres, screen);
  EXPECT_DOUBLE_EQ(mm.pixelsPerUnitX, 120 / 25.4);
  EXPECT_DOUBLE_EQ(mm.pixelsPerUnitY, 96 / 25.4);
  EXPECT_EQ(UnitsScale(kUnitInches, screen).pixelsPerUnitX, 120.0);
  EXPECT_EQ(UnitsScale(kUnitPixels, screen).pixelsPerUnitY, 1.0);
}

TEST(PageSetup, PristineUntilAnItemIsCreated) {
  ItemList list;
  EXPECT_FALSE(IsPristine(list));
  test::AddPage(list);
  EXPECT_TRUE(IsPristine(list));
  EXPECT_FALSE(IsModified(list)) << "the anchors record is made with the page";
  SetModified(list, false);
  ItemRecord& line = NewRecord(list, kKindLine);
  EXPECT_TRUE(IsModified(list));
  RemoveRecord(list, line);
  EXPECT_FALSE(IsPristine(list));
}

TEST(PageSetup, ReadersTakeAbsolutePageKindAndClampLightDirection) {
  ItemRecord page;
  page.setPageKind(-1);
  EXPECT_EQ(PageKindOf(page), 1);
  page.setLightDirection(4);
  EXPECT_EQ(LightDirectionOf(page), 0);
  page.setLightDirection(3);
  EXPECT_EQ(LightDirectionOf(page), 3);
}

}  // namespace
}  // namespace quillon
