// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Status replies through the window-free interpretation, as every poll of a
// connected unit produces one.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "protocol/reply_dispatch.h"

namespace {

void BM_DispatchStats(benchmark::State& state) {
  // A few variants so that every branch of the status reading is taken.
  const std::vector<std::string> lines = {
      "+STATS,1,x,1,4.10,0,3.70,12.5,17,6,3,12,9,1,30,600,-33.921234,18.421234,Idle,0,123456,1",
      "+STATS,1,x,0,4.85,0,4.150,13.8,9,1,1,4,0,99,7260,-5,-33.921234,18.421234,Trip,87,235959,0",
      "+STATS,1,x,1,4.00,0,1e39,0,31,13,2,8,5,2,119,120,,,,,12345,1",
  };
  size_t next = 0;
  for (auto _ : state) {
    wr::ReplyEffect effect = wr::InterpretReplyLine(lines[next]);
    benchmark::DoNotOptimize(effect);
    next = next + 1 == lines.size() ? 0 : next + 1;
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_DispatchStats);

}  // namespace
