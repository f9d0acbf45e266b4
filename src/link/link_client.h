// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the worker's drain step reports to: the unit session that owns it.
#include <cstdint>
#include <string_view>
#include <vector>

namespace wr {

class LinkClient {
 public:
  virtual ~LinkClient() = default;
  // Called on every drain step, before its lines, with the link's connected
  // value (0 or 1).
  virtual void SetConnectionState(int connected) = 0;
  // Every complete line of the drain step, in arrival order, completion
  // marks included.
  virtual void ProcessLine(std::string_view line) = 0;
  // Lines handed to the link whose write failed since the last drain step;
  // called after SetConnectionState, before the lines.
  virtual void WritesFailed(const std::vector<uint64_t>& tickets) { (void)tickets; }
  // With device events: a unit of ours was added or removed since the last
  // drain step (called after SetConnectionState, before the lines).
  virtual void DevicesChanged() {}
  // After the drain step's last line.
  virtual void DrainFinished() = 0;
};

}  // namespace wr
