// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings profile reader on arbitrary text. Whatever it accepts must
// hold only canonical values and, written out and read again, give the same
// values, whatever the unit's texts in the header; whatever it refuses must
// say why in one line of printable text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "profile/settings_profile.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool PrintableMessage(const std::string& message) {
  for (char c : message)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return !message.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const wr::ProfileRead read = wr::ParseProfile(input);
  if (!read.Ok()) {
    Check(read.values.Empty());
    Check(PrintableMessage(read.error));
    return 0;
  }
  for (const auto& [key, value] : read.values.Entries()) {
    std::string canonical;
    Check(wr::CheckSettingValue(key, value, canonical).Empty());
    Check(canonical == value);
  }
  // The input's own bytes as the unit's texts, so odd ones reach the header.
  const wr::ProfileUnit unit{std::string(input.substr(0, 24)), std::string(input.substr(size / 2, 8))};
  const wr::ProfileRead again = wr::ParseProfile(wr::FormatProfile(read.values, unit, 0));
  Check(again.Ok());
  Check(again.values == read.values);
  return 0;
}
