// SPDX-License-Identifier: GPL-3.0-or-later
// Random records with any field values, drawn into a small bitmap: no crash, no write outside
// the bitmap (the sanitizers watch), and no hang.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <random>

#include "PictureFixtures.h"
#include "SceneFixtures.h"
#include "render/RenderPage.h"

namespace quillon {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(HostileRender, RandomRecordsDrawSafelyIntoASmallBitmap) {
  const int32_t coordinates[] = {kMin, kMax, 0, -1, 1, 1 << 30, 20, 40, -3000, 100000, 24};
  const double reals[] = {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300,  -1e300, 0.0,
                          1e-300,       0.5,      5.0,       1000.0, -2.0};
  const int32_t counts[] = {kMin, kMax, 1024000, 1024001, -5, 0, 2, 3, 7, 40};
  const double scales[] = {1.0, 200 / 96.0, 0.001, 1e6, std::nan(""), 0.0, -1.5};
  const int32_t kinds[] = {kKindText,   kKindLine,    kKindTriangle, kKindSquare,  kKindRectangle,
                           kKindCircle, kKindEllipse, kKindPolygon,  kKindStar,    kKindPie,
                           kKindArc,    kKindSpline,  kKindCurve,    kKindPicture, kKindGroupFrame};
  std::mt19937 random(2024);
  const auto pick = [&](const auto& values) { return values[random() % std::size(values)]; };
  const auto byte = [&] { return static_cast<uint8_t>(random() & 0xFF); };
  const auto begin = std::chrono::steady_clock::now();
  QImage source;
  for (int round = 0; round < 600; ++round) {
    ItemList list;
    test::AddLightPage(list, byte());
    ItemRecord& r = NewRecord(list, pick(kinds));
    const int n = static_cast<int>(random() % 7);
    for (int k = 0; k < n; ++k) {
      PointEntry& e = NewPoint(r.points);
      e.point = {pick(coordinates), pick(coordinates)};
      e.handleIn = {pick(coordinates), pick(coordinates)};
      e.handleOut = {pick(coordinates), pick(coordinates)};
    }
    r.setX1(pick(coordinates));
    r.setY1(pick(coordinates));
    r.setX2(pick(coordinates));
    r.setY2(pick(coordinates));
    r.setAngle(pick(reals));
    r.setPenWidth(pick(counts));
    r.setSides(pick(counts));
    r.setShapeStyle(pick(counts) % 4);
    r.setLineWeight(pick(reals));
    r.setLineOutlineWeight(pick(reals));
    r.setLinePattern(static_cast<int32_t>(random() % 9) - 3);
    r.setFillColor(random() % 3 == 0   ? -2
                   : random() % 2 == 0 ? -1
                                       : static_cast<int32_t>(random()));
    r.setLineColor(static_cast<int32_t>(random()));
    r.setShadowSize(byte());
    r.setShadowSoftness(byte());
    r.setShadowLightness(byte());
    r.setSurface(random() % 2 == 0 ? 0 : byte());
    r.setStackLevel(1);
    SetText(r, u"A\u07ECB");
    // Text fields, and a picture's clip, orientation, adjustments and frame.
    r.setFontName("Arial");
    r.setFontSize(pick(counts));
    r.setTextAngle(pick(counts));
    r.setFontWeight(pick(counts));
    r.setJustification(byte());
    r.setSourceNumber(test::kSource);
    r.setClipShape(random() % 3);
    r.setClipLeft(pick(coordinates));
    r.setClipTop(pick(coordinates));
    r.setClipRight(pick(coordinates));
    r.setClipBottom(pick(coordinates));
    r.setScaleX(pick(reals));
    r.setScaleY(pick(reals));
    r.setRotation(pick(reals));
    r.setRightAngle(static_cast<int32_t>(random() % 5) * 90 - 90);
    r.setMirrorSign(pick(counts));
    r.setFlipSign(pick(counts));
    r.setSaturation(pick(counts));
    r.setContrast(pick(counts));
    r.setLightness(pick(counts));
    r.setFrame(byte());
    if (round == 0) source = test::Quadrants(7, 5);
    test::AddSource(list, source);
    // A custom pattern record with hostile lengths for the negative pattern numbers.
    ItemRecord& pattern = NewRecord(list, -1);
    pattern.setRecordClass(kClassLinePattern);
    pattern.setPatternCount(pick(counts));
    for (int i = 0; i < kPatternSegments; ++i)
      pattern.setPatternSegment(i, pick(reals));

    Bitmap target(48, 40);
    const double sx = pick(scales), sy = random() % 2 == 0 ? sx : pick(scales);
    RenderItem(target, r, list, {pick(coordinates) % 64, pick(coordinates) % 64}, sx, sy,
               RenderMode{.window = random() % 2 == 0});
    RenderPage(list, target, {0, 0}, sx, sy);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(120));
}

}  // namespace
}  // namespace quillon
