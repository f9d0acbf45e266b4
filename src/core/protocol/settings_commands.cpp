// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/settings_commands.h"

#include <cstdlib>

#include "protocol/commands.h"


namespace wr {

SettingsSave BuildSettingsCommands(const SettingsValues& values) {
  SettingsSave out;
  for (SettingKey key : AllSettingKeys()) {
    if (values.Has(key)) continue;
    out.refusal = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "\"%1\" (%2) has no value. Nothing was sent."),
                              {Message::Of(Describe(key).title),
                               Message::Plain(std::string(SettingKeyName(key)))});
    return out;
  }
  for (const SettingGroupDescriptor& group : SettingGroupTable()) {
    std::vector<std::string> arguments;
    for (const SettingDescriptor& d : SettingTable()) {
      if (d.group != group.group) continue;
      const auto place = static_cast<size_t>(d.commandArgument);
      if (arguments.size() < place) arguments.resize(place);
      arguments[place - 1] = CommandValue(d.key, *values.Find(d.key));
    }
    std::string line(group.set);
    for (size_t i = 0; i < arguments.size(); ++i) line += (i ? "," : "") + arguments[i];
    out.commands.push_back(std::move(line));
  }
  return out;
}

const std::vector<std::string_view>& SettingsQueries() {
  static const std::vector<std::string_view> queries = {
      cmd::kLowPowerQuery, cmd::kTrackQuery, cmd::kUssdQuery, cmd::kGprsQuery, cmd::kIgnitionQuery};
  return queries;
}

std::string TrackingHost(std::string_view chosen) {
  if (!chosen.empty()) return std::string(chosen);
  const char* value = std::getenv(kTrackingHostVariable);
  if (value && *value) return value;
  return std::string();
}

bool TrackingHostIsSet(std::string_view host) {
  if (host.find_first_not_of(" \t") == std::string_view::npos) return false;
  return host != kPlaceholderTrackingHost;
}

SettingsSave BuildDefaultsCommands(std::string_view host) {
  SettingsSave out;
  if (!TrackingHostIsSet(host)) {
    out.refusal = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "No tracking server is set. Nothing was sent."));
    return out;
  }
  const Message bad = DescribeUnsafeCharacter(host);
  if (!bad.Empty()) {
    out.refusal = Message::Of(
        WR_TRANSLATE_NOOP("wr::Core", "The tracking server \"%1\" contains %2, which cannot be sent to the unit. Nothing "
           "was sent."),
        {Message::Plain(std::string(host)), bad});
    return out;
  }
  out.commands.push_back(std::string(cmd::kIpSet) + std::string(host) + std::string(cmd::kIpSetTail));
  out.commands.emplace_back(cmd::kDefaultTrack);
  out.commands.emplace_back(cmd::kDefaultLowPower);
  out.commands.emplace_back(cmd::kDefaultIgnition);
  return out;
}

std::vector<Message> DefaultsDescription(std::string_view host) {
  // The values of kDefaultTrack, kDefaultLowPower and kDefaultIgnition.
  return {Message::Of(WR_TRANSLATE_NOOP("wr::Core", "Tracking server: %1, port 80"),
                      {Message::Plain(std::string(host))}),
          Message::Of(WR_TRANSLATE_NOOP("wr::Core", "Trip stop time: 3 minutes")),
          Message::Of(WR_TRANSLATE_NOOP("wr::Core", "Tracking values: 21600, 30, 10000 and 20")),
          Message::Of(WR_TRANSLATE_NOOP("wr::Core", "Low power mode: on")),
          Message::Of(WR_TRANSLATE_NOOP("wr::Core", "Ignition detection: Smart detection"))};
}

std::vector<std::string> DescribeDefaults(std::string_view host) {
  std::vector<std::string> lines;
  for (const Message& line : DefaultsDescription(host)) lines.push_back(line.English());
  return lines;
}

}  // namespace wr
