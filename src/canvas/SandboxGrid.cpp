// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's grid parts: the anchor marks on the desk's strips beside the rulers,
// highlighted under the pointer, dragged to move their grid line and Shift-clicked to add one;
// and the page's edges dragged on the rulers with a floating read-out.
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "canvas/BitmapView.h"
#include "canvas/Ruler.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/SandboxView.h"
#include "canvas/TSandbox.h"
#include "render/Coordinates.h"

namespace quillon {
namespace {

constexpr uint32_t kAnchorColour = 16742981;  // blue
constexpr uint32_t kHighlightColour = 255;    // red
constexpr uint32_t kAnchorShine = 0xFFFFFF;   // the cylinder's light stripe
constexpr int32_t kEdgeReach = 5;             // pixels from a page edge that grab it on a ruler
constexpr int32_t kReadoutOffset = 8;

Point At(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return {p.x(), p.y()};
}

}  // namespace

void TSandbox::ConnectGridParts() {
  view_->Desk()->onMouseMove = [this](QMouseEvent* e) {
    background1MouseMove(At(e), e->modifiers());
  };
  view_->Desk()->onMousePress = [this](QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) background1MouseDown(At(e), e->modifiers());
  };
  view_->Desk()->onMouseRelease = [this](QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) background1MouseUp(At(e), e->modifiers());
  };
  view_->Desk()->onLeave = [this] {
    if (anchorDrag_ == 0) LeaveAnchorStrips();
  };
  const auto ruler = [this](Ruler* r, GridAxis axis) {
    r->onMouseMove = [this, axis](QMouseEvent* e) {
      RulerMouseMove(axis, e->position().toPoint());
    };
    r->onMousePress = [this, axis](QMouseEvent* e) {
      if (e->button() == Qt::LeftButton) RulerMouseDown(axis, e->position().toPoint());
    };
    r->onMouseRelease = [this, axis](QMouseEvent* e) {
      if (e->button() == Qt::LeftButton) RulerMouseUp(axis, e->position().toPoint());
    };
  };
  ruler(view_->RulerX(), GridAxis::Vertical);
  ruler(view_->RulerY(), GridAxis::Horizontal);
}

void TSandbox::SaveCleanStrips() {
  const Bitmap& desk = view_->Desk()->bitmap();
  const int depth = std::min(kAnchorStripDepth, std::min(desk.width(), desk.height()));
  cleanTopStrip_ = Bitmap::TryCreate(desk.width(), depth);
  cleanLeftStrip_ = Bitmap::TryCreate(depth, desk.height());
  if (!cleanTopStrip_.empty()) cleanTopStrip_.CopyFrom(desk, 0, 0, desk.width(), depth, 0, 0);
  if (!cleanLeftStrip_.empty()) cleanLeftStrip_.CopyFrom(desk, 0, 0, depth, desk.height(), 0, 0);
}

int32_t TSandbox::PositionAt(GridAxis axis, int32_t view) const {
  const ItemRecord* page = items_.PageRecord();
  if (page == nullptr) return view;
  const int32_t offset = axis == GridAxis::Vertical ? CanvasOffset().x : CanvasOffset().y;
  return ClampToInt32(int64_t{RoundToInt32((int64_t{view} - offset) / GetZoom())} +
                      LineShift(*page, axis));
}

int64_t TSandbox::ViewAt(GridAxis axis, int32_t position) const {
  const ItemRecord* page = items_.PageRecord();
  if (page == nullptr) return position;
  const int32_t offset = axis == GridAxis::Vertical ? CanvasOffset().x : CanvasOffset().y;
  return int64_t{RoundToInt32((int64_t{position} - LineShift(*page, axis)) * GetZoom())} + offset;
}

bool TSandbox::StripAt(Point view, GridAxis& axis) const {
  if (view.y < view.x) {
    axis = GridAxis::Vertical;
    return view.y >= 0 && view.y < kAnchorStripDepth;
  }
  axis = GridAxis::Horizontal;
  return view.x >= 0 && view.x < kAnchorStripDepth;
}

void TSandbox::DrawAnchorMark(GridAxis axis, int64_t view, bool highlighted) {
  Bitmap& desk = view_->Desk()->bitmap();
  if (desk.empty()) return;
  const int64_t start = view - kAnchorMarkSide / 2;
  // Marks that would start before the strip are left out.
  if (start < 0 || start >= (axis == GridAxis::Vertical ? desk.width() : desk.height())) return;
  const int s = static_cast<int>(start);
  const int c = static_cast<int>(view);
  const QColor colour = ToQColor(highlighted ? kHighlightColour : kAnchorColour);
  QImage image = desk.Image();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // A small cylinder lying across the strip, and a tick of the mark margin towards the page.
  const QRect mark = axis == GridAxis::Vertical ? QRect(s, 1, kAnchorMarkSide, kAnchorMarkSide)
                                                : QRect(1, s, kAnchorMarkSide, kAnchorMarkSide);
  painter.fillRect(mark.adjusted(1, 0, -1, 0), colour);
  painter.fillRect(mark.adjusted(0, 1, 0, -1), colour);
  painter.setPen(ToQColor(kAnchorShine));
  if (axis == GridAxis::Vertical) {
    painter.drawLine(s + 2, 2, s + 2, kAnchorMarkSide - 1);
    painter.setPen(colour);
    painter.drawLine(c, 1 + kAnchorMarkSide, c, kAnchorMarkSide + kAnchorMarkMargin);
  } else {
    painter.drawLine(2, s + 2, kAnchorMarkSide - 1, s + 2);
    painter.setPen(colour);
    painter.drawLine(1 + kAnchorMarkSide, c, kAnchorMarkSide + kAnchorMarkMargin, c);
  }
}

void TSandbox::RepaintAnchorStrips() {
  if (closing_ || view_ == nullptr) return;
  Bitmap& desk = view_->Desk()->bitmap();
  if (desk.empty()) return;
  if (cleanTopStrip_.width() != desk.width() || cleanLeftStrip_.height() != desk.height()) {
    SaveCleanStrips();
  }
  if (cleanTopStrip_.empty() || cleanLeftStrip_.empty()) return;
  desk.CopyFrom(cleanTopStrip_, 0, 0, cleanTopStrip_.width(), cleanTopStrip_.height(), 0, 0);
  desk.CopyFrom(cleanLeftStrip_, 0, 0, cleanLeftStrip_.width(), cleanLeftStrip_.height(), 0, 0);
  const ItemRecord* page = items_.PageRecord();
  const ItemRecord* anchors = FindVisibleByKind(items_, kKindAnchors);
  if (page != nullptr && anchors != nullptr) {
    for (GridAxis axis : {GridAxis::Vertical, GridAxis::Horizontal}) {
      if (!AnchorsShown(*page, axis)) continue;
      const std::vector<AnchorEntry>& lines = LinesOf(*anchors, axis);
      const int dragged =
          anchorDrag_ == (axis == GridAxis::Vertical ? 1 : 2) ? anchorDragIndex_ : -1;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].deleted != 0 || static_cast<int>(i) == dragged) continue;
        DrawAnchorMark(axis, ViewAt(axis, lines[i].position), lines[i].highlighted != 0);
      }
      // The line being dragged follows the pointer.
      if (dragged >= 0) DrawAnchorMark(axis, anchorDragView_, true);
    }
  }
  view_->Desk()->update(0, 0, desk.width(), kAnchorStripDepth);
  view_->Desk()->update(0, 0, kAnchorStripDepth, desk.height());
}

void TSandbox::LeaveAnchorStrips() {
  ItemRecord* anchors = FindVisibleByKind(items_, kKindAnchors);
  if (anchors == nullptr || anchorDrag_ != 0) return;
  if (HighlightAnchor(*anchors, GridAxis::Vertical, -1)) RepaintAnchorStrips();
  view_->Desk()->setCursor(Qt::ArrowCursor);
}

void TSandbox::background1MouseMove(Point view, Qt::KeyboardModifiers) {
  // A move over the desk is a move off the canvas.
  view_->HidePositionMarkers();
  if (!ready_ || closing_) return;
  if (anchorDrag_ != 0) {
    const GridAxis axis = anchorDrag_ == 1 ? GridAxis::Vertical : GridAxis::Horizontal;
    anchorDragView_ = axis == GridAxis::Vertical ? view.x : view.y;
    RepaintAnchorStrips();
    return;
  }
  const ItemRecord* page = items_.PageRecord();
  ItemRecord* anchors = FindVisibleByKind(items_, kKindAnchors);
  if (page == nullptr || anchors == nullptr) return;
  GridAxis axis = GridAxis::Vertical;
  int index = -1;
  if (StripAt(view, axis) && AnchorsShown(*page, axis)) {
    index = AnchorIndexAt(LinesOf(*anchors, axis),
                          PositionAt(axis, axis == GridAxis::Vertical ? view.x : view.y));
  }
  if (HighlightAnchor(*anchors, axis, index)) RepaintAnchorStrips();
  view_->Desk()->setCursor(index < 0                    ? Qt::ArrowCursor
                           : axis == GridAxis::Vertical ? Qt::SizeHorCursor
                                                        : Qt::SizeVerCursor);
}

void TSandbox::background1MouseDown(Point view, Qt::KeyboardModifiers) {
  if (!ready_ || closing_) return;
  const ItemRecord* anchors = FindVisibleByKind(items_, kKindAnchors);
  if (anchors == nullptr) return;
  for (GridAxis axis : {GridAxis::Vertical, GridAxis::Horizontal}) {
    const int index = HighlightedAnchor(*anchors, axis);
    if (index < 0) continue;
    EndGesture();
    anchorDrag_ = axis == GridAxis::Vertical ? 1 : 2;
    anchorDragIndex_ = index;
    anchorDragView_ = axis == GridAxis::Vertical ? view.x : view.y;
    RepaintAnchorStrips();
    return;
  }
}

void TSandbox::background1MouseUp(Point view, Qt::KeyboardModifiers modifiers) {
  if (!ready_ || closing_) return;
  if (anchorDrag_ != 0) {
    const GridAxis axis = anchorDrag_ == 1 ? GridAxis::Vertical : GridAxis::Horizontal;
    const int index = anchorDragIndex_;
    anchorDrag_ = 0;
    anchorDragIndex_ = -1;
    // Released outside its strip, the line stays within the strip's span.
    const int32_t span =
        axis == GridAxis::Vertical ? view_->Desk()->width() : view_->Desk()->height();
    const int32_t at =
        std::clamp(axis == GridAxis::Vertical ? view.x : view.y, 0, std::max(0, span - 1));
    MoveGridLine(items_, events_, canvas_->Geometry(), axis, index, PositionAt(axis, at));
    RefreshUndoRedo();
    FullRepaint(true);
    return;
  }
  GridAxis axis = GridAxis::Vertical;
  if (!modifiers.testFlag(Qt::ShiftModifier) || !StripAt(view, axis)) return;
  const int32_t at = axis == GridAxis::Vertical ? view.x : view.y;
  if (InsertGridLine(items_, events_, axis, PositionAt(axis, at))) {
    RefreshUndoRedo();
    FullRepaint(true);
  }
}

bool TSandbox::DeleteHighlightedAnchor() {
  if (!DeleteHighlightedLines(items_, events_)) return false;
  RefreshUndoRedo();
  FullRepaint(true);
  return true;
}

void TSandbox::RulerMouseMove(GridAxis axis, QPoint at) {
  const ItemRecord* page = items_.PageRecord();
  if (!ready_ || closing_ || page == nullptr) return;
  Ruler* ruler = axis == GridAxis::Vertical ? view_->RulerX() : view_->RulerY();
  const int32_t along = axis == GridAxis::Vertical ? at.x() : at.y();
  if (rulerDrag_ == 0) {
    const int32_t near = axis == GridAxis::Vertical ? CanvasOffset().x : CanvasOffset().y;
    const int64_t far =
        int64_t{near} + (axis == GridAxis::Vertical ? page->boundWidth() : page->boundHeight());
    rulerHot_ = std::abs(int64_t{along} - near) <= kEdgeReach ||
                std::abs(int64_t{along} - far) <= kEdgeReach;
    view_->RulerX()->setCursor(Qt::ArrowCursor);
    view_->RulerY()->setCursor(Qt::ArrowCursor);
    if (rulerHot_) {
      ruler->setCursor(axis == GridAxis::Vertical ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    }
    return;
  }
  if (axis != rulerAxis_) return;
  const int64_t delta = int64_t{along} - rulerPress_;
  RulerScale scale = ruler->Scale();
  const double ppu = axis == GridAxis::Vertical ? page->pixelsPerUnitX() : page->pixelsPerUnitY();
  if (rulerDrag_ == 4) {
    scale.pageLength = DraggedPageLength(*page, axis, ClampToInt32(delta));
    const QString caption =
        QString::fromLatin1(axis == GridAxis::Vertical ? "Width: " : "Height: ") +
        QString::fromStdString(
            FormatMeasure(page->pageUnits(), scale.pageLength / ppu / GetZoom()));
    view_->Hint()->setText(caption);
    view_->Hint()->adjustSize();
  } else {
    const int32_t near = axis == GridAxis::Vertical ? CanvasOffset().x : CanvasOffset().y;
    scale.pageStart = ClampToInt32(std::max<int64_t>(0, near + delta));
  }
  ruler->Rebuild(scale);
  // The read-out floats beside the pointer, inside the viewport.
  const QPoint inViewport = axis == GridAxis::Vertical ? QPoint(at.x(), at.y() + kReadoutOffset)
                                                       : QPoint(at.x() + kReadoutOffset, at.y());
  QLabel* hint = view_->Hint();
  const QWidget* viewport = view_->Viewport();
  const int x = std::clamp(inViewport.x(), 0, std::max(0, viewport->width() - hint->width()));
  const int y = std::clamp(inViewport.y(), 0, std::max(0, viewport->height() - hint->height()));
  hint->move(x, y);
  hint->setVisible(rulerDrag_ == 4);
  hint->raise();
}

void TSandbox::RulerMouseDown(GridAxis axis, QPoint at) {
  const ItemRecord* page = items_.PageRecord();
  if (!ready_ || closing_ || page == nullptr) return;
  const int32_t along = axis == GridAxis::Vertical ? at.x() : at.y();
  const int32_t near = axis == GridAxis::Vertical ? CanvasOffset().x : CanvasOffset().y;
  const int64_t far =
      int64_t{near} + (axis == GridAxis::Vertical ? page->boundWidth() : page->boundHeight());
  if (std::abs(int64_t{along} - far) <= kEdgeReach) {
    rulerDrag_ = 4;
  } else if (std::abs(int64_t{along} - near) <= kEdgeReach) {
    rulerDrag_ = 6;
  } else {
    return;
  }
  EndGesture();
  rulerAxis_ = axis;
  rulerPress_ = along;
  if (rulerDrag_ == 4) RulerMouseMove(axis, at);
}

void TSandbox::RulerMouseUp(GridAxis axis, QPoint at) {
  if (rulerDrag_ == 0 || axis != rulerAxis_) return;
  const int32_t along = axis == GridAxis::Vertical ? at.x() : at.y();
  const PageEdge edge = rulerDrag_ == 4 ? PageEdge::Far : PageEdge::Near;
  rulerDrag_ = 0;
  view_->Hint()->hide();
  const bool changed =
      DragPageEdge(items_, events_, axis, edge, ClampToInt32(int64_t{along} - rulerPress_));
  if (changed) {
    RefreshUndoRedo();
    RefreshTitle();
  }
  if (!view_->Layout()) FullRepaint(true);
  view_->RebuildRulers();
  RepaintAnchorStrips();
}

}  // namespace quillon
