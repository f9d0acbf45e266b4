// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the tool does when the unit or the bus misbehaves, end to end through
// the real windows and link. Every cell must end (no hang), leave the tool
// usable, show the searching display while the unit is gone and reconnect
// when it returns, never show a setting the unit did not get as its value,
// and never follow a failed firmware block with the install command.
//
// Cells covered elsewhere, exactly:
//   unit pulled while waiting for a block's answer:
//     UpgradeTest.UnplugMidTransferEndsItWithoutInstalling
//   unit gone after the last block, before the install command:
//     UpgradeTest.InstallOutcomes ("unit gone before the install command")
//   blocks refused or never answered: UpgradeTest.BlockFailingThreeTimesEndsTheTransferWithoutInstalling
//   open refused for lack of permission, for good: CannotOpenTest.SearchingDisplaySaysPermissionIsMissingAndHowToFixIt
//   unplug and replug while idle, values kept then refreshed:
//     MainWindowTest.UnplugKeepsValuesAndReplugClearsThemBeforeNewReplies
//   Save before the silent unit ever answered: SilentUnitTest.SaveBeforeAnyReplySendsZerosMinusOneAndEmptyFields
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>

#include "e2e/app_fixture.h"
#include "link/tfrm_usb.h"
#include "ui/tfrm_upgrade.h"
#include "session/upgrade_operation.h"

namespace wr::test {
namespace {

using namespace std::chrono_literals;

// Said when the firmware went out; "upgraded" only once the unit is back.
const QString kUpgraded = QStringLiteral(
    "The firmware was sent. Please wait for unit to restart: its version is checked when it is "
    "back.");
const QString kSendError = QStringLiteral("Error sending upgrade file!");

bool IsInstall(const std::string& line) { return line.rfind("AT+FWUPGRADE=", 0) == 0; }

class FaultFixture : public AppFixture {
 protected:
  // An upgrade file of `blocks` full blocks, picked and confirmed; returns
  // when its outcome was shown.
  void Upgrade(int blocks, int blockTimeoutMs = 200) {
    ASSERT_TRUE(dir_.isValid());
    std::string content = "Wayrunner,1.100";
    content.resize(256, '\0');
    for (int k = 0; k < blocks * 256; ++k) content.push_back(static_cast<char>(k * 7 + 1));
    const QString path = dir_.filePath(QStringLiteral("unit.fw"));
    std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << content;
    UpgradeTimings quick;
    quick.blockTimeoutMs = blockTimeoutMs;
    quick.settleMs = 20;
    quick.installWaitMs = 400;
    quick.restartLimitMs = 2000;
    App().Upgrade().SetTimings(quick);
    Prompts().shown.clear();
    // The third Yes goes on without the settings backup when the unit
    // cannot give its settings.
    Prompts().yesNo = {true, true, true};
    Prompts().files = {path};
    Click(QStringLiteral("btnUpgrade"));
    ASSERT_TRUE(WaitForUpgradeEnd());
    Prompts().yesNo.clear();
  }

  size_t Installs() { return Unit().ReceivedCount(IsInstall); }

  // The settings tab against what the unit holds.
  void ExpectSettingsShowTheUnit() {
    const SimSettings held = Unit().Settings();
    if (typedKept_) {
      // Typed values the unit never took stay in their fields, marked, over
      // the unit's values, until they are saved or reverted.
      ASSERT_TRUE(WaitFor([this] { return Session().Model().Settings().Read(SettingGroup::Gprs); }));
      EXPECT_NE(held.apn, "typed.apn");
      EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("typed.apn"));
      EXPECT_EQ(SettingsTab().edtUSSD->text(), QStringLiteral("*999#"));
      EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kApn));
      EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kUssd));
      return;
    }
    EXPECT_TRUE(WaitFor([&] { return SettingsTab().edtAPN->text().toStdString() == held.apn; }))
        << "APN shown: " << SettingsTab().edtAPN->text().toStdString() << ", held: " << held.apn;
    EXPECT_EQ(SettingsTab().edtUSSD->text().toStdString(), held.ussdCode);
  }

  // The unit is gone: the searching display, unit controls off; then it comes
  // back and the tool shows it again from fresh answers, with one handle open.
  void ExpectSearchingThenRecovery() {
    ASSERT_TRUE(WaitUntilSearching()) << "the window kept the connected display";
    EXPECT_TRUE(Main().panelStatus->isVisible());
    EXPECT_FALSE(SettingsTab().btnSaveSettings->isEnabled());
    EXPECT_FALSE(MainTab().btnUpgrade->isEnabled());
    MainTab().edtVersion->clear();
    Bus().Replug();
    ASSERT_TRUE(WaitUntilConnected()) << "the tool did not find the unit again";
    EXPECT_TRUE(WaitFor([this] { return !MainTab().edtVersion->text().isEmpty(); }));
    EXPECT_TRUE(SettingsTab().btnSaveSettings->isEnabled());
    ExpectSettingsShowTheUnit();
    EXPECT_EQ(Bus().OpenHandles(), 1);
  }

  // Save was cut short after the values were typed: they stay.
  bool typedKept_ = false;
  QTemporaryDir dir_;
};

// ---- the unit pulled out at various moments

class UnplugMatrix : public FaultFixture,
                     public ::testing::WithParamInterface<std::pair<const char*, void (UnplugMatrix::*)()>> {
 public:
  void Idle() { Bus().Unplug(); }

  void InTheMiddleOfALine() {
    StopPolling();
    // Half a reply reaches the tool, the rest never comes.
    Unit().EmitRaw("+GPRS,half.apn,us");
    ASSERT_TRUE(WaitUntilUnitOutputRead());
    Bus().Unplug();
    ExpectSearchingThenRecovery();
    // The half line must not have swallowed the first answer after the return.
    for (const QString& line : TerminalLines())
      EXPECT_FALSE(line.contains(QStringLiteral("half.apn"))) << line.toStdString();
    EXPECT_EQ(MainTab().edtVersion->text().toStdString(), Unit().FirmwareVersion());
  }

  void DuringSave() {
    ShowTabOf(SettingsTab().edtAPN);
    SettingsTab().edtAPN->setText(QStringLiteral("typed.apn"));
    SettingsTab().edtUSSD->setText(QStringLiteral("*999#"));
    typedKept_ = true;
    // Slow enough answers that the cable goes before the unit has been sent
    // the APN: Save's later commands then never reach it.
    Unit().SetLatency(50ms);
    When([this] { return ReceivedCountOf("AT+LOWPOWER=1") > 0 || ReceivedCountOf("AT+LOWPOWER=0") > 0; },
         [this] { Bus().Unplug(); });
    QElapsedTimer clock;
    clock.start();
    Click(QStringLiteral("btnSaveSettings"));
    EXPECT_LT(clock.elapsed(), 5000);
  }

  void DuringATripListing() {
    Unit().GenerateTrips(400);
    Bus().SetReadChunks({64});
    ShowTabOf(Trips().sgridTrips);
    When([this] { return Trips().sgridTrips->rowCount() > 20; }, [this] { Bus().Unplug(); });
    Click(QStringLiteral("btnGetTrips"));
    ASSERT_TRUE(WaitUntilSearching());
    Bus().SetReadChunks({});
    ExpectSearchingThenRecovery();
    // A fresh connection starts with an empty grid, and a new listing is whole.
    EXPECT_EQ(Trips().sgridTrips->rowCount(), 2);
    Click(QStringLiteral("btnGetTrips"));
    EXPECT_TRUE(WaitFor([this] { return Trips().sgridTrips->rowCount() == 401; }, 10000));
  }

  void UpgradeBetweenBlocks() {
    Unit().SetLatency(10ms);
    // Block 2 has its OK; the cable goes before block 3 is written.
    // Right in the drain step that brings the OK, before block 3 can go out.
    QMetaObject::Connection pull = QObject::connect(&Session(), &UnitSession::drained, [this] {
      if (Bus().Plugged() && Unit().TimesBlockReceived(2) > 0 && Session().OkFlag()) Bus().Unplug();
    });
    Upgrade(10);
    QObject::disconnect(pull);
    EXPECT_EQ(Prompts().Messages(), std::vector<QString>{kSendError});
    EXPECT_EQ(Unit().TimesBlockReceived(2), 1);
    EXPECT_EQ(Unit().TimesBlockReceived(3), 0);
    EXPECT_EQ(Installs(), 0u);
    EXPECT_FALSE(App().Upgrade().upgradeSucceeded);
  }

  void UpgradeAfterTheInstallCommand() {
    When([this] { return Installs() > 0; }, [this] { Bus().Unplug(); });
    Upgrade(3);
    // The unit got the command, complete, but never came back to say what it
    // runs: that is reported, never as success.
    ASSERT_EQ(Prompts().Messages().size(), 2u);
    EXPECT_EQ(Prompts().Messages()[0], kUpgraded);
    EXPECT_TRUE(Prompts().Messages()[1].startsWith(QStringLiteral(
        "The unit has not come back within 2 seconds of the upgrade, so it is not known to run")))
        << Prompts().Messages()[1].toStdString();
    EXPECT_EQ(Unit().InstallCount(), 1);
    EXPECT_EQ(Installs(), 1u);
  }
};

TEST_P(UnplugMatrix, EndsShowsSearchingAndRecovers) {
  (this->*GetParam().second)();
  if (HasFatalFailure()) return;
  // Cells that check recovery themselves have already replugged.
  if (Bus().Plugged()) return;
  ExpectSearchingThenRecovery();
}

INSTANTIATE_TEST_SUITE_P(
    Moments, UnplugMatrix,
    ::testing::Values(std::make_pair("Idle", &UnplugMatrix::Idle),
                      std::make_pair("InTheMiddleOfALine", &UnplugMatrix::InTheMiddleOfALine),
                      std::make_pair("DuringSave", &UnplugMatrix::DuringSave),
                      std::make_pair("DuringATripListing", &UnplugMatrix::DuringATripListing),
                      std::make_pair("UpgradeBetweenBlocks", &UnplugMatrix::UpgradeBetweenBlocks),
                      std::make_pair("UpgradeAfterTheInstallCommand",
                                     &UnplugMatrix::UpgradeAfterTheInstallCommand)),
    [](const auto& info) { return std::string(info.param.first); });

// ---- opening the unit fails a few times, then works

enum class OpenStep { Open, Configuration, Claim };

class OpenFailureMatrix : public FaultFixture, public ::testing::WithParamInterface<OpenStep> {
 protected:
  bool WaitForConnectionOnStart() override { return false; }
  void ConfigureBus(SimulatedBus& bus) override {
    switch (GetParam()) {
      case OpenStep::Open: bus.FailOpen(3, "Permission denied"); break;
      case OpenStep::Configuration: bus.FailSetConfiguration(3); break;
      case OpenStep::Claim: bus.FailClaim(3); break;
    }
  }
};

TEST_P(OpenFailureMatrix, SearchingSaysWhyThenConnectsWithoutLeakingHandles) {
  ASSERT_TRUE(WaitFor([this] { return Main().lblOpenFailure->isVisible(); }))
      << "the searching display did not say why the unit cannot be used";
  EXPECT_EQ(Main().LastConnectionState(), 0);
  EXPECT_FALSE(SettingsTab().btnSaveSettings->isEnabled());
  ASSERT_TRUE(WaitUntilConnected());
  EXPECT_TRUE(WaitFor([this] { return !MainTab().edtVersion->text().isEmpty(); }));
  // Every failed attempt closed what it opened.
  EXPECT_EQ(Bus().OpenHandles(), 1);
  // Once a unit is open the hint goes away with the searching display.
  Bus().Unplug();
  ASSERT_TRUE(WaitUntilSearching());
  EXPECT_FALSE(Main().lblOpenFailure->isVisible());
  Bus().Replug();
  EXPECT_TRUE(WaitUntilConnected());
}

INSTANTIATE_TEST_SUITE_P(Steps, OpenFailureMatrix,
                         ::testing::Values(OpenStep::Open, OpenStep::Configuration, OpenStep::Claim),
                         [](const auto& info) {
                           switch (info.param) {
                             case OpenStep::Open: return "Open";
                             case OpenStep::Configuration: return "Configuration";
                             case OpenStep::Claim: return "Claim";
                           }
                           return "";
                         });

// ---- the unit is there but the bytes go wrong

class FaultMatrix : public FaultFixture {};

TEST_F(FaultMatrix, WritesThatTimeOutDeliverNothingAndEndInTime) {
  ASSERT_TRUE(WaitFor([this] { return !SettingsTab().edtAPN->text().isEmpty(); }));
  const SimSettings before = Unit().Settings();
  Bus().FailWritesWithTimeout(-1);
  {
    SCOPED_TRACE("Save");
    ShowTabOf(SettingsTab().edtAPN);
    SettingsTab().edtAPN->setText(QStringLiteral("typed.apn"));
    QElapsedTimer clock;
    clock.start();
    Click(QStringLiteral("btnSaveSettings"));
    // Ten writes of half a second each, then the quiet wait; no answer is
    // waited for when the line did not go out.
    EXPECT_LT(clock.elapsed(), 9000);
    EXPECT_EQ(Unit().ReceivedCount([](const std::string& l) { return l.rfind("AT+GPRS=", 0) == 0; }),
              0u);
    EXPECT_EQ(Unit().Settings(), before);
    EXPECT_TRUE(SettingsTab().btnSaveSettings->isEnabled());
    // Not one setting is reported saved.
    ASSERT_EQ(Prompts().Messages().size(), 1u);
    EXPECT_EQ(Prompts().Messages()[0].count(QStringLiteral("could not be sent to the unit")), 5)
        << Prompts().Messages()[0].toStdString();
  }
  {
    SCOPED_TRACE("upgrade");
    Prompts().shown.clear();
    Upgrade(3);
    EXPECT_EQ(Prompts().Messages(), std::vector<QString>{kSendError});
    EXPECT_EQ(Unit().BlockCount(), 0u);
    EXPECT_EQ(Installs(), 0u);
  }
  // Reads were never affected: the link stayed up throughout.
  EXPECT_EQ(Main().LastConnectionState(), 1);
  Bus().FailWritesWithTimeout(0);
  Click(QStringLiteral("btnRelayClose"));
  EXPECT_TRUE(WaitFor([this] { return Unit().Outputs().relay; }));
}

TEST_F(FaultMatrix, AFloodWithoutLineEndNeitherStallsNorSwallowsTheNextReply) {
  StopPolling();
  Unit().EmitRaw(std::string(100 * 1024, 'A'));
  Unit().EmitRaw("\r\n");
  Inject("+GPRS,after.flood,u,p");
  ASSERT_TRUE(SyncWithUnit(10000));
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("after.flood"));
  EXPECT_EQ(Main().LastConnectionState(), 1);
  // The flood reached the terminal in bounded pieces.
  int longest = 0;
  for (const QString& line : TerminalLines()) longest = std::max(longest, static_cast<int>(line.size()));
  EXPECT_LE(longest, 2000);
  // And the tool still talks to the unit.
  Main().SetRefreshInterval(200);
  const size_t polls = ReceivedCountOf("AT+STATS");
  EXPECT_TRUE(WaitFor([&] { return ReceivedCountOf("AT+STATS") > polls; }));
}

TEST_F(FaultMatrix, HighBytesAndNulsInsideLinesReachNoControlAndTheNextLineLands) {
  StopPolling();
  using namespace std::string_literals;
  std::string bad = "+GPRS,ap\x80n,\xffuser\x00x,p\0\xfe\r\n+STATS,"s;
  for (int b = 0x80; b <= 0xFF; ++b) bad.push_back(static_cast<char>(b));
  bad += "\0\0\0,1,2\r\n+TRACK,\0\x90,1\r\n"s;
  Unit().EmitRaw(bad);
  Inject("+GPRS,clean.apn,u2,p2");
  ASSERT_TRUE(SyncWithUnit());
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("clean.apn"));
  EXPECT_EQ(SettingsTab().edtAPN_username->text(), QStringLiteral("u2"));
  for (QLineEdit* box : Main().findChildren<QLineEdit*>()) {
    for (QChar c : box->text()) {
      EXPECT_NE(c.unicode(), 0) << box->objectName().toStdString();
      EXPECT_LT(c.unicode(), 0x80) << box->objectName().toStdString();
    }
  }
  EXPECT_EQ(Main().LastConnectionState(), 1);
}

TEST_F(FaultMatrix, ASlowUnitKeepsSaveBoundedAndItsAnswersCount) {
  ASSERT_TRUE(WaitForConnectAnswers());
  Unit().SetLatency(1000ms);
  ShowTabOf(SettingsTab().edtAPN);
  SettingsTab().edtAPN->setText(QStringLiteral("slow.apn"));
  QElapsedTimer clock;
  clock.start();
  Click(QStringLiteral("btnSaveSettings"));
  // Each of the ten lines is answered a second after the one before.
  EXPECT_GE(clock.elapsed(), 9000);
  EXPECT_LT(clock.elapsed(), 16000);
  EXPECT_EQ(Main().LastConnectionState(), 1);
  EXPECT_EQ(ReceivedCountOf("AT+GPRS?"), 2u);
  // Every answer came in time, however slowly: nothing to report.
  EXPECT_TRUE(Prompts().Messages().empty()) << Prompts().Messages()[0].toStdString();
  EXPECT_EQ(Unit().Settings().apn, "slow.apn");
}

TEST_F(FaultMatrix, ASlowUnitsLateAnswersAreNotCreditedToARefusedBlock) {
  // An answer that comes after the block's time-out belongs to that block:
  // a block the unit refuses must not pass on an earlier block's late OK.
  ASSERT_TRUE(WaitForConnectAnswers());
  Unit().SetLatency(2000ms);
  Unit().FailBlock(1, 100);
  Upgrade(3, UpgradeTimings::kBlockTimeoutMs);
  EXPECT_EQ(Prompts().Messages(), std::vector<QString>{kSendError});
  EXPECT_EQ(Installs(), 0u);
  EXPECT_EQ(Unit().InstallCount(), 0);
  // The late OK was taken as block 0's own answer: it was not sent again.
  EXPECT_EQ(Unit().TimesBlockReceived(0), 1);
}

TEST_F(FaultMatrix, AUnitThatNeverAnswersLeavesEveryActionBounded) {
  ASSERT_TRUE(WaitForConnectAnswers());
  Unit().SetNeverAnswer(true);
  QElapsedTimer clock;
  clock.start();
  Click(QStringLiteral("btnSaveSettings"));
  // The first setting's answer is waited for, the rest go out without.
  EXPECT_LT(clock.elapsed(), 5000);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_EQ(Prompts().Messages()[0].count(QStringLiteral("could not be read back")), 5)
      << Prompts().Messages()[0].toStdString();
  Prompts().shown.clear();
  ShowTabOf(Trips().sgridTrips);
  const size_t listings = ReceivedCountOf("AT+TRIPS");
  Click(QStringLiteral("btnGetTrips"));
  EXPECT_TRUE(WaitFor([&] { return ReceivedCountOf("AT+TRIPS") == listings + 1; }));
  RunPosted();
  EXPECT_EQ(Trips().sgridTrips->rowCount(), 2);
  Upgrade(2);
  EXPECT_EQ(Prompts().Messages(), std::vector<QString>{kSendError});
  EXPECT_EQ(Installs(), 0u);
  // A silent unit is still an attached one; pulling it is still noticed.
  EXPECT_EQ(Main().LastConnectionState(), 1);
  Unit().SetNeverAnswer(false);
  Bus().Unplug();
  ExpectSearchingThenRecovery();
}

}  // namespace
}  // namespace wr::test
