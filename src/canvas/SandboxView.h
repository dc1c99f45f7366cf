// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's view: the rulers along the top and the left edge, the viewport with
// the desk and the canvas tile of at most 1600 x 1600 pixels, the scroll bars and the hint
// label; it lays them out for the page, scrolls the page and places the tile.
#pragma once

#include <QObject>
#include <QPoint>
#include <cstdint>
#include <functional>

#include "document/Geometry.h"
#include "document/ItemList.h"

class QLabel;
class QMdiSubWindow;
class QScrollBar;
class QWidget;

namespace quillon {

class Bitmap;
class BitmapView;
class Ruler;

// The rulers' margin added to the page's extent when deciding about scroll bars.
inline constexpr int32_t kPageMargin = 12;

// Where the canvas tile lies inside the zoomed page along one axis, given the canvas offset
// (page origin minus scroll position), the tile's and the viewport's length, the page's
// length and the scroll position.
int32_t TileOriginFor(int32_t canvasOffset, int32_t canvas, int32_t viewport, int32_t page,
                      int32_t scroll);

// What the view asks of its window: whether it may lay out now (not while closing or before
// the document is ready), a full repaint after the tile moved or was made anew, and the
// anchor strips drawn again after the rulers were.
struct ViewWindow {
  std::function<bool()> ready;
  std::function<void()> repaintCanvas;
  std::function<void()> rulersRebuilt;
};

class SandboxView : public QObject {
 public:
  // Makes the parts as the window's client widget.
  SandboxView(QMdiSubWindow& window, const ItemList& items, ViewWindow hooks);

  // A new page: the canvas tile is made anew at the next layout and starts at the page origin.
  void NewPage() {
    tileOrigin_ = {};
    pagePixelSize_ = {-1, -1};
  }

  // Places every part for the window's size and the page, with scroll bars where the page does
  // not fit, and the canvas tile; whether the canvas was drawn again.
  bool Layout();
  void RebuildRulers();
  // The rulers' markers at a canvas point, and hidden.
  void ShowPositionMarkers(QPoint canvasPoint);
  void HidePositionMarkers();

  // Where the tile lies inside the zoomed page, and the page origin minus the scroll position.
  Point TileOrigin() const { return tileOrigin_; }
  Point CanvasOffset() const { return canvasOffset_; }

  BitmapView* Image() const { return image1_; }
  // The canvas tile's pixels.
  const Bitmap& Canvas() const;
  BitmapView* Desk() const { return background1_; }
  QWidget* Viewport() const { return panel0_; }
  Ruler* RulerX() const { return rulerX_; }
  Ruler* RulerY() const { return rulerY_; }
  QLabel* Hint() const { return hint1_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool FitCanvas();
  void ScrollBarChange(Qt::Orientation orientation, int value);
  Point PageOrigin() const;

  const ItemList& items_;
  ViewWindow hooks_;
  Point tileOrigin_;
  Point canvasOffset_;
  Point pagePixelSize_{-1, -1};
  QWidget* base0_ = nullptr;
  BitmapView* corner1_ = nullptr;
  Ruler* rulerX_ = nullptr;
  Ruler* rulerY_ = nullptr;
  QWidget* panel0_ = nullptr;
  BitmapView* background1_ = nullptr;
  QWidget* panel2_ = nullptr;
  BitmapView* image1_ = nullptr;
  QScrollBar* scrollBarX_ = nullptr;
  QScrollBar* scrollBarY_ = nullptr;
  QWidget* panel1_ = nullptr;
  QLabel* hint1_ = nullptr;
};

}  // namespace quillon
