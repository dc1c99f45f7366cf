// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/EditCommands.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "document/History.h"
#include "document/PageSetup.h"
#include "document/ToolNumbers.h"

namespace quillon {
namespace {

int SelectedToolOfKind(const ItemRecord& r) {
  switch (r.kind()) {
    case kKindText:
      return kToolSelectedText;
    case kKindLine:
      return kToolSelectedLine;
    case kKindTriangle:
      return 200;
    case kKindSquare:
      return 201;
    case kKindRectangle:
      return 202;
    case kKindCircle:
      return 203;
    case kKindEllipse:
      return 204;
    case kKindPolygon:
      return 299;
    case kKindStar:
      return 206;
    case kKindPie:
      return 207;
    case kKindArc:
      return 208;
    case kKindSpline:
      return r.shapeStyle() == 2 ? 210 : 209;
    case kKindCurve:
      return r.shapeStyle() == 2 ? 212 : 211;
    case kKindPicture:
      return kToolSelectedPicture;
    default:
      return kToolSeveralKinds;
  }
}

// Clones a selected record for a step: the original is hidden and deselected, the copy
// replaces it as a done record of the step.
ItemRecord& CloneForStep(ItemList& list, ItemRecord& original, int32_t step) {
  ItemRecord& copy = CopyRecord(list, original);
  original.setHidden(255);
  original.setSelected(0);
  copy.setReplacesId(original.itemId());
  copy.setHistoryState(1);
  copy.setTransaction(step);
  return copy;
}

// Calls act on each selected drawable record that existed when the command began.
template <class Act>
void ForSelectedDrawables(ItemList& list, Act act) {
  ItemRecord* const tail = list.last();
  for (ItemRecord* r = list.first(); r != nullptr; r = r == tail ? nullptr : r->next()) {
    if (IsSelected(*r) && IsDrawableKind(r->kind())) act(*r);
  }
}

void Restack(ItemList& list, EditObserver& observer, bool front) {
  // Nothing to restack leaves the document and its redo steps alone.
  bool any = false;
  for (const ItemRecord* r : SelectedRecords(list))
    any = any || IsDrawableKind(r->kind());
  if (!any) return;
  PurgeRedo(list);
  observer.RedoAvailable(CanRedo(list));
  const int32_t step = NextTransaction(list);
  ForSelectedDrawables(list, [&](ItemRecord& r) {
    ItemRecord& copy = CloneForStep(list, r, step);
    r.setHistoryState(1);
    r.setStackChange(front ? 1 : 2);
    copy.setSelected(255);
    if (front) {
      BringToFront(list, copy);
    } else {
      SendToBack(list, copy);
    }
  });
  observer.UndoAvailable(CanUndo(list));
  observer.RepaintAll(true);
}

// Group frames among the selection become deletion markers: their group is dissolved.
void DissolveSelectedFrames(ItemList& list, int32_t groupNumber) {
  for (ItemRecord& r : list) {
    if (!IsSelected(r)) continue;
    r.setGroupNumber(groupNumber);
    if (r.kind() == kKindGroupFrame) r.setKind(kKindDeletionMarker);
  }
}

}  // namespace

int SelectionToolNumber(const ItemList& list) {
  bool any = false;
  const ItemRecord* model = nullptr;
  for (const ItemRecord* r : SelectedRecords(list)) {
    any = true;
    if (r->kind() == kKindGroupFrame) continue;
    if (model == nullptr) {
      model = r;
    } else if (r->kind() != model->kind() ||
               ((r->kind() == kKindSpline || r->kind() == kKindCurve) &&
                (r->shapeStyle() == 0) != (model->shapeStyle() == 0))) {
      return kToolSeveralKinds;
    }
  }
  if (!any) return kToolPointer;
  return model != nullptr ? SelectedToolOfKind(*model) : kToolSeveralKinds;
}

void CutSelection(ItemList& list, EditObserver& observer) {
  if (FirstSelected(list) == nullptr) return;
  PurgeRedo(list);
  observer.RedoAvailable(CanRedo(list));
  const int32_t step = NextTransaction(list);
  ForSelectedDrawables(list, [&](ItemRecord& r) {
    ItemRecord& marker = CloneForStep(list, r, step);
    r.setStackChange(0);  // superseded by a cut, not by a restack
    marker.setKind(kKindDeletionMarker);
  });
  SelectOnly(list, nullptr);
  observer.UndoAvailable(CanUndo(list));
  observer.RepaintAll(true);
  observer.SelectionChanged();
  observer.ReturnToPointerTool();
}

void CopySelection(ItemList& list, ItemList& buffer, EditObserver& observer) {
  CopySelectionToBuffer(list, buffer);
  observer.PasteAvailable(HasPasteContent(buffer));
}

const ItemRecord* PasteBuffer(ItemList& buffer, ItemList& list, EditObserver& observer) {
  if (!HasPasteContent(buffer) || FindPageRecord(buffer) == nullptr ||
      FindPageRecord(list) == nullptr) {
    return nullptr;
  }
  observer.EndGesture();
  // Like every other step, a paste drops the undone steps first: Redo walks the history by
  // itemId and would otherwise bring back the wrong records.
  PurgeRedo(list);
  observer.RedoAvailable(CanRedo(list));
  const ItemRecord* tail = list.last();
  PasteBufferInto(buffer, list);
  observer.UndoAvailable(CanUndo(list));
  const int tool = SelectionToolNumber(list);
  observer.ShowPanel(tool == kToolSeveralKinds ? kToolSelectedLine : tool);
  observer.RepaintAll(true);
  observer.SelectionChanged();
  return tail;
}

void WithdrawPaste(ItemList& list, const ItemRecord* tail, bool wasModified,
                   EditObserver& observer) {
  if (tail == nullptr) return;
  // The paste only appended records (copies, and the picture sources they brought along).
  while (list.last() != nullptr && list.last() != tail)
    RemoveRecord(list, *list.last());
  SetModified(list, wasModified);
  observer.UndoAvailable(CanUndo(list));
  observer.RepaintAll(false);
  observer.SelectionChanged();
  observer.ReturnToPointerTool();
}

void BringSelectionToFront(ItemList& list, EditObserver& observer) {
  Restack(list, observer, true);
}

void SendSelectionToBack(ItemList& list, EditObserver& observer) {
  Restack(list, observer, false);
}

void JoinItems(ItemList& list, EditObserver& observer) {
  BeginEdit(list, observer, false);
  const int32_t step = FirstSelectedTransaction(list);
  if (step == -1) return;
  const int32_t group = NextGroupNumber(list);
  DissolveSelectedFrames(list, group);
  const Point centre = GroupCentre(list, group);
  ItemRecord& frame = NewRecord(list, kKindGroupFrame);
  frame.setGroupNumber(group);
  frame.setSelected(255);
  frame.setTransaction(step);
  frame.setX1(centre.x);
  frame.setX2(centre.x);
  frame.setY1(centre.y);
  frame.setY2(centre.y);
  frame.setRefX1(centre.x);
  frame.setRefX2(centre.x);
  frame.setRefY1(centre.y);
  frame.setRefY2(centre.y);
  RecomputeDerived(frame, list.screen());
  observer.RepaintAll(true);
  UpdateJoinSplit(list, observer);
}

void SplitGroup(ItemList& list, EditObserver& observer) {
  BeginEdit(list, observer, false);
  DissolveSelectedFrames(list, 0);
  SelectOnly(list, nullptr);
  observer.RepaintAll(true);
  observer.SelectionChanged();
  UpdateJoinSplit(list, observer);
}

void UpdateJoinSplit(ItemList& list, EditObserver& observer) {
  observer.JoinSplitAvailable(CountSelected(list, true) >= 2, AnySelectedGrouped(list));
}

int32_t StampSelection(ItemList& list, std::mt19937& random) {
  std::uniform_int_distribution<int32_t> draw(1, std::numeric_limits<int32_t>::max());
  int32_t stamp;
  do {
    stamp = draw(random);
  } while (list.StampCarriers(stamp) != nullptr);
  for (ItemRecord* r : SelectedRecords(list))
    AddStamp(*r, stamp);
  return stamp;
}

namespace {

bool CarriesStamp(const ItemRecord& r, int32_t stamp) {
  return IsVisible(r) && IsDrawableKind(r.kind()) &&
         std::find(r.selectionStamps.begin(), r.selectionStamps.end(), stamp) !=
             r.selectionStamps.end();
}

// The visible drawable records that carry the stamp.
std::unordered_set<ItemRecord*> Stamped(const ItemList& list, int32_t stamp) {
  std::unordered_set<ItemRecord*> found;
  if (const auto* carriers = list.StampCarriers(stamp)) {
    for (ItemRecord* r : *carriers) {
      if (CarriesStamp(*r, stamp)) found.insert(r);
    }
  }
  return found;
}

}  // namespace

bool HasStamped(const ItemList& list, int32_t stamp) {
  if (const auto* carriers = list.StampCarriers(stamp)) {
    return std::any_of(carriers->begin(), carriers->end(),
                       [stamp](const ItemRecord* r) { return CarriesStamp(*r, stamp); });
  }
  return false;
}

bool SelectStamped(ItemList& list, int32_t stamp, EditObserver& observer) {
  const std::unordered_set<ItemRecord*> wanted = Stamped(list, stamp);
  const bool any = !wanted.empty();
  bool changed = false;
  for (ItemRecord* r : wanted)
    changed = changed || !IsSelected(*r);
  for (ItemRecord* r : list.Flagged(ItemList::Flag::kSelected)) {
    changed = changed || (IsSelected(*r) && !wanted.contains(r));
    r->setSelected(0);
  }
  for (ItemRecord* r : wanted)
    r->setSelected(255);
  // Items that lost their selection must lose their marks too, even when none was found.
  if (any || changed) observer.RepaintAll(true);
  if (changed) observer.SelectionChanged();
  return any;
}

namespace {

bool RestackOneStep(ItemList& list, EditObserver& observer, bool up) {
  std::vector<ItemRecord*> order;
  for (ItemRecord& r : list) {
    if (IsVisible(r) && IsDrawableKind(r.kind())) order.push_back(&r);
  }
  // Items of equal level keep their list order, as drawing does.
  std::stable_sort(order.begin(), order.end(), [](const ItemRecord* a, const ItemRecord* b) {
    return a->stackLevel() < b->stackLevel();
  });
  // Each selected item trades places with the unselected one next to it; a run of selected
  // items passes that one as a block.
  std::vector<ItemRecord*> moved = order;
  const std::size_t n = moved.size();
  if (up) {
    for (std::size_t i = n >= 2 ? n - 1 : 0; i-- > 0;) {
      if (IsSelected(*moved[i]) && !IsSelected(*moved[i + 1])) std::swap(moved[i], moved[i + 1]);
    }
  } else {
    for (std::size_t i = 1; i < n; ++i) {
      if (IsSelected(*moved[i]) && !IsSelected(*moved[i - 1])) std::swap(moved[i], moved[i - 1]);
    }
  }
  if (moved == order) return false;
  PurgeRedo(list);
  observer.RedoAvailable(CanRedo(list));
  const int32_t step = NextTransaction(list);
  // The levels in use stay the same; only the items that changed place take another one, so
  // Undo gives every item back its own level.
  for (std::size_t k = 0; k < n; ++k) {
    if (moved[k] == order[k]) continue;
    const int32_t level = order[k]->stackLevel();
    const bool selected = IsSelected(*moved[k]);
    ItemRecord& copy = CloneForStep(list, *moved[k], step);
    copy.setStackLevel(level);
    copy.setSelected(selected ? 255 : 0);
  }
  observer.UndoAvailable(CanUndo(list));
  observer.RepaintAll(true);
  return true;
}

}  // namespace

bool RaiseSelectionOneStep(ItemList& list, EditObserver& observer) {
  return RestackOneStep(list, observer, true);
}

bool LowerSelectionOneStep(ItemList& list, EditObserver& observer) {
  return RestackOneStep(list, observer, false);
}

void SelectAllItems(ItemList& list, EditObserver& observer) {
  for (ItemRecord& r : list) {
    if (IsVisible(r) && (IsDrawableKind(r.kind()) || r.kind() == kKindGroupFrame)) {
      r.setSelected(255);
    }
  }
  observer.RepaintAll(true);
  observer.SelectionChanged();
  observer.ShowPanel(SelectionToolNumber(list));
}

Point DuplicateOffset(const ItemList& list) {
  constexpr int32_t kPlainOffset = 10;
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr || (page->gridHorizontal() == 0 && page->gridVertical() == 0)) {
    return {kPlainOffset, kPlainOffset};
  }
  const auto step = [](double distance, double pixelsPerUnit) {
    const double pixels = std::abs(distance * pixelsPerUnit);
    return std::isfinite(pixels) && pixels >= 1 && pixels <= 100000 ? RoundToInt32(pixels)
                                                                    : kPlainOffset;
  };
  return {step(page->gridDistanceX(), page->pixelsPerUnitX()),
          step(page->gridDistanceY(), page->pixelsPerUnitY())};
}

bool DuplicateSelection(ItemList& list, Point offset, EditObserver& observer) {
  if (FirstSelected(list) == nullptr || FindPageRecord(list) == nullptr) return false;
  ItemList buffer(list.screen());
  CopySelectionToBuffer(list, buffer);
  if (!HasPasteContent(buffer)) return false;
  PurgeRedo(list);
  observer.RedoAvailable(CanRedo(list));
  ItemRecord* const tail = list.last();
  SelectOnly(list, nullptr);
  if (!PasteBufferInto(buffer, list)) return false;
  // The paste moved the copies 10 pixels; they go the rest of the way to the offset.
  for (ItemRecord* r = tail != nullptr ? tail->next() : list.first(); r != nullptr; r = r->next()) {
    if (r->recordClass() == kClassContent && r->selected() != 0) {
      MoveRecordBy(*r, ClampToInt32(int64_t{offset.x} - 10), ClampToInt32(int64_t{offset.y} - 10),
                   list.screen());
    }
  }
  observer.UndoAvailable(CanUndo(list));
  observer.RepaintAll(true);
  observer.SelectionChanged();
  const int tool = SelectionToolNumber(list);
  observer.ShowPanel(tool == kToolSeveralKinds ? kToolSelectedLine : tool);
  return true;
}

}  // namespace quillon
