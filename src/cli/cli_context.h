// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What every command is given: the console, the USB access (real or
// simulated), the global options and the interrupt, and the ways a command
// reports: data on standard output, one line per failure on standard error.
//
// With --json, standard output holds one JSON object per run: the command's
// document, or (on failure) an object naming the error, its exit code and,
// where one applies, the setting key and the unit; a failure after the
// document was made adds those members to it. Every object carries the
// version of its schema.
#include <QJsonObject>

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/console.h"
#include "cli/exit_code.h"
#include "cli/interrupt.h"
#include "usb/usb_location.h"

namespace wr {
class UsbApi;
}

namespace wr::cli {

inline constexpr std::string_view kProgramName = "wayrunner-cli";

// The "schema" member of every JSON object the tool prints. A member is
// never renamed, removed or given another type without a new number; new
// members may appear within one.
inline constexpr int kJsonSchemaVersion = 1;

// The JSON object for a failure that stops the tool before a command runs
// (a usage error): error, exit_code and schema.
QJsonObject JsonError(int code, std::string_view message);

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

  // "wayrunner-cli: message" on standard error; returns code. With --json
  // the message also goes into the error object.
  int Fail(int code, std::string_view message);
  // The same, for a failure that concerns one setting key (none when empty).
  int FailKey(int code, std::string_view key, std::string_view message);
  // The unit the command works on, for the error object ("device": its bus
  // address, "device_id" once it has said it).
  void SetUnit(const UsbLocation& location, const std::string& deviceId = {});
  // A message for the user on standard error, unless quiet.
  void Note(std::string_view message);
  // Text on standard output.
  void Print(std::string_view text) { console_.Out(text); }
  // The command's JSON document: kept, and printed (with the schema
  // version and any failure) when the command ends.
  void PrintJson(QJsonObject document);
  // One compact document on a line of its own, printed at once (watching).
  void PrintJsonLine(QJsonObject document);
  // After the command ended with code: with --json, prints its document, or
  // the error object when it failed without one.
  void FinishJson(int code);
  // Asks a yes/no question on the terminal; nothing when no one can answer
  // it (standard input is no terminal, or was closed).
  std::optional<bool> Ask(std::string_view question);

 private:
  int Failed(int code, std::string_view message, const std::string* key);

  Console& console_;
  UsbApi& api_;
  GlobalOptions options_;
  Interrupt& interrupt_;

  // The JSON state: written on the command's thread, read by FinishJson
  // after that thread ended.
  mutable std::mutex json_mutex_;
  std::optional<QJsonObject> document_;
  bool streamed_ = false;  // documents went out line by line
  std::vector<std::string> failures_;
  std::string failedKey_;
  std::string device_, deviceId_;
};

// "001:002", as the bus and device address are shown everywhere.
std::string LocationText(const UsbLocation& location);
// "1:2" or "001:002"; nothing for anything else.
std::optional<UsbLocation> ParseLocation(std::string_view text);

}  // namespace wr::cli
