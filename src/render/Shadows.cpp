// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Shadows.h"

#include <algorithm>
#include <cmath>

#include "render/Blend.h"
#include "render/FlatBodies.h"
#include "render/LineDrawing.h"
#include "render/Outlines.h"
#include "render/Resample.h"

namespace quillon {
namespace {

// round(shadowSize / 8.5): the shadow's distance in 96-dpi pixels.
int32_t ShadowSteps(const ItemRecord& item) {
  return RoundToInt32(item.shadowSize() / 8.5);
}

double Area(const BoundingBox& box) {
  return (double(box.right) - box.left + 1) * (double(box.bottom) - box.top + 1);
}

// The extent of a drawing in target pixels, at least 10 pixels each way, grown by margin on
// every side.
BoundingBox MaskArea(const BoundingBox& extent, int64_t margin) {
  const int64_t width = std::max<int64_t>(int64_t{extent.right} - extent.left, 10);
  const int64_t height = std::max<int64_t>(int64_t{extent.bottom} - extent.top, 10);
  const int64_t left = int64_t{extent.left} - margin;
  const int64_t top = int64_t{extent.top} - margin;
  return {ClampToInt32(left), ClampToInt32(top), ClampToInt32(left + width + 2 * margin - 1),
          ClampToInt32(top + height + 2 * margin - 1)};
}

int32_t DistanceFor(const ItemRecord& item, const ShadowPlacement& placement,
                    const ScreenMetrics& screen) {
  return placement.window ? WindowShadowOffset(item, placement.mapping.scaleY, screen)
                          : ShadowOffset(item, placement.mapping.scaleY, screen);
}

}  // namespace

int32_t ShadowOffset(const ItemRecord& item, double scale, const ScreenMetrics& screen) {
  return RoundToInt32(ShadowSteps(item) / 96.0 * screen.dpiY * scale);
}

int32_t WindowShadowOffset(const ItemRecord& item, double zoom, const ScreenMetrics& screen) {
  return RoundToInt32(ShadowOffset(item, 1.0, screen) * zoom);
}

Point ShadowShift(int light, int32_t g) {
  switch (light) {
    case 1:
      return {-g, g};
    case 2:
      return {g, -g};
    case 3:
      return {-g, -g};
    default:
      return {g, g};
  }
}

double ShadowSpread(const ItemRecord& item) {
  return std::clamp(1 + item.shadowSoftness() / 30.0, 1.0, 5.0);
}

double PictureShadowSpread(const ItemRecord& item) {
  return std::clamp(1 + item.shadowSoftness() / 85.0, 1.0, 2.0);
}

uint32_t ShadowTone(const ItemRecord& item) {
  return ColourOf(0, 0, item.shadowLightness());
}

void ComposeShadow(Primitives& target, const Bitmap& mask, Point position) {
  if (mask.empty()) return;
  const int64_t x = int64_t{position.x} - target.origin().x;
  const int64_t y = int64_t{position.y} - target.origin().y;
  Bitmap& out = target.bitmap();
  if (x >= out.width() || y >= out.height() || x + mask.width() <= 0 || y + mask.height() <= 0) {
    return;
  }
  // Only the part of the mask over the target darkens it, in place.
  const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(x + mask.width(), out.width());
  const int64_t bottom = std::min<int64_t>(y + mask.height(), out.height());
  for (int64_t row = top; row < bottom; ++row) {
    MultiplyRow(mask.Row(static_cast<int>(row - y)) + 3 * (left - x),
                out.Row(static_cast<int>(row)) + 3 * left, static_cast<int>(right - left));
  }
}

void CastShadow(Primitives& target, const BoundingBox& area, Point shift, int softness,
                double blurScale, const std::function<void(Primitives& mask)>& paint) {
  BoundingBox cut = area;
  const BoundingBox visible = target.Area();
  // The shadow stays inside its mask: one whose area misses the target is not made at all,
  // which keeps the many lines of a long text that lie off the target cheap.
  if (area.right < visible.left || area.left > visible.right || area.bottom < visible.top ||
      area.top > visible.bottom) {
    return;
  }
  const bool oversized = Area(area) > 2 * Area(visible) + double(1 << 22) ||
                         int64_t{area.right} - area.left >= kMaxBitmapSide / 2 ||
                         int64_t{area.bottom} - area.top >= kMaxBitmapSide / 2;
  if (oversized) {
    // Only the blur's reach around the target can darken it.
    const double ratio = (softness + 10) / 10.0 * std::max(blurScale, 1.0);
    const int64_t reach =
        std::isfinite(ratio) ? static_cast<int64_t>(std::ceil(4 * std::min(ratio, 1e6))) + 8 : 8;
    cut.left = ClampToInt32(std::max<int64_t>(area.left, visible.left - reach));
    cut.top = ClampToInt32(std::max<int64_t>(area.top, visible.top - reach));
    cut.right = ClampToInt32(std::min<int64_t>(area.right, int64_t{visible.right} + reach));
    cut.bottom = ClampToInt32(std::min<int64_t>(area.bottom, int64_t{visible.bottom} + reach));
    if (cut.right < cut.left || cut.bottom < cut.top) return;
  }
  const int64_t width = int64_t{cut.right} - cut.left + 1;
  const int64_t height = int64_t{cut.bottom} - cut.top + 1;
  if (width > kMaxBitmapSide || height > kMaxBitmapSide) return;
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  // Only the part of the blurred mask over the target is made. The blur is separable: that part
  // needs only the rows of the shrunk mask that reach it, and those only the rows of the
  // silhouette that reach them, so a band of a sheet pays for its own rows of a tall shadow.
  const int top = std::max(cut.top, visible.top) - cut.top;
  const int bottom = std::min(cut.bottom, visible.bottom) - cut.top;
  const int left = std::max(cut.left, visible.left) - cut.left;
  const int right = std::min(cut.right, visible.right) - cut.left;
  if (bottom < top || right < left) return;
  const std::optional<ShrunkSize> shrunk = BlurShrunkSize(w, h, softness, blurScale);
  SourceSpan maskRows{top, bottom}, smallRows;
  if (shrunk) {
    smallRows = ResampleReach(shrunk->height, h, ResampleFilter::BSpline, top, bottom - top + 1);
    maskRows = ResampleReach(h, shrunk->height, ResampleFilter::BSpline, smallRows.first,
                             smallRows.last - smallRows.first + 1);
  }
  Bitmap silhouette = Bitmap::TryCreate(w, maskRows.last - maskRows.first + 1);
  if (silhouette.empty()) return;
  {
    Primitives mask(
        silhouette,
        {ClampToInt32(int64_t{cut.left} - shift.x), ClampToInt32(int64_t{cut.top} - shift.y)},
        maskRows.first, h);
    paint(mask);
  }
  if (!shrunk) {
    ComposeShadow(target, silhouette, {cut.left, ClampToInt32(int64_t{cut.top} + maskRows.first)});
    return;
  }
  Bitmap small = Bitmap::TryCreate(shrunk->width, smallRows.last - smallRows.first + 1);
  Bitmap shadow = Bitmap::TryCreate(right - left + 1, bottom - top + 1);
  if (small.empty() || shadow.empty()) return;
  ResampleWindow(silhouette, maskRows.first, h, shrunk->width, shrunk->height, 0, smallRows.first,
                 small, ResampleFilter::BSpline);
  ResampleWindow(small, smallRows.first, shrunk->height, w, h, left, top, shadow,
                 ResampleFilter::BSpline);
  ComposeShadow(target, shadow,
                {ClampToInt32(int64_t{cut.left} + left), ClampToInt32(int64_t{cut.top} + top)});
}

void DrawShadow(Primitives& target, const ItemRecord& item, const ItemList& list,
                const ShadowPlacement& placement) {
  if (item.shadowSize() == 0) return;
  const ScreenMetrics& screen = list.screen();
  const double scale = placement.mapping.scaleY;
  const int32_t g = DistanceFor(item, placement, screen);
  const double spread = ShadowSpread(item);
  const Point shift = ShadowShift(placement.light, g);
  const double blurScale = placement.window ? 1.0 : scale;
  const uint32_t tone = ShadowTone(item);
  const int64_t reach = RoundToInt32(spread * 2 * g);
  if (item.kind() == kKindLine) {
    LineStroke stroke = LineStrokeOf(item, list, placement.mapping, scale);
    stroke.lineColor = tone;
    if (stroke.band.bandColor) stroke.band.bandColor = static_cast<int32_t>(tone);
    stroke.surface = 0;
    const Point ends[2] = {stroke.p1, stroke.p2};
    const BoundingBox area = MaskArea(*PointsBox(ends), reach + 2 * int64_t{stroke.width});
    CastShadow(target, area, shift, item.shadowSoftness(), blurScale,
               [&](Primitives& mask) { DrawLine(mask, stroke); });
    return;
  }
  if (!IsPointListKind(item.kind())) return;
  Outline outline;
  BuildOutline(item, placement.mapping, outline);
  std::optional<BoundingBox> extent = OutlineBox(outline);
  if (!extent) return;
  // The defining points set the box; the outline widens it where ellipses, arcs and curves
  // bulge past their points, so that the whole silhouette fits the mask.
  std::vector<Point> mapped;
  mapped.reserve(item.points.size());
  for (const PointEntry& e : item.points)
    mapped.push_back(placement.mapping.Map(e.point));
  if (const std::optional<BoundingBox> points = PointsBox(mapped)) {
    extent = Union(*extent, *points);
  }
  const int32_t o = PixelWidth(scale, item.lineWeight(), screen);
  const BoundingBox area = MaskArea(*extent, reach + 2 * int64_t{o});
  const BodyStyle style = BodyStyleOf(item.fillColor(), tone, tone, o);
  CastShadow(target, area, shift, item.shadowSoftness(), blurScale,
             [&](Primitives& mask) { DrawBody(mask, outline, style); });
}

BoundingBox ShadowExtent(const ItemRecord& item, int light, const ScreenMetrics& screen) {
  int64_t left = item.boundLeft(), top = item.boundTop();
  int64_t right = item.boundRight(), bottom = item.boundBottom();
  int64_t a = 0;
  if (item.kind() == kKindPicture && item.frame() != 0) {
    a = std::max(0, PixelWidth(1, item.lineWeight(), screen));
    left -= a;
    top -= a;
    right += a;
    bottom += a;
  }
  if (item.shadowSize() > 0) {
    const int64_t c =
        int64_t{RoundToInt32(ShadowSteps(item) * 96.0 / screen.dpiY)} + item.shadowSoftness() - a;
    if (c >= 1) {
      const Point shift = ShadowShift(light, 1);
      (shift.x > 0 ? right : left) += shift.x * c;
      (shift.y > 0 ? bottom : top) += shift.y * c;
    }
  }
  return {ClampToInt32(left), ClampToInt32(top), ClampToInt32(right), ClampToInt32(bottom)};
}

int32_t ShadowMargin(const ItemRecord& item, double scale, const ScreenMetrics& screen) {
  if (item.shadowSize() == 0) return 0;
  const int32_t c = RoundToInt32(RoundToInt32(ShadowSteps(item) / 96.0 * screen.dpiY) * scale);
  return ClampToInt32(int64_t{PixelWidth(scale, item.lineWeight(), screen)} +
                      RoundToInt32(c * ShadowSpread(item)));
}

int32_t FrameMargin(const ItemRecord& item, double scale, const ScreenMetrics& screen) {
  return item.frame() != 0 ? PixelWidth(scale, item.lineWeight(), screen) : 0;
}

}  // namespace quillon
