// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's repaint pipeline: full and region repaints, the zoom change
// and the selection marks drawn over saved pixels.
#include <QTimer>

#include "canvas/BitmapView.h"
#include "canvas/ProgressiveRendering.h"
#include "canvas/Ruler.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/SandboxDesk.h"
#include "canvas/SandboxView.h"
#include "canvas/TSandbox.h"
#include "document/PageSetup.h"
#include "render/Handles.h"

namespace quillon {

PaintScope TSandbox::CanvasScope() const {
  // Pasted copies following the pointer are drawn over the canvas, not into it.
  return Mode() == kModePaste && canvas_->LiveDrag() ? PaintScope::ExceptSelected
                                                      : PaintScope::All;
}

void TSandbox::FullRepaint(bool deferMarks) {
  if (closing_ || notReady_) return;
  progressive_->Changed();
  // A full-quality repaint makes the rest of a progressive pass needless.
  if (!busyLoading_) progressive_->Stop();
  const CanvasTile tile = canvas_->Tile();
  if (tile.bitmap->empty()) return;
  PaintWindow(tile, items_, tile.WholeTile(), CanvasScope());
  // The saved pixels under temporary marks no longer match the canvas.
  canvas_->Marks().InvalidateAll();
  canvas_->Marks().DropMarks();
  canvas_->DropPendingCopy();
  view_->Image()->update();
  if (desk_ != nullptr) desk_->RepaintStrips();
  // While loading or zooming the marks wait for the end of progressive rendering.
  if (deferMarks && !busyLoading_) canvas_->DeferMarks();
}

void TSandbox::RegionRepaint(Rect area) {
  if (closing_ || notReady_) return;
  progressive_->Changed();
  const CanvasTile tile = canvas_->Tile();
  if (tile.bitmap->empty()) return;
  const Rect painted =
      PaintWindow(tile, items_, GrowRepaintRect(tile, items_, area), CanvasScope());
  const Rect canvas = tile.CanvasRect(painted);
  view_->Image()->update(canvas.left, canvas.top, canvas.right - canvas.left,
                         canvas.bottom - canvas.top);
}

void TSandbox::ZoomChanged() {
  ItemRecord* page = items_.PageRecord();
  if (page == nullptr || closing_) return;
  canvas_->RemoveSelectionMarks();
  view_->HidePositionMarkers();
  page->setZoom(host_.Params().zoom);
  UpdatePageRect(*page);
  FreePictureCaches(items_);
  busyLoading_ = true;
  if (!view_->Layout()) FullRepaint(false);
  busyLoading_ = false;
  progressive_->Start();
}

bool TSandbox::RenderingProgressively() const {
  return progressive_->Running();
}

}  // namespace quillon
