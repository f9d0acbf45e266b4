// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/delay.h"

#include <QEventLoop>
#include <QTimer>

namespace wr {

bool RunLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  return loop.exec() >= 0;
}

void Delay(int ms) {
  if (ms <= 0) return;
  RunLoopFor(ms);
}

}  // namespace wr
