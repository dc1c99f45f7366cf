// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintDriver.h"

#include <algorithm>

#include "document/PageSetup.h"

namespace quillon {

QSizeF PaperMillimetres(const ItemRecord& page, const ScreenMetrics& screen) {
  const double w = page.pageWidth(), h = page.pageHeight();
  switch (page.pageUnits()) {
    case kUnitMillimetres:
      return {w, h};
    case kUnitPixels:
      return {w / screen.dpiX * 25.4, h / screen.dpiY * 25.4};
    default:
      return {w * 25.4, h * 25.4};
  }
}

bool PdfPaperInRange(QSizeF paper) {
  constexpr double kLargestPaper = 200 * 25.4;
  return paper.width() > 0 && paper.height() > 0 && paper.width() <= kLargestPaper &&
         paper.height() <= kLargestPaper;
}

PrintResult PrintSheet(const ItemList& list, const std::string& title,
                       const std::u16string& selection, int copies, PrintDevice& device,
                       const ScreenMetrics& screen, const ItemRenderer& render,
                       const ProgressReport& progress) {
  if (FindPageRecord(list) == nullptr) return {false, "The document has no page setup."};
  if (copies < 1) return {false, "No copies were asked for."};
  // The sheet is made first, so that a sheet that cannot be made opens no job at all.
  Bitmap sheet;
  constexpr double kComposing = 0.9;
  ProgressReport composing;
  if (progress) composing = [&progress](double done) { return progress(done * kComposing); };
  const ComposeResult composed = ComposeSheet(list, sheet, ComposeMode::Printer, selection, screen,
                                              device.Geometry(), render, composing);
  if (!composed.ok) return {false, composed.message, composed.cancelled};
  if (!device.Begin(title, copies)) return {false, device.error()};
  const int64_t tiles = int64_t{(sheet.width() + kPrintTileSize - 1) / kPrintTileSize} *
                        ((sheet.height() + kPrintTileSize - 1) / kPrintTileSize);
  int64_t sent = 0;
  for (int x = 0; x < sheet.width(); x += kPrintTileSize) {
    const int w = std::min(kPrintTileSize, sheet.width() - x);
    for (int y = 0; y < sheet.height(); y += kPrintTileSize) {
      const int h = std::min(kPrintTileSize, sheet.height() - y);
      Bitmap tile(w, h);
      tile.CopyFrom(sheet, x, y, w, h, 0, 0);
      device.DrawTile(tile, x, y);
      ++sent;
      if (progress && !progress(kComposing + (1 - kComposing) * double(sent) / double(tiles))) {
        device.Abort();
        return {false, {}, true};
      }
    }
  }
  sheet = Bitmap();  // freed before the printer finishes the job
  PrintResult result{true, {}};
  if (!device.End()) result = {false, device.error()};
  return result;
}

}  // namespace quillon
