// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing windows of the main window: their numbers, opening one, activation and the
// Window menu.
#include <QMdiArea>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "canvas/DocumentDialogs.h"
#include "canvas/TSandbox.h"
#include "document/PageSetup.h"
#include "output/ui/OutputDialogs.h"
#include "output/ui/TPreview.h"
#include "output/ui/TPrsel.h"
#include "page/ui/TPage.h"
#include "shell/FrameCommands.h"
#include "shell/FrameTimers.h"
#include "shell/HostWindow.h"
#include "shell/MainMenu.h"
#include "shell/PanelSwitch.h"
#include "shell/RecoveryCopies.h"
#include "shell/TForm1.h"

namespace quillon {

int32_t FreeWindowNumber(const std::vector<int32_t>& used) {
  int32_t number = kWindowNumberBase + 1;
  while (std::find(used.begin(), used.end(), number) != used.end())
    ++number;
  return number;
}

std::vector<TSandbox*> TForm1::Windows() const {
  std::vector<TSandbox*> windows;
  for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
    auto* window = qobject_cast<TSandbox*>(sub);
    if (window != nullptr && !window->IsClosing()) windows.push_back(window);
  }
  return windows;
}

TSandbox* TForm1::ActiveWindow() const {
  auto* window = qobject_cast<TSandbox*>(mdiArea_->currentSubWindow());
  return window != nullptr && !window->IsClosing() && window->IsReady() ? window : nullptr;
}

int32_t TForm1::NextWindowNumber() const {
  std::vector<int32_t> used;
  for (TSandbox* window : Windows())
    used.push_back(window->GetWindowId());
  return FreeWindowNumber(used);
}

void TForm1::OpenDocumentWindow(const QString& path) {
  const int32_t number = NextWindowNumber();
  const std::vector<TSandbox*> windows = Windows();
  TSandbox* active = ActiveWindow();
  if (windows.size() == 1 && active == windows.front() && IsPristine(active->GetItems()) &&
      !path.trimmed().isEmpty()) {
    menu_->RemoveWindowEntry(active->GetWindowId());
    active->Initialize(number, path);
  } else {
    auto* window = new TSandbox(*this);
    connect(&window->Announcements(), &DocumentEvents::selectionChanged, this,
            [this] { editing_->SelectionChanged(); });
    // Every edit repaints what it changed; that is when a recovery copy becomes due.
    connect(&window->Announcements(), &DocumentEvents::areaChanged, this,
            [this, window] { copies_->DocumentTouched(*window); });
    connect(&window->Announcements(), &DocumentEvents::repaintAll, this,
            [this, window] { copies_->DocumentTouched(*window); });
    // Every change is announced, so the caption's unsaved-changes mark follows them all.
    for (auto signal : {&DocumentEvents::undoAvailable, &DocumentEvents::redoAvailable}) {
      connect(&window->Announcements(), signal, this,
              [this, window] { ShowModifiedMark(*window); });
    }
    connect(&window->Announcements(), &DocumentEvents::repaintAll, this,
            [this, window] { ShowModifiedMark(*window); });
    connect(&window->Announcements(), &DocumentEvents::areaChanged, this,
            [this, window] { ShowModifiedMark(*window); });
    mdiArea_->addSubWindow(window);
    const QSize area = mdiArea_->viewport()->size();
    const int step = 24 * static_cast<int>(windows.size() % 5);
    window->setGeometry(step, step, std::max(320, area.width() * 4 / 5),
                        std::max(240, area.height() * 4 / 5));
    window->Initialize(number, path);
    mdiArea_->setActiveSubWindow(window);
  }
  // The panel shows the opened document, also when it came into the window already open.
  panels_->FollowActiveWindow(true);
  // A damaged file opens already changed: its copy is due as for any change.
  if (TSandbox* opened = ActiveWindow(); opened != nullptr && IsModified(opened->GetItems())) {
    copies_->DocumentTouched(*opened);
  }
  menu_->EnableDocumentCommands(true);
}

void TForm1::SubWindowActivated(QMdiSubWindow* sub) {
  // A window being destroyed is no longer a drawing window.
  auto* window = qobject_cast<TSandbox*>(sub);
  if (window == activeWindow_) return;
  if (activeWindow_ != nullptr && !activeWindow_->IsClosing()) activeWindow_->FormDeactivate();
  activeWindow_ = window;
  if (window != nullptr) window->FormActivate();
  panels_->FollowActiveWindow();
  editing_->UpdateSelectionCommands();
}

void TForm1::ShowModifiedMark(TSandbox& window) {
  if (window.IsClosing()) return;
  const QString caption = DocumentCaption(window.GetTitle(), IsModified(window.GetItems()));
  if (window.windowTitle() != caption) window.setWindowTitle(caption);
}

void TForm1::WindowTitleChanged(TSandbox& window) {
  ShowModifiedMark(window);
  menu_->ShowWindowTitle(window);
  // A saved document needs no recovery copy any more.
  if (!IsModified(window.GetItems())) copies_->Forget(window.GetWindowId());
}

void TForm1::WindowIsCurrent(TSandbox& window) {
  menu_->CheckWindow(window);
}

void TForm1::WindowDestroyed(TSandbox& window) {
  if (activeWindow_ == &window) activeWindow_ = nullptr;
  if (ending_) return;
  // A print selection, preview or page setup made for this window goes with it.
  if (auto* selection = qobject_cast<TPrsel*>(formY_->Panel());
      selection != nullptr && selection->Document() == &window.GetItems()) {
    formY_->hide();
  }
  if (auto* preview = qobject_cast<TPreview*>(formX_->Panel());
      preview != nullptr && preview->Document() == &window.GetItems()) {
    formX_->hide();
  }
  if (auto* setup = qobject_cast<TPage*>(formX_->Panel());
      setup != nullptr && setup->Document() == &window.GetItems()) {
    formX_->hide();
  }
  // A start card chosen for its next print is forgotten, so no later document inherits it.
  output_->SetFirstCard(window.GetItems(), 1);
  menu_->RemoveWindowEntry(window.GetWindowId());
  copies_->Forget(window.GetWindowId());
  timers_->ResetWhenNoWindow();
  // The window that comes to the front, if any, brings its panel once this one is gone.
  QTimer::singleShot(0, this, [this] {
    if (!ending_) panels_->FollowActiveWindow();
  });
}

}  // namespace quillon
