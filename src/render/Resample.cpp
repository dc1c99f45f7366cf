// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "document/Geometry.h"
#include "render/SharedWork.h"

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

// Two 16-bit weights side by side, the first in the low half.
inline int32_t Pair(int first, int second) {
  return static_cast<int32_t>((static_cast<uint32_t>(first) & 0xFFFF) |
                              (static_cast<uint32_t>(second) << 16));
}

// The same contributions as runs of neighbours: every position reads `count` source pixels
// from its own `first` on, with a zero weight wherever the filter gave none and the weights of
// a pixel reached twice (by reflection) added together. Integer sums do not depend on their
// order, so the results stay exactly those of the contributions.
struct Taps {
  int count = 0;
  std::vector<int> first;
  std::vector<int16_t> weights;  // count per position
  std::vector<int32_t> pairs;    // the weights two by two, (count + 1) / 2 per position
  bool weighed = true;           // every position has a weight
};

Taps Densify(const Contributions& c, int sourceSize) {
  const int positions = static_cast<int>(c.start.size()) - 1;
  Taps t;
  t.first.resize(positions);
  for (int i = 0; i < positions; ++i) {
    int lo = sourceSize, hi = -1;
    for (int k = c.start[i]; k < c.start[i + 1]; ++k) {
      lo = std::min(lo, c.entries[k].index);
      hi = std::max(hi, c.entries[k].index);
    }
    t.weighed = t.weighed && hi >= 0;
    t.count = std::max(t.count, hi - lo + 1);
    t.first[i] = hi >= 0 ? lo : 0;
  }
  t.count = std::max(t.count, 1);
  const int pairs = (t.count + 1) / 2;
  t.weights.assign(size_t(positions) * t.count, 0);
  t.pairs.assign(size_t(positions) * pairs, 0);
  for (int i = 0; i < positions; ++i) {
    // A run that would pass the last pixel starts earlier instead.
    t.first[i] = std::min(t.first[i], sourceSize - t.count);
    int16_t* w = &t.weights[size_t(i) * t.count];
    for (int k = c.start[i]; k < c.start[i + 1]; ++k)
      w[c.entries[k].index - t.first[i]] += static_cast<int16_t>(c.entries[k].weight);
    for (int k = 0; k < t.count; k += 2)
      t.pairs[size_t(i) * pairs + k / 2] = Pair(w[k], k + 1 < t.count ? w[k + 1] : 0);
  }
  return t;
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

#if defined(__SSE2__)
inline __m128i Load4(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return _mm_cvtsi32_si128(v);
}

// ToByte on four sums at once: adding 127 plus the quotient's lowest bit rounds half to even,
// and the saturating packs that follow clamp.
inline __m128i Round(__m128i sum) {
  const __m128i odd = _mm_and_si128(_mm_srai_epi32(sum, 8), _mm_set1_epi32(1));
  return _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(sum, _mm_set1_epi32(127)), odd), 8);
}
#endif

// One source row filtered across into a work row of columns.first.size() pixels; out has room
// for one byte more.
void FilterAcross(const uint8_t* in, int sourceWidth, const Taps& columns, uint8_t* out) {
  const int width = static_cast<int>(columns.first.size());
  const int n = columns.count;
  for (int x = 0; x < width; ++x) {
    const uint8_t* p = in + 3 * columns.first[x];
#if defined(__SSE2__)
    // Four-byte loads read a byte past the pixel, so runs that reach the last pixel take the
    // plain loop below.
    if (columns.first[x] + n < sourceWidth) {
      const __m128i zero = _mm_setzero_si128();
      const int32_t* pair = &columns.pairs[size_t(x) * ((n + 1) / 2)];
      __m128i sum = zero;
      int k = 0;
      for (; k + 1 < n; k += 2, p += 6) {
        // b0 b1 g0 g1 r0 r1 _ _ as 16-bit lanes, multiplied by (w0, w1) pairwise and added.
        const __m128i two = _mm_unpacklo_epi8(_mm_unpacklo_epi8(Load4(p), Load4(p + 3)), zero);
        sum = _mm_add_epi32(sum, _mm_madd_epi16(two, _mm_set1_epi32(pair[k / 2])));
      }
      if (k < n) {
        const __m128i one = _mm_unpacklo_epi8(_mm_unpacklo_epi8(Load4(p), zero), zero);
        sum = _mm_add_epi32(sum, _mm_madd_epi16(one, _mm_set1_epi32(pair[k / 2])));
      }
      __m128i bytes = _mm_packs_epi32(Round(sum), zero);
      bytes = _mm_packus_epi16(bytes, zero);
      const int32_t pixel = _mm_cvtsi128_si32(bytes);
      std::memcpy(out + 3 * x, &pixel, 4);
      continue;
    }
#endif
    const int16_t* w = &columns.weights[size_t(x) * n];
    int32_t b = 0, g = 0, r = 0;
    for (int k = 0; k < n; ++k, p += 3) {
      b += p[0] * w[k];
      g += p[1] * w[k];
      r += p[2] * w[k];
    }
    out[3 * x] = ToByte(b);
    out[3 * x + 1] = ToByte(g);
    out[3 * x + 2] = ToByte(r);
  }
}

// rows[0 .. n-1] filtered down into one row of `bytes` bytes; rows can be read up to a
// multiple of 16 bytes.
void FilterDown(const uint8_t* const* rows, const int16_t* weights, const int32_t* pairs, int n,
                int bytes, uint8_t* out) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i < bytes; i += 16) {
    __m128i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
    for (int k = 0; k < n; k += 2) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + i));
      const __m128i b =
          k + 1 < n ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k + 1] + i)) : zero;
      const __m128i w = _mm_set1_epi32(pairs[k / 2]);
      // Bytes of the two rows interleaved as 16-bit lanes a0 b0 a1 b1 ..., weighed pairwise.
      const __m128i lo = _mm_unpacklo_epi8(a, b), hi = _mm_unpackhi_epi8(a, b);
      s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), w));
      s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), w));
      s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), w));
      s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), w));
    }
    const __m128i result = _mm_packus_epi16(_mm_packs_epi32(Round(s0), Round(s1)),
                                            _mm_packs_epi32(Round(s2), Round(s3)));
    if (i + 16 <= bytes) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), result);
    } else {
      alignas(16) uint8_t tail[16];
      _mm_store_si128(reinterpret_cast<__m128i*>(tail), result);
      std::memcpy(out + i, tail, bytes - i);
    }
  }
#endif
  (void)pairs;
  for (; i < bytes; ++i) {
    int32_t sum = 0;
    for (int k = 0; k < n; ++k)
      sum += rows[k][i] * weights[k];
    out[i] = ToByte(sum);
  }
}

// Work rows filtered across, made when first needed and kept in a ring as long as the rows
// being filtered down can still use them; each remembers its colour when it has only one.
class WorkRows {
 public:
  WorkRows(const Bitmap& source, int sourceTop, const Taps& columns, int ring)
      : source_(&source),
        top_(sourceTop),
        columns_(&columns),
        stride_((3 * static_cast<int>(columns.first.size()) + 31) / 16 * 16),
        bits_(size_t(ring) * stride_),
        held_(ring, -1),
        colour_(ring, kMixed),
        content_(ring, 0) {}

  // Work row y, its colour when it has only one, and what it holds: rows made from source rows
  // of the same bytes hold the same number.
  const uint8_t* Row(int y, int64_t* colour, int64_t* content) {
    const size_t slot = static_cast<size_t>(y) % held_.size();
    uint8_t* row = &bits_[slot * stride_];
    if (held_[slot] != y) {
      const int width = static_cast<int>(columns_->first.size());
      const uint8_t* in = source_->Row(y - top_);
      // A row with the same bytes as the one made last is made alike: the inside of an upright
      // shape's silhouette is many such rows.
      const size_t last = lastY_ >= 0 ? static_cast<size_t>(lastY_) % held_.size() : 0;
      if (lastY_ >= 0 && held_[last] == lastY_ &&
          std::memcmp(in, source_->Row(lastY_ - top_), 3 * size_t(source_->width())) == 0) {
        if (last != slot) std::memcpy(row, &bits_[last * stride_], stride_);
        colour_[slot] = colour_[last];
        content_[slot] = content_[last];
      } else {
        // A position without any weight comes out black, so rows are alike only when every
        // position has weights.
        colour_[slot] = columns_->weighed ? UniformColour(in, source_->width()) : kMixed;
        if (colour_[slot] != kMixed) {
          FillRow(row, width, colour_[slot]);
        } else {
          FilterAcross(in, source_->width(), *columns_, row);
        }
        content_[slot] = ++made_;
      }
      held_[slot] = y;
      lastY_ = y;
    }
    *colour = colour_[slot];
    *content = content_[slot];
    return row;
  }

 private:
  const Bitmap* source_;
  int top_;  // the source row that source_ holds first
  const Taps* columns_;
  int stride_;
  std::vector<uint8_t> bits_;
  std::vector<int> held_;
  std::vector<int64_t> colour_;
  std::vector<int64_t> content_;
  int lastY_ = -1;    // the source row made last
  int64_t made_ = 0;  // rows made from their own bytes so far
};

}  // namespace

namespace {

// Destination rows first..last (exclusive) of a window of the full-size copy, from the work
// rows of one thread; each thread keeps its own, so threads can make separate rows at once.
void FilterRows(WorkRows& kept, const Taps& rows, Bitmap& destination, int first, int last) {
  // Worked on as a local object: the rows' byte stores cannot then be taken to change it, and
  // the compiler keeps its buffers in registers.
  WorkRows work(std::move(kept));
  const int n = rows.count;
  const int bytes = 3 * destination.width();
  std::vector<const uint8_t*> in(n);
  for (int y = first; y < last; ++y) {
    const int16_t* weights = &rows.weights[size_t(y) * n];
    // Rows that mix only rows of one and the same colour take that colour; rows that mix only
    // work rows of the same bytes are those bytes, as the weights add up to one.
    int64_t colour = kMixed, content = 0;
    bool alike = true, same = true, seen = false;
    const uint8_t* one = nullptr;
    for (int k = 0; k < n; ++k) {
      int64_t c, held;
      in[k] = work.Row(rows.first[y] + k, &c, &held);
      if (weights[k] == 0) continue;
      if (!seen) {
        colour = c;
        content = held;
        one = in[k];
      }
      seen = true;
      alike = alike && c != kMixed && c == colour;
      same = same && held == content;
    }
    if (alike && seen) {
      FillRow(destination.Row(y), destination.width(), colour);
      continue;
    }
    if (same && seen) {
      std::memcpy(destination.Row(y), one, bytes);
      continue;
    }
    FilterDown(in.data(), weights, &rows.pairs[size_t(y) * ((n + 1) / 2)], n, bytes,
               destination.Row(y));
  }
  kept = std::move(work);
}

// Below this many destination pixels a second thread costs more than it saves.
constexpr int64_t kPixelsForTwoThreads = 1 << 19;
// Destination rows, and source rows mixed, a thread takes at least at a time when two share the
// work.
constexpr int kRowsPerRun = 64;

}  // namespace

void Resample(const Bitmap& source, Bitmap& destination, ResampleFilter filter) {
  ResampleWindow(source, destination.width(), destination.height(), 0, 0, destination, filter);
}

void ResampleWindow(const Bitmap& source, int64_t fullWidth, int64_t fullHeight, int64_t left,
                    int64_t top, Bitmap& destination, ResampleFilter filter) {
  ResampleWindow(source, 0, source.height(), fullWidth, fullHeight, left, top, destination, filter);
}

SourceSpan ResampleReach(int sourceSize, int64_t fullSize, ResampleFilter filter, int64_t first,
                         int count) {
  if (sourceSize <= 1 || fullSize <= 1 || count < 1) return {};
  const Taps taps = Densify(Weigh(sourceSize, fullSize, filter, first, count), sourceSize);
  const auto [lo, hi] = std::minmax_element(taps.first.begin(), taps.first.end());
  return {*lo, *hi + taps.count - 1};
}

void ResampleWindow(const Bitmap& source, int sourceTop, int sourceHeight, int64_t fullWidth,
                    int64_t fullHeight, int64_t left, int64_t top, Bitmap& destination,
                    ResampleFilter filter) {
  if (source.width() <= 1 || sourceHeight <= 1 || fullWidth <= 1 || fullHeight <= 1 ||
      destination.width() < 1 || destination.height() < 1) {
    return;
  }
  const Taps columns =
      Densify(Weigh(source.width(), fullWidth, filter, left, destination.width()), source.width());
  const Taps rows =
      Densify(Weigh(sourceHeight, fullHeight, filter, top, destination.height()), sourceHeight);
  // Every row read must be one the source holds.
  const auto [lo, hi] = std::minmax_element(rows.first.begin(), rows.first.end());
  if (*lo < sourceTop || int64_t{*hi} + rows.count > int64_t{sourceTop} + source.height()) return;
  const int height = destination.height();
  if (int64_t{destination.width()} * height < kPixelsForTwoThreads) {
    WorkRows work(source, sourceTop, columns, rows.count);
    FilterRows(work, rows, destination, 0, height);
    return;
  }
  // Every row is made from the same weights whichever thread makes it. Runs of rows go to
  // whichever thread is free, this one from the top, the other from the bottom; a thread keeps
  // its work rows from run to run. A run mixes at least kRowsPerRun source rows, so that
  // enlarging does not filter the rows where runs meet over and over.
  const int64_t perRun = std::max<int64_t>(
      kRowsPerRun, (int64_t{kRowsPerRun} * fullHeight + sourceHeight - 1) / sourceHeight);
  const int run = static_cast<int>(std::min<int64_t>(perRun, height));
  ShareWork((height + run - 1) / run, [&]() -> Piece {
    auto work = std::make_shared<WorkRows>(source, sourceTop, columns, rows.count);
    return [&, work](int i) {
      FilterRows(*work, rows, destination, i * run, std::min(height, (i + 1) * run));
    };
  });
}

}  // namespace quillon
