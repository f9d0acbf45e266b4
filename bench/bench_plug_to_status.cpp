// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// From a unit being plugged in to its first status reply in the model: the
// search period of the worker (or the device event that ends its wait), the
// open, the report of the connection, the initial queries and the unit's
// first answers, through the real link and session against the simulated unit
// answering each command after 1 ms. The unit is plugged in at random moments
// of the worker's search period; the slowest plug-in is the figure that
// counts. And from pulling it out to the session's report that it is gone.
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

// What a run of plug-ins measured: from each plug-in to the first status
// reply, and from each unplug to the session reporting the unit gone (the
// window shows its searching display on that report).
struct Figures {
  double slowestPlug = 0, totalPlug = 0;
  double slowestUnplug = 0, totalUnplug = 0;
  int done = 0;
};

// Plugs the unit in plugIns times at random moments and pulls it out again
// at random moments; false (with the error set) when something never came.
bool PlugIns(benchmark::State& state, bool deviceEvents, int plugIns, Figures& figures) {
  App();
  wr::SimulatedBus bus;
  bus.SetLatency(1ms);
  bus.Unplug();
  // The window's own timings: a look for the unit every 1000 ms, unless the
  // bus's device events tell the worker of the unit.
  wr::UnitSession::Options options;
  options.deviceEvents = deviceEvents;
  wr::UnitSession session(bus, options);
  if (session.UsesDeviceEvents() != deviceEvents) {
    state.SkipWithError("device events not as asked");
    return false;
  }
  QElapsedTimer since;
  bool waiting = false;
  double lastMs = 0;
  const auto stop = [&] {
    if (!waiting) return;
    lastMs = static_cast<double>(since.nsecsElapsed()) / 1e6;
    waiting = false;
  };
  QObject::connect(&session.Model(), &wr::UnitModel::statusChanged, stop);
  QObject::connect(&session, &wr::UnitSession::connectionChanged, [&](int connected) {
    if (!connected) stop();
  });
  session.Start();
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> moment(0, 999);
  const auto measure = [&](const std::function<void()>& act, double& slowest, double& total,
                           const char* error) {
    Pump(moment(rng));
    waiting = true;
    since.start();
    act();
    if (!WaitFor([&] { return !waiting; }, 10000)) {
      state.SkipWithError(error);
      return false;
    }
    slowest = std::max(slowest, lastMs);
    total += lastMs;
    return true;
  };
  for (int i = 0; i < plugIns; ++i) {
    if (!measure([&] { bus.Replug(); }, figures.slowestPlug, figures.totalPlug,
                 "no status reply after plugging in") ||
        !measure([&] { bus.Unplug(); }, figures.slowestUnplug, figures.totalUnplug,
                 "the unplug was not noticed"))
      return false;
    ++figures.done;
  }
  session.Shutdown();
  return true;
}

void ReportPlugs(benchmark::State& state, const Figures& f) {
  state.counters["slowest_ms"] = f.slowestPlug;
  state.counters["mean_ms"] = f.done ? f.totalPlug / f.done : 0;
  state.counters["plug_ins"] = f.done;
}

// The worker searching on its period.
void BM_PlugToStatus(benchmark::State& state) {
  Figures figures;
  for (auto _ : state)
    if (!PlugIns(state, false, static_cast<int>(state.range(0)), figures)) return;
  ReportPlugs(state, figures);
}

// The bus's device events telling the worker at once.
void BM_PlugToStatusDeviceEvents(benchmark::State& state) {
  Figures figures;
  for (auto _ : state)
    if (!PlugIns(state, true, static_cast<int>(state.range(0)), figures)) return;
  ReportPlugs(state, figures);
}

// From pulling the unit out to the report that it is gone, with device events.
void BM_UnplugToSearching(benchmark::State& state) {
  Figures f;
  for (auto _ : state)
    if (!PlugIns(state, true, static_cast<int>(state.range(0)), f)) return;
  state.counters["slowest_ms"] = f.slowestUnplug;
  state.counters["mean_ms"] = f.done ? f.totalUnplug / f.done : 0;
  state.counters["unplugs"] = f.done;
}

// One plug-in is the test suite's run; twenty give the figures.
BENCHMARK(BM_PlugToStatus)->Arg(1)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlugToStatusDeviceEvents)->Arg(1)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UnplugToSearching)->Arg(1)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
