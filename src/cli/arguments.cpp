// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/arguments.h"

#include "cli/cli_text.h"

namespace wr::cli {

std::optional<std::string> ParsedArguments::Value(std::string_view name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

bool IsOption(std::string_view arg) { return arg.size() > 1 && arg[0] == '-'; }

bool TakesNextArgument(const OptionSpec& spec) {
  return !spec.valueName.empty() && !spec.optionalValue;
}

const OptionSpec* FindOption(std::string_view arg, const std::vector<OptionSpec>& specs) {
  if (arg.substr(0, 2) == "--") {
    std::string_view name = arg.substr(2);
    name = name.substr(0, name.find('='));
    for (const OptionSpec& spec : specs)
      if (spec.name == name) return &spec;
    return nullptr;
  }
  if (arg.size() < 2 || arg[0] != '-') return nullptr;
  for (const OptionSpec& spec : specs)
    if (spec.shortName != 0 && spec.shortName == arg[1]) return &spec;
  return nullptr;
}

bool ParseArguments(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                    ParsedArguments& out, std::string& error) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || !IsOption(arg)) {
      out.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const OptionSpec* spec = FindOption(arg, specs);
    if (!spec) {
      error = Tr(QT_TRANSLATE_NOOP("wr::cli", "unknown option %1"), {arg.substr(0, arg.find('='))});
      return false;
    }
    const std::string shown = arg.substr(0, 2) == "--" ? "--" + std::string(spec->name)
                                                        : std::string("-") + spec->shortName;
    std::optional<std::string> value;
    if (arg.substr(0, 2) == "--") {
      const size_t eq = arg.find('=');
      if (eq != std::string::npos) value = arg.substr(eq + 1);
    } else if (arg.size() > 2) {
      value = arg.substr(2);
    }
    if (spec->valueName.empty()) {
      if (value) {
        error = Tr(QT_TRANSLATE_NOOP("wr::cli", "option %1 takes no value"), {shown});
        return false;
      }
      value = std::string();
    } else if (!value && !spec->optionalValue) {
      if (i + 1 >= args.size()) {
        error = Tr(QT_TRANSLATE_NOOP("wr::cli", "option %1 needs a value (%2)"), {shown, spec->valueName});
        return false;
      }
      value = args[++i];
    }
    out.options[std::string(spec->name)] = value.value_or(std::string());
  }
  return true;
}

}  // namespace wr::cli
