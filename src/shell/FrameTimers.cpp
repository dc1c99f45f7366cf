// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FrameTimers.h"

#include <QTimer>

#include "canvas/TSandbox.h"
#include "platform/Timers.h"
#include "settings/FontList.h"
#include "shell/FrameCommands.h"
#include "shell/MainMenu.h"
#include "shell/TForm1.h"
#include "shell/TProcs.h"

namespace quillon {

FrameTimers::FrameTimers(TForm1& form) : form_(form) {
  runTool_ = OneShot(&form, "Timer1", 200);
  startDocument_ = OneShot(&form, "Timer2", 500);
  restButtons_ = OneShot(&form, "Timer3", 5000);
  noWindow_ = OneShot(&form, "Timer4", 200);
  fonts_ = OneShot(&form, "Timer5", 200);
  shadows_ = OneShot(&form, "Timer7", 200);
  QObject::connect(runTool_, &QTimer::timeout, &form, [this] { RunPendingTool(); });
  QObject::connect(startDocument_, &QTimer::timeout, &form, [this] { OpenStartDocument(); });
  QObject::connect(restButtons_, &QTimer::timeout, &form, [this] { form_.Toolbar()->RestAll(); });
  QObject::connect(noWindow_, &QTimer::timeout, &form, [this] { ResetWithoutWindow(); });
  QObject::connect(fonts_, &QTimer::timeout, &form, [this] { EnumerateFonts(form_.Params()); });
  QObject::connect(shadows_, &QTimer::timeout, &form, [this] { RedrawShadows(); });
}

void FrameTimers::RunToolSoon(int32_t tool) {
  pendingTool_ = tool;
  runTool_->start();
}

void FrameTimers::OpenStartDocumentSoon() {
  startDocument_->start();
}

bool FrameTimers::StartDocumentDue() const {
  return startDocument_->isActive();
}

void FrameTimers::CancelStartDocument() {
  startDocument_->stop();
}

void FrameTimers::RestButtonsLater() {
  restButtons_->start();
}

void FrameTimers::ResetWhenNoWindow() {
  noWindow_->start();
}

void FrameTimers::ListFontsSoon() {
  fonts_->start();
}

void FrameTimers::RedrawShadowsSoon() {
  shadows_->start();
}

void FrameTimers::RunPendingTool() {
  const int32_t tool = pendingTool_;
  pendingTool_ = 0;
  form_.RunTool(tool);
}

void FrameTimers::OpenStartDocument() {
  if (form_.Windows().empty()) form_.OpenDocumentWindow(QString());
}

void FrameTimers::ResetWithoutWindow() {
  if (!form_.Windows().empty()) return;
  TParams& params = form_.Params();
  params.zoom = 1.0;
  form_.ZoomShown();
  form_.ShowPanel(kToolPointer, false, false);
  const defaults_t& d = params.defaults;
  MainMenu& menu = form_.Menu();
  menu.SetGridMenu((d.gridHorizontal != 0 ? 1 : 0) + (d.gridVertical != 0 ? 2 : 0));
  menu.SetAnchorMenu((d.anchorsHorizontal != 0 ? 1 : 0) + (d.anchorsVertical != 0 ? 2 : 0));
  menu.SetSnapMenu((d.snapHorizontal != 0 ? 1 : 0) + (d.snapVertical != 0 ? 2 : 0));
  menu.EnableDocumentCommands(false);
  form_.UndoRedoAvailable(false, false);
}

void FrameTimers::RedrawShadows() {
  const std::vector<TSandbox*> windows = form_.Windows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    // A document whose light already falls that way is drawn again all the same.
    if (!(*it)->LightDirectionChanged()) (*it)->FullRepaint(true);
  }
}

}  // namespace quillon
