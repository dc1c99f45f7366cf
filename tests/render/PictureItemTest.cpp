// SPDX-License-Identifier: GPL-3.0-or-later
// Picture items through the item renderer: the source, the clip, scaling, mirroring, rotation,
// frames, round clips, shadows, failures, and the window's forms and cache.
#include "render/PictureItem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "PictureFixtures.h"
#include "SceneFixtures.h"
#include "render/RenderItem.h"
#include "render/decoders/DecodePicture.h"

namespace quillon {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kYellow = 0x00FFFF;
using test::AddPicture;
using test::AddSource;
using test::kSource;
using test::Quadrants;

Bitmap Render(const ItemList& list, const ItemRecord& item, const RenderMode& mode = {},
              int size = 80) {
  Bitmap b(size, size);
  RenderItem(b, item, list, {0, 0}, 1.0, 1.0, mode);
  return b;
}

bool Same(const Bitmap& a, const Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), 3 * std::size_t(a.width())) != 0) return false;
  }
  return true;
}

// Mitchell weights in 1/256 need not sum to one: flat areas may come out a few levels off.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 4) {
      return ::testing::AssertionFailure() << std::hex << actual << " is not " << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

bool AllWhite(const Bitmap& b) {
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if (b.Pixel(x, y) != kWhite) return false;
  return true;
}

TEST(PictureItem, TheClipIsScaledToTheBoxAndClipCornersMayBeSwapped) {
  ItemList list;
  test::AddLightPage(list);
  AddSource(list, Quadrants(20, 20));
  ItemRecord& picture = AddPicture(list, {10, 10}, {50, 50}, 20, 20);
  const Bitmap b = Render(list, picture);
  EXPECT_EQ(b.Pixel(9, 20), kWhite);
  EXPECT_EQ(b.Pixel(15, 15), kRed);
  EXPECT_EQ(b.Pixel(45, 15), kGreen);
  EXPECT_EQ(b.Pixel(15, 45), kBlue);
  EXPECT_EQ(b.Pixel(45, 45), kYellow);
  EXPECT_EQ(b.Pixel(49, 49), kYellow);
  EXPECT_EQ(b.Pixel(50, 49), kWhite) << "the box is 40 pixels wide";

  picture.setClipLeft(20);
  picture.setClipRight(0);
  picture.setClipTop(20);
  picture.setClipBottom(0);
  EXPECT_TRUE(Same(Render(list, picture), b));

  // A clip of the right half only shows green and yellow.
  picture.setClipLeft(10);
  picture.setClipRight(20);
  const Bitmap half = Render(list, picture);
  EXPECT_EQ(half.Pixel(15, 15), kGreen);
  EXPECT_EQ(half.Pixel(15, 45), kYellow);
}

TEST(PictureItem, SignsMirrorAndFlip) {
  struct Case {
    double scaleX, scaleY;
    int mirrorSign, flipSign, rightAngle;
    uint32_t topLeft;
    uint32_t topRight;
  };
  const Case cases[] = {
      {-1, 1, 1, 1, 0, kGreen, kRed},         // scaleX mirrors
      {1, -1, 1, 1, 0, kBlue, kYellow},       // scaleY flips
      {-2.5, -0.5, 1, 1, 0, kYellow, kBlue},  // only the signs count
      {1, 1, -1, 1, 0, kGreen, kRed},         // the source mirrored
      {1, 1, 1, 1, 180, kYellow, kBlue},      // the source turned half round
      {1, 1, 1, 1, 90, kGreen, kYellow},      // a quarter turn counter-clockwise
      {1, 1, 1, 1, 270, kBlue, kRed},         // three quarters
  };
  for (const Case& c : cases) {
    ItemList list;
    test::AddLightPage(list);
    AddSource(list, Quadrants(20, 20));
    ItemRecord& picture = AddPicture(list, {10, 10}, {50, 50}, 20, 20);
    picture.setScaleX(c.scaleX);
    picture.setScaleY(c.scaleY);
    picture.setMirrorSign(c.mirrorSign);
    picture.setFlipSign(c.flipSign);
    picture.setRightAngle(c.rightAngle);
    const Bitmap b = Render(list, picture);
    EXPECT_EQ(b.Pixel(15, 15), c.topLeft) << c.scaleX << " " << c.mirrorSign << " " << c.rightAngle;
    EXPECT_EQ(b.Pixel(45, 15), c.topRight)
        << c.scaleX << " " << c.mirrorSign << " " << c.rightAngle;
  }
}

TEST(PictureItem, DecodeSourceOrientsAndRefusesTinyOrBrokenPictures) {
  ItemList list;
  AddSource(list, Quadrants(21, 10));
  ItemRecord& picture = AddPicture(list, {0, 0}, {10, 10}, 21, 10);
  Bitmap b = DecodeSource(picture, list);
  EXPECT_EQ(b.width(), 21);
  picture.setRightAngle(90);
  b = DecodeSource(picture, list);
  EXPECT_EQ(b.width(), 10) << "turned a quarter, the odd width trimmed";
  EXPECT_EQ(b.height(), 20);

  ItemList tiny;
  AddSource(tiny, Quadrants(1, 30));
  EXPECT_TRUE(DecodeSource(AddPicture(tiny, {0, 0}, {10, 10}, 1, 30), tiny).empty());

  ItemList broken;
  ItemRecord& source = AddSource(broken, Quadrants(20, 20));
  source.pictureData.resize(30);
  ItemRecord& item = AddPicture(broken, {10, 10}, {50, 50}, 20, 20);
  test::Apply(item, {-1, 0, 1.0, 0, 50, 0, 0});
  item.setFrame(1);
  EXPECT_TRUE(DecodeSource(item, broken).empty());
  EXPECT_TRUE(AllWhite(Render(broken, item))) << "a broken source draws nothing, not even a frame";
  item.setSourceNumber(kSource + 1);
  EXPECT_TRUE(AllWhite(Render(broken, item))) << "nor does a missing one";
}

TEST(PictureItem, RotationZeroKeepsOddSizesAndAHalfTurnTurnsThePicture) {
  ItemList list;
  test::AddLightPage(list);
  AddSource(list, Quadrants(20, 20));
  ItemRecord& picture = AddPicture(list, {10, 10}, {51, 51}, 20, 20);
  Bitmap b = Render(list, picture);
  EXPECT_EQ(b.Pixel(50, 50), kYellow) << "41 pixels wide, not trimmed";
  EXPECT_TRUE(Near(b.Pixel(51, 50), kWhite));

  picture.setRotation(std::numbers::pi);
  b = Render(list, picture);
  EXPECT_TRUE(Near(b.Pixel(15, 15), kYellow));
  EXPECT_TRUE(Near(b.Pixel(45, 15), kBlue));
  EXPECT_TRUE(Near(b.Pixel(45, 45), kRed));

  // A quarter turn keeps the picture about the box's centre.
  picture.setRotation(std::numbers::pi / 2);
  b = Render(list, picture);
  EXPECT_TRUE(Near(b.Pixel(15, 15), kGreen));
  EXPECT_TRUE(Near(b.Pixel(15, 45), kRed));
  EXPECT_TRUE(Near(b.Pixel(30, 8), kWhite));
}

TEST(PictureItem, FramesAreFlatUpToThreePixelsAndShadedBeyond) {
  // 96 dpi: 3.78 pixels per mm; weights of 0.75 mm and 2 mm give 3 and 8 pixels.
  struct Case {
    double weight;
    int32_t width;
    bool flat;
  };
  for (const Case c : {Case{0.75, 3, true}, Case{2.0, 8, false}}) {
    ItemList list;
    test::AddLightPage(list);
    AddSource(list, Quadrants(20, 20));
    ItemRecord& picture = AddPicture(list, {20, 20}, {60, 60}, 20, 20);
    test::Apply(picture, {-1, int32_t(kBlue), c.weight, 127});
    picture.setFrame(1);
    const Bitmap b = Render(list, picture);
    EXPECT_EQ(b.Pixel(20 - c.width - 1, 40), kWhite) << c.weight;
    EXPECT_EQ(b.Pixel(25, 25), kRed) << c.weight;
    bool uniform = true;
    for (int i = 1; i <= c.width; ++i) {
      uniform = uniform && b.Pixel(20 - i, 40) == kBlue && b.Pixel(40, 60 + i - 1) == kBlue;
    }
    EXPECT_EQ(uniform, c.flat) << c.weight;
    // Without the surface even the wide frame is flat.
    picture.setSurface(0);
    EXPECT_EQ(Render(list, picture).Pixel(20 - c.width / 2, 40), kBlue);
  }
}

TEST(PictureItem, ARoundClipMasksOutsideItsCircleAndDrawsItsRing) {
  ItemList list;
  test::AddLightPage(list);
  AddSource(list, Quadrants(40, 40));
  ItemRecord& picture = test::AddItem(list, kKindPicture, {40, 40}, {70, 40});
  picture.setSourceNumber(kSource);
  picture.setClipShape(2);
  picture.setClipLeft(20);
  picture.setClipTop(20);
  picture.setClipRight(40);
  picture.setClipBottom(20);
  picture.setScaleX(1);
  picture.setScaleY(1);
  Bitmap b = Render(list, picture);
  EXPECT_EQ(b.Pixel(25, 25), kRed);
  EXPECT_EQ(b.Pixel(55, 55), kYellow);
  EXPECT_EQ(b.Pixel(12, 12), kWhite) << "the square's corner lies outside the circle";
  EXPECT_EQ(b.Pixel(67, 67), kWhite);

  test::Apply(picture, {-1, int32_t(kBlue), 0.5});
  picture.setFrame(1);
  b = Render(list, picture);
  EXPECT_EQ(b.Pixel(40, 9), kBlue) << "the ring lies just outside the circle";
  EXPECT_EQ(b.Pixel(30, 20), kRed);
}

TEST(PictureItem, APictureMostlyOutsideTheTargetIsMadeOnlyWhereItShows) {
  ItemList list;
  test::AddLightPage(list);
  AddSource(list, Quadrants(120, 90));
  for (const double scaleX : {1.0, -1.0}) {
    // 1200 x 900 pixels with a flat frame, of which a 64 x 48 window is shown.
    ItemRecord& picture = AddPicture(list, {10, 10}, {1210, 910}, 120, 90);
    test::Apply(picture, {-1, int32_t(kBlue), 1.0});
    picture.setFrame(1);
    picture.setScaleX(scaleX);
    picture.setContrast(40);
    Bitmap whole(1300, 1000);
    RenderItem(whole, picture, list, {0, 0}, 1.0, 1.0);
    for (const Point at : {Point{580, 430}, Point{0, 0}, Point{1180, 880}}) {
      Bitmap part(64, 48);
      RenderItem(part, picture, list, {-at.x, -at.y}, 1.0, 1.0);
      Bitmap expected(64, 48);
      expected.CopyFrom(whole, at.x, at.y, 64, 48, 0, 0);
      EXPECT_TRUE(Same(part, expected)) << scaleX << " at " << at.x << ", " << at.y;
    }
  }
}

TEST(PictureItem, ShadowsFallAwayFromTheLightOnlyWithSizeAndLightness) {
  for (int light : {0, 3}) {
    ItemList list;
    test::AddLightPage(list, light);
    AddSource(list, Quadrants(20, 20));
    ItemRecord& picture = AddPicture(list, {30, 30}, {60, 60}, 20, 20);
    test::Apply(picture, {-1, 0, 0.0, 0, 50, 0, 60});
    const Bitmap b = Render(list, picture, {}, 100);
    // Medium shadow: 6 pixels at 96 dpi.
    const Point lit = light == 0 ? Point{63, 63} : Point{26, 26};
    const Point dark = light == 0 ? Point{26, 26} : Point{63, 63};
    EXPECT_LT(BlueOf(b.Pixel(lit.x, lit.y)), 200) << light;
    EXPECT_EQ(b.Pixel(dark.x, dark.y), kWhite) << light;
    // Lightness 0 means no shadow for pictures.
    picture.setShadowLightness(0);
    EXPECT_EQ(Render(list, picture, {}, 100).Pixel(lit.x, lit.y), kWhite) << light;
  }
}

TEST(PictureItem, TheWindowCachesTheScaledPictureAndShowsOutlineForms) {
  ItemList list;
  test::AddLightPage(list);
  ItemRecord& source = AddSource(list, Quadrants(20, 20));
  ItemRecord& picture = AddPicture(list, {10, 10}, {50, 50}, 20, 20);
  RenderMode window;
  window.window = true;
  const Bitmap first = Render(list, picture, window);
  const PictureCache* cache = WindowPicture(picture);
  ASSERT_NE(cache, nullptr);
  EXPECT_EQ(cache->framed.width(), 40);
  EXPECT_EQ(cache->BeforeFrame().width(), 40);
  // The second paint takes the cache: the source is no longer needed.
  source.pictureData.clear();
  EXPECT_TRUE(Same(Render(list, picture, window), first));
  // Another zoom needs another size and the source again.
  Bitmap zoomed(80, 80);
  RenderItem(zoomed, picture, list, {0, 0}, 1.5, 1.5, window);
  EXPECT_TRUE(AllWhite(zoomed));

  RenderMode off = window;
  off.pictures = false;
  const Bitmap outline = Render(list, picture, off);
  EXPECT_EQ(outline.Pixel(30, 30), kWhite);
  int black = 0, yellow = 0;
  for (int x = 10; x <= 50; ++x) {
    black += outline.Pixel(x, 10) == 0;
    yellow += outline.Pixel(x, 10) == kYellow;
  }
  EXPECT_GT(black, 10);
  EXPECT_GT(yellow, 10);

  RenderMode loading = window;
  loading.busyLoading = true;
  const Bitmap busy = Render(list, picture, loading);
  EXPECT_EQ(busy.Pixel(30, 11), 12632256u) << "silver, inset by a pixel";
  EXPECT_EQ(busy.Pixel(30, 10), kWhite);
}

// A picture in the window with its cache, beside a second source of another picture.
struct CachedPictureScene {
  ItemList list;
  ItemRecord& page = test::AddLightPage(list);
  ItemRecord& source = AddSource(list, Quadrants(20, 20));
  ItemRecord& other = AddSource(list, Quadrants(20, 20).mirrored(true, true), kSource + 1);
  ItemRecord& picture = AddPicture(list, {10, 10}, {50, 50}, 20, 20);

  Bitmap Paint(const ItemRecord& item, double zoom = 1.0) const {
    RenderMode window;
    window.window = true;
    Bitmap b(90, 90);
    RenderItem(b, item, list, {0, 0}, zoom, zoom, window);
    return b;
  }
};

TEST(PictureItem, TheWindowCacheIsRemadeWhenAnythingItsLookDependsOnChanges) {
  using Change = void (*)(CachedPictureScene&);
  const auto shadedFrame = [](CachedPictureScene& s) {
    s.picture.setFrame(1);
    s.picture.setLineWeight(2.0);
    s.picture.setLineColor(0x2080C0);
    s.picture.setSurface(127);
  };
  struct Case {
    const char* name;
    Change setup;  // before the first paint
    Change change;
    double zoom = 1.0;  // of the second paint
  };
  const Case cases[] = {
      {"zoom", nullptr, [](CachedPictureScene&) {}, 1.25},
      {"box", nullptr, [](CachedPictureScene& s) { s.picture.setX2(62); }},
      {"clip", nullptr, [](CachedPictureScene& s) { s.picture.setClipLeft(6); }},
      {"round clip", nullptr, [](CachedPictureScene& s) { s.picture.setClipShape(2); }},
      {"saturation", nullptr, [](CachedPictureScene& s) { s.picture.setSaturation(-60); }},
      {"contrast", nullptr, [](CachedPictureScene& s) { s.picture.setContrast(-40); }},
      {"lightness", nullptr, [](CachedPictureScene& s) { s.picture.setLightness(30); }},
      {"mirrored", nullptr, [](CachedPictureScene& s) { s.picture.setScaleX(-1); }},
      {"flipped", nullptr, [](CachedPictureScene& s) { s.picture.setScaleY(-1); }},
      {"source turned", nullptr, [](CachedPictureScene& s) { s.picture.setRightAngle(90); }},
      {"source mirrored", nullptr, [](CachedPictureScene& s) { s.picture.setMirrorSign(-1); }},
      {"source flipped", nullptr, [](CachedPictureScene& s) { s.picture.setFlipSign(-1); }},
      {"source", nullptr, [](CachedPictureScene& s) { s.picture.setSourceNumber(kSource + 1); }},
      {"turned", nullptr, [](CachedPictureScene& s) { s.picture.setRotation(0.5); }},
      {"frame on", [](CachedPictureScene& s) { s.picture.setLineWeight(1.0); },
       [](CachedPictureScene& s) { s.picture.setFrame(1); }},
      {"frame weight",
       [](CachedPictureScene& s) {
         s.picture.setFrame(1);
         s.picture.setLineWeight(0.5);
       },
       [](CachedPictureScene& s) { s.picture.setLineWeight(1.5); }},
      {"frame colour",
       [](CachedPictureScene& s) {
         s.picture.setFrame(1);
         s.picture.setLineWeight(1.0);
       },
       [](CachedPictureScene& s) { s.picture.setLineColor(0x20C040); }},
      {"frame surface",
       [](CachedPictureScene& s) {
         s.picture.setFrame(1);
         s.picture.setLineWeight(2.0);
       },
       [](CachedPictureScene& s) { s.picture.setSurface(127); }},
      {"light", shadedFrame, [](CachedPictureScene& s) { s.page.setLightDirection(3); }},
      {"turn of a shaded frame",
       [](CachedPictureScene& s) {
         s.picture.setFrame(1);
         s.picture.setLineWeight(2.0);
         s.picture.setSurface(127);
         s.picture.setRotation(0.3);
       },
       [](CachedPictureScene& s) { s.picture.setRotation(0.6); }},
  };
  for (const Case& c : cases) {
    CachedPictureScene scene;
    if (c.setup != nullptr) c.setup(scene);
    const Bitmap before = scene.Paint(scene.picture);
    ASSERT_NE(WindowPicture(scene.picture), nullptr) << c.name;
    c.change(scene);
    const Bitmap after = scene.Paint(scene.picture, c.zoom);
    EXPECT_FALSE(Same(after, before)) << c.name << " shows";
    scene.picture.renderCache.reset();
    EXPECT_TRUE(Same(after, scene.Paint(scene.picture, c.zoom))) << c.name;
  }
}

TEST(PictureItem, TheWindowCacheOutlivesChangesThatKeepTheLook) {
  struct Case {
    const char* name;
    // Changes the scene and returns the picture record to paint.
    ItemRecord& (*change)(CachedPictureScene&);
  };
  const Case cases[] = {
      {"nothing", [](CachedPictureScene& s) -> ItemRecord& { return s.picture; }},
      {"moved",
       [](CachedPictureScene& s) -> ItemRecord& {
         s.picture.setX1(s.picture.x1() + 7);
         s.picture.setX2(s.picture.x2() + 7);
         s.picture.setY1(s.picture.y1() + 5);
         s.picture.setY2(s.picture.y2() + 5);
         return s.picture;
       }},
      {"selected and restacked",
       [](CachedPictureScene& s) -> ItemRecord& {
         s.picture.setSelected(1);
         s.picture.setStackLevel(9);
         return s.picture;
       }},
      {"fill colour",
       [](CachedPictureScene& s) -> ItemRecord& {
         s.picture.setFillColor(0x123456);
         return s.picture;
       }},
      {"copied for an edit step",
       [](CachedPictureScene& s) -> ItemRecord& { return CopyRecord(s.list, s.picture); }},
  };
  for (const Case& c : cases) {
    CachedPictureScene scene;
    scene.Paint(scene.picture);
    const PictureCache* kept = WindowPicture(scene.picture);
    ASSERT_NE(kept, nullptr) << c.name;
    ItemRecord& shown = c.change(scene);
    // Without its bytes the source cannot be decoded: only the cache can draw the picture now.
    const std::vector<uint8_t> bytes = std::exchange(scene.source.pictureData, {});
    const Bitmap cached = scene.Paint(shown);
    EXPECT_EQ(WindowPicture(shown), kept) << c.name;
    scene.source.pictureData = bytes;
    shown.renderCache.reset();
    EXPECT_TRUE(Same(cached, scene.Paint(shown))) << c.name;
  }
}

}  // namespace
}  // namespace quillon
