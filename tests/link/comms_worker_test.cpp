// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The worker and its drain step against the simulated unit on a real Qt
// event loop: connecting, the lines in order, unplugging, shutdown.
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "linequeue/line_queue.h"
#include "link/device_events.h"
#include "link/link_test_support.h"
#include "link/tfrm_usb.h"
#include "link/usb_comms.h"
#include "sim/simulated_bus.h"

namespace wr {
namespace {

using std::chrono::milliseconds;
using test::WaitUntil;

class CommsWorker : public ::testing::Test {
 protected:
  // Short waits keep the tests quick; the shutdown tests use the real read time-out.
  virtual USBcomms::Timings Timings() { return {50, 250, 250, false}; }

  void SetUp() override {
    comms.SetClient(&client);
    comms.AttachUsb(&usb);
    comms.SetTimings(Timings());
    comms.start();
  }
  void TearDown() override { comms.Shutdown(); }
  bool Connected() { return WaitUntil([&] { return client.LastState() == 1; }, 8000); }
  bool Received(const std::string& line) {
    return bus.WaitForReceived([&](const std::string& l) { return l == line; },
                               milliseconds(3000));
  }
  // Checks cond until it holds or 5 s pass, without running events.
  static bool WaitWithoutEvents(const std::function<bool()>& cond) {
    QElapsedTimer t;
    t.start();
    while (!cond()) {
      if (t.elapsed() > 5000) return false;
      QThread::yieldCurrentThread();
    }
    return true;
  }
  bool Drained(const std::string& prefix) {
    return WaitUntil([&] {
      return std::any_of(client.lines.begin(), client.lines.end(),
                         [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    });
  }

  // Takes note of the bus calls made before the link was first reported connected.
  struct Client : test::RecordingClient {
    explicit Client(SimulatedBus& b) : bus(b) {}
    void SetConnectionState(int connected) override {
      if (connected && callsBeforeConnected.empty()) callsBeforeConnected = bus.CallNames();
      RecordingClient::SetConnectionState(connected);
    }
    SimulatedBus& bus;
    std::vector<std::string> callsBeforeConnected;
  };

  SimulatedBus bus;
  std::unique_ptr<LineQueue> queue = std::make_unique<LineQueue>();
  TfrmUSB usb{bus, *queue};
  Client client{bus};
  USBcomms comms{*queue};
};

TEST_F(CommsWorker, ReportsTheConnectionBeforeTheFirstReadAndHandsOverLinesInOrder) {
  ASSERT_TRUE(Connected());
  EXPECT_EQ(client.states.front(), 0);  // the first drain step reports "not connected"
  // A unit just opened is reported by the very next drain step: no read lies
  // between the open and the report.
  const auto& calls = client.callsBeforeConnected;
  const auto claim = std::find(calls.begin(), calls.end(), "claim_interface");
  ASSERT_NE(claim, calls.end());
  EXPECT_EQ(std::find(claim, calls.end(), "bulk_read"), calls.end());
  ASSERT_TRUE(usb.SendLine("ATI"));
  ASSERT_TRUE(Received("ATI"));
  ASSERT_TRUE(Drained("OK"));
  ASSERT_GE(client.lines.size(), 3u);
  EXPECT_EQ(client.lines[0], "+INFO:Version:1.003");
  EXPECT_EQ(client.lines[1].rfind("+INFO:ID:", 0), 0u);
  EXPECT_EQ(client.lines[2], "OK");
  // Every pass reports the state, and each drain step ends with DrainFinished.
  EXPECT_EQ(client.states.back(), 1);
  EXPECT_GE(client.drains, static_cast<int>(client.states.size()) - 1);
}

TEST_F(CommsWorker, UnplugReturnsToSearchingAndReplugReconnects) {
  ASSERT_TRUE(Connected());
  bus.Unplug();
  ASSERT_TRUE(WaitUntil([&] { return client.LastState() == 0; }, 8000));
  EXPECT_EQ(usb.IsConnected(), 0);
  bus.Replug();
  ASSERT_TRUE(Connected());
  ASSERT_TRUE(usb.SendLine("ATI"));
  EXPECT_TRUE(Received("ATI"));
}

TEST_F(CommsWorker, GarbageFromTheUnitNeverComesOutAsOneLine) {
  ASSERT_TRUE(Connected());
  std::string flood(35000, 'x');  // more than the queue holds, no line end
  bus.InjectRaw(flood);
  bus.InjectRaw(std::string("\x80\xff\x01+IP,1\0+IO,2\r\n", 16));
  ASSERT_TRUE(Drained("+IO,2"));
  for (const auto& line : client.lines) {
    EXPECT_LE(line.size(), 1998u);
    for (unsigned char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x80);
  }
}

class CommsWorkerRealTimings : public CommsWorker {
 protected:
  USBcomms::Timings Timings() override { return {}; }
};

TEST_F(CommsWorkerRealTimings, ShutdownEndsPromptlyWhileTheWorkerSitsInARead) {
  ASSERT_TRUE(Connected());
  // The silent unit leaves the worker in its 2 s read: a read is recorded
  // under the lock it keeps until it waits.
  bus.ClearCalls();
  ASSERT_TRUE(WaitWithoutEvents([&] {
    const auto names = bus.CallNames();
    return std::find(names.begin(), names.end(), "bulk_read") != names.end();
  }));
  QElapsedTimer t;
  t.start();
  comms.Shutdown();
  EXPECT_TRUE(comms.isFinished());
  EXPECT_LT(t.elapsed(), 2500);
  EXPECT_EQ(usb.IsConnected(), 0);  // the worker closed the link on its way out
}

TEST_F(CommsWorker, ShutdownEndsPromptlyWhileTheWorkerWaitsForTheDrainStep) {
  ASSERT_TRUE(Connected());
  ASSERT_TRUE(usb.SendLine("AT+STATS"));
  // This thread runs no events, so once the worker has read the answer it
  // posts its drain step and blocks waiting for it. (The line queue is the
  // worker's and the drain step's alone: the test does not look into it.)
  ASSERT_TRUE(Received("AT+STATS"));
  QElapsedTimer t;
  t.start();
  const size_t before = client.lines.size();
  comms.Shutdown();
  EXPECT_TRUE(comms.isFinished());
  EXPECT_LT(t.elapsed(), 2500);
  EXPECT_EQ(client.lines.size(), before);  // nothing handed over once stopping
}

TEST_F(CommsWorkerRealTimings, SearchesAboutOnceASecondWithNoUnit) {
  bus.Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !client.states.empty(); }));
  bus.ClearCalls();
  WaitUntil([] { return false; }, 2600);
  const auto names = bus.CallNames();
  const auto opens = std::count(names.begin(), names.end(), "get_busses");
  // Two identifier pairs per pass, a pass about every second.
  EXPECT_GE(opens, 2);
  EXPECT_LE(opens, 8);
  EXPECT_EQ(client.LastState(), 0);
}

// While the unit keeps sending, the bus is not walked on every pass.
TEST_F(CommsWorker, PresenceIsCheckedNowAndThenWhileTheUnitSends) {
  ASSERT_TRUE(Connected());
  bus.ClearCalls();
  for (int i = 0; i < 40; ++i) {
    ASSERT_TRUE(usb.SendLine("AT+STATS"));
    ASSERT_TRUE(WaitUntil([&, i] {
      return std::count(client.lines.begin(), client.lines.end(), "OK") >= i + 1;
    }));
  }
  const auto names = bus.CallNames();
  const auto reads = std::count(names.begin(), names.end(), "bulk_read");
  const auto walks = std::count(names.begin(), names.end(), "get_busses");
  EXPECT_GE(reads, 40);
  EXPECT_LT(walks, reads / 4);
}

// Device events handed over by the test through a pipe, as the udev monitor
// hands over the kernel's.
class PipeEvents : public DeviceEventSource {
 public:
  PipeEvents() {
    if (::pipe(fds_) == 0) ::fcntl(fds_[0], F_SETFL, ::fcntl(fds_[0], F_GETFL) | O_NONBLOCK);
  }
  ~PipeEvents() override {
    ::close(fds_[0]);
    ::close(fds_[1]);
  }
  int Fd() const override { return fds_[0]; }
  void Send(DeviceEvent event) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      waiting_.push_back(event);
    }
    ASSERT_EQ(::write(fds_[1], "e", 1), 1);
  }
  std::vector<DeviceEvent> Take() override {
    char bytes[16];
    while (::read(fds_[0], bytes, sizeof bytes) > 0) {
    }
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(waiting_, {});
  }

 private:
  int fds_[2] = {-1, -1};
  std::mutex mutex_;
  std::vector<DeviceEvent> waiting_;
};

// With device events, the bus is searched only when a unit is added, and the
// open unit is closed when its removal is reported; no timing here would let
// a search pass or a presence check do either.
TEST(CommsWorkerEvents, SearchesWhenAUnitIsAddedAndClosesWhenItIsRemoved) {
  SimulatedBus bus;
  bus.Unplug();
  LineQueue queue;
  TfrmUSB usb(bus, queue);
  test::RecordingClient client;
  auto events = std::make_unique<PipeEvents>();
  PipeEvents* feed = events.get();
  USBcomms comms(queue);
  comms.SetTimings({600000, 600000, 600000, false});
  comms.AttachUsb(&usb);
  comms.SetClient(&client);
  comms.SetDeviceEvents(std::move(events));
  comms.start();
  // The drain step before the first look and the one after it.
  ASSERT_TRUE(WaitUntil([&] { return client.drains >= 2; }));
  EXPECT_EQ(client.LastState(), 0);
  bus.ClearCalls();

  bus.Replug();
  feed->Send({DeviceEvent::Kind::Added, {}});
  ASSERT_TRUE(WaitUntil([&] { return client.LastState() == 1; }));
  const std::vector<std::string> calls = bus.CallNames();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "find_devices"), 1);

  // Still on the simulated bus, so only the event can close it.
  feed->Send({DeviceEvent::Kind::Removed, *usb.OpenLocation()});
  ASSERT_TRUE(WaitUntil([&] { return client.LastState() == 0; }));
  EXPECT_EQ(bus.OpenHandles(), 0);
  comms.Shutdown();
}

}  // namespace
}  // namespace wr
