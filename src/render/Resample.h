// SPDX-License-Identifier: GPL-3.0-or-later
// The separable filtered resampler used by export, preview, shadows, pictures and chrome.
#pragma once

#include "render/Bitmap.h"

namespace quillon {

enum class ResampleFilter {
  Box = 0,
  Triangle = 1,
  Hermite = 2,
  Bell = 3,
  BSpline = 4,
  Lanczos3 = 5,
  Mitchell = 6,
};

// The filter's kernel and its support radius.
double FilterKernel(ResampleFilter filter, double x);
double FilterSupport(ResampleFilter filter);

// Fills destination (whose size is the target size) with a filtered copy of source: weights in
// 1/256, borders reflected, kernels stretched when shrinking. When either bitmap is one pixel
// or less in either direction the destination keeps its content. Source and destination are
// different bitmaps: the destination's rows are written while the source is still read.
void Resample(const Bitmap& source, Bitmap& destination, ResampleFilter filter);

// The part of such a copy at the full size fullWidth x fullHeight whose top-left pixel is
// (left, top), as large as destination: the same pixels Resample into a bitmap of the full size
// gives there, without making the whole.
void ResampleWindow(const Bitmap& source, int64_t fullWidth, int64_t fullHeight, int64_t left,
                    int64_t top, Bitmap& destination, ResampleFilter filter);

}  // namespace quillon
