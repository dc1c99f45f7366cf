// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of a fuzz target: small documents with every kind of record, or small
// pictures of each format the decoders read.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <tuple>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "render/decoders/DecoderFixtures.h"
#include "render/decoders/MetafileFixtures.h"

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

// Documents behind a switches byte: a plain page, and a sheet of ten business cards.
bool MakeSheetSeeds(const QDir& dir) {
  ItemList plain;
  AddPage(plain, kUnitMillimetres);
  FillEveryKind(plain);
  ItemList cards;
  ItemRecord& page = AddPage(cards, kUnitInches);
  page.setPageKind(4);
  page.setCardWidth(3.5);
  page.setCardHeight(2);
  page.setMarginLeft(0.75);
  page.setMarginTop(0.5);
  page.setGapHorizontal(0.25);
  page.setRows(5);
  page.setColumns(2);
  FillEveryKind(cards);
  bool ok = true;
  for (const auto& [list, name, switches] :
       {std::tuple{&plain, "plain.bin", '\x00'}, std::tuple{&cards, "cards.bin", '\x13'}}) {
    QByteArray bytes(1, switches);
    QBuffer buffer(&bytes);
    ok = ok && buffer.open(QIODevice::Append) && WriteDocumentTo(buffer, *list).ok();
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ok = ok && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }
  return ok;
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

bool SavePicture(const QDir& dir, const char* name, const std::vector<uint8_t>& bytes) {
  QFile file(dir.filePath(QString::fromLatin1(name)));
  return file.open(QIODevice::WriteOnly) &&
         file.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

bool MakeJpegSeeds(const QDir& dir) {
  using fixtures::JpegKind;
  const QImage image = fixtures::Quadrants(24, 16);
  return SavePicture(dir, "colour.jpg", fixtures::MakeJpeg(image)) &&
         SavePicture(dir, "progressive.jpg", fixtures::MakeJpeg(image, JpegKind::Colour, true)) &&
         SavePicture(dir, "grey.jpg", fixtures::MakeJpeg(image, JpegKind::Grey)) &&
         SavePicture(dir, "cmyk.jpg", fixtures::MakeJpeg(image, JpegKind::Cmyk)) &&
         SavePicture(dir, "adobe.jpg", fixtures::MakeJpeg(image, JpegKind::AdobeCmyk, true));
}

bool MakeGifSeeds(const QDir& dir) {
  fixtures::GifFrame first{1, 1, 6, 5, std::vector<uint8_t>(30, 1), 2, false};
  for (size_t i = 0; i < first.indices.size(); i += 4)
    first.indices[i] = 2;
  fixtures::GifFrame interlaced{0, 0, 8, 9, std::vector<uint8_t>(72, 3), -1, true};
  for (size_t i = 0; i < interlaced.indices.size(); ++i)
    interlaced.indices[i] = static_cast<uint8_t>(i % 4);
  const std::vector<uint32_t> palette = {0x0000FF, 0x00FF00, 0xFF0000, 0};
  return SavePicture(dir, "frames.gif", fixtures::MakeGif(8, 8, palette, {first, interlaced})) &&
         SavePicture(dir, "interlaced.gif", fixtures::MakeGif(8, 9, palette, {interlaced}));
}

bool MakeBmpIcoSeeds(const QDir& dir) {
  const QImage image = fixtures::Quadrants(9, 6);
  QImage twoColours(9, 6, QImage::Format_RGB32);
  twoColours.fill(Qt::black);
  twoColours.setPixelColor(2, 2, Qt::white);
  bool ok = SavePicture(dir, "1.bmp", fixtures::MakeBmp(twoColours, 1));
  for (int bits : {4, 8, 16, 24, 32})
    ok = ok && SavePicture(dir, (std::to_string(bits) + ".bmp").c_str(),
                           fixtures::MakeBmp(image, bits, bits == 32));
  return ok && SavePicture(dir, "icons.ico",
                           fixtures::MakeIco({{image}, {fixtures::Quadrants(20, 20), true}}));
}

// Inputs of the item renderer's fuzzer: a record, the switches, the source type, the payload.
bool SaveRenderSeed(const QDir& dir, const char* name, const ItemRecord& item, uint8_t switches,
                    uint8_t sourceType, const std::vector<uint8_t>& payload) {
  std::vector<uint8_t> bytes(item.persisted().begin(), item.persisted().end());
  bytes.push_back(switches);
  bytes.push_back(sourceType);
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return SavePicture(dir, name, bytes);
}

bool MakeRenderSeeds(const QDir& dir) {
  ItemList list;
  ItemRecord& text = NewRecord(list, kKindText);
  text.setX1(4);
  text.setY1(30);
  text.setX2(50);
  text.setY2(20);
  text.setFontName("Arial");
  text.setFontSize(10);
  text.setFontWeight(700);
  text.setJustification(2);
  text.setTextAngle(300);
  text.setShadowSize(50);
  text.setShadowSoftness(20);
  text.setShadowLightness(110);
  const std::u16string lines = u"Two\u07EClines";
  std::vector<uint8_t> utf16(2 * lines.size());
  std::memcpy(utf16.data(), lines.data(), utf16.size());
  bool ok = SaveRenderSeed(dir, "text.bin", text, 0, 0, utf16);
  // A text of 5,000 short lines, so that runs start from long texts, not only short ones.
  std::u16string many;
  for (int i = 0; i < 5000; ++i) many += u"Line\u07EC";
  std::vector<uint8_t> manyBytes(2 * many.size());
  std::memcpy(manyBytes.data(), many.data(), manyBytes.size());
  ok = ok && SaveRenderSeed(dir, "many-lines.bin", text, 0, 0, manyBytes);
  text.setSurface(127);
  ok = ok && SaveRenderSeed(dir, "round-text.bin", text, 8 | (6 << 5), 0, utf16);

  const std::vector<uint8_t> bmp = fixtures::MakeBmp(fixtures::Quadrants(9, 6), 24);
  ItemRecord& picture = NewRecord(list, kKindPicture);
  picture.setSourceNumber(5);
  picture.setX1(6);
  picture.setY1(6);
  picture.setX2(40);
  picture.setY2(30);
  picture.setClipRight(9);
  picture.setClipBottom(6);
  picture.setScaleX(1);
  picture.setScaleY(1);
  picture.setMirrorSign(1);
  picture.setFlipSign(1);
  picture.setShadowSize(50);
  picture.setShadowSoftness(20);
  picture.setShadowLightness(110);
  picture.setFrame(1);
  picture.setLineWeight(1.5);
  picture.setSurface(127);
  ok = ok && SaveRenderSeed(dir, "picture.bin", picture, 1, 2, bmp);
  picture.setRotation(0.5);
  picture.setRightAngle(90);
  ok = ok && SaveRenderSeed(dir, "turned.bin", picture, 1 | 8 | (4 << 5), 2, bmp);
  picture.setClipShape(2);
  picture.setClipLeft(4);
  picture.setClipTop(3);
  picture.setClipRight(7);
  picture.setClipBottom(3);
  picture.setX1(24);
  picture.setY1(20);
  picture.setX2(40);
  picture.setY2(20);
  ok = ok && SaveRenderSeed(dir, "round.bin", picture, 1 | 2, 2, bmp);
  // A large picture: a JPEG of 3000 x 2000 pixels, round in a small item, and rectangular in
  // an item far larger than the target.
  const std::vector<uint8_t> large = fixtures::MakeJpeg(fixtures::Quadrants(3000, 2000));
  picture.setSurface(0);
  picture.setClipLeft(1500);
  picture.setClipTop(1000);
  picture.setClipRight(2500);
  picture.setClipBottom(1000);
  ok = ok && SaveRenderSeed(dir, "large-round.bin", picture, 1, 4, large);
  picture.setClipShape(0);
  picture.setClipLeft(0);
  picture.setClipTop(0);
  picture.setClipRight(3000);
  picture.setClipBottom(2000);
  picture.setRotation(0);
  picture.setRightAngle(0);
  picture.setX1(-20);
  picture.setY1(-10);
  picture.setX2(600);
  picture.setY2(400);
  return ok && SaveRenderSeed(dir, "large.bin", picture, 1 | (6 << 5), 4, large);
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
  using namespace quillon;
  bool made = false;
  if (target == QLatin1String("fuzz_read_document")) {
    made = MakeDocumentSeeds(seeds);
  } else if (target == QLatin1String("fuzz_size_text")) {
    made = MakeSizeTextSeeds(seeds);
  } else if (target == QLatin1String("fuzz_print_sheet")) {
    made = MakeSheetSeeds(seeds);
  } else if (target == QLatin1String("fuzz_render_item")) {
    made = MakeRenderSeeds(seeds);
  } else if (target == QLatin1String("fuzz_jpeg")) {
    made = MakeJpegSeeds(seeds);
  } else if (target == QLatin1String("fuzz_gif")) {
    made = MakeGifSeeds(seeds);
  } else if (target == QLatin1String("fuzz_bmp_ico")) {
    made = MakeBmpIcoSeeds(seeds);
  } else if (target == QLatin1String("fuzz_emf")) {
    made = SavePicture(seeds, "sample.emf", fixtures::SampleEmf());
  } else if (target == QLatin1String("fuzz_wmf")) {
    made = SavePicture(seeds, "sample.wmf", fixtures::SampleWmf());
  } else {
    std::fprintf(stderr, "make_fuzz_seeds: no seeds for %s\n", argv[1]);
    return 1;
  }
  return made ? 0 : 1;
}
