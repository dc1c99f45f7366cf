// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/CalibrationPage.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "output/PrinterCorrection.h"
#include "output/print/QtPrintDevice.h"

namespace quillon {
namespace {

constexpr int kDpi = 300;

bool Dark(const QImage& page, int x, int y) {
  return x >= 0 && y >= 0 && x < page.width() && y < page.height() && qGray(page.pixel(x, y)) < 128;
}

// The middle of the dark run across the line at `along`, searched within 30 pixels of
// `around`, in pixels (a run of pixels first..last has its middle at (first + last + 1) / 2);
// -1 when there is none.
double MiddleOfRun(const QImage& page, bool across, int along, double around) {
  int first = -1, last = -1;
  for (int i = int(around) - 30; i <= int(around) + 30; ++i) {
    if (across ? Dark(page, i, along) : Dark(page, along, i)) {
      if (first < 0) first = i;
      last = i;
    } else if (first >= 0) {
      break;
    }
  }
  return first < 0 ? -1 : (first + last + 1) / 2.0;
}

// Where the crosshair near `expected` (pixels) is: the vertical arm's middle 4 mm below the
// centre (outside the ring), the horizontal arm's middle 4 mm to the right.
QPointF FoundCrosshair(const QImage& page, QPointF expected) {
  const int step = int(std::lround(4 / 25.4 * kDpi));
  return {MiddleOfRun(page, true, int(expected.y()) + step, expected.x()),
          MiddleOfRun(page, false, int(expected.x()) + step, expected.y())};
}

QImage Rasterised(const QString& pdf) {
  QProcess raster;
  raster.start(QStandardPaths::findExecutable("pdftoppm"),
               {"-r", QString::number(kDpi), "-aa", "no", "-aaVector", "no", pdf});
  if (!raster.waitForFinished(120000)) return {};
  return QImage::fromData(raster.readAllStandardOutput(), "PPM");
}

// Printed to PDF and rasterised at 300 dpi, every crosshair lies where the page says, or where
// the correction it was printed with moves it, within one pixel.
TEST(CalibrationPage, CrosshairsPrintAtTheStatedPositionsWithinAPixel) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no pdftoppm";
  QTemporaryDir dir;
  const struct {
    QSizeF paper;
    PrinterCorrection correction;
  } cases[] = {
      {{210, 297}, {}},
      {{215.9, 279.4}, {}},
      {{210, 297}, {1.5, -1.2, 100, 100}},
      {{210, 297}, {-0.7, 0.9, 100.6, 99.5}},
  };
  int n = 0;
  for (const auto& c : cases) {
    const QString path = dir.filePath(QStringLiteral("calibration%1.pdf").arg(++n));
    auto pdf = QtPrintDevice::ForPdf(path, c.paper, kDpi);
    const PrintResult printed = PrintCalibrationPage(c.paper, *pdf, AsPageCorrection(c.correction));
    ASSERT_TRUE(printed.ok) << printed.message;
    const QImage page = Rasterised(path);
    ASSERT_FALSE(page.isNull());
    const std::vector<QPointF> crosses = CalibrationCrosshairs(c.paper);
    ASSERT_EQ(crosses.size(), 5u);
    for (const QPointF& meant : crosses) {
      const QPointF expected = CorrectedPoint(c.correction, meant) / 25.4 * kDpi;
      const QPointF found = FoundCrosshair(page, expected);
      EXPECT_LE(std::abs(found.x() - expected.x()), 1.0)
          << "case " << n << ", crosshair at " << meant.x() << ", " << meant.y() << " mm: x "
          << found.x() << " for " << expected.x();
      EXPECT_LE(std::abs(found.y() - expected.y()), 1.0)
          << "case " << n << ", crosshair at " << meant.x() << ", " << meant.y() << " mm: y "
          << found.y() << " for " << expected.y();
    }
  }
}

TEST(CalibrationPage, TheCrosshairsSitNearTheCornersAndInTheMiddle) {
  const std::vector<QPointF> a4 = CalibrationCrosshairs({210, 297});
  EXPECT_EQ(a4, std::vector<QPointF>({{20, 20}, {190, 20}, {20, 277}, {190, 277}, {105, 149}}));
}

// On a printer the sheet starts at the printable area: the page is drawn shifted by its
// offsets, so that the crosshairs stay where they were meant on the paper.
TEST(CalibrationPage, APrintersMarginsDoNotMoveTheCrosshairsOnThePaper) {
  PrinterGeometry printer;
  printer.dpiX = printer.dpiY = kDpi;
  printer.offsetX = 50;
  printer.offsetY = 70;
  printer.pageWidth = 2480;
  printer.pageHeight = 3508;
  Bitmap sheet;
  ASSERT_TRUE(ComposeCalibrationPage({210, 297}, printer, sheet).ok);
  const QImage page = sheet.Image();
  for (const QPointF& meant : CalibrationCrosshairs({210, 297})) {
    const QPointF expected = meant / 25.4 * kDpi - QPointF(50, 70);
    const QPointF found = FoundCrosshair(page, expected);
    EXPECT_LE(std::abs(found.x() - expected.x()), 1.0) << meant.x();
    EXPECT_LE(std::abs(found.y() - expected.y()), 1.0) << meant.y();
  }
  EXPECT_FALSE(ComposeCalibrationPage({60, 297}, printer, sheet).ok)
      << "a paper too narrow for the crosshairs";
}

}  // namespace
}  // namespace quillon
