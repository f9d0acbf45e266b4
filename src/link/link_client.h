#pragma once
// What the worker's drain step reports to: the unit session that owns it.
#include <string_view>

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
  // After the drain step's last line.
  virtual void DrainFinished() = 0;
};

}  // namespace wr
