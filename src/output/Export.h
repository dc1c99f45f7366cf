// SPDX-License-Identifier: GPL-3.0-or-later
// Picture export: the sheet rendered pixel for pixel at screen resolution ("Exact"), or at print
// quality and reduced with a filter ("Smooth"). Both give pictures of the same size.
#pragma once

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
