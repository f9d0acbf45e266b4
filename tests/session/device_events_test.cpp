// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A session on the simulated bus with device events: the bus's own word of
// units added and removed reaches the worker, which never searches on its
// period (the period here is ten minutes).
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "link/link_test_support.h"
#include "session/unit_session.h"
#include "sim/simulated_bus.h"

namespace wr {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

using test::WaitUntil;

int64_t MsSince(Clock::time_point t) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - t).count();
}

class SessionDeviceEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    bus.Unplug();
    UnitSession::Options options;
    // No search pass and no presence check would ever come due.
    options.timings = {600000, 600000, 600000, true, 20};
    options.deviceEvents = true;
    session = std::make_unique<UnitSession>(bus, options);
    ASSERT_TRUE(session->UsesDeviceEvents());
    EXPECT_TRUE(session->DeviceEventsProblem().empty());
    session->Start();
    // The first look has found nothing.
    ASSERT_TRUE(WaitUntil([&] { return session->ConnectionState() == 0; }));
  }
  void TearDown() override { session->Shutdown(); }

  SimulatedBus bus;
  std::unique_ptr<UnitSession> session;
};

TEST_F(SessionDeviceEvents, AddedIsOpenedAndRemovedIsNoticedAtOnce) {
  // The owner hears of each change with the drain step that follows it.
  QSignalSpy changed(session.get(), &UnitSession::devicesChanged);
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    const int before = changed.count();
    bus.Replug();
    auto since = Clock::now();
    ASSERT_TRUE(WaitUntil([&] { return session->ConnectionState() == 1; }));
    EXPECT_LT(MsSince(since), 1000);
    EXPECT_TRUE(WaitUntil([&] { return changed.count() > before; }));
    ASSERT_TRUE(WaitUntil([&] { return !session->Model().DeviceId().empty(); }));

    const int connected = changed.count();
    bus.Unplug();
    since = Clock::now();
    ASSERT_TRUE(WaitUntil([&] { return session->ConnectionState() == 0; }));
    EXPECT_LT(MsSince(since), 1000);
    EXPECT_TRUE(WaitUntil([&] { return changed.count() > connected; }));
  }
}

TEST_F(SessionDeviceEvents, AUnitBackFromARestartIsOpenedAgain) {
  bus.Replug();
  ASSERT_TRUE(WaitUntil([&] { return session->ConnectionState() == 1; }));
  bus.Unit().SetRestartDowntime(milliseconds(50));
  bus.Unit().Restart();
  ASSERT_TRUE(WaitUntil([&] { return session->Connections() == 2; }));
  EXPECT_EQ(session->ConnectionState(), 1);
}

}  // namespace
}  // namespace wr
