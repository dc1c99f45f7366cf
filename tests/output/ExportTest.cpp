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

TEST(Export, APictureAtAResolutionHasTheSheetsSizeInInchesTimesTheDpi) {
  struct Case {
    const char* sheet;
    int32_t units;
    double width, height;
    int dpi;
    int64_t pixelsWide, pixelsHigh;
  };
  const Case cases[] = {
      {"A4 in mm", kUnitMillimetres, 210, 297, 150, 1240, 1754},
      {"A4 in mm", kUnitMillimetres, 210, 297, 300, 2480, 3508},
      {"A4 in mm", kUnitMillimetres, 210, 297, 600, 4961, 7016},
      {"Letter in inches", kUnitInches, 8.5, 11, 300, 2550, 3300},
      {"a card in mm", kUnitMillimetres, 85, 55, 72, 241, 156},
      // Pixels of a digital image are screen pixels: 96 of them make an inch.
      {"800 x 600 pixels", kUnitPixels, 800, 600, 192, 1600, 1200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.sheet) + " at " + std::to_string(c.dpi));
    ItemList list(ScreenMetrics{96, 96});
    ItemRecord& page = test::AddPage(list);
    page.setPageUnits(c.units);
    page.setPageWidth(c.width);
    page.setPageHeight(c.height);
    const LargePictureSize size = ResolutionPictureSize(page, list.screen(), c.dpi);
    EXPECT_EQ(size.width, c.pixelsWide);
    EXPECT_EQ(size.height, c.pixelsHigh);
    EXPECT_TRUE(PictureSizeProblem(size).empty());
  }
}

TEST(Export, APictureTooLargeIsRefusedBeforeAnythingIsAllocated) {
  ItemList list(ScreenMetrics{96, 96});
  test::AddPage(list);  // A4
  // 19843 x 28063 pixels: more than a picture may have.
  Bitmap picture(3, 3);
  const ComposeResult made =
      ExportAtResolution(list, list.screen(), kHighestExportDpi, PaintNoise, picture);
  EXPECT_FALSE(made.ok);
  EXPECT_FALSE(made.cancelled);
  EXPECT_EQ(made.message,
            std::string(kNotEnoughMemory) + " A picture of 19843 x 28063 pixels is too large.");
  // A side beyond what a bitmap can have is refused however few pixels it has in all.
  EXPECT_FALSE(PictureSizeProblem({40000, 10}).empty());
  EXPECT_TRUE(PictureSizeProblem({32767, 10}).empty());
}

// Fills each item's box as the composer maps it, so that the mapping shows in the picture.
void FillBoxes(Primitives& primitives, const ItemRecord& item, const ItemList&, Point origin,
               double sx, double sy) {
  Bitmap& target = primitives.bitmap();
  const int left = origin.x + RoundToInt32(item.x1() * sx);
  const int top = origin.y + RoundToInt32(item.y1() * sy);
  const int right = origin.x + RoundToInt32(item.x2() * sx);
  const int bottom = origin.y + RoundToInt32(item.y2() * sy);
  for (int y = std::max(top, 0); y < std::min(bottom, target.height()); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, target.width()); ++x)
      target.SetPixel(x, y, 0);
  }
}

TEST(Export, APictureAtAResolutionDrawsTheSheetAtThatResolution) {
  ItemList list(ScreenMetrics{96, 96});
  ItemRecord& page = test::AddPage(list);
  page.setPageWidth(100);
  page.setPageHeight(80);
  // One inch to two inches from the corner, in screen pixels.
  test::AddItem(list, kKindRectangle, {96, 96}, {192, 192});
  Bitmap picture;
  ASSERT_TRUE(ExportAtResolution(list, list.screen(), 300, FillBoxes, picture).ok);
  EXPECT_EQ(picture.width(), 1181);
  EXPECT_EQ(picture.height(), 945);
  EXPECT_EQ(picture.Pixel(300, 300), 0u);
  EXPECT_EQ(picture.Pixel(599, 599), 0u);
  EXPECT_EQ(picture.Pixel(299, 450), 0xFFFFFFu);
  EXPECT_EQ(picture.Pixel(600, 450), 0xFFFFFFu);
  // Without a page setup nothing is drawn.
  ItemList empty;
  EXPECT_FALSE(ExportAtResolution(empty, empty.screen(), 300, FillBoxes, picture).ok);
}

}  // namespace
}  // namespace quillon
