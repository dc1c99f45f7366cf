// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/BitmapView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "render/Resample.h"

namespace quillon {

BitmapView::BitmapView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void BitmapView::SetBitmap(Bitmap bitmap) {
  bitmap_ = std::move(bitmap);
  update();
}

void BitmapView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  const QRect shown = area.intersected(QRect(0, 0, bitmap_.width(), bitmap_.height()));
  if (!shown.isEmpty()) painter.drawImage(shown.topLeft(), bitmap_.Image(), shown);
  // Whatever the bitmap does not cover shows the widget's own background.
  const QRegion rest = QRegion(area) - QRegion(shown);
  for (const QRect& r : rest)
    painter.fillRect(r, palette().window());
}

void BitmapView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (onLeave) onLeave();
}

void BitmapView::mouseMoveEvent(QMouseEvent* event) {
  if (!onMouseMove) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  // Taken here: the parents treat a move that reaches them as the pointer leaving the view.
  onMouseMove(event);
  event->accept();
}

void BitmapView::mousePressEvent(QMouseEvent* event) {
  if (!onMousePress) return QWidget::mousePressEvent(event);
  onMousePress(event);
  event->accept();
}

void BitmapView::mouseReleaseEvent(QMouseEvent* event) {
  if (!onMouseRelease) return QWidget::mouseReleaseEvent(event);
  onMouseRelease(event);
  event->accept();
}

void BitmapView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!onDoubleClick) return QWidget::mouseDoubleClickEvent(event);
  onDoubleClick(event);
  event->accept();
}

namespace {

constexpr int kDeskTileSide = 49;

// A cool grey, lighter towards the top-left, as light falls on a desk.
Bitmap DeskTile() {
  Bitmap tile(kDeskTileSide, kDeskTileSide);
  for (int y = 0; y < kDeskTileSide; ++y) {
    for (int x = 0; x < kDeskTileSide; ++x) {
      const int shade = 168 - (x + y) * 28 / (2 * (kDeskTileSide - 1));
      tile.SetPixel(x, y,
                    ColourOf(static_cast<uint8_t>(shade - 6), static_cast<uint8_t>(shade - 2),
                             static_cast<uint8_t>(shade + 6)));
    }
  }
  return tile;
}

}  // namespace

Bitmap DeskPicture(int width, int height) {
  static const Bitmap tile = DeskTile();
  Bitmap desk = Bitmap::TryCreate(width, height);
  if (desk.empty()) return desk;
  desk.Fill(tile.Pixel(kDeskTileSide / 2, kDeskTileSide / 2));
  Resample(tile, desk, ResampleFilter::BSpline);
  return desk;
}

}  // namespace quillon
