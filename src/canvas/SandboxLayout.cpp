// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's parts and their layout: rulers, viewport, desk, scroll bars and the
// canvas tile.
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "canvas/BitmapView.h"
#include "canvas/Ruler.h"
#include "canvas/TSandbox.h"

namespace quillon {

int32_t TileOriginFor(int32_t canvasOffset, int32_t canvas, int32_t viewport, int32_t page,
                      int32_t scroll) {
  if (int64_t{canvasOffset} + canvas >= viewport || page <= canvas) return 0;
  int64_t origin = (int64_t{scroll} / kCanvasTileSide + 1) * kCanvasTileSide;
  // Not past the page's far edge, and not starting right of the viewport's near edge.
  if (origin + canvas > page) origin = int64_t{page} - canvas;
  if (int64_t{canvasOffset} + origin > 0) origin = -int64_t{canvasOffset};
  return static_cast<int32_t>(std::clamp<int64_t>(origin, 0, int64_t{page} - canvas));
}

void TSandbox::CreateParts() {
  base0_ = new QWidget(this);
  base0_->setObjectName(QStringLiteral("base0"));
  base0_->setMouseTracking(true);
  base0_->installEventFilter(this);
  setWidget(base0_);

  corner1_ = new BitmapView(base0_);
  corner1_->setObjectName(QStringLiteral("corner1"));
  Bitmap corner(kRulerThickness, kRulerThickness);
  corner.Fill(kRulerBaseColour);
  corner1_->SetBitmap(std::move(corner));
  rulerX_ = new Ruler(Qt::Horizontal, base0_);
  rulerX_->setObjectName(QStringLiteral("rulerX"));
  rulerY_ = new Ruler(Qt::Vertical, base0_);
  rulerY_->setObjectName(QStringLiteral("rulerY"));

  panel0_ = new QWidget(base0_);
  panel0_->setObjectName(QStringLiteral("Panel0"));
  panel0_->setMouseTracking(true);
  panel0_->installEventFilter(this);
  background1_ = new BitmapView(panel0_);
  background1_->setObjectName(QStringLiteral("background1"));
  // Pointer moves over the desk travel up to Panel0, which takes them as leaving the canvas.
  background1_->setMouseTracking(true);
  panel2_ = new QWidget(panel0_);
  panel2_->setObjectName(QStringLiteral("Panel2"));
  panel2_->setMouseTracking(true);
  panel2_->setAutoFillBackground(true);
  QPalette white = panel2_->palette();
  white.setColor(QPalette::Window, Qt::white);
  panel2_->setPalette(white);
  image1_ = new BitmapView(panel2_);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setMouseTracking(true);
  overlay_.SetCanvas(&image1_->bitmap());
  const auto at = [](QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return Point{p.x(), p.y()};
  };
  image1_->onMouseMove = [this, at](QMouseEvent* event) {
    Image1MouseMove(at(event), event->modifiers());
  };
  image1_->onMousePress = [this, at](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Image1MouseDown(at(event), event->modifiers());
  };
  image1_->onMouseRelease = [this, at](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Image1MouseUp(at(event), event->modifiers());
  };
  image1_->onDoubleClick = [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Image1DblClick();
  };

  scrollBarX_ = new QScrollBar(Qt::Horizontal, base0_);
  scrollBarX_->setObjectName(QStringLiteral("ScrollBarX"));
  scrollBarY_ = new QScrollBar(Qt::Vertical, base0_);
  scrollBarY_->setObjectName(QStringLiteral("ScrollBarY"));
  for (QScrollBar* bar : {scrollBarX_, scrollBarY_}) {
    bar->setSingleStep(20);
    bar->hide();
  }
  connect(scrollBarX_, &QScrollBar::valueChanged, this, &TSandbox::ScrollBarXChange);
  connect(scrollBarY_, &QScrollBar::valueChanged, this, &TSandbox::ScrollBarYChange);
  panel1_ = new QWidget(base0_);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setAutoFillBackground(true);
  panel1_->hide();
  ConnectGridParts();
}

Point TSandbox::PageOrigin() const {
  const ItemRecord* page = items_.PageRecord();
  return page != nullptr ? Point{page->boundLeft(), page->boundTop()} : Point{};
}

bool TSandbox::Layout() {
  if (closing_ || notReady_) return false;
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBarX_);
  const int baseWidth = base0_->width();
  const int baseHeight = base0_->height();
  const int availableWidth = baseWidth - kRulerThickness;
  const int availableHeight = baseHeight - kRulerThickness;
  const ItemRecord* page = items_.PageRecord();
  const int64_t extentX = page != nullptr ? std::max(0, page->boundRight()) : 0;
  const int64_t extentY = page != nullptr ? std::max(0, page->boundBottom()) : 0;
  const auto needed = [](int64_t available, int64_t extent) {
    return available < extent + kPageMargin;
  };
  bool needX = needed(availableWidth, extentX);
  bool needY = needed(availableHeight, extentY);
  // A bar in one direction takes room from the other.
  needX = needed(availableWidth - (needY ? bar : 0), extentX);
  needY = needed(availableHeight - (needX ? bar : 0), extentY);
  needX = needed(availableWidth - (needY ? bar : 0), extentX);
  const int viewportWidth = std::max(0, availableWidth - (needY ? bar : 0));
  const int viewportHeight = std::max(0, availableHeight - (needX ? bar : 0));

  corner1_->setGeometry(0, 0, kRulerThickness, kRulerThickness);
  rulerX_->setGeometry(kRulerThickness, 0, viewportWidth, kRulerThickness);
  rulerY_->setGeometry(0, kRulerThickness, kRulerThickness, viewportHeight);
  panel0_->setGeometry(kRulerThickness, kRulerThickness, viewportWidth, viewportHeight);
  if (background1_->size() != panel0_->size() || background1_->bitmap().empty()) {
    background1_->setGeometry(0, 0, viewportWidth, viewportHeight);
    background1_->SetBitmap(DeskPicture(viewportWidth, viewportHeight));
  }

  const auto place = [](QScrollBar* scrollBar, bool shown, int64_t maximum, int pageStep) {
    const QSignalBlocker blocker(scrollBar);
    if (!shown) {
      scrollBar->hide();
      scrollBar->setValue(0);
      return;
    }
    scrollBar->setRange(0, static_cast<int>(std::clamp<int64_t>(maximum, 0, INT32_MAX)));
    scrollBar->setPageStep(std::max(1, pageStep));
    scrollBar->show();
  };
  const bool both = needX && needY;
  scrollBarX_->setGeometry(0, kRulerThickness + viewportHeight, baseWidth - (both ? bar : 0), bar);
  scrollBarY_->setGeometry(kRulerThickness + viewportWidth, 0, bar, baseHeight - (both ? bar : 0));
  place(scrollBarX_, needX, extentX - viewportWidth + kPageMargin + (both ? bar : 0),
        viewportWidth);
  place(scrollBarY_, needY, extentY - viewportHeight + kPageMargin + (both ? bar : 0),
        viewportHeight);
  panel1_->setGeometry(kRulerThickness + viewportWidth, kRulerThickness + viewportHeight, bar, bar);
  panel1_->setVisible(both);

  const Point origin = PageOrigin();
  canvasOffset_ = {origin.x - scrollBarX_->value(), origin.y - scrollBarY_->value()};
  RebuildRulers();
  return FitCanvas();
}

bool TSandbox::FitCanvas() {
  const ItemRecord* page = items_.PageRecord();
  const Point pageSize =
      page != nullptr ? Point{std::max(0, page->boundWidth()), std::max(0, page->boundHeight())}
                      : Point{};
  bool recreated = false;
  if (pageSize != pagePixelSize_) {
    Bitmap canvas = Bitmap::TryCreate(std::min(pageSize.x, kCanvasTileSide),
                                      std::min(pageSize.y, kCanvasTileSide));
    image1_->resize(canvas.width(), canvas.height());
    panel2_->resize(canvas.width(), canvas.height());
    image1_->SetBitmap(std::move(canvas));
    pagePixelSize_ = pageSize;
    recreated = true;
  }
  const Point before = tileOrigin_;
  const Bitmap& canvas = image1_->bitmap();
  tileOrigin_.x = TileOriginFor(canvasOffset_.x, canvas.width(), panel0_->width(), pageSize.x,
                                scrollBarX_->value());
  tileOrigin_.y = TileOriginFor(canvasOffset_.y, canvas.height(), panel0_->height(), pageSize.y,
                                scrollBarY_->value());
  panel2_->move(canvasOffset_.x + tileOrigin_.x, canvasOffset_.y + tileOrigin_.y);
  if (!recreated && before == tileOrigin_) return false;
  FullRepaint(true);
  return true;
}

void TSandbox::RebuildRulers() {
  const ItemRecord* page = items_.PageRecord();
  RulerScale x;
  RulerScale y;
  if (page != nullptr) {
    x.units = y.units = page->pageUnits();
    x.pixelsPerUnit = page->pixelsPerUnitX();
    y.pixelsPerUnit = page->pixelsPerUnitY();
    x.zoom = y.zoom = page->zoom();
    x.pageLength = std::max(0, page->boundWidth());
    y.pageLength = std::max(0, page->boundHeight());
  }
  x.pageStart = canvasOffset_.x;
  y.pageStart = canvasOffset_.y;
  rulerX_->Rebuild(x);
  rulerY_->Rebuild(y);
  RepaintAnchorStrips();
}

void TSandbox::ScrollBarXChange(int value) {
  if (closing_ || notReady_) return;
  rulerX_->HideMarker();
  canvasOffset_.x = PageOrigin().x - value;
  RebuildRulers();
  FitCanvas();
}

void TSandbox::ScrollBarYChange(int value) {
  if (closing_ || notReady_) return;
  rulerY_->HideMarker();
  canvasOffset_.y = PageOrigin().y - value;
  RebuildRulers();
  FitCanvas();
}

void TSandbox::ShowPositionMarkers(QPoint canvasPoint) {
  const QPoint inViewport = canvasPoint + panel2_->pos();
  rulerX_->ShowMarker(inViewport.x());
  rulerY_->ShowMarker(inViewport.y());
}

void TSandbox::HidePositionMarkers() {
  rulerX_->HideMarker();
  rulerY_->HideMarker();
}

bool TSandbox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == base0_ && event->type() == QEvent::Resize) {
    Layout();
  } else if ((watched == base0_ || watched == panel0_) && event->type() == QEvent::MouseMove) {
    HidePositionMarkers();
  } else if (watched == panel0_ && event->type() == QEvent::Wheel) {
    // The wheel scrolls the page: vertically, or sideways with Shift or without a vertical bar.
    auto* wheel = static_cast<QWheelEvent*>(event);
    const bool sideways = wheel->modifiers().testFlag(Qt::ShiftModifier) ||
                          wheel->angleDelta().x() != 0 || scrollBarY_->isHidden();
    QScrollBar* target = sideways ? scrollBarX_ : scrollBarY_;
    if (target->isVisible()) {
      const int delta =
          wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
      target->setValue(target->value() - delta * 3 * target->singleStep() / 120);
    }
    return true;
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

}  // namespace quillon
