// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "places/map_address.h"

#include <gtest/gtest.h>

#include <string>

namespace wr {
namespace {

TEST(MapAddress, PlainCoordinateGoesIntoTheQueryUnchanged) {
  EXPECT_EQ(MapAddress("-26.1071,28.0567"),
            "https://maps.google.com/maps?f=q&hl=en&q=-26.1071,28.0567");
  EXPECT_EQ(MapQueryText("+51.5,-0.12"), "+51.5,-0.12");
  // An emptied row's coordinate is just the comma.
  EXPECT_EQ(MapQueryText(","), ",");
  EXPECT_EQ(MapQueryText(""), "");
}

TEST(MapAddress, EveryOtherByteIsPercentEncoded) {
  // Query keys, fragments and blanks cannot reshape the address.
  EXPECT_EQ(MapQueryText("1,2&q=evil#x"), "1,2%26%71%3D%65%76%69%6C%23%78");
  EXPECT_EQ(MapQueryText("1, 2"), "1,%202");
  EXPECT_EQ(MapQueryText("50%,3"), "50%25,3");
  // Bytes above 0x7F and control bytes are encoded byte by byte.
  EXPECT_EQ(MapQueryText(std::string("\xFC\n\x7F", 3)), "%FC%0A%7F");
  EXPECT_EQ(MapQueryText(std::string("1\0,2", 4)), "1%00,2");
  // The result never holds a character that ends the query.
  const std::string encoded = MapQueryText("?/#&= \"<>");
  EXPECT_EQ(encoded.find_first_of("?/#&= \"<>"), std::string::npos);
}

// Each end is encoded on its own, so neither can add a key or move the other.
TEST(MapAddress, ARouteCarriesBothPositionsEncodedLikeOne) {
  EXPECT_EQ(MapRouteAddress("-26.1071,28.0567", "-25.7479,28.2293"),
            "https://maps.google.com/maps?f=d&hl=en&saddr=-26.1071,28.0567"
            "&daddr=-25.7479,28.2293");
  EXPECT_EQ(MapRouteAddress("1,2&daddr=3,4", "5#,6"),
            "https://maps.google.com/maps?f=d&hl=en&saddr=1,2%26%64%61%64%64%72%3D3,4"
            "&daddr=5%23,6");
  EXPECT_EQ(MapRouteAddress(",", ""), "https://maps.google.com/maps?f=d&hl=en&saddr=,&daddr=");
}

}  // namespace
}  // namespace wr
