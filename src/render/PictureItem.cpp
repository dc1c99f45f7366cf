// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PictureItem.h"

#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <optional>

#include "render/Blend.h"
#include "render/Outlines.h"
#include "render/PictureOps.h"
#include "render/Resample.h"
#include "render/Shadows.h"
#include "render/SharedDecodes.h"
#include "render/Surfaces.h"
#include "render/decoders/DecodePicture.h"

namespace quillon {
namespace {

// The window keeps scaled pictures up to this many pixels in their render cache.
constexpr int64_t kLargestCachedPicture = 16'000'000;
// Pictures up to this many pixels are always made whole, even when little of them shows.
constexpr int64_t kLargestWholePicture = 1 << 20;
// The most pixels a turned picture's shadow mask may have: more than an A3 page at 600 dots per
// inch needs; a larger one would take minutes to blur and turn, so it is left out.
constexpr int64_t kLargestRotatedShadow = 100'000'000;

int SignOf(double value) {
  return value < 0 ? -1 : 1;
}

// The picture without its last column or row where the width or height is odd.
Bitmap TrimmedEven(Bitmap picture) {
  const int w = picture.width() & ~1, h = picture.height() & ~1;
  if (w == picture.width() && h == picture.height()) return picture;
  Bitmap even = Bitmap::TryCreate(w, h);
  if (!even.empty()) even.CopyFrom(picture, 0, 0, w, h, 0, 0);
  return even;
}

// A target coordinate as a bitmap index, or nothing when it lies beyond any bitmap.
std::optional<int> BitmapIndex(int64_t target, int32_t origin) {
  const int64_t index = target - origin;
  if (index < -2 * kMaxBitmapSide || index > 2 * kMaxBitmapSide) return std::nullopt;
  return static_cast<int>(index);
}

// Copies picture onto the target with its top-left pixel at position (target coordinates).
void Blit(Primitives& target, const Bitmap& picture, int64_t x, int64_t y) {
  const std::optional<int> bx = BitmapIndex(x, target.origin().x);
  const std::optional<int> by = BitmapIndex(y, target.origin().y);
  if (!bx || !by || picture.empty()) return;
  target.bitmap().CopyFrom(picture, 0, 0, picture.width(), picture.height(), *bx, *by);
}

// A work bitmap holding the target area of the given size at position (target coordinates);
// what lies outside the target is white.
Bitmap Under(Primitives& target, int64_t x, int64_t y, int width, int height) {
  Bitmap work = Bitmap::TryCreate(width, height);
  const std::optional<int> bx = BitmapIndex(x, target.origin().x);
  const std::optional<int> by = BitmapIndex(y, target.origin().y);
  if (work.empty() || !bx || !by) return Bitmap();
  work.CopyFrom(target.bitmap(), *bx, *by, width, height, 0, 0);
  return work;
}

// Whether a box of the given size at position can touch the target at all.
bool Touches(const Primitives& target, int64_t x, int64_t y, int64_t width, int64_t height) {
  const BoundingBox area = target.Area();
  return x <= area.right && y <= area.bottom && x + width > area.left && y + height > area.top;
}

// Where a rectangular picture goes: its box's top-left corner and size in target pixels.
struct PictureBox {
  Point topLeft;
  int64_t width = 0;
  int64_t height = 0;
};
PictureBox TargetBox(const ItemRecord& picture, const TargetMapping& mapping) {
  const Point a = mapping.Map({picture.x1(), picture.y1()});
  const Point b = mapping.Map({picture.x2(), picture.y2()});
  return {{std::min(a.x, b.x), std::min(a.y, b.y)},
          std::abs(int64_t{b.x} - a.x),
          std::abs(int64_t{b.y} - a.y)};
}

// The centre and radius of a round picture in target pixels.
struct PictureCircle {
  Point centre;
  int32_t radius = 0;
};
PictureCircle TargetCircle(const ItemRecord& picture, const TargetMapping& mapping) {
  const Point c = mapping.Map({picture.x1(), picture.y1()});
  const Point rim = mapping.Map({picture.x2(), picture.y2()});
  return {c, RoundToInt32(DistanceOf(c, rim))};
}

bool IsRound(const ItemRecord& picture) {
  return picture.clipShape() == 2;
}

int32_t FrameWidth(const ItemRecord& picture, double scale, const ScreenMetrics& screen) {
  return picture.frame() != 0 ? PixelWidth(scale, picture.lineWeight(), screen) : 0;
}

// Scales the clip to width x height with the Mitchell filter, then adjusts its colours and
// mirrors or flips it by the signs of scaleX and scaleY.
Bitmap ScaledClip(const Bitmap& clip, const ItemRecord& picture, int64_t width, int64_t height) {
  if (clip.empty() || width < 1 || height < 1 || width > kMaxBitmapSide ||
      height > kMaxBitmapSide) {
    return Bitmap();
  }
  Bitmap scaled = Bitmap::TryCreate(static_cast<int>(width), static_cast<int>(height));
  if (scaled.empty()) return scaled;
  Resample(clip, scaled, ResampleFilter::Mitchell);
  AdjustColours(scaled, picture.saturation(), picture.contrast(), picture.lightness());
  MirrorFlip(scaled, SignOf(picture.scaleX()), SignOf(picture.scaleY()));
  return scaled;
}

// The rectangle between the clip's corners (given in any order) out of the source; parts
// beyond the source are white. A clip of the whole source is the source itself, not a copy.
const Bitmap& RectangularClip(const Bitmap& source, const ItemRecord& picture, Bitmap& storage) {
  const int64_t left = std::min(picture.clipLeft(), picture.clipRight());
  const int64_t right = std::max(picture.clipLeft(), picture.clipRight());
  const int64_t top = std::min(picture.clipTop(), picture.clipBottom());
  const int64_t bottom = std::max(picture.clipTop(), picture.clipBottom());
  const int64_t w = right - left, h = bottom - top;
  storage = Bitmap();
  if (w < 1 || h < 1 || w > kMaxBitmapSide || h > kMaxBitmapSide) return storage;
  if (left == 0 && top == 0 && w == source.width() && h == source.height()) return source;
  storage = Bitmap::TryCreate(static_cast<int>(w), static_cast<int>(h));
  if (storage.empty() || left < -kMaxBitmapSide || top < -kMaxBitmapSide || left > kMaxBitmapSide ||
      top > kMaxBitmapSide) {
    return storage;
  }
  storage.CopyFrom(source, static_cast<int>(left), static_cast<int>(top), static_cast<int>(w),
                   static_cast<int>(h), 0, 0);
  return storage;
}

// The square centre +- r of the round clip out of the source, on white. A square that is the
// whole source is the source itself, not a copy: a large picture is not held twice.
const Bitmap& RoundClip(const Bitmap& source, const ItemRecord& picture, Bitmap& clip) {
  const Point centre{picture.clipLeft(), picture.clipTop()};
  const int64_t r = RoundToInt32(DistanceOf(centre, {picture.clipRight(), picture.clipBottom()}));
  clip = Bitmap();
  if (r < 1 || 2 * r > kMaxBitmapSide) return clip;
  const int64_t left = centre.x - r, top = centre.y - r;
  if (left == 0 && top == 0 && 2 * r == source.width() && 2 * r == source.height()) return source;
  clip = Bitmap::TryCreate(static_cast<int>(2 * r), static_cast<int>(2 * r));
  if (clip.empty() || left < -kMaxBitmapSide || top < -kMaxBitmapSide || left > kMaxBitmapSide ||
      top > kMaxBitmapSide) {
    return clip;
  }
  clip.CopyFrom(source, static_cast<int>(left), static_cast<int>(top), clip.width(), clip.height(),
                0, 0);
  return clip;
}

// A picture scaled and adjusted at one mapping: framed is what is drawn (a rectangular picture
// inside its frame); unframed is the picture before a frame, empty when none was added.
struct PreparedPicture {
  Bitmap framed;
  Bitmap unframed;
  int32_t frame = 0;
  const Bitmap& BeforeFrame() const { return unframed.empty() ? framed : unframed; }
};

// The picture inside a frame of width p (at least 1): flat in lineColor, or shaded when the
// surface is on and the frame is wider than 3 pixels.
Bitmap Framed(const Bitmap& picture, const ItemRecord& item, int32_t p, int light, int surface) {
  const int64_t w = int64_t{picture.width()} + 2 * int64_t{p},
                h = int64_t{picture.height()} + 2 * int64_t{p};
  if (w > kMaxBitmapSide || h > kMaxBitmapSide) return Bitmap();
  Bitmap framed = Bitmap::TryCreate(static_cast<int>(w), static_cast<int>(h));
  if (framed.empty()) return framed;
  const uint32_t lineColor = static_cast<uint32_t>(item.lineColor());
  framed.Fill(lineColor);
  framed.CopyFrom(picture, 0, 0, picture.width(), picture.height(), p, p);
  if (surface != 0 && p > 3) {
    ShadePictureFrame(framed, p, item.rotation(), light, surface, lineColor);
  }
  return framed;
}

// Steps up to the frame for a rectangular picture; empty when it draws nothing.
PreparedPicture PrepareRectangular(const ItemRecord& picture, const ItemList& list,
                                   const TargetMapping& mapping, int light, int surface) {
  PreparedPicture prepared;
  const PictureBox box = TargetBox(picture, mapping);
  if (box.width < 1 || box.height < 1 || box.width > kMaxBitmapSide ||
      box.height > kMaxBitmapSide) {
    return prepared;
  }
  const std::shared_ptr<const Bitmap> source = SourcePicture(picture, list);
  if (!source) return prepared;
  Bitmap storage;
  Bitmap scaled =
      ScaledClip(RectangularClip(*source, picture, storage), picture, box.width, box.height);
  if (scaled.empty()) return prepared;
  if (picture.rotation() != 0) scaled = TrimmedEven(std::move(scaled));
  prepared.frame = FrameWidth(picture, mapping.scaleY, list.screen());
  if (prepared.frame < 1) {
    prepared.framed = std::move(scaled);
  } else {
    prepared.framed = Framed(scaled, picture, prepared.frame, light, surface);
    if (!prepared.framed.empty()) prepared.unframed = std::move(scaled);
  }
  return prepared;
}

// Steps up to the mirroring for a round picture: the 2R x 2R square, not yet rotated.
PreparedPicture PrepareRound(const ItemRecord& picture, const ItemList& list,
                             const TargetMapping& mapping) {
  PreparedPicture prepared;
  const PictureCircle circle = TargetCircle(picture, mapping);
  if (circle.radius < 1 || 2 * int64_t{circle.radius} > kMaxBitmapSide) return prepared;
  const std::shared_ptr<const Bitmap> source = SourcePicture(picture, list);
  if (!source) return prepared;
  // A round picture's frame is a ring drawn around it, not part of the bitmap.
  Bitmap storage;
  prepared.framed = ScaledClip(RoundClip(*source, picture, storage), picture,
                               2 * int64_t{circle.radius}, 2 * int64_t{circle.radius});
  prepared.frame = picture.frame() == 1 ? FrameWidth(picture, mapping.scaleY, list.screen()) : 0;
  return prepared;
}

// Draws a prepared rectangular picture at its place, turned by its rotation.
void PlaceRectangular(Primitives& target, const ItemRecord& picture, const Bitmap& framed,
                      int32_t p, const TargetMapping& mapping) {
  if (framed.empty()) return;
  const PictureBox box = TargetBox(picture, mapping);
  const double rotation = picture.rotation();
  if (rotation == 0) {
    Blit(target, framed, int64_t{box.topLeft.x} - p, int64_t{box.topLeft.y} - p);
    return;
  }
  const int w = framed.width(), h = framed.height();
  const BitmapSize turned = RotatedSize(w, h, rotation);
  const int64_t x = int64_t{box.topLeft.x} - ((turned.width - w) / 2 + int64_t{p});
  const int64_t y = int64_t{box.topLeft.y} - ((turned.height - h) / 2 + int64_t{p});
  if (!Touches(target, x, y, turned.width, turned.height)) return;
  Bitmap work = Under(target, x, y, turned.width, turned.height);
  if (work.empty()) return;
  RotateBitmap(framed, work, rotation);
  Blit(target, work, x, y);
}

// Draws a prepared round picture: turned, masked to its circle, then its frame ring.
void PlaceRound(Primitives& target, const ItemRecord& picture, const Bitmap& square, int32_t p,
                const TargetMapping& mapping, int light, int surface) {
  if (square.empty()) return;
  const PictureCircle circle = TargetCircle(picture, mapping);
  const int side = square.width();
  const int64_t x = int64_t{circle.centre.x} - circle.radius;
  const int64_t y = int64_t{circle.centre.y} - circle.radius;
  const int64_t reach = int64_t{circle.radius} + p;
  if (!Touches(target, x - p, y - p, 2 * reach + 1, 2 * reach + 1)) return;
  const Bitmap* shown = &square;
  Bitmap middle;
  const double rotation = picture.rotation();
  if (rotation != 0) {
    const BitmapSize size = RotatedSize(side, side, rotation);
    Bitmap turned = Bitmap::TryCreate(size.width, size.height);
    middle = Bitmap::TryCreate(side, side);
    if (turned.empty() || middle.empty()) return;
    RotateBitmap(square, turned, rotation);
    middle.CopyFrom(turned, (size.width - side) / 2, (size.height - side) / 2, side, side, 0, 0);
    shown = &middle;
  }
  Bitmap work = Under(target, x, y, side, side);
  if (work.empty()) return;
  RoundMask(*shown, work);
  Blit(target, work, x, y);
  if (p < 1) return;
  const uint32_t lineColor = static_cast<uint32_t>(picture.lineColor());
  if (surface != 0 && p > 3) {
    ShadeRound(target, circle.centre, circle.radius, p, light, surface, lineColor);
    return;
  }
  const int64_t r = int64_t{circle.radius} + RoundToInt32((p - 1) / 2.0);
  target.Ellipse({ClampToInt32(circle.centre.x - r), ClampToInt32(circle.centre.y - r),
                  ClampToInt32(circle.centre.x + r), ClampToInt32(circle.centre.y + r)},
                 std::nullopt, Pen{lineColor, p});
}

// Fills a rectangle of the target (target coordinates), clipped to its bitmap.
void FillArea(Primitives& target, int64_t x, int64_t y, int64_t width, int64_t height,
              uint32_t colour) {
  const BoundingBox area = target.Area();
  const int64_t left = std::max<int64_t>(x, area.left);
  const int64_t top = std::max<int64_t>(y, area.top);
  const int64_t right = std::min<int64_t>(x + width - 1, area.right);
  const int64_t bottom = std::min<int64_t>(y + height - 1, area.bottom);
  if (right < left || bottom < top) return;
  Bitmap& bitmap = target.bitmap();
  const uint8_t bgr[3] = {BlueOf(colour), GreenOf(colour), RedOf(colour)};
  for (int64_t row = top; row <= bottom; ++row) {
    uint8_t* out = bitmap.Row(static_cast<int>(row - target.origin().y));
    for (int64_t column = left; column <= right; ++column)
      std::memcpy(out + 3 * (column - target.origin().x), bgr, 3);
  }
}

// Whether an unrotated rectangular picture with a flat frame is better made only where the
// target shows it: when it is large and most of it lies outside the target.
bool DrawnInPart(const ItemRecord& picture, const PictureBox& box, const Primitives& target,
                 bool shadedFrame, int64_t largeAbove) {
  if (picture.rotation() != 0 || shadedFrame || IsRound(picture)) return false;
  const BoundingBox area = target.Area();
  const int64_t w = std::min<int64_t>(box.topLeft.x + box.width - 1, area.right) -
                    std::max<int64_t>(box.topLeft.x, area.left) + 1;
  const int64_t h = std::min<int64_t>(box.topLeft.y + box.height - 1, area.bottom) -
                    std::max<int64_t>(box.topLeft.y, area.top) + 1;
  const double whole = double(box.width) * double(box.height);
  const double shown = std::max<int64_t>(w, 0) * double(std::max<int64_t>(h, 0));
  return whole > double(largeAbove) && whole > 2 * shown;
}

// Draws the part of an unrotated rectangular picture that the target shows, and its flat
// frame: the same pixels as the whole picture would give there.
void DrawVisiblePart(Primitives& target, const ItemRecord& picture, const Bitmap& source,
                     const TargetMapping& mapping, int32_t p) {
  const PictureBox box = TargetBox(picture, mapping);
  Bitmap storage;
  const Bitmap& clip = RectangularClip(source, picture, storage);
  if (clip.empty() || box.width < 1 || box.height < 1) return;
  const BoundingBox area = target.Area();
  const int64_t left = std::max<int64_t>(box.topLeft.x, area.left);
  const int64_t top = std::max<int64_t>(box.topLeft.y, area.top);
  const int64_t right = std::min<int64_t>(box.topLeft.x + box.width - 1, area.right);
  const int64_t bottom = std::min<int64_t>(box.topLeft.y + box.height - 1, area.bottom);
  if (right >= left && bottom >= top) {
    Bitmap part =
        Bitmap::TryCreate(static_cast<int>(right - left + 1), static_cast<int>(bottom - top + 1));
    if (part.empty()) return;
    // Mirrored and flipped pictures take their part from the other side before turning it.
    int64_t x = left - box.topLeft.x, y = top - box.topLeft.y;
    if (picture.scaleX() < 0) x = box.width - x - part.width();
    if (picture.scaleY() < 0) y = box.height - y - part.height();
    ResampleWindow(clip, box.width, box.height, x, y, part, ResampleFilter::Mitchell);
    AdjustColours(part, picture.saturation(), picture.contrast(), picture.lightness());
    MirrorFlip(part, SignOf(picture.scaleX()), SignOf(picture.scaleY()));
    Blit(target, part, left, top);
  }
  if (p < 1) return;
  const uint32_t colour = static_cast<uint32_t>(picture.lineColor());
  const int64_t x = box.topLeft.x, y = box.topLeft.y;
  FillArea(target, x - p, y - p, box.width + 2 * int64_t{p}, p, colour);
  FillArea(target, x - p, y + box.height, box.width + 2 * int64_t{p}, p, colour);
  FillArea(target, x - p, y, p, box.height, colour);
  FillArea(target, x + box.width, y, p, box.height, colour);
}

// The shadow mask's side: (g - a) + round(side * f), but never so small that the silhouette,
// moved by g, would be cut off.
int64_t MaskSide(int64_t g, int64_t a, int64_t side, double f) {
  return std::max(g - a + RoundToInt32(side * f), std::abs(g) + side);
}

int64_t EvenUp(int64_t n) {
  return n + (n & 1);
}

// The look of the window's picture at this mapping: what PrepareRectangular and PrepareRound
// read, each field only where it changes the bitmap they make.
PictureLook LookOf(const ItemRecord& picture, const ItemList& list, const TargetMapping& mapping,
                   int light, int surface) {
  PictureLook look;
  look.round = IsRound(picture);
  if (look.round) {
    // A round picture's frame is a ring drawn around it at its place, not part of the bitmap.
    look.width = look.height = 2 * int64_t{TargetCircle(picture, mapping).radius};
    look.frame = picture.frame() == 1 ? FrameWidth(picture, mapping.scaleY, list.screen()) : 0;
  } else {
    const PictureBox box = TargetBox(picture, mapping);
    look.frame = FrameWidth(picture, mapping.scaleY, list.screen());
    look.turned = picture.rotation() != 0;
    look.width = (look.turned ? box.width & ~int64_t{1} : box.width) + 2 * int64_t{look.frame};
    look.height = (look.turned ? box.height & ~int64_t{1} : box.height) + 2 * int64_t{look.frame};
    if (look.frame > 0) look.frameColor = picture.lineColor();
    if (surface != 0 && look.frame > 3) {
      look.light = light;
      look.surface = surface;
      look.shadingTurn = picture.rotation();
    }
  }
  look.clipLeft = picture.clipLeft();
  look.clipTop = picture.clipTop();
  look.clipRight = picture.clipRight();
  look.clipBottom = picture.clipBottom();
  look.saturation = picture.saturation();
  look.contrast = picture.contrast();
  look.lightness = picture.lightness();
  look.mirrored = picture.scaleX() < 0;
  look.flipped = picture.scaleY() < 0;
  look.rightAngle = picture.rightAngle();
  look.mirrorSign = picture.mirrorSign();
  look.flipSign = picture.flipSign();
  look.sourceNumber = picture.sourceNumber();
  if (const ItemRecord* source = FindSource(list, picture.sourceNumber())) {
    look.sourceType = source->clipShape();
    look.sourceWidth = source->x2();
    look.sourceHeight = source->y2();
    look.sourceScale = source->sourceScale();
  }
  return look;
}

// The outline forms of a picture in the window, one pixel wide: a solid pen, or a dotted one
// (three on, three off) with its gaps in gap.
void DrawOutlineForm(Primitives& target, const ItemRecord& picture, const TargetMapping& mapping,
                     uint32_t colour, std::optional<uint32_t> gap, bool inset) {
  const auto toQt = [](uint32_t c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); };
  QPainter& painter = target.painter();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  QPen pen(toQt(colour));
  pen.setWidth(1);
  pen.setCosmetic(true);
  if (gap) {
    pen.setDashPattern({3, 3});
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(toQt(*gap));
  }
  painter.setPen(pen);
  const QPointF origin(target.PainterOrigin().x, target.PainterOrigin().y);
  const auto local = [&](double x, double y) { return QPointF(x, y) - origin; };
  const double rotation = picture.rotation();
  const BoundingBox area = target.Area();
  const auto far = [&](double x, double y, double reach) {
    return x + reach < area.left || y + reach < area.top || x - reach > area.right ||
           y - reach > area.bottom || reach > 4 * kMaxBitmapSide;
  };
  if (IsRound(picture)) {
    const PictureCircle c = TargetCircle(picture, mapping);
    if (!far(c.centre.x, c.centre.y, c.radius + 2.0)) {
      const EllipseChain chain =
          EllipseBezier(c.centre, {ClampToInt32(int64_t{c.centre.x} + c.radius), c.centre.y},
                        {c.centre.x, ClampToInt32(int64_t{c.centre.y} + c.radius)});
      QPainterPath path(local(chain.points[0].x, chain.points[0].y));
      for (int i = 1; i + 2 < 13; i += 3) {
        path.cubicTo(local(chain.points[i].x, chain.points[i].y),
                     local(chain.points[i + 1].x, chain.points[i + 1].y),
                     local(chain.points[i + 2].x, chain.points[i + 2].y));
      }
      painter.drawPath(path);
      if (rotation != 0) {
        painter.drawLine(local(c.centre.x, c.centre.y),
                         local(c.centre.x + RoundToInt32(c.radius * std::sin(rotation)),
                               c.centre.y + RoundToInt32(c.radius * std::cos(rotation))));
      }
    }
  } else {
    const PictureBox box = TargetBox(picture, mapping);
    const double cx = box.topLeft.x + box.width / 2.0, cy = box.topLeft.y + box.height / 2.0;
    if (!far(cx, cy, double(box.width + box.height) + 2)) {
      double left = box.topLeft.x, top = box.topLeft.y;
      double right = left + box.width, bottom = top + box.height;
      if (inset && rotation == 0) {
        left += 1;
        top += 1;
        right -= 1;
        bottom -= 1;
      }
      QPolygonF corners;
      const double s = std::sin(rotation), co = std::cos(rotation);
      for (const QPointF& p : {QPointF(left, top), QPointF(right, top), QPointF(right, bottom),
                               QPointF(left, bottom)}) {
        // Turned counter-clockwise on screen about the box's centre, y pointing down.
        const double dx = p.x() - cx, dy = p.y() - cy;
        const double x = rotation == 0 ? p.x() : cx + RoundToInt32(dx * co + dy * s);
        const double y = rotation == 0 ? p.y() : cy + RoundToInt32(-dx * s + dy * co);
        corners << local(x, y);
      }
      painter.drawPolygon(corners);
    }
  }
  painter.restore();
}

// The file name of the picture's source, without its folder.
QString SourceFileName(const ItemRecord& picture, const ItemList& list) {
  const ItemRecord* source = FindSource(list, picture.sourceNumber());
  if (source == nullptr) return QString();
  return QFileInfo(QString::fromStdU16String(source->text())).fileName();
}

void DrawLoadingForm(Primitives& target, const ItemRecord& picture, const ItemList& list,
                     const TargetMapping& mapping) {
  DrawOutlineForm(target, picture, mapping, kSilver, std::nullopt, true);
  if (IsRound(picture) || picture.rotation() != 0) return;
  const PictureBox box = TargetBox(picture, mapping);
  if (!Touches(target, box.topLeft.x, box.topLeft.y, box.width, box.height)) return;
  const QString name = SourceFileName(picture, list);
  if (name.isEmpty() || box.width < 3 || box.height < 3) return;
  QPainter& painter = target.painter();
  painter.save();
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::max(1, (10 * list.screen().dpiY + 36) / 72));
  painter.setFont(font);
  painter.setPen(ToQColor(kSilver));
  const double x = double(box.topLeft.x) - target.PainterOrigin().x;
  const double y = double(box.topLeft.y) - target.PainterOrigin().y;
  painter.setClipRect(QRectF(x + 1, y + 1, double(box.width) - 2, double(box.height) - 2),
                      Qt::IntersectClip);
  painter.drawText(QRectF(x + 5, y + 5, double(box.width), double(box.height)),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
  painter.restore();
}

}  // namespace

Bitmap DecodeSource(const ItemRecord& picture, const ItemList& list) {
  const ItemRecord* source = FindSource(list, picture.sourceNumber());
  if (source == nullptr || source->pictureData.empty()) return Bitmap();
  DecodedPicture decoded = DecodePicture(source->pictureData, source->clipShape());
  if (!decoded.ok() || decoded.bitmap.width() <= 1 || decoded.bitmap.height() <= 1) {
    return Bitmap();
  }
  return OrientPicture(std::move(decoded.bitmap), picture.rightAngle(), picture.mirrorSign(),
                       picture.flipSign());
}

std::shared_ptr<const Bitmap> SourcePicture(const ItemRecord& picture, const ItemList& list) {
  const ItemRecord* source = FindSource(list, picture.sourceNumber());
  if (source == nullptr || source->pictureData.empty()) return {};
  std::shared_ptr<const Bitmap> decoded = DecodeShared(source->pictureData, source->clipShape());
  if (!decoded) return {};
  const int32_t turn = picture.rightAngle();
  if (turn != 90 && turn != 180 && turn != 270 && picture.mirrorSign() >= 0 &&
      picture.flipSign() >= 0) {
    return decoded;
  }
  Bitmap oriented =
      OrientPicture(decoded->Clone(), turn, picture.mirrorSign(), picture.flipSign());
  if (oriented.empty()) return {};
  return std::make_shared<const Bitmap>(std::move(oriented));
}

Bitmap OrientPicture(Bitmap bitmap, int32_t rightAngle, int mirrorSign, int flipSign) {
  int mirror = mirrorSign < 0 ? -1 : 1;
  int flip = flipSign < 0 ? -1 : 1;
  if (rightAngle == 90 || rightAngle == 270) {
    bitmap = TrimmedEven(std::move(bitmap));
    Bitmap turned = Bitmap::TryCreate(bitmap.height(), bitmap.width());
    if (turned.empty()) return turned;
    RotateBitmap(bitmap, turned, mirror * flip * rightAngle * std::numbers::pi / 180);
    bitmap = std::move(turned);
  } else if (rightAngle == 180) {
    mirror = -mirror;
    flip = -flip;
  }
  MirrorFlip(bitmap, mirror, flip);
  return bitmap;
}

void DrawPictureShadow(Primitives& target, const ItemRecord& picture, const ItemList& list,
                       const TargetMapping& mapping, int light, bool window) {
  if (picture.shadowSize() == 0 || picture.shadowLightness() == 0) return;
  const ScreenMetrics& screen = list.screen();
  const double scale = mapping.scaleY;
  const bool round = IsRound(picture);
  // The silhouette: the framed box, or the circle widened by the frame.
  int64_t left, top, b, c, a;
  if (round) {
    const PictureCircle circle = TargetCircle(picture, mapping);
    a = std::max(0, FrameWidth(picture, scale, screen) - 1);
    const int64_t r = int64_t{circle.radius} + a;
    left = circle.centre.x - r;
    top = circle.centre.y - r;
    b = c = 2 * r;
  } else {
    const PictureBox box = TargetBox(picture, mapping);
    a = FrameWidth(picture, scale, screen);
    left = box.topLeft.x - a;
    top = box.topLeft.y - a;
    b = box.width + 2 * a;
    c = box.height + 2 * a;
  }
  if (b < 1 || c < 1 || b > kMaxBitmapSide || c > kMaxBitmapSide) return;
  const double f = PictureShadowSpread(picture);
  const int64_t g =
      window ? WindowShadowOffset(picture, scale, screen) : ShadowOffset(picture, scale, screen);
  const Point shift = ShadowShift(light, ClampToInt32(g));
  const Point towards = ShadowShift(light, 1);
  int64_t maskW = MaskSide(g, a, b, f), maskH = MaskSide(g, a, c, f);
  const double rotation = picture.rotation();
  if (rotation != 0) {
    maskW = EvenUp(maskW);
    maskH = EvenUp(maskH);
  }
  if (maskW < 1 || maskH < 1 || maskW > kMaxBitmapSide || maskH > kMaxBitmapSide) return;
  // The silhouette with its top-left corner at (x, y) of the primitives' coordinates.
  const uint32_t tone = ShadowTone(picture);
  const auto silhouette = [&](Primitives& mask, int64_t x, int64_t y) {
    const BoundingBox shape{ClampToInt32(x), ClampToInt32(y), ClampToInt32(x + b - 1),
                            ClampToInt32(y + c - 1)};
    if (round) {
      mask.Ellipse(shape, tone, Pen{tone, 0});
    } else {
      const Point corners[4] = {{shape.left, shape.top},
                                {ClampToInt32(int64_t{shape.right} + 1), shape.top},
                                {ClampToInt32(int64_t{shape.right} + 1),
                                 ClampToInt32(int64_t{shape.bottom} + 1)},
                                {shape.left, ClampToInt32(int64_t{shape.bottom} + 1)}};
      mask.Polygon(corners, tone, Pen{tone, 0});
    }
  };
  if (rotation == 0) {
    // Unrotated, the mask's edge away from the shadow lies on the framed box's edge. The common
    // shadow pipeline makes only the part of a large mask that can reach the target.
    const int64_t x = left + shift.x - (towards.x > 0 ? g : maskW - b - g);
    const int64_t y = top + shift.y - (towards.y > 0 ? g : maskH - c - g);
    if (x < INT32_MIN || y < INT32_MIN || x + maskW > INT32_MAX || y + maskH > INT32_MAX) return;
    const BoundingBox area{static_cast<int32_t>(x), static_cast<int32_t>(y),
                           static_cast<int32_t>(x + maskW - 1), static_cast<int32_t>(y + maskH - 1)};
    CastShadow(target, area, shift, picture.shadowSoftness(), window ? 1.0 : scale,
               [&](Primitives& mask) { silhouette(mask, left, top); });
    return;
  }
  // Rotated, the silhouette sits in the mask's middle. A shadow that cannot reach the target is
  // not made at all, and one larger than any page needs is left out.
  const BitmapSize reach = RotatedSize(static_cast<int>(maskW), static_cast<int>(maskH), rotation);
  const int64_t reachW = EvenUp(reach.width), reachH = EvenUp(reach.height);
  const int64_t reachX = left + b / 2 + shift.x - reachW / 2;
  const int64_t reachY = top + c / 2 + shift.y - reachH / 2;
  const BoundingBox visible = target.Area();
  if (reachX > visible.right || reachY > visible.bottom || reachX + reachW <= visible.left ||
      reachY + reachH <= visible.top || maskW * maskH > kLargestRotatedShadow) {
    return;
  }
  Bitmap mask = Bitmap::TryCreate(static_cast<int>(maskW), static_cast<int>(maskH));
  if (mask.empty()) return;
  {
    Primitives primitives(mask);
    silhouette(primitives, (maskW - b) / 2, (maskH - c) / 2);
  }
  BlurMask(mask, picture.shadowSoftness(), window ? 1.0 : scale);
  const BitmapSize size = RotatedSize(mask.width(), mask.height(), rotation);
  const int64_t tw = EvenUp(size.width), th = EvenUp(size.height);
  if (tw > kMaxBitmapSide || th > kMaxBitmapSide) return;
  Bitmap turned = Bitmap::TryCreate(static_cast<int>(tw), static_cast<int>(th));
  if (turned.empty()) return;
  RotateBitmap(mask, turned, rotation);
  const int64_t x = left + b / 2 + shift.x - tw / 2, y = top + c / 2 + shift.y - th / 2;
  if (x < INT32_MIN || y < INT32_MIN || x > INT32_MAX || y > INT32_MAX) return;
  ComposeShadow(target, turned, {static_cast<int32_t>(x), static_cast<int32_t>(y)});
}

void DrawPicture(Primitives& target, const ItemRecord& picture, const ItemList& list,
                 const TargetMapping& mapping, const DrawStyle& style) {
  if (target.bitmap().empty()) return;
  // A picture whose drawing and shadow cannot reach the target is not decoded at all.
  const int32_t frame = FrameWidth(picture, mapping.scaleY, list.screen());
  const int64_t reach = int64_t{frame} +
                        (style.shadow ? ShadowMargin(picture, mapping.scaleY, list.screen()) : 0) +
                        2;
  if (IsRound(picture)) {
    const PictureCircle c = TargetCircle(picture, mapping);
    const int64_t r = int64_t{c.radius} + reach;
    if (!Touches(target, c.centre.x - r, c.centre.y - r, 2 * r + 1, 2 * r + 1)) return;
  } else {
    const PictureBox box = TargetBox(picture, mapping);
    // Rotated pictures reach out to their box's half diagonal around its centre.
    const int64_t half =
        picture.rotation() != 0
            ? static_cast<int64_t>(std::ceil(std::hypot(box.width, box.height) / 2))
            : 0;
    const int64_t x = box.topLeft.x - reach - std::max<int64_t>(half - box.width / 2, 0);
    const int64_t y = box.topLeft.y - reach - std::max<int64_t>(half - box.height / 2, 0);
    if (!Touches(target, x, y, int64_t{box.topLeft.x} + box.width + reach + half - x + 1,
                 int64_t{box.topLeft.y} + box.height + reach + half - y + 1)) {
      return;
    }
  }
  // The shadow needs no decoded picture, but one that cannot be drawn casts none.
  if (IsRound(picture)) {
    PreparedPicture prepared = PrepareRound(picture, list, mapping);
    if (prepared.framed.empty()) return;
    if (style.shadow) DrawPictureShadow(target, picture, list, mapping, style.light, style.window);
    PlaceRound(target, picture, prepared.framed, prepared.frame, mapping, style.light,
               style.surface);
    return;
  }
  // A large picture mostly outside the target is made only where the target shows it.
  if (DrawnInPart(picture, TargetBox(picture, mapping), target, style.surface != 0 && frame > 3,
                  kLargestWholePicture)) {
    const std::shared_ptr<const Bitmap> source = SourcePicture(picture, list);
    if (!source) return;
    if (style.shadow) DrawPictureShadow(target, picture, list, mapping, style.light, style.window);
    DrawVisiblePart(target, picture, *source, mapping, frame);
    return;
  }
  PreparedPicture prepared = PrepareRectangular(picture, list, mapping, style.light, style.surface);
  if (prepared.framed.empty()) return;
  if (style.shadow) DrawPictureShadow(target, picture, list, mapping, style.light, style.window);
  PlaceRectangular(target, picture, prepared.framed, prepared.frame, mapping);
}

void PaintPicture(Primitives& target, const ItemRecord& picture, const ItemList& list,
                  const TargetMapping& mapping, const RenderMode& mode, int light) {
  if (target.bitmap().empty()) return;
  if (mode.busyLoading) {
    DrawLoadingForm(target, picture, list, mapping);
    return;
  }
  if (mode.quick) {
    DrawOutlineForm(target, picture, mapping, mode.dragOutline, mode.dragOutlineGap, false);
    return;
  }
  if (!mode.pictures) {
    DrawOutlineForm(target, picture, mapping, mode.pictureOutline, mode.pictureOutlineGap, false);
    return;
  }
  const int surface = mode.surfaces ? picture.surface() : 0;
  const PictureLook look = LookOf(picture, list, mapping, light, surface);
  // Pictures too large to keep at this zoom are made afresh, only where the canvas shows them;
  // a picture kept at another zoom lets its memory go.
  if (!look.round && double(look.width) * double(look.height) > double(kLargestCachedPicture) &&
      DrawnInPart(picture, TargetBox(picture, mapping), target, surface != 0 && look.frame > 3,
                  0)) {
    picture.renderCache.reset();
    const std::shared_ptr<const Bitmap> source = SourcePicture(picture, list);
    if (!source) return;
    if (mode.shadows) DrawPictureShadow(target, picture, list, mapping, light, true);
    DrawVisiblePart(target, picture, *source, mapping, look.frame);
    return;
  }
  const PictureCache* cache = WindowPicture(picture);
  if (cache == nullptr || !(cache->look == look)) {
    PreparedPicture prepared = look.round
                                   ? PrepareRound(picture, list, mapping)
                                   : PrepareRectangular(picture, list, mapping, light, surface);
    if (prepared.framed.empty()) return;
    auto made = std::make_unique<PictureCache>();
    made->look = look;
    made->framed = std::move(prepared.framed);
    made->unframed = std::move(prepared.unframed);
    cache = made.get();
    picture.renderCache = std::move(made);
  }
  if (mode.shadows) {
    DrawPictureShadow(target, picture, list, mapping, light, true);
  }
  if (look.round) {
    PlaceRound(target, picture, cache->framed, look.frame, mapping, light, surface);
  } else {
    PlaceRectangular(target, picture, cache->framed, look.frame, mapping);
  }
}

const PictureCache* WindowPicture(const ItemRecord& picture) {
  return dynamic_cast<const PictureCache*>(picture.renderCache.get());
}

}  // namespace quillon
