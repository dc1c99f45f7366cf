// SPDX-License-Identifier: GPL-3.0-or-later
// A 24-bit bitmap: rows of blue, green, red bytes, each row padded to a multiple of four bytes.
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>
#include <memory>

namespace quillon {

// The largest bitmap the program makes, in pixels per side and in pixels in all.
inline constexpr int64_t kMaxBitmapSide = 32767;
inline constexpr int64_t kMaxBitmapPixels = 400'000'000;

class Bitmap {
 public:
  Bitmap() = default;
  // A white bitmap; sizes below 1 give an empty bitmap. Throws std::bad_alloc when the size is
  // beyond the limits above or memory runs out.
  Bitmap(int width, int height);
  // Like the constructor, but an empty bitmap instead of an exception.
  static Bitmap TryCreate(int width, int height);

  Bitmap(Bitmap&&) noexcept = default;
  Bitmap& operator=(Bitmap&&) noexcept = default;
  Bitmap Clone() const;

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0; }
  int stride() const { return stride_; }  // bytes per row
  uint8_t* Row(int y) { return bits_.get() + static_cast<int64_t>(y) * stride_; }
  const uint8_t* Row(int y) const { return bits_.get() + static_cast<int64_t>(y) * stride_; }

  // Colours are references with red in the low byte (0x00BBGGRR).
  uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t colour);
  void Fill(uint32_t colour);
  // Copies a rectangle of source with its top-left corner at (x, y), clipped to both bitmaps;
  // source may be this bitmap.
  void CopyFrom(const Bitmap& source, int sourceX, int sourceY, int width, int height, int x,
                int y);

  // A QImage over the same memory, for drawing with QPainter; valid while this bitmap lives.
  QImage Image();
  // A read-only QImage over the same memory.
  QImage Image() const;

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::unique_ptr<uint8_t[]> bits_;
};

// A colour reference's channels.
// Silver, the colour of page edges, rulers and chrome separators.
inline constexpr uint32_t kSilver = 12632256;

constexpr uint8_t RedOf(uint32_t colour) {
  return colour & 0xFF;
}
constexpr uint8_t GreenOf(uint32_t colour) {
  return (colour >> 8) & 0xFF;
}
constexpr uint8_t BlueOf(uint32_t colour) {
  return (colour >> 16) & 0xFF;
}
constexpr uint32_t ColourOf(uint8_t red, uint8_t green, uint8_t blue) {
  return red | (green << 8) | (uint32_t{blue} << 16);
}
inline QColor ToQColor(uint32_t colour) {
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

}  // namespace quillon
