// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Recovery.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <functional>
#include <mutex>
#include <thread>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "support/DocumentFixtures.h"

namespace quillon::test {
namespace {

// Writes bytes to a named pipe whenever a reader has it open, until destroyed; a reader that
// opens the pipe and waits for a writer is thus answered instead of hanging the test.
class PipeFeeder {
 public:
  PipeFeeder(const QString& path, QByteArray bytes)
      : path_(QFile::encodeName(path)), bytes_(std::move(bytes)) {
    EXPECT_EQ(::mkfifo(path_.constData(), 0600), 0) << path.toStdString();
    thread_ = std::thread([this] {
      while (!stop_) {
        // Opening the writing end waits until a reader opens the pipe (the destructor is one).
        const int fd = ::open(path_.constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
          if (errno == EINTR) continue;
          return;  // no pipe to feed
        }
        if (stop_) {
          ::close(fd);
          return;
        }
        ++opened_;
        // A reader that stops reading leaves the rest unwritten rather than holding the writer.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        [[maybe_unused]] const ssize_t written = ::write(fd, bytes_.constData(), bytes_.size());
        ::close(fd);
      }
    });
  }
  ~PipeFeeder() {
    stop_ = true;
    // Opening the reading end releases a writer that waits for a reader; it stays open until
    // the writer has ended, so a writer that comes round once more is released as well.
    const int release = ::open(path_.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    thread_.join();
    if (release >= 0) ::close(release);
  }
  // How often a reader had the pipe open.
  int Opened() const { return opened_; }

 private:
  QByteArray path_;
  QByteArray bytes_;
  std::atomic<bool> stop_{false};
  std::atomic<int> opened_{0};
  std::thread thread_;
};

class RecoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    AddPage(document_);
    AddRectangle(document_, {10, 10}, {90, 60});
    AddRectangle(document_, {40, 40}, {140, 90});
    SetModified(document_, true);
  }
  QString Root() const { return dir_.filePath(QStringLiteral("recovery")); }
  RecoveryNote Note() const {
    return {QStringLiteral("/drawings/card.qlln"), QStringLiteral("card"),
            QDateTime(QDate(2026, 5, 1), QTime(10, 30))};
  }
  // The copies of a writer as a program that was killed leaves them: the same files in a
  // folder whose lock is gone.
  QString LeaveBehind(RecoveryWriter& writer, const QString& name = QStringLiteral("4242-dead")) {
    writer.Flush();
    const QString folder = QDir(Root()).filePath(name);
    QDir().mkpath(folder);
    for (const QString& file : QDir(writer.Folder()).entryList({"*.qlln", "*.note"}, QDir::Files))
      QFile::copy(QDir(writer.Folder()).filePath(file), QDir(folder).filePath(file));
    return folder;
  }

  QString NoteJson(const char* title) const {
    return QStringLiteral("{\"path\": \"/elsewhere/%1.qlln\", \"title\": \"%1\"}")
        .arg(QString::fromLatin1(title));
  }

  QTemporaryDir dir_;
  ItemList document_;
};

TEST_F(RecoveryTest, FolderFollowsXdgStateHomeAndFallsBackToTheHomeForRelativeOrEmpty) {
  const QByteArray saved = qgetenv("XDG_STATE_HOME");
  qputenv("XDG_STATE_HOME", "/tmp/state-here");
  EXPECT_EQ(RecoveryFolder(), QStringLiteral("/tmp/state-here/Quillon/recovery"));
  const QString fallback = QDir::home().filePath(QStringLiteral(".local/state/Quillon/recovery"));
  for (const char* value : {"", "relative/state"}) {
    qputenv("XDG_STATE_HOME", value);
    EXPECT_EQ(RecoveryFolder(), fallback) << value;
  }
  qputenv("XDG_STATE_HOME", saved);
}

TEST_F(RecoveryTest, SnapshotIsTheSavedFileAndKeepsTheModifiedMark) {
  const RecoverySnapshot snapshot = TakeSnapshot(document_, Note());
  EXPECT_TRUE(IsModified(document_));
  const QString saved = dir_.filePath(QStringLiteral("saved.qlln"));
  ASSERT_TRUE(WriteDocument(saved, document_).ok());
  EXPECT_EQ(snapshot.bytes, ReadAll(saved));
}

TEST_F(RecoveryTest, CopyAndNoteAreWrittenAndACleanEndRemovesTheFolder) {
  QString folder;
  {
    RecoveryWriter writer(Root());
    EXPECT_TRUE(writer.Folder().isEmpty());  // nothing is made before the first copy
    ASSERT_TRUE(writer.Write(18601, TakeSnapshot(document_, Note())));
    writer.Flush();
    folder = writer.Folder();
    EXPECT_TRUE(folder.startsWith(Root()));
    EXPECT_TRUE(QFile::exists(writer.CopyPath(18601)));
    EXPECT_TRUE(QFile::exists(writer.NotePath(18601)));
    writer.Remove(18601);
    writer.Flush();
    EXPECT_FALSE(QFile::exists(writer.CopyPath(18601)));
    EXPECT_FALSE(QFile::exists(writer.NotePath(18601)));
    ASSERT_TRUE(writer.Write(18602, TakeSnapshot(document_, Note())));
  }
  EXPECT_FALSE(QDir(folder).exists());
}

TEST_F(RecoveryTest, CopiesOfARunningProgramAreLeftAloneAndThoseOfAnEndedOneOffered) {
  RecoveryWriter running(Root());
  ASSERT_TRUE(running.Write(18601, TakeSnapshot(document_, Note())));
  running.Flush();
  {
    // A second program sees the first one's folder as taken.
    LeftBehind second(Root());
    EXPECT_TRUE(second.empty());
    second.Discard();
  }
  EXPECT_TRUE(QFile::exists(running.CopyPath(18601)));

  LeaveBehind(running);
  LeftBehind left(Root(), running.Folder());
  ASSERT_EQ(left.Copies().size(), 1u);
  const LeftBehindCopy& copy = left.Copies().front();
  EXPECT_EQ(copy.note.originalPath, Note().originalPath);
  EXPECT_EQ(copy.note.title, Note().title);
  EXPECT_EQ(copy.note.written, Note().written);
  ItemList read;
  ASSERT_TRUE(ReadRecoveryCopy(copy.copyPath, read));
  // The copy is the document as a save writes it, and reads back whole.
  EXPECT_EQ(ReadAll(copy.copyPath), TakeSnapshot(document_, {}).bytes);
  EXPECT_EQ(read.size(), document_.size());
  {
    // While one start holds the copies, another does not offer them too.
    LeftBehind other(Root(), running.Folder());
    EXPECT_TRUE(other.empty());
  }
}

TEST_F(RecoveryTest, LaterKeepsTheCopiesForTheNextStartAndDiscardDeletesThem) {
  RecoveryWriter writer(Root());
  ASSERT_TRUE(writer.Write(18601, TakeSnapshot(document_, Note())));
  ASSERT_TRUE(writer.Write(18602, TakeSnapshot(document_, Note())));
  const QString folder = LeaveBehind(writer);
  {
    LeftBehind later(Root(), writer.Folder());
    EXPECT_EQ(later.Copies().size(), 2u);
    later.Release();
  }
  LeftBehind next(Root(), writer.Folder());
  EXPECT_EQ(next.Copies().size(), 2u);
  next.Discard();
  EXPECT_TRUE(next.empty());
  EXPECT_FALSE(QDir(folder).exists());
  EXPECT_TRUE(LeftBehind(Root(), writer.Folder()).empty());
}

TEST_F(RecoveryTest, DamagedCopiesAreOfferedAsFarAsTheyReadAndCanBeDiscarded) {
  const QByteArray whole = TakeSnapshot(document_, Note()).bytes;
  QByteArray wrongMagic = whole;
  wrongMagic[60] = 0;
  QByteArray newer = whole;
  newer[323] = char(200);
  struct Case {
    const char* name;
    QByteArray copy;
    QByteArray note;
    int records;  // records read back; -1 for any number
  };
  const Case cases[] = {
      {"cut inside the last record", whole.left(whole.size() - 500), {}, 3},
      {"cut inside the first record", whole.left(300), "{\"path\": 7", 0},
      {"empty", {}, "not json at all", 0},
      {"noise", QByteArray(5000, '\xa5'), QByteArray(100000, 'x'), -1},
      {"wrong magic", wrongMagic, {}, 4},
      {"newer version", newer, {}, 4},
  };
  const QString folder = QDir(Root()).filePath(QStringLiteral("777-damaged"));
  QDir().mkpath(folder);
  int key = 1;
  for (const Case& c : cases) {
    const QString name = QString::number(key++);
    ASSERT_TRUE(WriteAll(QDir(folder).filePath(name + ".qlln"), c.copy));
    if (!c.note.isEmpty()) WriteAll(QDir(folder).filePath(name + ".note"), c.note);
  }
  LeftBehind left(Root());
  ASSERT_EQ(left.Copies().size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const LeftBehindCopy& copy = left.Copies()[i];
    EXPECT_FALSE(copy.note.title.isEmpty()) << cases[i].name;
    EXPECT_TRUE(copy.note.written.isValid()) << cases[i].name;
    ItemList read;
    EXPECT_TRUE(ReadRecoveryCopy(copy.copyPath, read)) << cases[i].name;
    if (cases[i].records >= 0) {
      EXPECT_EQ(int(read.size()), cases[i].records) << cases[i].name;
    }
  }
  left.Discard();
  EXPECT_FALSE(QDir(folder).exists());
}

// A note or copy is what lies in the recovery folder: a link is not followed (one to /dev/zero
// would be read without end) and a pipe is not waited on (it would hold up the start).
TEST_F(RecoveryTest, NotesAreReadOnlyFromRegularFilesInTheFolderAndNeverWaitedOn) {
  const QByteArray copy = TakeSnapshot(document_, Note()).bytes;
  const QString folder = QDir(Root()).filePath(QStringLiteral("777-ended"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString elsewhere = dir_.filePath(QStringLiteral("elsewhere.note"));
  ASSERT_TRUE(WriteAll(elsewhere, NoteJson("linked").toUtf8()));
  for (const char* key : {"1", "2", "3"})
    ASSERT_TRUE(WriteAll(QDir(folder).filePath(QString::fromLatin1(key) + ".qlln"), copy));
  ASSERT_TRUE(QFile::link(elsewhere, QDir(folder).filePath(QStringLiteral("1.note"))));
  PipeFeeder pipe(QDir(folder).filePath(QStringLiteral("2.note")), NoteJson("piped").toUtf8());
  ASSERT_TRUE(WriteAll(QDir(folder).filePath(QStringLiteral("3.note")), NoteJson("kept").toUtf8()));

  LeftBehind left(Root());
  EXPECT_EQ(pipe.Opened(), 0);
  ASSERT_EQ(left.Copies().size(), 3u);
  // The copies behind the link and the pipe keep their own names; the regular note is read.
  const std::pair<const char*, const char*> expected[] = {{"1", ""}, {"2", ""}, {"3", "kept"}};
  for (size_t i = 0; i < std::size(expected); ++i) {
    const auto& [title, original] = expected[i];
    const RecoveryNote& note = left.Copies()[i].note;
    if (*original == '\0') {
      EXPECT_EQ(note.title, QString::fromLatin1(title));
      EXPECT_TRUE(note.originalPath.isEmpty()) << note.originalPath.toStdString();
    } else {
      EXPECT_EQ(note.title, QString::fromLatin1(original));
    }
  }
}

TEST_F(RecoveryTest, CopiesAreReadOnlyFromRegularFilesInTheFolder) {
  const QByteArray copy = TakeSnapshot(document_, Note()).bytes;
  const QString whole = dir_.filePath(QStringLiteral("whole.qlln"));
  ASSERT_TRUE(WriteAll(whole, copy));
  const QString link = dir_.filePath(QStringLiteral("link.qlln"));
  ASSERT_TRUE(QFile::link(whole, link));
  PipeFeeder pipe(dir_.filePath(QStringLiteral("pipe.qlln")), copy);
  const std::pair<QString, bool> cases[] = {
      {link, false}, {dir_.filePath(QStringLiteral("pipe.qlln")), false}, {whole, true}};
  for (const auto& [path, readable] : cases) {
    ItemList read;
    EXPECT_EQ(ReadRecoveryCopy(path, read), readable) << path.toStdString();
    EXPECT_EQ(read.size(), readable ? document_.size() : 0u) << path.toStdString();
  }
  EXPECT_EQ(pipe.Opened(), 0);
}

// The lock of an ended program's folder is read to learn whether that program runs: one that
// is a pipe or a link is not this program's, and its folder is neither read nor offered.
TEST_F(RecoveryTest, AFolderWhoseLockIsNotARegularFileIsLeftAloneUnread) {
  const QByteArray copy = TakeSnapshot(document_, Note()).bytes;
  const QString piped = QDir(Root()).filePath(QStringLiteral("777-piped"));
  const QString linked = QDir(Root()).filePath(QStringLiteral("778-linked"));
  for (const QString& folder : {piped, linked}) {
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WriteAll(QDir(folder).filePath(QStringLiteral("1.qlln")), copy));
  }
  PipeFeeder pipe(QDir(piped).filePath(QStringLiteral("owner.lock")), "1\nquillon\nhost\n");
  const QString elsewhere = dir_.filePath(QStringLiteral("elsewhere.lock"));
  ASSERT_TRUE(WriteAll(elsewhere, "1\nquillon\nhost\n"));
  ASSERT_TRUE(QFile::link(elsewhere, QDir(linked).filePath(QStringLiteral("owner.lock"))));

  LeftBehind left(Root());
  EXPECT_TRUE(left.empty());
  EXPECT_EQ(pipe.Opened(), 0);
  left.Discard();
  EXPECT_TRUE(QFile::exists(QDir(piped).filePath(QStringLiteral("1.qlln"))));
  EXPECT_TRUE(QFile::exists(QDir(linked).filePath(QStringLiteral("1.qlln"))));
  EXPECT_EQ(ReadAll(elsewhere), "1\nquillon\nhost\n");
}

// A copy that cannot be written is told, with the folder and the reason; so is one written.
TEST_F(RecoveryTest, TheOutcomeOfEveryCopySaysWhetherItWasWrittenAndWhyNot) {
  struct Case {
    const char* name;
    std::function<void(const QString& root)> spoil;  // done before the copy is asked for
    bool queued;                                     // whether Write takes the copy
    const char* reason;                              // empty when the copy is written
  };
  const Case cases[] = {
      {"a writable folder", [](const QString&) {}, true, ""},
      {"a file where the folder goes",
       [](const QString& root) {
         QDir().mkpath(QFileInfo(root).path());
         WriteAll(root, "in the way");
       },
       false, "Not a directory"},
  };
  int n = 0;
  for (const Case& c : cases) {
    const QString root = dir_.filePath(QStringLiteral("case%1/recovery").arg(n++));
    c.spoil(root);
    std::vector<QString> told;
    std::mutex guard;
    RecoveryWriter writer(root, [&](const QString& problem) {
      std::lock_guard<std::mutex> lock(guard);
      told.push_back(problem);
    });
    EXPECT_EQ(writer.Write(18601, TakeSnapshot(document_, Note())), c.queued) << c.name;
    writer.Flush();
    ASSERT_EQ(told.size(), 1u) << c.name;
    if (*c.reason == '\0') {
      EXPECT_TRUE(told[0].isEmpty()) << c.name << ": " << told[0].toStdString();
    } else {
      EXPECT_TRUE(told[0].contains(root)) << told[0].toStdString();
      EXPECT_TRUE(told[0].contains(QString::fromLatin1(c.reason))) << told[0].toStdString();
    }
  }
  // A copy whose place is taken by a folder fails on the writing thread, and is told too.
  std::vector<QString> told;
  std::mutex guard;
  RecoveryWriter writer(dir_.filePath(QStringLiteral("taken")), [&](const QString& problem) {
    std::lock_guard<std::mutex> lock(guard);
    told.push_back(problem);
  });
  ASSERT_TRUE(writer.Write(18601, TakeSnapshot(document_, Note())));
  writer.Flush();
  ASSERT_TRUE(QFile::remove(writer.CopyPath(18601)));
  ASSERT_TRUE(QDir().mkdir(writer.CopyPath(18601)));
  ASSERT_TRUE(writer.Write(18601, TakeSnapshot(document_, Note())));
  writer.Flush();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_TRUE(told[0].isEmpty());
  EXPECT_TRUE(told[1].contains(QStringLiteral("It is a folder"))) << told[1].toStdString();
}

}  // namespace
}  // namespace quillon::test
