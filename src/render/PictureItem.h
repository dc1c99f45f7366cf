// SPDX-License-Identifier: GPL-3.0-or-later
// Picture items: the stored source decoded and oriented, a rectangle or circle clipped out of it,
// scaled to the item's box, colour-adjusted, mirrored, framed and rotated; their shadows; and
// the window's forms of them with the per-item cache of the scaled picture.
#pragma once

#include <cstdint>
#include <memory>

#include "document/ItemList.h"
#include "document/RenderCache.h"
#include "render/Bitmap.h"
#include "render/Coordinates.h"
#include "render/DrawStyle.h"
#include "render/Primitives.h"

namespace quillon {

// The item's picture source decoded to 24 bits and oriented by rightAngle, mirrorSign and
// flipSign. Empty when there is no source or no bytes, the bytes do not decode, or the picture
// is a pixel wide or high or less.
Bitmap DecodeSource(const ItemRecord& picture, const ItemList& list);
// The same picture as DecodeSource, null instead of empty; while a DecodeSession lives it is
// decoded once and shared by every item (and thread) that shows the same source unturned.
std::shared_ptr<const Bitmap> SourcePicture(const ItemRecord& picture, const ItemList& list);
// Turns a decoded picture by rightAngle (an odd side loses a pixel first), then mirrors and
// flips it, as a picture item's rightAngle, mirrorSign and flipSign ask; empty when the turned
// bitmap cannot be had.
Bitmap OrientPicture(Bitmap bitmap, int32_t rightAngle, int mirrorSign, int flipSign);

// Draws a picture item, its shadow first: the pipeline for print and export.
void DrawPicture(Primitives& target, const ItemRecord& picture, const ItemList& list,
                 const TargetMapping& mapping, const DrawStyle& style);

// The shadow of a picture; nothing unless both shadowSize and shadowLightness are non-zero.
void DrawPictureShadow(Primitives& target, const ItemRecord& picture, const ItemList& list,
                       const TargetMapping& mapping, int light, bool window);

// Draws a picture item into the window canvas: a silver outline with the file name while
// loading, a dotted outline in the drag colours while dragging or in the picture-outline colours
// with pictures off, otherwise its shadow and the picture, the scaled picture taken from the
// item's render cache when it was made for the same look, else made and stored there.
void PaintPicture(Primitives& target, const ItemRecord& picture, const ItemList& list,
                  const TargetMapping& mapping, const RenderMode& mode, int light);

// Everything the window's scaled picture depends on; its place on the canvas, its stacking and
// its history are not part of it, so a moved or restacked picture keeps its cache.
struct PictureLook {
  int64_t width = 0;  // the bitmap at this zoom, a rectangular picture's frame included
  int64_t height = 0;
  int32_t frame = 0;       // the frame's width in pixels, 0 without one
  int32_t frameColor = 0;  // a rectangular picture's frame colour, 0 without one
  // The shading of a wide rectangular frame: light direction, surface and turn; all 0 when the
  // frame is flat.
  int light = 0;
  int surface = 0;
  double shadingTurn = 0;
  bool turned = false;  // a turned rectangular picture loses an odd last column or row
  bool round = false;
  int32_t clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
  int32_t saturation = 0, contrast = 0, lightness = 0;
  bool mirrored = false, flipped = false;                // by the signs of scaleX and scaleY
  int32_t rightAngle = 0, mirrorSign = 0, flipSign = 0;  // the source's orientation
  // The source record: its number, type, size and scale (its bytes never change).
  int32_t sourceNumber = 0, sourceType = 0, sourceWidth = 0, sourceHeight = 0;
  double sourceScale = 0;
  bool operator==(const PictureLook&) const = default;
};

// The window's scaled picture of one item and the look it was made for.
struct PictureCache : RenderCache {
  PictureLook look;
  Bitmap framed;    // what is drawn: a rectangular picture inside its frame
  Bitmap unframed;  // the picture before its frame, empty when it has none
  const Bitmap& BeforeFrame() const { return unframed.empty() ? framed : unframed; }
};

// The picture item's window cache, null when it holds none.
const PictureCache* WindowPicture(const ItemRecord& picture);

}  // namespace quillon
