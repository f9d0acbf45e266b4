// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/status_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "history/status_csv.h"

namespace wr {
namespace {

constexpr int64_t kSecond = 1000;
constexpr int64_t kHour = 3600 * kSecond;
// 2024-06-11T08:00:00Z, on a minute boundary.
constexpr int64_t kStart = 1718092800 * kSecond;

StatsValues Values(double supply, double battery, int signal, double speed) {
  StatsValues v;
  v.supplyVolts = supply;
  v.batteryVolts = battery;
  v.signalDbm = signal;
  v.speedKmh = speed;
  return v;
}

uint64_t TotalReadings(const std::vector<StatusRow>& rows) {
  uint64_t n = 0;
  for (const StatusRow& r : rows) n += r.readings;
  return n;
}

void ExpectOrdered(const std::vector<StatusRow>& rows) {
  for (size_t i = 1; i < rows.size(); ++i)
    ASSERT_LE(rows[i - 1].timeMs, rows[i].timeMs) << "row " << i;
}

// A week left open at one reading a second: the stores never grow past
// their bounds, a day is kept and no more, and the recent hour is whole.
TEST(StatusHistory, AWeekAtOneReadingASecondStaysBounded) {
  StatusHistory h;
  size_t memoryAfterFirst = 0;
  const int64_t week = 7 * 24 * kHour;
  for (int64_t t = 0; t < week; t += kSecond) {
    h.Add(kStart + t, Values(12.5 + (t / kSecond % 7) * 0.01, 4.0, -70, 0));
    if (t == 0) memoryAfterFirst = h.MemoryBytes();
    ASSERT_LE(h.RecentCount(), StatusHistory::kMaxRecent);
    ASSERT_LE(h.MinuteCount(), StatusHistory::kMaxMinutes);
  }
  EXPECT_EQ(h.MemoryBytes(), memoryAfterFirst);
  EXPECT_LE(h.MemoryBytes(), 10u * 1000 * 1000);

  const int64_t latest = kStart + week - kSecond;
  EXPECT_EQ(h.LatestTimeMs(), latest);
  EXPECT_EQ(h.RecentCount(), 3600u);
  const std::vector<StatusRow> rows = h.Rows();
  ExpectOrdered(rows);
  // The oldest minute kept reaches back a day, not further.
  EXPECT_GT(rows.front().timeMs + StatusHistory::kMinuteMs, latest - StatusHistory::kKeptMs);
  EXPECT_LE(rows.front().timeMs, latest - StatusHistory::kKeptMs + StatusHistory::kMinuteMs);
  // Every minute of the day is there, each with its sixty readings.
  EXPECT_EQ(h.MinuteCount(), 23u * 60 + 1);
  for (size_t i = 1; i + 1 < h.MinuteCount(); ++i) {
    EXPECT_EQ(rows[i].readings, 60u) << i;
    EXPECT_EQ(rows[i].timeMs - rows[i - 1].timeMs, StatusHistory::kMinuteMs);
  }
}

// Polled faster than the recent store holds, the oldest readings are
// summarised early rather than lost, and the store keeps its size.
TEST(StatusHistory, FastPollingIsSummarisedEarlyNotLost) {
  StatusHistory h;
  const int n = 5 * 3600 * 4;  // five hours at four readings a second
  for (int i = 0; i < n; ++i) h.Add(kStart + i * 250, Values(12, 4, -60, i % 100));
  // Half an hour at that rate fills the recent store.
  EXPECT_EQ(h.RecentCount(), StatusHistory::kMaxRecent);
  EXPECT_EQ(TotalReadings(h.Rows()), static_cast<uint64_t>(n));
  ExpectOrdered(h.Rows());

  // A long gap (the unit unplugged overnight) retires the whole recent hour.
  h.Add(kStart + 30 * kHour, Values(12, 4, -60, 0));
  EXPECT_EQ(h.RecentCount(), 1u);
  EXPECT_EQ(TotalReadings(h.Rows()), 1u) << "a day later everything before is gone";
}

// A minute's summary: minimum, maximum and mean of the readings that carried
// a value; a value a reply did not carry (or that no float holds) is left out
// rather than counted as zero.
TEST(StatusHistory, MinutesSummariseWhatTheRepliesCarried) {
  StatusHistory h;
  StatsValues partial;  // only the supply
  partial.supplyVolts = 11.0;
  StatsValues garbled = Values(1e300, 4.2, -80, 30);
  // Minute 0: supply 12, 13, 11 (partial), 1e300 (garbled: not counted), 12.
  h.Add(kStart + 1 * kSecond, Values(12, 4.0, -70, 0));
  h.Add(kStart + 20 * kSecond, Values(13, 4.1, -60, 50));
  h.Add(kStart + 40 * kSecond, partial);
  h.Add(kStart + 59 * kSecond, garbled);
  // The signal index for "not known" (99) is no measurement of +85 dBm.
  h.Add(kStart + 59 * kSecond + 500, Values(12, 4.0, 2 * 99 - 113, 0));
  // Minute 1 starts here.
  h.Add(kStart + 60 * kSecond, Values(14, 4.3, -50, 10));
  // An hour and a bit later both minutes are summaries.
  h.Add(kStart + kHour + 2 * StatusHistory::kMinuteMs, Values(12, 4, -70, 0));

  const std::vector<StatusRow> rows = h.Rows();
  ASSERT_EQ(rows.size(), 3u);
  const StatusRow& m0 = rows[0];
  EXPECT_EQ(m0.timeMs, kStart);
  EXPECT_EQ(m0.readings, 5u);
  const SeriesSummary& supply = m0.Of(StatusSeries::kSupplyVolts);
  EXPECT_EQ(supply.count, 4u);
  EXPECT_FLOAT_EQ(supply.min, 11);
  EXPECT_FLOAT_EQ(supply.max, 13);
  EXPECT_FLOAT_EQ(supply.mean, 12);
  const SeriesSummary& speed = m0.Of(StatusSeries::kSpeedKmh);
  EXPECT_EQ(speed.count, 4u);
  EXPECT_FLOAT_EQ(speed.max, 50);
  EXPECT_FLOAT_EQ(speed.mean, 20);
  EXPECT_EQ(m0.Of(StatusSeries::kSignalDbm).count, 3u);
  EXPECT_FLOAT_EQ(m0.Of(StatusSeries::kSignalDbm).mean, -70);

  EXPECT_EQ(rows[1].timeMs, kStart + StatusHistory::kMinuteMs);
  EXPECT_EQ(rows[1].readings, 1u);
  EXPECT_FLOAT_EQ(rows[1].Of(StatusSeries::kBatteryVolts).mean, 4.3f);
}

// The system clock set back: later readings never go before earlier ones,
// and none is dropped.
TEST(StatusHistory, AClockSetBackKeepsOrderAndReadings) {
  StatusHistory h;
  h.Add(kStart + 10 * kSecond, Values(12, 4, -70, 0));
  h.Add(kStart + 11 * kSecond, Values(12, 4, -70, 0));
  h.Add(kStart - kHour, Values(13, 4, -70, 0));
  h.Add(kStart + 12 * kSecond, Values(14, 4, -70, 0));
  const std::vector<StatusRow> rows = h.Rows();
  ASSERT_EQ(rows.size(), 4u);
  ExpectOrdered(rows);
  EXPECT_EQ(rows[2].timeMs, kStart + 11 * kSecond);
  EXPECT_FLOAT_EQ(rows[2].Of(StatusSeries::kSupplyVolts).mean, 13);
}

// What the chart asks for: a span, and at most so many rows. Merging keeps
// each part's extremes, so a short dip still shows in a day's view.
TEST(StatusHistory, RowsOfASpanAreMergedKeepingExtremes) {
  StatusHistory h;
  for (int64_t t = 0; t < 2 * kHour; t += kSecond) {
    const double supply = t == 90 * 60 * kSecond ? 9.5 : 12.6;  // one dip
    h.Add(kStart + t, Values(supply, 4, -70, 0));
  }
  const int64_t latest = *h.LatestTimeMs();

  // Ten minutes: the readings themselves.
  std::vector<StatusRow> rows = h.Rows(latest - 10 * 60 * kSecond, latest, 700);
  EXPECT_EQ(rows.size(), 601u);
  EXPECT_EQ(rows.back().timeMs, latest);

  // Two hours in at most 100 rows: summaries and readings merged.
  rows = h.Rows(latest - 2 * kHour, latest, 100);
  EXPECT_LE(rows.size(), 100u);
  EXPECT_GE(rows.size(), 99u);
  ExpectOrdered(rows);
  EXPECT_EQ(rows.front().timeMs, kStart);
  EXPECT_EQ(TotalReadings(rows), 7200u);
  float lowest = 100;
  for (const StatusRow& r : rows) lowest = std::fmin(lowest, r.Of(StatusSeries::kSupplyVolts).min);
  EXPECT_FLOAT_EQ(lowest, 9.5f);

  EXPECT_TRUE(h.Rows(latest, latest - 1, 10).empty());
  EXPECT_TRUE(h.Rows(latest - kHour, latest, 0).empty());
  EXPECT_TRUE(h.Rows(latest + 1, latest + kHour, 10).empty());
}

TEST(StatusHistoryCsv, TimesValuesAndSummaries) {
  EXPECT_EQ(IsoUtcSeconds(0), "1970-01-01T00:00:00Z");
  EXPECT_EQ(IsoUtcSeconds(-1), "1969-12-31T23:59:59Z");
  EXPECT_EQ(IsoUtcSeconds(1709251199999), "2024-02-29T23:59:59Z");
  EXPECT_EQ(IsoUtcSeconds(kStart + 5 * kSecond + 999), "2024-06-11T08:00:05Z");

  StatusHistory h;
  EXPECT_EQ(StatusHistoryCsv(h),
            "Time,Supply (V),Backup battery (V),Signal (dBm),Speed (km/h),Readings,"
            "Supply min (V),Supply max (V),Backup battery min (V),Backup battery max (V),"
            "Signal min (dBm),Signal max (dBm),Speed min (km/h),Speed max (km/h)\r\n");
  h.Add(kStart, Values(12.6, 4.0, -67, 0));
  h.Add(kStart + 30 * kSecond, Values(12.4, 4.2, -71, 42.5));
  StatsValues noSpeed = Values(12.61, 4.1, -69, 0);
  noSpeed.speedKmh.reset();
  h.Add(kStart + kHour + 30 * kSecond, noSpeed);
  const std::string csv = StatusHistoryCsv(h);
  const std::string rows = csv.substr(csv.find("\r\n") + 2);
  EXPECT_EQ(rows,
            "2024-06-11T08:00:00Z,12.5,4.1,-69,21.25,2,12.4,12.6,4,4.2,-71,-67,0,42.5\r\n"
            "2024-06-11T09:00:30Z,12.61,4.1,-69,,1,12.61,12.61,4.1,4.1,-69,-69,,\r\n");
}

}  // namespace
}  // namespace wr
