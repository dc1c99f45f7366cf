// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPainter>

#include "render/decoders/DecodePicture.h"
#include "render/decoders/DecoderFixtures.h"
#include "render/decoders/ProbeHelpers.h"

namespace quillon {
namespace {

// Four colours that survive every bit depth exactly (16-bit keeps five bits per channel).
QImage FourColours(int width, int height) {
  QImage image = fixtures::Quadrants(width, height);
  QPainter painter(&image);
  painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::black);
  return image;
}

TEST(BmpDecoder, EveryBitDepthBothRowOrders) {
  const QImage image = FourColours(13, 7);  // odd width exercises row padding
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(std::to_string(bits) + (topDown ? " top-down" : " bottom-up"));
      // One bit holds two colours only: red and black.
      QImage source = image;
      if (bits == 1) {
        QPainter painter(&source);
        painter.fillRect(6, 0, 7, 7, Qt::black);
        painter.fillRect(0, 3, 6, 4, Qt::black);
      }
      const DecodedPicture picture =
          DecodePicture(fixtures::MakeBmp(source, bits, topDown), kPictureBmp);
      ASSERT_TRUE(picture.ok()) << picture.error;
      ASSERT_EQ(picture.bitmap.width(), 13);
      ASSERT_EQ(picture.bitmap.height(), 7);
      for (int y : {0, 2, 4, 6}) {
        for (int x : {0, 5, 7, 12}) {
          const QRgb c = source.pixel(x, y);
          // Qt widens five-bit channels by shifting, so 31 comes out as 248.
          ExpectNear(picture.bitmap, x, y, ColourOf(qRed(c), qGreen(c), qBlue(c)),
                     bits == 16 ? 7 : 0);
        }
      }
    }
  }
}

TEST(IcoDecoder, GivesTheLargestImageIncludingPngCompressedOnes) {
  QImage small = FourColours(16, 16);
  QImage png(48, 40, QImage::Format_ARGB32);
  png.fill(QColor(0, 0, 255));
  png.setPixelColor(0, 0, QColor(0, 0, 0, 0));
  QImage bmp(32, 32, QImage::Format_ARGB32);
  bmp.fill(QColor(255, 0, 0));
  for (bool pngLargest : {true, false}) {
    SCOPED_TRACE(pngLargest);
    std::vector<fixtures::IconImage> images = {{small}, {png, true}, {bmp}};
    if (!pngLargest) images[1].image = png.scaled(24, 20);
    const DecodedPicture picture = DecodePicture(fixtures::MakeIco(images), kPictureIco);
    ASSERT_TRUE(picture.ok()) << picture.error;
    if (pngLargest) {
      EXPECT_EQ(picture.bitmap.width(), 48);
      EXPECT_EQ(picture.bitmap.height(), 40);
      ExpectNear(picture.bitmap, 10, 10, 0xFF0000);
      ExpectNear(picture.bitmap, 0, 0, 0xFFFFFF);  // transparent comes out white
    } else {
      EXPECT_EQ(picture.bitmap.width(), 32);
      ExpectNear(picture.bitmap, 10, 10, 0x0000FF);
    }
  }
}

TEST(QtImageDecoders, DamagedAndOversizedFilesFailWithASentence) {
  const auto bmp = fixtures::MakeBmp(FourColours(8, 8), 24);
  std::vector<uint8_t> huge = bmp;
  huge[18] = 0x40;  // 40,000 pixels wide
  huge[19] = 0x9C;
  const auto ico = fixtures::MakeIco({{FourColours(16, 16)}});
  struct Case {
    std::vector<uint8_t> bytes;
    int32_t type;
    const char* says;
  };
  const Case cases[] = {
      {std::vector<uint8_t>(bmp.begin(), bmp.begin() + 30), kPictureBmp, "could not be read"},
      {huge, kPictureBmp, "40,000 x 8 pixels"},
      {{'B', 'M'}, kPictureBmp, "bitmap could not be read"},
      {std::vector<uint8_t>(ico.begin(), ico.begin() + 20), kPictureIco, "icon could not be read"},
      {bmp, kPictureIco, "icon could not be read"},
      {bmp, 9, "type 9"},
  };
  for (const Case& c : cases) {
    const DecodedPicture picture = DecodePicture(c.bytes, c.type);
    EXPECT_FALSE(picture.ok());
    EXPECT_NE(picture.error.find(c.says), std::string::npos) << picture.error;
  }
}

}  // namespace
}  // namespace quillon
