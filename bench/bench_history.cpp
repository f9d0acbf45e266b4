// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The status history: what a day of readings at one a second takes in
// memory, what adding one reading costs once the day is full, and what the
// chart's data for a day's view costs to put together.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <memory>

#include "history/status_history.h"

namespace {

constexpr int64_t kSecondMs = 1000;
constexpr int kDaySeconds = 24 * 3600;
constexpr int64_t kStartMs = int64_t{1718092800} * kSecondMs;

wr::StatsValues Reading(int i) {
  wr::StatsValues v;
  v.supplyVolts = 12.6 + (i % 17) * 0.01;
  v.batteryVolts = 4.05 - (i % 13) * 0.001;
  v.signalDbm = -70 - i % 20;
  v.speedKmh = i % 120;
  return v;
}

void FillDay(wr::StatusHistory& history, int64_t& t) {
  for (int i = 0; i < kDaySeconds; ++i, t += kSecondMs) history.Add(t, Reading(i));
}

size_t HeapInUse() { return mallinfo2().uordblks; }

// A day at one reading a second. "bytes" is what the history counts for
// itself; "heap_bytes" is what the C library handed out while it was made
// and filled, measured independently of that count.
void BM_HistoryDayMemory(benchmark::State& state) {
  size_t bytes = 0, heap = 0, kept = 0;
  for (auto _ : state) {
    const size_t before = HeapInUse();
    auto history = std::make_unique<wr::StatusHistory>();
    int64_t t = kStartMs;
    FillDay(*history, t);
    heap = HeapInUse() - before;
    bytes = history->MemoryBytes();
    kept = history->RecentCount() + history->MinuteCount();
    benchmark::DoNotOptimize(history.get());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["heap_bytes"] = static_cast<double>(heap);
  state.counters["MB"] = static_cast<double>(heap) / 1e6;
  state.counters["rows_kept"] = static_cast<double>(kept);
  if (heap > 10 * 1000 * 1000) state.SkipWithError("over 10 MB for a day");
}
BENCHMARK(BM_HistoryDayMemory)->Unit(benchmark::kMillisecond);

// One reading added to a history that already holds a full day, so every
// addition also retires a reading into its minute and, once a minute, drops
// the oldest minute.
void BM_HistoryAdd(benchmark::State& state) {
  wr::StatusHistory history;
  int64_t t = kStartMs;
  FillDay(history, t);
  int i = 0;
  for (auto _ : state) {
    history.Add(t, Reading(i++));
    t += kSecondMs;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HistoryAdd);

// The rows of a full day merged into the window's 720 parts, as each redraw
// of the day's view asks for them.
void BM_HistoryDayRows(benchmark::State& state) {
  wr::StatusHistory history;
  int64_t t = kStartMs;
  FillDay(history, t);
  const int64_t latest = *history.LatestTimeMs();
  for (auto _ : state) {
    auto rows = history.Rows(latest - kDaySeconds * kSecondMs, latest, 720);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_HistoryDayRows)->Unit(benchmark::kMicrosecond);

}  // namespace
