// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/status_history.h"

#include <cmath>
#include <limits>

namespace wr {
namespace {

constexpr float kNone = std::numeric_limits<float>::quiet_NaN();

// A number as the store keeps it; what single precision cannot hold (a
// garbled reply's 1e300) counts as not reported rather than as infinity.
float Stored(double value) {
  const float f = static_cast<float>(value);
  return std::isfinite(f) ? f : kNone;
}

template <typename T>
float Stored(const std::optional<T>& value) {
  return value ? Stored(static_cast<double>(*value)) : kNone;
}

// The start of the minute t falls in, also before 1970.
int64_t MinuteStart(int64_t t) {
  int64_t q = t / StatusHistory::kMinuteMs;
  if (t % StatusHistory::kMinuteMs < 0) --q;
  return q * StatusHistory::kMinuteMs;
}

// The signal index runs from 0 (-113 dBm or less) to 31 (-51 dBm or more);
// 99 stands for "not known", which the formula would make +85 dBm.
constexpr int kWeakestDbm = -113;
constexpr int kStrongestDbm = -51;

StatusRow RowOf(const StatusReading& reading) {
  StatusRow row;
  row.timeMs = reading.timeMs;
  row.Add(reading);
  return row;
}

}  // namespace

StatusReading StatusReading::From(int64_t timeMs, const StatsValues& stats) {
  StatusReading r;
  r.timeMs = timeMs;
  r.values[static_cast<size_t>(StatusSeries::kSupplyVolts)] = Stored(stats.supplyVolts);
  r.values[static_cast<size_t>(StatusSeries::kBatteryVolts)] = Stored(stats.batteryVolts);
  if (stats.signalDbm && *stats.signalDbm >= kWeakestDbm && *stats.signalDbm <= kStrongestDbm)
    r.values[static_cast<size_t>(StatusSeries::kSignalDbm)] = Stored(stats.signalDbm);
  else
    r.values[static_cast<size_t>(StatusSeries::kSignalDbm)] = kNone;
  r.values[static_cast<size_t>(StatusSeries::kSpeedKmh)] = Stored(stats.speedKmh);
  return r;
}

void SeriesSummary::Add(float value) {
  if (std::isnan(value)) return;
  SeriesSummary one;
  one.min = one.max = one.mean = value;
  one.count = 1;
  Merge(one);
}

void SeriesSummary::Merge(const SeriesSummary& other) {
  if (other.count == 0) return;
  if (count == 0) {
    *this = other;
    return;
  }
  min = std::fmin(min, other.min);
  max = std::fmax(max, other.max);
  const double total = static_cast<double>(count) + other.count;
  mean = static_cast<float>((static_cast<double>(mean) * count +
                             static_cast<double>(other.mean) * other.count) / total);
  count += other.count;
}

void StatusRow::Add(const StatusReading& reading) {
  ++readings;
  for (size_t i = 0; i < kStatusSeriesCount; ++i) series[i].Add(reading.values[i]);
}

void StatusRow::Merge(const StatusRow& other) {
  readings += other.readings;
  for (size_t i = 0; i < kStatusSeriesCount; ++i) series[i].Merge(other.series[i]);
}

StatusHistory::StatusHistory() = default;

const StatusReading& StatusHistory::RecentAt(size_t i) const {
  return recent_[(recentFirst_ + i) % kMaxRecent];
}

const StatusRow& StatusHistory::MinuteAt(size_t i) const {
  return minutes_[(minuteFirst_ + i) % kMaxMinutes];
}

void StatusHistory::Add(StatusReading reading) {
  if (recent_.empty()) {
    // Both stores at their final size at once: what they take never grows.
    recent_.resize(kMaxRecent);
    minutes_.resize(kMaxMinutes);
  }
  if (!Empty() && reading.timeMs < latestMs_) reading.timeMs = latestMs_;
  for (float& v : reading.values)
    if (!std::isfinite(v)) v = kNone;
  latestMs_ = reading.timeMs;

  if (recentCount_ == kMaxRecent) RetireOldestRecent();
  recent_[(recentFirst_ + recentCount_) % kMaxRecent] = reading;
  ++recentCount_;
  while (RecentAt(0).timeMs <= latestMs_ - kRecentMs) RetireOldestRecent();
  while (minuteCount_ > 0 && MinuteAt(0).timeMs + kMinuteMs <= latestMs_ - kKeptMs)
    DropOldestMinute();
}

void StatusHistory::RetireOldestRecent() {
  const StatusReading& oldest = RecentAt(0);
  const int64_t start = MinuteStart(oldest.timeMs);
  if (minuteCount_ == 0 || MinuteAt(minuteCount_ - 1).timeMs != start) {
    if (minuteCount_ == kMaxMinutes) DropOldestMinute();
    StatusRow& row = minutes_[(minuteFirst_ + minuteCount_) % kMaxMinutes];
    row = StatusRow();
    row.timeMs = start;
    ++minuteCount_;
  }
  minutes_[(minuteFirst_ + minuteCount_ - 1) % kMaxMinutes].Add(oldest);
  recentFirst_ = (recentFirst_ + 1) % kMaxRecent;
  --recentCount_;
}

void StatusHistory::DropOldestMinute() {
  minuteFirst_ = (minuteFirst_ + 1) % kMaxMinutes;
  --minuteCount_;
}

void StatusHistory::Clear() {
  recentFirst_ = recentCount_ = 0;
  minuteFirst_ = minuteCount_ = 0;
  latestMs_ = 0;
}

std::optional<int64_t> StatusHistory::LatestTimeMs() const {
  if (Empty()) return std::nullopt;
  return latestMs_;
}

std::optional<StatusReading> StatusHistory::Latest() const {
  if (recentCount_ == 0) return std::nullopt;
  return RecentAt(recentCount_ - 1);
}

size_t StatusHistory::MemoryBytes() const {
  return sizeof(*this) + recent_.capacity() * sizeof(StatusReading) +
         minutes_.capacity() * sizeof(StatusRow);
}

std::vector<StatusRow> StatusHistory::Rows() const {
  std::vector<StatusRow> rows;
  rows.reserve(minuteCount_ + recentCount_);
  for (size_t i = 0; i < minuteCount_; ++i) rows.push_back(MinuteAt(i));
  for (size_t i = 0; i < recentCount_; ++i) rows.push_back(RowOf(RecentAt(i)));
  return rows;
}

std::vector<StatusRow> StatusHistory::Rows(int64_t fromMs, int64_t toMs, size_t maxRows) const {
  std::vector<StatusRow> rows;
  if (maxRows == 0 || toMs < fromMs) return rows;
  for (size_t i = 0; i < minuteCount_; ++i) {
    const StatusRow& row = MinuteAt(i);
    if (row.timeMs >= fromMs && row.timeMs <= toMs) rows.push_back(row);
  }
  for (size_t i = 0; i < recentCount_; ++i) {
    const StatusReading& r = RecentAt(i);
    if (r.timeMs >= fromMs && r.timeMs <= toMs) rows.push_back(RowOf(r));
  }
  if (rows.size() <= maxRows) return rows;

  // Equal parts of the span; a part takes the time of its first row.
  const uint64_t span = static_cast<uint64_t>(toMs) - static_cast<uint64_t>(fromMs) + 1;
  const uint64_t width = (span + maxRows - 1) / maxRows;
  std::vector<StatusRow> merged;
  merged.reserve(maxRows);
  uint64_t part = 0;
  for (const StatusRow& row : rows) {
    const uint64_t p = (static_cast<uint64_t>(row.timeMs) - static_cast<uint64_t>(fromMs)) / width;
    if (merged.empty() || p != part) {
      merged.push_back(row);
      part = p;
    } else {
      merged.back().Merge(row);
    }
  }
  return merged;
}

}  // namespace wr
