// The worker, the drain step, SendCommand and the waits, end to end against
// the simulated unit on a real Qt event loop.
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "linequeue/line_queue.h"
#include "link/link_test_support.h"
#include "link/send_command.h"
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
  virtual USBcomms::Timings Timings() { return {50, 250, 250}; }

  void SetUp() override {
    comms.SetClient(&client);
    comms.SetTerminal(&terminal);
    comms.SetPrompts(&prompts);
    comms.AttachUsb(&usb);
    comms.SetTimings(Timings());
    Link() = LinkContext{&usb, &comms, &terminal, &prompts};
    comms.start();
  }
  void TearDown() override {
    comms.Shutdown();
    Link() = LinkContext{};
  }
  bool Connected() { return WaitUntil([&] { return client.LastState() == 1; }, 8000); }
  bool Received(const std::string& line) {
    return bus.WaitForReceived([&](const std::string& l) { return l == line; },
                               milliseconds(3000));
  }
  bool Dispatched(const std::string& prefix) {
    return WaitUntil([&] {
      return std::any_of(client.lines.begin(), client.lines.end(),
                         [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    });
  }

  SimulatedBus bus;
  std::unique_ptr<LineQueue> queue = std::make_unique<LineQueue>();
  TfrmUSB usb{bus, *queue};
  test::RecordingClient client;
  test::RecordingTerminal terminal;
  test::RecordingPrompts prompts;
  USBcomms comms{*queue};
};

TEST_F(CommsWorker, ConnectsSendsExactBytesAndDispatchesRepliesInOrder) {
  ASSERT_TRUE(Connected());
  EXPECT_EQ(client.states.front(), 0);  // the first drain step reports "not connected"
  bus.ClearCalls();
  SendCommand("ATI");
  const auto calls = bus.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "bulk_write 1 4 500"), 1);
  ASSERT_TRUE(Received("ATI"));
  EXPECT_EQ(terminal.lines.back(), "->ATI");

  ASSERT_TRUE(WaitUntil([&] { return comms.okFlag; }));
  ASSERT_GE(client.lines.size(), 2u);
  EXPECT_EQ(client.lines[0], "+INFO:Version:1.003");
  EXPECT_EQ(client.lines[1].rfind("+INFO:ID:", 0), 0u);
  // Every line reaches the terminal before it is classified, OK included.
  const auto ok = std::find(terminal.lines.begin(), terminal.lines.end(), "OK");
  EXPECT_NE(ok, terminal.lines.end());
  EXPECT_EQ(std::count(client.lines.begin(), client.lines.end(), "OK"), 0);
  // Repeated drain steps keep reporting the same state.
  EXPECT_TRUE(std::all_of(client.states.begin() + 1, client.states.end(),
                          [](int s) { return s == 1; }) ||
              client.states.back() == 1);
}

TEST_F(CommsWorker, ErrorAndBatteryMessagesSetTheErrorFlag) {
  ASSERT_TRUE(Connected());
  comms.errorFlag = false;
  SendCommand("AT+NOSUCHTHING");
  ASSERT_TRUE(WaitUntil([&] { return comms.errorFlag; }));

  comms.errorFlag = false;
  bus.Unit().ChargeBatteryErrorNext();
  SendCommand("AT+STATS");
  ASSERT_TRUE(WaitUntil([&] { return comms.errorFlag; }));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0],
            "Error: Please connect battery or wait for battery to charge!");
  EXPECT_EQ(std::count(client.lines.begin(), client.lines.end(), "ERROR CHARGE BATTERY"), 0);
}

TEST_F(CommsWorker, SendingWhileDisconnectedEchoesButWritesNothing) {
  bus.Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !client.states.empty(); }));
  SendCommand("AT+STATS");
  EXPECT_EQ(terminal.lines.back(), "->AT+STATS");
  for (const auto& name : bus.CallNames()) EXPECT_NE(name, "bulk_write");
}

TEST_F(CommsWorker, UnplugReturnsToSearchingAndReplugReconnects) {
  ASSERT_TRUE(Connected());
  bus.Unplug();
  ASSERT_TRUE(WaitUntil([&] { return client.LastState() == 0; }, 8000));
  EXPECT_EQ(usb.IsConnected(), 0);
  bus.Replug();
  ASSERT_TRUE(Connected());
  SendCommand("ATI");
  EXPECT_TRUE(Received("ATI"));
}

TEST_F(CommsWorker, GarbageFromTheUnitNeverReachesTheDispatcherAsOneLine) {
  ASSERT_TRUE(Connected());
  std::string flood(35000, 'x');  // more than the queue holds, no line end
  bus.InjectRaw(flood);
  bus.InjectRaw(std::string("\x80\xff\x01+IP,1\0+IO,2\r\n", 16));
  ASSERT_TRUE(Dispatched("+IO,2"));
  for (const auto& line : client.lines) {
    EXPECT_LE(line.size(), 1998u);
    for (unsigned char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x80);
  }
}

TEST_F(CommsWorker, WaitingForAnOutcomeEndsOnOkErrorDropStopOrTime) {
  ASSERT_TRUE(Connected());
  EXPECT_EQ(SendLineAndWait("AT+STATS", 3000), CommandOutcome::Ok);
  EXPECT_EQ(SendLineAndWait("AT+BOGUS", 3000), CommandOutcome::Error);
  EXPECT_EQ(SendLineAndWait("AT+STATS", 3000, [] { return true; }), CommandOutcome::Stopped);
  Delay(300);  // its late OK would count for the next command

  bus.Unit().SetNeverAnswer(true);
  QElapsedTimer t;
  t.start();
  EXPECT_EQ(SendLineAndWait("AT+STATS", 300), CommandOutcome::TimedOut);
  EXPECT_LT(t.elapsed(), 2500);

  bool cancel = false;
  QTimer::singleShot(100, [&] {
    cancel = true;
    comms.WakeWaiters();
  });
  t.restart();
  EXPECT_EQ(SendLineAndWait("AT+STATS", 10000, [&] { return cancel; }), CommandOutcome::Stopped);
  EXPECT_LT(t.elapsed(), 1500);

  QTimer::singleShot(100, [&] { bus.Unplug(); });
  EXPECT_EQ(SendLineAndWait("AT+STATS", 10000), CommandOutcome::Disconnected);
}

TEST_F(CommsWorker, DelayRunsTheDrainStepAndDelayZeroReturnsAtOnce) {
  ASSERT_TRUE(Connected());
  comms.okFlag = false;
  usb.SendLine("AT+STATS");
  QElapsedTimer t;
  t.start();
  Delay(600);
  EXPECT_GE(t.elapsed(), 600);
  EXPECT_TRUE(comms.okFlag);  // set by a drain step that ran inside Delay

  t.restart();
  Delay(0);
  Delay(-5);
  EXPECT_LT(t.elapsed(), 50);
}

class CommsWorkerRealTimings : public CommsWorker {
 protected:
  USBcomms::Timings Timings() override { return {}; }
};

TEST_F(CommsWorkerRealTimings, ShutdownEndsPromptlyWhileTheWorkerSitsInARead) {
  ASSERT_TRUE(Connected());
  QThread::msleep(100);  // the silent unit leaves the worker in its 2 s read
  QElapsedTimer t;
  t.start();
  comms.Shutdown();
  EXPECT_TRUE(comms.isFinished());
  EXPECT_LT(t.elapsed(), 2500);
  EXPECT_EQ(usb.IsConnected(), 0);  // the worker closed the link on its way out
}

TEST_F(CommsWorker, ShutdownEndsPromptlyWhileTheWorkerWaitsForTheDrainStep) {
  ASSERT_TRUE(Connected());
  SendCommand("AT+STATS");
  // Keep the UI thread busy so that the worker blocks waiting for its drain step.
  QThread::msleep(300);
  QElapsedTimer t;
  t.start();
  const size_t before = client.lines.size();
  comms.Shutdown();
  EXPECT_TRUE(comms.isFinished());
  EXPECT_LT(t.elapsed(), 2500);
  EXPECT_EQ(client.lines.size(), before);  // nothing dispatched once stopping
}

TEST_F(CommsWorkerRealTimings, SearchesAboutOnceASecondWithNoUnit) {
  bus.Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !client.states.empty(); }));
  bus.ClearCalls();
  QElapsedTimer t;
  t.start();
  WaitUntil([] { return false; }, 2600);
  const auto names = bus.CallNames();
  const auto opens = std::count(names.begin(), names.end(), "get_busses");
  // Two identifier pairs per pass, a pass about every second.
  EXPECT_GE(opens, 2);
  EXPECT_LE(opens, 8);
  EXPECT_EQ(client.LastState(), 0);
}

}  // namespace
}  // namespace wr
