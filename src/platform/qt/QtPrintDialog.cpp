// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtPrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace quillon {

bool QtPrintDialog::Choose(QPrinter& printer) {
  QPrintDialog dialog(&printer, parent_);
  // The whole sheet is one page: there is no range or selection to print.
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quillon
