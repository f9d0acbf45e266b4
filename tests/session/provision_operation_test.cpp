// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writing settings by key and provisioning a unit, against the simulated
// unit on a real Qt event loop: what the report says, what the unit
// received, and a cancel before and while the sets go out.
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/link_test_support.h"
#include "session/provision_operation.h"
#include "session/translations.h"
#include "session/unit_text.h"
#include "session/unit_session.h"
#include "session/write_settings_operation.h"
#include "sim/simulated_bus.h"

namespace wr {
namespace {

using std::chrono::milliseconds;
using Result = SettingsWriteReport::Result;

size_t SetLines(SimulatedUnit& unit) {
  size_t n = 0;
  for (const std::string& line : unit.ReceivedLines())
    for (const char* head : {"AT+TRACK=", "AT+LOWPOWER=", "AT+USSD=", "AT+GPRS=", "AT+IGNITION="})
      if (line.rfind(head, 0) == 0) ++n;
  return n;
}

SettingsValues Values(const std::vector<std::pair<SettingKey, std::string>>& entries) {
  SettingsValues values;
  for (const auto& [key, text] : entries) EXPECT_TRUE(values.Set(key, text).Empty()) << text;
  return values;
}

bool RunToEnd(Operation& op) {
  QSignalSpy finished(&op, &Operation::finished);
  op.Start();
  return op.Finished() || finished.wait(20000);
}

class ProvisionTest : public ::testing::Test {
 protected:
  void Open(bool query = true) {
    UnitSession::Options options;
    options.timings = {50, 250, 250, true};
    options.queryOnConnect = query;
    session = std::make_unique<UnitSession>(bus, options);
    session->Start();
  }
  void TearDown() override {
    if (session) session->Shutdown();
  }

  SimulatedBus bus;
  std::unique_ptr<UnitSession> session;
};

TEST_F(ProvisionTest, ReportsWhatTheUnitTookAndSaysWhoItIs) {
  const std::string longApn(64, 'a');  // the unit refuses more than 63 characters
  struct Case {
    const char* name;
    std::vector<std::pair<SettingKey, std::string>> wanted;
    std::function<void(SimulatedBus&)> before;
    Result result;
    std::vector<std::string> differences;
    std::string message;  // English
    size_t setLines;
  };
  const std::vector<Case> cases = {
      {"unchanged", {{SettingKey::kApn, "internet"}}, {}, Result::Unchanged, {}, "", 0},
      {"written",
       {{SettingKey::kApn, "fleet"}, {SettingKey::kTripStopMinutes, "6"}},
       {},
       Result::Written,
       {"apn", "trip_stop_minutes"},
       "",
       5},
      {"differs", {{SettingKey::kApn, longApn}}, {}, Result::Differs, {"apn"},
       "the unit did not take every setting", 5},
      {"never opens", {{SettingKey::kApn, "fleet"}}, [](SimulatedBus& b) { b.Unplug(0); },
       Result::Failed, {}, "the unit at 1:2 cannot be opened: it did not respond in time", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    bus.Unit().SetSettings(SimSettings());
    bus.Unit().ClearReceived();
    if (c.before) c.before(bus);
    Open();
    ProvisionOperation provision(*session, "1:2", Values(c.wanted), 500);
    QSignalSpy progress(&provision, &Operation::progress);
    ASSERT_TRUE(RunToEnd(provision));
    const ProvisionReport& report = provision.Report();
    EXPECT_EQ(report.result, c.result);
    EXPECT_EQ(report.differences, c.differences);
    EXPECT_EQ(report.message.English(), c.message);
    EXPECT_EQ(SetLines(bus.Unit()), c.setLines);
    EXPECT_EQ(provision.Result().done, c.result == Result::Unchanged || c.result == Result::Written);
    EXPECT_GE(progress.count(), 1);
    if (c.result == Result::Failed) continue;
    EXPECT_EQ(report.deviceId, bus.Unit().DeviceId());
    EXPECT_FALSE(report.firmware.empty());
    if (c.result == Result::Written) {
      EXPECT_EQ(bus.Unit().Settings().apn, "fleet");
    }
  }
}

// A unit this user may not open: the log keeps the hint in English on one
// line; the terminal shows it in the user's language.
TEST_F(ProvisionTest, AUnitThatMayNotBeOpenedIsReportedInBothLanguages) {
  bus.FailOpen(-1, "Permission denied");
  Open();
  ProvisionOperation provision(*session, "1:2", Values({{SettingKey::kApn, "fleet"}}), 500);
  ASSERT_TRUE(RunToEnd(provision));
  const std::string english = provision.Report().message.English();
  EXPECT_EQ(english.rfind("the unit at 1:2 cannot be opened: A unit is attached but this user may "
                          "not open it (permission missing). ", 0),
            0u)
      << english;
  EXPECT_EQ(english.find('\n'), std::string::npos) << english;
  EXPECT_NE(english.find(" (Permission denied)"), std::string::npos) << english;
  InstallTranslations(QStringLiteral("de"));
  const QString shown = Translated(provision.Report().message);
  InstallTranslations(QStringLiteral("en"));
  EXPECT_TRUE(shown.contains(QStringLiteral("Berechtigung fehlt"))) << shown.toStdString();
}

TEST_F(ProvisionTest, ADifferenceNamesWhatWasSentAndWhatTheUnitHolds) {
  Open();
  ASSERT_TRUE(test::WaitUntil([&] { return !session->Model().DeviceId().empty(); }, 8000));
  WriteSettingsOperation write(*session, Values({{SettingKey::kApn, std::string(64, 'b')}}));
  ASSERT_TRUE(RunToEnd(write));
  ASSERT_EQ(write.Report().problems.size(), 1u);
  EXPECT_EQ(write.Report().problems[0].English(),
            "apn: sent \"" + std::string(64, 'b') + "\", the unit holds \"internet\" (refused by the unit)");
}

// Without the queries of a new connection, the write asks for the settings
// itself: a unit that does not answer them is sent nothing, and a cancel
// stops it before or while the sets go out.
TEST_F(ProvisionTest, AWriteStopsSafelyWhenTheUnitIsSilentOrItIsCancelled) {
  enum class Stop { Silent, WhileReading, WhileSaving };
  struct Case {
    const char* name;
    Stop stop;
    Result result;
    std::string message;
    size_t setLines;
  };
  const std::vector<Case> cases = {
      {"silent", Stop::Silent, Result::Failed,
       "nothing was sent: Time stationary before ending trip, Low power mode, Airtime USSD String and "
       "Query Interval (hours), GPRS APN, Username and Password, Ignition detection could not be "
       "read from the unit",
       0},
      {"cancel while reading", Stop::WhileReading, Result::Interrupted,
       "interrupted before anything was sent", 0},
      // The sets still go out, so that no setting is left half-written
      // (last: the unit answers slowly from here on).
      {"cancel while saving", Stop::WhileSaving, Result::Interrupted,
       "interrupted while saving: every setting was sent to the unit, but none was read back", 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    bus.Unit().SetNeverAnswer(false);
    bus.Unit().ClearReceived();
    Open(false);
    ASSERT_TRUE(test::WaitUntil([&] { return session->ConnectionState() == 1; }, 8000));
    if (c.stop == Stop::Silent) bus.Unit().SetNeverAnswer(true);
    WriteSettingsOperation write(*session, Values({{SettingKey::kApn, "fleet"}}));
    QSignalSpy finished(&write, &Operation::finished);
    write.Start();
    if (c.stop == Stop::WhileReading) write.Cancel();
    if (c.stop == Stop::WhileSaving) {
      bus.SetLatency(milliseconds(100));
      ASSERT_TRUE(test::WaitUntil([&] { return SetLines(bus.Unit()) > 0; }, 8000));
      write.Cancel();
    }
    ASSERT_TRUE(write.Finished() || finished.wait(20000));
    EXPECT_EQ(write.Report().result, c.result);
    EXPECT_EQ(write.Report().message.English(), c.message);
    EXPECT_EQ(write.Result().interrupted, c.result == Result::Interrupted);
    ASSERT_TRUE(test::WaitUntil([&] { return SetLines(bus.Unit()) >= c.setLines; }, 8000));
    EXPECT_EQ(SetLines(bus.Unit()), c.setLines);
  }
}

}  // namespace
}  // namespace wr
