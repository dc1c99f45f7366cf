// SPDX-License-Identifier: GPL-3.0-or-later
// What an edit of a document tells the window that shows it. The drawing window implements
// it; document code never reaches up to widgets. Every notification does nothing by default.
#pragma once

#include "document/Geometry.h"

namespace quillon {

class EditObserver {
 public:
  virtual ~EditObserver() = default;
  // Any gesture in progress ends and the handle marks of every item are removed.
  virtual void EndGesture() {}
  // An area of the document (document pixels) must be drawn again.
  virtual void RepaintArea(const Rect&) {}
  // The whole canvas must be drawn again; the selection marks follow later when deferred.
  virtual void RepaintAll(bool deferMarks) { (void)deferMarks; }
  virtual void UndoAvailable(bool) {}
  virtual void RedoAvailable(bool) {}
  virtual void PasteAvailable(bool) {}
  virtual void JoinSplitAvailable(bool join, bool split) { (void)join, (void)split; }
  // The side panel that fits the selection, by tool number.
  virtual void ShowPanel(int toolNumber) { (void)toolNumber; }
  // Items were selected or deselected.
  virtual void SelectionChanged() {}
  // After Cut the pointer tool is current again.
  virtual void ReturnToPointerTool() {}
};

}  // namespace quillon
