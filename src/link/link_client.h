#pragma once
// What the drain step reports to: the main window and the debug terminal.
#include <string>
#include <string_view>

namespace wr {

class LinkClient {
 public:
  virtual ~LinkClient() = default;
  // Called on every drain step with the link's connected value (0 or 1).
  virtual void SetConnectionState(int connected) = 0;
  // Every line that is not a completion mark, in arrival order.
  virtual void DispatchReplyLine(const std::string& line) = 0;
};

class TerminalSink {
 public:
  virtual ~TerminalSink() = default;
  // One line of traffic: a received line as it came, or "->" and a command.
  virtual void AppendLine(std::string_view line) = 0;
};

}  // namespace wr
