// SPDX-License-Identifier: GPL-3.0-or-later
// Waiting for deferred work in window tests.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

namespace quillon::test {

// Runs the event loop until done() holds or the timeout passes; whether it holds. Unlike
// QTest::qWaitFor it never sleeps between turns, so work done one step per turn of the loop
// (progressive rendering) runs at full speed.
template <class Condition>
bool WaitUntil(Condition done, int timeoutMs = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return true;
}

// Runs the work already queued (posted events, zero-delay timers, window-system events such as
// a resize, deferred deletions) and returns without waiting for any time to pass: what the
// program does "at once" after an input event.
inline void RunQueued() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace quillon::test
