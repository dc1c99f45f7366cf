// SPDX-License-Identifier: GPL-3.0-or-later
// main() for tests that need a Qt application: always on the offscreen platform, never on the
// user's display, also while CTest lists the tests.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QString runtime = QDir::temp().filePath(QStringLiteral("quillon-test-runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
  }
  QGuiApplication app(argc, argv);
  // State written by the program goes to the test program's own folder, never the user's.
  QTemporaryDir state;
  qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
  // So do its settings.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, state.path());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
