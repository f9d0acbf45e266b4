// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reply bytes through the line queue, the way the worker's reads and the
// drain step use it: a read's worth of bytes in, then every complete line out.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "linequeue/line_queue.h"
#include "protocol/commands.h"

namespace {

// A mix like a connected unit's: status replies, completion marks, debug output.
std::string ReplyTraffic() {
  std::string traffic;
  while (traffic.size() < 64 * 1024) {
    traffic += "+STATS,1,x,1,4.10,0,3.70,12.5,17,6,3,12,9,1,30,600,-33.921234,18.421234,Idle,0,123456,1\r\n";
    traffic += "OK\r\n";
    traffic += "~GPS: $GPRMC,093000.00,A,3355.2741,S,01825.2741,E,0.0,0.0,240315,,,A*6C\r\n";
    traffic += "+TRIPS,3,2015/03/24,09:30,10:10,-33.9212,18.4234,-34.0123,18.5123,12.3,80\r\n";
  }
  return traffic;
}

void BM_LineIngest(benchmark::State& state) {
  const std::string traffic = ReplyTraffic();
  const size_t readSize = static_cast<size_t>(wr::usbid::kReadSize);
  auto queue = std::make_unique<wr::LineQueue>();
  char line[wr::LineQueue::kLineBufferSize];
  const int channel = wr::LineQueue::kReceiveChannel;
  size_t lines = 0;
  for (auto _ : state) {
    for (size_t at = 0; at < traffic.size(); at += readSize) {
      const size_t end = std::min(traffic.size(), at + readSize);
      for (size_t i = at; i < end; ++i) queue->PutByte(channel, static_cast<uint8_t>(traffic[i]));
      while (queue->GetLine(channel, line) > 0) ++lines;
    }
    benchmark::DoNotOptimize(line);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(traffic.size()));
  state.counters["lines"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LineIngest);

}  // namespace
