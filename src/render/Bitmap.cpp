// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quillon {
namespace {

// Bitmaps of at least these sizes are set up with large pages, or with all their pages at once
// (which spares fresh memory its page faults, but walks the pages of reused memory for nothing,
// so only sheet-sized bitmaps ask).
constexpr std::size_t kLargePages = std::size_t{16} << 20;
constexpr std::size_t kAllPagesAtOnce = std::size_t{4} << 20;

}  // namespace

Bitmap::Bitmap(int width, int height) {
  if (width <= 0 || height <= 0) return;
  if (width > kMaxBitmapSide || height > kMaxBitmapSide ||
      int64_t{width} * height > kMaxBitmapPixels) {
    throw std::bad_alloc();
  }
  const int stride = (width * 3 + 3) & ~3;
  bits_.reset(new uint8_t[static_cast<std::size_t>(stride) * height]);
  width_ = width;
  height_ = height;
  stride_ = stride;
  const std::size_t bytes = static_cast<std::size_t>(stride) * height;
#if defined(__linux__)
  constexpr std::size_t kPage = 4096;
  const auto start = (reinterpret_cast<std::uintptr_t>(bits_.get()) + kPage - 1) & ~(kPage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(bits_.get()) + bytes) & ~(kPage - 1);
  auto* const pages = reinterpret_cast<void*>(start);
  if (bytes >= kLargePages) {
    // A page-sized sheet is touched whole at once; large pages spare most of its page faults.
    madvise(pages, end - start, MADV_HUGEPAGE);
  } else if (bytes >= kAllPagesAtOnce) {
#if defined(MADV_POPULATE_WRITE)
    // Asking for every page at once costs a third less than a page fault for each.
    madvise(pages, end - start, MADV_POPULATE_WRITE);
#endif
  }
#endif
  std::memset(bits_.get(), 0xFF, bytes);
}

Bitmap Bitmap::TryCreate(int width, int height) {
  try {
    return Bitmap(width, height);
  } catch (const std::bad_alloc&) {
    return Bitmap();
  }
}

Bitmap Bitmap::Clone() const {
  Bitmap copy(width_, height_);
  if (!empty()) std::memcpy(copy.bits_.get(), bits_.get(), std::size_t(stride_) * height_);
  return copy;
}

uint32_t Bitmap::Pixel(int x, int y) const {
  const uint8_t* p = Row(y) + 3 * x;
  return ColourOf(p[2], p[1], p[0]);
}

void Bitmap::SetPixel(int x, int y, uint32_t colour) {
  uint8_t* p = Row(y) + 3 * x;
  p[0] = BlueOf(colour);
  p[1] = GreenOf(colour);
  p[2] = RedOf(colour);
}

void Bitmap::Fill(uint32_t colour) {
  if (empty()) return;
  uint8_t* first = Row(0);
  for (int x = 0; x < width_; ++x) {
    first[3 * x] = BlueOf(colour);
    first[3 * x + 1] = GreenOf(colour);
    first[3 * x + 2] = RedOf(colour);
  }
  for (int y = 1; y < height_; ++y)
    std::memcpy(Row(y), first, stride_);
}

void Bitmap::CopyFrom(const Bitmap& source, int sourceX, int sourceY, int width, int height, int x,
                      int y) {
  // Clip the rectangle against both bitmaps, moving both corners together.
  const int64_t left = std::max<int64_t>({0, -int64_t{sourceX}, -int64_t{x}});
  const int64_t top = std::max<int64_t>({0, -int64_t{sourceY}, -int64_t{y}});
  const int64_t right =
      std::min<int64_t>({width, int64_t{source.width_} - sourceX, int64_t{width_} - x});
  const int64_t bottom =
      std::min<int64_t>({height, int64_t{source.height_} - sourceY, int64_t{height_} - y});
  if (right <= left || bottom <= top) return;
  for (int64_t row = top; row < bottom; ++row) {
    std::memmove(Row(static_cast<int>(y + row)) + 3 * (x + left),
                 source.Row(static_cast<int>(sourceY + row)) + 3 * (sourceX + left),
                 static_cast<std::size_t>(3 * (right - left)));
  }
}

QImage Bitmap::Image() {
  if (empty()) return QImage();
  return QImage(bits_.get(), width_, height_, stride_, QImage::Format_BGR888);
}

QImage Bitmap::Image() const {
  if (empty()) return QImage();
  return QImage(static_cast<const uchar*>(bits_.get()), width_, height_, stride_,
                QImage::Format_BGR888);
}

}  // namespace quillon
