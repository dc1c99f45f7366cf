// SPDX-License-Identifier: GPL-3.0-or-later
// Progressive rendering: after a load or a zoom the window's canvas shows the items in preview
// quality at once, and then draws them again in full quality one item per turn of the event
// loop, so that input is handled between items. Any repaint or edit makes the rest of a pass
// start afresh from the list, above the last level drawn.
#pragma once

#include <QObject>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "canvas/WindowPainter.h"
#include "document/ItemList.h"

class QTimer;

namespace quillon {

// What a pass draws into: the window's canvas tile, which items it shows, where the canvas
// changed, and what follows the end of a pass.
struct ProgressiveCanvas {
  std::function<bool()> drawable;  // false while the window closes or is not laid out
  std::function<CanvasTile()> tile;
  std::function<PaintScope()> scope;
  std::function<void(Rect)> changed;  // canvas pixels
  std::function<void()> finished;
};

class ProgressiveRendering : public QObject {
 public:
  // The pass starts startDelay milliseconds after Start, so that a burst of zooms starts one.
  ProgressiveRendering(const ItemList& items, ProgressiveCanvas canvas, int startDelay,
                       QObject* parent);

  void Start();
  void Stop();
  // Whether a pass is waiting to start or under way.
  bool Running() const;
  // The list or the canvas changed under the pass.
  void Changed() { ++generation_; }

 private:
  void Begin();
  void Step();

  const ItemList& items_;
  ProgressiveCanvas canvas_;
  QTimer* startTimer_;
  QTimer* stepTimer_;
  // The items still to draw, in stacking order, taken from the list at queueGeneration_.
  std::vector<const ItemRecord*> queue_;
  std::size_t next_ = 0;
  int32_t level_ = 0;
  uint64_t generation_ = 0;
  uint64_t queueGeneration_ = 0;
};

}  // namespace quillon
