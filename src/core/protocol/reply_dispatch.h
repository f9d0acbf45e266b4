#pragma once
// What one reply line from the unit changes in the windows. The
// interpretation is here, free of any window; the main window's
// DispatchReplyLine applies the returned effect to its controls.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/stats_text.h"

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
  std::string tripStopText;  // cbox_trip_stop_time text: whole minutes, even if not a list item
};

// "+USSD,": the query interval read as an integer.
struct UssdReply {
  std::string query;         // edtUSSD
  int32_t interval = 0;      // edtUSSDinterval shows std::to_string(interval): 024 shows as 24
  std::string caption;       // lblUSSDRx caption
  std::string answer;        // edtUSSDRx
};

// "+GPRS,": missing fields are empty texts.
struct GprsReply {
  std::string apn;           // edtAPN
  std::string username;      // edtAPN_username
  std::string password;      // edtAPN_password
};

// How to apply an effect:
// - resetsQuietTime: set the link's quiet time to 0. True for every line
//   except Ignored ones; a recognised line that does not parse still counts.
// - Each optional is present exactly when its controls are to be written;
//   an absent one changes nothing. A line of a settings kind whose required
//   field does not read keeps its kind and leaves its value absent.
// - version: store it as the link's firmware version text, then show it in
//   edtVersion. deviceId: show it in edtSerial.
// - stats: set every Status-tab text (see StatsTexts).
// - track: set cbox_trip_stop_time's text to tripStopText and keep fields 1,
//   2, 4 and 5 as trackField1, trackField2, trackField4, trackField5.
// - lowPower: tick chkLowPower when true, untick when false.
// - ussd, gprs: set the texts named in their structs.
// - tripsLine: hand the whole line to HandleTripsLine, which checks it.
// - ignitionIndex: select that item of cboxIgnitionDetect. It is the value
//   as read, not checked against the list.
struct ReplyEffect {
  ReplyKind kind = ReplyKind::Ignored;
  bool resetsQuietTime = false;
  std::optional<std::string> version;
  std::optional<std::string> deviceId;
  std::optional<StatsTexts> stats;
  std::optional<StatsValues> statsValues;  // with stats: the same line's numbers
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
