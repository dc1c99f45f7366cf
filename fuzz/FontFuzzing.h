// SPDX-License-Identifier: GPL-3.0-or-later
// What a fuzz target that draws text needs: Qt's fonts, which need a GUI application, and a
// leak checker that ignores fontconfig's caches. Included by exactly one file of each target.
#pragma once

#include <QGuiApplication>

// Fontconfig, below Qt's font database, keeps caches that LeakSanitizer cannot see the owner of.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}
