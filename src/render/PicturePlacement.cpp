// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PicturePlacement.h"

#include <algorithm>
#include <cmath>

#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/ShapeBounds.h"

namespace quillon {
namespace {

// Where a new picture's box starts.
constexpr int32_t kPlacedAt = 20;

// A clip in full-size pixels of the turned picture: two corners, or a centre and a rim point.
struct Clip {
  int32_t kind = kKindRectangularClip;
  Point a, b;
};

int32_t RadiusOf(Point centre, Point rim) {
  return RoundToInt32(std::hypot(double(rim.x) - centre.x, double(rim.y) - centre.y));
}

bool Usable(const ItemRecord& r) {
  if (!IsVisible(r)) return false;
  if (r.kind() == kKindRectangularClip) return r.x1() != r.x2() && r.y1() != r.y2();
  if (r.kind() == kKindRoundClip) return RadiusOf({r.x1(), r.y1()}, {r.x2(), r.y2()}) > 0;
  return false;
}

// The clips to place, in list order: every usable clip of the kind the last usable one has,
// or the whole picture when the editor's clip kind is none or no clip is usable.
std::vector<Clip> ClipsToPlace(const PictureInsert& insert, const ItemList& clips) {
  int32_t kind = 0;
  if (insert.clipKind == kClipRectangular || insert.clipKind == kClipRound) {
    for (const ItemRecord& r : clips)
      if (Usable(r)) kind = r.kind();
  }
  std::vector<Clip> result;
  if (kind == 0) {
    const bool turned = insert.rotation == 90 || insert.rotation == 270;
    result.push_back(
        {kKindRectangularClip,
         {0, 0},
         {turned ? insert.height : insert.width, turned ? insert.width : insert.height}});
    return result;
  }
  for (const ItemRecord& r : clips) {
    if (Usable(r) && r.kind() == kind) result.push_back({kind, {r.x1(), r.y1()}, {r.x2(), r.y2()}});
  }
  return result;
}

int32_t Scaled(int64_t length, double scale) {
  return std::max(1, RoundToInt32(double(length) * scale));
}

// Gives picture the clip, drawn scale canvas pixels per clip pixel with its box's top-left
// corner at corner, and the editor's orientation.
void TakeClip(ItemRecord& picture, const Clip& clip, Point corner, double scale,
              const PictureInsert& insert, const GeometryContext& context) {
  if (clip.kind == kKindRoundClip) {
    const int32_t r = Scaled(RadiusOf(clip.a, clip.b), scale);
    const Point centre{ClampToInt32(int64_t{corner.x} + r), ClampToInt32(int64_t{corner.y} + r)};
    picture.setX1(centre.x);
    picture.setY1(centre.y);
    picture.setX2(ClampToInt32(int64_t{centre.x} + r));
    picture.setY2(centre.y);
    picture.setClipShape(kClipRound);
    picture.setClipLeft(clip.a.x);
    picture.setClipTop(clip.a.y);
    picture.setClipRight(clip.b.x);
    picture.setClipBottom(clip.b.y);
  } else {
    const int32_t left = std::min(clip.a.x, clip.b.x), right = std::max(clip.a.x, clip.b.x);
    const int32_t top = std::min(clip.a.y, clip.b.y), bottom = std::max(clip.a.y, clip.b.y);
    picture.setX1(corner.x);
    picture.setY1(corner.y);
    picture.setX2(ClampToInt32(int64_t{corner.x} + Scaled(int64_t{right} - left, scale)));
    picture.setY2(ClampToInt32(int64_t{corner.y} + Scaled(int64_t{bottom} - top, scale)));
    picture.setClipShape(kClipRectangular);
    picture.setClipLeft(left);
    picture.setClipTop(top);
    picture.setClipRight(right);
    picture.setClipBottom(bottom);
  }
  picture.setScaleX(insert.displayScale);
  picture.setScaleY(insert.displayScale);
  picture.setRightAngle(insert.rotation);
  picture.setMirrorSign(insert.mirrorSign < 0 ? -1 : 1);
  picture.setFlipSign(insert.flipSign < 0 ? -1 : 1);
  BoundsAfterTransform(picture, context);
}

// Canvas pixels per clip pixel of a placed picture, or 0 when its clip has no size.
double ShownScale(const ItemRecord& picture) {
  if (picture.clipShape() == kClipRound) {
    const int32_t clip = RadiusOf({picture.clipLeft(), picture.clipTop()},
                                  {picture.clipRight(), picture.clipBottom()});
    const int32_t shown = RadiusOf({picture.x1(), picture.y1()}, {picture.x2(), picture.y2()});
    return clip > 0 ? double(shown) / clip : 0;
  }
  const int64_t clip = std::abs(int64_t{picture.clipRight()} - picture.clipLeft());
  const int64_t shown = std::abs(int64_t{picture.x2()} - picture.x1());
  return clip > 0 ? double(shown) / double(clip) : 0;
}

// The top-left corner of a placed picture's box.
Point CornerOf(const ItemRecord& picture) {
  if (picture.clipShape() == kClipRound) {
    const int32_t r = RadiusOf({picture.x1(), picture.y1()}, {picture.x2(), picture.y2()});
    return {ClampToInt32(int64_t{picture.x1()} - r), ClampToInt32(int64_t{picture.y1()} - r)};
  }
  return {std::min(picture.x1(), picture.x2()), std::min(picture.y1(), picture.y2())};
}

// The selected picture that has a source, or null.
ItemRecord* SelectedPicture(const ItemList& list) {
  ItemRecord* picture = SoleSelected(list);
  if (picture == nullptr || picture->kind() != kKindPicture || picture->sourceNumber() < 1 ||
      FindSource(list, picture->sourceNumber()) == nullptr) {
    return nullptr;
  }
  return picture;
}

}  // namespace

int32_t NewSourceNumber(std::mt19937& random, const std::function<bool(int32_t)>& inUse) {
  std::uniform_int_distribution<int32_t> number(1, 2147483646);
  for (;;) {
    const int32_t n = number(random);
    if (!inUse || !inUse(n)) return n;
  }
}

PlacedPicture InsertPicture(ItemList& list, const PictureInsert& insert, const ItemList& clips,
                            int32_t sourceNumber, const GeometryContext& context,
                            EditObserver& observer) {
  PlacedPicture placed;
  // A picture of one pixel or less is not drawn: placing it would only add an empty item.
  if (insert.width <= 1 || insert.height <= 1 || !(insert.displayScale > 0)) return placed;
  const std::vector<Clip> toPlace = ClipsToPlace(insert, clips);
  if (insert.code == kToolEditClip) {
    ItemRecord* picture = SelectedPicture(list);
    if (picture == nullptr) return placed;
    const double shown = ShownScale(*picture);
    const Point corner = CornerOf(*picture);
    BeginEdit(list, observer, false);
    ItemRecord* copy = SoleSelected(list);
    if (copy == nullptr) return placed;
    TakeClip(*copy, toPlace.back(), corner, shown > 0 ? shown : insert.displayScale, insert,
             context);
    placed.sourceNumber = copy->sourceNumber();
    placed.items.push_back(copy);
    return placed;
  }
  if (insert.code == kToolAddClip) {
    const ItemRecord* picture = SelectedPicture(list);
    if (picture == nullptr) return placed;
    sourceNumber = picture->sourceNumber();
  } else if (insert.code != kToolNewPicture || sourceNumber < 1) {
    return placed;
  }
  PurgeRedo(list);
  observer.RedoAvailable(false);
  SelectOnly(list, nullptr);
  int32_t step = 0;
  for (const Clip& clip : toPlace) {
    ItemRecord* item;
    if (step == 0) {
      item = &NewItem(list, kKindPicture, observer);
      step = item->transaction();
    } else {
      item = &NewRecord(list, kKindPicture);
      item->setTransaction(step);
      item->setStackLevel(ClampToInt32(int64_t{MaxLevel(list)} + 1));
    }
    item->setSourceNumber(sourceNumber);
    item->setSelected(0);
    if (insert.frame) {
      item->setFrame(1);
      item->setLineWeight(insert.frameWeight);
      item->setLineColor(insert.frameColour);
      item->setSurface(insert.frameSurface);
    }
    if (insert.shadowed) SetPackedShadow(*item, insert.shadow);
    TakeClip(*item, clip, {kPlacedAt, kPlacedAt},
             insert.placedScale > 0 ? insert.placedScale : insert.displayScale, insert, context);
    placed.items.push_back(item);
  }
  if (insert.code == kToolNewPicture) {
    // The source is not part of the undo history: it goes with the last picture that uses it.
    ItemRecord& source = NewRecord(list, kKindPictureSource);
    source.setRecordClass(kClassPictureSource);
    source.setHistoryState(0);
    source.setSourceNumber(sourceNumber);
    source.setClipShape(insert.pictureType);
    source.setX2(insert.width);
    source.setY2(insert.height);
    source.setSourceScale(insert.displayScale);
    source.pictureData = insert.bytes;
    SetText(source, insert.fileName);
  }
  placed.sourceNumber = sourceNumber;
  return placed;
}

}  // namespace quillon
