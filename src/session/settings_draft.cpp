// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/settings_draft.h"

#include <algorithm>

#define TR(text) WR_TRANSLATE_NOOP("wr::Core", text)

namespace wr {
namespace {

bool Failed(const std::vector<SettingProblem>& problems, SettingGroup group,
            SettingProblem::Kind* kind) {
  for (const SettingProblem& p : problems) {
    if (p.group != group) continue;
    *kind = p.kind;
    return true;
  }
  return false;
}

}  // namespace

SettingsDraft::SettingsDraft() {
  for (const SettingDescriptor& d : SettingTable())
    if (d.label) keys_.push_back(d.key);
}

bool SettingsDraft::HasField(SettingKey key) const {
  return std::find(keys_.begin(), keys_.end(), key) != keys_.end();
}

const std::string& SettingsDraft::Text(SettingKey key) const { return At(key).text; }

SettingsDraft::Mark SettingsDraft::MarkOf(SettingKey key) const {
  const Field& f = At(key);
  if (!f.invalid.Empty()) return Mark::Invalid;
  if (!f.edited) return Mark::None;
  return f.notTaken ? Mark::NotTaken : Mark::Edited;
}

Message SettingsDraft::Reason(SettingKey key) const {
  const Field& f = At(key);
  switch (MarkOf(key)) {
    case Mark::Invalid: return f.invalid;
    case Mark::NotTaken: {
      const Message words = SettingProblemWords(*f.notTaken);
      const std::optional<std::string>& held = unitShown_[static_cast<size_t>(key)];
      // A password is not read out where only its mark is asked for.
      if (!held || Describe(key).secret || *f.notTaken == SettingProblem::Kind::NotReadBack)
        return Message::Of(TR("Not saved: %1."), {words});
      return Message::Of(TR("Not saved: %1. The unit holds %2."),
                         {words, SettingValueMessage(key, *held)});
    }
    case Mark::None:
    case Mark::Edited: break;
  }
  return {};
}

bool SettingsDraft::HasEdits() const {
  for (SettingKey key : keys_)
    if (At(key).edited) return true;
  return !pending_.Empty();
}

std::vector<SettingKey> SettingsDraft::EditedKeys() const {
  std::vector<SettingKey> keys;
  for (SettingKey key : AllSettingKeys())
    if ((HasField(key) && At(key).edited) || pending_.Has(key)) keys.push_back(key);
  return keys;
}

std::optional<std::string> SettingsDraft::Canonical(SettingKey key, const std::string& text) {
  std::string canonical;
  if (!CheckSettingValue(key, text, canonical).Empty()) return std::nullopt;
  return canonical;
}

bool SettingsDraft::MatchesUnit(SettingKey key, const std::string& text) const {
  const std::optional<std::string> value = Canonical(key, text);
  const std::string* held = unit_.Find(key);
  return value && held && *held == *value;
}

void SettingsDraft::Recheck(SettingKey key) {
  Field& f = At(key);
  std::string canonical;
  f.invalid = CheckSettingValue(key, f.text, canonical);
  f.edited = !MatchesUnit(key, f.text);
  if (!f.edited) f.notTaken.reset();
}

void SettingsDraft::ShowUnitValue(SettingKey key) {
  Field& f = At(key);
  f.text = unitShown_[static_cast<size_t>(key)].value_or(std::string());
  f.edited = f.byWizard = false;
  f.invalid = {};
  f.notTaken.reset();
}

// ---- changes

void SettingsDraft::Start(const SettingTexts& texts) {
  for (const auto& [key, text] : texts)
    if (HasField(key)) {
      At(key) = Field();
      At(key).text = text;
    }
}

void SettingsDraft::Edit(SettingKey key, const std::string& text, Origin origin) {
  if (!HasField(key)) return;
  Field& f = At(key);
  f.text = text;
  f.byWizard = origin == Origin::Wizard;
  f.notTaken.reset();
  Recheck(key);
}

void SettingsDraft::TakeValues(const SettingsValues& values) {
  for (const auto& [key, value] : values.Entries()) {
    if (HasField(key)) {
      Edit(key, value, Origin::Profile);
    } else if (const std::string* held = unit_.Find(key); held && *held == value) {
      pending_.Erase(key);
    } else {
      pending_.Set(key, value);
    }
  }
}

void SettingsDraft::UnitReported(const UnitSettings& unit, SettingGroup group) {
  unit_ = SettingsValuesFromUnit(unit);
  for (SettingKey key : AllSettingKeys()) {
    if (SettingKeyGroup(key) != group) continue;
    if (unit.Reported(key))
      unitShown_[static_cast<size_t>(key)] = unit.Shown(key);
    else
      unitShown_[static_cast<size_t>(key)].reset();
    if (!HasField(key) || !unit.Reported(key)) continue;
    Field& f = At(key);
    // The save that sent it decides once it knows what the unit took.
    if (saving_ && f.sent && f.text == *f.sent) continue;
    if (f.edited)
      Recheck(key);
    else
      ShowUnitValue(key);
  }
  // A value without a field that the unit now holds no longer waits.
  for (const auto& [key, value] : pending_.Entries())
    if (const std::string* held = unit_.Find(key); held && *held == value) pending_.Erase(key);
}

void SettingsDraft::UnitCleared(const UnitSettings& unit) {
  unit_ = SettingsValuesFromUnit(unit);
  for (SettingKey key : AllSettingKeys()) {
    if (const std::string* reported = unit.Reported(key))
      unitShown_[static_cast<size_t>(key)] = *reported;
    else
      unitShown_[static_cast<size_t>(key)].reset();
  }
  for (SettingKey key : keys_) {
    Field& f = At(key);
    if (f.edited || Describe(key).kind == SettingKind::Flag) continue;
    f.text.clear();
    f.invalid = {};
    f.notTaken.reset();
  }
}

void SettingsDraft::Revert() {
  pending_ = SettingsValues();
  for (SettingKey key : keys_) {
    Field& f = At(key);
    // A field of a group not read on this connection keeps its text: there
    // is no value of the unit to show.
    if (const std::string* held = unit_.Find(key)) f.text = *held;
    f.edited = f.byWizard = false;
    f.invalid = {};
    f.notTaken.reset();
  }
}

// ---- save

SettingsCheck SettingsDraft::Check() {
  SettingTexts texts;
  for (SettingKey key : keys_) {
    texts.emplace_back(key, At(key).text);
    std::string canonical;
    At(key).invalid = CheckSettingValue(key, At(key).text, canonical);
  }
  return CheckTypedSettings(texts);
}

void SettingsDraft::SaveStarted() {
  saving_ = true;
  for (SettingKey key : keys_) At(key).sent = At(key).text;
}

void SettingsDraft::SaveAbandoned() {
  saving_ = false;
  for (SettingKey key : keys_) {
    Field& f = At(key);
    const bool unchanged = f.sent && f.text == *f.sent;
    f.sent.reset();
    // Replies that came meanwhile were left for the save: look at them now.
    if (!unchanged) continue;
    if (f.edited)
      Recheck(key);
    else if (unit_.Find(key))
      ShowUnitValue(key);
  }
}

void SettingsDraft::SaveFinished(const std::vector<SettingProblem>& problems,
                                 const UnitSettings& unit) {
  saving_ = false;
  unit_ = SettingsValuesFromUnit(unit);
  for (SettingKey key : AllSettingKeys()) {
    if (unit.Reported(key))
      unitShown_[static_cast<size_t>(key)] = unit.Shown(key);
  }
  for (SettingKey key : keys_) {
    Field& f = At(key);
    const bool unchanged = f.sent && f.text == *f.sent;
    f.sent.reset();
    // Changed while the save ran: that text was not sent, and stays an edit.
    if (!unchanged) {
      Recheck(key);
      continue;
    }
    SettingProblem::Kind kind{};
    const bool taken = !Failed(problems, SettingKeyGroup(key), &kind);
    if (taken || !f.edited) {
      // Taken, or the unit's own value: show what the unit holds.
      if (unit.Reported(key)) ShowUnitValue(key);
      else Recheck(key);
      continue;
    }
    // Not taken: what was typed stays, marked, unless the unit holds it
    // after all.
    Recheck(key);
    if (f.edited) f.notTaken = kind;
  }
  for (const auto& [key, value] : pending_.Entries())
    if (const std::string* held = unit_.Find(key); held && *held == value) pending_.Erase(key);
}

}  // namespace wr
