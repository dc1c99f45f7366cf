// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Surfaces.h"

#include <gtest/gtest.h>

#include "SceneFixtures.h"
#include "render/RenderItem.h"

namespace quillon {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

Bitmap Render(const ItemList& list, const ItemRecord& item, int size = 130) {
  Bitmap b(size, size);
  RenderItem(b, item, list, {0, 0}, 1.0, 1.0);
  return b;
}

// A sample of the kind scaled to fill about a 120-pixel cell.
ItemRecord& BigSample(ItemList& list, int32_t kind) {
  ItemRecord& r = test::AddSample(list, kind);
  if (kind == kKindLine) {
    r.setPenWidth(40);  // a band wide enough for a long strip
  }
  return r;
}

TEST(SheenBoost, DarkAndGreyColoursGainMost) {
  EXPECT_EQ(SheenBoost(0x000000, 128), 96);
  EXPECT_EQ(SheenBoost(0xFFFFFF, 128), 0);
  EXPECT_EQ(SheenBoost(0x0000FF, 128), 0);  // saturated red
  EXPECT_EQ(SheenBoost(0x808080, 128), 48);
  EXPECT_EQ(SheenBoost(0x000000, 0), 0);
}

TEST(BuildStrip, DarkEndsBrightMiddleAndFlatAt255) {
  const Strip strip = BuildStrip(10, 127, 0xFFFFFF);
  EXPECT_EQ(strip.Row(9), (std::array<uint8_t, 3>{127, 127, 127}));  // sin(pi) = 0
  EXPECT_EQ(strip.Row(4), (std::array<uint8_t, 3>{255, 255, 255}));  // sin(pi / 2) = 1
  EXPECT_LT(strip.Row(0)[0], strip.Row(2)[0]);
  for (int32_t length : {1, 5, 40, 70000}) {
    const Strip flat = BuildStrip(length, 255, 0x336699);
    for (int64_t r : {int64_t{0}, int64_t{length / 2}, int64_t{length - 1}})
      EXPECT_EQ(flat.Row(r), (std::array<uint8_t, 3>{0x33, 0x66, 0x99})) << length;
  }
  // A long strip computes its rows on demand, the same as a table would hold them.
  EXPECT_EQ(BuildStrip(70000, 127, 0x204060).Row(35000)[1],
            BuildStrip(70000, 127, 0x204060).Row(35000)[1]);
}

TEST(WrapRow, OneStepIntoTheStripThenHeldAtItsEnds) {
  EXPECT_EQ(WrapRow(-1, 10), 9);
  EXPECT_EQ(WrapRow(10, 10), 0);
  EXPECT_EQ(WrapRow(5, 10), 5);
  EXPECT_EQ(WrapRow(25, 10), 9);
  EXPECT_EQ(WrapRow(-25, 10), 0);
}

TEST(ShadeShape, ARoundBlackShapeIsBrightestAtNinetySix) {
  for (int32_t kind : test::kDrawnKinds) {
    if (kind == kKindArc || kind == kKindSpline) continue;  // outlines only
    ItemList list;
    test::AddLightPage(list);
    ItemRecord& item = test::Apply(BigSample(list, kind), {-2, 0, 0.0, 127});
    const Bitmap b = Render(list, item);
    int brightest = -1;
    for (int y = 0; y < b.height(); ++y) {
      for (int x = 0; x < b.width(); ++x) {
        const uint32_t c = b.Pixel(x, y);
        if (c == kWhite) continue;
        ASSERT_TRUE(RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c)) << kind;
        brightest = std::max<int>(brightest, RedOf(c));
      }
    }
    // Where the highlight falls inside the shape its brightest ring shows; elsewhere the
    // shape only holds darker rows.
    const bool highlightInside = kind != kKindTriangle && kind != kKindStar && kind != kKindCurve;
    if (highlightInside) {
      EXPECT_EQ(brightest, 96) << kind;
    } else {
      EXPECT_LE(brightest, 96) << kind;
      EXPECT_GT(brightest, 48) << kind;
    }
  }
}

TEST(ShadeShape, Surface255LooksFlat) {
  for (int32_t kind : test::kDrawnKinds) {
    if (kind == kKindLine) continue;  // a shaded dash has no outline pen of its own
    for (int32_t fill : {-2, -1, 0x3070B0}) {
      ItemList list;
      test::AddLightPage(list);
      ItemRecord& item = test::Apply(BigSample(list, kind), {fill, 0x104080, 1.0, 0});
      const Bitmap flat = Render(list, item);
      item.setSurface(255);
      const Bitmap shaded = Render(list, item);
      EXPECT_EQ(test::CountOther(flat, 0, 0, 130, 130, kWhite),
                test::CountOther(shaded, 0, 0, 130, 130, kWhite));
      for (int y = 0; y < 130; ++y) {
        for (int x = 0; x < 130; ++x)
          ASSERT_EQ(flat.Pixel(x, y), shaded.Pixel(x, y)) << kind << " fill " << fill;
      }
    }
  }
}

TEST(ShadeShape, DegenerateCirclesAndSquaresAreNotShaded) {
  ItemList list;
  ItemRecord& dot = test::Apply(test::AddCircle(list, {20, 20}, 0), {-2, 0, 0.0, 127});
  EXPECT_EQ(test::CountOther(Render(list, dot, 40), 0, 0, 40, 40, kWhite), 0);
  ItemRecord& flat = test::AddShape(list, kKindSquare, {{10, 10}, {30, 10}, {30, 10}, {10, 30}}, 2);
  test::Apply(flat, {-2, 0, 0.0, 127});
  EXPECT_EQ(test::CountOther(Render(list, flat, 40), 0, 0, 40, 40, kWhite), 0);
  ItemRecord& point = test::AddShape(list, kKindSquare, {{10, 10}, {10, 10}, {10, 10}, {10, 10}});
  test::Apply(point, {-2, 0, 0.0, 127});
  EXPECT_EQ(test::CountOther(Render(list, point, 40), 0, 0, 40, 40, kWhite), 0);
}

TEST(ShadeShape, AClearShapeShadesItsOutlineOnly) {
  for (int32_t kind : {kKindCircle, kKindEllipse, kKindRectangle, kKindStar}) {
    ItemList list;
    ItemRecord& item = test::Apply(BigSample(list, kind), {-1, 0x202020, 1.0, 127});
    Bitmap b(130, 130);
    b.Fill(0x00FF00);
    RenderItem(b, item, list, {0, 0}, 1.0, 1.0);
    EXPECT_EQ(b.Pixel(60, 60), 0x00FF00u) << kind;
    EXPECT_GT(test::CountOther(b, 0, 0, 130, 130, 0x00FF00), 100) << kind;
  }
}

TEST(ShadeShape, TheHighlightFollowsTheLight) {
  const struct {
    int light;
    bool left, top;
  } cases[] = {{0, true, true}, {1, false, true}, {2, true, false}, {3, false, false}};
  for (auto [light, left, top] : cases) {
    ItemList list;
    test::AddLightPage(list, light);
    ItemRecord& circle = test::Apply(test::AddCircle(list, {60, 60}, 50), {-2, 0x606060, 0.0, 127});
    const Bitmap b = Render(list, circle);
    Point best;
    int bright = -1;
    for (int y = 0; y < 130; ++y) {
      for (int x = 0; x < 130; ++x) {
        if (b.Pixel(x, y) != kWhite && RedOf(b.Pixel(x, y)) > bright) {
          bright = RedOf(b.Pixel(x, y));
          best = {x, y};
        }
      }
    }
    EXPECT_EQ(best.x < 60, left) << light;
    EXPECT_EQ(best.y < 60, top) << light;
  }
}

TEST(ShadePictureFrame, ShadesTheMitredBorderAndLeavesThePicture) {
  for (int32_t width : {6, 14}) {
    Bitmap picture(48, 36);
    picture.Fill(0x00FF00);
    ShadePictureFrame(picture, width, 0.0, 0, 255, 0x123456);
    // Wide frames smooth two corners, where resampling may move a channel by one.
    EXPECT_EQ(test::CountOther(picture, width, 0, 48 - width, width, 0x123456), 0) << width;
    EXPECT_EQ(test::CountOther(picture, width, 36 - width, 48 - width, 36, 0x123456), 0);
    EXPECT_EQ(test::CountOther(picture, 0, width, width, 36 - width, 0x123456), 0) << width;
    EXPECT_EQ(test::CountOther(picture, width, width, 48 - width, 36 - width, 0x00FF00), 0);

    ShadePictureFrame(picture, width, 0.3, 1, 127, 0x123456);
    // Along a side every column (left, right) or row (top, bottom) of the frame is one colour.
    EXPECT_EQ(picture.Pixel(1, width + 2), picture.Pixel(1, 36 - width - 3));
    EXPECT_EQ(picture.Pixel(width + 2, 2), picture.Pixel(48 - width - 3, 2));
    EXPECT_EQ(test::CountOther(picture, width, width, 48 - width, 36 - width, 0x00FF00), 0);
  }
}

TEST(ShadeRound, ShadesTheRingOutsideTheRoundPicture) {
  Bitmap b(80, 80);
  Primitives target(b);
  ShadeRound(target, {40, 40}, 20, 8, 0, 255, 0x123456);
  EXPECT_EQ(b.Pixel(40 + 24, 40), 0x123456u);
  EXPECT_EQ(b.Pixel(40, 40 - 24), 0x123456u);
  EXPECT_EQ(b.Pixel(40, 40), kWhite);
  EXPECT_EQ(b.Pixel(40 + 15, 40), kWhite);
  EXPECT_EQ(b.Pixel(40 + 30, 40), kWhite);
  Bitmap small(20, 20);
  Primitives smallTarget(small);
  ShadeRound(smallTarget, {10, 10}, 2, 4, 0, 127, 0);
  EXPECT_EQ(test::CountOther(small, 0, 0, 20, 20, kWhite), 0);
}

TEST(ShadeTextLine, MarkedPixelsTakeTheStripAndOthersStay) {
  Bitmap b(40, 30);
  Primitives target(b);
  MarkerMask mask = NewMarkerMask(target, {5, 5, 34, 24});
  for (int x = 10; x < 20; ++x)
    mask.bitmap.SetPixel(x, 8, kMarkerBlue);
  ShadeTextLine(target, mask, {5, 20}, {35, 20}, 12, 0.0, 0, 255, 0x123456);
  EXPECT_EQ(b.Pixel(15, 13), 0x123456u);
  EXPECT_EQ(b.Pixel(15, 14), kWhite);
  EXPECT_EQ(test::CountOther(b, 0, 0, 40, 30, kWhite), 10);
}

}  // namespace
}  // namespace quillon
