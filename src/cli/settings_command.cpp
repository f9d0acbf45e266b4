// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// settings get / settings set: the unit's settings by key.
#include <QJsonArray>
#include <QJsonObject>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/settings_output.h"
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
    if (StopRequested()) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")));
    return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "%1 could not be read from the unit"), {missing}));
  }
  std::vector<Message> leftOut;
  const SettingsValues values = SettingsValuesFromUnit(session->Model().Settings(), &leftOut);
  for (const Message& reason : leftOut)
    context.Note(Tr(QT_TRANSLATE_NOOP("wr::cli", "not shown: %1"), {Tr(reason)}));
  if (context.Json())
    context.PrintJson(SettingsJson(values));
  else
    context.Print(SettingsText(values));
  return kExitDone;
}

int RunSettingsSet(CliContext& context, const ParsedArguments& arguments) {
  const SettingsCheck wanted = ParseSettingAssignments(arguments.positional);
  if (!wanted.Ok()) {
    const std::string message = ToBytes(Translated(wanted.refusal));
    if (wanted.refusedName.empty()) return context.Fail(kExitUsage, message);
    return context.FailKey(kExitUsage, wanted.refusedName, message);
  }
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  return ReportWrite(context, WriteSettings(*session, wanted.values));
}

}  // namespace

Command SettingsGetCommand() {
  Command command;
  command.words = "settings get";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "the unit's settings");
  static const std::string help =
      Tr(QT_TRANSLATE_NOOP("wr::cli",
                           "One KEY=VALUE line per setting, as 'settings set' takes them; with --json, one object "
                           "with a member per key (numbers as numbers, texts as strings). The keys:\n")) +
      SettingKeysHelp();
  command.help = help;
  command.run = RunSettingsGet;
  return command;
}

Command SettingsSetCommand() {
  Command command;
  command.words = "settings set";
  command.arguments = "KEY=VALUE...";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "change some settings, keep the rest as read, verify by read-back");
  static const std::string help =
      Tr(QT_TRANSLATE_NOOP("wr::cli",
      "The unit's settings are read first; the keys given replace their values and every other "
      "setting is written back as the unit holds it. Afterwards the settings are read back and "
      "every one the unit did not take is named (exit 1). A value the unit cannot be sent is "
      "refused before anything is sent (exit 2), with the same message as the window's. The "
      "keys:\n")) +
      SettingKeysHelp();
  command.help = help;
  command.minArguments = 1;
  command.maxArguments = SIZE_MAX;
  command.run = RunSettingsSet;
  return command;
}

}  // namespace wr::cli
