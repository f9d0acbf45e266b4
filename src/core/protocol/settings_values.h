// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The unit's settings as named values. The names are the same in settings
// profiles, in JSON output and on the command line; every value is held in
// its canonical form (see CheckSettingValue), so two sets compare equal
// exactly when they would set the unit alike ("024" and "24" are both "24").
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/setting_table.h"

namespace wr {

// Some or all of the settings, each in canonical form.
class SettingsValues {
 public:
  // Sets key from text as CheckSettingValue takes it; returns the reason of
  // a refusal (the set is then unchanged), empty when set.
  Message Set(SettingKey key, std::string_view text);
  void Erase(SettingKey key) { values_[Index(key)].reset(); }
  bool Has(SettingKey key) const { return values_[Index(key)].has_value(); }
  // The canonical text, or nullptr when the set leaves key out.
  const std::string* Find(SettingKey key) const;
  size_t Size() const;
  bool Empty() const { return Size() == 0; }
  // The keys present, in table order, with their values.
  std::vector<std::pair<SettingKey, std::string>> Entries() const;

  bool operator==(const SettingsValues& o) const { return values_ == o.values_; }
  bool operator!=(const SettingsValues& o) const { return !(*this == o); }

 private:
  static size_t Index(SettingKey key) { return static_cast<size_t>(key); }
  std::array<std::optional<std::string>, kSettingKeyCount> values_;
};

// Values as people give them, not checked yet: typed into the window's
// boxes, or an operator preset's texts.
using SettingTexts = std::vector<std::pair<SettingKey, std::string>>;

// What a check of given values found: the values, or the refusal that says
// what may not be sent (and then nothing is).
struct SettingsCheck {
  SettingsValues values;
  Message refusal;
  std::optional<SettingKey> refusedKey;  // when a value was refused
  std::string refusedName;               // the key as given, when one was refused
  bool Ok() const { return refusal.Empty(); }
};

// The window's check: the typed texts, each checked in table order; the
// first refused value stops it with SettingRefusal's message.
SettingsCheck CheckTypedSettings(const SettingTexts& typed);

// The command line's check: "KEY=VALUE" arguments, checked in the order
// given with the same message for a refused value as the window's; also
// refused: an argument without '=', an unknown key, a key given twice.
SettingsCheck ParseSettingAssignments(const std::vector<std::string>& assignments);

// One key on which two sets differ; a side that leaves the key out is empty.
struct SettingDifference {
  SettingKey key;
  std::optional<std::string> left;
  std::optional<std::string> right;

  bool operator==(const SettingDifference& o) const {
    return key == o.key && left == o.left && right == o.right;
  }
};
// The keys whose values differ, or that one set has and the other not, in
// table order.
std::vector<SettingDifference> DiffSettings(const SettingsValues& left, const SettingsValues& right);

}  // namespace wr
