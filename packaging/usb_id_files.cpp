// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the files outside the program that name the unit's USB identifiers,
// from the list the program itself searches for, so the two cannot differ.
//
//   usb_id_files udev-rule OUT
//       the udev rule that lets the user at the desktop open the unit
//   usb_id_files metainfo TEMPLATE OUT
//       the AppStream metainfo: the line holding %MODALIAS_PROVIDES% becomes
//       one <modalias> per identifier pair, at that line's indentation
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "protocol/commands.h"
#include "usb/udev_rule.h"

namespace {

std::string Hex4(int value, bool upper) {
  char text[8];
  std::snprintf(text, sizeof text, upper ? "%04X" : "%04x", value & 0xFFFF);
  return text;
}

// Returns false when the template has no marker line: a metainfo without the
// identifiers must not pass for a good one.
bool Metainfo(std::istream& in, std::string& out) {
  const std::string marker = "%MODALIAS_PROVIDES%";
  bool found = false;
  std::string line;
  while (std::getline(in, line)) {
    const auto at = line.find(marker);
    if (at == std::string::npos) {
      out += line + "\n";
      continue;
    }
    found = true;
    const std::string indent = line.substr(0, at);
    for (const auto& [vendor, product] : wr::usbid::kUnitIds) {
      // AppStream matches the kernel's modalias, whose hex digits are upper case.
      out += indent + "<modalias>usb:v" + Hex4(vendor, true) + "p" + Hex4(product, true) +
             "*</modalias>\n";
    }
  }
  return found;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  return !file.fail();
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "udev-rule" && argc == 3) {
    if (WriteFile(argv[2], wr::UdevRuleText())) return 0;
    std::cerr << "usb_id_files: cannot write " << argv[2] << "\n";
    return 1;
  }
  if (what == "metainfo" && argc == 4) {
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) {
      std::cerr << "usb_id_files: cannot read " << argv[2] << "\n";
      return 1;
    }
    std::string out;
    if (!Metainfo(in, out)) {
      std::cerr << "usb_id_files: " << argv[2] << " has no %MODALIAS_PROVIDES% line\n";
      return 1;
    }
    if (WriteFile(argv[3], out)) return 0;
    std::cerr << "usb_id_files: cannot write " << argv[3] << "\n";
    return 1;
  }
  std::cerr << "usage: usb_id_files udev-rule OUT\n"
               "       usb_id_files metainfo TEMPLATE OUT\n";
  return 2;
}
