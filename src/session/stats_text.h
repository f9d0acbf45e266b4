// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The status texts the windows and the command-line tool show, made from the
// values of one "+STATS," reply, in the user's language.
#include <QString>

#include <string_view>

#include "protocol/stats_values.h"

namespace wr {

// Every status text of one reply. A reply always rewrites all of them.
struct StatsTexts {
  QString gsmStatus,   // the GSM state, with a warning when the supply is too high
      gsmSignal,       // the signal in dBm with a rating
      nextGsmUpdate,   // seconds or minutes to the next update
      coordinates,     // latitude and longitude as sent
      gpsSignal,       // fix, satellites and HDOP, or that the receiver is off
      movement,        // age of the last movement, in seconds or minutes
      tripStatus,      // as sent
      speed,           // as sent, in km/h
      time,            // the unit's time with colons, or empty
      voltExternal,    // the supply voltage as sent
      voltBattery;     // the battery voltage as sent, with its charge
};

StatsTexts FormatStatsLine(const StatsValues& values);
// The texts of one reply line: its values read by the core, then the above.
StatsTexts FormatStatsLine(std::string_view line);

}  // namespace wr
