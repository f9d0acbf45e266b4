// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The xlsx workbook: the trips with typed cells, for spreadsheet programs.
#include "export/trip_export.h"

#ifdef WR_HAVE_XLSXWRITER
#include <xlsxwriter.h>

#include "export/export_text.h"
#include "export/trip_fields.h"
#include "files/output_file.h"
#endif

namespace wr {

#ifndef WR_HAVE_XLSXWRITER

TripExportResult WriteTripsXlsx(const std::filesystem::path&, const std::vector<TripRecord>&,
                                const PlaceNamer&) {
  TripExportResult result;
  result.problem =
      Message::Of(WR_TRANSLATE_NOOP("wr::Core", "This build of Wayrunner Track cannot write xlsx files."));
  result.error = result.problem.English();
  return result;
}

#else

namespace {

struct Column {
  const char* heading;
  double width;
};
// Units in the headings, since the cells hold bare numbers.
constexpr Column kColumns[] = {
    {"Index", 7},
    {"Date", 11},
    {"Start time", 10},
    {"End time", 10},
    {"Start latitude (\xC2\xB0)", 16},
    {"Start longitude (\xC2\xB0)", 17},
    {"End latitude (\xC2\xB0)", 15},
    {"End longitude (\xC2\xB0)", 16},
    {"Start place", 24},
    {"End place", 24},
    {"Max speed (km/h)", 17},
    {"Distance (km)", 13},
};
constexpr lxw_col_t kColumnCount = sizeof kColumns / sizeof kColumns[0];

// Cell writer that keeps the first failure and its place.
class Sheet {
 public:
  explicit Sheet(lxw_worksheet* sheet) : sheet_(sheet) {}

  void Text(lxw_row_t row, lxw_col_t col, const std::string& bytes, lxw_format* format = nullptr) {
    if (bytes.empty()) return;  // an empty cell, not an empty string
    // Always a string cell: a name beginning with '=' stays a name.
    Check(worksheet_write_string(sheet_, row, col, ToUtf8(bytes).c_str(), format), row, col);
  }
  void Number(lxw_row_t row, lxw_col_t col, double value, lxw_format* format) {
    Check(worksheet_write_number(sheet_, row, col, value, format), row, col);
  }
  // The text as a number when it reads as one, else as text.
  void NumberOrText(lxw_row_t row, lxw_col_t col, const std::string& text, lxw_format* format) {
    if (const auto d = ParseDecimal(text))
      Number(row, col, d->value, format);
    else
      Text(row, col, text);
  }
  void Date(lxw_row_t row, lxw_col_t col, const std::string& text, lxw_format* format) {
    const auto date = ParseUnitDate(text);
    if (!date || date->year < 1900 || date->year > 9999) return Text(row, col, text);
    lxw_datetime value = {date->year, date->month, date->day, 0, 0, 0};
    Check(worksheet_write_datetime(sheet_, row, col, &value, format), row, col);
  }
  void Time(lxw_row_t row, lxw_col_t col, const std::string& text, lxw_format* format) {
    const auto time = ParseUnitTime(text);
    if (!time) return Text(row, col, text);
    // A time of day is a fraction of a day to a spreadsheet.
    Number(row, col, (time->hour * 3600 + time->minute * 60 + time->second) / 86400.0, format);
  }
  void Check(lxw_error error, lxw_row_t row, lxw_col_t col) {
    if (error == LXW_NO_ERROR || failure_ != LXW_NO_ERROR) return;
    failure_ = error;
    char cell[16];
    lxw_rowcol_to_cell(cell, row, col);
    failedCell_ = cell;
  }

  lxw_error failure_ = LXW_NO_ERROR;
  std::string failedCell_;

 private:
  lxw_worksheet* sheet_;
};

}  // namespace

TripExportResult WriteTripsXlsx(const std::filesystem::path& file,
                                const std::vector<TripRecord>& trips, const PlaceNamer& namer) {
  TripExportResult result;
  const auto fail = [&result](Message problem) {
    result.ok = false;
    result.error = problem.English();
    result.problem = std::move(problem);
    return result;
  };
  // The reasons of libxlsxwriter, in English like the system's.
  const auto notWritten = [&file](Message reason) {
    return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "The file \"%1\" could not be written: %2."),
                       {Message::Plain(file.string()), std::move(reason)});
  };
  FileReplacement replacement(file, FileAccess::kOrdinary);
  Message problem;
  if (!replacement.Create(problem)) return fail(problem);

  lxw_workbook* book = workbook_new(replacement.TempPath().string().c_str());
  if (!book) {
    return fail(notWritten(Message::Of(WR_TRANSLATE_NOOP("wr::Core", "out of memory"))));
  }
  lxw_worksheet* ws = workbook_add_worksheet(book, "Trips");
  lxw_format* heading = workbook_add_format(book);
  format_set_bold(heading);
  lxw_format* dateFormat = workbook_add_format(book);
  format_set_num_format(dateFormat, "yyyy-mm-dd");
  lxw_format* timeFormat = workbook_add_format(book);
  format_set_num_format(timeFormat, "hh:mm:ss");
  lxw_format* degrees = workbook_add_format(book);
  format_set_num_format(degrees, "0.000000");

  Sheet sheet(ws);
  if (!ws) sheet.Check(LXW_ERROR_MEMORY_MALLOC_FAILED, 0, 0);
  if (ws) {
    for (lxw_col_t c = 0; c < kColumnCount; ++c) {
      sheet.Check(worksheet_write_string(ws, 0, c, kColumns[c].heading, heading), 0, c);
      sheet.Check(worksheet_set_column(ws, c, c, kColumns[c].width, nullptr), 0, c);
    }
    worksheet_freeze_panes(ws, 1, 0);
    lxw_row_t row = 1;
    for (const TripRecord& t : trips) {
      const std::string startCoordinate = t.StartCoordinate();
      const std::string endCoordinate = t.EndCoordinate();
      sheet.Number(row, 0, t.index, nullptr);
      sheet.Date(row, 1, t.date, dateFormat);
      sheet.Time(row, 2, t.startTime, timeFormat);
      sheet.Time(row, 3, t.endTime, timeFormat);
      sheet.NumberOrText(row, 4, t.startLat, degrees);
      sheet.NumberOrText(row, 5, t.startLon, degrees);
      sheet.NumberOrText(row, 6, t.endLat, degrees);
      sheet.NumberOrText(row, 7, t.endLon, degrees);
      sheet.Text(row, 8, NamedPlace(namer, startCoordinate));
      sheet.Text(row, 9, NamedPlace(namer, endCoordinate));
      sheet.NumberOrText(row, 10, t.maxSpeedKmh, nullptr);
      sheet.NumberOrText(row, 11, t.distanceKm, nullptr);
      if (sheet.failure_ != LXW_NO_ERROR) break;
      ++row;
    }
    if (sheet.failure_ == LXW_NO_ERROR && row > 1)
      sheet.Check(worksheet_autofilter(ws, 0, 0, row - 1, kColumnCount - 1), 0, 0);
  }

  // Closing writes the file; it also frees the workbook, so it runs even
  // after a failed cell, whose file is then discarded.
  const lxw_error closed = workbook_close(book);
  if (sheet.failure_ != LXW_NO_ERROR) {
    return fail(notWritten(Message::Of(WR_TRANSLATE_NOOP("wr::Core", "cell %1: %2"),
                                       {Message::Plain(sheet.failedCell_),
                                        Message::Plain(lxw_strerror(sheet.failure_))})));
  }
  if (closed != LXW_NO_ERROR) {
    return fail(notWritten(Message::Plain(lxw_strerror(closed))));
  }
  if (!replacement.Commit(problem)) return fail(problem);
  result.ok = true;
  return result;
}

#endif

}  // namespace wr
