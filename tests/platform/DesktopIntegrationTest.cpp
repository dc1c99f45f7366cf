// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocalSocket>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include "platform/qt/FreedesktopFileTypes.h"
#include "platform/qt/InstanceChannel.h"
#include "platform/qt/QtFileDialogs.h"

namespace quillon {
namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& content) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
}

class FileTypesTest : public ::testing::Test {
 protected:
  QString Data(const char* path) const { return dir_.filePath(QStringLiteral("data/") + path); }
  QString Config(const char* path) const {
    return dir_.filePath(QStringLiteral("config/") + path);
  }
  FreedesktopFileTypes Registrar() const {
    return FreedesktopFileTypes({dir_.filePath("data"), dir_.filePath("config"), program_},
                                QByteArray("<svg/>"));
  }
  QTemporaryDir dir_;
  QString program_ = QStringLiteral("/opt/My Programs/quillon");
};

TEST_F(FileTypesTest, EveryStepWritesItsEntryForTheUser) {
  Put(Config("mimeapps.list"), "[Added Associations]\ntext/plain=editor.desktop\n");
  FreedesktopFileTypes registrar = Registrar();
  for (FileTypeStep step : kFileTypeSteps)
    EXPECT_TRUE(registrar.Write(step)) << static_cast<int>(step);

  const QByteArray mime = Contents(Data("mime/packages/quillon.xml"));
  EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-quillon\">"));
  EXPECT_TRUE(mime.contains("<glob pattern=\"*.qlln\"/>"));
  EXPECT_TRUE(mime.contains("<match type=\"little32\" value=\"147483647\" offset=\"60\"/>"));
  const QByteArray entry = Contents(Data("applications/quillon.desktop"));
  EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
  EXPECT_TRUE(entry.contains("\nMimeType=application/x-quillon;\n"));
  EXPECT_TRUE(entry.contains("\nExec=\"/opt/My Programs/quillon\" -open %f\n")) << entry.data();
  EXPECT_TRUE(entry.contains("\nIcon=quillon\n"));
  EXPECT_EQ(Contents(Data("icons/hicolor/scalable/apps/quillon.svg")), "<svg/>");
  EXPECT_EQ(Contents(Data("icons/hicolor/scalable/mimetypes/application-x-quillon.svg")),
            "<svg/>");
  // The user's other associations stay.
  EXPECT_EQ(Contents(Config("mimeapps.list")),
            "[Added Associations]\ntext/plain=editor.desktop\n"
            "[Default Applications]\napplication/x-quillon=quillon.desktop\n");
  // When the type database tool is installed, the user's database knows the type.
  if (!QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
    EXPECT_TRUE(Contents(Data("mime/globs2")).contains("application/x-quillon:*.qlln"));
  }
}

TEST_F(FileTypesTest, AFailedWriteFailsOnlyItsOwnStep) {
  // A file where the package folder should be makes the type's write fail.
  Put(Data("mime/packages"), "in the way");
  FreedesktopFileTypes registrar = Registrar();
  for (FileTypeStep step : kFileTypeSteps) {
    EXPECT_EQ(registrar.Write(step), step != FileTypeStep::MimeExtension)
        << static_cast<int>(step);
  }
}

TEST(DesktopEntryTest, ExecArgumentIsQuotedAndEscapedAsDesktopEntriesNeed) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/bin/quillon", "/usr/bin/quillon"},
      {"/home/ann/My Programs/quillon", "\"/home/ann/My Programs/quillon\""},
      {"/home/ann/$HOME/quillon", "\"/home/ann/\\\\$HOME/quillon\""},
      {"/home/ann/say \"hi\"/quillon", "\"/home/ann/say \\\\\"hi\\\\\"/quillon\""},
      {"/home/ann/back\\slash/quillon", "\"/home/ann/back\\\\\\\\slash/quillon\""},
      {"/home/ann/100%/quillon", "/home/ann/100%%/quillon"},
  };
  for (const auto& [program, expected] : cases) {
    EXPECT_EQ(DesktopExecArgument(QString::fromUtf8(program)), QString::fromUtf8(expected))
        << program;
  }
}

TEST(DesktopEntryTest, DefaultApplicationIsSetOnceKeepingEveryOtherLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "[Default Applications]\napplication/x-quillon=quillon.desktop\n"},
      {"[Default Applications]\ntext/plain=a.desktop\n[Added Associations]\nx/y=b.desktop\n",
       "[Default Applications]\ntext/plain=a.desktop\napplication/x-quillon=quillon.desktop\n"
       "[Added Associations]\nx/y=b.desktop\n"},
      {"[Default Applications]\napplication/x-quillon=other.desktop\n",
       "[Default Applications]\napplication/x-quillon=quillon.desktop\n"},
  };
  for (const auto& [before, after] : cases) {
    EXPECT_EQ(WithDefaultApplication(before), QByteArray(after)) << before;
  }
}

// A runtime folder of the test's own, so that no running Quillon of the user is reached.
class ChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = qgetenv("XDG_RUNTIME_DIR");
    QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
  }
  void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved_); }
  QTemporaryDir runtime_;
  QByteArray saved_;
};

QByteArray Request(const QByteArray& body) {
  char header[4];
  qToBigEndian(static_cast<quint32>(body.size()), header);
  return QByteArray(header, 4) + body;
}

TEST_F(ChannelTest, ARequestIsAnsweredAndAnnouncedWhileHostileOnesAreDropped) {
  InstanceServer server;
  ASSERT_TRUE(server.Listen());
  EXPECT_TRUE(InstanceChannelPath().startsWith(runtime_.path()));
  QSignalSpy received(&server, &InstanceServer::MacroReceived);
  struct Case {
    QByteArray bytes;
    bool answered;
  };
  const Case cases[] = {
      {Request("[open(\"/tmp/Card.qlln\")]"), true},
      // A length beyond the limit is refused before anything is read or kept.
      {QByteArray("\xff\xff\xff\xff", 4) + "[open(\"/x\")]", false},
      // A request cut short never counts.
      {Request("[open(\"/tmp/Card.qlln\")]").left(10), false},
  };
  for (const Case& c : cases) {
    QLocalSocket client;
    client.connectToServer(InstanceChannelPath());
    ASSERT_TRUE(client.waitForConnected(2000));
    client.write(c.bytes);
    client.flush();
    if (c.answered) {
      QTRY_COMPARE_WITH_TIMEOUT(client.bytesAvailable(), 1, 5000);
      EXPECT_EQ(client.read(1), "A");
    } else {
      // The server hangs up on what it cannot take, at the latest after its deadline.
      QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 8000);
    }
  }
  ASSERT_EQ(received.size(), 1);
  EXPECT_EQ(received[0][0].toString(), QStringLiteral("[open(\"/tmp/Card.qlln\")]"));
  // A second program cannot take the channel over while this one runs.
  InstanceServer second;
  EXPECT_FALSE(second.Listen());
}

TEST_F(ChannelTest, WithoutARunningProgramNothingIsHandedOver) {
  EXPECT_FALSE(SendToRunningInstance(QStringLiteral("[open(\"/tmp/Card.qlln\")]"), 500));
  // A socket left behind by a program that ended is replaced.
  Put(InstanceChannelPath(), "stale");
  InstanceServer server;
  EXPECT_TRUE(server.Listen());
}

// Answers the Open dialog that shows next: checks the name it proposes, types path into the
// name box and presses Open when the button lets it.
void TypeIntoOpenDialog(const QString& path, QString* proposed, bool* enabled) {
  QTimer::singleShot(0, [=] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_TRUE(name != nullptr && buttons != nullptr);
    *proposed = name->text();
    // Typing goes to the focused name box of the active dialog, as the user's keys do.
    QApplication::setActiveWindow(dialog);
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, path);
    QPushButton* open = buttons->button(QDialogButtonBox::Open);
    *enabled = open->isEnabled();
    if (*enabled) {
      open->click();
    } else {
      dialog->reject();
    }
  });
}

TEST(QtFileDialogsTest, OpenProposesTheLastFileAndTakesAPathTypedIntoTheNameBox) {
  QTemporaryDir shown;
  QTemporaryDir elsewhere;
  Put(shown.filePath("Last.qlln"), "x");
  Put(elsewhere.filePath("Typed.qlln"), "x");
  Put(elsewhere.filePath("Notes.txt"), "x");
  Put(shown.filePath("Card.qlln"), "x");
  struct Case {
    QString typed;
    QString opened;
  };
  const Case cases[] = {
      {elsewhere.filePath("Typed.qlln"), elsewhere.filePath("Typed.qlln")},
      // A file the Quillon filter hides still opens when its path is typed.
      {elsewhere.filePath("Notes.txt"), elsewhere.filePath("Notes.txt")},
      // A name typed without its extension gets "qlln".
      {QStringLiteral("Card"), shown.filePath("Card.qlln")},
  };
  for (const Case& c : cases) {
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QStringLiteral("All files (*.*)|*.*|Quillon files (*.qlln)|*.qlln");
    request.filterIndex = 2;
    request.defaultExtension = QStringLiteral("qlln");
    request.initialFolder = shown.path();
    request.initialFileName = shown.filePath("Last.qlln");
    QtFileDialogs dialogs;
    QString proposed;
    bool enabled = false;
    TypeIntoOpenDialog(c.typed, &proposed, &enabled);
    EXPECT_EQ(dialogs.ChooseFileToOpen(request), c.opened) << c.typed.toStdString();
    EXPECT_EQ(proposed, QStringLiteral("Last.qlln"));
    EXPECT_TRUE(enabled) << c.typed.toStdString();
  }
}

}  // namespace
}  // namespace quillon
