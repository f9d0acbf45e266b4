// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// From a unit being plugged in to its first status reply in the model: the
// search period of the worker, the open, the report of the connection, the
// initial queries and the unit's first answers, through the real link and
// session against the simulated unit answering each command after 1 ms. The
// unit is plugged in at random moments of the worker's search period; the
// slowest plug-in is the figure that counts.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <random>

#include "session/unit_session.h"
#include "sim/simulated_bus.h"

namespace {

using namespace std::chrono_literals;

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "bench_plug_to_status";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

bool WaitFor(const std::function<bool()>& cond, int timeoutMs) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!cond()) {
    if (elapsed.elapsed() > timeoutMs) return false;
    QEventLoop loop;
    QTimer::singleShot(1, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

void Pump(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void BM_PlugToStatus(benchmark::State& state) {
  App();
  const int plugIns = static_cast<int>(state.range(0));
  wr::SimulatedBus bus;
  bus.SetLatency(1ms);
  bus.Unplug();
  // The window's own timings: a look for the unit every 1000 ms.
  wr::UnitSession session(bus);
  QElapsedTimer sincePlug;
  bool waiting = false;
  double lastMs = 0;
  QObject::connect(&session.Model(), &wr::UnitModel::statusChanged, [&] {
    if (!waiting) return;
    lastMs = static_cast<double>(sincePlug.nsecsElapsed()) / 1e6;
    waiting = false;
  });
  session.Start();
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> moment(0, 999);
  double slowest = 0, total = 0;
  int done = 0;
  for (auto _ : state) {
    for (int i = 0; i < plugIns; ++i) {
      Pump(moment(rng));
      waiting = true;
      sincePlug.start();
      bus.Replug();
      if (!WaitFor([&] { return !waiting; }, 10000)) {
        state.SkipWithError("no status reply after plugging in");
        return;
      }
      slowest = std::max(slowest, lastMs);
      total += lastMs;
      ++done;
      bus.Unplug();
      if (!WaitFor([&] { return session.ConnectionState() == 0; }, 10000)) {
        state.SkipWithError("the unplug was not noticed");
        return;
      }
    }
  }
  session.Shutdown();
  state.counters["slowest_ms"] = slowest;
  state.counters["mean_ms"] = done ? total / done : 0;
  state.counters["plug_ins"] = done;
}
// One plug-in is the test suite's run; twenty give the figures.
BENCHMARK(BM_PlugToStatus)->Arg(1)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
