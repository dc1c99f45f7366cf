// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's part in living on the desktop: the first-time setup at the first start and
// the open requests that the desktop and later starts of the program send.
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "output/ui/OutputDialogs.h"
#include "settings/SettingsStore.h"
#include "shell/HostWindow.h"
#include "shell/ShellIntegration.h"
#include "shell/TForm1.h"

namespace quillon {

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
  // The request comes from outside: it is answered after the current event has been handled.
  QTimer::singleShot(0, this, [this, name] { OpenRequestedFile(name); });
}

void TForm1::OpenRequestedFile(const QString& name) {
  if (ending_) return;
  // A print or an export is reading a document, which a new file could replace: it waits.
  if (output_->Busy()) {
    QTimer::singleShot(200, this, [this, name] { OpenRequestedFile(name); });
    return;
  }
  OpenDocumentWindow(name);
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

}  // namespace quillon
