// SPDX-License-Identifier: GPL-3.0-or-later
// The undo history, kept inside the item list: superseded versions stay in the list, hidden,
// and Undo and Redo toggle the records of one edit step.
#pragma once

#include "document/EditObserver.h"
#include "document/ItemList.h"

namespace quillon {

// Removes every undone record, and the picture sources that only undone pictures used.
void PurgeRedo(ItemList& list);
// The done record with the largest itemId, or null.
ItemRecord* LatestDone(const ItemList& list);
// The record that Redo would bring back first, or null.
ItemRecord* NextUndone(const ItemList& list);
bool CanUndo(const ItemList& list);
bool CanRedo(const ItemList& list);
// Tells the observer both: a document just read or restored announces where its history stands.
void AnnounceHistory(const ItemList& list, EditObserver& observer);

// The area the selected records cover with their pen and shadow (document pixels); an empty
// selection gives a rectangle whose left is above its right.
Rect SelectionArea(const ItemList& list);

// Clones every selected record into a new edit step: the originals are hidden and deselected,
// the copies are selected and carry the edit that follows. Nothing happens without a selection.
void BeginEdit(ItemList& list, EditObserver& observer, bool redraw);
// The item's present state becomes the state a drag starts from (its reference ends, rotation
// and points), as BeginEdit leaves every copy.
void TakeDragStart(ItemRecord& item);
// A new item made by a drawing tool, as its own step in front of everything else.
ItemRecord& NewItem(ItemList& list, int32_t kind, EditObserver& observer);
// Clones the live anchors record into a new step and returns the clone; null without one.
ItemRecord* BeginAnchorsEdit(ItemList& list, EditObserver& observer);

void Undo(ItemList& list, EditObserver& observer);
void Redo(ItemList& list, EditObserver& observer);
// "Clear Undo and Redo": keeps only the visible items, numbered 1, 2, 3 ... in list order.
void ClearHistory(ItemList& list, EditObserver& observer);

// Reverse and repeat a Bring to Front or Send to Back recorded in stackChange.
void UndoStackShift(ItemList& list, ItemRecord& restored);
void RedoStackShift(ItemList& list, ItemRecord& superseded, ItemRecord& newVersion);

}  // namespace quillon
