// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The session's command queue and the operations on it, against the
// simulated unit on a real event loop: what ends a command, the order and
// the pauses, cancelling, and a queue that never blocks its thread.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "session/command_queue.h"
#include "session/operation.h"
#include "session/unit_session.h"
#include "sim/simulated_bus.h"

namespace wr {
namespace {

using End = UnitCommand::End;

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnitSession::Options options;
    options.timings = {50, 250, 250, true};
    options.queryOnConnect = false;
    session = std::make_unique<UnitSession>(bus, options);
    session->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session->ConnectionState() == 1; }, 8000));
  }
  void TearDown() override { session->Shutdown(); }

  UnitCommand Command(std::string line, End end, std::vector<std::string> replies = {}) {
    UnitCommand c;
    c.line = std::move(line);
    c.end = end;
    c.replies = std::move(replies);
    c.quietMs = 50;
    c.timeoutMs = 3000;
    return c;
  }
  // Runs one command to its end.
  CommandResult Run(UnitCommand command) {
    std::optional<CommandResult> result;
    session->Queue().Submit(std::move(command), [&](CommandResult r) { result = r; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 8000));
    return result.value_or(CommandResult::Cancelled);
  }
  // What the unit has received once the link has written everything handed to it.
  std::vector<std::string> Delivered() {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !session->WritesPending(); }, 5000));
    return bus.Unit().ReceivedLines();
  }
  size_t Received(const std::string& line) {
    return bus.Unit().ReceivedCount([&](const std::string& l) { return l == line; });
  }

  SimulatedBus bus;
  std::unique_ptr<UnitSession> session;
};

TEST_F(QueueTest, EachKindOfEndGivesItsResult) {
  struct Case {
    const char* what;
    UnitCommand command;
    CommandResult expected;
  };
  const Case cases[] = {
      {"mark OK", Command("AT+STATS", End::Mark), CommandResult::Ok},
      {"mark ERROR", Command("AT+BOGUS", End::Mark), CommandResult::Error},
      {"written", Command("AT+STATS", End::Written), CommandResult::Written},
      {"every reply", Command("AT+STATS", End::Replies, {"+STATS,"}), CommandResult::Replied},
      // A reply that never comes: once the line has its mark, the quiet wait.
      {"reply missing", Command("AT+TRACK?", End::Replies, {"+TRACK,", "+GPRS,"}),
       CommandResult::Quiet},
      // A reply nobody asked for: the quiet wait too.
      {"unexpected", Command("AT+STATS", End::Replies, {"+TRACK,"}), CommandResult::Quiet},
      {"quiet", Command("AT+STATS", End::Quiet), CommandResult::Quiet},
      {"wait only", Command("", End::Quiet), CommandResult::Quiet},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.command), c.expected) << c.what;
    EXPECT_TRUE(session->Queue().Idle()) << c.what;
  }
}

TEST_F(QueueTest, AnUnansweredLineIsRetriedThenTimesOutAndADropEndsTheWait) {
  bus.Unit().SetNeverAnswer(true);
  bus.Unit().ClearReceived();
  UnitCommand c = Command("AT+STATS", End::Mark);
  c.timeoutMs = 100;
  c.retries = 2;
  EXPECT_EQ(Run(c), CommandResult::TimedOut);
  EXPECT_EQ(Received("AT+STATS"), 3u);

  // The lost answers are owed no longer than the answers wait.
  session->ForgetOutstanding();
  c.timeoutMs = 10000;
  c.retries = 0;
  QTimer::singleShot(100, [&] { bus.Unplug(); });
  EXPECT_EQ(Run(c), CommandResult::Disconnected);
  EXPECT_EQ(Run(Command("AT+STATS", End::Written)), CommandResult::Disconnected);
}

TEST_F(QueueTest, LinesGoOutInOrderWithTheirPausesWithoutHoldingTheThread) {
  bus.Unit().ClearReceived();
  std::vector<std::pair<std::string, qint64>> ended;
  QElapsedTimer clock;
  clock.start();
  CommandQueue& queue = session->Queue();
  for (const auto& [line, pause] : {std::pair<std::string, int>{"AT+RELAY=1", 300},
                                    {"AT+BUZZER=1", 0}, {"AT+3V3=1", 200}, {"AT+STATS", 0}}) {
    UnitCommand c = Command(line, line == "AT+STATS" ? End::Mark : End::Written);
    c.pauseAfterMs = pause;
    queue.Submit(c, [&ended, &clock, line = line](CommandResult) {
      ended.emplace_back(line, clock.elapsed());
    });
  }
  // Submitting returned at once: only the first line is out.
  EXPECT_LT(clock.elapsed(), 100);
  ASSERT_EQ(ended.size(), 1u);
  QSignalSpy idle(&queue, &CommandQueue::idle);
  ASSERT_TRUE(idle.wait(5000));
  EXPECT_EQ(Delivered(),
            (std::vector<std::string>{"AT+RELAY=1", "AT+BUZZER=1", "AT+3V3=1", "AT+STATS"}));
  ASSERT_EQ(ended.size(), 4u);
  EXPECT_GE(ended[1].second - ended[0].second, 300);
  EXPECT_GE(ended[3].second - ended[2].second, 200);
}

TEST_F(QueueTest, CancelDropsWhatHasNotGoneOut) {
  bus.Unit().ClearReceived();
  CommandQueue& queue = session->Queue();
  UnitCommand first = Command("AT+RELAY=1", End::Written);
  first.pauseAfterMs = 200;
  std::vector<CommandResult> results;
  const auto record = [&](CommandResult r) { results.push_back(r); };
  queue.Submit(first, record);
  const uint64_t second = queue.Submit(Command("AT+BUZZER=1", End::Written), record);
  queue.Submit(Command("AT+3V3=1", End::Written), record);
  queue.Cancel(second);
  QSignalSpy idle(&queue, &CommandQueue::idle);
  ASSERT_TRUE(idle.wait(5000));
  EXPECT_EQ(results, (std::vector<CommandResult>{CommandResult::Written, CommandResult::Cancelled,
                                                 CommandResult::Written}));
  EXPECT_EQ(Delivered(), (std::vector<std::string>{"AT+RELAY=1", "AT+3V3=1"}));
}

TEST_F(QueueTest, AStepsOperationReportsProgressAndStopsWhenCancelled) {
  bus.Unit().ClearReceived();
  const std::vector<CommandStep> steps = {{"AT+RELAY=1", 100}, {"AT+BUZZER=1", 100}, {"AT+3V3=1", 0}};
  bool after = false;
  StepsOperation done(*session, steps, [&] { after = true; });
  QSignalSpy progress(&done, &Operation::progress);
  QSignalSpy finished(&done, &Operation::finished);
  done.Start();
  EXPECT_TRUE(done.Running());
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_EQ(progress.count(), 3);
  EXPECT_TRUE(after);
  EXPECT_TRUE(done.Result().done);
  EXPECT_EQ(Delivered().size(), 3u);

  // Cancelled during the first pause: the rest never goes out.
  bus.Unit().ClearReceived();
  StepsOperation cancelled(*session, steps);
  QSignalSpy cancelledEnd(&cancelled, &Operation::finished);
  cancelled.Start();
  cancelled.Cancel();
  ASSERT_EQ(cancelledEnd.count(), 1);
  EXPECT_TRUE(cancelled.Result().interrupted);
  ASSERT_TRUE(QTest::qWaitFor([&] { return session->Queue().Idle(); }, 5000));
  EXPECT_EQ(Delivered(), (std::vector<std::string>{"AT+RELAY=1"}));
}

}  // namespace
}  // namespace wr
