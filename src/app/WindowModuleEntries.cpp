// SPDX-License-Identifier: GPL-3.0-or-later
// What the window module offers the program: the window, and the print devices of the command
// line. Plain C names, so that the program finds them by name.
#include <QtGlobal>

#include "app/Gui.h"
#include "output/print/QtPrintDevice.h"

extern "C" Q_DECL_EXPORT int QuillonRunWindow(int* argc, char** argv, const QString* file) {
  return quillon::RunGui(*argc, argv, *file);
}

extern "C" Q_DECL_EXPORT quillon::PrintDevice* QuillonOpenPrinter(const QString* name) {
  return quillon::QtPrintDevice::ForPrinter(*name).release();
}

extern "C" Q_DECL_EXPORT quillon::PrintDevice* QuillonOpenPdf(const QString* path, double width,
                                                              double height, int dpi) {
  return quillon::QtPrintDevice::ForPdf(*path, QSizeF(width, height), dpi).release();
}
