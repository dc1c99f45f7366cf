// SPDX-License-Identifier: GPL-3.0-or-later
// Placing what the picture clip editor made into a document: a new picture source with one
// picture item per clip, more clips of the selected picture's source, or a new clip for the
// selected picture.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "document/EditObserver.h"
#include "document/ItemList.h"
#include "render/GeometryContext.h"

namespace quillon {

// What the clip editor hands over.
struct PictureInsert {
  int32_t code = 0;      // kToolNewPicture, kToolEditClip or kToolAddClip
  int32_t clipKind = 0;  // kClipNone, kClipRectangular or kClipRound: the clips the user drew
  int32_t rotation = 0;  // 0, 90, 180 or 270 degrees
  int32_t mirrorSign = 1;
  int32_t flipSign = 1;
  int32_t width = 0;  // the picture's full size before it is turned
  int32_t height = 0;
  double displayScale = 1;  // 1, 1/2, 1/4 or 1/8
  // Canvas pixels per picture pixel of new pictures: the editor's zoom; 0 places them at the
  // display scale.
  double placedScale = 0;
  int32_t pictureType = 0;  // the source type of a new picture (kPictureJpeg ...)
  std::u16string fileName;
  std::vector<uint8_t> bytes;  // the picture file, for a new picture
  // The frame and shadow that new pictures get: a frame of frameWeight millimetres in
  // frameColour with the surface frameSurface when frame is set, and the shadow's size,
  // softness and lightness in the bytes 0, 1 and 2 of shadow when shadowed is set.
  bool frame = false;
  double frameWeight = 0;
  int32_t frameColour = 0;
  int32_t frameSurface = 0;
  bool shadowed = false;
  int32_t shadow = 0;
};

// The items a placement made or changed, in stacking order; empty when nothing was placed.
struct PlacedPicture {
  int32_t sourceNumber = 0;
  std::vector<ItemRecord*> items;
};

// A picture source number from 1 to 2147483646 that inUse refuses, drawn at random.
int32_t NewSourceNumber(std::mt19937& random, const std::function<bool(int32_t)>& inUse);

// Places the picture into list as one undo step. A new picture adds its source (outside the
// undo history, numbered by sourceNumber) and, like adding clips, one picture item per clip of
// the kind that the last usable clip in clips has, or one for the whole picture, at (20, 20)
// and of the clip's size times the display scale. Editing gives the selected picture the last
// such clip and the orientation. Nothing happens for a picture of a side of one pixel or less,
// and when editing or adding clips without a selected picture that has a source.
PlacedPicture InsertPicture(ItemList& list, const PictureInsert& insert, const ItemList& clips,
                            int32_t sourceNumber, const GeometryContext& context,
                            EditObserver& observer);

}  // namespace quillon
