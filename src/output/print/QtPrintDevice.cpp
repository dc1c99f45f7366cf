// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/print/QtPrintDevice.h"

#include <QPageSize>

namespace quillon {

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
  if (!printer_.isValid() || !painter_.begin(&printer_)) {
    if (!printer_.outputFileName().isEmpty()) {
      error_ = "The file \"" + printer_.outputFileName().toStdString() + "\" could not be written.";
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
    error_ = "The print job could not be finished.";
    return false;
  }
  return true;
}

}  // namespace quillon
