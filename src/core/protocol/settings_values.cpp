// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/settings_values.h"


namespace wr {

Message SettingsValues::Set(SettingKey key, std::string_view text) {
  std::string canonical;
  Message refusal = CheckSettingValue(key, text, canonical);
  if (refusal.Empty()) values_[Index(key)] = std::move(canonical);
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
  for (SettingKey key : AllSettingKeys())
    if (const std::string* value = Find(key)) entries.emplace_back(key, *value);
  return entries;
}

SettingsCheck CheckTypedSettings(const SettingTexts& typed) {
  SettingsCheck check;
  for (SettingKey key : AllSettingKeys()) {
    for (const auto& [k, text] : typed) {
      if (k != key) continue;
      const Message reason = check.values.Set(key, text);
      if (!reason.Empty()) {
        check.refusal = SettingRefusal(key, reason);
        check.refusedKey = key;
        return check;
      }
    }
  }
  return check;
}

SettingsCheck ParseSettingAssignments(const std::vector<std::string>& assignments) {
  SettingsCheck check;
  const Message keys = Message::Plain(SettingKeyNames());
  for (const std::string& pair : assignments) {
    const size_t eq = pair.find('=');
    if (eq == std::string::npos) {
      check.refusal = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "'%1' is not KEY=VALUE (keys: %2)"), {Message::Plain(pair), keys});
      return check;
    }
    const std::string name = pair.substr(0, eq);
    const std::optional<SettingKey> key = SettingKeyFromName(name);
    if (!key) {
      check.refusal = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "unknown key '%1' (keys: %2)"), {Message::Plain(name), keys});
      check.refusedName = name;
      return check;
    }
    if (check.values.Has(*key)) {
      check.refusal = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "'%1' is given twice"), {Message::Plain(name)});
      check.refusedName = name;
      return check;
    }
    const Message reason = check.values.Set(*key, std::string_view(pair).substr(eq + 1));
    if (!reason.Empty()) {
      check.refusal = SettingRefusal(*key, reason);
      check.refusedKey = *key;
      check.refusedName = name;
      return check;
    }
  }
  return check;
}

std::vector<SettingDifference> DiffSettings(const SettingsValues& left, const SettingsValues& right) {
  std::vector<SettingDifference> differences;
  for (SettingKey key : AllSettingKeys()) {
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
