// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window as its gestures see it: the document's items and announcements, the
// overlay over the canvas tile with the selection's handle marks, the geometry of the tile
// and its repaints.
#pragma once

#include <memory>

class QTimer;

#include "canvas/Gesture.h"
#include "canvas/Overlay.h"
#include "canvas/WindowPainter.h"

namespace quillon {

class BitmapView;
class FontTextMetrics;
class TSandbox;

class SandboxCanvas final : public CanvasContext {
 public:
  explicit SandboxCanvas(TSandbox& window);
  ~SandboxCanvas() override;

  // The canvas tile as the window now shows the page: zoom, origin and display options.
  CanvasTile Tile() const;
  // The widget showing the tile: its pointer events go to the window's entry points.
  void Attach(BitmapView& canvas);

  // The selection marks follow a repaint a moment later (Timer3), on the pixels it left.
  void DeferMarks();
  // The marks wait while a gesture draws over the canvas; a pending clipboard copy runs now.
  void HoldMarks();
  // "Copy to Clipboard": the last rubber band's pixels go to the system clipboard once the
  // marks are gone; a repaint before then drops the copy.
  void CopyAreaLater();
  void DropPendingCopy() { copyPending_ = false; }

  ItemList& Items() override;
  EditObserver& Events() override;
  Overlay& Marks() override { return overlay_; }
  GeometryContext Geometry() const override;
  Point ToDocument(Point canvas) const override;
  Point ToCanvasPoint(Point document) const override;
  Rect ToCanvas(Rect document) const override;
  void RedrawSelectionMarks() override;
  void RemoveSelectionMarks() override;
  void DrawSelectionMarks() override;
  void PaintPreview(const std::vector<ItemRecord*>& items) override;
  void PaintRubberBand(Rect canvas) override;
  void PaintGuide(Point a, Point b) override;
  void PaintCaret(Point a, Point b, uint32_t colour, int width) override;
  void CanvasChanged(Rect canvas) override;
  void RepaintAfterDrag() override;
  bool LiveDrag() const override;
  void ShowPanel(int32_t toolNumber) override;
  const TParams& Settings() const override;

 private:
  // The canvas tile's pixels.
  Bitmap& Pixels() const;
  // Timer3: the pending copy, then the marks.
  void DrawDeferredMarks();
  void CopyRubberBandNow();

  TSandbox& window_;
  Overlay overlay_;
  // The screen's font metrics, which the boxes of texts are measured with.
  std::unique_ptr<FontTextMetrics> textMetrics_;
  QTimer* marksTimer_ = nullptr;
  bool copyPending_ = false;
};

}  // namespace quillon
