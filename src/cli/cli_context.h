#pragma once
// What every command is given: the console, the USB access (real or
// simulated), the global options and the interrupt, and the ways a command
// reports: data on standard output, one line per failure on standard error.
#include <QJsonDocument>

#include <optional>
#include <string>
#include <string_view>

#include "cli/console.h"
#include "cli/exit_code.h"
#include "cli/interrupt.h"
#include "usb/usb_location.h"

namespace wr {
class UsbApi;
}

namespace wr::cli {

inline constexpr std::string_view kProgramName = "wayrunner-cli";

struct GlobalOptions {
  int simulate = 0;  // simulated units; 0 for USB
  std::optional<UsbLocation> device;
  bool json = false;
  bool quiet = false;
  // How long to wait for a unit to appear.
  int timeoutMs = 5000;
};

class CliContext {
 public:
  CliContext(Console& console, UsbApi& api, GlobalOptions options, Interrupt& interrupt)
      : console_(console), api_(api), options_(options), interrupt_(interrupt) {}

  Console& Io() { return console_; }
  UsbApi& Api() { return api_; }
  const GlobalOptions& Options() const { return options_; }
  bool Json() const { return options_.json; }
  bool Quiet() const { return options_.quiet; }
  Interrupt& Stop() { return interrupt_; }
  bool Interrupted() const { return interrupt_.Requested(); }

  // "wayrunner-cli: message" on standard error; returns code.
  int Fail(int code, std::string_view message);
  // A message for the user on standard error, unless quiet.
  void Note(std::string_view message);
  // Text on standard output.
  void Print(std::string_view text) { console_.Out(text); }
  void PrintJson(const QJsonDocument& document);
  // Asks a yes/no question on the terminal; nothing when no one can answer
  // it (standard input is no terminal, or was closed).
  std::optional<bool> Ask(std::string_view question);

 private:
  Console& console_;
  UsbApi& api_;
  GlobalOptions options_;
  Interrupt& interrupt_;
};

// "001:002", as the bus and device address are shown everywhere.
std::string LocationText(const UsbLocation& location);
// "1:2" or "001:002"; nothing for anything else.
std::optional<UsbLocation> ParseLocation(std::string_view text);

}  // namespace wr::cli
