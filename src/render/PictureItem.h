// SPDX-License-Identifier: GPL-3.0-or-later
// Picture items: the stored source decoded and oriented, a rectangle or circle clipped out of it,
// scaled to the item's box, colour-adjusted, mirrored, framed and rotated; their shadows; and
// the window's forms of them with the per-item cache of the scaled picture.
#pragma once

#include <cstdint>
#include <memory>

#include "document/ItemList.h"
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
// item's render cache or made and stored there.
void PaintPicture(Primitives& target, const ItemRecord& picture, const ItemList& list,
                  const TargetMapping& mapping, const RenderMode& mode, int light);

}  // namespace quillon
