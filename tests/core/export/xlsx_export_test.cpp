// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <sstream>

#include "core/export/sample_trips.h"
#include "export/trip_export.h"
#include "core/support/external_tools.h"

namespace wr {
namespace {

using testing::ScratchDir;
using testing::ShellQuoted;
using testing::Trip;

// Every cell of the first sheet as openpyxl reads it, one row per line,
// cells separated by '|': n:number, s:string, f:formula, d:date, t:time,
// and '-' for an empty cell.
const char kDumpSheet[] = R"(import sys, datetime, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
sheet = book.worksheets[0]
print(sheet.title)
for row in sheet.iter_rows():
    cells = []
    for c in row:
        v = c.value
        if v is None: cells.append('-')
        elif c.data_type == 'f': cells.append('f:' + str(v))
        elif isinstance(v, datetime.datetime): cells.append('d:' + v.strftime('%Y-%m-%d %H:%M:%S'))
        elif isinstance(v, datetime.time): cells.append('t:' + v.strftime('%H:%M:%S'))
        elif isinstance(v, (int, float)): cells.append('n:' + repr(v))
        else: cells.append('s:' + v)
    sys.stdout.buffer.write(('|'.join(cells) + '\n').encode('utf-8'))
)";

class XlsxExport : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TripExportFormatAvailable(TripExportFormat::kXlsx))
      GTEST_SKIP() << "this build has no libxlsxwriter";
    ASSERT_TRUE(dir_.Ok());
  }

  // The sheet's title and rows; empty when openpyxl is missing.
  std::vector<std::string> ReadBack(const std::filesystem::path& file) {
    const std::string python = testing::PythonWith("openpyxl");
    if (python.empty()) return {};
    testing::WriteText(dir_ / "dump.py", kDumpSheet);
    std::string output;
    EXPECT_EQ(testing::RunCommand(python + " " + ShellQuoted((dir_ / "dump.py").string()) + " " +
                                      ShellQuoted(file.string()) + " 2>&1",
                                  output),
              0)
        << output;
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  ScratchDir dir_;
};

TEST_F(XlsxExport, NumbersDatesAndTimesAreTypedAndTextStaysText) {
  if (testing::PythonWith("openpyxl").empty()) GTEST_SKIP() << "python3-openpyxl is not installed";
  std::vector<TripRecord> trips = testing::SampleTrips();
  // Values that do not read as their type, and texts that look like formulas.
  trips.push_back(Trip(3, "", "7h", "", "+1+1", "-", "@SUM(A1)", "-12.5", "n/a", "=1+1"));
  const auto result = WriteTripExport(dir_ / "trips.xlsx", TripExportFormat::kXlsx, trips,
                                      testing::SampleNamer());
  ASSERT_TRUE(result.ok) << result.error;

  const auto rows = ReadBack(dir_ / "trips.xlsx");
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], "Trips");
  EXPECT_EQ(rows[1],
            "s:Index|s:Date|s:Start time|s:End time|s:Start latitude (\xC2\xB0)|"
            "s:Start longitude (\xC2\xB0)|s:End latitude (\xC2\xB0)|s:End longitude (\xC2\xB0)|"
            "s:Start place|s:End place|s:Max speed (km/h)|s:Distance (km)");
  EXPECT_EQ(rows[2],
            "n:0|d:2026-03-18 00:00:00|t:07:45:10|t:08:02:30|n:-33.92487|n:18.424055|n:-33.95821|"
            "n:18.46031|s:Tom's \"Bar\" & Grill <Main, Rd>|"
            "s:=HYPERLINK(\"http://example.invalid\")|n:87|n:12.3");
  // A date that is no date stays the unit's text.
  EXPECT_EQ(rows[4],
            "n:2|s:45/13/26|t:09:00:00|t:09:30:00|n:-33.89044|n:18.51278|n:-34.03012|n:18.46523|"
            "s:Caf\xC3\xA9 \xC3\x9Cr\xC3\xBCmqi|s:Stra\xC3\x9F" "e|n:102|n:20.1");
  EXPECT_EQ(rows[5], "n:3|-|s:7h|-|s:+1+1|s:-|s:@SUM(A1)|n:-12.5|-|-|s:=1+1|s:n/a");
}

TEST_F(XlsxExport, ACellTheFormatCannotHoldFailsTheExportAndKeepsTheOldFile) {
  testing::WriteText(dir_ / "trips.xlsx", "earlier export");
  std::vector<TripRecord> trips = testing::SampleTrips();
  const std::string huge(40000, 'x');  // beyond a cell's 32767 characters
  const auto result = WriteTripsXlsx(dir_ / "trips.xlsx", trips, [&](const std::string&) { return huge; });
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("cell I2"), std::string::npos) << result.error;
  EXPECT_EQ(testing::ReadText(dir_ / "trips.xlsx"), "earlier export");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1);
}

}  // namespace
}  // namespace wr
