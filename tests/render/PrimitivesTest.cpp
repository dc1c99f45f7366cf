// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Primitives.h"

#include <gtest/gtest.h>

#include "SceneFixtures.h"

namespace quillon {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0;

TEST(Primitives, OnePixelPolylinesLeaveOutTheirLastPixelWhicheverWayTheyRun) {
  const struct {
    Point a, b;
  } segments[] = {{{2, 5}, {8, 5}}, {{8, 5}, {2, 5}}, {{5, 2}, {5, 8}}, {{5, 8}, {5, 2}},
                  {{2, 2}, {8, 8}}, {{8, 8}, {2, 2}}, {{8, 2}, {2, 8}}, {{2, 3}, {9, 5}},
                  {{9, 5}, {2, 3}}, {{4, 9}, {6, 1}}};
  for (auto [a, b] : segments) {
    Bitmap bitmap(12, 12);
    Primitives p(bitmap);
    const Point line[] = {a, b};
    p.Polyline(line, Pen{kBlack, 1});
    EXPECT_EQ(bitmap.Pixel(a.x, a.y), kBlack) << a.x << "," << a.y << " to " << b.x << "," << b.y;
    EXPECT_EQ(bitmap.Pixel(b.x, b.y), kWhite) << a.x << "," << a.y << " to " << b.x << "," << b.y;
    const int length = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
    EXPECT_EQ(test::CountOther(bitmap, 0, 0, 12, 12, kWhite), length);
  }
  // Joined segments: every corner drawn once, the last point left out.
  Bitmap b(20, 10);
  Primitives p(b);
  const Point path[] = {{2, 5}, {8, 5}, {8, 1}, {3, 1}};
  p.Polyline(path, Pen{kBlack, 1});
  EXPECT_EQ(b.Pixel(8, 1), kBlack);
  EXPECT_EQ(b.Pixel(3, 1), kWhite);
  EXPECT_EQ(test::CountOther(b, 0, 0, 20, 10, kWhite), 6 + 4 + 5);
}

TEST(Primitives, PolygonsFillByTheAlternateRuleAndTheirPenIsCentred) {
  Bitmap b(60, 60);
  Primitives p(b);
  // A pentagram: its middle is inside twice and stays empty.
  const Point star[] = {{30, 2}, {48, 56}, {2, 22}, {58, 22}, {12, 56}};
  p.Polygon(star, kBlack, Pen{kBlack, 0});
  EXPECT_EQ(b.Pixel(30, 32), kWhite);
  EXPECT_EQ(b.Pixel(30, 10), kBlack);
  // A five-pixel pen on the edge x = 10 covers 8 .. 12.
  Bitmap c(40, 40);
  Primitives q(c);
  const Point box[] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}};
  q.Polygon(box, std::nullopt, Pen{kBlack, 5});
  EXPECT_EQ(c.Pixel(7, 20), kWhite);
  EXPECT_EQ(c.Pixel(8, 20), kBlack);
  EXPECT_EQ(c.Pixel(12, 20), kBlack);
  EXPECT_EQ(c.Pixel(13, 20), kWhite);
}

TEST(Primitives, OnePixelOutlinesCoverTheirBoxIncludingTheFarEdges) {
  Bitmap b(30, 30);
  Primitives p(b);
  const Point box[] = {{5, 5}, {15, 5}, {15, 15}, {5, 15}};
  p.Polygon(box, 0x00FF00, Pen{kBlack, 1});
  EXPECT_EQ(b.Pixel(5, 10), kBlack);
  EXPECT_EQ(b.Pixel(15, 10), kBlack);
  EXPECT_EQ(b.Pixel(10, 15), kBlack);
  EXPECT_EQ(b.Pixel(10, 10), 0x00FF00u);
  EXPECT_EQ(b.Pixel(16, 10), kWhite);
  Bitmap e(30, 30);
  Primitives q(e);
  q.Ellipse({5, 5, 15, 15}, std::nullopt, Pen{kBlack, 1});
  EXPECT_EQ(e.Pixel(15, 10), kBlack);
  EXPECT_EQ(e.Pixel(5, 10), kBlack);
  EXPECT_EQ(e.Pixel(16, 10), kWhite);
}

TEST(Primitives, TheOriginMovesEverythingDrawn) {
  Bitmap b(10, 10);
  Primitives p(b, {100, 200});
  const Point box[] = {{102, 202}, {106, 202}, {106, 206}, {102, 206}};
  p.Polygon(box, kBlack, Pen{kBlack, 0});
  EXPECT_EQ(b.Pixel(2, 2), kBlack);
  EXPECT_EQ(b.Pixel(5, 5), kBlack);
  EXPECT_EQ(b.Pixel(6, 6), kWhite);
  EXPECT_EQ(p.Area(), (BoundingBox{100, 200, 109, 209}));
}

TEST(Primitives, FarAwayGeometryIsClippedWithoutMovingItsEdges) {
  // The upper right half of the plane, cut by the diagonal y = x, reaching a billion pixels out.
  Bitmap b(40, 30);
  Primitives p(b, {-5, 3});
  const Point half[] = {
      {-1000000000, -1000000000}, {1000000000, -1000000000}, {1000000000, 1000000000}};
  p.Polygon(half, kBlack, Pen{kBlack, 0});
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const int tx = x - 5, ty = y + 3;
      if (tx == ty) continue;
      ASSERT_EQ(b.Pixel(x, y), ty < tx ? kBlack : kWhite) << x << "," << y;
    }
  }
  // A far polyline crossing the bitmap on row 7.
  Bitmap c(20, 20);
  Primitives q(c);
  const Point line[] = {{-2000000000, 7}, {2000000000, 7}};
  q.Polyline(line, Pen{kBlack, 1});
  EXPECT_EQ(test::CountOther(c, 0, 7, 20, 8, kBlack), 0);
  EXPECT_EQ(test::CountOther(c, 0, 0, 20, 7, kWhite), 0);
}

TEST(Primitives, FarCurvesAndEllipsesAreFlattenedNearTheBitmapOnly) {
  // A circle of a million pixels whose leftmost point is (20, 20).
  Bitmap b(40, 40);
  Primitives p(b);
  p.Ellipse({20, -999980, 2000020, 1000020}, kBlack, Pen{kBlack, 0});
  EXPECT_EQ(b.Pixel(25, 20), kBlack);
  EXPECT_EQ(b.Pixel(15, 20), kWhite);
  // A straight far chain along row 10, stroked: its control points lie on the line.
  Bitmap c(40, 40);
  Primitives q(c);
  const Point chain[] = {{-1000000000, 10}, {-500, 10}, {500, 10}, {1000000000, 10}};
  q.Bezier(chain, std::nullopt, Pen{kBlack, 1});
  EXPECT_EQ(test::CountOther(c, 0, 10, 40, 11, kBlack), 0);
  EXPECT_EQ(test::CountOther(c, 0, 11, 40, 40, kWhite), 0);
}

TEST(Primitives, AnEmptyBitmapIsLeftAlone) {
  Bitmap none;
  Primitives p(none);
  const Point box[] = {{0, 0}, {5, 0}, {5, 5}};
  p.Polygon(box, kBlack, Pen{kBlack, 3});
  p.Ellipse({0, 0, 4, 4}, kBlack, Pen{kBlack, 1});
  EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace quillon
