// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file so that it appears whole or not at all: the bytes go to a temporary file
// beside the target, which replaces the target only when complete.
#pragma once

#include <QFile>
#include <QString>

namespace quillon {

// Why a file cannot be written at path, in a sentence without the name; empty when it can: the
// path must name a regular file or nothing (a folder, a device or a pipe is refused).
QString OutputProblem(const QString& path);

// Whether two paths name the same existing file (through links and different spellings).
bool SameFile(const QString& a, const QString& b);

// A temporary file ".NAME.quillon-PID-XXXXXX.tmp" beside the target. Temporary files that runs
// no longer alive left in the target's folder are removed when a new one is opened there.
class ReplacingFile {
 public:
  explicit ReplacingFile(const QString& target);
  ~ReplacingFile();  // removes the temporary file unless it was committed
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Creates the temporary file, open for writing; false with error() set when the target
  // cannot be written.
  bool Open();
  QFile& file() { return file_; }
  QString temporaryPath() const { return file_.fileName(); }
  // Writes all size bytes; false with error() set to the cause when the file takes fewer. After
  // a failure nothing more is written and Commit fails.
  bool Write(const char* data, qint64 size);
  // Flushes the temporary file to the disk and renames it over the target; false with error()
  // set (and the temporary file removed) when that fails.
  bool Commit();
  // Removes the temporary file.
  void Discard();
  QString error() const { return error_; }

 private:
  QString target_;
  QFile file_;
  QString error_;
  bool failed_ = false;
  bool committed_ = false;
};

}  // namespace quillon
