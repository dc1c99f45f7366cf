// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Export.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

// A capture whose top and bottom rows are red and the rest grey.
Bitmap Capture(int width, int height) {
  Bitmap capture(width, height);
  capture.Fill(ColourOf(128, 128, 128));
  for (int x = 0; x < width; ++x) {
    capture.SetPixel(x, 0, ColourOf(255, 0, 0));
    capture.SetPixel(x, height - 1, ColourOf(255, 0, 0));
  }
  return capture;
}

TEST(Export, ScreenshotPicturesAreWebSized) {
  struct Case {
    int width, height;
    int narrowHeight;
    int frameHeight;
  };
  // A 1000 x 700 client area makes a 1008 x 708 capture.
  const Case cases[] = {{1008, 708, 281, 756}, {400, 800, 800, 300}, {1, 1, 400, 1}};
  for (const Case& c : cases) {
    const ScreenshotPictures pictures = MakeScreenshotPictures(Capture(c.width, c.height));
    EXPECT_EQ(pictures.narrow.width(), 400) << c.width;
    EXPECT_EQ(pictures.narrow.height(), c.narrowHeight) << c.width;
    EXPECT_EQ(pictures.framed.width(), c.width);
    EXPECT_EQ(pictures.framed.height(), c.frameHeight) << c.width;
  }
}

TEST(Export, TheFramedScreenshotCentresTheCaptureOrCutsItTopAndBottom) {
  const ScreenshotPictures wide = MakeScreenshotPictures(Capture(1008, 708));
  // (756 - 708) / 2 = 24 rows of backdrop above, the capture's red edge next.
  EXPECT_EQ(wide.framed.Pixel(5, 23), kScreenshotBackdrop);
  EXPECT_EQ(wide.framed.Pixel(5, 24), ColourOf(255, 0, 0));
  EXPECT_EQ(wide.framed.Pixel(5, 24 + 707), ColourOf(255, 0, 0));
  EXPECT_EQ(wide.framed.Pixel(5, 24 + 708), kScreenshotBackdrop);

  const ScreenshotPictures tall = MakeScreenshotPictures(Capture(400, 800));
  // 300 rows of the middle of 800: the red edges are cut off.
  for (int y : {0, 299})
    EXPECT_EQ(tall.framed.Pixel(5, y), ColourOf(128, 128, 128)) << y;
}

}  // namespace
}  // namespace quillon
