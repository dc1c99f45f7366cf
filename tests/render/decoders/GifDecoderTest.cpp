// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "render/decoders/DecodePicture.h"
#include "render/decoders/DecoderFixtures.h"
#include "render/decoders/ProbeHelpers.h"

namespace quillon {
namespace {

using fixtures::GifFrame;

constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kBlack = 0;
const std::vector<uint32_t> kPalette = {kRed, kGreen, kBlue, kBlack};

// A frame whose every row y has the colour index row(y).
GifFrame Rows(int left, int top, int width, int height, int (*row)(int)) {
  GifFrame frame{left, top, width, height, {}};
  for (int y = 0; y < height; ++y)
    frame.indices.insert(frame.indices.end(), static_cast<size_t>(width),
                         static_cast<uint8_t>(row(y)));
  return frame;
}

TEST(GifDecoder, FirstFrameOnlyWithTransparentPixelsWhite) {
  GifFrame first = Rows(2, 1, 4, 3, [](int y) { return y == 1 ? 3 : 0; });
  first.transparent = 3;
  const GifFrame second = Rows(0, 0, 8, 6, [](int) { return 2; });
  const DecodedPicture picture =
      DecodePicture(fixtures::MakeGif(8, 6, kPalette, {first, second}), kPictureGif);
  ASSERT_TRUE(picture.ok()) << picture.error;
  ASSERT_EQ(picture.bitmap.width(), 8);
  ASSERT_EQ(picture.bitmap.height(), 6);
  ExpectNear(picture.bitmap, 2, 1, kRed);
  ExpectNear(picture.bitmap, 5, 3, kRed);
  ExpectNear(picture.bitmap, 3, 2, 0xFFFFFF);  // transparent
  ExpectNear(picture.bitmap, 0, 0, 0xFFFFFF);  // outside the frame, and no second frame
  ExpectNear(picture.bitmap, 7, 5, 0xFFFFFF);
}

TEST(GifDecoder, InterlacedRowsLandWhereTheyBelong) {
  GifFrame frame = Rows(0, 0, 3, 11, [](int y) { return y % 4; });
  frame.interlaced = true;
  const DecodedPicture picture = DecodeGif(fixtures::MakeGif(3, 11, kPalette, {frame}));
  ASSERT_TRUE(picture.ok()) << picture.error;
  for (int y = 0; y < 11; ++y)
    ExpectNear(picture.bitmap, 1, y, kPalette[y % 4]);
}

TEST(GifDecoder, AFrameBeyondTheLogicalScreenWidensThePicture) {
  const GifFrame frame = Rows(3, 2, 4, 4, [](int) { return 1; });
  const DecodedPicture picture = DecodeGif(fixtures::MakeGif(5, 5, kPalette, {frame}));
  ASSERT_TRUE(picture.ok()) << picture.error;
  EXPECT_EQ(picture.bitmap.width(), 7);
  EXPECT_EQ(picture.bitmap.height(), 6);
  ExpectNear(picture.bitmap, 6, 5, kGreen);
}

TEST(GifDecoder, DamagedAndOversizedFilesFailWithASentence) {
  const GifFrame frame = Rows(0, 0, 16, 16, [](int y) { return y % 3; });
  const auto file = fixtures::MakeGif(16, 16, kPalette, {frame});
  std::vector<uint8_t> huge = file;
  huge[6] = 0x50;  // logical screen 30,032 pixels wide
  huge[7] = 0x75;
  std::vector<uint8_t> noFrame(file.begin(), file.begin() + 13 + 3 * 4);
  noFrame.push_back(0x3B);
  struct Case {
    std::vector<uint8_t> bytes;
    const char* says;
  };
  const Case cases[] = {
      {std::vector<uint8_t>(file.begin(), file.end() - 12), "could not be read"},
      {{'G', 'I', 'F'}, "could not be read"},
      {huge, "30,032 x 16 pixels"},
      {noFrame, "holds no picture"},
  };
  for (const Case& c : cases) {
    const DecodedPicture picture = DecodePicture(c.bytes, kPictureGif);
    EXPECT_FALSE(picture.ok());
    EXPECT_NE(picture.error.find(c.says), std::string::npos) << picture.error;
  }
}

// A few bytes can declare a screen of hundreds of megapixels around a pixel or two: such a
// screen is not made, the picture is the frame; ordinary screens keep their white around it.
TEST(GifDecoder, AHugeScreenAroundASmallFrameIsNotMade) {
  struct Case {
    int screenWidth, screenHeight;
    GifFrame frame;
    int width, height;   // of the decoded picture
    int frameX, frameY;  // where the frame's top-left pixel lands
  };
  const Case cases[] = {
      {20000, 20000, Rows(0, 0, 1, 1, [](int) { return 1; }), 1, 1, 0, 0},
      {20000, 20000, Rows(19990, 19995, 3, 2, [](int) { return 2; }), 3, 2, 0, 0},
      {30000, 800, Rows(5, 7, 40, 30, [](int) { return 0; }), 40, 30, 0, 0},
      {300, 200, Rows(250, 150, 2, 2, [](int) { return 1; }), 300, 200, 250, 150},
      {4100, 4000, Rows(10, 20, 2100, 2000, [](int) { return 2; }), 4100, 4000, 10, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.screenWidth << " x " << c.screenHeight);
    const DecodedPicture picture =
        DecodeGif(fixtures::MakeGif(c.screenWidth, c.screenHeight, kPalette, {c.frame}));
    ASSERT_TRUE(picture.ok()) << picture.error;
    EXPECT_EQ(picture.bitmap.width(), c.width);
    EXPECT_EQ(picture.bitmap.height(), c.height);
    EXPECT_EQ(picture.fullWidth, c.width);
    ExpectNear(picture.bitmap, c.frameX, c.frameY, kPalette[c.frame.indices[0]]);
    if (c.frameX > 0) ExpectNear(picture.bitmap, 0, 0, 0xFFFFFF);
  }
}

}  // namespace
}  // namespace quillon
