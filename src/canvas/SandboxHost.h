// SPDX-License-Identifier: GPL-3.0-or-later
// What a drawing window asks of the main frame that holds it: the shared settings and
// dialogs, and the menus, toolbar and side panel that follow the current window.
#pragma once

#include <QString>
#include <cstdint>

#include "canvas/DocumentDialogs.h"
#include "document/ItemRecord.h"
#include "platform/Clipboard.h"
#include "platform/Prompter.h"
#include "settings/TParams.h"

namespace quillon {

class TSandbox;

class SandboxHost {
 public:
  virtual ~SandboxHost() = default;

  virtual TParams& Params() = 0;
  virtual Prompter& Prompts() = 0;
  virtual DocumentDialogs& Dialogs() = 0;
  virtual Clipboard& SystemClipboard() = 0;

  // The window's title changed: its Window-menu entry shows the new one.
  virtual void WindowTitleChanged(TSandbox& window) = 0;
  // The window is the current one: Window-menu check mark and "Current File" entries.
  virtual void WindowIsCurrent(TSandbox& window) = 0;
  // The Grid, Anchors and Snap menus and buttons from a page setup record.
  virtual void SetGridMenus(const ItemRecord& page) = 0;
  // The settings' zoom changed to the window's: slider, label and Zoom menu follow.
  virtual void ZoomShown() = 0;
  virtual void UndoRedoAvailable(bool undo, bool redo) = 0;
  virtual void PasteAvailable(bool available) = 0;
  virtual void JoinSplitAvailable(bool join, bool split) = 0;
  // Switches the side panel to a tool number.
  virtual void ShowTool(int32_t toolNumber) = 0;
  virtual void AddRecentFile(const QString& path) = 0;
  // The tool the next new window starts with, and the window's tool when it is left.
  virtual int32_t StartMode() const = 0;
  virtual void RememberMode(int32_t mode) = 0;
  // A picture file was opened as a document: it goes to the picture clip editor.
  virtual void OpenPictureFile(const QString& path) = 0;
  // The selected picture was double-clicked: its clip is edited in the clip editor.
  virtual void EditPictureClip() {}
  // The window is being destroyed.
  virtual void WindowDestroyed(TSandbox& window) = 0;
};

}  // namespace quillon
