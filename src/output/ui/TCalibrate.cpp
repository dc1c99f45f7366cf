// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ui/TCalibrate.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "output/CalibrationPage.h"
#include "output/PrinterSettings.h"
#include "output/print/QtPrintDevice.h"
#include "settings/SettingsStore.h"

namespace quillon {
namespace {

constexpr double kMagnified = 10;  // how much the sketch enlarges a correction

QDoubleSpinBox* Field(const char* name, double low, double high, double value, int decimals,
                      const char* suffix, QWidget* parent) {
  auto* field = new QDoubleSpinBox(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setRange(low, high);
  field->setDecimals(decimals);
  field->setSingleStep(decimals == 1 ? 0.1 : 0.05);
  field->setValue(value);
  field->setSuffix(QString::fromLatin1(suffix));
  return field;
}

}  // namespace

CorrectionSketch::CorrectionSketch(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("sketch"));
  setMinimumSize(160, 210);
}

void CorrectionSketch::SetCorrection(const PrinterCorrection& correction) {
  correction_ = correction;
  update();
}

void CorrectionSketch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  // An A4 sheet fitted into the widget, 20 pixels in.
  const double unit = std::min((width() - 40) / 210.0, (height() - 40) / 297.0);
  const QPointF corner(20, 20);
  const QRectF paper(corner, QSizeF(210 * unit, 297 * unit));
  painter.setPen(QPen(QColor(120, 120, 120), 1));
  painter.setBrush(Qt::white);
  painter.drawRect(paper);
  // Where the page lands, with the correction magnified.
  const PrinterCorrection& c = correction_;
  const QPointF moved(c.offsetX * kMagnified * unit, c.offsetY * kMagnified * unit);
  const double sx = 1 + (c.scaleX / 100 - 1) * kMagnified,
               sy = 1 + (c.scaleY / 100 - 1) * kMagnified;
  const QRectF page(corner + moved, QSizeF(paper.width() * sx, paper.height() * sy));
  painter.setPen(QPen(QColor(200, 30, 30), 1.5, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(page);
  painter.setPen(QPen(QColor(200, 30, 30), 1.5));
  painter.drawLine(corner, page.topLeft());
  painter.setPen(palette().color(QPalette::Text));
  QFont font = painter.font();
  font.setPointSizeF(font.pointSizeF() * 0.85);
  painter.setFont(font);
  painter.drawText(QRectF(paper.left() + 6, paper.center().y() - 30, paper.width() - 12, 60),
                   Qt::AlignCenter | Qt::TextWordWrap,
                   c.IsNone() ? QStringLiteral("No correction")
                              : QStringLiteral("Red: the page as it will print (the change "
                                               "shown ten times larger)"));
}

TCalibrate::TCalibrate(FileDialogs* files, QStringList installed, QWidget* parent)
    : QDialog(parent), files_(files), installed_(std::move(installed)) {
  setObjectName(QStringLiteral("TCalibrate"));
  setWindowTitle(QStringLiteral("Calibrate Printer"));
  auto* row = new QHBoxLayout(this);
  auto* column = new QVBoxLayout;
  row->addLayout(column, 1);

  auto* choice = new QFormLayout;
  printer_ = new QComboBox(this);
  printer_->setObjectName(QStringLiteral("printer"));
  const QStringList stored = CorrectedPrinters(*OpenSettingsStore());
  for (const QString& name : installed_)
    printer_->addItem(name, name);
  printer_->addItem(QStringLiteral("PDF file (for a try)"), QString::fromLatin1(kPdfPrinterName));
  for (const QString& name : stored) {
    if (!installed_.contains(name) && name != QString::fromLatin1(kPdfPrinterName)) {
      printer_->addItem(name + QStringLiteral(" (not installed)"), name);
    }
  }
  choice->addRow(QStringLiteral("Printer:"), printer_);
  paper_ = new QComboBox(this);
  paper_->setObjectName(QStringLiteral("paper"));
  paper_->addItem(QStringLiteral("A4, 210 x 297 mm"), QSizeF(210, 297));
  paper_->addItem(QStringLiteral("Letter, 8.5 x 11 in"), QSizeF(215.9, 279.4));
  choice->addRow(QStringLiteral("Paper:"), paper_);
  column->addLayout(choice);
  stored_ = new QLabel(this);
  stored_->setObjectName(QStringLiteral("stored"));
  stored_->setWordWrap(true);
  column->addWidget(stored_);

  auto* step1 = new QGroupBox(QStringLiteral("1. Print the calibration page"), this);
  auto* step1Layout = new QVBoxLayout(step1);
  auto* intro = new QLabel(
      QStringLiteral("The page has crosshairs near the corners and in the middle, rulers along "
                     "the edges and an arrow for the feed direction. It prints with the "
                     "printer's present correction."),
      step1);
  intro->setWordWrap(true);
  step1Layout->addWidget(intro);
  auto* print = new QPushButton(QStringLiteral("Print the Calibration Page"), step1);
  print->setObjectName(QStringLiteral("printPage"));
  step1Layout->addWidget(print, 0, Qt::AlignLeft);
  column->addWidget(step1);

  auto* step2 = new QGroupBox(
      QStringLiteral("2. Enter where crosshairs A and D landed, measured from the paper's edges"),
      this);
  auto* measures = new QFormLayout(step2);
  const char* names[] = {"aLeft", "aTop", "dLeft", "dTop"};
  const char* captions[] = {"A from the left edge:", "A from the top edge:",
                            "D from the left edge:", "D from the top edge:"};
  for (int i = 0; i < 4; ++i) {
    measured_[i] = Field(names[i], 0, 999, 0, 1, " mm", step2);
    measures->addRow(QString::fromLatin1(captions[i]), measured_[i]);
  }
  auto* work = new QPushButton(QStringLiteral("Work Out the Correction"), step2);
  work->setObjectName(QStringLiteral("useMeasures"));
  measures->addRow(work);
  column->addWidget(step2);

  auto* step3 = new QGroupBox(QStringLiteral("3. The correction (or type it directly)"), this);
  auto* fields = new QFormLayout(step3);
  offsetX_ = Field("offsetX", -99, 99, 0, 2, " mm", step3);
  offsetY_ = Field("offsetY", -99, 99, 0, 2, " mm", step3);
  scaleX_ = Field("scaleX", 50, 150, 100, 3, " %", step3);
  scaleY_ = Field("scaleY", 50, 150, 100, 3, " %", step3);
  fields->addRow(QStringLiteral("Move right by:"), offsetX_);
  fields->addRow(QStringLiteral("Move down by:"), offsetY_);
  fields->addRow(QStringLiteral("Scale across:"), scaleX_);
  fields->addRow(QStringLiteral("Scale down:"), scaleY_);
  column->addWidget(step3);

  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("message"));
  message_->setWordWrap(true);
  column->addWidget(message_);

  auto* buttons = new QDialogButtonBox(this);
  auto* store = buttons->addButton(QStringLiteral("Store"), QDialogButtonBox::ApplyRole);
  store->setObjectName(QStringLiteral("store"));
  auto* reset = buttons->addButton(QStringLiteral("No Correction"), QDialogButtonBox::ResetRole);
  reset->setObjectName(QStringLiteral("reset"));
  auto* close = buttons->addButton(QDialogButtonBox::Close);
  column->addWidget(buttons);

  sketch_ = new CorrectionSketch(this);
  row->addWidget(sketch_);

  connect(print, &QPushButton::clicked, this, &TCalibrate::PrintPage);
  connect(work, &QPushButton::clicked, this, &TCalibrate::UseMeasures);
  connect(store, &QPushButton::clicked, this, &TCalibrate::Store);
  connect(reset, &QPushButton::clicked, this, &TCalibrate::Reset);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(printer_, &QComboBox::currentIndexChanged, this, &TCalibrate::PrinterChanged);
  for (QDoubleSpinBox* field : {offsetX_, offsetY_, scaleX_, scaleY_}) {
    connect(field, &QDoubleSpinBox::valueChanged, this, &TCalibrate::FieldsChanged);
  }
  PrinterChanged();
}

QString TCalibrate::Printer() const {
  return printer_->currentData().toString();
}

void TCalibrate::ChoosePrinter(const QString& name) {
  const int index = printer_->findData(name);
  if (index >= 0) printer_->setCurrentIndex(index);
}

PrinterCorrection TCalibrate::Correction() const {
  return {offsetX_->value(), offsetY_->value(), scaleX_->value(), scaleY_->value()};
}

void TCalibrate::SetCorrection(const PrinterCorrection& c) {
  offsetX_->setValue(c.offsetX);
  offsetY_->setValue(c.offsetY);
  scaleX_->setValue(c.scaleX);
  scaleY_->setValue(c.scaleY);
  FieldsChanged();
}

QString TCalibrate::Message() const {
  return message_->text();
}

QSizeF TCalibrate::Paper() const {
  return paper_->currentData().toSizeF();
}

void TCalibrate::Say(const QString& text, bool problem) {
  message_->setStyleSheet(problem ? QStringLiteral("color: #b00000") : QString());
  message_->setText(text);
}

void TCalibrate::PrinterChanged() {
  std::string note;
  const PrinterCorrection stored = ReadPrinterCorrection(*OpenSettingsStore(), Printer(), note);
  SetCorrection(stored);
  const bool here =
      installed_.contains(Printer()) || Printer() == QString::fromLatin1(kPdfPrinterName);
  QString state = stored.IsNone() ? QStringLiteral("No correction is stored for this printer.")
                                  : QStringLiteral("A correction is stored for this printer.");
  if (!here)
    state += QStringLiteral(
        " The printer is not installed any more: its correction can "
        "only be reset.");
  if (Printer() == QString::fromLatin1(kPdfPrinterName)) {
    state += QStringLiteral(" A correction for PDF files is used only where you choose it.");
  }
  stored_->setText(state);
  Say(note.empty() ? QString() : QString::fromStdString(note), !note.empty());
}

void TCalibrate::FieldsChanged() {
  sketch_->SetCorrection(Correction());
}

bool TCalibrate::PrintPage() {
  std::string note;
  const PrinterCorrection stored = ReadPrinterCorrection(*OpenSettingsStore(), Printer(), note);
  std::unique_ptr<QtPrintDevice> device;
  if (Printer() == QString::fromLatin1(kPdfPrinterName)) {
    if (files_ == nullptr) return false;
    FileDialogRequest request;
    request.title = QStringLiteral("Calibration Page");
    request.filter = QStringLiteral("PDF files (*.pdf)|*.pdf");
    request.defaultExtension = QStringLiteral("pdf");
    request.initialFileName = QStringLiteral("calibration.pdf");
    const QString path = files_->ChooseFileToSave(request).trimmed();
    if (path.isEmpty()) return false;
    device = QtPrintDevice::ForPdf(QFileInfo(path).absoluteFilePath(), Paper(), kPdfResolution);
  } else if (!installed_.contains(Printer())) {
    Say(QStringLiteral("The printer \"%1\" is not installed; nothing was printed.").arg(Printer()),
        true);
    return false;
  } else {
    device = QtPrintDevice::ForDialog(Paper());
    device->printer().setPrinterName(Printer());
  }
  const PrintResult printed = PrintCalibrationPage(Paper(), *device, AsPageCorrection(stored));
  if (!printed.ok) {
    Say(QString::fromStdString(printed.message), true);
    return false;
  }
  Say(QStringLiteral("The calibration page was printed. Measure crosshairs A and D and enter "
                     "the distances below."),
      false);
  return true;
}

bool TCalibrate::UseMeasures() {
  const std::vector<QPointF> crosses = CalibrationCrosshairs(Paper());
  std::string note;
  const PrinterCorrection printedWith =
      ReadPrinterCorrection(*OpenSettingsStore(), Printer(), note);
  const CalibrationMeasure measure{crosses[0],
                                   crosses[3],
                                   {measured_[0]->value(), measured_[1]->value()},
                                   {measured_[2]->value(), measured_[3]->value()}};
  std::string problem;
  const std::optional<PrinterCorrection> found =
      CorrectionFromMeasure(measure, printedWith, problem);
  if (!found) {
    Say(QString::fromStdString(problem), true);
    return false;
  }
  SetCorrection(*found);
  Say(QStringLiteral("The correction is worked out. Store it to print with it."), false);
  return true;
}

bool TCalibrate::Store() {
  const PrinterCorrection correction = Correction();
  if (const std::string problem = CorrectionProblem(correction); !problem.empty()) {
    Say(QString::fromStdString(problem) + QStringLiteral(" Nothing was stored."), true);
    return false;
  }
  if (!installed_.contains(Printer()) && Printer() != QString::fromLatin1(kPdfPrinterName) &&
      !correction.IsNone()) {
    Say(QStringLiteral("The printer \"%1\" is not installed; its correction can only be reset.")
            .arg(Printer()),
        true);
    return false;
  }
  WritePrinterCorrection(*OpenSettingsStore(), Printer(), correction);
  Say(correction.IsNone() ? QStringLiteral("The printer prints without a correction.")
                          : QStringLiteral("The correction is stored for \"%1\".").arg(Printer()),
      false);
  stored_->setText(correction.IsNone()
                       ? QStringLiteral("No correction is stored for this printer.")
                       : QStringLiteral("A correction is stored for this printer."));
  return true;
}

void TCalibrate::Reset() {
  SetCorrection({});
  WritePrinterCorrection(*OpenSettingsStore(), Printer(), {});
  Say(QStringLiteral("The printer prints without a correction."), false);
  stored_->setText(QStringLiteral("No correction is stored for this printer."));
}

}  // namespace quillon
