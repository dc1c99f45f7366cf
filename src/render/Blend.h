// SPDX-License-Identifier: GPL-3.0-or-later
// Scan-line work on masks: multiplying a mask into a picture and blurring a shadow mask.
#pragma once

#include <optional>

#include "render/Bitmap.h"

namespace quillon {

// Darkens destination by the mask's blue bytes: each channel c becomes c * b / 255 rounded;
// pixels where b is 255 are untouched. Both bitmaps have the same size.
void MultiplyBlend(const Bitmap& mask, Bitmap& destination);
// The same for width pixels of one row of each.
void MultiplyRow(const uint8_t* mask, uint8_t* destination, int width);

// Blurs a shadow mask by shrinking it with the cubic B-spline filter and enlarging it again;
// softness is the item's shadowSoftness and scale the output scale (1.0 in the window).
void BlurMask(Bitmap& mask, int softness, double scale);

// The size BlurMask shrinks a width x height mask to before enlarging it again; nothing when it
// leaves that mask as it is.
struct ShrunkSize {
  int width = 0;
  int height = 0;
};
std::optional<ShrunkSize> BlurShrunkSize(int width, int height, int softness, double scale);

}  // namespace quillon
