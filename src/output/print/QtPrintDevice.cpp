// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/print/QtPrintDevice.h"

#include <QPageSize>

namespace quillon {
namespace {

// A reason as the end of a sentence: first letter small, one full stop.
std::string Sentence(QString reason) {
  if (reason.endsWith(QLatin1Char('.'))) reason.chop(1);
  if (!reason.isEmpty()) reason[0] = reason[0].toLower();
  return reason.toStdString() + ".";
}

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
  const bool landscape = paperMillimetres.width() > paperMillimetres.height();
  const QSizeF portrait = landscape ? paperMillimetres.transposed() : paperMillimetres;
  printer.setPageSize(QPageSize(portrait, QPageSize::Millimeter));
  printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(0, 0, 0, 0));
  printer.setFullPage(true);
  return device;
}

bool QtPrintDevice::Begin(const std::string& title, int copies) {
  printer_.setDocName(QString::fromStdString(title));
  printer_.setCopyCount(copies);
  outputName_ = printer_.outputFileName();
  if (!outputName_.isEmpty()) {
    output_.emplace(outputName_);
    if (!output_->Open()) {
      error_ = "The file \"" + outputName_.toStdString() +
               "\" could not be written: " + Sentence(output_->error());
      output_.reset();
      return false;
    }
    // The printer opens the file itself.
    output_->file().close();
    printer_.setOutputFileName(output_->temporaryPath());
  }
  if (!printer_.isValid() || !painter_.begin(&printer_)) {
    if (!outputName_.isEmpty()) {
      RestoreOutputName();
      error_ = "The file \"" + outputName_.toStdString() + "\" could not be written.";
    } else if (printer_.printerName().isEmpty()) {
      error_ = "There is no printer to print to.";
    } else {
      error_ = "The printer \"" + printer_.printerName().toStdString() +
               "\" could not start the print job.";
    }
    return false;
  }
  // Pictures go into a PDF unchanged rather than recompressed as JPEG.
  painter_.setRenderHint(QPainter::LosslessImageRendering, true);
  const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
  const QRectF page = printer_.pageRect(QPrinter::DevicePixel);
  geometry_.dpiX = printer_.logicalDpiX();
  geometry_.dpiY = printer_.logicalDpiY();
  geometry_.offsetX = qRound(page.left() - paper.left());
  geometry_.offsetY = qRound(page.top() - paper.top());
  geometry_.pageWidth = qRound(paper.width());
  geometry_.pageHeight = qRound(paper.height());
  return true;
}

PrinterGeometry QtPrintDevice::Geometry() const {
  return geometry_;
}

void QtPrintDevice::DrawTile(const Bitmap& tile, int x, int y) {
  // The painter's origin is the paper's corner; the sheet starts at the printable area.
  painter_.drawImage(QPoint(geometry_.offsetX + x, geometry_.offsetY + y), tile.Image());
}

bool QtPrintDevice::End() {
  if (!painter_.isActive()) return false;
  if (!painter_.end()) {
    RestoreOutputName();
    error_ = "The print job could not be finished.";
    return false;
  }
  if (!output_) return true;
  const bool kept = output_->Commit();
  if (!kept) {
    error_ = "The file \"" + outputName_.toStdString() +
             "\" could not be written: " + Sentence(output_->error());
  }
  RestoreOutputName();
  return kept;
}

void QtPrintDevice::Abort() {
  if (painter_.isActive()) {
    // A file being written is thrown away; a printer's job is cancelled.
    if (!output_) printer_.abort();
    painter_.end();
  }
  RestoreOutputName();
}

void QtPrintDevice::RestoreOutputName() {
  if (!output_) return;
  output_.reset();  // removes the temporary file unless it replaced the target
  printer_.setOutputFileName(outputName_);
}

}  // namespace quillon
