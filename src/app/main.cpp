// SPDX-License-Identifier: GPL-3.0-or-later
// `quillon` starts the window, `quillon -open FILE` starts it with FILE open; any other
// arguments run a command of the command line, which needs no display.
#include <QCoreApplication>
#include <cstring>
#include <iostream>

#include "app/CommandLine.h"
#include "app/Gui.h"

int main(int argc, char* argv[]) {
  if (argc == 1) return quillon::RunGui(argc, argv, QString());
  if (argc == 3 && std::strcmp(argv[1], "-open") == 0) {
    return quillon::RunGui(argc, argv, QString::fromLocal8Bit(argv[2]));
  }
  QCoreApplication app(argc, argv);
  std::vector<std::string> args;
  for (const QString& arg : app.arguments().mid(1))
    args.push_back(arg.toStdString());
  return quillon::RunCommandLine(args, std::cout, std::cerr);
}
