// SPDX-License-Identifier: GPL-3.0-or-later
// card_sheet IN OUT PHOTO.jpg: reads a document (an "A8 business cards, 8 per page" sheet made
// with "quillon new") and writes it again with the card design the peer benchmarks draw:
// a blue box with a soft shadow, a five-pointed star, a 12 pt name, a 9 pt line turned 30
// degrees, a dashed rule and the photograph clipped to a circle, so that printing and export
// can be timed against other programs on the same work.
#include <QFile>
#include <QGuiApplication>
#include <cmath>
#include <iostream>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"
#include "render/Text.h"
#include "render/decoders/DecodePicture.h"
#include "support/DesignTool.h"
#include "support/DocumentFixtures.h"

namespace {

using namespace quillon;

// Millimetres from the card's corner in document pixels at 96 pixels per inch.
int32_t Mm(double mm) {
  return RoundToInt32(mm * 96 / 25.4);
}
Point At(double x, double y) {
  return {Mm(x), Mm(y)};
}

ItemRecord& AddText(ItemList& list, const std::u16string& text, Point at, int size,
                    int tenthsOfDegrees) {
  const double turn = tenthsOfDegrees / 1800.0 * 3.14159265358979;
  const Point end{at.x + RoundToInt32(std::cos(turn) * Mm(60)),
                  at.y - RoundToInt32(std::sin(turn) * Mm(60))};
  ItemRecord& r = test::AddItem(list, kKindText, at, end);
  SetText(r, text);
  r.setFontName("DejaVu Sans");
  r.setFontSize(size);
  r.setFontWeight(400);
  r.setJustification(1);
  r.setTextColor(0);
  r.setTextAngle(tenthsOfDegrees);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::cerr << "usage: card_sheet IN OUT PHOTO.jpg\n";
    return 2;
  }
  ItemList list(ScreenMetrics{96, 96});
  if (!test::ReadStartDocument("card_sheet", argv[1], list)) return 1;
  QFile photoFile(QString::fromLocal8Bit(argv[3]));
  if (!photoFile.open(QIODevice::ReadOnly)) {
    std::cerr << "card_sheet: " << argv[3] << ": cannot be read\n";
    return 1;
  }
  const QByteArray photoBytes = photoFile.readAll();

  // The box, 40 x 22 mm, with the "Medium" shadow (1.5 mm) at half strength.
  ItemRecord& box = test::AddRectangle(list, At(5, 5), At(45, 27));
  box.setShapeStyle(2);
  box.setFillColor(-2);
  box.setLineColor(0xC06020);
  box.setShadowSize(50);
  box.setShadowSoftness(20);
  box.setShadowLightness(128);

  ItemRecord& star = test::AddItem(list, kKindStar, {0, 0}, {0, 0});
  StarVertices(At(60, 15), At(60, 15 - 9 * 0.382), 5, At(60, 6), star.points);
  star.setSides(5);
  star.setShapeStyle(2);
  star.setFillColor(-2);
  star.setLineColor(0x0000FF);

  AddText(list, u"Ada Lovelace", At(5, 35), 12, 0);
  AddText(list, u"since 1843", At(22, 49), 9, 300);

  ItemRecord& rule = test::AddItem(list, kKindLine, At(5, 38.5), At(69, 38.5));
  rule.setLineWeight(0.35);
  rule.setLineOutlineWeight(0.35);
  rule.setPenWidth(std::max(1, Mm(0.35)));
  rule.setLinePattern(2);
  rule.setLineColor(0x404040);

  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(6);
  source.setSourceNumber(1843);
  source.setClipShape(kPictureJpeg);
  source.pictureData.assign(photoBytes.begin(), photoBytes.end());
  SetText(source, u"photo.jpg");
  // The photograph's central circle in a circle of 8.5 mm radius.
  ItemRecord& photo = test::AddItem(list, kKindPicture, At(60, 40), At(68.5, 40));
  photo.setSourceNumber(1843);
  photo.setClipShape(2);
  photo.setClipLeft(600);
  photo.setClipTop(400);
  photo.setClipRight(1000);
  photo.setClipBottom(400);
  photo.setScaleX(1);
  photo.setScaleY(1);
  photo.setMirrorSign(1);
  photo.setFlipSign(1);

  return test::WriteDesign("card_sheet", argv[2], list);
}
