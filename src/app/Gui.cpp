// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Gui.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include "platform/qt/FreedesktopFileTypes.h"
#include "platform/qt/InstanceChannel.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtPrintDialog.h"
#include "platform/qt/QtProgress.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/ScreenResolution.h"
#include "shell/RecoveryCopies.h"
#include "shell/ShellIntegration.h"
#include "shell/TForm1.h"

namespace quillon {
namespace {

constexpr char kIconResource[] = ":/icons/quillon.svg";

QByteArray IconBytes() {
  QFile icon(QString::fromLatin1(kIconResource));
  return icon.open(QIODevice::ReadOnly) ? icon.readAll() : QByteArray();
}

// Hands the file to a program already running for this user; whether it took it. A path the
// execute string cannot carry (a double quote or a line break in it) opens here instead.
bool HandOver(const QString& path) {
  if (path.contains(u'"') || path.contains(u'\n') || path.contains(u'\r')) return false;
  return SendToRunningInstance(OpenMacro(path));
}

}  // namespace

int RunGui(int& argc, char** argv, const QString& file) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillon"));
  const QString path =
      file.trimmed().isEmpty() ? QString() : QFileInfo(file.trimmed()).absoluteFilePath();
  if (!path.isEmpty() && HandOver(path)) return 0;
  QApplication::setWindowIcon(QIcon(QString::fromLatin1(kIconResource)));
  QGuiApplication::setDesktopFileName(QStringLiteral("quillon"));
  const ScreenResolution resolution = ReadScreenResolution();
  QtPrompter prompter;
  QtFileDialogs fileDialogs;
  QtColourChooser colourChooser;
  QtPrintDialog printDialog;
  QtProgressDialogs progress;
  QtClipboard clipboard;
  FreedesktopFileTypes fileTypes(UserFileTypeLocations(), IconBytes());
  TForm1 form(
      {&prompter, &fileDialogs, &colourChooser, &clipboard, &fileTypes, &printDialog, &progress},
      ScreenMetrics{resolution.dpiX, resolution.dpiY});
  prompter.SetParent(&form);
  fileDialogs.SetParent(&form);
  colourChooser.SetParent(&form);
  printDialog.SetParent(&form);
  progress.SetParent(&form);
  // Later starts with a file hand it over here; without the channel each start stands alone.
  InstanceServer channel;
  QObject::connect(&channel, &InstanceServer::MacroReceived, &form,
                   &TForm1::DdeServerConv1ExecuteMacro);
  channel.Listen();
  form.show();
  // Documents left unsaved by a Quillon that ended without closing them are offered first.
  QTimer::singleShot(0, &form, [&form] { form.Copies().Offer(); });
  if (!path.isEmpty()) {
    QTimer::singleShot(0, &form, [&form, path] { form.OpenDocumentWindow(path); });
  }
  return app.exec();
}

}  // namespace quillon
