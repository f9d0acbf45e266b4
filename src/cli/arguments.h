// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The command line: options anywhere after the program name, "--" ending
// them, long options with "=value" or the next argument as value, short ones
// with the value attached or next. Each command declares its own options;
// the global ones are known everywhere.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wr::cli {

struct OptionSpec {
  std::string_view name;   // long name without "--"
  char shortName = 0;      // 0: none
  // "": a flag; otherwise the value's name for the help text.
  std::string_view valueName;
  std::string_view help;
  // A flag that may carry a value with "=" (--simulate or --simulate=3).
  bool optionalValue = false;
};

struct ParsedArguments {
  std::vector<std::string> positional;
  // Long name to value ("" for a flag given without one).
  std::map<std::string, std::string, std::less<>> options;

  bool Has(std::string_view name) const { return options.find(name) != options.end(); }
  std::optional<std::string> Value(std::string_view name) const;
};

// Parses args (without the program name) against the specs; false with a
// message for the user on an unknown option or a missing value.
bool ParseArguments(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                    ParsedArguments& out, std::string& error);

// Whether an argument is an option (a lone "-" is not).
bool IsOption(std::string_view arg);

// Whether the option with this spec takes the next argument as its value
// when given without "=".
bool TakesNextArgument(const OptionSpec& spec);

// The spec that a given option argument names ("--json", "-o", "-ofile",
// "--format=csv"), or nullptr.
const OptionSpec* FindOption(std::string_view arg, const std::vector<OptionSpec>& specs);

}  // namespace wr::cli
