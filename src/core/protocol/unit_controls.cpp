// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/unit_controls.h"

#include "protocol/commands.h"
#include "protocol/settings_commands.h"

namespace wr {
namespace {

// Milliseconds after AT+RESET before the caller goes on.
constexpr int kRebootPauseMs = 500;
// Milliseconds to leave the unit after each of the first two defaults, and
// after the last before it is queried again.
constexpr int kDefaultsStepMs = 500;
constexpr int kDefaultsSettleMs = 1500;

}  // namespace

std::vector<CommandStep> UnitControlSteps(UnitControl control) {
  auto one = [](std::string_view line, int pause = 0) {
    return std::vector<CommandStep>{{std::string(line), pause}};
  };
  switch (control) {
    case UnitControl::Reboot: return one(cmd::kReset, kRebootPauseMs);
    case UnitControl::FactoryReset: return one(cmd::kFactory);
    case UnitControl::RelayClose: return one(cmd::kRelayClose);
    case UnitControl::RelayOpen: return one(cmd::kRelayOpen);
    case UnitControl::OutputHigh: return one(cmd::kOutputHigh);
    case UnitControl::OutputLow: return one(cmd::kOutputLow);
    case UnitControl::BuzzerOn: return one(cmd::kBuzzerOn);
    case UnitControl::BuzzerOff: return one(cmd::kBuzzerOff);
    case UnitControl::Supply3V3On: return one(cmd::k3V3On);
    case UnitControl::Supply3V3Off: return one(cmd::k3V3Off);
  }
  return {};
}

DefaultsPlan BuildDefaultsSteps(std::string_view host) {
  DefaultsPlan plan;
  const SettingsSave lines = BuildDefaultsCommands(host);
  if (!lines.refusal.Empty()) {
    plan.refusal = lines.refusal;
    return plan;
  }
  // The tracking host and the track settings each get time to be stored; the
  // last two go out together and the unit then settles before it is queried.
  const int pauses[] = {kDefaultsStepMs, kDefaultsStepMs, 0, kDefaultsSettleMs};
  for (size_t i = 0; i < lines.commands.size(); ++i)
    plan.steps.push_back({lines.commands[i], i < 4 ? pauses[i] : 0});
  return plan;
}

UnitControl OutputControl(UnitOutput output, bool on) {
  switch (output) {
    case UnitOutput::Relay: return on ? UnitControl::RelayClose : UnitControl::RelayOpen;
    case UnitOutput::Output: return on ? UnitControl::OutputHigh : UnitControl::OutputLow;
    case UnitOutput::Buzzer: return on ? UnitControl::BuzzerOn : UnitControl::BuzzerOff;
    case UnitOutput::Supply3V3: return on ? UnitControl::Supply3V3On : UnitControl::Supply3V3Off;
  }
  return UnitControl::RelayOpen;
}

}  // namespace wr
