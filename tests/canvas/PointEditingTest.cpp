// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "canvas/CanvasDriver.h"
#include "canvas/PointEditing.h"
#include "document/History.h"
#include "document/ToolNumbers.h"

namespace quillon {
namespace {

using test::Pt;

std::vector<PointEntry> Entries(std::initializer_list<Point> points) {
  std::vector<PointEntry> out;
  for (Point p : points) {
    PointEntry& e = NewPoint(out);
    e.point = p;
  }
  return out;
}

TEST(PointEditing, TheNearestSegmentIsMeasuredToTheSegmentItself) {
  struct Case {
    const char* name;
    std::vector<PointEntry> points;
    bool closed;
    Point pointer;
    int index;
    Point foot;
  };
  const Case cases[] = {
      // The line through the first segment passes 2 pixels from the pointer, the segment 140.
      {"far segment on a near line", Entries({{0, 0}, {10, 0}, {10, 100}, {200, 100}}), false,
       {150, 2}, 2, {150, 100}},
      {"equal points count as a point", Entries({{0, 0}, {0, 0}, {50, 50}}), false, {-5, 0}, 0,
       {0, 0}},
      {"closing segment of a closed list", Entries({{0, 0}, {100, 0}, {100, 100}, {0, 100}}),
       true, {-3, 50}, 3, {0, 50}},
      {"no closing segment when open", Entries({{0, 0}, {100, 0}, {100, 100}, {0, 100}}), false,
       {-3, 50}, 0, {0, 0}},
      {"the first of equal ones", Entries({{0, 0}, {100, 0}, {0, 0}}), false, {50, 5}, 0,
       {50, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const NearestSegment found = FindNearestSegment(c.points, c.closed, c.pointer);
    EXPECT_EQ(found.index, c.index);
    EXPECT_EQ(found.foot, c.foot);
  }
}

class PointEditingTest : public test::CanvasDriverTest {
 protected:
  ItemRecord& Spline(int32_t kind, int32_t style, std::initializer_list<Point> points) {
    ItemRecord& r = test::AddShape(list_, kind, points);
    r.setShapeStyle(style);
    r.setCurveFactor(0.27614237);
    return r;
  }
  void Select(int n) { SelectOnly(Items(), Visible()[n]); }
  void Ctrl(char16_t c, Point at) {
    Move(at);
    Key(Qt::Key_A + (c - 1), Qt::ControlModifier, QString(QChar(c)));
  }
};

TEST_F(PointEditingTest, CtrlAContinuesOnlyOpenSplinesAndCurves) {
  Spline(kKindSpline, 1, {{50, 50}, {100, 50}, {100, 100}});
  Spline(kKindSpline, 2, {{150, 50}, {200, 50}, {200, 100}});
  Spline(kKindCurve, 2, {{250, 50}, {300, 50}, {300, 100}});
  Spline(kKindSpline, 0, {{50, 200}, {100, 200}});
  OpenBuilt();
  for (int n : {0, 1, 2}) {
    Select(n);
    Ctrl(1, {400, 300});
    EXPECT_EQ(window_->Mode(), kModePointer);
  }
  // Esc puts the continued spline back unchanged, without an undo step.
  Select(3);
  ItemRecord* spline = Visible()[3];
  Ctrl(1, {150, 250});
  EXPECT_EQ(window_->Mode(), kModeContinueSpline);
  EXPECT_NE(spline->setAside(), 0);
  EXPECT_EQ(Visible().size(), 3u);
  Key(Qt::Key_Escape);
  EXPECT_EQ(window_->Mode(), kModePointer);
  ASSERT_EQ(Visible().size(), 4u);
  EXPECT_EQ(Visible()[3]->setAside(), 0);
  EXPECT_EQ(PointsOf(*Visible()[3]), (std::vector<Point>{{50, 200}, {100, 200}}));
  EXPECT_FALSE(CanUndo(Items()));
  EXPECT_EQ(host_.tools.back(), kToolPointer);
}

TEST_F(PointEditingTest, AContinuationIsOneUndoStepAndUndoDuringItKeepsTheSpline) {
  Spline(kKindSpline, 0, {{50, 200}, {100, 200}});
  Spline(kKindCurve, 0, {{50, 300}, {100, 300}});
  OpenBuilt();
  Select(0);
  Ctrl(1, {150, 250});
  Click({150, 250});
  Click({200, 200});
  Key(Qt::Key_Return, {}, QStringLiteral("\r"));
  EXPECT_EQ(window_->Mode(), kModePointer);
  ASSERT_EQ(Visible().size(), 2u);
  EXPECT_EQ(PointsOf(*Visible()[1]),
            (std::vector<Point>{{50, 200}, {100, 200}, {150, 250}, {200, 200}}));
  EXPECT_TRUE(IsSelected(*Visible()[1]));
  EXPECT_EQ(Steps(), 1);
  window_->Run(Undo);
  EXPECT_EQ(PointsOf(*Visible()[0]), (std::vector<Point>{{50, 200}, {100, 200}}));

  // Undo in the middle of continuing the curve ends the continuation; the curve stays.
  SelectOnly(Items(), Visible()[1]);
  Ctrl(1, {150, 350});
  EXPECT_EQ(window_->Mode(), kModeContinueCurve);
  Click({150, 350});
  window_->Run(Undo);
  EXPECT_EQ(window_->Mode(), kModePointer);
  ASSERT_EQ(Visible().size(), 2u);
  EXPECT_EQ(Visible()[1]->setAside(), 0);
  EXPECT_EQ(PointsOf(*Visible()[1]), (std::vector<Point>{{50, 300}, {100, 300}}));

  // Backspace down to one point puts the curve back as it was; Shift-click finishes.
  SelectOnly(Items(), Visible()[1]);
  Ctrl(1, {150, 350});
  for (int i = 0; i < 3; ++i)
    Key(Qt::Key_Backspace, {}, QStringLiteral("\b"));
  EXPECT_EQ(window_->Mode(), kModePointer);
  EXPECT_EQ(PointsOf(*Visible()[1]), (std::vector<Point>{{50, 300}, {100, 300}}));
  SelectOnly(Items(), Visible()[1]);
  Ctrl(1, {150, 350});
  Click({150, 380}, Qt::ShiftModifier);
  EXPECT_EQ(PointsOf(*Visible()[1]), (std::vector<Point>{{50, 300}, {100, 300}, {150, 380}}));
  EXPECT_EQ(window_->Mode(), kModePointer);

  // Enter with one point left deletes the item as Cut does, in one undo step.
  const int steps = Steps();
  SelectOnly(Items(), Visible()[0]);
  Ctrl(1, {150, 250});
  Key(Qt::Key_Backspace, {}, QStringLiteral("\b"));
  Key(Qt::Key_Return, {}, QStringLiteral("\r"));
  EXPECT_EQ(window_->Mode(), kModePointer);
  ASSERT_EQ(Visible().size(), 1u);
  EXPECT_EQ(Visible()[0]->kind(), kKindCurve);
  EXPECT_EQ(Steps(), steps + 1);
  window_->Run(Undo);
  EXPECT_EQ(Visible().size(), 2u);
}

TEST_F(PointEditingTest, CtrlDDeletesThePointUnderThePointerAndCtrlIInsertsOne) {
  Spline(kKindCurve, 0, {{50, 100}, {100, 50}, {150, 100}});
  Spline(kKindSpline, 1, {{300, 100}, {400, 100}, {400, 200}, {300, 200}});
  OpenBuilt();
  Select(0);
  Ctrl(4, {100, 50});
  ASSERT_EQ(Visible().size(), 2u);
  EXPECT_EQ(PointsOf(*Visible()[1]), (std::vector<Point>{{50, 100}, {150, 100}}));
  // Away from any point, nothing happens; on a two-point curve the curve goes.
  Select(1);
  Ctrl(4, {100, 150});
  EXPECT_EQ(Visible().size(), 2u);
  Ctrl(4, {50, 100});
  ASSERT_EQ(Visible().size(), 1u);
  window_->Run(Undo);
  EXPECT_EQ(Visible().size(), 2u);

  // Near the closing segment of the closed spline: between the last and the first point.
  SelectOnly(Items(), Visible()[0]);
  ASSERT_EQ(Visible()[0]->kind(), kKindSpline);
  Ctrl(9, {297, 150});
  EXPECT_EQ(PointsOf(*Visible().back()),
            (std::vector<Point>{{300, 100}, {400, 100}, {400, 200}, {300, 200}, {300, 150}}));
}

}  // namespace
}  // namespace quillon
