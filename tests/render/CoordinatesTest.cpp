// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Coordinates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(AngleOf, AxesFollowTheYUpConvention) {
  EXPECT_EQ(AngleOf({0, 0}, {0, 0}), 0);
  EXPECT_EQ(AngleOf({0, 0}, {5, 0}), 0);
  EXPECT_EQ(AngleOf({0, 0}, {-5, 0}), kPi);
  EXPECT_EQ(AngleOf({0, 0}, {0, -5}), kPi / 2);
  EXPECT_EQ(AngleOf({0, 0}, {0, 5}), 3 * kPi / 2);
  EXPECT_DOUBLE_EQ(AngleOf({0, 0}, {5, 5}), 7 * kPi / 4);
}

TEST(PolarPoint, RoundsEachCoordinateHalfToEvenAndPutsYUp) {
  EXPECT_EQ(PolarPoint({10, 10}, 5, 0), (Point{15, 10}));
  EXPECT_EQ(PolarPoint({10, 10}, 5, kPi / 2), (Point{10, 5}));
  // 2.5 * cos(0) = 2.5 rounds to 2, and 3.5 to 4.
  EXPECT_EQ(PolarPoint({0, 0}, 2.5, 0), (Point{2, 0}));
  EXPECT_EQ(PolarPoint({0, 0}, 3.5, 0), (Point{4, 0}));
  EXPECT_EQ(PolarPoint({kMax, kMin}, 1e300, 7 * kPi / 4), (Point{kMax, kMax}));
  EXPECT_EQ(PolarPoint({3, 4}, std::nan(""), 1.0), (Point{3, 4}));
}

TEST(WindowPoints, ZoomRoundsHalfToEvenAndScrollShifts) {
  // 1.5 * 3 = 4.5 rounds to 4; 1.5 * 5 = 7.5 rounds to 8.
  EXPECT_EQ(ToWindowPoint({3, 5}, 1.5, {10, 20}), (Point{-6, -12}));
  EXPECT_EQ(ToDocumentPoint({-6, -12}, 1.5, {10, 20}), (Point{3, 5}));
  EXPECT_EQ(ToOutputPoint({3, 5}, {100, 200}, 2.5, 0.5), (Point{108, 202}));
  EXPECT_EQ(ToWindowPoint({kMax, 0}, 3.0, {kMin, 0}).x, kMax);
  EXPECT_EQ(ToDocumentPoint({5, -5}, 0.0, {0, 0}), (Point{kMax, kMin}));
}

TEST(PixelWidth, NeverBelowTheRoundedScale) {
  const ScreenMetrics screen;  // 96 dpi
  EXPECT_EQ(PixelWidth(1.0, 0.0, screen), 1);
  EXPECT_EQ(PixelWidth(2.0, 0.0, screen), 2);
  EXPECT_EQ(PixelWidth(1.0, 0.5, screen), 2);  // round(0.5 * 96 / 25.4) = round(1.89)
  EXPECT_EQ(PixelWidth(2.0, 0.5, screen), 4);
  EXPECT_EQ(PixelWidth(1.0, 5.0, screen), 19);
  EXPECT_EQ(PixelWidth(1.0, 1e300, screen), kMax);
}

TEST(FormatMeasure, PicturesPluralsAndNone) {
  struct Case {
    int32_t units;
    double value;
    const char* text;
  };
  const Case cases[] = {
      {1, 1.0, "1 Pixel"},    {1, 2.0, "2 Pixels"},      {1, 2.5, "2 Pixels"},
      {1, 1.2, "1 Pixels"},   {1, 0.3, "0 Pixels"},      {1, 12345678, "12345678 Pixels"},
      {2, 12.6, "13 mm"},     {2, 1.0, "1 mm"},          {3, 1.0, "1 Inch"},
      {3, 2.5, "2.5 Inches"}, {3, 8.125, "8.12 Inches"}, {3, 0.5, ".5 Inches"},
      {3, 11.0, "11 Inches"}, {0, 1.0, "1 Inch"},        {1, 0.0, "None"},
      {2, 0.0, "None"},       {3, 0.0, "None"},          {1, 0.00009, "None"},
      {3, -4.0, "None"},      {1, std::nan(""), "None"}, {2, HUGE_VAL, "None"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatMeasure(c.units, c.value), c.text) << c.units << " " << c.value;
  }
}

TEST(ZoomSteps, FollowTheMenuValues) {
  struct Case {
    double zoom, out, in;
  };
  const Case cases[] = {
      {0.10, 0.25, 0.5}, {0.25, 0.25, 0.5}, {0.49, 0.25, 0.5}, {0.50, 0.25, 0.75},
      {0.51, 0.5, 0.75}, {0.75, 0.5, 1.0},  {0.99, 0.75, 1.0}, {1.00, 0.75, 1.25},
      {1.10, 1.0, 1.25}, {1.25, 1.0, 1.5},  {1.75, 1.5, 2.0},  {2.00, 1.75, 3.0},
      {2.01, 2.0, 3.0},  {2.99, 2.0, 3.0},  {3.00, 2.0, 3.0},  {3.50, 3.5, 3.5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZoomOutStep(c.zoom), c.out) << c.zoom;
    EXPECT_EQ(ZoomInStep(c.zoom), c.in) << c.zoom;
  }
}

TEST(ZoomSteps, MenuCheckMarkOnlyOnAnExactPercentage) {
  EXPECT_EQ(ZoomMenuIndex(1.0), 3);
  EXPECT_EQ(ZoomMenuIndex(3.0), 8);
  EXPECT_EQ(ZoomMenuIndex(1.249), 4);
  EXPECT_EQ(ZoomMenuIndex(1.1), -1);
}

}  // namespace
}  // namespace quillon
