// SPDX-License-Identifier: GPL-3.0-or-later
// A Quillon main window in a process of its own for the recovery test: it opens DOCUMENT,
// cuts its first item, writes the changed records to EXPECTED and runs until it is killed.
// Its settings go to a folder of its own; its recovery copies follow XDG_STATE_HOME.
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "canvas/TSandbox.h"
#include "document/DocumentFile.h"
#include "document/EditCommands.h"
#include "settings/SettingsStore.h"
#include "shell/TForm1.h"
#include "support/ScriptedPrintDialog.h"
#include "support/ScriptedServices.h"

int main(int argc, char** argv) {
  using namespace quillon;
  if (argc != 3) return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir store;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
  OpenSettingsStore()->setValue(QStringLiteral("CustomSettings/setup"), 1);
  test::QueuedPrompter prompter;
  test::ScriptedFileDialogs files;
  test::ScriptedColourChooser colours;
  test::RecordingClipboard clipboard;
  test::ScriptedPrintDialog printDialog;
  TForm1 form({&prompter, &files, &colours, &clipboard, nullptr, &printDialog},
              ScreenMetrics{96, 96});
  form.findChild<QTimer*>(QStringLiteral("RecoveryTimer"))->setInterval(50);
  form.show();
  form.OpenDocumentWindow(QString::fromLocal8Bit(argv[1]));
  TSandbox* window = form.ActiveWindow();
  if (window == nullptr) return 3;
  for (ItemRecord& record : window->GetItems()) {
    if (record.kind() == kKindRectangle && record.hidden() == 0) {
      record.setSelected(255);
      break;
    }
  }
  window->Run(CutSelection);
  QFile expected(QString::fromLocal8Bit(argv[2]));
  if (!expected.open(QIODevice::WriteOnly) || !WriteDocumentTo(expected, window->GetItems()).ok()) {
    return 4;
  }
  expected.close();
  std::puts("changed");
  std::fflush(stdout);
  return app.exec();
}
