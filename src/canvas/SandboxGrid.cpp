// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's grid parts: the anchor marks on the desk's strips beside the rulers,
// highlighted under the pointer, dragged to move their grid line and Shift-clicked to add one;
// and the page's edges dragged on the rulers with a floating read-out.
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

#include "canvas/SandboxCanvas.h"
#include "canvas/BitmapView.h"
#include "canvas/Ruler.h"
#include "canvas/SandboxDesk.h"
#include "canvas/SandboxView.h"

namespace quillon {
namespace {

constexpr int32_t kReadoutOffset = 8;

PointerInput InputOf(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const Point at{p.x(), p.y()};
  return {.raw = at,
          .snapped = at,
          .shift = event->modifiers().testFlag(Qt::ShiftModifier),
          .ctrl = event->modifiers().testFlag(Qt::ControlModifier)};
}

}  // namespace

GeometryContext TSandbox::Desk::Geometry() const {
  return window_.canvas_->Geometry();
}

TSandbox::Desk::Desk(TSandbox& window)
    : window_(window), strips_(*window.view_->Desk()), readout_(window.view_->Hint()) {
  BitmapView& desk = *window.view_->Desk();
  desk.onMouseMove = [this](QMouseEvent* e) { DeskMove(e); };
  desk.onMousePress = [this](QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) DeskPress(e);
  };
  desk.onMouseRelease = [this](QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) DeskRelease(e);
  };
  desk.onLeave = [this] { DeskLeft(); };
  for (const GridAxis axis : {GridAxis::Vertical, GridAxis::Horizontal}) {
    Ruler* r = RulerAlong(axis);
    r->onMouseMove = [this, r, axis](QMouseEvent* e) { RulerMove(r, axis, e); };
    r->onMousePress = [this, r, axis](QMouseEvent* e) {
      if (e->button() == Qt::LeftButton) RulerPress(r, axis, e);
    };
    r->onMouseRelease = [this, r](QMouseEvent* e) {
      if (e->button() == Qt::LeftButton) RulerRelease(r, e);
    };
  }
}

TSandbox::Desk::~Desk() {
  BitmapView& desk = *window_.view_->Desk();
  desk.onMouseMove = desk.onMousePress = desk.onMouseRelease = nullptr;
  desk.onLeave = nullptr;
  for (Ruler* ruler : {window_.view_->RulerX(), window_.view_->RulerY()}) {
    ruler->onMouseMove = ruler->onMousePress = ruler->onMouseRelease = nullptr;
  }
}

void TSandbox::Desk::Start(std::unique_ptr<Gesture> drag, const QWidget* from,
                           const PointerInput& press) {
  window_.EndGesture();
  if (drag_ != nullptr) std::exchange(drag_, nullptr)->Cancel();
  drag_ = std::move(drag);
  from_ = from;
  drag_->Press(press);
}

void TSandbox::Desk::Release(const PointerInput& input) {
  std::unique_ptr<Gesture> drag = std::move(drag_);
  from_ = nullptr;
  drag->Release(input);
}

void TSandbox::Desk::DeskPress(QMouseEvent* event) {
  if (!Ready()) return;
  if (std::unique_ptr<Gesture> drag = GridLineDragFor(*this)) {
    Start(std::move(drag), window_.view_->Desk(), InputOf(event));
  }
}

void TSandbox::Desk::DeskMove(QMouseEvent* event) {
  // A move over the desk is a move off the canvas.
  window_.view_->HidePositionMarkers();
  if (!Ready()) return;
  const PointerInput input = InputOf(event);
  if (Dragging(window_.view_->Desk())) {
    drag_->Move(input);
  } else if (strips_.Hover(Items(), Scale(), input.raw)) {
    RepaintStrips();
  }
}

void TSandbox::Desk::DeskRelease(QMouseEvent* event) {
  if (!Ready()) return;
  const PointerInput input = InputOf(event);
  if (Dragging(window_.view_->Desk())) {
    Release(input);
  } else if (input.shift) {
    AddGridLineAt(*this, input.raw);
  }
}

void TSandbox::Desk::DeskLeft() {
  if (Dragging(window_.view_->Desk())) return;
  if (strips_.Leave(Items())) RepaintStrips();
}

void TSandbox::Desk::RulerPress(Ruler* ruler, GridAxis axis, QMouseEvent* event) {
  if (!Ready() || Items().PageRecord() == nullptr) return;
  const PointerInput input = InputOf(event);
  if (std::unique_ptr<Gesture> drag = PageEdgeDragFor(*this, axis, input.raw)) {
    Start(std::move(drag), ruler, input);
  }
}

void TSandbox::Desk::RulerMove(Ruler* ruler, GridAxis axis, QMouseEvent* event) {
  if (!Ready() || Items().PageRecord() == nullptr) return;
  const PointerInput input = InputOf(event);
  if (Dragging(ruler)) {
    drag_->Move(input);
    return;
  }
  // The other ruler's drag keeps its cursor.
  if (drag_ != nullptr && from_ != window_.view_->Desk()) return;
  // Near a page edge the cursor shows that it drags.
  window_.view_->RulerX()->setCursor(Qt::ArrowCursor);
  window_.view_->RulerY()->setCursor(Qt::ArrowCursor);
  if (PageEdgeNear(*this, axis, AlongAxis(axis, input.raw))) {
    ruler->setCursor(axis == GridAxis::Vertical ? Qt::SizeHorCursor : Qt::SizeVerCursor);
  }
}

void TSandbox::Desk::RulerRelease(Ruler* ruler, QMouseEvent* event) {
  if (Dragging(ruler)) Release(InputOf(event));
}

DeskScale TSandbox::Desk::Scale() const {
  return {.canvasOffset = window_.view_->CanvasOffset(), .zoom = window_.GetZoom()};
}

Point TSandbox::Desk::DeskSize() const {
  return {window_.view_->Desk()->width(), window_.view_->Desk()->height()};
}

bool TSandbox::Desk::DeleteHighlighted() {
  if (!quillon::DeleteHighlightedLines(Items(), Events())) return false;
  window_.FullRepaint(true);
  return true;
}

void TSandbox::Desk::RepaintStrips() {
  if (window_.closing_) return;
  strips_.Repaint(Items(), Scale());
}

Ruler* TSandbox::Desk::RulerAlong(GridAxis axis) const {
  return axis == GridAxis::Vertical ? window_.view_->RulerX() : window_.view_->RulerY();
}

RulerScale TSandbox::Desk::RulerShown(GridAxis axis) const {
  return RulerAlong(axis)->Scale();
}

void TSandbox::Desk::ShowOnRuler(GridAxis axis, const RulerScale& scale) {
  RulerAlong(axis)->Rebuild(scale);
}

void TSandbox::Desk::ShowReadout(GridAxis axis, QPoint pointer, const QString& text) {
  readout_->setText(text);
  readout_->adjustSize();
  // The read-out floats beside the pointer, inside the viewport.
  const QPoint inViewport = axis == GridAxis::Vertical
                                ? QPoint(pointer.x(), pointer.y() + kReadoutOffset)
                                : QPoint(pointer.x() + kReadoutOffset, pointer.y());
  const QWidget* viewport = window_.view_->Viewport();
  const int x = std::clamp(inViewport.x(), 0, std::max(0, viewport->width() - readout_->width()));
  const int y = std::clamp(inViewport.y(), 0, std::max(0, viewport->height() - readout_->height()));
  readout_->move(x, y);
  readout_->show();
  readout_->raise();
}

void TSandbox::Desk::HideReadout() {
  readout_->hide();
}

void TSandbox::Desk::PageEdgeDropped(bool changed) {
  if (changed) window_.RefreshTitle();
  if (!window_.view_->Layout()) window_.FullRepaint(true);
  window_.view_->RebuildRulers();
  RepaintStrips();
}

}  // namespace quillon
