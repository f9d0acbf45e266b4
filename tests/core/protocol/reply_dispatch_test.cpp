// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/reply_dispatch.h"

#include <gtest/gtest.h>

#include <string>

namespace wr {
namespace {

// True when the effect writes no control and no kept value.
bool ChangesNoValue(const ReplyEffect& e) {
  return !e.version && !e.deviceId && !e.stats && !e.settings && !e.ussd && !e.tripsLine;
}

// A setting's field as the reply carries it; nothing when the reply sets none.
std::optional<std::string> Field(const ReplyEffect& e, SettingKey key) {
  if (!e.settings) return std::nullopt;
  return e.settings->values[static_cast<size_t>(key)];
}
std::optional<std::string> Field(const char* line, SettingKey key) {
  return Field(InterpretReplyLine(line), key);
}

TEST(InterpretReplyLine, EmptyAndControlFirstLinesLeaveEvenTheQuietTime) {
  for (const std::string& line : {std::string(), std::string("\r+TRACK,1,2,3,4,5"), std::string("\x1f+STATS,"),
                                 std::string("\x80+LOWPOWER,1"), std::string("\xff"), std::string(1, '\0')}) {
    const ReplyEffect e = InterpretReplyLine(line);
    EXPECT_EQ(e.kind, ReplyKind::Ignored);
    EXPECT_FALSE(e.resetsQuietTime);
    EXPECT_TRUE(ChangesNoValue(e));
  }
}

TEST(InterpretReplyLine, OtherLinesOnlyResetTheQuietTime) {
  for (const char* line : {"~DEBUG=1", "~+TRACK,1,2,3,4,5", "+IO,1,0,1", "+IP,host,80,0", "+INFO:Model:X",
                           "+NUM,123", "OKAY", " +TRACK,1,2,3,4,5", "+track,1,2,3,4,5", "+TRACK 1,2,3,4,5",
                           "\x7f"}) {
    const ReplyEffect e = InterpretReplyLine(line);
    EXPECT_EQ(e.kind, ReplyKind::QuietOnly) << line;
    EXPECT_TRUE(e.resetsQuietTime) << line;
    EXPECT_TRUE(ChangesNoValue(e)) << line;
  }
}

TEST(InterpretReplyLine, InfoLinesGiveVersionAndDeviceId) {
  ReplyEffect e = InterpretReplyLine("+INFO:Version:1.003");
  EXPECT_EQ(e.kind, ReplyKind::Version);
  EXPECT_EQ(e.version, "1.003");
  EXPECT_FALSE(e.deviceId);
  e = InterpretReplyLine("+INFO:ID:356000123456789");
  EXPECT_EQ(e.kind, ReplyKind::DeviceId);
  EXPECT_EQ(e.deviceId, "356000123456789");
  EXPECT_FALSE(e.version);
  // Texts are shown as sent, commas included.
  EXPECT_EQ(InterpretReplyLine("+INFO:Version: 2.1, beta ").version, " 2.1, beta ");
  EXPECT_EQ(InterpretReplyLine("+INFO:Version:").version, "");
}

TEST(InterpretReplyLine, InfoDropsTheFirstCarriageReturnAndTheCharacterAfter) {
  EXPECT_EQ(InterpretReplyLine("+INFO:Version:1.0\r\n").version, "1.0");
  EXPECT_EQ(InterpretReplyLine("+INFO:Version:1.0\rX2\r\n").version, "1.02\r\n");
  EXPECT_EQ(InterpretReplyLine("+INFO:ID:77\r").deviceId, "77");
}

TEST(InterpretReplyLine, StatsLinesCarryTheStatusValues) {
  const ReplyEffect e = InterpretReplyLine("+STATS,1,x,1,4.10,0,3.70,12.5,17,6,3,12,9,1,30,600,-33.92,18.42,Idle,0,123456,1");
  EXPECT_EQ(e.kind, ReplyKind::Stats);
  EXPECT_TRUE(e.resetsQuietTime);
  ASSERT_TRUE(e.stats);
  EXPECT_EQ(e.stats->batteryPercent, 43);
  EXPECT_EQ(e.stats->fields.gsmState, 6);
  // Even a bare keyword replaces the whole status.
  EXPECT_TRUE(InterpretReplyLine("+STATS,").stats);
}

TEST(InterpretReplyLine, TrackNeedsAllFiveIntegers) {
  ReplyEffect e = InterpretReplyLine("+TRACK,21600,30,180,10000,20");
  EXPECT_EQ(e.kind, ReplyKind::Track);
  ASSERT_TRUE(e.settings);
  EXPECT_EQ(e.settings->group, SettingGroup::Track);
  EXPECT_EQ(Field(e, SettingKey::kTrack1), "21600");
  EXPECT_EQ(Field(e, SettingKey::kTrack2), "30");
  EXPECT_EQ(Field(e, SettingKey::kTripStopMinutes), "180");  // seconds, as the unit keeps them
  EXPECT_EQ(Field(e, SettingKey::kTrack4), "10000");
  EXPECT_EQ(Field(e, SettingKey::kTrack5), "20");
  EXPECT_EQ(Field(e, SettingKey::kApn), std::nullopt);
  // A field of letters reads as 0 and is accepted.
  EXPECT_EQ(Field("+TRACK,abc,2,180,4,5", SettingKey::kTrack1), "0");

  for (const char* bad : {"+TRACK,1,2,180,4", "+TRACK,1,2,5-3,4,5", "+TRACK,1,2,180,4,99999999999", "+TRACK,",
                          "+TRACK,1,2\r,180,4,5"}) {
    e = InterpretReplyLine(bad);
    EXPECT_EQ(e.kind, ReplyKind::Track) << bad;
    EXPECT_TRUE(e.resetsQuietTime) << bad;
    EXPECT_TRUE(ChangesNoValue(e)) << bad;
  }
}

TEST(InterpretReplyLine, LowPowerAndIgnitionNeedAnInteger) {
  EXPECT_EQ(Field("+LOWPOWER,1", SettingKey::kLowPower), "1");
  EXPECT_EQ(Field("+LOWPOWER,0", SettingKey::kLowPower), "0");
  EXPECT_EQ(Field("+LOWPOWER,7", SettingKey::kLowPower), "7");  // on, as any number but 0
  EXPECT_EQ(Field("+LOWPOWER,", SettingKey::kLowPower), "0");   // empty reads as 0
  EXPECT_FALSE(InterpretReplyLine("+LOWPOWER,1-").settings);
  EXPECT_FALSE(InterpretReplyLine("+LOWPOWER").settings);

  EXPECT_EQ(Field("+IGNITION,2", SettingKey::kIgnition), "2");
  EXPECT_EQ(Field("+IGNITION,0x1", SettingKey::kIgnition), "1");
  EXPECT_EQ(InterpretReplyLine("+IGNITION,2").kind, ReplyKind::Ignition);
  const ReplyEffect bad = InterpretReplyLine("+IGNITION,--1");
  EXPECT_EQ(bad.kind, ReplyKind::Ignition);
  EXPECT_TRUE(ChangesNoValue(bad));
}

TEST(InterpretReplyLine, UssdSplitsTimeStampFromAnswer) {
  ReplyEffect e = InterpretReplyLine("+USSD,*100#,024,2403150930Balance: R12,50. Thanks");
  EXPECT_EQ(e.kind, ReplyKind::Ussd);
  ASSERT_TRUE(e.ussd);
  EXPECT_EQ(Field(e, SettingKey::kUssd), "*100#");
  EXPECT_EQ(Field(e, SettingKey::kUssdInterval), "24");
  EXPECT_EQ(e.ussd->caption.English(), "USSD received on: 24/03/2015 09:30");
  EXPECT_EQ(e.ussd->answer, "Balance: R12,50. Thanks");

  // Exactly ten characters: no time stamp; eleven: a one-character answer.
  // The answer part is taken raw: quotes are not removed.
  e = InterpretReplyLine("+USSD,*100#,1,\"12345678\"");
  EXPECT_EQ(e.ussd->caption.English(), "USSD received");
  EXPECT_EQ(e.ussd->answer, "\"12345678\"");
  e = InterpretReplyLine("+USSD,*100#,1,0102030405X");
  EXPECT_EQ(e.ussd->caption.English(), "USSD received on: 01/02/2003 04:05");
  EXPECT_EQ(e.ussd->answer, "X");
  e = InterpretReplyLine("+USSD,*100#,1,0102030405");
  EXPECT_EQ(e.ussd->caption.English(), "USSD received");
  EXPECT_EQ(e.ussd->answer, "0102030405");
}

TEST(InterpretReplyLine, UssdWithoutAnswerPartShowsAnEmptyAnswer) {
  ReplyEffect e = InterpretReplyLine("+USSD,*100#,12");
  ASSERT_TRUE(e.ussd);
  EXPECT_EQ(e.ussd->caption.English(), "USSD received");
  EXPECT_EQ(e.ussd->answer, "");
  EXPECT_EQ(Field(e, SettingKey::kUssdInterval), "12");
  e = InterpretReplyLine("+USSD,*100#,12,");
  EXPECT_EQ(e.ussd->answer, "");
  EXPECT_EQ(e.ussd->caption.English(), "USSD received");
}

TEST(InterpretReplyLine, UssdNeedsAnIntegerInterval) {
  for (const char* bad : {"+USSD,*100#,1-2,0102030405hello", "+USSD,*100#", "+USSD,"}) {
    const ReplyEffect e = InterpretReplyLine(bad);
    EXPECT_EQ(e.kind, ReplyKind::Ussd) << bad;
    EXPECT_TRUE(ChangesNoValue(e)) << bad;
  }
  // An empty interval reads as 0 and is accepted.
  EXPECT_EQ(Field("+USSD,,,", SettingKey::kUssdInterval), "0");
}

TEST(InterpretReplyLine, GprsTakesTextsWithoutCheck) {
  ReplyEffect e = InterpretReplyLine("+GPRS,\"internet\",guest,secret");
  EXPECT_EQ(Field(e, SettingKey::kApn), "internet");
  EXPECT_EQ(Field(e, SettingKey::kApnUser), "guest");
  EXPECT_EQ(Field(e, SettingKey::kApnPassword), "secret");
  e = InterpretReplyLine("+GPRS,apn");
  EXPECT_EQ(Field(e, SettingKey::kApn), "apn");
  EXPECT_EQ(Field(e, SettingKey::kApnUser), "");
  EXPECT_EQ(Field(e, SettingKey::kApnPassword), "");
}

TEST(InterpretReplyLine, TripsLinesArePassedOnWhole) {
  const std::string line = "+TRIPS,0,2015/03/24,09:30,10:10,-33.9,18.4,-34.0,18.5,12.3,80";
  ReplyEffect e = InterpretReplyLine(line);
  EXPECT_EQ(e.kind, ReplyKind::Trips);
  EXPECT_EQ(e.tripsLine, line);
  // The trip grid decides whether the index reads.
  EXPECT_EQ(InterpretReplyLine("+TRIPS,x").tripsLine, "+TRIPS,x");
}

}  // namespace
}  // namespace wr
