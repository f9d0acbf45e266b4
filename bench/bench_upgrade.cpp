// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A firmware transfer through the real link: a unit session with its TfrmUSB
// and USBcomms worker, and the upgrade operation's transfer (up to the
// install command, which is not sent), on a Qt event loop, against the simulated unit answering each block after 1 ms. The unit's own share is 1 ms per
// block; everything above it is what the tool adds.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <functional>
#include <memory>
#include <random>
#include <string>

#include "bench_app.h"
#include "session/unit_session.h"
#include "session/upgrade_operation.h"
#include "sim/simulated_bus.h"
#include "upgrade/upgrade_file.h"

namespace {

using namespace std::chrono_literals;

QApplication& App() { return wr::bench::WidgetApp("bench_upgrade"); }
using wr::bench::WaitFor;

std::string UpgradeContent(size_t imageBytes) {
  std::string content = "Wayrunner,1.100";
  content.resize(wr::kUpgradeHeaderSize, '\0');
  std::mt19937 rng(42);
  for (size_t i = 0; i < imageBytes; ++i) content.push_back(static_cast<char>(rng() & 0xFF));
  return content;
}

void BM_UpgradeTransfer(benchmark::State& state) {
  App();
  const auto imageBytes = static_cast<size_t>(state.range(0));
  const wr::UpgradeFileResult file = wr::ReadUpgradeContent(UpgradeContent(imageBytes), "1.003");
  if (!file.ok) {
    state.SkipWithError(file.message.c_str());
    return;
  }

  wr::SimulatedBus bus;
  bus.SetLatency(1ms);
  wr::UnitSession session(bus);
  session.Start();
  // Connected, and the answers to the first queries are in.
  if (!WaitFor([&] { return session.Model().Settings().Read(wr::SettingGroup::Ignition); }, 10000)) {
    state.SkipWithError("the simulated unit was not opened");
    return;
  }

  // The blocks only: no pause before them, and the operation is stopped
  // once the last one is acknowledged, before the install command.
  wr::UpgradeTimings timings;
  timings.settleMs = 0;
  int failures = 0;
  QElapsedTimer elapsed;
  elapsed.start();
  for (auto _ : state) {
    wr::UpgradeOperation operation(session, file, timings, wr::RestartWatch());
    bool sent = false;
    QObject::connect(&operation, &wr::UpgradeOperation::phaseChanged, &operation,
                     [&](wr::UpgradeOperation::Phase phase) {
                       if (phase != wr::UpgradeOperation::Phase::SettlingInstall) return;
                       sent = true;
                       operation.Cancel();
                     });
    QEventLoop loop;
    QObject::connect(&operation, &wr::UpgradeOperation::finished, &loop, &QEventLoop::quit);
    operation.Start();
    loop.exec();
    if (!sent) ++failures;
  }
  const double totalMs = static_cast<double>(elapsed.nsecsElapsed()) / 1e6;
  session.Shutdown();

  if (failures) state.SkipWithError("a transfer did not complete");
  const double blocks = static_cast<double>(file.blocks.size());
  state.counters["blocks"] = blocks;
  // Wall time of one transfer over the unit's own answer time for it.
  state.counters["x_unit_time"] =
      totalMs / (static_cast<double>(state.iterations()) * blocks);
}
BENCHMARK(BM_UpgradeTransfer)
    ->Arg(16 * 1024)  // the smallest, for the test suite's run
    ->Arg(256 * 1024)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace
