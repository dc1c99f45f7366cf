// SPDX-License-Identifier: GPL-3.0-or-later
// `quillon` starts the window, `quillon -open FILE` starts it with FILE open; any other
// arguments run a command of the command line, which needs no display.
#include <QGuiApplication>
#include <cstring>
#include <iostream>

#include "app/CommandLine.h"
#include "app/Gui.h"

namespace {

// The commands speak for themselves in one sentence on failure; Qt's own warnings would only
// repeat it in other words.
void QuietQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 1) return quillon::RunGui(argc, argv, QString());
  if (argc == 3 && std::strcmp(argv[1], "-open") == 0) {
    return quillon::RunGui(argc, argv, QString::fromLocal8Bit(argv[2]));
  }
  qInstallMessageHandler(QuietQtWarnings);
  // The commands draw and print without a window: they never need the user's display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::vector<std::string> args;
  for (const QString& arg : app.arguments().mid(1))
    args.push_back(arg.toStdString());
  return quillon::RunCommandLine(args, std::cout, std::cerr);
}
