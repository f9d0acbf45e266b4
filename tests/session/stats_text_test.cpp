// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/stats_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/support/stats_line.h"

namespace wr {
namespace {

using wr::testing::StatsLine;

using Text = QString StatsTexts::*;

struct Case {
  std::map<int, std::string> changes;
  Text text;
  std::string expected;
};

void ExpectTexts(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const std::string line = StatsLine(c.changes);
    EXPECT_EQ((FormatStatsLine(line).*c.text).toStdString(), c.expected) << line;
  }
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

TEST(FormatStatsLine, BatteryAndSupplyWarning) {
  const Text battery = &StatsTexts::voltBattery;
  const Text gsm = &StatsTexts::gsmStatus;
  const std::string warning = "Registered - Warning: Supply voltage too high!";
  ExpectTexts({
      {{{6, "3.70"}, {21, "0"}}, battery, "3.70 V (43%) Charging"},
      {{{6, "4.150"}}, battery, "4.150 V (99%)"},  // shown as received
      {{{6, "3.3"}}, battery, "3.3 V (0%)"},
      {{{6, "4.25"}}, battery, "4.25 V (100%)"},
      {{{6, "0"}}, battery, "0 V (0%)"},
      {{{6, "-2"}}, battery, "-2 V (0%)"},
      {{{6, "5000"}, {21, "0"}}, battery, "5000 V"},
      // Text without a number reads as 0 volts; the text itself is shown as sent.
      {{{6, "n/a"}}, battery, "n/a V (0%)"},
      // A charge indicator that does not read counts as 0: charging.
      {{{21, "?"}}, battery, "3.70 V (43%) Charging"},
      // The warning compares in single precision: 4.8 lies just above 4.8.
      {{{4, "4.9"}}, gsm, warning},
      {{{4, "4.8"}}, gsm, warning},
      {{{4, "4.79"}}, gsm, "Registered"},
      {{{4, "4.8"}, {9, "13"}}, gsm, "unknown - Warning: Supply voltage too high!"},
      // A voltage beyond single precision: no percentage, and no warning even
      // with a high supply; the rest of the line is still shown.
      {{{4, "4.9"}, {6, "1e39"}}, battery, "1e39 V"},
      {{{4, "4.9"}, {6, "1e39"}}, gsm, "Registered"},
      {{{4, "9e99"}}, battery, "3.70 V"},
      {{{4, "9e99"}}, gsm, "Registered"},
      {{{4, "9e99"}}, &StatsTexts::gsmSignal, "-79 dBm (Very Strong)"},
      {{{4, "9e99"}}, &StatsTexts::time, "12:34:56"},
  });
}

TEST(FormatStatsLine, GsmStateAndSignal) {
  const Text gsm = &StatsTexts::gsmStatus;
  const Text signal = &StatsTexts::gsmSignal;
  ExpectTexts({
      {{{9, "0"}}, gsm, "Modem switched off"},
      {{{9, "1"}}, gsm, "Not registered, searching for network..."},
      {{{9, "3"}}, gsm, "No SIMcard detected"},
      {{{9, "12"}}, gsm, "Incoming call"},
      {{{9, "13"}}, gsm, "unknown"},
      {{{9, "-1"}}, gsm, "unknown"},
      {{{8, "17"}}, signal, "-79 dBm (Very Strong)"},
      {{{8, "10"}}, signal, "-93 dBm (Average)"},
      {{{8, "22"}}, signal, "-69 dBm "},
      {{{8, "99"}}, signal, "85 dBm "},
      {{{8, "3"}}, signal, "-107 dBm (Very Weak)"},
      {{{8, "4"}}, signal, "-105 dBm (Weak)"},
      {{{8, "6"}}, signal, "-101 dBm (Weak)"},
      {{{8, "7"}}, signal, "-99 dBm (Average)"},
      {{{8, "12"}}, signal, "-89 dBm (Good)"},
      {{{8, "16"}}, signal, "-81 dBm (Good)"},
      {{{8, "21"}}, signal, "-71 dBm (Very Strong)"},
      {{{8, "2147483647"}}, signal, "4294967181 dBm "},
  });
}

TEST(FormatStatsLine, GpsMovementUpdateAndTime) {
  const Text gps = &StatsTexts::gpsSignal;
  const Text movement = &StatsTexts::movement;
  const Text update = &StatsTexts::nextGsmUpdate;
  const Text time = &StatsTexts::time;
  ExpectTexts({
      {{{3, "0"}}, gps, "Switched Off"},
      {{{3, "-1"}}, gps, "Switched Off"},
      {{{3, "2"}, {10, "2"}}, gps, "2D Fix (9/12 satellites, HDOP=1)"},
      {{{10, "1"}, {11, "4"}, {12, "0"}, {13, "99"}}, gps, "No Fix (0/4 satellites, HDOP=99)"},
      {{{14, "119"}}, movement, "119 seconds ago"},
      {{{14, "120"}}, movement, "2 minutes ago"},
      {{{14, "179"}}, movement, "2 minutes ago"},
      {{{15, "-5"}}, update, "-5 seconds"},
      {{{15, "119"}}, update, "119 seconds"},
      {{{15, "120"}}, update, "2 minutes"},
      {{{20, "12345"}}, time, ""},
      {{{20, "1234567"}}, time, ""},
      {{{20, "\"090807\""}}, time, "09:08:07"},
      // Unit text that looks like a placeholder is shown as it is.
      {{{19, "%2"}}, &StatsTexts::speed, "%2 km/h"},
      {{{6, "%1%2"}}, &StatsTexts::voltBattery, "%1%2 V (0%)"},
  });
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
