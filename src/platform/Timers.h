// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' one-shot timers: each is named after its role, so tests can find it.
#pragma once

#include <QString>
#include <QTimer>

namespace quillon {

inline QTimer* OneShot(QObject* parent, const char* name, int interval) {
  auto* timer = new QTimer(parent);
  timer->setObjectName(QString::fromLatin1(name));
  timer->setSingleShot(true);
  timer->setInterval(interval);
  return timer;
}

}  // namespace quillon
