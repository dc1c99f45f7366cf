// SPDX-License-Identifier: GPL-3.0-or-later
// The picture clip editor without its widget: the picture's orientation, the clips the user
// outlines on it with their own undo list, the pointer's states, and what goes to the document
// when the clips are placed. Points are full-size pixels of the turned picture.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "document/EditObserver.h"
#include "document/ItemList.h"
#include "render/Bitmap.h"
#include "render/PicturePlacement.h"

namespace quillon {

// The editor's pointer states.
inline constexpr int32_t kClipSelect = 0;
inline constexpr int32_t kClipOutline = 500;
inline constexpr int32_t kClipCornerDrag = 501;
inline constexpr int32_t kClipRoundOutline = 508;
inline constexpr int32_t kClipRimDrag = 509;

// The picture type (kPictureJpeg ...) a file's extension asks for, or 0: JPG or JPEG, GIF, BMP,
// ICO, EMF and WMF, in any case, with spaces and dots around it ignored.
int32_t PictureTypeOfName(std::u16string_view fileName);

// A picture file as the clip editor shows it: a JPEG decoded at the scale that fits the view,
// other pictures at full size; with the picture's own size. Empty when the file cannot be
// decoded or has a side of one pixel or less.
struct EditorPicture {
  Bitmap bitmap;
  int32_t width = 0;
  int32_t height = 0;
  double scale = 1;  // 1, 1/2, 1/4 or 1/8
  bool ok() const { return !bitmap.empty(); }
};
EditorPicture DecodeForEditor(std::span<const uint8_t> bytes, int32_t type, int viewWidth,
                              int viewHeight);

// The JPEG decoding scale (1, 2, 4 or 8 for 1/1 ... 1/8) for a picture whose 1/8 decoding is
// eighthWidth x eighthHeight in a view of the given size: the whole number of times it fits,
// 8 or more at full size, 4 to 7 at half, 2 or 3 at a quarter, less at an eighth.
int JpegScaleDenominator(int viewWidth, int viewHeight, int eighthWidth, int eighthHeight);

// Where the point (x, y) of a width x height picture lands once the picture is turned, mirrored
// and flipped as a picture item's rightAngle, mirrorSign and flipSign say; corners of pixels,
// so a turned picture's size is (height, width).
Point OrientPoint(Point p, int32_t width, int32_t height, int32_t rightAngle, int mirror, int flip);
// The inverse: where a point of the turned picture came from.
Point UnorientPoint(Point p, int32_t width, int32_t height, int32_t rightAngle, int mirror,
                    int flip);

class ClipEditor {
 public:
  // A picture of width x height full-size pixels (before turning), and for code 503 the
  // orientation and clip of the picture item being edited.
  void Open(int32_t code, int32_t width, int32_t height, double displayScale);
  void EditItem(const ItemRecord& picture);

  // Tool buttons.
  void SelectTool();
  void OutlineTool(bool round);
  // The kind of clips that Insert places (kClipNone for the entire picture).
  void ChooseClipKind(int32_t kind) { clipKind_ = kind; }
  void EraseSelected();
  void Mirror();
  void Flip();
  void RotateLeft();
  void RotateRight();
  void Undo();
  void Redo();
  bool CanUndo() const;
  bool CanRedo() const;

  // The pointer on the picture, in full-size pixels of the turned picture.
  void Press(Point p);
  void Move(Point p);
  void Release(Point p);
  // The button has been held down for the hold time since the press.
  void HoldElapsed();
  // Esc: an outline begun is dropped.
  void Escape();

  // The outline that follows the pointer: a rectangle from a corner, or a circle from its
  // centre, to the pointer.
  struct Rubber {
    bool round = false;
    Point a, b;
  };
  std::optional<Rubber> RubberOutline() const;

  int32_t State() const { return state_; }
  int32_t ClipKind() const { return clipKind_; }
  int32_t Rotation() const { return rotation_; }
  int MirrorSign() const { return mirror_; }
  int FlipSign() const { return flip_; }
  // The turned picture's size.
  int32_t Width() const;
  int32_t Height() const;
  const ItemList& Clips() const { return clips_; }
  ItemRecord* SelectedClip() const { return SoleSelected(clips_); }

  // What Insert or Apply hands to the document.
  PictureInsert Insert() const;

 private:
  void Create(Point a, Point b);
  // Carries every clip, every version of it, to the orientation now set.
  void Reorient(int32_t rotation, int mirror, int flip);
  ItemRecord* ClipAt(Point p) const;

  ItemList clips_;
  EditObserver observer_;
  int32_t code_ = 0;
  int32_t width_ = 0, height_ = 0;
  double displayScale_ = 1;
  int32_t rotation_ = 0;
  int mirror_ = 1, flip_ = 1;
  int32_t clipKind_ = 0;
  int32_t state_ = kClipSelect;
  int count_ = 0;       // corners taken of the outline begun
  bool pressed_ = false;
  Point first_, pointer_;
};

}  // namespace quillon
