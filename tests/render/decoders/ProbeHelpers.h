// SPDX-License-Identifier: GPL-3.0-or-later
// Pixel probes for decoded pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "render/Bitmap.h"

namespace quillon {

// Expects the pixel at (x, y) to be the colour (0x00BBGGRR) within tolerance per channel.
inline void ExpectNear(const Bitmap& b, int x, int y, uint32_t colour, int tolerance = 0) {
  ASSERT_TRUE(x >= 0 && y >= 0 && x < b.width() && y < b.height()) << x << "," << y;
  const uint32_t got = b.Pixel(x, y);
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = (got >> shift) & 0xFF;
    const int e = (colour >> shift) & 0xFF;
    EXPECT_LE(std::abs(a - e), tolerance)
        << "pixel " << x << "," << y << " is " << std::hex << got << ", expected " << colour;
  }
}

// How many pixels of the rectangle have exactly the colour.
inline int CountColour(const Bitmap& b, int left, int top, int width, int height, uint32_t colour) {
  int count = 0;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x)
      count += b.Pixel(x, y) == colour;
  return count;
}

}  // namespace quillon
