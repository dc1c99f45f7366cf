// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtProgress.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/ScreenResolution.h"
#include "support/Wait.h"

namespace quillon {
namespace {

constexpr char kDocuments[] = "All files (*.*)|*.*|Quillon files (*.qlln)|*.qlln";

TEST(QtNameFiltersTest, TurnsCaptionPatternPairsIntoQtFilters) {
  struct Case {
    const char* filter;
    QStringList expected;
  };
  const Case cases[] = {
      {kDocuments, {"All files (*.*)", "Quillon files (*.qlln)"}},
      // A caption without its patterns gets them; several patterns are separated by blanks.
      {"Pictures|*.jpg;*.gif", {"Pictures (*.jpg *.gif)"}},
      {"JPEG picture (*.jpg)|*.jpg|Bitmap|*.bmp", {"JPEG picture (*.jpg)", "Bitmap (*.bmp)"}},
      // A caption without patterns is dropped.
      {"Lonely", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QtNameFilters(QString::fromLatin1(c.filter)), c.expected) << c.filter;
  }
}

TEST(QtFileDialogsTest, DialogShowsTheRequestedTitleFilterFolderAndName) {
  QTemporaryDir folder;
  FileDialogRequest request;
  request.title = QStringLiteral("Save As");
  request.filter = QString::fromLatin1(kDocuments);
  request.filterIndex = 2;
  request.defaultExtension = QStringLiteral("qlln");
  request.initialFolder = folder.path();
  request.initialFileName = QStringLiteral("Untitled 1");
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  PrepareFileDialog(dialog, request);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Save As"));
  EXPECT_EQ(dialog.nameFilters(), (QStringList{"All files (*.*)", "Quillon files (*.qlln)"}));
  EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("Quillon files (*.qlln)"));
  EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("qlln"));
  EXPECT_EQ(dialog.directory().absolutePath(), QDir(folder.path()).absolutePath());
  const auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text(), QStringLiteral("Untitled 1"));
}

TEST(QtFileDialogsTest, MissingFolderAndOutOfRangeFilterAreLeftAlone) {
  FileDialogRequest request;
  request.title = QStringLiteral("Open");
  request.filter = QString::fromLatin1(kDocuments);
  request.filterIndex = 7;
  request.initialFolder = QStringLiteral("/no/such/folder/anywhere");
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  const QString before = dialog.directory().absolutePath();
  PrepareFileDialog(dialog, request);
  EXPECT_EQ(dialog.directory().absolutePath(), before);
  EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("All files (*.*)"));
}

TEST(QtPrompterTest, MessagesShowLineBreaksAsTheyAreMeant) {
  EXPECT_EQ(MessageText("One.\r\nTwo."), QStringLiteral("One.\nTwo."));
  EXPECT_EQ(MessageText("Caf\xC3\xA9"), QStringLiteral("Caf\u00E9"));
}

// Answers the message box that opens next by pressing one of its buttons.
void PressWhenShown(QMessageBox::StandardButton press, QMessageBox::StandardButtons* shown,
                    QString* title, QString* text) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    *shown = box->standardButtons();
    *title = box->windowTitle();
    *text = box->text();
    box->button(press)->click();
  });
}

TEST(QtPrompterTest, BoxesCarryTheButtonsAskedForAndReturnTheOnePressed) {
  struct Case {
    PromptButtons buttons;
    QMessageBox::StandardButtons expected;
    QMessageBox::StandardButton press;
    PromptAnswer answer;
  };
  const Case cases[] = {
      {PromptButtons::Ok, QMessageBox::Ok, QMessageBox::Ok, PromptAnswer::Ok},
      {PromptButtons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, PromptAnswer::No},
      {PromptButtons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
       QMessageBox::Yes, PromptAnswer::Yes},
      {PromptButtons::Cancel, QMessageBox::Cancel, QMessageBox::Cancel, PromptAnswer::Cancel},
  };
  for (const Case& c : cases) {
    QtPrompter prompter;
    QMessageBox::StandardButtons shown;
    QString title;
    QString text;
    PressWhenShown(c.press, &shown, &title, &text);
    EXPECT_EQ(prompter.Ask("Replace the existing file?", PromptStyle::Confirmation, c.buttons),
              c.answer);
    EXPECT_EQ(shown, c.expected);
    EXPECT_EQ(title, QStringLiteral("Quillon"));
    EXPECT_EQ(text, QStringLiteral("Replace the existing file?"));
  }
}

QProgressDialog* ShownProgress() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QProgressDialog*>(widget);
    if (dialog != nullptr && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

// Short work shows nothing; work that lasts shows the dialog, whose Cancel stops it.
TEST(QtProgressTest, TheDialogAppearsOnlyForLongWorkAndCancelStopsIt) {
  QtProgressDialogs progress;
  {
    auto quick = progress.Begin(QStringLiteral("Printing..."));
    for (int i = 1; i <= 10; ++i)
      EXPECT_TRUE(quick->Report(i / 10.0));
    EXPECT_EQ(ShownProgress(), nullptr);
  }
  auto slow = progress.Begin(QStringLiteral("Printing..."));
  EXPECT_TRUE(slow->Report(0.01));
  // The work goes on reporting until the delay has passed and a report shows the dialog.
  ASSERT_TRUE(test::WaitUntil([&] { return slow->Report(0.05) && ShownProgress() != nullptr; }));
  EXPECT_TRUE(slow->Report(0.1));
  QProgressDialog* dialog = ShownProgress();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->labelText(), QStringLiteral("Printing..."));
  auto* cancel = dialog->findChild<QPushButton*>();
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
  cancel->click();
  EXPECT_FALSE(slow->Report(0.2));
  slow.reset();
  EXPECT_EQ(ShownProgress(), nullptr);
}

TEST(ScreenResolutionTest, EnvironmentOverridesTheScreen) {
  const QByteArray saved = qgetenv("QUILLON_SCREEN_DPI");
  qputenv("QUILLON_SCREEN_DPI", "120");
  EXPECT_EQ(ReadScreenResolution().dpiX, 120);
  EXPECT_EQ(ReadScreenResolution().dpiY, 120);
  // Nonsense falls back to the screen, which offscreen reports as 96.
  qputenv("QUILLON_SCREEN_DPI", "0");
  EXPECT_GT(ReadScreenResolution().dpiX, 0);
  qputenv("QUILLON_SCREEN_DPI", saved);
}

}  // namespace
}  // namespace quillon
