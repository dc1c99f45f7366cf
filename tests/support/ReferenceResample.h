// SPDX-License-Identifier: GPL-3.0-or-later
// The resampler written straight from its definition, for comparing the fast one and the
// pictures made with it.
#pragma once

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "document/Geometry.h"
#include "render/Resample.h"

namespace quillon::test {

// The resampler written straight from its definition, one output value at a time: weights
// round(kernel * 256), the largest one taking what keeps their sum at 256.
inline uint8_t ReferenceValue(const std::vector<uint8_t>& line, int i, double scale,
                       ResampleFilter filter) {
  const int n = static_cast<int>(line.size());
  const bool shrinking = scale < 1;
  const double support = FilterSupport(filter) / (shrinking ? scale : 1);
  const double centre = i / scale;
  std::vector<std::pair<int, int64_t>> taps;  // weight, source index
  for (int64_t j = std::floor(centre - support); j <= std::ceil(centre + support); ++j) {
    const double k = shrinking ? FilterKernel(filter, (centre - j) * scale) * scale
                               : FilterKernel(filter, centre - j);
    const int weight = RoundToInt32(k * 256);
    if (weight == 0) continue;
    int64_t at = j;
    while (at < 0 || at >= n)
      at = at < 0 ? -at : 2 * n - 1 - at;
    taps.push_back({weight, at});
  }
  int total = 0;
  size_t largest = 0;
  for (size_t t = 0; t < taps.size(); ++t) {
    total += taps[t].first;
    if (taps[t].first > taps[largest].first) largest = t;
  }
  if (!taps.empty()) taps[largest].first += 256 - total;
  int64_t sum = 0;
  for (const auto& [weight, at] : taps)
    sum += weight * line[at];
  return static_cast<uint8_t>(std::clamp(RoundToInt32(sum / 256.0), 0, 255));
}

inline Bitmap Reference(const Bitmap& source, int width, int height, ResampleFilter filter) {
  const double sx = double(width - 1) / (source.width() - 1);
  const double sy = double(height - 1) / (source.height() - 1);
  Bitmap work(width, source.height());
  for (int y = 0; y < source.height(); ++y) {
    for (int c = 0; c < 3; ++c) {
      std::vector<uint8_t> line;
      for (int x = 0; x < source.width(); ++x)
        line.push_back(source.Row(y)[3 * x + c]);
      for (int x = 0; x < width; ++x)
        work.Row(y)[3 * x + c] = ReferenceValue(line, x, sx, filter);
    }
  }
  Bitmap out(width, height);
  for (int x = 0; x < width; ++x) {
    for (int c = 0; c < 3; ++c) {
      std::vector<uint8_t> line;
      for (int y = 0; y < work.height(); ++y)
        line.push_back(work.Row(y)[3 * x + c]);
      for (int y = 0; y < height; ++y)
        out.Row(y)[3 * x + c] = ReferenceValue(line, y, sy, filter);
    }
  }
  return out;
}

}  // namespace quillon::test
