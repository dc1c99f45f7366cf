// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Geometry.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace quillon {

int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  // nearbyint follows the default rounding mode, which is round half to even.
  const double r = std::nearbyint(value);
  if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

int32_t ClampToInt32(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

double AngleOf(Point a, Point b) {
  constexpr double kPi = std::numbers::pi;
  if (b.y == a.y) return b.x < a.x ? kPi : 0.0;
  if (b.x == a.x) return a.y >= b.y ? kPi / 2 : 3 * kPi / 2;
  double theta = std::atan2(static_cast<double>(a.y) - b.y, static_cast<double>(b.x) - a.x);
  if (theta < 0) theta += 2 * kPi;
  return theta;
}

int32_t RoundedSingleLength(int64_t dx, int64_t dy) {
  const float fx = static_cast<float>(dx);
  const float fy = static_cast<float>(dy);
  const float firstSquare = fx * fx;
  const double sum = static_cast<double>(firstSquare) + static_cast<double>(fy) * fy;
  return RoundToInt32(std::sqrt(sum));
}

}  // namespace quillon
