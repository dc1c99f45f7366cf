// SPDX-License-Identifier: GPL-3.0-or-later
// fill_document IN OUT COUNT: reads a document (for example one made with "quillon new") and
// writes it again with COUNT more items, rectangles and lines in rows across the page, so that
// the window can be tried and timed on documents of any size.
#include <QCoreApplication>
#include <cstdlib>
#include <iostream>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "support/DocumentFixtures.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::cerr << "usage: fill_document IN OUT COUNT\n";
    return 2;
  }
  using namespace quillon;
  ItemList list(ScreenMetrics{96, 96});
  test::ScriptedPrompter prompter(PromptAnswer::No);
  const FileResult read = ReadDocument(QString::fromLocal8Bit(argv[1]), list, prompter);
  const ItemRecord* page = list.PageRecord();
  if (!read.ok() || page == nullptr) {
    std::cerr << "fill_document: " << argv[1] << ": not a document\n";
    return 1;
  }
  const int count = std::atoi(argv[3]);
  const int width = std::max(40, page->boundWidth());
  const int columns = std::max(1, (width - 30) / 36);
  for (int i = 0; i < count; ++i) {
    const int x = 10 + i % columns * 36;
    const int y = 10 + i / columns % 60 * 36;
    ItemRecord& item = i % 2 == 0 ? test::AddRectangle(list, {x, y}, {x + 28, y + 20})
                                  : test::AddItem(list, kKindLine, {x, y}, {x + 28, y + 28});
    item.setLineColor(static_cast<int32_t>(0x204080 + i * 97 % 0x7F7F7F));
    item.setFillColor(i % 4 == 0 ? 0x99CCFF : -1);
  }
  const FileResult written = WriteDocument(QString::fromLocal8Bit(argv[2]), list);
  if (!written.ok()) {
    std::cerr << "fill_document: " << argv[2] << ": " << written.message << '\n';
    return 1;
  }
  return 0;
}
