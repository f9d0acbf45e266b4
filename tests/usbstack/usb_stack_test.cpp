// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// LibUsbApi and TfrmUSB through the system's libusb, with the unit played
// behind usbfs by umockdev: what the library really does with our calls,
// which the simulated bus can only assume.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "link/device_events.h"
#include "link/lib_usb_api.h"
#include "linequeue/line_queue.h"
#include "link/link_test_support.h"
#include "link/tfrm_usb.h"
#include "link/usb_comms.h"
#include "protocol/commands.h"
#include "usbstack/usbfs_unit.h"

namespace wr {
namespace {

using Clock = std::chrono::steady_clock;
using test::UsbfsUnit;

long MsSince(Clock::time_point start) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

class UsbStack : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!unit->SetupProblem().empty()) GTEST_SKIP() << unit->SetupProblem();
  }
  // TfrmUSB leaves closing to its owner (the worker does it as it stops);
  // a handle left open here would be a leak of the library's.
  void TearDown() override { usb.CloseDevice(); }
  bool Open() { return usb.OpenDevice(usbid::kVendorFirst, usbid::kProductFirst); }
  // Reads until a line is complete or about a second has passed.
  std::string NextLine() {
    char out[LineQueue::kLineBufferSize];
    for (int tries = 0; tries < 20; ++tries) {
      const int n = queue->GetLine(LineQueue::kReceiveChannel, out);
      if (n > 0) return std::string(out, n);
      usb.ReadInput(50);
    }
    return "(nothing)";
  }

  std::unique_ptr<UsbfsUnit> unit =
      std::make_unique<UsbfsUnit>(usbid::kVendorFirst, usbid::kProductFirst);
  LibUsbApi api;
  std::unique_ptr<LineQueue> queue = std::make_unique<LineQueue>();
  TfrmUSB usb{api, *queue};
};

TEST_F(UsbStack, OpenSendsTheControlRequestThenConfiguresAndClaims) {
  ASSERT_TRUE(Open()) << usb.LastOpenFailureText();
  EXPECT_EQ(usb.IsConnected(), 1);
  EXPECT_EQ(usb.LastOpenFailure(), TfrmUSB::OpenFailure::None);
  const std::vector<std::string> expected = {"control 21 22 1 0 0", "configuration 1", "claim 0"};
  EXPECT_EQ(unit->Requests(), expected);
}

TEST_F(UsbStack, CloseReleasesTheInterfaceAndTheHandle) {
  ASSERT_TRUE(Open());
  EXPECT_TRUE(usb.CloseDevice());
  EXPECT_EQ(unit->Requests().back(), "release 0");
  EXPECT_EQ(unit->OpenHandles(), 0);
  EXPECT_FALSE(usb.SendLine("AT"));
}

TEST_F(UsbStack, OnlyTheAskedIdentifiersAreOpened) {
  unit.reset();
  unit = std::make_unique<UsbfsUnit>(usbid::kVendorSecond, usbid::kProductSecond);
  ASSERT_TRUE(unit->SetupProblem().empty()) << unit->SetupProblem();
  EXPECT_FALSE(Open());
  EXPECT_EQ(usb.LastOpenFailure(), TfrmUSB::OpenFailure::None);
  EXPECT_TRUE(unit->Requests().empty());
  EXPECT_TRUE(usb.OpenDevice(usbid::kVendorSecond, usbid::kProductSecond));
}

TEST_F(UsbStack, LineGoesOutWithCarriageReturnAndTheReplyComesBackInLines) {
  unit->Answer("AT+VER?", "\r\n+VER,2.07\r\nOK\r\n");
  ASSERT_TRUE(Open());
  EXPECT_TRUE(usb.SendLine("AT+VER?"));
  EXPECT_FALSE(usb.ServiceRequests());
  EXPECT_EQ(unit->Received(), "AT+VER?\r");
  EXPECT_EQ(NextLine(), "+VER,2.07");
  EXPECT_EQ(NextLine(), "OK");
}

TEST_F(UsbStack, QuietReadEndsAtItsTimeoutAndLeavesNothingStaleBehind) {
  ASSERT_TRUE(Open());
  const auto start = Clock::now();
  EXPECT_EQ(usb.ReadInput(100), TfrmUSB::ReadResult::Nothing);
  EXPECT_LT(MsSince(start), 1000);
  EXPECT_EQ(queue->UnreadCount(LineQueue::kReceiveChannel), 0);
  // The abandoned read must not swallow, or stand in for, what comes next.
  unit->Send("+STATS,1\r\n");
  EXPECT_EQ(NextLine(), "+STATS,1");
}

TEST_F(UsbStack, WriteTheUnitNeverTakesFailsAfterTheWriteTimeout) {
  ASSERT_TRUE(Open());
  unit->HoldWrites(true);
  const auto start = Clock::now();
  EXPECT_TRUE(usb.SendLine("AT+SAVE"));
  EXPECT_TRUE(usb.ServiceRequests());
  EXPECT_EQ(usb.TakeFailedWrites().size(), 1u);
  const long elapsed = MsSince(start);
  EXPECT_GE(elapsed, usbid::kWriteTimeoutMs - 50);
  EXPECT_LT(elapsed, usbid::kWriteTimeoutMs + 1500);
  EXPECT_EQ(unit->Received(), "");

  unit->HoldWrites(false);
  EXPECT_TRUE(usb.SendLine("AT"));
  EXPECT_FALSE(usb.ServiceRequests());
  EXPECT_EQ(unit->Received(), "AT\r");
}

TEST_F(UsbStack, RefusedConfigurationIsReportedInTheLibrarysWordsAndClosesTheHandle) {
  unit->FailConfiguration(EBUSY);
  EXPECT_FALSE(Open());
  EXPECT_EQ(usb.IsConnected(), 0);
  EXPECT_EQ(usb.LastOpenFailure(), TfrmUSB::OpenFailure::Configuration);
  EXPECT_NE(usb.LastOpenFailureText().find("busy"), std::string::npos)
      << usb.LastOpenFailureText();
  EXPECT_EQ(unit->OpenHandles(), 0);
}

TEST_F(UsbStack, ClaimHeldByAKernelDriverSucceedsAfterDetaching) {
  unit->FailClaim(EBUSY, /*detachHelps=*/true);
  ASSERT_TRUE(Open()) << usb.LastOpenFailureText();
  const std::vector<std::string> expected = {"control 21 22 1 0 0", "configuration 1", "claim 0",
                                             "detach 0", "claim 0"};
  EXPECT_EQ(unit->Requests(), expected);
}

TEST_F(UsbStack, ClaimRefusedForGoodIsReportedAndClosesTheHandle) {
  unit->FailClaim(EPERM, /*detachHelps=*/false);
  EXPECT_FALSE(Open());
  EXPECT_EQ(usb.LastOpenFailure(), TfrmUSB::OpenFailure::Claim);
  EXPECT_FALSE(usb.LastOpenFailureText().empty());
  EXPECT_EQ(unit->OpenHandles(), 0);
}

TEST_F(UsbStack, UnpluggedUnitIsNoticedAndAReturningOneIsOpenedAgain) {
  ASSERT_TRUE(Open());
  unit->Unplug();
  EXPECT_FALSE(usb.CheckDevicePresent());
  EXPECT_EQ(usb.IsConnected(), 0);
  EXPECT_FALSE(usb.SendLine("AT"));
  EXPECT_NE(usb.ReadInput(20), TfrmUSB::ReadResult::Data);

  unit.reset();
  unit = std::make_unique<UsbfsUnit>(usbid::kVendorFirst, usbid::kProductFirst);
  unit->Answer("AT", "OK\r\n");
  ASSERT_TRUE(Open());
  EXPECT_TRUE(usb.CheckDevicePresent());
  EXPECT_TRUE(usb.SendLine("AT"));
  EXPECT_FALSE(usb.ServiceRequests());
  EXPECT_EQ(NextLine(), "OK");
}

// The worker reads all the time; another unit is chosen (one not attached,
// then any again) from the test's thread while a read is in flight. Only the
// worker may close the handle, between two reads.
TEST_F(UsbStack, ChoosingAnotherUnitWhileTheWorkerReadsClosesBetweenReads) {
  unit->Answer("AT", "OK\r\n");
  test::RecordingClient client;
  USBcomms worker(*queue);
  worker.SetTimings({5, 100, 100, true, 20});
  worker.AttachUsb(&usb);
  worker.SetClient(&client);
  worker.start();
  for (int i = 0; i < 40; ++i) {
    ASSERT_TRUE(test::WaitUntil([&] { return usb.IsConnected() == 1; })) << i;
    EXPECT_TRUE(usb.SendLine("AT"));
    ASSERT_TRUE(test::WaitUntil([&] { return !usb.WritesPending(); })) << i;
    usb.SetSelector(UsbLocation{1, 127});
    ASSERT_TRUE(test::WaitUntil([&] { return unit->OpenHandles() == 0; })) << i;
    usb.SetSelector(std::nullopt);
  }
  worker.Shutdown();
  EXPECT_EQ(unit->OpenHandles(), 0);
  EXPECT_NE(unit->Received().find("AT\r"), std::string::npos);
}

// The worker with and without udev's device events, the unit plugged in and
// out through the test bed. The search period is far longer than any wait
// here, so a unit found at all was found by its event.
struct PlugCase {
  const char* name;
  bool events;
  int searchSleepMs;
};

class UsbStackPlug : public ::testing::TestWithParam<PlugCase> {};

TEST_P(UsbStackPlug, UnitPluggedInIsOpenedAndPulledOutIsClosedAtOnce) {
  const PlugCase& c = GetParam();
  UsbfsUnit unit(usbid::kVendorFirst, usbid::kProductFirst, /*plugged=*/false);
  LibUsbApi api;
  LineQueue queue;
  TfrmUSB usb(api, queue);
  test::RecordingClient client;
  {
    USBcomms worker(queue);
    // Presence checks never come due: only the events or a failed read
    // tell of the removal.
    worker.SetTimings({c.searchSleepMs, 600000, 600000, true, 20});
    worker.AttachUsb(&usb);
    worker.SetClient(&client);
    if (c.events) {
      std::string whyNot;
      auto events = StartUdevEvents(&whyNot, /*requireDaemon=*/false);
      ASSERT_TRUE(events) << whyNot;
      worker.SetDeviceEvents(std::move(events));
      ASSERT_TRUE(worker.UsesDeviceEvents());
    }
    worker.start();
    // The first look has found nothing and the worker waits.
    ASSERT_TRUE(test::WaitUntil([&] { return client.LastState() == 0; }));
    const int drainsWhileWaiting = client.drains;

    unit.Plug();
    ASSERT_TRUE(unit.SetupProblem().empty()) << unit.SetupProblem();
    // The first event may come before the node takes requests, as the
    // kernel's may before udev has set the node up; udev's own comes after.
    unit.Announce("add");
    const auto plugged = Clock::now();
    ASSERT_TRUE(test::WaitUntil([&] { return client.LastState() == 1; }));
    EXPECT_LT(MsSince(plugged), 1000);
    if (c.events) {
      EXPECT_LE(client.drains - drainsWhileWaiting, 3) << "drain steps while waiting";
    }

    unit.Unplug();
    const auto pulled = Clock::now();
    ASSERT_TRUE(test::WaitUntil([&] { return client.LastState() == 0; }));
    EXPECT_LT(MsSince(pulled), 1000);
    EXPECT_EQ(unit.OpenHandles(), 0);
    worker.Shutdown();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Worker, UsbStackPlug,
    ::testing::Values(PlugCase{"DeviceEvents", true, 600000},
                      // No monitor: the search on its period still finds it.
                      PlugCase{"SearchOnly", false, 20}),
    [](const ::testing::TestParamInfo<PlugCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wr
