// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrinterCorrection.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

#include "output/PaintBox.h"
#include "output/PrintDriver.h"
#include "output/print/QtPrintDevice.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using test::PaintBox;

// Business cards on A4: 2 columns of 74 mm, 10 mm apart, 21 mm from the left; 4 rows of 52 mm,
// 10 mm apart, 19.5 mm from the top. Folded, the 4 rows are 2 cards of twice the height. A
// small box sits in the first card's top-left corner.
void CardSheet(ItemList& list, bool folded) {
  test::AddBusinessCardSheet(list).setRowFold(folded ? 255 : 0);
  test::AddItem(list, kKindRectangle, {0, 0}, {12, 12});
}

PrinterGeometry A4At(int dpi) {
  PrinterGeometry g;
  g.dpiX = g.dpiY = dpi;
  g.offsetX = g.offsetY = 0;
  g.pageWidth = RoundToInt32(210 / 25.4 * dpi);
  g.pageHeight = RoundToInt32(297 / 25.4 * dpi);
  return g;
}

// The top-left corner of the black box that starts inside the window (x, y, w, h).
QPoint CornerIn(const Bitmap& sheet, int x0, int y0, int w, int h) {
  for (int y = std::max(y0, 0); y < std::min(y0 + h, sheet.height()); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x0 + w, sheet.width()); ++x) {
      if (sheet.Pixel(x, y) == 0) {
        int left = x;
        while (left > 0 && sheet.Pixel(left - 1, y) == 0)
          --left;
        return {left, y};
      }
    }
  }
  return {-1, -1};
}

struct CorrectionCase {
  PrinterCorrection correction;
  bool folded;
};

class CorrectedSheet : public testing::TestWithParam<std::tuple<int, CorrectionCase>> {};

// Every card's corner lands where the correction puts the card's corner on the paper, within
// a pixel for the first card; each further card may add the pixel that rounding a card's size
// and gap to whole pixels costs, as it does without a correction.
TEST_P(CorrectedSheet, MovesEveryCardCornerWhereTheCorrectionSays) {
  const auto [dpi, example] = GetParam();
  ItemList list;
  CardSheet(list, example.folded);
  PrinterGeometry printer = A4At(dpi);
  printer.correction = AsPageCorrection(example.correction);
  Bitmap sheet;
  ASSERT_TRUE(
      ComposeSheet(list, sheet, ComposeMode::Printer, u"", ScreenMetrics{}, printer, PaintBox).ok);
  const double cardHeight = example.folded ? 104 : 52;
  const int rows = example.folded ? 2 : 4;
  for (int r = 1; r <= rows; ++r) {
    for (int k = 1; k <= 2; ++k) {
      const QPointF meant(21 + (k - 1) * 84.0, 19.5 + (r - 1) * (cardHeight + 10));
      const QPointF landed = CorrectedPoint(example.correction, meant) / 25.4 * dpi;
      const QPoint found = CornerIn(sheet, int(landed.x()) - 8, int(landed.y()) - 8, 16, 16);
      const double tolerance = 1 + (r - 1) + (k - 1);
      EXPECT_LE(std::abs(found.x() - landed.x()), tolerance)
          << "card " << r << "," << k << " at " << dpi << " dpi: x " << found.x() << " for "
          << landed.x();
      EXPECT_LE(std::abs(found.y() - landed.y()), tolerance)
          << "card " << r << "," << k << " at " << dpi << " dpi: y " << found.y() << " for "
          << landed.y();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    OffsetsAndScales, CorrectedSheet,
    testing::Combine(testing::Values(300, 600),
                     testing::Values(CorrectionCase{{0, 0, 100, 100}, false},
                                     CorrectionCase{{2, 1.5, 100, 100}, false},
                                     CorrectionCase{{-1.5, -2.5, 100, 100}, false},
                                     CorrectionCase{{0, 0, 101, 99.2}, false},
                                     CorrectionCase{{0, 0, 99.5, 100.7}, false},
                                     CorrectionCase{{1.2, -0.8, 99.6, 100.4}, false},
                                     CorrectionCase{{-2, 3, 100.9, 99.1}, true},
                                     CorrectionCase{{0.5, 0.5, 100, 100}, true})));

TEST(PrinterCorrection, NoCorrectionComposesTheSheetByteForByte) {
  ItemList list;
  CardSheet(list, false);
  Bitmap plain, corrected;
  PrinterGeometry printer = A4At(300);
  printer.offsetX = 50;
  printer.offsetY = 70;
  ASSERT_TRUE(
      ComposeSheet(list, plain, ComposeMode::Printer, u" x", ScreenMetrics{}, printer, PaintBox)
          .ok);
  printer.correction = AsPageCorrection({});
  ASSERT_TRUE(
      ComposeSheet(list, corrected, ComposeMode::Printer, u" x", ScreenMetrics{}, printer, PaintBox)
          .ok);
  ASSERT_EQ(plain.height(), corrected.height());
  for (int y = 0; y < plain.height(); ++y)
    ASSERT_EQ(std::memcmp(plain.Row(y), corrected.Row(y), 3 * size_t(plain.width())), 0) << y;
}

TEST(PrinterCorrection, RefusesWhatNoPrinterNeedsWithASentence) {
  const struct {
    PrinterCorrection correction;
    const char* problem;
  } cases[] = {
      {{0, 0, 100, 100}, ""},
      {{-20, 20, 90, 110}, ""},
      {{0, 0, 89.9, 100}, "The horizontal scale must be between 90 and 110 per cent."},
      {{0, 0, 100, 110.5}, "The vertical scale must be between 90 and 110 per cent."},
      {{20.5, 0, 100, 100}, "The horizontal offset must be between -20 and 20 mm."},
      {{0, -25, 100, 100}, "The vertical offset must be between -20 and 20 mm."},
      {{NAN, 0, 100, 100}, "The horizontal offset is not a number."},
      {{0, 0, 100, INFINITY}, "The vertical scale is not a number."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CorrectionProblem(c.correction), c.problem);
  // On a small paper a move of half its width or more puts the page beside it.
  EXPECT_EQ(CorrectionProblem({10, 0, 100, 100}, QSizeF(20, 40)),
            "The correction moves the page by half the paper or more, so that most of it would "
            "print beside the paper.");
  EXPECT_EQ(CorrectionProblem({9.9, 19.9, 100, 100}, QSizeF(20, 40)), "");
}

TEST(PrinterCorrection, TheComposerRefusesADamagedCorrection) {
  ItemList list;
  CardSheet(list, false);
  PrinterGeometry printer = A4At(300);
  for (PageCorrection damaged :
       {PageCorrection{NAN, 1, 0, 0}, PageCorrection{1, 1, 1e9, 0}, PageCorrection{0, 1, 0, 0}}) {
    printer.correction = damaged;
    Bitmap sheet;
    EXPECT_FALSE(
        ComposeSheet(list, sheet, ComposeMode::Printer, u"", ScreenMetrics{}, printer, PaintBox)
            .ok);
  }
}

// A printer that puts a point commanded at q at a + b q, axis by axis.
struct Printer {
  double ax, bx, ay, by;
  QPointF Lands(const PrinterCorrection& c, QPointF meant) const {
    const QPointF q = CorrectedPoint(c, meant);
    return {ax + bx * q.x(), ay + by * q.y()};
  }
};

TEST(PrinterCorrection, MeasuresOfTheCalibrationPageGiveTheCorrectionThatUndoesThePrinter) {
  const Printer printers[] = {
      {2, 1, -1.5, 1}, {0, 0.995, 0, 1.004}, {-1.2, 1.003, 2.4, 0.997}, {0.4, 1, 0.4, 0.99}};
  const PrinterCorrection before[] = {{}, {1, -1, 100.5, 99.5}};
  const QPointF first(15, 15), second(195, 282);
  for (const Printer& printer : printers) {
    for (const PrinterCorrection& printedWith : before) {
      CalibrationMeasure measure{first, second, printer.Lands(printedWith, first),
                                 printer.Lands(printedWith, second)};
      std::string problem;
      const std::optional<PrinterCorrection> found =
          CorrectionFromMeasure(measure, printedWith, problem);
      ASSERT_TRUE(found) << problem;
      // Printed with the new correction, every point lands where it was meant to.
      for (QPointF p : {first, second, QPointF(105, 148.5)}) {
        const QPointF landed = printer.Lands(*found, p);
        EXPECT_NEAR(landed.x(), p.x(), 0.02);
        EXPECT_NEAR(landed.y(), p.y(), 0.02);
      }
    }
  }
  std::string problem;
  EXPECT_FALSE(CorrectionFromMeasure({first, first, first, first}, {}, problem));
  EXPECT_FALSE(problem.empty());
  // A printer 30 mm off is not a printer to correct.
  EXPECT_FALSE(CorrectionFromMeasure(
      {first, second, first + QPointF(30, 0), second + QPointF(30, 0)}, {}, problem));
  EXPECT_NE(problem.find("between -20 and 20 mm"), std::string::npos) << problem;
}

// The black pixels' bounding box on a page image.
QRect InkOf(const QImage& page) {
  QRect ink;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (qGray(page.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

QImage Rasterised(const QString& pdf, int dpi) {
  QProcess raster;
  raster.start(QStandardPaths::findExecutable("pdftoppm"),
               {"-r", QString::number(dpi), "-aa", "no", "-aaVector", "no", pdf});
  if (!raster.waitForFinished(120000)) return {};
  return QImage::fromData(raster.readAllStandardOutput(), "PPM");
}

// Printed to PDF with a chosen correction, the drawing moves by exactly the offset and grows by
// the scale around the paper's corner, measured on the page rasterised at its resolution.
TEST(PrinterCorrection, APdfPrintedWithACorrectionHasItsDrawingMovedByThatAmount) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no pdftoppm";
  QTemporaryDir dir;
  ItemList list;
  test::AddPage(list).setPageKind(1);
  // A box from 1 to 3 inches across and 2 to 4 inches down at 96 document pixels per inch.
  test::AddItem(list, kKindRectangle, {96, 192}, {288, 384});
  const auto print = [&](const QString& name, const PrinterCorrection& correction) {
    const QString path = dir.filePath(name);
    auto pdf = QtPrintDevice::ForPdf(path, QSizeF(210, 297), 300);
    const PrintResult printed = PrintSheet(list, "Sheet", u"", 1, *pdf, ScreenMetrics{}, PaintBox,
                                           {}, AsPageCorrection(correction));
    EXPECT_TRUE(printed.ok) << printed.message;
    return InkOf(Rasterised(path, 300));
  };
  const QRect plain = print("plain.pdf", {});
  ASSERT_LE((plain.topLeft() - QPoint(300, 600)).manhattanLength(), 1)
      << "1 and 2 inches at 300 dpi";
  const auto at = [](const PrinterCorrection& c, QPointF millimetres) {
    return CorrectedPoint(c, millimetres) / 25.4 * 300;
  };
  const PrinterCorrection cases[] = {
      {2.54, 0, 100, 100}, {-1.27, 4.233, 100, 100}, {0, 0, 101, 99}, {1.5, -2, 100.5, 99.6}};
  int n = 0;
  for (const PrinterCorrection& c : cases) {
    const QRect moved = print(QStringLiteral("moved%1.pdf").arg(++n), c);
    // The box's corners move as the correction moves the points they were printed at.
    const QPointF topLeft = at(c, {25.4, 50.8}) - at({}, {25.4, 50.8});
    const QPointF bottomRight = at(c, {76.2, 101.6}) - at({}, {76.2, 101.6});
    EXPECT_LE(std::abs(moved.left() - plain.left() - topLeft.x()), 1.0) << n;
    EXPECT_LE(std::abs(moved.top() - plain.top() - topLeft.y()), 1.0) << n;
    EXPECT_LE(std::abs(moved.right() - plain.right() - bottomRight.x()), 1.0) << n;
    EXPECT_LE(std::abs(moved.bottom() - plain.bottom() - bottomRight.y()), 1.0) << n;
  }
}

}  // namespace
}  // namespace quillon
