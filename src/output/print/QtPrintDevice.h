// SPDX-License-Identifier: GPL-3.0-or-later
// The print device of the desktop: a printer of the system's print service, or a PDF file.
// A printer that prints to a file (PDF files, or "Print to File" of the print dialog) writes
// a temporary file beside it, which replaces the file only when the whole job succeeded: every
// byte written, flushed and closed.
#pragma once

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <memory>
#include <optional>

#include "document/ReplacingFile.h"
#include "output/PrintDriver.h"

namespace quillon {

class QtPrintDevice : public PrintDevice {
 public:
  // The named printer of the system, or its default printer when name is empty.
  static std::unique_ptr<QtPrintDevice> ForPrinter(const QString& name);
  // A PDF file of the given paper size (millimetres) at dpi printer pixels per inch.
  static std::unique_ptr<QtPrintDevice> ForPdf(const QString& path, QSizeF paperMillimetres,
                                               int dpi);
  // The default printer with the document's paper chosen, for the print dialog to change.
  static std::unique_ptr<QtPrintDevice> ForDialog(QSizeF paperMillimetres);
  // After the print dialog: a job the user sent to a file becomes a PDF of the document's
  // paper at dpi printer pixels per inch, the same page the command line writes.
  void SettleDialogChoice(int dpi);

  bool Begin(const std::string& title, int copies) override;
  PrinterGeometry Geometry() const override;
  void DrawTile(const Bitmap& tile, int x, int y) override;
  bool End() override;
  void Abort() override;
  std::string error() const override { return error_; }

  QPrinter& printer() { return printer_; }

 private:
  QtPrintDevice() : printer_(QPrinter::HighResolution) {}
  PrinterGeometry PrinterValues() const;
  bool BeginFile();
  void ReleaseFile();

  QPrinter printer_;
  QSizeF paper_;  // the document's paper in millimetres
  QPainter painter_;
  PrinterGeometry geometry_;
  // While printing to a file: the temporary file, the channel that checks every write to it,
  // and the PDF writer that paints through the channel with the printer's settings.
  std::optional<ReplacingFile> output_;
  std::unique_ptr<QIODevice> channel_;
  std::unique_ptr<QPdfWriter> pdf_;
  QString outputName_;  // the file the job replaces
  std::string error_;
};

}  // namespace quillon
