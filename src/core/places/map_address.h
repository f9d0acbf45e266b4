// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The web-map address that shows a trip position.
#include <string>
#include <string_view>

namespace wr {

// Scheme and host of the web map that positions are opened in.
inline constexpr char kMapBaseAddress[] = "https://maps.google.com";
// Path and query keys in front of the position.
inline constexpr char kMapQueryPath[] = "/maps?f=q&hl=en&q=";
// Path and query keys of a route: the start follows the first, the end the second.
inline constexpr char kMapRoutePath[] = "/maps?f=d&hl=en&saddr=";
inline constexpr char kMapRouteEndKey[] = "&daddr=";

// The position's text goes into the query as it stands when it holds only
// digits, signs, points and commas, which is what a unit writes. Any other
// byte is percent-encoded, so a garbled or hostile text can neither add
// query keys nor leave the query.
std::string MapQueryText(std::string_view coordinate);

// kMapBaseAddress + kMapQueryPath + MapQueryText(coordinate).
std::string MapAddress(std::string_view coordinate);

// The route from start to end: kMapBaseAddress + kMapRoutePath +
// MapQueryText(start) + kMapRouteEndKey + MapQueryText(end).
std::string MapRouteAddress(std::string_view start, std::string_view end);

}  // namespace wr
