// SPDX-License-Identifier: GPL-3.0-or-later
// The property panels' apply operations on a document: each changes the selected items of
// the kinds it concerns as one undo step (BeginEdit), then asks for the old and new areas of
// the changed items to be drawn again.
#pragma once

#include <cstdint>
#include <string>

#include "document/EditObserver.h"
#include "document/ItemList.h"
#include "render/GeometryContext.h"
#include "settings/CustomSlots.h"

namespace quillon {

// The pen width in screen pixels that a line weight in millimetres gives (never below 1).
int32_t PenWidthOf(double weightMm, const ScreenMetrics& screen);

// Every selected item.
void ApplyLineColor(ItemList& list, EditObserver& observer, int32_t colour);
void ApplyFillColor(ItemList& list, EditObserver& observer, int32_t colour);
void ApplyWeight(ItemList& list, EditObserver& observer, double weightMm);
void ApplyOutlineWeight(ItemList& list, EditObserver& observer, double weightMm);
// A built-in pattern position (0 .. 4).
void ApplyPattern(ItemList& list, EditObserver& observer, int32_t position);
// A custom pattern: one pattern record is added to the document and every selected item refers
// to it.
void ApplyCustomPattern(ItemList& list, EditObserver& observer, const custPatternRec_t& slot);
// Texts, lines, shapes and pictures.
void ApplySurface(ItemList& list, EditObserver& observer, int32_t surface);
// The three shadow fields; pictureOnly and skipTexts narrow the kinds changed.
void ApplyShadow(ItemList& list, EditObserver& observer, int32_t size, int32_t softness,
                 int32_t lightness, bool pictureOnly = false, bool skipTexts = false);

// Lines: the direction in degrees; a direction that is not negative turns the line about its
// midpoint to it, keeping its length.
void ApplyDirection(ItemList& list, EditObserver& observer, double degrees,
                    const GeometryContext& context);

// Texts; each text is laid out again afterwards.
void ApplyTextColor(ItemList& list, EditObserver& observer, int32_t colour,
                    const GeometryContext& context);
void ApplyFontName(ItemList& list, EditObserver& observer, const std::string& name,
                   const GeometryContext& context);
void ApplyCharset(ItemList& list, EditObserver& observer, int32_t charset,
                  const GeometryContext& context);
void ApplyFontSize(ItemList& list, EditObserver& observer, int32_t points,
                   const GeometryContext& context);
void ApplyFontWeight(ItemList& list, EditObserver& observer, int32_t weight,
                     const GeometryContext& context);
// Style 1 italic, 2 underline, 3 strikeout (value 0 or 255), 4 justification (1 left, 2 centre,
// 3 right).
void ApplyTextStyle(ItemList& list, EditObserver& observer, int style, int32_t value,
                    const GeometryContext& context);
// The preset angle in degrees; -1 leaves the text free, any other turns it to that angle.
void ApplyTextAngle(ItemList& list, EditObserver& observer, int32_t degrees,
                    const GeometryContext& context);
// The same for one text, changed in place (a text being typed, whose edit step is open).
void SetTextAngle(ItemRecord& text, int32_t degrees, const GeometryContext& context);

// Pictures: colour adjustments, frame weight (frame on when not 0) and frame colour.
void ApplyColours(ItemList& list, EditObserver& observer, int32_t saturation, int32_t contrast,
                  int32_t lightness);
void ApplyFrame(ItemList& list, EditObserver& observer, double weightMm);
void ApplyFrameColor(ItemList& list, EditObserver& observer, int32_t colour);

// Shapes.
void ApplySides(ItemList& list, EditObserver& observer, int32_t count,
                const GeometryContext& context);
// Splines and curves: 0 open, 1 closed, 2 solid.
void ApplyShapeStyle(ItemList& list, EditObserver& observer, int32_t style,
                     const GeometryContext& context);
// Switches selected squares and rectangles, circles and ellipses, or pies and arcs to kind.
void ApplyKindSwitch(ItemList& list, EditObserver& observer, int32_t kind,
                     const GeometryContext& context);
// Mirror, flip and quarter turn (-1, 0, +1) of the selection.
void ApplyQuarterTurnAndMirror(ItemList& list, EditObserver& observer, bool mirror, bool flip,
                               int turn, const GeometryContext& context);

}  // namespace quillon
