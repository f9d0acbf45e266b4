// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

// The fields of a settings reply, as the table places them; false when a
// numeric field does not read as an integer.
bool ReadSettings(std::string_view line, SettingGroup group, ReplyEffect& effect) {
  SettingsReply reply{group, {}};
  for (const SettingDescriptor& d : SettingTable()) {
    if (d.group != group) continue;
    std::string& value = reply.values[static_cast<size_t>(d.key)].emplace();
    if (d.kind == SettingKind::Text) {
      value = ReplyFieldText(line, d.replyField);
      continue;
    }
    int32_t number = 0;
    if (!ReadsAsInt(ReplyFieldInt(line, d.replyField, number))) return false;
    value = std::to_string(number);
  }
  effect.settings = std::move(reply);
  return true;
}

void InterpretUssdAnswer(std::string_view line, ReplyEffect& effect) {
  UssdReply ussd;
  // Everything after the third comma, commas included. Without a third comma
  // there is no answer at all (the keyword is not taken for one).
  const int offset = ReplyFieldOffset(line, 3);
  std::string_view rest = offset > 0 ? line.substr(static_cast<size_t>(offset)) : std::string_view();
  if (rest.size() >= 11) {
    // The answer opens with a time stamp of five two-digit groups.
    std::string stamp(rest.substr(0, 2));
    stamp.append("/").append(rest.substr(2, 2));
    stamp.append("/20").append(rest.substr(4, 2)).append(" ").append(rest.substr(6, 2));
    stamp.append(":").append(rest.substr(8, 2));
    ussd.caption = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "USSD received on: %1"),
                               {Message::Plain(stamp)});
    rest.remove_prefix(10);
  } else {
    ussd.caption = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "USSD received"));
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
  } else if (StartsWith(line, reply::kTrips)) {
    effect.kind = ReplyKind::Trips;
    effect.tripsLine = std::string(line);
  } else {
    // The settings replies, as the table knows them.
    static const ReplyKind kKinds[] = {ReplyKind::Track, ReplyKind::LowPower, ReplyKind::Ussd,
                                       ReplyKind::Gprs, ReplyKind::Ignition};
    for (const SettingGroupDescriptor& g : SettingGroupTable()) {
      if (!StartsWith(line, g.reply)) continue;
      effect.kind = kKinds[static_cast<size_t>(g.group)];
      if (ReadSettings(line, g.group, effect) && g.group == SettingGroup::Ussd)
        InterpretUssdAnswer(line, effect);
      break;
    }
  }
  return effect;
}

}  // namespace wr
