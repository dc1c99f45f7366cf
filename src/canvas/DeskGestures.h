// SPDX-License-Identifier: GPL-3.0-or-later
// The drags that start beside the canvas: a grid line dragged by its anchor on the desk's
// strips, and a page edge dragged on a ruler. They take the pointer in the pixels of the
// widget pressed (the desk or the ruler) and work on a desk context, so they need no window.
#pragma once

#include <QPoint>
#include <QString>
#include <memory>
#include <optional>

#include "canvas/DeskStrips.h"
#include "canvas/Gesture.h"
#include "canvas/GridLines.h"
#include "canvas/Ruler.h"

namespace quillon {

class DeskContext {
 public:
  virtual ~DeskContext() = default;
  virtual ItemList& Items() = 0;
  virtual EditObserver& Events() = 0;
  virtual GeometryContext Geometry() const = 0;
  // Where the page lies on the desk, and the desk's width and height.
  virtual DeskScale Scale() const = 0;
  virtual Point DeskSize() const = 0;
  virtual DeskStrips& Strips() = 0;
  // The strips drawn again with the document's anchors.
  virtual void RepaintStrips() = 0;
  // The grid lines changed: the canvas is drawn again, the marks a moment later.
  virtual void GridChanged() = 0;
  // What the ruler along the axis's positions shows, and showing something else on it.
  virtual RulerScale RulerShown(GridAxis axis) const = 0;
  virtual void ShowOnRuler(GridAxis axis, const RulerScale& scale) = 0;
  // The floating read-out beside the pointer (the ruler's pixels), and taking it away.
  virtual void ShowReadout(GridAxis axis, QPoint pointer, const QString& text) = 0;
  virtual void HideReadout() = 0;
  // A page edge drag ended: the window lays the page out again (its title follows when the
  // page changed), the rulers and the strips with it.
  virtual void PageEdgeDropped(bool changed) = 0;
};

// An anchor's grid line dragged along its strip: its mark follows the pointer, and the release
// moves the line there with the items on it, as one undo step; a release beyond the desk puts
// it at the desk's last pixel. Esc or Cancel put the mark back and change nothing.
class GridLineDrag final : public Gesture {
 public:
  GridLineDrag(DeskContext& desk, GridAxis axis, int index);
  void Press(const PointerInput& input) override;
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  bool Finished() const override { return finished_; }
  void Escape() override;
  void Cancel() override;

 private:
  DeskContext& desk_;
  GridAxis axis_;
  int index_;
  bool finished_ = false;
};

// A page edge dragged on a ruler: the ruler shows the page's new extent while the pointer
// moves (the far edge with a read-out of the new width or height), and the release changes
// the page. Esc or Cancel give the ruler back its scale and change nothing.
class PageEdgeDrag final : public Gesture {
 public:
  PageEdgeDrag(DeskContext& desk, GridAxis axis, PageEdge edge, int32_t press);
  void Press(const PointerInput& input) override;
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  bool Finished() const override { return finished_; }
  void Escape() override;
  void Cancel() override;

 private:
  DeskContext& desk_;
  GridAxis axis_;
  PageEdge edge_;
  int32_t press_;
  RulerScale before_;
  bool finished_ = false;
};

// The gesture a press on the desk starts: the drag of the highlighted anchor's line; null when
// no anchor is highlighted.
std::unique_ptr<Gesture> GridLineDragFor(DeskContext& desk);
// The page edge within reach (5 pixels) of a ruler coordinate along the axis, the far edge
// first; none without a page or away from both edges.
std::optional<PageEdge> PageEdgeNear(DeskContext& desk, GridAxis axis, int32_t along);
// The gesture a press on the ruler along the axis starts: the drag of the page edge near the
// press; null away from the edges.
std::unique_ptr<Gesture> PageEdgeDragFor(DeskContext& desk, GridAxis axis, Point at);
// A Shift-click on a strip adds a grid line at the click as one undo step; whether it did.
bool AddGridLineAt(DeskContext& desk, Point view);

}  // namespace quillon
