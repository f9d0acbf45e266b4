// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/settings_write.h"

#include "cli/cli_text.h"
#include "cli/unit_access.h"
#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

std::string ProblemWords(SettingProblem::Kind kind) {
  return ToBytes(Translated(SettingProblemWords(kind)));
}

}  // namespace

std::vector<SettingDifference> DiffWithUnit(const SettingsValues& unit,
                                            const SettingsValues& wanted) {
  std::vector<SettingDifference> differences;
  for (const auto& [key, value] : wanted.Entries()) {
    const std::string* held = unit.Find(key);
    if (held && *held == value) continue;
    SettingDifference d{key, std::nullopt, value};
    if (held) d.left = *held;
    differences.push_back(std::move(d));
  }
  return differences;
}

std::string ShownValue(SettingKey key, const std::optional<std::string>& value) {
  if (!value) return Tr(QT_TRANSLATE_NOOP("wr::cli", "nothing"));
  if (!IsNumberSetting(key)) return "\"" + *value + "\"";
  return *value;
}

SettingsWriteReport WriteSettings(UnitSession& session, const SettingsValues& wanted) {
  using Result = SettingsWriteReport::Result;
  SettingsWriteReport report;
  std::string missing;
  if (!ReadAllSettings(session, missing)) {
    if (StopRequested()) {
      report.result = Result::Interrupted;
      report.message = Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted before anything was sent"));
    } else {
      report.message =
          Tr(QT_TRANSLATE_NOOP("wr::cli", "nothing was sent: %1 could not be read from the unit"), {missing});
    }
    return report;
  }
  const UnitSettings& held = session.Model().Settings();
  report.before = DiffWithUnit(SettingsValuesFromUnit(held), wanted);
  if (report.before.empty()) {
    report.result = Result::Unchanged;
    return report;
  }

  // The unit's values, with the wanted ones in their place.
  SettingsValues sent = SettingsValuesFromUnit(held);
  for (const auto& [key, value] : wanted.Entries()) sent.Set(key, value);
  SaveOperation save(session, sent, UnitSession::Retained::FromForm);
  const bool finished = RunOperation(save);
  const UnitSession::Outcome& outcome = save.Result();
  if (!finished || outcome.interrupted) {
    report.result = Result::Interrupted;
    report.message = Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted while saving: every setting was sent to "
                                                     "the unit, but none was read back"));
    return report;
  }
  if (!outcome.done && outcome.problems.empty()) {
    // Refused before anything was sent.
    report.message = ToBytes(outcome.message);
    return report;
  }

  const SettingsValues after = SettingsValuesFromUnit(session.Model().Settings());
  for (const SettingProblem& problem : outcome.problems) {
    std::vector<std::string> lines;
    std::string keys;
    for (SettingKey key : AllSettingKeys()) {
      if (SettingKeyGroup(key) != problem.group) continue;
      keys += (keys.empty() ? "" : ", ") + std::string(SettingKeyName(key));
      const std::string* value = sent.Find(key);
      const std::string* now = after.Find(key);
      if (!value || (now && *now == *value)) continue;
      std::string line = std::string(SettingKeyName(key)) + ": ";
      if (!now) {
        line += Tr(QT_TRANSLATE_NOOP("wr::cli", "sent %1, %2"), {ShownValue(key, *value), ProblemWords(problem.kind)});
      } else {
        line += Tr(QT_TRANSLATE_NOOP("wr::cli", "sent %1, the unit holds %2"),
                   {ShownValue(key, *value), ShownValue(key, *now)});
        if (problem.kind != SettingProblem::Kind::Differs)
          line += " (" + ProblemWords(problem.kind) + ")";
      }
      lines.push_back(std::move(line));
    }
    // Refused or unanswered, yet holding what was sent: still worth saying.
    if (lines.empty()) lines.push_back(keys + ": " + ProblemWords(problem.kind));
    report.problems.insert(report.problems.end(), lines.begin(), lines.end());
  }
  report.result = report.problems.empty() ? Result::Written : Result::Differs;
  return report;
}

}  // namespace wr::cli
