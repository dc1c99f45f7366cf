// SPDX-License-Identifier: GPL-3.0-or-later
// `quillon` starts the window, `quillon -open FILE` (or `quillon FILE`) starts it with FILE
// open, or hands FILE to the program already running; any other arguments run a command of the
// command line, which needs no display.
#include <QFileInfo>
#include <QGuiApplication>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string_view>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/CommandLine.h"
#include "app/WindowModule.h"

namespace {

// The commands speak for themselves in one sentence on failure; Qt's own warnings would only
// repeat it in other words.
void QuietQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

// Whether the window has anywhere to go: a chosen platform, or an X or Wayland display (other
// systems always have their own). Without one Qt would stop the program with its own message.
bool HasDisplay() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

int RunWindow(int argc, char* argv[], const QString& path) {
  if (!HasDisplay()) {
    std::cerr << "quillon: there is no display to show the window on; the commands work without "
                 "one (quillon --help lists them).\n";
    return 1;
  }
  return quillon::RunWindowModule(argc, argv, path);
}

// `quillon FILE`: one argument that names an existing file and no command.
bool IsFileArgument(const char* argument) {
  constexpr std::array<std::string_view, 6> kCommands = {"help",  "info",      "convert",
                                                         "print", "templates", "new"};
  const std::string_view text(argument);
  if (text.empty() || text.front() == '-') return false;
  for (std::string_view command : kCommands) {
    if (text == command) return false;
  }
  return QFileInfo::exists(QString::fromLocal8Bit(argument));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 1) return RunWindow(argc, argv, QString());
  if (argc == 3 && std::strcmp(argv[1], "-open") == 0) {
    return RunWindow(argc, argv, QString::fromLocal8Bit(argv[2]));
  }
  if (argc == 2 && IsFileArgument(argv[1])) {
    return RunWindow(argc, argv, QString::fromLocal8Bit(argv[1]));
  }
#if defined(__GLIBC__)
  // A command runs once and ends: memory it frees (a composed sheet) is kept for what comes
  // next (the encoder's buffers) instead of going back to the system and being faulted in anew.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
  qInstallMessageHandler(QuietQtWarnings);
  // The commands draw and print without a window: they never need the user's display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  // The arguments stay the system's bytes: a file name is used exactly as it was given.
  std::vector<std::string> args(argv + 1, argv + argc);
  const int code = quillon::RunCommandLine(args, std::cout, std::cerr);
  // Every file the command wrote is closed by now; tearing down Qt and freeing the document
  // piece by piece would only delay the end.
  std::cout.flush();
  std::fflush(nullptr);
  std::_Exit(code);
}
