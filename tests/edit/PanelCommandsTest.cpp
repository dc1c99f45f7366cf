// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/PanelCommands.h"

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <map>

#include "document/History.h"
#include "document/PageSetup.h"
#include "render/LineStyle.h"
#include "render/Outlines.h"
#include "render/RenderFixtures.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// What a user can see of every visible item, by stacking level (which edits keep).
std::map<int32_t, QString> Look(const ItemList& list) {
  std::map<int32_t, QString> look;
  for (const ItemRecord& r : list) {
    if (!IsVisible(r) || !IsDrawableKind(r.kind())) continue;
    QString points;
    for (const PointEntry& e : r.points)
      points += QStringLiteral("(%1,%2)").arg(e.point.x).arg(e.point.y);
    look[r.stackLevel()] =
        QStringLiteral(
            "kind %1 colour %2 fill %3 weight %4 pen %5 outline %6 pattern %7 "
            "surface %8 shadow %9/%10/%11 text %12 %13 %14 %15 %16 font %17 "
            "italic %18 just %19 picture %20/%21/%22 frame %23 ends %24,%25 %26,%27 "
            "sides %28 %29")
            .arg(r.kind())
            .arg(r.lineColor())
            .arg(r.fillColor())
            .arg(r.lineWeight())
            .arg(r.penWidth())
            .arg(r.lineOutlineWeight())
            .arg(r.linePattern())
            .arg(r.surface())
            .arg(r.shadowSize())
            .arg(r.shadowSoftness())
            .arg(r.shadowLightness())
            .arg(r.textColor())
            .arg(r.fontSize())
            .arg(r.fontWeight())
            .arg(r.fontCharset())
            .arg(r.presetTextAngle())
            .arg(QString::fromStdString(r.fontName()))
            .arg(r.fontItalic())
            .arg(r.justification())
            .arg(r.saturation())
            .arg(r.contrast())
            .arg(r.lightness())
            .arg(r.frame())
            .arg(r.x1())
            .arg(r.y1())
            .arg(r.x2())
            .arg(r.y2())
            .arg(r.sides())
            .arg(points);
  }
  return look;
}

class PanelCommandsTest : public ::testing::Test {
 public:
  void SetUp() override {
    test::AddPage(list);
    line1 = &Segment(kKindLine, {10, 10}, {110, 10}, 0x0000FF);
    line2 = &Segment(kKindLine, {10, 50}, {110, 90}, 0x00FF00);
    text = &Segment(kKindText, {200, 200}, {300, 200}, 0);
    picture = &Segment(kKindPicture, {400, 400}, {500, 480}, 0);
    square = &test::AddShape(list, kKindSquare, {});
    SquareFromSide({50, 300}, {150, 300}, square->points);
    Finish(*square);
    polygon = &test::AddShape(list, kKindPolygon, {}, 0, 6);
    PolygonVertices({600, 100}, {650, 100}, 6, polygon->points);
    Finish(*polygon);
    SetModified(list, false);
  }

  ItemRecord& Segment(int32_t kind, Point a, Point b, int32_t colour) {
    ItemRecord& r = NewItem(list, kind, observer);
    r.setX1(a.x), r.setY1(a.y), r.setX2(b.x), r.setY2(b.y);
    r.setLineColor(colour);
    RecomputeDerived(r, list.screen());
    return r;
  }

  void Finish(ItemRecord& shape) {
    shape.setTransaction(NextTransaction(list));
    shape.setHistoryState(1);
    GeometryContext context;
    RecomputeBounds(shape, context);
  }

  void Select(std::initializer_list<ItemRecord*> items) {
    SelectOnly(list, nullptr);
    for (ItemRecord* r : items)
      r->setSelected(255);
  }

  std::vector<ItemRecord*> Lines() { return {line1, line2}; }
  std::vector<ItemRecord*> Mixed() { return {line1, text, picture, square, polygon}; }

  ItemList list;
  EditObserver observer;
  GeometryContext context;
  ItemRecord* line1 = nullptr;
  ItemRecord* line2 = nullptr;
  ItemRecord* text = nullptr;
  ItemRecord* picture = nullptr;
  ItemRecord* square = nullptr;
  ItemRecord* polygon = nullptr;
};

struct ApplyCase {
  const char* name;
  std::function<std::vector<ItemRecord*>(PanelCommandsTest&)> selection;
  std::function<void(ItemList&, EditObserver&, const GeometryContext&)> apply;
  // The field each changed item must show afterwards, and whether it concerns the item.
  std::function<bool(const ItemRecord&)> changed;
  std::function<bool(const ItemRecord&)> concerns;
};

TEST_F(PanelCommandsTest, EachApplyIsOneUndoStepThatChangesOnlyItsKindsAndMarksModified) {
  const auto any = [](const ItemRecord&) { return true; };
  const auto kindIs = [](int32_t kind) {
    return [kind](const ItemRecord& r) { return r.kind() == kind; };
  };
  const ApplyCase cases[] = {
      {"line colour of two lines", [](auto& t) { return t.Lines(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyLineColor(l, o, 0xFF0000); },
       [](const ItemRecord& r) { return r.lineColor() == 0xFF0000; }, any},
      {"fill colour", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyFillColor(l, o, 0x00FFFF); },
       [](const ItemRecord& r) { return r.fillColor() == 0x00FFFF; }, any},
      {"weight and pen width", [](auto& t) { return t.Lines(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyWeight(l, o, 2.0); },
       [](const ItemRecord& r) { return r.lineWeight() == 2.0 && r.penWidth() == 8; }, any},
      {"outline weight", [](auto& t) { return t.Lines(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyOutlineWeight(l, o, 0.5); },
       [](const ItemRecord& r) { return r.lineOutlineWeight() == 0.5; }, any},
      {"built-in pattern", [](auto& t) { return t.Lines(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyPattern(l, o, 2); },
       [](const ItemRecord& r) { return r.linePattern() == 2; }, any},
      {"surface", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplySurface(l, o, 127); },
       [](const ItemRecord& r) { return r.surface() == 127; }, any},
      {"shadow skipping texts", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyShadow(l, o, 30, 10, 100, false, true); },
       [](const ItemRecord& r) {
         return r.shadowSize() == 30 && r.shadowSoftness() == 10 && r.shadowLightness() == 100;
       },
       [](const ItemRecord& r) { return r.kind() != kKindText; }},
      {"picture shadow", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyShadow(l, o, 50, 20, 110, true); },
       [](const ItemRecord& r) { return r.shadowSize() == 50; }, kindIs(kKindPicture)},
      {"direction turns lines about their midpoint", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto& c) { ApplyDirection(l, o, 90, c); },
       [](const ItemRecord& r) {
         return r.direction() == 90 && r.x1() == 60 && r.x2() == 60 && r.y1() == 60 &&
                r.y2() == -40;
       },
       kindIs(kKindLine)},
      {"text colour", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto& c) { ApplyTextColor(l, o, 0x800000, c); },
       [](const ItemRecord& r) { return r.textColor() == 0x800000; }, kindIs(kKindText)},
      {"font name", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto& c) { ApplyFontName(l, o, "DejaVu Serif", c); },
       [](const ItemRecord& r) { return r.fontName() == "DejaVu Serif"; }, kindIs(kKindText)},
      {"font size", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto& c) { ApplyFontSize(l, o, 36, c); },
       [](const ItemRecord& r) { return r.fontSize() == 36; }, kindIs(kKindText)},
      {"italic", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto& c) { ApplyTextStyle(l, o, 1, 255, c); },
       [](const ItemRecord& r) { return r.fontItalic() == 255; }, kindIs(kKindText)},
      {"justification", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto& c) { ApplyTextStyle(l, o, 4, 2, c); },
       [](const ItemRecord& r) { return r.justification() == 2; }, kindIs(kKindText)},
      {"text angle", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto& c) { ApplyTextAngle(l, o, 90, c); },
       [](const ItemRecord& r) { return r.presetTextAngle() == 90 && r.textAngle() == 900; },
       kindIs(kKindText)},
      {"picture colours", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyColours(l, o, 64, -32, 100); },
       [](const ItemRecord& r) {
         return r.saturation() == 64 && r.contrast() == -32 && r.lightness() == 100;
       },
       kindIs(kKindPicture)},
      {"frame", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyFrame(l, o, 1.0); },
       [](const ItemRecord& r) { return r.frame() == 1 && r.lineWeight() == 1.0; },
       kindIs(kKindPicture)},
      {"frame colour", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto&) { ApplyFrameColor(l, o, 0x808080); },
       [](const ItemRecord& r) { return r.lineColor() == 0x808080; }, kindIs(kKindPicture)},
      {"sides", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto& c) { ApplySides(l, o, 8, c); },
       [](const ItemRecord& r) { return r.sides() == 8 && r.points.size() == 10u; },
       kindIs(kKindPolygon)},
      {"square to rectangle", [](auto& t) { return t.Mixed(); },
       [](ItemList& l, EditObserver& o, auto& c) { ApplyKindSwitch(l, o, kKindRectangle, c); },
       [](const ItemRecord& r) { return r.kind() == kKindRectangle && r.points.size() == 4u; },
       kindIs(kKindSquare)},
      {"mirror",
       [](auto& t) {
         return std::vector<ItemRecord*>{t.line1, t.square};
       },
       [](ItemList& l, EditObserver& o, auto& c) {
         ApplyQuarterTurnAndMirror(l, o, true, false, 0, c);
       },
       // Shapes and pictures turn; lines and texts stay.
       [](const ItemRecord& r) {
         return r.points.at(0).point == Point{150, 300};
       },
       kindIs(kKindSquare)},
  };
  for (const ApplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    list.Clear();  // a fresh document per case
    SetUp();
    std::vector<ItemRecord*> chosen = c.selection(*this);
    std::map<int32_t, bool> concerned;
    for (ItemRecord* r : chosen)
      concerned[r->stackLevel()] = c.concerns(*r);
    Select({});
    for (ItemRecord* r : chosen)
      r->setSelected(255);
    const auto before = Look(list);
    const int32_t step = NextTransaction(list);
    c.apply(list, observer, context);
    const auto after = Look(list);
    EXPECT_EQ(NextTransaction(list), step + 1);
    EXPECT_TRUE(IsModified(list));
    for (const ItemRecord& r : list) {
      if (!IsVisible(r) || !IsDrawableKind(r.kind())) continue;
      const auto it = concerned.find(r.stackLevel());
      if (it != concerned.end() && it->second) {
        EXPECT_TRUE(c.changed(r)) << after.at(r.stackLevel()).toStdString();
      } else {
        EXPECT_EQ(after.at(r.stackLevel()), before.at(r.stackLevel()));
      }
    }
    Undo(list, observer);
    EXPECT_EQ(Look(list), before);
    Redo(list, observer);
    EXPECT_EQ(Look(list), after);
  }
}

TEST_F(PanelCommandsTest, NoSelectedItemOfTheKindRecordsNoStep) {
  Select({line1, line2});
  const int32_t step = NextTransaction(list);
  ApplyColours(list, observer, 10, 10, 10);
  ApplyTextColor(list, observer, 0xFF, context);
  ApplySides(list, observer, 5, context);
  EXPECT_EQ(NextTransaction(list), step);
  EXPECT_FALSE(IsModified(list));
}

TEST_F(PanelCommandsTest, TwoLinesShareOneCustomPatternRecordThatDrawsDashed) {
  custPatternRec_t slot;
  slot.count = 2;
  slot.mm[0] = 4;
  slot.mm[1] = 2;
  slot.inUse = 1;
  Select({line1, line2});
  ApplyCustomPattern(list, observer, slot);
  int patterns = 0;
  for (const ItemRecord& r : list)
    patterns += r.recordClass() == kClassLinePattern ? 1 : 0;
  EXPECT_EQ(patterns, 1);
  const ItemRecord* first = FirstSelected(list);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->linePattern(), -1);
  for (const ItemRecord& r : list) {
    if (IsSelected(r)) {
      EXPECT_EQ(r.linePattern(), -1);
    }
  }
  const DashPattern dashes = BuildPattern(list, *first, 1.0);
  EXPECT_EQ(dashes.count, 2);
  EXPECT_EQ(dashes.pixels[0], 15);  // 4 mm at 96 dpi
  EXPECT_EQ(dashes.pixels[1], 8);
}

TEST_F(PanelCommandsTest, SwitchingASquareToARectangleIsUndoneInOneStep) {
  Select({square});
  const auto before = Look(list);
  ApplyKindSwitch(list, observer, kKindRectangle, context);
  const ItemRecord* now = FirstSelected(list);
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(now->kind(), kKindRectangle);
  Undo(list, observer);
  EXPECT_EQ(Look(list), before);
}

}  // namespace
}  // namespace quillon
