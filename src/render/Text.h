// SPDX-License-Identifier: GPL-3.0-or-later
// Text items: fonts made from the item's font fields, line metrics, justification and the flat
// drawing of each line, from the last line upwards.
#pragma once

#include <QFont>
#include <QString>

#include "document/ItemRecord.h"
#include "document/ScreenMetrics.h"
#include "render/Bitmap.h"
#include "render/Coordinates.h"
#include "render/DrawStyle.h"
#include "render/Primitives.h"
#include "render/TextMetrics.h"

namespace quillon {

// The item's font at a size in points: the face by name at points * dpi / 72 pixels (rounded
// half up, as the platform does), its weight, italic, and for drawing fonts underline and
// strike-out. Fonts are cached per face, size and style.
QFont MakeFont(const ItemRecord& text, int points, bool forDrawing, const ScreenMetrics& screen);

// Ascent, descent and external leading of the item's font at round(fontSize * scale) points.
FontMetrics MeasureFont(const ItemRecord& text, double scale, const ScreenMetrics& screen);

// Font metrics from the same fonts that draw, for geometry that needs text extents.
class FontTextMetrics : public TextMetrics {
 public:
  explicit FontTextMetrics(ScreenMetrics screen) : screen_(screen) {}
  FontMetrics Measure(const ItemRecord& text, double scale) const override;

 private:
  ScreenMetrics screen_;
};

// Ascent + descent + external leading at the item's own size (document pixels).
int32_t LineHeight(const ItemRecord& text, const ScreenMetrics& screen);
// Width of a line in target pixels with the measuring font at round(fontSize * scale) points.
int32_t LineWidth(const ItemRecord& text, const QString& line, double scale,
                  const ScreenMetrics& screen);

// Where a line starts after justification: centred and right-justified lines move along the
// text direction when they are narrower than their box. boxLength and width in target pixels.
Point JustifyStart(const ItemRecord& text, Point start, double boxLength, double width);

// Draws one line flat in colour with its baseline starting at start (target coordinates).
// Aliased text marks whole pixels only, as masks need.
void DrawTextLine(Primitives& target, uint32_t colour, const ItemRecord& text, const QString& line,
                  Point start, double scale, const ScreenMetrics& screen, bool aliased = false);
void DrawTextLine(Bitmap& target, uint32_t colour, const ItemRecord& text, const QString& line,
                  Point start, double scale, const ScreenMetrics& screen);

// Where a line of a text item goes, in target pixels.
struct TextLinePlacement {
  QString text;
  Point start;        // justified start of the baseline
  Point end;          // end of the box along the baseline
  int32_t width = 0;  // the line's width in target pixels at the mapping's scale
};
// The lines from the last one upwards, placed for an output target (window: false) or the
// window canvas at its zoom (window: true, scale = zoom).
std::vector<TextLinePlacement> PlaceTextLines(const ItemRecord& text, const TargetMapping& mapping,
                                              bool window, const ScreenMetrics& screen);

// Draws every line of a text item from the last one upwards: its shadow, then the line itself,
// flat in the text colour or shaded.
void DrawTextItem(Primitives& target, const ItemRecord& text, const TargetMapping& mapping,
                  const ScreenMetrics& screen, const DrawStyle& style);
void DrawTextItem(Bitmap& target, const ItemRecord& text, const TargetMapping& mapping,
                  const ScreenMetrics& screen, const DrawStyle& style = {});

}  // namespace quillon
