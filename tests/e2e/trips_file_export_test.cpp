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

const QString kCsvFilter = QStringLiteral("CSV table (*.csv)");
const QString kGpxFilter = QStringLiteral("GPX tracks (*.gpx)");
const QString kKmlFilter = QStringLiteral("KML map (*.kml)");
const QString kXlsxFilter = QStringLiteral("xlsx workbook (*.xlsx)");

// As a unit logs them: the second crosses midnight, the third has no fix at
// its start.
std::vector<SimTrip> UnitTrips() {
  return {{"18/03/26", "07:45:10", "08:02:30", "-26.1071", "28.0567", "-26.2041", "28.0473", "12.3", "87"},
          {"19/03/26", "23:50:00", "00:20:15", "-26.2041", "28.0473", "-25.7479", "28.2293", "55.0", "110"},
          {"20/03/26", "09:00:00", "09:30:00", "", "", "-25.7479", "28.2293", "3.5", "40"}};
}

// A reader's standard output; nothing when the program cannot be run.
std::optional<QString> RunReader(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted(20000)) return std::nullopt;
  EXPECT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Debian's Python first, since its modules come from Debian packages.
QString PythonWith(const QString& module) {
  for (const QString& candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
    QProcess probe;
    probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import ") + module});
    if (probe.waitForFinished(20000) && probe.exitStatus() == QProcess::NormalExit &&
        probe.exitCode() == 0)
      return candidate;
  }
  return QString();
}

const char* const kReadCsv = R"(
import csv, json, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    print(json.dumps(list(csv.reader(f, strict=True))))
)";

// Every cell as [type, value], so that numbers and dates are told from texts.
const char* const kReadXlsx = R"(
import datetime, json, sys, openpyxl
def cell(v):
    if v is None: return ["none", ""]
    if isinstance(v, bool): return ["bool", str(v)]
    if isinstance(v, (int, float)): return ["number", repr(float(v))]
    if isinstance(v, datetime.datetime): return ["datetime", v.isoformat()]
    if isinstance(v, datetime.time): return ["time", v.isoformat()]
    return ["text", str(v)]
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
print(json.dumps([[cell(c.value) for c in row] for row in ws.iter_rows()]))
)";

QJsonArray JsonRows(const QString& text) { return QJsonDocument::fromJson(text.toUtf8()).array(); }

class TripsFileExportTest : public TripsTest {
 protected:
  void SetUp() override {
    TripsTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(out_.isValid());
  }

  QString OutFile(const QString& name) const { return out_.filePath(name); }

  // The trips shown, with a place named at the first start.
  void ShowNamedTrips() {
    ShowTrips(UnitTrips());
    Prompts().inputs = {QStringLiteral("Home")};
    Choose(1, 3, Trips().btnNameCoordinate);
    ASSERT_EQ(Cell(1, 3), QStringLiteral("Home"));
    Prompts().shown.clear();
  }

  // The export as the user starts it, answering the save dialog with file
  // and filter; true when it says a file was written.
  bool Export(const QString& file, const QString& filter) {
    Prompts().saveFiles = {file};
    Prompts().saveFilter = filter;
    return Trips().ExportTrips();
  }

  QString LastMessage() {
    const std::vector<QString> messages = Prompts().Messages();
    return messages.empty() ? QString() : messages.back();
  }

  QByteArray Content(const QString& file) const {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }

  // gpsbabel's reading of a GPX or KML file, written out again as GPX.
  std::optional<QString> Gpsbabel(const QString& format, const QString& file) {
    return RunReader(QStringLiteral("gpsbabel"),
                     {"-t", "-r", "-w", "-i", format, "-f", file, "-o", "gpx", "-F", "-"});
  }

  QTemporaryDir out_;
};

// The button under the grid opens this export here (on Windows it keeps
// handing the grid to the spreadsheet program).
TEST_F(TripsFileExportTest, TheButtonAsksWhereAndInWhichFormatAndOffersTheUnitsName) {
  ShowTrips(UnitTrips());
  EXPECT_EQ(Trips().btnExcel->text(), QStringLiteral("Export Trips..."));
  Click(QStringLiteral("btnExcel"));
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].kind, "save");
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Export Trips"));
  QStringList filters = {kCsvFilter, kGpxFilter, kKmlFilter};
  if (TripExportFormatAvailable(TripExportFormat::kXlsx)) filters << kXlsxFilter;
  EXPECT_EQ(Prompts().shown[0].text, filters.join(QStringLiteral(";;")));
  // Cancelled: nothing said, nothing written.
  EXPECT_TRUE(Prompts().Messages().empty());
  EXPECT_TRUE(QDir(out_.path()).isEmpty());

  const QFileInfo suggested(Prompts().lastSuggested);
  EXPECT_TRUE(suggested.fileName().startsWith(QStringLiteral("trips-") +
                                              QString::fromStdString(Unit().DeviceId()) + "-"))
      << suggested.fileName().toStdString();
  EXPECT_EQ(suggested.suffix(), QStringLiteral("csv"));
}

TEST_F(TripsFileExportTest, CsvIsReadBackByPythonWithPlaceNames) {
  const QString python = PythonWith(QStringLiteral("csv"));
  if (python.isEmpty()) GTEST_SKIP() << "no python3 can be run to read the CSV";
  ShowNamedTrips();
  const QString file = OutFile(QStringLiteral("trips.csv"));
  ASSERT_TRUE(Export(file, kCsvFilter));
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{"3 trips exported to\n" + QDir::toNativeSeparators(file)});
  const std::optional<QString> read = RunReader(python, {"-c", kReadCsv, file});
  ASSERT_TRUE(read);
  const QJsonArray rows = JsonRows(*read);
  ASSERT_EQ(rows.size(), 4);
  EXPECT_EQ(rows[0].toArray(), QJsonArray({"Index", "Date", "Start", "End", "Start coordinates",
                                           "End coordinates", "Start place", "End place",
                                           "Max speed (km/h)", "Distance (km)"}));
  EXPECT_EQ(rows[1].toArray(), QJsonArray({"0", "18/03/26", "07:45:10", "08:02:30", "-26.1071,28.0567",
                                           "-26.2041,28.0473", "Home", "", "87", "12.3"}));
  EXPECT_EQ(rows[3].toArray()[4].toString(), QStringLiteral(","));
}

// Both map formats hold a track per trip that has both ends; the trip
// without a start position is named in the message.
TEST_F(TripsFileExportTest, GpxAndKmlAreReadBackByGpsbabelAndTripsLeftOutAreNamed) {
  ShowNamedTrips();
  for (const auto& [name, filter, format] :
       {std::tuple{QStringLiteral("trips.gpx"), kGpxFilter, QStringLiteral("gpx")},
        std::tuple{QStringLiteral("trips.kml"), kKmlFilter, QStringLiteral("kml")}}) {
    const QString file = OutFile(name);
    ASSERT_TRUE(Export(file, filter));
    EXPECT_EQ(LastMessage(), "2 trips exported to\n" + QDir::toNativeSeparators(file) +
                                 "\n\n1 trip was left out because its start or end position is "
                                 "missing or unreadable:\n20/03/26 09:00:00 to 09:30:00");
    const std::optional<QString> read = Gpsbabel(format, file);
    if (!read) GTEST_SKIP() << "gpsbabel cannot be run";
    EXPECT_EQ(read->count(QStringLiteral("<trk>")), 2) << read->toStdString();
    EXPECT_EQ(read->count(QStringLiteral("<trkpt ")), 4) << format.toStdString();
    EXPECT_TRUE(read->contains(QStringLiteral("<trkpt lat=\"-26.107100000\" lon=\"28.056700000\">")))
        << read->toStdString();
    EXPECT_TRUE(read->contains(QStringLiteral("Home"))) << format.toStdString();
  }
}

TEST_F(TripsFileExportTest, XlsxHoldsNumbersWithUnitsInTheHeadingsAndDatesAsDates) {
  if (!TripExportFormatAvailable(TripExportFormat::kXlsx)) GTEST_SKIP() << "built without libxlsxwriter";
  const QString python = PythonWith(QStringLiteral("openpyxl"));
  if (python.isEmpty()) GTEST_SKIP() << "python3-openpyxl is not installed";
  ShowNamedTrips();
  const QString file = OutFile(QStringLiteral("trips.xlsx"));
  ASSERT_TRUE(Export(file, kXlsxFilter));
  const std::optional<QString> read = RunReader(python, {"-c", kReadXlsx, file});
  ASSERT_TRUE(read);
  const QJsonArray rows = JsonRows(*read);
  ASSERT_EQ(rows.size(), 4);
  QStringList headings;
  for (const QJsonValue cell : rows[0].toArray()) headings << cell.toArray()[1].toString();
  EXPECT_EQ(headings, QStringList({"Index", "Date", "Start time", "End time", "Start latitude (°)",
                                   "Start longitude (°)", "End latitude (°)", "End longitude (°)",
                                   "Start place", "End place", "Max speed (km/h)", "Distance (km)"}));
  auto cell = [](const QString& type, const QString& value) { return QJsonArray({type, value}); };
  EXPECT_EQ(rows[1].toArray(),
            QJsonArray({cell("number", "0.0"), cell("datetime", "2026-03-18T00:00:00"),
                        cell("time", "07:45:10"), cell("time", "08:02:30"),
                        cell("number", "-26.1071"), cell("number", "28.0567"),
                        cell("number", "-26.2041"), cell("number", "28.0473"), cell("text", "Home"),
                        cell("none", ""), cell("number", "87.0"), cell("number", "12.3")}));
  EXPECT_EQ(rows[2].toArray()[10], cell("number", "110.0"));
}

// The folder and the format of the last export are offered next time; a
// name typed without an extension gets the chosen format's.
TEST_F(TripsFileExportTest, TheFolderAndFormatAreRememberedAndAnExtensionIsAddedIfMissing) {
  ShowTrips(UnitTrips());
  QString fallback = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (fallback.isEmpty() || !QFileInfo(fallback).isDir()) fallback = QDir::homePath();
  Export(QString(), kCsvFilter);
  EXPECT_EQ(QFileInfo(Prompts().lastSuggested).absolutePath(), QDir(fallback).absolutePath());

  ASSERT_TRUE(QDir(out_.path()).mkdir(QStringLiteral("unit 7")));
  const QString folder = OutFile(QStringLiteral("unit 7"));
  // The name's own extension wins over the filter.
  ASSERT_TRUE(Export(folder + QStringLiteral("/first.gpx"), kCsvFilter));
  EXPECT_TRUE(Content(folder + QStringLiteral("/first.gpx")).startsWith("<?xml"));

  ASSERT_TRUE(Export(folder + QStringLiteral("/second"), kKmlFilter));
  EXPECT_EQ(QFileInfo(Prompts().lastSuggested).absolutePath(), folder);
  EXPECT_EQ(QFileInfo(Prompts().lastSuggested).suffix(), QStringLiteral("gpx"));
  EXPECT_TRUE(Content(folder + QStringLiteral("/second.kml")).contains("<kml "));
  EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/second")));

  // The dialog only asked about "second": replacing "second.kml" is asked here.
  const QByteArray kml = Content(folder + QStringLiteral("/second.kml"));
  Prompts().shown.clear();
  Prompts().yesNo = {false};
  EXPECT_FALSE(Export(folder + QStringLiteral("/second"), kKmlFilter));
  ASSERT_EQ(Prompts().shown.size(), 2u);
  EXPECT_EQ(Prompts().shown[1].text,
            QDir::toNativeSeparators(folder + QStringLiteral("/second.kml")) +
                QStringLiteral(" already exists.\nDo you want to replace it?"));
  EXPECT_EQ(Content(folder + QStringLiteral("/second.kml")), kml);
  Prompts().shown.clear();
  ASSERT_TRUE(Export(folder + QStringLiteral("/second"), kCsvFilter));
  EXPECT_EQ(Prompts().shown.size(), 2u);  // the dialog and the message, no question
  EXPECT_TRUE(Content(folder + QStringLiteral("/second.csv")).startsWith("Index,Date"));

  // A remembered folder that is gone is not offered.
  EXPECT_EQ(QFileInfo(Prompts().lastSuggested).absolutePath(), folder);
  ASSERT_TRUE(QDir(folder).removeRecursively());
  Export(QString(), kCsvFilter);
  EXPECT_EQ(QFileInfo(Prompts().lastSuggested).absolutePath(), QDir(fallback).absolutePath());
}

TEST_F(TripsFileExportTest, AFileThatCannotBeWrittenIsReportedAndItsFolderNotRemembered) {
  ShowTrips(UnitTrips());
  const QString file = OutFile(QStringLiteral("missing/trips.csv"));
  EXPECT_FALSE(Export(file, kCsvFilter));
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{"The trips were not exported.\nThe file \"" + QDir::toNativeSeparators(file) +
                                 "\" could not be written: no such file or directory."});
  EXPECT_FALSE(QFileInfo::exists(file));
  Export(QString(), kCsvFilter);
  EXPECT_NE(QFileInfo(Prompts().lastSuggested).absolutePath(), OutFile(QStringLiteral("missing")));
}

// With nothing listed the unit is asked first; with nothing on the unit
// there is nothing to save.
TEST_F(TripsFileExportTest, TripsNotYetListedAreFetchedAndAnEmptyLogIsSaid) {
  Unit().SetTrips(UnitTrips());
  const QString file = OutFile(QStringLiteral("fetched.csv"));
  const size_t mark = Received().size();
  ASSERT_TRUE(Export(file, kCsvFilter));
  EXPECT_EQ(ReceivedSince(mark), std::vector<std::string>{"AT+TRIPS"});
  EXPECT_EQ(Content(file).count("\r\n"), 4);
  EXPECT_EQ(Grid()->rowCount(), 4);

  Unit().SetTrips({});
  Click(QStringLiteral("btnGetTrips"));
  InjectAndSettle({});
  Prompts().shown.clear();
  EXPECT_FALSE(Export(OutFile(QStringLiteral("none.csv")), kCsvFilter));
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].text, QStringLiteral("The unit has no trips to export."));
  EXPECT_FALSE(QFileInfo::exists(OutFile(QStringLiteral("none.csv"))));
}

// "Delete All Trips" offers the export first; nothing is deleted unless the
// export it was asked for has been written.
TEST_F(TripsFileExportTest, DeleteAllExportsFirstWhenAskedAndDeletesOnlyAfterAWrittenFile) {
  Unit().SetTrips(UnitTrips());
  const QString file = OutFile(QStringLiteral("before delete.csv"));

  // Export wanted, dialog cancelled: no further question, nothing deleted.
  Prompts().yesNo = {true};
  Click(QStringLiteral("btnDeleteAll"));
  ASSERT_EQ(Prompts().shown.size(), 2u);
  EXPECT_EQ(Prompts().shown[1].kind, "save");
  // Export wanted, the file cannot be written: said, and nothing deleted.
  Prompts().shown.clear();
  Prompts().yesNo = {true};
  Prompts().saveFiles = {OutFile(QStringLiteral("missing/trips.csv"))};
  Click(QStringLiteral("btnDeleteAll"));
  ASSERT_EQ(Prompts().shown.size(), 3u);
  EXPECT_TRUE(Prompts().shown[2].text.startsWith(QStringLiteral("The trips were not exported.\n")));
  EXPECT_TRUE(Prompts().shown[2].text.endsWith(QStringLiteral("could not be written: no such file or "
                                                              "directory.\nNo trip was deleted.")))
      << Prompts().shown[2].text.toStdString();
  EXPECT_EQ(ReceivedCountOf("AT+DELETE_ALL_TRIPS"), 0u);
  EXPECT_EQ(Unit().Trips().size(), 3u);

  // Written: then the question, and the delete.
  Prompts().shown.clear();
  Prompts().yesNo = {true, true};
  Prompts().saveFiles = {file};
  Prompts().saveFilter = kCsvFilter;
  Click(QStringLiteral("btnDeleteAll"));
  ASSERT_EQ(Prompts().shown.size(), 4u);
  EXPECT_EQ(Prompts().shown[2].text, "3 trips exported to\n" + QDir::toNativeSeparators(file));
  EXPECT_EQ(Prompts().shown[3].caption, QStringLiteral("Delete All"));
  EXPECT_TRUE(Prompts().shown[3].text.startsWith(QStringLiteral("Are you sure you want to delete all trips?")));
  EXPECT_EQ(Content(file).count("\r\n"), 4);
  ASSERT_TRUE(WaitForReceived("AT+DELETE_ALL_TRIPS"));
  EXPECT_TRUE(WaitFor([&] { return Unit().Trips().empty(); }));
}

}  // namespace
}  // namespace wr::test
