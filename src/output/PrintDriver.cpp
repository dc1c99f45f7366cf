// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintDriver.h"

#include <algorithm>
#include <cstring>

#include "document/PageSetup.h"

namespace quillon {

namespace {

// Whether every pixel of the w x h rectangle at (x, y) is white.
bool AllWhite(const Bitmap& sheet, int x, int y, int w, int h) {
  const size_t bytes = 3 * size_t(w);
  for (int row = y; row < y + h; ++row) {
    const uint8_t* p = sheet.Row(row) + 3 * int64_t{x};
    // A row is white when its first byte is and every byte equals the next.
    if (p[0] != 0xFF || std::memcmp(p, p + 1, bytes - 1) != 0) return false;
  }
  return true;
}

// Sends the part of the sheet whose first row is the sheet's row top, tile by tile; sent is
// told how far it has come and false from it stops the sending.
bool SendTiles(const Bitmap& part, int top, PrintDevice& device, const ProgressReport& sent) {
  const int64_t tiles = int64_t{(part.width() + kPrintTileSize - 1) / kPrintTileSize} *
                        ((part.height() + kPrintTileSize - 1) / kPrintTileSize);
  int64_t done = 0;
  for (int x = 0; x < part.width(); x += kPrintTileSize) {
    const int w = std::min(kPrintTileSize, part.width() - x);
    for (int y = 0; y < part.height(); y += kPrintTileSize) {
      const int h = std::min(kPrintTileSize, part.height() - y);
      // The paper is white already, so white tiles are not sent. The others go whole and on
      // the grid: tiles cut to their drawing would each start at its own place, and a PDF
      // viewer rounds every picture's edges on its own, so that their pixels would step.
      if (!AllWhite(part, x, y, w, h)) {
        Bitmap tile(w, h);
        tile.CopyFrom(part, x, y, w, h, 0, 0);
        device.DrawTile(tile, x, top + y);
      }
      if (sent && !sent(double(++done) / double(tiles))) return false;
    }
  }
  return true;
}

}  // namespace

PrintResult PrintPicture(const Bitmap& sheet, const std::string& title, PrintDevice& device) {
  if (!device.Begin(title, 1)) return {false, device.error()};
  SendTiles(sheet, 0, device, {});
  if (!device.End()) return {false, device.error()};
  return {true, {}};
}

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
                       const ProgressReport& progress, const PageCorrection& correction) {
  if (FindPageRecord(list) == nullptr) return {false, "The document has no page setup."};
  if (copies < 1) return {false, "No copies were asked for."};
  // The sheet is composed and sent band by band, one tile row high; the job opens with the
  // first band, so that a sheet that cannot be made opens no job at all.
  bool begun = false, refused = false;
  const BandSink send = [&](const Bitmap& part, int top, const ProgressReport& sent) {
    if (!begun) {
      if (!device.Begin(title, copies)) {
        refused = true;
        return false;
      }
      begun = true;
    }
    return SendTiles(part, top, device, sent);
  };
  PrinterGeometry geometry = device.Geometry();
  geometry.correction = correction;
  const ComposeResult composed =
      ComposeSheetInBands(list, ComposeMode::Printer, selection, screen, geometry, render,
                          kPrintTileSize, send, progress);
  if (refused) return {false, device.error()};
  if (!composed.ok) {
    if (begun) device.Abort();
    return {false, composed.message, composed.cancelled};
  }
  PrintResult result{true, {}};
  if (!device.End()) result = {false, device.error()};
  return result;
}

}  // namespace quillon
