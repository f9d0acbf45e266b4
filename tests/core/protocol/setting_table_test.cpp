// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/setting_table.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/settings_commands.h"
#include "protocol/settings_values.h"
#include "protocol/unit_settings.h"

namespace wr {
namespace {

std::string Reason(SettingKey key, std::string_view text, std::string* canonical = nullptr) {
  std::string out = "untouched";
  const std::string reason = CheckSettingValue(key, text, out).English();
  if (canonical) *canonical = out;
  return reason;
}

TEST(SettingTable, RowsAreInKeyOrderAndEveryCommandArgumentIsPlacedOnce) {
  ASSERT_EQ(SettingTable().size(), kSettingKeyCount);
  std::array<std::vector<int>, kSettingGroupCount> places;
  for (size_t i = 0; i < kSettingKeyCount; ++i) {
    const SettingDescriptor& d = SettingTable()[i];
    EXPECT_EQ(static_cast<size_t>(d.key), i) << d.name;
    EXPECT_NE(d.title, nullptr) << d.name;
    EXPECT_EQ(d.choices.empty(), d.kind != SettingKind::Choice && d.kind != SettingKind::Flag);
    places[static_cast<size_t>(d.group)].push_back(d.commandArgument);
  }
  for (auto& p : places) {
    std::sort(p.begin(), p.end());
    for (size_t i = 0; i < p.size(); ++i) EXPECT_EQ(p[i], static_cast<int>(i) + 1);
  }
  EXPECT_EQ(SettingKeyNames(),
            "ussd, ussd_interval, apn, apn_user, apn_password, trip_stop_minutes, low_power, "
            "ignition, track1, track2, track4, track5");
  for (SettingKey key : AllSettingKeys()) EXPECT_EQ(SettingKeyFromName(SettingKeyName(key)), key);
  EXPECT_EQ(SettingKeyFromName("APN_Password"), SettingKey::kApnPassword);
  for (const char* bad : {"", "track3", "apn ", "ussd-interval", "tripstop"})
    EXPECT_FALSE(SettingKeyFromName(bad)) << bad;
}

TEST(SettingTable, CanonicalFormsAndRefusals) {
  struct Case {
    SettingKey key;
    const char* text;
    const char* canonical;  // nullptr: refused with `reason`
    const char* reason;
  };
  const Case cases[] = {
      {SettingKey::kUssdInterval, "024", "24", ""},
      {SettingKey::kUssdInterval, " +7 ", "7", ""},
      {SettingKey::kUssdInterval, "-1", nullptr, "'-1' is not from 0 to 2147483647"},
      {SettingKey::kUssdInterval, " ", nullptr, "the value is empty"},
      {SettingKey::kUssdInterval, "abc", nullptr, "'abc' is not a valid integer value"},
      {SettingKey::kTripStopMinutes, " 007 ", "7", ""},
      {SettingKey::kTripStopMinutes, "-0", "0", ""},
      {SettingKey::kTripStopMinutes, "35791394", "35791394", ""},
      {SettingKey::kTripStopMinutes, "35791395", nullptr,
       "'35791395' minutes is longer than the unit can store"},
      {SettingKey::kTripStopMinutes, "5.5", nullptr, "'5.5' is not a valid integer value"},
      {SettingKey::kLowPower, "01", "1", ""},
      {SettingKey::kLowPower, "2", nullptr, "'2' is not from 0 to 1"},
      {SettingKey::kIgnition, "-1", nullptr, "'-1' is not from 0 to 2"},
      {SettingKey::kTrack1, "-2147483648", "-2147483648", ""},
      {SettingKey::kTrack5, "+0002147483647", "2147483647", ""},
      {SettingKey::kTrack2, "99999999999999999999999", nullptr,
       "'99999999999999999999999' is not from -2147483648 to 2147483647"},
      {SettingKey::kTrack4, "1 2", nullptr, "'1 2' is not a valid integer value"},
      {SettingKey::kTrack4, "0x10", nullptr, "'0x10' is not a valid integer value"},
      // A control character in a refused number is shown, not passed on.
      {SettingKey::kTrack1, "1\x1B[2J", nullptr, "'1\\x1B[2J' is not a valid integer value"},
      // Texts are kept exactly, blanks included.
      {SettingKey::kApn, " my apn ", " my apn ", ""},
      {SettingKey::kApnUser, "", "", ""},
      {SettingKey::kApnPassword, "a,b", nullptr,
       "the value contains a comma, which cannot be sent to the unit"},
      {SettingKey::kApn, "x\r", nullptr,
       "the value contains a carriage return, which cannot be sent to the unit"},
      {SettingKey::kUssd, "caf\xC3\xA9", nullptr,
       "the value contains the character '\xC3\xA9' (U+00E9), which cannot be sent to the unit"},
      {SettingKey::kUssd, "\x7F", nullptr,
       "the value contains the control character U+007F, which cannot be sent to the unit"},
      {SettingKey::kUssd, "\xE9", nullptr,
       "the value contains the byte 0xE9, which cannot be sent to the unit"},
  };
  for (const Case& c : cases) {
    std::string canonical;
    EXPECT_EQ(Reason(c.key, c.text, &canonical), c.reason) << c.text;
    EXPECT_EQ(canonical, c.canonical ? c.canonical : "untouched") << c.text;
  }
  // A row's own length limit.
  SettingDescriptor shortText = Describe(SettingKey::kApn);
  shortText.maxLength = 3;
  std::string canonical;
  EXPECT_EQ(CheckSettingValue(shortText, "abcd", canonical).English(),
            "the value is longer than 3 characters");
  EXPECT_TRUE(CheckSettingValue(shortText, "abc", canonical).Empty());
}

// The window and the command line refuse the same values with the same
// words, before anything is sent.
TEST(SettingTable, TheWindowAndTheCommandLineRefuseAlike) {
  const SettingTexts good = {{SettingKey::kUssd, "*141#"},       {SettingKey::kUssdInterval, "24"},
                             {SettingKey::kApn, "internet"},     {SettingKey::kApnUser, ""},
                             {SettingKey::kApnPassword, ""},     {SettingKey::kTripStopMinutes, "5"},
                             {SettingKey::kLowPower, "1"}};
  ASSERT_TRUE(CheckTypedSettings(good).Ok());
  const std::pair<SettingKey, const char*> bad[] = {
      {SettingKey::kUssdInterval, "abc"},     {SettingKey::kUssdInterval, ""},
      {SettingKey::kUssdInterval, "-3"},      {SettingKey::kTripStopMinutes, "abc"},
      {SettingKey::kTripStopMinutes, "  "},   {SettingKey::kTripStopMinutes, "35791395"},
      {SettingKey::kApn, "inter,net"},        {SettingKey::kApnPassword, "pw\nAT+FACTORY"},
      {SettingKey::kApnUser, "jos\xC3\xA9"},  {SettingKey::kUssd, "*1\r"},
  };
  for (const auto& [key, text] : bad) {
    SettingTexts typed = good;
    for (auto& [k, t] : typed)
      if (k == key) t = text;
    const SettingsCheck window = CheckTypedSettings(typed);
    const SettingsCheck cli =
        ParseSettingAssignments({"track1=1", std::string(SettingKeyName(key)) + "=" + text});
    ASSERT_FALSE(window.Ok()) << text;
    EXPECT_EQ(window.refusedKey, key);
    EXPECT_EQ(cli.refusedKey, key);
    EXPECT_EQ(window.refusal.English(), cli.refusal.English());
    EXPECT_TRUE(window.refusal.English().find(SettingKeyName(key)) != std::string::npos);
  }
  EXPECT_EQ(ParseSettingAssignments({"ussd_interval=abc"}).refusal.English(),
            "\"Query Interval (hours)\" (ussd_interval): 'abc' is not a valid integer value. "
            "Nothing was sent.");
  // The command line's own refusals.
  EXPECT_EQ(ParseSettingAssignments({"apn"}).refusal.English().rfind("'apn' is not KEY=VALUE", 0), 0u);
  EXPECT_EQ(ParseSettingAssignments({"apn=a", "APN=b"}).refusal.English(), "'APN' is given twice");
  EXPECT_EQ(ParseSettingAssignments({"track3=1"}).refusal.English().rfind("unknown key 'track3'", 0), 0u);
}

TEST(SettingTable, SetKeepsTheOldValueOnRefusalAndEntriesComeInOrder) {
  SettingsValues v;
  EXPECT_TRUE(v.Empty());
  EXPECT_TRUE(v.Set(SettingKey::kTrack5, "5").Empty());
  EXPECT_TRUE(v.Set(SettingKey::kApn, "internet").Empty());
  EXPECT_FALSE(v.Set(SettingKey::kApn, "a,b").Empty());
  EXPECT_EQ(*v.Find(SettingKey::kApn), "internet");
  EXPECT_EQ(v.Find(SettingKey::kUssd), nullptr);
  EXPECT_EQ(v.Entries(), (std::vector<std::pair<SettingKey, std::string>>{
                             {SettingKey::kApn, "internet"}, {SettingKey::kTrack5, "5"}}));
  v.Erase(SettingKey::kApn);
  EXPECT_EQ(v.Size(), 1u);
}

TEST(SettingTable, DiffListsChangedAndOneSidedKeysInOrder) {
  SettingsValues a, b;
  a.Set(SettingKey::kUssdInterval, "024");
  b.Set(SettingKey::kUssdInterval, "24");
  EXPECT_TRUE(DiffSettings(a, b).empty());
  a.Set(SettingKey::kTrack1, "1");
  b.Set(SettingKey::kTrack1, "2");
  b.Set(SettingKey::kApn, "");
  a.Set(SettingKey::kIgnition, "1");
  EXPECT_EQ(DiffSettings(a, b),
            (std::vector<SettingDifference>{{SettingKey::kApn, std::nullopt, ""},
                                            {SettingKey::kIgnition, "1", std::nullopt},
                                            {SettingKey::kTrack1, "1", "2"}}));
}

UnitSettings Reported(std::initializer_list<std::pair<SettingKey, const char*>> values) {
  UnitSettings unit;
  for (const auto& [key, text] : values) unit.reported[static_cast<size_t>(key)] = text;
  return unit;
}

// What a unit reported is only what it reported on this connection, and
// only values the setting may take.
TEST(SettingTable, FromTheUnitOnlyValidValuesOfGroupsReadOnThisConnection) {
  UnitSettings unit = Reported({{SettingKey::kTripStopMinutes, "x"},
                                {SettingKey::kTrack1, "5"},
                                {SettingKey::kApn, "fleet"},
                                {SettingKey::kApnUser, ""},
                                {SettingKey::kApnPassword, "a\x01"},
                                {SettingKey::kIgnition, "7"},
                                {SettingKey::kLowPower, "2"}});
  unit.read[static_cast<size_t>(SettingGroup::Gprs)] = true;
  unit.read[static_cast<size_t>(SettingGroup::Ignition)] = true;
  unit.read[static_cast<size_t>(SettingGroup::LowPower)] = true;
  std::vector<std::string> leftOut;
  const SettingsValues values = SettingsValuesFromUnit(unit, &leftOut);
  EXPECT_EQ(values.Entries(), (std::vector<std::pair<SettingKey, std::string>>{
                                  {SettingKey::kApn, "fleet"},
                                  {SettingKey::kApnUser, ""},
                                  {SettingKey::kLowPower, "1"}}));
  EXPECT_EQ(leftOut, (std::vector<std::string>{
                         "apn_password: the value contains the control character U+0001, which "
                         "cannot be sent to the unit",
                         "ignition: '7' is not from 0 to 2"}));
  // Seconds show as whole minutes, truncated toward zero.
  for (const auto& [seconds, minutes] :
       {std::pair{"180", "3"}, {"200", "3"}, {"59", "0"}, {"-150", "-2"}}) {
    EXPECT_EQ(Reported({{SettingKey::kTripStopMinutes, seconds}}).Shown(SettingKey::kTripStopMinutes),
              minutes);
  }
}

TEST(SettingTable, ValuesReadFromTheUnitGoBackAsTheSameCommands) {
  UnitSettings unit = Reported({{SettingKey::kTrack1, "21600"},   {SettingKey::kTrack2, "30"},
                                {SettingKey::kTripStopMinutes, "600"}, {SettingKey::kTrack4, "10000"},
                                {SettingKey::kTrack5, "-20"},     {SettingKey::kLowPower, "1"},
                                {SettingKey::kUssd, "*141#"},     {SettingKey::kUssdInterval, "24"},
                                {SettingKey::kApn, " my apn "},   {SettingKey::kApnUser, "guest"},
                                {SettingKey::kApnPassword, "s=cr;t"}, {SettingKey::kIgnition, "2"}});
  unit.read.fill(true);
  const SettingsSave save = BuildSettingsCommands(SettingsValuesFromUnit(unit));
  EXPECT_EQ(save.commands, (std::vector<std::string>{"AT+TRACK=21600,30,600,10000,-20",
                                                     "AT+LOWPOWER=1", "AT+USSD=*141#,24",
                                                     "AT+GPRS= my apn ,guest,s=cr;t",
                                                     "AT+IGNITION=2"}));
  EXPECT_TRUE(CheckSavedSettings(SettingsValuesFromUnit(unit),
                                  std::vector<SetAnswer>(5, SetAnswer::Ok), unit)
                  .empty());
}

}  // namespace
}  // namespace wr
