// SPDX-License-Identifier: GPL-3.0-or-later
// 3-D surfaces: a shape's colours replaced pixel by pixel with rows of a brightness strip,
// chosen by where the pixel lies against a highlight towards the document's light. Every shaded
// body paints a marker mask (blue outline, red interior) and maps its marked pixels to rows.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "document/ItemRecord.h"
#include "render/Bitmap.h"
#include "render/FlatBodies.h"
#include "render/LineStyle.h"
#include "render/Outlines.h"
#include "render/Primitives.h"

namespace quillon {

// The light angle tables, indexed by light direction: A for picture frames, B for boxes and line
// dashes, C for text lines.
enum class LightTable { A, B, C };
double LightAngle(LightTable table, int light);

// The brightness a colour gains in the middle of a strip: strong for dark and grey colours,
// almost none for bright or saturated ones. range is 255 - surface.
int32_t SheenBoost(uint32_t colour, int range);

// A one-pixel-wide brightness profile of one colour: dark (surface / 255) at its ends, the
// colour plus its sheen boost in the middle; surface 255 gives the colour itself in every row.
class Strip {
 public:
  Strip() = default;
  Strip(int32_t length, int surface, uint32_t colour);
  int32_t length() const { return length_; }
  // Row r (0 .. length - 1) as blue, green, red.
  std::array<uint8_t, 3> Row(int64_t r) const;

 private:
  std::array<uint8_t, 3> Compute(int64_t r) const;
  int32_t length_ = 0;
  int surface_ = 0;
  uint32_t colour_ = 0;
  int32_t boost_ = 0;
  std::vector<uint8_t> rows_;  // precomputed rows; very long strips compute rows on demand
};
Strip BuildStrip(int32_t length, int surface, uint32_t colour);

// Brings a row index into 0 .. length - 1 by adding or subtracting the length once; what one
// step cannot bring inside is held at the nearer end.
int64_t WrapRow(int64_t row, int32_t length);

// The row of a pixel on a body shaded across the line through a and b: length on the line,
// falling to 0 at that distance from it, shifted by round(sin(beta) * (length div 4)).
int64_t AcrossRow(Point pixel, Point a, Point b, int32_t length, double beta);

// A black marker mask over an area of the target, clipped to the target's bitmap. frame is the
// unclipped area's top-left corner: the rules that measure "relative to the mask" measure from it.
struct MarkerMask {
  Bitmap bitmap;
  Point origin;  // target position of bitmap pixel (0, 0)
  Point frame;
  bool empty() const { return bitmap.empty(); }
};
MarkerMask NewMarkerMask(const Primitives& target, const BoundingBox& area);
// The marker style of a body: the fill rules with a blue pen and a red brush.
BodyStyle MarkerStyle(int32_t fillColor, int32_t outlineWidth);

// Row returned for a pixel that keeps what lies under it.
inline constexpr int64_t kKeepPixel = std::numeric_limits<int64_t>::min();

// Overwrites the target under every blue mark with a row of outlineStrip and under every red mark
// with a row of fillStrip (red marks keep the target without one). rowOf(x, y) gets the pixel
// in target coordinates and returns its row before wrapping, or kKeepPixel.
template <class RowOf>
void ApplyStrips(Primitives& target, const MarkerMask& mask, const Strip& outlineStrip,
                 const Strip* fillStrip, RowOf&& rowOf);

// A circle's disc in the square box (side d >= 2): strips of pen + round(1.5 d) rows, the row
// of a pixel its distance from the highlight plus half the strip.
void ShadeDisc(Primitives& target, const BoundingBox& square, int light, int surface, int32_t pen,
               int32_t fillColor, uint32_t lineColor);
// An ellipse about centre with axis end and side point; rows grow with the distance from the
// highlight, stretched along the shorter axis.
void ShadeEllipse(Primitives& target, Point centre, Point axisEnd, Point side, int light,
                  int surface, int32_t pen, int32_t fillColor, uint32_t lineColor);
// A square or rectangle (corners in target pixels, outline drawn from them): rows fall off
// with the distance from the reference side, so the box looks like a lit cylinder.
void ShadeBox(Primitives& target, std::span<const Point> corners, const Outline& outline, int light,
              int surface, int32_t pen, int32_t fillColor, uint32_t lineColor);
// Any other shape: pixels of its marker mask take the colours of a shaded disc drawn in the
// square discSquare.
void ShadeByDisc(Primitives& target, const Outline& outline, const BoundingBox& discSquare,
                 int light, int surface, int32_t pen, int32_t fillColor, uint32_t lineColor);
// The shaded body of a point-list shape, by kind; pen is the outline width O.
void ShadeShape(Primitives& target, const ItemRecord& item, const TargetMapping& mapping,
                const Outline& outline, int light, int surface, int32_t pen);

// One dash of a line of width w >= 4: the band (band colour, or skipped when clear) and then
// its edge strips (line colour, when edgeWidth >= 2) shaded across the line.
void ShadeDash(Primitives& target, const Dash& dash, int32_t w, int32_t edgeWidth, double theta,
               int light, int surface, uint32_t lineColor, const Brush& band);

// A text line marked in blue in mask: rows fall off with the distance from the reference line
// from referenceStart to referenceEnd (target pixels), over a strip of stripLength rows in
// colour; theta is the text direction.
void ShadeTextLine(Primitives& target, const MarkerMask& mask, Point referenceStart,
                   Point referenceEnd, int32_t stripLength, double theta, int light, int surface,
                   uint32_t colour);
// The frame of a rectangular picture: the border frameWidth pixels wide of picture, mitred at
// the corners, shaded across each side in lineColor; rotation turns the light with the picture.
void ShadePictureFrame(Bitmap& picture, int32_t frameWidth, double rotation, int light, int surface,
                       uint32_t lineColor);
// The frame ring of a round picture: between the circle of radius about centre and the circle
// frameWidth pixels further out, in lineColor. Pictures of 4 x 4 pixels or less are not shaded.
void ShadeRound(Primitives& target, Point centre, int32_t radius, int32_t frameWidth, int light,
                int surface, uint32_t lineColor);

// The highlight of a disc or ellipse whose box is w x h with its top-left corner at corner.
Point HighlightOf(Point corner, int64_t w, int64_t h, int light);

template <class RowOf>
void ApplyStrips(Primitives& target, const MarkerMask& mask, const Strip& outlineStrip,
                 const Strip* fillStrip, RowOf&& rowOf) {
  Bitmap& out = target.bitmap();
  const int64_t dx = int64_t{mask.origin.x} - target.origin().x;
  const int64_t dy = int64_t{mask.origin.y} - target.origin().y;
  for (int y = 0; y < mask.bitmap.height(); ++y) {
    const int64_t ty = y + dy;
    if (ty < 0 || ty >= out.height()) continue;
    const uint8_t* m = mask.bitmap.Row(y);
    uint8_t* row = out.Row(static_cast<int>(ty));
    for (int x = 0; x < mask.bitmap.width(); ++x) {
      const bool edge = m[3 * x] != 0;
      if (!edge && (m[3 * x + 2] == 0 || fillStrip == nullptr)) continue;
      const int64_t tx = x + dx;
      if (tx < 0 || tx >= out.width()) continue;
      const Strip& strip = edge ? outlineStrip : *fillStrip;
      if (strip.length() < 1) continue;
      const int64_t r = rowOf(int64_t{mask.origin.x} + x, int64_t{mask.origin.y} + y);
      if (r == kKeepPixel) continue;
      const std::array<uint8_t, 3> colour = strip.Row(WrapRow(r, strip.length()));
      std::copy(colour.begin(), colour.end(), row + 3 * tx);
    }
  }
}

}  // namespace quillon
