// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/RecentFiles.h"

namespace quillon {

void AddRecentFile(RecentFileList& list, const QString& path) {
  if (path.isEmpty()) return;
  const QString wanted = path.toUpper();
  auto found = std::find_if(list.begin(), list.end(),
                            [&](const QString& entry) { return entry.toUpper() == wanted; });
  if (found != list.end()) {
    std::move(found + 1, list.end(), found);
    list.back().clear();
  }
  std::move_backward(list.begin(), list.end() - 1, list.end());
  list.front() = path;
}

QString RecentFileCaption(const QString& path) {
  const QString trimmed = path.trimmed();
  const qsizetype slash = std::max(trimmed.lastIndexOf(u'/'), trimmed.lastIndexOf(u'\\'));
  QString name = trimmed.mid(slash + 1);
  if (const qsizetype dot = name.lastIndexOf(u'.'); dot > 0) name.truncate(dot);
  return name;
}

}  // namespace quillon
