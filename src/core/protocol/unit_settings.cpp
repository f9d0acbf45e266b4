// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/unit_settings.h"

#include "protocol/stats_values.h"

namespace wr {
namespace {

bool Matches(SettingGroup group, const SettingsValues& sent, const UnitSettings& after) {
  for (const SettingDescriptor& d : SettingTable()) {
    if (d.group != group) continue;
    const std::string* value = sent.Find(d.key);
    const std::string* held = after.Reported(d.key);
    if (!value || !held || !SameOnUnit(d.key, CommandValue(d.key, *value), *held)) return false;
  }
  return true;
}

Message Value(const UnitSettings& s, SettingKey key) {
  return Message::Plain(s.Shown(key));
}

Message Quoted(const UnitSettings& s, SettingKey key) {
  return Message::Plain("\"" + s.Shown(key) + "\"");
}

// What the unit holds of a group, in the words of the Settings tab.
Message UnitHolds(SettingGroup group, const UnitSettings& s) {
  switch (group) {
    case SettingGroup::Track:
      return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "%1 minutes"), {Value(s, SettingKey::kTripStopMinutes)});
    case SettingGroup::LowPower:
      if (!s.Reported(SettingKey::kLowPower)) return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "an unknown value"));
      return s.Shown(SettingKey::kLowPower) == "1" ? Message::Of(WR_TRANSLATE_NOOP("wr::Core", "on")) : Message::Of(WR_TRANSLATE_NOOP("wr::Core", "off"));
    case SettingGroup::Ussd:
      return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "%1 every %2 hours"),
                         {Quoted(s, SettingKey::kUssd), Value(s, SettingKey::kUssdInterval)});
    case SettingGroup::Gprs:
      return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "APN %1, user name %2, password %3"),
                         {Quoted(s, SettingKey::kApn), Quoted(s, SettingKey::kApnUser),
                          Quoted(s, SettingKey::kApnPassword)});
    case SettingGroup::Ignition:
      if (!s.Reported(SettingKey::kIgnition)) return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "an unknown value"));
      return SettingValueMessage(SettingKey::kIgnition, s.Shown(SettingKey::kIgnition));
  }
  return {};
}

}  // namespace

const std::string* UnitSettings::Reported(SettingKey key) const {
  const auto& value = reported[static_cast<size_t>(key)];
  return value ? &*value : nullptr;
}

std::optional<int64_t> UnitSettings::Number(SettingKey key) const {
  const std::string* text = Reported(key);
  if (!text || text->empty()) return std::nullopt;
  try {
    return std::stoll(*text);
  } catch (...) {
    return std::nullopt;
  }
}

std::string UnitSettings::Shown(SettingKey key) const {
  const std::string* text = Reported(key);
  if (!text) return {};
  return CanonicalFromReply(key, *text).value_or(*text);
}

SettingsValues SettingsValuesFromUnit(const UnitSettings& unit, std::vector<std::string>* leftOut) {
  if (!leftOut) return SettingsValuesFromUnit(unit, static_cast<std::vector<Message>*>(nullptr));
  std::vector<Message> reasons;
  SettingsValues values = SettingsValuesFromUnit(unit, &reasons);
  for (const Message& reason : reasons) leftOut->push_back(reason.English());
  return values;
}

SettingsValues SettingsValuesFromUnit(const UnitSettings& unit, std::vector<Message>* leftOut) {
  SettingsValues values;
  for (SettingKey key : AllSettingKeys()) {
    const std::string* text = unit.Reported(key);
    if (!text || !unit.Read(SettingKeyGroup(key))) continue;
    Message why;
    if (const auto canonical = CanonicalFromReply(key, *text, &why))
      values.Set(key, *canonical);
    else if (leftOut)
      leftOut->push_back(Message::Join({Message::Plain(std::string(SettingKeyName(key)) + ": "), why}));
  }
  return values;
}

std::vector<SettingProblem> CheckSavedSettings(const SettingsValues& sent,
                                               const std::vector<SetAnswer>& answers,
                                               const UnitSettings& after) {
  std::vector<SettingProblem> problems;
  for (const SettingGroupDescriptor& g : SettingGroupTable()) {
    const size_t i = static_cast<size_t>(g.group);
    const SetAnswer answer = i < answers.size() ? answers[i] : SetAnswer::None;
    if (answer == SetAnswer::Error) {
      problems.push_back({g.group, SettingProblem::Kind::Refused});
    } else if (answer == SetAnswer::NotSent) {
      problems.push_back({g.group, SettingProblem::Kind::NotSent});
    } else if (!after.Read(g.group)) {
      problems.push_back({g.group, SettingProblem::Kind::NotReadBack});
    } else if (!Matches(g.group, sent, after)) {
      problems.push_back({g.group, answer == SetAnswer::None ? SettingProblem::Kind::NoAnswer
                                                             : SettingProblem::Kind::Differs});
    }
  }
  return problems;
}

Message SettingProblemWords(SettingProblem::Kind kind) {
  switch (kind) {
    case SettingProblem::Kind::Refused: return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "refused by the unit"));
    case SettingProblem::Kind::NoAnswer: return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the unit did not answer"));
    case SettingProblem::Kind::Differs: return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the unit reads back another value"));
    case SettingProblem::Kind::NotReadBack:
      return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "could not be read back; check it on the unit"));
    case SettingProblem::Kind::NotSent: return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "could not be sent to the unit"));
  }
  return {};
}

Message DescribeSaveProblems(const std::vector<SettingProblem>& problems, const UnitSettings& after) {
  if (problems.empty()) return {};
  std::vector<Message> parts = {Message::Of(WR_TRANSLATE_NOOP("wr::Core", "The unit did not take every setting:"))};
  for (const SettingProblem& p : problems) {
    const Message name = Message::Of(Describe(p.group).name);
    // What the unit holds is known only when it was read back.
    if (p.kind != SettingProblem::Kind::NotReadBack && after.Read(p.group))
      parts.push_back(Message::Of(WR_TRANSLATE_NOOP("wr::Core", "\n- %1: %2. The unit holds %3."),
                                  {name, SettingProblemWords(p.kind), UnitHolds(p.group, after)}));
    else
      parts.push_back(Message::Of(WR_TRANSLATE_NOOP("wr::Core", "\n- %1: %2."), {name, SettingProblemWords(p.kind)}));
  }
  return Message::Join(std::move(parts));
}

}  // namespace wr
