// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "places/map_address.h"

namespace wr {
namespace {

bool PassesUnchanged(char c) {
  return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == ',';
}

}  // namespace

std::string MapQueryText(std::string_view coordinate) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(coordinate.size());
  for (const char c : coordinate) {
    if (PassesUnchanged(c)) {
      out += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

std::string MapAddress(std::string_view coordinate) {
  return std::string(kMapBaseAddress) + kMapQueryPath + MapQueryText(coordinate);
}

std::string MapRouteAddress(std::string_view start, std::string_view end) {
  return std::string(kMapBaseAddress) + kMapRoutePath + MapQueryText(start) + kMapRouteEndKey +
         MapQueryText(end);
}

}  // namespace wr
