// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of recovery copies: a changed document gets a copy when the recovery
// timer runs out, and a start offers the copies that an ended program left behind.
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <algorithm>

#include "canvas/TSandbox.h"
#include "document/PageSetup.h"
#include "shell/TForm1.h"
#include "shell/TRecover.h"

namespace quillon {

void TForm1::SetRecoveryInterval(int32_t seconds) {
  params_.recoveryInterval = std::max(0, seconds);
  recoveryTimer_->setInterval(params_.recoveryInterval * 1000);
  if (params_.recoveryInterval == 0) {
    recoveryTimer_->stop();
    touched_.clear();
  }
}

void TForm1::DocumentTouched(TSandbox& window) {
  if (params_.recoveryInterval <= 0 || ending_) return;
  touched_.insert(window.GetWindowId());
  if (!recoveryTimer_->isActive()) recoveryTimer_->start();
}

void TForm1::RecoveryTimerTimer() {
  const std::set<int32_t> touched = std::exchange(touched_, {});
  for (TSandbox* window : Windows()) {
    if (touched.count(window->GetWindowId()) != 0) WriteRecoveryCopy(*window);
  }
}

void TForm1::WriteRecoveryCopy(TSandbox& window) {
  if (params_.recoveryInterval <= 0 || window.IsClosing() || !IsModified(window.GetItems())) {
    return;
  }
  const QString path = window.FileName().trimmed();
  const RecoveryNote note{path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath(),
                          window.GetTitle(), QDateTime::currentDateTime()};
  recovery_->Write(window.GetWindowId(), TakeSnapshot(window.GetItems(), note));
}

void TForm1::RecoveryCopyWritten(const QString& problem) {
  if (problem.isEmpty()) {
    // Copies are written again: the message is no longer true.
    if (!recoveryProblemText_.isEmpty() && statusText_->text() == recoveryProblemText_) {
      statusText_->clear();
      statusText_->setToolTip(QString());
    }
    return;
  }
  // Said once per run: every later copy would fail for the same reason.
  if (recoveryProblemSaid_) return;
  recoveryProblemSaid_ = true;
  recoveryProblemText_ = QString::fromLatin1(kRecoveryWriteFailed).arg(problem);
  statusText_->setText(recoveryProblemText_);
  statusText_->setToolTip(recoveryProblemText_);
}

void TForm1::OfferRecovery() {
  LeftBehind left(RecoveryFolder(), recovery_->Folder());
  if (left.empty()) {
    // Folders of ended programs without a copy go quietly.
    left.Discard();
    return;
  }
  // The empty start document waits: restored documents make it unnecessary.
  const bool startPending = timer2_->isActive();
  timer2_->stop();
  TRecover dialog(left.Copies(), this);
  dialog.exec();
  switch (dialog.Choice()) {
    case RecoveryChoice::Restore:
      RestoreCopies(left.Copies());
      left.Discard();
      break;
    case RecoveryChoice::Discard:
      left.Discard();
      break;
    case RecoveryChoice::Later:
      left.Release();
      break;
  }
  if (startPending) timer2_->start();
}

void TForm1::RestoreCopies(const std::vector<LeftBehindCopy>& copies) {
  for (const LeftBehindCopy& copy : copies) {
    ItemList records(params_.screen);
    if (!ReadRecoveryCopy(copy.copyPath, records)) continue;
    OpenDocumentWindow(QString());
    TSandbox* window = ActiveWindow();
    if (window == nullptr) continue;
    window->Restore(window->GetWindowId(), records, copy.note.originalPath);
    // The restored document is copied again at once: the old copy goes with the dialog.
    WriteRecoveryCopy(*window);
  }
  recovery_->Flush();
}

}  // namespace quillon
