// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A typical "+STATS," reply, for the tests of its reading and of the status
// texts made from it; cases replace the fields they are about, by position.
#include <map>
#include <string>
#include <vector>

namespace wr::testing {

inline std::string StatsLine(const std::map<int, std::string>& changes = {}) {
  std::vector<std::string> fields = {"+STATS", "1",      "x",      "1",     "4.10", "0",    "3.70", "12.5",
                                     "17",     "6",      "3",      "12",    "9",    "1",    "30",   "600",
                                     "-33.92", "18.42",  "Idle",   "0",     "123456", "1"};
  for (const auto& [n, text] : changes) fields.at(static_cast<size_t>(n)) = text;
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + fields[i];
  return line;
}

}  // namespace wr::testing
