// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/CreationBuilders.h"

#include <algorithm>
#include <cmath>

#include "document/ToolNumbers.h"
#include "render/Coordinates.h"
#include "render/Curves.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

uint8_t Flag(int32_t byte) {
  return byte != 0 ? 255 : 0;
}

}  // namespace

int32_t KindOfTool(int32_t mode) {
  switch (mode) {
    case kModeLine:
      return kKindLine;
    case kModeText:
      return kKindText;
    case kToolTriangle:
      return kKindTriangle;
    case kToolSquare:
      return kKindSquare;
    case kToolRectangle:
      return kKindRectangle;
    case kToolCircle:
      return kKindCircle;
    case kToolEllipse:
      return kKindEllipse;
    case kToolStar:
      return kKindStar;
    case kToolPie:
      return kKindPie;
    case kToolArc:
      return kKindArc;
    case kToolSpline:
    case kToolSolid:
    case kModeContinueSpline:
      return kKindSpline;
    case kToolCurve:
    case kToolOblong:
    case kModeContinueCurve:
      return kKindCurve;
    case kToolLastShape:
      return kKindPolygon;
    default:
      return 0;
  }
}

int ClicksOfTool(int32_t mode) {
  switch (mode) {
    case kModeLine:
    case kToolSquare:
    case kToolCircle:
    case kToolLastShape:
      return 2;
    case kToolTriangle:
    case kToolRectangle:
    case kToolEllipse:
    case kToolStar:
    case kToolPie:
    case kToolArc:
      return 3;
    default:
      return 0;
  }
}

bool IsPointListTool(int32_t mode) {
  return (mode >= kToolSpline && mode <= kToolOblong) || mode == kModeContinueSpline ||
         mode == kModeContinueCurve;
}

int32_t ToolShapeStyle(int32_t mode, const TParams& params) {
  if (mode == kToolSolid || mode == kToolOblong) return 2;
  return mode == kToolCurve ? params.bpolyshape : params.polyshape;
}

int32_t GuidancePageOf(int32_t mode) {
  switch (mode) {
    case kToolTriangle:
      return 1043;
    case kToolSquare:
      return 1045;
    case kToolRectangle:
      return 1047;
    case kToolCircle:
      return 1049;
    case kToolEllipse:
      return 1051;
    case kToolLastShape:
      return 1053;
    case kToolStar:
      return 1055;
    case kToolPie:
      return 1057;
    case kToolArc:
      return 1065;
    case kToolSpline:
      return 1059;
    case kToolSolid:
      return 1062;
    case kToolCurve:
      return 1068;
    case kToolOblong:
      return 1071;
    default:
      return 0;
  }
}

int32_t EntryGuidancePageOf(int32_t mode) {
  switch (mode) {
    case kToolSpline:
      return 1061;
    case kToolSolid:
      return 1064;
    case kToolCurve:
      return 1070;
    case kToolOblong:
      return 1073;
    default:
      return 0;
  }
}

bool GuidanceSwitchOn(const TParams& params, int number) {
  return number >= 1 && number <= kHintSwitches && params.hints[number - 1];
}

bool GuidanceOn(const TParams& params, int32_t page) {
  // The switch of page n is switch number n - 1034.
  return GuidanceSwitchOn(params, page - 1034);
}

void StyleNewLine(ItemRecord& line, const TParams& params) {
  line.setLineColor(params.lineColor);
  line.setLineWeight(params.lineWidth);
  line.setPenWidth(PixelWidth(1, params.lineWidth, params.screen));
  line.setLinePattern(params.linePattern > 5 ? 0 : params.linePattern);
  line.setLineOutlineWeight(params.lineOutline);
  line.setFillColor(params.lineFill);
  line.setDirection(params.lineDirection < 0 ? -1 : params.lineDirection);
  line.setPresetTextAngle(-1);
  line.setSurface(static_cast<uint8_t>(params.liplas));
  SetPackedShadow(line, params.shpoly);
}

void StyleNewShape(ItemRecord& shape, const TParams& params) {
  shape.setLineColor(params.polycolor);
  shape.setFillColor(params.polyfill);
  shape.setLineWeight(params.polywidth);
  shape.setPenWidth(PixelWidth(1, params.polywidth, params.screen));
  shape.setSides(params.polysides);
  shape.setCurveFactor(kNewCurveFactor);
  shape.setDirection(-1);
  shape.setPresetTextAngle(-1);
  shape.setSurface(static_cast<uint8_t>(params.poplas));
  SetPackedShadow(shape, params.shpoly);
}

void StyleNewText(ItemRecord& text, const TParams& params) {
  text.setFontSize(params.tsize);
  text.setTextColor(params.tcolor);
  text.setPresetTextAngle(params.tdir < 0 ? -1 : params.tdir);
  text.setFontWeight(params.tbold);
  text.setFontItalic(Flag(params.toptions & 0xFF));
  text.setFontUnderline(Flag((params.toptions >> 8) & 0xFF));
  text.setFontStrikeout(Flag((params.toptions >> 16) & 0xFF));
  const int32_t justification = (params.toptions >> 24) & 0xFF;
  text.setJustification(static_cast<uint8_t>(justification >= 1 && justification <= 3 ? justification : 1));
  text.setFontName(params.tfont.left(32).toStdString());
  text.setFontCharset(params.tcharset);
  text.setDirection(-1);
  text.setSurface(static_cast<uint8_t>(params.txplas));
  SetPackedShadow(text, params.shtext);
}

Point LineEnd(Point start, Point pointer, double direction) {
  return ConstrainToDirection(start, pointer, direction);
}

void BuildLine(ItemRecord& line, Point start, Point end, const ScreenMetrics& screen) {
  end = LineEnd(start, end, line.direction());
  line.setX1(start.x);
  line.setY1(start.y);
  line.setX2(end.x);
  line.setY2(end.y);
  line.setAngle(AngleOf(start, end));
  RecomputeDerived(line, screen);
}

void BuildClickedShape(ItemRecord& shape, int32_t mode, std::span<const Point> clicks,
                       const GeometryContext& context) {
  const auto at = [&](std::size_t i) { return clicks[std::min(i, clicks.size() - 1)]; };
  std::vector<PointEntry>& points = shape.points;
  switch (mode) {
    case kToolTriangle:
      ClearPoints(points);
      for (std::size_t i = 0; i < 3; ++i) {
        PointEntry& e = NewPoint(points);
        e.point = e.pointAtDragStart = at(i);
      }
      break;
    case kToolSquare:
      SquareFromSide(at(0), at(1), points);
      break;
    case kToolRectangle:
      RectangleFromSide(at(0), at(1), at(2), points);
      break;
    case kToolCircle:
      CircleFromClicks(at(0), at(1), points);
      break;
    case kToolEllipse:
      EllipseFromClicks(at(0), at(1), at(2), points);
      break;
    case kToolLastShape:
      PolygonVertices(at(0), at(1), shape.sides(), points);
      break;
    case kToolStar:
      StarVertices(at(0), at(1), shape.sides(), at(2), points);
      break;
    case kToolPie:
    case kToolArc:
      ArcFromClicks(at(0), at(1), at(2), points);
      break;
    default:
      return;
  }
  const bool outlined = mode == kToolTriangle || mode == kToolSquare || mode == kToolRectangle;
  if (outlined) {
    shape.setShapeStyle(2);
    RecomputeBounds(shape, context);
    shape.setAngle(-1);
  } else {
    NewShapeBounds(shape, context);
    shape.setAngle(0);
  }
}

void BuildPointList(ItemRecord& shape, std::vector<PointEntry> entries, int32_t style,
                    const GeometryContext& context) {
  for (PointEntry& e : entries)
    e.pointAtDragStart = e.point;
  if (shape.kind() == kKindCurve) RecomputeCurveHandles(entries, shape.curveFactor(), style);
  for (PointEntry& e : entries) {
    e.handleInAtDragStart = e.handleIn;
    e.handleOutAtDragStart = e.handleOut;
  }
  shape.points = std::move(entries);
  shape.setShapeStyle(style);
  RecomputeBounds(shape, context);
  shape.setAngle(-1);
}

void AppendFloating(std::vector<PointEntry>& entries, Point p) {
  PointEntry& e = NewPoint(entries);
  e.point = e.pointAtDragStart = p;
  e.handleIn = e.handleOut = p;
}

}  // namespace quillon
