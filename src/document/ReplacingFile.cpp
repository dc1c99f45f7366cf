// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ReplacingFile.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace quillon {
namespace {

QString TemporaryPrefix(const QFileInfo& target) {
  return QLatin1Char('.') + target.fileName() + QLatin1String(".quillon-");
}

// The process id in the name of a temporary file ".NAME.quillon-PID-XXXXXX.tmp", or 0 when the
// name is not one.
qint64 OwnerOf(const QString& fileName) {
  static const QRegularExpression pattern(
      QStringLiteral("^\\..+\\.quillon-([1-9][0-9]{0,9})-[0-9]{6}\\.tmp$"),
      QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = pattern.match(fileName);
  if (!match.hasMatch()) return 0;
  const qint64 pid = match.captured(1).toLongLong();
  return pid <= 0x7FFFFFFF ? pid : 0;
}

// Whether the process that named a temporary file is gone; a process of another user, or one
// whose state cannot be told, counts as running.
bool OwnerIsGone(qint64 pid) {
  if (pid == ::getpid()) return false;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes the temporary files that outputs into the folder left behind when they were killed,
// whatever they were writing; files of running processes stay.
void RemoveStaleTemporaries(const QDir& folder) {
  const QStringList names = folder.entryList({QStringLiteral(".*.quillon-*.tmp")},
                                             QDir::Files | QDir::Hidden | QDir::NoSymLinks);
  for (const QString& name : names) {
    const qint64 pid = OwnerOf(name);
    if (pid != 0 && OwnerIsGone(pid)) QFile::remove(folder.filePath(name));
  }
}

QString SystemError(int code) {
  return QString::fromLocal8Bit(std::strerror(code));
}

// Why a write or flush of the file failed, from the error number of the system call that
// failed: Qt says "Unknown error" when the system took part of the bytes and refused the rest.
QString WriteFailure(const QFile& file, int systemError) {
  if (systemError != 0) return SystemError(systemError);
  if (file.error() != QFileDevice::NoError) return file.errorString();
  return QStringLiteral("Not all of it could be written");
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
  RemoveStaleTemporaries(info.absoluteDir());
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

bool ReplacingFile::Write(const char* data, qint64 size) {
  if (failed_ || !file_.isOpen()) return false;
  errno = 0;
  if (file_.write(data, size) == size) return true;
  error_ = WriteFailure(file_, errno);
  failed_ = true;
  return false;
}

bool ReplacingFile::Commit() {
  if (file_.fileName().isEmpty()) return false;
  bool ok = !failed_ && (file_.isOpen() || file_.open(QIODevice::ReadWrite));
  if (ok) {
    errno = 0;
    ok = file_.flush();
    if (!ok) error_ = WriteFailure(file_, errno);
  }
  if (ok && ::fsync(file_.handle()) != 0) {
    error_ = SystemError(errno);
    ok = false;
  }
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
