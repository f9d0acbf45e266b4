// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// TfrmUSB against the simulated bus: framing, the order of the library
// calls on open, failures at each step, and unplugging.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "linequeue/line_queue.h"
#include "link/tfrm_usb.h"
#include "protocol/commands.h"
#include "sim/simulated_bus.h"

namespace wr {
namespace {

using std::chrono::milliseconds;

class UsbLink : public ::testing::Test {
 protected:
  bool Open() { return usb.OpenDevice(usbid::kVendorFirst, usbid::kProductFirst); }
  std::string NextLine() {
    char out[LineQueue::kLineBufferSize];
    const int n = queue->GetLine(LineQueue::kReceiveChannel, out);
    return std::string(out, n);
  }

  SimulatedBus bus;
  std::unique_ptr<LineQueue> queue = std::make_unique<LineQueue>();
  TfrmUSB usb{bus, *queue};
};

TEST_F(UsbLink, OpenEnumeratesThenConfiguresAndClaimsInOrder) {
  ASSERT_TRUE(Open());
  EXPECT_EQ(usb.IsConnected(), 1);
  const std::vector<std::string> expected = {
      "set_debug", "init", "find_busses", "find_devices", "get_busses", "open",
      "control_msg", "set_configuration", "claim_interface"};
  EXPECT_EQ(bus.CallNames(), expected);
  const auto calls = bus.Calls();
  EXPECT_EQ(calls[0], "set_debug 0");
  EXPECT_EQ(calls[6].rfind("control_msg 33 34 1 0 0", 0), 0u) << calls[6];
  EXPECT_EQ(calls[7], "set_configuration 1");
  EXPECT_EQ(calls[8], "claim_interface 0");
  EXPECT_EQ(usb.VendorId(), usbid::kVendorFirst);
  EXPECT_EQ(usb.LastOpenFailure(), TfrmUSB::OpenFailure::None);
}

TEST_F(UsbLink, FindsTheSecondIdentifierPairOnlyWhenAskedForIt) {
  bus.SetIds(usbid::kVendorSecond, usbid::kProductSecond);
  EXPECT_FALSE(Open());
  EXPECT_TRUE(usb.OpenDevice(usbid::kVendorSecond, usbid::kProductSecond));
  EXPECT_EQ(usb.ProductId(), usbid::kProductSecond);
}

TEST_F(UsbLink, NoUnitMeansNoLinkAndNothingWritten) {
  bus.Unplug();
  EXPECT_FALSE(Open());
  EXPECT_EQ(usb.IsConnected(), 0);
  EXPECT_FALSE(usb.SendLine("ATI"));
  EXPECT_FALSE(usb.ServiceRequests());
  EXPECT_EQ(usb.ReadInput(10), TfrmUSB::ReadResult::Failed);
  for (const auto& name : bus.CallNames()) EXPECT_NE(name, "bulk_write");
  EXPECT_FALSE(usb.CloseDevice());
}

TEST_F(UsbLink, AFailedOpenIsRecordedWithTheLibrarysWords) {
  bus.FailOpen(1, "Permission denied");
  EXPECT_FALSE(Open());
  EXPECT_EQ(usb.LastOpenFailure(), TfrmUSB::OpenFailure::Open);
  EXPECT_NE(usb.LastOpenFailureText().find("Permission denied"), std::string::npos);
  for (const auto& name : bus.CallNames()) EXPECT_NE(name, "control_msg");
  // The next attempt succeeds and clears the reason.
  EXPECT_TRUE(Open());
  EXPECT_EQ(usb.LastOpenFailure(), TfrmUSB::OpenFailure::None);
}

TEST_F(UsbLink, ConfigurationOrClaimFailureClosesTheHandle) {
  bus.FailSetConfiguration(1);
  EXPECT_FALSE(Open());
  EXPECT_EQ(usb.LastOpenFailure(), TfrmUSB::OpenFailure::Configuration);
  EXPECT_EQ(bus.CallNames().back(), "close");
  EXPECT_EQ(bus.OpenHandles(), 0);

  bus.ClearCalls();
  bus.FailClaim(2);  // the claim and its retry after detaching both fail
  EXPECT_FALSE(Open());
  EXPECT_EQ(usb.LastOpenFailure(), TfrmUSB::OpenFailure::Claim);
  EXPECT_EQ(bus.CallNames().back(), "close");
  EXPECT_EQ(bus.OpenHandles(), 0);
  EXPECT_EQ(usb.IsConnected(), 0);
}

TEST_F(UsbLink, AKernelDriverHoldingTheInterfaceIsDetached) {
  bus.SetKernelDriverAttached(true);
  ASSERT_TRUE(Open());
  const auto names = bus.CallNames();
  const std::vector<std::string> tail(names.end() - 3, names.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"claim_interface", "detach_kernel_driver_np",
                                            "claim_interface"}));
}

TEST_F(UsbLink, WritesEachLineWithOneCarriageReturnInOneTransferWhenTheWorkerGetsToIt) {
  ASSERT_TRUE(Open());
  bus.ClearCalls();
  EXPECT_TRUE(usb.SendLine("ATI"));
  EXPECT_TRUE(usb.SendLine(""));
  EXPECT_TRUE(bus.Calls().empty());  // handed over, not written by the caller
  EXPECT_TRUE(usb.RequestsPending());
  EXPECT_FALSE(usb.ServiceRequests());
  EXPECT_FALSE(usb.RequestsPending());
  EXPECT_EQ(bus.Calls(), (std::vector<std::string>{"bulk_write 1 4 500", "bulk_write 1 1 500"}));
  EXPECT_TRUE(bus.WaitForReceived([](const std::string& l) { return l == "ATI"; },
                                  milliseconds(1000)));
  EXPECT_TRUE(usb.TakeFailedWrites().empty());

  // Not every byte taken, or not taken at all: counted, not retried.
  bus.SetShortWrites(2);
  EXPECT_TRUE(usb.SendLine("AT+STATS"));
  EXPECT_TRUE(usb.ServiceRequests());
  bus.SetShortWrites(0);
  bus.FailWritesWithTimeout(1);
  EXPECT_TRUE(usb.SendLine("AT+STATS"));
  EXPECT_TRUE(usb.ServiceRequests());
  EXPECT_EQ(usb.TakeFailedWrites().size(), 2u);
  EXPECT_TRUE(usb.TakeFailedWrites().empty());
}

TEST_F(UsbLink, ChoosingAnotherUnitClosesTheOpenOneOnlyOnTheWorkersNextStep) {
  const int second = bus.AddUnit();
  ASSERT_TRUE(Open());
  const UsbLocation first = *usb.OpenLocation();
  EXPECT_TRUE(usb.SendLine("ATI"));
  usb.SetSelector(UsbLocation{first.bus, first.address + 1});
  // The link reads as closed at once and takes nothing more; lines handed
  // over for the unit chosen before never reach any unit.
  EXPECT_EQ(usb.IsConnected(), 0);
  EXPECT_FALSE(usb.OpenLocation());
  EXPECT_FALSE(usb.SendLine("AT+STATS"));
  EXPECT_EQ(bus.OpenHandles(), 1);  // the handle is the worker's to close
  bus.ClearCalls();
  EXPECT_FALSE(usb.ServiceRequests());
  EXPECT_EQ(bus.OpenHandles(), 0);
  EXPECT_EQ(bus.CallNames(), (std::vector<std::string>{"release_interface", "close"}));
  ASSERT_TRUE(usb.OpenSelected());
  EXPECT_NE(*usb.OpenLocation(), first);
  EXPECT_FALSE(usb.ServiceRequests());
  for (const auto& name : bus.CallNames()) EXPECT_NE(name, "bulk_write");
  EXPECT_TRUE(bus.Unit(second).ReceivedLines().empty());
  EXPECT_TRUE(bus.Unit(0).ReceivedLines().empty());

  // Back to "the first unit found": the open unit is one of those and stays.
  usb.SetSelector(std::nullopt);
  EXPECT_EQ(usb.IsConnected(), 1);
}

TEST_F(UsbLink, ReadsQueueEveryByteOfAReply) {
  ASSERT_TRUE(Open());
  bus.SetReadChunks({3, 1, 7});  // the answer arrives in small pieces
  ASSERT_TRUE(usb.SendLine("ATI"));
  usb.ServiceRequests();
  std::vector<std::string> lines;
  for (int i = 0; i < 200 && lines.size() < 3; ++i) {
    usb.ReadInput(100);
    for (std::string l = NextLine(); !l.empty(); l = NextLine()) lines.push_back(l);
  }
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "+INFO:Version:1.003");
  EXPECT_EQ(lines[1].rfind("+INFO:ID:", 0), 0u);
  EXPECT_EQ(lines[2], "OK");

  bus.FailReads(1);
  EXPECT_EQ(usb.ReadInput(50), TfrmUSB::ReadResult::Failed);
}

TEST_F(UsbLink, UnplugIsFoundByThePresenceCheckAndClosesOnce) {
  ASSERT_TRUE(Open());
  EXPECT_TRUE(usb.CheckDevicePresent());
  bus.Unplug();
  EXPECT_EQ(usb.ReadInput(50), TfrmUSB::ReadResult::Failed);
  EXPECT_FALSE(usb.CheckDevicePresent());
  EXPECT_EQ(usb.IsConnected(), 0);
  EXPECT_EQ(bus.OpenHandles(), 0);
  const auto names = bus.CallNames();
  EXPECT_EQ(names[names.size() - 2], "release_interface");
  EXPECT_EQ(names.back(), "close");
  bus.ClearCalls();
  EXPECT_FALSE(usb.CheckDevicePresent());  // no enumeration while disconnected
  EXPECT_TRUE(bus.Calls().empty());
  EXPECT_EQ(usb.VendorId(), usbid::kVendorFirst);  // the last pair is kept
  EXPECT_FALSE(usb.SendLine("ATI"));

  bus.Replug();
  EXPECT_TRUE(Open());
}

}  // namespace
}  // namespace wr
