// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/write_settings_operation.h"

#include <QStringList>

#include <algorithm>

#include "protocol/settings_commands.h"
#include "protocol/unit_settings.h"
#include "session/unit_operations.h"
#include "session/unit_text.h"

namespace wr {

using Result = SettingsWriteReport::Result;

namespace {

Message NothingSent() {
  return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "interrupted before anything was sent"));
}

}  // namespace

std::vector<SettingDifference> DiffWithUnit(const SettingsValues& unit,
                                            const SettingsValues& wanted) {
  // A key wanted does not give is not a difference.
  std::vector<SettingDifference> differences = DiffSettings(unit, wanted);
  differences.erase(std::remove_if(differences.begin(), differences.end(),
                                   [](const SettingDifference& d) { return !d.right; }),
                    differences.end());
  return differences;
}

Message ShownValue(SettingKey key, const std::optional<std::string>& value) {
  if (!value) return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "nothing"));
  if (!IsNumberSetting(key)) return Message::Plain("\"" + *value + "\"");
  return Message::Plain(*value);
}

WriteSettingsOperation::WriteSettingsOperation(UnitSession& session, SettingsValues wanted,
                                               QObject* parent)
    : Operation(session, parent), wanted_(std::move(wanted)) {}

void WriteSettingsOperation::Run() {
  emit progress(0, 2, tr("Reading the settings"));
  auto* read = new ReadSettingsOperation(Session(), ReadSettingsOperation::AllGroups());
  step_ = read;
  RunChild(read, [this, read](const UnitSession::Outcome& outcome) {
    if (outcome.interrupted || CancelRequested())
      return End(Result::Interrupted, NothingSent());
    if (!outcome.done)
      return End(Result::Failed,
                 Message::Of(WR_TRANSLATE_NOOP("wr::Core",
                                               "nothing was sent: %1 could not be read from the unit"),
                             {Message::Plain(read->Missing())}));
    Save();
  });
}

void WriteSettingsOperation::Save() {
  const SettingsValues held = SettingsValuesFromUnit(Session().Model().Settings());
  report_.before = DiffWithUnit(held, wanted_);
  if (report_.before.empty()) return End(Result::Unchanged);
  // The unit's values, with the wanted ones in their place.
  sent_ = held;
  for (const auto& [key, value] : wanted_.Entries()) sent_.Set(key, value);
  // The save refuses the same and sends nothing; the reason is kept as it is.
  const SettingsSave check = BuildSettingsCommands(sent_);
  if (!check.refusal.Empty()) return End(Result::Failed, check.refusal);
  emit progress(1, 2, tr("Writing the settings"));
  step_ = new SaveOperation(Session(), sent_, UnitSession::Retained::FromForm);
  RunChild(step_, [this](const UnitSession::Outcome& outcome) {
    if (outcome.interrupted)
      return End(Result::Interrupted,
                 Message::Of(WR_TRANSLATE_NOOP("wr::Core",
                                               "interrupted while saving: every setting was sent to "
                                               "the unit, but none was read back")));
    if (!outcome.done && outcome.problems.empty())
      return End(Result::Failed, Message::Plain(ToBytes(outcome.message)));
    problems_ = outcome.problems;
    Compare();
  });
}

void WriteSettingsOperation::Compare() {
  const SettingsValues after = SettingsValuesFromUnit(Session().Model().Settings());
  for (const SettingProblem& problem : problems_) {
    const Message words = SettingProblemWords(problem.kind);
    std::vector<Message> lines;
    std::string keys;
    for (SettingKey key : AllSettingKeys()) {
      if (SettingKeyGroup(key) != problem.group) continue;
      keys += (keys.empty() ? "" : ", ") + std::string(SettingKeyName(key));
      const std::string* value = sent_.Find(key);
      const std::string* now = after.Find(key);
      if (!value || (now && *now == *value)) continue;
      std::vector<Message> line{Message::Plain(std::string(SettingKeyName(key)) + ": ")};
      if (!now) {
        line.push_back(Message::Of(WR_TRANSLATE_NOOP("wr::Core", "sent %1, %2"),
                                   {ShownValue(key, *value), words}));
      } else {
        line.push_back(Message::Of(WR_TRANSLATE_NOOP("wr::Core", "sent %1, the unit holds %2"),
                                   {ShownValue(key, *value), ShownValue(key, *now)}));
        if (problem.kind != SettingProblem::Kind::Differs)
          line.push_back(Message::Join({Message::Plain(" ("), words, Message::Plain(")")}));
      }
      lines.push_back(Message::Join(std::move(line)));
    }
    // Refused or unanswered, yet holding what was sent: still worth saying.
    if (lines.empty()) lines.push_back(Message::Join({Message::Plain(keys + ": "), words}));
    report_.problems.insert(report_.problems.end(), lines.begin(), lines.end());
  }
  End(report_.problems.empty() ? Result::Written : Result::Differs);
}

void WriteSettingsOperation::OnCancel() {
  // The step under way ends at its own safe point and is reported as usual.
  if (step_ && step_->Running()) return step_->Cancel();
  End(Result::Interrupted, NothingSent());
}

void WriteSettingsOperation::End(SettingsWriteReport::Result result, Message message) {
  if (Finished()) return;
  report_.result = result;
  report_.message = std::move(message);
  UnitSession::Outcome outcome;
  outcome.done = result == Result::Unchanged || result == Result::Written;
  outcome.interrupted = result == Result::Interrupted;
  outcome.message = Translated(report_.message);
  if (result == Result::Differs) {
    outcome.problems = problems_;
    QStringList lines;
    for (const Message& line : report_.problems) lines << Translated(line);
    outcome.message = lines.join(QLatin1Char('\n'));
  }
  Finish(std::move(outcome));
}

}  // namespace wr
