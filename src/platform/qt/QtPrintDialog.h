// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog of the desktop.
#pragma once

#include <QPointer>

#include "platform/PrintDialog.h"

class QWidget;

namespace quillon {

class QtPrintDialog : public PrintDialog {
 public:
  explicit QtPrintDialog(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  bool Choose(QPrinter& printer) override;
  // A "Printer Correction" tab lists the corrections; it serves prints to a file only.
  bool ChooseWithCorrection(QPrinter& printer, const QStringList& corrections,
                            QString& correction) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quillon
