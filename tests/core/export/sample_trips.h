// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Trips and place names for the export tests: ordinary trips, one across
// midnight, and names that need escaping in every format.
#include <map>
#include <string>
#include <vector>

#include "export/trip_export.h"
#include "protocol/trip_record.h"

namespace wr::testing {

inline TripRecord Trip(int32_t index, std::string date, std::string start, std::string end,
                       std::string startLat, std::string startLon, std::string endLat,
                       std::string endLon, std::string km, std::string kmh) {
  TripRecord t;
  t.index = index;
  t.date = std::move(date);
  t.startTime = std::move(start);
  t.endTime = std::move(end);
  t.startLat = std::move(startLat);
  t.startLon = std::move(startLon);
  t.endLat = std::move(endLat);
  t.endLon = std::move(endLon);
  t.distanceKm = std::move(km);
  t.maxSpeedKmh = std::move(kmh);
  return t;
}

inline std::vector<TripRecord> SampleTrips() {
  return {
      Trip(0, "18/03/26", "07:45:10", "08:02:30", "-33.924870", "18.424055", "-33.958210",
           "18.460310", "12.3", "87"),
      // Across midnight, on New Year's Eve.
      Trip(1, "31/12/25", "23:50:00", "00:10:05", "-33.958210", "18.460310", "-33.890440",
           "18.512780", "7.9", "64"),
      // Unreadable date: exported without times.
      Trip(2, "45/13/26", "09:00:00", "09:30:00", "-33.890440", "18.512780", "-34.030120",
           "18.465230", "20.1", "102"),
  };
}

// Names with every character the formats must escape or keep: quotes,
// markup, commas, a formula lead, non-ASCII UTF-8 and a Windows-1252 byte.
inline const std::map<std::string, std::string>& SampleNames() {
  static const std::map<std::string, std::string> names = {
      {"-33.924870,18.424055", "Tom's \"Bar\" & Grill <Main, Rd>"},
      {"-33.958210,18.460310", "=HYPERLINK(\"http://example.invalid\")"},
      {"-33.890440,18.512780", "Caf\xC3\xA9 \xC3\x9Cr\xC3\xBCmqi"},
      {"-34.030120,18.465230", "Stra\xDF" "e"},  // 8-bit, as an old place file may hold
  };
  return names;
}

inline PlaceNamer SampleNamer() {
  return [](const std::string& coordinate) {
    const auto it = SampleNames().find(coordinate);
    return it == SampleNames().end() ? coordinate : it->second;  // as the place store answers
  };
}

}  // namespace wr::testing
