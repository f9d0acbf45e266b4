// settings get / settings set: the unit's settings by key.
#include <QJsonArray>
#include <QJsonObject>

#include "cli/cli_context.h"
#include "cli/command.h"
#include "cli/settings_output.h"
#include "cli/settings_write.h"
#include "cli/unit_access.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

int RunSettingsGet(CliContext& context, const ParsedArguments&) {
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  std::string missing;
  if (!ReadAllSettings(*session, missing)) {
    if (StopRequested()) return context.Fail(kExitInterrupted, "interrupted");
    return context.Fail(kExitUnit, missing + " could not be read from the unit");
  }
  std::vector<std::string> leftOut;
  const SettingsValues values = SettingsValuesFromUnit(session->Model().Settings(), &leftOut);
  for (const std::string& reason : leftOut) context.Note("not shown: " + reason);
  if (context.Json())
    context.PrintJson(SettingsJson(values));
  else
    context.Print(SettingsText(values));
  return kExitDone;
}

int RunSettingsSet(CliContext& context, const ParsedArguments& arguments) {
  SettingsValues wanted;
  for (const std::string& pair : arguments.positional) {
    const size_t eq = pair.find('=');
    if (eq == std::string::npos)
      return context.Fail(kExitUsage, "'" + pair + "' is not KEY=VALUE (keys: " +
                                          SettingKeyNames() + ")");
    const std::string name = pair.substr(0, eq);
    const std::optional<SettingKey> key = SettingKeyFromName(name);
    if (!key)
      return context.FailKey(kExitUsage, name,
                             "unknown key '" + name + "' (keys: " + SettingKeyNames() + ")");
    if (wanted.Has(*key)) return context.FailKey(kExitUsage, name, "'" + name + "' is given twice");
    const std::string refusal = wanted.Set(*key, pair.substr(eq + 1));
    if (!refusal.empty())
      return context.FailKey(kExitUsage, name,
                             "the value of \"" + std::string(SettingKeyName(*key)) + "\" " +
                                 refusal + "; nothing was sent");
  }
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  return ReportWrite(context, WriteSettings(*session, wanted));
}

}  // namespace

Command SettingsGetCommand() {
  Command command;
  command.words = "settings get";
  command.summary = "the unit's settings";
  command.help = "One KEY=VALUE line per setting, as 'settings set' takes them; with --json, one "
                 "object with a member per key (numbers as numbers).";
  command.run = RunSettingsGet;
  return command;
}

Command SettingsSetCommand() {
  Command command;
  command.words = "settings set";
  command.arguments = "KEY=VALUE...";
  command.summary = "change some settings, keep the rest as read, verify by read-back";
  command.help =
      "The unit's settings are read first; the keys given replace their values and every other "
      "setting is written back as the unit holds it. Afterwards the settings are read back and "
      "every one the unit did not take is named (exit 1). A value the unit cannot be sent is "
      "refused before anything is sent (exit 2).";
  command.minArguments = 1;
  command.maxArguments = SIZE_MAX;
  command.run = RunSettingsSet;
  return command;
}

}  // namespace wr::cli
