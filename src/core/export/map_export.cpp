// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// GPX and KML: the trips as lines from start to end for maps and GPS software.
#include <optional>

#include "export/export_text.h"
#include "export/trip_export.h"
#include "export/trip_fields.h"
#include "version.h"

namespace wr {
namespace {

// What both formats show of one trip whose positions read.
struct MapTrip {
  const TripRecord* trip = nullptr;
  Position start, end;
  std::string startLabel, endLabel;  // place name, else the coordinate text
  std::string startName, endName;    // place name or empty
  TripTimes times;
};

std::string Label(const std::string& name, const std::string& coordinate) {
  return name.empty() ? coordinate : name;
}

// Trips whose positions read, in order; the others go to leftOut.
std::vector<MapTrip> MapTrips(const std::vector<TripRecord>& trips, const PlaceNamer& namer,
                              std::vector<int32_t>& leftOut) {
  std::vector<MapTrip> out;
  out.reserve(trips.size());
  for (const TripRecord& trip : trips) {
    auto start = ParsePosition(trip.startLat, trip.startLon);
    auto end = ParsePosition(trip.endLat, trip.endLon);
    if (!start || !end) {
      leftOut.push_back(trip.index);
      continue;
    }
    MapTrip m;
    m.trip = &trip;
    m.start = std::move(*start);
    m.end = std::move(*end);
    const std::string startCoordinate = trip.StartCoordinate();
    const std::string endCoordinate = trip.EndCoordinate();
    m.startName = NamedPlace(namer, startCoordinate);
    m.endName = NamedPlace(namer, endCoordinate);
    m.startLabel = Label(m.startName, startCoordinate);
    m.endLabel = Label(m.endName, endCoordinate);
    m.times = TripUtcTimes(trip);
    out.push_back(std::move(m));
  }
  return out;
}

// "Trip 3: Home to Work", not yet escaped.
std::string TripTitle(const MapTrip& m) {
  return "Trip " + std::to_string(m.trip->index) + ": " + m.startLabel + " to " + m.endLabel;
}

// "18/03/26 07:45:10 to 08:02:30, 12.3 km, maximum speed 87 km/h", from
// whatever the unit wrote; not yet escaped.
std::string TripSummary(const TripRecord& t) {
  std::string when = t.date;
  if (!t.startTime.empty() || !t.endTime.empty()) {
    if (!when.empty()) when += ' ';
    when += t.startTime + " to " + t.endTime;
  }
  std::string summary = when;
  auto add = [&summary](const std::string& part) {
    if (!summary.empty()) summary += ", ";
    summary += part;
  };
  if (!t.distanceKm.empty()) add(t.distanceKm + " km");
  if (!t.maxSpeedKmh.empty()) add("maximum speed " + t.maxSpeedKmh + " km/h");
  return summary;
}

const std::string kCollectionName = "Wayrunner Track trips";

void GpxPoint(std::string& out, const Position& p, const std::string& time, const std::string& name) {
  out += "      <trkpt lat=\"" + p.lat.text + "\" lon=\"" + p.lon.text + "\">\n";
  if (!time.empty()) out += "        <time>" + time + "</time>\n";
  if (!name.empty()) out += "        <name>" + XmlText(name) + "</name>\n";
  out += "      </trkpt>\n";
}

std::string KmlCoordinate(const Position& p) { return p.lon.text + "," + p.lat.text; }

void KmlPoint(std::string& out, const std::string& label, const std::string& description,
              const std::string& time, const Position& p) {
  out += "      <Placemark>\n";
  out += "        <name>" + XmlText(label) + "</name>\n";
  out += "        <description>" + XmlText(description) + "</description>\n";
  if (!time.empty()) out += "        <TimeStamp><when>" + time + "</when></TimeStamp>\n";
  out += "        <Point><coordinates>" + KmlCoordinate(p) + "</coordinates></Point>\n";
  out += "      </Placemark>\n";
}

}  // namespace

TripExportText TripsToGpx(const std::vector<TripRecord>& trips, const PlaceNamer& namer) {
  TripExportText out;
  std::string& x = out.content;
  x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Wayrunner Track " + XmlText(kVersion) + "\"\n"
      "     xmlns=\"http://www.topografix.com/GPX/1/1\"\n"
      "     xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
      "     xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
      "http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
      "  <metadata>\n"
      "    <name>" + kCollectionName + "</name>\n"
      "  </metadata>\n";
  for (const MapTrip& m : MapTrips(trips, namer, out.leftOut)) {
    x += "  <trk>\n";
    x += "    <name>" + XmlText(TripTitle(m)) + "</name>\n";
    if (const std::string summary = TripSummary(*m.trip); !summary.empty())
      x += "    <desc>" + XmlText(summary) + "</desc>\n";
    x += "    <number>" + std::to_string(m.trip->index) + "</number>\n";
    x += "    <trkseg>\n";
    GpxPoint(x, m.start, m.times.start, m.startName);
    GpxPoint(x, m.end, m.times.end, m.endName);
    x += "    </trkseg>\n";
    x += "  </trk>\n";
  }
  x += "</gpx>\n";
  return out;
}

TripExportText TripsToKml(const std::vector<TripRecord>& trips, const PlaceNamer& namer) {
  TripExportText out;
  std::string& x = out.content;
  x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
      "  <Document>\n"
      "    <name>" + kCollectionName + "</name>\n";
  for (const MapTrip& m : MapTrips(trips, namer, out.leftOut)) {
    const std::string title = XmlText(TripTitle(m));
    const std::string index = std::to_string(m.trip->index);
    x += "    <Folder>\n";
    x += "      <name>" + title + "</name>\n";
    x += "      <Placemark>\n";
    x += "        <name>" + title + "</name>\n";
    if (const std::string summary = TripSummary(*m.trip); !summary.empty())
      x += "        <description>" + XmlText(summary) + "</description>\n";
    if (!m.times.start.empty()) {
      x += "        <TimeSpan><begin>" + m.times.start + "</begin>";
      if (!m.times.end.empty()) x += "<end>" + m.times.end + "</end>";
      x += "</TimeSpan>\n";
    }
    x += "        <LineString>\n";
    x += "          <tessellate>1</tessellate>\n";
    x += "          <coordinates>" + KmlCoordinate(m.start) + " " + KmlCoordinate(m.end) +
         "</coordinates>\n";
    x += "        </LineString>\n";
    x += "      </Placemark>\n";
    KmlPoint(x, m.startLabel, "Start of trip " + index, m.times.start, m.start);
    KmlPoint(x, m.endLabel, "End of trip " + index, m.times.end, m.end);
    x += "    </Folder>\n";
  }
  x += "  </Document>\n";
  x += "</kml>\n";
  return out;
}

}  // namespace wr
