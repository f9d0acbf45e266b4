// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading the texts of a trip as the exports need them: numbers, positions,
// dates and times. A text that does not read yields nothing, and the export
// then keeps the text or leaves the value out; it never guesses.
#include <optional>
#include <string>
#include <string_view>

#include "protocol/trip_record.h"

namespace wr {

// A decimal number as the unit writes it: optional sign, digits with an
// optional point (no exponent, no "inf" or "nan"), blanks around allowed.
struct Decimal {
  double value = 0;
  std::string text;  // without blanks, '+' or superfluous leading zeros: "-33.924870", "0.5"
};
std::optional<Decimal> ParseDecimal(std::string_view text);

// A trip position: both halves decimal, latitude within ±90 and longitude
// within ±180 degrees.
struct Position {
  Decimal lat, lon;
};
std::optional<Position> ParsePosition(std::string_view lat, std::string_view lon);

// The unit's date "dd/mm/yy" (one or two digits for day and month; a
// two-digit year is 2000 + yy, a four-digit one is taken as it stands) and
// time of day "hh:mm:ss". Checked for a real calendar day and a time within
// 00:00:00..23:59:59.
struct UnitDate {
  int year = 0, month = 0, day = 0;
};
struct UnitTime {
  int hour = 0, minute = 0, second = 0;
};
std::optional<UnitDate> ParseUnitDate(std::string_view text);
std::optional<UnitTime> ParseUnitTime(std::string_view text);
// ISO 8601 texts for programs: "2026-03-18" and "07:45:10".
std::string IsoDateText(const UnitDate& date);
std::string IsoTimeText(const UnitTime& time);

// The unit keeps the time of its GPS receiver, which is UTC, and logs a
// trip's date with its start time. So a trip's start is its date and start
// time in UTC, and its end is the same date with the end time, or the next
// day when the end time is earlier than the start time (a trip across
// midnight). Each is written as xsd:dateTime, "2026-03-18T07:45:10Z", and is
// empty when the date or that time does not read; the end is also empty when
// the start time does not read, since the day it falls on is then unknown.
struct TripTimes {
  std::string start;
  std::string end;
};
TripTimes TripUtcTimes(const TripRecord& trip);

}  // namespace wr
