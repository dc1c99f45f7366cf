// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Export.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "document/PageSetup.h"
#include "page/PageKinds.h"
#include "render/RenderItem.h"
#include "render/Resample.h"

namespace quillon {
namespace {

// A white bitmap of the given size, or the reason it cannot be made.
ComposeResult MakePicture(PictureSize size, Bitmap& picture) {
  try {
    picture = Bitmap(std::max(size.width, 1), std::max(size.height, 1));
    return {true, {}};
  } catch (const std::bad_alloc&) {
    return {false, std::string(kNotEnoughMemory) + " A picture of " + std::to_string(size.width) +
                       " x " + std::to_string(size.height) + " pixels is too large."};
  }
}

ComposeResult Reduce(const Bitmap& sheet, PictureSize size, Bitmap& picture) {
  ComposeResult made = MakePicture(size, picture);
  if (!made.ok) return made;
  try {
    Resample(sheet, picture, ResampleFilter::Triangle);
  } catch (const std::bad_alloc&) {
    // The resampler's own rows did not fit.
    picture = Bitmap();
    return {false, kNotEnoughMemory};
  }
  return made;
}

PictureSize AtScreenResolution(const ExportSize& nominal, const ScreenMetrics& screen) {
  return {RoundToInt32(nominal.width / double(std::max(1, nominal.resolutionX)) * screen.dpiX),
          RoundToInt32(nominal.height / double(std::max(1, nominal.resolutionY)) * screen.dpiY)};
}

}  // namespace

PictureSize ExportPictureSize(const ItemRecord& page, const ScreenMetrics& screen) {
  if (PageKindOf(page) == kKindDigitalImages) {
    return {RoundToInt32(page.pageWidth()), RoundToInt32(page.pageHeight())};
  }
  return AtScreenResolution(ExportPixelSize(&page, screen), screen);
}

PictureSize PreviewPictureSize(const ItemRecord& page, const ScreenMetrics& screen) {
  return AtScreenResolution(ExportPixelSize(&page, screen), screen);
}

ComposeResult ExportExact(const ItemList& list, const ScreenMetrics& screen,
                          const ItemRenderer& render, Bitmap& picture,
                          const ProgressReport& progress) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return {false, "The document has no page setup."};
  Bitmap sheet;
  const ComposeResult composed = ComposeSheet(list, sheet, ComposeMode::Export, u"", screen,
                                              PrinterGeometry{}, render, progress);
  if (!composed.ok) return composed;
  return Reduce(sheet, ExportPictureSize(*page, screen), picture);
}

ComposeResult ExportSmooth(const ItemList& list, const ScreenMetrics& screen,
                           const ItemRenderer& render, Bitmap& picture,
                           const ProgressReport& progress) {
  return PreviewPicture(list, screen, render, u"", picture, progress);
}

ComposeResult PreviewPicture(const ItemList& list, const ScreenMetrics& screen,
                             const ItemRenderer& render, const std::u16string& selection,
                             Bitmap& picture, const ProgressReport& progress,
                             const PageCorrection& correction) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return {false, "The document has no page setup."};
  Bitmap sheet;
  PrinterGeometry corrected;
  corrected.correction = correction;
  const ComposeResult composed = ComposeSheet(list, sheet, ComposeMode::Preview, selection, screen,
                                              corrected, render, progress);
  if (!composed.ok) return composed;
  return Reduce(sheet, PreviewPictureSize(*page, screen), picture);
}

LargePictureSize ResolutionPictureSize(const ItemRecord& page, const ScreenMetrics& screen,
                                       int dpi) {
  const auto length = [&](double value, int screenDpi) -> int64_t {
    double inches = value;
    if (page.pageUnits() == kUnitPixels) inches = value / std::max(1, screenDpi);
    if (page.pageUnits() == kUnitMillimetres) inches = value / 25.4;
    const double pixels = std::round(std::abs(inches) * dpi);
    // Lengths from a damaged file stay out of reach rather than overflowing.
    if (!std::isfinite(pixels) || pixels > 1e12) return int64_t{1} << 40;
    return std::max<int64_t>(1, static_cast<int64_t>(pixels));
  };
  return {length(page.pageWidth(), screen.dpiX), length(page.pageHeight(), screen.dpiY)};
}

std::string PictureSizeProblem(LargePictureSize size) {
  if (size.width <= kMaxBitmapSide && size.height <= kMaxBitmapSide &&
      size.width * size.height <= kMaxBitmapPixels) {
    return {};
  }
  return std::string(kNotEnoughMemory) + " A picture of " + std::to_string(size.width) + " x " +
         std::to_string(size.height) + " pixels is too large.";
}

ComposeResult ExportAtResolution(const ItemList& list, const ScreenMetrics& screen, int dpi,
                                 const ItemRenderer& render, Bitmap& picture,
                                 const ProgressReport& progress) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return {false, "The document has no page setup."};
  dpi = std::clamp(dpi, kLowestExportDpi, kHighestExportDpi);
  const LargePictureSize size = ResolutionPictureSize(*page, screen, dpi);
  if (std::string problem = PictureSizeProblem(size); !problem.empty()) return {false, problem};
  // A printer without margins whose page is the sheet: every card drawn, straight at the
  // resolution, as printing does.
  PrinterGeometry sheet;
  sheet.dpiX = sheet.dpiY = dpi;
  sheet.pageWidth = static_cast<int>(size.width);
  sheet.pageHeight = static_cast<int>(size.height);
  return ComposeSheet(list, picture, ComposeMode::Printer, u"", screen, sheet, render, progress);
}

ScreenshotPictures MakeScreenshotPictures(const Bitmap& capture) {
  ScreenshotPictures pictures;
  if (capture.empty()) return pictures;
  const int narrowHeight = std::max(1, RoundToInt32(400.0 * capture.height() / capture.width()));
  pictures.narrow = Bitmap(400, narrowHeight);
  Resample(capture, pictures.narrow, ResampleFilter::Mitchell);
  const int frameHeight = std::max(1, RoundToInt32(capture.width() * 0.75));
  pictures.framed = Bitmap(capture.width(), frameHeight);
  pictures.framed.Fill(kScreenshotBackdrop);
  // A capture taller than the frame is cut at the top and the bottom.
  const int top = (frameHeight - capture.height()) / 2;
  const int from = std::max(0, -top), to = std::max(0, top);
  const int rows = std::min(capture.height() - from, frameHeight - to);
  if (rows > 0) pictures.framed.CopyFrom(capture, 0, from, capture.width(), rows, 0, to);
  return pictures;
}

}  // namespace quillon
