// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of recovery copies: a changed document gets a copy when the recovery
// timer runs out, a copy that cannot be written is said once in the status bar, and a start
// offers the copies that an ended program left behind.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "document/Recovery.h"

class QLabel;
class QTimer;

namespace quillon {

class TForm1;
class TSandbox;

class RecoveryCopies {
 public:
  // The timer is a child of the frame; problems show in the status text.
  RecoveryCopies(TForm1& form, QLabel* statusText);
  ~RecoveryCopies();

  // Seconds from a change to its recovery copy, 0 for none.
  void SetInterval(int32_t seconds);
  // A document changed: its copy is due when the timer runs out.
  void DocumentTouched(TSandbox& window);
  // Offers the copies left behind by programs that no longer run (TRecover) and restores,
  // discards or keeps them as the user chooses.
  void Offer();
  // A window closed or was saved: its copy goes.
  void Forget(int32_t number) { writer_->Remove(number); }
  RecoveryWriter& Writer() { return *writer_; }

 private:
  // Writes the copies of the documents changed since the last ones.
  void WriteDueCopies();
  void WriteCopy(TSandbox& window);
  void Restore(const std::vector<LeftBehindCopy>& copies);
  // What became of a copy: an empty problem when it was written.
  void CopyWritten(const QString& problem);

  TForm1& form_;
  QLabel* statusText_;
  QTimer* timer_ = nullptr;
  std::set<int32_t> touched_;
  std::unique_ptr<RecoveryWriter> writer_;
  // Whether this run told the user that recovery copies cannot be written.
  bool problemSaid_ = false;
  QString problemText_;
};

}  // namespace quillon
