#include "protocol/reply_dispatch.h"

#include <gtest/gtest.h>

#include <string>

namespace wr {
namespace {

// True when the effect writes no control and no kept value.
bool ChangesNoValue(const ReplyEffect& e) {
  return !e.version && !e.deviceId && !e.stats && !e.track && !e.lowPower && !e.ussd && !e.gprs &&
         !e.tripsLine && !e.ignitionIndex;
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
  ASSERT_TRUE(e.track);
  EXPECT_EQ(e.track->field1, 21600);
  EXPECT_EQ(e.track->field2, 30);
  EXPECT_EQ(e.track->field3, 180);
  EXPECT_EQ(e.track->field4, 10000);
  EXPECT_EQ(e.track->field5, 20);
  EXPECT_EQ(e.track->tripStopText, "3");

  EXPECT_EQ(InterpretReplyLine("+TRACK,1,2,200,4,5").track->tripStopText, "3");
  EXPECT_EQ(InterpretReplyLine("+TRACK,1,2,-150,4,5").track->tripStopText, "-2");  // toward zero
  EXPECT_EQ(InterpretReplyLine("+TRACK,1,2,59,4,5").track->tripStopText, "0");
  // A field of letters reads as 0 and is accepted.
  e = InterpretReplyLine("+TRACK,abc,2,180,4,5");
  ASSERT_TRUE(e.track);
  EXPECT_EQ(e.track->field1, 0);

  for (const char* bad : {"+TRACK,1,2,180,4", "+TRACK,1,2,5-3,4,5", "+TRACK,1,2,180,4,99999999999", "+TRACK,",
                          "+TRACK,1,2\r,180,4,5"}) {
    e = InterpretReplyLine(bad);
    EXPECT_EQ(e.kind, ReplyKind::Track) << bad;
    EXPECT_TRUE(e.resetsQuietTime) << bad;
    EXPECT_TRUE(ChangesNoValue(e)) << bad;
  }
}

TEST(InterpretReplyLine, LowPowerAndIgnitionNeedAnInteger) {
  EXPECT_EQ(InterpretReplyLine("+LOWPOWER,1").lowPower, true);
  EXPECT_EQ(InterpretReplyLine("+LOWPOWER,0").lowPower, false);
  EXPECT_EQ(InterpretReplyLine("+LOWPOWER,7").lowPower, true);
  EXPECT_EQ(InterpretReplyLine("+LOWPOWER,").lowPower, false);  // empty reads as 0
  EXPECT_FALSE(InterpretReplyLine("+LOWPOWER,1-").lowPower);
  EXPECT_FALSE(InterpretReplyLine("+LOWPOWER").lowPower);

  EXPECT_EQ(InterpretReplyLine("+IGNITION,2").ignitionIndex, 2);
  EXPECT_EQ(InterpretReplyLine("+IGNITION,0x1").ignitionIndex, 1);
  EXPECT_EQ(InterpretReplyLine("+IGNITION,2").kind, ReplyKind::Ignition);
  const ReplyEffect bad = InterpretReplyLine("+IGNITION,--1");
  EXPECT_EQ(bad.kind, ReplyKind::Ignition);
  EXPECT_TRUE(ChangesNoValue(bad));
}

TEST(InterpretReplyLine, UssdSplitsTimeStampFromAnswer) {
  ReplyEffect e = InterpretReplyLine("+USSD,*100#,024,2403150930Balance: R12,50. Thanks");
  EXPECT_EQ(e.kind, ReplyKind::Ussd);
  ASSERT_TRUE(e.ussd);
  EXPECT_EQ(e.ussd->query, "*100#");
  EXPECT_EQ(e.ussd->interval, 24);
  EXPECT_EQ(e.ussd->caption, "USSD received on: 24/03/2015 09:30");
  EXPECT_EQ(e.ussd->answer, "Balance: R12,50. Thanks");

  // Exactly ten characters: no time stamp; eleven: a one-character answer.
  // The answer part is taken raw: quotes are not removed.
  e = InterpretReplyLine("+USSD,*100#,1,\"12345678\"");
  EXPECT_EQ(e.ussd->caption, "USSD received");
  EXPECT_EQ(e.ussd->answer, "\"12345678\"");
  e = InterpretReplyLine("+USSD,*100#,1,0102030405X");
  EXPECT_EQ(e.ussd->caption, "USSD received on: 01/02/2003 04:05");
  EXPECT_EQ(e.ussd->answer, "X");
  e = InterpretReplyLine("+USSD,*100#,1,0102030405");
  EXPECT_EQ(e.ussd->caption, "USSD received");
  EXPECT_EQ(e.ussd->answer, "0102030405");
}

TEST(InterpretReplyLine, UssdWithoutAnswerPartShowsAnEmptyAnswer) {
  ReplyEffect e = InterpretReplyLine("+USSD,*100#,12");
  ASSERT_TRUE(e.ussd);
  EXPECT_EQ(e.ussd->caption, "USSD received");
  EXPECT_EQ(e.ussd->answer, "");
  EXPECT_EQ(e.ussd->interval, 12);
  e = InterpretReplyLine("+USSD,*100#,12,");
  EXPECT_EQ(e.ussd->answer, "");
  EXPECT_EQ(e.ussd->caption, "USSD received");
}

TEST(InterpretReplyLine, UssdNeedsAnIntegerInterval) {
  for (const char* bad : {"+USSD,*100#,1-2,0102030405hello", "+USSD,*100#", "+USSD,"}) {
    const ReplyEffect e = InterpretReplyLine(bad);
    EXPECT_EQ(e.kind, ReplyKind::Ussd) << bad;
    EXPECT_TRUE(ChangesNoValue(e)) << bad;
  }
  // An empty interval reads as 0 and is accepted.
  EXPECT_EQ(InterpretReplyLine("+USSD,,,").ussd->interval, 0);
}

TEST(InterpretReplyLine, GprsTakesTextsWithoutCheck) {
  ReplyEffect e = InterpretReplyLine("+GPRS,\"internet\",guest,secret");
  ASSERT_TRUE(e.gprs);
  EXPECT_EQ(e.gprs->apn, "internet");
  EXPECT_EQ(e.gprs->username, "guest");
  EXPECT_EQ(e.gprs->password, "secret");
  e = InterpretReplyLine("+GPRS,apn");
  ASSERT_TRUE(e.gprs);
  EXPECT_EQ(e.gprs->apn, "apn");
  EXPECT_EQ(e.gprs->username, "");
  EXPECT_EQ(e.gprs->password, "");
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
