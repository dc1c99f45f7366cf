// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's part in living on the desktop: the first-time setup at the first start and
// the open requests that the desktop and later starts of the program send.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTimer>
#include <algorithm>

#include "output/ui/OutputDialogs.h"
#include "platform/Timers.h"
#include "settings/SettingsStore.h"
#include "shell/FrameTimers.h"
#include "shell/HostWindow.h"
#include "shell/ShellIntegration.h"
#include "shell/ShellRequests.h"
#include "shell/TForm1.h"

namespace quillon {
namespace {

// Requests waiting beyond this many are refused.
constexpr std::size_t kMaxWaitingRequests = 16;

}  // namespace

FirstTimeSetup::FirstTimeSetup(TForm1& form) : form_(form) {
  open_ = OneShot(&form, "Timer6", 1000);
  QObject::connect(open_, &QTimer::timeout, &form,
                   [this] { form_.HostX()->OpenHost(kHostFirstTimeSetup, 0, QString()); });
  end_ = OneShot(&form, "SetupEnd", 500);
  QObject::connect(end_, &QTimer::timeout, &form, [this] { form_.CloseConfirmed(); });
}

void FirstTimeSetup::OpenSoon() {
  open_->start();
}

void FirstTimeSetup::Proceed(int32_t units) {
  form_.Params().SetNewDocumentUnits(units);
  auto store = OpenSettingsStore();
  const int32_t failed = RecordSetup(*store, units) ? 0 : kUnitWriteFailed;
  if (FileTypeRegistrar* fileTypes = form_.Services().fileTypes) {
    RegisterFileType(*fileTypes, *store, failed);
  } else if (failed != 0) {
    store->setValue(QStringLiteral("CustomSettings/ddeins"), failed);
  }
  finished_ = true;
}

void FirstTimeSetup::HostClosed(int code) {
  if (code != kHostFirstTimeSetup || form_.Ending()) return;
  // Finished, the start goes on with an empty document; left unfinished, the program ends.
  if (finished_) {
    form_.Timers().OpenStartDocumentSoon();
  } else {
    end_->start();
  }
}

OpenRequests::OpenRequests(TForm1& form) : form_(form) {
  retry_ = OneShot(&form, "RequestTimer", 200);
  QObject::connect(retry_, &QTimer::timeout, &form, [this] { Serve(); });
}

void OpenRequests::ExecuteMacro(const QString& macro) {
  const QString name = MacroFileName(macro);
  // Only whole paths are taken: a relative one would depend on this program's folder.
  if (name.isEmpty() || !QDir::isAbsolutePath(name) || !QFileInfo(name).isFile()) return;
  Queue(name);
}

void OpenRequests::Queue(const QString& name) {
  if (form_.Ending()) return;
  // A file already waiting is not asked for twice, and a flood of requests, each of which may
  // ask the user a question, is refused beyond a few.
  if (waiting_.size() >= kMaxWaitingRequests ||
      std::find(waiting_.begin(), waiting_.end(), name) != waiting_.end()) {
    return;
  }
  waiting_.push_back(name);
  // The request comes from outside: it is answered after the current event has been handled.
  QTimer::singleShot(0, &form_, [this] { Serve(); });
}

void OpenRequests::Serve() {
  if (form_.Ending() || serving_ || waiting_.empty()) return;
  // A print or an export is reading a document, which a new file could replace, and a dialog
  // that waits for an answer gets no other on top of it: the requests wait.
  if (form_.Output().Busy() || QApplication::activeModalWidget() != nullptr) {
    retry_->start();
    return;
  }
  const QString name = waiting_.front();
  waiting_.pop_front();
  // A file that went away while it waited is ignored as at its request.
  if (QFileInfo(name).isFile()) {
    // Questions while opening run an event loop of their own; requests meanwhile wait.
    {
      const QScopedValueRollback serving(serving_, true);
      form_.OpenDocumentWindow(name);
    }
    if (form_.isMinimized()) form_.showNormal();
    form_.raise();
    form_.activateWindow();
  }
  if (!waiting_.empty()) QTimer::singleShot(0, &form_, [this] { Serve(); });
}

}  // namespace quillon
