// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Recovery.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <QThreadPool>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "document/ReplacingFile.h"

namespace quillon {
namespace {

constexpr char kLockName[] = "owner.lock";
constexpr char kCopySuffix[] = ".qlln";
constexpr char kNoteSuffix[] = ".note";
// Notes larger than this are not read: a note holds a path, a title and a time.
constexpr qint64 kNoteSizeLimit = 64 * 1024;
// A lock file holds a process id, a program and a host name.
constexpr qint64 kLockSizeLimit = 64 * 1024;

// Whether path names nothing, or a regular file of at most limit bytes that is not a link.
bool AbsentOrSmallRegular(const QString& path, qint64 limit) {
  struct stat status {};
  if (::lstat(QFile::encodeName(path).constData(), &status) != 0) return errno == ENOENT;
  return S_ISREG(status.st_mode) && status.st_size <= limit;
}

// Opens a file of a recovery folder for reading as it lies there: a link is not followed and
// a pipe or a device is not waited on; only a regular file of at most limit bytes opens.
bool OpenRegularFile(const QString& path, qint64 limit, QFile& file) {
  // A look first, so that a pipe is not even opened; the checks after opening hold against a
  // file replaced in between.
  if (!AbsentOrSmallRegular(path, limit)) return false;
  const int fd =
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > limit) {
    ::close(fd);
    return false;
  }
  // From here the file owns the handle and closes it.
  return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}

QString WithoutFullStop(QString reason) {
  while (reason.endsWith(QLatin1Char('.')))
    reason.chop(1);
  return reason;
}

QByteArray NoteBytes(const RecoveryNote& note) {
  QJsonObject object;
  object.insert(QStringLiteral("path"), note.originalPath);
  object.insert(QStringLiteral("title"), note.title);
  object.insert(QStringLiteral("time"), note.written.toUTC().toString(Qt::ISODateWithMs));
  return QJsonDocument(object).toJson();
}

// Writes bytes whole or not at all; why not when it fails, empty when it was written.
QString WriteWhole(const QString& path, const QByteArray& bytes) {
  ReplacingFile file(path);
  if (!file.Open()) return file.error();
  if (!file.Write(bytes.constData(), bytes.size())) return file.error();
  if (!file.Commit()) return file.error();
  return {};
}

// What can be read of a note; a missing or damaged note leaves the copy's file name as title
// and its modification time as time.
RecoveryNote ReadNote(const QString& notePath, const QString& copyPath) {
  RecoveryNote note;
  note.written = QFileInfo(copyPath).lastModified();
  QFile file;
  // A file that grew past the limit since it was opened is not a note either.
  QByteArray bytes;
  if (OpenRegularFile(notePath, kNoteSizeLimit, file)) bytes = file.read(kNoteSizeLimit + 1);
  if (!bytes.isEmpty() && bytes.size() <= kNoteSizeLimit) {
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    note.originalPath = object.value(QStringLiteral("path")).toString();
    note.title = object.value(QStringLiteral("title")).toString();
    const QDateTime time =
        QDateTime::fromString(object.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    if (time.isValid()) note.written = time.toLocalTime();
  }
  if (note.title.trimmed().isEmpty()) {
    note.title = note.originalPath.isEmpty() ? QFileInfo(copyPath).completeBaseName()
                                             : QFileInfo(note.originalPath).completeBaseName();
  }
  return note;
}

// Answers every question of the reader so that a recovery copy reads as far as it goes.
class ReadOnRegardless : public Prompter {
 public:
  PromptAnswer Ask(std::string_view, PromptStyle, PromptButtons buttons) override {
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
  }
};

std::unique_ptr<QLockFile> HeldLock(const QString& folder) {
  auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QString::fromLatin1(kLockName)));
  // Held for the whole run: only a program that no longer runs loses it.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

}  // namespace

QString RecoveryFolder() {
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  if (state.isEmpty() || QDir::isRelativePath(state)) {
    state = QDir::home().filePath(QStringLiteral(".local/state"));
  }
  return QDir(state).filePath(QStringLiteral("Quillon/recovery"));
}

RecoverySnapshot TakeSnapshot(ItemList& list, const RecoveryNote& note) {
  RecoverySnapshot snapshot;
  snapshot.note = note;
  QBuffer buffer(&snapshot.bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!WriteDocumentTo(buffer, list).ok()) snapshot.bytes.clear();
  return snapshot;
}

RecoveryWriter::RecoveryWriter(QString root, Outcome outcome)
    : root_(std::move(root)),
      outcome_(std::move(outcome)),
      queue_(std::make_unique<QThreadPool>()) {
  queue_->setMaxThreadCount(1);
}

RecoveryWriter::~RecoveryWriter() {
  Flush();
  if (folder_.isEmpty()) return;
  lock_.reset();
  QDir(folder_).removeRecursively();
}

QString RecoveryWriter::EnsureFolder() {
  if (lock_ != nullptr) return {};
  const QString name = QStringLiteral("%1-%2")
                           .arg(QCoreApplication::applicationPid())
                           .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
  const QString folder = QDir(root_).filePath(name);
  std::error_code error;
  std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
  if (error) return QString::fromLocal8Bit(error.message());
  QFile::setPermissions(folder,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  lock_ = HeldLock(folder);
  if (lock_ == nullptr) {
    QDir().rmdir(folder);
    return QStringLiteral("The folder cannot be locked");
  }
  folder_ = folder;
  return {};
}

void RecoveryWriter::Report(const QString& problem) const {
  if (!outcome_) return;
  outcome_(problem.isEmpty() ? QString()
                             : QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(root_),
                                                             WithoutFullStop(problem)));
}

QString RecoveryWriter::CopyPath(int32_t key) const {
  return QDir(folder_).filePath(QString::number(key) + QString::fromLatin1(kCopySuffix));
}

QString RecoveryWriter::NotePath(int32_t key) const {
  return QDir(folder_).filePath(QString::number(key) + QString::fromLatin1(kNoteSuffix));
}

bool RecoveryWriter::Write(int32_t key, RecoverySnapshot snapshot) {
  if (snapshot.bytes.isEmpty()) return false;
  if (const QString problem = EnsureFolder(); !problem.isEmpty()) {
    Report(problem);
    return false;
  }
  const QString copy = CopyPath(key);
  const QString note = NotePath(key);
  queue_->start([this, copy, note, snapshot = std::move(snapshot)] {
    // The copy first: a note never names a copy that is not there yet.
    QString problem = WriteWhole(copy, snapshot.bytes);
    if (problem.isEmpty()) problem = WriteWhole(note, NoteBytes(snapshot.note));
    Report(problem);
  });
  return true;
}

void RecoveryWriter::Remove(int32_t key) {
  if (folder_.isEmpty()) return;
  const QString copy = CopyPath(key);
  const QString note = NotePath(key);
  queue_->start([copy, note] {
    QFile::remove(note);
    QFile::remove(copy);
  });
}

void RecoveryWriter::Flush() {
  queue_->waitForDone();
}

LeftBehind::LeftBehind(const QString& root, const QString& ownFolder) {
  const QFileInfoList entries =
      QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
  for (const QFileInfo& entry : entries) {
    const QString path = entry.absoluteFilePath();
    if (!ownFolder.isEmpty() && SameFile(path, ownFolder)) continue;
    // The lock is read to learn whether its program runs: a lock that is a link, a pipe or a
    // device is not one this program made, and its folder is left alone.
    if (!AbsentOrSmallRegular(QDir(path).filePath(QString::fromLatin1(kLockName)), kLockSizeLimit))
      continue;
    std::unique_ptr<QLockFile> lock = HeldLock(path);
    if (lock == nullptr) continue;  // its program still runs
    const QString suffix = QString::fromLatin1(kCopySuffix);
    const QFileInfoList files = QDir(path).entryInfoList(
        {QStringLiteral("*") + suffix}, QDir::Files | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo& file : files) {
      const QString copy = file.absoluteFilePath();
      const QString note =
          copy.left(copy.size() - suffix.size()) + QString::fromLatin1(kNoteSuffix);
      copies_.push_back({copy, ReadNote(note, copy)});
    }
    folders_.push_back({path, std::move(lock)});
  }
}

LeftBehind::~LeftBehind() {
  Release();
}

void LeftBehind::Discard() {
  for (Folder& folder : folders_) {
    folder.lock.reset();
    QDir(folder.path).removeRecursively();
  }
  folders_.clear();
  copies_.clear();
}

void LeftBehind::Release() {
  folders_.clear();
}

bool ReadRecoveryCopy(const QString& path, ItemList& target) {
  QFile file;
  if (!OpenRegularFile(path, kDocumentSizeLimit, file)) return false;
  ReadOnRegardless answers;
  if (!ReadDocumentFrom(file, target, answers).ok()) target.Clear();
  return true;
}

}  // namespace quillon
