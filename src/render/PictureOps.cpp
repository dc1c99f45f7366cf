// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PictureOps.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "document/Geometry.h"

namespace quillon {
namespace {

uint8_t Clamp(int64_t value) {
  return static_cast<uint8_t>(std::clamp<int64_t>(value, 0, 255));
}

}  // namespace

void AdjustColours(Bitmap& picture, int32_t saturation, int32_t contrast, int32_t lightness) {
  if (saturation == 0 && contrast == 0 && lightness == 0) return;
  for (int y = 0; y < picture.height(); ++y) {
    uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.width(); ++x, p += 3) {
      if (saturation != 0) {
        const int64_t m =
            (int64_t{std::max({p[0], p[1], p[2]})} + std::min({p[0], p[1], p[2]})) / 2;
        for (int c = 0; c < 3; ++c)
          p[c] = Clamp(p[c] + int64_t{saturation} * (p[c] - m) / 128);
      }
      if (contrast != 0) {
        for (int c = 0; c < 3; ++c)
          p[c] = Clamp(p[c] + int64_t{contrast} * (p[c] - 128) / 256);
      }
      if (lightness != 0) {
        for (int c = 0; c < 3; ++c)
          p[c] = Clamp(int64_t{p[c]} + lightness);
      }
    }
  }
}

void MirrorFlip(Bitmap& picture, int horizontal, int vertical) {
  const int w = picture.width(), h = picture.height();
  if (horizontal < 0) {
    for (int y = 0; y < h; ++y) {
      uint8_t* row = picture.Row(y);
      for (int left = 0, right = w - 1; left < right; ++left, --right) {
        std::swap_ranges(row + 3 * left, row + 3 * left + 3, row + 3 * right);
      }
    }
  }
  if (vertical < 0) {
    for (int top = 0, bottom = h - 1; top < bottom; ++top, --bottom) {
      std::swap_ranges(picture.Row(top), picture.Row(top) + 3 * w, picture.Row(bottom));
    }
  }
}

BitmapSize RotatedSize(int width, int height, double angle) {
  const double s = std::sin(angle), c = std::cos(angle);
  return {std::abs(RoundToInt32(height * s)) + std::abs(RoundToInt32(width * c)),
          std::abs(RoundToInt32(width * s)) + std::abs(RoundToInt32(height * c))};
}

void RotateBitmap(const Bitmap& source, Bitmap& destination, double angle) {
  const int w = source.width(), h = source.height();
  const int W = destination.width(), H = destination.height();
  if (w == 0 || h == 0 || W == 0 || H == 0) return;
  const double c = std::cos(angle), s = std::sin(angle);
  // Doubled coordinates keep pixel centres on whole numbers; halving truncates toward zero.
  const int64_t shiftX = (W - w) / 2 + w / 2, shiftY = (H - h) / 2 + h / 2;
  for (int j = 0; j < H; ++j) {
    const int64_t y2 = 2 * (j - shiftY) + 1;
    uint8_t* out = destination.Row(j);
    for (int i = 0; i < W; ++i) {
      const int64_t x2 = 2 * (i - shiftX) + 1;
      const int64_t column = w / 2 + (int64_t{RoundToInt32(c * x2 - s * y2)} - 1) / 2;
      const int64_t row = h / 2 + (int64_t{RoundToInt32(s * x2 + c * y2)} - 1) / 2;
      if (column < 0 || column >= w || row < 0 || row >= h) continue;
      std::memcpy(out + 3 * i, source.Row(static_cast<int>(row)) + 3 * column, 3);
    }
  }
}

void RoundMask(const Bitmap& picture, Bitmap& destination) {
  const int w = std::min(picture.width(), destination.width());
  const int h = std::min(picture.height(), destination.height());
  // The ellipse inscribed in the box 0..w-1 by 0..h-1, as the platform fills a region: a pixel
  // belongs when its centre lies inside.
  const double rx = (picture.width() - 1) / 2.0, ry = (picture.height() - 1) / 2.0;
  if (rx <= 0 || ry <= 0) return;
  for (int y = 0; y < h; ++y) {
    const double dy = (y + 0.5 - ry) / ry;
    for (int x = 0; x < w; ++x) {
      const double dx = (x + 0.5 - rx) / rx;
      if (dx * dx + dy * dy <= 1.0) {
        std::memcpy(destination.Row(y) + 3 * x, picture.Row(y) + 3 * x, 3);
      }
    }
  }
}

}  // namespace quillon
