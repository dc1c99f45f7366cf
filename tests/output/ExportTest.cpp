// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Export.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "support/DocumentFixtures.h"
#include "support/ReferenceResample.h"

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

// Paints every pixel of the sheet with noise, the hardest picture to reduce.
void PaintNoise(Primitives& primitives, const ItemRecord&, const ItemList&, Point, double,
                double) {
  Bitmap& target = primitives.bitmap();
  std::mt19937 random(17);
  for (int y = 0; y < target.height(); ++y) {
    for (int i = 0; i < 3 * target.width(); ++i)
      target.Row(y)[i] = random() & 0xFF;
  }
}

TEST(Export, SmoothAndExactPicturesAreTheSheetReducedAsDefined) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageKind(1);
  page.setPageWidth(41);
  page.setPageHeight(29);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5});
  const ScreenMetrics screen = list.screen();
  for (const bool smooth : {true, false}) {
    Bitmap picture;
    ASSERT_TRUE((smooth ? ExportSmooth : ExportExact)(list, screen, PaintNoise, picture, {}).ok);
    Bitmap sheet;
    ASSERT_TRUE(ComposeSheet(list, sheet, smooth ? ComposeMode::Preview : ComposeMode::Export,
                             u"", screen, PrinterGeometry{}, PaintNoise)
                    .ok);
    const Bitmap expected =
        test::Reference(sheet, picture.width(), picture.height(), ResampleFilter::Triangle);
    for (int y = 0; y < picture.height(); ++y) {
      ASSERT_EQ(std::memcmp(picture.Row(y), expected.Row(y), 3 * size_t(picture.width())), 0)
          << (smooth ? "smooth" : "exact") << " row " << y;
    }
  }
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
