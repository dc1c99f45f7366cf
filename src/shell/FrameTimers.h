// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's one-shot timers, each named by what it does when it runs out. The timers
// are children of the frame under their historic names (Timer1 ...).
#pragma once

#include <cstdint>

class QTimer;

namespace quillon {

class TForm1;

class FrameTimers {
 public:
  explicit FrameTimers(TForm1& form);

  // Runs a tool shortly, after the current command (Timer1).
  void RunToolSoon(int32_t tool);
  // Opens an empty document shortly when none is open (Timer2); whether one is due.
  void OpenStartDocumentSoon();
  bool StartDocumentDue() const;
  void CancelStartDocument();
  // Lowers the toolbar's raised buttons after five seconds (Timer3).
  void RestButtonsLater();
  // The last window closed: zoom, panel, menus and commands return to their start (Timer4).
  void ResetWhenNoWindow();
  // Reads the fonts of the system shortly after the start (Timer5).
  void ListFontsSoon();
  // The shadow settings were saved: every open document takes the light direction and is
  // drawn again (Timer7).
  void RedrawShadowsSoon();

 private:
  void RunPendingTool();
  void OpenStartDocument();
  void ResetWithoutWindow();
  void RedrawShadows();

  TForm1& form_;
  int32_t pendingTool_ = 0;
  QTimer* runTool_ = nullptr;
  QTimer* startDocument_ = nullptr;
  QTimer* restButtons_ = nullptr;
  QTimer* noWindow_ = nullptr;
  QTimer* fonts_ = nullptr;
  QTimer* shadows_ = nullptr;
};

}  // namespace quillon
