// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Copying the trip list into a new worksheet of a spreadsheet program, one
// cell at a time through its object model.
#include <string>
#include <vector>

#include "ui/spreadsheet_automation.h"

namespace wr {

inline constexpr char kSpreadsheetProgId[] = "Excel.Application";
inline constexpr char kTripSheetName[] = "Wayrunner Trips";
// Shown for any failure of the export, whatever the step.
inline constexpr char kExportFailureMessage[] =
    "Error exporting to Excel\nPlease make sure Excel is installed on your PC";

// rows[r][c] goes to worksheet cell (r + 1, c + 1); row 0 holds the headings,
// which are made bold in columns 1 to `columns`. The first column's texts, and
// any text that begins with "=", "+", "-" or "@", get a leading apostrophe so
// the program keeps them as text rather than read a formula into them. Every reference is
// released, also after a failure; false when any step failed.
bool ExportTripsToSpreadsheet(SpreadsheetAutomation& program,
                              const std::vector<std::vector<std::string>>& rows, int columns);

}  // namespace wr
