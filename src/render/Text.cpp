// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Text.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include "render/Coordinates.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

// Glyphs beyond this many pixels are not worth the time a hostile size would cost.
constexpr int kMaxFontPixels = 10000;

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

void DrawTextLine(Bitmap& target, uint32_t colour, const ItemRecord& text, const QString& line,
                  Point start, double scale, const ScreenMetrics& screen) {
  if (line.isEmpty() || target.empty()) return;
  const QFont font = MakeFont(text, PointsAt(text, scale), true, screen);
  const int ascent = QFontMetrics(font).ascent();
  const double theta = AngleRadians(text);
  // The platform places text by the top-left of its character cell: move up by the ascent.
  const Point cell{
      ClampToInt32(start.x +
                   int64_t{RoundToInt32(std::cos(theta + std::numbers::pi / 2) * ascent)}),
      ClampToInt32(start.y -
                   int64_t{RoundToInt32(std::sin(theta + std::numbers::pi / 2) * ascent)})};
  QImage image = target.Image();
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
  painter.translate(cell.x, cell.y);
  painter.rotate(-theta * 180 / std::numbers::pi);
  painter.drawText(QPointF(0, ascent), line);
}

std::vector<TextLinePlacement> PlaceTextLines(const ItemRecord& text, Point origin, double scaleX,
                                              double scaleY, bool window,
                                              const ScreenMetrics& screen) {
  std::vector<TextLinePlacement> lines;
  const int count = LineCount(text);
  if (count == 0) return lines;
  const TargetMapping map = TargetMapping::Output(origin, scaleX, scaleY);
  Point s = map.Map({text.x1(), text.y1()});
  Point e = map.Map({text.x2(), text.y2()});
  const double theta = AngleRadians(text);
  const double up = theta + std::numbers::pi / 2;
  const int32_t height = LineHeight(text, screen);
  const double spacing = window ? height * scaleY : RoundToInt32(height * scaleY);
  const int32_t stepX = RoundToInt32(std::cos(up) * spacing);
  const int32_t stepY = RoundToInt32(std::sin(up) * spacing);
  const double documentBox = DistanceOf({text.x1(), text.y1()}, {text.x2(), text.y2()});
  for (int k = count; k >= 1; --k) {
    const QString line = QString::fromStdU16String(LineText(text, k));
    double boxLength, width;
    if (window) {
      boxLength = RoundToInt32(scaleY * documentBox);
      width = RoundToInt32(scaleY * RoundToInt32(LineWidth(text, line, scaleY, screen) / scaleY));
    } else {
      boxLength = RoundToInt32(DistanceOf(s, e));
      width = LineWidth(text, line, scaleY, screen);
    }
    lines.push_back({line, JustifyStart(text, s, boxLength, width), e});
    s = {ClampToInt32(int64_t{s.x} + stepX), ClampToInt32(int64_t{s.y} - stepY)};
    e = {ClampToInt32(int64_t{e.x} + stepX), ClampToInt32(int64_t{e.y} - stepY)};
  }
  return lines;
}

void DrawTextItem(Bitmap& target, const ItemRecord& text, Point origin, double scaleX,
                  double scaleY, bool window, const ScreenMetrics& screen) {
  for (const TextLinePlacement& line :
       PlaceTextLines(text, origin, scaleX, scaleY, window, screen)) {
    DrawTextLine(target, static_cast<uint32_t>(text.textColor()), text, line.text, line.start,
                 scaleY, screen);
  }
}

}  // namespace quillon
