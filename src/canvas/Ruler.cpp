// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/Ruler.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quillon {
namespace {

// One kind of tick: every step page units, of a length, labelled when labelStep > 0.
struct TickStep {
  double step;
  int32_t length;
  int32_t labelStep;
};

std::vector<TickStep> StepsFor(int32_t units, double z) {
  std::vector<TickStep> steps;
  if (units == 1) {
    steps.push_back({100, 11, 100});
    if (z > 0.1 && z <= 0.25) steps.push_back({20, 1, 0});
    if (z > 0.25) steps.push_back({10, 1, 0});
    if (z > 1) steps.push_back({5, 1, 0});
  } else if (units == 2) {
    steps.push_back({10, 11, z > 0.25 ? 10 : 0});
    steps.push_back({5, 4, 0});
    steps.push_back({2.5, 1, 0});
    if (z > 1) steps.push_back({1.25, 1, 0});
  } else {
    steps.push_back({1, 11, z > 0.125 ? 1 : 0});
    if (z > 0.25) {
      steps.push_back({0.5, 8, 0});
      steps.push_back({0.25, 4, 0});
    }
    if (z > 0.5) steps.push_back({0.125, 1, 0});
    if (z > 1) steps.push_back({1.0 / 16, 1, 0});
    if (z > 2) steps.push_back({1.0 / 32, 1, 0});
  }
  return steps;
}

}  // namespace

std::vector<RulerTick> RulerTicks(const RulerScale& scale, int32_t from, int32_t to) {
  std::vector<RulerTick> ticks;
  const int64_t first = std::max<int64_t>(from, scale.pageStart);
  const int64_t last =
      std::min<int64_t>(int64_t{to} - 1, int64_t{scale.pageStart} + scale.pageLength);
  if (first > last) return ticks;
  for (const TickStep& s : StepsFor(scale.units, scale.zoom)) {
    const double pixels = s.step * scale.pixelsPerUnit * scale.zoom;
    // Steps finer than a pixel (or a broken scale) would only fill the ruler.
    if (!(pixels >= 1.0) || !std::isfinite(pixels)) continue;
    const int64_t kFirst = std::max<int64_t>(
        0, static_cast<int64_t>(std::ceil((first - scale.pageStart) / pixels)) - 1);
    for (int64_t k = kFirst;; ++k) {
      const int64_t p = scale.pageStart + std::llround(k * pixels);
      if (p > last) break;
      if (p < first) continue;
      const int32_t label = s.labelStep > 0 && k > 0 ? static_cast<int32_t>(k * s.labelStep) : 0;
      ticks.push_back({static_cast<int32_t>(p), s.length, label});
    }
  }
  // Longest first among equal positions, then keep one per position.
  std::sort(ticks.begin(), ticks.end(), [](const RulerTick& a, const RulerTick& b) {
    return a.position != b.position ? a.position < b.position : a.length > b.length;
  });
  ticks.erase(
      std::unique(ticks.begin(), ticks.end(),
                  [](const RulerTick& a, const RulerTick& b) { return a.position == b.position; }),
      ticks.end());
  return ticks;
}

Ruler::Ruler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void Ruler::Rebuild(const RulerScale& scale) {
  scale_ = scale;
  markerShown_ = false;
  const bool horizontal = orientation_ == Qt::Horizontal;
  const int length = horizontal ? width() : height();
  strip_ = Bitmap::TryCreate(horizontal ? length : kRulerThickness,
                             horizontal ? kRulerThickness : length);
  if (strip_.empty()) {
    update();
    return;
  }
  strip_.Fill(kRulerBaseColour);
  const int64_t start = std::clamp<int64_t>(scale.pageStart, 0, length);
  const int64_t end = std::clamp<int64_t>(int64_t{scale.pageStart} + scale.pageLength, 0, length);
  for (int64_t i = start; i < end; ++i) {
    for (int j = 0; j < kRulerThickness; ++j) {
      horizontal ? strip_.SetPixel(static_cast<int>(i), j, kRulerScaleColour)
                 : strip_.SetPixel(j, static_cast<int>(i), kRulerScaleColour);
    }
  }
  for (const RulerTick& t : RulerTicks(scale, 0, length)) {
    // Ticks run from the inner edge (next to the canvas) outwards.
    for (int j = kRulerThickness - t.length; j < kRulerThickness; ++j) {
      horizontal ? strip_.SetPixel(t.position, j, kRulerTickColour)
                 : strip_.SetPixel(j, t.position, kRulerTickColour);
    }
    if (t.label != 0) DrawLabel(t.position, t.label);
  }
  update();
}

void Ruler::DrawLabel(int32_t position, int32_t label) {
  QImage image = strip_.Image();
  QPainter painter(&image);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(8);
  painter.setFont(font);
  painter.setPen(
      QColor(RedOf(kRulerTickColour), GreenOf(kRulerTickColour), BlueOf(kRulerTickColour)));
  const QString text = QString::number(label);
  if (orientation_ == Qt::Horizontal) {
    painter.drawText(QRect(position + 2, 0, 40, 9), Qt::AlignLeft | Qt::AlignTop, text);
  } else {
    // Read from top to bottom, starting just below the tick.
    painter.translate(9, position + 2);
    painter.rotate(90);
    painter.drawText(QRect(0, 0, 40, 9), Qt::AlignLeft | Qt::AlignTop, text);
  }
}

void Ruler::ShowMarker(int32_t p) {
  HideMarker();
  const bool horizontal = orientation_ == Qt::Horizontal;
  const int length = horizontal ? strip_.width() : strip_.height();
  if (strip_.empty() || p < 0 || p >= length) return;
  markerSave_ = horizontal ? Bitmap(1, kRulerThickness) : Bitmap(kRulerThickness, 1);
  markerSave_.CopyFrom(strip_, horizontal ? p : 0, horizontal ? 0 : p, markerSave_.width(),
                       markerSave_.height(), 0, 0);
  for (int j = 0; j < kRulerThickness; ++j) {
    horizontal ? strip_.SetPixel(p, j, kRulerMarkerColour)
               : strip_.SetPixel(j, p, kRulerMarkerColour);
  }
  markerShown_ = true;
  markerPosition_ = p;
  UpdateAt(p);
}

void Ruler::HideMarker() {
  if (!markerShown_) return;
  const bool horizontal = orientation_ == Qt::Horizontal;
  strip_.CopyFrom(markerSave_, 0, 0, markerSave_.width(), markerSave_.height(),
                  horizontal ? markerPosition_ : 0, horizontal ? 0 : markerPosition_);
  markerShown_ = false;
  UpdateAt(markerPosition_);
}

void Ruler::UpdateAt(int32_t p) {
  orientation_ == Qt::Horizontal ? update(p, 0, 1, kRulerThickness)
                                 : update(0, p, kRulerThickness, 1);
}

void Ruler::mouseMoveEvent(QMouseEvent* event) {
  if (onMouseMove) onMouseMove(event);
}

void Ruler::mousePressEvent(QMouseEvent* event) {
  if (onMousePress) onMousePress(event);
}

void Ruler::mouseReleaseEvent(QMouseEvent* event) {
  if (onMouseRelease) onMouseRelease(event);
}

void Ruler::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (strip_.empty()) {
    painter.fillRect(event->rect(), QColor(192, 192, 192));
    return;
  }
  painter.drawImage(event->rect().topLeft(), strip_.Image(), event->rect());
}

}  // namespace quillon
