// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery copies: while a document has unsaved changes, a copy of it and a note of where it
// came from are kept in the user's state folder, so that a crash, a killed process or a power
// cut loses at most the last minute. Each running program keeps its copies in a folder of its
// own, held by a lock file; a later start offers the copies of programs that no longer run.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "document/ItemList.h"

class QLockFile;
class QThreadPool;

namespace quillon {

// Seconds between a change and its recovery copy unless the user chose otherwise.
inline constexpr int32_t kRecoveryInterval = 60;

// "$XDG_STATE_HOME/Quillon/recovery", with "~/.local/state" when the variable is not set or
// not an absolute path.
QString RecoveryFolder();

// Where a recovery copy came from.
struct RecoveryNote {
  QString originalPath;  // empty for a document never saved
  QString title;
  QDateTime written;
};

// A document as it stood when the copy was asked for: its file bytes, taken on the calling
// thread so that the document can change on while they are written.
struct RecoverySnapshot {
  QByteArray bytes;
  RecoveryNote note;
};
// The file bytes of list as a save would write them; the list's modified mark is kept.
RecoverySnapshot TakeSnapshot(ItemList& list, const RecoveryNote& note);

// This program's recovery copies, one per document key (the window number). Files are written
// and removed in order on a thread of their own; the folder and its lock are made on the first
// copy, and a clean end removes them with every copy.
class RecoveryWriter {
 public:
  // Told after every copy asked for: an empty text when it was written, otherwise the folder
  // and why not. Called on the writing thread, or on the caller's when no folder can be made.
  using Outcome = std::function<void(const QString& problem)>;

  explicit RecoveryWriter(QString root, Outcome outcome = {});
  ~RecoveryWriter();
  RecoveryWriter(const RecoveryWriter&) = delete;
  RecoveryWriter& operator=(const RecoveryWriter&) = delete;

  // Queues the copy of a document; false (and the outcome told) when the folder or its lock
  // cannot be made.
  bool Write(int32_t key, RecoverySnapshot snapshot);
  // Queues the removal of a document's copy.
  void Remove(int32_t key);
  // Blocks until every queued write and removal is done.
  void Flush();
  // This program's own folder (empty before the first copy).
  QString Folder() const { return folder_; }
  // The copy's and the note's paths of a key.
  QString CopyPath(int32_t key) const;
  QString NotePath(int32_t key) const;

 private:
  // Why the folder cannot be made, empty when it is there.
  QString EnsureFolder();
  void Report(const QString& problem) const;

  QString root_;
  Outcome outcome_;
  QString folder_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QThreadPool> queue_;
};

// A copy left behind by a program that no longer runs.
struct LeftBehindCopy {
  QString copyPath;
  RecoveryNote note;  // what could be read of it; the title falls back to the file's name
};

// The copies of every program under root that no longer runs, each folder locked for this
// program until Release or Discard; folders of running programs are not touched.
class LeftBehind {
 public:
  explicit LeftBehind(const QString& root, const QString& ownFolder = {});
  ~LeftBehind();
  LeftBehind(const LeftBehind&) = delete;
  LeftBehind& operator=(const LeftBehind&) = delete;

  const std::vector<LeftBehindCopy>& Copies() const { return copies_; }
  bool empty() const { return copies_.empty(); }
  // Deletes every copy, its note and its folder.
  void Discard();
  // Keeps the copies for a later start.
  void Release();

 private:
  struct Folder {
    QString path;
    std::unique_ptr<QLockFile> lock;
  };
  std::vector<Folder> folders_;
  std::vector<LeftBehindCopy> copies_;
};

// Reads a recovery copy as far as it is whole: a wrong magic number is read on without asking,
// and a newer version or a cut is not reported. The target gets what was read, possibly
// nothing; false when the file cannot be opened or is not a regular file (a link is not
// followed) of at most kDocumentSizeLimit bytes.
bool ReadRecoveryCopy(const QString& path, ItemList& target);

}  // namespace quillon
