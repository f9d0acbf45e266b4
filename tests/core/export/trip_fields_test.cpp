// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/trip_fields.h"

#include <gtest/gtest.h>

#include "core/export/sample_trips.h"

namespace wr {
namespace {

TEST(TripFields, DecimalsAreStrictAndWrittenWithoutDecoration) {
  const std::pair<const char*, const char*> good[] = {
      {"-33.924870", "-33.924870"}, {" 18.5 ", "18.5"}, {"+7", "7"},    {"007.50", "7.50"},
      {".5", "0.5"},                {"5.", "5"},        {"-0", "-0"},   {"0", "0"}};
  for (const auto& [text, canonical] : good) {
    const auto d = ParseDecimal(text);
    ASSERT_TRUE(d) << text;
    EXPECT_EQ(d->text, canonical);
  }
  EXPECT_DOUBLE_EQ(ParseDecimal("-33.924870")->value, -33.92487);
  EXPECT_DOUBLE_EQ(ParseDecimal(".5")->value, 0.5);
  for (const char* bad : {"", " ", "-", ".", "1e3", "inf", "nan", "0x10", "1,5", "1.2.3", "12 km",
                          "--1", "1 2"})
    EXPECT_FALSE(ParseDecimal(bad)) << bad;
  EXPECT_FALSE(ParseDecimal(std::string(400, '9')));  // beyond a double
}

TEST(TripFields, PositionsMustLieOnTheGlobe) {
  EXPECT_TRUE(ParsePosition("-90", "180"));
  EXPECT_TRUE(ParsePosition("90.0", "-180.0"));
  EXPECT_FALSE(ParsePosition("90.000001", "0"));
  EXPECT_FALSE(ParsePosition("0", "-180.5"));
  // An empty half is no position, not the point 0,0.
  EXPECT_FALSE(ParsePosition("", "18.4"));
  EXPECT_FALSE(ParsePosition("-33.9", ""));
}

TEST(TripFields, UnitDatesAndTimesReadOnlyAsRealOnes) {
  const auto d = ParseUnitDate("18/03/26");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->year, 2026);
  EXPECT_EQ(d->month, 3);
  EXPECT_EQ(d->day, 18);
  EXPECT_TRUE(ParseUnitDate("29/02/24"));
  EXPECT_TRUE(ParseUnitDate("1/2/2031"));
  for (const char* bad : {"29/02/25", "31/04/26", "00/01/26", "01/00/26", "01/13/26", "18-03-26",
                          "18/03/126", "18/03/", "", "18/03/26x", "aa/bb/cc"})
    EXPECT_FALSE(ParseUnitDate(bad)) << bad;

  const auto t = ParseUnitTime("07:45:10");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->hour * 3600 + t->minute * 60 + t->second, 7 * 3600 + 45 * 60 + 10);
  EXPECT_TRUE(ParseUnitTime("7:05:00"));
  EXPECT_TRUE(ParseUnitTime("23:59:59"));
  for (const char* bad : {"24:00:00", "12:60:00", "12:00:60", "12:5:00", "12:00", "", "123:00:00"})
    EXPECT_FALSE(ParseUnitTime(bad)) << bad;
}

TEST(TripFields, TripTimesAreUtcAndCrossMidnightIntoTheNextDay) {
  using testing::Trip;
  TripRecord t = Trip(0, "18/03/26", "07:45:10", "08:02:30", "", "", "", "", "", "");
  EXPECT_EQ(TripUtcTimes(t).start, "2026-03-18T07:45:10Z");
  EXPECT_EQ(TripUtcTimes(t).end, "2026-03-18T08:02:30Z");

  t = Trip(1, "31/12/25", "23:50:00", "00:10:05", "", "", "", "", "", "");
  EXPECT_EQ(TripUtcTimes(t).end, "2026-01-01T00:10:05Z");
  t = Trip(2, "28/02/24", "23:00:00", "01:00:00", "", "", "", "", "", "");
  EXPECT_EQ(TripUtcTimes(t).end, "2024-02-29T01:00:00Z");

  // Nothing is invented: no date, no times; no start, no end either.
  t = Trip(3, "45/13/26", "09:00:00", "09:30:00", "", "", "", "", "", "");
  EXPECT_EQ(TripUtcTimes(t).start, "");
  EXPECT_EQ(TripUtcTimes(t).end, "");
  t = Trip(4, "18/03/26", "", "09:30:00", "", "", "", "", "", "");
  EXPECT_EQ(TripUtcTimes(t).start, "");
  EXPECT_EQ(TripUtcTimes(t).end, "");
  t = Trip(5, "18/03/26", "09:00:00", "9h30", "", "", "", "", "", "");
  EXPECT_EQ(TripUtcTimes(t).start, "2026-03-18T09:00:00Z");
  EXPECT_EQ(TripUtcTimes(t).end, "");
}

}  // namespace
}  // namespace wr
