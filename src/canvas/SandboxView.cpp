// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/SandboxView.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "canvas/BitmapView.h"
#include "canvas/Ruler.h"
#include "canvas/WindowPainter.h"

namespace quillon {
namespace {

// The scroll bars' small step (pixels); a wheel notch (in eighths of a degree) scrolls three
// steps.
constexpr int kScrollStep = 20;
constexpr int kWheelNotch = 120;
constexpr int kStepsPerNotch = 3;

}  // namespace

int32_t TileOriginFor(int32_t canvasOffset, int32_t canvas, int32_t viewport, int32_t page,
                      int32_t scroll) {
  if (int64_t{canvasOffset} + canvas >= viewport || page <= canvas) return 0;
  int64_t origin = (int64_t{scroll} / kCanvasTileSide + 1) * kCanvasTileSide;
  // Not past the page's far edge, and not starting right of the viewport's near edge.
  if (origin + canvas > page) origin = int64_t{page} - canvas;
  if (int64_t{canvasOffset} + origin > 0) origin = -int64_t{canvasOffset};
  return static_cast<int32_t>(std::clamp<int64_t>(origin, 0, int64_t{page} - canvas));
}

SandboxView::SandboxView(QMdiSubWindow& window, const ItemList& items, ViewWindow hooks)
    : items_(items), hooks_(std::move(hooks)) {
  setObjectName(QStringLiteral("View"));
  base0_ = new QWidget(&window);
  base0_->setObjectName(QStringLiteral("base0"));
  base0_->setMouseTracking(true);
  window.setWidget(base0_);
  base0_->installEventFilter(this);

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

  scrollBarX_ = new QScrollBar(Qt::Horizontal, base0_);
  scrollBarX_->setObjectName(QStringLiteral("ScrollBarX"));
  scrollBarY_ = new QScrollBar(Qt::Vertical, base0_);
  scrollBarY_->setObjectName(QStringLiteral("ScrollBarY"));
  for (QScrollBar* bar : {scrollBarX_, scrollBarY_}) {
    bar->setSingleStep(kScrollStep);
    bar->hide();
  }
  connect(scrollBarX_, &QScrollBar::valueChanged, this,
          [this](int value) { ScrollBarChange(Qt::Horizontal, value); });
  connect(scrollBarY_, &QScrollBar::valueChanged, this,
          [this](int value) { ScrollBarChange(Qt::Vertical, value); });
  panel1_ = new QWidget(base0_);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setAutoFillBackground(true);
  panel1_->hide();
  // The hint beside a dragged page edge.
  hint1_ = new QLabel(panel0_);
  hint1_->setObjectName(QStringLiteral("Hint1"));
  hint1_->setAutoFillBackground(true);
  QPalette colours = hint1_->palette();
  colours.setColor(QPalette::Window, QColor(255, 255, 225));
  colours.setColor(QPalette::WindowText, Qt::black);
  hint1_->setPalette(colours);
  hint1_->setFrameShape(QFrame::Box);
  hint1_->hide();
}

Point SandboxView::PageOrigin() const {
  const ItemRecord* page = items_.PageRecord();
  return page != nullptr ? Point{page->boundLeft(), page->boundTop()} : Point{};
}

bool SandboxView::Layout() {
  if (!hooks_.ready()) return false;
  const int bar = base0_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBarX_);
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

const Bitmap& SandboxView::Canvas() const {
  return image1_->bitmap();
}

bool SandboxView::FitCanvas() {
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
  hooks_.repaintCanvas();
  return true;
}

void SandboxView::RebuildRulers() {
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
  hooks_.rulersRebuilt();
}

void SandboxView::ScrollBarChange(Qt::Orientation orientation, int value) {
  if (!hooks_.ready()) return;
  if (orientation == Qt::Horizontal) {
    rulerX_->HideMarker();
    canvasOffset_.x = PageOrigin().x - value;
  } else {
    rulerY_->HideMarker();
    canvasOffset_.y = PageOrigin().y - value;
  }
  RebuildRulers();
  FitCanvas();
}

void SandboxView::ShowPositionMarkers(QPoint canvasPoint) {
  const QPoint inViewport = canvasPoint + panel2_->pos();
  rulerX_->ShowMarker(inViewport.x());
  rulerY_->ShowMarker(inViewport.y());
}

void SandboxView::HidePositionMarkers() {
  rulerX_->HideMarker();
  rulerY_->HideMarker();
}

bool SandboxView::eventFilter(QObject* watched, QEvent* event) {
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
      target->setValue(target->value() -
                       delta * kStepsPerNotch * target->singleStep() / kWheelNotch);
    }
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quillon
