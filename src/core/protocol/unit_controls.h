// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the unit controls send: each a short list of command lines, each line
// with the pause the unit is given after it.
#include <string>
#include <string_view>
#include <vector>

#include "protocol/message.h"

namespace wr {

struct CommandStep {
  std::string line;
  int pauseAfterMs = 0;  // milliseconds to leave the unit before the next step
};

enum class UnitControl {
  Reboot,
  FactoryReset,
  RelayClose,
  RelayOpen,
  OutputHigh,
  OutputLow,
  BuzzerOn,
  BuzzerOff,
  Supply3V3On,
  Supply3V3Off,
};

// The steps of one control.
std::vector<CommandStep> UnitControlSteps(UnitControl control);

// The steps of "Send defaults" for the given tracking host ("AT+IP=" line
// first), or a refusal (and no steps) when no host is set or it cannot be
// sent safely.
struct DefaultsPlan {
  std::vector<CommandStep> steps;
  Message refusal;
};
DefaultsPlan BuildDefaultsSteps(std::string_view host);

// The outputs and their switching controls, for front ends that name them.
enum class UnitOutput { Relay, Output, Buzzer, Supply3V3 };
// relay on = closed, output on = high.
UnitControl OutputControl(UnitOutput output, bool on);

}  // namespace wr
