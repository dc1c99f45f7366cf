// SPDX-License-Identifier: GPL-3.0-or-later
// What the drawing window does for the main window's commands: tools, keys, grid choices and
// the edits, and what edits tell it back.
#include "canvas/TSandbox.h"

#include "document/EditCommands.h"
#include "document/History.h"
#include "page/AnchorLines.h"

namespace quillon {

void TSandbox::SelectTool(int32_t tool) {
  if (closing_) return;
  const auto rest = [this] {
    step_ = 0;
    mode_ = 0;
  };
  if (tool == 20) {
    rest();
    FullRepaint(true);
  } else if (tool == 34) {
    SelectOnly(items_, nullptr);
    FullRepaint(true);
  } else if (tool == 98 || (tool >= 100 && tool <= 199)) {
    step_ = 0;
    mode_ = tool == 98 ? 1 : tool;
    FullRepaint(true);
  } else if (tool == 99 || (tool >= 200 && tool <= 296) || tool == 299 ||
             (tool >= 1044 && tool <= 1080) || tool == 1025) {
    rest();
  } else if (tool == 300 || tool == 302 || tool == 303) {
    if (tool == 300) step_ = 0;
    mode_ = 31;
  } else if (tool == 301 || tool == 1036) {
    rest();
    DrawSelectionMarks();
  }
}

bool TSandbox::KeyDown(int key, Qt::KeyboardModifiers) {
  if (!acceptsKeys_ || !ready_ || closing_) return false;
  // Delete removes the selection; the caret keys of text entry are the only ones consumed.
  if (key == Qt::Key_Delete && mode_ != 31 && mode_ != 37) CutItems();
  return false;
}

bool TSandbox::CharTyped(QChar) {
  return false;
}

void TSandbox::SetGridMode(int mode) {
  ItemRecord* page = items_.PageRecord();
  if (page == nullptr) return;
  page->setGridHorizontal(mode == 1 || mode == 3 ? 1 : 0);
  page->setGridVertical(mode == 2 || mode == 3 ? 1 : 0);
  FullRepaint(true);
}

void TSandbox::SetAnchorMode(int mode) {
  ItemRecord* page = items_.PageRecord();
  if (page == nullptr) return;
  page->setAnchorsHorizontal(mode == 1 || mode == 3 ? 1 : 0);
  page->setAnchorsVertical(mode == 2 || mode == 3 ? 1 : 0);
}

void TSandbox::SetSnapMode(int mode) {
  ItemRecord* page = items_.PageRecord();
  if (page == nullptr) return;
  page->setSnapHorizontal(mode == 1 || mode == 3 ? 1 : 0);
  page->setSnapVertical(mode == 2 || mode == 3 ? 1 : 0);
}

void TSandbox::ResetGrid(int flags) {
  EndGesture();
  if (!ResetAnchorLines(items_, flags)) return;
  FullRepaint(true);
  RefreshUndoRedo();
}

void TSandbox::ClearUndoAndRedo() {
  ClearHistory(items_, *this);
  FullRepaint(true);
  RefreshUndoRedo();
}

void TSandbox::UndoEdit() {
  Undo(items_, *this);
  RefreshUndoRedo();
}

void TSandbox::RedoEdit() {
  Redo(items_, *this);
  RefreshUndoRedo();
}

void TSandbox::CutItems() {
  CutSelection(items_, *this);
  RefreshUndoRedo();
}

void TSandbox::CopyItems(ItemList& buffer) {
  CopySelection(items_, buffer, *this);
}

void TSandbox::PasteItems(ItemList& buffer) {
  PasteBuffer(buffer, items_, *this);
  RefreshUndoRedo();
}

void TSandbox::BringItemsToFront() {
  BringSelectionToFront(items_, *this);
  RefreshUndoRedo();
}

void TSandbox::SendItemsToBack() {
  SendSelectionToBack(items_, *this);
  RefreshUndoRedo();
}

void TSandbox::JoinSelection() {
  JoinItems(items_, *this);
  RefreshUndoRedo();
}

void TSandbox::SplitSelection() {
  SplitGroup(items_, *this);
  RefreshUndoRedo();
}

void TSandbox::RefreshUndoRedo() {
  host_.UndoRedoAvailable(CanUndo(items_), CanRedo(items_));
}

void TSandbox::EndGesture() {
  mode_ = 0;
  step_ = 0;
  RemoveSelectionMarks();
}

void TSandbox::UndoAvailable(bool) {
  RefreshUndoRedo();
}

void TSandbox::RedoAvailable(bool) {
  RefreshUndoRedo();
}

void TSandbox::PasteAvailable(bool available) {
  host_.PasteAvailable(available);
}

void TSandbox::JoinSplitAvailable(bool join, bool split) {
  host_.JoinSplitAvailable(join, split);
}

void TSandbox::ShowPanel(int toolNumber) {
  host_.ShowTool(toolNumber);
}

void TSandbox::ReturnToPointerTool() {
  mode_ = 0;
  step_ = 0;
  host_.ShowTool(20);
}

}  // namespace quillon
