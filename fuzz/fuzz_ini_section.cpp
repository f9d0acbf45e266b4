// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The INI section reader on arbitrary text. The input's first line names the
// section to read, the rest is the file. The keys returned must be usable as
// they stand: named, trimmed, one line each, and no name twice.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "ini/ini_file.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1a';
}

std::string Lowered(std::string_view name) {
  std::string lowered(name);
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lowered;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t eol = input.find('\n');
  const std::string_view section = input.substr(0, eol);
  const std::string_view text = eol == std::string_view::npos ? std::string_view() : input.substr(eol + 1);

  const wr::IniSection keys = wr::ParseIniSection(text, section);
  std::set<std::string> seen;
  for (size_t i = 0; i < keys.size(); ++i) {
    const std::string& name = keys[i].first;
    const std::string& value = keys[i].second;
    Check(!name.empty() && !IsBlank(name.front()) && !IsBlank(name.back()));
    Check(name.find_first_of("\r\n=") == std::string::npos && name.front() != ';');
    Check(value.find_first_of("\r\n") == std::string::npos);
    Check(value.size() < text.size());
    Check(seen.insert(Lowered(name)).second);
    // Lookup by name, in any letter case, finds this entry (the first few
    // only: each lookup walks the list).
    if (i < 32) Check(wr::IniValue(keys, name) == value);
  }
  return 0;
}
