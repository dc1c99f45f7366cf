// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Bitmap.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "render/Blend.h"

namespace quillon {
namespace {

TEST(Bitmap, RowsAreBlueGreenRedPaddedToFourBytes) {
  Bitmap b(5, 3);
  EXPECT_EQ(b.stride(), 16);
  EXPECT_EQ(b.Pixel(4, 2), 0xFFFFFFu & 0xFFFFFF) << "new bitmaps are white";
  b.SetPixel(1, 1, ColourOf(10, 20, 30));
  EXPECT_EQ(b.Row(1)[3], 30);
  EXPECT_EQ(b.Row(1)[4], 20);
  EXPECT_EQ(b.Row(1)[5], 10);
  EXPECT_EQ(b.Pixel(1, 1), 0x1E140Au);
}

TEST(Bitmap, QPainterDrawsIntoTheSameMemory) {
  Bitmap b(20, 10);
  {
    QImage image = b.Image();
    QPainter painter(&image);
    painter.fillRect(QRect(2, 3, 4, 5), QColor(255, 0, 0));
  }
  EXPECT_EQ(b.Pixel(2, 3), 0x0000FFu);
  EXPECT_EQ(b.Pixel(5, 7), 0x0000FFu);
  EXPECT_EQ(b.Pixel(6, 7), 0xFFFFFFu);
  EXPECT_EQ(b.Row(3)[6 + 2], 255) << "red is the third byte of a pixel";
}

TEST(Bitmap, OversizedBitmapsFailCleanly) {
  EXPECT_THROW(Bitmap(40000, 10), std::bad_alloc);
  EXPECT_THROW(Bitmap(30000, 30000), std::bad_alloc);
  EXPECT_TRUE(Bitmap::TryCreate(30000, 30000).empty());
  EXPECT_TRUE(Bitmap(0, 10).empty());
}

TEST(Bitmap, CopyFromClipsBothSides) {
  Bitmap source(4, 4);
  source.Fill(0x000000);
  Bitmap target(6, 6);
  target.CopyFrom(source, 0, 0, 4, 4, -2, 4);
  EXPECT_EQ(target.Pixel(0, 4), 0u);
  EXPECT_EQ(target.Pixel(1, 5), 0u);
  EXPECT_EQ(target.Pixel(2, 5), 0xFFFFFFu);
  EXPECT_EQ(target.Pixel(0, 3), 0xFFFFFFu);
}

TEST(MultiplyBlend, DarkensByTheMaskBlueByte) {
  const std::pair<uint8_t, uint8_t> cases[] = {{0, 0}, {254, 199}, {255, 200}, {128, 100}};
  for (auto [tone, expected] : cases) {
    Bitmap mask(2, 1);
    mask.Fill(ColourOf(0, 0, tone));
    Bitmap target(2, 1);
    target.Fill(ColourOf(200, 200, 200));
    MultiplyBlend(mask, target);
    EXPECT_EQ(RedOf(target.Pixel(1, 0)), expected) << int(tone);
  }
}

TEST(BlurMask, SmallMasksBlurThroughSixPixels) {
  Bitmap mask(8, 8);
  mask.Fill(0xFFFFFF);
  mask.SetPixel(4, 4, 0);
  BlurMask(mask, 30, 1.0);  // 8 * 10 / 40 = 2, raised to 6
  EXPECT_GT(BlueOf(mask.Pixel(4, 4)), 0);
  EXPECT_LT(BlueOf(mask.Pixel(4, 4)), 255);
  Bitmap sharp(8, 8);
  sharp.SetPixel(4, 4, 0);
  BlurMask(sharp, 0, 1.0);  // no reduction: unchanged
  EXPECT_EQ(sharp.Pixel(4, 4), 0u);
}

}  // namespace
}  // namespace quillon
