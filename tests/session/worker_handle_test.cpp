// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Choosing another unit, unplugging and shutting down, over and over, while
// the worker reads: every call on a device handle comes from the worker and
// is made on a handle that is open.
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/guarded_usb_api.h"
#include "link/tfrm_usb.h"
#include "session/unit_session.h"
#include "sim/simulated_bus.h"

namespace wr {
namespace {

#if defined(__SANITIZE_THREAD__)
constexpr int kScale = 5;  // the race detector slows every step down
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
constexpr int kScale = 5;
#else
constexpr int kScale = 1;
#endif
#else
constexpr int kScale = 1;
#endif

UnitSession::Options QuickOptions() {
  UnitSession::Options options;
  options.timings.searchSleepMs = 1;
  options.timings.readTimeoutMs = 20;
  options.timings.presenceAfterMs = 20;
  options.timings.firstLookAtOnce = true;
  options.timings.readSliceMs = 1;
  options.queryOnConnect = false;
  return options;
}

// Runs the event loop until cond holds, woken by every drain step.
bool WaitFor(UnitSession& session, const std::function<bool()>& cond, int timeoutMs = 5000) {
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  bool late = false;
  QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
    late = true;
    loop.quit();
  });
  QObject::connect(&session, &UnitSession::drained, &loop, &QEventLoop::quit);
  limit.start(timeoutMs);
  while (!cond()) {
    if (late) return false;
    loop.exec();
  }
  return true;
}

class WorkerHandle : public ::testing::Test {
 protected:
  void SetUp() override {
    bus.AddUnit();
    for (const UsbUnitListing& unit : UnitSession::ListUnits(bus)) units.push_back(unit.location);
    ASSERT_EQ(units.size(), 2u);
  }
  void TearDown() override {
    EXPECT_EQ(bus.OpenHandles(), 0);
    for (const std::string& v : api.Violations()) ADD_FAILURE() << v;
  }
  bool At(UnitSession& s, UsbLocation where) {
    return s.ConnectionState() == 1 && s.Location() == where;
  }

  SimulatedBus bus;
  test::GuardedUsbApi api{bus};
  std::vector<UsbLocation> units;
};

TEST_F(WorkerHandle, ChoosingTheOtherUnitWhileReadsAndWritesAreUnderWay) {
  UnitSession session(api, QuickOptions());
  session.SetSelector(units[0]);
  session.Start();
  ASSERT_TRUE(WaitFor(session, [&] { return At(session, units[0]); }));
  constexpr int kSwitches = 1000 / kScale;
  for (int i = 1; i <= kSwitches; ++i) {
    const UsbLocation next = units[i % 2];
    const UsbLocation left = units[(i + 1) % 2];
    session.SendCommand("AT+STATS");
    session.SetSelector(next);
    // The worker may have opened the chosen unit already; never does the
    // unit left still read as open, and the session takes it as a new
    // connection either way.
    EXPECT_NE(session.Location(), left) << "switch " << i;
    EXPECT_EQ(session.ConnectionState(), 0) << "switch " << i;
    ASSERT_TRUE(WaitFor(session, [&] { return At(session, next); })) << "switch " << i;
    session.SendCommand("AT+STATS");
  }
  EXPECT_EQ(session.Connections(), 1 + kSwitches);
  session.Shutdown();
  EXPECT_GT(api.Opened(), kSwitches);
}

TEST_F(WorkerHandle, UnpluggingAndPluggingBackWhileTheUnitAnswers) {
  UnitSession session(api, QuickOptions());
  session.Start();
  for (int i = 0; i < 500 / kScale; ++i) {
    ASSERT_TRUE(WaitFor(session, [&] { return session.ConnectionState() == 1; })) << i;
    session.SendCommand("AT+STATS");
    const int unit = session.Location() == units[0] ? 0 : 1;
    bus.Unplug(unit);
    ASSERT_TRUE(WaitFor(session, [&] { return !session.Location() || session.Location() != units[unit]; }))
        << i;
    bus.Replug(unit);
  }
}

TEST_F(WorkerHandle, ShuttingDownAtAnyMoment) {
  for (int i = 0; i < 500 / kScale; ++i) {
    auto session = std::make_unique<UnitSession>(api, QuickOptions());
    session->Start();
    // Every few rounds the session goes while it is still opening.
    if (i % 4) WaitFor(*session, [&] { return session->ConnectionState() == 1; });
    session->SendCommand("AT+STATS");
    session.reset();
  }
}

}  // namespace
}  // namespace wr
