// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Text.h"

#include <gtest/gtest.h>

#include <QFontInfo>

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
    const auto lines = PlaceTextLines(text, {0, 0}, 1, 1, false, kScreen);
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
  EXPECT_EQ(PlaceTextLines(wide, {0, 0}, 1, 1, false, kScreen)[0].start, (Point{0, 0}));
}

TEST(Text, LinesGoUpwardsFromTheLastAndKeepEmptyOnes) {
  ItemList list;
  ItemRecord& text = AddText(list, u"one\u07EC\u07ECthree", 1);
  const int32_t h = LineHeight(text, kScreen);
  auto lines = PlaceTextLines(text, {0, 0}, 1, 1, false, kScreen);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, QStringLiteral("three"));
  EXPECT_EQ(lines[1].text, QString());
  EXPECT_EQ(lines[0].start.y, 200);
  EXPECT_EQ(lines[1].start.y, 200 - h);
  EXPECT_EQ(lines[2].start.y, 200 - 2 * h);
  // At 90 degrees the lines run upwards and each earlier line lies to the left.
  text.setTextAngle(900);
  lines = PlaceTextLines(text, {0, 0}, 1, 1, false, kScreen);
  EXPECT_EQ(lines[1].start.x, 100 - h);
  EXPECT_EQ(lines[1].start.y, 200);
}

TEST(Text, DrawsAboveTheBaselineAndNothingForAnEmptyText) {
  ItemList list;
  ItemRecord& text = AddText(list, u"H", 1, {10, 40}, {60, 40});
  text.setTextColor(0x000000);
  Bitmap target(80, 60);
  DrawTextItem(target, text, {0, 0}, 1, 1, false, kScreen);
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
  DrawTextItem(blank, text, {0, 0}, 1, 1, false, kScreen);
  for (int y = 0; y < 60; ++y)
    ASSERT_EQ(std::memcmp(blank.Row(y), Bitmap(80, 1).Row(0), 240), 0);
}

}  // namespace
}  // namespace quillon
