// SPDX-License-Identifier: GPL-3.0-or-later
// Picture export: the sheet rendered pixel for pixel at screen resolution ("Exact"), or at print
// quality and reduced with a filter ("Smooth"). Both give pictures of the same size.
#pragma once

#include <cstdint>
#include <string>

#include "output/SheetComposer.h"

namespace quillon {

struct PictureSize {
  int width = 0;
  int height = 0;
};

// The size of an exported picture: a digital image's own pixel size, otherwise the sheet's
// nominal size brought to screen resolution.
PictureSize ExportPictureSize(const ItemRecord& page, const ScreenMetrics& screen);
// The size of the print preview's picture: the nominal size at screen resolution.
PictureSize PreviewPictureSize(const ItemRecord& page, const ScreenMetrics& screen);

// Fills picture with the exported sheet; fails without a page setup record or when a bitmap
// cannot be made (kNotEnoughMemory), and is cancelled when progress says stop.
ComposeResult ExportExact(const ItemList& list, const ScreenMetrics& screen,
                          const ItemRenderer& render, Bitmap& picture,
                          const ProgressReport& progress = {});
ComposeResult ExportSmooth(const ItemList& list, const ScreenMetrics& screen,
                           const ItemRenderer& render, Bitmap& picture,
                           const ProgressReport& progress = {});
// The print preview's picture: the smooth picture with the cards the selection leaves out
// white, and the page where the correction puts it.
ComposeResult PreviewPicture(const ItemList& list, const ScreenMetrics& screen,
                             const ItemRenderer& render, const std::u16string& selection,
                             Bitmap& picture, const ProgressReport& progress = {},
                             const PageCorrection& correction = {});

// Picture at a resolution: the sheet drawn directly at a chosen number of pixels per inch,
// within these limits (as typed, or 150, 300 or 600 from the list).
inline constexpr int kLowestExportDpi = 72;
inline constexpr int kHighestExportDpi = 2400;
// The pixel size of the sheet at dpi pixels per inch; a page measured in pixels has them at
// the screen's resolution. Sides beyond what a picture can have come back as they are, for the
// guard below to refuse.
struct LargePictureSize {
  int64_t width = 0;
  int64_t height = 0;
};
LargePictureSize ResolutionPictureSize(const ItemRecord& page, const ScreenMetrics& screen,
                                       int dpi);
// Why a picture of that size is not made (kNotEnoughMemory naming the size), or empty when
// it can be.
std::string PictureSizeProblem(LargePictureSize size);
// Fills picture with the sheet at dpi pixels per inch, every card drawn; refuses, before
// anything is allocated, a picture too large to make, and fails without a page setup record.
ComposeResult ExportAtResolution(const ItemList& list, const ScreenMetrics& screen, int dpi,
                                 const ItemRenderer& render, Bitmap& picture,
                                 const ProgressReport& progress = {});

// The two web pictures of a screenshot: one 400 pixels wide, reduced with the Mitchell
// filter, and one as wide as the capture and three quarters as high, the capture unscaled at
// its left edge and centred from top to bottom on dark teal.
inline constexpr uint32_t kScreenshotBackdrop = 4210467;  // red 35, green 63, blue 64
struct ScreenshotPictures {
  Bitmap narrow;  // "_400w.jpg"
  Bitmap framed;  // "_4wx3h.jpg"
};
ScreenshotPictures MakeScreenshotPictures(const Bitmap& capture);

}  // namespace quillon
