// SPDX-License-Identifier: GPL-3.0-or-later
// The progress dialog of the desktop: it appears only when the work lasts longer than about
// half a second, and its "Cancel" button stops the work.
#pragma once

#include <QPointer>

#include "platform/Progress.h"

class QWidget;

namespace quillon {

// How long work runs before its progress dialog appears.
inline constexpr int kProgressDelayMs = 500;

class QtProgressDialogs : public ProgressDialogs {
 public:
  explicit QtProgressDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  std::unique_ptr<ProgressShow> Begin(const QString& caption) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quillon
