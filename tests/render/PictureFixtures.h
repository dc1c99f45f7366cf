// SPDX-License-Identifier: GPL-3.0-or-later
// Picture sources and picture items built in code: a source is a picture Qt writes as a BMP file.
#pragma once

#include <QBuffer>
#include <QImage>

#include "document/ItemList.h"
#include "render/decoders/DecodePicture.h"
#include "support/DocumentFixtures.h"

namespace quillon::test {

inline constexpr int32_t kSource = 77;

// A source picture of four quadrants: red top left, green top right, blue bottom left, yellow
// bottom right, stored as a BMP file written by Qt.
inline QImage Quadrants(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool right = x >= w / 2, bottom = y >= h / 2;
      image.setPixel(x, y,
                     !bottom ? (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0))
                             : (right ? qRgb(255, 255, 0) : qRgb(0, 0, 255)));
    }
  }
  return image;
}

inline ItemRecord& AddSource(ItemList& list, const QImage& image, int32_t number = kSource) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(6);
  source.setSourceNumber(number);
  source.setClipShape(kPictureBmp);
  source.pictureData.assign(bytes.begin(), bytes.end());
  SetText(source, u"/home/user/Pictures/quadrants.bmp");
  return source;
}

// A rectangular picture of the whole w x h source in the box a..b.
inline ItemRecord& AddPicture(ItemList& list, Point a, Point b, int w, int h) {
  ItemRecord& p = test::AddItem(list, kKindPicture, a, b);
  p.setSourceNumber(kSource);
  p.setClipShape(1);
  p.setClipLeft(0);
  p.setClipTop(0);
  p.setClipRight(w);
  p.setClipBottom(h);
  p.setScaleX(1);
  p.setScaleY(1);
  p.setMirrorSign(1);
  p.setFlipSign(1);
  return p;
}

}  // namespace quillon::test
