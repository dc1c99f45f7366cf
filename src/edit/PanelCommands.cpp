// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/PanelCommands.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "document/History.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"
#include "render/ShapeCommands.h"
#include "render/Transforms.h"
#include "settings/Customization.h"

namespace quillon {
namespace {

bool AnyKind(const ItemRecord&) {
  return true;
}
bool IsTextItem(const ItemRecord& r) {
  return r.kind() == kKindText;
}
bool IsPictureItem(const ItemRecord& r) {
  return r.kind() == kKindPicture;
}

Rect Union(Rect a, Rect b) {
  if (a.left > a.right) return b;
  if (b.left > b.right) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// Opens one edit step for the selection, changes the selected items that pass the filter
// (group frames never), and has the old and new areas drawn again. Nothing happens when no
// selected item passes, so that no empty step is recorded.
template <class Filter, class Change>
void EditSelection(ItemList& list, EditObserver& observer, Filter filter, Change change) {
  auto concerned = [&](const ItemRecord* r) { return r->kind() != kKindGroupFrame && filter(*r); };
  const std::vector<ItemRecord*> selected = SelectedRecords(list);
  if (std::none_of(selected.begin(), selected.end(), concerned)) return;
  const Rect before = SelectionArea(list);
  BeginEdit(list, observer, false);
  for (ItemRecord* r : SelectedRecords(list)) {
    if (concerned(r)) change(*r);
  }
  observer.RepaintArea(Union(before, SelectionArea(list)));
}

// Text changes lay the text out again: its block and bounds follow the new font.
template <class Change>
void EditTexts(ItemList& list, EditObserver& observer, const GeometryContext& context,
               Change change) {
  EditSelection(list, observer, IsTextItem, [&](ItemRecord& r) {
    change(r);
    BoundsAfterTransform(r, context);
  });
}

Point Midpoint(const ItemRecord& r) {
  return {RoundToInt32((double(r.x1()) + r.x2()) / 2), RoundToInt32((double(r.y1()) + r.y2()) / 2)};
}

// Turns a line or text about its midpoint so that it points in the direction (degrees).
void TurnTo(ItemRecord& r, double degrees, const GeometryContext& context) {
  const Point a{r.x1(), r.y1()}, b{r.x2(), r.y2()};
  if (a == b) return;
  const double turn = degrees * std::numbers::pi / 180 - AngleOf(a, b);
  RotateSegment(r, Midpoint(r), turn);
  BoundsAfterTransform(r, context);
}

Point VertexAt(const ItemRecord& r, std::size_t i) {
  return i < r.points.size() ? r.points[i].point : Point{r.x1(), r.y1()};
}

bool SwitchesTo(const ItemRecord& r, int32_t kind) {
  const auto pair = [](int32_t k) {
    if (k == kKindSquare || k == kKindRectangle) return 1;
    if (k == kKindCircle || k == kKindEllipse) return 2;
    if (k == kKindPie || k == kKindArc) return 3;
    return 0;
  };
  return pair(kind) != 0 && pair(r.kind()) == pair(kind) && r.kind() != kind;
}

}  // namespace

int32_t PenWidthOf(double weightMm, const ScreenMetrics& screen) {
  return std::max(1, RoundToInt32(weightMm * screen.PxPerMmY()));
}

void ApplyLineColor(ItemList& list, EditObserver& observer, int32_t colour) {
  EditSelection(list, observer, AnyKind, [&](ItemRecord& r) { r.setLineColor(colour); });
}

void ApplyFillColor(ItemList& list, EditObserver& observer, int32_t colour) {
  EditSelection(list, observer, AnyKind, [&](ItemRecord& r) { r.setFillColor(colour); });
}

void ApplyWeight(ItemList& list, EditObserver& observer, double weightMm) {
  const int32_t pen = PenWidthOf(weightMm, list.screen());
  EditSelection(list, observer, AnyKind, [&](ItemRecord& r) {
    r.setLineWeight(weightMm);
    r.setPenWidth(pen);
  });
}

void ApplyOutlineWeight(ItemList& list, EditObserver& observer, double weightMm) {
  EditSelection(list, observer, AnyKind, [&](ItemRecord& r) { r.setLineOutlineWeight(weightMm); });
}

void ApplyPattern(ItemList& list, EditObserver& observer, int32_t position) {
  EditSelection(list, observer, AnyKind, [&](ItemRecord& r) { r.setLinePattern(position); });
}

void ApplyCustomPattern(ItemList& list, EditObserver& observer, const custPatternRec_t& slot) {
  if (FirstSelected(list) == nullptr) return;
  const int32_t number = AddCustomPatternRecord(list, slot);
  EditSelection(list, observer, AnyKind, [&](ItemRecord& r) { r.setLinePattern(number); });
}

void ApplySurface(ItemList& list, EditObserver& observer, int32_t surface) {
  const uint8_t value = static_cast<uint8_t>(std::clamp(surface, 0, 255));
  EditSelection(list, observer, AnyKind, [&](ItemRecord& r) { r.setSurface(value); });
}

void ApplyShadow(ItemList& list, EditObserver& observer, int32_t size, int32_t softness,
                 int32_t lightness, bool pictureOnly, bool skipTexts) {
  const auto byte = [](int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
  EditSelection(
      list, observer,
      [&](const ItemRecord& r) {
        return (!pictureOnly || IsPictureItem(r)) && (!skipTexts || !IsTextItem(r));
      },
      [&](ItemRecord& r) {
        r.setShadowSize(byte(size));
        r.setShadowSoftness(byte(softness));
        r.setShadowLightness(byte(lightness));
      });
}

void ApplyDirection(ItemList& list, EditObserver& observer, double degrees,
                    const GeometryContext& context) {
  EditSelection(
      list, observer, [](const ItemRecord& r) { return r.kind() == kKindLine; },
      [&](ItemRecord& r) {
        r.setDirection(degrees);
        if (degrees >= 0) TurnTo(r, degrees, context);
      });
}

void ApplyTextColor(ItemList& list, EditObserver& observer, int32_t colour,
                    const GeometryContext& context) {
  EditTexts(list, observer, context, [&](ItemRecord& r) { r.setTextColor(colour); });
}

void ApplyFontName(ItemList& list, EditObserver& observer, const std::string& name,
                   const GeometryContext& context) {
  EditTexts(list, observer, context, [&](ItemRecord& r) { r.setFontName(name); });
}

void ApplyCharset(ItemList& list, EditObserver& observer, int32_t charset,
                  const GeometryContext& context) {
  EditTexts(list, observer, context, [&](ItemRecord& r) { r.setFontCharset(charset); });
}

void ApplyFontSize(ItemList& list, EditObserver& observer, int32_t points,
                   const GeometryContext& context) {
  EditTexts(list, observer, context, [&](ItemRecord& r) { r.setFontSize(points); });
}

void ApplyFontWeight(ItemList& list, EditObserver& observer, int32_t weight,
                     const GeometryContext& context) {
  EditTexts(list, observer, context, [&](ItemRecord& r) { r.setFontWeight(weight); });
}

void ApplyTextStyle(ItemList& list, EditObserver& observer, int style, int32_t value,
                    const GeometryContext& context) {
  const uint8_t byte = static_cast<uint8_t>(std::clamp(value, 0, 255));
  EditTexts(list, observer, context, [&](ItemRecord& r) {
    switch (style) {
      case 1:
        r.setFontItalic(byte);
        break;
      case 2:
        r.setFontUnderline(byte);
        break;
      case 3:
        r.setFontStrikeout(byte);
        break;
      case 4:
        r.setJustification(byte);
        break;
      default:
        break;
    }
  });
}

void SetTextAngle(ItemRecord& text, int32_t degrees, const GeometryContext& context) {
  text.setPresetTextAngle(degrees);
  if (degrees != -1) TurnTo(text, degrees, context);
}

void ApplyTextAngle(ItemList& list, EditObserver& observer, int32_t degrees,
                    const GeometryContext& context) {
  EditTexts(list, observer, context, [&](ItemRecord& r) { SetTextAngle(r, degrees, context); });
}

void ApplyColours(ItemList& list, EditObserver& observer, int32_t saturation, int32_t contrast,
                  int32_t lightness) {
  EditSelection(list, observer, IsPictureItem, [&](ItemRecord& r) {
    r.setSaturation(saturation);
    r.setContrast(contrast);
    r.setLightness(lightness);
  });
}

void ApplyFrame(ItemList& list, EditObserver& observer, double weightMm) {
  const int32_t pen = PenWidthOf(weightMm, list.screen());
  EditSelection(list, observer, IsPictureItem, [&](ItemRecord& r) {
    r.setFrame(weightMm != 0 ? 1 : 0);
    r.setLineWeight(weightMm);
    r.setPenWidth(pen);
  });
}

void ApplyFrameColor(ItemList& list, EditObserver& observer, int32_t colour) {
  EditSelection(list, observer, IsPictureItem, [&](ItemRecord& r) { r.setLineColor(colour); });
}

void ApplySides(ItemList& list, EditObserver& observer, int32_t count,
                const GeometryContext& context) {
  EditSelection(
      list, observer,
      [](const ItemRecord& r) { return r.kind() == kKindPolygon || r.kind() == kKindStar; },
      [&](ItemRecord& r) { SetSidesOrSpikes(r, count, context); });
}

void ApplyShapeStyle(ItemList& list, EditObserver& observer, int32_t style,
                     const GeometryContext& context) {
  EditSelection(
      list, observer,
      [](const ItemRecord& r) { return r.kind() == kKindSpline || r.kind() == kKindCurve; },
      [&](ItemRecord& r) { SetShapeStyle(r, style, context); });
}

void ApplyKindSwitch(ItemList& list, EditObserver& observer, int32_t kind,
                     const GeometryContext& context) {
  EditSelection(
      list, observer, [&](const ItemRecord& r) { return SwitchesTo(r, kind); },
      [&](ItemRecord& r) {
        const Point a = VertexAt(r, 0), b = VertexAt(r, 1), c = VertexAt(r, 2);
        r.setKind(kind);
        if (kind == kKindSquare) SquareFromSide(a, b, r.points);
        if (kind == kKindRectangle) RectangleFromSide(a, b, c, r.points);
        if (kind == kKindCircle) CircleFromClicks(a, b, r.points);
        if (kind == kKindEllipse) EllipseFromClicks(a, b, c, r.points);
        RecomputeBounds(r, context);
      });
}

void ApplyQuarterTurnAndMirror(ItemList& list, EditObserver& observer, bool mirror, bool flip,
                               int turn, const GeometryContext& context) {
  if (FirstSelected(list) == nullptr) return;
  const Rect before = SelectionArea(list);
  BeginEdit(list, observer, false);
  QuarterTurnAndMirror(list, mirror, flip, turn, context);
  observer.RepaintArea(Union(before, SelectionArea(list)));
}

}  // namespace quillon
