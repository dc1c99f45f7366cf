// SPDX-License-Identifier: GPL-3.0-or-later
// Small picture files made in code for the decoder tests and the fuzz seeds.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace quillon::fixtures {

using Bytes = std::vector<uint8_t>;

enum class JpegKind { Colour, Grey, Cmyk, AdobeCmyk };
// A JPEG of the image at quality 95; CMYK files hold the image's complement as ink.
Bytes MakeJpeg(const QImage& image, JpegKind kind = JpegKind::Colour, bool progressive = false);

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> indices;  // width * height palette indices
  int transparent = -1;
  bool interlaced = false;
};
// A GIF with a global palette of up to 256 colours (0x00BBGGRR) and the given frames.
Bytes MakeGif(int screenWidth, int screenHeight, const std::vector<uint32_t>& palette,
              const std::vector<GifFrame>& frames);

// A BMP file of the image with 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel; the palette
// formats use the image's colour table. topDown stores the rows first to last.
Bytes MakeBmp(const QImage& image, int bitCount, bool topDown = false);

// An ICO file; each image is stored as a BMP-style entry, or as PNG when png is set.
struct IconImage {
  QImage image;
  bool png = false;
};
Bytes MakeIco(const std::vector<IconImage>& images);

// A packed device-independent bitmap (info header and 24-bit rows, bottom-up).
Bytes MakeDib(const QImage& image);

// The quadrant test image: red, green / blue, white.
QImage Quadrants(int width, int height);

}  // namespace quillon::fixtures
