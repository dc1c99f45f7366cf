// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Gui.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/ScreenResolution.h"
#include "shell/TForm1.h"

namespace quillon {

int RunGui(int& argc, char** argv, const QString& file) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillon"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quillon.svg")));
  const ScreenResolution resolution = ReadScreenResolution();
  QtPrompter prompter;
  QtFileDialogs fileDialogs;
  QtColourChooser colourChooser;
  QtClipboard clipboard;
  TForm1 form({&prompter, &fileDialogs, &colourChooser, &clipboard},
              ScreenMetrics{resolution.dpiX, resolution.dpiY});
  prompter.SetParent(&form);
  fileDialogs.SetParent(&form);
  colourChooser.SetParent(&form);
  form.show();
  if (!file.trimmed().isEmpty()) {
    QTimer::singleShot(0, &form, [&form, file] { form.OpenDocumentWindow(file); });
  }
  return app.exec();
}

}  // namespace quillon
