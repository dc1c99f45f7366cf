// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtProgress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <algorithm>
#include <cmath>

namespace quillon {
namespace {

constexpr int kSteps = 1000;

class QtProgressShow : public ProgressShow {
 public:
  QtProgressShow(const QString& caption, QWidget* parent)
      : dialog_(caption, QStringLiteral("Cancel"), 0, kSteps, parent) {
    dialog_.setWindowTitle(QStringLiteral("Quillon"));
    // Modal, the dialog keeps every other window still while the work reads the document;
    // once shown it takes its own events (the Cancel button) at each report.
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setMinimumDuration(kProgressDelayMs);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setValue(0);
    clock_.start();
  }

  bool Report(double done) override {
    if (dialog_.wasCanceled()) return false;
    // Work done within the delay never shows a dialog.
    if (clock_.elapsed() < kProgressDelayMs) return true;
    const int step = static_cast<int>(std::lround(std::clamp(done, 0.0, 1.0) * (kSteps - 1)));
    if (step > dialog_.value()) dialog_.setValue(step);
    // The dialog takes its events at each later report; the first time it appears it is
    // painted at once rather than at the next report, which may be seconds away.
    if (dialog_.isVisible() && !painted_) {
      painted_ = true;
      QCoreApplication::processEvents();
    }
    return !dialog_.wasCanceled();
  }

 private:
  QProgressDialog dialog_;
  QElapsedTimer clock_;
  bool painted_ = false;
};

}  // namespace

std::unique_ptr<ProgressShow> QtProgressDialogs::Begin(const QString& caption) {
  return std::make_unique<QtProgressShow>(caption, parent_);
}

}  // namespace quillon
