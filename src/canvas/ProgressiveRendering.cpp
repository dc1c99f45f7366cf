// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/ProgressiveRendering.h"

#include <QTimer>
#include <algorithm>

#include "platform/Timers.h"

namespace quillon {

ProgressiveRendering::ProgressiveRendering(const ItemList& items, ProgressiveCanvas canvas,
                                           int startDelay, QObject* parent)
    : QObject(parent),
      items_(items),
      canvas_(std::move(canvas)),
      startTimer_(OneShot(this, "ProgressiveStart", startDelay)),
      stepTimer_(new QTimer(this)) {
  setObjectName(QStringLiteral("ProgressiveRendering"));
  connect(startTimer_, &QTimer::timeout, this, &ProgressiveRendering::Begin);
  // One item per turn of the event loop.
  stepTimer_->setInterval(0);
  connect(stepTimer_, &QTimer::timeout, this, &ProgressiveRendering::Step);
}

void ProgressiveRendering::Start() {
  startTimer_->start();
}

void ProgressiveRendering::Stop() {
  stepTimer_->stop();
  startTimer_->stop();
  queue_.clear();
  next_ = 0;
}

bool ProgressiveRendering::Running() const {
  return startTimer_->isActive() || stepTimer_->isActive();
}

void ProgressiveRendering::Begin() {
  if (!canvas_.drawable()) return;
  queue_ = DrawingOrder(items_);
  next_ = 0;
  level_ = 0;
  queueGeneration_ = generation_;
  stepTimer_->start();
}

void ProgressiveRendering::Step() {
  if (!canvas_.drawable()) {
    Stop();
    return;
  }
  if (queueGeneration_ != generation_) {
    // The list changed since the pass began: continue above the last level drawn.
    queue_ = DrawingOrder(items_);
    queue_.erase(queue_.begin(), std::upper_bound(queue_.begin(), queue_.end(), level_,
                                                  [](int32_t level, const ItemRecord* r) {
                                                    return level < r->stackLevel();
                                                  }));
    next_ = 0;
    queueGeneration_ = generation_;
  }
  while (next_ < queue_.size()) {
    const ItemRecord& item = *queue_[next_++];
    level_ = item.stackLevel();
    if (item.setAside() != 0) continue;
    const CanvasTile tile = canvas_.tile();
    Rect reach = ItemReachRect(item, items_);
    if (item.kind() == kKindPicture && item.rotation() != 0) {
      // The outline a turned picture shows while loading reaches past the picture itself: its
      // area is drawn afresh up to this item instead of drawn over.
      reach = PaintWindow(tile, items_, GrowRepaintRect(tile, items_, reach), canvas_.scope(),
                          item.stackLevel());
    } else {
      PaintItem(tile, item, items_, false);
    }
    const Rect r = tile.CanvasRect(reach);
    if (!IsEmpty(r)) canvas_.changed(r);
    if (next_ < queue_.size()) return;
  }
  Stop();
  canvas_.finished();
}

}  // namespace quillon
