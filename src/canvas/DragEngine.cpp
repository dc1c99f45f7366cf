// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/DragEngine.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "canvas/WindowPainter.h"
#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/Coordinates.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;

int32_t Moved(int32_t v, int64_t d) {
  return ClampToInt32(int64_t{v} + d);
}

Point StartPoint(const ItemRecord& item, int n) {
  return n >= 1 && n <= static_cast<int>(item.points.size())
             ? item.points[static_cast<std::size_t>(n - 1)].pointAtDragStart
             : Point{};
}

void ResetPoints(ItemRecord& item) {
  for (PointEntry& e : item.points) {
    e.point = e.pointAtDragStart;
    e.handleIn = e.handleInAtDragStart;
    e.handleOut = e.handleOutAtDragStart;
  }
}

void SetEnds(ItemRecord& item, Point p1, Point p2) {
  item.setX1(p1.x);
  item.setY1(p1.y);
  item.setX2(p2.x);
  item.setY2(p2.y);
}

Point Ref1(const ItemRecord& item) {
  return {item.refX1(), item.refY1()};
}
Point Ref2(const ItemRecord& item) {
  return {item.refX2(), item.refY2()};
}

// Both defining points of a text, line, picture or group frame moved from their references.
void TranslateEnds(ItemRecord& item, int64_t dx, int64_t dy) {
  SetEnds(item, {Moved(item.refX1(), dx), Moved(item.refY1(), dy)},
          {Moved(item.refX2(), dx), Moved(item.refY2(), dy)});
}

// The preset direction in degrees that holds a line's or text's ends, negative for none.
double PresetDirection(const ItemRecord& item) {
  return item.kind() == kKindText ? static_cast<double>(item.presetTextAngle()) : item.direction();
}

// A square's or rectangle's corner at index m moved to the point, keeping right angles.
void DragBoxCorner(ItemRecord& item, std::size_t m, Point to) {
  auto& pts = item.points;
  const std::size_t o = (m + 2) % 4, a = (m + 3) % 4, b = (m + 1) % 4;
  const Point origin = pts[o].pointAtDragStart;
  pts[m].point = to;
  if (item.kind() == kKindSquare) {
    const double angle = AngleOf(to, origin);
    const double s = DistanceOf(to, origin) / std::numbers::sqrt2;
    pts[b].point = PolarPoint(to, s, angle - kPi / 4);
    pts[a].point = PolarPoint(to, s, angle + kPi / 4);
    return;
  }
  const Point startA = pts[a].pointAtDragStart, startB = pts[b].pointAtDragStart;
  const double phiA = AngleOf(origin, startA), phiB = AngleOf(origin, startB);
  // The shorter side's direction is taken square to the longer one, so the projection stays
  // exact when rounding has bent the starting corner.
  double psiA = phiA, psiB = phiB;
  if (DistanceOf(origin, startA) < DistanceOf(origin, startB)) {
    psiA = phiB + std::nearbyint((phiA - phiB) / (kPi / 2)) * (kPi / 2);
  } else {
    psiB = phiA + std::nearbyint((phiB - phiA) / (kPi / 2)) * (kPi / 2);
  }
  const double r = DistanceOf(origin, to), toAngle = AngleOf(origin, to);
  pts[a].point = PolarPoint(origin, r * std::cos(toAngle - psiA), phiA);
  pts[b].point = PolarPoint(origin, r * std::cos(toAngle - psiB), phiB);
}

// The side handles 205 to 208 of an upright square or rectangle.
void DragBoxSide(ItemRecord& item, int32_t handle, int64_t dx, int64_t dy) {
  auto& pts = item.points;
  const auto moveY = [&](std::size_t i, int64_t d) { pts[i].point.y = Moved(pts[i].point.y, d); };
  const auto moveX = [&](std::size_t i, int64_t d) { pts[i].point.x = Moved(pts[i].point.x, d); };
  const bool vertical = handle == kHandleSideBottom || handle == kHandleSideTop;
  const int64_t delta = vertical ? dy : dx;
  switch (handle) {
    case kHandleSideBottom:
      moveY(2, dy), moveY(3, dy);
      break;
    case kHandleSideRight:
      moveX(1, dx), moveX(2, dx);
      break;
    case kHandleSideTop:
      moveY(0, dy), moveY(1, dy);
      break;
    default:
      moveX(3, dx), moveX(0, dx);
      break;
  }
  if (item.kind() != kKindSquare) return;
  const int64_t sigma = pts[2].pointAtDragStart.y < pts[1].pointAtDragStart.y ? 1 : -1;
  const int64_t h = delta * sigma / 2;
  switch (handle) {
    case kHandleSideBottom:
      moveX(0, h), moveX(3, h), moveX(1, -h), moveX(2, -h);
      break;
    case kHandleSideRight:
      moveY(0, h), moveY(1, h), moveY(2, -h), moveY(3, -h);
      break;
    case kHandleSideTop:
      moveX(1, h), moveX(2, h), moveX(0, -h), moveX(3, -h);
      break;
    default:
      moveY(2, h), moveY(3, h), moveY(0, -h), moveY(1, -h);
      break;
  }
}

// A picture's corner (101 to 104) or side (105 to 108) pulled to the point: the box is scaled
// about the opposite corner, keeping its proportions, or stretched about the opposite side; a
// turned picture is resized in its own axes, its opposite corner or side staying in place.
void DragPictureBox(ItemRecord& item, int32_t handle, Point to) {
  if (item.clipShape() == 2) {
    // A round picture's side handles set its radius.
    SetEnds(item, Ref1(item), to);
    return;
  }
  const double left = item.refX1(), top = item.refY1();
  const double right = item.refX2(), bottom = item.refY2();
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  const double turn = item.rotationAtDragStart();
  // The pointer in the picture's own axes: turned back about the box centre.
  const double px = to.x - cx, py = to.y - cy;
  const double c = std::cos(turn), s = std::sin(turn);
  const double lx = cx + px * c - py * s, ly = cy + px * s + py * c;
  double x1 = left, y1 = top, x2 = right, y2 = bottom;
  const double w0 = right - left, h0 = bottom - top;
  switch (handle) {
    case kHandlePictureTopLeft:
    case kHandlePictureTopRight:
    case kHandlePictureBottomRight:
    case kHandlePictureBottomLeft: {
      const bool movesLeft = handle == kHandlePictureTopLeft || handle == kHandlePictureBottomLeft;
      const bool movesTop = handle == kHandlePictureTopLeft || handle == kHandlePictureTopRight;
      const double ox = movesLeft ? right : left, oy = movesTop ? bottom : top;
      const double fx = w0 != 0 ? (lx - ox) / (movesLeft ? -w0 : w0) : 0;
      const double fy = h0 != 0 ? (ly - oy) / (movesTop ? -h0 : h0) : 0;
      const double f = std::abs(fx) >= std::abs(fy) ? fx : fy;
      (movesLeft ? x1 : x2) = ox + (movesLeft ? -w0 : w0) * f;
      (movesTop ? y1 : y2) = oy + (movesTop ? -h0 : h0) * f;
      break;
    }
    case kHandlePictureTop:
      y1 = ly;
      break;
    case kHandlePictureRight:
      x2 = lx;
      break;
    case kHandlePictureBottom:
      y2 = ly;
      break;
    default:
      x1 = lx;
      break;
  }
  // The new box's centre goes back through the turn, so the fixed edge stays where it was.
  const double mx = (x1 + x2) / 2 - cx, my = (y1 + y2) / 2 - cy;
  const double wx = cx + mx * c + my * s, wy = cy - mx * s + my * c;
  const double hw = (x2 - x1) / 2, hh = (y2 - y1) / 2;
  SetEnds(item, {RoundToInt32(wx - hw), RoundToInt32(wy - hh)},
          {RoundToInt32(wx + hw), RoundToInt32(wy + hh)});
}

// Handles 1 and 2 of texts and lines: that end follows the point, held on the preset direction.
void DragEnd(ItemRecord& item, int32_t handle, Point to) {
  const double preset = PresetDirection(item);
  if (handle == kHandleStart) {
    SetEnds(item, ConstrainToDirection(Ref2(item), to, preset), Ref2(item));
  } else {
    SetEnds(item, Ref1(item), ConstrainToDirection(Ref1(item), to, preset));
  }
}

// Handle 5 of texts and lines: the item turns about its midpoint so that its rotation dot
// points at the pointer.
void TurnSegmentToward(ItemRecord& item, Point to) {
  const Point middle = Midpoint(Ref1(item), Ref2(item));
  const double wanted = AngleOf(middle, to) + kPi / 2;
  double turn = wanted - AngleOf(Ref1(item), Ref2(item));
  turn = std::fmod(turn, 2 * kPi);
  RotateSegment(item, middle, turn);
  if (item.kind() == kKindText) item.setTextAngle(((item.textAngle() % 3600) + 3600) % 3600);
}

void Turn(const DragStart& start, Point pivot, double angle) {
  ItemRecord& item = *start.item;
  if (IsPointListKind(item.kind())) {
    RotatePoints(item.points, pivot, angle);
  } else if (item.kind() == kKindPicture) {
    OrbitBox(item, pivot, angle);
  } else if (item.kind() == kKindGroupFrame) {
    const Point p = RotatePoint(Ref1(item), pivot, angle);
    SetEnds(item, p, p);
    item.setAngle(start.frameAngle + angle);
  } else {
    RotateSegment(item, pivot, angle);
    if (item.kind() == kKindText) item.setTextAngle(((item.textAngle() % 3600) + 3600) % 3600);
  }
}

// Handles of point-list shapes other than the centre and the rotation dot.
void DragShapeHandle(ItemRecord& item, int32_t handle, Point to, int64_t dx, int64_t dy,
                     const GeometryContext& context) {
  const int32_t kind = item.kind();
  // Circles, ellipses, pies and arcs are rebuilt from their defining points, which also resets
  // the drag-start copies; those must survive for the next step and for Esc.
  struct KeepStart {
    ItemRecord& item;
    std::vector<PointEntry> start;
    ~KeepStart() {
      for (std::size_t i = 0; i < std::min(start.size(), item.points.size()); ++i) {
        item.points[i].pointAtDragStart = start[i].pointAtDragStart;
        item.points[i].handleInAtDragStart = start[i].handleInAtDragStart;
        item.points[i].handleOutAtDragStart = start[i].handleOutAtDragStart;
      }
    }
  };
  const bool rebuilt =
      kind == kKindCircle || kind == kKindEllipse || kind == kKindPie || kind == kKindArc;
  const std::optional<KeepStart> keep =
      rebuilt ? std::optional<KeepStart>(KeepStart{item, item.points}) : std::nullopt;
  if (kind == kKindCircle) {
    CircleFromClicks(StartPoint(item, 1), to, item.points);
  } else if (kind == kKindEllipse) {
    if (handle == kHandleStart) {
      EllipseFromClicks(StartPoint(item, 1), to, StartPoint(item, 3), item.points);
    } else if (handle == kHandleEnd) {
      EllipseFromClicks(StartPoint(item, 1), StartPoint(item, 2), to, item.points);
    }
  } else if (kind == kKindPie || kind == kKindArc) {
    if (handle == kHandleStart) {
      MoveArcCentre(item, to, context);
    } else if (handle == kHandleEnd) {
      ArcFromClicks(StartPoint(item, 1), to, StartPoint(item, 3), item.points);
    } else if (handle == kHandleMiddle) {
      ArcFromClicks(StartPoint(item, 1), StartPoint(item, 2), to, item.points);
    }
  } else if (handle >= kHandleSideBottom && handle <= kHandleSideLeft) {
    if ((kind == kKindSquare || kind == kKindRectangle) && item.points.size() == 4) {
      DragBoxSide(item, handle, dx, dy);
    }
  } else if (handle < 0) {
    const bool skipsCentre = kind == kKindPolygon || kind == kKindStar;
    const std::size_t index =
        static_cast<std::size_t>(-int64_t{handle} - 1) + (skipsCentre ? 1 : 0);
    if (index >= item.points.size()) return;
    if ((kind == kKindSquare || kind == kKindRectangle) && item.points.size() == 4) {
      DragBoxCorner(item, index, to);
    } else {
      item.points[index].point = to;
    }
  }
}

// Bounds after a drag step; a group frame keeps the angle its rotation dot shows.
void Rebound(ItemRecord& item, const GeometryContext& context) {
  if (item.kind() == kKindGroupFrame) {
    const double angle = item.angle();
    RecomputeDerived(item, context.screen);
    item.setAngle(angle);
  } else {
    BoundsAfterTransform(item, context);
  }
}

}  // namespace

DragSession StartDrag(ItemList& list, int32_t handle) {
  DragSession session;
  session.handle = handle;
  for (ItemRecord* selected : SelectedRecords(list)) {
    ItemRecord& item = *selected;
    DragStart start;
    start.item = &item;
    start.pivot = ItemCentre(item);
    start.frameAngle = item.angle();
    start.textAngle = item.textAngle();
    if (item.kind() == kKindGroupFrame) session.groupPivot = {item.x1(), item.y1()};
    session.items.push_back(start);
  }
  return session;
}

void DragItem(const DragStart& start, int32_t handle, Point from, Point to, Point groupPivot,
              const GeometryContext& context) {
  ItemRecord& item = *start.item;
  const int32_t kind = item.kind();
  const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
  const bool segment = kind == kKindText || kind == kKindLine;
  ResetPoints(item);
  SetEnds(item, Ref1(item), Ref2(item));
  item.setRotation(item.rotationAtDragStart());
  item.setTextAngle(start.textAngle);
  if (kind == kKindGroupFrame) item.setAngle(start.frameAngle);

  if (handle == kHandleMove || (handle == kHandleMiddle && (segment || kind == kKindGroupFrame))) {
    if (IsPointListKind(kind)) {
      TranslatePoints(item.points, ClampToInt32(dx), ClampToInt32(dy));
    } else {
      TranslateEnds(item, dx, dy);
    }
  } else if (handle == kHandleGroupTurn) {
    Turn(start, groupPivot, AngleOf(groupPivot, to) - AngleOf(groupPivot, from));
  } else if (kind == kKindGroupFrame) {
    return;  // a frame follows only moves and turns of its group
  } else if (handle == kHandleTurn && segment) {
    TurnSegmentToward(item, to);
  } else if (handle == kHandleTurn) {
    Turn(start, start.pivot, AngleOf(start.pivot, to) - AngleOf(start.pivot, from));
  } else if (segment) {
    if (handle == kHandleStart || handle == kHandleEnd) DragEnd(item, handle, to);
  } else if (kind == kKindPicture) {
    if (handle >= kHandlePictureTopLeft && handle <= kHandlePictureLeft) {
      DragPictureBox(item, handle, to);
    }
  } else {
    DragShapeHandle(item, handle, to, dx, dy, context);
  }
  Rebound(item, context);
}

Rect ApplyDrag(const DragSession& session, Point start, Point current,
               const GeometryContext& context) {
  Rect area{};
  bool any = false;
  for (const DragStart& s : session.items) {
    DragItem(s, session.handle, start, current, session.groupPivot, context);
    if (s.item->kind() == kKindGroupFrame) continue;
    const Rect r = ItemPaintRect(*s.item, context.screen);
    area = any ? United(area, r) : r;
    any = true;
  }
  return area;
}

void RestoreDragStart(const DragSession& session, const GeometryContext& context) {
  for (const DragStart& s : session.items) {
    ItemRecord& item = *s.item;
    ResetPoints(item);
    SetEnds(item, Ref1(item), Ref2(item));
    item.setRotation(item.rotationAtDragStart());
    item.setTextAngle(s.textAngle);
    if (item.kind() == kKindGroupFrame) item.setAngle(s.frameAngle);
    Rebound(item, context);
  }
}

void FinishDrag(const DragSession& session, const GeometryContext& context) {
  for (const DragStart& s : session.items) {
    ItemRecord& item = *s.item;
    if (item.kind() != kKindPicture) continue;
    const bool boxChanged = item.x1() != item.refX1() || item.y1() != item.refY1() ||
                            item.x2() != item.refX2() || item.y2() != item.refY2();
    const bool resized =
        session.handle >= kHandlePictureTopLeft && session.handle <= kHandlePictureLeft;
    if (resized && boxChanged) {
      FinishPictureResize(item, context);
    } else {
      TakeReference(item);
    }
  }
  for (const DragStart& s : session.items) {
    if (IsPointListKind(s.item->kind())) Snapshot(s.item->points);
  }
}

Rect NudgeSelection(ItemList& list, EditObserver& observer, Point by, bool continueRun,
                    const GeometryContext& context) {
  if (FirstSelected(list) == nullptr) return {};
  const Rect before = SelectionArea(list);
  if (continueRun) {
    for (ItemRecord* item : SelectedRecords(list)) TakeDragStart(*item);
  } else {
    BeginEdit(list, observer, false);
  }
  const DragSession session = StartDrag(list, kHandleMove);
  const Rect after = ApplyDrag(session, {0, 0}, by, context);
  FinishDrag(session, context);
  return United(before, after);
}

}  // namespace quillon
