// SPDX-License-Identifier: GPL-3.0-or-later
// Tools > Calibrate Printer...: the page printed into a PDF for a try, measures turned into a
// correction that is stored per printer, refusals of what cannot be right, and the preview
// showing the sheet where the correction puts it.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>

#include "document/DocumentFile.h"
#include "output/CalibrationPage.h"
#include "output/PrintDriver.h"
#include "output/PrinterSettings.h"
#include "output/ui/OutputDialogs.h"
#include "output/ui/TCalibrate.h"
#include "output/ui/TPreview.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"
#include "support/DocumentFixtures.h"
#include "support/Wait.h"

namespace quillon {
namespace {

class CalibratePrinterTest : public test::ShellTest {
 protected:
  TCalibrate* Open() {
    Trigger("CalibratePrinter1");
    auto* dialog = form_->findChild<TCalibrate*>();
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }
  static void Type(TCalibrate* dialog, const char* field, double value) {
    dialog->findChild<QDoubleSpinBox*>(field)->setValue(value);
  }
  static void Click(TCalibrate* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
  }
  static PrinterCorrection StoredFor(const char* printer) {
    std::string note;
    return ReadPrinterCorrection(*OpenSettingsStore(), printer, note);
  }
};

TEST_F(CalibratePrinterTest, APdfTryAndMeasuresGiveACorrectionStoredForThePrinter) {
  TCalibrate* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), "Calibrate Printer");
  Trigger("CalibratePrinter1");
  EXPECT_EQ(form_->findChildren<TCalibrate*>().size(), 1) << "one dialog at a time";
  dialog->ChoosePrinter(kPdfPrinterName);
  EXPECT_EQ(dialog->Printer(), kPdfPrinterName);

  files_.saveAnswers = {Path("calibration.pdf")};
  Click(dialog, "printPage");
  EXPECT_TRUE(QFile::exists(Path("calibration.pdf"))) << dialog->Message().toStdString();

  // Crosshair A (20, 20 mm) measured 1.5 mm right and 1 mm down, D (190, 277 mm) 1.3 mm
  // right and 0.9 mm up: the printer moves the page and prints it a little short.
  Type(dialog, "aLeft", 21.5);
  Type(dialog, "aTop", 21);
  Type(dialog, "dLeft", 191.3);
  Type(dialog, "dTop", 276.1);
  Click(dialog, "useMeasures");
  std::string problem;
  const PrinterCorrection expected =
      *CorrectionFromMeasure({{20, 20}, {190, 277}, {21.5, 21}, {191.3, 276.1}}, {}, problem);
  EXPECT_EQ(dialog->Correction(), expected);
  EXPECT_LT(expected.offsetX, -1);
  EXPECT_GT(expected.scaleY, 100);
  EXPECT_EQ(StoredFor(kPdfPrinterName), PrinterCorrection{}) << "nothing is stored before Store";
  Click(dialog, "store");
  EXPECT_EQ(StoredFor(kPdfPrinterName), expected);

  // Reopened, the dialog shows what is stored; "No Correction" removes it.
  dialog->close();
  ASSERT_TRUE(test::WaitUntil([&] { return form_->findChild<TCalibrate*>() == nullptr; }));
  dialog = Open();
  dialog->ChoosePrinter(kPdfPrinterName);
  EXPECT_EQ(dialog->Correction(), expected);
  Click(dialog, "reset");
  EXPECT_EQ(dialog->Correction(), PrinterCorrection{});
  EXPECT_TRUE(CorrectedPrinters(*OpenSettingsStore()).isEmpty());
}

TEST_F(CalibratePrinterTest, RefusesWhatCannotBeRightWithASentence) {
  WritePrinterCorrection(*OpenSettingsStore(), "Old Laser", {1, 1, 100, 100});
  TCalibrate* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  dialog->ChoosePrinter(kPdfPrinterName);
  const struct {
    const char* field;
    double value;
    const char* sentence;
  } cases[] = {
      {"scaleX", 112, "The horizontal scale must be between 90 and 110 per cent."},
      {"scaleY", 89, "The vertical scale must be between 90 and 110 per cent."},
      {"offsetX", 30, "The horizontal offset must be between -20 and 20 mm."},
  };
  for (const auto& c : cases) {
    dialog->SetCorrection({});
    Type(dialog, c.field, c.value);
    Click(dialog, "store");
    EXPECT_EQ(dialog->Message().toStdString(), std::string(c.sentence) + " Nothing was stored.");
    EXPECT_EQ(StoredFor(kPdfPrinterName), PrinterCorrection{});
  }
  // Measures with both crosshairs in one place cannot be right.
  Click(dialog, "useMeasures");
  EXPECT_TRUE(dialog->Message().startsWith("These measures cannot be right"));

  // A printer that is gone can only be reset.
  auto* printers = dialog->findChild<QComboBox*>("printer");
  EXPECT_GE(printers->findText("Old Laser (not installed)"), 0);
  dialog->ChoosePrinter("Old Laser");
  EXPECT_EQ(dialog->Correction(), (PrinterCorrection{1, 1, 100, 100}));
  Click(dialog, "printPage");
  EXPECT_EQ(dialog->Message(), "The printer \"Old Laser\" is not installed; nothing was printed.");
  Type(dialog, "offsetX", 2);
  Click(dialog, "store");
  EXPECT_EQ(StoredFor("Old Laser"), (PrinterCorrection{1, 1, 100, 100}));
  Click(dialog, "reset");
  EXPECT_EQ(StoredFor("Old Laser"), PrinterCorrection{});
}

TEST_F(CalibratePrinterTest, ThePreviewShowsTheSheetWhereAPrintersCorrectionPutsIt) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageWidth(80);
  page.setPageHeight(50);
  page.setDesignWidth(80);
  page.setDesignHeight(50);
  UpdatePageRect(page);
  test::AddRectangle(list, {40, 30}, {200, 150}).setLineColor(0);
  ASSERT_TRUE(WriteDocument(Path("drawing.qlln"), list).ok());
  form_->OpenDocumentWindow(Path("drawing.qlln"));
  WritePrinterCorrection(*OpenSettingsStore(), "Laser", {10, 5, 100, 100});
  Trigger("PrintPreview1");
  auto* preview = qobject_cast<TPreview*>(form_->HostX()->Panel());
  ASSERT_NE(preview, nullptr);
  preview->Prepare();
  ASSERT_TRUE(preview->Prepared());
  ASSERT_GE(preview->LandingChoice()->findData("Laser"), 0);
  // The rectangle's left edge on the picture, as designed and as it lands.
  const auto leftEdge = [&] {
    const Bitmap& picture = preview->Picture();
    const int y = picture.height() / 2;
    for (int x = 0; x < picture.width(); ++x) {
      if ((picture.Pixel(x, y) & 0xFF) < 230) return x;
    }
    return -1;
  };
  const int designed = leftEdge();
  ASSERT_GT(designed, 0);
  preview->ShowLandingOn("Laser");
  ASSERT_TRUE(preview->Prepared());
  // 10 mm at the screen's 96 pixels per inch.
  EXPECT_NEAR(leftEdge() - designed, 10 / 25.4 * 96, 1.5);
  preview->ShowLandingOn({});
  EXPECT_EQ(leftEdge(), designed);
}

// The rectangle's left edge on a PDF page rasterised at its resolution, where its one printer
// pixel wide outline shows whole.
int PrintedLeftEdge(const QString& pdf) {
  QProcess raster;
  raster.start(QStandardPaths::findExecutable("pdftoppm"),
               {"-r", QString::number(kPdfResolution), "-aa", "no", "-aaVector", "no", pdf});
  raster.waitForFinished();
  const QImage page = QImage::fromData(raster.readAllStandardOutput(), "PPM");
  for (int x = 0; x < page.width(); ++x) {
    if (qGray(page.pixel(x, page.height() / 2)) < 200) return x;
  }
  return -1;
}

// A PDF file printed from the preview has the correction the preview shows, and none when it
// shows the sheet as designed.
TEST_F(CalibratePrinterTest, APdfPrintedFromThePreviewTakesTheCorrectionChosenThere) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no pdftoppm";
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageWidth(80);
  page.setPageHeight(50);
  page.setDesignWidth(80);
  page.setDesignHeight(50);
  UpdatePageRect(page);
  test::AddRectangle(list, {40, 30}, {200, 150}).setLineColor(0);
  ASSERT_TRUE(WriteDocument(Path("drawing.qlln"), list).ok());
  form_->OpenDocumentWindow(Path("drawing.qlln"));
  WritePrinterCorrection(*OpenSettingsStore(), "Laser", {10, 5, 100, 100});
  const auto printFromPreview = [&](const QString& landing, const char* name) {
    Trigger("PrintPreview1");
    auto* preview = qobject_cast<TPreview*>(form_->HostX()->Panel());
    EXPECT_NE(preview, nullptr);
    preview->Prepare();
    preview->ShowLandingOn(landing);
    printDialog_.answer = test::ScriptedPrintDialog::Answer{Path(name), 1};
    const int before = printDialog_.calls;
    QTest::mouseClick(preview->findChild<QToolButton*>("printButton"), Qt::LeftButton);
    EXPECT_TRUE(test::WaitUntil([&] {
      return printDialog_.calls == before + 1 && !form_->Output().Busy() &&
             QFile::exists(Path(name));
    }));
    return PrintedLeftEdge(Path(name));
  };
  const int designed = printFromPreview({}, "designed.pdf");
  ASSERT_GT(designed, 0);
  EXPECT_NEAR(printFromPreview("Laser", "landed.pdf") - designed, 10 / 25.4 * kPdfResolution, 1);
  // Printed from the menu, a PDF file takes no correction.
  printDialog_.answer = test::ScriptedPrintDialog::Answer{Path("menu.pdf"), 1};
  Trigger("Print1");
  ASSERT_TRUE(test::WaitUntil([&] { return QFile::exists(Path("menu.pdf")); }));
  EXPECT_EQ(PrintedLeftEdge(Path("menu.pdf")), designed);
  EXPECT_EQ(printDialog_.offeredCorrections, QStringList{QStringLiteral("Laser")});
  // Unless the print dialog's correction tab names a printer.
  printDialog_.answer = test::ScriptedPrintDialog::Answer{Path("menu-laser.pdf"), 1};
  printDialog_.fileCorrection = QStringLiteral("Laser");
  Trigger("Print1");
  ASSERT_TRUE(test::WaitUntil([&] { return QFile::exists(Path("menu-laser.pdf")); }));
  EXPECT_NEAR(PrintedLeftEdge(Path("menu-laser.pdf")) - designed, 10 / 25.4 * kPdfResolution, 1);
}

}  // namespace
}  // namespace quillon
