// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The trip list written as a file for other programs: CSV for anything that
// reads tables, GPX and KML for maps and GPS software, xlsx for spreadsheets.
// The window and the command-line tool both export through these functions.
//
// Every export takes the trips in the order given and a PlaceNamer for the
// place-name columns and labels. Texts are the unit's as received; numbers,
// dates and times are converted only where the format has a type or a
// standard form for them (GPX and KML positions and times, xlsx cells, the
// CSV's ISO dates and plain numbers), and a text that does not
// read as one stays text or is left out, never guessed.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/message.h"
#include "protocol/trip_record.h"

namespace wr {

// Names a trip position. Called with a coordinate text as the unit wrote it
// ("-33.924870,18.424055"), it returns the name of the place there. An empty
// result, or the coordinate text itself (what PlaceStore::LookupPlaceName
// returns when no place is near), means no place is named there; so a
// store's lookup can be passed as it is. An empty function names nothing.
using PlaceNamer = std::function<std::string(const std::string& coordinate)>;

enum class TripExportFormat { kCsv, kGpx, kKml, kXlsx };

// The format of a name given by the user: "csv", "gpx", "kml" or "xlsx", in
// any letter case, with or without a leading dot. Nothing for another name.
std::optional<TripExportFormat> TripExportFormatFromName(std::string_view name);
// The format a file name's extension stands for ("trips.GPX"); nothing when
// the name has no extension or another one.
std::optional<TripExportFormat> TripExportFormatFromPath(const std::filesystem::path& file);
// The format's name, which is also its file name extension without the dot.
std::string_view TripExportFormatName(TripExportFormat format);
// Every format's name joined by '|' ("csv|gpx|kml|xlsx"), for usage texts.
std::string TripExportFormatNames();
// Whether this build writes the format: xlsx needs libxlsxwriter.
bool TripExportFormatAvailable(TripExportFormat format);

// A text format's bytes, and the trips that are not in them.
struct TripExportText {
  std::string content;
  // Indexes of the trips left out, in input order: GPX and KML leave out a
  // trip whose start or end position does not read as a latitude and
  // longitude, since they can draw no line for it. CSV leaves out nothing.
  std::vector<int32_t> leftOut;
};

// RFC 4180 CSV in UTF-8 with CRLF line ends, for programs: a heading row
// index, date, start_time, end_time, start_latitude, start_longitude,
// end_latitude, end_longitude, start_place, end_place, max_speed_kmh,
// distance_km. Dates are ISO 8601 ("2026-03-18"; see ParseUnitDate for the
// two-digit year), times "07:45:10", positions in degrees and the speed and
// distance as plain numbers; a value that does not read as its type is the
// unit's text as received. A place column is empty where no place is named.
TripExportText TripsToCsv(const std::vector<TripRecord>& trips, const PlaceNamer& namer);

// GPX 1.1: one track per trip with one segment of two points, start and end,
// each with its time when known (see TripUtcTimes in export/trip_fields.h)
// and its place name when one is named.
TripExportText TripsToGpx(const std::vector<TripRecord>& trips, const PlaceNamer& namer);

// KML 2.2: one folder per trip holding a placemark with the trip's line from
// start to end (with its time span when known) and a point placemark each
// for the start and the end, named by place name or else by coordinate text.
TripExportText TripsToKml(const std::vector<TripRecord>& trips, const PlaceNamer& namer);

// The outcome of writing an export file.
struct TripExportResult {
  bool ok = false;
  std::string error;              // for the user when !ok, in English; the file is then unchanged
  Message problem;                // the same, to be shown in the user's language
  std::vector<int32_t> leftOut;   // as in TripExportText
};

// An xlsx workbook with one sheet "Trips": index; date as a date; start and
// end as times of day; start and end latitude and longitude as numbers
// (degrees); start and end place; maximum speed (km/h) and distance (km) as
// numbers. A value that does not read as its type is written as text, and
// every text is written as a string cell, never as a formula. Fails without
// libxlsxwriter.
TripExportResult WriteTripsXlsx(const std::filesystem::path& file,
                                const std::vector<TripRecord>& trips, const PlaceNamer& namer);

// Writes the trips to file in the given format. The file appears only when
// complete: it is written under a temporary name beside it and renamed, so
// a failure leaves any earlier file of that name as it was.
TripExportResult WriteTripExport(const std::filesystem::path& file, TripExportFormat format,
                                 const std::vector<TripRecord>& trips, const PlaceNamer& namer);

// The name of the place at coordinate by namer's rule above; empty when none.
std::string NamedPlace(const PlaceNamer& namer, const std::string& coordinate);

}  // namespace wr
