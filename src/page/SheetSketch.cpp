// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/SheetSketch.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "document/PageSetup.h"
#include "page/ApplyPageset.h"
#include "page/SizeText.h"

namespace quillon {
namespace {

// A size text in millimetres (inches converted); nullopt when it does not parse.
std::optional<double> Millimetres(const QString& text, int32_t units) {
  const auto value = ParseSizeText(text, units);
  if (!value) return std::nullopt;
  return units == kUnitInches ? *value * 25.4 : *value;
}

double LengthOr0(const QString& text, int32_t units) {
  const auto value = Millimetres(text, units);
  return value && *value > 0 ? *value : 0;
}

int CountOf(const QString& text) {
  const auto count = ParseWholeNumber(text);
  return count ? std::clamp(*count, 1, kMaxCardCount) : 1;
}

// Rows by columns of items of a size, the first at a corner, each step apart; stops at the
// edge of the paper and after kMaxSketchCards.
void AddGrid(SheetSketch& sketch, QPointF corner, QSizeF item, QSizeF step, int rows, int columns) {
  if (item.width() <= 0 || item.height() <= 0) return;
  for (int r = 0; r < rows; ++r) {
    const double top = corner.y() + r * step.height();
    if (top >= sketch.paper.bottom()) break;
    for (int k = 0; k < columns; ++k) {
      const double left = corner.x() + k * step.width();
      if (left >= sketch.paper.right()) break;
      if (static_cast<int>(sketch.cards.size()) >= kMaxSketchCards) return;
      sketch.cards.emplace_back(QPointF(left, top), item);
    }
  }
}

}  // namespace

SheetSketch SketchSheet(int32_t kind, const pageset_t& set, int areaWidth, int areaHeight) {
  SheetSketch sketch;
  const int32_t units = IsPageUnit(set.units) ? set.units : kUnitInches;
  const UnitBlock& b = set.block(units);
  double scale = 1;
  double width = 0;
  double height = 0;
  if (units == kUnitPixels) {
    const auto w = ParseWholeNumber(b.paperWidth);
    const auto h = ParseWholeNumber(b.paperHeight);
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxSketchSide || *h > kMaxSketchSide) return sketch;
    width = *w;
    height = *h;
    sketch.actualSize = true;
  } else {
    const auto w = Millimetres(b.paperWidth, units);
    const auto h = Millimetres(b.paperHeight, units);
    if (!w || !h) return sketch;
    const double larger = std::max(std::round(*w), std::round(*h));
    // A paper that rounds to nothing, or an area with no room, has no sketch.
    if (!(larger >= 1) || *w <= 0 || *h <= 0 || areaWidth < 1 || areaHeight < 1) return sketch;
    scale = 0.9 * std::min(areaWidth, areaHeight) / larger;
    width = *w;
    height = *h;
  }
  sketch.drawn = true;
  sketch.paper = QRectF(0, 0, width * scale, height * scale);
  if (units == kUnitPixels) return sketch;

  auto length = [&](const QString& text) { return LengthOr0(text, units) * scale; };
  const double left = length(b.leftMargin);
  const double top = length(b.topMargin);
  const double right = length(b.rightMargin);
  const double bottom = length(b.bottomMargin);
  const QSizeF item(length(b.itemWidth), length(b.itemHeight));
  const QSizeF step(item.width() + length(b.columnGap), item.height() + length(b.rowGap));
  if (IsCardSheetKind(kind)) {
    AddGrid(sketch, {left, top}, item, step, CountOf(b.rows), CountOf(b.columns));
  } else if (kind == kKindBrochures) {
    // The brochure at the margins, divided into its panels.
    const int rows = CountOf(b.rows);
    const int columns = CountOf(b.columns);
    const QSizeF panel(item.width() / columns, item.height() / rows);
    AddGrid(sketch, {left, top}, panel, panel, rows, columns);
  }
  if (left + right > 0 || top + bottom > 0) {
    const QRectF inside = sketch.paper.adjusted(left, top, -right, -bottom);
    if (inside.isValid()) sketch.margins = inside;
  }
  return sketch;
}

}  // namespace quillon
