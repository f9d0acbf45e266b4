// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Settings tab's edit state, without its widgets: what each field shows,
// which fields hold the user's values rather than the unit's, which of those
// the check refuses or the unit did not take at the last save, and why.
// Nothing the user gave is replaced until it was saved or reverted: a reply
// from the unit fills only the fields the user has not changed.
//
// The tab hands every user change to the draft and shows what the draft
// holds after each call. A save is told to the draft in two halves, so that
// it does not matter how the save itself is run: SaveStarted with the values
// sent, and SaveFinished with what the unit did with them.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "protocol/message.h"
#include "protocol/settings_values.h"
#include "protocol/unit_settings.h"

namespace wr {

class SettingsDraft {
 public:
  // Who put a value into a field. The network wizard may replace its own
  // values without asking; a profile's or a typed value it may not.
  enum class Origin { Typed, Wizard, Profile };

  // How a field is marked.
  enum class Mark {
    None,      // shows the unit's value
    Edited,    // holds a value given here, not saved yet
    Invalid,   // holds a value the check refuses: nothing can be saved
    NotTaken,  // was saved, and the unit did not take it
  };

  // The settings that have a field: those with a label in the setting table.
  SettingsDraft();

  // ---- what a field shows

  bool HasField(SettingKey key) const;
  const std::vector<SettingKey>& Keys() const { return keys_; }
  const std::string& Text(SettingKey key) const;
  bool IsEdited(SettingKey key) const { return At(key).edited; }
  bool ByWizard(SettingKey key) const { return At(key).byWizard; }
  Mark MarkOf(SettingKey key) const;
  // Why the field is marked: the check's reason, or what the unit did with
  // the value; empty for the other marks.
  Message Reason(SettingKey key) const;
  // Values given (by a profile) for settings without a field: they wait for
  // Save too.
  const SettingsValues& Pending() const { return pending_; }
  // Whether anything given here is not saved yet.
  bool HasEdits() const;
  // The settings with edits, fields and pending values, in table order.
  std::vector<SettingKey> EditedKeys() const;

  // ---- changes

  // What the fields show before the unit has reported anything: no edits.
  void Start(const SettingTexts& texts);
  // The user gave a field a text. A text that sets the unit as it is set
  // already is no edit.
  void Edit(SettingKey key, const std::string& text, Origin origin = Origin::Typed);
  // Values chosen from a profile: into their fields, or pending when the
  // setting has none.
  void TakeValues(const SettingsValues& values);
  // The unit reported a group: the fields of it that hold no edit show its
  // values; an edit now equal to the unit's value is no edit any more.
  // While a save runs, the fields it sent are left until it has finished.
  void UnitReported(const UnitSettings& unit, SettingGroup group);
  // The unit is read afresh: the fields without an edit are blanked (a flag
  // keeps its state); the edits stay.
  void UnitCleared(const UnitSettings& unit);
  // Forgets every edit: the fields show the unit's values again (a field of
  // a group not read on this connection keeps its text).
  void Revert();

  // ---- save

  // The fields checked as Save checks them: the values to send, or the
  // refusal of the first value refused. Every field whose text the check
  // refuses is marked Invalid with its reason, so that the mark and the
  // message agree.
  SettingsCheck Check();
  // A save sends the fields' texts as they are now.
  void SaveStarted();
  // The save ended without the unit being told anything (it was refused
  // before sending, or cut short): the fields keep what they hold.
  void SaveAbandoned();
  // The save ended; problems name the groups the unit did not take as sent,
  // unit holds what it reports now. A field sent and not changed since
  // shows the unit's value when its group was taken; when not, it keeps
  // what was typed, marked NotTaken, unless the unit holds that value.
  void SaveFinished(const std::vector<SettingProblem>& problems, const UnitSettings& unit);
  bool Saving() const { return saving_; }

 private:
  struct Field {
    std::string text;
    bool edited = false;
    bool byWizard = false;
    // The check's reason when the text is refused.
    Message invalid;
    // What the unit did with this value at the last save, when it did not take it.
    std::optional<SettingProblem::Kind> notTaken;
    // The text the running save sent; nothing when the field was not sent.
    std::optional<std::string> sent;
  };

  Field& At(SettingKey key) { return fields_[static_cast<size_t>(key)]; }
  const Field& At(SettingKey key) const { return fields_[static_cast<size_t>(key)]; }
  // The canonical value of a text; nothing when the check refuses it.
  static std::optional<std::string> Canonical(SettingKey key, const std::string& text);
  bool MatchesUnit(SettingKey key, const std::string& text) const;
  // Looks at a field's text again: the check's reason and whether it differs
  // from the unit.
  void Recheck(SettingKey key);
  void ShowUnitValue(SettingKey key);

  std::vector<SettingKey> keys_;
  std::array<Field, kSettingKeyCount> fields_;
  SettingsValues pending_;
  // What the unit holds (the groups read on this connection), and what its
  // fields show of it.
  SettingsValues unit_;
  std::array<std::optional<std::string>, kSettingKeyCount> unitShown_;
  bool saving_ = false;
};

}  // namespace wr
