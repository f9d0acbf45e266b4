// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/trip_export.h"

#include "export/export_text.h"
#include "export/trip_fields.h"
#include "files/output_file.h"

namespace wr {
namespace {

struct FormatName {
  TripExportFormat format;
  std::string_view name;
};
constexpr FormatName kFormats[] = {{TripExportFormat::kCsv, "csv"},
                                   {TripExportFormat::kGpx, "gpx"},
                                   {TripExportFormat::kKml, "kml"},
                                   {TripExportFormat::kXlsx, "xlsx"}};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != b[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<TripExportFormat> TripExportFormatFromName(std::string_view name) {
  if (!name.empty() && name.front() == '.') name.remove_prefix(1);
  for (const FormatName& f : kFormats)
    if (SameIgnoringCase(name, f.name)) return f.format;
  return std::nullopt;
}

std::optional<TripExportFormat> TripExportFormatFromPath(const std::filesystem::path& file) {
  const std::string extension = file.extension().string();
  if (extension.size() < 2) return std::nullopt;  // none, or a lone dot
  return TripExportFormatFromName(extension);
}

std::string_view TripExportFormatName(TripExportFormat format) {
  for (const FormatName& f : kFormats)
    if (f.format == format) return f.name;
  return {};
}

std::string TripExportFormatNames() {
  std::string names;
  for (const FormatName& f : kFormats) {
    if (!names.empty()) names += '|';
    names += f.name;
  }
  return names;
}

bool TripExportFormatAvailable(TripExportFormat format) {
#ifdef WR_HAVE_XLSXWRITER
  (void)format;
  return true;
#else
  return format != TripExportFormat::kXlsx;
#endif
}

std::string NamedPlace(const PlaceNamer& namer, const std::string& coordinate) {
  if (!namer) return {};
  std::string name = namer(coordinate);
  if (name == coordinate) return {};
  return name;
}

TripExportText TripsToCsv(const std::vector<TripRecord>& trips, const PlaceNamer& namer) {
  // Each value in the form programs read, or the unit's text when it does
  // not read as one.
  auto date = [](const std::string& text) {
    const auto d = ParseUnitDate(text);
    return d ? IsoDateText(*d) : text;
  };
  auto time = [](const std::string& text) {
    const auto t = ParseUnitTime(text);
    return t ? IsoTimeText(*t) : text;
  };
  auto number = [](const std::string& text) {
    const auto d = ParseDecimal(text);
    return d ? d->text : text;
  };
  TripExportText out;
  out.content =
      "index,date,start_time,end_time,start_latitude,start_longitude,end_latitude,end_longitude,"
      "start_place,end_place,max_speed_kmh,distance_km\r\n";
  for (const TripRecord& trip : trips) {
    const std::string fields[] = {std::to_string(trip.index), date(trip.date),
                                  time(trip.startTime), time(trip.endTime),
                                  number(trip.startLat), number(trip.startLon),
                                  number(trip.endLat), number(trip.endLon),
                                  NamedPlace(namer, trip.StartCoordinate()),
                                  NamedPlace(namer, trip.EndCoordinate()),
                                  number(trip.maxSpeedKmh), number(trip.distanceKm)};
    bool first = true;
    for (const std::string& field : fields) {
      if (!first) out.content += ',';
      first = false;
      out.content += CsvField(field);
    }
    out.content += "\r\n";
  }
  return out;
}

TripExportResult WriteTripExport(const std::filesystem::path& file, TripExportFormat format,
                                 const std::vector<TripRecord>& trips, const PlaceNamer& namer) {
  TripExportText text;
  switch (format) {
    case TripExportFormat::kXlsx: return WriteTripsXlsx(file, trips, namer);
    case TripExportFormat::kCsv: text = TripsToCsv(trips, namer); break;
    case TripExportFormat::kGpx: text = TripsToGpx(trips, namer); break;
    case TripExportFormat::kKml: text = TripsToKml(trips, namer); break;
  }
  TripExportResult result;
  result.ok = WriteFileReplacing(file, text.content, FileAccess::kOrdinary, result.problem);
  if (!result.ok) result.error = result.problem.English();
  result.leftOut = std::move(text.leftOut);
  return result;
}

}  // namespace wr
