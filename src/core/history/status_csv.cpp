// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/status_csv.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "files/output_file.h"

namespace wr {
namespace {

constexpr StatusSeries kColumns[] = {StatusSeries::kSupplyVolts, StatusSeries::kBatteryVolts,
                                     StatusSeries::kSignalDbm, StatusSeries::kSpeedKmh};

// The shortest text that reads back as the same single-precision number,
// without the locale's decimal comma.
std::string Number(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

void AppendField(std::string& line, const std::string& field) {
  line += ',';
  line += field;
}

// Days since 1970-01-01 as a civil date in the proleptic Gregorian calendar.
void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = doy - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = static_cast<int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
}

}  // namespace

std::string IsoUtcSeconds(int64_t timeMs) {
  int64_t seconds = timeMs / 1000;
  if (timeMs % 1000 < 0) --seconds;
  int64_t days = seconds / 86400;
  int64_t ofDay = seconds % 86400;
  if (ofDay < 0) {
    ofDay += 86400;
    --days;
  }
  int64_t year = 0;
  unsigned month = 0, day = 0;
  CivilFromDays(days, year, month, day);
  char text[64];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02d:%02d:%02dZ",
                static_cast<long long>(year), month, day, static_cast<int>(ofDay / 3600),
                static_cast<int>(ofDay / 60 % 60), static_cast<int>(ofDay % 60));
  return text;
}

std::string StatusHistoryCsv(const StatusHistory& history) {
  std::string out =
      "Time,Supply (V),Backup battery (V),Signal (dBm),Speed (km/h),Readings,"
      "Supply min (V),Supply max (V),Backup battery min (V),Backup battery max (V),"
      "Signal min (dBm),Signal max (dBm),Speed min (km/h),Speed max (km/h)\r\n";
  for (const StatusRow& row : history.Rows()) {
    std::string line = IsoUtcSeconds(row.timeMs);
    for (StatusSeries s : kColumns) {
      const SeriesSummary& v = row.Of(s);
      AppendField(line, v.count ? Number(v.mean) : std::string());
    }
    AppendField(line, std::to_string(row.readings));
    for (StatusSeries s : kColumns) {
      const SeriesSummary& v = row.Of(s);
      AppendField(line, v.count ? Number(v.min) : std::string());
      AppendField(line, v.count ? Number(v.max) : std::string());
    }
    out += line;
    out += "\r\n";
  }
  return out;
}

bool WriteStatusHistoryCsv(const StatusHistory& history, const std::filesystem::path& file,
                           Message& error) {
  return WriteFileReplacing(file, StatusHistoryCsv(history), FileAccess::kOrdinary, error);
}

bool WriteStatusHistoryCsv(const StatusHistory& history, const std::filesystem::path& file,
                           std::string& error) {
  Message message;
  return InEnglish(WriteStatusHistoryCsv(history, file, message), message, error);
}

}  // namespace wr
