// SPDX-License-Identifier: GPL-3.0-or-later
// The items the drawing tools make: which clicks define each, and the record built from them
// with the settings of its kind. Pure functions over records; previews and the finished item
// are built the same way.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/ItemList.h"
#include "render/GeometryContext.h"
#include "settings/TParams.h"

namespace quillon {

// The curve factor of new curves and oblongs.
inline constexpr double kNewCurveFactor = 0.27614237;

// The kind of item a tool mode makes; 0 for modes that make none.
int32_t KindOfTool(int32_t mode);
// The defining clicks a tool takes: 2 or 3; 0 for the spline family (any number).
int ClicksOfTool(int32_t mode);
// Splines, solids, curves and oblongs, and their continuations.
bool IsPointListTool(int32_t mode);
// The shape style a spline-family tool builds with now (0 open, 1 closed, 2 solid).
int32_t ToolShapeStyle(int32_t mode, const TParams& params);
// The guidance page opened after an item of this kind is finished (0 for none).
int32_t GuidancePageOf(int32_t mode);
// The guidance page opened at each fixed point of a spline-family tool.
int32_t EntryGuidancePageOf(int32_t mode);
// Whether a guidance switch (numbered from 1) is on.
bool GuidanceSwitchOn(const TParams& params, int number);
// Whether the guidance switch of a page (1024 to 1080) is on.
bool GuidanceOn(const TParams& params, int32_t page);

// The style of the settings for a new line, shape or text.
void StyleNewLine(ItemRecord& line, const TParams& params);
void StyleNewShape(ItemRecord& shape, const TParams& params);
void StyleNewText(ItemRecord& text, const TParams& params);

// The end of a line from start towards the pointer, held on the preset direction when one is
// set (degrees; negative = free).
Point LineEnd(Point start, Point pointer, double direction);
// A line from start to end (the end held on the line's preset direction); defining points and
// bounds derived.
void BuildLine(ItemRecord& line, Point start, Point end, const ScreenMetrics& screen);

// A triangle, square, rectangle, circle, ellipse, polygon, star, pie or arc from its defining
// clicks in document pixels, the missing ones taken as the last given (so that a preview builds
// from the clicks so far and the pointer). The record is styled already; its points, box and
// derived values are set.
void BuildClickedShape(ItemRecord& shape, int32_t mode, std::span<const Point> clicks,
                       const GeometryContext& context);

// A spline or curve from its entries with a shape style; curves get their control points from
// the record's curve factor first. Bounds derived.
void BuildPointList(ItemRecord& shape, std::vector<PointEntry> entries, int32_t style,
                    const GeometryContext& context);

// Extends the entries with a floating entry at p and sets the control points of the new
// segment along it (for curves, with the factor).
void AppendFloating(std::vector<PointEntry>& entries, Point p);

}  // namespace quillon
