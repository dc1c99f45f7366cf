// SPDX-License-Identifier: GPL-3.0-or-later
// The print driver: composes the sheet at the printer's resolution in bands one tile high and
// sends each to the printer in tiles of at most 512 x 512 pixels.
#pragma once

#include <QSizeF>
#include <string>

#include "output/SheetComposer.h"

namespace quillon {

inline constexpr int kPrintTileSize = 512;
// Printer pixels per inch of a PDF file unless asked otherwise.
inline constexpr int kPdfResolution = 600;

// The paper of the document in millimetres, for a PDF page of the same size.
QSizeF PaperMillimetres(const ItemRecord& page, const ScreenMetrics& screen);
// Whether a PDF page can have this paper: more than nothing and at most 200 inches a side.
bool PdfPaperInRange(QSizeF paperMillimetres);

// A printer as the driver sees it; the desktop's is a QPrinter, the tests' a recorder.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;
  // Resolution, physical offset of the printable area and physical page size; known before
  // the job begins.
  virtual PrinterGeometry Geometry() const = 0;
  // Starts a job; false (with error() set) when the printer refuses.
  virtual bool Begin(const std::string& title, int copies) = 0;
  // Places a tile with its top-left corner at (x, y) of the printable area, one bitmap pixel
  // on one printer pixel.
  virtual void DrawTile(const Bitmap& tile, int x, int y) = 0;
  virtual bool End() = 0;
  // Stops a job that has begun: nothing of it is printed and no file is left.
  virtual void Abort() = 0;
  virtual std::string error() const = 0;
};

struct PrintResult {
  bool ok = false;
  std::string message;
  bool cancelled = false;  // stopped on request; the job, if it had begun, was aborted
};

// Prints the document's sheet; copies below 1 print nothing, and a sheet that cannot be
// composed opens no job. progress hears of the composing and of the tiles sent; when it says
// stop, the job, if it has begun, is aborted. The whole page is printed with the correction.
PrintResult PrintSheet(const ItemList& list, const std::string& title,
                       const std::u16string& selection, int copies, PrintDevice& device,
                       const ScreenMetrics& screen, const ItemRenderer& render,
                       const ProgressReport& progress = {}, const PageCorrection& correction = {});

// Prints a sheet made already (covering the printable area, as ComposeSheet makes it in
// printer mode) as one copy.
PrintResult PrintPicture(const Bitmap& sheet, const std::string& title, PrintDevice& device);

}  // namespace quillon
