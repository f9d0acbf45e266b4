// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/trip_record.h"

#include "protocol/reply_fields.h"

namespace wr {

bool TripRecord::operator==(const TripRecord& o) const {
  return index == o.index && date == o.date && startTime == o.startTime && endTime == o.endTime &&
         startLat == o.startLat && startLon == o.startLon && endLat == o.endLat &&
         endLon == o.endLon && distanceKm == o.distanceKm && maxSpeedKmh == o.maxSpeedKmh;
}

std::optional<TripRecord> ParseTripsLine(std::string_view line) {
  TripRecord trip;
  if (ReplyFieldInt(line, 1, trip.index) == 0) return std::nullopt;
  // A negative index would write into the heading row or before it.
  if (trip.index < 0 || trip.index > kMaxTripIndex) return std::nullopt;
  trip.date = ReplyFieldText(line, 2);
  trip.startTime = ReplyFieldText(line, 3);
  trip.endTime = ReplyFieldText(line, 4);
  trip.startLat = ReplyFieldText(line, 5);
  trip.startLon = ReplyFieldText(line, 6);
  trip.endLat = ReplyFieldText(line, 7);
  trip.endLon = ReplyFieldText(line, 8);
  trip.distanceKm = ReplyFieldText(line, 9);
  trip.maxSpeedKmh = ReplyFieldText(line, 10);
  return trip;
}

}  // namespace wr
