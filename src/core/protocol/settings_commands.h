// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

// The tracking server that "Send defaults" writes is the user's to choose:
// the tool ships none. The placeholder below was written in its place once
// and can never resolve; it counts as no server at all.
inline constexpr std::string_view kPlaceholderTrackingHost = "track.wayrunner.example";
inline constexpr const char* kTrackingHostVariable = "WAYRUNNER_TRACKING_HOST";
// The server chosen (a preference, an option) when not empty, else
// WAYRUNNER_TRACKING_HOST when set; empty when neither names one.
std::string TrackingHost(std::string_view chosen = {});
// False for no server: empty, blanks only, or the placeholder.
bool TrackingHostIsSet(std::string_view host);

// The lines of "Send defaults" for the given host ("AT+IP=" line first), or a
// refusal when no host is set or it cannot be sent safely.
SettingsSave BuildDefaultsCommands(std::string_view host);

// What "Send defaults" writes, one setting a line ("Tracking server: HOST,
// port 80"), for the question asked before anything is sent.
std::vector<std::string> DescribeDefaults(std::string_view host);
// The same lines, to be shown in the user's language.
std::vector<Message> DefaultsDescription(std::string_view host);

}  // namespace wr
