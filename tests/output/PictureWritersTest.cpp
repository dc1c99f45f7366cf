// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PictureWriters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

namespace quillon {
namespace {

// A picture with white, a red square and a blue stripe.
Bitmap Sample(int width, int height) {
  Bitmap b(width, height);
  for (int y = 2; y < height / 2; ++y) {
    for (int x = 2; x < width / 2; ++x)
      b.SetPixel(x, y, ColourOf(255, 0, 0));
  }
  for (int x = 0; x < width; ++x)
    b.SetPixel(x, height - 1, ColourOf(0, 0, 255));
  return b;
}

QRgb At(const QImage& image, int x, int y) {
  return image.pixel(x, y);
}

TEST(PictureWriters, FormatComesFromTheExtensionOnly) {
  const std::pair<const char*, PictureFormat> cases[] = {
      {"card.bmp", PictureFormat::Bmp},      {" CARD.BmP", PictureFormat::Bmp},
      {"card.bmp ", PictureFormat::Bmp},     {"render1.ICO ", PictureFormat::Ico},
      {"card. png\t", PictureFormat::Png},   {"icon.ICO", PictureFormat::Ico},
      {"card", PictureFormat::Jpeg},         {"card.jpeg", PictureFormat::Jpeg},
      {"card.png", PictureFormat::Png},      {"Card.PnG", PictureFormat::Png},
      {"card.png.jpg", PictureFormat::Jpeg}, {"dir.bmp/card", PictureFormat::Jpeg},
  };
  for (auto [name, format] : cases)
    EXPECT_EQ(PictureFormatOf(name), format) << name;
}

TEST(PictureWriters, BitmapAndPngReadBackPixelForPixel) {
  const Bitmap picture = Sample(13, 7);
  const std::pair<QByteArray, const char*> files[] = {{EncodeBmp(picture, 96), "BMP"},
                                                      {EncodePng(picture, 300), "PNG"}};
  for (const auto& [bytes, format] : files) {
    const QImage image = QImage::fromData(bytes, format);
    ASSERT_EQ(image.size(), QSize(13, 7)) << format;
    EXPECT_FALSE(image.hasAlphaChannel()) << format;
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 13; ++x) {
        const uint32_t c = picture.Pixel(x, y);
        EXPECT_EQ(At(image, x, y), qRgb(RedOf(c), GreenOf(c), BlueOf(c)))
            << format << " " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(QImage::fromData(EncodePng(picture, 300), "PNG").dotsPerMeterX(), 11811);
}

// The marker segments of a JPEG file up to the scan.
std::vector<std::pair<uint8_t, QByteArray>> Segments(const QByteArray& jpeg) {
  std::vector<std::pair<uint8_t, QByteArray>> segments;
  int at = 2;
  while (at + 4 <= jpeg.size() && uint8_t(jpeg[at]) == 0xFF) {
    const uint8_t marker = uint8_t(jpeg[at + 1]);
    const int length = (uint8_t(jpeg[at + 2]) << 8) | uint8_t(jpeg[at + 3]);
    segments.emplace_back(marker, jpeg.mid(at + 4, length - 2));
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  return segments;
}

TEST(PictureWriters, JpegIsBaselineQualityNinety) {
  const Bitmap picture = Sample(40, 30);
  const QByteArray jpeg = EncodeJpeg(picture, 96);
  ASSERT_FALSE(jpeg.isEmpty());
  bool baseline = false, progressive = false;
  std::vector<QByteArray> tables;
  for (const auto& [marker, body] : Segments(jpeg)) {
    baseline |= marker == 0xC0;
    progressive |= marker == 0xC2;
    if (marker == 0xDB) {
      for (int at = 0; at + 65 <= body.size(); at += 65)
        tables.push_back(body.mid(at + 1, 64));
    }
  }
  EXPECT_TRUE(baseline);
  EXPECT_FALSE(progressive);
  ASSERT_EQ(tables.size(), 2u);
  // The standard tables scaled for quality 90: 16 -> 3 and 11 -> 2 (luminance), 17 -> 3
  // and 99 -> 20 (chrominance), in zigzag order.
  EXPECT_EQ(uint8_t(tables[0][0]), 3);
  EXPECT_EQ(uint8_t(tables[0][1]), 2);
  EXPECT_EQ(uint8_t(tables[1][0]), 3);
  EXPECT_EQ(uint8_t(tables[1][63]), 20);

  const QImage image = QImage::fromData(jpeg, "JPEG");
  ASSERT_EQ(image.size(), QSize(40, 30));
  EXPECT_NEAR(qRed(At(image, 8, 8)), 255, 8);
  EXPECT_NEAR(qGreen(At(image, 8, 8)), 0, 8);
  EXPECT_NEAR(qBlue(At(image, 20, 29)), 255, 12);
  EXPECT_NEAR(qRed(At(image, 35, 5)), 255, 4);
}

TEST(PictureWriters, IconTakesWhiteAsTransparent) {
  for (const QSize size : {QSize(32, 24), QSize(300, 260)}) {
    const Bitmap picture = Sample(size.width(), size.height());
    const QImage image = QImage::fromData(EncodeIco(picture), "ICO");
    ASSERT_EQ(image.size(), size);
    EXPECT_EQ(qAlpha(At(image, 0, 0)), 0) << "white is see-through";
    EXPECT_EQ(At(image, 3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(At(image, 1, size.height() - 1), qRgb(0, 0, 255));
  }
}

TEST(PictureWriters, WritingReplacesWholeFilesOrSaysWhyNot) {
  QTemporaryDir dir;
  const QString path = dir.filePath("card.BMP");
  ASSERT_TRUE(WritePicture(path, Sample(8, 8), 96).ok);
  EXPECT_EQ(QImage(path, "BMP").size(), QSize(8, 8));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

  const WriteResult missing =
      WritePicture(dir.filePath("no/such/folder/card.jpg"), Sample(8, 8), 96);
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.message.find("card.jpg"), std::string::npos) << missing.message;
}

}  // namespace
}  // namespace quillon
