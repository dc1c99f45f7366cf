// SPDX-License-Identifier: GPL-3.0-or-later
// The calibration page: crosshairs at known places near the four corners and in the middle of
// the paper, millimetre rulers along the top and left edges, an arrow for the feed direction
// and short instructions. Printed with a printer's correction, it shows what is left to correct.
#pragma once

#include <QPointF>
#include <QSizeF>
#include <string>
#include <vector>

#include "output/PrintDriver.h"

namespace quillon {

// How far the corner crosshairs sit from the paper's edges, in millimetres.
inline constexpr double kCrosshairInset = 20;

// The crosshairs' centres in whole millimetres from the paper's top-left corner: top left, top
// right, bottom left, bottom right (about kCrosshairInset from the edges), then the middle.
std::vector<QPointF> CalibrationCrosshairs(QSizeF paperMillimetres);

// Whether a calibration page fits the paper: the crosshairs must lie apart.
bool CalibrationPaperFits(QSizeF paperMillimetres);

// Draws the page into sheet, which covers the printable area of printer (as a sheet of
// ComposeSheet in printer mode does), with printer.correction applied.
ComposeResult ComposeCalibrationPage(QSizeF paperMillimetres, const PrinterGeometry& printer,
                                     Bitmap& sheet);

// Prints one calibration page on the device with the correction.
PrintResult PrintCalibrationPage(QSizeF paperMillimetres, PrintDevice& device,
                                 const PageCorrection& correction);

}  // namespace quillon
