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
#include "platform/Timers.h"
#include "shell/FrameTimers.h"
#include "shell/RecoveryCopies.h"
#include "shell/TForm1.h"
#include "shell/TRecover.h"

namespace quillon {

RecoveryCopies::RecoveryCopies(TForm1& form, QLabel* statusText)
    : form_(form), statusText_(statusText) {
  timer_ = OneShot(&form, "RecoveryTimer", kRecoveryInterval * 1000);
  QObject::connect(timer_, &QTimer::timeout, &form, [this] { WriteDueCopies(); });
  // Copies are written on a thread of their own; what became of them is told here.
  writer_ = std::make_unique<RecoveryWriter>(RecoveryFolder(), [this](const QString& problem) {
    QMetaObject::invokeMethod(
        &form_, [this, problem] { CopyWritten(problem); }, Qt::QueuedConnection);
  });
}

RecoveryCopies::~RecoveryCopies() = default;

void RecoveryCopies::SetInterval(int32_t seconds) {
  TParams& params = form_.Params();
  params.recoveryInterval = std::max(0, seconds);
  timer_->setInterval(params.recoveryInterval * 1000);
  if (params.recoveryInterval == 0) {
    timer_->stop();
    touched_.clear();
  }
}

void RecoveryCopies::DocumentTouched(TSandbox& window) {
  if (form_.Params().recoveryInterval <= 0 || form_.Ending()) return;
  touched_.insert(window.GetWindowId());
  if (!timer_->isActive()) timer_->start();
}

void RecoveryCopies::WriteDueCopies() {
  const std::set<int32_t> touched = std::exchange(touched_, {});
  for (TSandbox* window : form_.Windows()) {
    if (touched.count(window->GetWindowId()) != 0) WriteCopy(*window);
  }
}

void RecoveryCopies::WriteCopy(TSandbox& window) {
  if (form_.Params().recoveryInterval <= 0 || window.IsClosing() ||
      !IsModified(window.GetItems())) {
    return;
  }
  const QString path = window.FileName().trimmed();
  const RecoveryNote note{path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath(),
                          window.GetTitle(), QDateTime::currentDateTime()};
  writer_->Write(window.GetWindowId(), TakeSnapshot(window.GetItems(), note));
}

void RecoveryCopies::CopyWritten(const QString& problem) {
  if (problem.isEmpty()) {
    // Copies are written again: the message is no longer true.
    if (!problemText_.isEmpty() && statusText_->text() == problemText_) {
      statusText_->clear();
      statusText_->setToolTip(QString());
    }
    return;
  }
  // Said once per run: every later copy would fail for the same reason.
  if (problemSaid_) return;
  problemSaid_ = true;
  problemText_ = QString::fromLatin1(kRecoveryWriteFailed).arg(problem);
  statusText_->setText(problemText_);
  statusText_->setToolTip(problemText_);
}

void RecoveryCopies::Offer() {
  LeftBehind left(RecoveryFolder(), writer_->Folder());
  if (left.empty()) {
    // Folders of ended programs without a copy go quietly.
    left.Discard();
    return;
  }
  // The empty start document waits: restored documents make it unnecessary.
  const bool startPending = form_.Timers().StartDocumentDue();
  form_.Timers().CancelStartDocument();
  TRecover dialog(left.Copies(), &form_);
  dialog.exec();
  switch (dialog.Choice()) {
    case RecoveryChoice::Restore:
      Restore(left.Copies());
      left.Discard();
      break;
    case RecoveryChoice::Discard:
      left.Discard();
      break;
    case RecoveryChoice::Later:
      left.Release();
      break;
  }
  if (startPending) form_.Timers().OpenStartDocumentSoon();
}

void RecoveryCopies::Restore(const std::vector<LeftBehindCopy>& copies) {
  for (const LeftBehindCopy& copy : copies) {
    ItemList records(form_.Params().screen);
    if (!ReadRecoveryCopy(copy.copyPath, records)) continue;
    form_.OpenDocumentWindow(QString());
    TSandbox* window = form_.ActiveWindow();
    if (window == nullptr) continue;
    window->Restore(window->GetWindowId(), records, copy.note.originalPath);
    // The restored document is copied again at once: the old copy goes with the dialog.
    WriteCopy(*window);
  }
  writer_->Flush();
}

}  // namespace quillon
