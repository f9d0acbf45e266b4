// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The status history window on screen, one reading at a time: what a new
// reading costs, drawn and painted, with the span shown already full (ten
// minutes, an hour or a day of readings at one a second). This is what the
// window adds to the tool's idle load at the default polling of one status
// a second: the mean time per reading is the share of a core. Readings that
// change less than a part of the span are drawn later; "redraws" counts how
// many times the window drew.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>

#include <chrono>
#include <cmath>

#include "session/status_recorder.h"
#include "session/unit_model.h"
#include "ui/status_history_window.h"
#include "silent_prompts.h"

namespace {

void StartApplication() {
  static int argc = 1;
  static char name[] = "bench_history_window";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: as a static it would go after Qt's own statics at exit.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

using wr::bench::SilentPrompts;

// Plausible readings: the supply wanders, the signal swings, the unit drives
// now and then.
wr::StatsValues Reading(int i) {
  wr::StatsValues v;
  v.supplyVolts = 12.6 + 0.05 * std::sin(i / 50.0);
  v.batteryVolts = 4.05 - 0.0001 * (i % 1000);
  v.signalDbm = -75 + static_cast<int>(8 * std::sin(i / 200.0)) + i % 5;
  v.speedKmh = (i / 600) % 3 == 0 ? 40 + 30 * std::fabs(std::sin(i / 20.0)) : 0;
  return v;
}

void BM_HistoryWindowReading(benchmark::State& state) {
  StartApplication();
  const auto span = static_cast<wr::StatusHistoryWindow::Span>(state.range(0));
  wr::UnitModel model;
  wr::StatusRecorder recorder(model);
  auto now = std::chrono::system_clock::time_point(std::chrono::seconds(1718092800));
  recorder.SetClock([&now] { return now; });
  const int64_t seconds = wr::StatusHistoryWindow::SpanMs(span) / 1000;
  int i = 0;
  for (; i < seconds; ++i, now += std::chrono::seconds(1)) recorder.Record(Reading(i));

  SilentPrompts prompts;
  wr::StatusHistoryWindow window(recorder, prompts);
  window.resize(760, 640);
  window.SetSpan(span);
  window.show();
  QApplication::processEvents();
  window.repaint();
  const int before = window.RedrawCount();
  for (auto _ : state) {
    now += std::chrono::seconds(1);
    recorder.Record(Reading(i++));
    // The window's redraw, then the painting of what it changed, as the
    // event loop does them.
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    QApplication::processEvents();
  }
  state.counters["redraws"] = window.RedrawCount() - before;
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HistoryWindowReading)
    ->Arg(static_cast<int>(wr::StatusHistoryWindow::Span::kTenMinutes))
    ->Arg(static_cast<int>(wr::StatusHistoryWindow::Span::kHour))
    ->Arg(static_cast<int>(wr::StatusHistoryWindow::Span::kDay))
    ->Unit(benchmark::kMillisecond);

}  // namespace
