// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The simulated units of --simulate: each with its own device id, bus
// address and trip log, answering promptly and restarting quickly.
#include <memory>

#include "sim/simulated_bus.h"

namespace wr {

inline constexpr int kMaxSimulatedUnits = 32;

std::unique_ptr<SimulatedBus> MakeSimulatedBus(int units);

}  // namespace wr
