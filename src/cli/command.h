// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One command of the tool: its words ("profile apply"), its usage and help,
// its own options, and the function that runs it on the command thread.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"

namespace wr::cli {

class CliContext;

struct Command {
  std::string_view words;     // "settings set"
  std::string_view arguments; // "KEY=VALUE ...", for the usage line
  std::string_view summary;   // one line for the overview
  std::string_view help;      // a paragraph for COMMAND --help; may be empty
  std::vector<OptionSpec> options;
  size_t minArguments = 0;
  size_t maxArguments = 0;    // SIZE_MAX: any number
  // Returns the exit code.
  std::function<int(CliContext&, const ParsedArguments&)> run;
};

// Every command, in the order the help lists them. Each comes from the file
// that implements it.
std::vector<Command> AllCommands();

Command ListCommand();
Command StatusCommand();
Command SettingsGetCommand();
Command SettingsSetCommand();
Command ProfileSaveCommand();
Command ProfileDiffCommand();
Command ProfileApplyCommand();
Command TripsCommand();
Command TripsDeleteCommand();
Command UpgradeCommand();
Command RebootCommand();
Command FactoryResetCommand();
Command DefaultsCommand();
Command OutputCommand();
Command SendCommand();
Command ProvisionCommand();

// The option every command that asks a question takes.
OptionSpec YesOption(std::string_view help);

}  // namespace wr::cli
