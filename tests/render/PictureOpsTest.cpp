// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PictureOps.h"

#include <gtest/gtest.h>

#include <numbers>
#include <set>

namespace quillon {
namespace {

// A picture whose every pixel tells its own position.
Bitmap Numbered(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, ColourOf(x, y, 7));
  }
  return b;
}

TEST(PictureOps, AdjustColoursTruncatesAndClamps) {
  struct Case {
    int s, k, v;
    uint32_t in, out;
  };
  const Case cases[] = {
      {64, 0, 0, ColourOf(200, 100, 50), ColourOf(237, 88, 13)},
      {0, 100, 0, ColourOf(200, 100, 50), ColourOf(228, 90, 20)},
      {0, 0, -60, ColourOf(200, 100, 50), ColourOf(140, 40, 0)},
      {512, 0, 0, ColourOf(200, 100, 50), ColourOf(255, 0, 0)},
      {0, 0, 2000000000, ColourOf(1, 2, 3), ColourOf(255, 255, 255)},
      {-128, 0, 0, ColourOf(200, 100, 50), ColourOf(125, 125, 125)},
  };
  for (const Case& c : cases) {
    Bitmap b(1, 1);
    b.SetPixel(0, 0, c.in);
    AdjustColours(b, c.s, c.k, c.v);
    EXPECT_EQ(b.Pixel(0, 0), c.out) << c.s << " " << c.k << " " << c.v;
  }
}

TEST(PictureOps, MirrorAndFlip) {
  Bitmap b = Numbered(3, 2);
  MirrorFlip(b, -1, 1);
  EXPECT_EQ(b.Pixel(0, 0), ColourOf(2, 0, 7));
  EXPECT_EQ(b.Pixel(2, 1), ColourOf(0, 1, 7));
  MirrorFlip(b, 1, -1);
  EXPECT_EQ(b.Pixel(0, 0), ColourOf(2, 1, 7));
}

TEST(PictureOps, QuarterTurnsArePermutations) {
  const Bitmap source = Numbered(6, 4);
  // Counter-clockwise on screen: the top-right corner comes to the top left.
  struct Turn {
    int degrees;
    int w, h;
    uint32_t topLeft, bottomRight;
  };
  const Turn turns[] = {
      {0, 6, 4, ColourOf(0, 0, 7), ColourOf(5, 3, 7)},
      {90, 4, 6, ColourOf(5, 0, 7), ColourOf(0, 3, 7)},
      {180, 6, 4, ColourOf(5, 3, 7), ColourOf(0, 0, 7)},
      {270, 4, 6, ColourOf(0, 3, 7), ColourOf(5, 0, 7)},
  };
  for (const Turn& t : turns) {
    const double angle = t.degrees * std::numbers::pi / 180;
    const BitmapSize size = RotatedSize(6, 4, angle);
    ASSERT_EQ(size.width, t.w);
    ASSERT_EQ(size.height, t.h);
    Bitmap turned(size.width, size.height);
    turned.Fill(0);
    RotateBitmap(source, turned, angle);
    EXPECT_EQ(turned.Pixel(0, 0), t.topLeft) << t.degrees;
    EXPECT_EQ(turned.Pixel(t.w - 1, t.h - 1), t.bottomRight) << t.degrees;
    std::set<uint32_t> seen;
    for (int y = 0; y < t.h; ++y) {
      for (int x = 0; x < t.w; ++x)
        seen.insert(turned.Pixel(x, y));
    }
    EXPECT_EQ(seen.size(), 24u) << t.degrees << " degrees uses every source pixel once";
  }
}

TEST(PictureOps, RotatedCornersKeepTheBackground) {
  const Bitmap source = Numbered(20, 20);
  const double angle = std::numbers::pi / 6;
  const BitmapSize size = RotatedSize(20, 20, angle);
  EXPECT_EQ(size.width, 27);  // |round(20 sin 30)| + |round(20 cos 30)| = 10 + 17
  Bitmap turned(size.width, size.height);
  turned.Fill(0x00FF00);
  RotateBitmap(source, turned, angle);
  EXPECT_EQ(turned.Pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(BlueOf(turned.Pixel(13, 13)), 7);
}

TEST(PictureOps, RoundMaskTakesTheInscribedCircle) {
  Bitmap picture(10, 10);
  picture.Fill(0x0000FF);
  Bitmap target(10, 10);
  RoundMask(picture, target);
  EXPECT_EQ(target.Pixel(5, 5), 0x0000FFu);
  EXPECT_EQ(target.Pixel(0, 5), 0x0000FFu);
  EXPECT_EQ(target.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(target.Pixel(9, 9), 0xFFFFFFu);
  EXPECT_EQ(target.Pixel(9, 4), 0xFFFFFFu) << "the box's last column is outside the region";
}

}  // namespace
}  // namespace quillon
