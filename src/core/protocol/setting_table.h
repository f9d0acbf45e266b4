// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every setting of the unit, described once. The window's Settings tab, the
// command line, settings profiles, the save's commands and its read-back
// check are all made from this table: adding a setting is one row in
// kSettingTable (with its SettingKey), and its test.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/message.h"

namespace wr {

// The five replies that carry settings, which are also the five set
// commands, in the order a save sends them.
enum class SettingGroup { Track, LowPower, Ussd, Gprs, Ignition };
inline constexpr size_t kSettingGroupCount = 5;

// In the table's order, which is also the order of a profile's keys, of
// "settings get" and of the checks.
enum class SettingKey {
  kUssd,
  kUssdInterval,
  kApn,
  kApnUser,
  kApnPassword,
  kTripStopMinutes,
  kLowPower,
  kIgnition,
  kTrack1,
  kTrack2,
  kTrack4,
  kTrack5,
};
inline constexpr size_t kSettingKeyCount = 12;

enum class SettingKind {
  Text,     // taken exactly, blanks included; only characters a command argument can hold
  Integer,  // a whole number from min to max; blanks around it and a sign allowed
  Minutes,  // whole minutes from min to max, sent to the unit as seconds
  Choice,   // one of choices, by its index
  Flag,     // 0 or 1, shown as choices[0] or choices[1]
};

struct SettingDescriptor {
  SettingKey key;
  std::string_view name;  // the key in profiles, on the command line and in JSON
  SettingGroup group;     // the reply it is read from and the set command it goes in
  int replyField;         // its field in that reply (field 0 is the keyword)
  int commandArgument;    // its place among the set command's arguments, from 1
  const char* title;      // what the window calls it, in messages and comparisons
  const char* label;      // the caption beside its box on the Settings tab; null: no box
  SettingKind kind;
  int64_t min = 0, max = 0;           // Integer, Minutes, Choice, Flag
  size_t maxLength = 0;               // Text: most bytes; 0: no limit of its own
  std::vector<const char*> choices;   // Choice, Flag: the names of 0, 1, ...
  bool secret = false;                // a password: shown only where the user asked for it
};

// The replies and set commands.
struct SettingGroupDescriptor {
  SettingGroup group;
  std::string_view reply;  // the reply's keyword, e.g. "+TRACK,"
  std::string_view query;  // the query that brings it
  std::string_view set;    // the set command before its arguments
  const char* name;        // for messages: the titles of what the tab shows of it
};

const std::vector<SettingDescriptor>& SettingTable();
const SettingDescriptor& Describe(SettingKey key);
const std::array<SettingGroupDescriptor, kSettingGroupCount>& SettingGroupTable();
const SettingGroupDescriptor& Describe(SettingGroup group);

// Every key in table order.
const std::array<SettingKey, kSettingKeyCount>& AllSettingKeys();
std::string_view SettingKeyName(SettingKey key);
// The key of a name, in any ASCII letter case; nothing for another name.
std::optional<SettingKey> SettingKeyFromName(std::string_view name);
// "ussd, ussd_interval, ..., track5", for messages and usage texts.
std::string SettingKeyNames();
SettingGroup SettingKeyGroup(SettingKey key);
// The group's name for messages, e.g. "GPRS APN, Username and Password".
std::string SettingGroupName(SettingGroup group);
// Whether the value is a number (in JSON, for instance) rather than a text.
bool IsNumberSetting(SettingKey key);

// ---- the one check of a value given for a setting

// Checks text as a value of d. Accepted: canonical gets the canonical form
// (numbers without blanks, leading zeros or '+'; texts exactly) and the
// result is empty. Refused: the reason, e.g. "'abc' is not a valid integer
// value"; canonical is unchanged. The window, the command line and profiles
// all check with this.
Message CheckSettingValue(const SettingDescriptor& d, std::string_view text, std::string& canonical);
Message CheckSettingValue(SettingKey key, std::string_view text, std::string& canonical);
// A value refused before anything is sent, as the window and the command
// line both say it: the setting by title and key, the reason, "Nothing was
// sent."
Message SettingRefusal(SettingKey key, const Message& reason);

// A canonical value as the unit's set command carries it (minutes as seconds).
std::string CommandValue(SettingKey key, const std::string& canonical);
// A value as the unit reported it (a reply field) in canonical form; the
// reason in refusal when it is no value the setting may take.
std::optional<std::string> CanonicalFromReply(SettingKey key, const std::string& reported,
                                              Message* refusal = nullptr);
// Whether two values as the unit carries them set it alike ("024" and "24";
// flags by being zero or not).
bool SameOnUnit(SettingKey key, const std::string& a, const std::string& b);
// A canonical value as people read it: the choice's name, "(empty)" for an
// empty text; the value itself otherwise. A translatable text where it is a
// name.
Message SettingValueMessage(SettingKey key, const std::string& canonical);

// Empty when every byte of value may go into a command argument (printable
// ASCII other than the comma); otherwise a short description of the first
// offending character, e.g. "a comma" or "the character 'é' (U+00E9)".
// value is UTF-8.
Message DescribeUnsafeCharacter(std::string_view value);

}  // namespace wr
