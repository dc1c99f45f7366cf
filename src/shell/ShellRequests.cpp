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
#include "settings/SettingsStore.h"
#include "shell/HostWindow.h"
#include "shell/ShellIntegration.h"
#include "shell/TForm1.h"

namespace quillon {
namespace {

// Requests waiting beyond this many are refused.
constexpr std::size_t kMaxWaitingRequests = 16;

}  // namespace

void TForm1::Timer6Timer() {
  formX_->OpenHost(60, 0, QString());
}

void TForm1::ProceedWithSetup(int32_t units) {
  params_.SetNewDocumentUnits(units);
  auto store = OpenSettingsStore();
  const int32_t failed = RecordSetup(*store, units) ? 0 : kUnitWriteFailed;
  if (services_.fileTypes != nullptr) {
    RegisterFileType(*services_.fileTypes, *store, failed);
  } else if (failed != 0) {
    store->setValue(QStringLiteral("CustomSettings/ddeins"), failed);
  }
  setupFinished_ = true;
}

void TForm1::HostXClosed(int code) {
  if (code != 60 || ending_) return;
  // Finished, the start goes on with an empty document; left unfinished, the program ends.
  if (setupFinished_) {
    timer2_->start();
  } else {
    setupEnd_->start();
  }
}

void TForm1::DdeServerConv1ExecuteMacro(const QString& macro) {
  const QString name = MacroFileName(macro);
  // Only whole paths are taken: a relative one would depend on this program's folder.
  if (name.isEmpty() || !QDir::isAbsolutePath(name) || !QFileInfo(name).isFile()) return;
  OpenRequestedFile(name);
}

void TForm1::OpenRequestedFile(const QString& name) {
  if (ending_) return;
  // A file already waiting is not asked for twice, and a flood of requests, each of which may
  // ask the user a question, is refused beyond a few.
  if (requests_.size() >= kMaxWaitingRequests ||
      std::find(requests_.begin(), requests_.end(), name) != requests_.end()) {
    return;
  }
  requests_.push_back(name);
  // The request comes from outside: it is answered after the current event has been handled.
  QTimer::singleShot(0, this, &TForm1::ServeRequests);
}

void TForm1::ServeRequests() {
  if (ending_ || servingRequest_ || requests_.empty()) return;
  // A print or an export is reading a document, which a new file could replace, and a dialog
  // that waits for an answer gets no other on top of it: the requests wait.
  if (output_->Busy() || QApplication::activeModalWidget() != nullptr) {
    requestTimer_->start();
    return;
  }
  const QString name = requests_.front();
  requests_.pop_front();
  // A file that went away while it waited is ignored as at its request.
  if (QFileInfo(name).isFile()) {
    // Questions while opening run an event loop of their own; requests meanwhile wait.
    {
      const QScopedValueRollback serving(servingRequest_, true);
      OpenDocumentWindow(name);
    }
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
  }
  if (!requests_.empty()) QTimer::singleShot(0, this, &TForm1::ServeRequests);
}

}  // namespace quillon
