// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/stats_values.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/support/stats_line.h"

namespace wr {
namespace {

using wr::testing::StatsLine;

// The numbers for machines: each absent when the unit did not tell it.
TEST(ReadStatsValues, NumbersOfATypicalLine) {
  const StatsValues v = ReadStatsValues(StatsLine());
  EXPECT_EQ(v.signalDbm, -79);
  EXPECT_EQ(v.nextUpdateS, 600);
  EXPECT_EQ(v.latitude, -33.92);
  EXPECT_EQ(v.longitude, 18.42);
  EXPECT_EQ(v.satellitesUsed, 9);
  EXPECT_EQ(v.satellitesVisible, 12);
  EXPECT_EQ(v.hdop, 1);
  EXPECT_EQ(v.lastMovementS, 30);
  EXPECT_EQ(v.speedKmh, 0.0);
  EXPECT_EQ(v.unitTime, "123456");
  EXPECT_EQ(v.supplyVolts, 12.5);
  EXPECT_EQ(v.batteryVolts, 3.7);
  EXPECT_EQ(v.batteryPercent, 43);
}

TEST(ReadStatsValues, NumbersAreAbsentWhenMissingNotNumbersOrOutOfRange) {
  using Get = std::function<bool(const StatsValues&)>;  // true when the value is present
  const Get signal = [](const StatsValues& v) { return v.signalDbm.has_value(); };
  const Get update = [](const StatsValues& v) { return v.nextUpdateS.has_value(); };
  const Get lat = [](const StatsValues& v) { return v.latitude.has_value(); };
  const Get lon = [](const StatsValues& v) { return v.longitude.has_value(); };
  const Get used = [](const StatsValues& v) { return v.satellitesUsed.has_value(); };
  const Get visible = [](const StatsValues& v) { return v.satellitesVisible.has_value(); };
  const Get hdop = [](const StatsValues& v) { return v.hdop.has_value(); };
  const Get moved = [](const StatsValues& v) { return v.lastMovementS.has_value(); };
  const Get speed = [](const StatsValues& v) { return v.speedKmh.has_value(); };
  const Get time = [](const StatsValues& v) { return v.unitTime.has_value(); };
  const Get supply = [](const StatsValues& v) { return v.supplyVolts.has_value(); };
  const Get battery = [](const StatsValues& v) { return v.batteryVolts.has_value(); };
  const Get percent = [](const StatsValues& v) { return v.batteryPercent.has_value(); };
  const struct {
    std::map<int, std::string> changes;
    std::vector<Get> absent;
    std::vector<Get> present;
  } cases[] = {
      // Not numbers.
      {{{8, "x"}, {15, ""}, {14, "5-3"}}, {signal, update, moved}, {lat, speed}},
      {{{16, "S33.9"}, {17, "18.42E"}, {19, "12 km/h"}}, {lat, lon, speed}, {signal}},
      {{{11, "many"}, {12, ""}, {13, "?"}}, {used, visible, hdop}, {lat}},
      {{{6, "n/a"}, {7, "1e1"}}, {battery, percent, supply}, {signal}},
      {{{20, ""}}, {time}, {supply}},
      // Out of range: a signal index the unit does not know, beyond the
      // 32-bit range, positions off the globe, negative counts and ages.
      {{{8, "99"}}, {signal}, {update}},
      {{{8, "32"}, {15, "99999999999"}}, {signal, update}, {moved}},
      {{{16, "90.5"}, {17, "-180.01"}}, {lat, lon}, {speed}},
      {{{11, "-1"}, {12, "-1"}, {13, "-1"}, {14, "-30"}, {19, "-3"}}, {visible, used, hdop, moved, speed}, {lat}},
      // A battery voltage beyond single precision: no charge estimate.
      {{{6, "1" + std::string(40, '0')}}, {percent}, {battery}},
      // No fix: no position, precision or speed; the satellites still count.
      {{{10, "1"}}, {lat, lon, hdop, speed}, {used, visible, signal, time}},
      {{{10, "x"}}, {lat, lon, hdop, speed}, {used, visible}},
      // The receiver off: no satellites either.
      {{{3, "0"}}, {lat, lon, hdop, speed, used, visible}, {signal, moved, battery}},
      {{{3, "on"}}, {lat, lon, hdop, speed, used, visible}, {signal, moved, battery}},
  };
  for (const auto& c : cases) {
    const std::string line = StatsLine(c.changes);
    const StatsValues v = ReadStatsValues(line);
    for (size_t i = 0; i < c.absent.size(); ++i) EXPECT_FALSE(c.absent[i](v)) << line << " absent #" << i;
    for (size_t i = 0; i < c.present.size(); ++i) EXPECT_TRUE(c.present[i](v)) << line << " present #" << i;
  }
  // Limits that still count.
  const StatsValues limits = ReadStatsValues(
      StatsLine({{8, "0"}, {16, "-90"}, {17, "180"}, {15, "-5"}, {6, "+4.25"}, {7, " 12.0 "}}));
  EXPECT_EQ(limits.signalDbm, -113);
  EXPECT_EQ(limits.latitude, -90.0);
  EXPECT_EQ(limits.longitude, 180.0);
  EXPECT_EQ(limits.nextUpdateS, -5);  // overdue
  EXPECT_EQ(limits.batteryPercent, 100);
  EXPECT_EQ(limits.supplyVolts, 12.0);
  EXPECT_EQ(ReadStatsValues(StatsLine({{8, "31"}, {20, "\"12:00\""}})).signalDbm, -51);
  EXPECT_EQ(ReadStatsValues(StatsLine({{20, "\"12:00\""}})).unitTime, "12:00");  // as sent, unquoted
}

// What the status texts are made of: whole numbers that do not read count
// as 0, texts stay as sent, the two voltages are the unit's own readings.
TEST(ReadStatsValues, FieldsForTheTexts) {
  StatsFields f = ReadStatsValues(StatsLine({{3, "on"}, {8, "5-3"}, {4, "4.8"}, {15, "99999999999"},
                                             {16, "n/a"}, {19, "12 km/h"}, {6, "1e39"}, {21, "?"}}))
                      .fields;
  EXPECT_EQ(f.gpsState, 0);
  EXPECT_EQ(f.signalIndex, 0);
  EXPECT_EQ(f.nextUpdateS, 0);
  EXPECT_EQ(f.chargeIndicator, 0);
  EXPECT_EQ(f.gsmState, 6);
  EXPECT_EQ(f.latitude, "n/a");
  EXPECT_EQ(f.speed, "12 km/h");
  EXPECT_EQ(f.battery, "1e39");
  EXPECT_FALSE(f.batteryReading.has_value());
  EXPECT_EQ(f.gsmSupplyReading, 4.8f);

  f = ReadStatsValues("+STATS,").fields;
  EXPECT_EQ(f.gsmState, 0);
  EXPECT_EQ(f.battery, "");
  EXPECT_EQ(f.batteryReading, 0.0f);
  EXPECT_EQ(f.time, "");
  const StatsValues none = ReadStatsValues("+STATS,");
  EXPECT_FALSE(none.signalDbm || none.nextUpdateS || none.latitude || none.satellitesUsed ||
               none.lastMovementS || none.unitTime || none.supplyVolts || none.batteryPercent);
}

TEST(BatteryChargePercent, FollowsTheSampleTable) {
  const std::vector<std::pair<float, int>> samples = {
      {3.35f, 0},  {3.40f, 1},  {3.50f, 13}, {3.60f, 27}, {3.70f, 43},  {3.80f, 59},
      {3.90f, 74}, {4.00f, 87}, {4.10f, 96}, {4.15f, 99}, {4.20f, 100}, {4.21f, 100},
      {3.3f, 0},   {0.0f, 0},   {-1.0f, 0},  {20.0f, 100}};
  for (const auto& [volts, percent] : samples) {
    EXPECT_EQ(BatteryChargePercent(volts), percent) << volts;
  }
  // The cubic no longer fits an integer far outside the battery's range.
  EXPECT_FALSE(BatteryChargePercent(1e10f).has_value());
  EXPECT_FALSE(BatteryChargePercent(-1e10f).has_value());
}

TEST(ReadVoltage, TakesTheLongestLeadingDecimalNumber) {
  EXPECT_EQ(ReadVoltage("4.15"), 4.15f);
  EXPECT_EQ(ReadVoltage("  4.15V"), 4.15f);
  EXPECT_EQ(ReadVoltage("+4.5"), 4.5f);
  EXPECT_EQ(ReadVoltage("-.5"), -0.5f);
  EXPECT_EQ(ReadVoltage("5."), 5.0f);
  EXPECT_EQ(ReadVoltage("4.1.2"), 4.1f);
  EXPECT_EQ(ReadVoltage("42e-1"), 4.2f);
  EXPECT_EQ(ReadVoltage("4e"), 4.0f);
  EXPECT_EQ(ReadVoltage("4e+"), 4.0f);
  EXPECT_EQ(ReadVoltage("0x10"), 0.0f);  // decimal only
  EXPECT_EQ(ReadVoltage("inf"), 0.0f);
  EXPECT_EQ(ReadVoltage("nan"), 0.0f);
  EXPECT_EQ(ReadVoltage(""), 0.0f);
  EXPECT_EQ(ReadVoltage("."), 0.0f);
  EXPECT_EQ(ReadVoltage("-"), 0.0f);
  EXPECT_EQ(ReadVoltage("1e-50"), 0.0f);
  EXPECT_EQ(ReadVoltage("1e-999999999999"), 0.0f);
  EXPECT_EQ(ReadVoltage("0e999999"), 0.0f);
}

TEST(ReadVoltage, RejectsValuesBeyondSinglePrecision) {
  EXPECT_TRUE(ReadVoltage("3.4e38").has_value());
  EXPECT_FALSE(ReadVoltage("3.5e38").has_value());
  EXPECT_FALSE(ReadVoltage("-1e39").has_value());
  EXPECT_FALSE(ReadVoltage("1e400").has_value());
  EXPECT_FALSE(ReadVoltage("0.001e999999999999").has_value());
  EXPECT_FALSE(ReadVoltage(std::string(60, '9')).has_value());
}

}  // namespace
}  // namespace wr
