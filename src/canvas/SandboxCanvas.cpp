// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/SandboxCanvas.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "canvas/BitmapView.h"
#include "canvas/SandboxView.h"
#include "canvas/TSandbox.h"
#include "platform/Clipboard.h"
#include "platform/Timers.h"
#include "render/Coordinates.h"
#include "render/Handles.h"
#include "render/Text.h"

namespace quillon {
namespace {

constexpr uint32_t kRubberBandColour = 255;        // red
constexpr uint32_t kRubberBandBackground = 65535;  // yellow
constexpr uint32_t kConstructionColour = 8421504;  // grey

// The selection marks follow a repaint this much later (ms).
constexpr int kMarksDelay = 100;

}  // namespace

SandboxCanvas::SandboxCanvas(TSandbox& window)
    : window_(window), textMetrics_(std::make_unique<FontTextMetrics>(window.items_.screen())) {
  marksTimer_ = OneShot(&window, "Timer3", kMarksDelay);
  QObject::connect(marksTimer_, &QTimer::timeout, &window, [this] { DrawDeferredMarks(); });
}

SandboxCanvas::~SandboxCanvas() = default;

CanvasTile SandboxCanvas::Tile() const {
  CanvasTile tile;
  tile.bitmap = &Pixels();
  tile.zoom = window_.GetZoom();
  tile.origin = window_.view_->TileOrigin();
  tile.display = window_.display_;
  tile.busyLoading = window_.busyLoading_;
  return tile;
}

ItemList& SandboxCanvas::Items() {
  return window_.items_;
}

EditObserver& SandboxCanvas::Events() {
  return window_.events_;
}

void SandboxCanvas::Attach(BitmapView& canvas) {
  overlay_.SetCanvas(&canvas.bitmap());
  const auto at = [](QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return Point{p.x(), p.y()};
  };
  TSandbox& window = window_;
  canvas.onMouseMove = [&window, at](QMouseEvent* event) {
    window.Image1MouseMove(at(event), event->modifiers());
  };
  canvas.onMousePress = [&window, at](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) window.Image1MouseDown(at(event), event->modifiers());
  };
  canvas.onMouseRelease = [&window, at](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) window.Image1MouseUp(at(event), event->modifiers());
  };
  canvas.onDoubleClick = [&window](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) window.Image1DblClick();
  };
}

void SandboxCanvas::DeferMarks() {
  marksTimer_->start();
}

void SandboxCanvas::HoldMarks() {
  if (!marksTimer_->isActive()) return;
  marksTimer_->stop();
  if (copyPending_) CopyRubberBandNow();
}

void SandboxCanvas::CopyAreaLater() {
  RemoveSelectionMarks();
  copyPending_ = true;
  marksTimer_->start();
}

void SandboxCanvas::DrawDeferredMarks() {
  if (window_.closing_ || window_.notReady_) return;
  if (copyPending_) CopyRubberBandNow();
  DrawSelectionMarks();
}

void SandboxCanvas::CopyRubberBandNow() {
  copyPending_ = false;
  const Rect& band = window_.LastGesture().rubberBand;
  if (!HasCopyArea(window_.LastGesture())) return;
  // The band is kept in document pixels, so scrolling or zooming since does not shift it; only
  // the part on the canvas now is copied, nothing when none is.
  const Rect area = ToCanvas(band);
  if (IsEmpty(area)) return;
  const QImage picture = Pixels().Image().copy(area.left, area.top, area.right - area.left,
                                               area.bottom - area.top);
  window_.host_.SystemClipboard().PutPicture(picture);
}

Bitmap& SandboxCanvas::Pixels() const {
  return window_.view_->Image()->bitmap();
}

GeometryContext SandboxCanvas::Geometry() const {
  GeometryContext context;
  context.screen = window_.items_.screen();
  context.zoom = window_.GetZoom();
  context.text = textMetrics_.get();
  return context;
}

Point SandboxCanvas::ToDocument(Point canvas) const {
  return ToDocumentPoint(canvas, window_.GetZoom(), window_.view_->TileOrigin());
}

Point SandboxCanvas::ToCanvasPoint(Point document) const {
  return ToWindowPoint(document, window_.GetZoom(), window_.view_->TileOrigin());
}

Rect SandboxCanvas::ToCanvas(Rect document) const {
  CanvasTile tile;
  tile.bitmap = &Pixels();
  tile.zoom = window_.GetZoom();
  tile.origin = window_.view_->TileOrigin();
  return tile.CanvasRect(document);
}

void SandboxCanvas::RedrawSelectionMarks() {
  RemoveSelectionMarks();
  DrawSelectionMarks();
}

void SandboxCanvas::DrawSelectionMarks() {
  // Group frames go last, so that their marks lie on top.
  ItemList& items = window_.items_;
  std::vector<ItemRecord*> selected = SelectedRecords(items);
  std::stable_partition(selected.begin(), selected.end(),
                        [](const ItemRecord* r) { return r->kind() != kKindGroupFrame; });
  GeometryContext context;
  context.screen = items.screen();
  context.zoom = window_.GetZoom();
  std::vector<Handle> handles;
  for (const ItemRecord* item : selected) {
    handles.clear();
    HandleLayout(*item, selected.size() == 1, window_.view_->TileOrigin(), context, handles);
    for (const Rect& r : overlay_.MarkHandles(items, *item, handles, context.handle))
      CanvasChanged(r);
  }
}

void SandboxCanvas::RemoveSelectionMarks() {
  for (const Rect& r : overlay_.UnmarkAll(window_.items_))
    CanvasChanged(r);
}

void SandboxCanvas::PaintPreview(const std::vector<ItemRecord*>& items) {
  const CanvasTile tile = Tile();
  for (const ItemRecord* item : items) {
    if (item->kind() != kKindGroupFrame) PaintItem(tile, *item, window_.items_, true);
  }
  // Construction lines: the text box of texts, the radii of arcs, and the lines from each
  // curve point to its control points.
  QImage image = Pixels().Image();
  QPainter painter(&image);
  painter.setPen(QPen(ToQColor(kConstructionColour), 1, Qt::DotLine));
  const auto at = [&](Point document) {
    const Point p = ToCanvasPoint(document);
    return QPoint(p.x, p.y);
  };
  for (const ItemRecord* item : items) {
    if (item->kind() == kKindText) {
      const Rect r = ToCanvas(
          {item->boundLeft(), item->boundTop(), item->boundRight() + 1, item->boundBottom() + 1});
      if (!IsEmpty(r)) painter.drawRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
    } else if (item->kind() == kKindArc && item->points.size() >= 3) {
      painter.drawLine(at(item->points[0].point), at(item->points[1].point));
      painter.drawLine(at(item->points[0].point), at(item->points[2].point));
    } else if (item->kind() == kKindCurve) {
      for (std::size_t i = 0; i < item->points.size(); ++i) {
        const PointEntry& e = item->points[i];
        const PointEntry& next = item->points[(i + 1) % item->points.size()];
        painter.drawLine(at(e.point), at(e.handleIn));
        painter.drawLine(at(next.point), at(e.handleOut));
      }
    }
  }
}

void SandboxCanvas::PaintGuide(Point a, Point b) {
  QImage image = Pixels().Image();
  QPainter painter(&image);
  painter.setPen(QPen(ToQColor(kConstructionColour), 1, Qt::DashLine));
  painter.drawLine(a.x, a.y, b.x, b.y);
}

void SandboxCanvas::PaintCaret(Point a, Point b, uint32_t colour, int width) {
  QImage image = Pixels().Image();
  QPainter painter(&image);
  painter.setPen(QPen(ToQColor(colour), width));
  painter.drawLine(a.x, a.y, b.x, b.y);
}

void SandboxCanvas::PaintRubberBand(Rect band) {
  QImage image = Pixels().Image();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(ToQColor(kRubberBandColour), 1, Qt::DotLine));
  painter.setBackground(ToQColor(kRubberBandBackground));
  painter.setBackgroundMode(Qt::OpaqueMode);
  const QPoint corners[] = {{band.left, band.top},
                            {band.right, band.top},
                            {band.right, band.bottom},
                            {band.left, band.bottom}};
  painter.drawPolygon(corners, 4);
}

void SandboxCanvas::CanvasChanged(Rect r) {
  if (!IsEmpty(r))
    window_.view_->Image()->update(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void SandboxCanvas::RepaintAfterDrag() {
  overlay_.InvalidateAll();
  copyPending_ = false;
  window_.FullRepaint(false);
  marksTimer_->start();
}

bool SandboxCanvas::LiveDrag() const {
  return window_.host_.Params().liveDrag;
}

void SandboxCanvas::ShowPanel(int32_t toolNumber) {
  window_.host_.ShowTool(toolNumber);
}

const TParams& SandboxCanvas::Settings() const {
  return window_.host_.Params();
}

}  // namespace quillon
