// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The status values over time: supply voltage, backup battery voltage,
// signal and speed, one reading per status reply, for the history chart and
// its export.
//
// The memory it takes is bounded whatever the polling rate and however long
// the tool stays open. Readings of the last hour are kept as they came (at
// most kMaxRecent of them; past that the oldest are summarised early); older
// ones are summarised per minute of the clock as minimum, maximum and mean,
// so a day still shows its dips and peaks; summaries older than a day are
// dropped. That is at most kMaxRecent readings and kMaxMinutes summaries,
// some 300 kB.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "protocol/stats_values.h"

namespace wr {

enum class StatusSeries { kSupplyVolts, kBatteryVolts, kSignalDbm, kSpeedKmh };
inline constexpr size_t kStatusSeriesCount = 4;

// One status reply's numbers at a time in milliseconds since 1970-01-01 UTC.
// A value the reply did not carry is NaN; so is a signal outside what the
// unit can measure (its "not known" index would read as +85 dBm).
struct StatusReading {
  int64_t timeMs = 0;
  std::array<float, kStatusSeriesCount> values{};

  float Value(StatusSeries s) const { return values[static_cast<size_t>(s)]; }
  static StatusReading From(int64_t timeMs, const StatsValues& stats);
};

// One series over a stretch of time. count is how many readings carried a
// value; min, max and mean mean nothing when it is 0.
struct SeriesSummary {
  float min = 0, max = 0, mean = 0;
  uint32_t count = 0;

  void Add(float value);
  void Merge(const SeriesSummary& other);
};

// The readings from timeMs on (up to the next row's time), summarised. A
// row that stands for one reading holds its values as min, max and mean.
struct StatusRow {
  int64_t timeMs = 0;
  uint32_t readings = 0;
  std::array<SeriesSummary, kStatusSeriesCount> series{};

  const SeriesSummary& Of(StatusSeries s) const { return series[static_cast<size_t>(s)]; }
  void Add(const StatusReading& reading);
  void Merge(const StatusRow& other);
};

class StatusHistory {
 public:
  static constexpr int64_t kMinuteMs = 60 * 1000;
  // Readings this recent are kept one by one.
  static constexpr int64_t kRecentMs = 60 * kMinuteMs;
  // Summaries this old are dropped.
  static constexpr int64_t kKeptMs = 24 * 60 * kMinuteMs;
  // Two readings a second for the recent hour; the tool polls once a second.
  static constexpr size_t kMaxRecent = 2 * 3600;
  // A day of minutes and the one under way.
  static constexpr size_t kMaxMinutes = 24 * 60 + 1;

  StatusHistory();

  // Adds a reading. Time runs forward only: a reading stamped before the
  // latest one (the system clock was set back) counts as taken at the
  // latest one's time, so that nothing already kept is reordered or lost.
  void Add(StatusReading reading);
  void Add(int64_t timeMs, const StatsValues& stats) { Add(StatusReading::From(timeMs, stats)); }
  void Clear();

  bool Empty() const { return recentCount_ == 0 && minuteCount_ == 0; }
  std::optional<int64_t> LatestTimeMs() const;
  std::optional<StatusReading> Latest() const;
  size_t RecentCount() const { return recentCount_; }
  size_t MinuteCount() const { return minuteCount_; }
  // What the two stores take on the heap and in the object itself.
  size_t MemoryBytes() const;

  // Everything kept, oldest first: a row per summarised minute, then a row
  // per recent reading.
  std::vector<StatusRow> Rows() const;
  // The rows with a time from fromMs to toMs, merged so that there are at
  // most maxRows: when there are more, the span is cut into maxRows equal
  // parts and each part's rows become one.
  std::vector<StatusRow> Rows(int64_t fromMs, int64_t toMs, size_t maxRows) const;

 private:
  const StatusReading& RecentAt(size_t i) const;
  const StatusRow& MinuteAt(size_t i) const;
  // Summarises the oldest recent reading into its minute.
  void RetireOldestRecent();
  void DropOldestMinute();

  std::vector<StatusReading> recent_;  // ring of kMaxRecent
  size_t recentFirst_ = 0;
  size_t recentCount_ = 0;
  std::vector<StatusRow> minutes_;  // ring of kMaxMinutes
  size_t minuteFirst_ = 0;
  size_t minuteCount_ = 0;
  int64_t latestMs_ = 0;
};

}  // namespace wr
