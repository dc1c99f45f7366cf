// SPDX-License-Identifier: GPL-3.0-or-later
// card_sheet IN OUT PHOTO.jpg: reads a document (an "A8 business cards, 8 per page" sheet made
// with "quillon new") and writes it again with the card design the peer benchmarks draw:
// a blue box with a soft shadow, a five-pointed star, a 12 pt name, a 9 pt line turned 30
// degrees, a dashed rule and the photograph clipped to a circle, so that printing and export
// can be timed against other programs on the same work.
#include <QFile>
#include <QGuiApplication>
#include <iostream>

#include "support/CardDesign.h"
#include "support/DesignTool.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::cerr << "usage: card_sheet IN OUT PHOTO.jpg\n";
    return 2;
  }
  using namespace quillon;
  ItemList list(ScreenMetrics{96, 96});
  if (!test::ReadStartDocument("card_sheet", argv[1], list)) return 1;
  QFile photoFile(QString::fromLocal8Bit(argv[3]));
  if (!photoFile.open(QIODevice::ReadOnly)) {
    std::cerr << "card_sheet: " << argv[3] << ": cannot be read\n";
    return 1;
  }
  const QByteArray photoBytes = photoFile.readAll();

  test::AddCardDesign(list, photoBytes);
  return test::WriteDesign("card_sheet", argv[2], list);
}
