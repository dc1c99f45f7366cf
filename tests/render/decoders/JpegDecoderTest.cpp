// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "render/decoders/DecodePicture.h"
#include "render/decoders/DecoderFixtures.h"
#include "render/decoders/ProbeHelpers.h"

namespace quillon {
namespace {

using fixtures::JpegKind;

TEST(JpegDecoder, ColourGreyAndBothCmykFormsComeOutAs24BitColour) {
  const QImage image = fixtures::Quadrants(64, 48);
  struct Case {
    JpegKind kind;
    uint32_t topLeft, topRight, bottomLeft;
  };
  // Greyscale keeps the luminance of red, green and blue.
  const Case cases[] = {
      {JpegKind::Colour, 0x0000FF, 0x00FF00, 0xFF0000},
      {JpegKind::Grey, 0x4C4C4C, 0x959595, 0x1C1C1C},
      {JpegKind::Cmyk, 0x0000FF, 0x00FF00, 0xFF0000},
      {JpegKind::AdobeCmyk, 0x0000FF, 0x00FF00, 0xFF0000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    const DecodedPicture picture = DecodePicture(fixtures::MakeJpeg(image, c.kind), kPictureJpeg);
    ASSERT_TRUE(picture.ok()) << picture.error;
    ASSERT_EQ(picture.bitmap.width(), 64);
    ASSERT_EQ(picture.bitmap.height(), 48);
    ExpectNear(picture.bitmap, 16, 12, c.topLeft, 12);
    ExpectNear(picture.bitmap, 48, 12, c.topRight, 12);
    ExpectNear(picture.bitmap, 16, 36, c.bottomLeft, 12);
    ExpectNear(picture.bitmap, 48, 36, 0xFFFFFF, 12);
  }
}

TEST(JpegDecoder, ScaledDecodingDividesBothSidesRoundingUp) {
  const auto file = fixtures::MakeJpeg(fixtures::Quadrants(100, 60));
  const std::pair<int, QSize> cases[] = {
      {1, {100, 60}}, {2, {50, 30}}, {4, {25, 15}}, {8, {13, 8}}};
  for (auto [denominator, size] : cases) {
    SCOPED_TRACE(denominator);
    const DecodedPicture picture = DecodeJpeg(file, denominator);
    ASSERT_TRUE(picture.ok()) << picture.error;
    EXPECT_EQ(picture.bitmap.width(), size.width());
    EXPECT_EQ(picture.bitmap.height(), size.height());
    ExpectNear(picture.bitmap, size.width() / 4, size.height() / 4, 0x0000FF, 24);
    ExpectNear(picture.bitmap, 3 * size.width() / 4, 3 * size.height() / 4, 0xFFFFFF, 24);
  }
  EXPECT_FALSE(DecodeJpeg(file, 3).ok());
}

TEST(JpegDecoder, ProgressiveFilesDecodeLikeBaselineOnes) {
  const QImage image = fixtures::Quadrants(40, 40);
  const DecodedPicture baseline = DecodeJpeg(fixtures::MakeJpeg(image));
  const DecodedPicture progressive = DecodeJpeg(fixtures::MakeJpeg(image, JpegKind::Colour, true));
  ASSERT_TRUE(progressive.ok()) << progressive.error;
  for (int y = 0; y < 40; y += 3)
    for (int x = 0; x < 40; x += 3)
      ExpectNear(progressive.bitmap, x, y, baseline.bitmap.Pixel(x, y), 6);
}

// Sets the frame size in the start-of-frame segment of a JPEG.
std::vector<uint8_t> WithSize(std::vector<uint8_t> file, int width, int height) {
  for (size_t i = 0; i + 8 < file.size(); ++i) {
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
      file[i + 5] = static_cast<uint8_t>(height >> 8);
      file[i + 6] = static_cast<uint8_t>(height);
      file[i + 7] = static_cast<uint8_t>(width >> 8);
      file[i + 8] = static_cast<uint8_t>(width);
      break;
    }
  }
  return file;
}

TEST(JpegDecoder, DamagedTruncatedAndOversizedFilesFailWithASentence) {
  const auto file = fixtures::MakeJpeg(fixtures::Quadrants(64, 64));
  const std::vector<uint8_t> truncated(file.begin(), file.begin() + file.size() * 2 / 3);
  const std::vector<uint8_t> garbage = {0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3};
  struct Case {
    std::vector<uint8_t> bytes;
    const char* says;
  };
  const Case cases[] = {
      {truncated, "could not be read"},
      {garbage, "could not be read"},
      {{}, "empty"},
      {WithSize(file, 30001, 8),
       "The picture is 30,001 x 8 pixels; pictures larger than 30,000 x 30,000 pixels or 400 "
       "megapixels cannot be opened."},
      {WithSize(file, 20001, 20000), "20,001 x 20,000"},
      {WithSize(file, 8000, 8000), "less data than its size needs"},
  };
  for (const Case& c : cases) {
    const DecodedPicture picture = DecodePicture(c.bytes, kPictureJpeg);
    EXPECT_FALSE(picture.ok());
    EXPECT_TRUE(picture.bitmap.empty());
    EXPECT_NE(picture.error.find(c.says), std::string::npos) << picture.error;
    EXPECT_EQ(picture.error.back(), '.') << picture.error;
  }
}

}  // namespace
}  // namespace quillon
