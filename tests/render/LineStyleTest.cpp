// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/LineStyle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include "RenderFixtures.h"
#include "render/Coordinates.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr BoundingBox kEverywhere{-100000, -100000, 100000, 100000};

std::vector<int32_t> Lengths(const DashPattern& p) {
  return {p.pixels.begin(), p.pixels.begin() + p.count};
}

TEST(BuildPattern, BuiltInLengthsFollowTheWeight) {
  struct Case {
    int32_t pattern;
    double weight, scale;
    std::vector<int32_t> lengths;
  };
  const Case cases[] = {
      {1, 0.5, 1.0, {2, 4}},  // 0.5 mm at 96 dpi: u = a = 2
      {2, 0.5, 1.0, {12, 4}},
      {3, 0.5, 1.0, {12, 4, 4, 4}},
      {4, 0.5, 1.0, {12, 4, 4, 4, 4, 4}},
      {2, 0.0, 1.0, {6, 2}},  // a one-pixel line
      {1, 0.0, 1.0, {1, 2}},
      {3, 0.0, 1.0, {6, 3, 2, 3}},
      {2, 0.5, 2.0, {24, 8}},
      {2, 0.0, 0.25, {6, 2}},  // a = 0: the minimum lengths
      {1, 0.0, 0.25, {1, 1}},
      {0, 2.0, 1.0, {kSolidDashLength}},
      {7, 2.0, 1.0, {kSolidDashLength}},  // above 4 draws solid
      {2, 1e300, 1.0, {kSolidDashLength, kSolidDashLength}},
  };
  ItemList list;
  for (const Case& c : cases) {
    ItemRecord& line = test::AddSegmentItem(list, kKindLine, {0, 0}, {100, 0});
    line.setLinePattern(c.pattern);
    line.setLineWeight(c.weight);
    EXPECT_EQ(Lengths(BuildPattern(list, line, c.scale)), c.lengths)
        << c.pattern << " " << c.weight << " " << c.scale;
  }
}

TEST(BuildPattern, CustomPatternComesFromTheDocumentsRecord) {
  ItemList list;
  ItemRecord& pattern = NewRecord(list, -1);
  pattern.setRecordClass(kClassLinePattern);
  pattern.setPatternCount(3);
  pattern.setPatternSegment(0, 2.0);
  pattern.setPatternSegment(1, 1.0);
  pattern.setPatternSegment(2, -4.0);
  ItemRecord& line = test::AddSegmentItem(list, kKindLine, {0, 0}, {100, 0});
  line.setLinePattern(-1);
  const DashPattern p = BuildPattern(list, line, 1.0);
  EXPECT_EQ(Lengths(p), (std::vector<int32_t>{8, 4, 0}));  // round(3.78 * mm); never negative
  EXPECT_EQ(p.millimetres[0], 2.0);
  EXPECT_EQ(Lengths(BuildPattern(list, line, 2.0)), (std::vector<int32_t>{16, 8, 0}));
  line.setLinePattern(-2);  // not carried by the document
  EXPECT_EQ(Lengths(BuildPattern(list, line, 1.0)), (std::vector<int32_t>{kSolidDashLength}));
  line.setLinePattern(-1);
  pattern.setPatternCount(40);
  EXPECT_EQ(BuildPattern(list, line, 1.0).count, kPatternSegments);
  pattern.setPatternCount(0);
  EXPECT_EQ(Lengths(BuildPattern(list, line, 1.0)), (std::vector<int32_t>{kSolidDashLength}));
}

TEST(DashBand, AxisCasesSplitTheWidthAndOneSidedBandsLieAbove) {
  struct Case {
    double theta;
    double w;
    bool oneSided;
    Quad corners;
  };
  const Case cases[] = {
      {0, 5, false, {{{0, -2}, {10, -2}, {10, 3}, {0, 3}}}},
      {kPi, 5, false, {{{0, 2}, {10, 2}, {10, -3}, {0, -3}}}},
      {kPi / 2, 5, false, {{{-2, 0}, {8, 0}, {13, 0}, {3, 0}}}},
      {3 * kPi / 2, 5, false, {{{2, 0}, {12, 0}, {7, 0}, {-3, 0}}}},
      {0.00005, 4, true, {{{0, -4}, {10, -4}, {10, 0}, {0, 0}}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DashBand({0, 0}, {10, 0}, c.w, c.theta, c.oneSided), c.corners) << c.theta;
  }
  // Any other direction: the inner corners are measured from the rounded outer ones.
  const double theta = AngleOf({0, 0}, {30, -40});
  const Quad band = DashBand({0, 0}, {30, -40}, 10, theta, false);
  EXPECT_EQ(band, (Quad{{{-4, -3}, {26, -43}, {34, -37}, {4, 3}}}));
}

TEST(EdgeStrip, EachSideKeepsTwoCornersAndIsOWide) {
  const Quad band{{{0, -5}, {20, -5}, {20, 5}, {0, 5}}};
  EXPECT_EQ(EdgeStrip(band, 1, 2, 0), (Quad{{{0, -5}, {20, -5}, {20, -3}, {0, -3}}}));
  EXPECT_EQ(EdgeStrip(band, 2, 2, 0), (Quad{{{18, -5}, {20, -5}, {20, 5}, {18, 5}}}));
  EXPECT_EQ(EdgeStrip(band, 3, 2, 0), (Quad{{{0, 3}, {20, 3}, {20, 5}, {0, 5}}}));
  EXPECT_EQ(EdgeStrip(band, 4, 2, 0), (Quad{{{0, -5}, {2, -5}, {2, 5}, {0, 5}}}));
}

TEST(StepAlong, ComputesFromTheStartAndStopsAtTheEnd) {
  const double theta = AngleOf({0, 0}, {30, -40});
  EXPECT_EQ(StepAlong({0, 0}, 10, theta, {30, -40}).point, (Point{6, -8}));
  EXPECT_FALSE(StepAlong({0, 0}, 49, theta, {30, -40}).done);
  EXPECT_TRUE(StepAlong({0, 0}, 49.9, theta, {30, -40}).done);  // rounds onto the end
  const StepResult end = StepAlong({0, 0}, 51, theta, {30, -40});
  EXPECT_TRUE(end.done);
  EXPECT_EQ(end.point, (Point{30, -40}));
}

std::vector<std::pair<int32_t, int32_t>> DashXs(Point p1, Point p2, const DashPattern& pattern,
                                                const BoundingBox& visible = kEverywhere) {
  std::vector<Dash> dashes;
  WalkDashes(p1, p2, AngleOf(p1, p2), 1, pattern, visible, dashes);
  std::vector<std::pair<int32_t, int32_t>> xs;
  for (const Dash& d : dashes)
    xs.emplace_back(d.start.x, d.end.x);
  return xs;
}

TEST(WalkDashes, EndsExactlyAtTheEndOrInAGap) {
  const DashPattern dash = BuiltInPattern(kPatternDash, 0.0, 1.0, ScreenMetrics{});
  using Xs = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(DashXs({0, 0}, {30, 0}, dash), (Xs{{0, 6}, {8, 14}, {16, 22}, {24, 30}}));
  EXPECT_EQ(DashXs({0, 0}, {27, 0}, dash), (Xs{{0, 6}, {8, 14}, {16, 22}, {24, 27}}));
  EXPECT_EQ(DashXs({0, 0}, {23, 0}, dash), (Xs{{0, 6}, {8, 14}, {16, 22}}));
  EXPECT_EQ(DashXs({0, 0}, {30, 0}, DashPattern{}), (Xs{{0, 30}}));
  DashPattern empty;
  empty.count = 2;
  empty.pixels = {0, 0};
  EXPECT_EQ(DashXs({0, 0}, {30, 0}, empty), (Xs{{0, 30}}));  // no length: one dash
  std::vector<Dash> dashes;
  WalkDashes({0, 0}, {30, 0}, std::nan(""), 5, dash, kEverywhere, dashes);
  EXPECT_EQ(dashes.size(), 4u);
  EXPECT_EQ(dashes[0].band, DashBand({0, 0}, {6, 0}, 5, 0, false));
}

// The walk without skipping: every dash from the start to the end.
std::vector<Dash> ReferenceWalk(Point p1, Point p2, double theta, const DashPattern& p) {
  std::vector<Dash> dashes;
  int64_t t = 0;
  Point start = p1;
  for (int i = 0;; i = i + 2 < p.count ? i + 2 : 0) {
    t += p.pixels[i];
    const StepResult end = StepAlong(p1, double(t), theta, p2);
    dashes.push_back({start, end.point, {}});
    if (end.done) return dashes;
    t += i + 1 < p.count ? p.pixels[i + 1] : 0;
    const StepResult next = StepAlong(p1, double(t), theta, p2);
    if (next.done) return dashes;
    start = next.point;
  }
}

bool Meets(const Dash& d, const BoundingBox& box) {
  for (Point p : d.band) {
    if (p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom) return true;
  }
  return std::min(d.start.x, d.end.x) <= box.right && std::max(d.start.x, d.end.x) >= box.left &&
         std::min(d.start.y, d.end.y) <= box.bottom && std::max(d.start.y, d.end.y) >= box.top;
}

TEST(WalkDashes, SkippingToTheVisiblePartMatchesTheFullWalk) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> coordinate(-60000, 60000);
  const ScreenMetrics screen;
  for (int round = 0; round < 40; ++round) {
    const Point p1{coordinate(random), coordinate(random)};
    const Point p2{coordinate(random), coordinate(random)};
    const double theta = AngleOf(p1, p2);
    const DashPattern pattern = BuiltInPattern(1 + round % 4, 0.1 * (round % 5), 1.0, screen);
    const std::vector<Dash> full = ReferenceWalk(p1, p2, theta, pattern);
    const Point mid{int32_t((int64_t{p1.x} + p2.x) / 2), int32_t((int64_t{p1.y} + p2.y) / 2)};
    const BoundingBox visible{mid.x - 300, mid.y - 200, mid.x + 300, mid.y + 200};
    std::vector<Dash> clipped;
    WalkDashes(p1, p2, theta, 3, pattern, visible, clipped);
    ASSERT_FALSE(clipped.empty());
    const auto first = std::find_if(full.begin(), full.end(), [&](const Dash& d) {
      return d.start == clipped.front().start && d.end == clipped.front().end;
    });
    ASSERT_NE(first, full.end()) << round;
    ASSERT_LE(std::size_t(full.end() - first), full.size());
    for (std::size_t k = 0; k < clipped.size(); ++k) {
      ASSERT_EQ(first[k].start, clipped[k].start) << round << " " << k;
      ASSERT_EQ(first[k].end, clipped[k].end) << round << " " << k;
    }
    for (auto d = full.begin(); d != full.end(); ++d) {
      const bool inside = d >= first && d < first + clipped.size();
      if (!inside) {
        EXPECT_FALSE(Meets(*d, visible)) << round;
      }
    }
  }
}

TEST(WalkDashes, HostileLineCostsOnlyItsVisiblePart) {
  const DashPattern dot = BuiltInPattern(kPatternDot, 0.0, 1.0, ScreenMetrics{});
  std::vector<Dash> dashes;
  const auto begin = std::chrono::steady_clock::now();
  WalkDashes({std::numeric_limits<int32_t>::min(), 5}, {std::numeric_limits<int32_t>::max(), 5}, 0,
             1, dot, {0, 0, 1000, 10}, dashes);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(1));
  EXPECT_GT(dashes.size(), 300u);
  EXPECT_LT(dashes.size(), 400u);
}

TEST(LineBandOf, SolidBandTestAndBandColour) {
  ItemList list;
  ItemRecord& line = test::AddSegmentItem(list, kKindLine, {0, 0}, {100, 0});
  line.setLineColor(0x0000FF);
  line.setLineWeight(5.0);
  line.setLineOutlineWeight(5.0);
  line.setFillColor(0x00FF00);
  LineBand band = LineBandOf(line, 19, 19, list.screen());
  EXPECT_EQ(band.edgeWidth, 0);  // outline as wide as the line: one solid band
  EXPECT_EQ(band.bandColor, 0x0000FF);
  line.setLineOutlineWeight(0.5);
  line.setFillColor(-1);
  band = LineBandOf(line, 19, 2, list.screen());
  EXPECT_EQ(band.edgeWidth, 2);  // a clear band shows only its edge strips
  EXPECT_FALSE(band.bandColor.has_value());
  line.setFillColor(-2);
  EXPECT_EQ(LineBandOf(line, 19, 2, list.screen()).bandColor, 0x0000FF);
  line.setLineWeight(0.0);
  EXPECT_EQ(LineBandOf(line, 1, 1, list.screen()).edgeWidth, 0);
}

}  // namespace
}  // namespace quillon
