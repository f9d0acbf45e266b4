// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/settings_commands.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/test_support.h"

namespace wr {
namespace {

SettingsValues Values() {
  SettingsValues v;
  for (const auto& [key, text] :
       {std::pair{SettingKey::kTripStopMinutes, "10"}, {SettingKey::kTrack1, "21600"},
        {SettingKey::kTrack2, "30"}, {SettingKey::kTrack4, "10000"}, {SettingKey::kTrack5, "20"},
        {SettingKey::kLowPower, "1"}, {SettingKey::kUssd, "*141#"},
        {SettingKey::kUssdInterval, "24"}, {SettingKey::kApn, "internet"},
        {SettingKey::kApnUser, "guest"}, {SettingKey::kApnPassword, "secret"},
        {SettingKey::kIgnition, "1"}})
    EXPECT_TRUE(v.Set(key, text).Empty()) << text;
  return v;
}

TEST(SettingsCommands, BuildsTheFiveSetCommandsInOrder) {
  const SettingsSave save = BuildSettingsCommands(Values());
  EXPECT_TRUE(save.refusal.Empty());
  EXPECT_EQ(save.commands,
            (std::vector<std::string>{"AT+TRACK=21600,30,600,10000,20", "AT+LOWPOWER=1",
                                      "AT+USSD=*141#,24", "AT+GPRS=internet,guest,secret",
                                      "AT+IGNITION=1"}));
  // Texts go as typed, blanks included; numbers in their canonical form.
  SettingsValues typed = Values();
  typed.Set(SettingKey::kTripStopMinutes, " 7 ");
  typed.Set(SettingKey::kApn, " my apn ");
  typed.Set(SettingKey::kApnUser, "");
  typed.Set(SettingKey::kTrack1, "-3");
  typed.Set(SettingKey::kUssdInterval, "012");
  typed.Set(SettingKey::kLowPower, "0");
  const SettingsSave save2 = BuildSettingsCommands(typed);
  EXPECT_EQ(save2.commands,
            (std::vector<std::string>{"AT+TRACK=-3,30,420,10000,20", "AT+LOWPOWER=0",
                                      "AT+USSD=*141#,12", "AT+GPRS= my apn ,,secret",
                                      "AT+IGNITION=1"}));
}

TEST(SettingsCommands, AValueMissingSendsNothing) {
  SettingsValues v = Values();
  v.Erase(SettingKey::kIgnition);
  const SettingsSave save = BuildSettingsCommands(v);
  EXPECT_TRUE(save.commands.empty());
  EXPECT_EQ(save.refusal.English(),
            "\"Ignition detection\" (ignition) has no value. Nothing was sent.");
}

TEST(SettingsCommands, DefaultsUseTheTrackingHostAndRefuseNone) {
  const SettingsSave save = BuildDefaultsCommands("track.example.org");
  EXPECT_EQ(save.commands,
            (std::vector<std::string>{"AT+IP=track.example.org,80,0", "AT+TRACK=21600,30,180,10000,20,",
                                      "AT+LOWPOWER=1", "AT+IGNITION=1"}));
  EXPECT_EQ(DescribeDefaults("track.example.org").front(), "Tracking server: track.example.org, port 80");
  // No server, the placeholder that never resolves, or one that would break the line.
  for (const char* bad : {"", "  ", "track.wayrunner.example", "a,b", "host\rAT+FACTORY"}) {
    const SettingsSave refused = BuildDefaultsCommands(bad);
    EXPECT_TRUE(refused.commands.empty()) << bad;
    EXPECT_FALSE(refused.refusal.Empty());
  }

  // The chosen server first, then the variable; nothing when neither is set.
  const struct {
    const char* variable;
    const char* chosen;
    std::string host;
  } cases[] = {{nullptr, "", ""}, {"", "", ""}, {"10.0.0.7", "", "10.0.0.7"},
               {"10.0.0.7", "pref.example.org", "pref.example.org"}, {nullptr, "pref.example.org", "pref.example.org"}};
  for (const auto& c : cases) {
    test::ScopedEnv env(kTrackingHostVariable, c.variable);
    EXPECT_EQ(TrackingHost(c.chosen), c.host) << (c.variable ? c.variable : "(unset)") << " " << c.chosen;
  }
  EXPECT_FALSE(TrackingHostIsSet(kPlaceholderTrackingHost));
  EXPECT_TRUE(TrackingHostIsSet("10.0.0.7"));
}

}  // namespace
}  // namespace wr
