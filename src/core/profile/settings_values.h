#pragma once
// The unit's settings as named values. The names are the same in settings
// profiles, in JSON output and on the command line; every value is held in
// one canonical text, so two sets compare equal exactly when they would set
// the unit alike ("024" and "24" are both held as "24").
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/settings_commands.h"
#include "protocol/unit_settings.h"

namespace wr {

// In canonical order, which is also the order of a profile's keys.
enum class SettingKey {
  kUssd,             // "ussd": the airtime USSD query, text
  kUssdInterval,     // "ussd_interval": hours between queries, 0..2147483647
  kApn,              // "apn": text
  kApnUser,          // "apn_user": text
  kApnPassword,      // "apn_password": text
  kTripStopMinutes,  // "trip_stop_minutes": minutes whose seconds fit 32 bits
  kLowPower,         // "low_power": 0 or 1
  kIgnition,         // "ignition": 0 disabled, 1 smart detection, 2 voltage on input 1
  kTrack1,           // "track1", "track2", "track4", "track5": the retained
  kTrack2,           //   tracking values, passed through as signed 32-bit
  kTrack4,           //   integers
  kTrack5,
};
inline constexpr size_t kSettingKeyCount = 12;

const std::array<SettingKey, kSettingKeyCount>& AllSettingKeys();
std::string_view SettingKeyName(SettingKey key);
// The key of a name, in any ASCII letter case; nothing for another name.
std::optional<SettingKey> SettingKeyFromName(std::string_view name);
// "ussd, ussd_interval, ..., track5", for messages and usage texts.
std::string SettingKeyNames();

// Checks text as a value of key. Accepted: canonical gets the value's
// canonical form and the result is empty. Refused: the result completes the
// sentence 'the value of "key" ...', e.g. 'must be 0 or 1, not "3"' or
// 'contains a comma, which cannot be sent to the unit'; canonical is then
// unchanged.
//
// Texts (ussd, apn, apn_user, apn_password) are taken exactly, blanks
// included, and refused for any character the settings save refuses (a
// comma, a control character, anything outside printable ASCII). Numbers may
// have blanks around them and a sign; the canonical form has neither leading
// zeros nor '+'.
std::string CanonicalSettingValue(SettingKey key, std::string_view text, std::string& canonical);

// Some or all of the settings, each in canonical form.
class SettingsValues {
 public:
  // Sets key from text as CanonicalSettingValue takes it; returns the
  // refusal (the set is then unchanged), empty when set.
  std::string Set(SettingKey key, std::string_view text);
  void Erase(SettingKey key) { values_[Index(key)].reset(); }
  bool Has(SettingKey key) const { return values_[Index(key)].has_value(); }
  // The canonical text, or nullptr when the set leaves key out.
  const std::string* Find(SettingKey key) const;
  size_t Size() const;
  bool Empty() const { return Size() == 0; }
  // The keys present, in canonical order, with their values.
  std::vector<std::pair<SettingKey, std::string>> Entries() const;

  bool operator==(const SettingsValues& o) const { return values_ == o.values_; }
  bool operator!=(const SettingsValues& o) const { return !(*this == o); }

 private:
  static size_t Index(SettingKey key) { return static_cast<size_t>(key); }
  std::array<std::optional<std::string>, kSettingKeyCount> values_;
};

// What the unit reported, as the settings form holds it. A field that is no
// valid value (ignition with nothing selected, a trip-stop text that is not
// minutes, a character the save refuses) is left out, and "key: reason" is
// appended to leftOut when given.
SettingsValues SettingsValuesFromForm(const SettingsForm& form,
                                      std::vector<std::string>* leftOut = nullptr);

// Writes every value of the set into its form field; the fields of keys the
// set leaves out keep their content, as read from the unit.
void ApplySettingsValues(const SettingsValues& values, SettingsForm& form);

// The reply (and set command) that carries a key.
SettingGroup SettingKeyGroup(SettingKey key);

// The settings form as the unit reported its settings, retained values
// included; a group not read on this connection gives the form's defaults.
SettingsForm SettingsFormFromUnit(const UnitSettings& unit);

// The values of the groups the unit has reported on this connection; keys of
// groups not read are left out, and so are values that are no valid value
// (with their reason in leftOut, as SettingsValuesFromForm says).
SettingsValues SettingsValuesFromUnit(const UnitSettings& unit,
                                      std::vector<std::string>* leftOut = nullptr);

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
// canonical order.
std::vector<SettingDifference> DiffSettings(const SettingsValues& left, const SettingsValues& right);

}  // namespace wr
