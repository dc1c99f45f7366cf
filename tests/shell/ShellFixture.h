// SPDX-License-Identifier: GPL-3.0-or-later
// A main window on the offscreen platform with scripted dialogs and a fresh settings store.
#pragma once

#include <gtest/gtest.h>

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "canvas/TSandbox.h"
#include "settings/SettingsStore.h"
#include "shell/FrameCommands.h"
#include "shell/RecoveryCopies.h"
#include "shell/TForm1.h"
#include "shell/TProcs.h"
#include "support/ScriptedPrintDialog.h"
#include "support/ScriptedServices.h"

namespace quillon::test {

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    OpenSettingsStore()->clear();
    // The first-time setup is done unless a test says otherwise.
    OpenSettingsStore()->setValue(QStringLiteral("CustomSettings/setup"), 1);
    Start();
  }
  void TearDown() override { form_.reset(); }

  // A new main window; the empty document of the start is held back unless asked for.
  void Start(bool startDocument = false) {
    form_ = std::make_unique<TForm1>(ShellServices{&prompter_, &files_, &colours_, &clipboard_,
                                                   fileTypes_, &printDialog_, &progress_},
                                     ScreenMetrics{96, 96});
    form_->resize(1100, 760);
    form_->show();
    if (!startDocument) Timer("Timer2")->stop();
  }
  // Ends the main window as the program's end does, settings saved.
  void Restart() {
    form_.reset();
    Start();
  }

  QAction* Action(const char* name) const {
    QAction* action = form_->FindAction(name);
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  void Trigger(const char* name) { Action(name)->trigger(); }
  QTimer* Timer(const char* name) const {
    return form_->findChild<QTimer*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  }
  QToolButton* Button(int number) const { return form_->Toolbar()->Button(number); }
  // File > New, and the window it made.
  TSandbox* New() {
    Trigger("New1");
    return form_->ActiveWindow();
  }
  std::vector<QString> Titles() const {
    std::vector<QString> titles;
    for (TSandbox* window : form_->Windows())
      titles.push_back(window->GetTitle());
    return titles;
  }
  QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

  QTemporaryDir dir_;
  QueuedPrompter prompter_;
  ScriptedFileDialogs files_;
  ScriptedColourChooser colours_;
  RecordingClipboard clipboard_;
  ScriptedPrintDialog printDialog_;
  ScriptedProgress progress_;
  FileTypeRegistrar* fileTypes_ = nullptr;
  std::unique_ptr<TForm1> form_;
};

}  // namespace quillon::test
