// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the benchmarks that need a window's application share: the
// application, made once and kept until the program ends, and a wait that
// runs its events.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

namespace wr::bench {

inline QApplication& WidgetApp(const char* programName) {
  static int argc = 1;
  static char* argv[] = {const_cast<char*>(programName), nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

inline bool WaitFor(const std::function<bool()>& cond, int timeoutMs) {
  QElapsedTimer elapsed;
  elapsed.start();
  // Sleeps until an event comes; the tick looks at cond at least every
  // 10 ms, so that the wait never spins a core the unit's threads need.
  QTimer tick;
  tick.start(10);
  while (!cond()) {
    if (elapsed.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace wr::bench
