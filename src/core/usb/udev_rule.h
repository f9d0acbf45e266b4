// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The udev rule that lets the user at the computer's own screen open the
// unit without root rights, from the identifiers the program searches for:
// the build writes it into the packages, and the window shows it to copy.
#include <cstdio>
#include <string>

#include "protocol/commands.h"

namespace wr {

inline std::string UdevRuleText() {
  std::string out =
      "# Lets the user at the desktop open the tracking unit without root rights.\n"
      "# Generated from the program's list of USB identifiers; do not edit.\n";
  for (const auto& [vendor, product] : usbid::kUnitIds) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "SUBSYSTEM==\"usb\", ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\", "
                  "TAG+=\"uaccess\"\n",
                  static_cast<unsigned>(vendor) & 0xFFFFu, static_cast<unsigned>(product) & 0xFFFFu);
    out += line;
  }
  return out;
}

}  // namespace wr
