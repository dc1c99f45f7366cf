// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window as its gestures see it: the document's items and announcements, the
// overlay over the canvas tile with the selection's handle marks, the geometry of the tile
// and its repaints.
#pragma once

#include <memory>

#include "canvas/Gesture.h"
#include "canvas/Overlay.h"
#include "canvas/WindowPainter.h"

namespace quillon {

class FontTextMetrics;
class TSandbox;

class SandboxCanvas final : public CanvasContext {
 public:
  explicit SandboxCanvas(TSandbox& window);
  ~SandboxCanvas() override;

  // The canvas tile as the window now shows the page: zoom, origin and display options.
  CanvasTile Tile() const;

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

  TSandbox& window_;
  Overlay overlay_;
  // The screen's font metrics, which the boxes of texts are measured with.
  std::unique_ptr<FontTextMetrics> textMetrics_;
};

}  // namespace quillon
