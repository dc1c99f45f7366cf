// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/FreedesktopFileTypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace quillon {
namespace {

constexpr int kRefreshTimeoutMs = 20000;

QString Under(const QString& root, const char* relative) {
  return QDir(root).filePath(QString::fromLatin1(relative));
}

}  // namespace

FileTypeLocations UserFileTypeLocations() {
  return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
          QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
          QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath()};
}

QByteArray MimePackage() {
  QFile package(QStringLiteral(":/freedesktop/quillon.xml"));
  return package.open(QIODevice::ReadOnly) ? package.readAll() : QByteArray();
}

QString DesktopExecArgument(const QString& program) {
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  QString escaped;
  bool quote = false;
  for (const QChar c : program) {
    if (reserved.contains(c)) quote = true;
    // Inside quotes these four take a backslash; '%' is doubled wherever it stands.
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') escaped += u'\\';
    if (c == u'%') escaped += u'%';
    escaped += c;
  }
  if (quote) escaped = u'"' + escaped + u'"';
  // The desktop entry's own string escape doubles every backslash once more.
  escaped.replace(u'\\', QStringLiteral("\\\\"));
  return escaped;
}

QByteArray DesktopEntry(const QString& program) {
  // The installed entry finds the program on the path; the user's names it in full.
  QFile entry(QStringLiteral(":/freedesktop/quillon.desktop"));
  if (!entry.open(QIODevice::ReadOnly)) return {};
  QList<QByteArray> lines = entry.readAll().split('\n');
  for (QByteArray& line : lines) {
    if (line.startsWith("Exec=")) {
      line = "Exec=" + DesktopExecArgument(program).toUtf8() + " -open %f";
    }
  }
  return lines.join('\n');
}

QByteArray WithDefaultApplication(const QByteArray& mimeapps) {
  const QByteArray group = "[Default Applications]";
  const QByteArray entry = QByteArray(kMimeType) + '=' + kDesktopEntryName;
  QList<QByteArray> lines = mimeapps.split('\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  qsizetype groupLine = -1;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed() == group) groupLine = i;
  }
  if (groupLine < 0) {
    lines << group << entry;
  } else {
    qsizetype end = groupLine + 1;
    bool replaced = false;
    for (; end < lines.size() && !lines[end].trimmed().startsWith('['); ++end) {
      if (lines[end].trimmed().startsWith(QByteArray(kMimeType) + '=')) {
        lines[end] = entry;
        replaced = true;
      }
    }
    if (!replaced) lines.insert(end, entry);
  }
  return lines.join('\n') + '\n';
}

FreedesktopFileTypes::FreedesktopFileTypes(FileTypeLocations locations, QByteArray icon)
    : locations_(std::move(locations)), icon_(std::move(icon)) {}

bool FreedesktopFileTypes::WriteFile(const QString& path, const QByteArray& content) const {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(content) != content.size()) return false;
  return file.commit();
}

bool FreedesktopFileTypes::Refresh(const char* tool, const QString& folder) const {
  const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
  if (program.isEmpty()) return true;
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process.setStandardOutputFile(QProcess::nullDevice());
  process.start(program, {folder});
  if (!process.waitForFinished(kRefreshTimeoutMs)) {
    process.kill();
    process.waitForFinished();
    return false;
  }
  return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool FreedesktopFileTypes::Write(FileTypeStep step) {
  const QString& data = locations_.dataHome;
  switch (step) {
    case FileTypeStep::ExtensionClass: {
      const QString path = Under(locations_.configHome, "mimeapps.list");
      QByteArray existing;
      QFile file(path);
      if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) return false;
        existing = file.readAll();
      }
      return WriteFile(path, WithDefaultApplication(existing));
    }
    case FileTypeStep::ContentType:
      return WriteFile(Under(data, "icons/hicolor/scalable/mimetypes/application-x-quillon.svg"),
                       icon_);
    case FileTypeStep::ClassName:
      return WriteFile(Under(data, "icons/hicolor/scalable/apps/quillon.svg"), icon_);
    case FileTypeStep::OpenCommand:
      return WriteFile(Under(data, "applications/quillon.desktop"),
                       DesktopEntry(locations_.program));
    case FileTypeStep::DdeExecute:
      // The desktop learns from its database which program opens the type.
      return Refresh("update-desktop-database", Under(data, "applications"));
    case FileTypeStep::DdeApplication:
    case FileTypeStep::DdeTopic:
      // The running program is found by the name of its channel: nothing to write here.
      return true;
    case FileTypeStep::MimeExtension:
      return WriteFile(Under(data, "mime/packages/quillon.xml"), MimePackage()) &&
             Refresh("update-mime-database", Under(data, "mime"));
  }
  return false;
}

}  // namespace quillon
