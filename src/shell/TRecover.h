// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog offered at start when copies of documents with unsaved changes were left behind
// by a Quillon that ended without closing them: "Restore", "Discard" or "Later".
#pragma once

#include <QDialog>
#include <vector>

#include "document/Recovery.h"

namespace quillon {

enum class RecoveryChoice { Restore, Discard, Later };

inline constexpr char kRecoveryCaption[] = "Recover documents";
// Shown in the status line when a recovery copy cannot be written; %1 is the folder and why.
inline constexpr char kRecoveryWriteFailed[] =
    "Recovery copies of changed documents cannot be written in %1. Save your changes.";
inline constexpr char kRecoveryText[] =
    "Quillon ended without saving these documents. Restore them as they were at the time shown?";

class TRecover : public QDialog {
  Q_OBJECT
 public:
  TRecover(const std::vector<LeftBehindCopy>& copies, QWidget* parent = nullptr);
  // The button pressed; closing the dialog otherwise is "Later".
  RecoveryChoice Choice() const { return choice_; }

 private:
  void Choose(RecoveryChoice choice);

  RecoveryChoice choice_ = RecoveryChoice::Later;
};

}  // namespace quillon
