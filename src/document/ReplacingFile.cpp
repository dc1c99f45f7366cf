// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ReplacingFile.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace quillon {
namespace {

QString TemporaryPrefix(const QFileInfo& target) {
  return QLatin1Char('.') + target.fileName() + QLatin1String(".quillon-");
}

// Whether the process that named a temporary file "...quillon-PID-XXXXXX.tmp" is gone.
bool OwnerIsGone(const QString& fileName, qsizetype prefixLength) {
  const QString rest = fileName.mid(prefixLength);
  bool ok = false;
  const qint64 pid = rest.section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
  if (!ok || pid <= 0 || pid > 0x7FFFFFFF) return false;
  if (pid == ::getpid()) return false;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes temporary files of the target that earlier runs, killed while saving, left behind.
void RemoveStaleTemporaries(const QFileInfo& target) {
  const QString prefix = TemporaryPrefix(target);
  QDir folder = target.absoluteDir();
  const QStringList names =
      folder.entryList({prefix + QLatin1String("*.tmp")}, QDir::Files | QDir::Hidden);
  for (const QString& name : names) {
    // The name filter reads wildcards in the target's own name: check the prefix exactly.
    if (name.startsWith(prefix) && OwnerIsGone(name, prefix.size())) folder.remove(name);
  }
}

QString SystemError(int code) {
  return QString::fromLocal8Bit(std::strerror(code));
}

}  // namespace

QString OutputProblem(const QString& path) {
  if (path.isEmpty()) return QStringLiteral("No file name was given.");
  struct stat status {};
  // stat follows a link: what counts is the file the name leads to.
  if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
    return errno == ENOENT ? QString() : SystemError(errno) + QLatin1Char('.');
  }
  if (S_ISDIR(status.st_mode)) return QStringLiteral("It is a folder.");
  if (!S_ISREG(status.st_mode)) return QStringLiteral("It is not a regular file.");
  return QString();
}

bool SameFile(const QString& a, const QString& b) {
  struct stat first {
  }, second{};
  return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
         ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

ReplacingFile::ReplacingFile(const QString& target) : target_(target) {
  // A link is followed: the file it leads to is replaced, the link stays.
  const QFileInfo info(target);
  if (info.isSymLink() && info.exists()) target_ = info.canonicalFilePath();
}

ReplacingFile::~ReplacingFile() {
  if (!committed_) Discard();
}

bool ReplacingFile::Open() {
  if (const QString problem = OutputProblem(target_); !problem.isEmpty()) {
    error_ = problem;
    return false;
  }
  const QFileInfo info(target_);
  RemoveStaleTemporaries(info);
  const QString stem = info.absoluteDir().filePath(TemporaryPrefix(info)) +
                       QString::number(::getpid()) + QLatin1Char('-');
  for (int attempt = 0; attempt < 16; ++attempt) {
    const QString suffix = QString::number(QRandomGenerator::global()->generate() % 1000000)
                               .rightJustified(6, QLatin1Char('0'));
    file_.setFileName(stem + suffix + QLatin1String(".tmp"));
    if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
      if (info.exists()) file_.setPermissions(info.permissions());
      return true;
    }
    if (file_.error() != QFileDevice::OpenError || !QFileInfo::exists(file_.fileName())) break;
  }
  error_ = file_.errorString();
  file_.setFileName(QString());
  return false;
}

bool ReplacingFile::Commit() {
  if (file_.fileName().isEmpty()) return false;
  bool ok = file_.isOpen() || file_.open(QIODevice::ReadWrite);
  ok = ok && file_.flush() && ::fsync(file_.handle()) == 0;
  if (!ok && error_.isEmpty()) error_ = file_.errorString();
  file_.close();
  if (ok && ::rename(QFile::encodeName(file_.fileName()).constData(),
                     QFile::encodeName(target_).constData()) != 0) {
    error_ = SystemError(errno);
    ok = false;
  }
  if (!ok) {
    Discard();
    return false;
  }
  committed_ = true;
  return true;
}

void ReplacingFile::Discard() {
  if (file_.fileName().isEmpty()) return;
  file_.close();
  QFile::remove(file_.fileName());
  file_.setFileName(QString());
}

}  // namespace quillon
