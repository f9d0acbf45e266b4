#include "protocol/stats_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace wr {
namespace {

// A typical reply; tests replace the fields they are about.
std::string StatsLine(const std::map<int, std::string>& changes = {}) {
  std::vector<std::string> fields = {"+STATS", "1",      "x",      "1",     "4.10", "0",    "3.70", "12.5",
                                     "17",     "6",      "3",      "12",    "9",    "1",    "30",   "600",
                                     "-33.92", "18.42",  "Idle",   "0",     "123456", "1"};
  for (const auto& [n, text] : changes) fields[n] = text;
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + fields[i];
  return line;
}

TEST(FormatStatsLine, TypicalLineFillsEveryText) {
  const StatsTexts t = FormatStatsLine(StatsLine());
  EXPECT_EQ(t.gsmStatus, "Registered");
  EXPECT_EQ(t.gsmSignal, "-79 dBm (Very Strong)");
  EXPECT_EQ(t.nextGsmUpdate, "10 minutes");
  EXPECT_EQ(t.coordinates, "-33.92 18.42");
  EXPECT_EQ(t.gpsSignal, "3D Fix (9/12 satellites, HDOP=1)");
  EXPECT_EQ(t.movement, "30 seconds ago");
  EXPECT_EQ(t.tripStatus, "Idle");
  EXPECT_EQ(t.speed, "0 km/h");
  EXPECT_EQ(t.time, "12:34:56");
  EXPECT_EQ(t.voltExternal, "12.5 V");
  EXPECT_EQ(t.voltBattery, "3.70 V (43%)");
}

TEST(FormatStatsLine, BatteryShowsReceivedTextChargeAndCharging) {
  EXPECT_EQ(FormatStatsLine(StatsLine({{6, "3.70"}, {21, "0"}})).voltBattery, "3.70 V (43%) Charging");
  EXPECT_EQ(FormatStatsLine(StatsLine({{6, "4.150"}})).voltBattery, "4.150 V (99%)");
  EXPECT_EQ(FormatStatsLine(StatsLine({{6, "3.3"}})).voltBattery, "3.3 V (0%)");
  EXPECT_EQ(FormatStatsLine(StatsLine({{6, "4.25"}})).voltBattery, "4.25 V (100%)");
  EXPECT_EQ(FormatStatsLine(StatsLine({{6, "0"}})).voltBattery, "0 V (0%)");
  EXPECT_EQ(FormatStatsLine(StatsLine({{6, "-2"}})).voltBattery, "-2 V (0%)");
  EXPECT_EQ(FormatStatsLine(StatsLine({{6, "5000"}, {21, "0"}})).voltBattery, "5000 V");
  // Text without a number reads as 0 volts; the text itself is shown as sent.
  EXPECT_EQ(FormatStatsLine(StatsLine({{6, "n/a"}})).voltBattery, "n/a V (0%)");
  // A charge indicator that does not read counts as 0: charging.
  EXPECT_EQ(FormatStatsLine(StatsLine({{21, "?"}})).voltBattery, "3.70 V (43%) Charging");
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

TEST(FormatStatsLine, VoltageBeyondRangeDropsPercentageAndWarning) {
  // Battery beyond range: no percentage, and no warning even with a high supply.
  StatsTexts t = FormatStatsLine(StatsLine({{4, "4.9"}, {6, "1e39"}}));
  EXPECT_EQ(t.voltBattery, "1e39 V");
  EXPECT_EQ(t.gsmStatus, "Registered");
  // Supply beyond range: the same.
  t = FormatStatsLine(StatsLine({{4, "9e99"}}));
  EXPECT_EQ(t.voltBattery, "3.70 V");
  EXPECT_EQ(t.gsmStatus, "Registered");
  // The rest of the line is still shown.
  EXPECT_EQ(t.gsmSignal, "-79 dBm (Very Strong)");
  EXPECT_EQ(t.time, "12:34:56");
}

TEST(FormatStatsLine, SupplyWarningComparesInSinglePrecision) {
  const std::string warning = "Registered - Warning: Supply voltage too high!";
  EXPECT_EQ(FormatStatsLine(StatsLine({{4, "4.9"}})).gsmStatus, warning);
  EXPECT_EQ(FormatStatsLine(StatsLine({{4, "4.8"}})).gsmStatus, warning);
  EXPECT_EQ(FormatStatsLine(StatsLine({{4, "4.79"}})).gsmStatus, "Registered");
  EXPECT_EQ(FormatStatsLine(StatsLine({{4, "4.8"}, {9, "13"}})).gsmStatus,
            "unknown - Warning: Supply voltage too high!");
}

TEST(FormatStatsLine, GsmStateTexts) {
  const std::vector<std::pair<std::string, std::string>> states = {
      {"0", "Modem switched off"}, {"1", "Not registered, searching for network..."},
      {"3", "No SIMcard detected"}, {"12", "Incoming call"}, {"13", "unknown"}, {"-1", "unknown"}};
  for (const auto& [state, text] : states) {
    EXPECT_EQ(FormatStatsLine(StatsLine({{9, state}})).gsmStatus, text) << state;
  }
}

TEST(FormatStatsLine, SignalLevelAndRating) {
  const std::vector<std::pair<std::string, std::string>> signals = {
      {"17", "-79 dBm (Very Strong)"}, {"10", "-93 dBm (Average)"}, {"22", "-69 dBm "},
      {"99", "85 dBm "},              {"3", "-107 dBm (Very Weak)"}, {"4", "-105 dBm (Weak)"},
      {"6", "-101 dBm (Weak)"},        {"7", "-99 dBm (Average)"},  {"12", "-89 dBm (Good)"},
      {"16", "-81 dBm (Good)"},        {"21", "-71 dBm (Very Strong)"},
      {"2147483647", "4294967181 dBm "}};
  for (const auto& [index, text] : signals) {
    EXPECT_EQ(FormatStatsLine(StatsLine({{8, index}})).gsmSignal, text) << index;
  }
}

TEST(FormatStatsLine, GpsTextDependsOnReceiverState) {
  EXPECT_EQ(FormatStatsLine(StatsLine({{3, "0"}})).gpsSignal, "Switched Off");
  EXPECT_EQ(FormatStatsLine(StatsLine({{3, "-1"}})).gpsSignal, "Switched Off");
  EXPECT_EQ(FormatStatsLine(StatsLine({{3, "2"}, {10, "2"}})).gpsSignal, "2D Fix (9/12 satellites, HDOP=1)");
  EXPECT_EQ(FormatStatsLine(StatsLine({{10, "1"}, {11, "4"}, {12, "0"}, {13, "99"}})).gpsSignal,
            "No Fix (0/4 satellites, HDOP=99)");
}

TEST(FormatStatsLine, SecondsTurnIntoMinutesAtTwo) {
  EXPECT_EQ(FormatStatsLine(StatsLine({{14, "119"}})).movement, "119 seconds ago");
  EXPECT_EQ(FormatStatsLine(StatsLine({{14, "120"}})).movement, "2 minutes ago");
  EXPECT_EQ(FormatStatsLine(StatsLine({{14, "179"}})).movement, "2 minutes ago");
  EXPECT_EQ(FormatStatsLine(StatsLine({{15, "-5"}})).nextGsmUpdate, "-5 seconds");
  EXPECT_EQ(FormatStatsLine(StatsLine({{15, "119"}})).nextGsmUpdate, "119 seconds");
  EXPECT_EQ(FormatStatsLine(StatsLine({{15, "120"}})).nextGsmUpdate, "2 minutes");
}

TEST(FormatStatsLine, TimeNeedsExactlySixCharacters) {
  EXPECT_EQ(FormatStatsLine(StatsLine({{20, "12345"}})).time, "");
  EXPECT_EQ(FormatStatsLine(StatsLine({{20, "1234567"}})).time, "");
  EXPECT_EQ(FormatStatsLine(StatsLine({{20, "\"090807\""}})).time, "09:08:07");
}

TEST(FormatStatsLine, UnreadableIntegersReadAsZero) {
  const StatsTexts t = FormatStatsLine(StatsLine({{3, "on"}, {8, "5-3"}, {9, "x"}, {14, "--"}, {15, "99999999999"}}));
  EXPECT_EQ(t.gpsSignal, "Switched Off");
  EXPECT_EQ(t.gsmSignal, "-113 dBm (Very Weak)");
  EXPECT_EQ(t.gsmStatus, "Modem switched off");
  EXPECT_EQ(t.movement, "0 seconds ago");
  EXPECT_EQ(t.nextGsmUpdate, "0 seconds");
}

TEST(FormatStatsLine, ShortLineShowsEmptyAndZeroValues) {
  const StatsTexts t = FormatStatsLine("+STATS,");
  EXPECT_EQ(t.gsmStatus, "Modem switched off");
  EXPECT_EQ(t.gsmSignal, "-113 dBm (Very Weak)");
  EXPECT_EQ(t.nextGsmUpdate, "0 seconds");
  EXPECT_EQ(t.coordinates, " ");
  EXPECT_EQ(t.gpsSignal, "Switched Off");
  EXPECT_EQ(t.movement, "0 seconds ago");
  EXPECT_EQ(t.tripStatus, "");
  EXPECT_EQ(t.speed, " km/h");
  EXPECT_EQ(t.time, "");
  EXPECT_EQ(t.voltExternal, " V");
  EXPECT_EQ(t.voltBattery, " V (0%) Charging");
}

}  // namespace
}  // namespace wr
