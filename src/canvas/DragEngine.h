// SPDX-License-Identifier: GPL-3.0-or-later
// The drag engine: what pulling a handle of the selection does to every selected item. Each
// step is computed from the state the items had when the drag began (kept by BeginEdit in
// their drag-start copies and reference points), never from the previous step.
#pragma once

#include <cstdint>
#include <vector>

#include "document/EditObserver.h"
#include "document/ItemList.h"
#include "render/GeometryContext.h"

namespace quillon {

// What a drag needs of one item's starting state that its record does not keep.
struct DragStart {
  ItemRecord* item = nullptr;
  Point pivot;            // the item's centre, about which its rotation dot turns it
  double frameAngle = 0;  // a group frame's angle
  int32_t textAngle = 0;
};

struct DragSession {
  int32_t handle = 0;
  Point groupPivot;  // the reference point of the last selected group frame
  std::vector<DragStart> items;
};

// Opens a drag of handle over the selected items of the list, which BeginEdit has just cloned.
DragSession StartDrag(ItemList& list, int32_t handle);

// Every item of the session as the pointer moved from start to current (document pixels);
// returns the document area the items now cover.
Rect ApplyDrag(const DragSession& session, Point start, Point current,
               const GeometryContext& context);

// One item for a drag of handle from start to current; groupPivot turns groups (handle 500).
void DragItem(const DragStart& start, int32_t handle, Point from, Point to, Point groupPivot,
              const GeometryContext& context);

// Puts every item back to its state when the drag began.
void RestoreDragStart(const DragSession& session, const GeometryContext& context);

// The end of a drag: pictures whose box changed take their new scale.
void FinishDrag(const DragSession& session, const GeometryContext& context);

// Moves the selection by `by` document pixels (the arrow keys): a new undo step, or with
// continueRun the step the previous move of the run opened. Returns the document area the
// items covered before and after; an empty rectangle when nothing is selected.
Rect NudgeSelection(ItemList& list, EditObserver& observer, Point by, bool continueRun,
                    const GeometryContext& context);

}  // namespace quillon
