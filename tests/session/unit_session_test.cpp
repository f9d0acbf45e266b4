// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The unit session against the simulated unit on a real Qt event loop: the
// reply flags, the echo, the waits, the quiet clock, the model, the
// operations, and several sessions side by side on one bus.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/link_test_support.h"
#include "protocol/commands.h"
#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "sim/simulated_bus.h"

namespace wr {
namespace {

using std::chrono::milliseconds;

using test::WaitUntil;

// Runs an operation to its end.
UnitSession::Outcome RunOp(Operation& op, int timeoutMs = 10000) {
  QSignalSpy finished(&op, &Operation::finished);
  op.Start();
  if (!op.Finished()) {
    EXPECT_TRUE(finished.wait(timeoutMs));
  }
  return op.Result();
}
UnitSession::Outcome RunOp(std::unique_ptr<Operation> op) { return RunOp(*op); }

// Runs one command on the session's queue to its end.
CommandResult RunLine(UnitSession& session, std::string line, int timeoutMs = 3000) {
  UnitCommand command;
  command.line = std::move(line);
  command.echo = false;
  command.timeoutMs = timeoutMs;
  std::optional<CommandResult> result;
  session.Queue().Submit(std::move(command), [&](CommandResult r) { result = r; });
  EXPECT_TRUE(WaitUntil([&] { return result.has_value(); }, timeoutMs + 5000));
  return result.value_or(CommandResult::Cancelled);
}

// A clock the test moves by hand.
struct ManualClock {
  UnitSession::Clock::time_point now = UnitSession::Clock::time_point() + std::chrono::hours(1);
  void Advance(int ms) { now += milliseconds(ms); }
};

class SessionTest : public ::testing::Test {
 protected:
  virtual UnitSession::Options Options() {
    UnitSession::Options options;
    options.timings = {50, 250, 250, true};
    return options;
  }
  void SetUp() override {
    session = std::make_unique<UnitSession>(bus, Options());
    QObject::connect(session.get(), &UnitSession::lineReceived,
                     [this](const std::string& line) { traffic.push_back(line); });
    QObject::connect(session.get(), &UnitSession::commandEchoed,
                     [this](const std::string& echo) { traffic.push_back(echo); });
    session->Start();
  }
  void TearDown() override { session->Shutdown(); }

  bool Connected() {
    return WaitUntil([&] { return session->ConnectionState() == 1; }, 8000) &&
           WaitUntil([&] { return !session->Model().DeviceId().empty(); });
  }
  bool Received(const std::string& line, int index = 0) {
    return bus.WaitForReceived([&](const std::string& l) { return l == line; },
                               milliseconds(3000), index);
  }

  // Returns once every line the unit sent before has been dispatched: the
  // unit sends one more and the session echoes it.
  bool SyncWithUnit() {
    const std::string marker = "~sync " + std::to_string(++syncs);
    bus.InjectRaw(marker + "\r\n");
    return WaitUntil([&] { return std::find(traffic.begin(), traffic.end(), marker) != traffic.end(); });
  }

  SimulatedBus bus;
  std::unique_ptr<UnitSession> session;
  std::vector<std::string> traffic;
  int syncs = 0;
};

TEST_F(SessionTest, ConnectingQueriesTheUnitAndFillsTheModel) {
  ASSERT_TRUE(Connected());
  const auto received = bus.Unit().ReceivedLines();
  const std::vector<std::string> expected = {
      "ATI", "ATI", "AT+STATS", "AT+IP?", "AT+LOWPOWER?", "AT+TRACK?", "AT+USSD?",
      "AT+GPRS?", "AT+NUM?", "AT+MSG?", "AT+IF?", "AT+IGNITION?"};
  ASSERT_GE(received.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(received.begin(), received.begin() + 12), expected);

  UnitModel& model = session->Model();
  ASSERT_TRUE(WaitUntil([&] { return model.Settings().Read(SettingGroup::Ignition); }));
  EXPECT_EQ(model.FirmwareVersion(), "1.003");
  EXPECT_EQ(model.DeviceId(), "WR0001234567");
  EXPECT_TRUE(model.StatusValues().has_value());
  EXPECT_FALSE(model.StatusTexts().gsmStatus.isEmpty());
  const UnitSettings& s = model.Settings();
  EXPECT_TRUE(s.Read(SettingGroup::Track) && s.Read(SettingGroup::LowPower) && s.Read(SettingGroup::Ussd) && s.Read(SettingGroup::Gprs));
  EXPECT_EQ(s.Shown(SettingKey::kTripStopMinutes), "3");
  EXPECT_EQ(s.Number(SettingKey::kTrack1), 21600);
  EXPECT_EQ(s.Number(SettingKey::kTrack5), 20);
  EXPECT_EQ(s.Shown(SettingKey::kApn), "internet");
  EXPECT_EQ(s.Shown(SettingKey::kUssd), "*141#");
  EXPECT_EQ(s.Shown(SettingKey::kUssdInterval), "24");
  EXPECT_EQ(s.Number(SettingKey::kIgnition), 1);
  // Every line is echoed: received ones as they came, commands with the arrow.
  EXPECT_EQ(std::count(traffic.begin(), traffic.end(), "->ATI"), 2);
  EXPECT_NE(std::find(traffic.begin(), traffic.end(), "OK"), traffic.end());
}

TEST_F(SessionTest, CompletionMarksSetTheFlagsAndTheBatteryErrorIsASignal) {
  ASSERT_TRUE(Connected());
  QSignalSpy battery(session.get(), &UnitSession::chargeBatteryError);
  session->ClearFlags();
  session->SendCommand("AT+NOSUCHTHING");
  ASSERT_TRUE(WaitUntil([&] { return session->ErrorFlag(); }));
  EXPECT_FALSE(session->OkFlag());

  session->ClearFlags();
  bus.Unit().ChargeBatteryErrorNext();
  session->SendCommand("AT+STATS");
  ASSERT_TRUE(WaitUntil([&] { return session->ErrorFlag(); }));
  EXPECT_EQ(battery.count(), 1);
  // Neither mark reaches the reply interpretation: the quiet time keeps running.
  session->SetQuietMs(5000);
  session->ClearFlags();
  session->SendCommand("AT+NOSUCHTHING");
  ASSERT_TRUE(WaitUntil([&] { return session->ErrorFlag(); }));
  EXPECT_GE(session->QuietMs(), 5000);
}

TEST_F(SessionTest, SendingWhileDisconnectedEchoesButWritesNothing) {
  bus.Unplug();
  ASSERT_TRUE(WaitUntil([&] { return session->ConnectionState() == 0; }));
  bus.ClearCalls();
  EXPECT_FALSE(session->SendCommand("AT+STATS"));
  EXPECT_EQ(traffic.back(), "->AT+STATS");
  for (const auto& name : bus.CallNames()) EXPECT_NE(name, "bulk_write");
}

TEST_F(SessionTest, AWaitedCommandEndsOnOkErrorDropOrTime) {
  ASSERT_TRUE(Connected());
  EXPECT_EQ(RunLine(*session, "AT+STATS"), CommandResult::Ok);
  EXPECT_EQ(RunLine(*session, "AT+BOGUS"), CommandResult::Error);

  bus.Unit().SetNeverAnswer(true);
  QElapsedTimer t;
  t.start();
  EXPECT_EQ(RunLine(*session, "AT+STATS", 300), CommandResult::TimedOut);
  EXPECT_LT(t.elapsed(), 2500);

  // Both marks are kept when an ERROR and an OK come together: a command on
  // the queue that sees an ERROR has failed, also when an OK came as well (a
  // firmware block must not pass on someone else's OK).
  bus.Unit().SetNeverAnswer(false);
  session->ForgetOutstanding();
  ASSERT_TRUE(SyncWithUnit());
  session->ClearFlags();
  bus.InjectRaw("ERROR\r\nOK\r\n");
  ASSERT_TRUE(WaitUntil([&] { return session->OkFlag(); }));
  EXPECT_TRUE(session->ErrorFlag());

  QTimer::singleShot(100, [&] { bus.Unplug(); });
  bus.Unit().SetNeverAnswer(true);
  EXPECT_EQ(RunLine(*session, "AT+STATS", 10000), CommandResult::Disconnected);
}

// The quiet time is read from a clock the test drives.
class QuietClockTest : public SessionTest {
 protected:
  UnitSession::Options Options() override {
    UnitSession::Options options = SessionTest::Options();
    options.clock = [this] { return clock.now; };
    return options;
  }
  ManualClock clock;
};

TEST_F(QuietClockTest, DispatchedLinesStampTheClockAndPollingWaitsForQuiet) {
  ASSERT_TRUE(Connected());
  ASSERT_TRUE(WaitUntil([&] { return session->Model().Settings().Read(SettingGroup::Ignition); }));
  EXPECT_EQ(session->QuietMs(), 0);
  clock.Advance(500);
  EXPECT_EQ(session->QuietMs(), 500);
  EXPECT_FALSE(session->PollIfQuiet());  // not above 500 yet
  clock.Advance(1);
  bus.ClearCalls();
  bus.Unit().ClearReceived();
  EXPECT_TRUE(session->PollIfQuiet());
  ASSERT_TRUE(Received("AT+STATS"));
  // The "+STATS," reply stamps the clock: quiet again from zero.
  ASSERT_TRUE(WaitUntil([&] { return session->QuietMs() == 0; }));
  clock.Advance(2000);
  {
    PollingPause pause(*session);
    EXPECT_FALSE(session->PollIfQuiet());
  }
  EXPECT_TRUE(session->PollIfQuiet());
  ASSERT_TRUE(WaitUntil([&] { return session->QuietMs() == 0; }));

  // OK and ERROR do not count as lines of the unit's own.
  clock.Advance(700);
  session->SendCommand("AT+NOSUCHTHING");
  ASSERT_TRUE(WaitUntil([&] { return session->ErrorFlag(); }));
  EXPECT_GE(session->QuietMs(), 700);
}

// The read-back ends when every reply has come: the clock standing still
// (the unit never counts as quiet) does not hold it.
TEST_F(QuietClockTest, SaveEndsWhenEveryReplyHasComeWithoutWaitingForQuiet) {
  ASSERT_TRUE(Connected());
  ASSERT_TRUE(WaitUntil([&] { return session->Model().Settings().Read(SettingGroup::Ignition); }));
  const SettingsCheck form = CheckTypedSettings(
      {{SettingKey::kTripStopMinutes, "5"}, {SettingKey::kUssd, "*100#"},
       {SettingKey::kUssdInterval, "12"}, {SettingKey::kApn, "apn"}, {SettingKey::kApnUser, ""},
       {SettingKey::kApnPassword, ""}, {SettingKey::kLowPower, "0"}});
  ASSERT_TRUE(form.Ok());
  bus.Unit().ClearReceived();
  // Announced once for the views, by its title; the read of the retained
  // values it runs inside it is part of it.
  std::vector<QString> announced;
  QObject::connect(session.get(), &UnitSession::operationStarted,
                   [&announced](Operation* op) { announced.push_back(op->Title()); });
  SaveOperation save(*session, form.values);
  QElapsedTimer t;
  t.start();
  const UnitSession::Outcome outcome = RunOp(save);
  EXPECT_LT(t.elapsed(), UnitSession::kSaveFirstPauseMs);
  EXPECT_TRUE(outcome.done);
  EXPECT_EQ(announced, std::vector<QString>{QStringLiteral("Saving the settings")});
  EXPECT_EQ(bus.Unit().Settings().apn, "apn");
  EXPECT_EQ(bus.Unit().Settings().track[2], 300);
  EXPECT_EQ(bus.Unit().ReceivedLines(),
            (std::vector<std::string>{"AT+TRACK=21600,30,300,10000,20", "AT+LOWPOWER=0",
                                      "AT+USSD=*100#,12", "AT+GPRS=apn,,", "AT+IGNITION=1",
                                      "AT+LOWPOWER?", "AT+TRACK?", "AT+USSD?", "AT+GPRS?",
                                      "AT+IGNITION?"}));
}

TEST_F(SessionTest, ANewConnectionForgetsWhatWasReadAndClearsTheModel) {
  ASSERT_TRUE(Connected());
  ASSERT_TRUE(WaitUntil([&] { return session->Model().Settings().Read(SettingGroup::Ignition); }));
  bus.Unit().SetNeverAnswer(true);
  bus.Unplug();
  ASSERT_TRUE(WaitUntil([&] { return session->ConnectionState() == 0; }));
  // The values stay visible while searching.
  EXPECT_EQ(session->Model().Settings().Shown(SettingKey::kApn), "internet");
  bus.Replug();
  ASSERT_TRUE(WaitUntil([&] { return session->ConnectionState() == 1; }, 8000));
  const UnitSettings& s = session->Model().Settings();
  EXPECT_FALSE(s.Read(SettingGroup::Track) || s.Read(SettingGroup::LowPower) || s.Read(SettingGroup::Ussd) || s.Read(SettingGroup::Gprs) || s.Read(SettingGroup::Ignition));
  EXPECT_EQ(s.Shown(SettingKey::kApn), "");
  EXPECT_TRUE(session->Model().StatusTexts().gsmStatus.isEmpty());
}

TEST_F(SessionTest, OperationsSendTheirCommandsAndTheModelFollows) {
  ASSERT_TRUE(Connected());
  bus.Unit().GenerateTrips(3);
  FetchTripsOperation fetch(*session, 5000);
  ASSERT_TRUE(RunOp(fetch).done);
  EXPECT_EQ(session->Model().Trips().size(), 3u);
  EXPECT_EQ(session->Model().Trips()[2].index, 2);

  RunOp(MakeSetOutput(*session, UnitOutput::Relay, true));
  RunOp(MakeSetOutput(*session, UnitOutput::Buzzer, true));
  ASSERT_TRUE(Received("AT+BUZZER=1"));
  ASSERT_TRUE(WaitUntil([&] { return bus.Unit().Outputs().buzzer; }));
  EXPECT_TRUE(bus.Unit().Outputs().relay);

  RunOp(MakeDeleteTrips(*session));
  ASSERT_TRUE(Received("AT+DELETE_ALL_TRIPS"));
  EXPECT_TRUE(session->Model().Trips().empty());
  ASSERT_TRUE(WaitUntil([&] { return bus.Unit().Trips().empty(); }));

  // The trips asked for again after the delete have gone out too.
  ASSERT_TRUE(WaitUntil([&] { return !session->WritesPending(); }));
  bus.Unit().ClearReceived();
  RunOp(MakeFactoryReset(*session));
  ASSERT_TRUE(Received("AT+FACTORY"));
  ASSERT_TRUE(Received("AT+IGNITION?"));
  const auto lines = bus.Unit().ReceivedLines();
  EXPECT_EQ(lines.front(), "AT+FACTORY");
}

// The unit's marks name no command: an answer still owed to an earlier line
// (a status poll, say) must not end the wait of the next one.
TEST_F(SessionTest, AnAnswerOwedToAnEarlierLineIsNotTakenForTheNextOnes) {
  ASSERT_TRUE(Connected());
  ASSERT_TRUE(WaitUntil([&] { return session->Outstanding() == 0; }));
  bus.Unit().GenerateTrips(4);
  bus.Unit().SetLatency(milliseconds(200));
  session->SendCommand("AT+STATS");
  session->SendCommand("AT+IP?");
  EXPECT_EQ(session->Outstanding(), 2);
  FetchTripsOperation fetch(*session, 5000);
  ASSERT_TRUE(RunOp(fetch).done);
  EXPECT_EQ(session->Model().Trips().size(), 4u);
  EXPECT_EQ(session->Outstanding(), 0);
}

TEST_F(SessionTest, FetchingTripsFromAGoneUnitSaysSo) {
  ASSERT_TRUE(Connected());
  bus.Unit().SetNeverAnswer(true);
  FetchTripsOperation slowFetch(*session, 300);
  const UnitSession::Outcome slow = RunOp(slowFetch);
  EXPECT_FALSE(slow.done);
  EXPECT_FALSE(slow.message.isEmpty());
  QTimer::singleShot(50, [&] { bus.Unplug(); });
  FetchTripsOperation goneFetch(*session, 5000);
  const UnitSession::Outcome gone = RunOp(goneFetch);
  EXPECT_FALSE(gone.done);
  EXPECT_TRUE(gone.message.contains(QStringLiteral("disconnected")));
}

// Two units on one bus, each with its own session: each opens its own unit,
// and neither sees the other's lines.
TEST(TwoSessions, WorkSideBySideOnOneBus) {
  SimulatedBus bus;
  SimulatedUnit::Options second;
  second.deviceId = "WR0009999999";
  second.firmwareVersion = "1.010";
  const int other = bus.AddUnit(0x16D0, 0x06AF, second);
  const auto units = UnitSession::ListUnits(bus);
  ASSERT_EQ(units.size(), 2u);
  EXPECT_NE(units[0].location, units[1].location);

  UnitSession::Options a;
  a.timings = {50, 250, 250, true};
  a.location = units[0].location;
  UnitSession::Options b = a;
  b.location = units[1].location;
  UnitSession first(bus, a);
  UnitSession next(bus, b);
  std::vector<std::string> firstLines, nextLines;
  QObject::connect(&first, &UnitSession::lineReceived,
                   [&](const std::string& l) { firstLines.push_back(l); });
  QObject::connect(&next, &UnitSession::lineReceived,
                   [&](const std::string& l) { nextLines.push_back(l); });
  first.Start();
  next.Start();
  ASSERT_TRUE(WaitUntil([&] {
    return !first.Model().DeviceId().empty() && !next.Model().DeviceId().empty();
  }, 8000));
  EXPECT_EQ(first.Model().DeviceId(), "WR0001234567");
  EXPECT_EQ(next.Model().DeviceId(), "WR0009999999");
  EXPECT_EQ(next.Model().FirmwareVersion(), "1.010");
  EXPECT_EQ(first.Location(), units[0].location);

  auto relay = MakeSetOutput(first, UnitOutput::Relay, true);
  auto buzzer = MakeSetOutput(next, UnitOutput::Buzzer, true);
  relay->Start();
  buzzer->Start();
  ASSERT_TRUE(WaitUntil([&] { return bus.Unit(other).Outputs().buzzer; }));
  ASSERT_TRUE(WaitUntil([&] { return bus.Unit(0).Outputs().relay; }));
  EXPECT_FALSE(bus.Unit(0).Outputs().buzzer);
  EXPECT_FALSE(bus.Unit(other).Outputs().relay);
  for (const auto& l : firstLines) EXPECT_EQ(l.find("WR0009999999"), std::string::npos);
  for (const auto& l : nextLines) EXPECT_EQ(l.find("WR0001234567"), std::string::npos);

  // Unplugging one leaves the other connected, though both have the same identifiers.
  bus.Unplug(other);
  ASSERT_TRUE(WaitUntil([&] { return next.ConnectionState() == 0; }, 8000));
  EXPECT_EQ(first.ConnectionState(), 1);
  EXPECT_TRUE(first.IsConnected());
  first.Shutdown();
  next.Shutdown();
}

TEST(SessionSelector, TheFirstUnitByDefaultAndAnotherWhenChosen) {
  SimulatedBus bus;
  SimulatedUnit::Options second;
  second.deviceId = "WR0002222222";
  bus.AddUnit(0xEB03, 0x0920, second);
  UnitSession::Options options;
  options.timings = {50, 250, 250, true};
  UnitSession session(bus, options);
  session.Start();
  ASSERT_TRUE(WaitUntil([&] { return session.Model().DeviceId() == "WR0001234567"; }, 8000));
  const auto units = UnitSession::ListUnits(bus);
  ASSERT_EQ(units.size(), 2u);
  EXPECT_EQ(units[1].vendorId, 0xEB03);
  session.SetSelector(units[1].location);
  // At once a new connection, whose unit is queried from the start.
  EXPECT_EQ(session.ConnectionState(), 0);
  ASSERT_TRUE(WaitUntil([&] { return session.Model().DeviceId() == "WR0002222222"; }, 8000));
  EXPECT_EQ(session.Location(), units[1].location);
  EXPECT_EQ(session.Connections(), 2);
  EXPECT_TRUE(WaitUntil([&] { return bus.Unit(1).ReceivedCount([](const std::string& l) { return l == "AT+IGNITION?"; }) == 1; }, 8000));
  session.Shutdown();
}

}  // namespace
}  // namespace wr
