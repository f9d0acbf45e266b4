#include "protocol/reply_dispatch.h"

#include "protocol/commands.h"
#include "protocol/reply_fields.h"

namespace wr {
namespace {

using reply::StartsWith;

// The unit may leave a line end inside the text: drop the first carriage
// return together with the character after it.
std::string DropCarriageReturn(std::string_view text) {
  std::string out(text);
  const size_t cr = out.find('\r');
  if (cr != std::string::npos) out.erase(cr, 2);
  return out;
}

void InterpretInfo(std::string_view line, ReplyEffect& effect) {
  if (StartsWith(line, reply::kInfoVersion)) {
    effect.kind = ReplyKind::Version;
    effect.version = DropCarriageReturn(line.substr(reply::kInfoVersion.size()));
  } else if (StartsWith(line, reply::kInfoId)) {
    effect.kind = ReplyKind::DeviceId;
    effect.deviceId = DropCarriageReturn(line.substr(reply::kInfoId.size()));
  }
}

void InterpretTrack(std::string_view line, ReplyEffect& effect) {
  effect.kind = ReplyKind::Track;
  int32_t fields[5] = {};
  for (int n = 1; n <= 5; ++n) {
    if (!ReadsAsInt(ReplyFieldInt(line, n, fields[n - 1]))) return;
  }
  TrackReply track;
  track.field1 = fields[0];
  track.field2 = fields[1];
  track.field3 = fields[2];
  track.field4 = fields[3];
  track.field5 = fields[4];
  track.tripStopText = std::to_string(track.field3 / 60);
  effect.track = track;
}

void InterpretUssd(std::string_view line, ReplyEffect& effect) {
  effect.kind = ReplyKind::Ussd;
  UssdReply ussd;
  if (!ReadsAsInt(ReplyFieldInt(line, 2, ussd.interval))) return;
  ussd.query = ReplyFieldText(line, 1);
  // Everything after the third comma, commas included. Without a third comma
  // there is no answer at all (the keyword is not taken for one).
  const int offset = ReplyFieldOffset(line, 3);
  std::string_view rest = offset > 0 ? line.substr(static_cast<size_t>(offset)) : std::string_view();
  if (rest.size() >= 11) {
    // The answer opens with a time stamp of five two-digit groups.
    ussd.caption = "USSD received on: ";
    ussd.caption.append(rest.substr(0, 2)).append("/").append(rest.substr(2, 2));
    ussd.caption.append("/20").append(rest.substr(4, 2)).append(" ").append(rest.substr(6, 2));
    ussd.caption.append(":").append(rest.substr(8, 2));
    rest.remove_prefix(10);
  } else {
    ussd.caption = "USSD received";
  }
  ussd.answer = std::string(rest);
  effect.ussd = ussd;
}

}  // namespace

ReplyEffect InterpretReplyLine(std::string_view line) {
  ReplyEffect effect;
  if (line.empty()) return effect;
  const auto first = static_cast<unsigned char>(line.front());
  if (first < 32 || first >= 128) return effect;

  effect.resetsQuietTime = true;
  effect.kind = ReplyKind::QuietOnly;
  if (StartsWith(line, reply::kDebugPrefix)) return effect;

  if (StartsWith(line, reply::kInfo)) {
    InterpretInfo(line, effect);
  } else if (StartsWith(line, reply::kStats)) {
    effect.kind = ReplyKind::Stats;
    effect.stats = ReadStatsValues(line);
  } else if (StartsWith(line, reply::kIo) || StartsWith(line, reply::kIp)) {
    // Accepted and not used.
  } else if (StartsWith(line, reply::kTrack)) {
    InterpretTrack(line, effect);
  } else if (StartsWith(line, reply::kLowPower)) {
    effect.kind = ReplyKind::LowPower;
    int32_t mode = 0;
    if (ReadsAsInt(ReplyFieldInt(line, 1, mode))) effect.lowPower = mode != 0;
  } else if (StartsWith(line, reply::kUssd)) {
    InterpretUssd(line, effect);
  } else if (StartsWith(line, reply::kGprs)) {
    effect.kind = ReplyKind::Gprs;
    effect.gprs = GprsReply{ReplyFieldText(line, 1), ReplyFieldText(line, 2), ReplyFieldText(line, 3)};
  } else if (StartsWith(line, reply::kTrips)) {
    effect.kind = ReplyKind::Trips;
    effect.tripsLine = std::string(line);
  } else if (StartsWith(line, reply::kIgnition)) {
    effect.kind = ReplyKind::Ignition;
    int32_t mode = 0;
    if (ReadsAsInt(ReplyFieldInt(line, 1, mode))) effect.ignitionIndex = mode;
  }
  return effect;
}

}  // namespace wr
