// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "profile/settings_profile.h"

#include <gtest/gtest.h>

#include "core/support/external_tools.h"
#include "version.h"

namespace wr {
namespace {

namespace fs = std::filesystem;
using testing::ScratchDir;

constexpr std::time_t kSavedAt = 1773819910;  // 2026-03-18 07:45:10 UTC

SettingsValues Values(std::initializer_list<std::pair<SettingKey, const char*>> entries) {
  SettingsValues values;
  for (const auto& [key, text] : entries) EXPECT_TRUE(values.Set(key, text).Empty()) << text;
  return values;
}

SettingsValues EveryKey() {
  return Values({{SettingKey::kUssd, "*141#"},
                 {SettingKey::kUssdInterval, "24"},
                 {SettingKey::kApn, " my apn "},
                 {SettingKey::kApnUser, "\"guest\""},
                 {SettingKey::kApnPassword, "p=w;#\" "},
                 {SettingKey::kTripStopMinutes, "5"},
                 {SettingKey::kLowPower, "1"},
                 {SettingKey::kIgnition, "2"},
                 {SettingKey::kTrack1, "21600"},
                 {SettingKey::kTrack2, "30"},
                 {SettingKey::kTrack4, "-2147483648"},
                 {SettingKey::kTrack5, "20"}});
}

TEST(SettingsProfile, WrittenWithItsHeaderAndKeysInCanonicalOrder) {
  const SettingsValues values = Values({{SettingKey::kTrack1, "21600"},
                                        {SettingKey::kApn, "internet"},
                                        {SettingKey::kApnPassword, " secret"},
                                        {SettingKey::kApnUser, ""},
                                        {SettingKey::kIgnition, "1"}});
  EXPECT_EQ(FormatProfile(values, {"123456789012345", "2.14"}, kSavedAt),
            std::string("; Wayrunner Track settings profile\n"
                        "; Written by Wayrunner Track ") +
                kVersion +
                " on 2026-03-18 07:45:10 UTC\n"
                "; From the unit with device id 123456789012345, firmware 2.14\n"
                "; Settings left out keep the unit's values when the profile is applied.\n"
                "\n"
                "[settings]\n"
                "apn = internet\n"
                "apn_user =\n"
                "apn_password = \" secret\"\n"
                "ignition = 1\n"
                "track1 = 21600\n");
  // The unit's texts cannot break out of the comment.
  const std::string header = FormatProfile({}, {"1\n[other]\nx=1", ""}, kSavedAt);
  EXPECT_NE(header.find("device id 1?[other]?x=1, firmware unknown\n"), std::string::npos) << header;
  EXPECT_TRUE(ParseProfile(header).Ok());
}

TEST(SettingsProfile, WriteThenReadGivesTheSameValues) {
  for (const SettingsValues& values : {EveryKey(), SettingsValues(),
                                       Values({{SettingKey::kUssd, "\""}}),
                                       Values({{SettingKey::kApn, "\"\""}}),
                                       Values({{SettingKey::kApn, ""}})}) {
    const ProfileRead read = ParseProfile(FormatProfile(values, {}, kSavedAt));
    ASSERT_TRUE(read.Ok()) << read.error;
    EXPECT_EQ(read.values, values) << FormatProfile(values, {}, kSavedAt);
  }
}

TEST(SettingsProfile, ReadsHandWrittenProfiles) {
  const ProfileRead read = ParseProfile(
      "\xEF\xBB\xBF# made by hand\r\n"
      "\r\n"
      "  [ Settings ]  \r\n"
      "; a comment\n"
      "\t APN\t=\tinternet  \n"
      "ussd=*100#\n"
      "Trip_Stop_Minutes = 007\n"
      "apn_password = \"two  words \"\n"
      "apn_user =\n"
      "low_power = 0");  // no line end at the end
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_EQ(read.values, Values({{SettingKey::kApn, "internet"},
                                 {SettingKey::kUssd, "*100#"},
                                 {SettingKey::kTripStopMinutes, "7"},
                                 {SettingKey::kApnPassword, "two  words "},
                                 {SettingKey::kApnUser, ""},
                                 {SettingKey::kLowPower, "0"}}));
  // A section with nothing in it sets nothing, and is no error.
  const ProfileRead empty = ParseProfile("[settings]\n");
  ASSERT_TRUE(empty.Ok());
  EXPECT_TRUE(empty.values.Empty());
}

TEST(SettingsProfile, RefusalsNameTheLineAndTheKey) {
  struct Case {
    const char* content;
    const char* message;
    const char* key;  // the key the refusal concerns, for scripts
  };
  const Case cases[] = {
      {"[settings]\nfoo = 1\n",
       "Line 2: \"foo\" is not a setting; the settings are ussd, ussd_interval, apn, apn_user, "
       "apn_password, trip_stop_minutes, low_power, ignition, track1, track2, track4, track5.", "foo"},
      {"[settings]\napn = a\n\nAPN = b\n", "Line 4: \"apn\" is given a second time (first on line 2).", "apn"},
      {"[settings]\ntrack1 = abc\n", "Line 2: \"track1\": 'abc' is not a valid integer value.", "track1"},
      // A lone carriage return does not end a line; it stays in the value.
      {"[settings]\napn_password = x\ry\n",
       "Line 2: \"apn_password\": the value contains a carriage return, which cannot be sent to "
       "the unit.", "apn_password"},
      {"apn = internet\n[settings]\n", "Line 1: \"apn\" comes before the [settings] section.", "apn"},
      {"[settings]\napn = x\n[setings]\nignition = 1\n",
       "Line 3: [setings] is not a section of a settings profile; only [settings] is.", ""},
      {"[settings\n", "Line 1: a section heading must end with ']'.", ""},
      {"[settings]\njust text\n", "Line 2: expected \"key = value\" or a section heading.", ""},
      {"[settings]\n= 5\n", "Line 2: \"\" is not a setting; the settings are ussd, ussd_interval, "
                            "apn, apn_user, apn_password, trip_stop_minutes, low_power, ignition, "
                            "track1, track2, track4, track5.", ""},
      // What other readers take for a comment after the value.
      {"[settings]\napn = fleet.apn ; our fleet\n",
       "Line 2: the value of \"apn\" holds \" ;\", which other readers take for the start of a "
       "comment; a comment goes on a line of its own.", "apn"},
      {"[settings]\nussd = \"*141\t#\"\n",
       "Line 2: the value of \"ussd\" holds \" #\", which other readers take for the start of a "
       "comment; a comment goes on a line of its own.", "ussd"},
      {"[settings]\napn_user = #x\n",
       "Line 2: the value of \"apn_user\" holds \" #\", which other readers take for the start of "
       "a comment; a comment goes on a line of its own.", "apn_user"},
      {"; nothing but a comment\n", "The profile has no [settings] section.", ""},
      {"", "The profile has no [settings] section.", ""},
  };
  for (const Case& c : cases) {
    const ProfileRead read = ParseProfile(c.content);
    EXPECT_EQ(read.error, c.message) << c.content;
    EXPECT_EQ(read.key, c.key) << c.content;
    EXPECT_TRUE(read.values.Empty()) << c.content;
  }
}

TEST(SettingsProfile, FileIsOwnerOnlyAndReadsBack) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  const fs::path file = dir / "unit.ini";
  testing::WriteText(file, "old");
  fs::permissions(file, fs::perms(0644));
  std::string error;
  ASSERT_TRUE(WriteProfileFile(file, EveryKey(), {"42", "2.14"}, error)) << error;
#ifndef _WIN32
  // (Windows has no such rights bits; a profile there is private by the
  // folder it is saved in.)
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0600));
#endif
  const ProfileRead read = ReadProfileFile(file);
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_EQ(read.values, EveryKey());

  // Values that would read back as a comment are not written at all.
  for (const char* apn : {"fleet ;ours", "a  #b", ";lead"}) {
    EXPECT_FALSE(WriteProfileFile(file, Values({{SettingKey::kApn, apn}}), {}, error)) << apn;
    EXPECT_NE(error.find("The value of \"apn\" holds"), std::string::npos) << error;
    EXPECT_EQ(ReadProfileFile(file).values, EveryKey()) << apn;
  }

  EXPECT_FALSE(WriteProfileFile(dir / "none" / "unit.ini", EveryKey(), {}, error));
  EXPECT_NE(error.find(fs::path("none/unit.ini").make_preferred().string()), std::string::npos)
      << error;
}

TEST(SettingsProfile, FileRefusalsNameTheFile) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  testing::WriteText(dir / "bad.ini", "[settings]\nignition = 9\n");
  EXPECT_EQ(ReadProfileFile(dir / "bad.ini").error,
            "The profile \"" + (dir / "bad.ini").string() +
                "\" was refused. Line 2: \"ignition\": '9' is not from 0 to 2.");
  testing::WriteText(dir / "big.ini", "[settings]\n" + std::string(kMaxProfileBytes, ';'));
  EXPECT_NE(ReadProfileFile(dir / "big.ini").error.find("larger than"), std::string::npos);
  EXPECT_NE(ReadProfileFile(dir / "missing.ini").error.find("missing.ini"), std::string::npos);
}

}  // namespace
}  // namespace wr
