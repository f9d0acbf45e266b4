// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The line queue fed arbitrary byte streams, with lines taken at varying
// intervals. Every returned line must be printable text of allowed length,
// the unread count must stay within the channel, and as long as nothing was
// dropped for a full channel, the lines must match a plain streaming split of
// the same bytes, wherever the ring happened to wrap.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "linequeue/line_queue.h"

// The checking code is kept out of the coverage hooks: the fuzzer learns from
// the queue's branches, and the hooks in the checks would only slow it down.
#ifdef __clang__
#define WR_FUZZ_HELPER __attribute__((no_sanitize("coverage")))
#else
#define WR_FUZZ_HELPER
#endif

namespace {

using wr::LineQueue;

// The queue's line rules without the ring: a line starts at the first byte
// above a blank, ends at a control byte or a byte of 128 and above, and a line
// that reaches the buffer's limit is handed out in pieces, nothing skipped.
class StreamSplitter {
 public:
  WR_FUZZ_HELPER void Put(uint8_t byte) {
    const auto b = static_cast<int8_t>(byte);
    if (started_ && b < 32) {
      Emit();
      return;
    }
    if (started_ && static_cast<int>(current_.size()) == LineQueue::kMaxLineLength) {
      // The next piece starts with this very byte, blanks included.
      lines.push_back(current_);
      current_.clear();
    }
    if (!started_ && b > 32) started_ = true;
    if (started_) current_ += static_cast<char>(byte);
  }
  std::vector<std::string> lines;

 private:
  WR_FUZZ_HELPER void Emit() {
    lines.push_back(current_);
    current_.clear();
    started_ = false;
  }
  bool started_ = false;
  std::string current_;
};

WR_FUZZ_HELPER void Check(bool ok) {
  if (!ok) std::abort();
}

WR_FUZZ_HELPER void TakeLines(LineQueue& queue, int channel, std::vector<std::string>& got) {
  char out[LineQueue::kLineBufferSize + 1];
  for (;;) {
    // Guard bytes past the longest line and its terminator.
    out[LineQueue::kLineBufferSize - 1] = 0x55;
    out[LineQueue::kLineBufferSize] = 0x55;
    const int before = queue.UnreadCount(channel);
    const int n = queue.GetLine(channel, out);
    const int after = queue.UnreadCount(channel);
    Check(after >= 0 && after <= before);
    Check(out[LineQueue::kLineBufferSize - 1] == 0x55);  // never writes past the line's room
    Check(out[LineQueue::kLineBufferSize] == 0x55);
    if (n == 0) {
      Check(out[0] == '\0');
      return;
    }
    Check(n >= 1 && n <= LineQueue::kMaxLineLength);
    Check(out[n] == '\0');
    for (int i = 0; i < n; ++i) {
      const auto c = static_cast<unsigned char>(out[i]);
      Check(c >= 0x20 && c <= 0x7F);
    }
    // A line consumes at least its own characters.
    Check(before - after >= n);
    got.emplace_back(out, static_cast<size_t>(n));
  }
}

}  // namespace

// The queue lives across inputs and is only emptied between them, so that
// its ring position moves on and every input meets the wrap at another point;
// replaying the inputs in the same order reproduces a finding.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // Byte 0: how often lines are taken (255: only at the end, so a long input
  // can fill the channel) and which channel. Byte 1 = 255: the payload goes in
  // sixteen times, enough to overflow the channel.
  const int every = data[0] == 255 ? 0 : ((data[0] & 0x7F) + 1) * 8;
  const int channel = data[0] & 0x80 ? 0 : LineQueue::kReceiveChannel;
  const int repeats = data[1] == 255 ? 16 : 1;
  const uint8_t* payload = data + 2;
  const size_t length = size - 2;

  static LineQueue* const queue = new LineQueue();
  std::vector<std::string> got;
  for (int ch = 0; ch < 2; ++ch) {
    // End whatever the last input left half-way and take it out.
    for (int guard = 0; queue->UnreadCount(ch) > 0; ++guard) {
      Check(guard < 4);
      queue->PutByte(ch, 'x');
      queue->PutByte(ch, '\n');
      TakeLines(*queue, ch, got);
    }
  }
  got.clear();

  StreamSplitter reference;
  bool dropped = false;
  int sinceTake = 0;
  // The count the queue must report: every byte is kept until the channel is full.
  auto checkCount = [&](int put) {
    const int expected = std::min(put, LineQueue::kChannelSize);
    Check(queue->UnreadCount(channel) == expected);
    if (put >= LineQueue::kChannelSize) dropped = true;  // full: dropped, or emptied by the take
  };
  int pending = 0;
  for (int r = 0; r < repeats; ++r) {
    for (size_t i = 0; i < length; ++i) {
      queue->PutByte(channel, payload[i]);
      ++pending;
      reference.Put(payload[i]);
      if (every && ++sinceTake >= every) {
        sinceTake = 0;
        checkCount(pending);
        TakeLines(*queue, channel, got);
        pending = queue->UnreadCount(channel);
      }
    }
  }
  checkCount(pending);
  TakeLines(*queue, channel, got);

  // The other channel and channels that do not exist stay empty.
  char out[LineQueue::kLineBufferSize];
  Check(queue->UnreadCount(1 - channel) == 0);
  Check(queue->GetLine(1 - channel, out) == 0);
  Check(queue->UnreadCount(2) == 0 && queue->UnreadCount(-1) == 0);
  queue->PutByte(2, 'x');
  queue->PutByte(-1, 'x');
  Check(queue->GetLine(2, out) == 0 && queue->GetLine(-1, out) == 0);

  if (!dropped) Check(got == reference.lines);
  return 0;
}
