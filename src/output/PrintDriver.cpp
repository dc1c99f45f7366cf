// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintDriver.h"

#include <algorithm>

#include "document/PageSetup.h"

namespace quillon {

PrintResult PrintSheet(const ItemList& list, const std::string& title,
                       const std::u16string& selection, int copies, PrintDevice& device,
                       const ScreenMetrics& screen, const ItemRenderer& render) {
  if (FindPageRecord(list) == nullptr) return {false, "The document has no page setup."};
  if (copies < 1) return {false, "No copies were asked for."};
  if (!device.Begin(title, copies)) return {false, device.error()};
  PrintResult result{true, {}};
  {
    Bitmap sheet;  // the one copy of the sheet, freed before the job ends
    const ComposeResult composed = ComposeSheet(list, sheet, ComposeMode::Printer, selection,
                                                screen, device.Geometry(), render);
    if (!composed.ok) result = {false, composed.message};
    for (int x = 0; result.ok && x < sheet.width(); x += kPrintTileSize) {
      const int w = std::min(kPrintTileSize, sheet.width() - x);
      for (int y = 0; y < sheet.height(); y += kPrintTileSize) {
        const int h = std::min(kPrintTileSize, sheet.height() - y);
        Bitmap tile(w, h);
        tile.CopyFrom(sheet, x, y, w, h, 0, 0);
        device.DrawTile(tile, x, y);
      }
    }
  }
  if (!result.ok) {
    device.Abort();
  } else if (!device.End()) {
    result = {false, device.error()};
  }
  return result;
}

}  // namespace quillon
