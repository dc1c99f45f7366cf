// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/WindowPainter.h"

#include <gtest/gtest.h>

#include "canvas/CanvasFixtures.h"
#include "canvas/Ruler.h"
#include "canvas/SandboxView.h"
#include "canvas/TSandbox.h"

namespace quillon {
namespace {

constexpr uint32_t kSilver = kPageDecorationColour;
constexpr uint32_t kWhite = 0xFFFFFF;

CanvasTile Tile(Bitmap& bitmap, double zoom = 1.0, Point origin = {}) {
  CanvasTile tile;
  tile.bitmap = &bitmap;
  tile.zoom = zoom;
  tile.origin = origin;
  return tile;
}

TEST(CanvasTileTest, MapsDocumentPixelsWithZoomAndTileOrigin) {
  Bitmap bitmap(100, 50);
  const CanvasTile tile = Tile(bitmap, 2.0, {400, 0});
  EXPECT_EQ(tile.ToCanvas({250, 10}), (Point{100, 20}));
  // Clipped to the tile.
  EXPECT_EQ(tile.CanvasRect({190, 0, 260, 100}), (Rect{0, 0, 100, 50}));
  EXPECT_EQ(tile.CanvasRect({0, 0, 10, 10}), (Rect{}));
  // The tile shows document pixels 200 .. 250 across and 0 .. 25 down.
  EXPECT_EQ(tile.WholeTile(), (Rect{200, 0, 250, 25}));
}

TEST(WindowPainterTest, DrawingOrderTakesTheFirstVisibleItemOfEachLevel) {
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 100, 100);
  ItemRecord& third = test::AddItem(list, kKindLine, {0, 0}, {5, 5}, 3);
  ItemRecord& first = test::AddItem(list, kKindLine, {0, 0}, {5, 5}, 1);
  ItemRecord& second = test::AddItem(list, kKindLine, {0, 0}, {5, 5}, 2);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5}, 2);  // same level, later in the list
  ItemRecord& hidden = test::AddItem(list, kKindLine, {0, 0}, {5, 5}, 4);
  hidden.setHidden(1);
  EXPECT_EQ(DrawingOrder(list), (std::vector<const ItemRecord*>{&first, &second, &third}));
}

TEST(WindowPainterTest, PaintRectangleWidensByTheLineWeightAboveOnePixel) {
  ItemList list(ScreenMetrics{96, 96});
  ItemRecord& item = test::AddItem(list, kKindLine, {10, 20}, {30, 40});
  item.setLineWeight(0.5);  // round(0.5 * 96 / 25.4) = 2 pixels
  EXPECT_EQ(ItemPaintRect(item, list.screen()), (Rect{8, 18, 33, 43}));
  item.setLineWeight(0.2);  // 1 pixel: not widened
  EXPECT_EQ(ItemPaintRect(item, list.screen()), (Rect{10, 20, 31, 41}));
}

TEST(WindowPainterTest, AnItemReachesAsFarAsItsShadowAndFrame) {
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 400, 300);
  ItemRecord& box = test::AddRectangle(list, {100, 100}, {200, 160});
  const Rect plain = ItemPaintRect(box, list.screen());
  EXPECT_EQ(ItemReachRect(box, list).left, plain.left);
  EXPECT_EQ(ItemReachRect(box, list).bottom, plain.bottom);
  // "Medium": 6 pixels away from the light at the upper left, blurred by softness 20.
  box.setShadowSize(50);
  box.setShadowSoftness(20);
  const Rect shadowed = ItemReachRect(box, list);
  EXPECT_GE(shadowed.right, plain.right + 6 + 20);
  EXPECT_GE(shadowed.bottom, plain.bottom + 6 + 20);
  EXPECT_LT(shadowed.left, plain.left) << "the blur spreads back past the item too";
}

TEST(WindowPainterTest, RepaintClearsOnlyItsAreaToTheBackground) {
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 200, 100);
  Bitmap bitmap(200, 100);
  bitmap.Fill(0);
  const CanvasTile tile = Tile(bitmap);
  const Rect painted = PaintWindow(tile, list, {10, 10, 50, 30});
  EXPECT_EQ(painted, (Rect{10, 10, 50, 30}));
  EXPECT_EQ(bitmap.Pixel(10, 10), kWhite);
  EXPECT_EQ(bitmap.Pixel(49, 29), kWhite);
  EXPECT_EQ(bitmap.Pixel(50, 29), 0u);
  EXPECT_EQ(bitmap.Pixel(9, 10), 0u);
}

TEST(WindowPainterTest, RegionGrowsToTheItemsItMeetsOrToTheTileWithAShadow) {
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 400, 300);
  test::AddRectangle(list, {40, 40}, {100, 80});
  test::AddRectangle(list, {300, 200}, {350, 250});
  Bitmap bitmap(400, 300);
  const CanvasTile tile = Tile(bitmap);
  EXPECT_EQ(GrowRepaintRect(tile, list, {50, 50, 60, 60}), (Rect{40, 40, 101, 81}));
  ItemRecord& shadowed = test::AddRectangle(list, {0, 0}, {5, 5});
  shadowed.setShadowSize(4);
  EXPECT_EQ(GrowRepaintRect(tile, list, {50, 50, 60, 60}), (Rect{0, 0, 400, 300}));
}

// A page with silver lines where the decoration says; probes along each line.
struct DecorationCase {
  const char* name;
  int32_t kind;
  bool columnFold;
  int32_t columns;
  double zoom;
  Point origin;
  std::vector<Point> silver;
  std::vector<Point> white;
};

TEST(WindowPainterTest, PageDecorationDrawsMarginsEdgesFoldsAndColumns) {
  const std::vector<DecorationCase> cases = {
      // Printable area from (20, 30) to (260, 150), dotted 3 on, 3 off; paper edges solid.
      {"illustration",
       1,
       false,
       1,
       1.0,
       {},
       {{20, 30},
        {22, 30},
        {26, 30},
        {20, 149},
        {20, 143},
        {259, 30},
        {300, 5},
        {300, 150},
        {10, 200},
        {300, 200}},
       {{23, 30}, {25, 30}, {20, 146}, {21, 31}, {150, 100}, {299, 5}, {301, 5}}},
      // A folded card: the card doubled across, its fold dotted through the middle.
      {"folded card",
       3,
       true,
       1,
       1.0,
       {},
       {{200, 0}, {200, 160}, {100, 0}, {100, 2}, {5, 160}},
       {{100, 3}, {20, 30}, {300, 5}}},
      // A brochure folded across three columns: lines between the columns.
      {"brochure", 10, true, 3, 1.0, {}, {{110, 0}, {200, 0}, {110, 2}}, {{110, 3}, {290, 0}}},
      // Zoomed and on a later tile: the right edge at round(2 * 300) - 400 = 200.
      {"zoomed tile", 1, false, 1, 2.0, {400, 0}, {{200, 0}, {200, 7}}, {{199, 7}, {201, 7}}},
  };
  for (const DecorationCase& c : cases) {
    ItemList list(ScreenMetrics{96, 96});
    ItemRecord& page = test::AddPixelPage(list, 400, 300);
    page.setPageKind(c.kind);
    page.setPageWidth(300);
    page.setPageHeight(200);
    page.setMarginLeft(20);
    page.setMarginTop(30);
    page.setMarginRight(40);
    page.setMarginBottom(50);
    page.setCardWidth(c.kind == 10 ? 90 : 100);
    page.setCardHeight(160);
    page.setColumns(c.columns);
    page.setColumnFold(c.columnFold ? 1 : 0);
    Bitmap bitmap(400, 300);
    const CanvasTile tile = Tile(bitmap, c.zoom, c.origin);
    DrawPageDecoration(tile, page, {0, 0, 400, 300});
    for (Point p : c.silver) {
      EXPECT_EQ(bitmap.Pixel(p.x, p.y), kSilver) << c.name << " at " << p.x << ", " << p.y;
    }
    for (Point p : c.white) {
      EXPECT_EQ(bitmap.Pixel(p.x, p.y), kWhite) << c.name << " at " << p.x << ", " << p.y;
    }
  }
}

TEST(WindowPainterTest, DecorationStaysInsideTheClip) {
  ItemList list(ScreenMetrics{96, 96});
  ItemRecord& page = test::AddPixelPage(list, 400, 300);
  page.setPageWidth(300);
  page.setPageHeight(200);
  Bitmap bitmap(400, 300);
  DrawPageDecoration(Tile(bitmap), page, {0, 0, 300, 100});
  EXPECT_EQ(bitmap.Pixel(300, 50), kWhite);
  DrawPageDecoration(Tile(bitmap), page, {0, 0, 301, 100});
  EXPECT_EQ(bitmap.Pixel(300, 50), kSilver);
  EXPECT_EQ(bitmap.Pixel(300, 150), kWhite);
}

TEST(TileOriginTest, FollowsTheScrollPositionOnPagesLongerThanATile) {
  struct Case {
    int32_t offset, canvas, viewport, page, scroll, expected;
  };
  const Case cases[] = {
      // A 2000-pixel page scrolled to 1700: the last tile, not 3200.
      {-1700, 1600, 300, 2000, 1700, 400},
      {0, 1600, 300, 2000, 0, 0},
      // The first tile still reaches the viewport's far edge.
      {-450, 1600, 800, 5000, 500, 0},
      // Past it: the tile starts at the viewport's near edge.
      {-850, 1600, 800, 5000, 900, 850},
      {-3250, 1600, 800, 5000, 3300, 3250},
      // A page that fits one tile never moves it.
      {-500, 1000, 300, 1000, 500, 0},
      // A viewport wider than a tile cannot push the tile before the page.
      {50, 1600, 2000, 3000, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TileOriginFor(c.offset, c.canvas, c.viewport, c.page, c.scroll), c.expected)
        << "page " << c.page << " scrolled to " << c.scroll;
  }
}

// Positions and lengths of the ticks of a ruler over the first part of a page.
std::vector<std::pair<int32_t, int32_t>> Ticks(int32_t units, double ppu, double zoom, int32_t to) {
  std::vector<std::pair<int32_t, int32_t>> result;
  for (const RulerTick& t : RulerTicks({units, ppu, zoom, 0, 10000}, 0, to)) {
    result.emplace_back(t.position, t.length);
  }
  return result;
}

TEST(RulerTest, TicksFollowTheUnitAndTheZoom) {
  using Ticks_t = std::vector<std::pair<int32_t, int32_t>>;
  // Pixels at 100 %: a major tick every 100, short ones every 10.
  Ticks_t pixels = Ticks(1, 1, 1.0, 101);
  EXPECT_EQ(pixels.size(), 11u);
  EXPECT_EQ(pixels.front(), (std::pair<int32_t, int32_t>{0, 11}));
  EXPECT_EQ(pixels[1], (std::pair<int32_t, int32_t>{10, 1}));
  EXPECT_EQ(pixels.back(), (std::pair<int32_t, int32_t>{100, 11}));
  // Above 100 % every 5 pixels, zoomed.
  EXPECT_EQ(Ticks(1, 1, 2.0, 21), (Ticks_t{{0, 11}, {10, 1}, {20, 1}}));
  // Between 10 % and 25 % every 20 pixels.
  EXPECT_EQ(Ticks(1, 1, 0.25, 11), (Ticks_t{{0, 11}, {5, 1}, {10, 1}}));
  // Millimetres at 96 dpi, 100 %: 10 mm labelled, 5 mm of length 4, 2.5 mm of length 1.
  EXPECT_EQ(Ticks(2, 96 / 25.4, 1.0, 20), (Ticks_t{{0, 11}, {9, 1}, {19, 4}}));
  // Inches at 50 %: halves 8, quarters 4; eighths only above 50 %.
  EXPECT_EQ(Ticks(3, 96, 0.5, 25), (Ticks_t{{0, 11}, {12, 4}, {24, 8}}));
  EXPECT_EQ(Ticks(3, 96, 0.75, 10), (Ticks_t{{0, 11}, {9, 1}}));
}

TEST(RulerTest, MajorTicksCarryTheirRunningLabelOnlyWhereTheZoomAllows) {
  const auto labels = [](int32_t units, double ppu, double zoom) {
    std::vector<int32_t> result;
    for (const RulerTick& t : RulerTicks({units, ppu, zoom, 0, 10000}, 0, 500)) {
      if (t.label != 0) result.push_back(t.label);
    }
    return result;
  };
  EXPECT_EQ(labels(1, 1, 1.0), (std::vector<int32_t>{100, 200, 300, 400}));
  EXPECT_EQ(labels(2, 96 / 25.4, 1.0).front(), 10);
  EXPECT_TRUE(labels(2, 96 / 25.4, 0.25).empty());
  EXPECT_EQ(labels(3, 96, 1.0), (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_TRUE(labels(3, 96, 0.125).empty());
}

TEST(RulerTest, TicksStayOnThePage) {
  const std::vector<RulerTick> ticks = RulerTicks({1, 1, 1.0, 50, 120}, 0, 400);
  ASSERT_FALSE(ticks.empty());
  EXPECT_EQ(ticks.front().position, 50);
  EXPECT_EQ(ticks.back().position, 170);
  // A broken scale draws no ticks instead of filling the ruler.
  EXPECT_EQ(RulerTicks({1, 0, 1.0, 0, 100}, 0, 100).size(), 0u);
}

}  // namespace
}  // namespace quillon
