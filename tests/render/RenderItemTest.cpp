// SPDX-License-Identifier: GPL-3.0-or-later
// Flat bodies through the item renderer: fill rules, shape styles, the dispatch by kind and the
// display switches.
#include "render/RenderItem.h"

#include <gtest/gtest.h>

#include "SceneFixtures.h"

namespace quillon {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kYellow = 0x00FFFF;

Bitmap Render(const ItemList& list, const ItemRecord& item, int w = 64, int h = 64,
              const RenderMode& mode = {}) {
  Bitmap b(w, h);
  RenderItem(b, item, list, {0, 0}, 1.0, 1.0, mode);
  return b;
}

TEST(RenderItem, ASolidShapeKeepsItsSizeWhateverItsOutlineWeight) {
  ItemList list;
  ItemRecord& box = test::Apply(test::AddBox(list, {10, 10}, {50, 50}), {-2, int32_t(kRed), 5.0});
  const Bitmap b = Render(list, box);
  EXPECT_EQ(b.Pixel(9, 30), kWhite);
  EXPECT_EQ(b.Pixel(10, 30), kRed);
  EXPECT_EQ(b.Pixel(30, 30), kRed);
  EXPECT_EQ(b.Pixel(50, 30), kRed);
  EXPECT_EQ(b.Pixel(51, 30), kWhite);
  EXPECT_EQ(b.Pixel(30, 51), kWhite);
}

TEST(RenderItem, FillRulesPaintTheBodyAndTheOutline) {
  struct Case {
    int32_t fill;
    uint32_t inside;
  };
  // A 1 mm outline is 4 pixels wide, centred: 8 .. 11 on the left edge.
  for (const Case c : {Case{-1, kWhite}, Case{int32_t(kYellow), kYellow}}) {
    ItemList list;
    ItemRecord& box =
        test::Apply(test::AddBox(list, {10, 10}, {50, 50}), {c.fill, int32_t(kRed), 1.0});
    const Bitmap b = Render(list, box);
    EXPECT_EQ(b.Pixel(30, 30), c.inside) << c.fill;
    EXPECT_EQ(b.Pixel(8, 30), kRed) << c.fill;
    EXPECT_EQ(b.Pixel(11, 30), kRed) << c.fill;
    EXPECT_EQ(b.Pixel(7, 30), kWhite) << c.fill;
    EXPECT_EQ(b.Pixel(12, 30), c.inside) << c.fill;
  }
}

TEST(RenderItem, OnlySolidCurvesAndSplinesAreFilled) {
  for (int32_t kind : {kKindSpline, kKindCurve}) {
    for (int32_t style : {0, 1, 2}) {
      ItemList list;
      ItemRecord& shape =
          test::AddShape(list, kind, {{10, 10}, {54, 10}, {54, 54}, {10, 54}}, style);
      RecomputeCurveHandles(shape.points, shape.curveFactor(), style);
      test::Apply(shape, {int32_t(kYellow), int32_t(kRed), 0.0});
      const Bitmap b = Render(list, shape);
      EXPECT_EQ(b.Pixel(32, 32), style == 2 ? kYellow : kWhite) << kind << " style " << style;
      // Open shapes leave the closing side out, closed ones draw it.
      if (kind == kKindSpline) {
        EXPECT_EQ(b.Pixel(10, 32), style == 0 ? kWhite : kRed) << style;
      }
    }
  }
}

TEST(RenderItem, PolygonsOutsideTheSidesRangeDrawNothing) {
  for (int32_t sides : {2, 1024001}) {
    ItemList list;
    ItemRecord& polygon = test::AddShape(list, kKindPolygon, {{32, 32}, {32, 10}}, 0, sides);
    test::Apply(polygon, {-2, 0, 0.0, 127, 50, 0, 0});
    EXPECT_EQ(test::CountOther(Render(list, polygon), 0, 0, 64, 64, kWhite), 0) << sides;
  }
}

TEST(RenderItem, KindsWithoutABodyAndPicturesWithoutASourceDrawNothing) {
  for (int32_t kind : {kKindPicture, kKindGroupFrame, kKindDeletionMarker}) {
    ItemList list;
    ItemRecord& item = test::AddSegmentItem(list, kind, {5, 5}, {50, 40});
    SetText(item, u"Text");
    test::Apply(item, {-2, 0, 1.0, 127, 50, 0, 0});
    EXPECT_EQ(test::CountOther(Render(list, item), 0, 0, 64, 64, kWhite), 0) << kind;
  }
}

TEST(RenderItem, TheMappingPlacesAndScalesTheItem) {
  ItemList list;
  ItemRecord& box = test::Apply(test::AddBox(list, {10, 10}, {20, 20}), {-2, int32_t(kRed), 0});
  Bitmap b(64, 64);
  RenderItem(b, box, list, {-5, 3}, 2.0, 2.0);  // 10 -> 15 across, 23 down
  EXPECT_EQ(b.Pixel(14, 30), kWhite);
  EXPECT_EQ(b.Pixel(15, 30), kRed);
  EXPECT_EQ(b.Pixel(35, 30), kRed);
  EXPECT_EQ(b.Pixel(36, 30), kWhite);
  EXPECT_EQ(b.Pixel(20, 22), kWhite);
  EXPECT_EQ(b.Pixel(20, 23), kRed);
}

TEST(RenderItem, SwitchesAndDraggingDropShadowsAndSurfaces) {
  struct Case {
    RenderMode mode;
    bool shadow;
    bool surface;
  };
  const Case cases[] = {
      {{}, true, true},
      {{.shadows = false}, false, true},
      {{.surfaces = false}, true, false},
      {{.quick = true}, false, false},
      {{.busyLoading = true}, false, false},
  };
  for (const Case& c : cases) {
    ItemList list;
    test::AddLightPage(list, 0);
    ItemRecord& circle =
        test::Apply(test::AddCircle(list, {24, 24}, 12), {int32_t(kYellow), 0, 0.0, 127, 50, 0, 0});
    const Bitmap b = Render(list, circle, 64, 64, c.mode);
    EXPECT_EQ(b.Pixel(39, 30) != kWhite, c.shadow);  // the shadow's centre is at (30, 30)
    EXPECT_EQ(b.Pixel(24, 24) != kYellow, c.surface);
  }
}

}  // namespace
}  // namespace quillon
