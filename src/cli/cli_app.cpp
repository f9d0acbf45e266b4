// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/cli_app.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QThread>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <mutex>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/console.h"
#include "cli/exit_code.h"
#include "cli/interrupt.h"
#include "sim/simulated_units.h"
#include "session/translations.h"
#include "session/system_usb.h"
#include "version.h"

namespace wr::cli {
namespace {

const std::vector<OptionSpec>& GlobalOptionSpecs() {
  static const std::vector<OptionSpec> specs = {
      {"simulate", 0, "N",
       QT_TRANSLATE_NOOP("wr::cli", "use N simulated units (default 1) instead of USB, each with "
                                    "its own device id and bus address"),
       true},
      {"device", 0, "BUS:ADDR",
       QT_TRANSLATE_NOOP("wr::cli", "the unit at this bus and device address, as 'list' shows "
                                    "them; without it the only unit attached is used")},
      {"json", 0, "", QT_TRANSLATE_NOOP("wr::cli", "machine-readable output: one JSON object, also on failure")},
      {"timeout", 0, "SECONDS", QT_TRANSLATE_NOOP("wr::cli", "how long to wait for a unit to appear (default 5)")},
      {"quiet", 'q', "", QT_TRANSLATE_NOOP("wr::cli", "no progress output and no notes")},
      {"help", 'h', "", QT_TRANSLATE_NOOP("wr::cli", "show this help (or a command's: COMMAND --help) and exit")},
      {"version", 0, "", QT_TRANSLATE_NOOP("wr::cli", "show the version and exit")},
  };
  return specs;
}

std::string OptionUsage(const OptionSpec& spec) {
  std::string text = spec.shortName ? std::string("-") + spec.shortName + ", " : "    ";
  text += "--" + std::string(spec.name);
  if (!spec.valueName.empty())
    text += spec.optionalValue ? "[=" + std::string(spec.valueName) + "]"
                               : " " + std::string(spec.valueName);
  return text;
}

void AppendOptions(std::string& text, const std::vector<OptionSpec>& specs) {
  size_t width = 0;
  for (const OptionSpec& spec : specs) width = std::max(width, OptionUsage(spec).size());
  for (const OptionSpec& spec : specs) {
    const std::string usage = OptionUsage(spec);
    text += "  " + usage + std::string(width - usage.size() + 2, ' ') + Tr(spec.help) +
            "\n";
  }
}

std::string CommandUsage(const Command& command) {
  std::string text(command.words);
  for (const OptionSpec& spec : command.options) {
    text += " [";
    if (spec.shortName)
      text += std::string("-") + spec.shortName;
    else
      text += "--" + std::string(spec.name);
    if (!spec.valueName.empty()) text += " " + std::string(spec.valueName);
    text += "]";
  }
  if (!command.arguments.empty()) text += " " + std::string(command.arguments);
  return text;
}

std::string CommandHelp(const Command& command) {
  std::string text = Tr(QT_TRANSLATE_NOOP("wr::cli", "Usage:")) + " " + std::string(kProgramName) +
                     " " + Tr(QT_TRANSLATE_NOOP("wr::cli", "[options]")) + " " +
                     CommandUsage(command) + "\n" + Tr(command.summary) + "\n";
  if (!command.help.empty()) text += "\n" + Tr(command.help) + "\n";
  if (!command.options.empty()) {
    text += "\n" + Tr(QT_TRANSLATE_NOOP("wr::cli", "Options:")) + "\n";
    AppendOptions(text, command.options);
  }
  text += "\n" + Tr(QT_TRANSLATE_NOOP("wr::cli", "Global options:")) + "\n";
  AppendOptions(text, GlobalOptionSpecs());
  return text;
}

// The command named by the first one or two words; nothing when none is.
const Command* FindCommand(const std::vector<Command>& commands,
                           const std::vector<std::string>& words, size_t& used) {
  const Command* found = nullptr;
  for (const Command& command : commands) {
    const std::string_view name = command.words;
    const size_t space = name.find(' ');
    if (space == std::string_view::npos) {
      if (!words.empty() && words[0] == name && !found) {
        found = &command;
        used = 1;
      }
    } else if (words.size() >= 2 && words[0] == name.substr(0, space) &&
               words[1] == name.substr(space + 1)) {
      // Two words win over one ("trips delete" over "trips").
      found = &command;
      used = 2;
      break;
    }
  }
  return found;
}

// With json, standard output gets the error object too.
int UsageError(Console& console, bool json, std::string_view message, std::string_view hint) {
  console.Err(std::string(kProgramName) + ": " + std::string(message) + "\n");
  console.Err(Tr(QT_TRANSLATE_NOOP("wr::cli", "Try '%1 %2'."), {kProgramName, hint}) + "\n");
  if (json)
    console.Out(QJsonDocument(JsonError(kExitUsage, message)).toJson().toStdString());
  return kExitUsage;
}

bool ReadGlobalOptions(const ParsedArguments& parsed, GlobalOptions& options, std::string& error) {
  if (const auto simulate = parsed.Value("simulate")) {
    options.simulate = 1;
    if (!simulate->empty()) {
      char* end = nullptr;
      const long n = std::strtol(simulate->c_str(), &end, 10);
      if (*end != '\0' || n < 1 || n > kMaxSimulatedUnits) {
        error = Tr(QT_TRANSLATE_NOOP("wr::cli", "--simulate takes a number of units from 1 to %1, not '%2'"),
                   {std::to_string(kMaxSimulatedUnits), *simulate});
        return false;
      }
      options.simulate = static_cast<int>(n);
    }
  }
  if (const auto device = parsed.Value("device")) {
    options.device = ParseLocation(*device);
    if (!options.device) {
      error = Tr(QT_TRANSLATE_NOOP("wr::cli", "--device takes BUS:ADDR as 'list' shows it (e.g. 001:004), not '%1'"),
                 {*device});
      return false;
    }
  }
  if (const auto timeout = parsed.Value("timeout")) {
    char* end = nullptr;
    const double seconds = std::strtod(timeout->c_str(), &end);
    if (timeout->empty() || *end != '\0' || !std::isfinite(seconds) || seconds < 0 ||
        seconds > 86400) {
      error = Tr(QT_TRANSLATE_NOOP("wr::cli", "--timeout takes a number of seconds from 0 to 86400, not '%1'"),
                 {*timeout});
      return false;
    }
    options.timeoutMs = static_cast<int>(std::lround(seconds * 1000));
  }
  options.json = parsed.Has("json");
  options.quiet = parsed.Has("quiet");
  return true;
}

// Runs one command on its own thread, so that an interrupt can end every
// wait of that thread at once (its event loops stop, as when an application
// quits), while this thread stays free to notice the interrupt.
class CommandThread : public QThread {
 public:
  CommandThread(const Command& command, CliContext& context, const ParsedArguments& arguments)
      : command_(command), context_(context), arguments_(arguments) {}
  // After wait().
  int Result() const {
    std::lock_guard<std::mutex> lock(finished_);
    return result_;
  }

 protected:
  void run() override {
    if (context_.Interrupted())
      result_ = context_.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")));
    else
      result_ = command_.run(context_, arguments_);
    std::lock_guard<std::mutex> lock(finished_);
  }

 private:
  const Command& command_;
  CliContext& context_;
  const ParsedArguments& arguments_;
  int result_ = kExitDone;
  // Taken last by the thread and by the reader after wait(): Debian's Qt is
  // not built for race detectors, which then cannot see that wait() orders
  // everything the command did before what this thread does next.
  mutable std::mutex finished_;
};

}  // namespace

std::vector<Command> AllCommands() {
  return {ListCommand(),        StatusCommand(),       SettingsGetCommand(),
          SettingsSetCommand(), ProfileSaveCommand(),  ProfileDiffCommand(),
          ProfileApplyCommand(), TripsCommand(),       TripsDeleteCommand(),
          UpgradeCommand(),     RebootCommand(),       FactoryResetCommand(),
          DefaultsCommand(),    OutputCommand(),       SendCommand(),
          ProvisionCommand()};
}

OptionSpec YesOption(std::string_view help) { return {"yes", 'y', "", help}; }

std::string OverviewHelp() {
  std::string text = Tr(QT_TRANSLATE_NOOP("wr::cli", "Usage:")) + " " + std::string(kProgramName) +
                     " " + Tr(QT_TRANSLATE_NOOP("wr::cli", "[options] COMMAND [arguments]")) + "\n";
  text += Tr(QT_TRANSLATE_NOOP("wr::cli",
                               "Configure, watch and provision vehicle tracking units attached by "
                               "USB: settings, profiles, trips, firmware.")) +
          "\n\n" + Tr(QT_TRANSLATE_NOOP("wr::cli", "Commands:")) + "\n";
  const std::vector<Command> commands = AllCommands();
  size_t width = 0;
  for (const Command& command : commands) width = std::max(width, CommandUsage(command).size());
  width = std::min<size_t>(width, 44);
  for (const Command& command : commands) {
    const std::string usage = CommandUsage(command);
    text += "  " + usage;
    if (usage.size() > width)
      text += "\n  " + std::string(width, ' ');
    else
      text += std::string(width - usage.size(), ' ');
    text += "  " + Tr(command.summary) + "\n";
  }
  text += "\n" + Tr(QT_TRANSLATE_NOOP("wr::cli", "Options:")) + "\n";
  AppendOptions(text, GlobalOptionSpecs());
  text += "\n" +
          Tr(QT_TRANSLATE_NOOP("wr::cli",
      "Settings keys (in profiles, settings get and set, diffs): ussd, ussd_interval, apn, "
      "apn_user, apn_password, trip_stop_minutes, low_power (0 or 1), ignition (0 disabled, 1 "
      "smart detection, 2 voltage on input 1), track1, track2, track4, track5.\n")) +
          "\n" +
          Tr(QT_TRANSLATE_NOOP("wr::cli",
      "Exit status:\n"
      "  0  done\n"
      "  1  the unit refused, a read-back differs, or (profile diff) there are differences\n"
      "  2  usage error\n"
      "  3  no unit found, several and none chosen, or the unit cannot be opened\n"
      "  4  a file cannot be read or written, or is invalid\n"
      "  5  interrupted or cancelled\n")) +
          "\n" +
          Tr(QT_TRANSLATE_NOOP("wr::cli",
      "JSON output (--json):\n"
      "  Standard output holds one JSON object (status --watch: one per line). Each has\n"
      "  \"schema\": 1, the version of its layout: no member is renamed, removed or given\n"
      "  another type without a new number. On failure the object holds error (the\n"
      "  message) and exit_code, and where they apply key (the setting concerned),\n"
      "  device (the unit's bus:address) and device_id. A JSON Schema for each\n"
      "  command's output is installed in share/wayrunner-track/schemas.\n")) +
          "\n" +
          Tr(QT_TRANSLATE_NOOP("wr::cli",
      "Environment:\n"
      "  WAYRUNNER_DATA_DIR       the folder of the place-names file coords.txt and of the\n"
      "                           settings backups written before a firmware upgrade\n"
      "  WAYRUNNER_TRACKING_HOST  the tracking server 'defaults' writes when --host is not given\n")) +
          "\n" +
          Tr(QT_TRANSLATE_NOOP("wr::cli", "Run '%1 COMMAND --help' for a command's options.\n"),
             {kProgramName});
  return text;
}

int RunCli(const std::vector<std::string>& args, const CliEnvironment& environment) {
  Console& console = *environment.console;
  const std::vector<OptionSpec>& globals = GlobalOptionSpecs();

  // The command's words are the first arguments that are no option (nor the
  // value of a global option); everything else, in its order, is the command's.
  std::vector<size_t> wordAt;
  for (size_t i = 0; i < args.size() && wordAt.size() < 2; ++i) {
    const std::string& arg = args[i];
    if (arg == "--") break;
    if (!IsOption(arg)) {
      wordAt.push_back(i);
      continue;
    }
    const OptionSpec* spec = FindOption(arg, globals);
    const bool valueAttached =
        arg.find('=') != std::string::npos || (arg[1] != '-' && arg.size() > 2);
    if (spec && TakesNextArgument(*spec) && !valueAttached) ++i;
  }
  std::vector<std::string> words;
  for (size_t at : wordAt) words.push_back(args[at]);
  // Usage errors are reported as JSON when --json was asked for, even when
  // the rest of the command line cannot be read.
  bool json = false;
  for (const std::string& arg : args) {
    if (arg == "--") break;
    json = json || arg == "--json";
  }
  // What is printed for machines is English whatever the user's language:
  // the JSON values (the status texts, the messages) are read by scripts.
  if (json) InstallTranslations(QStringLiteral("en"));

  const std::vector<Command> commands = AllCommands();
  size_t used = 0;
  const Command* command = FindCommand(commands, words, used);
  std::vector<std::string> commandArgs;
  for (size_t i = 0; i < args.size(); ++i)
    if (std::find(wordAt.begin(), wordAt.begin() + static_cast<long>(used), i) ==
        wordAt.begin() + static_cast<long>(used))
      commandArgs.push_back(args[i]);

  std::vector<OptionSpec> specs = globals;
  if (command) specs.insert(specs.end(), command->options.begin(), command->options.end());
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(commandArgs, specs, parsed, error))
    return UsageError(console, json, error,
                      command ? std::string(command->words) + " --help" : "--help");

  if (parsed.Has("version")) {
    console.Out(std::string(kProgramName) + " " + kVersion + "\n");
    return kExitDone;
  }
  if (parsed.Has("help")) {
    console.Out(command ? CommandHelp(*command) : OverviewHelp());
    return kExitDone;
  }
  if (!command) {
    if (words.empty())
      return UsageError(console, json, Tr(QT_TRANSLATE_NOOP("wr::cli", "no command given")), "--help");
    std::string known;
    for (const Command& c : commands)
      if (std::string_view(c.words).substr(0, words[0].size() + 1) == words[0] + " ")
        known += (known.empty() ? "" : ", ") + std::string(c.words);
    if (!known.empty())
      return UsageError(console, json,
                        Tr(QT_TRANSLATE_NOOP("wr::cli", "'%1' needs one of: %2"), {words[0], known}), "--help");
    return UsageError(console, json, Tr(QT_TRANSLATE_NOOP("wr::cli", "unknown command '%1'"), {words[0]}),
                      "--help");
  }
  if (parsed.positional.size() < command->minArguments ||
      parsed.positional.size() > command->maxArguments) {
    const std::string message =
        parsed.positional.size() < command->minArguments
            ? Tr(QT_TRANSLATE_NOOP("wr::cli", "'%1' needs %2"), {command->words, command->arguments})
            : Tr(QT_TRANSLATE_NOOP("wr::cli", "'%1' does not take '%2'"),
                 {command->words, parsed.positional[command->maxArguments]});
    return UsageError(console, json, message, std::string(command->words) + " --help");
  }
  GlobalOptions options;
  if (!ReadGlobalOptions(parsed, options, error))
    return UsageError(console, json, error, std::string(command->words) + " --help");

  std::unique_ptr<UsbApi> ownApi;
  UsbApi* api = environment.api;
  if (!api) {
    if (options.simulate > 0)
      ownApi = MakeSimulatedBus(options.simulate);
    else
      ownApi = MakeSystemUsbApi();
    api = ownApi.get();
  }
  std::unique_ptr<Interrupt> ownInterrupt;
  Interrupt* interrupt = environment.interrupt;
  if (!interrupt) {
    ownInterrupt = std::make_unique<Interrupt>();
    ownInterrupt->CatchSignals();
    interrupt = ownInterrupt.get();
  }

  CliContext context(console, *api, options, *interrupt);
  CommandThread thread(*command, context, parsed);
  QEventLoop loop;
  QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
  const auto stop = [&thread] {
    thread.requestInterruption();
    thread.exit(-1);
  };
  QObject::connect(interrupt, &Interrupt::requested, &loop, stop);
  thread.start();
  if (interrupt->Requested()) stop();
  if (!thread.isFinished()) loop.exec();
  thread.wait();
  context.FinishJson(thread.Result());
  return thread.Result();
}

}  // namespace wr::cli
