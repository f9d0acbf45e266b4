// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Shared pieces of the link tests: recording sinks, scripted prompts, and a
// bounded wait that keeps the Qt event loop (and so the drain step) running.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "link/link_client.h"

namespace wr::test {

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

struct RecordingClient : LinkClient {
  void SetConnectionState(int connected) override { states.push_back(connected); }
  void ProcessLine(std::string_view line) override { lines.emplace_back(line); }
  void DrainFinished() override { ++drains; }
  int LastState() const { return states.empty() ? -1 : states.back(); }
  std::vector<int> states;
  std::vector<std::string> lines;
  int drains = 0;
};

}  // namespace wr::test
