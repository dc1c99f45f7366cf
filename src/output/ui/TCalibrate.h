// SPDX-License-Identifier: GPL-3.0-or-later
// Tools > Calibrate Printer...: prints the calibration page on a printer (or into a PDF file for
// a try), takes what the user measured on it, or an offset and a scale typed directly, shows
// the correction on a sketch and stores it for the printer, or resets it to no correction.
#pragma once

#include <QDialog>
#include <QStringList>

#include "output/PrinterCorrection.h"
#include "platform/FileDialogs.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace quillon {

// The name the corrections for PDF files are stored under; they are used only when chosen.
inline constexpr char kPdfPrinterName[] = "PDF file";

// The paper, the page and where the corrected page lands, drawn with the offset and the change
// of scale magnified ten times so that a correction of a millimetre can be seen.
class CorrectionSketch : public QWidget {
  Q_OBJECT
 public:
  explicit CorrectionSketch(QWidget* parent = nullptr);
  void SetCorrection(const PrinterCorrection& correction);
  QSize sizeHint() const override { return {180, 230}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PrinterCorrection correction_;
};

class TCalibrate : public QDialog {
  Q_OBJECT
 public:
  // installed: the printers of the system, by the names it reports.
  TCalibrate(FileDialogs* files, QStringList installed, QWidget* parent = nullptr);

  // The printer the correction is for, as stored.
  QString Printer() const;
  void ChoosePrinter(const QString& name);
  // The correction the fields hold now.
  PrinterCorrection Correction() const;
  void SetCorrection(const PrinterCorrection& correction);
  // The sentence that explains the last refusal, or what was done.
  QString Message() const;

  // Prints the calibration page on the chosen printer with its stored correction; for
  // "PDF file", asks for the file first.
  bool PrintPage();
  // Works the correction out of the four measures typed and shows it; false with a sentence.
  bool UseMeasures();
  // Stores the correction shown for the chosen printer; false with a sentence when it is
  // refused.
  bool Store();
  // Removes the chosen printer's correction: it prints as designed again.
  void Reset();

 private:
  void PrinterChanged();
  void FieldsChanged();
  void Say(const QString& text, bool problem);
  QSizeF Paper() const;

  FileDialogs* files_;
  QStringList installed_;
  QComboBox* printer_ = nullptr;
  QComboBox* paper_ = nullptr;
  QDoubleSpinBox* measured_[4] = {};
  QDoubleSpinBox* offsetX_ = nullptr;
  QDoubleSpinBox* offsetY_ = nullptr;
  QDoubleSpinBox* scaleX_ = nullptr;
  QDoubleSpinBox* scaleY_ = nullptr;
  CorrectionSketch* sketch_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* stored_ = nullptr;
};

}  // namespace quillon
