// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linequeue/line_queue.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace wr {
namespace {

constexpr int kRx = LineQueue::kReceiveChannel;

class LineQueueTest : public ::testing::Test {
 protected:
  void Put(const std::string& bytes, int channel = kRx) {
    for (char c : bytes) queue->PutByte(channel, static_cast<uint8_t>(c));
  }
  std::string Get(int channel = kRx) {
    char out[LineQueue::kLineBufferSize];
    const int n = queue->GetLine(channel, out);
    EXPECT_EQ(std::string(out).size(), static_cast<size_t>(n));
    return std::string(out, n);
  }
  std::unique_ptr<LineQueue> queue = std::make_unique<LineQueue>();
};

TEST_F(LineQueueTest, SplitsLinesAndSkipsLeadingJunk) {
  Put("OK\r\n  +STATS,1 \r\n\r\n\x01\xff+IP,2\r");
  EXPECT_EQ(Get(), "OK");
  EXPECT_EQ(Get(), "+STATS,1 ");  // inner and trailing blanks are kept
  EXPECT_EQ(Get(), "+IP,2");
  EXPECT_EQ(Get(), "");
  EXPECT_EQ(queue->UnreadCount(kRx), 0);
}

TEST_F(LineQueueTest, KeepsAPartialLineUntilItsEndArrives) {
  Put("\r\n+INFO:Ver");
  EXPECT_EQ(Get(), "");
  EXPECT_EQ(queue->UnreadCount(kRx), 11);  // nothing consumed, junk included
  Put("sion:1.003\r");
  EXPECT_EQ(Get(), "+INFO:Version:1.003");
  EXPECT_EQ(Get(), "");
}

TEST_F(LineQueueTest, HighBytesNulAndControlsEndALine) {
  Put(std::string("ab\x80" "cd\0ef\x1b", 9));
  EXPECT_EQ(Get(), "ab");
  EXPECT_EQ(Get(), "cd");
  EXPECT_EQ(Get(), "ef");
}

TEST_F(LineQueueTest, LongLinesComeInPiecesWithoutLosingACharacter) {
  std::string line;
  for (int i = 0; i < 2500; ++i) line += static_cast<char>('!' + i % 90);
  Put(line + "\r");
  EXPECT_EQ(Get(), line.substr(0, 1998));
  EXPECT_EQ(Get(), line.substr(1998));
  EXPECT_EQ(Get(), "");

  // Blanks right at a cut belong to the next piece.
  std::string blanks = std::string(1998, 'a') + "  b" + std::string(1995, 'c');
  Put(blanks + "\r");
  EXPECT_EQ(Get(), blanks.substr(0, 1998));
  EXPECT_EQ(Get(), blanks.substr(1998));
  EXPECT_EQ(Get(), "");

  std::string exact(1998, 'x');
  Put(exact + "\r" + "next\r");
  EXPECT_EQ(Get(), exact);
  EXPECT_EQ(Get(), "next");
}

TEST_F(LineQueueTest, AFullChannelDropsNewBytesAndEmptiesWhenLineless) {
  Put("A\r");
  Put(std::string(LineQueue::kChannelSize, 'x'));
  EXPECT_EQ(queue->UnreadCount(kRx), LineQueue::kChannelSize);
  EXPECT_EQ(Get(), "A");  // old bytes survive; the overflow was dropped
  // Now 29998 x's without an end: lines of 1998 come out until the rest is partial.
  int pieces = 0;
  while (Get().size() == 1998) ++pieces;
  EXPECT_EQ(pieces, 15);
  EXPECT_GT(queue->UnreadCount(kRx), 0);

  auto fresh = std::make_unique<LineQueue>();
  queue.swap(fresh);
  Put(std::string(LineQueue::kChannelSize, '\r'));
  EXPECT_EQ(Get(), "");
  EXPECT_EQ(queue->UnreadCount(kRx), 0);  // a full channel without a line is emptied
  Put("ok\r");
  EXPECT_EQ(Get(), "ok");
}

TEST_F(LineQueueTest, WrapsAroundTheRing) {
  for (int round = 0; round < 50; ++round) {
    const std::string line = "+STATS," + std::to_string(round) + std::string(900, 'y');
    Put(line + "\r\n");
    EXPECT_EQ(Get(), line);
  }
}

TEST_F(LineQueueTest, ChannelsAreSeparateAndOthersIgnored) {
  Put("zero\r", 0);
  Put("one\r", 1);
  Put("two\r", 2);
  EXPECT_EQ(Get(1), "one");
  EXPECT_EQ(Get(0), "zero");
  EXPECT_EQ(queue->UnreadCount(2), 0);
  char out[LineQueue::kLineBufferSize];
  EXPECT_EQ(queue->GetLine(-1, out), 0);
}

}  // namespace
}  // namespace wr
