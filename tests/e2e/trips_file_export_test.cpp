// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Exporting the trip list to a file of the user's choice, read back by other
// programs, end to end against the simulated unit.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <optional>

#include "e2e/trips_fixture.h"
#include "export/trip_export.h"

namespace wr::test {
namespace {

const QString kCsv = QStringLiteral("CSV table (*.csv)");
const QString kGpx = QStringLiteral("GPX tracks (*.gpx)");
const QString kKml = QStringLiteral("KML map (*.kml)");
const QString kXlsx = QStringLiteral("xlsx workbook (*.xlsx)");

// As a unit logs them; the third has no fix at its start.
std::vector<SimTrip> UnitTrips() {
  return {{"18/03/26", "07:45:10", "08:02:30", "-26.1071", "28.0567", "-26.2041", "28.0473", "12.3",
           "87"},
          {"19/03/26", "23:50:00", "00:20:15", "-26.2041", "28.0473", "-25.7479", "28.2293", "55.0",
           "110"},
          {"20/03/26", "09:00:00", "09:30:00", "", "", "-25.7479", "28.2293", "3.5", "40"}};
}

// A reader's standard output; nothing when the program cannot be started.
std::optional<QString> Read(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted(20000)) return std::nullopt;
  EXPECT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Debian's Python first, since its modules come from Debian packages.
QString PythonWith(const QString& module) {
  for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import ") + module});
    if (probe.waitForFinished(20000) && probe.exitStatus() == QProcess::NormalExit &&
        probe.exitCode() == 0)
      return python;
  }
  return QString();
}

class TripsFileExportTest : public TripsTest {
 protected:
  QString Out(const QString& name) const { return out_.filePath(name); }
  // The trips shown, with a place named at the first start.
  void ShowNamedTrips() {
    ShowTrips(UnitTrips());
    Prompts().inputs = {QStringLiteral("Home")};
    Choose(1, 3, Trips().btnNameCoordinate);
    Prompts().shown.clear();
  }
  // The export, with the save dialog answered by file and filter.
  bool Export(const QString& file, const QString& filter) {
    Prompts().saveFiles = {file};
    Prompts().saveFilter = filter;
    std::optional<bool> written;
    Trips().ExportTrips([&written](bool w) { written = w; });
    EXPECT_TRUE(WaitFor([&] { return written.has_value(); }));
    return written.value_or(false);
  }
  QString Suggested() const { return QFileInfo(prompts_.lastSuggested).absolutePath(); }
  static QByteArray Content(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  QTemporaryDir out_;
};

TEST_F(TripsFileExportTest, CsvIsReadBackByPythonWithPlaceNames) {
  const QString python = PythonWith(QStringLiteral("csv"));
  if (python.isEmpty()) GTEST_SKIP() << "no python3 to read the CSV";
  ShowNamedTrips();
  const QString file = Out(QStringLiteral("trips.csv"));
  ASSERT_TRUE(Export(file, kCsv));
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{"3 trips exported to\n" + QDir::toNativeSeparators(file)});
  const std::optional<QString> read =
      Read(python, {"-c",
                    "import csv,json,sys; print(json.dumps(list(csv.reader(open(sys.argv[1], "
                    "newline='', encoding='utf-8'), strict=True))))",
                    file});
  ASSERT_TRUE(read);
  const QJsonArray rows = QJsonDocument::fromJson(read->toUtf8()).array();
  ASSERT_EQ(rows.size(), 4);
  EXPECT_EQ(rows[0].toArray()[8].toString(), QStringLiteral("start_place"));
  EXPECT_EQ(rows[1].toArray(),
            QJsonArray({"0", "2026-03-18", "07:45:10", "08:02:30", "-26.1071", "28.0567",
                        "-26.2041", "28.0473", "Home", "", "87", "12.3"}));
}

// A track per trip with both ends; the trip without a start is named.
TEST_F(TripsFileExportTest, GpxAndKmlAreReadBackByGpsbabelAndTripsLeftOutAreNamed) {
  ShowNamedTrips();
  for (const auto& [filter, format] :
       {std::pair{kGpx, QStringLiteral("gpx")}, {kKml, QStringLiteral("kml")}}) {
    const QString file = Out(QStringLiteral("trips.") + format);
    ASSERT_TRUE(Export(file, filter));
    EXPECT_EQ(Prompts().Messages().back(),
              "2 trips exported to\n" + QDir::toNativeSeparators(file) +
                  "\n\n1 trip was left out because its start or end position is missing or "
                  "unreadable:\n20/03/26 09:00:00 to 09:30:00");
    const std::optional<QString> gpx =
        Read(QStringLiteral("gpsbabel"),
             {"-t", "-r", "-w", "-i", format, "-f", file, "-o", "gpx", "-F", "-"});
    if (!gpx) GTEST_SKIP() << "gpsbabel cannot be run";
    EXPECT_EQ(gpx->count(QStringLiteral("<trk>")), 2) << gpx->toStdString();
    EXPECT_EQ(gpx->count(QStringLiteral("<trkpt ")), 4) << gpx->toStdString();
    EXPECT_TRUE(
        gpx->contains(QStringLiteral("<trkpt lat=\"-26.107100000\" lon=\"28.056700000\">")));
    EXPECT_TRUE(gpx->contains(QStringLiteral("Home")));
  }
}

TEST_F(TripsFileExportTest, XlsxHoldsNumbersWithUnitsInTheHeadingsAndDatesAsDates) {
  if (!TripExportFormatAvailable(TripExportFormat::kXlsx))
    GTEST_SKIP() << "built without libxlsxwriter";
  const QString python = PythonWith(QStringLiteral("openpyxl"));
  if (python.isEmpty()) GTEST_SKIP() << "python3-openpyxl is not installed";
  ShowNamedTrips();
  const QString file = Out(QStringLiteral("trips.xlsx"));
  ASSERT_TRUE(Export(file, kXlsx));
  // Every cell as its type and value, so that numbers and dates are told from texts.
  const std::optional<QString> read = Read(python, {"-c", R"(
import datetime, json, sys, openpyxl
def cell(v):
    if v is None: return "none:"
    if isinstance(v, (int, float)) and not isinstance(v, bool): return "number:" + repr(float(v))
    if isinstance(v, (datetime.datetime, datetime.time)): return type(v).__name__ + ":" + v.isoformat()
    return "text:" + str(v)
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
print(json.dumps([[cell(c.value) for c in row] for row in ws.iter_rows(max_row=2)]))
)",
                                                    file});
  ASSERT_TRUE(read);
  const QJsonArray rows = QJsonDocument::fromJson(read->toUtf8()).array();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0].toArray(),
            QJsonArray({"text:Index", "text:Date", "text:Start time", "text:End time",
                        "text:Start latitude (°)", "text:Start longitude (°)",
                        "text:End latitude (°)", "text:End longitude (°)", "text:Start place",
                        "text:End place", "text:Max speed (km/h)", "text:Distance (km)"}));
  EXPECT_EQ(rows[1].toArray(),
            QJsonArray({"number:0.0", "datetime:2026-03-18T00:00:00", "time:07:45:10",
                        "time:08:02:30", "number:-26.1071", "number:28.0567", "number:-26.2041",
                        "number:28.0473", "text:Home", "none:", "number:87.0", "number:12.3"}));
}

// What the user is asked, what is remembered, and what is said when a file
// cannot be written.
TEST_F(TripsFileExportTest, AsksWhereAndHowRemembersTheFolderAndFormatAndReportsAFailedWrite) {
  Unit().SetTrips(UnitTrips());
  EXPECT_EQ(Trips().btnExcel->text(), QStringLiteral("Export Trips..."));
  // Nothing listed yet: the unit is asked first. Cancelled: nothing written, nothing said.
  Click(QStringLiteral("btnExcel"));
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(ReceivedCountOf("AT+TRIPS"), 1u);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Export Trips"));
  QStringList filters = {kCsv, kGpx, kKml};
  if (TripExportFormatAvailable(TripExportFormat::kXlsx)) filters << kXlsx;
  EXPECT_EQ(Prompts().lastFilter, filters.join(QStringLiteral(";;")));
  QString fallback = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (fallback.isEmpty() || !QFileInfo(fallback).isDir()) fallback = QDir::homePath();
  EXPECT_EQ(Suggested(), QDir(fallback).absolutePath());
  EXPECT_TRUE(
      QFileInfo(prompts_.lastSuggested)
          .fileName()
          .startsWith(QStringLiteral("trips-%1-").arg(QString::fromStdString(Unit().DeviceId()))));

  // A file that cannot be written is said, and its folder is not offered again.
  const QString missing = Out(QStringLiteral("missing/trips.csv"));
  EXPECT_FALSE(Export(missing, kCsv));
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{"The trips were not exported.\nThe file \"" +
                                 QDir::toNativeSeparators(missing) +
                                 "\" could not be written: no such file or directory."});
  // The name's own extension wins over the filter; without one the filter's is added.
  const QString folder = out_.path() + QLatin1Char('/');
  ASSERT_TRUE(Export(folder + QStringLiteral("first.gpx"), kCsv));
  EXPECT_EQ(Suggested(), QDir(fallback).absolutePath());
  EXPECT_TRUE(Content(folder + QStringLiteral("first.gpx")).startsWith("<?xml"));
  ASSERT_TRUE(Export(folder + QStringLiteral("second"), kKml));
  EXPECT_TRUE(Content(folder + QStringLiteral("second.kml")).contains("<kml "));
  EXPECT_EQ(Suggested(), QDir(folder).absolutePath());
  EXPECT_EQ(QFileInfo(prompts_.lastSuggested).suffix(), QStringLiteral("gpx"));

  // The dialog asked about "second" only: replacing "second.kml" is asked here.
  Prompts().shown.clear();
  const QByteArray kml = Content(folder + QStringLiteral("second.kml"));
  EXPECT_FALSE(Export(folder + QStringLiteral("second"), kKml));
  ASSERT_EQ(Prompts().shown.size(), 2u);
  EXPECT_EQ(Prompts().shown[1].text,
            QDir::toNativeSeparators(folder + QStringLiteral("second.kml")) +
                QStringLiteral(" already exists.\nDo you want to replace it?"));
  EXPECT_EQ(Content(folder + QStringLiteral("second.kml")), kml);

  // A remembered folder that is gone is not offered.
  ASSERT_TRUE(out_.remove());
  Export(QString(), kCsv);
  EXPECT_EQ(Suggested(), QDir(fallback).absolutePath());
}

// The export offered before a delete: nothing is deleted unless the export
// that was wanted has been written.
TEST_F(TripsFileExportTest, DeleteAllDeletesOnlyAfterTheWantedExportIsWritten) {
  Unit().SetTrips(UnitTrips());
  const QString file = Out(QStringLiteral("before delete.csv"));
  Prompts().yesNo = {true, true, true, true, true, true};
  Prompts().saveFiles = {QString(), Out(QStringLiteral("missing/trips.csv")), file};
  Click(QStringLiteral("btnDeleteAll"));  // cancelled in the dialog
  Click(QStringLiteral("btnDeleteAll"));  // not written
  ASSERT_EQ(Prompts().shown.size(), 7u);
  EXPECT_TRUE(Prompts().shown[0].text.startsWith(
      QStringLiteral("Are you sure you want to delete all trips?")));
  EXPECT_EQ(Prompts().shown[2].kind, "save");
  EXPECT_TRUE(Prompts().shown[6].text.endsWith(QStringLiteral("\nNo trip was deleted.")));
  EXPECT_EQ(ReceivedCountOf("AT+DELETE_ALL_TRIPS"), 0u);
  EXPECT_EQ(Unit().Trips().size(), 3u);

  // The list fetched for the export is current: counted, not fetched again.
  Prompts().shown.clear();
  const size_t fetched = ReceivedCountOf("AT+TRIPS");
  Click(QStringLiteral("btnDeleteAll"));
  ASSERT_EQ(Prompts().shown.size(), 4u);
  EXPECT_TRUE(Prompts().shown[0].text.endsWith(QStringLiteral("All 3 trips of the unit will be deleted.")));
  EXPECT_EQ(Prompts().shown[3].text, "3 trips exported to\n" + QDir::toNativeSeparators(file));
  EXPECT_EQ(Content(file).count("\r\n"), 4);
  EXPECT_TRUE(WaitFor([&] { return Unit().Trips().empty(); }));
  EXPECT_EQ(ReceivedCountOf("AT+TRIPS"), fetched + 1);  // the one after the delete

  // Nothing left on the unit: nothing to export.
  InjectAndSettle({});
  Prompts().shown.clear();
  EXPECT_FALSE(Export(Out(QStringLiteral("none.csv")), kCsv));
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{QStringLiteral("The unit has no trips to export.")});
}

}  // namespace
}  // namespace wr::test
