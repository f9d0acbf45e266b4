// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Coordinate texts as the unit writes them in trip lines ("lat,lon" in
// decimal degrees) and the distance rule used to match them to named places.
#include <optional>
#include <string_view>

namespace wr {

// The conversion factor the matching rule has always used; a hair above
// pi/180. Kept as is so that a place matches exactly where it used to.
inline constexpr double kRadiansPerDegree = 0.0174532925239284;
// A position is shown under a place's name when strictly closer than this.
inline constexpr double kPlaceMatchRadiusKm = 0.2;

// Splits at the first comma and reads both halves as decimal numbers
// (leading blanks, sign, digits, point, exponent; a half without a number
// reads as 0). Fails only when the text holds no comma.
bool ParseCoordinate(std::string_view text, double& lat, double& lon);

// Great-circle distance by the spherical law of cosines; nothing when either
// text does not parse or the result is not a finite number. Longitudes count
// modulo 360 degrees.
std::optional<double> CoordinateDistanceKm(std::string_view a, std::string_view b);

// A parsed coordinate with the trigonometry that every distance needs, so a
// place compared with thousands of positions is converted only once.
struct CoordinatePoint {
  double lat = 0;  // radians
  double lon = 0;  // radians, after whole turns of 360 degrees are taken off
  double sinLat = 0;
  double cosLat = 0;
  double x = 0, y = 0, z = 0;  // the same point as a unit vector
};
bool ParseCoordinatePoint(std::string_view text, CoordinatePoint& point);
// Same arithmetic, in the same order, as CoordinateDistanceKm (may be NaN).
double CoordinatePointDistanceKm(const CoordinatePoint& a, const CoordinatePoint& b);
// Straight-line distance between unit vectors beyond which two points are
// certainly more than km apart by CoordinatePointDistanceKm. Comparing it
// with the vectors (or just their z) rules out far places cheaply.
double CoordinateChordBound(double km);
bool CoordinatePointsFartherThan(const CoordinatePoint& a, const CoordinatePoint& b,
                                 double chordBound);

}  // namespace wr
