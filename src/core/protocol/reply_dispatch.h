#pragma once
// What one reply line from the unit changes in what is known of it. The
// interpretation is here, free of any window; the session applies the
// returned effect to its model, which the windows and commands show.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/stats_values.h"

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

// "+TRACK,": all five fields read as integers.
struct TrackReply {
  int32_t field1 = 0, field2 = 0, field3 = 0, field4 = 0, field5 = 0;  // field3: stop time, seconds
  std::string tripStopText;  // the trip stop time in whole minutes, even if not a choice offered
};

// "+USSD,": the query interval read as an integer.
struct UssdReply {
  std::string query;         // the query string
  int32_t interval = 0;      // shown as std::to_string(interval): 024 shows as 24
  std::string caption;       // "USSD received", with the answer's time stamp when it has one
  std::string answer;        // the answer without its time stamp
};

// "+GPRS,": missing fields are empty texts.
struct GprsReply {
  std::string apn;           // the access point name
  std::string username;
  std::string password;
};

// How to apply an effect:
// - resetsQuietTime: set the link's quiet time to 0. True for every line
//   except Ignored ones; a recognised line that does not parse still counts.
// - Each optional is present exactly when what it holds is to be replaced;
//   an absent one changes nothing. A line of a settings kind whose required
//   field does not read keeps its kind and leaves its value absent.
// - version: the firmware version text. deviceId: the device identifier.
// - stats: the live status; it replaces the whole of the previous one.
// - track: the trip stop time (tripStopText, field 3) and fields 1, 2, 4 and
//   5, kept to be sent back unchanged when the settings are written.
// - lowPower: the low-power mode, on or off.
// - ussd, gprs: the settings and the answer named in their structs.
// - tripsLine: the whole line, for the trip reader, which checks it.
// - ignitionIndex: the ignition detection mode, the index into its choices,
//   as read and not checked against them.
struct ReplyEffect {
  ReplyKind kind = ReplyKind::Ignored;
  bool resetsQuietTime = false;
  std::optional<std::string> version;
  std::optional<std::string> deviceId;
  std::optional<StatsValues> stats;
  std::optional<TrackReply> track;
  std::optional<bool> lowPower;
  std::optional<UssdReply> ussd;
  std::optional<GprsReply> gprs;
  std::optional<std::string> tripsLine;
  std::optional<int32_t> ignitionIndex;
};

// Interprets one reply line (without its line end). Never fails: a line that
// does not parse yields an effect that changes nothing but the quiet time.
ReplyEffect InterpretReplyLine(std::string_view line);

}  // namespace wr
