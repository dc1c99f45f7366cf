// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <iostream>

#include "output/print/PrintDevices.h"

namespace quillon {
namespace {

using RunWindowEntry = int (*)(int*, char**, const QString*);
using OpenPrinterEntry = PrintDevice* (*)(const QString*);
using OpenPdfEntry = PrintDevice* (*)(const QString*, double, double, int);

// The folder the program was started from.
QString ProgramFolder() {
#if defined(Q_OS_LINUX)
  return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
#else
  return QCoreApplication::applicationDirPath();
#endif
}

// The module, loaded once: beside the program in the build folder, or where the package puts
// it relative to the program. Null with why set when it is in neither place or will not load.
QLibrary* Module(std::string& why) {
  static QLibrary* loaded = nullptr;
  static std::string failure;
  if (loaded == nullptr && failure.empty()) {
    const QDir folder(ProgramFolder());
    QStringList errors;
    for (const QString& place : {folder.filePath(QStringLiteral("quillon-window")),
                                 folder.filePath(QStringLiteral(QUILLON_INSTALLED_MODULE))}) {
      auto* module = new QLibrary(QDir::cleanPath(place));
      if (module->load()) {
        loaded = module;
        break;
      }
      errors << module->errorString();
      delete module;
    }
    if (loaded == nullptr) failure = errors.join(QStringLiteral("; ")).toStdString();
  }
  why = failure;
  return loaded;
}

template <typename Entry>
Entry Resolve(const char* name, std::string& why) {
  QLibrary* module = Module(why);
  if (module == nullptr) return nullptr;
  auto entry = reinterpret_cast<Entry>(module->resolve(name));
  if (entry == nullptr) why = module->errorString().toStdString();
  return entry;
}

}  // namespace

int RunWindowModule(int& argc, char** argv, const QString& file) {
  std::string why;
  const auto run = Resolve<RunWindowEntry>("QuillonRunWindow", why);
  if (run == nullptr) {
    std::cerr << "quillon: the window cannot be shown: " << why << '\n';
    return 1;
  }
  return run(&argc, argv, &file);
}

std::unique_ptr<PrintDevice> OpenPrinterDevice(const QString& name, std::string& error) {
  std::string why;
  const auto open = Resolve<OpenPrinterEntry>("QuillonOpenPrinter", why);
  if (open == nullptr) {
    error = "printing is not available: " + why;
    return nullptr;
  }
  return std::unique_ptr<PrintDevice>(open(&name));
}

std::unique_ptr<PrintDevice> OpenPdfDevice(const QString& path, QSizeF paperMillimetres, int dpi,
                                           std::string& error) {
  std::string why;
  const auto open = Resolve<OpenPdfEntry>("QuillonOpenPdf", why);
  if (open == nullptr) {
    error = "printing is not available: " + why;
    return nullptr;
  }
  return std::unique_ptr<PrintDevice>(
      open(&path, paperMillimetres.width(), paperMillimetres.height(), dpi));
}

}  // namespace quillon
