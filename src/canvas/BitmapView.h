// SPDX-License-Identifier: GPL-3.0-or-later
// A widget that shows a bitmap it owns at its top-left corner: the canvas, the desk and the
// corner where the rulers meet.
#pragma once

#include <QWidget>
#include <functional>

#include "render/Bitmap.h"

class QMouseEvent;

namespace quillon {

class BitmapView : public QWidget {
  Q_OBJECT
 public:
  explicit BitmapView(QWidget* parent);

  Bitmap& bitmap() { return bitmap_; }
  const Bitmap& bitmap() const { return bitmap_; }
  void SetBitmap(Bitmap bitmap);

  // Pointer moves over the view (with mouse tracking on), presses, releases and double
  // clicks, in view pixels.
  std::function<void(QMouseEvent*)> onMouseMove;
  std::function<void(QMouseEvent*)> onMousePress;
  std::function<void(QMouseEvent*)> onMouseRelease;
  std::function<void(QMouseEvent*)> onDoubleClick;
  // The pointer left the view.
  std::function<void()> onLeave;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  Bitmap bitmap_;
};

// The desk around the page: the BackgroundColor1 tile stretched to size with the B-spline
// filter.
Bitmap DeskPicture(int width, int height);

}  // namespace quillon
