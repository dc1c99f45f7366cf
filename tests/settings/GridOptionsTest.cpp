// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/GridOptions.h"

#include <gtest/gtest.h>

#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

TEST(GridOptions, DistancesRoundingBelowAPixelAreRefused) {
  defaults_t copy;
  copy.units = kUnitPixels;
  copy.pixelsPerUnitX = 1;
  copy.pixelsPerUnitY = 1;
  UnitDefaults& unit = copy.perUnit[0];
  unit.gridX = 20;
  unit.gridY = 30;
  struct Case {
    const char* text;
    double kept;
    bool taken;
  };
  const Case cases[] = {{"25", 25, true},   {" 12,5 ", 12.5, true}, {"0.5", 20, false},
                        {"0.4", 20, false}, {"0", 20, false},       {"-10", 20, false},
                        {"abc", 20, false}, {"", 20, false}};
  for (const Case& c : cases) {
    unit.gridX = 20;
    unit.gridXText = QString::fromLatin1(c.text);
    unit.gridYText = QStringLiteral("30");
    EXPECT_EQ(ReadGridDistances(copy), c.taken) << c.text;
    EXPECT_DOUBLE_EQ(unit.gridX, c.kept) << c.text;
    // A refused text shows the distance kept.
    if (!c.taken) {
      EXPECT_EQ(unit.gridXText, QStringLiteral("20")) << c.text;
    }
  }
}

TEST(GridOptions, ADocumentsCopyTakesItsUnitGridAndSwitches) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);  // millimetres, 10 mm grid
  page.setGridDistanceY(2.5);
  page.setSnapVertical(255);
  page.setDesignLeft(3);
  TParams params(ScreenMetrics{96, 96});
  params.defaults.units = kUnitInches;
  defaults_t copy = GridOptionsForDocument(params, page);
  EXPECT_EQ(copy.units, kUnitMillimetres);
  EXPECT_EQ(copy.perUnit[1].gridXText, QStringLiteral("10"));
  EXPECT_EQ(copy.perUnit[1].gridYText, QStringLiteral("2.5"));
  EXPECT_EQ(copy.perUnit[1].canvasText[0], QStringLiteral("3"));
  EXPECT_EQ(copy.snapVertical, 1);
  EXPECT_EQ(copy.gridHorizontal, 0);

  // Save takes the switches and the distances back, and nothing of the design area.
  copy.gridHorizontal = 1;
  copy.perUnit[1].gridXText = QStringLiteral("5");
  copy.perUnit[1].canvasText[0] = QStringLiteral("40");
  copy.perUnit[1].canvas[0] = 40;
  SaveGridOptionsForDocument(page, copy);
  EXPECT_EQ(page.gridHorizontal(), 1);
  EXPECT_DOUBLE_EQ(page.gridDistanceX(), 5);
  EXPECT_DOUBLE_EQ(page.gridDistanceY(), 2.5);
  EXPECT_DOUBLE_EQ(page.designLeft(), 3);
}

}  // namespace
}  // namespace quillon
