// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit commands on a document's list: each change is one undoable step.
#pragma once

#include <random>

#include "document/EditObserver.h"
#include "document/ItemList.h"

namespace quillon {

// The tool number whose side panel fits the selection: 20 for none, 59 for mixed kinds.
int SelectionToolNumber(const ItemList& list);

// Deletes the selected drawable items as one step (deletion markers let Undo bring them back).
void CutSelection(ItemList& list, EditObserver& observer);
// Fills the paste buffer from the selection.
void CopySelection(ItemList& list, ItemList& buffer, EditObserver& observer);
// Adds the buffer's items as one step, 10 pixels right and down, selected. Returns the list's
// last record before the copies were added, or null when nothing was pasted.
const ItemRecord* PasteBuffer(ItemList& buffer, ItemList& list, EditObserver& observer);
// Takes back a paste whose copies were never placed (Esc while they follow the pointer): every
// record after tail, the list's last record before the paste, is removed and the modified mark
// returns to wasModified, so that nothing is left behind and nothing to undo.
void WithdrawPaste(ItemList& list, const ItemRecord* tail, bool wasModified,
                   EditObserver& observer);
// Restack the selected drawable items on top of or below all others, as one step.
void BringSelectionToFront(ItemList& list, EditObserver& observer);
void SendSelectionToBack(ItemList& list, EditObserver& observer);
// Moves the selected drawable items one place up (or down) the stacking order, past the next
// unselected item, as one step; items already at the top (bottom) stay. Whether any moved.
bool RaiseSelectionOneStep(ItemList& list, EditObserver& observer);
bool LowerSelectionOneStep(ItemList& list, EditObserver& observer);
// Selects every visible drawable item and every group frame; the panel of the selection is
// asked for.
void SelectAllItems(ItemList& list, EditObserver& observer);
// How far Duplicate moves its copies: one grid step in each direction while the grid is shown,
// else 10 pixels.
Point DuplicateOffset(const ItemList& list);
// Adds copies of the selection moved by offset, above everything, as one step; the copies
// become the selection (pasted groups get numbers of their own). Whether anything was copied.
bool DuplicateSelection(ItemList& list, Point offset, EditObserver& observer);
// Makes the selection one group (nested groups are flattened) as one step.
void JoinItems(ItemList& list, EditObserver& observer);
// Dissolves the selected groups as one step.
void SplitGroup(ItemList& list, EditObserver& observer);
// Enables "Join Items" for two or more selected (a group counting once), "Split Group" for
// any selected group member.
void UpdateJoinSplit(ItemList& list, EditObserver& observer);

// Adds a stamp no record of the list carries yet to every selected item and returns it.
int32_t StampSelection(ItemList& list, std::mt19937& random);
// Whether a visible drawable item carries the stamp.
bool HasStamped(const ItemList& list, int32_t stamp);
// Selects exactly the visible drawable items carrying the stamp; whether there were any.
bool SelectStamped(ItemList& list, int32_t stamp, EditObserver& observer);

}  // namespace quillon
