// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/PlaceCommands.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "document/History.h"
#include "document/PageSetup.h"
#include "page/SizeText.h"
#include "render/Coordinates.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"
#include "render/TextMetrics.h"
#include "render/Transforms.h"
#include "settings/CustomSlots.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;
// Typed positions and sizes stay within this many document pixels of the page's corner, the
// largest page an export makes.
constexpr double kFarthestPixel = 32000;

BoundingBox BoxOfPoints(const std::vector<Point>& points) {
  BoundingBox box{points.front().x, points.front().y, points.front().x, points.front().y};
  for (const Point& p : points) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x);
    box.bottom = std::max(box.bottom, p.y);
  }
  return box;
}

BoundingBox BoundsOf(const ItemRecord& r) {
  return {r.boundLeft(), r.boundTop(), r.boundRight(), r.boundBottom()};
}

// The item's own extent: what the user sees of it, without the margins its bounds keep for
// the handles.
BoundingBox ItemBox(const ItemRecord& r, const GeometryContext& context) {
  if (IsPointListKind(r.kind())) {
    Outline outline;
    BuildOutline(r, TargetMapping::Document(), outline);
    if (outline.form == OutlineForm::Circle) {
      const Point c = outline.centre;
      const int32_t radius = outline.radius;
      return {ClampToInt32(int64_t{c.x} - radius), ClampToInt32(int64_t{c.y} - radius),
              ClampToInt32(int64_t{c.x} + radius), ClampToInt32(int64_t{c.y} + radius)};
    }
    if (!outline.points.empty()) return BoxOfPoints(outline.points);
    return BoundsOf(r);
  }
  if (r.kind() == kKindText && context.text != nullptr) {
    return TextRect(r, context.text->Measure(r, 1.0), context.textHandle).block;
  }
  return BoundsOf(r);
}

double Normalised(double degrees) {
  double d = std::fmod(degrees, 360.0);
  if (d < 0) d += 360;
  return d;
}

// The angle in radians a sole item shows; none for kinds without one.
std::optional<double> ItemAngle(const ItemRecord& r) {
  const auto& pts = r.points;
  switch (r.kind()) {
    case kKindText:
      return (r.textAngle() % 3600) / 10.0 * kPi / 180;
    case kKindLine:
      return AngleOf({r.x1(), r.y1()}, {r.x2(), r.y2()});
    case kKindPicture:
      return r.rotation();
    case kKindSpline:
    case kKindCurve:
      return std::nullopt;
    default:
      if (IsPointListKind(r.kind()) && pts.size() >= 2) return AngleOf(pts[0].point, pts[1].point);
      return std::nullopt;
  }
}

std::vector<ItemRecord*> SelectedItems(const ItemList& list) {
  std::vector<ItemRecord*> items;
  for (ItemRecord* r : SelectedRecords(list)) {
    if (IsDrawableKind(r->kind())) items.push_back(r);
  }
  return items;
}

std::vector<ItemRecord*> SelectedFrames(const ItemList& list) {
  std::vector<ItemRecord*> frames;
  for (ItemRecord* r : SelectedRecords(list)) {
    if (r->kind() == kKindGroupFrame) frames.push_back(r);
  }
  return frames;
}

double SelectionAngle(const ItemList& list) {
  const std::vector<ItemRecord*> items = SelectedItems(list);
  const std::vector<ItemRecord*> frames = SelectedFrames(list);
  std::optional<double> radians;
  if (frames.empty() && items.size() == 1) {
    radians = ItemAngle(*items.front());
  } else if (frames.size() == 1) {
    const int32_t group = frames.front()->groupNumber();
    const bool oneGroup = std::all_of(
        items.begin(), items.end(), [&](const ItemRecord* r) { return r->groupNumber() == group; });
    if (oneGroup) radians = frames.front()->angle();
  }
  if (!radians || !std::isfinite(*radians)) return 0;
  const double degrees = Normalised(std::round(*radians * 180 / kPi * 10) / 10);
  return degrees >= 359.95 ? 0 : degrees;
}

Point Scaled(Point p, Point corner, double sx, double sy) {
  return {RoundToInt32(corner.x + (double(p.x) - corner.x) * sx),
          RoundToInt32(corner.y + (double(p.y) - corner.y) * sy)};
}

Point Shifted(Point p, int64_t dx, int64_t dy) {
  return {ClampToInt32(p.x + dx), ClampToInt32(p.y + dy)};
}

void SetEnds(ItemRecord& r, Point a, Point b) {
  r.setX1(a.x);
  r.setY1(a.y);
  r.setX2(b.x);
  r.setY2(b.y);
}

Point End1(const ItemRecord& r) {
  return {r.x1(), r.y1()};
}
Point End2(const ItemRecord& r) {
  return {r.x2(), r.y2()};
}

// Bounds after an edit; a group frame keeps the angle it has been turned to.
void Rebound(ItemRecord& r, const GeometryContext& context) {
  if (r.kind() == kKindGroupFrame) {
    const double angle = r.angle();
    RecomputeDerived(r, context.screen);
    r.setAngle(angle);
  } else if (IsPointListKind(r.kind())) {
    Snapshot(r.points);
    RecomputeBounds(r, context);
  } else {
    BoundsAfterTransform(r, context);
  }
  TakeReference(r);
}

template <class Change>
void ForEachSelected(ItemList& list, const GeometryContext& context, Change change) {
  for (ItemRecord* r : SelectedRecords(list)) {
    if (!IsDrawableKind(r->kind()) && r->kind() != kKindGroupFrame) continue;
    TakeReference(*r);
    change(*r);
    Rebound(*r, context);
  }
}

void Translate(ItemList& list, const GeometryContext& context, int64_t dx, int64_t dy) {
  if (dx == 0 && dy == 0) return;
  ForEachSelected(list, context, [&](ItemRecord& r) {
    if (IsPointListKind(r.kind())) {
      for (PointEntry& e : r.points) {
        e.point = Shifted(e.point, dx, dy);
        e.handleIn = Shifted(e.handleIn, dx, dy);
        e.handleOut = Shifted(e.handleOut, dx, dy);
      }
    } else {
      SetEnds(r, Shifted(End1(r), dx, dy), Shifted(End2(r), dx, dy));
    }
  });
}

bool KeepsProportions(int32_t kind) {
  return kind == kKindPolygon || kind == kKindStar || kind == kKindPie || kind == kKindArc;
}

void ScaleShape(ItemRecord& r, Point corner, double sx, double sy, double typed) {
  if (KeepsProportions(r.kind())) sx = sy = typed;
  const bool uneven = std::abs(sx - sy) > 1e-12;
  if (r.kind() == kKindCircle && uneven && r.points.size() >= 4) {
    // The perpendicular rim point is the circle's fourth entry.
    const Point c = Scaled(r.points[0].point, corner, sx, sy);
    const Point p = Scaled(r.points[1].point, corner, sx, sy);
    const Point q = Scaled(r.points[3].point, corner, sx, sy);
    r.setKind(kKindEllipse);
    EllipseFromClicks(c, p, q, r.points);
    return;
  }
  if (r.kind() == kKindSquare && uneven) r.setKind(kKindRectangle);
  for (PointEntry& e : r.points) {
    e.point = Scaled(e.point, corner, sx, sy);
    e.handleIn = Scaled(e.handleIn, corner, sx, sy);
    e.handleOut = Scaled(e.handleOut, corner, sx, sy);
  }
}

void ScalePicture(ItemRecord& r, Point corner, double sx, double sy, double typed,
                  const GeometryContext& context) {
  if (r.clipShape() == 2) {
    const Point c = Scaled(End1(r), corner, typed, typed);
    const Point rim = Scaled(End2(r), corner, typed, typed);
    SetEnds(r, c, rim);
  } else {
    SetEnds(r, Scaled(End1(r), corner, sx, sy), Scaled(End2(r), corner, sx, sy));
  }
  FinishPictureResize(r, context);
}

void Scale(ItemList& list, const GeometryContext& context, Point corner, double sx, double sy,
           double typed) {
  ForEachSelected(list, context, [&](ItemRecord& r) {
    if (IsPointListKind(r.kind())) {
      ScaleShape(r, corner, sx, sy, typed);
    } else if (r.kind() == kKindPicture) {
      ScalePicture(r, corner, sx, sy, typed, context);
    } else {
      SetEnds(r, Scaled(End1(r), corner, sx, sy), Scaled(End2(r), corner, sx, sy));
      if (r.kind() == kKindText) {
        r.setFontSize(
            std::clamp(RoundToInt32(r.fontSize() * typed), kMinCustomFontSize, kMaxCustomFontSize));
      }
    }
  });
}

void Turn(ItemList& list, const GeometryContext& context, Point pivot, double angle) {
  ForEachSelected(list, context, [&](ItemRecord& r) {
    if (IsPointListKind(r.kind())) {
      RotatePoints(r.points, pivot, angle);
    } else if (r.kind() == kKindPicture) {
      OrbitBox(r, pivot, angle);
    } else if (r.kind() == kKindGroupFrame) {
      const Point p = RotatePoint(End1(r), pivot, angle);
      SetEnds(r, p, p);
      r.setAngle(r.angle() + angle);
    } else {
      RotateSegment(r, pivot, angle);
      if (r.kind() == kKindText) r.setTextAngle(((r.textAngle() % 3600) + 3600) % 3600);
    }
  });
}

Rect Union(Rect a, Rect b) {
  if (a.left > a.right) return b;
  if (b.left > b.right) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

int Decimals(PlaceField field, int32_t units) {
  if (field == PlaceField::Angle) return 1;
  if (units == kUnitPixels) return 0;
  return units == kUnitMillimetres ? 2 : 3;
}

QString FieldLabel(PlaceField field) {
  switch (field) {
    case PlaceField::X:
      return QStringLiteral("X");
    case PlaceField::Y:
      return QStringLiteral("Y");
    case PlaceField::Width:
      return QStringLiteral("Width");
    case PlaceField::Height:
      return QStringLiteral("Height");
    default:
      return QStringLiteral("Angle");
  }
}

QString Hint(PlaceField field, int32_t units) {
  if (field == PlaceField::Angle) return QStringLiteral("a number of degrees, such as 90 or 22.5");
  if (units == kUnitPixels) return QStringLiteral("a number of pixels, such as 120");
  if (units == kUnitMillimetres) {
    return QStringLiteral("a number of millimetres, such as 85 or 85.5");
  }
  return QStringLiteral("a number of inches, such as 3.5 or 3 1/2");
}

}  // namespace

std::optional<SelectionPlace> SelectionPlaceOf(const ItemList& list,
                                               const GeometryContext& context) {
  const std::vector<ItemRecord*> items = SelectedItems(list);
  if (items.empty()) return std::nullopt;
  SelectionPlace place;
  place.box = ItemBox(*items.front(), context);
  for (const ItemRecord* r : items) {
    const BoundingBox b = ItemBox(*r, context);
    place.box.left = std::min(place.box.left, b.left);
    place.box.top = std::min(place.box.top, b.top);
    place.box.right = std::max(place.box.right, b.right);
    place.box.bottom = std::max(place.box.bottom, b.bottom);
  }
  place.angle = SelectionAngle(list);
  return place;
}

PlaceUnits PlaceUnitsOf(const ItemList& list) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return {};
  PlaceUnits units{page->pageUnits(), page->pixelsPerUnitX(), page->pixelsPerUnitY()};
  // A damaged record's scale is replaced by the screen's, so that no division goes wrong.
  if (!(units.perUnitX > 0) || !(units.perUnitY > 0) || !std::isfinite(units.perUnitX) ||
      !std::isfinite(units.perUnitY)) {
    const UnitScale scale = UnitsScale(units.units, list.screen());
    units.perUnitX = scale.pixelsPerUnitX;
    units.perUnitY = scale.pixelsPerUnitY;
  }
  return units;
}

double FieldValue(const SelectionPlace& place, PlaceField field, const PlaceUnits& units) {
  const BoundingBox& b = place.box;
  int64_t pixels = 0;
  double perUnit = units.perUnitX;
  switch (field) {
    case PlaceField::X:
      pixels = b.left;
      break;
    case PlaceField::Y:
      pixels = b.top;
      perUnit = units.perUnitY;
      break;
    case PlaceField::Width:
      pixels = int64_t{b.right} - b.left;
      break;
    case PlaceField::Height:
      pixels = int64_t{b.bottom} - b.top;
      perUnit = units.perUnitY;
      break;
    default:
      return place.angle;
  }
  // The shortest value that reads back to the same pixel: 20 mm typed shows as 20, not as the
  // 20.11 mm that the whole pixel it became measures.
  const int most = Decimals(field, units.units);
  double value = 0;
  for (int decimals = 0; decimals <= most; ++decimals) {
    const double scale = std::pow(10.0, decimals);
    value = std::round(double(pixels) / perUnit * scale) / scale;
    if (RoundToInt32(value * perUnit) == pixels) break;
  }
  return value;
}

QString FormatFieldValue(PlaceField field, double value, int32_t units) {
  QString text = QString::number(value, 'f', Decimals(field, units));
  if (text.contains(u'.')) {
    while (text.endsWith(u'0'))
      text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
  }
  return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

PlaceInput ParsePlaceField(PlaceField field, QStringView text, int32_t units,
                           double pixelsPerUnit) {
  const QString label = FieldLabel(field);
  const QString hint = Hint(field, units);
  const QString trimmed = text.trimmed().toString();
  if (trimmed.isEmpty()) return {std::nullopt, label + QStringLiteral(": type ") + hint + u'.'};
  // Angles are plain decimals: the parser reads them as a unit without fractions.
  const int32_t readAs = field == PlaceField::Angle ? kUnitMillimetres : units;
  const std::optional<double> value = ParseSizeText(trimmed, readAs);
  const QString quoted = u'"' + trimmed + u'"';
  if (!value) {
    const QString what = field == PlaceField::Angle ? QStringLiteral("an angle")
                         : field == PlaceField::X || field == PlaceField::Y
                             ? QStringLiteral("a position")
                             : QStringLiteral("a size");
    return {std::nullopt, label + QStringLiteral(": ") + quoted + QStringLiteral(" is not ") +
                              what + QStringLiteral("; type ") + hint + u'.'};
  }
  const bool sized = field == PlaceField::Width || field == PlaceField::Height;
  if (sized && !(*value > 0))
    return {std::nullopt, label + QStringLiteral(" must be more than 0.")};
  const double reach = field == PlaceField::Angle ? std::abs(*value) / 1e9
                                                 : std::abs(*value * pixelsPerUnit) / kFarthestPixel;
  if (!(reach <= 1)) {
    return {std::nullopt,
            label + QStringLiteral(": ") + quoted + QStringLiteral(" is too large for a drawing.")};
  }
  return {value, QString()};
}

bool ApplyPlace(ItemList& list, EditObserver& observer, PlaceField field, double value,
                const GeometryContext& context) {
  const std::optional<SelectionPlace> place = SelectionPlaceOf(list, context);
  if (!place || !std::isfinite(value)) return false;
  const PlaceUnits units = PlaceUnitsOf(list);
  const BoundingBox box = place->box;
  const double perUnit =
      field == PlaceField::Y || field == PlaceField::Height ? units.perUnitY : units.perUnitX;
  const double pixels = std::clamp(value * perUnit, -kFarthestPixel, kFarthestPixel);
  const int32_t target = RoundToInt32(pixels);
  const Rect before = SelectionArea(list);
  switch (field) {
    case PlaceField::X:
    case PlaceField::Y: {
      const int64_t d = int64_t{target} - (field == PlaceField::X ? box.left : box.top);
      if (d == 0) return false;
      BeginEdit(list, observer, false);
      Translate(list, context, field == PlaceField::X ? d : 0, field == PlaceField::Y ? d : 0);
      break;
    }
    case PlaceField::Width:
    case PlaceField::Height: {
      const bool wide = field == PlaceField::Width;
      const int64_t now = wide ? int64_t{box.right} - box.left : int64_t{box.bottom} - box.top;
      const int64_t wanted = std::max<int64_t>(1, target);
      if (now <= 0 || wanted == now) return false;
      const double factor = double(wanted) / double(now);
      BeginEdit(list, observer, false);
      Scale(list, context, {box.left, box.top}, wide ? factor : 1, wide ? 1 : factor, factor);
      // Rounded outlines and text blocks can shift the box by a pixel: its corner is put back.
      if (const auto after = SelectionPlaceOf(list, context)) {
        Translate(list, context, int64_t{box.left} - after->box.left,
                  int64_t{box.top} - after->box.top);
      }
      break;
    }
    default: {
      const double turn = value - place->angle;
      if (std::abs(turn) < 1e-9) return false;
      BeginEdit(list, observer, false);
      Turn(list, context, Midpoint({box.left, box.top}, {box.right, box.bottom}), turn * kPi / 180);
      break;
    }
  }
  observer.RepaintArea(Union(before, SelectionArea(list)));
  return true;
}

}  // namespace quillon
