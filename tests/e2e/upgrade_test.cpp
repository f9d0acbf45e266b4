// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The firmware upgrade, end to end: the real dialog and link against the
// simulated unit, which checks every block and assembles the image.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <random>

#include "e2e/app_fixture.h"
#include "link/tfrm_usb.h"
#include "ui/tfrm_upgrade.h"

namespace wr::test {
namespace {

using namespace std::chrono_literals;

// Said when the firmware went out; "upgraded" only once the unit is back.
const QString kUpgraded = QStringLiteral(
    "The firmware was sent. Please wait for unit to restart: its version is checked when it is "
    "back.");
const QString kSendError = QStringLiteral("Error sending upgrade file!");
const QString kStopped = QStringLiteral("Firmware upgrade stopped!");
const QString kBattery =
    QStringLiteral("Error: Please connect battery or wait for battery to charge!");

// What the tool says once the unit is back from its restart.
QString Runs(const char* version) {
  return QStringLiteral("Unit upgraded to version %1: it has restarted and runs the version of "
                        "the upgrade file.")
      .arg(QLatin1String(version));
}
std::vector<QString> Upgraded(const char* version) { return {kUpgraded, Runs(version)}; }

// An image the simulated unit runs as the given version once installed.
std::string Image(const char* version, size_t size, uint32_t seed) {
  return SimulatedUnit::FirmwareImage(version, size, seed);
}

std::string RandomImage(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string image(size, '\0');
  for (char& c : image) c = static_cast<char>(rng() & 0xFF);
  return image;
}

bool IsBlockLine(const std::string& line) { return line.rfind("^^", 0) == 0; }
bool IsInstall(const std::string& line) { return line.rfind("AT+FWUPGRADE=", 0) == 0; }

class UpgradeTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(dir_.isValid());
    UseQuickUpgrades();
    // Let the answers to the connection's queries arrive before the test
    // looks at what the unit received.
    ASSERT_TRUE(WaitForConnectAnswers());
  }

  TfrmUpgrade& Dialog() { return App().Upgrade(); }

  // Writes an upgrade file: the header text zero-padded to 256 bytes, then the image.
  QString WriteFile(const std::string& header, const std::string& image,
                    const QString& name = QStringLiteral("unit.fw")) {
    std::string content = header;
    content.resize(256, '\0');
    content += image;
    return WriteRaw(content, name);
  }
  QString WriteRaw(const std::string& content, const QString& name) {
    const QString path = dir_.filePath(name);
    std::ofstream out(path.toStdString(), std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return path;
  }

  // Answers Yes to both questions, picks the file and presses the button;
  // returns when the dialog has closed and the outcome was shown.
  void Upgrade(const QString& path) {
    Prompts().yesNo = {true, true};
    Prompts().files = {path};
    Click(QStringLiteral("btnUpgrade"));
    ASSERT_TRUE(WaitForUpgradeEnd());
  }

  size_t CountReceived(const std::function<bool(const std::string&)>& match) {
    return Unit().ReceivedCount(match);
  }

  QTemporaryDir dir_;
};

TEST_F(UpgradeTest, CleanUpgradeDeliversTheWholeImageAndInstallsTheLastBlock) {
  const std::string image = Image("1.100", 1000, 7);
  const QString path = WriteFile("Wayrunner,1.100\r\n", image);
  int quietWhenTold = -1;
  Prompts().whileShown = [&] {
    if (Prompts().shown.back().text == kUpgraded) quietWhenTold = Session().QuietMs();
  };
  Upgrade(path);

  // "Sent" while the unit restarts, "upgraded to" once it reports the version.
  ASSERT_EQ(Prompts().Messages(), Upgraded("1.100"));
  EXPECT_EQ(Prompts().shown.back().icon, MessageKind::Information);
  EXPECT_EQ(Session().Model().FirmwareVersion(), "1.100");
  const auto& shown = Prompts().shown;
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown[0].caption, QStringLiteral("Upgrade Firmware"));
  EXPECT_EQ(shown[0].text, QStringLiteral("Do you want to upgrade the Unit?"));
  EXPECT_EQ(shown[1].kind, "file");
  EXPECT_EQ(shown[1].text, QStringLiteral("Upgrade Files (*.fw)"));
  EXPECT_EQ(shown[2].caption, QStringLiteral("Warning"));
  EXPECT_EQ(shown[2].text,
            QStringLiteral("This will upgrade the unit from version 1.003 to Wayrunner version: "
                           "1.100. Proceed?"));

  // Four blocks, each once, the last one padded with zeros.
  EXPECT_EQ(Unit().BlockCount(), 4u);
  for (uint32_t k = 0; k < 4; ++k) EXPECT_EQ(Unit().TimesBlockReceived(k), 1) << k;
  EXPECT_EQ(Unit().ReceivedImage(), image + std::string(24, '\0'));
  EXPECT_EQ(ReceivedCountOf("AT+FWUPGRADE=3"), 1u);
  EXPECT_EQ(CountReceived(IsInstall), 1u);
  EXPECT_EQ(Unit().InstallCount(), 1);
  EXPECT_EQ(Unit().InstalledImage(), image + std::string(24, '\0'));
  // Block lines and the install command are not echoed in the terminal.
  EXPECT_TRUE(TerminalLines().filter(QStringLiteral("->^^")).isEmpty());
  EXPECT_TRUE(TerminalLines().filter(QStringLiteral("->AT+FWUPGRADE")).isEmpty());

  EXPECT_TRUE(Dialog().upgradeSucceeded);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Dialog().windowTitle(), path);
  EXPECT_EQ(Dialog().pbarUpgrade->maximum(), 1000);
  EXPECT_EQ(Dialog().pbarUpgrade->value(), 1000);
  // The next status query goes out at once.
  EXPECT_EQ(quietWhenTold, 6 * Main().tmrRefresh->interval());
}

TEST_F(UpgradeTest, StatusPollingPausesDuringTheTransferAndResumesAfter) {
  // Slow answers make the transfer outlast several refresh ticks.
  Unit().SetLatency(60ms);
  const QString path = WriteFile("Wayrunner,1.1", Image("1.1", 256 * 20, 3));
  size_t statsAtStart = 0, statsAtEnd = 0;
  Prompts().whileShown = [&] {
    if (Prompts().shown.back().caption == QStringLiteral("Warning"))
      statsAtStart = ReceivedCountOf("AT+STATS");
    // Up to the install command: a unit that is back before the message is a
    // new connection, queried as such.
    if (Prompts().shown.back().text == kUpgraded) {
      const auto lines = Received();
      const auto install = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("AT+FWUPGRADE=", 0) == 0;
      });
      statsAtEnd = static_cast<size_t>(std::count(lines.begin(), install, "AT+STATS"));
    }
  };
  Upgrade(path);
  ASSERT_EQ(Prompts().Messages(), Upgraded("1.1"));
  EXPECT_EQ(Unit().BlockCount(), 20u);
  EXPECT_EQ(statsAtEnd, statsAtStart);
  EXPECT_FALSE(Session().PollingPaused());
  // The unit restarts to install; once it is back the polling goes on.
  const size_t before = ReceivedCountOf("AT+STATS");
  EXPECT_TRUE(WaitFor([&] { return ReceivedCountOf("AT+STATS") > before; }, 10000));
}

TEST_F(UpgradeTest, FailedAttemptsAreSentAgainAndTheTransferGoesOn) {
  const std::string image = Image("1.2", 256 * 4, 11);
  // Block 0's first attempt goes unanswered; block 1 is refused twice.
  Unit().DropNextBlocks(1);
  Unit().FailBlock(1, 2);
  Upgrade(WriteFile("QuonII,1.2", image));
  EXPECT_EQ(Prompts().Messages(), Upgraded("1.2"));
  EXPECT_EQ(Unit().TimesBlockReceived(0), 2);
  EXPECT_EQ(Unit().TimesBlockReceived(1), 3);
  EXPECT_EQ(Unit().TimesBlockReceived(2), 1);
  EXPECT_EQ(Unit().TimesBlockReceived(3), 1);
  EXPECT_EQ(Unit().InstalledImage(), image);
  EXPECT_EQ(ReceivedCountOf("AT+FWUPGRADE=3"), 1u);
}

TEST_F(UpgradeTest, BlockFailingThreeTimesEndsTheTransferWithoutInstalling) {
  {
    SCOPED_TRACE("ERROR three times in a row");
    Unit().FailBlock(2, 3);
    Upgrade(WriteFile("QuonII,1.2", RandomImage(256 * 5, 5)));
    EXPECT_EQ(Prompts().Messages(), std::vector<QString>{kSendError});
    EXPECT_EQ(Prompts().shown.back().icon, MessageKind::Critical);
    EXPECT_EQ(Unit().TimesBlockReceived(2), 3);
    EXPECT_EQ(Unit().TimesBlockReceived(3), 0);
    EXPECT_EQ(CountReceived(IsInstall), 0u);
    EXPECT_FALSE(Dialog().upgradeSucceeded);
  }
  // Unanswered attempts are failures from the first block on, and a second
  // upgrade starts afresh: nothing is carried over between attempts.
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run == 0 ? "never answered" : "never answered, again");
    Prompts().shown.clear();
    Unit().ClearReceived();
    Unit().DropNextBlocks(-1);
    Upgrade(WriteFile("QuonII,1.2", RandomImage(256 * 6, 9)));
    EXPECT_EQ(Prompts().Messages(), std::vector<QString>{kSendError});
    EXPECT_EQ(CountReceived([](const std::string& l) { return l.rfind("^^0000", 0) == 0; }), 3u);
    EXPECT_EQ(CountReceived([](const std::string& l) { return l.rfind("^^0001", 0) == 0; }), 0u);
    EXPECT_EQ(CountReceived(IsInstall), 0u);
  }
  {
    SCOPED_TRACE("answers again");
    Unit().DropNextBlocks(0);
    Prompts().shown.clear();
    Upgrade(WriteFile("QuonII,1.2", Image("1.2", 256 * 2, 9)));
    EXPECT_EQ(Prompts().Messages(), Upgraded("1.2"));
  }
}

TEST_F(UpgradeTest, UnplugMidTransferEndsItWithoutInstalling) {
  Unit().SetLatency(20ms);
  When([this] { return Unit().TimesBlockReceived(2) > 0; }, [this] { Bus().Unplug(); });
  Upgrade(WriteFile("QuonII,1.2", RandomImage(256 * 10, 2)));
  EXPECT_EQ(Prompts().Messages(), std::vector<QString>{kSendError});
  EXPECT_EQ(Unit().TimesBlockReceived(3), 0);
  EXPECT_EQ(CountReceived(IsInstall), 0u);
  EXPECT_TRUE(WaitUntilSearching());
}

TEST_F(UpgradeTest, CancelDuringABlockSendsNothingMore) {
  {
    SCOPED_TRACE("Cancel button");
    // Block 2 stays unanswered long enough for Cancel to land in its wait.
    Unit().SetLatency(20ms);
    UpgradeTimings slow = Dialog().Timings();
    slow.blockTimeoutMs = 3000;
    Dialog().SetTimings(slow);
    When([this] { return Unit().TimesBlockReceived(2) > 0; },
         [this] {
           Unit().SetLatency(5000ms);
           QTest::mouseClick(Dialog().btnCancel, Qt::LeftButton);
         });
    QElapsedTimer elapsed;
    elapsed.start();
    Upgrade(WriteFile("QuonII,1.2", RandomImage(256 * 10, 2)));
    EXPECT_LT(elapsed.elapsed(), 2500) << "Cancel waited for the block's time-out";
    EXPECT_EQ(Prompts().Messages(), std::vector<QString>{kStopped});
    EXPECT_EQ(Unit().TimesBlockReceived(2), 1);
    EXPECT_EQ(Unit().TimesBlockReceived(3), 0);
    EXPECT_EQ(CountReceived(IsInstall), 0u);
    EXPECT_FALSE(Dialog().upgradeSucceeded);
  }
  {
    SCOPED_TRACE("Escape key");
    // The unit's late answer to the cancelled block is still on its way: a
    // line the unit sends after it is seen once it has been dispatched.
    ASSERT_TRUE(SyncWithUnit());
    Unit().SetLatency(20ms);
    Prompts().shown.clear();
    Unit().ClearReceived();
    When(
        [this] {
          return CountReceived([](const std::string& l) { return l.rfind("^^0001", 0) == 0; }) > 0;
        },
        [this] { QTest::keyClick(&Dialog(), Qt::Key_Escape); });
    Upgrade(WriteFile("QuonII,1.2", RandomImage(256 * 10, 2), QStringLiteral("esc.fw")));
    EXPECT_EQ(Prompts().Messages(), std::vector<QString>{kStopped});
    EXPECT_EQ(CountReceived([](const std::string& l) { return l.rfind("^^0003", 0) == 0; }), 0u);
    EXPECT_EQ(CountReceived(IsInstall), 0u);
  }
}

TEST_F(UpgradeTest, InstallOutcomes) {
  {
    SCOPED_TRACE("refused");
    Unit().SetInstallSupported(false);
    Upgrade(WriteFile("QuonII,1.2", RandomImage(300, 1)));
    EXPECT_EQ(Prompts().Messages(),
              std::vector<QString>{QStringLiteral("Firmware upgrade not supported!")});
    EXPECT_EQ(ReceivedCountOf("AT+FWUPGRADE=1"), 1u);
    EXPECT_FALSE(Dialog().upgradeSucceeded);
    Unit().SetInstallSupported(true);
  }
  {
    SCOPED_TRACE("unanswered");
    Prompts().shown.clear();
    // Once the last block is in, the unit's answers come too late.
    When([this] { return Unit().TimesBlockReceived(1) == 2; },
         [this] { Unit().SetLatency(1000ms); });
    Upgrade(WriteFile("QuonII,1.2", Image("1.2", 300, 1), QStringLiteral("b.fw")));
    EXPECT_EQ(Prompts().Messages(), Upgraded("1.2"));
    EXPECT_EQ(ReceivedCountOf("AT+FWUPGRADE=1"), 2u);
  }
  {
    SCOPED_TRACE("unit gone before the install command");
    // The case above installed late and the unit restarted; wait until it
    // is back and has answered the queries of the new connection.
    Unit().SetLatency(0ms);
    ASSERT_TRUE(WaitFor([this] { return Unit().RestartCount() == 1; }, 8000));
    ASSERT_TRUE(WaitFor([this] { return Unit().Attached() && Session().IsConnected(); }));
    ASSERT_TRUE(WaitUntilConnected());
    // The slow unit's answers to the new connection's queries, and to the
    // polls that went out meanwhile, are all in.
    Main().SetRefreshInterval(60 * 60 * 1000);
    ASSERT_TRUE(SyncWithUnit(30000));
    Prompts().shown.clear();
    Unit().ClearReceived();
    // Pulled once the last block's OK is in, while the tool settles.
    const int sentBefore = Unit().TimesBlockReceived(1);
    // The block's OK is in once nothing more is owed.
    When([this, sentBefore] {
      return Unit().TimesBlockReceived(1) == sentBefore + 1 && Session().Outstanding() == 0;
    },
         [this] { Bus().Unplug(); });
    Upgrade(WriteFile("QuonII,1.2", RandomImage(300, 1), QStringLiteral("c.fw")));
    ASSERT_EQ(Prompts().Messages().size(), 1u);
    EXPECT_TRUE(
        Prompts().Messages()[0].startsWith(QStringLiteral("Error sending upgrade command!")))
        << Prompts().Messages()[0].toStdString();
    EXPECT_EQ(CountReceived(IsInstall), 0u);
    EXPECT_FALSE(Dialog().upgradeSucceeded);
  }
}

TEST_F(UpgradeTest, ChargeBatteryAnswerShowsTheBatteryMessageAndCountsAsError) {
  // Armed at the last question, so the first block gets it.
  Prompts().whileShown = [&] {
    if (Prompts().shown.back().caption == QStringLiteral("Warning"))
      Unit().ChargeBatteryErrorNext(1);
  };
  const std::string image = Image("1.2", 512, 8);
  Upgrade(WriteFile("QuonII,1.2", image));
  EXPECT_EQ(Prompts().Messages(), (std::vector<QString>{kBattery, kUpgraded, Runs("1.2")}));
  // The refused attempt never reached the unit's block handling.
  EXPECT_EQ(CountReceived([](const std::string& l) { return l.rfind("^^0000", 0) == 0; }), 2u);
  EXPECT_EQ(Unit().InstalledImage(), image);
}

// The question names both versions and warns of a downgrade; after the
// restart the tool says what the unit runs, and never calls an image that did
// not take an upgrade.
TEST_F(UpgradeTest, TheQuestionNamesBothVersionsAndTheRestartedUnitIsAskedWhatItRuns) {
  {
    SCOPED_TRACE("an older file");
    Upgrade(WriteFile("Wayrunner,1.001", Image("1.001", 300, 4)));
    ASSERT_GE(Prompts().shown.size(), 3u);
    EXPECT_EQ(Prompts().shown[2].text,
              QStringLiteral("This will take the unit from version 1.003 back to Wayrunner "
                             "version: 1.001, an older version (a downgrade). Proceed?"));
    EXPECT_EQ(Prompts().Messages(), Upgraded("1.001"));
  }
  {
    SCOPED_TRACE("the unit comes back with its old version");
    Prompts().shown.clear();
    // An image the unit does not take as version 1.200: it restarts as 1.001.
    Upgrade(WriteFile("Wayrunner,1.200", RandomImage(300, 5)));
    EXPECT_EQ(Prompts().shown[2].text,
              QStringLiteral("This will upgrade the unit from version 1.001 to Wayrunner version: "
                             "1.200. Proceed?"));
    EXPECT_EQ(Prompts().Messages(),
              (std::vector<QString>{kUpgraded,
                                    QStringLiteral("The unit has restarted with firmware version "
                                                   "1.001, not version 1.200 of the upgrade file: "
                                                   "the upgrade did not take effect.")}));
    EXPECT_EQ(Prompts().shown.back().icon, MessageKind::Warning);
    EXPECT_EQ(Unit().InstallCount(), 2);
  }
  {
    SCOPED_TRACE("the same version again");
    Prompts().shown.clear();
    Prompts().yesNo = {true, false};
    Prompts().files = {WriteFile("Wayrunner,1.001", Image("1.001", 300, 6), QStringLiteral("same.fw"))};
    Click(QStringLiteral("btnUpgrade"));
    EXPECT_EQ(Prompts().shown[2].text,
              QStringLiteral("The unit already runs version 1.001. This will install Wayrunner "
                             "version: 1.001 again. Proceed?"));
    EXPECT_EQ(Unit().InstallCount(), 2);
  }
}

TEST_F(UpgradeTest, RefusedFilesSendNothing) {
  struct Case {
    const char* what;
    std::string content;
    QString message;
    bool captionShowsPath;
  };
  std::string header = "Wayrunner,2.000";
  header.resize(256, '\0');
  std::string noTerminator(256, 'x');
  // The first line is always the same; the second says why.
  const QString invalid = QStringLiteral("Invalid upgrade file!\n");
  const QString takes = QStringLiteral("; a unit takes \"QuonII\" or \"Wayrunner\".");
  const std::vector<Case> cases = {
      {"shorter than the header", std::string(100, 'A'),
       invalid + QStringLiteral("The file is shorter than its 256-byte header."), true},
      {"other major version", header + RandomImage(512, 1),
       invalid + QStringLiteral("The file holds version 2.000 and the unit runs version 1.003: "
                                "their first characters differ, so the unit cannot take it."),
       true},
      {"header only", "Wayrunner,1.2" + std::string(243, '\0'),
       invalid + QStringLiteral("The file holds no firmware image after its header."), true},
      {"product word in other case", "QUONII,1.2" + std::string(246, '\0') + "abc",
       invalid + QStringLiteral("The file names the product \"QUONII\"") + takes, true},
      {"no terminator in the header", noTerminator + "abc",
       invalid + QStringLiteral("The file names the product \"%1...\"").arg(QString(32, 'x')) + takes,
       true},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Prompts().shown.clear();
    const QString path = WriteRaw(c.content, QStringLiteral("f%1.fw").arg(n++));
    Upgrade(path);
    EXPECT_EQ(Prompts().Messages(), std::vector<QString>{c.message});
    EXPECT_EQ(Prompts().shown.back().icon, MessageKind::Warning);
    EXPECT_EQ(Dialog().windowTitle(), path);
  }
  {
    SCOPED_TRACE("missing file");
    Prompts().shown.clear();
    Upgrade(dir_.filePath(QStringLiteral("absent.fw")));
    EXPECT_EQ(Prompts().Messages(), std::vector<QString>{QStringLiteral("File doesn't exist!")});
  }
  {
    SCOPED_TRACE("No to the version question");
    Prompts().shown.clear();
    Prompts().yesNo = {true, false};
    Prompts().files = {WriteFile("QuonII,1.2", RandomImage(512, 1))};
    Click(QStringLiteral("btnUpgrade"));
    EXPECT_TRUE(Prompts().Messages().empty());
  }
  {
    SCOPED_TRACE("file dialog cancelled");
    Prompts().shown.clear();
    Prompts().yesNo = {true};
    Click(QStringLiteral("btnUpgrade"));
    EXPECT_TRUE(Prompts().Messages().empty());
    EXPECT_EQ(Prompts().shown.size(), 2u);
  }
  {
    SCOPED_TRACE("No to the first question");
    Prompts().shown.clear();
    Prompts().yesNo = {false};
    Click(QStringLiteral("btnUpgrade"));
    EXPECT_EQ(Prompts().shown.size(), 1u);
    EXPECT_FALSE(Dialog().isVisible());
  }
  {
    SCOPED_TRACE("unit version not known yet");
    Prompts().shown.clear();
    const std::string version = Session().Model().FirmwareVersion();
    Inject("+INFO:Version:");
    ASSERT_TRUE(SyncWithUnit());
    ASSERT_TRUE(Session().Model().FirmwareVersion().empty());
    Upgrade(WriteFile("QuonII,1.2", RandomImage(512, 1)));
    EXPECT_EQ(Prompts().Messages(),
              std::vector<QString>{QString::fromLatin1(upgrade_msg::kUnitVersionUnknown.data())});
    Inject("+INFO:Version:" + version);
    ASSERT_TRUE(SyncWithUnit());
  }
  EXPECT_EQ(CountReceived(IsBlockLine), 0u);
  EXPECT_EQ(CountReceived(IsInstall), 0u);
  EXPECT_FALSE(Dialog().upgradeSucceeded);
}

}  // namespace
}  // namespace wr::test
