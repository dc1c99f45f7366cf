// SPDX-License-Identifier: GPL-3.0-or-later
// Operations on picture bitmaps: colour adjustment, mirroring, rotation and the round mask.
#pragma once

#include "render/Bitmap.h"

namespace quillon {

// Saturation, contrast and lightness in this order, per pixel; 0 leaves a step out. Divisions
// truncate toward zero and every step's result is clamped to 0..255.
void AdjustColours(Bitmap& picture, int32_t saturation, int32_t contrast, int32_t lightness);

// A negative horizontal sign reverses every row; a negative vertical sign the order of rows.
void MirrorFlip(Bitmap& picture, int horizontal, int vertical);

struct BitmapSize {
  int width = 0;
  int height = 0;
};
// The size of a w x h picture turned by angle radians.
BitmapSize RotatedSize(int width, int height, double angle);

// Turns source by angle radians (counter-clockwise on screen) about the centres of both
// bitmaps into destination, which keeps its pixels wherever no source pixel lands.
void RotateBitmap(const Bitmap& source, Bitmap& destination, double angle);

// Copies into destination the pixels of picture inside the ellipse inscribed in the square of
// the picture's size; the corners keep what destination held. Both have the same size.
void RoundMask(const Bitmap& picture, Bitmap& destination);

}  // namespace quillon
