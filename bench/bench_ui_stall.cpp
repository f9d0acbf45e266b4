// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long the thread that owns a session (the window's thread) is held
// while unit work runs: a 5 ms timer ticks on it while Save and Fetch trips
// run against a simulated unit that takes 200 ms to accept each write, and
// while a firmware upgrade runs against one that answers each block after
// 1 ms; the longest gap between two ticks is the stall a window would show.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <string>

#include "bench_app.h"
#include "protocol/settings_values.h"
#include "protocol/unit_settings.h"
#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "session/upgrade_operation.h"
#include "sim/simulated_bus.h"
#include "upgrade/upgrade_file.h"

namespace {

using namespace std::chrono_literals;

QApplication& App() { return wr::bench::WidgetApp("bench_ui_stall"); }
using wr::bench::WaitFor;

// Ticks every 5 ms on the calling thread from Start() on; Longest() is the
// longest gap between two ticks, in milliseconds.
class StallClock {
 public:
  StallClock() {
    tick_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick_, &QTimer::timeout, [this] {
      longest_ = std::max(longest_, static_cast<double>(sinceTick_.nsecsElapsed()) / 1e6);
      sinceTick_.restart();
    });
  }
  void Start() {
    sinceTick_.start();
    tick_.start(5);
  }
  void Stop() { tick_.stop(); }
  double Longest() const { return longest_; }

 private:
  QTimer tick_;
  QElapsedTimer sinceTick_;
  double longest_ = 0;
};

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
    StallClock clock;
    clock.Start();
    save.Start();
    fetch.Start();
    if (!WaitFor([&] { return save.Finished() && fetch.Finished(); }, 120000)) ++failures;
    clock.Stop();
    if (!save.Result().done || !fetch.Result().done) ++failures;
    if (static_cast<int>(session.Model().Trips().size()) != trips) ++failures;
    maxStallMs = std::max(maxStallMs, clock.Longest());
  }
  session.Shutdown();
  if (failures) state.SkipWithError("Save or Fetch trips did not finish as expected");
  state.counters["max_stall_ms"] = maxStallMs;
}

// An upgrade file whose image the simulated unit comes back running.
std::string UpgradeContent(size_t imageBytes) {
  std::string content = "Wayrunner,1.100";
  content.resize(wr::kUpgradeHeaderSize, '\0');
  return content + wr::SimulatedUnit::FirmwareImage("1.100", imageBytes, 42);
}

// range(0): the image's bytes. The whole upgrade: the blocks, each answered
// after 1 ms, the install command, the unit's restart (kept short) and the
// check of the version it comes back with.
void BM_UiStallUpgrade(benchmark::State& state) {
  App();
  const wr::UpgradeFileResult file =
      wr::ReadUpgradeContent(UpgradeContent(static_cast<size_t>(state.range(0))), "1.003");
  if (!file.ok) {
    state.SkipWithError(file.message.c_str());
    return;
  }
  wr::SimulatedBus bus;
  bus.SetLatency(1ms);
  bus.Unit().SetRestartDowntime(200ms);
  wr::UnitSession session(bus);
  session.Start();
  if (!WaitFor([&] { return session.Model().Settings().Read(wr::SettingGroup::Ignition); }, 10000)) {
    state.SkipWithError("the simulated unit was not opened");
    return;
  }

  double maxStallMs = 0;
  int failures = 0;
  for (auto _ : state) {
    wr::UpgradeOperation upgrade(session, file, wr::UpgradeTimings(), wr::RestartWatch());
    StallClock clock;
    clock.Start();
    upgrade.Start();
    if (!WaitFor([&] { return upgrade.Finished(); }, 120000)) ++failures;
    clock.Stop();
    if (upgrade.Ending() != wr::UpgradeOperation::End::Upgraded) ++failures;
    maxStallMs = std::max(maxStallMs, clock.Longest());
  }
  session.Shutdown();
  if (failures) state.SkipWithError("the upgrade did not finish as expected");
  state.counters["max_stall_ms"] = maxStallMs;
}

}  // namespace

BENCHMARK(BM_UiStallUpgrade)->Arg(64 * 1024)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_UiStall)->Args({50, 200})->Args({500, 200})->Unit(benchmark::kMillisecond)->Iterations(1);
