// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The command-line tool as a function: reads the arguments, chooses the
// command, and runs it on a thread of its own while this thread waits and
// watches for Ctrl+C. Needs a QCoreApplication.
#include <string>
#include <vector>

namespace wr {
class UsbApi;
}

namespace wr::cli {

class Console;
class Interrupt;

struct CliEnvironment {
  Console* console = nullptr;
  // Used instead of USB and --simulate when given (tests).
  UsbApi* api = nullptr;
  // Requested by tests; when empty, one is made that catches SIGINT and SIGTERM.
  Interrupt* interrupt = nullptr;
};

// args without the program name; returns the exit code.
int RunCli(const std::vector<std::string>& args, const CliEnvironment& environment);

// The overview that --help prints, which is also the manual page's source.
std::string OverviewHelp();

}  // namespace wr::cli
