// SPDX-License-Identifier: GPL-3.0-or-later
#include <signal.h>

#include <QApplication>
#include <QBuffer>
#include <QDirIterator>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "canvas/CanvasFixtures.h"
#include "document/DocumentFile.h"
#include "document/EditCommands.h"
#include "document/PageSetup.h"
#include "shell/ShellFixture.h"
#include "shell/TRecover.h"
#include "support/Wait.h"

namespace quillon {
namespace {

class RecoveryShellTest : public test::ShellTest {
 protected:
  void SetUp() override {
    QDir(RecoveryFolder()).removeRecursively();
    test::ShellTest::SetUp();
    Timer("RecoveryTimer")->setInterval(20);
  }
  void TearDown() override {
    test::ShellTest::TearDown();
    QFile::remove(RecoveryFolder());  // a file a test put where the folder goes
    QDir(RecoveryFolder()).removeRecursively();
  }

  // A document of three rectangles opened in a window.
  TSandbox* OpenCard() {
    const QString path = test::WritePixelDocument(Path("Card.qlln"), 300, 200, 3);
    form_->OpenDocumentWindow(path);
    return form_->ActiveWindow();
  }
  // Cuts the window's first rectangle.
  static void Change(TSandbox& window) {
    for (ItemRecord& record : window.GetItems()) {
      if (record.kind() == kKindRectangle && record.hidden() == 0) {
        record.setSelected(255);
        break;
      }
    }
    window.Run(CutSelection);
  }
  QString CopyOf(TSandbox& window) {
    form_->Recovery().Flush();
    return form_->Recovery().Folder().isEmpty() ? QString()
                                                : form_->Recovery().CopyPath(window.GetWindowId());
  }
  bool HasCopy(TSandbox& window) {
    const QString copy = CopyOf(window);
    return !copy.isEmpty() && QFile::exists(copy);
  }
  // Offers the copies left behind, pressing button in the dialog; how many were offered (0
  // when no dialog came).
  int Offer(const char* button) {
    int offered = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<TRecover*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      answer.stop();
      offered = dialog->findChild<QTreeWidget*>(QStringLiteral("Copies"))->topLevelItemCount();
      dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    });
    answer.start(10);
    form_->Copies().Offer();
    return offered;
  }
  // The copies of this form's documents as an ended program leaves them: its folder without
  // the lock.
  void LeaveBehind() {
    form_->Recovery().Flush();
    const QString from = form_->Recovery().Folder();
    const QString to = QDir(RecoveryFolder()).filePath(QStringLiteral("4242-ended"));
    QDir().mkpath(to);
    for (const QString& file : QDir(from).entryList({"*.qlln", "*.note"}, QDir::Files))
      QFile::copy(QDir(from).filePath(file), QDir(to).filePath(file));
  }
  std::vector<QString> NoteFiles() const {
    std::vector<QString> notes;
    QDirIterator it(RecoveryFolder(), {QStringLiteral("*.note")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
      notes.push_back(it.next());
    return notes;
  }
};

TEST_F(RecoveryShellTest, AChangedDocumentIsCopiedAfterTheIntervalAndNotBefore) {
  TSandbox* window = OpenCard();
  ASSERT_NE(window, nullptr);
  window->FullRepaint(false);  // repaints alone copy nothing: the document is unchanged
  test::WaitUntil([&] { return !Timer("RecoveryTimer")->isActive(); });
  EXPECT_FALSE(HasCopy(*window));
  Change(*window);
  EXPECT_FALSE(HasCopy(*window));
  ASSERT_TRUE(test::WaitUntil([&] { return HasCopy(*window); }));
  EXPECT_EQ(test::ReadAll(CopyOf(*window)), TakeSnapshot(window->GetItems(), {}).bytes);
  EXPECT_TRUE(IsModified(window->GetItems()));
}

TEST_F(RecoveryShellTest, AnIntervalOfZeroWritesNoCopy) {
  form_->Params().recoveryInterval = 0;
  TSandbox* window = OpenCard();
  Change(*window);
  // The recovery timer runs out once, as it would after a change, and still writes nothing.
  QSignalSpy ranOut(Timer("RecoveryTimer"), &QTimer::timeout);
  Timer("RecoveryTimer")->start();
  ASSERT_TRUE(test::WaitUntil([&] { return !ranOut.empty(); }));
  EXPECT_FALSE(HasCopy(*window));
}

TEST_F(RecoveryShellTest, SaveNoAtTheClosePromptAndExitRemoveTheCopy) {
  TSandbox* saved = OpenCard();
  Change(*saved);
  ASSERT_TRUE(test::WaitUntil([&] { return HasCopy(*saved); }));
  Trigger("Save1");
  EXPECT_FALSE(HasCopy(*saved));

  TSandbox* declined = OpenCard();
  Change(*declined);
  ASSERT_TRUE(test::WaitUntil([&] { return HasCopy(*declined); }));
  const QString copy = CopyOf(*declined);
  prompter_.answers.push_back(PromptAnswer::No);
  declined->close();
  EXPECT_TRUE(test::WaitUntil([&] {
    form_->Recovery().Flush();
    return !QFile::exists(copy);
  }));

  TSandbox* open = OpenCard();
  Change(*open);
  ASSERT_TRUE(test::WaitUntil([&] { return HasCopy(*open); }));
  const QString folder = form_->Recovery().Folder();
  Restart();
  EXPECT_FALSE(QDir(folder).exists());
  EXPECT_TRUE(NoteFiles().empty());
}

TEST_F(RecoveryShellTest, RestoreOpensTheCopiesModifiedUnderTheirOriginalPathsOrUntitled) {
  TSandbox* card = OpenCard();
  Change(*card);
  TSandbox* untitled = New();
  untitled->GetItems().PageRecord()->setDesignWidth(640);
  SetModified(untitled->GetItems(), true);
  untitled->Announcements().RepaintAll(false);
  ASSERT_TRUE(test::WaitUntil([&] { return HasCopy(*card) && HasCopy(*untitled); }));
  const QByteArray cardBytes = TakeSnapshot(card->GetItems(), {}).bytes;
  LeaveBehind();
  Restart();

  // The empty start document, which the restored ones replace: its timer, made short here, runs
  // out after the dialog.
  QSignalSpy startRanOut(Timer("Timer2"), &QTimer::timeout);
  Timer("Timer2")->setInterval(20);
  Timer("Timer2")->start();
  EXPECT_EQ(Offer("Restore"), 2);
  ASSERT_TRUE(test::WaitUntil([&] { return !startRanOut.empty(); }));
  const std::vector<TSandbox*> windows = form_->Windows();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[0]->FileName(), Path("Card.qlln"));
  EXPECT_EQ(windows[0]->GetTitle(), QStringLiteral("Card"));
  EXPECT_TRUE(windows[1]->FileName().isEmpty());
  EXPECT_TRUE(windows[1]->GetTitle().startsWith(QStringLiteral("Untitled ")));
  EXPECT_EQ(windows[1]->GetItems().PageRecord()->designWidth(), 640);
  for (TSandbox* window : windows) {
    EXPECT_TRUE(IsModified(window->GetItems()));
    EXPECT_TRUE(HasCopy(*window));  // copied again at once, in this program's own folder
  }
  EXPECT_EQ(TakeSnapshot(windows[0]->GetItems(), {}).bytes.size(), cardBytes.size());
  EXPECT_EQ(NoteFiles().size(), 2u);  // the ended program's copies are gone
  EXPECT_EQ(Offer("Restore"), 0);
}

TEST_F(RecoveryShellTest, LaterKeepsTheCopiesDiscardDeletesThemAndARunningProgramsStayAlone) {
  Change(*OpenCard());
  ASSERT_TRUE(test::WaitUntil([&] { return HasCopy(*form_->ActiveWindow()); }));
  LeaveBehind();
  EXPECT_EQ(Offer("Later"), 1);
  EXPECT_TRUE(form_->Windows().size() == 1);
  EXPECT_EQ(Offer("Discard"), 1);
  EXPECT_EQ(Offer("Discard"), 0);
  // This program's own copy was offered to nobody and is still there.
  EXPECT_TRUE(HasCopy(*form_->ActiveWindow()));
}

// A state folder that takes no copies is said once in the status line, without a question,
// and the work goes on; the message goes when copies are written again.
TEST_F(RecoveryShellTest, CopiesThatCannotBeWrittenAreSaidOnceInTheStatusLine) {
  auto* status = form_->findChild<QLabel*>(QStringLiteral("StatusText"));
  ASSERT_NE(status, nullptr);
  // A file where the recovery folder goes.
  ASSERT_TRUE(QDir().mkpath(QFileInfo(RecoveryFolder()).path()));
  ASSERT_TRUE(test::WriteAll(RecoveryFolder(), "in the way"));
  TSandbox* window = OpenCard();
  ASSERT_NE(window, nullptr);
  Change(*window);
  ASSERT_TRUE(test::WaitUntil([&] { return !status->text().isEmpty(); }));
  EXPECT_TRUE(status->text().startsWith(
      QStringLiteral("Recovery copies of changed documents cannot be written in ")))
      << status->text().toStdString();
  EXPECT_TRUE(status->text().contains(RecoveryFolder())) << status->text().toStdString();
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_TRUE(IsModified(window->GetItems()));

  // The folder can be made again: the next copy is written and the message goes.
  ASSERT_TRUE(QFile::remove(RecoveryFolder()));
  Change(*window);
  ASSERT_TRUE(test::WaitUntil([&] { return HasCopy(*window) && status->text().isEmpty(); }));

  // The copy's place is taken by a folder: this failure is not said again in the same run.
  const QString copy = CopyOf(*window);
  ASSERT_TRUE(QFile::remove(copy));
  ASSERT_TRUE(QDir().mkdir(copy));
  Change(*window);
  ASSERT_TRUE(test::WaitUntil([&] { return !Timer("RecoveryTimer")->isActive(); }));
  form_->Recovery().Flush();
  QCoreApplication::processEvents();
  EXPECT_TRUE(status->text().isEmpty()) << status->text().toStdString();
  EXPECT_TRUE(prompter_.asked.empty());
}

TEST_F(RecoveryShellTest, AKilledProgramsChangedDocumentIsRestoredAtTheNextStart) {
  const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200, 3);
  const QString expected = Path("expected.qlln");
  QProcess child;
  child.start(QStringLiteral(RECOVERY_CHILD), {card, expected});
  ASSERT_TRUE(child.waitForStarted());
  ASSERT_TRUE(test::WaitUntil([&] { return NoteFiles().size() == 1; }, 30000))
      << child.readAllStandardError().toStdString();
  ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
  ASSERT_TRUE(child.waitForFinished());
  EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(child.readAllStandardOutput().trimmed(), "changed");

  EXPECT_EQ(Offer("Restore"), 1);
  TSandbox* restored = form_->ActiveWindow();
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->FileName(), card);
  EXPECT_TRUE(IsModified(restored->GetItems()));
  // Read back, the restored document's records equal the changed ones.
  test::ScriptedPrompter answers;
  ItemList changed(ScreenMetrics{96, 96});
  ASSERT_TRUE(ReadDocument(expected, changed, answers).ok());
  ItemList back(ScreenMetrics{96, 96});
  const QByteArray restoredBytes = TakeSnapshot(restored->GetItems(), {}).bytes;
  QBuffer buffer;
  buffer.setData(restoredBytes);
  buffer.open(QIODevice::ReadOnly);
  ASSERT_TRUE(ReadDocumentFrom(buffer, back, answers).ok());
  EXPECT_EQ(TakeSnapshot(back, {}).bytes, TakeSnapshot(changed, {}).bytes);
}

}  // namespace
}  // namespace quillon
