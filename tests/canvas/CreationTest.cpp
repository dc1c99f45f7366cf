// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "canvas/CanvasDriver.h"
#include "canvas/CreationBuilders.h"
#include "document/ToolNumbers.h"

namespace quillon {
namespace {

using test::Pt;

class CreationTest : public test::CanvasDriverTest {};

using test::Box;
using test::BoxOf;

TEST_F(CreationTest, HoldingTheButtonTakesThePressAsTheFirstClick) {
  OpenBuilt();
  window_->SelectTool(103);
  HoldAndDrag({300, 200}, {340, 200});
  window_->SelectTool(kToolLine);
  HoldAndDrag({100, 100}, {100, 100});
  const std::vector<ItemRecord*> items = Visible();
  ASSERT_EQ(items.size(), 2u);
  // The same circle as a click at the centre and one on the rim.
  EXPECT_EQ(PointsOf(*items[0]), (std::vector<Point>{{300, 200}, {340, 200}, {340, 160}, {300, 160}}));
  EXPECT_EQ(BoxOf(*items[0]), (Box{260, 160, 340, 240}));
  // A line of length zero.
  EXPECT_EQ(BoxOf(*items[1]), (Box{100, 100, 100, 100}));
  EXPECT_EQ(Steps(), 2);
}

TEST_F(CreationTest, ClicksThatCannotFormTheItemWaitAndEscStartsAfresh) {
  OpenBuilt();
  window_->SelectTool(104);
  // The second click on the centre is ignored: the next one is the axis end.
  Click({300, 200});
  Click({300, 200});
  Click({360, 200});
  Click({330, 170});
  ASSERT_EQ(Visible().size(), 1u);
  EXPECT_EQ(PointsOf(*Visible()[0]), (std::vector<Point>{{300, 200}, {360, 200}, {330, 170}}));

  // Esc after two corners of a triangle: nothing is made, moves draw nothing until a press,
  // and three fresh clicks make one triangle.
  window_->SelectTool(100);
  const QImage clean = canvas_->bitmap().Image().copy();
  Click({100, 100});
  Click({200, 100});
  window_->KeyDown(Qt::Key_Escape, {});
  Move({150, 40});
  EXPECT_TRUE(canvas_->bitmap().Image() == clean);
  Click({100, 300});
  Click({200, 300});
  Click({150, 250});
  ASSERT_EQ(Visible().size(), 2u);
  EXPECT_EQ(PointsOf(*Visible()[1]), (std::vector<Point>{{100, 300}, {200, 300}, {150, 250}}));

  // A Shift-click as the first click of the spline tool enters nothing; one later finishes.
  window_->SelectTool(kToolSpline);
  Click({400, 100}, Qt::ShiftModifier);
  EXPECT_EQ(window_->Mode(), kToolSpline);
  Click({400, 100});
  Click({450, 150});
  Click({500, 100}, Qt::ShiftModifier);
  ASSERT_EQ(Visible().size(), 3u);
  EXPECT_EQ(PointsOf(*Visible()[2]), (std::vector<Point>{{400, 100}, {450, 150}, {500, 100}}));

  // A shape number that names no tool takes clicks and makes nothing.
  window_->SelectTool(106);
  for (Point p : {Pt(500, 300), Pt(550, 350), Pt(520, 380)})
    Click(p);
  window_->KeyDown(Qt::Key_Escape, {});
  EXPECT_EQ(Visible().size(), 3u);
}

TEST_F(CreationTest, LinesKeepThePresetDirectionAndPatternsComeAlong) {
  host_.params.lineDirection = 45;
  OpenBuilt();
  window_->SelectTool(kToolLine);
  Click({100, 100});
  Click({200, 50});
  host_.params.lineDirection = -1;
  // A custom pattern from slot 3 gives the line a pattern record of its own.
  host_.params.linePattern = 6;
  host_.params.linePatternTab = 3;
  host_.params.customPatterns[2].inUse = 1;
  host_.params.customPatterns[2].count = 2;
  host_.params.customPatterns[2].mm[0] = 2;
  host_.params.customPatterns[2].mm[1] = 1;
  Click({100, 300});
  Click({300, 300});
  const std::vector<ItemRecord*> lines = Visible();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(BoxOf(*lines[0]), (Box{100, 100, 150, 50}));
  EXPECT_EQ(lines[0]->direction(), 45);
  ASSERT_LT(lines[1]->linePattern(), 0);
  const ItemRecord* pattern = nullptr;
  for (const ItemRecord& r : Items()) {
    if (r.recordClass() == kClassLinePattern && r.kind() == lines[1]->linePattern()) pattern = &r;
  }
  ASSERT_NE(pattern, nullptr);
  EXPECT_EQ(pattern->patternCount(), 2);
  EXPECT_EQ(pattern->patternSegment(0), 2);
}

TEST_F(CreationTest, SplineKeysShortenCloseAndFinish) {
  OpenBuilt();
  window_->SelectTool(kToolSpline);
  // Backspace drops the last fixed point; with fewer than two left the gesture starts again.
  Click({100, 100});
  Click({150, 50});
  Click({200, 100});
  Key(Qt::Key_Backspace);
  Move({220, 140});
  Key(Qt::Key_Return, {}, QStringLiteral("\r"));
  ASSERT_EQ(Visible().size(), 1u);
  EXPECT_EQ(PointsOf(*Visible()[0]), (std::vector<Point>{{100, 100}, {150, 50}}));
  Click({300, 300});
  Key(Qt::Key_Backspace);
  Key(Qt::Key_Return, {}, QStringLiteral("\r"));
  EXPECT_EQ(Visible().size(), 1u);

  // C closes an open spline only with more than two fixed points.
  Click({300, 100});
  Click({350, 50});
  Key(Qt::Key_C, {}, QStringLiteral("c"));
  EXPECT_EQ(Visible().size(), 1u);
  Click({400, 100});
  Key(Qt::Key_C, {}, QStringLiteral("c"));
  ASSERT_EQ(Visible().size(), 2u);
  EXPECT_EQ(PointsOf(*Visible()[1]), (std::vector<Point>{{300, 100}, {350, 50}, {400, 100}}));
  EXPECT_EQ(Visible()[1]->shapeStyle(), 1);

  // The closed style chosen last is the spline tool's style.
  host_.params.polystate = 1;
  window_->SelectTool(kToolSpline);
  Click({100, 300});
  Click({150, 250});
  Key(Qt::Key_Return, {}, QStringLiteral("\r"));
  ASSERT_EQ(Visible().size(), 3u);
  EXPECT_EQ(Visible()[2]->shapeStyle(), 1);
  EXPECT_EQ(Steps(), 3);
}

TEST_F(CreationTest, PreviewsLeaveTheCanvasAsItWas) {
  test::AddRectangle(list_, {120, 80}, {260, 220});
  OpenBuilt();
  const QImage before = canvas_->bitmap().Image().copy();
  for (int32_t tool : {kToolLine, 100, 101, 102, 103, 104, kToolLastShape, 105, 107, 108,
                       kToolSpline, kToolSolid, kToolCurve, kToolOblong, kToolText}) {
    SCOPED_TRACE(tool);
    window_->SelectTool(tool);
    Click({150, 150});
    Move({230, 120});
    // Two-click tools take only the first: the second would finish the item.
    if (tool != kToolLine && tool != kToolText && ClicksOfTool(tool) != 2) Click({230, 120});
    Move({200, 60});
    Move({240, 190});
    window_->KeyDown(Qt::Key_Escape, {});
    EXPECT_TRUE(canvas_->bitmap().Image() == before);
  }
  EXPECT_EQ(Visible().size(), 1u);
}

}  // namespace
}  // namespace quillon
