#include "profile/settings_values.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace wr {
namespace {

constexpr std::array<SettingKey, kSettingKeyCount> kKeys = {
    SettingKey::kUssd,    SettingKey::kUssdInterval,    SettingKey::kApn,
    SettingKey::kApnUser, SettingKey::kApnPassword,     SettingKey::kTripStopMinutes,
    SettingKey::kLowPower, SettingKey::kIgnition,       SettingKey::kTrack1,
    SettingKey::kTrack2,  SettingKey::kTrack4,          SettingKey::kTrack5};

constexpr std::array<std::string_view, kSettingKeyCount> kNames = {
    "ussd",      "ussd_interval", "apn",     "apn_user", "apn_password", "trip_stop_minutes",
    "low_power", "ignition",      "track1",  "track2",   "track4",       "track5"};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// text for a message: printable ASCII as it is, any other byte as \xHH, and
// cut short, so a stray control character cannot reach a terminal.
std::string Shown(std::string_view text) {
  constexpr size_t kMax = 40;
  std::string out = "\"";
  for (size_t i = 0; i < text.size() && i < kMax; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  if (text.size() > kMax) out += "...";
  return out + "\"";
}

enum class IntegerParse { kOk, kNotInteger, kOutOfRange };

// Optional sign and decimal digits, nothing else, within lo..hi.
IntegerParse ParseInteger(std::string_view text, int64_t lo, int64_t hi, int64_t& value) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return IntegerParse::kNotInteger;
  bool tooLong = false;
  int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return IntegerParse::kNotInteger;
    if (magnitude > (std::numeric_limits<int64_t>::max() - 9) / 10)
      tooLong = true;  // still has to be all digits
    else
      magnitude = magnitude * 10 + (c - '0');
  }
  if (tooLong) return IntegerParse::kOutOfRange;
  value = negative ? -magnitude : magnitude;
  return value < lo || value > hi ? IntegerParse::kOutOfRange : IntegerParse::kOk;
}

std::string IntegerValue(std::string_view text, int64_t lo, int64_t hi, const char* allowed,
                         std::string& canonical) {
  text = TrimBlanks(text);
  int64_t value = 0;
  switch (ParseInteger(text, lo, hi, value)) {
    case IntegerParse::kOk:
      canonical = std::to_string(value);
      return {};
    case IntegerParse::kNotInteger:
      return "must be a whole number, not " + Shown(text);
    case IntegerParse::kOutOfRange:
      break;
  }
  return std::string("must be ") + allowed + ", not " + Shown(text);
}

bool IsTextKey(SettingKey key) {
  return key == SettingKey::kUssd || key == SettingKey::kApn || key == SettingKey::kApnUser ||
         key == SettingKey::kApnPassword;
}

std::string* TextField(SettingKey key, SettingsForm& form) {
  switch (key) {
    case SettingKey::kUssd: return &form.ussd;
    case SettingKey::kUssdInterval: return &form.ussdInterval;
    case SettingKey::kApn: return &form.apn;
    case SettingKey::kApnUser: return &form.apnUsername;
    case SettingKey::kApnPassword: return &form.apnPassword;
    case SettingKey::kTripStopMinutes: return &form.tripStopText;
    default: return nullptr;
  }
}

int32_t* TrackField(SettingKey key, SettingsForm& form) {
  switch (key) {
    case SettingKey::kTrack1: return &form.trackField1;
    case SettingKey::kTrack2: return &form.trackField2;
    case SettingKey::kTrack4: return &form.trackField4;
    case SettingKey::kTrack5: return &form.trackField5;
    default: return nullptr;
  }
}

}  // namespace

const std::array<SettingKey, kSettingKeyCount>& AllSettingKeys() { return kKeys; }

std::string_view SettingKeyName(SettingKey key) { return kNames[static_cast<size_t>(key)]; }

std::optional<SettingKey> SettingKeyFromName(std::string_view name) {
  for (size_t k = 0; k < kSettingKeyCount; ++k) {
    const std::string_view candidate = kNames[k];
    if (candidate.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size() && same; ++i) {
      char c = name[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      same = c == candidate[i];
    }
    if (same) return kKeys[k];
  }
  return std::nullopt;
}

std::string SettingKeyNames() {
  std::string names;
  for (std::string_view name : kNames) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  return names;
}

std::string CanonicalSettingValue(SettingKey key, std::string_view text, std::string& canonical) {
  constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
  constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
  if (IsTextKey(key)) {
    const std::string bad = DescribeUnsafeCharacter(text);
    if (!bad.empty()) return "contains " + bad + ", which cannot be sent to the unit";
    canonical.assign(text);
    return {};
  }
  switch (key) {
    case SettingKey::kUssdInterval:
      return IntegerValue(text, 0, kInt32Max, "a whole number of hours from 0 to 2147483647",
                          canonical);
    case SettingKey::kTripStopMinutes: {
      // The same reading as the settings save's, so a profile holds only
      // what the save would send.
      int32_t seconds = 0;
      switch (ParseTripStopMinutes(text, seconds)) {
        case TripStopParse::Ok:
          canonical = std::to_string(seconds / 60);
          return {};
        case TripStopParse::NotInteger:
          return "must be a whole number of minutes, not " + Shown(TrimBlanks(text));
        case TripStopParse::TooLarge:
          return "is longer than the unit can store: " + Shown(TrimBlanks(text)) + " minutes";
      }
      return "must be a whole number of minutes";
    }
    case SettingKey::kLowPower: return IntegerValue(text, 0, 1, "0 or 1", canonical);
    case SettingKey::kIgnition: return IntegerValue(text, 0, 2, "0, 1 or 2", canonical);
    default:
      return IntegerValue(text, kInt32Min, kInt32Max,
                          "a whole number from -2147483648 to 2147483647", canonical);
  }
}

std::string SettingsValues::Set(SettingKey key, std::string_view text) {
  std::string canonical;
  std::string refusal = CanonicalSettingValue(key, text, canonical);
  if (refusal.empty()) values_[Index(key)] = std::move(canonical);
  return refusal;
}

const std::string* SettingsValues::Find(SettingKey key) const {
  const auto& value = values_[Index(key)];
  return value ? &*value : nullptr;
}

size_t SettingsValues::Size() const {
  size_t n = 0;
  for (const auto& value : values_) n += value.has_value();
  return n;
}

std::vector<std::pair<SettingKey, std::string>> SettingsValues::Entries() const {
  std::vector<std::pair<SettingKey, std::string>> entries;
  for (SettingKey key : kKeys)
    if (const std::string* value = Find(key)) entries.emplace_back(key, *value);
  return entries;
}

SettingsValues SettingsValuesFromForm(const SettingsForm& form, std::vector<std::string>* leftOut) {
  SettingsValues values;
  auto take = [&](SettingKey key, const std::string& text) {
    const std::string refusal = values.Set(key, text);
    if (!refusal.empty() && leftOut)
      leftOut->push_back(std::string(SettingKeyName(key)) + ": the value " + refusal);
  };
  take(SettingKey::kUssd, form.ussd);
  take(SettingKey::kUssdInterval, form.ussdInterval);
  take(SettingKey::kApn, form.apn);
  take(SettingKey::kApnUser, form.apnUsername);
  take(SettingKey::kApnPassword, form.apnPassword);
  take(SettingKey::kTripStopMinutes, form.tripStopText);
  take(SettingKey::kLowPower, form.lowPower ? "1" : "0");
  if (form.ignitionIndex < 0) {
    if (leftOut) leftOut->push_back("ignition: nothing is selected");
  } else {
    take(SettingKey::kIgnition, std::to_string(form.ignitionIndex));
  }
  take(SettingKey::kTrack1, std::to_string(form.trackField1));
  take(SettingKey::kTrack2, std::to_string(form.trackField2));
  take(SettingKey::kTrack4, std::to_string(form.trackField4));
  take(SettingKey::kTrack5, std::to_string(form.trackField5));
  return values;
}

void ApplySettingsValues(const SettingsValues& values, SettingsForm& form) {
  for (const auto& [key, value] : values.Entries()) {
    if (std::string* text = TextField(key, form)) {
      *text = value;
    } else if (int32_t* track = TrackField(key, form)) {
      *track = static_cast<int32_t>(std::stoll(value));
    } else if (key == SettingKey::kLowPower) {
      form.lowPower = value == "1";
    } else if (key == SettingKey::kIgnition) {
      form.ignitionIndex = std::stoi(value);
    }
  }
}

SettingGroup SettingKeyGroup(SettingKey key) {
  switch (key) {
    case SettingKey::kUssd:
    case SettingKey::kUssdInterval: return SettingGroup::Ussd;
    case SettingKey::kApn:
    case SettingKey::kApnUser:
    case SettingKey::kApnPassword: return SettingGroup::Gprs;
    case SettingKey::kLowPower: return SettingGroup::LowPower;
    case SettingKey::kIgnition: return SettingGroup::Ignition;
    case SettingKey::kTripStopMinutes:
    case SettingKey::kTrack1:
    case SettingKey::kTrack2:
    case SettingKey::kTrack4:
    case SettingKey::kTrack5: break;
  }
  return SettingGroup::Track;
}

SettingsForm SettingsFormFromUnit(const UnitSettings& unit) {
  SettingsForm form;
  form.tripStopText = unit.tripStopText;
  form.trackField1 = unit.trackField1;
  form.trackField2 = unit.trackField2;
  form.trackField4 = unit.trackField4;
  form.trackField5 = unit.trackField5;
  form.lowPower = unit.lowPower.value_or(false);
  form.ussd = unit.ussd;
  form.ussdInterval = unit.ussdInterval;
  form.apn = unit.apn;
  form.apnUsername = unit.apnUsername;
  form.apnPassword = unit.apnPassword;
  form.ignitionIndex = unit.ignition.value_or(-1);
  return form;
}

SettingsValues SettingsValuesFromUnit(const UnitSettings& unit, std::vector<std::string>* leftOut) {
  std::vector<std::string> reasons;
  SettingsValues values = SettingsValuesFromForm(SettingsFormFromUnit(unit), &reasons);
  for (SettingKey key : kKeys)
    if (!unit.Read(SettingKeyGroup(key))) values.Erase(key);
  if (leftOut) {
    // Each reason starts with its key's name.
    for (std::string& reason : reasons) {
      const auto key = SettingKeyFromName(std::string_view(reason).substr(0, reason.find(':')));
      if (key && unit.Read(SettingKeyGroup(*key))) leftOut->push_back(std::move(reason));
    }
  }
  return values;
}

std::vector<SettingDifference> DiffSettings(const SettingsValues& left, const SettingsValues& right) {
  std::vector<SettingDifference> differences;
  for (SettingKey key : kKeys) {
    const std::string* a = left.Find(key);
    const std::string* b = right.Find(key);
    if (!a && !b) continue;
    if (a && b && *a == *b) continue;
    SettingDifference d{key, std::nullopt, std::nullopt};
    if (a) d.left = *a;
    if (b) d.right = *b;
    differences.push_back(std::move(d));
  }
  return differences;
}

}  // namespace wr
