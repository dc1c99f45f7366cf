// SPDX-License-Identifier: GPL-3.0-or-later
// Work that may take a while, shown to the user: how far it has come, and a way to stop it. The
// desktop shows a dialog only when the work lasts; the tests script when to stop.
#pragma once

#include <QString>
#include <memory>

namespace quillon {

// One piece of work under way; it disappears when destroyed.
class ProgressShow {
 public:
  virtual ~ProgressShow() = default;
  // How far the work has come, from 0 to 1; false once the user asked to stop.
  virtual bool Report(double done) = 0;
};

class ProgressDialogs {
 public:
  virtual ~ProgressDialogs() = default;
  // Starts showing a piece of work with a caption ("Printing...").
  virtual std::unique_ptr<ProgressShow> Begin(const QString& caption) = 0;
};

}  // namespace quillon
