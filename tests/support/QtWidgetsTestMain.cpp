// SPDX-License-Identifier: GPL-3.0-or-later
// main() for tests that drive widgets: a QApplication, always on the offscreen platform, never
// on the user's display; a screen of 96 dots per inch; and a settings store in a folder of the
// test program's own, so that no test reads or writes the user's settings or state.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QUILLON_SCREEN_DPI", "96");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QString runtime = QDir::temp().filePath(QStringLiteral("quillon-test-runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
  }
  QApplication app(argc, argv);
  QTemporaryDir store;
  // Recovery copies and other state go to the test program's own folder, never the user's.
  QTemporaryDir state;
  qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, store.filePath("system"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
