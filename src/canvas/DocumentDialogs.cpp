// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/DocumentDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "document/DocumentFile.h"

namespace quillon {

DocumentDialogs::DocumentDialogs(FileDialogs& dialogs, Prompter& prompter, TParams& params,
                                 std::function<void(const QString&)> addRecent)
    : dialogs_(dialogs), prompter_(prompter), params_(params), addRecent_(std::move(addRecent)) {}

FileDialogRequest DocumentDialogs::Request(const char* title, const QString& fileName) const {
  FileDialogRequest request;
  request.title = QString::fromLatin1(title);
  request.filter = QString::fromLatin1(kDocumentFilter);
  request.filterIndex = 2;
  request.defaultExtension = QString::fromLatin1(kDocumentExtension);
  // The stored folder may come from another system; the user's documents folder, or else the
  // home folder, stands in.
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  request.initialFolder = QFileInfo(params_.docdir).isDir() ? params_.docdir
                          : QFileInfo(documents).isDir()    ? documents
                                                            : QDir::homePath();
  request.initialFileName = fileName;
  return request;
}

QString DocumentDialogs::ChooseDocumentToOpen() {
  const QString chosen = dialogs_.ChooseFileToOpen(Request("Open", lastOpened_)).trimmed();
  if (chosen.isEmpty()) return {};
  const QFileInfo info(chosen);
  const QString path = info.absoluteFilePath();
  params_.docdir = info.absolutePath();
  if (addRecent_) addRecent_(path);
  lastOpened_ = path;
  return path;
}

bool DocumentDialogs::Write(const QString& path, ItemList& list) {
  const FileResult result = WriteDocument(path, list);
  if (result.ok()) return true;
  prompter_.Ask(result.message, PromptStyle::Error, PromptButtons::Ok);
  return false;
}

QString DocumentDialogs::SaveDocumentAs(const QString& currentPath, ItemList& list) {
  const QString fileName = currentPath.isEmpty() ? QString() : QFileInfo(currentPath).fileName();
  const QString chosen = dialogs_.ChooseFileToSave(Request("Save As", fileName)).trimmed();
  if (chosen.isEmpty()) return {};
  const QFileInfo info(chosen);
  const QString path = info.absoluteFilePath();
  params_.docdir = info.absolutePath();
  if (info.exists() && prompter_.Ask(kReplaceQuestion, PromptStyle::Confirmation,
                                     PromptButtons::YesNo) != PromptAnswer::Yes) {
    return {};
  }
  if (!Write(path, list)) return {};
  if (addRecent_) addRecent_(path);
  return path;
}

QString DocumentCaption(const QString& title, bool modified) {
  return modified ? title + u'*' : title;
}

}  // namespace quillon
