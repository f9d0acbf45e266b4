// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linequeue/line_queue.h"

#include <cstring>

namespace wr {

void LineQueue::PutByte(int channel, uint8_t byte) {
  if (!ValidChannel(channel)) return;
  Channel& ch = channels_[channel];
  if (ch.writeIndex >= kChannelSize) ch.writeIndex = 0;
  // A full channel loses new bytes, never old ones.
  if (ch.unread >= kChannelSize) return;
  ch.buffer[ch.writeIndex++] = byte;
  ++ch.unread;
}

int LineQueue::UnreadCount(int channel) const {
  return ValidChannel(channel) ? channels_[channel].unread : 0;
}

void LineQueue::Discard(int channel) {
  if (!ValidChannel(channel)) return;
  Channel& ch = channels_[channel];
  ch.readIndex = ch.writeIndex;
  ch.unread = 0;
  ch.continuing = false;
  ch.scanned = 0;
  ch.lineStart = -1;
}

void LineQueue::Consume(Channel& ch, int count) {
  ch.readIndex = (ch.readIndex + count) % kChannelSize;
  ch.unread -= count;
  ch.scanned = 0;
  ch.lineStart = -1;
}

int LineQueue::GetLine(int channel, char* out) {
  if (!ValidChannel(channel)) return 0;
  Channel& ch = channels_[channel];

  int scanned = ch.scanned;
  int lineStart = ch.lineStart;
  int pos = (ch.readIndex + scanned) % kChannelSize;
  for (; scanned < ch.unread; ++scanned, ++pos) {
    if (pos >= kChannelSize) pos = 0;
    const auto byte = static_cast<int8_t>(ch.buffer[pos]);  // 0x80..0xFF count as control bytes
    if (lineStart < 0) {
      // After a cut the next piece begins at once, blanks included.
      const bool resumes = ch.continuing && scanned == 0 && byte >= 32;
      if (byte > 32 || resumes) lineStart = scanned;
      continue;
    }
    const int length = scanned - lineStart;
    const bool ends = byte < 32;
    if (ends || length == kMaxLineLength) {
      // A line that fills the buffer is cut here and the byte that would
      // follow stays queued as the start of the next piece, so nothing of an
      // overlong line is lost. A terminator is consumed.
      const int from = (ch.readIndex + lineStart) % kChannelSize;
      const int first = length < kChannelSize - from ? length : kChannelSize - from;
      std::memcpy(out, ch.buffer + from, static_cast<size_t>(first));
      std::memcpy(out + first, ch.buffer, static_cast<size_t>(length - first));
      out[length] = '\0';
      ch.continuing = !ends;
      Consume(ch, ends ? scanned + 1 : scanned);
      return length;
    }
  }
  ch.scanned = scanned;
  ch.lineStart = lineStart;
  // No complete line. A full channel without one can never yield one: empty it.
  if (ch.unread >= kChannelSize) {
    Consume(ch, ch.unread);
    ch.continuing = false;
  }
  out[0] = '\0';
  return 0;
}

}  // namespace wr
