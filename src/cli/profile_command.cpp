// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// profile save / diff / apply: the unit's settings and a profile file.
#include <QJsonObject>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/settings_output.h"
#include "cli/unit_access.h"
#include "profile/settings_profile.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

std::filesystem::path PathOf(const std::string& argument) {
  return std::filesystem::u8path(argument);
}

// The unit's settings, every one read on this connection; empty with the
// exit code set when they could not be read.
std::optional<SettingsValues> ReadUnitValues(CliContext& context, UnitSession& session, int& code,
                                             bool noteLeftOut) {
  std::string missing;
  if (!ReadAllSettings(session, missing)) {
    code = StopRequested() ? context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")))
                           : context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "%1 could not be read from the unit"),
                                                        {missing}));
    return std::nullopt;
  }
  std::vector<Message> leftOut;
  SettingsValues values = SettingsValuesFromUnit(session.Model().Settings(), &leftOut);
  if (noteLeftOut)
    for (const Message& reason : leftOut)
      context.Note(Tr(QT_TRANSLATE_NOOP("wr::cli", "left out: %1"), {Tr(reason)}));
  return values;
}

int RunProfileSave(CliContext& context, const ParsedArguments& arguments) {
  const std::string& file = arguments.positional[0];
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  int code = kExitDone;
  const std::optional<SettingsValues> values = ReadUnitValues(context, *session, code, true);
  if (!values) return code;
  const UnitModel& model = session->Model();
  Message error;
  if (!WriteProfileFile(PathOf(file), *values, {model.DeviceId(), model.FirmwareVersion()}, error))
    return context.Fail(kExitFile, Tr(error));
  if (context.Json()) {
    QJsonObject document;
    document["file"] = QString::fromStdString(file);
    document["device_id"] = FromBytes(model.DeviceId());
    document["settings"] = SettingsJson(*values);
    context.PrintJson(document);
  } else {
    context.Print(Tr(QT_TRANSLATE_NOOP("wr::cli", "Saved %1 settings of the unit %2 to %3"),
                     {std::to_string(values->Size()), model.DeviceId(), file}) +
                  "\n");
  }
  return kExitDone;
}

// The profile, or the exit code when it cannot be used; nothing is sent before this.
std::optional<SettingsValues> ReadProfile(CliContext& context, const std::string& file, int& code) {
  const ProfileRead read = ReadProfileFile(PathOf(file));
  if (!read.Ok()) {
    code = context.FailKey(kExitFile, read.key, Tr(read.problem));
    return std::nullopt;
  }
  return read.values;
}

int RunProfileDiff(CliContext& context, const ParsedArguments& arguments) {
  int code = kExitDone;
  const std::optional<SettingsValues> profile = ReadProfile(context, arguments.positional[0], code);
  if (!profile) return code;
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  const std::optional<SettingsValues> unit = ReadUnitValues(context, *session, code, false);
  if (!unit) return code;
  const std::vector<SettingDifference> differences = DiffWithUnit(*unit, *profile);
  if (context.Json()) {
    QJsonObject document;
    document["differences"] = DifferencesJson(differences, "unit", "profile");
    context.PrintJson(document);
  } else {
    context.Print(DifferencesText(differences, Tr(QT_TRANSLATE_NOOP("wr::cli", "unit")),
                                  Tr(QT_TRANSLATE_NOOP("wr::cli", "profile"))));
  }
  return differences.empty() ? kExitDone : kExitUnit;
}

int RunProfileApply(CliContext& context, const ParsedArguments& arguments) {
  int code = kExitDone;
  const std::optional<SettingsValues> profile = ReadProfile(context, arguments.positional[0], code);
  if (!profile) return code;
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  if (!arguments.Has("dry-run")) return ReportWrite(context, WriteSettings(*session, *profile));

  const std::optional<SettingsValues> unit = ReadUnitValues(context, *session, code, false);
  if (!unit) return code;
  const std::vector<SettingDifference> differences = DiffWithUnit(*unit, *profile);
  if (context.Json()) {
    QJsonObject document;
    document["result"] = "dry-run";
    document["changed"] = DifferencesJson(differences, "unit", "new");
    context.PrintJson(document);
  } else if (differences.empty()) {
    context.Print(
        Tr(QT_TRANSLATE_NOOP("wr::cli", "The unit already holds these settings; applying would send nothing.")) +
        "\n");
  } else {
    context.Print(DifferencesText(differences, Tr(QT_TRANSLATE_NOOP("wr::cli", "unit")),
                                  Tr(QT_TRANSLATE_NOOP("wr::cli", "new"))));
    context.Note(Tr(QT_TRANSLATE_NOOP("wr::cli", "Dry run: nothing was sent.")));
  }
  return kExitDone;
}

}  // namespace

Command ProfileSaveCommand() {
  Command command;
  command.words = "profile save";
  command.arguments = "FILE";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "the unit's settings to a profile file");
  command.help =
      QT_TRANSLATE_NOOP("wr::cli", "The profile is an INI file in UTF-8 with a [settings] section; it holds the APN "
      "password and is written readable by its owner only.");
  command.minArguments = command.maxArguments = 1;
  command.run = RunProfileSave;
  return command;
}

Command ProfileDiffCommand() {
  Command command;
  command.words = "profile diff";
  command.arguments = "FILE";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "the differences between the unit and FILE");
  command.help = QT_TRANSLATE_NOOP("wr::cli", "Exit 1 when there are differences, 0 when the unit holds the profile.");
  command.minArguments = command.maxArguments = 1;
  command.run = RunProfileDiff;
  return command;
}

Command ProfileApplyCommand() {
  Command command;
  command.words = "profile apply";
  command.arguments = "FILE";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "write FILE's settings to the unit and verify by read-back");
  command.help =
      QT_TRANSLATE_NOOP("wr::cli", "Settings the profile leaves out keep the unit's values. A profile with an unknown key "
      "or a value the unit cannot be sent is refused before anything is sent (exit 4).");
  command.options = {{"dry-run", 'n', "", QT_TRANSLATE_NOOP("wr::cli", "print what would change and send nothing")}};
  command.minArguments = command.maxArguments = 1;
  command.run = RunProfileApply;
  return command;
}

}  // namespace wr::cli
