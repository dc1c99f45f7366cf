// SPDX-License-Identifier: GPL-3.0-or-later
// The look of text and picture items against stored renders: text at several angles and
// justifications, with a shadow and the "Round" surface; pictures with rectangular and round
// clips, turned, framed flat and shaded, with shadows.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "GoldenCheck.h"
#include "PictureFixtures.h"
#include "SceneFixtures.h"
#include "render/RenderItem.h"

namespace quillon {
namespace {

ItemRecord& AddText(ItemList& list, const std::u16string& content, Point a, Point b, int angle,
                    int justification) {
  ItemRecord& r = test::AddItem(list, kKindText, a, b);
  SetText(r, content);
  r.setFontName("Arial");
  r.setFontSize(14);
  r.setFontWeight(700);
  r.setTextAngle(angle);
  r.setJustification(static_cast<uint8_t>(justification));
  r.setTextColor(0x803020);
  return r;
}

// Four cells of 160 x 160: left, centred and right justification of two lines at 0, 30 and 90
// degrees, and a line at 330 degrees; then the same with a shadow, with "Round", and both.
Bitmap RenderTexts() {
  constexpr int kCell = 160;
  const test::Look looks[] = {
      {-1, 0, 0.0, 0, 0, 0, 0},
      {-1, 0, 0.0, 0, 50, 20, 110},
      {-1, 0, 0.0, 127, 0, 0, 0},
      {-1, 0, 0.0, 127, 70, 30, 120},
  };
  Bitmap image(kCell * 4, kCell);
  for (int column = 0; column < 4; ++column) {
    ItemList list;
    test::AddLightPage(list, 0);
    std::vector<ItemRecord*> items = {
        &AddText(list, u"Left\u07ECtwo", {10, 40}, {150, 40}, 0, 1),
        &AddText(list, u"Centre\u07ECtwo", {10, 90}, {150, 90}, 0, 2),
        &AddText(list, u"Right", {10, 120}, {150, 120}, 0, 3),
        &AddText(list, u"Up", {150, 150}, {150, 60}, 900, 1),
        &AddText(list, u"Slant", {20, 140}, {120, 82}, 300, 1),
    };
    for (ItemRecord* item : items) {
      test::Apply(*item, looks[column]);
      RenderItem(image, *item, list, {column * kCell, 0}, 1.0, 1.0);
    }
  }
  return image;
}

// A smooth source picture: colour ramps with a dark diagonal, so that scaling, mirroring and
// turning all show.
QImage Ramp(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool stripe = std::abs(x * h - y * w) < 3 * std::max(w, h);
      image.setPixel(x, y, stripe ? qRgb(20, 20, 20) : qRgb(255 * x / w, 255 * y / h, 160));
    }
  }
  return image;
}

// Cells of 140 x 140: a rectangle framed flat with a shadow; turned by 30 degrees with a shaded
// frame; a round clip with a flat ring; a round clip turned with a shaded ring and a shadow;
// a mirrored, colour-adjusted picture turned by 200 degrees with a shadow.
Bitmap RenderPictures() {
  constexpr int kCell = 140;
  Bitmap image(kCell * 5, kCell);
  for (int column = 0; column < 5; ++column) {
    ItemList list;
    test::AddLightPage(list, column == 4 ? 1 : 0);
    test::AddSource(list, Ramp(90, 60));
    ItemRecord* picture = nullptr;
    if (column == 2 || column == 3) {
      picture = &test::AddItem(list, kKindPicture, {70, 70}, {118, 70});
      picture->setSourceNumber(test::kSource);
      picture->setClipShape(2);
      picture->setClipLeft(45);
      picture->setClipTop(30);
      picture->setClipRight(70);
      picture->setClipBottom(30);
      picture->setScaleX(1);
      picture->setScaleY(1);
    } else {
      picture = &test::AddPicture(list, {25, 35}, {115, 95}, 90, 60);
    }
    switch (column) {
      case 0:
        test::Apply(*picture, {-1, 0x303080, 1.0, 0, 50, 20, 110});
        picture->setFrame(1);
        break;
      case 1:
        test::Apply(*picture, {-1, 0x2080C0, 2.5, 127, 0, 0, 0});
        picture->setFrame(1);
        picture->setRotation(std::numbers::pi / 6);
        break;
      case 2:
        test::Apply(*picture, {-1, 0x206020, 0.8, 0, 0, 0, 0});
        picture->setFrame(1);
        break;
      case 3:
        test::Apply(*picture, {-1, 0x6040A0, 2.0, 127, 70, 30, 120});
        picture->setFrame(1);
        picture->setRotation(0.8);
        break;
      default:
        test::Apply(*picture, {-1, 0, 0.0, 0, 50, 20, 90});
        picture->setScaleX(-1);
        picture->setSaturation(100);
        picture->setContrast(60);
        picture->setLightness(-20);
        picture->setRotation(200 * std::numbers::pi / 180);
        break;
    }
    RenderItem(image, *picture, list, {column * kCell, 0}, 1.0, 1.0);
  }
  return image;
}

TEST(GoldenRender, TextLooksAsStored) {
  test::CheckGolden("text", RenderTexts());
}

TEST(GoldenRender, PicturesLookAsStored) {
  test::CheckGolden("pictures", RenderPictures());
}

}  // namespace
}  // namespace quillon
