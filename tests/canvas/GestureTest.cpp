// SPDX-License-Identifier: GPL-3.0-or-later
// The gestures on a stand-in canvas, without a window: handle drags, rubber bands, the drawing
// tools and text typed on the canvas, driven as the window drives them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "canvas/CreationBuilders.h"
#include "canvas/StandInCanvas.h"
#include "document/EditCommands.h"
#include "render/ShapeBounds.h"
#include "render/Text.h"

namespace quillon {
namespace {

using test::AddItem;
using test::Pt;

const std::u16string kSep(1, kLineSeparator);

using test::Box;
using test::BoxOf;

// A stand-in canvas with a pixel page of 600 x 400; the tests add their items to it.
class GestureTest : public ::testing::Test {
 protected:
  // The items added become the document's starting point, with nothing to undo.
  void OpenBuilt() { ClearHistory(Items(), canvas_.events_); }
  ItemRecord& Line(Point a, Point b, int32_t level = 0) {
    return test::AddThinLine(list_, a, b, level);
  }
  ItemRecord& Shape(int32_t kind, std::initializer_list<Point> points) {
    return test::AddShape(list_, kind, points);
  }
  std::vector<int32_t> SelectedLevels() { return test::SelectedLevels(Items()); }
  ItemRecord* Edited() {
    for (ItemRecord& r : Items()) {
      if (IsVisible(r) && r.kind() == kKindText && IsSelected(r)) return &r;
    }
    return nullptr;
  }
  Point Start(const ItemRecord& r) { return {r.x1(), r.y1()}; }
  void Enter() { Key(Qt::Key_Return, {}, QStringLiteral("\r")); }
  std::vector<Point> PointsOf(const ItemRecord& r) {
    std::vector<Point> out;
    for (const PointEntry& e : r.points)
      out.push_back(e.point);
    return out;
  }
  bool Same(const Bitmap& a) {
    const Bitmap& b = canvas_.Canvas();
    return std::memcmp(a.Row(0), b.Row(0), static_cast<std::size_t>(a.stride()) * a.height()) == 0;
  }

  ItemList& Items() { return canvas_.Items(); }
  std::vector<ItemRecord*> Visible() { return canvas_.Visible(); }
  int Steps() { return canvas_.Steps(); }
  void Press(Point p, Qt::KeyboardModifiers m = {}) { canvas_.Press(p, m); }
  void Move(Point p, Qt::KeyboardModifiers m = {}) { canvas_.Move(p, m); }
  void Release(Point p, Qt::KeyboardModifiers m = {}) { canvas_.Release(p, m); }
  void Click(Point p, Qt::KeyboardModifiers m = {}) { canvas_.Click(p, m); }
  void Drag(Point from, Point to, Qt::KeyboardModifiers m = {}) { canvas_.Drag(from, to, m); }
  bool Key(int key, Qt::KeyboardModifiers m = {}, const QString& text = {}) {
    return canvas_.Key(key, m, text);
  }
  void Type(const QString& text) { canvas_.Type(text); }

  test::StandInCanvas canvas_;
  test::StandInCanvas* window_ = &canvas_;
  ItemList& list_ = canvas_.Items();
};

TEST_F(GestureTest, DraggingAnyHandleOfAMixedSelectionMovesEverything) {
  ItemRecord& square = Shape(kKindSquare, {{100, 100}, {160, 100}, {160, 160}, {100, 160}});
  square.setStackLevel(1);
  ItemRecord& circle = Shape(kKindCircle, {{300, 200}, {340, 200}, {300, 160}, {260, 160}});
  circle.setStackLevel(2);
  OpenBuilt();
  Click({130, 100});
  Click({340, 200}, Qt::ShiftModifier);
  ASSERT_EQ(SelectedLevels(), (std::vector<int32_t>{1, 2}));
  Drag({100, 100}, {130, 120});
  std::vector<Point> firsts;
  for (const ItemRecord& r : Items()) {
    if (IsVisible(r) && IsPointListKind(r.kind())) firsts.push_back(r.points[0].point);
  }
  EXPECT_EQ(firsts, (std::vector<Point>{{130, 120}, {330, 220}}));
  EXPECT_EQ(window_->Mode(), kModePointer);
  EXPECT_EQ(Steps(), 1);
}

TEST_F(GestureTest, AHandleClickWithoutMovingIsAStepThatChangesNothing) {
  ItemRecord& line = Line({100, 100}, {200, 100}, 1);
  (void)line;
  OpenBuilt();
  Click({150, 100});
  Press({200, 100});
  EXPECT_EQ(window_->Mode(), kModeLineHandle);
  Release({200, 100});
  const ItemRecord* now = FirstSelected(Items());
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(Pt(now->x2(), now->y2()), Pt(200, 100));
  EXPECT_EQ(Steps(), 1);
}

TEST_F(GestureTest, EscDuringAHandleDragPutsItBackAndIgnoresTheRestOfTheGesture) {
  Shape(kKindTriangle, {{100, 100}, {200, 100}, {150, 180}}).setStackLevel(1);
  OpenBuilt();
  Click({150, 100});
  Press({200, 100});
  EXPECT_EQ(window_->Mode(), kModeShapeHandle);
  Move({260, 140});
  EXPECT_EQ(FirstSelected(Items())->points[1].point, Pt(260, 140));
  window_->KeyDown(Qt::Key_Escape, {});
  EXPECT_TRUE(window_->LastGesture().cancelled);
  EXPECT_EQ(window_->Mode(), kModePointer);
  Move({300, 300});
  Release({300, 300});
  const ItemRecord* now = FirstSelected(Items());
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(now->points[1].point, Pt(200, 100));
  // The step opened at the press stays, as after a click on a handle.
  EXPECT_EQ(Steps(), 1);
}

TEST_F(GestureTest, EachToolMakesItsItemFromItsClicks) {
  OpenBuilt();
  const std::vector<Point> kThree{{100, 100}, {150, 50}, {200, 100}};
  struct Case {
    const char* name;
    int32_t tool;
    std::vector<Point> clicks;
    bool enter;  // the spline family finishes with Enter
    int32_t kind;
    std::vector<Point> points;  // empty for lines
    Box box;
    int32_t style = -1;  // checked when not -1
  };
  const Case cases[] = {
      {"line", kToolLine, {{100, 100}, {200, 150}}, false, kKindLine, {}, {100, 100, 200, 150}},
      {"triangle", 100, {{100, 100}, {200, 100}, {150, 50}}, false, kKindTriangle,
       {{100, 100}, {200, 100}, {150, 50}}, {96, 46, 204, 104}, 2},
      {"square drawn upward", 101, {{100, 200}, {100, 100}}, false, kKindSquare,
       {{100, 200}, {100, 100}, {0, 100}, {0, 200}}, {-4, 96, 104, 204}, 2},
      {"rectangle rightward, third click off the perpendicular", 102,
       {{100, 100}, {200, 100}, {150, 160}}, false, kKindRectangle,
       {{100, 100}, {200, 100}, {200, 160}, {100, 160}}, {96, 96, 204, 164}, 2},
      {"rectangle leftward", 102, {{200, 100}, {100, 100}, {150, 40}}, false, kKindRectangle,
       {{200, 100}, {100, 100}, {100, 40}, {200, 40}}, {96, 36, 204, 104}, 2},
      {"circle", 103, {{300, 200}, {340, 200}}, false, kKindCircle,
       {{300, 200}, {340, 200}, {340, 160}, {300, 160}}, {260, 160, 340, 240}},
      {"ellipse", 104, {{300, 200}, {360, 200}, {330, 170}}, false, kKindEllipse,
       {{300, 200}, {360, 200}, {330, 170}}, {240, 140, 360, 260}},
      {"polygon", kToolLastShape, {{300, 200}, {300, 150}}, false, kKindPolygon,
       {{300, 200}, {300, 150}, {252, 185}, {271, 240}, {329, 240}, {348, 185}, {300, 150}},
       {250, 150, 350, 250}},
      {"star", 105, {{300, 200}, {300, 180}, {300, 150}}, false, kKindStar,
       {{300, 200}, {300, 150}, {288, 184}, {252, 185}, {281, 206}, {271, 240}, {300, 220},
        {329, 240}, {319, 206}, {348, 185}, {312, 184}, {300, 150}},
       {250, 150, 350, 250}},
      {"pie, end put on the circle", 107, {{300, 200}, {350, 200}, {300, 100}}, false, kKindPie,
       {{300, 200}, {350, 200}, {300, 150}}, {296, 146, 354, 204}},
      {"arc", 108, {{300, 200}, {350, 200}, {300, 100}}, false, kKindArc,
       {{300, 200}, {350, 200}, {300, 150}}, {250, 150, 350, 250}},
      {"open spline", kToolSpline, {{100, 100}, {150, 50}, {200, 100}}, true, kKindSpline, kThree,
       {96, 46, 204, 104}, 0},
      {"solid", kToolSolid, {{100, 100}, {150, 50}, {200, 100}}, true, kKindSpline, kThree,
       {96, 46, 204, 104}, 2},
      {"curve", kToolCurve, {{100, 100}, {150, 50}, {200, 100}}, true, kKindCurve, kThree,
       {96, 46, 204, 104}, 0},
      {"oblong", kToolOblong, {{100, 100}, {150, 50}, {200, 100}}, true, kKindCurve, kThree,
       {89, 46, 211, 130}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_->SelectTool(c.tool);
    const std::size_t before = Visible().size();
    for (Point p : c.clicks)
      Click(p);
    if (c.enter) Key(Qt::Key_Return, {}, QStringLiteral("\r"));
    const std::vector<ItemRecord*> items = Visible();
    ASSERT_EQ(items.size(), before + 1);
    const ItemRecord& made = *items.back();
    EXPECT_EQ(made.kind(), c.kind);
    EXPECT_EQ(PointsOf(made), c.points);
    EXPECT_EQ(BoxOf(made), c.box);
    if (c.style != -1) {
      EXPECT_EQ(made.shapeStyle(), c.style);
    }
    if (c.kind == kKindCurve) {
      EXPECT_EQ(made.curveFactor(), kNewCurveFactor);
    }
    EXPECT_EQ(made.selected(), 0);
    EXPECT_EQ(window_->Mode(), c.tool == kToolLine ? kModeLine : c.tool);
  }
}

TEST_F(GestureTest, TypingAfterAClickMakesAGrowingTextWhoseFirstLineStays) {
  OpenBuilt();
  // The text guidance page comes first while its switch is on, else the text panel.
  window_->Params().hints[3] = false;
  window_->SelectTool(kToolText);
  Click({100, 100});
  EXPECT_EQ(window_->panels.back(), 302);
  Type(QStringLiteral("ab"));
  ItemRecord* text = Edited();
  ASSERT_NE(text, nullptr);
  const int32_t height = LineHeight(*text, Items().screen());
  EXPECT_EQ(Start(*text), test::Pt(100, 100));
  EXPECT_GT(text->x2(), 100);
  EXPECT_EQ(text->textAngle(), 0);
  Enter();
  Type(QStringLiteral("c"));
  EXPECT_EQ(GetText(*text), u"ab" + kSep + u"c");
  EXPECT_EQ(window_->EditedText()->CaretPosition(), (Caret{2, 2}));
  // The baseline is the last line's: it moved down by a line, so the first line kept its place.
  EXPECT_EQ(Start(*text), test::Pt(100, 100 + height));
  // Control characters and keys with Ctrl are not text; Backspace at line 2, column 1 joins.
  EXPECT_FALSE(Key(Qt::Key_S, Qt::ControlModifier, QString(QChar(19))));
  EXPECT_FALSE(Key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("a")));
  EXPECT_FALSE(Key(0, {}, QString(QChar(27))));
  EXPECT_TRUE(Key(Qt::Key_Left));
  Key(Qt::Key_Backspace, {}, QStringLiteral("\b"));
  EXPECT_EQ(GetText(*text), u"abc");
  EXPECT_EQ(window_->EditedText()->CaretPosition(), (Caret{1, 3}));
  EXPECT_EQ(Start(*text), test::Pt(100, 100));
  // A click elsewhere ends the editing; the tool stays for the next text.
  Click({300, 300});
  EXPECT_FALSE(window_->TextEditing());
  EXPECT_EQ(window_->Mode(), kModeText);
  EXPECT_EQ(Steps(), 1);
}

// The band selects what lies inside it as it grows, is released in document pixels, and Esc
// takes it away with the canvas as it was and the rest of the press ignored.
TEST_F(GestureTest, ARubberBandLeavesItsAreaOrIsCancelledLeavingTheCanvasAsItWas) {
  Line({100, 100}, {200, 100}, 1);
  OpenBuilt();
  const Bitmap before = canvas_.Canvas().Clone();
  Press({90, 90}, Qt::ControlModifier);
  EXPECT_EQ(window_->Mode(), kModeRubberBand);
  Move({250, 150}, Qt::ControlModifier);
  EXPECT_EQ(SelectedLevels(), std::vector<int32_t>{1}) << "selected while the band grows";
  EXPECT_FALSE(Same(before));
  Release({250, 150}, Qt::ControlModifier);
  EXPECT_TRUE(Same(before));
  EXPECT_EQ(window_->LastGesture().rubberBand, (Rect{90, 90, 250, 150}));
  EXPECT_EQ(window_->Mode(), kModePointer);

  Press({300, 300}, Qt::ControlModifier);
  EXPECT_EQ(SelectedLevels(), std::vector<int32_t>{}) << "a band without Shift starts afresh";
  Move({80, 80}, Qt::ControlModifier);
  Key(Qt::Key_Escape);
  EXPECT_TRUE(Same(before));
  EXPECT_TRUE(window_->LastGesture().cancelled);
  Move({400, 350}, Qt::ControlModifier);
  Release({400, 350}, Qt::ControlModifier);
  EXPECT_TRUE(Same(before)) << "moves after Esc draw nothing";
  EXPECT_EQ(window_->LastGesture().rubberBand, (Rect{}));
  EXPECT_FALSE(CanUndo(Items()));
}

// Each gesture that drew over the canvas and is cancelled by another command leaves the canvas
// as it was and nothing set aside; the tool's gesture starts afresh.
TEST_F(GestureTest, CancellingAnyGestureInTheMiddleLeavesTheCanvasAndDocumentConsistent) {
  Shape(kKindTriangle, {{100, 100}, {200, 100}, {150, 180}}).setStackLevel(1);
  test::AddShape(list_, kKindSpline, {{300, 300}, {350, 300}}).setShapeStyle(0);
  OpenBuilt();
  const Bitmap before = canvas_.Canvas().Clone();
  struct Case {
    const char* name;
    int32_t tool;
    std::function<void()> begin;
  };
  const Case cases[] = {
      {"a handle drag", kModePointer,
       [&] {
         Click({150, 100});
         Press({200, 100});
         Move({260, 140});
       }},
      {"a rubber band", kModePointer,
       [&] {
         Press({20, 20}, Qt::ControlModifier);
         Move({250, 250}, Qt::ControlModifier);
       }},
      {"a triangle after two clicks", 100,
       [&] {
         Click({400, 50});
         Click({500, 50});
         Move({450, 10});
       }},
      {"a spline of three points", kToolSpline,
       [&] {
         Click({20, 300});
         Click({80, 350});
         Click({140, 300});
         Move({200, 380});
       }},
      {"a text box being framed", kToolText,
       [&] {
         Click({300, 50});
         Move({400, 80});
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int steps = Steps();
    window_->SelectTool(c.tool);
    c.begin();
    EXPECT_FALSE(Same(before)) << "the gesture drew over the canvas";
    window_->EndGesture();
    EXPECT_TRUE(Same(before));
    for (const ItemRecord& r : Items())
      EXPECT_EQ(r.setAside(), 0);
    while (Steps() > steps)
      Undo(Items(), canvas_.events_);
    SelectOnly(Items(), nullptr);
  }
}

}  // namespace
}  // namespace quillon
