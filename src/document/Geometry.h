// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace quillon {

// A point in document pixels.
struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Rounds to the nearest integer, ties to even; NaN gives 0 and values outside the
// 32-bit range saturate, so hostile numbers never reach undefined conversions.
int32_t RoundToInt32(double value);

// Saturates a 64-bit intermediate to the 32-bit range of document coordinates.
int32_t ClampToInt32(int64_t value);

// Direction from a to b, counter-clockwise with the y axis pointing up, in [0, 2*pi).
double AngleOf(Point a, Point b);

// round(sqrt(dx^2 + dy^2)) with both differences taken in single precision and the first
// square rounded to single precision before the sum, as the record geometry requires.
int32_t RoundedSingleLength(int64_t dx, int64_t dy);

}  // namespace quillon

namespace quillon {

// A rectangle in pixels; right and bottom are exclusive.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace quillon
