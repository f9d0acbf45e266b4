// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/trip_fields.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace wr {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A run of 1..maxDigits digits at the start of text, consumed.
bool TakeNumber(std::string_view& text, size_t minDigits, size_t maxDigits, int& value) {
  size_t n = 0;
  value = 0;
  while (n < text.size() && IsDigit(text[n])) {
    if (++n > maxDigits) return false;
    value = value * 10 + (text[n - 1] - '0');
  }
  if (n < minDigits) return false;
  text.remove_prefix(n);
  return true;
}

bool TakeChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && LeapYear(y) ? 29 : kDays[m - 1];
}

UnitDate NextDay(UnitDate d) {
  if (++d.day > DaysInMonth(d.year, d.month)) {
    d.day = 1;
    if (++d.month > 12) {
      d.month = 1;
      ++d.year;
    }
  }
  return d;
}

std::string DateTimeText(const UnitDate& d, const UnitTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", d.year, d.month, d.day, t.hour,
                t.minute, t.second);
  return text;
}

}  // namespace

std::optional<Decimal> ParseDecimal(std::string_view text) {
  text = Trimmed(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  std::string_view whole = text.substr(0, i);
  std::string_view fraction;
  if (i < text.size() && text[i] == '.') {
    size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) ++j;
    fraction = text.substr(i + 1, j - i - 1);
    i = j;
  }
  if (i != text.size() || (whole.empty() && fraction.empty())) return std::nullopt;

  while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
  Decimal d;
  d.text = negative ? "-" : "";
  d.text += whole.empty() ? std::string_view("0") : whole;
  if (!fraction.empty()) {
    d.text += '.';
    d.text += fraction;
  }
  const char* begin = d.text.data();
  const auto result = std::from_chars(begin, begin + d.text.size(), d.value, std::chars_format::fixed);
  if (result.ec != std::errc() || result.ptr != begin + d.text.size() || !std::isfinite(d.value))
    return std::nullopt;
  return d;
}

std::optional<Position> ParsePosition(std::string_view lat, std::string_view lon) {
  auto la = ParseDecimal(lat);
  auto lo = ParseDecimal(lon);
  if (!la || !lo || std::fabs(la->value) > 90 || std::fabs(lo->value) > 180) return std::nullopt;
  return Position{std::move(*la), std::move(*lo)};
}

std::optional<UnitDate> ParseUnitDate(std::string_view text) {
  text = Trimmed(text);
  UnitDate d;
  if (!TakeNumber(text, 1, 2, d.day) || !TakeChar(text, '/') || !TakeNumber(text, 1, 2, d.month) ||
      !TakeChar(text, '/'))
    return std::nullopt;
  const size_t yearDigits = text.size();
  if ((yearDigits != 2 && yearDigits != 4) || !TakeNumber(text, yearDigits, yearDigits, d.year))
    return std::nullopt;
  if (yearDigits == 2) d.year += 2000;
  if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month))
    return std::nullopt;
  return d;
}

std::optional<UnitTime> ParseUnitTime(std::string_view text) {
  text = Trimmed(text);
  UnitTime t;
  if (!TakeNumber(text, 1, 2, t.hour) || !TakeChar(text, ':') || !TakeNumber(text, 2, 2, t.minute) ||
      !TakeChar(text, ':') || !TakeNumber(text, 2, 2, t.second) || !text.empty())
    return std::nullopt;
  if (t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
  return t;
}

std::string IsoDateText(const UnitDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::string IsoTimeText(const UnitTime& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
  return text;
}

TripTimes TripUtcTimes(const TripRecord& trip) {
  TripTimes times;
  const auto date = ParseUnitDate(trip.date);
  const auto start = ParseUnitTime(trip.startTime);
  if (!date || !start) return times;
  times.start = DateTimeText(*date, *start);
  if (const auto end = ParseUnitTime(trip.endTime)) {
    const int startSeconds = start->hour * 3600 + start->minute * 60 + start->second;
    const int endSeconds = end->hour * 3600 + end->minute * 60 + end->second;
    times.end = DateTimeText(endSeconds < startSeconds ? NextDay(*date) : *date, *end);
  }
  return times;
}

}  // namespace wr
