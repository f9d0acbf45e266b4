#include "link/line_queue.h"

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

int LineQueue::GetLine(int channel, char* out) {
  if (!ValidChannel(channel)) return 0;
  Channel& ch = channels_[channel];

  bool started = ch.continuing;
  int stored = 0;
  int pos = ch.readIndex;
  for (int scanned = 0; scanned < ch.unread; ++scanned) {
    if (pos >= kChannelSize) pos = 0;
    const auto byte = static_cast<int8_t>(ch.buffer[pos]);  // 0x80..0xFF count as control bytes
    if (!started && byte > 32) started = true;
    bool ends = started && byte < 32;
    if (ends && stored == 0) {
      // A cut line whose rest is only its terminator: nothing more to return.
      started = false;
      ends = false;
    }
    if (ends || stored == kMaxLineLength) {
      // A line that fills the buffer is cut here and the byte that would
      // follow stays queued as the start of the next piece, so nothing of an
      // overlong line is lost. A terminator is consumed.
      const int consumed = ends ? scanned + 1 : scanned;
      ch.continuing = !ends;
      ch.readIndex = (ch.readIndex + consumed) % kChannelSize;
      ch.unread -= consumed;
      out[stored] = '\0';
      return stored;
    }
    if (started) out[stored++] = static_cast<char>(byte);
    ++pos;
  }
  // No complete line. A full channel without one can never yield one: empty it.
  if (ch.unread >= kChannelSize) {
    ch.readIndex = ch.writeIndex % kChannelSize;
    ch.unread = 0;
    ch.continuing = false;
  }
  out[0] = '\0';
  return 0;
}

}  // namespace wr
