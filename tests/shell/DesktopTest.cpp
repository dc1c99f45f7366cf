// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <set>

#include "canvas/CanvasFixtures.h"
#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "platform/qt/FreedesktopFileTypes.h"
#include "platform/qt/InstanceChannel.h"
#include "platform/qt/QtPrompter.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"
#include "shell/ShellIntegration.h"
#include "shell/TInstall.h"
#include "support/Wait.h"

namespace quillon {
namespace {

// Fails the steps it is told to and keeps the steps it was asked to write.
class ScriptedRegistrar : public FileTypeRegistrar {
 public:
  bool Write(FileTypeStep step) override {
    written.push_back(step);
    return !failing.contains(step);
  }
  std::set<FileTypeStep> failing;
  std::vector<FileTypeStep> written;
};

std::vector<FileTypeStep> AllSteps() {
  return {std::begin(kFileTypeSteps), std::end(kFileTypeSteps)};
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ExecuteMacroTest, OnlyTheOpenMacroWithAQuotedNameNamesAFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"[open(\"/home/ann/Card.qlln\")]", "/home/ann/Card.qlln"},
      {"  [open(\"/home/ann/My Card.qlln\")]\r\n", "/home/ann/My Card.qlln"},
      // Only the first line counts.
      {"[open(\"/a.qlln\")]\n[open(\"/b.qlln\")]", "/a.qlln"},
      // A double quote inside the name would cut it short and name another file: nothing.
      {"[open(\"/a\"b.qlln\")]", ""},
      {"[open(\"/a\"\"b.qlln\")]", ""},
      {"[open(\")]", ""},
      // Without quotes the name is empty.
      {"[open(/home/ann/Card.qlln)]", ""},
      {"[open(\"\")]", ""},
      // Any other macro, or text around the macro, names nothing.
      {"[print(\"/home/ann/Card.qlln\")]", ""},
      {"x[open(\"/home/ann/Card.qlln\")]", ""},
      {"[open(\"/home/ann/Card.qlln\")] and more", ""},
      {"", ""},
  };
  for (const auto& [macro, name] : cases) {
    EXPECT_EQ(MacroFileName(QString::fromUtf8(macro)), QString::fromUtf8(name)) << macro;
  }
  EXPECT_EQ(MacroFileName(OpenMacro(QStringLiteral("/x/Card.qlln"))),
            QStringLiteral("/x/Card.qlln"));
}

class DesktopTest : public test::ShellTest {
 protected:
  static int Stored(const char* name) {
    return OpenSettingsStore()->value(QStringLiteral("CustomSettings/") + name, -1).toInt();
  }
  // A fresh user's start: no setup recorded.
  void StartAsNewUser() {
    form_.reset();
    // A locale that names no country leaves the unit to the user.
    QLocale::setDefault(QLocale::c());
    OpenSettingsStore()->remove(QStringLiteral("CustomSettings/setup"));
    Start(true);
  }
  void ShowSetup() {
    EXPECT_TRUE(Timer("Timer6")->isActive());
    EXPECT_FALSE(Timer("Timer2")->isActive());
    Timer("Timer6")->setInterval(0);
    QTRY_VERIFY_WITH_TIMEOUT(form_->HostX()->isVisible(), 3000);
  }
};

TEST_F(DesktopTest, FailedTypeWriteIsStoredAndTheNextStartRegistersEverythingAgain) {
  const QString data = Path("data");
  FreedesktopFileTypes registrar({data, Path("config"), QStringLiteral("/opt/quillon/quillon")},
                                 QByteArray("<svg/>"));
  // A file where the type's package folder should be makes only that write fail.
  QDir().mkpath(data + "/mime");
  QFile blocker(data + "/mime/packages");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_EQ(RegisterFileType(registrar, *OpenSettingsStore()), 37);
  EXPECT_EQ(Stored("ddeins"), 37);

  ASSERT_TRUE(blocker.remove());
  QFile::remove(data + "/applications/quillon.desktop");
  fileTypes_ = &registrar;
  Restart();
  EXPECT_EQ(Stored("ddeins"), 0);
  EXPECT_TRUE(Contents(data + "/applications/quillon.desktop")
                  .contains("\nExec=/opt/quillon/quillon -open %f\n"));
  EXPECT_TRUE(Contents(data + "/mime/packages/quillon.xml").contains("*.qlln"));

  // Repaired, the registration is not written again.
  ScriptedRegistrar later;
  fileTypes_ = &later;
  Restart();
  EXPECT_TRUE(later.written.empty());
}

TEST_F(DesktopTest, CancelledSetupEndsTheProgramAndTheNextStartShowsItAgain) {
  ScriptedRegistrar registrar;
  fileTypes_ = &registrar;
  StartAsNewUser();
  ShowSetup();
  THostWindow* host = form_->HostX();
  EXPECT_EQ(host->Code(), 60);
  EXPECT_EQ(host->windowTitle(), QStringLiteral("First-time Setup"));
  EXPECT_EQ(host->FirstButton()->text(), QStringLiteral("Proceed"));
  EXPECT_EQ(host->SecondButton()->text(), QStringLiteral("Cancel"));
  // Proceed without a unit asks for one and stays.
  host->FirstButton()->click();
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text, "Please select Millimeters or Inches");
  EXPECT_EQ(prompter_.asked[0].style, PromptStyle::Error);
  EXPECT_TRUE(host->isVisible());

  host->SecondButton()->click();
  QTRY_VERIFY_WITH_TIMEOUT(!form_->isVisible(), 3000);
  EXPECT_TRUE(form_->Windows().empty());
  EXPECT_TRUE(registrar.written.empty());
  form_.reset();
  EXPECT_FALSE(OpenSettingsStore()->contains(QStringLiteral("CustomSettings/setup")));
  Start(true);
  EXPECT_TRUE(Timer("Timer6")->isActive());
}

TEST_F(DesktopTest, SetupWithMillimetresGivesNewFilesMillimetresAndRegistersTheType) {
  ScriptedRegistrar registrar;
  fileTypes_ = &registrar;
  StartAsNewUser();
  ShowSetup();
  auto* setup = form_->HostX()->findChild<TInstall*>();
  ASSERT_NE(setup, nullptr);
  // The two boxes are one choice.
  setup->Inches()->click();
  setup->Millimeters()->click();
  EXPECT_FALSE(setup->Inches()->isChecked());
  form_->HostX()->FirstButton()->click();
  EXPECT_FALSE(form_->HostX()->isVisible());
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_EQ(Stored("setup"), 1);
  EXPECT_EQ(Stored("units"), 2);
  EXPECT_EQ(Stored("ddeins"), 0);
  EXPECT_EQ(registrar.written, AllSteps());

  // The start goes on with an empty document in millimetres, its grid 10 mm apart.
  QTRY_COMPARE_WITH_TIMEOUT(form_->Windows().size(), 1u, 3000);
  const ItemRecord* page = form_->Windows().front()->GetItems().PageRecord();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->pageUnits(), 2);
  EXPECT_DOUBLE_EQ(page->gridDistanceX(), 10.0);
  EXPECT_DOUBLE_EQ(page->gridDistanceY(), 10.0);
  EXPECT_EQ(form_->Params().pagesets[0].units, 2);

  Restart();
  EXPECT_FALSE(Timer("Timer6")->isActive());
  EXPECT_EQ(form_->Params().defaults.units, 2);
}

TEST_F(DesktopTest, RequestsThatNameNoExistingWholePathOpenNothing) {
  TSandbox* untouched = New();
  const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200);
  for (const QString& macro :
       {QStringLiteral("[open(") + card + QStringLiteral(")]"),
        QStringLiteral("[open(\"Card.qlln\")]"), OpenMacro(Path("Missing.qlln")),
        OpenMacro(dir_.path()),
        // Cut at the quote inside, the name would be that of an existing document.
        QStringLiteral("[open(\"") + card + QStringLiteral("\"x.qlln\")]"),
        QStringLiteral("[print(\"") + card + QStringLiteral("\")]")}) {
    form_->DdeServerConv1ExecuteMacro(macro);
    QCoreApplication::processEvents();
    EXPECT_EQ(untouched->GetTitle(), QStringLiteral("Untitled 1")) << macro.toStdString();
  }
  form_->DdeServerConv1ExecuteMacro(OpenMacro(card));
  QTRY_COMPARE(untouched->GetTitle(), QStringLiteral("Card"));
  EXPECT_EQ(form_->Windows().size(), 1u);
}

// Each request for a file that is not a document asks whether to open it anyway. The question
// is a modal message box: requests that come while it shows wait their turn instead of
// stacking a box of their own on top.
TEST_F(DesktopTest, RequestsAskTheirQuestionsOneAtATime) {
  QtPrompter boxes;
  form_ = std::make_unique<TForm1>(
      ShellServices{&boxes, &files_, &colours_, &clipboard_, nullptr, &printDialog_, &progress_},
      ScreenMetrics{96, 96});
  boxes.SetParent(form_.get());
  form_->show();
  Timer("Timer2")->stop();
  for (const char* name : {"notes.qlln", "list.qlln", "memo.qlln"}) {
    ASSERT_TRUE(test::WriteAll(Path(name), QByteArray(2000, 'x')));
    form_->DdeServerConv1ExecuteMacro(OpenMacro(Path(name)));
  }
  size_t mostShown = 0;
  std::vector<QString> questions;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    size_t shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
      shown += qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    mostShown = std::max(mostShown, shown);
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      questions.push_back(box->text());
      box->button(QMessageBox::No)->click();
    }
  });
  answer.start(10);
  ASSERT_TRUE(test::WaitUntil([&] { return questions.size() == 3; }));
  answer.stop();
  EXPECT_EQ(mostShown, 1u);
  for (const QString& question : questions)
    EXPECT_EQ(question, MessageText(kInvalidFileQuestion));
  form_.reset();
}

TEST_F(DesktopTest, ASecondStartHandsItsFileToTheRunningProgramAndEnds) {
  // A runtime folder of the test's own, so that no running Quillon of the user is reached.
  QTemporaryDir runtime;
  QFile::setPermissions(runtime.path(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  InstanceServer channel;
  QObject::connect(&channel, &InstanceServer::MacroReceived, form_.get(),
                   &TForm1::DdeServerConv1ExecuteMacro);
  ASSERT_TRUE(channel.Listen());

  TSandbox* untouched = New();
  const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200, 3);
  const QString label = test::WritePixelDocument(Path("Label.qlln"), 300, 200, 3);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path("config"));
  environment.insert(QStringLiteral("XDG_DATA_HOME"), Path("data"));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  // `quillon -open FILE` as the desktop starts it, then `quillon FILE` as typed.
  const QStringList starts[] = {{QStringLiteral("-open"), card}, {label}};
  for (const QStringList& arguments : starts) {
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(QUILLON_PROGRAM), arguments);
    ASSERT_TRUE(second.waitForStarted());
    // The event loop runs while waiting: this program answers the second one.
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 30000);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
  }
  // The untouched empty window took the first file; the second got a window of its own.
  QTRY_COMPARE_WITH_TIMEOUT(Titles(), (std::vector<QString>{"Card", "Label"}), 5000);
  EXPECT_EQ(form_->Windows().front(), untouched);
  qputenv("XDG_RUNTIME_DIR", savedRuntime);
}

}  // namespace
}  // namespace quillon
