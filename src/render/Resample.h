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

// The same window made from part of the source: source holds the rows from sourceTop on of a
// source sourceHeight rows high. The rows the window reads (ResampleReach) must all be there;
// otherwise the destination keeps its content.
void ResampleWindow(const Bitmap& source, int sourceTop, int sourceHeight, int64_t fullWidth,
                    int64_t fullHeight, int64_t left, int64_t top, Bitmap& destination,
                    ResampleFilter filter);

// The source positions, first to last, that positions first .. first + count - 1 of a copy of
// fullSize pixels along one direction read from a source of sourceSize pixels.
struct SourceSpan {
  int first = 0;
  int last = -1;
};
SourceSpan ResampleReach(int sourceSize, int64_t fullSize, ResampleFilter filter, int64_t first,
                         int count);

}  // namespace quillon
