// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Resample.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>

#include "document/Geometry.h"
#include "support/ReferenceResample.h"

namespace quillon {
namespace {

using test::Reference;

TEST(Resample, MatchesTheDefinitionOnRandomPictures) {
  std::mt19937 random(42);
  auto size = [&] { return std::uniform_int_distribution<int>(2, 40)(random); };
  for (int round = 0; round < 120; ++round) {
    Bitmap source(size(), size());
    for (int y = 0; y < source.height(); ++y) {
      for (int i = 0; i < 3 * source.width(); ++i)
        source.Row(y)[i] = random() & 0xFF;
    }
    // Rows of one colour, white or not, as shadow masks have them, take a shorter road.
    if (round % 3 != 0) {
      for (int y = 0; y < source.height(); ++y) {
        if (random() % 4 == 0) continue;
        const uint32_t colour = random() % 2 == 0 ? 0xFFFFFF : uint32_t(random() & 0xFFFFFF);
        for (int x = 0; x < source.width(); ++x)
          source.SetPixel(x, y, colour);
      }
    }
    const auto filter = static_cast<ResampleFilter>(round % 7);
    const int w = size(), h = size();
    Bitmap fast(w, h);
    Resample(source, fast, filter);
    const Bitmap slow = Reference(source, w, h, filter);
    for (int y = 0; y < h; ++y) {
      for (int i = 0; i < 3 * w; ++i) {
        ASSERT_EQ(fast.Row(y)[i], slow.Row(y)[i])
            << "filter " << round % 7 << ", " << source.width() << "x" << source.height() << " to "
            << w << "x" << h << " at row " << y << " byte " << i;
      }
    }
  }
}

// Runs of rows with the same mixed bytes, as the inside of an upright silhouette has them, are
// filtered once per run and copied where only such rows mix: the result is still the definition.
TEST(Resample, RepeatedRowsMatchTheDefinition) {
  std::mt19937 random(77);
  auto size = [&] { return std::uniform_int_distribution<int>(2, 60)(random); };
  for (int round = 0; round < 140; ++round) {
    Bitmap source(size(), size());
    for (int y = 0; y < source.height(); ++y) {
      if (y > 0 && random() % 5 != 0) {
        std::memcpy(source.Row(y), source.Row(y - 1), 3 * size_t(source.width()));
        continue;
      }
      for (int i = 0; i < 3 * source.width(); ++i)
        source.Row(y)[i] = random() % 3 == 0 ? 0xFF : random() & 0xFF;
    }
    const auto filter = static_cast<ResampleFilter>(round % 7);
    const int w = size(), h = random() % 2 == 0 ? size() : 4 * size();
    Bitmap fast(w, h);
    Resample(source, fast, filter);
    const Bitmap slow = Reference(source, w, h, filter);
    for (int y = 0; y < h; ++y) {
      ASSERT_EQ(std::memcmp(fast.Row(y), slow.Row(y), 3 * size_t(w)), 0)
          << "filter " << round % 7 << ", " << source.width() << "x" << source.height() << " to "
          << w << "x" << h << " at row " << y;
    }
  }
}

Bitmap RandomPicture(int width, int height, std::mt19937& random) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int i = 0; i < 3 * width; ++i)
      picture.Row(y)[i] = random() & 0xFF;
  }
  return picture;
}

TEST(Resample, MatchesTheDefinitionAtEdgeSizesAndRatios) {
  // Odd sizes, two-pixel sources, runs that reach the last pixel, widths that end inside a
  // 16-byte block, strong reductions with long runs and enlargements, for every filter.
  const struct {
    int fromWidth, fromHeight, toWidth, toHeight;
  } sizes[] = {{2, 2, 2, 2},     {2, 3, 9, 7},      {3, 2, 200, 5},   {5, 5, 6, 6},
               {7, 9, 3, 4},     {17, 11, 17, 11},  {33, 5, 17, 3},   {101, 7, 50, 3},
               {101, 3, 51, 2},  {64, 6, 31, 5},    {1500, 3, 40, 2}, {9, 700, 4, 91},
               {300, 4, 977, 3}, {640, 2, 1600, 5}, {41, 41, 83, 20}, {6, 120, 6, 59}};
  std::mt19937 random(7);
  for (const auto& size : sizes) {
    const Bitmap source = RandomPicture(size.fromWidth, size.fromHeight, random);
    for (int filter = 0; filter < 7; ++filter) {
      Bitmap fast(size.toWidth, size.toHeight);
      Resample(source, fast, static_cast<ResampleFilter>(filter));
      const Bitmap slow =
          Reference(source, size.toWidth, size.toHeight, static_cast<ResampleFilter>(filter));
      for (int y = 0; y < size.toHeight; ++y) {
        ASSERT_EQ(std::memcmp(fast.Row(y), slow.Row(y), 3 * size.toWidth), 0)
            << "filter " << filter << ", " << size.fromWidth << "x" << size.fromHeight << " to "
            << size.toWidth << "x" << size.toHeight << " at row " << y;
      }
    }
  }
}

TEST(Resample, AWindowIsThePartOfTheWhole) {
  std::mt19937 random(9);
  const Bitmap source = RandomPicture(37, 29, random);
  for (const auto filter : {ResampleFilter::Triangle, ResampleFilter::Mitchell}) {
    for (const auto& [width, height] : {std::pair{90, 71}, std::pair{15, 12}}) {
      Bitmap whole(width, height);
      Resample(source, whole, filter);
      for (const auto& [left, top, w, h] :
           {std::array{0, 0, width, height}, std::array{3, 5, 10, 7},
            std::array{width - 4, height - 3, 4, 3}, std::array{width / 2, 0, 1, height}}) {
        Bitmap part(w, h);
        ResampleWindow(source, width, height, left, top, part, filter);
        for (int y = 0; y < h; ++y) {
          ASSERT_EQ(std::memcmp(part.Row(y), whole.Row(top + y) + 3 * left, 3 * w), 0)
              << width << "x" << height << " window at " << left << "," << top;
        }
      }
    }
  }
}

// A window needs only the source rows ResampleReach names: made from just those rows it is the
// part of the whole; a source part that lacks one of them leaves the window as it was.
TEST(Resample, AWindowFromTheSourceRowsItReachesIsThePartOfTheWhole) {
  std::mt19937 random(13);
  const Bitmap source = RandomPicture(41, 160, random);
  for (const auto filter : {ResampleFilter::BSpline, ResampleFilter::Lanczos3}) {
    for (const auto& [width, height] : {std::pair{23, 9}, std::pair{80, 700}}) {
      Bitmap whole(width, height);
      Resample(source, whole, filter);
      for (const auto& [top, h] :
           {std::pair{0, 3}, std::pair{height / 3, height / 4}, std::pair{height - 2, 2}}) {
        const SourceSpan reach = ResampleReach(source.height(), height, filter, top, h);
        ASSERT_LE(reach.first, reach.last);
        const int rows = reach.last - reach.first + 1;
        Bitmap rowsReached(source.width(), rows);
        rowsReached.CopyFrom(source, 0, reach.first, source.width(), rows, 0, 0);
        Bitmap part(width, h);
        ResampleWindow(rowsReached, reach.first, source.height(), width, height, 0, top, part,
                       filter);
        for (int y = 0; y < h; ++y) {
          ASSERT_EQ(std::memcmp(part.Row(y), whole.Row(top + y), 3 * width), 0)
              << width << "x" << height << " rows from " << top;
        }
        if (rows < 2) continue;
        Bitmap lacking(source.width(), rows - 1);
        lacking.CopyFrom(source, 0, reach.first + 1, source.width(), rows - 1, 0, 0);
        Bitmap untouched(width, h);
        ResampleWindow(lacking, reach.first + 1, source.height(), width, height, 0, top, untouched,
                       filter);
        EXPECT_EQ(untouched.Pixel(0, 0), 0xFFFFFFu) << "a missing row leaves the window white";
      }
    }
  }
}

// A picture large enough to be made by two threads equals the same picture made a few rows
// at a time, by one thread each.
TEST(Resample, TwoThreadsMakeWhatOneMakes) {
  std::mt19937 random(11);
  const Bitmap source = RandomPicture(700, 451, random);
  for (const auto filter : {ResampleFilter::Triangle, ResampleFilter::Lanczos3}) {
    Bitmap whole(1100, 481);
    Resample(source, whole, filter);
    for (int top = 0; top < whole.height(); top += 37) {
      Bitmap rows(whole.width(), std::min(37, whole.height() - top));
      ResampleWindow(source, whole.width(), whole.height(), 0, top, rows, filter);
      for (int y = 0; y < rows.height(); ++y)
        ASSERT_EQ(std::memcmp(rows.Row(y), whole.Row(top + y), 3 * whole.width()), 0) << top + y;
    }
  }
}

TEST(Resample, FlatPicturesStayFlatAtAnyScale) {
  // Shadow masks are white around their silhouettes and shrink by large factors at print
  // resolution; a white that came back grey would stripe the whole page.
  for (int filter = 0; filter < 7; ++filter) {
    for (const auto& [from, to] : {std::pair{1500, 40}, std::pair{700, 91}, std::pair{30, 977}}) {
      Bitmap source(from, 3);
      source.Fill(0xFFFFFF);
      Bitmap destination(to, 3);
      destination.Fill(0);
      Resample(source, destination, static_cast<ResampleFilter>(filter));
      for (int x = 0; x < to; ++x)
        ASSERT_EQ(destination.Pixel(x, 1), 0xFFFFFFu) << filter << ": " << from << " to " << to;
    }
  }
}

TEST(Resample, SameSizeWithTheTriangleIsAnExactCopy) {
  std::mt19937 random(1);
  Bitmap source(17, 9);
  for (int y = 0; y < 9; ++y) {
    for (int i = 0; i < 51; ++i)
      source.Row(y)[i] = random() & 0xFF;
  }
  Bitmap copy(17, 9);
  Resample(source, copy, ResampleFilter::Triangle);
  for (int y = 0; y < 9; ++y)
    EXPECT_EQ(std::memcmp(copy.Row(y), source.Row(y), 51), 0);
}

TEST(Resample, OnePixelSidesLeaveTheDestinationAlone) {
  Bitmap source(1, 5);
  source.Fill(0);
  Bitmap destination(4, 4);
  Resample(source, destination, ResampleFilter::Mitchell);
  EXPECT_EQ(destination.Pixel(0, 0), 0xFFFFFFu);
  Bitmap wide(5, 5);
  wide.Fill(0);
  Bitmap line(4, 1);
  Resample(wide, line, ResampleFilter::Mitchell);
  EXPECT_EQ(line.Pixel(2, 0), 0xFFFFFFu);
}

TEST(Resample, ReflectsAtTheBorders) {
  // A left edge pixel under the triangle filter at 3:1 reduction draws on pixels 1 and 2
  // mirrored to the left; a black first column therefore stays partly dark.
  Bitmap source(7, 2);
  source.Fill(0xFFFFFF);
  for (int y = 0; y < 2; ++y)
    source.SetPixel(0, y, 0);
  Bitmap small(3, 2);
  Resample(source, small, ResampleFilter::Triangle);
  // Shrunk weights are rounded to 1/256 one by one, so white can come out as 254.
  EXPECT_LT(RedOf(small.Pixel(0, 0)), 200);
  EXPECT_GE(RedOf(small.Pixel(1, 0)), 254);
  EXPECT_GE(RedOf(small.Pixel(2, 0)), 254);
}

}  // namespace
}  // namespace quillon
