#pragma once
// The command lines that write the settings to the unit.
#include <string>
#include <string_view>
#include <vector>

#include "protocol/message.h"
#include "protocol/settings_values.h"

namespace wr {

struct SettingsSave {
  // The set commands in sending order; empty when refused.
  std::vector<std::string> commands;
  // Why nothing may be sent, for the user; empty when accepted.
  Message refusal;
};

// The five set commands, one per group in SettingGroup order, each with the
// group's values at their places; values needs every key (values are
// canonical, so checked already). Refused when a key is missing.
SettingsSave BuildSettingsCommands(const SettingsValues& values);

// The queries that read the settings back after a save, in order.
const std::vector<std::string_view>& SettingsQueries();

// The tracking server written by "Send defaults": WAYRUNNER_TRACKING_HOST
// when set and not empty, else kDefaultTrackingHost.
inline constexpr std::string_view kDefaultTrackingHost = "track.wayrunner.example";
inline constexpr const char* kTrackingHostVariable = "WAYRUNNER_TRACKING_HOST";
std::string TrackingHost();

// The lines of "Send defaults" for the given host ("AT+IP=" line first), or a
// refusal when the host cannot be sent safely.
SettingsSave BuildDefaultsCommands(std::string_view host);

}  // namespace wr
