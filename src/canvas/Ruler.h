// SPDX-License-Identifier: GPL-3.0-or-later
// The rulers along the top and the left edge of a drawing window's viewport: a silver strip
// with a light-yellow scale over the page's span, ticks and labels for the page's unit and
// zoom, and a red marker that follows the pointer.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "render/Bitmap.h"

class QMouseEvent;

namespace quillon {

inline constexpr int32_t kRulerThickness = 12;
inline constexpr uint32_t kRulerBaseColour = kSilver;
inline constexpr uint32_t kRulerScaleColour = 0xE1FFFF;   // light yellow
inline constexpr uint32_t kRulerTickColour = 0x000000;    // black
inline constexpr uint32_t kRulerMarkerColour = 0x0000FF;  // red

struct RulerTick {
  int32_t position = 0;  // ruler pixels
  int32_t length = 0;    // pixels up from the inner edge
  int32_t label = 0;     // the number written beside it; 0 for none
  friend bool operator==(const RulerTick&, const RulerTick&) = default;
};

// What a ruler shows: the page's unit, scale and zoom, and where the page lies on the ruler.
struct RulerScale {
  int32_t units = 3;          // 1 pixels, 2 millimetres, anything else inches
  double pixelsPerUnit = 96;  // document pixels per page unit
  double zoom = 1.0;
  int32_t pageStart = 0;   // ruler pixel of the page's near edge
  int32_t pageLength = 0;  // zoomed page pixels
};

// The ticks at ruler pixels from..to-1 that lie on the page, in increasing position; where
// several steps meet the longest tick wins.
std::vector<RulerTick> RulerTicks(const RulerScale& scale, int32_t from, int32_t to);

class Ruler : public QWidget {
  Q_OBJECT
 public:
  Ruler(Qt::Orientation orientation, QWidget* parent);

  // Rebuilds the strip for the widget's current length and paints it.
  void Rebuild(const RulerScale& scale);
  // Draws the position marker at ruler pixel p, first erasing the previous one.
  void ShowMarker(int32_t p);
  // Erases the marker by putting back the pixels saved under it.
  void HideMarker();
  bool MarkerShown() const { return markerShown_; }
  int32_t MarkerPosition() const { return markerPosition_; }
  const Bitmap& Strip() const { return strip_; }
  const RulerScale& Scale() const { return scale_; }

  // Pointer moves (tracked), presses and releases on the ruler, in ruler pixels.
  std::function<void(QMouseEvent*)> onMouseMove;
  std::function<void(QMouseEvent*)> onMousePress;
  std::function<void(QMouseEvent*)> onMouseRelease;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void DrawLabel(int32_t position, int32_t label);
  void UpdateAt(int32_t p);

  Qt::Orientation orientation_;
  RulerScale scale_;
  Bitmap strip_;
  Bitmap markerSave_;
  bool markerShown_ = false;
  int32_t markerPosition_ = 0;
};

}  // namespace quillon
