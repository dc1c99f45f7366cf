// SPDX-License-Identifier: GPL-3.0-or-later
// The decoder tests run inside a GUI application, without which Qt has no fonts for metafile text.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
