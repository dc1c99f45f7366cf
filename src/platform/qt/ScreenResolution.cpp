// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/ScreenResolution.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace quillon {

ScreenResolution ReadScreenResolution() {
  bool ok = false;
  const int forced = qEnvironmentVariableIntValue("QUILLON_SCREEN_DPI", &ok);
  if (ok && forced >= 1 && forced <= 10000) return {forced, forced};
  const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                              ? QGuiApplication::primaryScreen()
                              : nullptr;
  if (screen == nullptr) return {};
  const auto dpi = [](double value) {
    const long rounded = std::lround(value);
    return rounded >= 1 && rounded <= 10000 ? static_cast<int>(rounded) : 96;
  };
  return {dpi(screen->logicalDotsPerInchX()), dpi(screen->logicalDotsPerInchY())};
}

}  // namespace quillon
