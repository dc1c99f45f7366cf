// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ItemRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

TEST(ItemRecord, NewRecordHoldsTheDefaultsAndNothingElse) {
  ItemList list;
  ItemRecord& r = NewRecord(list, kKindLine);
  // Build the expected bytes from a zeroed record, field by field.
  ItemRecord expected;
  expected.setKind(kKindLine);
  expected.setMagic(147483647);
  expected.setDocumentId(-1);
  expected.setAuxColor(0x00FFFFFF);
  expected.setPenWidth(1);
  expected.setFontSize(12);
  expected.setFontWeight(400);
  expected.setJustification(1);
  expected.setFontName("Arial");
  expected.setFillColor(-2);
  expected.setDirection(-1.0);
  expected.setHistoryState(1);
  expected.setItemId(1);
  expected.setCurveFactor(0.27614237);
  expected.setScaleX(1.0);
  expected.setScaleY(1.0);
  expected.setMirrorSign(1);
  expected.setFlipSign(1);
  expected.setSourceScale(1.0);
  ItemRecord::Bytes bytes = expected.persisted();
  const uint8_t white[4] = {0xFF, 0xFF, 0xFF, 0x00};
  std::copy(white, white + 4, bytes.begin() + 189);
  EXPECT_EQ(r.persisted(), bytes);
  // The magic number's bytes as they appear in a file.
  EXPECT_EQ(r.persisted()[60], 0xFF);
  EXPECT_EQ(r.persisted()[63], 0x08);
  EXPECT_EQ(r.fontName(), "Arial");
}

TEST(ItemRecord, ItemIdsCountOnlyContentRecords) {
  ItemList list;
  EXPECT_EQ(NextItemId(list), 1);
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  EXPECT_EQ(page.itemId(), 1);
  page.setRecordClass(kClassPageSetup);
  ItemRecord& pattern = NewRecord(list, -1);
  pattern.setRecordClass(kClassLinePattern);
  pattern.setItemId(50);
  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(kClassPictureSource);
  source.setItemId(70);
  EXPECT_EQ(NewRecord(list, kKindLine).itemId(), 1);
  EXPECT_EQ(NewRecord(list, kKindLine).itemId(), 2);
}

TEST(ItemRecord, CopyGetsAFreshIdAndNoHistoryButKeepsContent) {
  ItemList list;
  ItemRecord& source = test::AddRectangle(list, {10, 20}, {30, 50});
  source.setTransaction(7);
  source.setReplacesId(3);
  source.setHistoryState(2);
  source.setStackChange(1);
  source.setAuxColor(0x123456);
  source.setRotationAtDragStart(1.5);
  source.setLineColor(0xFF);
  source.setGroupNumber(4);
  SetText(source, u"x");
  ItemRecord::Bytes bytes = source.persisted();
  bytes[8] = 0xAB;    // reserved: copied
  bytes[440] = 0xCD;  // trailing reserved: not copied
  source.setPersisted(bytes);
  struct Kept : RenderCache {
    std::vector<uint8_t> pictureData;
  };
  source.renderCache = std::make_unique<Kept>();
  static_cast<Kept&>(*source.renderCache).pictureData = {1, 2, 3};

  ItemRecord& copy = CopyRecord(list, source);
  EXPECT_NE(copy.itemId(), source.itemId());
  EXPECT_EQ(copy.itemId(), source.itemId() + 1);
  EXPECT_EQ(copy.transaction(), 0);
  EXPECT_EQ(copy.replacesId(), 0);
  EXPECT_EQ(copy.historyState(), 1);
  EXPECT_EQ(copy.stackChange(), 0);
  EXPECT_EQ(copy.auxColor(), 0x00FFFFFF);
  EXPECT_EQ(copy.rotationAtDragStart(), 0.0);
  EXPECT_EQ(copy.lineColor(), 0xFF);
  EXPECT_EQ(copy.groupNumber(), 4);
  EXPECT_EQ(copy.stackLevel(), source.stackLevel());
  EXPECT_EQ(copy.persisted()[8], 0xAB);
  EXPECT_EQ(copy.persisted()[440], 0);
  EXPECT_EQ(copy.text(), u"x");
  ASSERT_EQ(PointCount(copy.points), 4);
  EXPECT_EQ(PointAt(copy.points, 3), (Point{30, 50}));
  EXPECT_DOUBLE_EQ(copy.realX2(), 30 * list.screen().PxPerMmX());
  // The render cache moves to the copy.
  EXPECT_EQ(source.renderCache, nullptr);
  ASSERT_NE(copy.renderCache, nullptr);
  EXPECT_EQ(static_cast<Kept&>(*copy.renderCache).pictureData, (std::vector<uint8_t>{1, 2, 3}));
}

TEST(ItemRecord, TextLines) {
  struct Case {
    std::u16string text;
    int lines;
    int askedLine;
    std::u16string expected;
  };
  const Case cases[] = {
      {u"AB\u07ECC", 2, 2, u"C"}, {u"AB\u07ECC", 2, 1, u"AB"},  {u"", 0, 1, u""},
      {u"AB\u07EC", 2, 2, u""},   {u"\u07EC\u07EC", 3, 3, u""}, {u"single", 1, 2, u""},
  };
  ItemRecord r;
  for (const Case& c : cases) {
    SetText(r, c.text);
    EXPECT_EQ(LineCount(r), c.lines);
    EXPECT_EQ(LineText(r, c.askedLine), c.expected);
  }
  SetText(r, u"AB");
  EXPECT_EQ(CodeUnitAt(r, 1), u'B');
  EXPECT_EQ(CodeUnitAt(r, 2), 0);
}

TEST(ItemRecord, TextIsLimitedSoThatItCanBeReadBack) {
  ItemRecord r;
  std::u16string longText(kMaxTextUnits + 10, u'a');
  SetText(r, longText);
  EXPECT_EQ(TextLength(r), 511999);
  // A surrogate pair that would be cut in half is dropped whole.
  longText[kMaxTextUnits - 1] = 0xD83D;
  longText[kMaxTextUnits] = 0xDE00;
  SetText(r, longText);
  EXPECT_EQ(TextLength(r), 511998);
}

TEST(ItemRecord, RoundPictureBoxIsTheCircleThroughTheRim) {
  ItemList list;
  ItemRecord& r = NewRecord(list, kKindPicture);
  r.setClipShape(2);
  r.setRealX1(100 * list.screen().PxPerMmX());
  r.setRealY1(100 * list.screen().PxPerMmY());
  r.setRealX2(103 * list.screen().PxPerMmX());
  r.setRealY2(104 * list.screen().PxPerMmY());
  RecomputeFromReal(r, list.screen());
  EXPECT_EQ(r.boundLeft(), 95);
  EXPECT_EQ(r.boundRight(), 105);
  EXPECT_EQ(r.boundTop(), 95);
  EXPECT_EQ(r.boundBottom(), 105);
  EXPECT_EQ(r.boundWidth(), 10);
  EXPECT_EQ(r.boundHeight(), 10);
  EXPECT_EQ(r.diagonal(), 14);
}

TEST(ItemRecord, DerivedGeometryFollowsTheDefiningPoints) {
  ItemList list;
  ItemRecord& r = test::AddItem(list, kKindLine, {30, 40}, {0, 0});
  EXPECT_EQ(r.boundLeft(), 0);
  EXPECT_EQ(r.boundRight(), 30);
  EXPECT_EQ(r.boundWidth(), 30);
  EXPECT_EQ(r.boundHeight(), 40);
  EXPECT_EQ(r.diagonal(), 50);
  EXPECT_NEAR(r.angle(), std::atan2(40.0, -30.0), 1e-12);
  // Hostile real coordinates saturate instead of overflowing.
  r.setRealX1(std::numeric_limits<double>::quiet_NaN());
  r.setRealX2(1e300);
  r.setRealY2(-1e300);
  RecomputeFromReal(r, list.screen());
  EXPECT_EQ(r.x1(), 0);
  EXPECT_EQ(r.x2(), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(r.boundWidth(), std::numeric_limits<int32_t>::max());
}

TEST(Geometry, RoundingIsHalfToEvenAndSaturates) {
  const std::pair<double, int32_t> cases[] = {
      {0.5, 0},          {1.5, 2},    {2.5, 2},           {-0.5, 0},
      {-1.5, -2},        {2.4999, 2}, {1e12, 2147483647}, {-1e12, -2147483647 - 1},
      {std::nan(""), 0},
  };
  for (auto [value, expected] : cases)
    EXPECT_EQ(RoundToInt32(value), expected) << value;
}

TEST(Geometry, AngleOfOnTheAxes) {
  constexpr double pi = std::numbers::pi;
  const std::pair<Point, double> cases[] = {
      {{0, 0}, 0},          {{5, 0}, 0},       {{-5, 0}, pi},        {{0, -5}, pi / 2},
      {{0, 5}, 3 * pi / 2}, {{1, -1}, pi / 4}, {{1, 1}, 7 * pi / 4},
  };
  for (auto [b, expected] : cases)
    EXPECT_DOUBLE_EQ(AngleOf({0, 0}, b), expected);
}

TEST(PointEntry, StoredFormIs56BytesWithZeroTail) {
  std::vector<PointEntry> points;
  PointEntry& e = NewPoint(points);
  EXPECT_EQ(e.point, (Point{0, 0}));
  e.point = {1, -2};
  e.handleOutAtDragStart = {7, 8};
  e.pointFlagB = 9;
  uint8_t stored[PointEntry::kStoredSize];
  std::fill(std::begin(stored), std::end(stored), 0xEE);
  e.Store(stored);
  EXPECT_EQ(stored[0], 1);
  EXPECT_EQ(stored[4], 0xFE);  // -2, little-endian
  EXPECT_EQ(stored[40], 7);
  EXPECT_EQ(stored[49], 9);
  for (int i = 50; i < 56; ++i)
    EXPECT_EQ(stored[i], 0) << i;
  EXPECT_EQ(PointAt(points, 1), (Point{1, -2}));
  EXPECT_EQ(PointAt(points, 2), (Point{0, 0}));
}

}  // namespace
}  // namespace quillon
