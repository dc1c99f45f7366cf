// SPDX-License-Identifier: GPL-3.0-or-later
// The Open and Save As dialogs of documents: which file is read or written, the last
// document folder, the last opened file and the recently used files they feed.
#pragma once

#include <QString>
#include <functional>

#include "document/ItemList.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"
#include "settings/TParams.h"

namespace quillon {

inline constexpr char kDocumentFilter[] = "All files (*.*)|*.*|Quillon files (*.qlln)|*.qlln";
inline constexpr char kDocumentExtension[] = "qlln";

class DocumentDialogs {
 public:
  // addRecent puts a path at the top of the recently used files.
  DocumentDialogs(FileDialogs& dialogs, Prompter& prompter, TParams& params,
                  std::function<void(const QString&)> addRecent);

  // The Open dialog: the chosen full path, or empty when cancelled. The file's folder becomes
  // the last document folder, and the file the last opened one and the most recent file.
  QString ChooseDocumentToOpen();

  // The Save As dialog proposing the file name of currentPath, then "Replace the existing
  // file?" for an existing file, then the write. Returns the path written; empty when the user
  // cancelled or declined, or when the write failed (which is reported and leaves the document
  // marked modified).
  QString SaveDocumentAs(const QString& currentPath, ItemList& list);

  // Writes list to path, reporting a failure; whether it was written.
  bool Write(const QString& path, ItemList& list);

  const QString& LastOpened() const { return lastOpened_; }
  // A document opened by another way than the dialog (Reopen, the desktop, the command line)
  // is the last opened file too.
  void RememberOpened(const QString& path) { lastOpened_ = path; }

 private:
  FileDialogRequest Request(const char* title, const QString& fileName) const;

  FileDialogs& dialogs_;
  Prompter& prompter_;
  TParams& params_;
  std::function<void(const QString&)> addRecent_;
  QString lastOpened_;
};

// The caption of a document's window: its title, with an asterisk while it has unsaved changes.
QString DocumentCaption(const QString& title, bool modified);

}  // namespace quillon
