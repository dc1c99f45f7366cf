// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <iostream>

#include "app/CommandLine.h"

namespace {

// The commands speak for themselves in one sentence on failure; Qt's own warnings would only
// repeat it in other words.
void QuietQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char* argv[]) {
  qInstallMessageHandler(QuietQtWarnings);
  // The commands draw and print without a window: they never need the user's display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::vector<std::string> args;
  for (const QString& arg : app.arguments().mid(1))
    args.push_back(arg.toStdString());
  return quillon::RunCommandLine(args, std::cout, std::cerr);
}
