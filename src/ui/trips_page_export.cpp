// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The trips to a file: the format, the file name offered, and the writing.
#include "ui/trips_page.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/trip_export.h"
#include "places/place_store.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/desktop_shell.h"
#include "ui/prompts.h"
#include "ui/save_folder.h"
#include "ui/spreadsheet_export.h"
#include "ui/trips_page_parts.h"

namespace wr {
namespace {

// The user's settings of this tool.
std::unique_ptr<QSettings> UserSettings() {
  QString organisation = QCoreApplication::organizationName();
  if (organisation.isEmpty()) organisation = QStringLiteral("Wayrunner");
  return std::make_unique<QSettings>(organisation, QCoreApplication::applicationName());
}
constexpr char kExportFormatKey[] = "trips/exportFormat";

struct ExportFilter {
  TripExportFormat format;
  const char* text;
};
constexpr ExportFilter kExportFilters[] = {
    {TripExportFormat::kCsv, "CSV table (*.csv)"},
    {TripExportFormat::kGpx, "GPX tracks (*.gpx)"},
    {TripExportFormat::kKml, "KML map (*.kml)"},
    {TripExportFormat::kXlsx, "xlsx workbook (*.xlsx)"},
};

QString FormatName(TripExportFormat format) {
  const std::string_view name = TripExportFormatName(format);
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

std::optional<TripExportFormat> FormatOfFilter(const QString& filter) {
  for (const ExportFilter& f : kExportFilters)
    if (filter == QLatin1String(f.text)) return f.format;
  return std::nullopt;
}

QString FilterOf(TripExportFormat format) {
  for (const ExportFilter& f : kExportFilters)
    if (f.format == format) return QString::fromLatin1(f.text);
  return QString();
}

// How the user tells the trips apart: the grid's date and times.
QString TripLabel(const TripRecord& trip) {
  return TripsPage::tr("%1 %2 to %3")
      .arg(FromBytes(trip.date), FromBytes(trip.startTime), FromBytes(trip.endTime));
}

// The file name offered: the unit and the day, so that one folder can hold
// the exports of many units.
QString SuggestedFileName(const std::string& deviceId, TripExportFormat format) {
  QString unit = FromBytes(deviceId);
  unit.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")));
  QString name = QStringLiteral("trips");
  if (!unit.isEmpty()) name += QLatin1Char('-') + unit;
  return name + QLatin1Char('-') + QDate::currentDate().toString(Qt::ISODate) + QLatin1Char('.') +
         FormatName(format);
}

}  // namespace

void TripsPage::btnExcelClick() {
#ifdef _WIN32
  ExportToSpreadsheet();
#else
  ExportTrips();
#endif
}

void TripsPage::ExportTrips(std::function<void(bool)> done) {
  if (busy_) {
    if (done) done(false);
    return;
  }
  const auto exportListed = [this, done] {
    const std::vector<TripRecord> trips = session_.Model().Trips();
    bool written = false;
    if (trips.empty())
      prompts_.ShowMessage(session_.IsConnected()
                               ? tr("The unit has no trips to export.")
                               : tr("There are no trips to export. Connect the unit and "
                                    "press \"Show Trips\" first."));
    else
      written = ExportTripList(trips, QString()) == ExportResult::kWritten;
    if (done) done(written);
  };
  if (!session_.Model().Trips().empty() || !session_.IsConnected()) return exportListed();
  FetchTripList([this, done, exportListed](bool listed, const QString& why) {
    if (listed) return exportListed();
    prompts_.ShowMessage(tr("The trips could not be exported: the unit did not list them.") +
                         (why.isEmpty() ? QString() : QLatin1Char('\n') + why));
    if (done) done(false);
  });
}

TripsPage::ExportResult TripsPage::ExportTripList(const std::vector<TripRecord>& trips,
                                                  const QString& notDone) {
  const std::unique_ptr<QSettings> settings = UserSettings();
  const QString folder = SaveFolder();
  const QString lastFormat = settings->value(QLatin1String(kExportFormatKey)).toString();
  TripExportFormat format =
      TripExportFormatFromName(lastFormat.toStdString()).value_or(TripExportFormat::kCsv);
  if (!TripExportFormatAvailable(format)) format = TripExportFormat::kCsv;

  QStringList filters;
  for (const ExportFilter& f : kExportFilters)
    if (TripExportFormatAvailable(f.format)) filters << QString::fromLatin1(f.text);
  QString selectedFilter = FilterOf(format);
  const QString suggested =
      QDir(folder).filePath(SuggestedFileName(session_.Model().DeviceId(), format));
  QString file = prompts_.SaveFile(tr("Export Trips"),
                                   filters.join(QStringLiteral(";;")), suggested, &selectedFilter);
  if (file.isEmpty()) return ExportResult::kCancelled;

  // A name's own extension names the format; without one the chosen filter
  // does, and its extension is added.
  if (const auto named = TripExportFormatFromPath(std::filesystem::u8path(file.toStdString()))) {
    format = *named;
  } else {
    format = FormatOfFilter(selectedFilter).value_or(format);
    file += QLatin1Char('.') + FormatName(format);
    // The dialog asked about the name without the extension.
    if (QFileInfo::exists(file) &&
        !prompts_.AskYesNo(tr("Export Trips"),
                           tr("%1 already exists.\nDo you want to replace it?")
                               .arg(QDir::toNativeSeparators(file))))
      return ExportResult::kCancelled;
  }
  const QString nativeFile = QDir::toNativeSeparators(file);
  auto fail = [&](const QString& why) {
    QString message = tr("The trips were not exported.\n") + why;
    if (!notDone.isEmpty()) message += QLatin1Char('\n') + notDone;
    prompts_.ShowMessage(message);
    return ExportResult::kFailed;
  };
  if (!TripExportFormatAvailable(format))
    return fail(tr("This build of Wayrunner Track cannot write %1 files.")
                    .arg(FormatName(format)));

  // Names as the grid shows them; the store holds the system's code page,
  // the export takes UTF-8.
  const std::shared_ptr<PlaceStore> store = placeStore_;
  const PlaceNamer namer = [store](const std::string& coordinate) {
    return store ? ToBytes(FromLocalBytes(store->LookupPlaceName(coordinate))) : std::string();
  };
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TripExportResult written =
      WriteTripExport(std::filesystem::u8path(nativeFile.toStdString()), format, trips, namer);
  QApplication::restoreOverrideCursor();
  if (!written.ok)
    return fail(written.problem.Empty()
                    ? tr("The trips could not be written to %1.").arg(nativeFile)
                    : Translated(written.problem));

  RememberSaveFolder(file);
  settings->setValue(QLatin1String(kExportFormatKey), FormatName(format));

  QString done = tr("%1 exported to\n%2")
                     .arg(TripCount(trips.size() - written.leftOut.size()), nativeFile);
  if (!written.leftOut.empty()) {
    // Only GPX and KML leave trips out: they can draw no line without both ends.
    done += written.leftOut.size() == 1
                ? tr("\n\n1 trip was left out because its start or end position is "
                                 "missing or unreadable:")
                : tr("\n\n%n trips were left out because their start or end position "
                     "is missing or unreadable:",
                     nullptr, static_cast<int>(written.leftOut.size()));
    constexpr size_t kListed = 10;
    size_t listed = 0;
    for (const int32_t index : written.leftOut) {
      if (listed == kListed) break;
      for (const TripRecord& trip : trips)
        if (trip.index == index) {
          done += QStringLiteral("\n") + TripLabel(trip);
          ++listed;
          break;
        }
    }
    if (written.leftOut.size() > listed)
      done += tr("\nand %1 more").arg(written.leftOut.size() - listed);
  }
  prompts_.ShowMessage(done);
  return ExportResult::kWritten;
}

void TripsPage::ExportToSpreadsheet() {
  const int columns = sgridTrips->columnCount() - 2;  // the raw coordinates stay behind
  std::vector<std::vector<std::string>> rows(static_cast<size_t>(sgridTrips->rowCount()));
  for (int r = 0; r < sgridTrips->rowCount(); ++r)
    for (int c = 0; c < columns; ++c) rows[static_cast<size_t>(r)].push_back(ToLocalBytes(CellText(sgridTrips, r, c)));
  std::unique_ptr<SpreadsheetAutomation> program = CreateSpreadsheetAutomation(prompts_, shell_);
  if (!program || !ExportTripsToSpreadsheet(*program, rows, columns))
    prompts_.ShowMessage(QString::fromLatin1(kExportFailureMessage));
}

}  // namespace wr
