// SPDX-License-Identifier: GPL-3.0-or-later
// Lines painted as bands of dashes with edge strips.
#include "render/LineDrawing.h"

#include <gtest/gtest.h>

#include <string>

#include "SceneFixtures.h"
#include "render/RenderItem.h"

namespace quillon {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kYellow = 0x00FFFF;

Bitmap Render(const ItemList& list, const ItemRecord& line) {
  Bitmap b(70, 60);
  RenderItem(b, line, list, {0, 0}, 1.0, 1.0);
  return b;
}

// The row as '#' for pixels in colour and '.' for others.
std::string RowOf(const Bitmap& b, int y, int from, int to, uint32_t colour) {
  std::string s;
  for (int x = from; x < to; ++x)
    s += b.Pixel(x, y) == colour ? '#' : '.';
  return s;
}

TEST(DrawLine, AOnePixelDashedLineHasSixOnAndTwoOff) {
  ItemList list;
  ItemRecord& line = test::AddLine(list, {0, 10}, {40, 10}, 0.0, 0.0, kPatternDash);
  line.setLineColor(0);
  const Bitmap b = Render(list, line);
  EXPECT_EQ(RowOf(b, 10, 0, 42, 0), "######..######..######..######..######....");
  EXPECT_EQ(test::CountOther(b, 0, 11, 70, 60, kWhite), 0);
}

TEST(DrawLine, AnOutlineAsWideAsTheLineMakesOneSolidBand) {
  ItemList list;
  ItemRecord& line = test::AddLine(list, {5, 30}, {60, 30}, 3.0, 3.0);
  test::Apply(line, {int32_t(kYellow), int32_t(kRed), 3.0});
  const Bitmap b = Render(list, line);
  // W = 11: six pixels above the line, five below, plus the pen's far edge.
  for (int y = 24; y <= 35; ++y)
    EXPECT_EQ(b.Pixel(30, y), kRed) << y;
  EXPECT_EQ(b.Pixel(30, 23), kWhite);
  EXPECT_EQ(b.Pixel(30, 36), kWhite);
  // No pixel shows the fill colour.
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 70; ++x)
      ASSERT_NE(b.Pixel(x, y), kYellow) << x << "," << y;
  }
}

TEST(DrawLine, AClearLineShowsOnlyItsEdgeStrips) {
  ItemList list;
  ItemRecord& line = test::AddLine(list, {5, 30}, {60, 30}, 3.0, 0.5);
  test::Apply(line, {-1, int32_t(kRed), 3.0});
  const Bitmap b = Render(list, line);
  // Edge strips 2 pixels wide inside the band's outline, rows 24 .. 35.
  std::string column;
  for (int y = 22; y <= 37; ++y)
    column += b.Pixel(30, y) == kRed ? '#' : '.';
  EXPECT_EQ(column, "..###......###..");
}

TEST(DrawLine, NarrowBandsStayFlatWithASurface) {
  // W = 3 is below the 4 pixels a shaded dash needs.
  ItemList list;
  test::AddLightPage(list);
  ItemRecord& line = test::AddLine(list, {5, 30}, {60, 30}, 0.8, 0.0);
  test::Apply(line, {-2, int32_t(kRed), 0.8, 127});
  const Bitmap b = Render(list, line);
  for (int y = 28; y <= 31; ++y)
    EXPECT_EQ(b.Pixel(30, y), kRed) << y;
}

TEST(DrawLine, ADashedShadowFollowsTheDashes) {
  ItemList list;
  test::AddLightPage(list);
  ItemRecord& line = test::AddLine(list, {0, 10}, {40, 10}, 0.0, 0.0, kPatternDash);
  test::Apply(line, {-2, int32_t(kWhite), 0.0, 0, 50, 0, 0});
  const Bitmap b = Render(list, line);
  // The shadow lies 6 pixels right and down, dashed like the line.
  EXPECT_EQ(RowOf(b, 16, 0, 22, 0), "......######..######..");
}

}  // namespace
}  // namespace quillon
