// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/simulated_units.h"

#include <cstdio>

namespace wr {
namespace {

// Milliseconds a simulated unit takes to answer a command.
constexpr int kAnswerMs = 5;
// Milliseconds a simulated unit stays off the bus when it restarts.
constexpr int kRestartMs = 1000;
constexpr int kTripsPerUnit = 8;

}  // namespace

std::unique_ptr<SimulatedBus> MakeSimulatedBus(int units) {
  auto bus = std::make_unique<SimulatedBus>();
  for (int i = 1; i < units; ++i) {
    SimulatedUnit::Options options;
    char id[32];
    std::snprintf(id, sizeof id, "WR%010d", 1234567 + i);
    options.deviceId = id;
    options.seed = static_cast<uint32_t>(i + 1);
    bus->AddUnit(0x16D0, 0x06AF, options);
  }
  for (int i = 0; i < units; ++i) {
    SimulatedUnit& unit = bus->Unit(i);
    unit.GenerateTrips(kTripsPerUnit);
    unit.SetLatency(SimulatedUnit::Millis(kAnswerMs));
    unit.SetRestartDowntime(SimulatedUnit::Millis(kRestartMs));
  }
  return bus;
}

}  // namespace wr
