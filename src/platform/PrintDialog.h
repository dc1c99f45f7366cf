// SPDX-License-Identifier: GPL-3.0-or-later
// How the program asks where and how to print: the system's print dialog on the desktop, a
// script in the tests.
#pragma once

class QPrinter;

namespace quillon {

class PrintDialog {
 public:
  virtual ~PrintDialog() = default;
  // Lets the user choose the printer, the copies or a file for printer; false when cancelled.
  virtual bool Choose(QPrinter& printer) = 0;
};

}  // namespace quillon
