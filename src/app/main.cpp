// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <iostream>

#include "app/CommandLine.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  std::vector<std::string> args;
  for (const QString& arg : app.arguments().mid(1))
    args.push_back(arg.toStdString());
  return quillon::RunCommandLine(args, std::cout, std::cerr);
}
