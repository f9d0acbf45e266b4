// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "places/coordinates.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace wr {
namespace {

TEST(ParseCoordinate, SplitsAtTheFirstCommaAndReadsLeadingNumbers) {
  double lat = 99, lon = 99;
  EXPECT_TRUE(ParseCoordinate("-26.1071,28.0567", lat, lon));
  EXPECT_DOUBLE_EQ(lat, -26.1071);
  EXPECT_DOUBLE_EQ(lon, 28.0567);

  EXPECT_TRUE(ParseCoordinate("  +1.5e1,-.25xyz", lat, lon));
  EXPECT_DOUBLE_EQ(lat, 15);
  EXPECT_DOUBLE_EQ(lon, -0.25);

  // Text without a leading number reads as 0; so do inf and nan words.
  EXPECT_TRUE(ParseCoordinate("N26,inf", lat, lon));
  EXPECT_EQ(lat, 0);
  EXPECT_EQ(lon, 0);
  EXPECT_TRUE(ParseCoordinate(",", lat, lon));
  EXPECT_EQ(lat, 0);

  // An exponent without digits is not part of the number; a third field is
  // part of the longitude text and stops its number.
  EXPECT_TRUE(ParseCoordinate("2e,3,4", lat, lon));
  EXPECT_EQ(lat, 2);
  EXPECT_EQ(lon, 3);

  // Out-of-range exponents saturate instead of failing.
  EXPECT_TRUE(ParseCoordinate("1e999,1e-999", lat, lon));
  EXPECT_TRUE(std::isinf(lat));
  EXPECT_EQ(lon, 0);
}

TEST(ParseCoordinate, FailsOnlyWithoutAComma) {
  double lat = 7, lon = 8;
  EXPECT_FALSE(ParseCoordinate("", lat, lon));
  EXPECT_FALSE(ParseCoordinate("-26.1071 28.0567", lat, lon));
  EXPECT_EQ(lat, 7);
  EXPECT_EQ(lon, 8);
}

TEST(ParseCoordinate, IgnoresTheDesktopLocale) {
  const char* set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  if (!set) set = std::setlocale(LC_NUMERIC, "de_DE");
  if (!set) GTEST_SKIP() << "no German locale installed";
  double lat = 0, lon = 0;
  const bool ok = ParseCoordinate("-26.1071,28.0567", lat, lon);
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_TRUE(ok);
  EXPECT_DOUBLE_EQ(lat, -26.1071);
  EXPECT_DOUBLE_EQ(lon, 28.0567);
}

TEST(CoordinateDistanceKm, UsesTheToolsOwnEarthConstants) {
  // One degree along the equator: the factor times 6329.724 km per radian,
  // about 110.47 km (a textbook earth radius would give 111.2).
  const double oneDegree = 0.0174532925239284 * 3437.7387 * 1.150779 * 1.6;
  ASSERT_TRUE(CoordinateDistanceKm("0,0", "0,1").has_value());
  EXPECT_NEAR(*CoordinateDistanceKm("0,0", "0,1"), oneDegree, 1e-9);
  EXPECT_NEAR(*CoordinateDistanceKm("0,1", "0,0"), oneDegree, 1e-9);
  EXPECT_NEAR(*CoordinateDistanceKm("1,0", "0,0"), oneDegree, 1e-9);
  // Between two cities, against the textbook arc cosine of the same rule.
  const double f = 0.0174532925239284;
  const double la = -33.9249 * f, oa = 18.4241 * f, lb = -26.2041 * f, ob = 28.0473 * f;
  const double arc = std::acos(std::sin(la) * std::sin(lb) +
                               std::cos(la) * std::cos(lb) * std::cos(oa - ob));
  EXPECT_NEAR(*CoordinateDistanceKm("-33.9249,18.4241", "-26.2041,28.0473"), arc * 6329.724, 1e-3);
}

TEST(CoordinateDistanceKm, OppositePointsAreHalfTheGlobeApart) {
  // d reaches -1 here; reading that as "no distance" would name a trip after
  // a place on the other side of the earth.
  const double halfGlobe = 3.14159265358979 * 3437.7387 * 1.150779 * 1.6;
  EXPECT_NEAR(*CoordinateDistanceKm("0,0", "0,180"), halfGlobe, 1e-6);
  EXPECT_NEAR(*CoordinateDistanceKm("-26.1071,28.0567", "26.1071,-151.9433"), halfGlobe, 1e-3);
}

TEST(CoordinateDistanceKm, LongitudesCountModuloWholeTurns) {
  const double oneDegree = 0.0174532925239284 * 3437.7387 * 1.150779 * 1.6;
  EXPECT_EQ(*CoordinateDistanceKm("0,10", "0,370"), 0.0);
  EXPECT_EQ(*CoordinateDistanceKm("0,10", "0,-350"), 0.0);
  // 45 * 2^63 + 65536 degrees: a whole number of turns and 16 degrees, far
  // beyond the point where a difference in radians keeps the small side.
  EXPECT_EQ(*CoordinateDistanceKm("0,16", "0,415051741658464976896"), 0.0);
  EXPECT_NEAR(*CoordinateDistanceKm("0,17", "0,415051741658464976896"), oneDegree, 1e-6);
  // Within one turn nothing changes: across the date line the conversion
  // factor's excess over a turn still shows, as a few millimetres.
  EXPECT_NEAR(*CoordinateDistanceKm("0,179.5", "0,-179.5"), oneDegree, 1e-4);
}

TEST(CoordinateDistanceKm, EqualPointsAreZeroAndBadTextHasNoDistance) {
  EXPECT_EQ(*CoordinateDistanceKm("-26.1071,28.0567", "-26.1071,28.0567"), 0.0);
  EXPECT_EQ(*CoordinateDistanceKm("51.5,-0.12", "51.5,-0.12"), 0.0);
  EXPECT_FALSE(CoordinateDistanceKm("", "1,2").has_value());
  EXPECT_FALSE(CoordinateDistanceKm("1,2", "12").has_value());
  EXPECT_FALSE(CoordinateDistanceKm("1e999,0", "1,2").has_value());
}

}  // namespace
}  // namespace wr
