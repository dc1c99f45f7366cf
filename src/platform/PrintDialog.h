// SPDX-License-Identifier: GPL-3.0-or-later
// How the program asks where and how to print: the system's print dialog on the desktop, a
// script in the tests.
#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

namespace quillon {

class PrintDialog {
 public:
  virtual ~PrintDialog() = default;
  // Lets the user choose the printer, the copies or a file for printer; false when cancelled.
  virtual bool Choose(QPrinter& printer) = 0;
  // The same, offering the printers whose stored correction a print to a file may take
  // (none offered when the list is empty); correction gets the one chosen, empty for none.
  virtual bool ChooseWithCorrection(QPrinter& printer, const QStringList& corrections,
                                    QString& correction) {
    (void)corrections;
    correction.clear();
    return Choose(printer);
  }
};

}  // namespace quillon
