// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "canvas/CanvasFixtures.h"
#include "canvas/DragEngine.h"
#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/Coordinates.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

using test::AddItem;
using test::AddPage;
using test::Pt;

// A list with a page and the items a test adds; drags open their step as the window does.
class DragEngineTest : public ::testing::Test {
 protected:
  DragEngineTest() { AddPage(list_); }

  ItemRecord& Shape(int32_t kind, std::initializer_list<Point> points) {
    return test::AddShape(list_, kind, points);
  }

  // Selects the item alone, opens the edit step and drags handle from start to end; returns
  // the edited copy.
  ItemRecord& Drag(ItemRecord& item, int32_t handle, Point start, Point end) {
    SelectOnly(list_, &item);
    BeginEdit(list_, observer_, false);
    session_ = StartDrag(list_, handle);
    ApplyDrag(session_, start, end, context_);
    return *session_.items.front().item;
  }

  static std::vector<Point> Points(const ItemRecord& r) {
    std::vector<Point> out;
    for (const PointEntry& e : r.points)
      out.push_back(e.point);
    return out;
  }

  ItemList list_{ScreenMetrics{96, 96}};
  GeometryContext context_;
  EditObserver observer_;
  DragSession session_;
};

// The cosine of the corner angle at b of the path a-b-c.
double CornerCosine(Point a, Point b, Point c) {
  const double ux = a.x - b.x, uy = a.y - b.y, vx = c.x - b.x, vy = c.y - b.y;
  return (ux * vx + uy * vy) / (std::hypot(ux, uy) * std::hypot(vx, vy));
}

TEST_F(DragEngineTest, SquareAndRectangleCornerDragsKeepTheOppositeCornerAndRightAngles) {
  struct Case {
    int32_t kind;
    int32_t handle;
    Point to;
  };
  const Case cases[] = {
      {kKindSquare, -1, {50, 40}},      {kKindSquare, -3, {260, 230}},
      {kKindSquare, -2, {300, 90}},     {kKindRectangle, -1, {40, 70}},
      {kKindRectangle, -3, {330, 260}}, {kKindRectangle, -4, {60, 260}},
      {kKindRectangle, -2, {150, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.kind << " handle " << c.handle);
    const bool square = c.kind == kKindSquare;
    const Point far = square ? Pt(200, 200) : Pt(300, 200);
    ItemRecord& start = Shape(c.kind, {{100, 100}, {far.x, 100}, far, {100, far.y}});
    const std::vector<Point> before = Points(start);
    const std::size_t m = static_cast<std::size_t>(-c.handle - 1);
    ItemRecord& dragged = Drag(start, c.handle, before[m], c.to);
    const std::vector<Point> after = Points(dragged);
    EXPECT_EQ(after[m], c.to);
    EXPECT_EQ(after[(m + 2) % 4], before[(m + 2) % 4]);
    for (std::size_t k = 0; k < 4; ++k) {
      EXPECT_NEAR(CornerCosine(after[(k + 3) % 4], after[k], after[(k + 1) % 4]), 0, 0.02)
          << "corner " << k;
    }
    if (square) {
      EXPECT_NEAR(DistanceOf(after[0], after[1]), DistanceOf(after[1], after[2]), 1.5);
    }
  }
}

TEST_F(DragEngineTest, SideHandlesMoveOneSideAndASquareStaysSquare) {
  struct Case {
    int32_t handle;
    Point delta;
    std::vector<Point> rectangle;  // entries 1 to 4 after the drag
  };
  // Rectangle (100,100) (300,100) (300,200) (100,200): entry 3 lies below entry 2.
  const Case cases[] = {
      {205, {7, 30}, {{100, 100}, {300, 100}, {300, 230}, {100, 230}}},
      {206, {25, 9}, {{100, 100}, {325, 100}, {325, 200}, {100, 200}}},
      {207, {3, -20}, {{100, 80}, {300, 80}, {300, 200}, {100, 200}}},
      {208, {-15, 2}, {{85, 100}, {300, 100}, {300, 200}, {85, 200}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.handle);
    ItemRecord& r = Shape(kKindRectangle, {{100, 100}, {300, 100}, {300, 200}, {100, 200}});
    const Point from{200, 150};
    ItemRecord& dragged = Drag(r, c.handle, from, {from.x + c.delta.x, from.y + c.delta.y});
    EXPECT_EQ(Points(dragged), c.rectangle);
  }
  // A square pulled down by 30 at its bottom side widens by 15 on each side (sigma = -1).
  ItemRecord& square = Shape(kKindSquare, {{100, 100}, {200, 100}, {200, 200}, {100, 200}});
  ItemRecord& pulled = Drag(square, 205, {150, 200}, {150, 230});
  EXPECT_EQ(Points(pulled), (std::vector<Point>{{85, 100}, {215, 100}, {215, 230}, {85, 230}}));
}

TEST_F(DragEngineTest, PictureCornersScaleInProportionAndSidesStretchOneAxis) {
  const auto picture = [&]() -> ItemRecord& {
    ItemRecord& p = AddItem(list_, kKindPicture, {100, 100}, {300, 200});
    p.setScaleX(1);
    p.setScaleY(1);
    return p;
  };
  ItemRecord& corner = Drag(picture(), 103, {300, 200}, {500, 260});
  EXPECT_EQ(Pt(corner.x1(), corner.y1()), Pt(100, 100));
  EXPECT_EQ(Pt(corner.x2(), corner.y2()), Pt(500, 300));
  FinishDrag(session_, context_);
  EXPECT_DOUBLE_EQ(corner.scaleX(), 2.0);
  EXPECT_DOUBLE_EQ(corner.scaleY(), 2.0);

  ItemRecord& side = Drag(picture(), 108, {100, 150}, {160, 170});
  EXPECT_EQ(Pt(side.x1(), side.y1()), Pt(160, 100));
  EXPECT_EQ(Pt(side.x2(), side.y2()), Pt(300, 200));
  FinishDrag(session_, context_);
  EXPECT_DOUBLE_EQ(side.scaleX(), 0.7);
  EXPECT_DOUBLE_EQ(side.scaleY(), 1.0);

  // Turned a quarter, the picture's own right side lies at the top: dragging it keeps the
  // opposite side where it was.
  ItemRecord& turned = picture();
  turned.setRotation(std::numbers::pi / 2);
  ItemRecord& stretched = Drag(turned, 106, {200, 50}, {200, 10});
  EXPECT_EQ(stretched.x2() - stretched.x1(), 240);
  EXPECT_EQ(stretched.y2() - stretched.y1(), 100);
  const double c = std::cos(stretched.rotation()), s = std::sin(stretched.rotation());
  // The turned left edge's midpoint (the fixed side) stays at (200, 250).
  const double mx = (stretched.x1() + stretched.x2()) / 2.0;
  const double my = (stretched.y1() + stretched.y2()) / 2.0;
  const double hw = (stretched.x2() - stretched.x1()) / 2.0;
  EXPECT_NEAR(mx - hw * c, 200, 1);
  EXPECT_NEAR(my + hw * s, 250, 1);
}

TEST_F(DragEngineTest, StepsAreComputedFromTheDragStartSoAFullTurnEndsWhereItBegan) {
  ItemRecord& curve = Shape(kKindCurve, {{100, 100}, {180, 140}, {150, 220}, {90, 170}});
  const std::vector<Point> before = Points(curve);
  SelectOnly(list_, &curve);
  BeginEdit(list_, observer_, false);
  session_ = StartDrag(list_, kHandleTurn);
  const Point pivot = session_.items.front().pivot;
  const Point start = PolarPoint(pivot, 50, 0);
  for (int step = 1; step <= 72; ++step) {
    ApplyDrag(session_, start, PolarPoint(pivot, 50, step * std::numbers::pi / 36), context_);
  }
  EXPECT_EQ(Points(*session_.items.front().item), before);
}

TEST_F(DragEngineTest, RebuiltShapesKeepTheirDragStartThroughManySteps) {
  // Circles, ellipses, pies and arcs are made again from their defining points at every step.
  struct Case {
    int32_t kind;
    int32_t handle;
  };
  for (const Case c : {Case{kKindCircle, kHandleStart}, Case{kKindEllipse, kHandleStart},
                       Case{kKindEllipse, kHandleEnd}, Case{kKindArc, kHandleEnd},
                       Case{kKindArc, kHandleMiddle}, Case{kKindPie, kHandleStart}}) {
    SCOPED_TRACE(c.kind);
    ItemRecord& shape = Shape(c.kind, {{200, 200}, {260, 200}, {200, 150}});
    if (c.kind == kKindCircle) CircleFromClicks({200, 200}, {260, 200}, shape.points);
    if (c.kind == kKindEllipse) EllipseFromClicks({200, 200}, {260, 200}, {200, 170}, shape.points);
    if (c.kind == kKindArc || c.kind == kKindPie) {
      ArcFromClicks({200, 200}, {260, 200}, {200, 150}, shape.points);
    }
    const std::vector<Point> before = Points(shape);
    ItemRecord& dragged = Drag(shape, c.handle, {260, 200}, {280, 230});
    ApplyDrag(session_, {260, 200}, {300, 240}, context_);
    ApplyDrag(session_, {260, 200}, {310, 260}, context_);
    RestoreDragStart(session_, context_);
    EXPECT_EQ(Points(dragged), before);
  }
}

TEST_F(DragEngineTest, RestoringPutsEveryKindBackExactly) {
  ItemRecord& line = AddItem(list_, kKindLine, {10, 10}, {90, 40});
  ItemRecord& tri = Shape(kKindTriangle, {{200, 200}, {260, 210}, {230, 260}});
  line.setSelected(255);
  tri.setSelected(255);
  BeginEdit(list_, observer_, false);
  for (int32_t handle : {kHandleMove, kHandleTurn, kHandleStart, -2}) {
    session_ = StartDrag(list_, handle);
    const auto copyLine = session_.items[0].item->persisted();
    const std::vector<Point> copyTri = Points(*session_.items[1].item);
    ApplyDrag(session_, {50, 50}, {133, 77}, context_);
    RestoreDragStart(session_, context_);
    EXPECT_EQ(session_.items[0].item->persisted(), copyLine) << handle;
    EXPECT_EQ(Points(*session_.items[1].item), copyTri) << handle;
  }
}

TEST_F(DragEngineTest, LineEndsHoldTheirPresetDirectionAndTurnKeepsLength) {
  ItemRecord& line = AddItem(list_, kKindLine, {100, 100}, {200, 100});
  line.setDirection(45);
  ItemRecord& held = Drag(line, kHandleEnd, {200, 100}, {180, 40});
  // 45 degrees moves the end horizontally onto the diagonal through the start.
  EXPECT_EQ(Pt(held.x2(), held.y2()), Pt(160, 40));

  ItemRecord& free = AddItem(list_, kKindLine, {100, 300}, {200, 300});
  free.setDirection(-1);
  // The rotation dot sits below the middle; pulling it to the right turns the line upright.
  ItemRecord& turned = Drag(free, kHandleTurn, {150, 340}, {190, 300});
  EXPECT_NEAR(DistanceOf({turned.x1(), turned.y1()}, {turned.x2(), turned.y2()}), 100, 1);
  EXPECT_EQ(turned.x1(), turned.x2());
}

TEST_F(DragEngineTest, GroupMoveAndTurnTakeEveryMemberAndTheFrame) {
  ItemRecord& a = AddItem(list_, kKindLine, {100, 100}, {140, 100});
  ItemRecord& b = Shape(kKindTriangle, {{200, 100}, {240, 100}, {220, 140}});
  ItemRecord& frame = AddItem(list_, kKindGroupFrame, {170, 110}, {170, 110});
  for (ItemRecord* r : {&a, &b, &frame})
    r->setSelected(255);
  BeginEdit(list_, observer_, false);
  session_ = StartDrag(list_, kHandleMove);
  ApplyDrag(session_, {0, 0}, {10, -5}, context_);
  EXPECT_EQ(Pt(session_.items[0].item->x1(), session_.items[0].item->y1()), Pt(110, 95));
  EXPECT_EQ(session_.items[1].item->points[2].point, Pt(230, 135));
  EXPECT_EQ(Pt(session_.items[2].item->x1(), session_.items[2].item->y1()), Pt(180, 105));

  // The next drag starts from where this one left the group.
  BeginEdit(list_, observer_, false);
  session_ = StartDrag(list_, kHandleGroupTurn);
  ASSERT_EQ(session_.groupPivot, Pt(180, 105));
  // A quarter turn counter-clockwise about the frame's point.
  ApplyDrag(session_, {220, 105}, {180, 65}, context_);
  EXPECT_EQ(Pt(session_.items[0].item->x1(), session_.items[0].item->y1()), Pt(170, 175));
  EXPECT_EQ(Pt(session_.items[2].item->x1(), session_.items[2].item->y1()), Pt(180, 105));
  EXPECT_NEAR(session_.items[2].item->angle(), std::numbers::pi / 2, 1e-9);
}

}  // namespace
}  // namespace quillon
