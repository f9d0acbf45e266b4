#pragma once
// Sending command lines and waiting while replies keep arriving.
#include <functional>
#include <string_view>

namespace wr {

class Prompts;
class TerminalSink;
class TfrmUSB;
class USBcomms;

// The process-wide link objects. main() (or a test fixture) fills this in.
struct LinkContext {
  TfrmUSB* usb = nullptr;
  USBcomms* comms = nullptr;
  TerminalSink* terminal = nullptr;
  Prompts* prompts = nullptr;
};
LinkContext& Link();

// Writes one command line and echoes it in the terminal as "->" and the text.
// Never waits for an answer; a failed write is not reported.
void SendCommand(std::string_view text);

// Returns after at least ms milliseconds, having run timers, input and the
// worker's drain steps meanwhile. Delay(0) returns at once, and so does any
// Delay once the application has been told to quit.
void Delay(int ms);

enum class CommandOutcome { Ok, Error, Disconnected, TimedOut, Stopped };

// Clears the OK and ERROR flags, writes the line (without a terminal echo),
// and waits until the unit answers OK or ERROR, the link drops, timeoutMs
// passes or stop() holds; Stopped also when the application has been told to
// quit, as nothing would answer the wait any more. The wait wakes on every drain step and on
// USBcomms::WakeWaiters(), never on a fixed polling step.
CommandOutcome SendLineAndWait(std::string_view line, int timeoutMs,
                               const std::function<bool()>& stop = {});

// The waiting half of SendLineAndWait: waits, without clearing the flags or
// writing anything, for the answer to a line already sent.
CommandOutcome WaitForOutcome(int timeoutMs, const std::function<bool()>& stop = {});

// Waits after a batch of commands until the unit has been quiet for a while:
// Delay(1000), then Delay(250) while the quiet time is below 250 ms. Ends at
// once when the application has been told to quit.
void WaitForQuiet();

}  // namespace wr
