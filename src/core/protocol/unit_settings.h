// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The unit's settings as it reported them, and the check of a save against
// what the unit answered and holds afterwards.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol/settings_values.h"

namespace wr {

// Settings as the unit's replies carry them: for each key its reply field
// (numbers in decimal as read), absent when not reported.
using ReportedSettings = std::array<std::optional<std::string>, kSettingKeyCount>;

// The settings as the unit reported them. Each group comes from one reply and
// knows whether that reply arrived on this connection; values from an earlier
// connection (another unit, perhaps) stay for the eye but count as not read.
struct UnitSettings {
  ReportedSettings reported;
  std::array<bool, kSettingGroupCount> read{};

  bool Read(SettingGroup group) const { return read[static_cast<size_t>(group)]; }
  // The reply field as reported; nullptr when it was not (or was cleared).
  const std::string* Reported(SettingKey key) const;
  // A numeric setting as reported; nothing when not reported.
  std::optional<int64_t> Number(SettingKey key) const;
  // What the Settings tab shows of it: the canonical value (whole minutes
  // for the trip-stop seconds), the field as reported when it is no valid
  // value, empty when not reported.
  std::string Shown(SettingKey key) const;
};

// The values of the groups the unit has reported on this connection; keys of
// groups not read are left out, and so are values that are no valid value
// ("key: the reason" appended to leftOut when given; in English in the
// std::string form).
SettingsValues SettingsValuesFromUnit(const UnitSettings& unit,
                                      std::vector<std::string>* leftOut = nullptr);
SettingsValues SettingsValuesFromUnit(const UnitSettings& unit,
                                      std::vector<Message>* leftOut);

// How the unit answered one set command.
enum class SetAnswer {
  Ok,
  Error,
  None,    // no answer in time (or none waited for, once the unit had stopped answering)
  NotSent  // the line could not be written
};

// One setting the unit did not take as sent.
struct SettingProblem {
  enum class Kind {
    Refused,      // answered ERROR
    NoAnswer,     // neither OK nor ERROR in time
    Differs,      // answered OK, but reads back otherwise
    NotReadBack,  // its query brought no reply
    NotSent,      // the command could not be written to the unit
  };
  SettingGroup group;
  Kind kind;
};

// Compares what a save sent (every value, and the answer to each set
// command in sending order: one per group in SettingGroup order) with what
// the unit reported afterwards.
std::vector<SettingProblem> CheckSavedSettings(const SettingsValues& sent,
                                               const std::vector<SetAnswer>& answers,
                                               const UnitSettings& after);

// What a problem was, e.g. "refused by the unit".
Message SettingProblemWords(SettingProblem::Kind kind);

// One message naming every setting that was not taken and what the unit
// holds now; empty when there is no problem.
Message DescribeSaveProblems(const std::vector<SettingProblem>& problems, const UnitSettings& after);

}  // namespace wr
