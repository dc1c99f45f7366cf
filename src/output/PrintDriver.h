// SPDX-License-Identifier: GPL-3.0-or-later
// The print driver: composes the sheet at the printer's resolution once and sends it to the
// printer in tiles of at most 512 x 512 pixels.
#pragma once

#include <string>

#include "output/SheetComposer.h"

namespace quillon {

inline constexpr int kPrintTileSize = 512;

// A printer as the driver sees it; the desktop's is a QPrinter, the tests' a recorder.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;
  // Starts a job; false (with error() set) when the printer refuses.
  virtual bool Begin(const std::string& title, int copies) = 0;
  // Resolution, physical offset of the printable area and physical page size.
  virtual PrinterGeometry Geometry() const = 0;
  // Places a tile with its top-left corner at (x, y) of the printable area, one bitmap pixel
  // on one printer pixel.
  virtual void DrawTile(const Bitmap& tile, int x, int y) = 0;
  virtual bool End() = 0;
  // Ends a job whose sheet could not be made, so that nothing of it is printed or kept.
  virtual void Abort() = 0;
  virtual std::string error() const = 0;
};

struct PrintResult {
  bool ok = false;
  std::string message;
};

// Prints the document's sheet; copies below 1 print nothing, and a sheet that cannot be
// composed aborts the job.
PrintResult PrintSheet(const ItemList& list, const std::string& title,
                       const std::u16string& selection, int copies, PrintDevice& device,
                       const ScreenMetrics& screen, const ItemRenderer& render);

}  // namespace quillon
