// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/simulated_bus.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace wr {
namespace {

using ::testing::ElementsAre;
using Ms = std::chrono::milliseconds;
using SteadyClock = std::chrono::steady_clock;

constexpr int kIn = 0x82;
constexpr int kOut = 0x01;

class SimulatedBusTest : public ::testing::Test {
 protected:
  // Enumerates as the link does and returns the first device with the ids.
  struct usb_device* FindDevice(int vendor = 0x16D0, int product = 0x06AF) {
    bus.set_debug(0);
    bus.init();
    bus.find_busses();
    bus.find_devices();
    for (struct usb_bus* b = bus.get_busses(); b; b = b->next)
      for (struct usb_device* d = b->devices; d; d = d->next)
        if (d->descriptor.idVendor == vendor && d->descriptor.idProduct == product) return d;
    return nullptr;
  }
  usb_dev_handle* OpenFirst() {
    struct usb_device* d = FindDevice();
    return d ? bus.open(d) : nullptr;
  }
  int Write(usb_dev_handle* h, const std::string& s) {
    return bus.bulk_write(h, kOut, s.data(), static_cast<int>(s.size()), 500);
  }
  // Reads until the time-out, collecting everything.
  std::string ReadAll(usb_dev_handle* h, int timeoutMs = 100) {
    std::string out;
    char buf[4096];
    int n;
    while ((n = bus.bulk_read(h, kIn, buf, sizeof buf, timeoutMs)) > 0) out.append(buf, n);
    return out;
  }

  // Returns once another thread is inside bulk_read: the call is recorded
  // under the lock the read holds until it waits, so whatever this thread
  // does next reaches a read that is already waiting.
  void WaitUntilReading() {
    for (;;) {
      for (const std::string& name : bus.CallNames())
        if (name == "bulk_read") return;
      std::this_thread::yield();
    }
  }

  SimulatedBus bus;
};

TEST_F(SimulatedBusTest, EnumeratesOpensAndRecordsTheCallsInOrder) {
  usb_dev_handle* h = OpenFirst();
  ASSERT_NE(h, nullptr);
  char none = 0;
  EXPECT_EQ(bus.control_msg(h, 0x21, 0x22, 1, 0, &none, 0, 1000), 0);
  EXPECT_EQ(bus.set_configuration(h, 1), 0);
  EXPECT_EQ(bus.claim_interface(h, 0), 0);
  EXPECT_EQ(bus.release_interface(h, 0), 0);
  EXPECT_EQ(bus.close(h), 0);
  EXPECT_THAT(bus.CallNames(),
              ElementsAre("set_debug", "init", "find_busses", "find_devices", "get_busses",
                          "open", "control_msg", "set_configuration", "claim_interface",
                          "release_interface", "close"));
  EXPECT_EQ(bus.Calls()[6], "control_msg 33 34 1 0 0 1000");
  EXPECT_EQ(bus.OpenHandles(), 0);
}

TEST_F(SimulatedBusTest, SecondIdentifierPairAndSeveralUnits) {
  bus.SetIds(0xEB03, 0x0920);
  EXPECT_EQ(FindDevice(), nullptr);
  EXPECT_NE(FindDevice(0xEB03, 0x0920), nullptr);
  const int second = bus.AddUnit(0x16D0, 0x06AF);
  struct usb_device* d = FindDevice();
  ASSERT_NE(d, nullptr);
  usb_dev_handle* h = bus.open(d);
  Write(h, "ATI\r");
  EXPECT_EQ(bus.Unit(second).ReceivedLines().size(), 1u);
  EXPECT_TRUE(bus.Unit(0).ReceivedLines().empty());
}

TEST_F(SimulatedBusTest, WriteReachesTheUnitAndTheAnswerComesBack) {
  usb_dev_handle* h = OpenFirst();
  EXPECT_EQ(Write(h, "ATI\r"), 4);
  EXPECT_THAT(bus.Unit().ReceivedLines(), ElementsAre("ATI"));
  EXPECT_EQ(ReadAll(h), "+INFO:Version:1.003\r\n+INFO:ID:WR0001234567\r\nOK\r\n");
  EXPECT_EQ(bus.Calls()[6], "bulk_write 1 4 500");
}

TEST_F(SimulatedBusTest, ReadTimesOutWhenTheUnitIsQuiet) {
  usb_dev_handle* h = OpenFirst();
  char buf[64];
  const auto start = SteadyClock::now();
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 80), -ETIMEDOUT);
  EXPECT_GE(SteadyClock::now() - start, Ms(80));
}

TEST_F(SimulatedBusTest, BlockedReadWakesAtOnceWhenBytesArrive) {
  usb_dev_handle* h = OpenFirst();
  bus.ClearCalls();
  std::thread writer([&] {
    WaitUntilReading();
    Write(h, "AT\r");
  });
  char buf[64];
  const auto start = SteadyClock::now();
  const int n = bus.bulk_read(h, kIn, buf, sizeof buf, 5000);
  const auto waited = SteadyClock::now() - start;
  writer.join();
  EXPECT_EQ(std::string(buf, std::max(n, 0)), "OK\r\n");
  EXPECT_LT(waited, Ms(1000));
}

TEST_F(SimulatedBusTest, LatencyHoldsTheAnswerBack) {
  usb_dev_handle* h = OpenFirst();
  bus.SetLatency(Ms(150));
  Write(h, "AT\r");
  char buf[64];
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 50), -ETIMEDOUT);
  const auto start = SteadyClock::now();
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 1000), 4);
  EXPECT_LT(SteadyClock::now() - start, Ms(500));
}

TEST_F(SimulatedBusTest, ReadsAreCutIntoTheConfiguredPieces) {
  usb_dev_handle* h = OpenFirst();
  bus.SetReadChunks({1, 3});
  Write(h, "ATI\r");
  char buf[4096];
  std::vector<int> sizes;
  std::string all;
  int n;
  while ((n = bus.bulk_read(h, kIn, buf, sizeof buf, 50)) > 0) {
    sizes.push_back(n);
    all.append(buf, n);
  }
  EXPECT_EQ(all, "+INFO:Version:1.003\r\n+INFO:ID:WR0001234567\r\nOK\r\n");
  ASSERT_GE(sizes.size(), 4u);
  EXPECT_THAT(std::vector<int>(sizes.begin(), sizes.begin() + 4), ElementsAre(1, 3, 1, 3));
  // The caller's buffer is never overrun.
  bus.SetReadChunks({});
  Write(h, "ATI\r");
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, 5, 50), 5);
}

TEST_F(SimulatedBusTest, InjectedRawBytesArriveUnchanged) {
  usb_dev_handle* h = OpenFirst();
  std::string raw("\x80\xff\x00\x01\x1b+IP,1\r", 10);
  raw += std::string(40000, 'x');
  bus.InjectRaw(raw);
  EXPECT_EQ(ReadAll(h), raw);
}

TEST_F(SimulatedBusTest, OpenConfigurationAndClaimFaults) {
  struct usb_device* d = FindDevice();
  bus.FailOpen(1, "Permission denied");
  EXPECT_EQ(bus.open(d), nullptr);
  EXPECT_EQ(bus.strerror(), "Permission denied");
  usb_dev_handle* h = bus.open(d);
  ASSERT_NE(h, nullptr);

  bus.FailSetConfiguration(1);
  EXPECT_LT(bus.set_configuration(h, 1), 0);
  EXPECT_EQ(bus.set_configuration(h, 1), 0);
  bus.FailClaim(1);
  EXPECT_LT(bus.claim_interface(h, 0), 0);
  EXPECT_EQ(bus.claim_interface(h, 0), 0);
}

TEST_F(SimulatedBusTest, KernelDriverHoldsTheInterfaceUntilDetached) {
  bus.SetKernelDriverAttached(true);
  usb_dev_handle* h = OpenFirst();
  EXPECT_EQ(bus.claim_interface(h, 0), -EBUSY);
  EXPECT_EQ(bus.claim_interface(h, 0), -EBUSY);
  EXPECT_EQ(bus.detach_kernel_driver_np(h, 0), 0);
  EXPECT_EQ(bus.claim_interface(h, 0), 0);
  EXPECT_LT(bus.detach_kernel_driver_np(h, 0), 0);  // nothing left to detach
}

TEST_F(SimulatedBusTest, WriteFaults) {
  usb_dev_handle* h = OpenFirst();
  bus.SetShortWrites(2);
  EXPECT_EQ(Write(h, "ATI\r"), 2);
  bus.SetShortWrites(0);
  EXPECT_EQ(Write(h, "I\r"), 2);  // the unit got "AT" then "I\r"
  EXPECT_THAT(bus.Unit().ReceivedLines(), ElementsAre("ATI"));

  bus.FailWritesWithTimeout(1);
  const auto start = SteadyClock::now();
  EXPECT_EQ(bus.bulk_write(h, kOut, "AT\r", 3, 100), -ETIMEDOUT);
  EXPECT_GE(SteadyClock::now() - start, Ms(100));
  EXPECT_EQ(bus.Unit().ReceivedLines().size(), 1u);
  EXPECT_EQ(Write(h, "AT\r"), 3);
}

TEST_F(SimulatedBusTest, ReadErrors) {
  usb_dev_handle* h = OpenFirst();
  bus.FailReads(2);
  Write(h, "AT\r");
  char buf[64];
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 100), -EIO);
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 100), -EIO);
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 100), 4);
}

TEST_F(SimulatedBusTest, UnplugFailsTheHandleAndReplugNeedsANewOne) {
  usb_dev_handle* h = OpenFirst();
  bus.Unit().SetLatency(Ms(50));
  Write(h, "ATI\r");
  bus.Unplug();
  char buf[64];
  const auto start = SteadyClock::now();
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 2000), -ENODEV);
  EXPECT_LT(SteadyClock::now() - start, Ms(50));
  EXPECT_LT(Write(h, "AT\r"), 0);
  EXPECT_EQ(FindDevice(), nullptr);

  bus.Replug();
  struct usb_device* d = FindDevice();
  ASSERT_NE(d, nullptr);
  EXPECT_LT(Write(h, "AT\r"), 0);  // the old handle stays dead
  EXPECT_EQ(bus.close(h), 0);
  usb_dev_handle* fresh = bus.open(d);
  Write(fresh, "AT\r");
  EXPECT_EQ(ReadAll(fresh), "OK\r\n");  // the answer lost by the unplug stays lost
}

TEST_F(SimulatedBusTest, UnplugWakesABlockedRead) {
  usb_dev_handle* h = OpenFirst();
  bus.ClearCalls();
  std::thread puller([&] {
    WaitUntilReading();
    bus.Unplug();
  });
  char buf[64];
  const auto start = SteadyClock::now();
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 5000), -ENODEV);
  EXPECT_LT(SteadyClock::now() - start, Ms(1000));
  puller.join();
}

TEST_F(SimulatedBusTest, ClosingWakesABlockedRead) {
  usb_dev_handle* h = OpenFirst();
  bus.ClearCalls();
  std::thread closer([&] {
    WaitUntilReading();
    bus.close(h);
  });
  char buf[64];
  const auto start = SteadyClock::now();
  EXPECT_LT(bus.bulk_read(h, kIn, buf, sizeof buf, 0), 0);  // 0 waits without end
  EXPECT_LT(SteadyClock::now() - start, Ms(1000));
  closer.join();
  EXPECT_LT(bus.close(h), 0);
}

TEST_F(SimulatedBusTest, UnitRestartDropsOffTheBusAndReturns) {
  usb_dev_handle* h = OpenFirst();
  bus.Unit().SetRestartDowntime(Ms(100));
  Write(h, "AT+RESET\r");
  char buf[64];
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 500), 4);  // its OK
  EXPECT_EQ(bus.bulk_read(h, kIn, buf, sizeof buf, 500), -ENODEV);
  EXPECT_EQ(FindDevice(), nullptr);
  // Back once its down time has passed: enumerate until it is there.
  struct usb_device* d = nullptr;
  const auto start = SteadyClock::now();
  while (!(d = FindDevice()) && SteadyClock::now() - start < Ms(2000)) std::this_thread::yield();
  ASSERT_NE(d, nullptr);
  EXPECT_GE(SteadyClock::now() - start, Ms(50)) << "back before its down time";
  EXPECT_LT(Write(h, "AT\r"), 0);
  usb_dev_handle* fresh = bus.open(d);
  Write(fresh, "AT\r");
  EXPECT_EQ(ReadAll(fresh), "OK\r\n");
}

TEST_F(SimulatedBusTest, ConcurrentReaderAndWriterLoseNothing) {
  usb_dev_handle* h = OpenFirst();
  bus.SetReadChunks({7, 64, 1});
  constexpr int kCommands = 300;
  std::string got;
  std::thread reader([&] {
    char buf[4096];
    const std::string want = "OK\r\n";
    while (got.size() < want.size() * kCommands) {
      const int n = bus.bulk_read(h, kIn, buf, sizeof buf, 2000);
      if (n <= 0) break;
      got.append(buf, n);
    }
  });
  for (int i = 0; i < kCommands; ++i) ASSERT_EQ(Write(h, "AT\r"), 3);
  reader.join();
  std::string want;
  for (int i = 0; i < kCommands; ++i) want += "OK\r\n";
  EXPECT_EQ(got, want);
  EXPECT_TRUE(bus.WaitForReceived([](const std::string& l) { return l == "AT"; }, Ms(10)));
}

TEST_F(SimulatedBusTest, DeviceListenersHearPlugsAndRestartsAsTheyHappen) {
  std::mutex mutex;
  std::condition_variable heard;
  std::vector<std::string> changes;
  const int id = bus.AddDeviceListener([&](const UsbDeviceChange& c) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %d.%d %04x:%04x", c.added ? "added" : "removed",
                  c.location.bus, c.location.address, c.vendorId, c.productId);
    std::lock_guard<std::mutex> lock(mutex);
    changes.push_back(text);
    heard.notify_all();
  });
  ASSERT_GE(id, 0);
  const auto Heard = [&] {
    std::lock_guard<std::mutex> lock(mutex);
    return changes;
  };
  // What was there before is not news; a plug is told before the call returns.
  bus.Unplug();
  bus.Replug();
  bus.AddUnit(0xEB03, 0x0920);
  EXPECT_THAT(Heard(), ElementsAre("removed 1.2 16d0:06af", "added 1.2 16d0:06af",
                                   "added 1.3 eb03:0920"));
  // A restart is told by the bus's own watch, on its way down and back.
  bus.Unit().SetRestartDowntime(Ms(50));
  bus.Unit().Restart();
  {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(heard.wait_for(lock, Ms(3000), [&] { return changes.size() == 5; }))
        << ::testing::PrintToString(changes);
  }
  EXPECT_THAT(Heard(), ElementsAre("removed 1.2 16d0:06af", "added 1.2 16d0:06af",
                                   "added 1.3 eb03:0920", "removed 1.2 16d0:06af",
                                   "added 1.2 16d0:06af"));
  bus.RemoveDeviceListener(id);
  bus.Unplug(1);
  EXPECT_EQ(Heard().size(), 5u);
}

TEST(SimulatedBusDemo, HasTripsAndAnswers) {
  auto bus = SimulatedBus::Demo();
  EXPECT_EQ(bus->Unit().Trips().size(), 8u);
}

}  // namespace
}  // namespace wr
