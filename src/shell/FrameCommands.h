// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's command handlers in three groups: the File menu (documents, printing and
// exporting), the Edit menu (steps, the clipboard and the selection's commands) and the Tools,
// Customize and Help menus with the toolbar's buttons. Each acts on the active drawing window
// or opens a host window.
#pragma once

#include <cstdint>

namespace quillon {

class TForm1;
class TSandbox;

class FileCommands {
 public:
  explicit FileCommands(TForm1& form) : form_(form) {}

  void New1Click();
  void Open1Click();
  void OpenRecentFile(int position);
  void Clear1Click();
  void Save1Click();
  void SaveAs1Click();
  void Close1Click();
  void psCurrentFile1Click();
  void psNewFiles1Click();
  void gasCurrentFile1Click();
  void gasNewFiles1Click();
  void Print1Click();
  void PrintPreview1Click();
  void Screenshot1Click();
  void Exact1Click();
  void Smooth1Click();
  void Resolution1Click();
  void Exit1Click();
  // Prints the window's sheet with its print selection through the print dialog.
  void PrintWindow(TSandbox& window);
  // Shows the print preview of the window in TFormX.
  void OpenPreview(TSandbox& window);

 private:
  TForm1& form_;
};

class EditingCommands {
 public:
  explicit EditingCommands(TForm1& form) : form_(form) {}

  void Undo1Click();
  void Redo1Click();
  void ClearUndoandRedo1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void CopytoClipboard1Click();
  void EditMenuShown();
  void Join1Click();
  void Split1Click();
  // Copy, then Cut: what is cut stays in the paste buffer.
  void CutandCopy1Click();
  // A copy of the selection one grid step (or 10 pixels) right and down, as one step.
  void Duplicate1Click();
  void SelectAll1Click();
  // The selection one place up or down the stacking order, as one step.
  void BringForward1Click();
  void SendBackward1Click();
  // The active document's selection changed: the Edit commands and buttons follow.
  void SelectionChanged();
  void UpdateSelectionCommands();
  void UndoRedoAvailable(bool undo, bool redo);
  void PasteAvailable(bool available);
  void JoinSplitAvailable(bool join, bool split);

 private:
  // Runs a headless command on the active window's document after its gesture ended; a
  // command that changed nothing has the selection marks drawn again.
  template <class Command>
  void OnActiveDocument(Command command);

  TForm1& form_;
  bool selectionCommandsStale_ = false;
};

class ToolCommands {
 public:
  explicit ToolCommands(TForm1& form) : form_(form) {}

  void ChooseGrid(int mode);
  void ChooseAnchors(int mode);
  void ChooseSnap(int mode);
  void ResetGrid(int flags);
  void Customize1Click();
  void Speed1Click();
  void CalibratePrinter1Click();
  void Colors1Click();
  void ShowAll1Click();
  void ShowNone1Click();
  void HelpMenuShown();
  void About1Click();
  // Opens the user guide, or says why it cannot.
  void Contents1Click();
  void KeyboardShortcuts1Click();
  void ZoomIn1Click();
  void ZoomOut1Click();
  void ToolbarButtonReleased(int number);

 private:
  TForm1& form_;
};

}  // namespace quillon
