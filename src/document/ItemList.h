// SPDX-License-Identifier: GPL-3.0-or-later
// The item list: records in creation order with a head and a tail, and the primitive
// operations on it (allocation, lookup, selection, stacking order, groups, paste buffer).
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <memory>
#include <vector>

#include "document/ItemRecord.h"
#include "document/ScreenMetrics.h"

namespace quillon {

class ItemList {
 public:
  // A list shown on a screen of this resolution (real coordinates are in its millimetres).
  explicit ItemList(ScreenMetrics screen = {});
  ~ItemList();
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;

  ItemRecord* first() const { return first_; }
  ItemRecord* last() const { return last_; }
  bool empty() const { return first_ == nullptr; }
  std::size_t size() const { return size_; }
  const ScreenMetrics& screen() const { return screen_; }

  // Links a record at the tail and takes ownership of it.
  ItemRecord& Append(std::unique_ptr<ItemRecord> record);
  // Unlinks the record and frees it with everything it owns.
  void Remove(ItemRecord& record);
  // Frees every record.
  void Clear();
  // Frees this list's records and takes over all records of other, which is left empty.
  void TakeFrom(ItemList& other);
  // Links all records of other, in their order, after this list's tail; other is left empty.
  void AppendAllFrom(ItemList& other);

  // Aggregates over the class-0 records, kept up to date as records change.
  int32_t NextItemId() const;
  int32_t NextTransaction() const;
  int32_t NextGroupNumber() const;
  int32_t MaxLevel() const;
  // Content records that are done (historyState 1) and undone (historyState 2).
  int64_t DoneCount() const;
  int64_t UndoneCount() const;
  // The first page setup record in list order, or null.
  ItemRecord* PageRecord() const;

  // Records whose selection byte (or saved-selection byte) is not zero, in list order, kept up
  // to date as records change, so that work on the selection need not visit every record.
  enum class Flag { kSelected, kSavedSelection };
  std::vector<ItemRecord*> Flagged(Flag flag) const;
  std::size_t FlaggedCount(Flag flag) const { return flagged_[static_cast<int>(flag)].size(); }
  // The records carrying a selection stamp (see AddStamp), or null when none does.
  const std::unordered_set<ItemRecord*>* StampCarriers(int32_t stamp) const;

  // Changes whenever this list frees records or takes in another list's: a pointer to one of
  // its records kept from before stays valid while the generation is the same.
  uint64_t Generation() const { return generation_; }

  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = ItemRecord;
    using difference_type = std::ptrdiff_t;
    using pointer = ItemRecord*;
    using reference = ItemRecord&;

    Iterator() = default;
    explicit Iterator(ItemRecord* r) : r_(r) {}
    ItemRecord& operator*() const { return *r_; }
    ItemRecord* operator->() const { return r_; }
    Iterator& operator++() {
      r_ = r_->next();
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      r_ = r_->next();
      return before;
    }
    friend bool operator==(const Iterator&, const Iterator&) = default;

   private:
    ItemRecord* r_ = nullptr;
  };
  Iterator begin() const { return Iterator(first_); }
  Iterator end() const { return Iterator(nullptr); }

 private:
  friend class ItemRecord;
  void FieldChanged(ItemRecord& record, int offset, int32_t oldValue, int32_t newValue);
  void RecordReplaced(ItemRecord& record);
  void Raise(const ItemRecord& record) const;
  void Count(int32_t historyState, int64_t by) const;
  void EnsureAggregates() const;
  // Adds the record to, or removes it from, the flag indexes by its current bytes.
  void Track(ItemRecord& record);
  void Untrack(const ItemRecord& record);
  void Adopt(ItemRecord& record);
  friend void AddStamp(ItemRecord& record, int32_t stamp);
  friend void FreeStamps(ItemRecord& record);
  void NoteStamp(ItemRecord& record, int32_t stamp);
  void ForgetStamps(const ItemRecord& record);

  ItemRecord* first_ = nullptr;
  ItemRecord* last_ = nullptr;
  std::size_t size_ = 0;
  ScreenMetrics screen_;

  struct Aggregates {
    bool valid = true;
    bool any = false;  // some class-0 record exists
    int32_t maxItemId = 0;
    int32_t maxTransaction = 0;
    int32_t maxGroupNumber = 0;
    int32_t maxLevel = 0;
    int64_t done = 0;
    int64_t undone = 0;
  };
  mutable Aggregates aggregates_;
  std::map<uint64_t, ItemRecord*> flagged_[2];
  std::unordered_map<int32_t, std::unordered_set<ItemRecord*>> stamped_;
  uint64_t nextOrdinal_ = 0;
  uint64_t generation_ = 0;
  mutable bool pageValid_ = true;
  mutable ItemRecord* page_ = nullptr;
};

// Allocation and release.
// A new record with the defaults, the next itemId and the kind, appended at the tail; unless it
// is a page setup record the document is marked modified.
ItemRecord& NewRecord(ItemList& list, int32_t kind);
// Appends a copy of source (a fresh itemId; the source's render cache moves to the copy).
ItemRecord& CopyRecord(ItemList& list, ItemRecord& source);
void RemoveRecord(ItemList& list, ItemRecord& record);
void FreeList(ItemList& list);
void FreePictureCaches(ItemList& list);

// "Visible": class 0, not set aside, not hidden.
bool IsVisible(const ItemRecord& record);
bool IsSelected(const ItemRecord& record);

// Lookup.
ItemRecord* FindByKind(const ItemList& list, int32_t kind);
ItemRecord* FindVisibleByKind(const ItemList& list, int32_t kind);
ItemRecord* FindById(const ItemList& list, int32_t id);
ItemRecord* FindByLevel(const ItemList& list, int32_t level);
ItemRecord* FindSource(const ItemList& list, int32_t number);
bool HasSource(const ItemList& list, const ItemRecord& source);
int CountPicturesUsing(const ItemList& list, int32_t number);
bool SourceInUse(const ItemList& list, int32_t number);
int32_t MaxLevel(const ItemList& list);
int32_t NextItemId(const ItemList& list);
int32_t NextTransaction(const ItemList& list);
int32_t NextGroupNumber(const ItemList& list);
ItemRecord* NewestRecord(const ItemList& list);
// Marks the newest record as gone and returns the newest of the others.
ItemRecord* DiscardNewest(ItemList& list);

// Selection.
// The selected visible records in list order, from the list's index (not a pass over the list).
std::vector<ItemRecord*> SelectedRecords(const ItemList& list);
void SelectOnly(ItemList& list, ItemRecord* record);
void SelectLastItem(ItemList& list);
ItemRecord* FirstSelected(const ItemList& list);
ItemRecord* SoleSelected(const ItemList& list);
int CountSelected(ItemList& list, bool oneForGroup);
bool AnySelectedGrouped(const ItemList& list);
bool AllSelectedGrouped(const ItemList& list);
int CountSelectedFrames(const ItemList& list);
ItemRecord* LastSelectedFrame(const ItemList& list);
void SaveSelection(ItemList& list);
void RestoreSelection(ItemList& list);
bool SelectedKindsAgree(const ItemList& list);

// Stacking order.
void SendToBack(ItemList& list, ItemRecord& record);
void BringToFront(ItemList& list, ItemRecord& record);

// Groups.
Point GroupCentre(const ItemList& list, int32_t number);
bool GroupNumberUsed(const ItemList& list, int32_t number);
void RenumberGroup(ItemList& list, int32_t from, int32_t to);
void CompactGroupNumbers(ItemList& list);
int32_t FirstSelectedTransaction(const ItemList& list);

// Paste buffer.
bool HasPasteContent(const ItemList& buffer);
// Fills the buffer with the source's page setup record, its selected items and their sources.
void CopySelectionToBuffer(ItemList& source, ItemList& buffer);
// Adds copies of the buffer's items to the target, 10 pixels right and down, selected, in one
// new transaction; returns false (changing nothing) when either list lacks a page setup record.
bool PasteBufferInto(ItemList& buffer, ItemList& target);
// Moves an item by (dx, dy) document pixels: its defining and reference points and every
// outline point, whose drag-start points follow; its derived geometry is recomputed.
void MoveRecordBy(ItemRecord& record, int32_t dx, int32_t dy, const ScreenMetrics& screen);

// Whatever holds the open documents (the main window): lets the engine find a window's list.
class OpenDocuments {
 public:
  virtual ~OpenDocuments() = default;
  virtual std::vector<ItemList*> DocumentLists() const = 0;
};
// The list of the first open window whose page setup record has that number, or null.
ItemList* ListOfWindow(const OpenDocuments& documents, int32_t number);

}  // namespace quillon
