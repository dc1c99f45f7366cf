// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of a fuzz target: small documents with every kind of record.
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"

namespace quillon {
namespace {

ItemRecord& AddPage(ItemList& list, int32_t units) {
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  const UnitScale scale = UnitsScale(units, list.screen());
  page.setPageUnits(units);
  page.setPixelsPerUnitX(scale.pixelsPerUnitX);
  page.setPixelsPerUnitY(scale.pixelsPerUnitY);
  page.setZoom(1.0);
  page.setPageWidth(8.5);
  page.setPageHeight(11);
  page.setDesignWidth(8.5);
  page.setDesignHeight(11);
  SetText(
      page,
      u"8 "
      u"1/2\u07EC11\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC");
  UpdatePageRect(page);
  ItemRecord& anchors = NewRecord(list, kKindAnchors);
  anchors.verticalAnchors = {{.position = 0}, {.position = 96}};
  anchors.horizontalAnchors = {{.position = 0}};
  return page;
}

ItemRecord& AddShape(ItemList& list, int32_t kind, int corners) {
  ItemRecord& r = NewRecord(list, kind);
  r.setX2(40);
  r.setY2(30);
  for (int i = 0; i < corners; ++i) {
    PointEntry& p = NewPoint(r.points);
    p.point = p.pointAtDragStart = {10 * i, 7 * i};
    p.handleIn = {10 * i - 3, 7 * i};
    p.handleOut = {10 * i + 3, 7 * i};
  }
  RecomputeDerived(r, list.screen());
  r.setStackLevel(MaxLevel(list) + 1);
  return r;
}

void FillEveryKind(ItemList& list) {
  ItemRecord& text = AddShape(list, kKindText, 0);
  SetText(text, u"Two\u07EClines");
  AddShape(list, kKindLine, 0).setLinePattern(-1);
  AddShape(list, kKindTriangle, 3);
  AddShape(list, kKindCurve, 4).setShapeStyle(2);
  ItemRecord& picture = AddShape(list, kKindPicture, 0);
  picture.setSourceNumber(9);
  picture.setClipShape(2);
  ItemRecord& frame = AddShape(list, kKindGroupFrame, 0);
  frame.setGroupNumber(1);
  ItemRecord& pattern = NewRecord(list, -1);
  pattern.setRecordClass(kClassLinePattern);
  pattern.setPatternSegment(0, 2.0);
  pattern.setPatternSegment(1, 1.0);
  pattern.setPatternCount(2);
  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(kClassPictureSource);
  source.setSourceNumber(9);
  source.pictureData = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};
  SetText(source, u"tiny.gif");
}

bool Save(ItemList& list, const QString& path) {
  const FileResult result = WriteDocument(path, list);
  if (!result.ok()) std::fprintf(stderr, "%s\n", result.message.c_str());
  return result.ok();
}

bool MakeDocumentSeeds(const QDir& dir) {
  ItemList empty;
  AddPage(empty, kUnitInches);
  ItemList full;
  AddPage(full, kUnitMillimetres);
  FillEveryKind(full);
  ItemList pixels;
  AddPage(pixels, kUnitPixels).setHistorySaved(255);
  FillEveryKind(pixels);
  return Save(empty, dir.filePath("empty.qlln")) && Save(full, dir.filePath("full.qlln")) &&
         Save(pixels, dir.filePath("pixels.qlln"));
}

// Size texts, measures and store numbers: a selector byte, then lines of text.
bool MakeSizeTextSeeds(const QDir& dir) {
  const char* seeds[] = {
      "\x41"
      "8 1/2\n11\n\n\n1/4\n1/4\n1/4\n1/4\n\n\n\n\n\n\n0.25\n",
      "\x42"
      "210\n297\n74\n52\n31\n18\n0\n0\n5\n2\n0\n0\n\n\n10\n10\n",
      "\x73"
      "11 x 8 1/2\n3-1/2\n-1 1/2\n11\"\n8,5\n0/4\n1/0\n4 1/4\n2\n5\n1/2\n1/2\n",
      "\x91"
      "800\n600\n",
      "\x02"
      "0,35\n1 5\n3\"\n1/2\n1,5/3\n7/0\n-2147483648\n1e308\n0.0001\n",
  };
  int n = 0;
  for (const char* seed : seeds) {
    QFile file(dir.filePath(QStringLiteral("size%1.txt").arg(++n)));
    if (!file.open(QIODevice::WriteOnly) || file.write(seed) != qint64(std::strlen(seed))) {
      return false;
    }
  }
  return true;
}

}  // namespace
}  // namespace quillon

// Usage: make_fuzz_seeds TARGET SEED_DIR CORPUS_DIR
int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_fuzz_seeds TARGET SEED_DIR CORPUS_DIR\n");
    return 2;
  }
  const QString target = QString::fromLocal8Bit(argv[1]);
  const QDir seeds(QString::fromLocal8Bit(argv[2]));
  if (!QDir().mkpath(seeds.path()) || !QDir().mkpath(QString::fromLocal8Bit(argv[3]))) {
    std::fprintf(stderr, "make_fuzz_seeds: cannot create the corpus folders\n");
    return 1;
  }
  if (target == QLatin1String("fuzz_read_document")) {
    return quillon::MakeDocumentSeeds(seeds) ? 0 : 1;
  }
  if (target == QLatin1String("fuzz_size_text")) {
    return quillon::MakeSizeTextSeeds(seeds) ? 0 : 1;
  }
  std::fprintf(stderr, "make_fuzz_seeds: no seeds for %s\n", argv[1]);
  return 1;
}
