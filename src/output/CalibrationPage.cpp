// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/CalibrationPage.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <new>

namespace quillon {
namespace {

constexpr double kLine = 0.2;         // millimetres: the width of every line
constexpr double kCrossArm = 6;       // millimetres from the centre to an arm's end
constexpr char kLetters[] = "ABCDE";  // the crosshairs' names, in CalibrationCrosshairs' order

// The arms are filled in whole printer pixels, centred on the pixel nearest the crosshair's
// centre, so that a measure of the print finds it within half a pixel.
void DrawCrosshair(QPainter& painter, QPointF at, int index, bool labelLeft) {
  const QPointF centre = painter.transform().map(at);
  const QTransform scale = painter.transform();
  const int widthX = std::max(1, int(std::lround(kLine * scale.m11()))),
            widthY = std::max(1, int(std::lround(kLine * scale.m22())));
  const int armX = int(std::lround(kCrossArm * scale.m11())),
            armY = int(std::lround(kCrossArm * scale.m22()));
  const int left = int(std::lround(centre.x() - widthX / 2.0));
  const int top = int(std::lround(centre.y() - widthY / 2.0));
  const int cx = int(std::lround(centre.x())), cy = int(std::lround(centre.y()));
  painter.save();
  painter.resetTransform();
  painter.fillRect(QRect(left, cy - armY, widthX, 2 * armY), Qt::black);
  painter.fillRect(QRect(cx - armX, top, 2 * armX, widthY), Qt::black);
  painter.restore();
  painter.drawEllipse(at, 2.5, 2.5);
  QFont font = painter.font();
  font.setPointSizeF(3.2);  // millimetres here: the painter's unit
  painter.setFont(font);
  const QString label = QStringLiteral("%1: %2 mm, %3 mm")
                            .arg(QChar::fromLatin1(kLetters[index]))
                            .arg(at.x())
                            .arg(at.y());
  // Beyond the arm's end, where no measure of the arms meets it; on the left of the crosshairs
  // near the right edge, so that it stays on the paper.
  const QRectF room = labelLeft ? QRectF(at.x() - kCrossArm - 61.5, at.y() - 3, 60, 6)
                                : QRectF(at.x() + kCrossArm + 1.5, at.y() - 3, 60, 6);
  painter.drawText(room, (labelLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, label);
}

// Ticks every millimetre along the top and the left edge, longer every 5 and 10, numbered
// every 10.
void DrawRulers(QPainter& painter, QSizeF paper) {
  QFont font = painter.font();
  font.setPointSizeF(2.4);
  painter.setFont(font);
  for (int mm = 0; mm <= int(paper.width()); ++mm) {
    const double length = mm % 10 == 0 ? 6 : mm % 5 == 0 ? 4 : 2;
    painter.drawLine(QPointF(mm, 0), QPointF(mm, length));
    if (mm % 10 == 0 && mm > 0) painter.drawText(QPointF(mm + 0.5, 8), QString::number(mm));
  }
  for (int mm = 0; mm <= int(paper.height()); ++mm) {
    const double length = mm % 10 == 0 ? 6 : mm % 5 == 0 ? 4 : 2;
    painter.drawLine(QPointF(0, mm), QPointF(length, mm));
    if (mm % 10 == 0 && mm > 0) painter.drawText(QPointF(7, mm + 1), QString::number(mm));
  }
}

// An arrow pointing up in the middle below the ruler: the paper goes in top edge first.
void DrawFeedArrow(QPainter& painter, QSizeF paper) {
  const double x = paper.width() / 2;
  painter.drawLine(QPointF(x, 30), QPointF(x, 14));
  QPainterPath head;
  head.moveTo(x, 11);
  head.lineTo(x - 3, 16);
  head.lineTo(x + 3, 16);
  head.closeSubpath();
  painter.fillPath(head, Qt::black);
  QFont font = painter.font();
  font.setPointSizeF(3.2);
  painter.setFont(font);
  painter.drawText(QRectF(x - 40, 31, 80, 6), Qt::AlignHCenter, QStringLiteral("Feed direction"));
}

void DrawInstructions(QPainter& painter, QSizeF paper, const std::vector<QPointF>& crosses) {
  QFont font = painter.font();
  font.setPointSizeF(3.4);
  painter.setFont(font);
  const QRectF box(paper.width() / 2 - 70, crosses[4].y() + 12, 140, 60);
  painter.drawText(
      box, Qt::TextWordWrap,
      QStringLiteral(
          "Quillon calibration page. Print it on plain paper. Measure the centre of crosshair A "
          "and of crosshair D from the left edge and from the top edge of the paper, to a "
          "tenth of a millimetre, and enter the four distances in Tools > Calibrate Printer. "
          "Each crosshair is labelled with where it was meant to print. The rulers show "
          "millimetres from the paper's edges as the page was meant to print."));
}

}  // namespace

std::vector<QPointF> CalibrationCrosshairs(QSizeF paper) {
  // Whole millimetres, which a ruler reads at a glance.
  const double right = std::floor(paper.width() - kCrosshairInset),
               bottom = std::floor(paper.height() - kCrosshairInset);
  return {{kCrosshairInset, kCrosshairInset},
          {right, kCrosshairInset},
          {kCrosshairInset, bottom},
          {right, bottom},
          {std::round(paper.width() / 2), std::round(paper.height() / 2)}};
}

bool CalibrationPaperFits(QSizeF paper) {
  return PdfPaperInRange(paper) && paper.width() >= 4 * kCrosshairInset &&
         paper.height() >= 4 * kCrosshairInset;
}

ComposeResult ComposeCalibrationPage(QSizeF paper, const PrinterGeometry& printer, Bitmap& sheet) {
  if (!CalibrationPaperFits(paper)) {
    return {false, "The paper is too small for a calibration page."};
  }
  const int64_t width = int64_t{printer.pageWidth} - 2 * int64_t{printer.offsetX};
  const int64_t height = int64_t{printer.pageHeight} - 2 * int64_t{printer.offsetY};
  if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      width * height > kMaxBitmapPixels) {
    return {false, kNotEnoughMemory};
  }
  try {
    sheet = Bitmap(static_cast<int>(width), static_cast<int>(height));
  } catch (const std::bad_alloc&) {
    sheet = Bitmap();
    return {false, kNotEnoughMemory};
  }
  QImage image = sheet.Image();
  QPainter painter(&image);
  // The painter draws in millimetres of the paper, with the page corrected around the paper's
  // corner, then brought to the printable area's pixels.
  const PageCorrection& c = printer.correction;
  QTransform toPixels;
  toPixels.translate(-printer.offsetX, -printer.offsetY);
  toPixels.scale(printer.dpiX / 25.4, printer.dpiY / 25.4);
  toPixels.translate(25.4 * c.moveX, 25.4 * c.moveY);
  toPixels.scale(c.scaleX, c.scaleY);
  painter.setTransform(toPixels);
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(Qt::black, kLine);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  painter.setFont(QFont(QStringLiteral("Arial")));
  const std::vector<QPointF> crosses = CalibrationCrosshairs(paper);
  for (size_t i = 0; i < crosses.size(); ++i)
    DrawCrosshair(painter, crosses[i], int(i), crosses[i].x() > paper.width() / 2 + 1);
  DrawRulers(painter, paper);
  DrawFeedArrow(painter, paper);
  DrawInstructions(painter, paper, crosses);
  return {true, {}};
}

PrintResult PrintCalibrationPage(QSizeF paper, PrintDevice& device,
                                 const PageCorrection& correction) {
  PrinterGeometry geometry = device.Geometry();
  geometry.correction = correction;
  Bitmap sheet;
  const ComposeResult composed = ComposeCalibrationPage(paper, geometry, sheet);
  if (!composed.ok) return {false, composed.message};
  return PrintPicture(sheet, "Calibration page", device);
}

}  // namespace quillon
