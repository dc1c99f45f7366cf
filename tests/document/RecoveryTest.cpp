// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Recovery.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "support/DocumentFixtures.h"

namespace quillon::test {
namespace {

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
    if (cases[i].records >= 0) EXPECT_EQ(int(read.size()), cases[i].records) << cases[i].name;
  }
  left.Discard();
  EXPECT_FALSE(QDir(folder).exists());
}

}  // namespace
}  // namespace quillon::test
