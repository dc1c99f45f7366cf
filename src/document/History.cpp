// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/History.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace quillon {
namespace {

constexpr int32_t kDone = 1;
constexpr int32_t kUndone = 2;

bool IsContent(const ItemRecord& r) {
  return r.recordClass() == kClassContent;
}

// Removes records in list order; a removed picture takes its source with it when fewer than two
// content records (itself included) still carry the source's number.
void RemoveWithUnusedSources(ItemList& list, const std::vector<ItemRecord*>& doomed) {
  if (doomed.empty()) return;
  std::unordered_map<int32_t, int> users;
  for (const ItemRecord& r : list) {
    if (IsContent(r)) ++users[r.sourceNumber()];
  }
  std::unordered_set<ItemRecord*> sources;
  for (ItemRecord* r : doomed) {
    int& count = users[r->sourceNumber()];
    if (r->kind() == kKindPicture && count < 2) {
      if (ItemRecord* source = FindSource(list, r->sourceNumber())) sources.insert(source);
    }
    --count;
  }
  for (ItemRecord* r : doomed)
    RemoveRecord(list, *r);
  for (ItemRecord* source : sources)
    RemoveRecord(list, *source);
}

// The first visible record at each level in [low, high], other than skip, before any moves.
std::map<int32_t, ItemRecord*> VisibleByLevel(const ItemList& list, int64_t low, int64_t high,
                                              const ItemRecord* skip = nullptr) {
  std::map<int32_t, ItemRecord*> found;
  for (ItemRecord& r : list) {
    if (&r == skip || !IsContent(r) || r.hidden() != 0) continue;
    if (r.stackLevel() >= low && r.stackLevel() <= high) found.try_emplace(r.stackLevel(), &r);
  }
  return found;
}

void MoveLevels(const std::map<int32_t, ItemRecord*>& records, int32_t by) {
  for (const auto& [level, r] : records)
    r->setStackLevel(ClampToInt32(int64_t{level} + by));
}

// The first content record with each of the wanted ids, in one pass.
std::unordered_map<int32_t, ItemRecord*> FindByIds(const ItemList& list,
                                                   const std::unordered_set<int32_t>& ids) {
  std::unordered_map<int32_t, ItemRecord*> found;
  if (ids.empty()) return found;
  for (ItemRecord& r : list) {
    if (IsContent(r) && ids.contains(r.itemId())) found.try_emplace(r.itemId(), &r);
  }
  return found;
}

ItemRecord* Lookup(const std::unordered_map<int32_t, ItemRecord*>& found, int32_t id) {
  const auto it = found.find(id);
  return it == found.end() ? nullptr : it->second;
}

// The record a history step replaced; the first anchors record stands in for a lost one.
ItemRecord* ReplacedVersion(const ItemList& list,
                            const std::unordered_map<int32_t, ItemRecord*>& byId,
                            const ItemRecord& s) {
  ItemRecord* r = s.replacesId() != 0 ? Lookup(byId, s.replacesId()) : nullptr;
  if (r == nullptr && s.kind() == kKindAnchors) r = FindByKind(list, kKindAnchors);
  return r;
}

// Opening of every changing step: undone steps are dropped and the step number is taken.
int32_t OpenStep(ItemList& list, EditObserver& observer) {
  PurgeRedo(list);
  observer.RedoAvailable(CanRedo(list));
  return NextTransaction(list);
}

}  // namespace

void PurgeRedo(ItemList& list) {
  if (list.UndoneCount() == 0) return;
  std::vector<ItemRecord*> undone;
  for (ItemRecord& r : list) {
    if (IsContent(r) && r.historyState() == kUndone) undone.push_back(&r);
  }
  RemoveWithUnusedSources(list, undone);
}

ItemRecord* LatestDone(const ItemList& list) {
  ItemRecord* latest = nullptr;
  for (ItemRecord& r : list) {
    if (IsContent(r) && r.historyState() == kDone && (!latest || r.itemId() > latest->itemId())) {
      latest = &r;
    }
  }
  return latest;
}

namespace {

// The itemId that Redo looks for first: one past the latest done record, or when nothing is
// done, one past the newest record outside the history.
std::optional<int32_t> NextUndoneId(const ItemList& list) {
  const ItemRecord* latest = LatestDone(list);
  int64_t base = 0;
  if (latest != nullptr) {
    base = latest->itemId();
  } else {
    for (const ItemRecord& r : list) {
      if (IsContent(r) && r.historyState() == 0) base = std::max<int64_t>(base, r.itemId());
    }
  }
  if (base >= std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(base + 1);
}

}  // namespace

ItemRecord* NextUndone(const ItemList& list) {
  const auto id = NextUndoneId(list);
  return id ? FindById(list, *id) : nullptr;
}

bool CanUndo(const ItemList& list) {
  return list.DoneCount() > 0;
}

bool CanRedo(const ItemList& list) {
  return list.UndoneCount() > 0;
}

void AnnounceHistory(const ItemList& list, EditObserver& observer) {
  observer.UndoAvailable(CanUndo(list));
  observer.RedoAvailable(CanRedo(list));
}

Rect SelectionArea(const ItemList& list) {
  Rect area{std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(),
            std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()};
  for (const ItemRecord* r : SelectedRecords(list)) {
    const int64_t margin = int64_t{std::max(r->penWidth(), 0)} + r->shadowSize();
    area.left = std::min(area.left, ClampToInt32(r->boundLeft() - margin));
    area.top = std::min(area.top, ClampToInt32(r->boundTop() - margin));
    area.right = std::max(area.right, ClampToInt32(int64_t{r->boundRight()} + margin + 1));
    area.bottom = std::max(area.bottom, ClampToInt32(int64_t{r->boundBottom()} + margin + 1));
  }
  return area;
}

void TakeDragStart(ItemRecord& item) {
  item.setRefX1(item.x1());
  item.setRefY1(item.y1());
  item.setRefX2(item.x2());
  item.setRefY2(item.y2());
  item.setRotationAtDragStart(item.rotation());
  for (PointEntry& p : item.points) {
    p.pointAtDragStart = p.point;
    p.handleInAtDragStart = p.handleIn;
    p.handleOutAtDragStart = p.handleOut;
  }
}

void BeginEdit(ItemList& list, EditObserver& observer, bool redraw) {
  if (FirstSelected(list) == nullptr) return;
  const int32_t step = OpenStep(list, observer);
  const Rect area = SelectionArea(list);
  ItemRecord* const tail = list.last();
  for (ItemRecord* r = list.first(); r != nullptr; r = r == tail ? nullptr : r->next()) {
    if (!IsSelected(*r)) continue;
    ItemRecord& copy = CopyRecord(list, *r);
    r->setHidden(255);
    r->setSelected(0);
    // This version is now superseded by an edit, not by a restack: a stack change left from an
    // undone Bring to Front must not be replayed when this edit is undone or redone.
    r->setStackChange(0);
    copy.setReplacesId(r->itemId());
    copy.setStackLevel(r->stackLevel());
    copy.setHistoryState(kDone);
    copy.setTransaction(step);
    copy.setSelected(255);
    TakeDragStart(copy);
  }
  if (redraw) observer.RepaintArea(area);
  observer.UndoAvailable(CanUndo(list));
}

ItemRecord& NewItem(ItemList& list, int32_t kind, EditObserver& observer) {
  const int32_t step = OpenStep(list, observer);
  ItemRecord& item = NewRecord(list, kind);
  item.setTransaction(step);
  item.setStackLevel(ClampToInt32(int64_t{MaxLevel(list)} + 1));
  observer.UndoAvailable(true);
  return item;
}

ItemRecord* BeginAnchorsEdit(ItemList& list, EditObserver& observer) {
  ItemRecord* live = FindVisibleByKind(list, kKindAnchors);
  if (live == nullptr) return nullptr;
  const int32_t step = OpenStep(list, observer);
  ItemRecord& copy = CopyRecord(list, *live);
  copy.verticalAnchors = live->verticalAnchors;
  copy.horizontalAnchors = live->horizontalAnchors;
  live->setHidden(255);
  copy.setReplacesId(live->itemId());
  copy.setTransaction(step);
  copy.setHistoryState(kDone);
  observer.UndoAvailable(true);
  return &copy;
}

void UndoStackShift(ItemList& list, ItemRecord& restored) {
  const int32_t level = restored.stackLevel();
  if (restored.stackChange() == 1) {
    MoveLevels(VisibleByLevel(list, level, int64_t{MaxLevel(list)} - 1), +1);
  } else if (restored.stackChange() == 2) {
    MoveLevels(VisibleByLevel(list, 2, level), -1);
  }
}

void RedoStackShift(ItemList& list, ItemRecord& superseded, ItemRecord& newVersion) {
  const int64_t level = superseded.stackLevel();
  if (superseded.stackChange() == 1) {
    MoveLevels(VisibleByLevel(list, level + 1, MaxLevel(list), &newVersion), -1);
  } else if (superseded.stackChange() == 2) {
    MoveLevels(VisibleByLevel(list, 1, level - 1, &newVersion), +1);
  }
}

namespace {

// Undo and Redo start from no selection; whoever shows the selection hears of it.
void DeselectAll(ItemList& list, EditObserver& observer) {
  const bool hadSelection = FirstSelected(list) != nullptr;
  SelectOnly(list, nullptr);
  if (hadSelection) observer.SelectionChanged();
}

}  // namespace

void Undo(ItemList& list, EditObserver& observer) {
  observer.EndGesture();
  DeselectAll(list, observer);
  // The done records, newest first: Undo takes them while they belong to the latest step.
  std::vector<ItemRecord*> done;
  for (ItemRecord& r : list) {
    if (IsContent(r) && r.historyState() == kDone) done.push_back(&r);
  }
  if (done.empty()) return;
  auto newerFirst = [](const ItemRecord* a, const ItemRecord* b) {
    return a->itemId() < b->itemId();
  };
  std::make_heap(done.begin(), done.end(), newerFirst);
  std::vector<ItemRecord*> step;
  const int32_t transaction = done.front()->transaction();
  do {
    std::pop_heap(done.begin(), done.end(), newerFirst);
    step.push_back(done.back());
    done.pop_back();
  } while (!done.empty() && transaction != 0 && done.front()->transaction() == transaction);

  std::unordered_set<int32_t> replaced;
  for (const ItemRecord* s : step)
    replaced.insert(s->replacesId());
  const auto byId = FindByIds(list, replaced);
  for (ItemRecord* s : step) {
    // The step's records switch between shown and hidden; a hidden record's kept picture would
    // only hold memory, and a shown one makes its own when next drawn.
    s->renderCache.reset();
    s->setHistoryState(kUndone);
    const bool wasVisible = s->hidden() == 0;
    s->setHidden(wasVisible ? 255 : 0);
    if (!wasVisible) continue;
    if (ItemRecord* r = ReplacedVersion(list, byId, *s)) {
      UndoStackShift(list, *r);
      r->setHidden(0);
    }
  }
  observer.RepaintAll(true);
  AnnounceHistory(list, observer);
}

void Redo(ItemList& list, EditObserver& observer) {
  observer.EndGesture();
  DeselectAll(list, observer);
  const auto first = NextUndoneId(list);
  ItemRecord* s = first ? FindById(list, *first) : nullptr;
  if (s == nullptr) return;
  // The step's records follow one another by itemId; gather them in one pass. An id whose
  // first record belongs to another step ends the walk.
  const int32_t transaction = s->transaction();
  std::unordered_map<int32_t, ItemRecord*> following;
  for (ItemRecord& r : list) {
    if (IsContent(r) && r.itemId() > s->itemId()) {
      following.try_emplace(r.itemId(), r.transaction() == transaction ? &r : nullptr);
    }
  }
  std::vector<ItemRecord*> step{s};
  while (transaction != 0 && step.back()->itemId() < std::numeric_limits<int32_t>::max()) {
    ItemRecord* next = Lookup(following, step.back()->itemId() + 1);
    if (next == nullptr) break;
    step.push_back(next);
  }

  std::unordered_set<int32_t> replaced;
  for (const ItemRecord* r : step)
    replaced.insert(r->replacesId());
  const auto byId = FindByIds(list, replaced);
  for (ItemRecord* r : step) {
    // As in Undo: a record the step hides lets its kept picture's memory go.
    r->renderCache.reset();
    if (r->historyState() != 0) r->setHistoryState(kDone);
    const bool wasHidden = r->hidden() != 0;
    r->setHidden(wasHidden ? 0 : 255);
    if (!wasHidden) continue;
    if (ItemRecord* old = ReplacedVersion(list, byId, *r)) {
      old->setHidden(255);
      RedoStackShift(list, *old, *r);
    }
  }
  observer.RepaintAll(true);
  AnnounceHistory(list, observer);
}

void ClearHistory(ItemList& list, EditObserver& observer) {
  PurgeRedo(list);
  std::vector<ItemRecord*> doomed;
  int32_t number = 0;
  for (ItemRecord& r : list) {
    if (!IsContent(r)) continue;
    const bool gone = r.hidden() != 0 || r.kind() == kKindDeletionMarker ||
                      (r.kind() == kKindText && r.text().empty());
    if (gone) {
      doomed.push_back(&r);
    } else {
      r.setHistoryState(0);
      r.setReplacesId(0);
      r.setItemId(++number);
    }
  }
  RemoveWithUnusedSources(list, doomed);
  CompactGroupNumbers(list);
  observer.RepaintAll(true);
  AnnounceHistory(list, observer);
}

}  // namespace quillon
