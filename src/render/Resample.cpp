// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "document/Geometry.h"

namespace quillon {

double FilterSupport(ResampleFilter filter) {
  switch (filter) {
    case ResampleFilter::Box:
      return 0.5;
    case ResampleFilter::Triangle:
    case ResampleFilter::Hermite:
      return 1.0;
    case ResampleFilter::Bell:
      return 1.5;
    case ResampleFilter::BSpline:
    case ResampleFilter::Mitchell:
      return 2.0;
    case ResampleFilter::Lanczos3:
      return 3.0;
  }
  return 1.0;
}

namespace {

double Sinc(double x) {
  if (x == 0) return 1.0;
  x *= std::numbers::pi;
  return std::sin(x) / x;
}

double Mitchell(double x) {
  constexpr double b = 1.0 / 3, c = 1.0 / 3;
  if (x < 1) {
    return ((12 - 9 * b - 6 * c) * x * x * x + (-18 + 12 * b + 6 * c) * x * x + (6 - 2 * b)) / 6;
  }
  if (x < 2) {
    return ((-b - 6 * c) * x * x * x + (6 * b + 30 * c) * x * x + (-12 * b - 48 * c) * x +
            (8 * b + 24 * c)) /
           6;
  }
  return 0;
}

}  // namespace

double FilterKernel(ResampleFilter filter, double x) {
  if (filter == ResampleFilter::Box) return x > -0.5 && x <= 0.5 ? 1.0 : 0.0;
  x = std::abs(x);
  switch (filter) {
    case ResampleFilter::Triangle:
      return x < 1 ? 1 - x : 0;
    case ResampleFilter::Hermite:
      return x < 1 ? (2 * x - 3) * x * x + 1 : 0;
    case ResampleFilter::Bell:
      if (x < 0.5) return 0.75 - x * x;
      if (x < 1.5) return 0.5 * (x - 1.5) * (x - 1.5);
      return 0;
    case ResampleFilter::BSpline:
      if (x < 1) return 0.5 * x * x * x - x * x + 2.0 / 3;
      if (x < 2) return (2 - x) * (2 - x) * (2 - x) / 6;
      return 0;
    case ResampleFilter::Lanczos3:
      return x < 3 ? Sinc(x) * Sinc(x / 3) : 0;
    case ResampleFilter::Mitchell:
      return Mitchell(x);
    case ResampleFilter::Box:
      break;
  }
  return 0;
}

namespace {

struct Contribution {
  int index;   // source pixel, reflected inside
  int weight;  // in 1/256
};

// For each destination position, the source pixels and weights that make it.
struct Contributions {
  std::vector<int> start;  // into entries, one more than positions
  std::vector<Contribution> entries;
};

// Indices below the image mirror about its first pixel (-1 gives 1), indices past it about
// its last pixel (size gives size - 1); a far-off index keeps folding, which repeats with a
// period of 2 size - 1.
int Reflect(int64_t j, int size) {
  const int64_t period = 2 * int64_t{size} - 1;
  j %= period;
  if (j < 0) j += period;
  return static_cast<int>(j < size ? j : period - j);
}

// Weights for the destination positions first .. first + count - 1 of a destination of the
// given size.
Contributions Weigh(int sourceSize, int64_t destinationSize, ResampleFilter filter, int64_t first,
                    int count) {
  const double scale = double(destinationSize - 1) / double(sourceSize - 1);
  const bool shrinking = scale < 1.0;
  const double support = shrinking ? FilterSupport(filter) / scale : FilterSupport(filter);
  Contributions c;
  c.start.reserve(count + 1);
  for (int64_t i = first; i < first + count; ++i) {
    c.start.push_back(static_cast<int>(c.entries.size()));
    const double centre = i / scale;
    const auto left = static_cast<int64_t>(std::floor(centre - support));
    const auto right = static_cast<int64_t>(std::ceil(centre + support));
    for (int64_t j = left; j <= right; ++j) {
      const double value = shrinking ? FilterKernel(filter, (centre - j) * scale) * scale
                                     : FilterKernel(filter, centre - j);
      const int weight = RoundToInt32(value * 256);
      if (weight != 0) c.entries.push_back({Reflect(j, sourceSize), weight});
    }
    // Rounded weights need not add up to one: each would tint a flat area, white shadow masks
    // most visibly, with a stripe per column. The largest weight takes the difference.
    const auto first = c.entries.begin() + c.start.back();
    if (first != c.entries.end()) {
      int sum = 0;
      for (auto e = first; e != c.entries.end(); ++e)
        sum += e->weight;
      std::max_element(first, c.entries.end(), [](const Contribution& a, const Contribution& b) {
        return a.weight < b.weight;
      })->weight += 256 - sum;
    }
  }
  c.start.push_back(static_cast<int>(c.entries.size()));
  return c;
}

// sum / 256 rounded half to even, clamped to a byte.
inline uint8_t ToByte(int32_t sum) {
  int32_t q = sum >> 8;
  const int32_t r = sum & 0xFF;
  if (r > 128 || (r == 128 && (q & 1))) ++q;
  return static_cast<uint8_t>(std::clamp(q, 0, 255));
}

// The colour of a row whose pixels are all alike, or kMixed. Weights that add up to one turn
// such a row into the same colour wherever they reach, so the work is skipped for it: shadow
// masks are white but for their silhouettes.
constexpr int64_t kMixed = -1;
int64_t UniformColour(const uint8_t* row, int width) {
  for (int x = 1; x < width; ++x) {
    if (std::memcmp(row + 3 * x, row, 3) != 0) return kMixed;
  }
  return row[0] | (row[1] << 8) | (int64_t{row[2]} << 16);
}

void FillRow(uint8_t* row, int width, int64_t colour) {
  const uint8_t bytes[3] = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                            static_cast<uint8_t>(colour >> 16)};
  for (int x = 0; x < width; ++x)
    std::memcpy(row + 3 * x, bytes, 3);
}

// Returns, per work row, its colour when the whole row has one, else kMixed.
std::vector<int64_t> ResampleRows(const Bitmap& source, Bitmap& work,
                                  const Contributions& columns) {
  const int width = work.width();
  // A position without any weight comes out black, so rows are alike only when every position
  // has weights.
  bool weighed = true;
  for (int x = 0; x < width; ++x)
    weighed = weighed && columns.start[x] < columns.start[x + 1];
  std::vector<int64_t> uniform(source.height(), kMixed);
  for (int y = 0; y < source.height(); ++y) {
    const uint8_t* in = source.Row(y);
    uint8_t* out = work.Row(y);
    if (weighed) {
      uniform[y] = UniformColour(in, source.width());
      if (uniform[y] != kMixed) {
        FillRow(out, width, uniform[y]);
        continue;
      }
    }
    for (int x = 0; x < width; ++x) {
      int32_t b = 0, g = 0, r = 0;
      for (int k = columns.start[x]; k < columns.start[x + 1]; ++k) {
        const Contribution& c = columns.entries[k];
        const uint8_t* p = in + 3 * c.index;
        b += p[0] * c.weight;
        g += p[1] * c.weight;
        r += p[2] * c.weight;
      }
      out[3 * x] = ToByte(b);
      out[3 * x + 1] = ToByte(g);
      out[3 * x + 2] = ToByte(r);
    }
  }
  return uniform;
}

void ResampleColumns(const Bitmap& work, Bitmap& destination, const Contributions& rows,
                     const std::vector<int64_t>& uniform) {
  const int bytes = 3 * destination.width();
  std::vector<int32_t> sum(bytes);
  for (int y = 0; y < destination.height(); ++y) {
    uint8_t* out = destination.Row(y);
    // Rows that mix only rows of one and the same colour take that colour.
    const int first = rows.start[y], last = rows.start[y + 1];
    if (first < last) {
      const int64_t colour = uniform[rows.entries[first].index];
      bool alike = colour != kMixed;
      for (int k = first + 1; alike && k < last; ++k)
        alike = uniform[rows.entries[k].index] == colour;
      if (alike) {
        FillRow(out, destination.width(), colour);
        continue;
      }
    }
    std::fill(sum.begin(), sum.end(), 0);
    for (int k = first; k < last; ++k) {
      const uint8_t* in = work.Row(rows.entries[k].index);
      const int32_t weight = rows.entries[k].weight;
      int32_t* acc = sum.data();
      for (int i = 0; i < bytes; ++i)
        acc[i] += in[i] * weight;
    }
    for (int i = 0; i < bytes; ++i)
      out[i] = ToByte(sum[i]);
  }
}

}  // namespace

void Resample(const Bitmap& source, Bitmap& destination, ResampleFilter filter) {
  ResampleWindow(source, destination.width(), destination.height(), 0, 0, destination, filter);
}

void ResampleWindow(const Bitmap& source, int64_t fullWidth, int64_t fullHeight, int64_t left,
                    int64_t top, Bitmap& destination, ResampleFilter filter) {
  if (source.width() <= 1 || source.height() <= 1 || fullWidth <= 1 || fullHeight <= 1 ||
      destination.width() < 1 || destination.height() < 1) {
    return;
  }
  Bitmap work(destination.width(), source.height());
  const std::vector<int64_t> uniform = ResampleRows(
      source, work, Weigh(source.width(), fullWidth, filter, left, destination.width()));
  ResampleColumns(work, destination,
                  Weigh(source.height(), fullHeight, filter, top, destination.height()), uniform);
}

}  // namespace quillon
