// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Shadows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <random>

#include "SceneFixtures.h"
#include "render/Blend.h"
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

// The shadow pipeline the plain way: the whole mask painted, blurred and multiplied in, cut only
// where it is far larger than the target.
void WholeMaskShadow(Primitives& target, const BoundingBox& area, Point shift, int softness,
                     double blurScale, const std::function<void(Primitives& mask)>& paint) {
  BoundingBox cut = area;
  const BoundingBox visible = target.Area();
  if (area.right < visible.left || area.left > visible.right || area.bottom < visible.top ||
      area.top > visible.bottom) {
    return;
  }
  const auto pixels = [](const BoundingBox& b) {
    return (double(b.right) - b.left + 1) * (double(b.bottom) - b.top + 1);
  };
  if (pixels(area) > 2 * pixels(visible) + double(1 << 22) ||
      int64_t{area.right} - area.left >= kMaxBitmapSide / 2 ||
      int64_t{area.bottom} - area.top >= kMaxBitmapSide / 2) {
    const double ratio = (softness + 10) / 10.0 * std::max(blurScale, 1.0);
    const int64_t reach = static_cast<int64_t>(std::ceil(4 * ratio)) + 8;
    cut.left = ClampToInt32(std::max<int64_t>(area.left, visible.left - reach));
    cut.top = ClampToInt32(std::max<int64_t>(area.top, visible.top - reach));
    cut.right = ClampToInt32(std::min<int64_t>(area.right, int64_t{visible.right} + reach));
    cut.bottom = ClampToInt32(std::min<int64_t>(area.bottom, int64_t{visible.bottom} + reach));
  }
  Bitmap mask(cut.right - cut.left + 1, cut.bottom - cut.top + 1);
  {
    Primitives silhouette(mask, {cut.left - shift.x, cut.top - shift.y});
    paint(silhouette);
  }
  BlurMask(mask, softness, blurScale);
  ComposeShadow(target, mask, {cut.left, cut.top});
}

Bitmap Noise(int width, int height, std::mt19937& random) {
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y) {
    for (int i = 0; i < 3 * width; ++i)
      b.Row(y)[i] = static_cast<uint8_t>(random());
  }
  return b;
}

bool SameBytes(const Bitmap& a, const Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y) {
    if (!std::equal(a.Row(y), a.Row(y) + 3 * a.width(), b.Row(y))) return false;
  }
  return true;
}

// Only the part of a shadow over the target is made, from the rows of the mask that reach it;
// on whole targets, bands of a sheet and small windows alike every pixel is the whole mask's.
TEST(CastShadow, EveryPartOfTheTargetGetsTheWholeMasksPixels) {
  std::mt19937 random(2029);
  const int softnesses[] = {0, 3, 20, 30, 100, 255};
  const double scales[] = {1.0, 2.0833, 6.25};
  enum Target { kWhole, kBand, kWindow };
  for (int trial = 0; trial < 240; ++trial) {
    SCOPED_TRACE(trial);
    const Target kind = static_cast<Target>(trial % 3);
    const int softness = softnesses[random() % std::size(softnesses)];
    const double scale = scales[random() % std::size(scales)];
    const Point shift{static_cast<int32_t>(random() % 61) - 30,
                      static_cast<int32_t>(random() % 61) - 30};
    // Areas up to 500 pixels a side about a 300 x 360 sheet, now and then one far larger.
    const bool huge = random() % 10 == 0;
    const int32_t left = static_cast<int32_t>(random() % 500) - 200;
    const int32_t top = static_cast<int32_t>(random() % 600) - 200;
    const int32_t w = huge ? 5000 : 1 + static_cast<int32_t>(random() % 500);
    const int32_t h = huge ? 5000 : 1 + static_cast<int32_t>(random() % 500);
    const BoundingBox area{left, top, left + w - 1, top + h - 1};
    std::vector<Point> corners;
    for (int k = 3 + static_cast<int>(random() % 4); k > 0; --k) {
      corners.push_back({left + static_cast<int32_t>(random() % (w + 40)) - 20,
                         top + static_cast<int32_t>(random() % (h + 40)) - 20});
    }
    const uint32_t tone = ColourOf(0, 0, static_cast<uint8_t>(random()));
    const bool ellipse = random() % 3 == 0;
    const int32_t penWidth = static_cast<int32_t>(random() % 3);
    const auto paint = [&](Primitives& mask) {
      if (ellipse) {
        mask.Ellipse({left + w / 5, top + h / 4, left + w - w / 6, top + h - h / 5}, tone,
                     Pen{tone, 3});
      } else {
        mask.Polygon(corners, tone, Pen{tone, penWidth});
      }
    };
    const Bitmap sheet = Noise(300, 360, random);
    const int bandTop = static_cast<int>(random() % 300);
    const int bandRows = 1 + static_cast<int>(random() % 60);
    const int32_t windowLeft = static_cast<int32_t>(random() % 300);
    Bitmap made, expected;
    const auto draw = [&](Bitmap& out, auto&& cast) {
      switch (kind) {
        case kWhole: {
          out = sheet.Clone();
          Primitives target(out, {-7, 11});
          cast(target);
          break;
        }
        case kBand: {
          out = Bitmap(sheet.width(), bandRows);
          out.CopyFrom(sheet, 0, bandTop, sheet.width(), bandRows, 0, 0);
          Primitives target(out, {0, 0}, bandTop, sheet.height());
          cast(target);
          break;
        }
        case kWindow: {
          out = Bitmap(40, 30);
          out.CopyFrom(sheet, 0, 0, 40, 30, 0, 0);
          Primitives target(out, {windowLeft, bandTop});
          cast(target);
          break;
        }
      }
    };
    draw(made, [&](Primitives& t) { CastShadow(t, area, shift, softness, scale, paint); });
    draw(expected, [&](Primitives& t) { WholeMaskShadow(t, area, shift, softness, scale, paint); });
    ASSERT_TRUE(SameBytes(made, expected))
        << "softness " << softness << " scale " << scale << " area " << w << " x " << h;
  }
}

// A band of a sheet under a tall soft shadow pays for its own rows: the silhouette is painted
// only where its blur can reach the band, not over the whole mask.
TEST(CastShadow, ABandPaintsOnlyTheSilhouetteRowsThatReachIt) {
  constexpr int kSheetHeight = 6000;
  Bitmap band(400, 100);
  Primitives target(band, {0, 0}, 3000, kSheetHeight);
  const BoundingBox area{50, 100, 350, 5900};
  int paintedRows = 0;
  CastShadow(target, area, {10, 10}, 20, 6.25, [&](Primitives& mask) {
    paintedRows = mask.bitmap().height();
    const Point box[] = {{60, 110}, {340, 110}, {340, 5890}, {60, 5890}};
    mask.Polygon(box, kBlack, Pen{kBlack, 0});
  });
  EXPECT_GT(paintedRows, 100);
  EXPECT_LT(paintedRows, 400) << "of a mask 5800 rows high";
  EXPECT_LT(RedOf(band.Pixel(200, 50)), 255) << "the band is darkened all the same";
}

}  // namespace
}  // namespace quillon
