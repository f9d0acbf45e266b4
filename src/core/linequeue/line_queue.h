// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Fixed ring of received bytes from which whole text lines are taken.
// Written only by the worker's read and read only by the drain step, which
// never run at the same time, so it needs no lock.
#include <cstdint>

namespace wr {

class LineQueue {  // fixed storage, no allocation
 public:
  static constexpr int kChannelSize = 30000;
  static constexpr int kLineBufferSize = 2000;
  static constexpr int kMaxLineLength = kLineBufferSize - 2;
  static constexpr int kReceiveChannel = 1;

  void PutByte(int channel, uint8_t byte);
  // Copies the next complete line, zero-terminated and without its end, into
  // out (kLineBufferSize bytes) and returns its length; 0 when none is queued.
  int GetLine(int channel, char* out);
  int UnreadCount(int channel) const;
  // Drops every unread byte, e.g. the unfinished line of a connection that
  // has gone, so it cannot run into the first line of the next one.
  void Discard(int channel);

 private:
  struct Channel {
    uint8_t buffer[kChannelSize];
    int writeIndex = 0;
    int readIndex = 0;
    int unread = 0;
    // The last line was cut at the length limit: the next piece starts with
    // the very next byte, blanks included.
    bool continuing = false;
    // Where the last scan that found no complete line stopped, relative to
    // readIndex, and where the line it saw began (-1: not begun), so a long
    // partial line is not scanned again from its start on every call.
    int scanned = 0;
    int lineStart = -1;
  };
  static void Consume(Channel& ch, int count);
  static bool ValidChannel(int channel) { return channel == 0 || channel == 1; }
  Channel channels_[2] = {};
};

}  // namespace wr
