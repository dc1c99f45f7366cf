// SPDX-License-Identifier: GPL-3.0-or-later
// A printer's correction: most printers feed the paper a little off and a little short, so the
// whole page is scaled around the paper's top-left corner and then moved, the same for every
// card. It is kept per printer in the settings and never changes the document.
#pragma once

#include <QPointF>
#include <QSizeF>
#include <optional>
#include <string>

#include "output/SheetComposer.h"

namespace quillon {

// What a correction may hold: printers are off by a few millimetres and a fraction of a per cent;
// anything beyond these bounds is a mistake, not a printer.
inline constexpr double kSmallestCorrectionScale = 90;  // per cent
inline constexpr double kLargestCorrectionScale = 110;  // per cent
inline constexpr double kLargestCorrectionOffset = 20;  // millimetres, either way

struct PrinterCorrection {
  double offsetX = 0;   // millimetres to the right
  double offsetY = 0;   // millimetres down
  double scaleX = 100;  // per cent across
  double scaleY = 100;  // per cent down
  bool IsNone() const { return offsetX == 0 && offsetY == 0 && scaleX == 100 && scaleY == 100; }
  bool operator==(const PrinterCorrection&) const = default;
};

// Why the correction cannot be used, as a sentence; empty when it can.
std::string CorrectionProblem(const PrinterCorrection& correction);
// The same, and also why it cannot be used on this paper (millimetres): a move by half the
// paper or more would print the page mostly beside it.
std::string CorrectionProblem(const PrinterCorrection& correction, QSizeF paperMillimetres);

// The correction as the sheet composer applies it.
PageCorrection AsPageCorrection(const PrinterCorrection& correction);

// Where a point of the page (millimetres from the paper's top-left corner) lands with the
// correction, in millimetres from the same corner.
QPointF CorrectedPoint(const PrinterCorrection& correction, QPointF millimetres);

// What the user measured on a printed calibration page: where two crosshairs, one near the
// top-left corner and one near the bottom-right corner, landed, in millimetres from the left
// and the top edge of the paper, beside where they were meant to land.
struct CalibrationMeasure {
  QPointF meantFirst, meantSecond;
  QPointF measuredFirst, measuredSecond;
};
// The correction that brings the crosshairs back where they were meant to land, on top of the
// correction the page was printed with. Nullopt with problem set when the measures cannot be
// right (crosshairs on top of each other, or a correction out of bounds).
std::optional<PrinterCorrection> CorrectionFromMeasure(const CalibrationMeasure& measure,
                                                       const PrinterCorrection& printedWith,
                                                       std::string& problem);

}  // namespace quillon
