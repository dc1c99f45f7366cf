// SPDX-License-Identifier: GPL-3.0-or-later
// The business card the peer benchmarks draw, as items of a card sheet: a blue box with a soft
// shadow, a five-pointed star, a 12 pt name, a 9 pt line turned 30 degrees, a dashed rule and
// a photograph clipped to a circle.
#pragma once

#include <QByteArray>
#include <cmath>

#include "document/ItemList.h"
#include "render/Outlines.h"
#include "render/Text.h"
#include "render/decoders/DecodePicture.h"
#include "support/DocumentFixtures.h"

namespace quillon::test {

// Millimetres from the card's corner in document pixels at 96 pixels per inch.
inline int32_t CardMm(double mm) {
  return RoundToInt32(mm * 96 / 25.4);
}
inline Point CardAt(double x, double y) {
  return {CardMm(x), CardMm(y)};
}

inline ItemRecord& AddCardText(ItemList& list, const std::u16string& text, Point at, int size,
                               int tenthsOfDegrees) {
  const double turn = tenthsOfDegrees / 1800.0 * 3.14159265358979;
  const Point end{at.x + RoundToInt32(std::cos(turn) * CardMm(60)),
                  at.y - RoundToInt32(std::sin(turn) * CardMm(60))};
  ItemRecord& r = AddItem(list, kKindText, at, end);
  SetText(r, text);
  r.setFontName("DejaVu Sans");
  r.setFontSize(size);
  r.setFontWeight(400);
  r.setJustification(1);
  r.setTextColor(0);
  r.setTextAngle(tenthsOfDegrees);
  return r;
}

// Adds the card's items to list; photoBytes is a JPEG file of at least 1000 x 800 pixels.
inline void AddCardDesign(ItemList& list, const QByteArray& photoBytes) {
  // The box, 40 x 22 mm, with the "Medium" shadow (1.5 mm) at half strength.
  ItemRecord& box = AddRectangle(list, CardAt(5, 5), CardAt(45, 27));
  box.setShapeStyle(2);
  box.setFillColor(-2);
  box.setLineColor(0xC06020);
  box.setShadowSize(50);
  box.setShadowSoftness(20);
  box.setShadowLightness(128);

  ItemRecord& star = AddItem(list, kKindStar, {0, 0}, {0, 0});
  StarVertices(CardAt(60, 15), CardAt(60, 15 - 9 * 0.382), 5, CardAt(60, 6), star.points);
  star.setSides(5);
  star.setShapeStyle(2);
  star.setFillColor(-2);
  star.setLineColor(0x0000FF);

  AddCardText(list, u"Ada Lovelace", CardAt(5, 35), 12, 0);
  AddCardText(list, u"since 1843", CardAt(22, 49), 9, 300);

  ItemRecord& rule = AddItem(list, kKindLine, CardAt(5, 38.5), CardAt(69, 38.5));
  rule.setLineWeight(0.35);
  rule.setLineOutlineWeight(0.35);
  rule.setPenWidth(std::max(1, CardMm(0.35)));
  rule.setLinePattern(2);
  rule.setLineColor(0x404040);

  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(6);
  source.setSourceNumber(1843);
  source.setClipShape(kPictureJpeg);
  source.pictureData.assign(photoBytes.begin(), photoBytes.end());
  SetText(source, u"photo.jpg");
  // The photograph's central circle in a circle of 8.5 mm radius.
  ItemRecord& photo = AddItem(list, kKindPicture, CardAt(60, 40), CardAt(68.5, 40));
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
}

}  // namespace quillon::test
