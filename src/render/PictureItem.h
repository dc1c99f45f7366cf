// SPDX-License-Identifier: GPL-3.0-or-later
// Picture items: the stored source decoded and oriented, a rectangle or circle clipped out of it,
// scaled to the item's box, colour-adjusted, mirrored, framed and rotated; their shadows; and
// the window's forms of them with the per-item cache of the scaled picture.
#pragma once

#include <cstdint>

#include "document/ItemList.h"
#include "render/Bitmap.h"
#include "render/Coordinates.h"
#include "render/Primitives.h"

namespace quillon {

// The item's picture source decoded to 24 bits and oriented by rightAngle, mirrorSign and
// flipSign. Empty when there is no source or no bytes, the bytes do not decode, or the picture
// is a pixel wide or high or less.
Bitmap DecodeSource(const ItemRecord& picture, const ItemList& list);

// How a picture item is drawn beyond its mapping.
struct PictureStyle {
  bool window = false;  // the window canvas at its zoom (window shadow distance, blur at scale 1)
  bool shadow = false;  // the shadow first, when the item has one
  int light = 0;        // the document's light direction
  int surface = 0;      // 0: flat frames; otherwise wide frames are shaded
};

// Draws a picture item, its shadow first: the pipeline for print and export.
void DrawPicture(Primitives& target, const ItemRecord& picture, const ItemList& list,
                 const TargetMapping& mapping, const PictureStyle& style);

// The shadow of a picture; nothing unless both shadowSize and shadowLightness are non-zero.
void DrawPictureShadow(Primitives& target, const ItemRecord& picture, const ItemList& list,
                       const TargetMapping& mapping, int light, bool window);

// What the window shows of pictures.
struct PictureDisplay {
  bool showPictures = true;  // off: dotted outlines in the picture-outline colours
  bool quick = false;        // while dragging: dotted outlines in the drag-outline colours
  bool busyLoading = false;  // while loading: silver outlines with the file name
  bool shadows = true;
  bool surfaces = true;
  int light = 0;
  uint32_t dragOutline = 255;
  uint32_t dragOutlineGap = 65535;
  uint32_t pictureOutline = 0;
  uint32_t pictureOutlineGap = 65535;
};

// Draws a picture item into the window canvas: an outline form while loading, dragging or with
// pictures off, otherwise its shadow and the picture, the scaled picture taken from the item's
// render cache or made and stored there.
void PaintPicture(Primitives& target, const ItemRecord& picture, const ItemList& list,
                  const TargetMapping& mapping, const PictureDisplay& display);

}  // namespace quillon
