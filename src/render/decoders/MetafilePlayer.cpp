// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/decoders/MetafilePlayer.h"

#include <uemf.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace quillon {
namespace {

// Device coordinates beyond this are refused: no picture is that large, and Qt's rasterizer
// works in fixed point that such values would overflow.
constexpr double kCoordinateLimit = 1 << 24;
constexpr size_t kMaxSavedStates = 1024;
constexpr size_t kMaxObjects = 65536;
constexpr size_t kMaxClipRects = 4096;
constexpr int kMaxFontPixels = 20000;
// The cell height of the font a metafile gets before it selects one.
constexpr double kDefaultFontCell = 16;
// Glyphs taller than this many pixels are drawn from their outlines.
constexpr int kLargestCachedGlyph = 256;

QColor FromColourRef(uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

bool InRange(QPointF p) {
  return std::isfinite(p.x()) && std::isfinite(p.y()) && std::abs(p.x()) <= kCoordinateLimit &&
         std::abs(p.y()) <= kCoordinateLimit;
}

// The dash patterns of GDI's styled one-pixel pens, in pixels.
QList<qreal> DashesOf(uint32_t style) {
  switch (style) {
    case U_PS_DASH:
      return {18, 6};
    case U_PS_DOT:
      return {3, 3};
    case U_PS_DASHDOT:
      return {9, 6, 3, 6};
    case U_PS_DASHDOTDOT:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

Qt::BrushStyle HatchOf(uint32_t hatch) {
  switch (hatch) {
    case U_HS_HORIZONTAL:
      return Qt::HorPattern;
    case U_HS_VERTICAL:
      return Qt::VerPattern;
    case U_HS_FDIAGONAL:
      return Qt::FDiagPattern;
    case U_HS_BDIAGONAL:
      return Qt::BDiagPattern;
    case U_HS_CROSS:
      return Qt::CrossPattern;
    case U_HS_DIAGCROSS:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

// The parametric angle, in degrees, at which the ray from the box's centre through p meets the
// ellipse inscribed in the box: GDI's arcs start and end on such rays.
double RayAngle(const QRectF& box, QPointF p) {
  const QPointF c = box.center();
  return std::atan2(-(p.y() - c.y()) * box.width(), (p.x() - c.x()) * box.height()) * 180 / M_PI;
}

// The clip is kept in bitmap pixels, never larger than the bitmap and a pixel around it.
QRect ClipBounds(const QImage& image) {
  return QRect(-1, -1, image.width() + 2, image.height() + 2);
}

// GDI refuses extents of zero; extents beyond what 32 bits hold, or so small that the scale
// would overflow, can only come from repeated scaling and are refused too.
bool ValidExtent(double x, double y) {
  constexpr double kLargest = 2147483648.0;
  constexpr double kSmallest = 1e-6;
  const double ax = std::abs(x);
  const double ay = std::abs(y);
  return ax >= kSmallest && ay >= kSmallest && ax <= kLargest && ay <= kLargest;
}

// Drawing calls may fill this many times the bitmap's area (and a floor for small pictures);
// what a hostile metafile draws beyond that is skipped instead of costing minutes.
constexpr double kWorkPerPixel = 16;
constexpr double kWorkFloor = 1 << 24;

// The length of a path's control polygon: no shorter than the path.
double ControlLength(const QPainterPath& path) {
  double length = 0;
  for (int i = 1; i < path.elementCount(); ++i) {
    const QPainterPath::Element& e = path.elementAt(i);
    if (e.isMoveTo()) continue;
    const QPainterPath::Element& before = path.elementAt(i - 1);
    length += std::hypot(e.x - before.x, e.y - before.y);
  }
  return length;
}

}  // namespace

MetafileCanvas::MetafileCanvas(Bitmap& target, QPointF deviceOrigin, double pxPerMm)
    : image_(target.Image()), painter_(&image_), deviceOrigin_(deviceOrigin), pxPerMm_(pxPerMm) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // A pen wider than twice the bitmap's width and height covers everything it reaches; wider
  // ones would only cost time.
  maxPenWidth_ = 2.0 * (image_.width() + image_.height());
  workLeft_ = kWorkPerPixel * image_.width() * image_.height() + kWorkFloor;
  UpdateTransform();
}

bool MetafileCanvas::Spend(double pixels) {
  if (workLeft_ <= 0) return false;
  workLeft_ -= std::isfinite(pixels) ? std::max(pixels, 1.0) : workLeft_;
  return true;
}

double MetafileCanvas::AreaOnBitmap(const QRectF& device) const {
  const QRectF shown =
      device.normalized().intersected(QRectF(0, 0, image_.width(), image_.height()));
  return shown.isEmpty() ? 0 : shown.width() * shown.height();
}

MetafileCanvas::~MetafileCanvas() {
  painter_.end();
}

void MetafileCanvas::UpdateTransform() {
  const Mapping& m = state_.mapping;
  double sx = 1;
  double sy = 1;
  switch (m.mode) {
    case U_MM_LOMETRIC:
      sx = pxPerMm_ * 0.1;
      sy = -sx;
      break;
    case U_MM_HIMETRIC:
      sx = pxPerMm_ * 0.01;
      sy = -sx;
      break;
    case U_MM_LOENGLISH:
      sx = pxPerMm_ * 0.254;
      sy = -sx;
      break;
    case U_MM_HIENGLISH:
      sx = pxPerMm_ * 0.0254;
      sy = -sx;
      break;
    case U_MM_TWIPS:
      sx = pxPerMm_ * 25.4 / 1440;
      sy = -sx;
      break;
    case U_MM_ISOTROPIC:
    case U_MM_ANISOTROPIC:
      sx = m.viewExtX / m.windowExtX;
      sy = m.viewExtY / m.windowExtY;
      if (m.mode == U_MM_ISOTROPIC) {
        // Both axes take the smaller scale, keeping their signs.
        const double s = std::min(std::abs(sx), std::abs(sy));
        sx = std::copysign(s, sx);
        sy = std::copysign(s, sy);
      }
      break;
    default:
      break;
  }
  scaleX_ = sx;
  scaleY_ = sy;
  offsetX_ = m.viewOrgX - m.windowOrgX * sx - deviceOrigin_.x();
  offsetY_ = m.viewOrgY - m.windowOrgY * sy - deviceOrigin_.y();
}

// GDI works in whole device pixels, so mapped points are rounded.
QPointF MetafileCanvas::Map(QPointF p) const {
  return {std::round(p.x() * scaleX_ + offsetX_), std::round(p.y() * scaleY_ + offsetY_)};
}

bool MetafileCanvas::MapAll(const std::vector<QPointF>& logical, QPolygonF& device) const {
  device.clear();
  device.reserve(static_cast<qsizetype>(logical.size()));
  for (QPointF p : logical) {
    const QPointF q = Map(p);
    if (!InRange(q)) return false;
    device.append(q);
  }
  return true;
}

bool MetafileCanvas::MapBox(QPointF topLeft, QPointF bottomRight, QRectF& device) const {
  const QPointF a = Map(topLeft);
  const QPointF b = Map(bottomRight);
  if (!InRange(a) || !InRange(b)) return false;
  device = QRectF(a, b).normalized();
  return true;
}

void MetafileCanvas::SetMapMode(int mode) {
  if (mode < U_MM_MIN || mode > U_MM_MAX) return;
  state_.mapping.mode = mode;
  UpdateTransform();
}

void MetafileCanvas::SetWindowOrg(double x, double y) {
  state_.mapping.windowOrgX = x;
  state_.mapping.windowOrgY = y;
  UpdateTransform();
}

void MetafileCanvas::SetWindowExt(double x, double y) {
  if (!ValidExtent(x, y)) return;
  state_.mapping.windowExtX = x;
  state_.mapping.windowExtY = y;
  UpdateTransform();
}

void MetafileCanvas::SetViewportOrg(double x, double y) {
  state_.mapping.viewOrgX = x;
  state_.mapping.viewOrgY = y;
  UpdateTransform();
}

void MetafileCanvas::SetViewportExt(double x, double y) {
  if (!ValidExtent(x, y)) return;
  state_.mapping.viewExtX = x;
  state_.mapping.viewExtY = y;
  UpdateTransform();
}

void MetafileCanvas::OffsetWindowOrg(double dx, double dy) {
  SetWindowOrg(state_.mapping.windowOrgX + dx, state_.mapping.windowOrgY + dy);
}

void MetafileCanvas::OffsetViewportOrg(double dx, double dy) {
  SetViewportOrg(state_.mapping.viewOrgX + dx, state_.mapping.viewOrgY + dy);
}

void MetafileCanvas::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom) {
  if (xDenom == 0 || yDenom == 0) return;
  SetWindowExt(state_.mapping.windowExtX * xNum / xDenom,
               state_.mapping.windowExtY * yNum / yDenom);
}

void MetafileCanvas::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom) {
  if (xDenom == 0 || yDenom == 0) return;
  SetViewportExt(state_.mapping.viewExtX * xNum / xDenom, state_.mapping.viewExtY * yNum / yDenom);
}

void MetafileCanvas::SaveDc() {
  if (saved_.size() < kMaxSavedStates) saved_.push_back(state_);
}

void MetafileCanvas::RestoreDc(int level) {
  const int64_t count = static_cast<int64_t>(saved_.size());
  // The state to return to, counted from 1 for the oldest saved one.
  const int64_t index = level < 0 ? count + level + 1 : level;
  if (level == 0 || index < 1 || index > count) return;
  state_ = saved_[static_cast<size_t>(index - 1)];
  saved_.resize(static_cast<size_t>(index - 1));
  UpdateTransform();
  ApplyClip();
}

void MetafileCanvas::CreateObject(uint32_t index, MetaObject object) {
  if (objects_.size() >= kMaxObjects && !objects_.contains(index)) return;
  objects_[index] = std::move(object);
}

void MetafileCanvas::AddObject(MetaObject object) {
  // The lowest free slot: a freed one, else the next never used; a full table drops the object.
  uint32_t slot = nextSlot_;
  if (!freeSlots_.empty()) {
    slot = *freeSlots_.begin();
    freeSlots_.erase(freeSlots_.begin());
  } else if (nextSlot_ < capacity_ && nextSlot_ < kMaxObjects) {
    ++nextSlot_;
  } else {
    return;
  }
  objects_[slot] = std::move(object);
}

void MetafileCanvas::SelectObject(uint32_t index) {
  if (index & U_STOCK_OBJECT) {
    SelectStockObject(index & ~U_STOCK_OBJECT);
    return;
  }
  const auto found = objects_.find(index);
  if (found == objects_.end()) return;
  if (const auto* pen = std::get_if<MetaPen>(&found->second)) state_.pen = *pen;
  if (const auto* brush = std::get_if<MetaBrush>(&found->second)) state_.brush = *brush;
  if (const auto* font = std::get_if<MetaFont>(&found->second)) state_.font = *font;
}

void MetafileCanvas::SelectStockObject(uint32_t stock) {
  constexpr int kGreys[] = {255, 192, 128, 64, 0};
  if (stock <= 4) {
    state_.brush = MetaBrush{.colour = QColor(kGreys[stock], kGreys[stock], kGreys[stock])};
  } else if (stock == 5) {
    state_.brush = MetaBrush{.style = U_BS_NULL};
  } else if (stock == 6 || stock == 7 || stock == 19) {
    state_.pen = MetaPen{.colour = stock == 6 ? Qt::white : Qt::black};
  } else if (stock == 8) {
    state_.pen = MetaPen{.style = U_PS_NULL};
  } else if (stock >= 10 && stock <= 17) {
    state_.font = MetaFont{};
  } else if (stock == 18) {
    state_.brush = MetaBrush{};
  }
}

void MetafileCanvas::DeleteObject(uint32_t index) {
  if (objects_.erase(index) && index < nextSlot_) freeSlots_.insert(index);
}

void MetafileCanvas::SetTextColour(uint32_t colourRef) {
  state_.textColour = FromColourRef(colourRef);
}

void MetafileCanvas::SetBkColour(uint32_t colourRef) {
  state_.bkColour = FromColourRef(colourRef);
}

void MetafileCanvas::SetBkMode(int mode) {
  if (mode == U_TRANSPARENT || mode == U_OPAQUE) state_.bkMode = mode;
}

void MetafileCanvas::SetTextAlign(uint32_t align) {
  state_.textAlign = align;
}

void MetafileCanvas::SetPolyFillMode(int mode) {
  if (mode == U_ALTERNATE || mode == U_WINDING) state_.polyFillMode = mode;
}

void MetafileCanvas::SetArcDirection(int direction) {
  if (direction == U_AD_COUNTERCLOCKWISE || direction == U_AD_CLOCKWISE)
    state_.clockwise = direction == U_AD_CLOCKWISE;
}

bool MetafileCanvas::PenIsNull() const {
  return (state_.pen.style & U_PS_STYLE_MASK) == U_PS_NULL;
}

bool MetafileCanvas::BrushIsNull() const {
  return state_.brush.style == U_BS_NULL;
}

// One-pixel pens leave out the last pixel of a line and may be styled, as in GDI; wider pens
// are solid with the caps and joins their style asks for (round by default).
QPen MetafileCanvas::DevicePen() const {
  const MetaPen& p = state_.pen;
  if (PenIsNull()) return QPen(Qt::NoPen);
  const double scaled = p.deviceWidth ? p.width : p.width * std::abs(scaleX_);
  const double width = std::round(std::clamp(scaled, 1.0, maxPenWidth_));
  QPen pen(p.colour, width);
  if (width <= 1) {
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    const QList<qreal> dashes = DashesOf(p.style & U_PS_STYLE_MASK);
    if (!dashes.isEmpty()) pen.setDashPattern(dashes);
    return pen;
  }
  switch (p.style & U_PS_ENDCAP_MASK) {
    case U_PS_ENDCAP_SQUARE:
      pen.setCapStyle(Qt::SquareCap);
      break;
    case U_PS_ENDCAP_FLAT:
      pen.setCapStyle(Qt::FlatCap);
      break;
    default:
      pen.setCapStyle(Qt::RoundCap);
  }
  switch (p.style & U_PS_JOIN_MASK) {
    case U_PS_JOIN_BEVEL:
      pen.setJoinStyle(Qt::BevelJoin);
      break;
    case U_PS_JOIN_MITER:
      pen.setJoinStyle(Qt::MiterJoin);
      break;
    default:
      pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

QBrush MetafileCanvas::DeviceBrush() const {
  const MetaBrush& b = state_.brush;
  if (BrushIsNull()) return QBrush(Qt::NoBrush);
  if (b.style == U_BS_HATCHED) return QBrush(b.colour, HatchOf(b.hatch));
  return QBrush(b.colour);
}

// Gaps of styled pens and hatches show the background colour in opaque mode.
void MetafileCanvas::StrokeDevicePath(const QPainterPath& path) {
  if (PenIsNull()) return;
  const QPen pen = DevicePen();
  const double width = std::max(pen.widthF(), 1.0);
  const QRectF reach = path.controlPointRect().adjusted(-width, -width, width, width);
  if (!Spend(std::min(AreaOnBitmap(reach), ControlLength(path) * width))) return;
  painter_.setBackgroundMode(state_.bkMode == U_OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
  painter_.setBackground(state_.bkColour);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawPath(path);
}

void MetafileCanvas::FillDevicePath(const QPainterPath& path) {
  if (BrushIsNull() || !Spend(AreaOnBitmap(path.controlPointRect()))) return;
  painter_.setBackgroundMode(state_.bkMode == U_OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
  painter_.setBackground(state_.bkColour);
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(DeviceBrush());
  QPainterPath filled = path;
  filled.setFillRule(state_.polyFillMode == U_WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  painter_.drawPath(filled);
}

// Inside a path bracket the outline is recorded; otherwise a closed figure is filled with the
// brush and then framed with the pen.
void MetafileCanvas::DrawShape(const QPainterPath& outline, bool closed) {
  if (inPath_) {
    path_.addPath(outline);
    return;
  }
  if (closed) FillDevicePath(outline);
  StrokeDevicePath(outline);
}

void MetafileCanvas::MoveTo(QPointF p) {
  state_.position = p;
  const QPointF q = Map(p);
  if (inPath_ && InRange(q)) path_.moveTo(q);
}

void MetafileCanvas::LineTo(QPointF p) {
  PolylineTo({p});
}

void MetafileCanvas::Polyline(const std::vector<QPointF>& points) {
  QPolygonF device;
  if (points.size() < 2 || !MapAll(points, device)) return;
  QPainterPath outline;
  outline.addPolygon(device);
  DrawShape(outline, false);
}

void MetafileCanvas::PolylineTo(const std::vector<QPointF>& points) {
  QPolygonF device;
  const QPointF from = Map(state_.position);
  if (points.empty() || !InRange(from) || !MapAll(points, device)) return;
  state_.position = points.back();
  if (inPath_) {
    if (path_.elementCount() == 0 || path_.currentPosition() != from) path_.moveTo(from);
    for (QPointF q : device)
      path_.lineTo(q);
    return;
  }
  device.prepend(from);
  QPainterPath outline;
  outline.addPolygon(device);
  StrokeDevicePath(outline);
}

void MetafileCanvas::Polygon(const std::vector<QPointF>& points) {
  PolyPolygon({points});
}

void MetafileCanvas::PolyPolygon(const std::vector<std::vector<QPointF>>& polygons) {
  QPainterPath outline;
  for (const std::vector<QPointF>& points : polygons) {
    QPolygonF device;
    if (!MapAll(points, device)) return;
    if (device.size() < 2) continue;
    outline.addPolygon(device);
    outline.closeSubpath();
  }
  DrawShape(outline, true);
}

void MetafileCanvas::PolyPolyline(const std::vector<std::vector<QPointF>>& polylines) {
  QPainterPath outline;
  for (const std::vector<QPointF>& points : polylines) {
    QPolygonF device;
    if (!MapAll(points, device)) return;
    if (device.size() >= 2) outline.addPolygon(device);
  }
  DrawShape(outline, false);
}

void MetafileCanvas::PolyBezier(const std::vector<QPointF>& points) {
  QPolygonF device;
  if (points.size() < 4 || !MapAll(points, device)) return;
  QPainterPath outline(device[0]);
  for (qsizetype i = 1; i + 2 < device.size(); i += 3)
    outline.cubicTo(device[i], device[i + 1], device[i + 2]);
  DrawShape(outline, false);
}

void MetafileCanvas::PolyBezierTo(const std::vector<QPointF>& points) {
  QPolygonF device;
  const QPointF from = Map(state_.position);
  if (points.size() < 3 || !InRange(from) || !MapAll(points, device)) return;
  const size_t used = points.size() / 3 * 3;
  state_.position = points[used - 1];
  QPainterPath outline(from);
  if (inPath_) {
    if (path_.elementCount() == 0 || path_.currentPosition() != from) path_.moveTo(from);
  }
  QPainterPath& target = inPath_ ? path_ : outline;
  for (qsizetype i = 0; i + 2 < device.size(); i += 3)
    target.cubicTo(device[i], device[i + 1], device[i + 2]);
  if (!inPath_) StrokeDevicePath(outline);
}

// GDI fills a rectangle up to, but not including, its right and bottom edges, and frames it on
// the pixels just inside them; an inside-frame pen keeps its whole width within the box.
void MetafileCanvas::Rectangle(QPointF topLeft, QPointF bottomRight) {
  QRectF box;
  if (!MapBox(topLeft, bottomRight, box)) return;
  if (inPath_) {
    path_.addRect(box);
    return;
  }
  if (box.width() < 1 || box.height() < 1) return;
  QPainterPath fill;
  fill.addRect(box);
  FillDevicePath(fill);
  QRectF frame(box.x(), box.y(), box.width() - 1, box.height() - 1);
  if ((state_.pen.style & U_PS_STYLE_MASK) == U_PS_INSIDEFRAME) {
    const double half = std::floor(DevicePen().widthF() / 2);
    frame.adjust(half, half, -half, -half);
  }
  QPainterPath outline;
  outline.addRect(frame);
  StrokeDevicePath(outline);
}

void MetafileCanvas::RoundRect(QPointF topLeft, QPointF bottomRight, QSizeF corner) {
  QRectF box;
  if (!MapBox(topLeft, bottomRight, box) || box.width() < 1 || box.height() < 1) return;
  const double rx = std::min(std::abs(corner.width() * scaleX_) / 2, box.width() / 2);
  const double ry = std::min(std::abs(corner.height() * scaleY_) / 2, box.height() / 2);
  QPainterPath outline;
  outline.addRoundedRect(QRectF(box.x(), box.y(), box.width() - 1, box.height() - 1), rx, ry);
  DrawShape(outline, true);
}

void MetafileCanvas::Ellipse(QPointF topLeft, QPointF bottomRight) {
  QRectF box;
  if (!MapBox(topLeft, bottomRight, box) || box.width() < 1 || box.height() < 1) return;
  QPainterPath outline;
  outline.addEllipse(QRectF(box.x(), box.y(), box.width() - 1, box.height() - 1));
  DrawShape(outline, true);
}

QPainterPath MetafileCanvas::ArcPath(const QRectF& box, QPointF start, QPointF end, ArcKind kind,
                                     bool connectFromCurrent) const {
  const double from = RayAngle(box, start);
  double sweep = RayAngle(box, end) - from;
  // Arcs run counter-clockwise unless the arc direction says otherwise; equal rays make a
  // whole ellipse.
  if (state_.clockwise) {
    if (sweep >= 0) sweep -= 360;
  } else if (sweep <= 0) {
    sweep += 360;
  }
  QPainterPath path;
  if (kind == ArcKind::Pie) {
    path.moveTo(box.center());
  } else if (connectFromCurrent) {
    path.moveTo(Map(state_.position));
  } else {
    path.arcMoveTo(box, from);
  }
  path.arcTo(box, from, sweep);
  if (kind == ArcKind::Pie || kind == ArcKind::Chord) path.closeSubpath();
  return path;
}

void MetafileCanvas::EllipticArc(QPointF topLeft, QPointF bottomRight, QPointF start, QPointF end,
                                 ArcKind kind) {
  QRectF box;
  if (!MapBox(topLeft, bottomRight, box) || box.width() < 2 || box.height() < 2) return;
  box.adjust(0, 0, -1, -1);
  const QPointF s = Map(start);
  const QPointF e = Map(end);
  if (!InRange(s) || !InRange(e)) return;
  const bool connect = kind == ArcKind::ArcTo && InRange(Map(state_.position));
  QPainterPath outline = ArcPath(box, s, e, kind, connect);
  if (kind == ArcKind::ArcTo) {
    // The current position moves to the arc's end, taken back into logical units.
    const QPointF last = outline.currentPosition();
    state_.position = {(last.x() - offsetX_) / scaleX_, (last.y() - offsetY_) / scaleY_};
  }
  const bool closed = kind == ArcKind::Pie || kind == ArcKind::Chord;
  if (inPath_ && kind == ArcKind::ArcTo) {
    if (path_.elementCount() == 0) path_.moveTo(outline.elementAt(0));
    path_.connectPath(outline);
    return;
  }
  DrawShape(outline, closed);
}

void MetafileCanvas::BeginPath() {
  inPath_ = true;
  path_ = QPainterPath();
  finishedPath_ = QPainterPath();
}

void MetafileCanvas::EndPath() {
  if (!inPath_) return;
  inPath_ = false;
  finishedPath_ = path_;
  path_ = QPainterPath();
}

void MetafileCanvas::CloseFigure() {
  if (inPath_) path_.closeSubpath();
}

void MetafileCanvas::AbortPath() {
  inPath_ = false;
  path_ = QPainterPath();
  finishedPath_ = QPainterPath();
}

void MetafileCanvas::FillPath() {
  if (inPath_) return;
  FillDevicePath(finishedPath_);
  finishedPath_ = QPainterPath();
}

void MetafileCanvas::StrokePath() {
  if (inPath_) return;
  StrokeDevicePath(finishedPath_);
  finishedPath_ = QPainterPath();
}

void MetafileCanvas::StrokeAndFillPath() {
  if (inPath_) return;
  FillDevicePath(finishedPath_);
  StrokeDevicePath(finishedPath_);
  finishedPath_ = QPainterPath();
}

void MetafileCanvas::ApplyClip() {
  if (state_.clip) {
    painter_.setClipRegion(*state_.clip);
  } else {
    painter_.setClipping(false);
  }
}

void MetafileCanvas::IntersectClipRect(QPointF topLeft, QPointF bottomRight) {
  QRectF box;
  if (!MapBox(topLeft, bottomRight, box)) return;
  const QRect bounds = ClipBounds(image_);
  const QRegion current = state_.clip ? *state_.clip : QRegion(bounds);
  SetClip(current.intersected(box.toRect().intersected(bounds)));
}

void MetafileCanvas::ExcludeClipRect(QPointF topLeft, QPointF bottomRight) {
  QRectF box;
  if (!MapBox(topLeft, bottomRight, box)) return;
  const QRect bounds = ClipBounds(image_);
  const QRegion current = state_.clip ? *state_.clip : QRegion(bounds);
  SetClip(current.subtracted(box.toRect().intersected(bounds)));
}

void MetafileCanvas::SelectClipRects(const std::vector<QRectF>& deviceRects) {
  if (deviceRects.empty()) {
    state_.clip.reset();
    ApplyClip();
    return;
  }
  if (deviceRects.size() > kMaxClipRects) return;
  const QRect bounds = ClipBounds(image_);
  QRegion region;
  for (QRectF r : deviceRects) {
    r.translate(-deviceOrigin_);
    if (!InRange(r.topLeft()) || !InRange(r.bottomRight())) continue;
    region += r.normalized().toRect().intersected(bounds);
  }
  SetClip(region);
}

// Each clip operation costs time in proportion to the region's rectangles, so a region that
// would grow past the cap is not taken: hostile files could otherwise pile up exclusions.
void MetafileCanvas::SetClip(const QRegion& region) {
  if (static_cast<size_t>(region.rectCount()) > kMaxClipRects) return;
  state_.clip = region;
  ApplyClip();
}

QFont MetafileCanvas::DeviceFont(double& ascent, double& descent) const {
  const MetaFont& f = state_.font;
  QFont font(f.face.isEmpty() ? QStringLiteral("Arial") : f.face);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 100, 900)));
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  font.setStrikeOut(f.strikeOut);
  double size = f.height == 0 ? kDefaultFontCell : std::abs(f.height * scaleY_);
  if (f.height >= 0) {
    // A positive height is the whole cell: find the em size whose cell is that tall.
    QFont probe(font);
    probe.setPixelSize(100);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell > 0) size = size * 100 / cell;
  }
  font.setPixelSize(static_cast<int>(std::round(std::clamp(size, 1.0, double{kMaxFontPixels}))));
  if (f.width != 0) {
    const double average = QFontMetricsF(font).averageCharWidth();
    const double wanted = std::abs(f.width * scaleX_);
    if (average > 0) {
      font.setStretch(
          static_cast<int>(std::round(std::clamp(100 * wanted / average, 1.0, 4000.0))));
    }
  }
  const QFontMetricsF metrics(font);
  ascent = metrics.ascent();
  descent = metrics.descent();
  return font;
}

void MetafileCanvas::TextOut(QPointF reference, const QString& text, const std::vector<double>& dx,
                             uint32_t options, std::optional<std::pair<QPointF, QPointF>> rect) {
  if (inPath_) return;
  // Qt has fonts only inside a GUI application; a headless caller gets the picture without text.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  const bool updatePosition = state_.textAlign & U_TA_UPDATECP;
  const QPointF origin = Map(updatePosition ? state_.position : reference);
  if (!InRange(origin)) return;
  std::optional<QRectF> box;
  QRectF mapped;
  if (rect && MapBox(rect->first, rect->second, mapped)) box = mapped;
  if (box && (options & U_ETO_OPAQUE) && Spend(AreaOnBitmap(*box))) {
    painter_.fillRect(*box, state_.bkColour);
  }
  if (text.isEmpty()) return;

  double ascent = 0;
  double descent = 0;
  const QFont font = DeviceFont(ascent, descent);
  const QFontMetricsF metrics(font);
  // With a spacing array each character sits at its own advance; without, Qt lays out the run.
  std::vector<double> advances;
  double total = 0;
  if (dx.empty()) {
    total = metrics.horizontalAdvance(text);
  } else {
    for (qsizetype i = 0; i < text.size(); ++i) {
      const double advance =
          static_cast<size_t>(i) < dx.size()
              ? std::clamp(dx[i] * std::abs(scaleX_), -kCoordinateLimit, kCoordinateLimit)
              : metrics.horizontalAdvance(text[i]);
      advances.push_back(advance);
      total += advance;
    }
  }
  // A run wider than any picture, or spaced by absurd advances, is not drawn.
  if (!(std::abs(total) <= kCoordinateLimit)) return;
  double x = 0;
  if ((state_.textAlign & U_TA_CENTER) == U_TA_CENTER) {
    x = -total / 2;
  } else if (state_.textAlign & U_TA_RIGHT) {
    x = -total;
  }
  double baseline = ascent;
  if ((state_.textAlign & U_TA_BASELINE) == U_TA_BASELINE) {
    baseline = 0;
  } else if (state_.textAlign & U_TA_BOTTOM) {
    baseline = -descent;
  }

  const double bitmapArea = double(image_.width()) * image_.height();
  if (!Spend(std::min(std::abs(total) * (ascent + descent), bitmapArea))) return;
  painter_.save();
  if (box && (options & U_ETO_CLIPPED)) painter_.setClipRect(*box, Qt::IntersectClip);
  painter_.translate(origin);
  painter_.rotate(-(state_.font.escapement / 10.0));
  if (state_.bkMode == U_OPAQUE)
    painter_.fillRect(QRectF(x, baseline - ascent, total, ascent + descent), state_.bkColour);
  painter_.setFont(font);
  painter_.setPen(state_.textColour);
  // Large or widely stretched glyphs are filled as outlines, which cost only the pixels they
  // cover: the glyph cache would first make a picture of each glyph at its full size.
  const bool outlined =
      font.pixelSize() * std::max(font.stretch(), 100) / 100 > kLargestCachedGlyph;
  const auto draw = [&](QPointF at, const QString& run) {
    if (!outlined) {
      painter_.drawText(at, run);
      return;
    }
    QPainterPath outline;
    outline.addText(at, font, run);
    painter_.fillPath(outline, state_.textColour);
  };
  if (advances.empty()) {
    draw(QPointF(x, baseline), text);
  } else {
    for (qsizetype i = 0; i < text.size(); ++i) {
      draw(QPointF(x, baseline), QString(text[i]));
      x += advances[static_cast<size_t>(i)];
    }
  }
  painter_.restore();
  if (updatePosition && scaleX_ != 0) state_.position.rx() += total / std::abs(scaleX_);
}

void MetafileCanvas::DrawBitmap(const QImage& image, QRectF source, QPointF corner, QSizeF size,
                                uint32_t rop) {
  if (inPath_ || image.isNull() || source.width() <= 0 || source.height() <= 0) return;
  const QPointF a = Map(corner);
  const QPointF b = Map(corner + QPointF(size.width(), size.height()));
  if (!InRange(a) || !InRange(b)) return;
  QRectF target(a, b);
  // A negative extent mirrors the bitmap along that axis.
  const bool mirrorX = target.width() < 0;
  const bool mirrorY = target.height() < 0;
  QImage picture = image;
  if (mirrorX || mirrorY) {
    picture = image.mirrored(mirrorX, mirrorY);
    if (mirrorX) source.moveLeft(image.width() - source.right());
    if (mirrorY) source.moveTop(image.height() - source.bottom());
  }
  target = target.normalized();
  if (target.isEmpty() || !Spend(AreaOnBitmap(target))) return;
  switch (rop) {
    case U_SRCAND:
      painter_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
      break;
    case U_SRCPAINT:
      painter_.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
      break;
    case U_SRCINVERT:
      painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      break;
    case U_NOTSRCCOPY:
      painter_.setCompositionMode(QPainter::RasterOp_NotSource);
      break;
    default:
      break;
  }
  painter_.drawImage(target, picture, source);
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MetafileCanvas::PatternBlt(QPointF corner, QSizeF size, uint32_t rop) {
  if (inPath_) return;
  QRectF box;
  if (!MapBox(corner, corner + QPointF(size.width(), size.height()), box) || box.isEmpty() ||
      !Spend(AreaOnBitmap(box))) {
    return;
  }
  switch (rop) {
    case U_PATCOPY:
      if (!BrushIsNull()) painter_.fillRect(box, DeviceBrush());
      break;
    case U_BLACKNESS:
      painter_.fillRect(box, Qt::black);
      break;
    case U_WHITENESS:
      painter_.fillRect(box, Qt::white);
      break;
    case U_DSTINVERT:
      painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
      painter_.fillRect(box, Qt::black);
      painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
      break;
    case U_PATINVERT:
      painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter_.fillRect(box, state_.brush.colour);
      painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
      break;
    default:
      break;
  }
}

}  // namespace quillon
