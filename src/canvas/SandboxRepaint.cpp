// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's repaint pipeline: full and region repaints, the zoom change,
// progressive rendering and the selection marks drawn over saved pixels.
#include <unordered_map>

#include <QPainter>
#include <QTimer>

#include "canvas/BitmapView.h"
#include "canvas/Ruler.h"
#include "canvas/TSandbox.h"
#include "document/PageSetup.h"
#include "render/Handles.h"

namespace quillon {
namespace {

// The look of selection handles.
constexpr uint32_t kHandlePenColour = 8421504;
constexpr uint32_t kHandleColour = 65535;
constexpr uint32_t kGroupHandleColour = 255;
constexpr uint32_t kRotationDotColour = 65280;
constexpr uint32_t kRotationLineBackground = 16777215;
constexpr int32_t kRotationLineCode = 6;
constexpr int32_t kKeptSaveUnder = -999;

Rect Exclusive(const BoundingBox& box, int grow) {
  return {box.left, box.top, box.right + 1 + grow, box.bottom + 1 + grow};
}

// Copies the canvas pixels under area into a new save-under entry of the item.
void SaveBeneath(ItemRecord& item, const Bitmap& canvas, Rect area, int32_t code) {
  area = Intersected(area, {0, 0, canvas.width(), canvas.height()});
  if (IsEmpty(area)) return;
  SaveUnder& entry = NewSaveUnder(item);
  entry.key = code;
  entry.source = area;
  entry.bitmapRect = {0, 0, area.right - area.left, area.bottom - area.top};
  const std::size_t rowBytes = 3 * static_cast<std::size_t>(area.right - area.left);
  entry.stream = std::make_shared<std::vector<uint8_t>>(rowBytes * (area.bottom - area.top));
  for (int y = area.top; y < area.bottom; ++y) {
    std::copy_n(canvas.Row(y) + 3 * area.left, rowBytes,
                entry.stream->data() + rowBytes * (y - area.top));
  }
}

void PutBack(const SaveUnder& entry, Bitmap& canvas) {
  if (!entry.stream || IsEmpty(entry.source)) return;
  const Rect& area = entry.source;
  if (area.right > canvas.width() || area.bottom > canvas.height()) return;
  const std::size_t rowBytes = 3 * static_cast<std::size_t>(area.right - area.left);
  if (entry.stream->size() < rowBytes * (area.bottom - area.top)) return;
  for (int y = area.top; y < area.bottom; ++y) {
    std::copy_n(entry.stream->data() + rowBytes * (y - area.top), rowBytes,
                canvas.Row(y) + 3 * area.left);
  }
}

}  // namespace

const Bitmap& TSandbox::Canvas() const {
  return image1_->bitmap();
}

CanvasTile TSandbox::Tile() {
  CanvasTile tile;
  tile.bitmap = &image1_->bitmap();
  tile.zoom = GetZoom();
  tile.origin = tileOrigin_;
  tile.display = display_;
  tile.busyLoading = busyLoading_;
  return tile;
}

PaintScope TSandbox::CanvasScope() const {
  // Pasted copies following the pointer are drawn over the canvas, not into it.
  return Mode() == kModePaste && LiveDrag() ? PaintScope::ExceptSelected
                                                                  : PaintScope::All;
}

void TSandbox::FullRepaint(bool deferMarks) {
  if (closing_ || notReady_) return;
  ++generation_;
  // A full-quality repaint makes the rest of a progressive pass needless.
  if (!busyLoading_) StopProgressive();
  const CanvasTile tile = Tile();
  if (tile.bitmap->empty()) return;
  PaintWindow(tile, items_, tile.WholeTile(), CanvasScope());
  // The saved pixels under temporary marks no longer match the canvas.
  overlay_.InvalidateAll();
  deferredAction_ = 0;
  for (ItemRecord& record : items_) {
    if (record.recordClass() == kClassContent) FreeSaveUnders(record, true);
  }
  image1_->update();
  RepaintAnchorStrips();
  // While loading or zooming the marks wait for the end of progressive rendering.
  if (deferMarks && !busyLoading_) timer3_->start();
}

void TSandbox::RegionRepaint(Rect area) {
  if (closing_ || notReady_) return;
  ++generation_;
  const CanvasTile tile = Tile();
  if (tile.bitmap->empty()) return;
  const Rect painted =
      PaintWindow(tile, items_, GrowRepaintRect(tile, items_, area), CanvasScope());
  const Rect canvas = tile.CanvasRect(painted);
  image1_->update(canvas.left, canvas.top, canvas.right - canvas.left, canvas.bottom - canvas.top);
}

void TSandbox::ZoomChanged() {
  ItemRecord* page = items_.PageRecord();
  if (page == nullptr || closing_) return;
  RemoveSelectionMarks();
  HidePositionMarkers();
  page->setZoom(host_.Params().zoom);
  UpdatePageRect(*page);
  FreePictureCaches(items_);
  busyLoading_ = true;
  if (!Layout()) FullRepaint(false);
  busyLoading_ = false;
  timer7_->start();
}

void TSandbox::Timer3Timer() {
  if (closing_ || notReady_) return;
  if (deferredAction_ == 1) CopyRubberBandNow();
  DrawSelectionMarks();
}

void TSandbox::Timer7Timer() {
  if (closing_ || notReady_) return;
  progressiveQueue_ = DrawingOrder(items_);
  progressiveNext_ = 0;
  progressiveLevel_ = 0;
  progressiveGeneration_ = generation_;
  progressiveTimer_->start();
}

void TSandbox::ProgressiveStep() {
  if (closing_ || notReady_) {
    StopProgressive();
    return;
  }
  if (progressiveGeneration_ != generation_) {
    // The list changed since the pass began: continue above the last level drawn.
    progressiveQueue_ = DrawingOrder(items_);
    progressiveQueue_.erase(
        progressiveQueue_.begin(),
        std::upper_bound(
            progressiveQueue_.begin(), progressiveQueue_.end(), progressiveLevel_,
            [](int32_t level, const ItemRecord* r) { return level < r->stackLevel(); }));
    progressiveNext_ = 0;
    progressiveGeneration_ = generation_;
  }
  while (progressiveNext_ < progressiveQueue_.size()) {
    const ItemRecord& item = *progressiveQueue_[progressiveNext_++];
    progressiveLevel_ = item.stackLevel();
    if (item.setAside() != 0) continue;
    const CanvasTile tile = Tile();
    Rect reach = ItemReachRect(item, items_);
    if (item.kind() == kKindPicture && item.rotation() != 0) {
      // The outline a turned picture shows while loading reaches past the picture itself: its
      // area is drawn afresh up to this item instead of drawn over.
      reach = PaintWindow(tile, items_, GrowRepaintRect(tile, items_, reach), CanvasScope(),
                          item.stackLevel());
    } else {
      PaintItem(tile, item, items_, false);
    }
    const Rect r = tile.CanvasRect(reach);
    if (!IsEmpty(r)) image1_->update(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (progressiveNext_ < progressiveQueue_.size()) return;
  }
  StopProgressive();
  timer3_->start();
}

void TSandbox::StopProgressive() {
  if (progressiveTimer_ != nullptr) progressiveTimer_->stop();
  if (timer7_ != nullptr) timer7_->stop();
  progressiveQueue_.clear();
  progressiveNext_ = 0;
}

bool TSandbox::RenderingProgressively() const {
  return timer7_->isActive() || progressiveTimer_->isActive();
}

void TSandbox::DrawSelectionMarks() {
  // Group frames go last, so that their marks lie on top.
  std::vector<ItemRecord*> selected = SelectedRecords(items_);
  std::stable_partition(selected.begin(), selected.end(),
                        [](const ItemRecord* r) { return r->kind() != kKindGroupFrame; });
  for (ItemRecord* item : selected)
    ShowHandles(*item, selected.size() == 1);
}

void TSandbox::RemoveSelectionMarks() {
  // Latest marks first: a mark drawn over an earlier one saved that one's pixels.
  if (items_.Generation() == markedGeneration_) {
    for (auto it = marked_.rbegin(); it != marked_.rend(); ++it)
      HideHandles(*it->first);
  } else {
    // Records were freed since: the marked ones still present are found by their ordinals.
    std::unordered_map<uint64_t, ItemRecord*> present;
    for (ItemRecord& item : items_) {
      if (!item.saveUnders.empty() && item.recordClass() == kClassContent) {
        present.emplace(item.ordinal(), &item);
      }
    }
    for (auto it = marked_.rbegin(); it != marked_.rend(); ++it) {
      if (auto found = present.find(it->second); found != present.end())
        HideHandles(*found->second);
    }
    for (auto& [ordinal, item] : present)
      HideHandles(*item);
  }
  marked_.clear();
  markedGeneration_ = items_.Generation();
}

void TSandbox::ShowHandles(ItemRecord& item, bool oneSelected) {
  HideHandles(item);
  Bitmap& canvas = image1_->bitmap();
  if (canvas.empty()) return;
  GeometryContext context;
  context.screen = items_.screen();
  context.zoom = GetZoom();
  std::vector<Handle> handles;
  HandleLayout(item, oneSelected, tileOrigin_, context, handles);
  if (handles.empty()) return;
  // Everything under the marks is saved before anything is drawn.
  for (const Handle& h : handles) {
    SaveBeneath(item, canvas, Exclusive(HandleRect(h.position, context.handle), 1), h.code);
    if (h.rotationDot) {
      const Rect span{
          std::min(h.position.x, h.lineFrom.x) - 2, std::min(h.position.y, h.lineFrom.y) - 2,
          std::max(h.position.x, h.lineFrom.x) + 3, std::max(h.position.y, h.lineFrom.y) + 3};
      SaveBeneath(item, canvas, span, kRotationLineCode);
    }
  }
  QImage image = canvas.Image();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const Handle& h : handles) {
    if (!h.rotationDot) continue;
    QPen line(ToQColor(kHandlePenColour), 1, Qt::DotLine);
    painter.setPen(line);
    painter.setBackground(ToQColor(kRotationLineBackground));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.drawLine(h.lineFrom.x, h.lineFrom.y, h.position.x, h.position.y);
    painter.setBackgroundMode(Qt::TransparentMode);
    const BoundingBox box = HandleRect(h.position, context.handle);
    painter.setPen(ToQColor(kHandlePenColour));
    painter.setBrush(ToQColor(kRotationDotColour));
    painter.drawEllipse(box.left, box.top, box.right - box.left, box.bottom - box.top);
  }
  for (const Handle& h : handles) {
    if (h.rotationDot) continue;
    const BoundingBox box = HandleRect(h.position, context.handle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(h.groupColour ? kGroupHandleColour : kHandleColour));
    painter.drawRect(box.left + 1, box.top + 1, box.right - box.left - 1, box.bottom - box.top - 1);
    painter.setPen(ToQColor(kHandlePenColour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.left, box.top, box.right - box.left, box.bottom - box.top);
  }
  painter.end();
  for (const SaveUnder& entry : item.saveUnders) {
    const Rect& r = entry.source;
    image1_->update(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  // Every mark is listed here, so an empty list means none is drawn anywhere.
  if (marked_.empty()) markedGeneration_ = items_.Generation();
  marked_.emplace_back(&item, item.ordinal());
}

void TSandbox::HideHandles(ItemRecord& item) {
  Bitmap& canvas = image1_->bitmap();
  auto& entries = item.saveUnders;
  for (const SaveUnder& entry : entries) {
    if (entry.key == kKeptSaveUnder) continue;
    PutBack(entry, canvas);
    const Rect& r = entry.source;
    image1_->update(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  std::erase_if(entries, [](const SaveUnder& e) { return e.key != kKeptSaveUnder; });
}

}  // namespace quillon
