// SPDX-License-Identifier: GPL-3.0-or-later
// Soft drop shadows: the item's silhouette painted in the shadow tone into a white mask, moved
// away from the light, blurred by shrinking and enlarging the mask, and multiplied into what is
// already drawn.
#pragma once

#include <functional>

#include "document/ItemList.h"
#include "render/Coordinates.h"
#include "render/GeometryContext.h"
#include "render/Primitives.h"

namespace quillon {

// The shadow's distance g in output pixels: round(round(shadowSize / 8.5) / 96 * dpiY * scale).
int32_t ShadowOffset(const ItemRecord& item, double scale, const ScreenMetrics& screen);
// The window's distance: the distance at scale 1 times the zoom, rounded again.
int32_t WindowShadowOffset(const ItemRecord& item, double zoom, const ScreenMetrics& screen);
// The move of a shadow g pixels away from the light: light 0 (upper left) (+g, +g), 1 (upper
// right) (-g, +g), 2 (lower left) (+g, -g), 3 (lower right) (-g, -g); other values as 0.
Point ShadowShift(int light, int32_t g);
// How far the blur spreads: 1 + shadowSoftness / 30, limited to 1 .. 5.
double ShadowSpread(const ItemRecord& item);
// The same for pictures: 1 + shadowSoftness / 85, limited to 1 .. 2.
double PictureShadowSpread(const ItemRecord& item);
// The colour a silhouette is painted with: blue byte shadowLightness, red and green 0.
uint32_t ShadowTone(const ItemRecord& item);

// Multiplies a shadow mask into the target with the mask's top-left pixel at position (target
// coordinates); the parts outside the target are left out.
void ComposeShadow(Primitives& target, const Bitmap& mask, Point position);

// The whole pipeline over a mask covering area (target coordinates): paint draws the silhouette
// in target coordinates and it lands moved by shift; the mask is then blurred with softness
// at blurScale and composed. A mask far larger than the target is cut to the part that can
// reach it.
void CastShadow(Primitives& target, const BoundingBox& area, Point shift, int softness,
                double blurScale, const std::function<void(Primitives& mask)>& paint);

// How the shadow of an item is placed: its mapping, the light, and whether it goes to the
// window (window distance, blur at scale 1) rather than an output target.
struct ShadowPlacement {
  TargetMapping mapping;
  int light = 0;
  bool window = false;
};
// The shadow of a line or a point-list shape with shadowSize > 0 (others cast none here).
void DrawShadow(Primitives& target, const ItemRecord& item, const ItemList& list,
                const ShadowPlacement& placement);

// The item's bounding box (document pixels) grown on the two sides its shadow falls to, and by
// the frame of a framed picture on every side.
BoundingBox ShadowExtent(const ItemRecord& item, int light, const ScreenMetrics& screen);
// Pixels by which an item's shadow can reach beyond its box at a scale (0 without a shadow).
int32_t ShadowMargin(const ItemRecord& item, double scale, const ScreenMetrics& screen);
// Pixels by which a picture's frame reaches beyond its box (0 without a frame).
int32_t FrameMargin(const ItemRecord& item, double scale, const ScreenMetrics& screen);

}  // namespace quillon
