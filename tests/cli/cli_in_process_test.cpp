// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The tool run in this process against a simulated bus the test holds, to
// see what the units received, to pull a cable in the middle of a command,
// and to press Ctrl+C at a chosen moment.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <set>
#include <thread>

#include "cli/cli_test_support.h"
#include "session/translations.h"
#include "sim/simulated_units.h"

namespace wr::cli::test {
namespace {

using ::testing::HasSubstr;
using Ms = std::chrono::milliseconds;

bool IsSetCommand(const std::string& line) {
  for (const char* head : {"AT+TRACK=", "AT+LOWPOWER=", "AT+USSD=", "AT+GPRS=", "AT+IGNITION="})
    if (line.rfind(head, 0) == 0) return true;
  return false;
}

size_t Count(const std::vector<std::string>& lines, const std::function<bool(const std::string&)>& match) {
  return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), match));
}

class CliInProcessTest : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) { return (dir.path() + "/" + name).toStdString(); }
  std::string Write(const char* name, const std::string& content) {
    std::ofstream(PathOf(name), std::ios::binary) << content;
    return PathOf(name);
  }
  // An upgrade file of the given blocks whose image names its version.
  std::string Firmware(int blocks) {
    std::string header = "Wayrunner,1.100";
    header.resize(256, '\0');
    std::string image(256 * static_cast<size_t>(blocks), '\x33');
    image.replace(0, 19, std::string("WRFW-VERSION:1.100\0", 19));
    return Write("new.fw", header + image);
  }
  // Runs action on another thread once unit index has received a line that
  // matches, as often as given.
  void When(int index, std::function<bool(const std::string&)> match, int times,
            std::function<void()> action) {
    helper = std::thread([this, index, match, times, action] {
      std::atomic<int> seen{0};
      bus->WaitForReceived([&](const std::string& line) { return match(line) && ++seen >= times; },
                           Ms(20000), index);
      action();
    });
  }
  void TearDown() override {
    if (helper.joinable()) helper.join();
  }

  QTemporaryDir dir;
  std::unique_ptr<SimulatedBus> bus = MakeSimulatedBus(1);
  std::thread helper;
};

TEST_F(CliInProcessTest, DryRunAndRefusedProfilesSendNoSetCommand) {
  const SimSettings before = bus->Unit().Settings();
  const std::string fleet = Write("fleet.ini", "[settings]\napn = fleet\nignition = 2\n");
  const CliRun dry = RunInProcess(*bus, {"profile", "apply", "--dry-run", fleet});
  EXPECT_EQ(dry.code, 0) << dry.err;
  EXPECT_EQ(dry.out, "apn: unit \"internet\", new \"fleet\"\nignition: unit 1, new 2\n");
  EXPECT_EQ(Count(bus->Unit().ReceivedLines(), IsSetCommand), 0u);
  EXPECT_EQ(bus->Unit().Settings(), before);

  // A refused profile is refused before the unit is even opened.
  bus->Unit().ClearReceived();
  for (const char* content : {"[settings]\nspeed_limit = 90\n",
                                     "[settings]\napn = inter,net\n",
                                     "[settings]\ntrip_stop_minutes = 5 min\n"}) {
    const CliRun refused = RunInProcess(*bus, {"profile", "apply", Write("bad.ini", content)});
    EXPECT_EQ(refused.code, 4) << content;
    EXPECT_EQ(Lines(refused.err).size(), 1u) << refused.err;
  }
  EXPECT_TRUE(bus->Unit().ReceivedLines().empty());
}

TEST_F(CliInProcessTest, ProfileSavedThenAppliedBringsTheSettingsBack) {
  const SimSettings original = bus->Unit().Settings();
  const std::string saved = PathOf("unit.ini");
  ASSERT_EQ(RunInProcess(*bus, {"profile", "save", saved}).code, 0);

  const CliRun set = RunInProcess(*bus, {"settings", "set", "apn=other", "apn_password=p=w;d",
                                      "ussd=*100#", "trip_stop_minutes=9", "ignition=0",
                                      "low_power=0", "track2=45"});
  ASSERT_EQ(set.code, 0) << set.err;
  SimSettings changed = bus->Unit().Settings();
  EXPECT_EQ(changed.apn, "other");
  EXPECT_EQ(changed.apnPassword, "p=w;d");
  EXPECT_EQ(changed.track[1], 45);
  EXPECT_EQ(changed.track[2], 9 * 60);
  // What the command line left out was written back as the unit held it.
  EXPECT_EQ(changed.apnUser, original.apnUser);
  EXPECT_EQ(changed.track[0], original.track[0]);

  const CliRun diff = RunInProcess(*bus, {"--json", "profile", "diff", saved});
  EXPECT_EQ(diff.code, 1);
  EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(diff.out))["differences"]
                .toArray()
                .size(),
            7);
  const CliRun apply = RunInProcess(*bus, {"profile", "apply", saved});
  EXPECT_EQ(apply.code, 0) << apply.err;
  EXPECT_EQ(bus->Unit().Settings(), original);
}

TEST_F(CliInProcessTest, WhatTheUnitDoesNotTakeIsNamedKeyByKey) {
  // The unit keeps USSD codes of at most 40 characters.
  const std::string longCode(41, '1');
  const CliRun run = RunInProcess(*bus, {"settings", "set", "ussd=" + longCode, "apn=fleet"});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "wayrunner-cli: ussd: sent \"" + longCode +
                         "\", the unit holds \"*141#\" (refused by the unit)\n");
  EXPECT_EQ(bus->Unit().Settings().apn, "fleet");
}

TEST_F(CliInProcessTest, AUnitUnpluggedWhileSettingsAreWrittenIsNeverReportedDone) {
  const std::string fleet = Write("fleet.ini", "[settings]\napn = fleet\n");
  When(0, [](const std::string& line) { return line.rfind("AT+TRACK=", 0) == 0; }, 1,
       [this] { bus->Unplug(0); });
  const CliRun run = RunInProcess(*bus, {"profile", "apply", fleet});
  EXPECT_TRUE(run.code == 1 || run.code == 3) << run.code;
  EXPECT_THAT(run.err, HasSubstr("wayrunner-cli: "));
  EXPECT_EQ(run.out, "");
}

TEST_F(CliInProcessTest, AnUpgradeCutShortSendsNoInstallCommand) {
  const std::string file = Firmware(40);
  const auto isBlock = [](const std::string& line) { return line.rfind("^^", 0) == 0; };
  const auto isInstall = [](const std::string& line) { return line.rfind("AT+FWUPGRADE=", 0) == 0; };

  // The cable pulled after a few blocks.
  When(0, isBlock, 3, [this] { bus->Unplug(0); });
  const CliRun unplugged =
      RunInProcess(*bus, {"upgrade", "--yes", "--backup", PathOf("b1.ini"), file});
  helper.join();
  EXPECT_EQ(unplugged.code, 3);
  EXPECT_THAT(unplugged.err, HasSubstr("Error sending upgrade file! The unit was disconnected"));
  EXPECT_EQ(Count(bus->Unit().ReceivedLines(), isInstall), 0u);

  // Ctrl+C after a few blocks: stopped, and the unit is not told to install.
  bus->Replug(0);
  bus->Unit().ClearReceived();
  Interrupt interrupt;
  When(0, isBlock, 5, [&interrupt] { interrupt.Request(); });
  const CliRun stopped =
      RunInProcess(*bus, {"upgrade", "--yes", "--backup", PathOf("b2.ini"), file}, &interrupt);
  EXPECT_EQ(stopped.code, 5);
  EXPECT_THAT(stopped.err, HasSubstr("Firmware upgrade stopped! the unit was not told to install"));
  EXPECT_LT(Count(bus->Unit().ReceivedLines(), isBlock), 40u);
  EXPECT_EQ(Count(bus->Unit().ReceivedLines(), isInstall), 0u);
  EXPECT_EQ(bus->Unit().InstallCount(), 0);
}

TEST_F(CliInProcessTest, StatusJsonCarriesTheValuesAsNumbersNullWhenUnknown) {
  const std::vector<const char*> numbers = {
      "signal_dbm",  "next_update_s",   "latitude",  "longitude", "satellites_used",
      "satellites_visible", "hdop", "last_movement_s", "speed_kmh", "supply_v",
      "battery_v",   "battery_percent"};
  const struct {
    const char* scenario;
    std::function<void(SimulatedUnit&)> set;
    std::set<std::string> nulls;
  } cases[] = {
      {"fix", [](SimulatedUnit&) {}, {}},
      {"no fix", [](SimulatedUnit& u) { u.SetNoGpsFix(true); },
       {"latitude", "longitude", "hdop", "speed_kmh"}},
      {"receiver off", [](SimulatedUnit& u) { u.SetGpsOff(true); },
       {"latitude", "longitude", "hdop", "speed_kmh", "satellites_used", "satellites_visible"}},
      {"no SIM card", [](SimulatedUnit& u) { u.SetNoSimCard(true); }, {"signal_dbm"}},
  };
  for (const auto& c : cases) {
    bus = MakeSimulatedBus(1);
    c.set(bus->Unit());
    const CliRun run = RunInProcess(*bus, {"--json", "status"});
    ASSERT_EQ(run.code, 0) << c.scenario << run.err;
    const QJsonObject s = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    for (const char* key : numbers) {
      if (c.nulls.count(key)) EXPECT_TRUE(s[key].isNull()) << c.scenario << " " << key;
      else EXPECT_TRUE(s[key].isDouble()) << c.scenario << " " << key;
    }
    EXPECT_EQ(s["unit_time"].toString().size(), 6) << c.scenario;
    // The texts stay, and say the same as the numbers.
    EXPECT_EQ(s["gsm_status"].toString(), c.nulls.count("signal_dbm") ? "No SIMcard detected" : "Registered");
    if (!c.nulls.count("signal_dbm")) {
      EXPECT_TRUE(s["gsm_signal"].toString().startsWith(QString::number(s["signal_dbm"].toInt()) + " dBm"));
    }
    if (!c.nulls.count("latitude")) {
      EXPECT_EQ(s["coordinates"].toString().split(' ')[0].toDouble(), s["latitude"].toDouble());
    }
    EXPECT_TRUE(s["volt_battery"].toString().contains(QString::number(s["battery_percent"].toInt()) + "%"));
  }
}

TEST_F(CliInProcessTest, NoUnitOrOneThatCannotBeOpenedSaysWhy) {
  bus->Unplug(0);
  const CliRun none = RunInProcess(*bus, {"--timeout", "0.2", "status"});
  EXPECT_EQ(none.code, 3);
  EXPECT_EQ(none.err, "wayrunner-cli: no unit found: plug the unit in and check the cable\n");

  bus->Replug(0);
  bus->FailOpen(-1, "Permission denied");
  const CliRun denied = RunInProcess(*bus, {"status"});
  EXPECT_EQ(denied.code, 3);
  EXPECT_THAT(denied.err, HasSubstr("wayrunner-cli: the unit at 001:002 cannot be opened: A unit "
                                    "is attached but this user may not open it (permission "
                                    "missing)"));
  EXPECT_THAT(denied.err, HasSubstr("60-wayrunner-track.rules"));
  EXPECT_THAT(denied.err, HasSubstr("(Permission denied)\n"));
  EXPECT_EQ(Lines(denied.err).size(), 1u);
}

TEST_F(CliInProcessTest, ProvisioningTakesUnitsPluggedInLaterEachInItsOwnSession) {
  bus = MakeSimulatedBus(3);
  bus->Unplug(2);
  const std::string fleet = Write("fleet.ini", "[settings]\napn = fleet\ntrip_stop_minutes = 6\n");
  // The third unit arrives while the first is being written.
  When(0, [](const std::string& line) { return line.rfind("AT+GPRS=", 0) == 0; }, 1,
       [this] { bus->Replug(2); });
  const CliRun run = RunInProcess(*bus, {"--json", "provision", fleet, "--count", "3"});
  ASSERT_EQ(run.code, 0) << run.err;
  const QJsonArray units =
      QJsonDocument::fromJson(QByteArray::fromStdString(run.out))["units"].toArray();
  ASSERT_EQ(units.size(), 3);
  std::set<QString> ids;
  for (const auto& unit : units) {
    ids.insert(unit.toObject()["device_id"].toString());
    EXPECT_EQ(unit.toObject()["result"].toString(), "ok");
  }
  EXPECT_EQ(ids.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bus->Unit(i).Settings().apn, "fleet") << i;
    // Each unit got its own commands once: no line meant for another reached it.
    const std::vector<std::string> lines = bus->Unit(i).ReceivedLines();
    EXPECT_EQ(Count(lines, IsSetCommand), 5u) << i;
    EXPECT_EQ(Count(lines, [](const std::string& l) { return l == "AT+GPRS=fleet,,"; }), 1u) << i;
  }
}

TEST_F(CliInProcessTest, AnInterruptedBenchLogsTheUnitsBeingWritten) {
  bus = MakeSimulatedBus(2);
  const std::string fleet = Write("fleet.ini", "[settings]\napn = fleet\n");
  Interrupt interrupt;
  When(1, [](const std::string& line) { return line.rfind("AT+TRACK=", 0) == 0; }, 1,
       [this, &interrupt] {
         bus->WaitForReceived([](const std::string& l) { return l.rfind("AT+TRACK=", 0) == 0; },
                              Ms(20000), 0);
         interrupt.Request();
       });
  const CliRun run =
      RunInProcess(*bus, {"provision", fleet, "--log", PathOf("log.csv")}, &interrupt);
  EXPECT_EQ(run.code, 5);
  EXPECT_THAT(run.err, HasSubstr("logged as interrupted"));
  std::ifstream log(PathOf("log.csv"));
  const std::string content((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  const std::vector<std::string> rows = Lines(content);
  ASSERT_EQ(rows.size(), 3u) << content;
  for (size_t i = 1; i < rows.size(); ++i) EXPECT_THAT(rows[i], HasSubstr(",interrupted,"));
  // Stopped or not, each unit got every set command: none was left half-written.
  for (int i = 0; i < 2; ++i) EXPECT_EQ(Count(bus->Unit(i).ReceivedLines(), IsSetCommand), 5u);
}

// The bench's lines for people are in their language; its log stays English.
TEST_F(CliInProcessTest, AnInterruptedBenchSpeaksGermanWhileItsLogStaysEnglish) {
  struct German {
    German() { InstallTranslations(QStringLiteral("de")); }
    ~German() { InstallTranslations(QStringLiteral("en")); }
  } german;
  const std::string fleet = Write("fleet.ini", "[settings]\napn = fleet\n");
  Interrupt interrupt;
  When(0, [](const std::string& line) { return line.rfind("AT+TRACK=", 0) == 0; }, 1,
       [&interrupt] { interrupt.Request(); });
  const CliRun run =
      RunInProcess(*bus, {"provision", fleet, "--log", PathOf("log.csv")}, &interrupt);
  EXPECT_EQ(run.code, 5);
  EXPECT_THAT(run.out, HasSubstr("  unterbrochen  (beim Speichern unterbrochen: Jede Einstellung"));
  std::ifstream log(PathOf("log.csv"));
  const std::string content((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  EXPECT_THAT(content, HasSubstr(",interrupted,,\"interrupted while saving: every setting was sent "
                                 "to the unit, but none was read back\"\r\n"));
}

}  // namespace
}  // namespace wr::cli::test
