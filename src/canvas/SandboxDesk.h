// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's desk parts: the anchor strips beside the rulers, the read-out beside a
// dragged page edge, and the drag a press on the desk or on a ruler started. The desk's and
// the rulers' pointer events arrive here in their own pixels.
#pragma once

#include <QPoint>
#include <memory>

#include "canvas/DeskGestures.h"
#include "canvas/TSandbox.h"

class QLabel;
class QMouseEvent;

namespace quillon {

class TSandbox::Desk final : public DeskContext {
 public:
  // Takes the pointer events of the desk and the rulers.
  explicit Desk(TSandbox& window);
  // The desk and the rulers outlive the desk parts (they go with the window's widgets): their
  // events stop reaching here.
  ~Desk() override;

  void DeskPress(QMouseEvent* event);
  void DeskMove(QMouseEvent* event);
  void DeskRelease(QMouseEvent* event);
  void DeskLeft();
  void RulerPress(Ruler* ruler, GridAxis axis, QMouseEvent* event);
  void RulerMove(Ruler* ruler, GridAxis axis, QMouseEvent* event);
  void RulerRelease(Ruler* ruler, QMouseEvent* event);
  // The Delete key on a highlighted anchor deletes its grid line; whether there was one.
  bool DeleteHighlighted();

  // DeskContext.
  ItemList& Items() override { return window_.items_; }
  EditObserver& Events() override { return window_.events_; }
  GeometryContext Geometry() const override;
  DeskScale Scale() const override;
  Point DeskSize() const override;
  DeskStrips& Strips() override { return strips_; }
  void RepaintStrips() override;
  void GridChanged() override { window_.FullRepaint(true); }
  RulerScale RulerShown(GridAxis axis) const override;
  void ShowOnRuler(GridAxis axis, const RulerScale& scale) override;
  void ShowReadout(GridAxis axis, QPoint pointer, const QString& text) override;
  void HideReadout() override;
  void PageEdgeDropped(bool changed) override;

 private:
  bool Ready() const { return window_.ready_ && !window_.closing_; }
  Ruler* RulerAlong(GridAxis axis) const;
  // Starts a drag made for a press on the widget, after whatever the canvas was doing ends.
  void Start(std::unique_ptr<Gesture> drag, const QWidget* from, const PointerInput& press);
  // Whether a drag pressed on this widget runs.
  bool Dragging(const QWidget* from) const { return drag_ != nullptr && from_ == from; }
  // Hands the release to the drag and drops it.
  void Release(const PointerInput& input);

  TSandbox& window_;
  DeskStrips strips_;
  QLabel* readout_ = nullptr;
  std::unique_ptr<Gesture> drag_;
  const QWidget* from_ = nullptr;
};

}  // namespace quillon
