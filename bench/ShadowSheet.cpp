// SPDX-License-Identifier: GPL-3.0-or-later
// shadow_sheet IN OUT [N]: reads a document (a letter page made with "quillon new") and writes it
// again with the N (1000 unless given) shadowed rectangles the print benchmark draws, so that
// "quillon print --pdf" can be timed on the same sheet.
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "ShadowedRectangles.h"
#include "support/DesignTool.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3 && argc != 4) {
    std::cerr << "usage: shadow_sheet IN OUT [N]\n";
    return 2;
  }
  using namespace quillon;
  ItemList list(ScreenMetrics{96, 96});
  if (!test::ReadStartDocument("shadow_sheet", argv[1], list)) return 1;
  bench::AddShadowedRectangles(list, argc == 4 ? std::atoi(argv[3]) : 1000);
  return test::WriteDesign("shadow_sheet", argv[2], list);
}
