// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes an upgrade file for the built-in simulated unit, to try an upgrade
// without hardware: the 256-byte header naming the product and the version,
// then an image of random bytes that carries the mark the simulated unit
// reads its new version from.
//
//   sim_upgrade_file VERSION SIZE OUT
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "sim/simulated_unit.h"
#include "upgrade/upgrade_file.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: sim_upgrade_file VERSION SIZE OUT\n";
    return 2;
  }
  const std::string version = argv[1];
  const size_t size = std::strtoul(argv[2], nullptr, 10);
  std::string content = std::string(wr::kUpgradeProductWords[1]) + "," + version;
  content.resize(wr::kUpgradeHeaderSize, '\0');
  content += wr::SimulatedUnit::FirmwareImage(version, size);
  // Checked as the tool checks it, against a unit of the same major version.
  const wr::UpgradeFileResult check = wr::ReadUpgradeContent(content, version);
  if (!check.ok) {
    std::cerr << "sim_upgrade_file: " << check.message << "\n";
    return 1;
  }
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  if (!out) {
    std::cerr << "sim_upgrade_file: cannot write " << argv[3] << "\n";
    return 1;
  }
  return 0;
}
