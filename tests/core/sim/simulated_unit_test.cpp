// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/simulated_unit.h"

#include <atomic>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "protocol/reply_fields.h"
#include "upgrade/block_line.h"

namespace wr {
namespace {

using ::testing::ElementsAre;
using Ms = std::chrono::milliseconds;

// A clock the test moves by hand, so time-dependent answers are repeatable.
struct ManualClock {
  SimulatedUnit::Clock::time_point now = SimulatedUnit::Clock::time_point(std::chrono::hours(1));
  void Advance(SimulatedUnit::Clock::duration d) { now += d; }
};

class SimulatedUnitTest : public ::testing::Test {
 protected:
  static SimulatedUnit::Options Opts(ManualClock* clock) {
    SimulatedUnit::Options o;
    o.seed = 7;
    o.startSecondOfDay = 12 * 3600 + 34 * 60 + 56;
    o.clock = [clock] { return clock->now; };
    return o;
  }

  // Sends one command and returns the answer lines without their CR LF.
  std::vector<std::string> Ask(const std::string& command) {
    unit.HostWrite(command + "\r");
    std::vector<std::string> lines;
    const std::string bytes = unit.HostRead(1 << 20);
    size_t at = 0;
    while (at < bytes.size()) {
      const size_t end = bytes.find("\r\n", at);
      EXPECT_NE(end, std::string::npos) << "answer not ended by CR LF";
      if (end == std::string::npos) break;
      lines.push_back(bytes.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }

  ManualClock clock;
  SimulatedUnit unit{Opts(&clock)};
};

TEST_F(SimulatedUnitTest, AnswersQueriesWithReplyAndOk) {
  EXPECT_THAT(Ask("ATI"), ElementsAre("+INFO:Version:1.003", "+INFO:ID:WR0001234567", "OK"));
  EXPECT_THAT(Ask("AT+TRACK?"), ElementsAre("+TRACK,21600,30,180,10000,20", "OK"));
  EXPECT_THAT(Ask("AT+LOWPOWER?"), ElementsAre("+LOWPOWER,1", "OK"));
  EXPECT_THAT(Ask("AT+IGNITION?"), ElementsAre("+IGNITION,1", "OK"));
  EXPECT_THAT(Ask("AT+GPRS?"), ElementsAre("+GPRS,internet,,", "OK"));
  EXPECT_THAT(Ask("AT+IP?"), ElementsAre("+IP,track.wayrunner.example,80,0", "OK"));
  for (const char* q : {"AT+NUM?", "AT+MSG?", "AT+IF?"}) {
    const auto a = Ask(q);
    ASSERT_EQ(a.size(), 2u) << q;
    EXPECT_EQ(a[1], "OK");
  }
  EXPECT_THAT(Ask("AT+BOGUS"), ElementsAre("ERROR"));
  EXPECT_EQ(Ask("~DEBUG=1").front().substr(0, 1), "~");
}

TEST_F(SimulatedUnitTest, UssdAnswerCarriesATimeStampAndMayHoldCommas) {
  const auto a = Ask("AT+USSD?");
  ASSERT_EQ(a.size(), 2u);
  const int offset = ReplyFieldOffset(a[0], 3);
  ASSERT_GT(offset, 0);
  const std::string rest = a[0].substr(offset);
  ASSERT_GE(rest.size(), 11u);
  EXPECT_EQ(rest.substr(0, 10).find_first_not_of("0123456789"), std::string::npos);
  EXPECT_NE(rest.find(',', 10), std::string::npos);
  EXPECT_EQ(ReplyFieldText(a[0], 1), "*141#");
  EXPECT_EQ(ReplyFieldText(a[0], 2), "24");
}

TEST_F(SimulatedUnitTest, StatsLineHasAllFieldsAndChangesOverTime) {
  const auto first = Ask("AT+STATS");
  ASSERT_EQ(first.size(), 2u);
  const std::string& s = first[0];
  bool missing = false;
  ReplyFieldText(s, 21, missing);
  EXPECT_FALSE(missing);
  ReplyFieldText(s, 22, missing);
  EXPECT_TRUE(missing) << s;
  EXPECT_EQ(ReplyFieldText(s, 20), "123456");
  EXPECT_EQ(ReplyFieldText(s, 9), "6");
  EXPECT_EQ(ReplyFieldText(s, 21), "1");
  for (int n : {3, 8, 9, 10, 11, 12, 13, 14, 15, 21}) {
    int32_t v = -1;
    EXPECT_EQ(ReplyFieldInt(s, n, v), 1) << "field " << n << " of " << s;
  }
  const double vbat = std::stod(ReplyFieldText(s, 6));
  EXPECT_GT(vbat, 3.3);
  EXPECT_LT(vbat, 4.3);
  EXPECT_NEAR(std::stod(ReplyFieldText(s, 7)), 12.6, 1.0);
  EXPECT_NEAR(std::stod(ReplyFieldText(s, 16)), -33.9, 1.0);

  clock.Advance(Ms(61000));
  const std::string later = Ask("AT+STATS")[0];
  EXPECT_EQ(ReplyFieldText(later, 20), "123557");
  EXPECT_NE(later, s);
}

TEST_F(SimulatedUnitTest, StatsScenarios) {
  unit.SetNoSimCard(true);
  unit.SetNoGpsFix(true);
  unit.SetCharging(true);
  std::string s = Ask("AT+STATS")[0];
  EXPECT_EQ(ReplyFieldText(s, 9), "3");
  EXPECT_EQ(ReplyFieldText(s, 10), "1");
  EXPECT_EQ(ReplyFieldText(s, 12), "0");
  EXPECT_EQ(ReplyFieldText(s, 21), "0");
  unit.SetGpsOff(true);
  s = Ask("AT+STATS")[0];
  EXPECT_EQ(ReplyFieldText(s, 3), "0");
}

TEST_F(SimulatedUnitTest, SameSeedGivesSameValues) {
  ManualClock other;
  SimulatedUnit twin(Opts(&other));
  for (int i = 0; i < 5; ++i) {
    unit.HostWrite("AT+STATS\r");
    twin.HostWrite("AT+STATS\r");
    EXPECT_EQ(unit.HostRead(4096), twin.HostRead(4096));
  }
}

TEST_F(SimulatedUnitTest, SettersAreKeptAndReadBack) {
  EXPECT_THAT(Ask("AT+TRACK=100,20,600,5000,7"), ElementsAre("OK"));
  EXPECT_THAT(Ask("AT+TRACK?"), ElementsAre("+TRACK,100,20,600,5000,7", "OK"));
  EXPECT_THAT(Ask("AT+TRACK=21600,30,180,10000,20,"), ElementsAre("OK"));  // trailing comma
  EXPECT_THAT(Ask("AT+TRACK?"), ElementsAre("+TRACK,21600,30,180,10000,20", "OK"));
  EXPECT_THAT(Ask("AT+LOWPOWER=0"), ElementsAre("OK"));
  EXPECT_THAT(Ask("AT+IGNITION=2"), ElementsAre("OK"));
  EXPECT_THAT(Ask("AT+USSD=*100#,12"), ElementsAre("OK"));
  EXPECT_THAT(Ask("AT+GPRS=apn.example,me,secret"), ElementsAre("OK"));
  EXPECT_THAT(Ask("AT+IP=other.example,80,0"), ElementsAre("OK"));
  const SimSettings s = unit.Settings();
  EXPECT_EQ(s.lowPower, 0);
  EXPECT_EQ(s.ignition, 2);
  EXPECT_EQ(s.ussdCode, "*100#");
  EXPECT_EQ(s.ussdInterval, 12);
  EXPECT_EQ(s.apn, "apn.example");
  EXPECT_EQ(s.apnPassword, "secret");
  EXPECT_EQ(s.ipHost, "other.example");
  EXPECT_THAT(Ask("AT+GPRS?"), ElementsAre("+GPRS,apn.example,me,secret", "OK"));

  EXPECT_THAT(Ask("AT+FACTORY"), ElementsAre("OK"));
  EXPECT_EQ(unit.Settings(), SimSettings{});
}

TEST_F(SimulatedUnitTest, RefusedValuesGiveErrorAndKeepTheOldOnes) {
  const SimSettings before = unit.Settings();
  for (const char* bad :
       {"AT+TRACK=1,2,3,4", "AT+TRACK=1,2,x,4,5", "AT+TRACK=1,2,-3,4,5", "AT+TRACK=1,2,3,4,5,6",
        "AT+TRACK=5-3,2,3,4,5", "AT+LOWPOWER=2", "AT+IGNITION=3", "AT+IGNITION=",
        "AT+USSD=*100#,abc", "AT+USSD=*1,00#,12", "AT+GPRS=a,b", "AT+GPRS=a,b,c,d",
        "AT+IP=,80,0", "AT+IP=host,http,0", "AT+RELAY=on"}) {
    EXPECT_THAT(Ask(bad), ElementsAre("ERROR")) << bad;
  }
  EXPECT_EQ(unit.Settings(), before);
  EXPECT_FALSE(unit.Outputs().relay);
}

TEST_F(SimulatedUnitTest, OutputsFollowTheirCommands) {
  for (const char* c : {"AT+RELAY=1", "AT+OUTPUT=1", "AT+BUZZER=1", "AT+3V3=1"})
    EXPECT_THAT(Ask(c), ElementsAre("OK"));
  SimOutputs o = unit.Outputs();
  EXPECT_TRUE(o.relay && o.output && o.buzzer && o.supply3v3);
  EXPECT_THAT(Ask("AT+BUZZER=0"), ElementsAre("OK"));
  EXPECT_FALSE(unit.Outputs().buzzer);
  EXPECT_TRUE(unit.Outputs().relay);
}

TEST_F(SimulatedUnitTest, TripLogListsAndDeletes) {
  unit.GenerateTrips(3);
  const auto a = Ask("AT+TRIPS");
  ASSERT_EQ(a.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    int32_t index = -1;
    EXPECT_EQ(ReplyFieldInt(a[i], 1, index), 1);
    EXPECT_EQ(index, i);
    bool missing = true;
    ReplyFieldText(a[i], 10, missing);
    EXPECT_FALSE(missing) << a[i];
    ReplyFieldText(a[i], 11, missing);
    EXPECT_TRUE(missing) << a[i];
  }
  // Each trip starts where the one before ended, give or take a few metres.
  EXPECT_NEAR(std::stod(ReplyFieldText(a[1], 5)), std::stod(ReplyFieldText(a[0], 7)), 0.001);
  EXPECT_EQ(a[3], "OK");

  unit.SetTrips({{"01/02/24", "08:00:00", "08:30:00", "-33.1", "18.2", "-33.3", "18.4", "12.3",
                  "87"}});
  EXPECT_THAT(Ask("AT+TRIPS"),
              ElementsAre("+TRIPS,0,01/02/24,08:00:00,08:30:00,-33.1,18.2,-33.3,18.4,12.3,87",
                          "OK"));
  EXPECT_THAT(Ask("AT+DELETE_ALL_TRIPS"), ElementsAre("OK"));
  EXPECT_THAT(Ask("AT+TRIPS"), ElementsAre("OK"));
}

TEST_F(SimulatedUnitTest, RecordsEveryLineAndFramesOnCarriageReturn) {
  unit.HostWrite("AT");
  unit.HostWrite("I\r\n  AT+STATS\r\r");
  unit.HostWrite("AT+TRA");
  // A bare carriage return is a line too, though nothing answers it.
  EXPECT_THAT(unit.ReceivedLines(), ElementsAre("ATI", "AT+STATS", ""));
  unit.HostWrite(std::string(5000, 'A') + "\r");  // garbage, kept short
  EXPECT_EQ(unit.ReceivedLines().size(), 4u);
  EXPECT_EQ(unit.ReceivedLines().back().size(), 4096u);
  const std::string bytes = unit.HostRead(1 << 16);
  EXPECT_EQ(bytes.substr(bytes.size() - 7), "ERROR\r\n");
}

TEST_F(SimulatedUnitTest, ChargeBatteryErrorRefusesTheNextCommandOnly) {
  unit.ChargeBatteryErrorNext();
  EXPECT_THAT(Ask("AT+LOWPOWER=0"), ElementsAre("ERROR CHARGE BATTERY"));
  EXPECT_EQ(unit.Settings().lowPower, 1);
  EXPECT_THAT(Ask("AT+LOWPOWER=0"), ElementsAre("OK"));
}

TEST_F(SimulatedUnitTest, LatencyDelaysAnswersOneAfterTheOther) {
  unit.SetLatency(Ms(100));
  unit.HostWrite("AT\rAT\r");
  EXPECT_EQ(unit.HostRead(100), "");
  EXPECT_EQ(unit.TimeToNextEvent(), Ms(100));
  // The time left is exact, so a reader waiting for it wakes when it is due.
  clock.Advance(std::chrono::microseconds(99750));
  EXPECT_EQ(unit.TimeToNextEvent(), std::chrono::microseconds(250));
  clock.Advance(std::chrono::microseconds(250));
  EXPECT_EQ(unit.HostRead(100), "OK\r\n");
  clock.Advance(Ms(100));
  EXPECT_EQ(unit.HostRead(2), "OK");  // taken in pieces when asked to
  EXPECT_EQ(unit.HostRead(100), "\r\n");
  EXPECT_EQ(unit.TimeToNextEvent(), SimulatedUnit::Clock::duration::max());

  // What falls due next is named: an answer, or a restart's drop before it.
  bool answer = false;
  unit.HostWrite("AT\r");
  EXPECT_EQ(unit.TimeToNextEvent(&answer), Ms(100));
  EXPECT_TRUE(answer);
  unit.Restart();
  unit.TimeToNextEvent(&answer);
  EXPECT_FALSE(answer);
}

TEST_F(SimulatedUnitTest, NeverAnswerRecordsButSaysNothing) {
  unit.SetNeverAnswer(true);
  unit.HostWrite("ATI\rAT+RELAY=1\r");
  EXPECT_EQ(unit.HostRead(100), "");
  EXPECT_EQ(unit.ReceivedLines().size(), 2u);
  EXPECT_FALSE(unit.Outputs().relay);
}

TEST_F(SimulatedUnitTest, ResetDropsOffAfterTheOkAndComesBack) {
  unit.SetRestartDowntime(Ms(500));
  const uint64_t epoch = unit.ConnectionEpoch();
  EXPECT_THAT(Ask("AT+RESET"), ElementsAre("OK"));
  EXPECT_TRUE(unit.Attached());
  clock.Advance(Ms(20));
  EXPECT_FALSE(unit.Attached());
  EXPECT_NE(unit.ConnectionEpoch(), epoch);
  unit.HostWrite("ATI\r");  // nobody listening
  clock.Advance(Ms(499));
  EXPECT_FALSE(unit.Attached());
  clock.Advance(Ms(1));
  EXPECT_TRUE(unit.Attached());
  EXPECT_EQ(unit.HostRead(100), "");
  EXPECT_EQ(unit.RestartCount(), 1);
  EXPECT_THAT(Ask("AT"), ElementsAre("OK"));
}

TEST_F(SimulatedUnitTest, WaitForLineSeesLinesFromAnotherThread) {
  // The writer sends once the wait has looked at the lines already there, so
  // the line can only be seen through the wake-up.
  unit.HostWrite("AT\r");
  std::atomic<bool> waiting{false};
  std::thread writer([&] {
    while (!waiting) std::this_thread::yield();
    unit.HostWrite("AT+TRIPS\r");
  });
  EXPECT_TRUE(unit.WaitForLine(
      [&](const std::string& l) {
        waiting = true;
        return l == "AT+TRIPS";
      },
      Ms(2000)));
  writer.join();
  EXPECT_FALSE(unit.WaitForLine([](const std::string& l) { return l == "ATI"; }, Ms(20)));
}

// ---------------------------------------------------------------- firmware

class SimulatedUnitUpgradeTest : public SimulatedUnitTest {
 protected:
  static std::array<uint8_t, kBlockSize> Block(int k) {
    std::array<uint8_t, kBlockSize> b;
    for (int i = 0; i < kBlockSize; ++i) b[i] = static_cast<uint8_t>(i * 7 + k * 13);
    return b;
  }
  std::vector<std::string> SendBlock(int k) { return Ask(BlockLine(k, Block(k).data())); }
  std::string Image(int blocks) {
    std::string s;
    for (int k = 0; k < blocks; ++k) {
      const auto b = Block(k);
      s.append(b.begin(), b.end());
    }
    return s;
  }
};

TEST_F(SimulatedUnitUpgradeTest, KeepsGoodBlocksAndInstallsTheWholeImage) {
  for (int k = 0; k < 3; ++k) EXPECT_THAT(SendBlock(k), ElementsAre("OK"));
  EXPECT_EQ(unit.ReceivedImage(), Image(3));
  EXPECT_THAT(Ask("AT+FWUPGRADE=2"), ElementsAre("OK"));
  EXPECT_EQ(unit.InstalledImage(), Image(3));
  EXPECT_EQ(unit.InstallCount(), 1);
  clock.Advance(Ms(20));
  EXPECT_FALSE(unit.Attached());  // restarts into the new firmware
}

// The version comes back with the restart, not with the install's OK.
TEST_F(SimulatedUnitUpgradeTest, ComesBackFromTheRestartWithTheVersionTheImageNames) {
  std::array<uint8_t, kBlockSize> block{};
  const std::string named = std::string(SimulatedUnit::kImageVersionMark) + "1.200";
  std::copy(named.begin(), named.end(), block.begin() + 100);
  EXPECT_THAT(Ask(BlockLine(0, block.data())), ElementsAre("OK"));
  EXPECT_THAT(Ask("AT+FWUPGRADE=0"), ElementsAre("OK"));
  EXPECT_EQ(unit.FirmwareVersion(), "1.003");
  clock.Advance(Ms(20));
  EXPECT_FALSE(unit.Attached());
  clock.Advance(Ms(60000));
  EXPECT_TRUE(unit.Attached());
  EXPECT_EQ(Ask("ATI").front(), "+INFO:Version:1.200");

  // An image that names nothing leaves the version as it was.
  EXPECT_THAT(SendBlock(0), ElementsAre("OK"));
  EXPECT_THAT(Ask("AT+FWUPGRADE=0"), ElementsAre("OK"));
  clock.Advance(Ms(60000));
  EXPECT_TRUE(unit.Attached());
  EXPECT_EQ(unit.RestartCount(), 2);
  EXPECT_EQ(unit.FirmwareVersion(), "1.200");
}

TEST_F(SimulatedUnitUpgradeTest, RefusesDamagedBlockLines) {
  std::string line = BlockLine(0, Block(0).data());
  std::string badCrc = line;
  badCrc.back() = badCrc.back() == '0' ? '1' : '0';
  std::string badHex = line;
  badHex[10] = 'G';
  std::string noDash = line;
  noDash[518] = '+';
  for (const std::string& bad : {badCrc, badHex, noDash, line.substr(0, 400),
                                 std::string("^^") + line.substr(3), line + "0"})
    EXPECT_THAT(Ask(bad), ElementsAre("ERROR")) << bad.substr(0, 12);
  EXPECT_EQ(unit.BlockCount(), 0u);
  EXPECT_THAT(Ask(line), ElementsAre("OK"));
}

TEST_F(SimulatedUnitUpgradeTest, InstallChecksEveryBlockIsThere) {
  EXPECT_THAT(SendBlock(0), ElementsAre("OK"));
  EXPECT_THAT(SendBlock(2), ElementsAre("OK"));
  EXPECT_THAT(Ask("AT+FWUPGRADE=2"), ElementsAre("ERROR"));
  EXPECT_THAT(Ask("AT+FWUPGRADE=-1"), ElementsAre("ERROR"));
  EXPECT_THAT(Ask("AT+FWUPGRADE=x"), ElementsAre("ERROR"));
  EXPECT_EQ(unit.InstallCount(), 0);
  unit.SetInstallSupported(false);
  EXPECT_THAT(Ask("AT+FWUPGRADE=0"), ElementsAre("ERROR"));
  unit.SetInstallSupported(true);
  EXPECT_THAT(Ask("AT+FWUPGRADE=0"), ElementsAre("OK"));
}

TEST_F(SimulatedUnitUpgradeTest, BlockFaults) {
  unit.FailBlock(1, 2);
  EXPECT_THAT(SendBlock(0), ElementsAre("OK"));
  EXPECT_THAT(SendBlock(1), ElementsAre("ERROR"));
  EXPECT_THAT(SendBlock(1), ElementsAre("ERROR"));
  EXPECT_THAT(SendBlock(1), ElementsAre("OK"));
  EXPECT_EQ(unit.TimesBlockReceived(1), 3);

  unit.DropNextBlocks(1);
  EXPECT_TRUE(SendBlock(2).empty());
  EXPECT_EQ(unit.ReceivedImage(), Image(2));  // a dropped block is not kept
  unit.FailNextBlocks(1);
  EXPECT_THAT(SendBlock(2), ElementsAre("ERROR"));
  EXPECT_THAT(SendBlock(2), ElementsAre("OK"));
  unit.DropNextBlocks(-1);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(SendBlock(3).empty());
  EXPECT_THAT(Ask("AT"), ElementsAre("OK"));  // commands are still answered
}

TEST_F(SimulatedUnitUpgradeTest, BlockZeroStartsANewImage) {
  for (int k = 0; k < 3; ++k) SendBlock(k);
  SendBlock(0);
  EXPECT_EQ(unit.BlockCount(), 1u);
  EXPECT_THAT(Ask("AT+FWUPGRADE=2"), ElementsAre("ERROR"));
}

}  // namespace
}  // namespace wr
