// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/trip_export.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/export/sample_trips.h"
#include "core/support/external_tools.h"

namespace wr {
namespace {

using testing::SampleNamer;
using testing::SampleTrips;
using testing::ScratchDir;
using testing::ShellQuoted;
using testing::Trip;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : Lines(text))
    if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
  return found;
}

// Field n of a tab-separated line.
std::string Column(const std::string& line, int n) {
  std::istringstream in(line);
  std::string field;
  for (int i = 0; i <= n; ++i) std::getline(in, field, '\t');
  return field;
}

// gpsbabel's reading of file in format (what: -t tracks, -w waypoints) as
// output format out, with times in UTC.
std::string Gpsbabel(const std::string& format, const std::filesystem::path& file,
                     const std::string& what, const std::string& out) {
  std::string output;
  const int status = testing::RunCommand("TZ=UTC gpsbabel " + what + " -i " + format + " -f " +
                                             ShellQuoted(file.string()) + " -o " + out + " -F - 2>&1",
                                         output);
  EXPECT_EQ(status, 0) << output;
  return output;
}

// Python's strict XML parser: the file must be well-formed.
void ExpectWellFormedXml(const std::filesystem::path& file) {
  const std::string python = testing::PythonWith("xml.etree.ElementTree");
  if (python.empty()) return;
  std::string output;
  EXPECT_EQ(testing::RunCommand(python + " -c 'import sys, xml.etree.ElementTree as E; E.parse(sys.argv[1])' " +
                                    ShellQuoted(file.string()) + " 2>&1",
                                output),
            0)
      << output;
}

TEST(TripExportFormat, NamesExtensionsAndPaths) {
  EXPECT_EQ(TripExportFormatNames(), "csv|gpx|kml|xlsx");
  for (auto f : {TripExportFormat::kCsv, TripExportFormat::kGpx, TripExportFormat::kKml,
                 TripExportFormat::kXlsx}) {
    const std::string name(TripExportFormatName(f));
    EXPECT_EQ(TripExportFormatFromName(name), f);
    EXPECT_EQ(TripExportFormatFromName("." + name), f);
    EXPECT_EQ(TripExportFormatFromPath("/tmp/x/trips." + name), f);
  }
  EXPECT_EQ(TripExportFormatFromName("GPX"), TripExportFormat::kGpx);
  EXPECT_EQ(TripExportFormatFromPath("Trips.KML"), TripExportFormat::kKml);
  for (const char* bad : {"", ".", "xls", "csvx", "gpx ", "x.csv"})
    EXPECT_FALSE(TripExportFormatFromName(bad)) << bad;
  for (const char* bad : {"trips", "trips.", "trips.txt", "csv", ".csv/", "a.csv.bak"})
    EXPECT_FALSE(TripExportFormatFromPath(bad)) << bad;
}

TEST(TripExportCsv, HeadingRowIsoDatesPlainNumbersAndCrlfLineEnds) {
  const std::vector<TripRecord> trips = {
      Trip(4, "18/03/26", "07:45:10", "08:02:30", "-33.924870", "18.424055", "-1", "2", "12.3", "87"),
      // Short forms are written in full; what does not read stays as received.
      Trip(5, "1/2/26", "7:05:00", "25:00:00", "+033.50", " 18 ", "n/a", "", "0.50", "9 km/h")};
  EXPECT_EQ(TripsToCsv(trips, SampleNamer()).content,
            "index,date,start_time,end_time,start_latitude,start_longitude,end_latitude,"
            "end_longitude,start_place,end_place,max_speed_kmh,distance_km\r\n"
            "4,2026-03-18,07:45:10,08:02:30,-33.924870,18.424055,-1,2,"
            "\"Tom's \"\"Bar\"\" & Grill <Main, Rd>\",,87,12.3\r\n"
            "5,2026-02-01,07:05:00,25:00:00,33.50,18,n/a,,,,9 km/h,0.50\r\n");
  EXPECT_TRUE(TripsToCsv(trips, nullptr).leftOut.empty());
  EXPECT_EQ(Lines(TripsToCsv({}, nullptr).content).size(), 1u);
}

TEST(TripExportCsv, ReadsBackWithPythonsCsvModule) {
  const std::string python = testing::PythonWith("csv");
  if (python.empty()) GTEST_SKIP() << "python3 is not installed";
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  std::vector<TripRecord> trips = SampleTrips();
  trips.push_back(Trip(3, "a\"b", "line\nbreak", "cr\rlf", "", "", "", "", "", ""));
  const auto result = WriteTripExport(dir / "trips.csv", TripExportFormat::kCsv, trips, SampleNamer());
  ASSERT_TRUE(result.ok) << result.error;

  // Fields joined by US and rows ended by RS, so that line breaks inside
  // fields survive the trip back.
  testing::WriteText(dir / "read.py",
                     "import csv, sys\n"
                     "with open(sys.argv[1], newline='', encoding='utf-8', errors='strict') as f:\n"
                     "    for row in csv.reader(f, strict=True):\n"
                     "        sys.stdout.buffer.write(('\\x1f'.join(row) + '\\x1e').encode('utf-8'))\n");
  std::string output;
  ASSERT_EQ(testing::RunCommand(python + " " + ShellQuoted((dir / "read.py").string()) + " " +
                                    ShellQuoted((dir / "trips.csv").string()) + " 2>&1",
                                output),
            0)
      << output;
  std::vector<std::string> rows;
  std::istringstream in(output);
  for (std::string row; std::getline(in, row, '\x1e');) rows.push_back(row);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0],
            "index\x1f" "date\x1f" "start_time\x1f" "end_time\x1f" "start_latitude\x1f"
            "start_longitude\x1f" "end_latitude\x1f" "end_longitude\x1f" "start_place\x1f"
            "end_place\x1f" "max_speed_kmh\x1f" "distance_km");
  EXPECT_EQ(rows[1],
            "0\x1f" "2026-03-18\x1f" "07:45:10\x1f" "08:02:30\x1f" "-33.924870\x1f" "18.424055\x1f"
            "-33.958210\x1f" "18.460310\x1f" "Tom's \"Bar\" & Grill <Main, Rd>\x1f"
            "=HYPERLINK(\"http://example.invalid\")\x1f" "87\x1f" "12.3");
  EXPECT_EQ(rows[3],
            "2\x1f" "45/13/26\x1f" "09:00:00\x1f" "09:30:00\x1f" "-33.890440\x1f" "18.512780\x1f"
            "-34.030120\x1f" "18.465230\x1f" "Caf\xC3\xA9 \xC3\x9Cr\xC3\xBCmqi\x1f" "Stra\xC3\x9F" "e\x1f"
            "102\x1f" "20.1");
  EXPECT_EQ(rows[4], "3\x1f" "a\"b\x1fline\nbreak\x1f" "cr\rlf" + std::string(8, '\x1f'));
}

TEST(TripExportGpx, OneTrackOfTwoTimedPointsPerTripAsGpsbabelReadsIt) {
  if (!testing::HaveProgram("gpsbabel")) GTEST_SKIP() << "gpsbabel is not installed";
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  const auto result = WriteTripExport(dir / "trips.gpx", TripExportFormat::kGpx, SampleTrips(),
                                      SampleNamer());
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_TRUE(result.leftOut.empty());
  ExpectWellFormedXml(dir / "trips.gpx");

  const std::string text = Gpsbabel("gpx", dir / "trips.gpx", "-t", "garmin_txt");
  const auto tracks = LinesStartingWith(text, "Track\t");
  ASSERT_EQ(tracks.size(), 3u) << text;
  EXPECT_EQ(LinesStartingWith(text, "Trackpoint\t").size(), 6u);
  EXPECT_EQ(Column(tracks[0], 1),
            "Trip 0: Tom's \"Bar\" & Grill <Main, Rd> to =HYPERLINK(\"http://example.invalid\")");
  // This output format is in Windows-1252: the UTF-8 names were read as such.
  EXPECT_EQ(Column(tracks[2], 1), "Trip 2: Caf\xE9 \xDCr\xFCmqi to Stra\xDF" "e");

  // Positions in order, times in UTC; the trip with a bad date has none.
  const std::string csv = Gpsbabel("gpx", dir / "trips.gpx", "-t", "unicsv");
  const auto points = Lines(csv);
  ASSERT_EQ(points.size(), 7u) << csv;
  EXPECT_EQ(points[1].substr(points[1].find(',') + 1), "-33.924870,18.424055,\"Tom's \"\"Bar\"\" & Grill <Main, Rd>\",2026/03/18,07:45:10");
  EXPECT_NE(points[4].find("-33.890440,18.512780"), std::string::npos);
  EXPECT_NE(points[4].find("2026/01/01,00:10:05"), std::string::npos) << points[4];
  EXPECT_EQ(points[5].find("2026"), std::string::npos) << points[5];
  EXPECT_EQ(points[6].find("2026"), std::string::npos) << points[6];
}

TEST(TripExportGpx, TripsWithoutReadablePositionsAreLeftOutAndReported) {
  std::vector<TripRecord> trips = SampleTrips();
  trips[0].startLat = "";
  trips[2].endLon = "181";
  const TripExportText gpx = TripsToGpx(trips, nullptr);
  EXPECT_EQ(gpx.leftOut, (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(TripsToKml(trips, nullptr).leftOut, (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(LinesStartingWith(gpx.content, "  <trk>").size(), 1u);

  // A file with no trip at all is still a valid, empty GPX file.
  if (!testing::HaveProgram("gpsbabel")) return;
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  ASSERT_TRUE(WriteTripExport(dir / "none.gpx", TripExportFormat::kGpx, {}, nullptr).ok);
  EXPECT_TRUE(LinesStartingWith(Gpsbabel("gpx", dir / "none.gpx", "-t", "garmin_txt"), "Track").empty());
}

TEST(TripExportKml, OneLinePlusNamedStartAndEndPointsPerTripAsGpsbabelReadsIt) {
  if (!testing::HaveProgram("gpsbabel")) GTEST_SKIP() << "gpsbabel is not installed";
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  std::vector<TripRecord> trips = SampleTrips();
  trips.push_back(Trip(7, "01/04/26", "10:00:00", "10:05:00", "-34.1", "18.9", "-34.2", "19.1", "", ""));
  const auto result = WriteTripExport(dir / "trips.kml", TripExportFormat::kKml, trips, SampleNamer());
  ASSERT_TRUE(result.ok) << result.error;
  ExpectWellFormedXml(dir / "trips.kml");

  const std::string text = Gpsbabel("kml", dir / "trips.kml", "-t", "garmin_txt");
  EXPECT_EQ(LinesStartingWith(text, "Track\t").size(), 4u) << text;
  EXPECT_EQ(LinesStartingWith(text, "Trackpoint\t").size(), 8u);
  const std::string pointsText = Gpsbabel("kml", dir / "trips.kml", "-w", "unicsv");
  const auto waypoints = Lines(pointsText);
  ASSERT_EQ(waypoints.size(), 9u) << pointsText;
  EXPECT_EQ(waypoints[1],
            "1,-33.924870,18.424055,\"Tom's \"\"Bar\"\" & Grill <Main, Rd>\",\"Start of trip 0\","
            "2026/03/18,07:45:10");
  EXPECT_EQ(waypoints[6], "6,-34.030120,18.465230,\"Stra\xC3\x9F" "e\",\"End of trip 2\",,");
  // Without a place name a point is named by its coordinate text.
  EXPECT_EQ(waypoints[7],
            "7,-34.100000,18.900000,\"-34.1,18.9\",\"Start of trip 7\",2026/04/01,10:00:00");

  // KML writes longitude first; read back, latitude and longitude are where
  // they belong, and the trip across midnight keeps its times.
  const std::string line = Gpsbabel("kml", dir / "trips.kml", "-t", "unicsv");
  const auto points = Lines(line);
  ASSERT_EQ(points.size(), 9u) << line;
  EXPECT_NE(points[1].find("-33.924870,18.424055"), std::string::npos) << points[1];
  EXPECT_NE(points[4].find("-33.890440,18.512780"), std::string::npos) << points[4];
  EXPECT_NE(points[4].find("2026/01/01,00:10:05"), std::string::npos) << points[4];
  EXPECT_NE(points[8].find("-34.200000,19.100000"), std::string::npos) << points[8];
}

TEST(TripExportFile, FailureIsReportedAndLeavesNoFile) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  auto result = WriteTripExport(dir / "missing" / "trips.csv", TripExportFormat::kCsv, SampleTrips(), nullptr);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find(std::filesystem::path("missing/trips.csv").make_preferred().string()),
            std::string::npos)
      << result.error;

  // A folder in the way cannot be replaced; the folder stays, nothing else is left.
  std::filesystem::create_directory(dir / "taken.gpx");
  result = WriteTripExport(dir / "taken.gpx", TripExportFormat::kGpx, SampleTrips(), nullptr);
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.gpx"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace wr
