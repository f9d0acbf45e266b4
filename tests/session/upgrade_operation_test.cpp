// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The upgrade operation against the simulated unit on a real Qt event loop:
// the lines the unit receives, a cancel in every phase, the unit pulled
// during the transfer, and what the unit comes back with after the restart.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "link/link_test_support.h"
#include "session/unit_session.h"
#include "session/upgrade_operation.h"
#include "sim/simulated_bus.h"

namespace wr {
namespace {

using std::chrono::milliseconds;
using End = UpgradeOperation::End;
using Phase = UpgradeOperation::Phase;

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 8000) {
  return test::WaitUntil(done, timeoutMs);
}

bool IsBlock(const std::string& line) { return line.rfind("^^", 0) == 0; }
bool IsInstall(const std::string& line) { return line.rfind("AT+FWUPGRADE=", 0) == 0; }

class UpgradeOperationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnitSession::Options options;
    options.timings = {50, 250, 250, true};
    session = std::make_unique<UnitSession>(bus, options);
    session->Start();
    bus.Unit().SetRestartDowntime(milliseconds(100));
    ASSERT_TRUE(WaitUntil([&] {
      return session->ConnectionState() == 1 &&
             session->Model().Settings().Read(SettingGroup::Ignition) &&
             session->Outstanding() == 0;
    }));
    timings.blockTimeoutMs = 200;
    timings.settleMs = 20;
    timings.installWaitMs = 400;
    bus.Unit().ClearReceived();
  }
  void TearDown() override { session->Shutdown(); }

  // An upgrade file of `blocks` blocks; a version-marked image the unit
  // restarts with, or one it cannot take (it keeps its own version).
  static UpgradeFileResult File(size_t blocks, bool takes = true) {
    std::string content = "Wayrunner,1.100";
    content.resize(kUpgradeHeaderSize, '\0');
    content += takes ? SimulatedUnit::FirmwareImage("1.100", 256 * blocks, 3)
                     : std::string(256 * blocks, '\x5A');
    return ReadUpgradeContent(content, "1.003");
  }

  std::unique_ptr<UpgradeOperation> Make(UpgradeFileResult file, int limitMs = 5000) {
    RestartWatch watch;
    watch.limitMs = limitMs;
    return std::make_unique<UpgradeOperation>(*session, std::move(file), timings, watch);
  }

  // Runs it to its end and says how it ended.
  static End Run(UpgradeOperation& operation, int timeoutMs = 15000) {
    QSignalSpy finished(&operation, &UpgradeOperation::finished);
    operation.Start();
    if (finished.isEmpty()) finished.wait(timeoutMs);
    EXPECT_EQ(finished.size(), 1);
    return operation.Ending();
  }

  // A new connection, queried and answered.
  bool BackFromRestart(int connectionsBefore) {
    return WaitUntil([&] {
      return session->Connections() > connectionsBefore && session->ConnectionState() == 1 &&
             session->Model().FirmwareVersionRead() && session->Outstanding() == 0;
    });
  }

  size_t Received(bool (*match)(const std::string&)) {
    return bus.Unit().ReceivedCount([match](const std::string& l) { return match(l); });
  }

  SimulatedBus bus;
  std::unique_ptr<UnitSession> session;
  UpgradeTimings timings;
};

TEST_F(UpgradeOperationTest, TheUnitGetsTheBlocksThenTheInstallCommandAndComesBackUpgraded) {
  auto operation = Make(File(4));
  std::vector<int> progress;
  QObject::connect(operation.get(), &UpgradeOperation::progress,
                   [&](int done, int total) { if (total) progress.push_back(done); });
  EXPECT_EQ(Run(*operation), End::Upgraded);
  EXPECT_TRUE(operation->Result().done);
  EXPECT_EQ(operation->ReportedVersion(), "1.100");
  EXPECT_EQ(progress, (std::vector<int>{256, 512, 768, 1024}));
  // Up to the install command, nothing but the blocks in order: polling
  // and the session's own lines wait.
  std::vector<std::string> lines = bus.Unit().ReceivedLines();
  ASSERT_GE(lines.size(), 5u);
  for (size_t k = 0; k < 4; ++k) EXPECT_EQ(lines[k].substr(0, 6), "^^000" + std::to_string(k));
  EXPECT_EQ(lines[4], "AT+FWUPGRADE=3");
  EXPECT_FALSE(session->PollingPaused());
  EXPECT_EQ(bus.Unit().InstallCount(), 1);
}

TEST_F(UpgradeOperationTest, HowItEnds) {
  struct Case {
    const char* what;
    std::function<void(SimulatedUnit&)> arrange;
    bool takes;
    int limitMs;
    End end;
    size_t installs;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"the image does not take", [](SimulatedUnit&) {}, false, 5000, End::OtherVersion, 1,
       "The unit has restarted with firmware version 1.003, not version 1.100 of the upgrade "
       "file: the upgrade did not take effect."},
      {"install refused", [](SimulatedUnit& u) { u.SetInstallSupported(false); }, true, 5000,
       End::InstallRefused, 1, "Firmware upgrade not supported!"},
      {"a block refused every time", [](SimulatedUnit& u) { u.FailBlock(1, 3); }, true, 5000,
       End::SendFailed, 0, "Error sending upgrade file!"},
      {"not back in time", [](SimulatedUnit& u) { u.SetRestartDowntime(milliseconds(60000)); },
       true, 1000, End::NotBack, 1,
       "The unit has not come back within 1 seconds of the upgrade, so it is not known to run "
       "version 1.100. Check that it is plugged in and starts."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bus.Unit().ClearReceived();
    c.arrange(bus.Unit());
    const int connections = session->Connections();
    auto operation = Make(File(3, c.takes), c.limitMs);
    EXPECT_EQ(Run(*operation), c.end);
    EXPECT_EQ(operation->Result().message.toStdString(), c.message);
    EXPECT_EQ(Received(IsInstall), c.installs);
    bus.Unit().SetInstallSupported(true);
    bus.Unit().FailBlock(1, 0);
    // The last case's unit stays away.
    if (c.end == End::OtherVersion) {
      ASSERT_TRUE(BackFromRestart(connections));
    }
    ASSERT_TRUE(WaitUntil([&] { return session->Outstanding() == 0; }));
  }
}

TEST_F(UpgradeOperationTest, CancelInEachPhase) {
  struct Case {
    Phase at;
    End end;
    size_t installs;
  };
  const std::vector<Case> cases = {
      {Phase::Settling, End::Cancelled, 0},
      {Phase::Blocks, End::Cancelled, 0},
      {Phase::SettlingInstall, End::Cancelled, 0},
      {Phase::Installing, End::Interrupted, 1},
      {Phase::Restarting, End::Interrupted, 1},
  };
  // Away long enough for a cancel while it restarts.
  bus.Unit().SetRestartDowntime(milliseconds(1000));
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.at));
    bus.Unit().ClearReceived();
    auto operation = Make(File(3));
    UpgradeOperation* op = operation.get();
    const int connections = session->Connections();
    // From the event loop, as a button or an interrupt does.
    QObject::connect(op, &UpgradeOperation::phaseChanged, op, [op, c](Phase phase) {
      if (phase == c.at) QMetaObject::invokeMethod(op, [op] { op->Cancel(); }, Qt::QueuedConnection);
    });
    EXPECT_EQ(Run(*operation), c.end);
    EXPECT_EQ(operation->Result().interrupted, c.end == End::Interrupted);
    EXPECT_FALSE(session->PollingPaused());
    // Nothing more goes out once it has ended; a unit told to install
    // restarts, and is back before the next case.
    const size_t blocks = Received(IsBlock);
    EXPECT_LE(blocks, c.at == Phase::Blocks ? 1u : 3u);
    EXPECT_TRUE(WaitUntil([&] { return Received(IsInstall) == c.installs; }));
    if (c.installs) {
      EXPECT_TRUE(BackFromRestart(connections));
    }
    EXPECT_EQ(Received(IsBlock), blocks);
    EXPECT_EQ(Received(IsInstall), c.installs);
  }
}

TEST_F(UpgradeOperationTest, AUnitPulledDuringTheTransferGetsNothingMore) {
  bus.Unit().SetLatency(milliseconds(20));
  auto operation = Make(File(10));
  QObject::connect(session.get(), &UnitSession::drained, [this] {
    if (bus.Plugged() && bus.Unit().TimesBlockReceived(2) > 0) bus.Unplug();
  });
  EXPECT_EQ(Run(*operation), End::SendFailed);
  EXPECT_EQ(bus.Unit().TimesBlockReceived(3), 0);
  EXPECT_EQ(Received(IsInstall), 0u);
  EXPECT_FALSE(session->PollingPaused());
}

}  // namespace
}  // namespace wr
