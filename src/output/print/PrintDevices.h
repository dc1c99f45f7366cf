// SPDX-License-Identifier: GPL-3.0-or-later
// The print devices the command line prints on: a printer of the system or a PDF file. The
// program reaches them through its window module, which holds the printing library, so that
// commands that do not print never load it; the window and the tests link them directly.
#pragma once

#include <QSizeF>
#include <QString>
#include <memory>
#include <string>

#include "output/PrintDriver.h"

namespace quillon {

// The named printer of the system, or its default printer when name is empty; null with error
// set when printing cannot be had.
std::unique_ptr<PrintDevice> OpenPrinterDevice(const QString& name, std::string& error);
// A PDF file of the given paper size (millimetres) at dpi printer pixels per inch; null with
// error set when printing cannot be had.
std::unique_ptr<PrintDevice> OpenPdfDevice(const QString& path, QSizeF paperMillimetres, int dpi,
                                           std::string& error);

}  // namespace quillon
