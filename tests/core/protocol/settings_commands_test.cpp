#include "protocol/settings_commands.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/test_support.h"

namespace wr {
namespace {

SettingsForm Form() {
  SettingsForm f;
  f.tripStopText = "10";
  f.trackField1 = 21600;
  f.trackField2 = 30;
  f.trackField4 = 10000;
  f.trackField5 = 20;
  f.lowPower = true;
  f.ussd = "*141#";
  f.ussdInterval = "24";
  f.apn = "internet";
  f.apnUsername = "guest";
  f.apnPassword = "secret";
  f.ignitionIndex = 1;
  return f;
}

TEST(SettingsCommands, BuildsTheFiveSetCommandsInOrder) {
  const SettingsSave save = BuildSettingsCommands(Form());
  EXPECT_TRUE(save.refusal.empty());
  EXPECT_EQ(save.commands,
            (std::vector<std::string>{"AT+TRACK=21600,30,600,10000,20", "AT+LOWPOWER=1",
                                      "AT+USSD=*141#,24", "AT+GPRS=internet,guest,secret",
                                      "AT+IGNITION=1"}));
}

TEST(SettingsCommands, EmptyFieldsZeroRetainedValuesAndNoIgnitionChoice) {
  SettingsForm f;  // as before any reply arrived
  f.tripStopText = "5";
  const SettingsSave save = BuildSettingsCommands(f);
  EXPECT_EQ(save.commands, (std::vector<std::string>{"AT+TRACK=0,0,300,0,0", "AT+LOWPOWER=0",
                                                     "AT+USSD=,", "AT+GPRS=,,", "AT+IGNITION=-1"}));
  // Values are sent as typed, blanks included; only the minutes are trimmed.
  f.tripStopText = " 7 ";
  f.apn = " my apn ";
  f.trackField1 = -3;
  const SettingsSave typed = BuildSettingsCommands(f);
  ASSERT_EQ(typed.commands.size(), 5u);
  EXPECT_EQ(typed.commands[0], "AT+TRACK=-3,0,420,0,0");
  EXPECT_EQ(typed.commands[3], "AT+GPRS= my apn ,,");
}

TEST(SettingsCommands, TripStopTimeMustBeAnIntegerWhoseSecondsFit) {
  SettingsForm f = Form();
  for (const char* bad : {"abc", "5.5", "1e3", "0x10", "7 min", "--1", "+", "2147483648",
                          "99999999999999999999999"}) {
    f.tripStopText = bad;
    const SettingsSave save = BuildSettingsCommands(f);
    EXPECT_TRUE(save.commands.empty()) << bad;
    EXPECT_EQ(save.refusal, std::string("'") + bad + "' is not a valid integer value");
  }
  // An empty box is named rather than quoted as ''.
  for (const char* empty : {"", " ", "\t "}) {
    f.tripStopText = empty;
    const SettingsSave save = BuildSettingsCommands(f);
    EXPECT_TRUE(save.commands.empty());
    EXPECT_EQ(save.refusal, "\"Time stationary before ending trip\" is empty. Nothing was sent.");
  }
  int32_t seconds = 0;
  EXPECT_EQ(ParseTripStopMinutes("35791394", seconds), TripStopParse::Ok);
  EXPECT_EQ(seconds, 2147483640);
  EXPECT_EQ(ParseTripStopMinutes("-35791394", seconds), TripStopParse::Ok);
  EXPECT_EQ(seconds, -2147483640);
  EXPECT_EQ(ParseTripStopMinutes("+2", seconds), TripStopParse::Ok);
  EXPECT_EQ(seconds, 120);
  for (const char* large : {"35791395", "2147483647", "-35791395", "-2147483648"}) {
    seconds = 77;
    EXPECT_EQ(ParseTripStopMinutes(large, seconds), TripStopParse::TooLarge) << large;
    EXPECT_EQ(seconds, 77);
    f.tripStopText = large;
    const SettingsSave save = BuildSettingsCommands(f);
    EXPECT_TRUE(save.commands.empty());
    EXPECT_NE(save.refusal.find(large), std::string::npos);
    EXPECT_EQ(save.refusal.find("not a valid integer"), std::string::npos);
  }
}

TEST(SettingsCommands, RefusesCharactersThatWouldBreakTheCommandLine) {
  struct Case {
    std::string SettingsForm::*field;
    const char* fieldName;
    std::string value;
    const char* named;
  };
  const Case cases[] = {
      {&SettingsForm::ussd, "Airtime USSD String", "*1,41#", "a comma"},
      {&SettingsForm::ussdInterval, "Query Interval (hours)", "24\r", "a carriage return"},
      {&SettingsForm::apn, "GPRS APN", "inter,net", "a comma"},
      {&SettingsForm::apnUsername, "Username", "a\nAT+FACTORY", "a line feed"},
      {&SettingsForm::apnPassword, "Password", "pa\tss", "the control character U+0009"},
      {&SettingsForm::apnPassword, "Password", "pass\x7f", "the control character U+007F"},
      {&SettingsForm::apn, "GPRS APN", "caf\xc3\xa9", "the character '\xc3\xa9' (U+00E9)"},
      {&SettingsForm::apn, "GPRS APN", "\xe2\x82\xac", "the character '\xe2\x82\xac' (U+20AC)"},
      {&SettingsForm::ussd, "Airtime USSD String", "*1\xe9#", "the byte 0xE9"},
  };
  for (const Case& c : cases) {
    SettingsForm f = Form();
    f.*c.field = c.value;
    const SettingsSave save = BuildSettingsCommands(f);
    EXPECT_TRUE(save.commands.empty()) << c.value;
    EXPECT_NE(save.refusal.find(std::string("\"") + c.fieldName + "\""), std::string::npos)
        << save.refusal;
    EXPECT_NE(save.refusal.find(c.named), std::string::npos) << save.refusal;
  }
  // Every other printable character passes, the blank and '~' included.
  std::string printable;
  for (char ch = 0x20; ch < 0x7F; ++ch)
    if (ch != ',') printable += ch;
  EXPECT_EQ(DescribeUnsafeCharacter(printable), "");
  // A bad trip-stop time is reported before a bad field.
  SettingsForm both = Form();
  both.tripStopText = "x";
  both.apn = "a,b";
  EXPECT_EQ(BuildSettingsCommands(both).refusal, "'x' is not a valid integer value");
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
    EXPECT_NE(refused.refusal.find("Nothing was sent."), std::string::npos) << bad;
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
