// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing windows of the main window: their numbers, opening one, activation and the
// Window menu.
#include <QMdiArea>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "canvas/TSandbox.h"
#include "document/PageSetup.h"
#include "output/ui/TPreview.h"
#include "output/ui/TPrsel.h"
#include "page/ui/TPage.h"
#include "shell/HostWindow.h"
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
    RemoveWindowEntry(active->GetWindowId());
    active->Initialize(number, path);
  } else {
    auto* window = new TSandbox(*this);
    connect(&window->Announcements(), &DocumentEvents::selectionChanged, this,
            &TForm1::SelectionChanged);
    // Every edit repaints what it changed; that is when a recovery copy becomes due.
    connect(&window->Announcements(), &DocumentEvents::areaChanged, this,
            [this, window] { DocumentTouched(*window); });
    connect(&window->Announcements(), &DocumentEvents::repaintAll, this,
            [this, window] { DocumentTouched(*window); });
    mdiArea_->addSubWindow(window);
    const QSize area = mdiArea_->viewport()->size();
    const int step = 24 * static_cast<int>(windows.size() % 5);
    window->setGeometry(step, step, std::max(320, area.width() * 4 / 5),
                        std::max(240, area.height() * 4 / 5));
    window->Initialize(number, path);
    mdiArea_->setActiveSubWindow(window);
  }
  // The panel shows the opened document, also when it came into the window already open.
  FollowActiveWindow(true);
  // A damaged file opens already changed: its copy is due as for any change.
  if (TSandbox* opened = ActiveWindow(); opened != nullptr && IsModified(opened->GetItems())) {
    DocumentTouched(*opened);
  }
  EnableDocumentCommands(true);
}

void TForm1::SubWindowActivated(QMdiSubWindow* sub) {
  // A window being destroyed is no longer a drawing window.
  auto* window = qobject_cast<TSandbox*>(sub);
  if (window == activeWindow_) return;
  if (activeWindow_ != nullptr && !activeWindow_->IsClosing()) activeWindow_->FormDeactivate();
  activeWindow_ = window;
  if (window != nullptr) window->FormActivate();
  FollowActiveWindow();
  UpdateSelectionCommands();
}

void TForm1::WindowTitleChanged(TSandbox& window) {
  const int32_t number = window.GetWindowId();
  QAction* entry = nullptr;
  for (QAction* action : windowMenu_->actions()) {
    if (action->property("tag").toInt() == number) entry = action;
  }
  if (entry == nullptr) {
    entry = windowMenu_->addAction(window.GetTitle());
    entry->setCheckable(true);
    entry->setProperty("tag", number);
    connect(entry, &QAction::triggered, this, [this, number] {
      for (TSandbox* w : Windows()) {
        if (w->GetWindowId() == number) mdiArea_->setActiveSubWindow(w);
      }
      // The entry stays checked only for the window in front.
      if (TSandbox* active = ActiveWindow()) WindowIsCurrent(*active);
    });
  }
  entry->setText(window.GetTitle());
  windowMenu_->menuAction()->setVisible(true);
  // A saved document needs no recovery copy any more.
  if (!IsModified(window.GetItems())) recovery_->Remove(number);
  if (&window == ActiveWindow()) SetCurrentFileTitle(window.GetTitle());
}

void TForm1::WindowIsCurrent(TSandbox& window) {
  const int32_t number = window.GetWindowId();
  for (QAction* action : windowMenu_->actions()) {
    action->setChecked(action->property("tag").toInt() == number);
  }
  SetCurrentFileTitle(window.GetTitle());
}

void TForm1::SetCurrentFileTitle(const QString& title) {
  currentFileTitle_ = title;
  const bool shown = !title.isEmpty();
  for (QAction* entry : {psCurrentFile_, gasCurrentFile_}) {
    entry->setText(title);
    entry->setVisible(shown);
  }
  psSeparator_->setVisible(shown);
  gasSeparator_->setVisible(shown);
}

void TForm1::RemoveWindowEntry(int32_t number) {
  for (QAction* action : windowMenu_->actions()) {
    if (action->property("tag").toInt() == number) {
      windowMenu_->removeAction(action);
      action->deleteLater();
    }
  }
  if (windowMenu_->actions().isEmpty()) {
    windowMenu_->menuAction()->setVisible(false);
    SetCurrentFileTitle(QString());
  }
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
  RemoveWindowEntry(window.GetWindowId());
  recovery_->Remove(window.GetWindowId());
  timer4_->start();
  // The window that comes to the front, if any, brings its panel once this one is gone.
  QTimer::singleShot(0, this, [this] {
    if (!ending_) FollowActiveWindow();
  });
}

}  // namespace quillon
