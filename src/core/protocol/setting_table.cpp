// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/setting_table.h"

#include "export/export_text.h"

#include <cstdio>
#include <limits>

#include "protocol/commands.h"


namespace wr {
namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

using K = SettingKey;
using G = SettingGroup;
using Kind = SettingKind;

constexpr size_t kNoLimit = 0;
const std::vector<const char*> kNoChoices;

// One row per setting, in SettingKey order: key, name, group, reply field,
// command argument, title, label, kind, min, max, most bytes, choices, secret.
const std::vector<SettingDescriptor> kTable = {
    {K::kUssd, "ussd", G::Ussd, 1, 1, WR_TRANSLATE_NOOP("wr::Core", "Airtime USSD String"), WR_TRANSLATE_NOOP("wr::Core", "Airtime USSD String"),
     Kind::Text, 0, 0, kNoLimit, kNoChoices, false},
    {K::kUssdInterval, "ussd_interval", G::Ussd, 2, 2, WR_TRANSLATE_NOOP("wr::Core", "Query Interval (hours)"),
     WR_TRANSLATE_NOOP("wr::Core", "Query Interval (hours)"), Kind::Integer, 0, kInt32Max, kNoLimit, kNoChoices, false},
    {K::kApn, "apn", G::Gprs, 1, 1, WR_TRANSLATE_NOOP("wr::Core", "GPRS APN"), WR_TRANSLATE_NOOP("wr::Core", "GPRS APN (usually internet)"), Kind::Text,
     0, 0, kNoLimit, kNoChoices, false},
    {K::kApnUser, "apn_user", G::Gprs, 2, 2, WR_TRANSLATE_NOOP("wr::Core", "Username"), WR_TRANSLATE_NOOP("wr::Core", "Username (usually blank)"),
     Kind::Text, 0, 0, kNoLimit, kNoChoices, false},
    {K::kApnPassword, "apn_password", G::Gprs, 3, 3, WR_TRANSLATE_NOOP("wr::Core", "Password"), WR_TRANSLATE_NOOP("wr::Core", "Password (usually blank)"),
     Kind::Text, 0, 0, kNoLimit, kNoChoices, true},
    // The unit keeps the seconds in 32 bits.
    {K::kTripStopMinutes, "trip_stop_minutes", G::Track, 3, 3,
     WR_TRANSLATE_NOOP("wr::Core", "Time stationary before ending trip (minutes)"), WR_TRANSLATE_NOOP("wr::Core", "Time stationary before ending trip"),
     Kind::Minutes, kInt32Min / 60, kInt32Max / 60, kNoLimit, kNoChoices, false},
    {K::kLowPower, "low_power", G::LowPower, 1, 1, WR_TRANSLATE_NOOP("wr::Core", "Low power mode"),
     WR_TRANSLATE_NOOP("wr::Core", "Enable Low power mode (switch off GSM if no movement detected)"), Kind::Flag, 0, 1,
     kNoLimit, {WR_TRANSLATE_NOOP("wr::Core", "Off"), WR_TRANSLATE_NOOP("wr::Core", "On")}, false},
    // Its box is not shown: the unit's value goes back with every save.
    {K::kIgnition, "ignition", G::Ignition, 1, 1, WR_TRANSLATE_NOOP("wr::Core", "Ignition detection"), nullptr, Kind::Choice,
     0, 2, kNoLimit, {WR_TRANSLATE_NOOP("wr::Core", "Disabled"), WR_TRANSLATE_NOOP("wr::Core", "Smart detection"), WR_TRANSLATE_NOOP("wr::Core", "Voltage on Input1")}, false},
    // The retained tracking values, passed through as the unit reports them.
    {K::kTrack1, "track1", G::Track, 1, 1, WR_TRANSLATE_NOOP("wr::Core", "Tracking value 1"), nullptr, Kind::Integer,
     kInt32Min, kInt32Max, kNoLimit, kNoChoices, false},
    {K::kTrack2, "track2", G::Track, 2, 2, WR_TRANSLATE_NOOP("wr::Core", "Tracking value 2"), nullptr, Kind::Integer,
     kInt32Min, kInt32Max, kNoLimit, kNoChoices, false},
    {K::kTrack4, "track4", G::Track, 4, 4, WR_TRANSLATE_NOOP("wr::Core", "Tracking value 4"), nullptr, Kind::Integer,
     kInt32Min, kInt32Max, kNoLimit, kNoChoices, false},
    {K::kTrack5, "track5", G::Track, 5, 5, WR_TRANSLATE_NOOP("wr::Core", "Tracking value 5"), nullptr, Kind::Integer,
     kInt32Min, kInt32Max, kNoLimit, kNoChoices, false},
};

const std::array<SettingGroupDescriptor, kSettingGroupCount> kGroups = {{
    {G::Track, reply::kTrack, cmd::kTrackQuery, cmd::kTrackSet,
     WR_TRANSLATE_NOOP("wr::Core", "Time stationary before ending trip")},
    {G::LowPower, reply::kLowPower, cmd::kLowPowerQuery, "AT+LOWPOWER=", WR_TRANSLATE_NOOP("wr::Core", "Low power mode")},
    {G::Ussd, reply::kUssd, cmd::kUssdQuery, cmd::kUssdSet,
     WR_TRANSLATE_NOOP("wr::Core", "Airtime USSD String and Query Interval (hours)")},
    {G::Gprs, reply::kGprs, cmd::kGprsQuery, cmd::kGprsSet, WR_TRANSLATE_NOOP("wr::Core", "GPRS APN, Username and Password")},
    {G::Ignition, reply::kIgnition, cmd::kIgnitionQuery, cmd::kIgnitionSet,
     WR_TRANSLATE_NOOP("wr::Core", "Ignition detection")},
}};

std::array<SettingKey, kSettingKeyCount> MakeKeys() {
  std::array<SettingKey, kSettingKeyCount> keys{};
  for (size_t i = 0; i < kSettingKeyCount; ++i) keys[i] = kTable[i].key;
  return keys;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A value for a message: printable ASCII as it is, any other byte as \xHH,
// and cut short, so a stray control character cannot reach a terminal.
Message Shown(std::string_view text) {
  constexpr size_t kMax = 40;
  std::string out;
  for (size_t i = 0; i < text.size() && i < kMax; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  if (text.size() > kMax) out += "...";
  return Message::Plain(out);
}

enum class IntegerParse { kOk, kEmpty, kNotInteger, kOutOfRange };

// Optional sign and decimal digits, nothing else, within lo..hi.
IntegerParse ParseInteger(std::string_view text, int64_t lo, int64_t hi, int64_t& value) {
  if (text.empty()) return IntegerParse::kEmpty;
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return IntegerParse::kNotInteger;
  bool tooLong = false;
  int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return IntegerParse::kNotInteger;
    if (magnitude > (std::numeric_limits<int64_t>::max() - 9) / 10)
      tooLong = true;  // still has to be all digits
    else
      magnitude = magnitude * 10 + (c - '0');
  }
  if (tooLong) return IntegerParse::kOutOfRange;
  value = negative ? -magnitude : magnitude;
  return value < lo || value > hi ? IntegerParse::kOutOfRange : IntegerParse::kOk;
}

Message DescribeCharacter(std::string_view rest) {
  switch (rest[0]) {
    case ',': return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "a comma"));
    case '\r': return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "a carriage return"));
    case '\n': return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "a line feed"));
    default: break;
  }
  uint32_t cp = 0;
  char code[24];
  const size_t length = ValidUtf8Sequence(rest, cp);
  if (length == 0) {
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(rest[0])));
    return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the byte %1"), {Message::Plain(code)});
  }
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
  // Control characters are named by code only: shown as they are they would
  // be invisible in the message.
  if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0))
    return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the control character %1"), {Message::Plain(code)});
  return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the character '%1' (%2)"),
                     {Message::Plain(std::string(rest.substr(0, length))), Message::Plain(code)});
}

std::optional<int64_t> Number(const std::string& text) {
  int64_t value = 0;
  if (ParseInteger(TrimBlanks(text), std::numeric_limits<int64_t>::min(),
                   std::numeric_limits<int64_t>::max(), value) != IntegerParse::kOk)
    return std::nullopt;
  return value;
}

}  // namespace

const std::vector<SettingDescriptor>& SettingTable() { return kTable; }

const SettingDescriptor& Describe(SettingKey key) { return kTable[static_cast<size_t>(key)]; }

const std::array<SettingGroupDescriptor, kSettingGroupCount>& SettingGroupTable() { return kGroups; }

const SettingGroupDescriptor& Describe(SettingGroup group) {
  return kGroups[static_cast<size_t>(group)];
}

const std::array<SettingKey, kSettingKeyCount>& AllSettingKeys() {
  static const std::array<SettingKey, kSettingKeyCount> keys = MakeKeys();
  return keys;
}

std::string_view SettingKeyName(SettingKey key) { return Describe(key).name; }

std::optional<SettingKey> SettingKeyFromName(std::string_view name) {
  for (const SettingDescriptor& d : kTable) {
    if (d.name.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size() && same; ++i) {
      char c = name[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      same = c == d.name[i];
    }
    if (same) return d.key;
  }
  return std::nullopt;
}

std::string SettingKeyNames() {
  std::string names;
  for (const SettingDescriptor& d : kTable) {
    if (!names.empty()) names += ", ";
    names += d.name;
  }
  return names;
}

SettingGroup SettingKeyGroup(SettingKey key) { return Describe(key).group; }

std::string SettingGroupName(SettingGroup group) { return Describe(group).name; }

bool IsNumberSetting(SettingKey key) { return Describe(key).kind != SettingKind::Text; }

Message DescribeUnsafeCharacter(std::string_view value) {
  for (size_t i = 0; i < value.size(); ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    if (c == ',' || c < 0x20 || c > 0x7E) return DescribeCharacter(value.substr(i));
  }
  return {};
}

Message CheckSettingValue(const SettingDescriptor& d, std::string_view text, std::string& canonical) {
  if (d.kind == SettingKind::Text) {
    Message bad = DescribeUnsafeCharacter(text);
    if (!bad.Empty())
      return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the value contains %1, which cannot be sent to the unit"), {bad});
    if (d.maxLength != 0 && text.size() > d.maxLength)
      return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the value is longer than %1 characters"),
                         {Message::Plain(std::to_string(d.maxLength))});
    canonical.assign(text);
    return {};
  }
  const std::string_view trimmed = TrimBlanks(text);
  int64_t value = 0;
  switch (ParseInteger(trimmed, d.min, d.max, value)) {
    case IntegerParse::kOk:
      canonical = std::to_string(value);
      return {};
    case IntegerParse::kEmpty:
      return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the value is empty"));
    case IntegerParse::kNotInteger:
      return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "'%1' is not a valid integer value"), {Shown(trimmed)});
    case IntegerParse::kOutOfRange:
      break;
  }
  if (d.kind == SettingKind::Minutes)
    return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "'%1' minutes is longer than the unit can store"), {Shown(trimmed)});
  return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "'%1' is not from %2 to %3"),
                     {Shown(trimmed), Message::Plain(std::to_string(d.min)),
                      Message::Plain(std::to_string(d.max))});
}

Message CheckSettingValue(SettingKey key, std::string_view text, std::string& canonical) {
  return CheckSettingValue(Describe(key), text, canonical);
}

Message SettingRefusal(SettingKey key, const Message& reason) {
  const SettingDescriptor& d = Describe(key);
  return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "\"%1\" (%2): %3. Nothing was sent."),
                     {Message::Of(d.title), Message::Plain(std::string(d.name)), reason});
}

std::string CommandValue(SettingKey key, const std::string& canonical) {
  if (Describe(key).kind == SettingKind::Minutes) {
    if (const auto minutes = Number(canonical)) return std::to_string(*minutes * 60);
  }
  return canonical;
}

std::optional<std::string> CanonicalFromReply(SettingKey key, const std::string& reported,
                                              Message* refusal) {
  const SettingDescriptor& d = Describe(key);
  std::string text = reported;
  const std::optional<int64_t> number = d.kind == SettingKind::Text ? std::nullopt : Number(text);
  // Seconds shown as whole minutes, truncated toward zero; any number not
  // zero turns a flag on.
  if (number && d.kind == SettingKind::Minutes) text = std::to_string(*number / 60);
  if (number && d.kind == SettingKind::Flag) text = *number != 0 ? "1" : "0";
  std::string canonical;
  Message why = CheckSettingValue(d, text, canonical);
  if (!why.Empty()) {
    if (refusal) *refusal = std::move(why);
    return std::nullopt;
  }
  return canonical;
}

bool SameOnUnit(SettingKey key, const std::string& a, const std::string& b) {
  if (a == b) return true;
  const SettingKind kind = Describe(key).kind;
  if (kind == SettingKind::Text) return false;
  const auto x = Number(a);
  const auto y = Number(b);
  if (!x || !y) return false;
  if (kind == SettingKind::Flag) return (*x != 0) == (*y != 0);
  return *x == *y;
}

Message SettingValueMessage(SettingKey key, const std::string& canonical) {
  const SettingDescriptor& d = Describe(key);
  if (!d.choices.empty()) {
    const auto n = Number(canonical);
    if (n && *n >= 0 && *n < static_cast<int64_t>(d.choices.size()))
      return Message::Of(d.choices[static_cast<size_t>(*n)]);
  }
  if (d.kind == SettingKind::Text && canonical.empty()) return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "(empty)"));
  return Message::Plain(canonical);
}

}  // namespace wr
