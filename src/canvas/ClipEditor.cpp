// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/ClipEditor.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/decoders/DecodePicture.h"

namespace quillon {
namespace {

// How far from a handle, in picture pixels, a press still takes it.
constexpr int32_t kHandleReach = 4;

bool IsClip(const ItemRecord& r) {
  return r.kind() == kKindRectangularClip || r.kind() == kKindRoundClip;
}

bool Near(Point a, Point b) {
  return std::abs(int64_t{a.x} - b.x) <= kHandleReach &&
         std::abs(int64_t{a.y} - b.y) <= kHandleReach;
}

// A clip's two points, and the same as its reference points.
void SetEnds(ItemRecord& clip, Point a, Point b) {
  clip.setX1(a.x), clip.setY1(a.y), clip.setX2(b.x), clip.setY2(b.y);
  clip.setRefX1(a.x), clip.setRefY1(a.y), clip.setRefX2(b.x), clip.setRefY2(b.y);
}

int Sign(int s) {
  return s < 0 ? -1 : 1;
}

bool Turned(int32_t rightAngle) {
  return rightAngle == 90 || rightAngle == 270;
}

// The picture's size as turning takes it: an odd side loses a pixel before a quarter turn.
void TurnedSize(int32_t width, int32_t height, int32_t rightAngle, int32_t& w, int32_t& h) {
  w = Turned(rightAngle) ? width - width % 2 : width;
  h = Turned(rightAngle) ? height - height % 2 : height;
}

// The quarter turn, counter-clockwise on screen, that a picture item's orientation makes: 90
// or 270 degrees (the signs reverse its direction), else 0.
int QuarterTurn(int32_t rightAngle, int mirror, int flip) {
  if (!Turned(rightAngle)) return 0;
  return ((Sign(mirror) * Sign(flip) * rightAngle) % 360 + 360) % 360;
}

}  // namespace

int32_t PictureTypeOfName(std::u16string_view fileName) {
  const std::size_t dot = fileName.rfind(u'.');
  if (dot == std::u16string_view::npos) return 0;
  std::string extension;
  for (char16_t c : fileName.substr(dot + 1)) {
    if (c == u' ' || c == u'.') continue;
    if (c > 0x7F) return 0;
    extension += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  if (extension == "JPG" || extension == "JPEG") return kPictureJpeg;
  if (extension == "GIF") return kPictureGif;
  if (extension == "BMP") return kPictureBmp;
  if (extension == "ICO") return kPictureIco;
  if (extension == "EMF" || extension == "WMF") return kPictureMetafile;
  return 0;
}

EditorPicture DecodeForEditor(std::span<const uint8_t> bytes, int32_t type, int viewWidth,
                              int viewHeight) {
  EditorPicture shown;
  DecodedPicture decoded;
  int denominator = 1;
  if (type == kPictureJpeg) {
    decoded = DecodeJpeg(bytes, 8);
    if (!decoded.ok()) return shown;
    denominator = JpegScaleDenominator(viewWidth, viewHeight, decoded.bitmap.width(),
                                       decoded.bitmap.height());
    if (denominator != 8) decoded = DecodeJpeg(bytes, denominator);
  } else {
    decoded = DecodePicture(bytes, type);
  }
  // A picture of one pixel or less is not drawn, so it is not offered either.
  if (!decoded.ok() || decoded.fullWidth <= 1 || decoded.fullHeight <= 1 ||
      decoded.bitmap.empty()) {
    return shown;
  }
  shown.bitmap = std::move(decoded.bitmap);
  shown.width = static_cast<int32_t>(decoded.fullWidth);
  shown.height = static_cast<int32_t>(decoded.fullHeight);
  shown.scale = 1.0 / denominator;
  return shown;
}

int JpegScaleDenominator(int viewWidth, int viewHeight, int eighthWidth, int eighthHeight) {
  if (eighthWidth < 1 || eighthHeight < 1) return 8;
  const int b = std::max(0, std::min(viewWidth / eighthWidth, viewHeight / eighthHeight));
  if (b >= 8) return 1;
  if (b >= 4) return 2;
  if (b >= 2) return 4;
  return 8;
}

Point OrientPoint(Point p, int32_t width, int32_t height, int32_t rightAngle, int mirror,
                  int flip) {
  int32_t w, h;
  TurnedSize(width, height, rightAngle, w, h);
  int m = Sign(mirror), f = Sign(flip);
  Point q{std::clamp(p.x, 0, w), std::clamp(p.y, 0, h)};
  if (const int turn = QuarterTurn(rightAngle, m, f); turn != 0) {
    q = turn == 90 ? Point{q.y, w - q.x} : Point{h - q.y, q.x};
    std::swap(w, h);
  } else if (rightAngle == 180) {
    m = -m;
    f = -f;
  }
  if (m < 0) q.x = w - q.x;
  if (f < 0) q.y = h - q.y;
  return q;
}

Point UnorientPoint(Point p, int32_t width, int32_t height, int32_t rightAngle, int mirror,
                    int flip) {
  int32_t w, h;
  TurnedSize(width, height, rightAngle, w, h);
  int m = Sign(mirror), f = Sign(flip);
  const int turn = QuarterTurn(rightAngle, m, f);
  if (turn == 0 && rightAngle == 180) {
    m = -m;
    f = -f;
  }
  // The turned picture's size.
  const int32_t tw = turn != 0 ? h : w, th = turn != 0 ? w : h;
  Point q{std::clamp(p.x, 0, tw), std::clamp(p.y, 0, th)};
  if (m < 0) q.x = tw - q.x;
  if (f < 0) q.y = th - q.y;
  if (turn == 90) return {w - q.y, q.x};
  if (turn == 270) return {q.y, h - q.x};
  return q;
}

void ClipEditor::Open(int32_t code, int32_t width, int32_t height, double displayScale) {
  clips_.Clear();
  code_ = code;
  width_ = width;
  height_ = height;
  displayScale_ = displayScale;
  rotation_ = 0;
  mirror_ = flip_ = 1;
  clipKind_ = kClipNone;
  state_ = kClipSelect;
  count_ = 0;
  pressed_ = false;
}

void ClipEditor::EditItem(const ItemRecord& picture) {
  rotation_ =
      Turned(picture.rightAngle()) || picture.rightAngle() == 180 ? picture.rightAngle() : 0;
  mirror_ = Sign(picture.mirrorSign());
  flip_ = Sign(picture.flipSign());
  const int32_t shape = picture.clipShape();
  if (shape != kClipRectangular && shape != kClipRound) return;
  clipKind_ = shape;
  ItemRecord& clip =
      NewItem(clips_, shape == kClipRound ? kKindRoundClip : kKindRectangularClip, observer_);
  clip.setX1(picture.clipLeft());
  clip.setY1(picture.clipTop());
  clip.setX2(picture.clipRight());
  clip.setY2(picture.clipBottom());
  SelectOnly(clips_, &clip);
  // The clip the picture came with is where editing starts, not a step to undo.
  ClearHistory(clips_, observer_);
}

void ClipEditor::SelectTool() {
  state_ = kClipSelect;
  count_ = 0;
  SelectOnly(clips_, nullptr);
}

void ClipEditor::OutlineTool(bool round) {
  clipKind_ = round ? kClipRound : kClipRectangular;
  state_ = round ? kClipRoundOutline : kClipOutline;
  count_ = 0;
  SelectOnly(clips_, nullptr);
}

void ClipEditor::EraseSelected() {
  if (FirstSelected(clips_) == nullptr) return;
  BeginEdit(clips_, observer_, false);
  for (ItemRecord* copy : SelectedRecords(clips_)) {
    copy->setKind(kKindDeletionMarker);
    copy->setSelected(0);
  }
  SelectOnly(clips_, nullptr);
}

int32_t ClipEditor::Width() const {
  int32_t w, h;
  TurnedSize(width_, height_, rotation_, w, h);
  return Turned(rotation_) ? h : w;
}

int32_t ClipEditor::Height() const {
  int32_t w, h;
  TurnedSize(width_, height_, rotation_, w, h);
  return Turned(rotation_) ? w : h;
}

void ClipEditor::Reorient(int32_t rotation, int mirror, int flip) {
  for (ItemRecord& r : clips_) {
    if (!IsClip(r) && r.kind() != kKindDeletionMarker) continue;
    const auto carry = [&](Point p) {
      const Point source = UnorientPoint(p, width_, height_, rotation_, mirror_, flip_);
      return OrientPoint(source, width_, height_, rotation, mirror, flip);
    };
    // A circle's centre moves with the picture; its rim point keeps its distance.
    SetEnds(r, carry({r.x1(), r.y1()}), carry({r.x2(), r.y2()}));
  }
  rotation_ = rotation;
  mirror_ = mirror;
  flip_ = flip;
}

void ClipEditor::Mirror() {
  if (Turned(rotation_)) {
    Reorient(rotation_, mirror_, -flip_);
  } else {
    Reorient(rotation_, -mirror_, flip_);
  }
}

void ClipEditor::Flip() {
  if (Turned(rotation_)) {
    Reorient(rotation_, -mirror_, flip_);
  } else {
    Reorient(rotation_, mirror_, -flip_);
  }
}

void ClipEditor::RotateLeft() {
  Reorient(rotation_ == 0 ? 270 : rotation_ - 90, mirror_, flip_);
}

void ClipEditor::RotateRight() {
  Reorient(rotation_ == 270 ? 0 : rotation_ + 90, mirror_, flip_);
}

void ClipEditor::Undo() {
  quillon::Undo(clips_, observer_);
  SelectOnly(clips_, nullptr);
}

void ClipEditor::Redo() {
  quillon::Redo(clips_, observer_);
  SelectOnly(clips_, nullptr);
}

bool ClipEditor::CanUndo() const {
  return quillon::CanUndo(clips_);
}

bool ClipEditor::CanRedo() const {
  return quillon::CanRedo(clips_);
}

ItemRecord* ClipEditor::ClipAt(Point p) const {
  ItemRecord* found = nullptr;
  for (ItemRecord& r : clips_) {
    if (!IsVisible(r) || !IsClip(r)) continue;
    bool inside;
    if (r.kind() == kKindRoundClip) {
      const double radius = std::hypot(double(r.x2()) - r.x1(), double(r.y2()) - r.y1());
      inside = std::hypot(double(p.x) - r.x1(), double(p.y) - r.y1()) <= radius;
    } else {
      inside = p.x >= std::min(r.x1(), r.x2()) && p.x <= std::max(r.x1(), r.x2()) &&
               p.y >= std::min(r.y1(), r.y2()) && p.y <= std::max(r.y1(), r.y2());
    }
    if (inside) found = &r;
  }
  return found;
}

void ClipEditor::Press(Point p) {
  pressed_ = true;
  pointer_ = p;
  if (state_ != kClipSelect) return;
  ItemRecord* clip = SelectedClip();
  if (clip == nullptr) return;
  const Point a{clip->x1(), clip->y1()}, b{clip->x2(), clip->y2()};
  if (clip->kind() == kKindRoundClip) {
    if (Near(p, b)) {
      state_ = kClipRimDrag;
      first_ = a;
    }
    return;
  }
  // Any corner of a rectangle can be taken; the opposite one stays.
  const Point corners[4] = {a, b, {a.x, b.y}, {b.x, a.y}};
  const Point opposite[4] = {b, a, {b.x, a.y}, {a.x, b.y}};
  for (int i = 0; i < 4; ++i) {
    if (Near(p, corners[i])) {
      state_ = kClipCornerDrag;
      first_ = opposite[i];
      return;
    }
  }
}

void ClipEditor::Move(Point p) {
  pointer_ = p;
}

void ClipEditor::HoldElapsed() {
  if (!pressed_ || count_ != 0 || (state_ != kClipOutline && state_ != kClipRoundOutline)) return;
  first_ = pointer_;
  count_ = 1;
}

void ClipEditor::Release(Point p) {
  pressed_ = false;
  pointer_ = p;
  switch (state_) {
    case kClipSelect:
      SelectOnly(clips_, ClipAt(p));
      return;
    case kClipOutline:
    case kClipRoundOutline:
      if (count_ == 0) {
        first_ = p;
        count_ = 1;
      } else {
        Create(first_, p);
        count_ = 0;
      }
      return;
    case kClipCornerDrag:
    case kClipRimDrag: {
      state_ = kClipSelect;
      if (SelectedClip() == nullptr) return;
      BeginEdit(clips_, observer_, false);
      if (ItemRecord* copy = SelectedClip()) SetEnds(*copy, first_, p);
      return;
    }
    default:
      return;
  }
}

void ClipEditor::Escape() {
  if ((state_ == kClipOutline || state_ == kClipRoundOutline) && count_ > 0) {
    count_ = 0;
    state_ = kClipSelect;
  }
}

std::optional<ClipEditor::Rubber> ClipEditor::RubberOutline() const {
  if ((state_ == kClipOutline || state_ == kClipRoundOutline) && count_ > 0) {
    return Rubber{state_ == kClipRoundOutline, first_, pointer_};
  }
  if (state_ == kClipCornerDrag || state_ == kClipRimDrag) {
    return Rubber{state_ == kClipRimDrag, first_, pointer_};
  }
  return std::nullopt;
}

void ClipEditor::Create(Point a, Point b) {
  const bool round = state_ == kClipRoundOutline;
  // A clip without width, height or radius would place nothing.
  if (round ? a == b : a.x == b.x || a.y == b.y) return;
  SetEnds(NewItem(clips_, round ? kKindRoundClip : kKindRectangularClip, observer_), a, b);
}

PictureInsert ClipEditor::Insert() const {
  PictureInsert insert;
  insert.code = code_;
  insert.clipKind = clipKind_;
  insert.rotation = rotation_;
  insert.mirrorSign = mirror_;
  insert.flipSign = flip_;
  insert.width = width_;
  insert.height = height_;
  insert.displayScale = displayScale_;
  return insert;
}

}  // namespace quillon
