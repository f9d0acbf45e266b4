// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "places/coordinates.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace wr {
namespace {

// Kilometres per radian in three steps, each product rounded as a double:
// nautical miles per radian, statute miles per nautical mile, km per mile.
constexpr double kNauticalMilesPerRadian = 3437.7387;
constexpr double kMilesPerNauticalMile = 1.150779;
constexpr double kKmPerMile = 1.6;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the leading decimal number of text the way the C library's classic
// conversion does, but without its locale (a desktop may be set to use a comma
// as decimal separator) and without "inf", "nan" or hexadecimal forms.
double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  const size_t start = i;
  bool digits = false;
  while (i < text.size() && IsDigit(text[i])) ++i, digits = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, digits = true;
  }
  if (!digits) return 0;
  bool hasExponent = false;
  bool negativeExponent = false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    bool minus = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) minus = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      hasExponent = true;
      negativeExponent = minus;
      i = j;
    }
  }

  const std::string number(text.substr(start, i - start));
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: saturate as the C library does.
    const size_t point = number.find('.');
    const bool tiny = hasExponent ? negativeExponent
                                  : point != std::string::npos &&
                                        number.find_first_of("123456789") > point;
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (result.ec != std::errc()) {
    value = 0;
  }
  return negative ? -value : value;
}

}  // namespace

bool ParseCoordinate(std::string_view text, double& lat, double& lon) {
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos) return false;
  lat = LeadingNumber(text.substr(0, comma));
  lon = LeadingNumber(text.substr(comma + 1));
  return true;
}

bool ParseCoordinatePoint(std::string_view text, CoordinatePoint& point) {
  double lat = 0;
  double lon = 0;
  if (!ParseCoordinate(text, lat, lon)) return false;
  point.lat = lat * kRadiansPerDegree;
  // Distances subtract longitudes. Taken as they are, a longitude of many
  // turns would swallow the other one in that difference (or in its own
  // conversion to radians) and place the point at random; whole turns are
  // removed first, which fmod does exactly and which leaves every longitude
  // within +-360 degrees as it was. Infinite stays without a value.
  point.lon = std::fmod(lon, 360.0) * kRadiansPerDegree;
  point.sinLat = std::sin(point.lat);
  point.cosLat = std::cos(point.lat);
  point.x = point.cosLat * std::cos(point.lon);
  point.y = point.cosLat * std::sin(point.lon);
  point.z = point.sinLat;
  return true;
}

double CoordinatePointDistanceKm(const CoordinatePoint& a, const CoordinatePoint& b) {
  const double d = a.sinLat * b.sinLat + a.cosLat * b.cosLat * std::cos(a.lon - b.lon);
  // Rounding can push d just past 1 for (nearly) equal points: no distance.
  // Opposite points reach -1, which is half the globe, not zero.
  double angle = 0;
  if (d <= -1)
    angle = 4 * std::atan(1.0);
  else if (!(d * d >= 1))
    angle = std::atan(-d / std::sqrt(1 - d * d)) + 2 * std::atan(1.0);
  double km = angle * kNauticalMilesPerRadian;
  km = km * kMilesPerNauticalMile;
  km = km * kKmPerMile;
  return km;
}

double CoordinateChordBound(double km) {
  // The chord is shorter than the arc, so the arc itself bounds it; a quarter
  // more absorbs every rounding of both computations.
  return km * 1.25 / (kNauticalMilesPerRadian * kMilesPerNauticalMile * kKmPerMile);
}

bool CoordinatePointsFartherThan(const CoordinatePoint& a, const CoordinatePoint& b,
                                 double chordBound) {
  const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return dx * dx + dy * dy + dz * dz > chordBound * chordBound;
}

std::optional<double> CoordinateDistanceKm(std::string_view a, std::string_view b) {
  CoordinatePoint pa;
  CoordinatePoint pb;
  if (!ParseCoordinatePoint(a, pa) || !ParseCoordinatePoint(b, pb)) return std::nullopt;
  const double km = CoordinatePointDistanceKm(pa, pb);
  if (!std::isfinite(km)) return std::nullopt;
  return km;
}

}  // namespace wr
