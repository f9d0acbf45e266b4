// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One logged trip as the unit reports it in a "+TRIPS," line.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wr {

// Every text exactly as the unit wrote it; nothing is converted.
struct TripRecord {
  int32_t index = 0;             // field 1; the trip shows in grid row index + 1
  std::string date;              // field 2
  std::string startTime;         // field 3
  std::string endTime;           // field 4
  std::string startLat, startLon;  // fields 5, 6
  std::string endLat, endLon;      // fields 7, 8
  std::string distanceKm;        // field 9
  std::string maxSpeedKmh;       // field 10

  // Latitude and longitude joined by one comma, as the grid and the place file hold them.
  std::string StartCoordinate() const { return startLat + "," + startLon; }
  std::string EndCoordinate() const { return endLat + "," + endLon; }

  bool operator==(const TripRecord& o) const;
  bool operator!=(const TripRecord& o) const { return !(*this == o); }
};

// Trip indexes above this are taken for garbage: the grid would have to hold
// a row for every index below it, and no unit logs that many trips.
inline constexpr int32_t kMaxTripIndex = 99999;

// The trip of a "+TRIPS," line; empty when its index does not read as an
// integer (an empty index reads as 0) or lies outside 0..kMaxTripIndex.
std::optional<TripRecord> ParseTripsLine(std::string_view line);

}  // namespace wr
