// SPDX-License-Identifier: GPL-3.0-or-later
// design_card IN OUT: reads a document (for example a business-card sheet made with
// "quillon new") and writes it again with a card design on it: a shaded background panel, a
// framed photograph with a shadow, three lines of text with shadows, a "Round" disc and a
// dashed rule, all sized to the first card, so that printing and export can be tried and timed
// on a realistic sheet.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
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

// A photograph stand-in: smooth colour fields, a sun and a horizon, 1600 x 1200, as a JPEG.
std::vector<uint8_t> Photo() {
  QImage image(1600, 1200, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double sun = std::hypot(x - 1100.0, y - 380.0);
      const bool sky = y < 700 + 60 * std::sin(x / 180.0);
      int r = sky ? 90 + y / 8 : 40 + x / 30, g = sky ? 140 + y / 10 : 110 + y / 30,
          b = sky ? 230 - y / 10 : 50;
      if (sun < 140) r = 255, g = 220, b = 120;
      image.setPixel(x, y, qRgb(std::min(r, 255), std::min(g, 255), std::min(b, 255)));
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 90);
  return {bytes.begin(), bytes.end()};
}

ItemRecord& AddText(ItemList& list, const std::u16string& text, Point at, int32_t width, int size,
                    int weight) {
  ItemRecord& r = test::AddItem(list, kKindText, at, {at.x + width, at.y});
  SetText(r, text);
  r.setFontName("Arial");
  r.setFontSize(size);
  r.setFontWeight(weight);
  r.setJustification(1);
  r.setTextColor(0x402010);
  r.setShadowSize(30);
  r.setShadowSoftness(10);
  r.setShadowLightness(100);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: design_card IN OUT\n";
    return 2;
  }
  ItemList list(ScreenMetrics{96, 96});
  if (!test::ReadStartDocument("design_card", argv[1], list)) return 1;
  // The design fills a 3.5 x 2 inch card at 96 pixels per inch.
  ItemRecord& panel = test::AddRectangle(list, {8, 8}, {328, 184});
  panel.setShapeStyle(2);
  panel.setFillColor(0xF0E8D8);
  panel.setLineColor(0x806040);
  panel.setLineWeight(0.5);
  panel.setSurface(255);

  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(6);
  source.setSourceNumber(4242);
  source.setClipShape(kPictureJpeg);
  source.pictureData = Photo();
  SetText(source, u"sunset.jpg");
  ItemRecord& photo = test::AddItem(list, kKindPicture, {20, 24}, {140, 114});
  photo.setSourceNumber(4242);
  photo.setClipShape(1);
  photo.setClipRight(1600);
  photo.setClipBottom(1200);
  photo.setScaleX(1);
  photo.setScaleY(1);
  photo.setMirrorSign(1);
  photo.setFlipSign(1);
  photo.setFrame(1);
  photo.setLineWeight(1.2);
  photo.setLineColor(0x305070);
  photo.setSurface(127);
  photo.setShadowSize(50);
  photo.setShadowSoftness(20);
  photo.setShadowLightness(110);

  AddText(list, u"Alex Example", {156, 52}, 160, 16, 700);
  AddText(list, u"Garden design\u07ECand planting", {156, 92}, 160, 10, 400);
  AddText(list, u"555 0100  alex@example.org", {20, 166}, 300, 9, 400);

  ItemRecord& disc = test::AddItem(list, kKindCircle, {0, 0}, {0, 0});
  CircleFromClicks({300, 40}, {316, 40}, disc.points);
  disc.setFillColor(0x3080E0);
  disc.setLineColor(0x205090);
  disc.setShapeStyle(2);
  disc.setSurface(127);
  disc.setShadowSize(50);
  disc.setShadowSoftness(20);
  disc.setShadowLightness(110);

  ItemRecord& rule = test::AddItem(list, kKindLine, {20, 132}, {316, 132});
  rule.setLineWeight(0.5);
  rule.setPenWidth(2);
  rule.setLinePattern(2);
  rule.setLineColor(0x806040);
  return test::WriteDesign("design_card", argv[2], list);
}
