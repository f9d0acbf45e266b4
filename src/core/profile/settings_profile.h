// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Settings profiles: some or all of the unit's settings in a file, to keep
// them, compare them with a unit, or give them to another unit.
//
// A profile is an INI file in UTF-8:
//
//   ; Wayrunner Track settings profile
//   ; Written by Wayrunner Track 1.3.0 on 2026-03-18 07:45:10 UTC
//   ; From the unit with device id 123456789012345, firmware 2.14
//   ; Settings left out keep the unit's values when the profile is applied.
//
//   [settings]
//   apn = internet
//   trip_stop_minutes = 5
//
// Reading rules:
// - Lines end with LF or CR LF; a UTF-8 byte order mark at the start is
//   skipped. Blank lines, and lines whose first non-blank character is ';'
//   or '#', are ignored. There are no comments after a value: a USSD code
//   such as *141# keeps its '#'. Since other INI readers do take a blank
//   followed by ';' or '#' for the start of such a comment, a key line
//   holding one after its '=' is refused, and never written.
// - Blanks (spaces, tabs) around section names, keys and values are ignored.
//   A value enclosed in double quotes loses that one pair and keeps
//   everything inside, so " my apn " can be written as "\" my apn \"".
// - Section and key names are matched in any ASCII letter case.
// - The file must have a [settings] section, and every key line must be in
//   it. Any other section is refused rather than skipped, so that a
//   misspelt section heading cannot make a profile silently set nothing.
// - Refused, with the line number (and the key where there is one): a line
//   that is neither a section heading nor "key = value", an unknown key, a
//   key given twice, and a value CheckSettingValue refuses.
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "protocol/message.h"
#include "protocol/settings_values.h"

namespace wr {

// The unit a profile was saved from, for its header; empty texts show as
// "unknown".
struct ProfileUnit {
  std::string deviceId;
  std::string firmware;
};

struct ProfileRead {
  SettingsValues values;  // what the profile sets; empty when refused
  std::string error;      // empty when accepted; otherwise a sentence for the user, in English
  Message problem;        // the same sentence, to be shown in the user's language
  std::string key;        // the key the refusal concerns, as written; may be empty
  bool Ok() const { return error.empty(); }
};

// Profiles are a few hundred bytes; anything far larger is not one.
inline constexpr size_t kMaxProfileBytes = 64 * 1024;

ProfileRead ParseProfile(std::string_view content);
// The file's content as ParseProfile reads it; refused when the file cannot
// be read or holds more than kMaxProfileBytes.
ProfileRead ReadProfileFile(const std::filesystem::path& file);

// The profile text: the header with the tool's version, savedAt in UTC and
// the unit, then [settings] with the values in canonical key order. Reading
// it back gives the same values.
std::string FormatProfile(const SettingsValues& values, const ProfileUnit& unit, std::time_t savedAt);

// Writes FormatProfile(values, unit, now) to file, readable and writable by
// its owner only (it may hold the APN password), and whole: it is written
// beside the file and renamed over it. Refuses values that would be written
// with a blank before ';' or '#' (see the reading rules). False with error
// set otherwise; an earlier file of that name is then unchanged.
bool WriteProfileFile(const std::filesystem::path& file, const SettingsValues& values,
                      const ProfileUnit& unit, Message& error);
bool WriteProfileFile(const std::filesystem::path& file, const SettingsValues& values,
                      const ProfileUnit& unit, std::string& error);

}  // namespace wr
