// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long the thread that owns a session (the window's thread) is held
// while unit work runs: a 5 ms timer ticks on it while Save and Fetch trips
// run against a simulated unit that takes 200 ms to accept each write; the
// longest gap between two ticks is the stall a window would show.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "bench_app.h"
#include "protocol/settings_values.h"
#include "protocol/unit_settings.h"
#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "sim/simulated_bus.h"

namespace {

using namespace std::chrono_literals;

QApplication& App() { return wr::bench::WidgetApp("bench_ui_stall"); }
using wr::bench::WaitFor;

// range(0): the trips the unit lists; range(1): milliseconds per write.
void BM_UiStall(benchmark::State& state) {
  App();
  const int trips = static_cast<int>(state.range(0));
  const auto writeDelay = std::chrono::milliseconds(state.range(1));
  wr::SimulatedBus bus;
  bus.Unit().GenerateTrips(trips);
  wr::UnitSession session(bus);
  session.Start();
  if (!WaitFor([&] { return session.Model().Settings().Read(wr::SettingGroup::Ignition); }, 10000)) {
    state.SkipWithError("the simulated unit was not opened");
    return;
  }
  bus.SetWriteDelay(writeDelay);

  double maxStallMs = 0;
  int failures = 0;
  for (auto _ : state) {
    wr::SettingsValues values = wr::SettingsValuesFromUnit(session.Model().Settings());
    values.Set(wr::SettingKey::kApn, "stall.apn");
    wr::SaveOperation save(session, values, wr::UnitSession::Retained::FromForm);
    wr::FetchTripsOperation fetch(session, 120000);
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    double longest = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
      longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
      sinceTick.restart();
    });
    sinceTick.start();
    tick.start(5);
    save.Start();
    fetch.Start();
    if (!WaitFor([&] { return save.Finished() && fetch.Finished(); }, 120000)) ++failures;
    tick.stop();
    if (!save.Result().done || !fetch.Result().done) ++failures;
    if (static_cast<int>(session.Model().Trips().size()) != trips) ++failures;
    maxStallMs = std::max(maxStallMs, longest);
  }
  session.Shutdown();
  if (failures) state.SkipWithError("Save or Fetch trips did not finish as expected");
  state.counters["max_stall_ms"] = maxStallMs;
}

}  // namespace

BENCHMARK(BM_UiStall)->Args({50, 200})->Args({500, 200})->Unit(benchmark::kMillisecond)->Iterations(1);
