// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Text.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <set>

#include "SceneFixtures.h"
#include "render/RenderItem.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

const ScreenMetrics kScreen{96, 96};

ItemRecord& AddText(ItemList& list, const std::u16string& content, int justification,
                    Point a = {100, 200}, Point b = {400, 200}) {
  ItemRecord& r = test::AddItem(list, kKindText, a, b);
  SetText(r, content);
  r.setJustification(static_cast<uint8_t>(justification));
  r.setFontSize(12);
  return r;
}

TEST(Text, FontsArePointsAtTheScreenResolution) {
  ItemList list;
  const ItemRecord& text = AddText(list, u"A", 1);
  const QFont font = MakeFont(text, 12, true, kScreen);
  EXPECT_EQ(font.pixelSize(), 16);
  EXPECT_EQ(MakeFont(text, 9, true, ScreenMetrics{120, 120}).pixelSize(), 15);
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"))
      << "Arial draws with its metric twin";
  EXPECT_GT(LineHeight(text, kScreen), 16);
}

TEST(Text, JustificationMovesNarrowLinesAlongTheBox) {
  ItemList list;
  for (int justification : {1, 2, 3, 0}) {
    const ItemRecord& text = AddText(list, u"Hi", justification);
    const auto lines = PlaceTextLines(text, TargetMapping::Document(), false, kScreen);
    ASSERT_EQ(lines.size(), 1u);
    const int free = 300 - LineWidth(text, QStringLiteral("Hi"), 1, kScreen);
    const int expected = justification == 2   ? 100 + RoundToInt32(free / 2.0)
                         : justification == 3 ? 100 + free
                                              : 100;
    EXPECT_NEAR(lines[0].start.x, expected, 1) << justification;
    EXPECT_EQ(lines[0].start.y, 200);
  }
  // A line wider than its box starts at the start point whatever the justification.
  const ItemRecord& wide = AddText(list, u"A line far wider than its box", 3, {0, 0}, {10, 0});
  EXPECT_EQ(PlaceTextLines(wide, TargetMapping::Document(), false, kScreen)[0].start,
            (Point{0, 0}));
}

TEST(Text, LinesGoUpwardsFromTheLastAndKeepEmptyOnes) {
  ItemList list;
  ItemRecord& text = AddText(list, u"one\u07EC\u07ECthree", 1);
  const int32_t h = LineHeight(text, kScreen);
  auto lines = PlaceTextLines(text, TargetMapping::Document(), false, kScreen);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, QStringLiteral("three"));
  EXPECT_EQ(lines[1].text, QString());
  EXPECT_EQ(lines[0].start.y, 200);
  EXPECT_EQ(lines[1].start.y, 200 - h);
  EXPECT_EQ(lines[2].start.y, 200 - 2 * h);
  // At 90 degrees the lines run upwards and each earlier line lies to the left.
  text.setTextAngle(900);
  lines = PlaceTextLines(text, TargetMapping::Document(), false, kScreen);
  EXPECT_EQ(lines[1].start.x, 100 - h);
  EXPECT_EQ(lines[1].start.y, 200);
}

TEST(Text, ATextOfManyLinesIsLaidOutAndDrawnInOnePass) {
  // Found line by line from the start, 150,000 lines took minutes; with shadows, longer still.
  std::u16string content;
  for (int i = 0; i < 150000; ++i)
    content += u"ab\u07EC";
  content += u"last";
  ItemList list;
  ItemRecord& text = AddText(list, content, 1);
  text.setShadowSize(30);
  text.setShadowLightness(100);
  const auto lines = PlaceTextLines(text, TargetMapping::Document(), false, kScreen);
  ASSERT_EQ(lines.size(), 150001u);
  EXPECT_EQ(lines.front().text, QStringLiteral("last"));
  EXPECT_EQ(lines.back().text, QStringLiteral("ab"));
  // Only the lines near the target cost more than their placement.
  Bitmap target(120, 60);
  RenderItem(target, text, list, {-90, -170}, 1, 1);
  int inked = 0;
  for (int y = 0; y < target.height(); ++y) {
    for (int x = 0; x < target.width(); ++x)
      inked += target.Pixel(x, y) != 0xFFFFFFu;
  }
  EXPECT_GT(inked, 20) << "the last line shows";
}

TEST(Text, DrawsAboveTheBaselineAndNothingForAnEmptyText) {
  ItemList list;
  ItemRecord& text = AddText(list, u"H", 1, {10, 40}, {60, 40});
  text.setTextColor(0x000000);
  Bitmap target(80, 60);
  DrawTextItem(target, text, TargetMapping::Document(), kScreen);
  int dark = 0, below = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 80; ++x) {
      if (GreenOf(target.Pixel(x, y)) < 128) (y < 40 ? dark : below) += 1;
    }
  }
  EXPECT_GT(dark, 20);
  EXPECT_EQ(below, 0) << "an H has no descender";

  SetText(text, u"");
  Bitmap blank(80, 60);
  DrawTextItem(blank, text, TargetMapping::Document(), kScreen);
  for (int y = 0; y < 60; ++y)
    ASSERT_EQ(std::memcmp(blank.Row(y), Bitmap(80, 1).Row(0), 240), 0);
}

// Counts pixels of a bitmap by what they are: untouched white, pure text colour, or other.
struct Census {
  int white = 0, exact = 0, other = 0;
};
Census Count(const Bitmap& b, uint32_t colour) {
  Census c;
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      const uint32_t p = b.Pixel(x, y);
      (p == 0xFFFFFF ? c.white : p == colour ? c.exact : c.other) += 1;
    }
  }
  return c;
}

TEST(Text, ShadowsAndSurfacesGoThroughTheItemRenderer) {
  ItemList list;
  test::AddLightPage(list);
  ItemRecord& text = AddText(list, u"HHH", 1, {10, 60}, {110, 60});
  text.setFontSize(36);
  text.setTextColor(0x0000C0);
  const Bitmap flat = [&] {
    Bitmap b(140, 90);
    RenderItem(b, text, list, {0, 0}, 1, 1);
    return b;
  }();
  // The shadow (6 pixels down and right at 96 dpi) darkens pixels right of and below the
  // glyphs that the flat text leaves white.
  test::Apply(text, {-1, 0, 0.0, 0, 50, 0, 0});
  Bitmap shadowed(140, 90);
  RenderItem(shadowed, text, list, {0, 0}, 1, 1);
  int darkened = 0;
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 140; ++x)
      darkened += flat.Pixel(x, y) == 0xFFFFFF && shadowed.Pixel(x, y) == 0;
  EXPECT_GT(darkened, 50);
  RenderMode noShadows;
  noShadows.shadows = false;
  Bitmap switchedOff(140, 90);
  RenderItem(switchedOff, text, list, {0, 0}, 1, 1, noShadows);
  EXPECT_EQ(Count(switchedOff, 0).exact, 0) << "no black shadow pixels with shadows off";

  // "Round" replaces the flat colour by strip rows: several shades, few of the colour itself.
  test::Apply(text, {-1, 0, 0.0, 127, 0, 0, 0});
  Bitmap round(140, 90);
  RenderItem(round, text, list, {0, 0}, 1, 1);
  std::set<uint32_t> shades;
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 140; ++x)
      if (round.Pixel(x, y) != 0xFFFFFF) shades.insert(round.Pixel(x, y));
  EXPECT_GT(shades.size(), 5u);
  EXPECT_GT(Count(round, 0x0000C0).white, Count(flat, 0x0000C0).white - 200)
      << "the shaded glyphs cover about what the flat ones do";

  // An empty text draws nothing and casts no shadow.
  test::Apply(text, {-1, 0, 0.0, 127, 70, 0, 0});
  SetText(text, u"");
  Bitmap empty(140, 90);
  RenderItem(empty, text, list, {0, 0}, 1, 1);
  EXPECT_EQ(Count(empty, 0).white, 140 * 90);
}

TEST(Text, ATurnedTextDrawsUpwardsFromItsStart) {
  ItemList list;
  test::AddLightPage(list);
  ItemRecord& text = AddText(list, u"HHHH", 1, {40, 110}, {40, 10});
  text.setFontSize(20);
  text.setTextAngle(900);
  text.setTextColor(0);
  Bitmap b(80, 120);
  RenderItem(b, text, list, {0, 0}, 1, 1);
  // Glyphs run up from (40, 110) and lie left of the baseline (their tops point left).
  int left = 0, right = 0, below = 0;
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 80; ++x) {
      if (GreenOf(b.Pixel(x, y)) >= 128) continue;
      (y > 111 ? below : x < 41 ? left : right) += 1;
    }
  }
  EXPECT_GT(left, 100);
  EXPECT_EQ(right, 0);
  EXPECT_EQ(below, 0);
}

}  // namespace
}  // namespace quillon
