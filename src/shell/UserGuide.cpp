// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/UserGuide.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Prompter.h"

namespace quillon {

QString FindUserGuide(const QString& programFolder) {
  const QDir folder(programFolder);
  for (const QString& candidate : {folder.filePath(QStringLiteral(QUILLON_INSTALLED_GUIDE)),
                                   folder.filePath(QString::fromLatin1(kUserGuideFile))}) {
    const QFileInfo file(candidate);
    if (file.isFile() && file.isReadable()) return file.canonicalFilePath();
  }
  return {};
}

UserGuideWindow::UserGuideWindow(const QString& path, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("UserGuide"));
  setWindowTitle(QString::fromLatin1(kUserGuideTitle));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("UserGuideText"));
  text_->setOpenExternalLinks(true);
  text_->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
  column->addWidget(text_);
  resize(640, 720);
}

UserGuideWindow* ShowUserGuide(QWidget& owner, const QString& path) {
  auto* window =
      owner.findChild<UserGuideWindow*>(QStringLiteral("UserGuide"), Qt::FindDirectChildrenOnly);
  if (window == nullptr) window = new UserGuideWindow(path, &owner);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

UserGuideWindow* OpenUserGuide(QWidget& owner, Prompter& prompts, const QString& programFolder) {
  const QString path = FindUserGuide(programFolder);
  if (path.isEmpty()) {
    prompts.Ask(kUserGuideMissing, PromptStyle::Warning, PromptButtons::Ok);
    return nullptr;
  }
  return ShowUserGuide(owner, path);
}

}  // namespace quillon
