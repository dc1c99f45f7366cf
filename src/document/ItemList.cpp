// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ItemList.h"

#include <algorithm>
#include <limits>
#include <map>
#include <unordered_set>
#include <utility>

#include "document/PageSetup.h"

namespace quillon {
namespace {

constexpr int kOffsetRecordClass = 0;
constexpr int kOffsetKind = 4;
constexpr int kOffsetSelected = 64;
constexpr int kOffsetSavedSelection = 67;
constexpr int kOffsetStackLevel = 68;
constexpr int kOffsetHistoryState = 229;
constexpr int kOffsetItemId = 237;
constexpr int kOffsetTransaction = 241;
constexpr int kOffsetGroupNumber = 393;

int32_t OneMore(bool any, int32_t max) {
  if (!any) return 1;
  return max == std::numeric_limits<int32_t>::max() ? max : max + 1;
}

}  // namespace

ItemList::ItemList(ScreenMetrics screen) : screen_(screen) {}

ItemList::~ItemList() {
  Clear();
}

ItemRecord& ItemList::Append(std::unique_ptr<ItemRecord> owned) {
  ItemRecord* record = owned.release();
  record->prev_ = last_;
  record->next_ = nullptr;
  Adopt(*record);
  if (last_ != nullptr) {
    last_->next_ = record;
  } else {
    first_ = record;
  }
  last_ = record;
  ++size_;
  Raise(*record);
  if (pageValid_ && page_ == nullptr && record->kind() == kKindPageSetup) page_ = record;
  return *record;
}

void ItemList::Remove(ItemRecord& record) {
  (record.prev_ != nullptr ? record.prev_->next_ : first_) = record.next_;
  (record.next_ != nullptr ? record.next_->prev_ : last_) = record.prev_;
  --size_;
  ++generation_;
  Untrack(record);
  if (aggregates_.valid && record.recordClass() == kClassContent) {
    const Aggregates& a = aggregates_;
    Count(record.historyState(), -1);
    const bool heldMaximum =
        record.itemId() == a.maxItemId || record.transaction() == a.maxTransaction ||
        record.groupNumber() == a.maxGroupNumber || record.stackLevel() == a.maxLevel;
    if (heldMaximum) aggregates_.valid = false;
  }
  if (&record == page_) pageValid_ = false;
  delete &record;
}

void ItemList::Clear() {
  ItemRecord* record = first_;
  while (record != nullptr) {
    ItemRecord* next = record->next_;
    delete record;
    record = next;
  }
  first_ = last_ = nullptr;
  ++generation_;
  size_ = 0;
  for (auto& index : flagged_)
    index.clear();
  stamped_.clear();
  aggregates_ = Aggregates{};
  pageValid_ = true;
  page_ = nullptr;
}

void ItemList::TakeFrom(ItemList& other) {
  if (&other == this) return;
  Clear();
  first_ = std::exchange(other.first_, nullptr);
  last_ = std::exchange(other.last_, nullptr);
  size_ = std::exchange(other.size_, 0);
  for (ItemRecord& record : *this)
    Adopt(record);
  for (auto& index : other.flagged_)
    index.clear();
  ++generation_;
  aggregates_.valid = false;
  pageValid_ = false;
  other.Clear();
}

void ItemList::AppendAllFrom(ItemList& other) {
  if (&other == this || other.first_ == nullptr) return;
  for (ItemRecord& record : other)
    Adopt(record);
  for (auto& index : other.flagged_)
    index.clear();
  ++generation_;
  other.first_->prev_ = last_;
  (last_ != nullptr ? last_->next_ : first_) = other.first_;
  last_ = std::exchange(other.last_, nullptr);
  other.first_ = nullptr;
  size_ += std::exchange(other.size_, 0);
  aggregates_.valid = false;
  pageValid_ = false;
  other.Clear();
}

void ItemList::Adopt(ItemRecord& record) {
  record.owner_ = this;
  record.ordinal_ = nextOrdinal_++;
  Track(record);
  for (int32_t stamp : record.selectionStamps)
    NoteStamp(record, stamp);
}

void ItemList::Track(ItemRecord& record) {
  const bool flags[2] = {record.selected() != 0, record.savedSelection() != 0};
  for (int i = 0; i < 2; ++i) {
    if (flags[i]) {
      flagged_[i][record.ordinal_] = &record;
    } else if (!flagged_[i].empty()) {
      flagged_[i].erase(record.ordinal_);
    }
  }
}

void ItemList::Untrack(const ItemRecord& record) {
  for (auto& index : flagged_)
    index.erase(record.ordinal_);
  ForgetStamps(record);
}

void ItemList::NoteStamp(ItemRecord& record, int32_t stamp) {
  stamped_[stamp].insert(&record);
}

void ItemList::ForgetStamps(const ItemRecord& record) {
  for (int32_t stamp : record.selectionStamps) {
    auto found = stamped_.find(stamp);
    if (found == stamped_.end()) continue;
    found->second.erase(const_cast<ItemRecord*>(&record));
    if (found->second.empty()) stamped_.erase(found);
  }
}

const std::unordered_set<ItemRecord*>* ItemList::StampCarriers(int32_t stamp) const {
  auto found = stamped_.find(stamp);
  return found != stamped_.end() ? &found->second : nullptr;
}

std::vector<ItemRecord*> ItemList::Flagged(Flag flag) const {
  const auto& index = flagged_[static_cast<int>(flag)];
  std::vector<ItemRecord*> records;
  records.reserve(index.size());
  for (const auto& entry : index)
    records.push_back(entry.second);
  return records;
}

void ItemList::Raise(const ItemRecord& r) const {
  if (!aggregates_.valid || r.recordClass() != kClassContent) return;
  auto& a = aggregates_;
  Count(r.historyState(), +1);
  if (!a.any) {
    a.any = true;
    a.maxItemId = r.itemId();
    a.maxTransaction = r.transaction();
    a.maxGroupNumber = r.groupNumber();
    a.maxLevel = r.stackLevel();
    return;
  }
  a.maxItemId = std::max(a.maxItemId, r.itemId());
  a.maxTransaction = std::max(a.maxTransaction, r.transaction());
  a.maxGroupNumber = std::max(a.maxGroupNumber, r.groupNumber());
  a.maxLevel = std::max(a.maxLevel, r.stackLevel());
}

void ItemList::Count(int32_t historyState, int64_t by) const {
  if (historyState == 1) aggregates_.done += by;
  if (historyState == 2) aggregates_.undone += by;
}

void ItemList::EnsureAggregates() const {
  if (aggregates_.valid) return;
  aggregates_ = Aggregates{};
  for (const ItemRecord& record : *this)
    Raise(record);
}

void ItemList::FieldChanged(ItemRecord& record, int offset, int32_t oldValue, int32_t newValue) {
  if (offset == kOffsetSelected || offset == kOffsetSavedSelection) {
    if ((oldValue != 0) != (newValue != 0)) Track(record);
    return;
  }
  if (offset == kOffsetKind) {
    if (oldValue == kKindPageSetup || newValue == kKindPageSetup) pageValid_ = false;
    return;
  }
  if (offset == kOffsetRecordClass) {
    aggregates_.valid = false;
    return;
  }
  if (!aggregates_.valid || record.recordClass() != kClassContent) return;
  if (offset == kOffsetHistoryState) {
    Count(oldValue, -1);
    Count(newValue, +1);
    return;
  }
  int32_t* max = offset == kOffsetItemId        ? &aggregates_.maxItemId
                 : offset == kOffsetTransaction ? &aggregates_.maxTransaction
                 : offset == kOffsetGroupNumber ? &aggregates_.maxGroupNumber
                 : offset == kOffsetStackLevel  ? &aggregates_.maxLevel
                                                : nullptr;
  if (max == nullptr) return;
  if (newValue > *max) {
    *max = newValue;
  } else if (oldValue == *max && newValue < oldValue) {
    aggregates_.valid = false;  // the record that held the maximum gave it up
  }
}

void ItemList::RecordReplaced(ItemRecord& record) {
  Track(record);
  aggregates_.valid = false;
  pageValid_ = false;
}

int32_t ItemList::NextItemId() const {
  EnsureAggregates();
  return OneMore(aggregates_.any, aggregates_.maxItemId);
}
int32_t ItemList::NextTransaction() const {
  EnsureAggregates();
  return OneMore(aggregates_.any, aggregates_.maxTransaction);
}
int32_t ItemList::NextGroupNumber() const {
  EnsureAggregates();
  return OneMore(aggregates_.any, aggregates_.maxGroupNumber);
}
int64_t ItemList::DoneCount() const {
  EnsureAggregates();
  return aggregates_.done;
}
int64_t ItemList::UndoneCount() const {
  EnsureAggregates();
  return aggregates_.undone;
}
int32_t ItemList::MaxLevel() const {
  EnsureAggregates();
  return aggregates_.any ? aggregates_.maxLevel : 0;
}

ItemRecord* ItemList::PageRecord() const {
  if (!pageValid_) {
    page_ = nullptr;
    for (ItemRecord& record : *this) {
      if (record.kind() == kKindPageSetup) {
        page_ = &record;
        break;
      }
    }
    pageValid_ = true;
  }
  return page_;
}

ItemRecord& NewRecord(ItemList& list, int32_t kind) {
  auto record = std::make_unique<ItemRecord>();
  record->setPersisted(ItemRecord::DefaultBytes());
  record->setKind(kind);
  record->setItemId(list.NextItemId());
  record->setHistoryState(1);
  ItemRecord& appended = list.Append(std::move(record));
  if (kind != kKindPageSetup) SetModified(list, true);
  return appended;
}

namespace {

// Persisted byte spans that a copy takes from its source; the real coordinates are derived
// afterwards, and the history fields, auxColor, rotationAtDragStart and the trailing reserved
// bytes keep their defaults.
struct Span {
  int offset;
  int length;
};
constexpr Span kCopiedSpans[] = {
    {0, 16},     // recordClass, kind, reserved, documentId
    {16, 44},    // x1 .. diagonal
    {60, 4},     // magic
    {64, 8},     // the four flags, stackLevel
    {104, 12},   // angle, payloadLength
    {120, 109},  // lineColor .. direction: text fields, fontName, reserved 189/193, line style
    {249, 36},   // sides, refX1 .. refY2, reserved 269, shapeStyle, curveFactor
    {285, 48},   // clipShape .. rotation
    {341, 72},   // saturation .. reserved after groupNumber, extraLengthA, extraLengthB
    {413, 5},    // frame, shadow bytes, surface
};

}  // namespace

ItemRecord& CopyRecord(ItemList& list, ItemRecord& source) {
  ItemRecord& copy = NewRecord(list, source.kind());
  ItemRecord::Bytes bytes = copy.persisted();
  for (const Span& span : kCopiedSpans) {
    std::copy_n(source.persisted().begin() + span.offset, span.length, bytes.begin() + span.offset);
  }
  copy.setPersisted(bytes);
  RealFromPixels(copy, list.screen());
  SetText(copy, source.text());
  for (int32_t stamp : source.selectionStamps)
    AddStamp(copy, stamp);
  copy.points = source.points;
  copy.pictureData = source.pictureData;
  copy.renderCache = std::move(source.renderCache);
  return copy;
}

void RemoveRecord(ItemList& list, ItemRecord& record) {
  list.Remove(record);
}

void FreeList(ItemList& list) {
  list.Clear();
}

void FreePictureCaches(ItemList& list) {
  for (ItemRecord& record : list) {
    if (record.kind() == kKindPicture) record.renderCache.reset();
  }
}

bool IsVisible(const ItemRecord& r) {
  return r.recordClass() == kClassContent && r.setAside() == 0 && r.hidden() == 0;
}

bool IsSelected(const ItemRecord& r) {
  // Most records are not selected: their one byte answers before the three of visibility.
  return r.selected() != 0 && IsVisible(r);
}

ItemRecord* FindByKind(const ItemList& list, int32_t kind) {
  if (kind == kKindPageSetup) return list.PageRecord();
  for (ItemRecord& r : list) {
    if (r.kind() == kind) return &r;
  }
  return nullptr;
}

ItemRecord* FindVisibleByKind(const ItemList& list, int32_t kind) {
  for (ItemRecord& r : list) {
    if (r.kind() == kind && r.hidden() == 0) return &r;
  }
  return nullptr;
}

ItemRecord* FindById(const ItemList& list, int32_t id) {
  for (ItemRecord& r : list) {
    if (r.recordClass() == kClassContent && r.itemId() == id) return &r;
  }
  return nullptr;
}

ItemRecord* FindByLevel(const ItemList& list, int32_t level) {
  for (ItemRecord& r : list) {
    if (r.recordClass() == kClassContent && r.hidden() == 0 && r.stackLevel() == level) return &r;
  }
  return nullptr;
}

ItemRecord* FindSource(const ItemList& list, int32_t number) {
  for (ItemRecord& r : list) {
    if (r.kind() == kKindPictureSource && r.sourceNumber() == number) return &r;
  }
  return nullptr;
}

bool HasSource(const ItemList& list, const ItemRecord& source) {
  return FindSource(list, source.sourceNumber()) != nullptr;
}

int CountPicturesUsing(const ItemList& list, int32_t number) {
  int count = 0;
  for (const ItemRecord& r : list) {
    if (r.recordClass() == kClassContent && r.sourceNumber() == number) ++count;
  }
  return count;
}

bool SourceInUse(const ItemList& list, int32_t number) {
  for (const ItemRecord& r : list) {
    if (r.kind() == kKindPicture && r.hidden() == 0 && r.sourceNumber() == number) return true;
  }
  return false;
}

int32_t MaxLevel(const ItemList& list) {
  return list.MaxLevel();
}
int32_t NextItemId(const ItemList& list) {
  return list.NextItemId();
}
int32_t NextTransaction(const ItemList& list) {
  return list.NextTransaction();
}
int32_t NextGroupNumber(const ItemList& list) {
  return list.NextGroupNumber();
}

ItemRecord* NewestRecord(const ItemList& list) {
  ItemRecord* newest = nullptr;
  for (ItemRecord& r : list) {
    if (newest == nullptr || r.itemId() > newest->itemId()) newest = &r;
  }
  return newest;
}

ItemRecord* DiscardNewest(ItemList& list) {
  ItemRecord* newest = NewestRecord(list);
  if (newest == nullptr) return nullptr;
  newest->setItemId(-1);
  newest->setHidden(255);
  newest->renderCache.reset();
  ItemRecord* remaining = nullptr;
  for (ItemRecord& r : list) {
    if (&r != newest && (remaining == nullptr || r.itemId() > remaining->itemId())) remaining = &r;
  }
  return remaining;
}

std::vector<ItemRecord*> SelectedRecords(const ItemList& list) {
  std::vector<ItemRecord*> records = list.Flagged(ItemList::Flag::kSelected);
  std::erase_if(records, [](const ItemRecord* r) { return !IsVisible(*r); });
  return records;
}

void SelectOnly(ItemList& list, ItemRecord* record) {
  // Only records that are selected are written: a large document stays clean in memory.
  for (ItemRecord* r : list.Flagged(ItemList::Flag::kSelected))
    r->setSelected(0);
  if (record != nullptr) record->setSelected(255);
}

void SelectLastItem(ItemList& list) {
  ItemRecord* r = list.last();
  while (r != nullptr && r->recordClass() != kClassContent)
    r = r->prev();
  if (r != nullptr && r->setAside() == 0 && r->hidden() == 0) SelectOnly(list, r);
}

ItemRecord* FirstSelected(const ItemList& list) {
  const std::vector<ItemRecord*> selected = SelectedRecords(list);
  return selected.empty() ? nullptr : selected.front();
}

ItemRecord* SoleSelected(const ItemList& list) {
  const std::vector<ItemRecord*> selected = SelectedRecords(list);
  return selected.size() == 1 ? selected.front() : nullptr;
}

int CountSelected(ItemList& list, bool oneForGroup) {
  int count = 0;
  std::unordered_set<int32_t> groupsSeen;
  for (const ItemRecord* r : SelectedRecords(list)) {
    if (oneForGroup && r->groupNumber() > 0) {
      if (groupsSeen.insert(r->groupNumber()).second) ++count;
    } else {
      ++count;
    }
  }
  // The count uses the saved-selection byte as its scratch mark and leaves it cleared.
  if (oneForGroup) {
    for (ItemRecord* r : list.Flagged(ItemList::Flag::kSavedSelection))
      r->setSavedSelection(0);
  }
  return count;
}

bool AnySelectedGrouped(const ItemList& list) {
  for (const ItemRecord* r : SelectedRecords(list)) {
    if (r->groupNumber() > 0) return true;
  }
  return false;
}

bool AllSelectedGrouped(const ItemList& list) {
  for (const ItemRecord* r : SelectedRecords(list)) {
    if (r->groupNumber() == 0) return false;
  }
  return true;
}

int CountSelectedFrames(const ItemList& list) {
  int count = 0;
  for (const ItemRecord* r : SelectedRecords(list)) {
    if (r->kind() == kKindGroupFrame) ++count;
  }
  return count;
}

ItemRecord* LastSelectedFrame(const ItemList& list) {
  ItemRecord* frame = nullptr;
  for (ItemRecord* r : SelectedRecords(list)) {
    if (r->kind() == kKindGroupFrame) frame = r;
  }
  return frame;
}

void SaveSelection(ItemList& list) {
  for (ItemRecord* r : list.Flagged(ItemList::Flag::kSavedSelection))
    r->setSavedSelection(0);
  for (ItemRecord* r : SelectedRecords(list))
    r->setSavedSelection(255);
}

void RestoreSelection(ItemList& list) {
  for (ItemRecord* r : list.Flagged(ItemList::Flag::kSelected))
    r->setSelected(0);
  for (ItemRecord* r : list.Flagged(ItemList::Flag::kSavedSelection))
    r->setSelected(255);
}

bool SelectedKindsAgree(const ItemList& list) {
  const ItemRecord* model = nullptr;
  bool any = false;
  for (const ItemRecord* r : SelectedRecords(list)) {
    any = true;
    if (r->kind() == kKindGroupFrame) continue;
    if (model == nullptr) {
      model = r;
      continue;
    }
    if (r->kind() != model->kind()) return false;
    const bool styled = r->kind() == kKindSpline || r->kind() == kKindCurve;
    if (styled && (r->shapeStyle() == 0) != (model->shapeStyle() == 0)) return false;
  }
  return any;
}

void SendToBack(ItemList& list, ItemRecord& record) {
  if (list.empty()) return;
  const int32_t level = record.stackLevel();
  for (ItemRecord& r : list) {
    if (&r != &record && IsVisible(r) && r.stackLevel() >= 1 && r.stackLevel() < level) {
      r.setStackLevel(r.stackLevel() + 1);
    }
  }
  record.setStackLevel(1);
}

void BringToFront(ItemList& list, ItemRecord& record) {
  if (list.empty()) return;
  const int32_t level = record.stackLevel();
  const int32_t top = MaxLevel(list);
  for (ItemRecord& r : list) {
    if (&r != &record && IsVisible(r) && r.stackLevel() > level && r.stackLevel() <= top) {
      r.setStackLevel(r.stackLevel() - 1);
    }
  }
  record.setStackLevel(top);
}

Point GroupCentre(const ItemList& list, int32_t number) {
  int64_t sumX = 0, sumY = 0, n = 0;
  for (const ItemRecord& r : list) {
    if (IsSelected(r) && r.groupNumber() == number && r.kind() != kKindGroupFrame) {
      sumX += int64_t{r.x1()} + r.x2();
      sumY += int64_t{r.y1()} + r.y2();
      n += 2;
    }
  }
  if (n == 0) return {};
  return {RoundToInt32(static_cast<double>(sumX) / n), RoundToInt32(static_cast<double>(sumY) / n)};
}

bool GroupNumberUsed(const ItemList& list, int32_t number) {
  for (const ItemRecord& r : list) {
    if (r.recordClass() == kClassContent && r.groupNumber() == number) return true;
  }
  return false;
}

void RenumberGroup(ItemList& list, int32_t from, int32_t to) {
  for (ItemRecord& r : list) {
    if (r.recordClass() == kClassContent && r.groupNumber() == from) r.setGroupNumber(to);
  }
}

void CompactGroupNumbers(ItemList& list) {
  std::map<int32_t, int> used;  // group number -> records using it
  for (const ItemRecord& r : list) {
    if (r.recordClass() == kClassContent && r.groupNumber() > 0) ++used[r.groupNumber()];
  }
  // Move the highest number to the smallest free one until no gap is left below it.
  while (!used.empty()) {
    const int32_t highest = used.rbegin()->first;
    if (highest <= 1) break;
    int32_t gap = 1;
    for (const auto& [number, count] : used) {
      if (number > gap) break;
      if (number == gap) ++gap;
    }
    if (gap >= highest) break;
    RenumberGroup(list, highest, gap);
    used[gap] = used[highest];
    used.erase(highest);
  }
}

int32_t FirstSelectedTransaction(const ItemList& list) {
  for (const ItemRecord& r : list) {
    if (IsSelected(r) && r.kind() != kKindGroupFrame) return r.transaction();
  }
  return -1;
}

bool HasPasteContent(const ItemList& buffer) {
  for (const ItemRecord& r : buffer) {
    if (IsVisible(r)) return true;
  }
  return false;
}

void MoveRecordBy(ItemRecord& r, int32_t dx, int32_t dy, const ScreenMetrics& screen) {
  auto shift = [](int32_t v, int32_t d) { return ClampToInt32(int64_t{v} + d); };
  r.setX1(shift(r.x1(), dx));
  r.setY1(shift(r.y1(), dy));
  r.setX2(shift(r.x2(), dx));
  r.setY2(shift(r.y2(), dy));
  r.setRefX1(shift(r.refX1(), dx));
  r.setRefY1(shift(r.refY1(), dy));
  r.setRefX2(shift(r.refX2(), dx));
  r.setRefY2(shift(r.refY2(), dy));
  for (PointEntry& p : r.points) {
    for (Point* q : {&p.point, &p.handleIn, &p.handleOut}) {
      q->x = shift(q->x, dx);
      q->y = shift(q->y, dy);
    }
    p.pointAtDragStart = p.point;
    p.handleInAtDragStart = p.handleIn;
    p.handleOutAtDragStart = p.handleOut;
  }
  RecomputeDerived(r, screen);
}

namespace {

ItemRecord* FindPattern(const ItemList& list, int32_t number) {
  for (ItemRecord& r : const_cast<ItemList&>(list)) {
    if (r.recordClass() == kClassLinePattern && r.kind() == number) return &r;
  }
  return nullptr;
}

bool SamePattern(const ItemRecord& a, const ItemRecord& b) {
  if (a.patternCount() != b.patternCount()) return false;
  for (int i = 0; i < kPatternSegments; ++i) {
    if (a.patternSegment(i) != b.patternSegment(i)) return false;
  }
  return true;
}

// A custom pattern record with the lengths of model, numbered number in the list.
ItemRecord& AddPatternLike(ItemList& list, const ItemRecord& model, int32_t number) {
  ItemRecord& copy = NewRecord(list, number);
  copy.setRecordClass(kClassLinePattern);
  for (int i = 0; i < kPatternSegments; ++i)
    copy.setPatternSegment(i, model.patternSegment(i));
  copy.setPatternCount(model.patternCount());
  return copy;
}

// The custom patterns of the buffer as the target numbers them: a pattern the target holds
// under the same number with the same lengths keeps its number (a paste into the document it
// was copied from); any other gets a fresh number below the target's lowest.
std::map<int32_t, int32_t> TakePatterns(const ItemList& buffer, ItemList& target) {
  std::map<int32_t, int32_t> numbers;
  for (const ItemRecord& p : buffer) {
    if (p.recordClass() != kClassLinePattern) continue;
    const ItemRecord* same = FindPattern(target, p.kind());
    if (same != nullptr && SamePattern(*same, p)) {
      numbers[p.kind()] = p.kind();
      continue;
    }
    int32_t lowest = 0;
    for (const ItemRecord& r : target) {
      if (r.recordClass() == kClassLinePattern) lowest = std::min(lowest, r.kind());
    }
    const int32_t fresh = ClampToInt32(int64_t{lowest} - 1);
    AddPatternLike(target, p, fresh);
    numbers[p.kind()] = fresh;
  }
  return numbers;
}

}  // namespace

void CopySelectionToBuffer(ItemList& source, ItemList& buffer) {
  FreeList(buffer);
  ItemRecord* page = FindPageRecord(source);
  if (page == nullptr) return;
  ItemRecord& pageCopy = CopyRecord(buffer, *page);
  // The copy's field spans follow the item layout; carry the page's own fields explicitly.
  pageCopy.setZoom(page->zoom());
  pageCopy.setPageUnits(page->pageUnits());
  pageCopy.setPixelsPerUnitX(page->pixelsPerUnitX());
  pageCopy.setPixelsPerUnitY(page->pixelsPerUnitY());
  pageCopy.setDesignLeft(page->designLeft());
  pageCopy.setDesignTop(page->designTop());
  pageCopy.setDesignWidth(page->designWidth());
  pageCopy.setDesignHeight(page->designHeight());
  for (ItemRecord& r : source) {
    if (!IsSelected(r) || !(IsDrawableKind(r.kind()) || r.kind() == kKindGroupFrame)) continue;
    ItemRecord& copy = CopyRecord(buffer, r);
    copy.setSelected(0);
    // A custom dash pattern travels with the items that use it.
    if (r.linePattern() < 0 && FindPattern(buffer, r.linePattern()) == nullptr) {
      if (const ItemRecord* pattern = FindPattern(source, r.linePattern())) {
        AddPatternLike(buffer, *pattern, pattern->kind());
      }
    }
    if (r.kind() != kKindPicture) continue;
    ItemRecord* pictureSource = FindSource(source, r.sourceNumber());
    if (pictureSource != nullptr && !HasSource(buffer, *pictureSource)) {
      CopyRecord(buffer, *pictureSource).setSelected(0);
    }
  }
  CompactGroupNumbers(buffer);
}

bool PasteBufferInto(ItemList& buffer, ItemList& target) {
  if (FindPageRecord(buffer) == nullptr || FindPageRecord(target) == nullptr) return false;
  SelectOnly(target, nullptr);
  const int32_t transaction = NextTransaction(target);
  const int32_t groupOffset = NextGroupNumber(target);
  const std::map<int32_t, int32_t> patterns = TakePatterns(buffer, target);
  for (ItemRecord& r : buffer) {
    if (r.kind() == kKindPictureSource && !HasSource(target, r)) {
      CopyRecord(target, r).setSelected(0);
    }
  }
  // Stacking order of the buffer: the first visible record of each level, lowest level first.
  std::map<int32_t, ItemRecord*> byLevel;
  for (ItemRecord& r : buffer) {
    if (r.recordClass() == kClassContent && r.hidden() == 0 && r.stackLevel() >= 1) {
      byLevel.try_emplace(r.stackLevel(), &r);
    }
  }
  for (auto& [level, r] : byLevel) {
    if (!IsVisible(*r)) continue;
    ItemRecord& copy = CopyRecord(target, *r);
    if (copy.groupNumber() > 0) {
      copy.setGroupNumber(ClampToInt32(int64_t{copy.groupNumber()} + groupOffset));
    }
    MoveRecordBy(copy, 10, 10, target.screen());
    if (const auto p = patterns.find(copy.linePattern()); p != patterns.end()) {
      copy.setLinePattern(p->second);
    }
    copy.setSelected(255);
    copy.setHidden(0);
    copy.setTransaction(transaction);
    copy.setStackLevel(ClampToInt32(int64_t{MaxLevel(target)} + 1));
  }
  return true;
}

ItemList* ListOfWindow(const OpenDocuments& documents, int32_t number) {
  for (ItemList* list : documents.DocumentLists()) {
    const ItemRecord* page = FindPageRecord(*list);
    if (page != nullptr && page->documentId() == number) return list;
  }
  return nullptr;
}

}  // namespace quillon
