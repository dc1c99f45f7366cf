// SPDX-License-Identifier: GPL-3.0-or-later
// The print device of the desktop: a printer of the system's print service, or a PDF file.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <memory>

#include "output/PrintDriver.h"

namespace quillon {

class QtPrintDevice : public PrintDevice {
 public:
  // The named printer of the system, or its default printer when name is empty.
  static std::unique_ptr<QtPrintDevice> ForPrinter(const QString& name);
  // A PDF file of the given paper size (millimetres) at dpi printer pixels per inch.
  static std::unique_ptr<QtPrintDevice> ForPdf(const QString& path, QSizeF paperMillimetres,
                                               int dpi);

  bool Begin(const std::string& title, int copies) override;
  PrinterGeometry Geometry() const override;
  void DrawTile(const Bitmap& tile, int x, int y) override;
  bool End() override;
  std::string error() const override { return error_; }

  QPrinter& printer() { return printer_; }

 private:
  QtPrintDevice() : printer_(QPrinter::HighResolution) {}

  QPrinter printer_;
  QPainter painter_;
  PrinterGeometry geometry_;
  std::string error_;
};

}  // namespace quillon
