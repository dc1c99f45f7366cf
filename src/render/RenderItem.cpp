// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderItem.h"

#include <cmath>

#include "document/PageSetup.h"
#include "render/FlatBodies.h"
#include "render/LineDrawing.h"
#include "render/Outlines.h"
#include "render/PictureItem.h"
#include "render/Shadows.h"
#include "render/Surfaces.h"
#include "render/Text.h"

namespace quillon {
namespace {

void DrawShape(Primitives& target, const ItemRecord& item, const ItemList& list,
               const TargetMapping& mapping, int light, int surface) {
  Outline outline;
  BuildOutline(item, mapping, outline);
  const int32_t o = PixelWidth(mapping.scaleY, item.lineWeight(), list.screen());
  if (surface == 0) {
    DrawBody(target, outline, FlatBodyStyle(item, o));
  } else {
    ShadeShape(target, item, mapping, outline, light, surface, o);
  }
}

}  // namespace

int LightOf(const ItemList& list) {
  const ItemRecord* page = list.PageRecord();
  return page != nullptr ? LightDirectionOf(*page) : 0;
}

void RenderItem(Primitives& target, const ItemRecord& item, const ItemList& list,
                const TargetMapping& mapping, const RenderMode& mode) {
  // A mapping that is not a number places nothing anywhere.
  if (!std::isfinite(mapping.scaleX) || !std::isfinite(mapping.scaleY)) return;
  const bool quick = mode.quick || mode.busyLoading;
  const int light = LightOf(list);
  const bool shadow = !quick && mode.shadows;
  const int surface = !quick && mode.surfaces ? item.surface() : 0;
  switch (item.kind()) {
    case kKindText:
      DrawTextItem(target, item, mapping, list.screen(), {mode.window, shadow, light, surface});
      return;
    case kKindPicture:
      if (mode.window) {
        PaintPicture(target, item, list, mapping, mode, light);
      } else {
        DrawPicture(target, item, list, mapping, {false, mode.shadows, light, surface});
      }
      return;
    default:
      break;
  }
  if (shadow && item.shadowSize() > 0) {
    DrawShadow(target, item, list, {mapping, light, mode.window});
  }
  if (item.kind() == kKindLine) {
    LineStroke stroke = LineStrokeOf(item, list, mapping, mapping.scaleY);
    stroke.surface = surface;
    stroke.light = light;
    DrawLine(target, stroke);
  } else if (IsPointListKind(item.kind())) {
    DrawShape(target, item, list, mapping, light, surface);
  }
  // Other kinds draw nothing.
}

void RenderItem(Bitmap& target, const ItemRecord& item, const ItemList& list, Point origin,
                double scaleX, double scaleY, const RenderMode& mode) {
  if (target.empty()) return;
  Primitives primitives(target);
  RenderItem(primitives, item, list, TargetMapping::Output(origin, scaleX, scaleY), mode);
}

}  // namespace quillon
