// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What one reply line from the unit changes in what is known of it. The
// interpretation is here, free of any window; the session applies the
// returned effect to its model, which the windows and commands show.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/message.h"
#include "protocol/stats_values.h"
#include "protocol/unit_settings.h"

namespace wr {

enum class ReplyKind {
  Ignored,    // empty line, or one starting with a control byte or a byte of 128 and above
  QuietOnly,  // "~" debug output, "+IO,", "+IP,", other "+INFO:" lines, unknown keywords
  Version,    // "+INFO:Version:"
  DeviceId,   // "+INFO:ID:"
  Stats,      // "+STATS,"
  Track,      // "+TRACK,"
  LowPower,   // "+LOWPOWER,"
  Ussd,       // "+USSD,"
  Gprs,       // "+GPRS,"
  Trips,      // "+TRIPS,"
  Ignition,   // "+IGNITION,"
};

// The settings one reply carries: the fields of its group's keys as the
// setting table places them, numbers written in decimal as read.
struct SettingsReply {
  SettingGroup group;
  ReportedSettings values;  // only the group's keys are present
};

// "+USSD,": what the unit passes on of the last USSD answer.
struct UssdReply {
  Message caption;  // "USSD received", with the answer's time stamp when it has one
  std::string answer;        // the answer without its time stamp
};

// How to apply an effect:
// - resetsQuietTime: set the link's quiet time to 0. True for every line
//   except Ignored ones; a recognised line that does not parse still counts.
// - Each optional is present exactly when what it holds is to be replaced;
//   an absent one changes nothing. A line of a settings kind whose required
//   field does not read keeps its kind and leaves its value absent.
// - version: store it as the link's firmware version text, then show it in
//   edtVersion. deviceId: show it in edtSerial.
// - stats: the live status; it replaces the whole of the previous one.
// - settings: the group's values as reported (every numeric field read as
//   an integer, or the reply changes no setting); the ignition index is
//   the value as read, not checked against the list.
// - ussd: with the "+USSD," settings, the answer the unit passed on.
// - tripsLine: hand the whole line to HandleTripsLine, which checks it.
struct ReplyEffect {
  ReplyKind kind = ReplyKind::Ignored;
  bool resetsQuietTime = false;
  std::optional<std::string> version;
  std::optional<std::string> deviceId;
  std::optional<StatsValues> stats;
  std::optional<SettingsReply> settings;
  std::optional<UssdReply> ussd;
  std::optional<std::string> tripsLine;
};

// Interprets one reply line (without its line end). Never fails: a line that
// does not parse yields an effect that changes nothing but the quiet time.
ReplyEffect InterpretReplyLine(std::string_view line);

}  // namespace wr
