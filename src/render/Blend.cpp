// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Blend.h"

#include <algorithm>
#include <array>

#include "document/Geometry.h"
#include "render/Resample.h"

namespace quillon {

namespace {

// c * b / 255 rounded, for every channel c and mask byte b. c * b / 255 never ends in exactly one
// half, so rounding up at .5 is rounding to even.
using ProductTable = std::array<std::array<uint8_t, 256>, 256>;
const ProductTable& Products() {
  static const ProductTable table = [] {
    ProductTable t{};
    for (uint32_t b = 0; b < 256; ++b) {
      for (uint32_t c = 0; c < 256; ++c)
        t[b][c] = static_cast<uint8_t>((2 * c * b + 255) / 510);
    }
    return t;
  }();
  return table;
}

}  // namespace

void MultiplyRow(const uint8_t* mask, uint8_t* destination, int width) {
  const ProductTable& products = Products();
  for (int x = 0; x < width; ++x) {
    const uint8_t b = mask[3 * x];
    if (b == 255) continue;
    const std::array<uint8_t, 256>& times = products[b];
    uint8_t* d = destination + 3 * x;
    d[0] = times[d[0]];
    d[1] = times[d[1]];
    d[2] = times[d[2]];
  }
}

void MultiplyBlend(const Bitmap& mask, Bitmap& destination) {
  const int width = std::min(mask.width(), destination.width());
  const int height = std::min(mask.height(), destination.height());
  for (int y = 0; y < height; ++y)
    MultiplyRow(mask.Row(y), destination.Row(y), width);
}

std::optional<ShrunkSize> BlurShrunkSize(int width, int height, int softness, double scale) {
  const int smallW = RoundToInt32(double(width) * 10 / (softness + 10) / scale);
  const int smallH = RoundToInt32(double(height) * 10 / (softness + 10) / scale);
  if (smallW >= width || smallH >= height) return std::nullopt;
  return ShrunkSize{std::max(smallW, 6), std::max(smallH, 6)};
}

void BlurMask(Bitmap& mask, int softness, double scale) {
  const std::optional<ShrunkSize> shrunk =
      BlurShrunkSize(mask.width(), mask.height(), softness, scale);
  if (!shrunk) return;
  Bitmap small(shrunk->width, shrunk->height);
  Resample(mask, small, ResampleFilter::BSpline);
  Resample(small, mask, ResampleFilter::BSpline);
}

}  // namespace quillon
