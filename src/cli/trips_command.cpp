// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// trips / trips delete: the unit's trip log, exported with place names.
#include <QJsonArray>
#include <QJsonObject>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/unit_access.h"
#include "session/unit_operations.h"
#include "export/trip_export.h"
#include "export/trip_fields.h"
#include "places/place_store.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

// Milliseconds the unit may take to list its whole trip log.
constexpr int kListingMs = 30000;

// For programs: numbers as numbers, the date as ISO 8601 and times as
// HH:MM:SS; null where the unit's text does not read as its type.
QJsonValue JsonNumber(const std::string& text) {
  const auto d = ParseDecimal(text);
  return d ? QJsonValue(d->value) : QJsonValue(QJsonValue::Null);
}

QJsonValue JsonTime(const std::string& text) {
  const auto t = ParseUnitTime(text);
  return t ? QJsonValue(QString::fromStdString(IsoTimeText(*t))) : QJsonValue(QJsonValue::Null);
}

QJsonArray TripsJson(const std::vector<TripRecord>& trips, const PlaceNamer& namer) {
  QJsonArray list;
  for (const TripRecord& trip : trips) {
    QJsonObject entry;
    entry["index"] = trip.index;
    const auto date = ParseUnitDate(trip.date);
    entry["date"] = date ? QJsonValue(QString::fromStdString(IsoDateText(*date)))
                         : QJsonValue(QJsonValue::Null);
    entry["start"] = JsonTime(trip.startTime);
    entry["end"] = JsonTime(trip.endTime);
    // The texts the place file is keyed by, and the positions as numbers.
    entry["start_coordinates"] = FromBytes(trip.StartCoordinate());
    entry["end_coordinates"] = FromBytes(trip.EndCoordinate());
    entry["start_latitude"] = JsonNumber(trip.startLat);
    entry["start_longitude"] = JsonNumber(trip.startLon);
    entry["end_latitude"] = JsonNumber(trip.endLat);
    entry["end_longitude"] = JsonNumber(trip.endLon);
    // Place names come from a file people edit by hand: any bytes, made UTF-8.
    entry["start_place"] = QString::fromStdString(NamedPlace(namer, trip.StartCoordinate()));
    entry["end_place"] = QString::fromStdString(NamedPlace(namer, trip.EndCoordinate()));
    entry["max_speed_kmh"] = JsonNumber(trip.maxSpeedKmh);
    entry["distance_km"] = JsonNumber(trip.distanceKm);
    list.append(entry);
  }
  return list;
}

std::string LeftOutText(const std::vector<int32_t>& leftOut) {
  std::string list;
  for (int32_t index : leftOut) list += (list.empty() ? "" : ", ") + std::to_string(index);
  return list;
}

int RunTrips(CliContext& context, const ParsedArguments& arguments) {
  const std::optional<std::string> output = arguments.Value("output");
  std::optional<TripExportFormat> format;
  if (const auto name = arguments.Value("format")) {
    format = TripExportFormatFromName(*name);
    if (!format)
      return context.Fail(kExitUsage, Tr(QT_TRANSLATE_NOOP("wr::cli", "--format takes %1, not '%2'"),
                                         {TripExportFormatNames(), *name}));
    // A file named for one format that holds another misleads whoever opens it.
    if (output) {
      const auto named = TripExportFormatFromPath(std::filesystem::u8path(*output));
      if (named && *named != *format)
        return context.Fail(kExitUsage,
                            Tr(QT_TRANSLATE_NOOP("wr::cli", "--format %1 does not match the extension of "
                                                            "%2 (%3); use one or make them agree"),
                               {TripExportFormatName(*format), *output, TripExportFormatName(*named)}));
    }
  } else if (output) {
    format = TripExportFormatFromPath(std::filesystem::u8path(*output));
  }
  if (!format) format = TripExportFormat::kCsv;
  if (!TripExportFormatAvailable(*format))
    return context.Fail(kExitUsage, Tr(QT_TRANSLATE_NOOP("wr::cli", "this build cannot write %1 files"),
                                       {TripExportFormatName(*format)}));
  if (*format == TripExportFormat::kXlsx && !output && !context.Json())
    return context.Fail(kExitUsage, Tr(QT_TRANSLATE_NOOP("wr::cli", "an xlsx export needs a file: add -o FILE.xlsx")));

  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  FetchTripsOperation fetch(*session, kListingMs);
  RunOperation(fetch);
  const UnitSession::Outcome& listed = fetch.Result();
  if (StopRequested()) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")));
  if (!listed.done) return context.Fail(session->IsConnected() ? kExitUnit : kExitNoUnit,
                                        ToBytes(listed.message));
  const std::vector<TripRecord> trips = session->Model().Trips();
  session->Shutdown();

  // The same place file the window names places from.
  PlaceStore places(PlaceStore::DefaultPlaceFilePath());
  places.LoadPlaceNames();
  const PlaceNamer namer = [&places](const std::string& coordinate) {
    return places.LookupPlaceName(coordinate);
  };

  if (context.Json() && !output) {
    QJsonObject document;
    document["trips"] = TripsJson(trips, namer);
    context.PrintJson(document);
    return kExitDone;
  }
  std::vector<int32_t> leftOut;
  if (output) {
    const TripExportResult written =
        WriteTripExport(std::filesystem::u8path(*output), *format, trips, namer);
    if (!written.ok) return context.Fail(kExitFile, Tr(written.problem));
    leftOut = written.leftOut;
    const size_t count = trips.size() - leftOut.size();
    if (context.Json()) {
      QJsonObject document;
      document["file"] = QString::fromStdString(*output);
      document["format"] = QString::fromLatin1(TripExportFormatName(*format).data(),
                                               static_cast<int>(TripExportFormatName(*format).size()));
      document["written"] = static_cast<int>(count);
      QJsonArray left;
      for (int32_t index : leftOut) left.append(index);
      document["left_out"] = left;
      context.PrintJson(document);
    }
    context.Note(Tr(QT_TRANSLATE_NOOP("wr::cli", "Wrote %1 trips to %2"), {std::to_string(count), *output}));
  } else {
    TripExportText text;
    switch (*format) {
      case TripExportFormat::kGpx: text = TripsToGpx(trips, namer); break;
      case TripExportFormat::kKml: text = TripsToKml(trips, namer); break;
      default: text = TripsToCsv(trips, namer); break;
    }
    context.Print(text.content);
    leftOut = text.leftOut;
  }
  if (!leftOut.empty())
    context.Note(Tr(QT_TRANSLATE_NOOP("wr::cli", "Left out (their positions do not read as latitude and "
                                                 "longitude): trips %1"),
                    {LeftOutText(leftOut)}));
  return kExitDone;
}

int RunTripsDelete(CliContext& context, const ParsedArguments& arguments) {
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  if (!arguments.Has("yes")) {
    const std::optional<bool> yes =
        context.Ask(Tr(QT_TRANSLATE_NOOP("wr::cli", "Delete every trip logged by the unit %1?"),
                       {session->Model().DeviceId()}));
    if (StopRequested() || context.Interrupted()) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")));
    if (!yes) return context.Fail(kExitUsage, Tr(QT_TRANSLATE_NOOP("wr::cli", "deleting the trips needs --yes when no one can answer the question")));
    if (!*yes) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "cancelled; nothing was deleted")));
  }
  RunOperation(*MakeDeleteTrips(*session));
  // The log is read again, so that what is reported is what the unit holds.
  FetchTripsOperation fetch(*session, kListingMs);
  RunOperation(fetch);
  const UnitSession::Outcome& listed = fetch.Result();
  if (StopRequested()) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")));
  if (!listed.done) return context.Fail(session->IsConnected() ? kExitUnit : kExitNoUnit,
                                        ToBytes(listed.message));
  const size_t left = session->Model().Trips().size();
  if (left != 0)
    return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit still lists %1 trips"),
                                      {std::to_string(left)}));
  if (context.Json()) {
    QJsonObject document;
    document["result"] = "ok";
    context.PrintJson(document);
  } else {
    context.Print(Tr(QT_TRANSLATE_NOOP("wr::cli", "Deleted every trip; the unit lists none.")) + "\n");
  }
  return kExitDone;
}

}  // namespace

Command TripsCommand() {
  Command command;
  command.words = "trips";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "the trip log with place names (default csv to standard output)");
  command.help =
      QT_TRANSLATE_NOOP("wr::cli", "Formats: csv (RFC 4180, a heading row), gpx (GPX 1.1, one track per trip), kml (KML "
      "2.2, one placemark per trip with named start and end points) and xlsx (needs -o). "
      "Without --format the extension of -o chooses, else csv; a --format that another "
      "format's extension contradicts is refused. Place names come from the same "
      "place file the window uses. The unit's dates and times are taken as UTC.");
  command.options = {
      {"format", 'f', "csv|gpx|kml|xlsx", QT_TRANSLATE_NOOP("wr::cli", "the export format")},
      {"output", 'o', "FILE", QT_TRANSLATE_NOOP("wr::cli", "write to FILE (whole or not at all) instead of standard output")}};
  command.run = RunTrips;
  return command;
}

Command TripsDeleteCommand() {
  Command command;
  command.words = "trips delete";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "delete every trip the unit has logged");
  command.options = {YesOption(QT_TRANSLATE_NOOP("wr::cli", "delete without asking"))};
  command.run = RunTripsDelete;
  return command;
}

}  // namespace wr::cli
