// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Shadows.h"

#include <gtest/gtest.h>

#include <memory>

#include "SceneFixtures.h"
#include "render/RenderItem.h"

namespace quillon {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0;

// A record with these shadow fields.
std::unique_ptr<ItemRecord> Shadowed(int size, int softness = 0, int lightness = 0) {
  auto r = std::make_unique<ItemRecord>();
  r->setShadowSize(static_cast<uint8_t>(size));
  r->setShadowSoftness(static_cast<uint8_t>(softness));
  r->setShadowLightness(static_cast<uint8_t>(lightness));
  return r;
}

TEST(ShadowOffset, PresetsAtTheScreenAndAtPrintScale) {
  const ScreenMetrics screen96;
  const struct {
    int size;
    int32_t g;
  } presets[] = {{30, 4}, {50, 6}, {70, 8}, {1, 0}, {4, 0}, {5, 1}, {255, 30}};
  for (auto [size, g] : presets)
    EXPECT_EQ(ShadowOffset(*Shadowed(size), 1.0, screen96), g) << size;
  // At 200 dpi: 4 * 200 / 96 = 8.33 and 8 * 200 / 96 = 16.67.
  EXPECT_EQ(ShadowOffset(*Shadowed(30), 200 / 96.0, screen96), 8);
  EXPECT_EQ(ShadowOffset(*Shadowed(70), 200 / 96.0, screen96), 17);
  EXPECT_EQ(ShadowOffset(*Shadowed(50), 1.0, ScreenMetrics{120, 120}), 8);  // 6 / 96 * 120 = 7.5
  // The window rounds the screen distance first: 6 * 1.25 = 7.5 -> 8, 4 * 1.25 = 5.
  EXPECT_EQ(WindowShadowOffset(*Shadowed(50), 1.25, screen96), 8);
  EXPECT_EQ(WindowShadowOffset(*Shadowed(30), 1.25, screen96), 5);
}

TEST(ShadowSpread, FollowsTheSoftnessWithinItsLimits) {
  EXPECT_DOUBLE_EQ(ShadowSpread(*Shadowed(50, 0)), 1.0);
  EXPECT_DOUBLE_EQ(ShadowSpread(*Shadowed(50, 30)), 2.0);
  EXPECT_DOUBLE_EQ(ShadowSpread(*Shadowed(50, 255)), 5.0);
  EXPECT_DOUBLE_EQ(PictureShadowSpread(*Shadowed(50, 85)), 2.0);
  EXPECT_DOUBLE_EQ(PictureShadowSpread(*Shadowed(50, 255)), 2.0);
  EXPECT_EQ(ShadowTone(*Shadowed(50, 0, 110)), 0x6E0000u);
}

// A white solid box 20..40 with a hard black shadow (g = 6), under a light direction byte.
Bitmap HardShadow(int lightByte) {
  ItemList list;
  test::AddLightPage(list, lightByte);
  ItemRecord& box = test::AddBox(list, {20, 20}, {40, 40});
  test::Apply(box, {-2, int32_t(kWhite), 0.0, 0, 50, 0, 0});
  Bitmap b(60, 60);
  RenderItem(b, box, list, {0, 0}, 1.0, 1.0);
  return b;
}

TEST(DrawShadow, AHardBlackShadowLiesExactlyGPixelsAwayFromTheLight) {
  const struct {
    int light;
    int dx, dy;
  } directions[] = {{0, 6, 6}, {1, -6, 6}, {2, 6, -6}, {3, -6, -6}, {7, 6, 6}};
  for (auto [light, dx, dy] : directions) {
    const Bitmap b = HardShadow(light);
    // The silhouette covers 20 .. 40 moved by (dx, dy); the white body hides its own part.
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 60; ++x) {
        const bool body = x >= 20 && x <= 40 && y >= 20 && y <= 40;
        const bool shadow = x >= 20 + dx && x <= 40 + dx && y >= 20 + dy && y <= 40 + dy;
        ASSERT_EQ(b.Pixel(x, y), shadow && !body ? kBlack : kWhite)
            << "light " << light << " at " << x << "," << y;
      }
    }
  }
}

TEST(DrawShadow, AClearShapeCastsOnlyItsOutline) {
  ItemList list;
  test::AddLightPage(list);
  ItemRecord& box = test::AddBox(list, {10, 10}, {40, 40});
  test::Apply(box, {-1, int32_t(kWhite), 0.0, 0, 50, 0, 0});
  Bitmap b(60, 60);
  RenderItem(b, box, list, {0, 0}, 1.0, 1.0);
  EXPECT_EQ(b.Pixel(46, 30), kBlack);  // the right side moved by 6
  EXPECT_EQ(b.Pixel(30, 46), kBlack);
  EXPECT_EQ(b.Pixel(30, 30), kWhite);  // no silhouette inside
}

TEST(DrawShadow, SmallShadowsHideUnderTheItemAndShowOnlyTheirFringe) {
  // Size 3 gives g = 0; softness blurs the silhouette, which shows round the body.
  ItemList list;
  test::AddLightPage(list);
  ItemRecord& box = test::AddBox(list, {20, 20}, {40, 40});
  test::Apply(box, {-2, int32_t(kWhite), 0.0, 0, 3, 40, 0});
  Bitmap b(60, 60);
  RenderItem(b, box, list, {0, 0}, 1.0, 1.0);
  EXPECT_LT(RedOf(b.Pixel(41, 30)), 250);
  EXPECT_LT(RedOf(b.Pixel(19, 30)), 250);  // on the lit side too: nothing is offset
  EXPECT_EQ(b.Pixel(30, 30), kWhite);
}

TEST(DrawShadow, PrintScaleBlursWhatTheScreenKeepsSharp) {
  // Softness 0 leaves the mask alone at scale 1; at scale 2 it is halved and enlarged again.
  for (double scale : {1.0, 2.0}) {
    ItemList list;
    test::AddLightPage(list);
    ItemRecord& box = test::AddBox(list, {10, 10}, {30, 30});
    test::Apply(box, {-2, int32_t(kWhite), 0.0, 0, 50, 0, 0});
    Bitmap b(100, 100);
    RenderItem(b, box, list, {0, 0}, scale, scale);
    int grey = 0;
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 100; ++x)
        grey += RedOf(b.Pixel(x, y)) > 0 && RedOf(b.Pixel(x, y)) < 250;
    }
    if (scale == 1.0) {
      EXPECT_EQ(grey, 0);
    } else {
      EXPECT_GT(grey, 40);
    }
  }
}

TEST(ShadowExtent, GrowsTheBoxTowardsTheShadow) {
  const auto owned = Shadowed(50, 20);  // c = 6 + 20
  ItemRecord& item = *owned;
  item.setBoundLeft(10);
  item.setBoundTop(20);
  item.setBoundRight(110);
  item.setBoundBottom(220);
  const ScreenMetrics screen;
  EXPECT_EQ(ShadowExtent(item, 0, screen), (BoundingBox{10, 20, 136, 246}));
  EXPECT_EQ(ShadowExtent(item, 1, screen), (BoundingBox{-16, 20, 110, 246}));
  EXPECT_EQ(ShadowExtent(item, 2, screen), (BoundingBox{10, -6, 136, 220}));
  EXPECT_EQ(ShadowExtent(item, 3, screen), (BoundingBox{-16, -6, 110, 220}));
  // A framed picture grows by its frame on every side, which the shadow's reach then counts.
  item.setKind(kKindPicture);
  item.setFrame(1);
  item.setLineWeight(1.0);  // 4 pixels
  EXPECT_EQ(ShadowExtent(item, 0, screen), (BoundingBox{6, 16, 136, 246}));
  item.setShadowSize(0);
  EXPECT_EQ(ShadowExtent(item, 0, screen), (BoundingBox{6, 16, 114, 224}));
}

TEST(ShadowMargin, ShadowAndFrameReachAtAScale) {
  const auto owned = Shadowed(50, 30);  // g = 6, spread 2
  ItemRecord& item = *owned;
  item.setLineWeight(1.0);
  const ScreenMetrics screen;
  EXPECT_EQ(ShadowMargin(item, 1.0, screen), 4 + 12);
  EXPECT_EQ(ShadowMargin(item, 2.0, screen), 8 + 24);
  EXPECT_EQ(FrameMargin(item, 2.0, screen), 0);
  item.setFrame(255);
  EXPECT_EQ(FrameMargin(item, 2.0, screen), 8);
  item.setShadowSize(0);
  EXPECT_EQ(ShadowMargin(item, 1.0, screen), 0);
}

TEST(CastShadow, AMaskFarLargerThanTheTargetDarkensOnlyWhatItCovers) {
  Bitmap b(50, 40);
  Primitives target(b);
  const BoundingBox area{-100000, -100000, 100000, 100000};
  CastShadow(target, area, {0, 0}, 10, 1.0, [](Primitives& mask) {
    const Point half[] = {{-90000, -90000}, {25, -90000}, {25, 90000}, {-90000, 90000}};
    mask.Polygon(half, kBlack, Pen{kBlack, 0});
  });
  EXPECT_EQ(b.Pixel(5, 20), kBlack);
  EXPECT_GE(RedOf(b.Pixel(45, 20)), 254);  // blurred white can lose one
  EXPECT_GT(RedOf(b.Pixel(25, 20)), 0);
  EXPECT_LT(RedOf(b.Pixel(25, 20)), 255);
}

}  // namespace
}  // namespace quillon
