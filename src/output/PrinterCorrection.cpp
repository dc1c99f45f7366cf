// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrinterCorrection.h"

#include <cmath>
#include <sstream>

namespace quillon {
namespace {

std::string Number(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

std::string ScaleProblem(double scale, const char* direction) {
  if (!std::isfinite(scale)) return std::string("The ") + direction + " scale is not a number.";
  if (scale < kSmallestCorrectionScale || scale > kLargestCorrectionScale) {
    return std::string("The ") + direction + " scale must be between " +
           Number(kSmallestCorrectionScale) + " and " + Number(kLargestCorrectionScale) +
           " per cent.";
  }
  return {};
}

std::string OffsetProblem(double offset, const char* direction) {
  if (!std::isfinite(offset)) return std::string("The ") + direction + " offset is not a number.";
  if (std::abs(offset) > kLargestCorrectionOffset) {
    return std::string("The ") + direction + " offset must be between -" +
           Number(kLargestCorrectionOffset) + " and " + Number(kLargestCorrectionOffset) + " mm.";
  }
  return {};
}

}  // namespace

std::string CorrectionProblem(const PrinterCorrection& c) {
  for (std::string problem :
       {OffsetProblem(c.offsetX, "horizontal"), OffsetProblem(c.offsetY, "vertical"),
        ScaleProblem(c.scaleX, "horizontal"), ScaleProblem(c.scaleY, "vertical")}) {
    if (!problem.empty()) return problem;
  }
  return {};
}

std::string CorrectionProblem(const PrinterCorrection& c, QSizeF paper) {
  if (std::string problem = CorrectionProblem(c); !problem.empty()) return problem;
  if (2 * std::abs(c.offsetX) >= paper.width() || 2 * std::abs(c.offsetY) >= paper.height()) {
    return "The correction moves the page by half the paper or more, so that most of it would "
           "print beside the paper.";
  }
  return {};
}

PageCorrection AsPageCorrection(const PrinterCorrection& c) {
  return {c.scaleX / 100, c.scaleY / 100, c.offsetX / 25.4, c.offsetY / 25.4};
}

QPointF CorrectedPoint(const PrinterCorrection& c, QPointF at) {
  return {c.offsetX + at.x() * c.scaleX / 100, c.offsetY + at.y() * c.scaleY / 100};
}

namespace {

// One direction of the measure. The printer puts a point commanded at q at a + b q; the page
// was printed with q = o + s p, so that a point p landed at A + k p with k = b s and
// A = a + b o. The new correction makes a + b (o' + s' p) = p: s' = 1 / b, o' = -a / b.
bool Solve(double meant1, double meant2, double got1, double got2, double offset, double scale,
           double& newOffset, double& newScale) {
  if (!std::isfinite(meant1 + meant2 + got1 + got2) || std::abs(meant2 - meant1) < 1) return false;
  const double k = (got2 - got1) / (meant2 - meant1);
  if (!(k > 0.5 && k < 2)) return false;
  const double intercept = got1 - k * meant1;
  const double s = scale / 100;
  newScale = 100 * s / k;
  newOffset = offset - intercept * s / k;
  // Measures are read to a tenth of a millimetre: more digits only carry the reading's noise.
  newScale = std::round(newScale * 1000) / 1000;
  newOffset = std::round(newOffset * 100) / 100;
  return true;
}

}  // namespace

std::optional<PrinterCorrection> CorrectionFromMeasure(const CalibrationMeasure& m,
                                                       const PrinterCorrection& printedWith,
                                                       std::string& problem) {
  PrinterCorrection c;
  if (!Solve(m.meantFirst.x(), m.meantSecond.x(), m.measuredFirst.x(), m.measuredSecond.x(),
             printedWith.offsetX, printedWith.scaleX, c.offsetX, c.scaleX) ||
      !Solve(m.meantFirst.y(), m.meantSecond.y(), m.measuredFirst.y(), m.measuredSecond.y(),
             printedWith.offsetY, printedWith.scaleY, c.offsetY, c.scaleY)) {
    problem =
        "These measures cannot be right: the two crosshairs must lie apart, and each "
        "distance as the ruler shows it from the paper's edge.";
    return std::nullopt;
  }
  problem = CorrectionProblem(c);
  if (!problem.empty()) {
    problem = "These measures give a correction out of bounds. " + problem;
    return std::nullopt;
  }
  return c;
}

}  // namespace quillon
