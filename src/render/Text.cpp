// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include "render/Coordinates.h"
#include "render/Shadows.h"
#include "render/Surfaces.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

// Glyphs beyond this many pixels are not worth the time a hostile size would cost.
constexpr int kMaxFontPixels = 10000;
// Text larger than this many pixels is drawn from glyph outlines rather than glyph pictures.
constexpr int kLargestCachedGlyph = 256;

int PixelSizeOf(int points, int dpi) {
  const int64_t pixels = (int64_t{std::max(points, 1)} * std::max(dpi, 1) + 36) / 72;
  return static_cast<int>(std::clamp<int64_t>(pixels, 1, kMaxFontPixels));
}

QString FaceName(const ItemRecord& text) {
  return QString::fromLatin1(text.fontName().c_str());
}

int PointsAt(const ItemRecord& text, double scale) {
  return RoundToInt32(text.fontSize() * scale);
}

double AngleRadians(const ItemRecord& text) {
  return TextDirection(text);
}

}  // namespace

QFont MakeFont(const ItemRecord& text, int points, bool forDrawing, const ScreenMetrics& screen) {
  using Key = std::tuple<std::string, int, int, bool, bool, bool>;
  static std::map<Key, QFont> cache;
  const bool underline = forDrawing && text.fontUnderline() != 0;
  const bool strikeOut = forDrawing && text.fontStrikeout() != 0;
  const int weight = std::clamp(static_cast<int>(text.fontWeight()), 1, 1000);
  const Key key{text.fontName(), PixelSizeOf(points, screen.dpiY),
                weight,          text.fontItalic() != 0,
                underline,       strikeOut};
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  QFont font(FaceName(text));
  font.setPixelSize(std::get<1>(key));
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(std::get<3>(key));
  font.setUnderline(underline);
  font.setStrikeOut(strikeOut);
  if (cache.size() > 256) cache.clear();  // sizes change with every zoom; keep the cache small
  return cache.emplace(key, font).first->second;
}

FontMetrics MeasureFont(const ItemRecord& text, double scale, const ScreenMetrics& screen) {
  const QFontMetrics metrics(MakeFont(text, PointsAt(text, scale), false, screen));
  return {metrics.ascent(), metrics.descent(), metrics.leading(), 0};
}

FontMetrics FontTextMetrics::Measure(const ItemRecord& text, double scale) const {
  return MeasureFont(text, scale, screen_);
}

int32_t LineHeight(const ItemRecord& text, const ScreenMetrics& screen) {
  const FontMetrics m = MeasureFont(text, 1.0, screen);
  return m.ascent + m.descent + m.externalLeading;
}

int32_t LineWidth(const ItemRecord& text, const QString& line, double scale,
                  const ScreenMetrics& screen) {
  return QFontMetrics(MakeFont(text, PointsAt(text, scale), false, screen)).horizontalAdvance(line);
}

Point JustifyStart(const ItemRecord& text, Point start, double boxLength, double width) {
  const int justification = text.justification();
  if ((justification != 2 && justification != 3) || width >= boxLength) return start;
  const double t = justification == 2 ? (boxLength - width) / 2 : boxLength - width;
  return MoveAlong(start, AngleRadians(text) * 180 / std::numbers::pi, t);
}

void DrawTextLine(Primitives& target, uint32_t colour, const ItemRecord& text, const QString& line,
                  Point start, double scale, const ScreenMetrics& screen, bool aliased) {
  if (line.isEmpty() || target.bitmap().empty()) return;
  QFont font = MakeFont(text, PointsAt(text, scale), true, screen);
  if (aliased) font.setStyleStrategy(QFont::NoAntialias);
  const int ascent = QFontMetrics(font).ascent();
  const double theta = AngleRadians(text);
  // The platform places text by the top-left of its character cell: move up by the ascent.
  const double cellX = double(start.x) +
                       RoundToInt32(std::cos(theta + std::numbers::pi / 2) * ascent) -
                       target.PainterOrigin().x;
  const double cellY = double(start.y) -
                       RoundToInt32(std::sin(theta + std::numbers::pi / 2) * ascent) -
                       target.PainterOrigin().y;
  // A line cannot reach farther than two em per character from its start; lines farther away
  // than that from the bitmap are left out before the painter sees their coordinates.
  const double reach = 2.0 * font.pixelSize() * (line.size() + 2);
  const Bitmap& bitmap = target.bitmap();
  const double bitmapX = cellX - (target.origin().x - target.PainterOrigin().x);
  const double bitmapY = cellY - (target.origin().y - target.PainterOrigin().y);
  if (bitmapX < -reach || bitmapY < -reach || bitmapX > bitmap.width() + reach ||
      bitmapY > bitmap.height() + reach) {
    return;
  }
  QPainter& painter = target.painter();
  painter.save();
  painter.setFont(font);
  painter.setPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
  painter.setBrush(Qt::NoBrush);
  painter.setRenderHint(QPainter::TextAntialiasing, !aliased);
  painter.translate(cellX, cellY);
  painter.rotate(-theta * 180 / std::numbers::pi);
  if (font.pixelSize() <= kLargestCachedGlyph) {
    painter.drawText(QPointF(0, ascent), line);
  } else {
    // Large glyphs are filled as outlines: the glyph cache would hold a picture of each one.
    QPainterPath outline;
    outline.addText(QPointF(0, ascent), font, line);
    painter.setRenderHint(QPainter::Antialiasing, !aliased);
    painter.fillPath(outline, painter.pen().color());
  }
  painter.restore();
}

void DrawTextLine(Bitmap& target, uint32_t colour, const ItemRecord& text, const QString& line,
                  Point start, double scale, const ScreenMetrics& screen) {
  Primitives primitives(target);
  DrawTextLine(primitives, colour, text, line, start, scale, screen);
}

std::vector<TextLinePlacement> PlaceTextLines(const ItemRecord& text, const TargetMapping& mapping,
                                              bool window, const ScreenMetrics& screen) {
  std::vector<TextLinePlacement> lines;
  // The lines are found in one pass over the text: looking each one up from the start would
  // make a text of many lines cost the square of its length.
  const std::vector<std::u16string_view> texts = Lines(text);
  if (texts.empty()) return lines;
  const double scale = mapping.scaleY;
  Point s = mapping.Map({text.x1(), text.y1()});
  Point e = mapping.Map({text.x2(), text.y2()});
  const double theta = AngleRadians(text);
  const double up = theta + std::numbers::pi / 2;
  const int32_t height = LineHeight(text, screen);
  const double spacing = window ? height * scale : RoundToInt32(height * scale);
  const int32_t stepX = RoundToInt32(std::cos(up) * spacing);
  const int32_t stepY = RoundToInt32(std::sin(up) * spacing);
  const double documentBox = DistanceOf({text.x1(), text.y1()}, {text.x2(), text.y2()});
  lines.reserve(texts.size());
  for (auto k = texts.rbegin(); k != texts.rend(); ++k) {
    const QString line = QString::fromUtf16(k->data(), static_cast<qsizetype>(k->size()));
    const int32_t measured = LineWidth(text, line, scale, screen);
    double boxLength, width;
    if (window) {
      boxLength = RoundToInt32(scale * documentBox);
      width = RoundToInt32(scale * RoundToInt32(measured / scale));
    } else {
      boxLength = RoundToInt32(DistanceOf(s, e));
      width = measured;
    }
    lines.push_back({line, JustifyStart(text, s, boxLength, width), e, measured});
    s = {ClampToInt32(int64_t{s.x} + stepX), ClampToInt32(int64_t{s.y} - stepY)};
    e = {ClampToInt32(int64_t{e.x} + stepX), ClampToInt32(int64_t{e.y} - stepY)};
  }
  return lines;
}

namespace {

Point Moved(Point p, double angle, double distance) {
  return {ClampToInt32(int64_t{p.x} + RoundToInt32(std::cos(angle) * distance)),
          ClampToInt32(int64_t{p.y} - RoundToInt32(std::sin(angle) * distance))};
}

// The square of side 2 * half centred on p.
BoundingBox SquareAround(Point p, int64_t half) {
  return {ClampToInt32(p.x - half), ClampToInt32(p.y - half), ClampToInt32(p.x + half - 1),
          ClampToInt32(p.y + half - 1)};
}

void DrawLineShadow(Primitives& target, const ItemRecord& text, const TextLinePlacement& line,
                    double scale, const ScreenMetrics& screen, const DrawStyle& style) {
  const int32_t g =
      style.window ? WindowShadowOffset(text, scale, screen) : ShadowOffset(text, scale, screen);
  const double f = ShadowSpread(text);
  const int64_t half =
      int64_t{std::max(line.width, RoundToInt32(DistanceOf(line.start, line.end)))} +
      RoundToInt32(g * f);
  if (half < 1) return;
  const uint32_t tone = ShadowTone(text);
  CastShadow(target, SquareAround(line.start, half), ShadowShift(style.light, g),
             text.shadowSoftness(), style.window ? 1.0 : scale, [&](Primitives& mask) {
               DrawTextLine(mask, tone, text, line.text, line.start, scale, screen);
             });
}

void ShadeLine(Primitives& target, const ItemRecord& text, const TextLinePlacement& line,
               double scale, const ScreenMetrics& screen, const DrawStyle& style) {
  const double theta = AngleRadians(text);
  const double documentBox = DistanceOf({text.x1(), text.y1()}, {text.x2(), text.y2()});
  const int32_t box = RoundToInt32(scale * documentBox);
  const int32_t width = RoundToInt32(scale * LineWidth(text, line.text, 1.0, screen));
  const int64_t half = RoundToInt32(1.5 * std::max(width, box));
  if (half < 1) return;
  MarkerMask mask = NewMarkerMask(target, SquareAround(line.start, half));
  if (mask.empty()) return;
  {
    Primitives marks(mask.bitmap, mask.origin);
    DrawTextLine(marks, kMarkerBlue, text, line.text, line.start, scale, screen, true);
  }
  const FontMetrics m = MeasureFont(text, scale, screen);
  const int32_t length = m.ascent + m.descent;
  const Point from = Moved(line.start, theta - std::numbers::pi / 2, m.descent);
  const Point to = Moved(from, theta, double(length) + box);
  ShadeTextLine(target, mask, from, to, length, theta, style.light, style.surface,
                static_cast<uint32_t>(text.textColor()));
}

}  // namespace

void DrawTextItem(Primitives& target, const ItemRecord& text, const TargetMapping& mapping,
                  const ScreenMetrics& screen, const DrawStyle& style) {
  if (target.bitmap().empty()) return;
  const double scale = mapping.scaleY;
  const bool shadow = style.shadow && text.shadowSize() > 0;
  for (const TextLinePlacement& line : PlaceTextLines(text, mapping, style.window, screen)) {
    if (line.text.isEmpty()) continue;
    if (shadow) DrawLineShadow(target, text, line, scale, screen, style);
    if (style.surface > 0) {
      ShadeLine(target, text, line, scale, screen, style);
    } else {
      DrawTextLine(target, static_cast<uint32_t>(text.textColor()), text, line.text, line.start,
                   scale, screen);
    }
  }
}

void DrawTextItem(Bitmap& target, const ItemRecord& text, const TargetMapping& mapping,
                  const ScreenMetrics& screen, const DrawStyle& style) {
  if (target.empty()) return;
  Primitives primitives(target);
  DrawTextItem(primitives, text, mapping, screen, style);
}

}  // namespace quillon
