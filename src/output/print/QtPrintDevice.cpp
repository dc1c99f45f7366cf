// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/print/QtPrintDevice.h"

#include <QPageSize>

#include "output/print/PrintDevices.h"

namespace quillon {
namespace {

// A reason as the end of a sentence: first letter small, one full stop.
std::string Sentence(QString reason) {
  if (reason.endsWith(QLatin1Char('.'))) reason.chop(1);
  if (!reason.isEmpty()) reason[0] = reason[0].toLower();
  return reason.toStdString() + ".";
}

// Paper of any size, turned to landscape when it is wider than high, without margins.
void SetPaper(QPrinter& printer, QSizeF paperMillimetres) {
  const bool landscape = paperMillimetres.width() > paperMillimetres.height();
  const QSizeF portrait = landscape ? paperMillimetres.transposed() : paperMillimetres;
  printer.setPageSize(QPageSize(portrait, QPageSize::Millimeter));
  printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(0, 0, 0, 0));
  printer.setFullPage(true);
}

// Passes the PDF writer's bytes on to the temporary file, which keeps the first failure: the
// PDF writer itself goes on as if every write had succeeded.
class CheckedChannel : public QIODevice {
 public:
  explicit CheckedChannel(ReplacingFile& file) : file_(file) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    return file_.Write(data, size) ? size : -1;
  }

 private:
  ReplacingFile& file_;
};

}  // namespace

std::unique_ptr<QtPrintDevice> QtPrintDevice::ForPrinter(const QString& name) {
  std::unique_ptr<QtPrintDevice> device(new QtPrintDevice());
  if (!name.isEmpty()) device->printer_.setPrinterName(name);
  device->printer_.setFullPage(true);
  return device;
}

std::unique_ptr<QtPrintDevice> QtPrintDevice::ForPdf(const QString& path, QSizeF paperMillimetres,
                                                     int dpi) {
  std::unique_ptr<QtPrintDevice> device(new QtPrintDevice());
  QPrinter& printer = device->printer_;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setResolution(dpi);
  SetPaper(printer, paperMillimetres);
  device->paper_ = paperMillimetres;
  return device;
}

std::unique_ptr<QtPrintDevice> QtPrintDevice::ForDialog(QSizeF paperMillimetres) {
  std::unique_ptr<QtPrintDevice> device(new QtPrintDevice());
  device->paper_ = paperMillimetres;
  // A printer keeps its own margins; only the paper is proposed.
  const bool landscape = paperMillimetres.width() > paperMillimetres.height();
  const QSizeF portrait = landscape ? paperMillimetres.transposed() : paperMillimetres;
  device->printer_.setPageSize(QPageSize(portrait, QPageSize::Millimeter));
  device->printer_.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  device->printer_.setFullPage(true);
  return device;
}

void QtPrintDevice::SettleDialogChoice(int dpi) {
  if (printer_.outputFormat() != QPrinter::PdfFormat) return;
  printer_.setResolution(dpi);
  SetPaper(printer_, paper_);
}

bool QtPrintDevice::Begin(const std::string& title, int copies) {
  printer_.setDocName(QString::fromStdString(title));
  printer_.setCopyCount(copies);
  outputName_ = printer_.outputFileName();
  if (!outputName_.isEmpty()) {
    if (!BeginFile()) return false;
  } else if (!printer_.isValid() || !painter_.begin(&printer_)) {
    if (printer_.printerName().isEmpty()) {
      error_ = "There is no printer to print to.";
    } else {
      error_ = "The printer \"" + printer_.printerName().toStdString() +
               "\" could not start the print job.";
    }
    return false;
  }
  // Pictures go into a PDF unchanged rather than recompressed as JPEG.
  painter_.setRenderHint(QPainter::LosslessImageRendering, true);
  geometry_ = PrinterValues();
  return true;
}

// A job to a file is painted by a PDF writer with the printer's page, resolution and names,
// through a channel to the temporary file that sees every write fail that the writer ignores.
bool QtPrintDevice::BeginFile() {
  output_.emplace(outputName_);
  if (!output_->Open()) {
    error_ = "The file \"" + outputName_.toStdString() +
             "\" could not be written: " + Sentence(output_->error());
    output_.reset();
    return false;
  }
  channel_ = std::make_unique<CheckedChannel>(*output_);
  pdf_ = std::make_unique<QPdfWriter>(channel_.get());
  pdf_->setPdfVersion(printer_.pdfVersion());
  pdf_->setTitle(printer_.docName());
  pdf_->setCreator(printer_.creator());
  pdf_->setResolution(printer_.resolution());
  if (!pdf_->setPageLayout(printer_.pageLayout()) || !painter_.begin(pdf_.get())) {
    ReleaseFile();
    error_ = "The file \"" + outputName_.toStdString() + "\" could not be written.";
    return false;
  }
  return true;
}

PrinterGeometry QtPrintDevice::Geometry() const {
  // The printer knows its page before a job begins; during a job the job's values hold.
  return painter_.isActive() ? geometry_ : PrinterValues();
}

PrinterGeometry QtPrintDevice::PrinterValues() const {
  PrinterGeometry geometry;
  const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
  const QRectF page = printer_.pageRect(QPrinter::DevicePixel);
  geometry.dpiX = printer_.logicalDpiX();
  geometry.dpiY = printer_.logicalDpiY();
  geometry.offsetX = qRound(page.left() - paper.left());
  geometry.offsetY = qRound(page.top() - paper.top());
  geometry.pageWidth = qRound(paper.width());
  geometry.pageHeight = qRound(paper.height());
  return geometry;
}

void QtPrintDevice::DrawTile(const Bitmap& tile, int x, int y) {
  // The painter's origin is the paper's corner; the sheet starts at the printable area.
  painter_.drawImage(QPoint(geometry_.offsetX + x, geometry_.offsetY + y), tile.Image());
}

bool QtPrintDevice::End() {
  if (!painter_.isActive()) return false;
  if (!painter_.end()) {
    ReleaseFile();
    error_ = "The print job could not be finished.";
    return false;
  }
  if (!output_) return true;
  pdf_.reset();
  channel_.reset();
  const bool kept = output_->Commit();
  if (!kept) {
    error_ = "The file \"" + outputName_.toStdString() +
             "\" could not be written: " + Sentence(output_->error());
  }
  ReleaseFile();
  return kept;
}

void QtPrintDevice::Abort() {
  if (!painter_.isActive()) return;
  if (!output_) printer_.abort();
  painter_.end();
  // The temporary file goes; the file the job would have replaced stays as it was.
  ReleaseFile();
}

void QtPrintDevice::ReleaseFile() {
  pdf_.reset();
  channel_.reset();
  output_.reset();  // removes the temporary file unless it replaced the target
}

}  // namespace quillon

namespace quillon {

std::unique_ptr<PrintDevice> OpenPrinterDevice(const QString& name, std::string&) {
  return QtPrintDevice::ForPrinter(name);
}

std::unique_ptr<PrintDevice> OpenPdfDevice(const QString& path, QSizeF paperMillimetres, int dpi,
                                           std::string&) {
  return QtPrintDevice::ForPdf(path, paperMillimetres, dpi);
}

}  // namespace quillon
