// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/spreadsheet_export.h"

#include <array>
#include <utility>

namespace wr {
namespace {

// Widths of some columns, set through a cell of the heading row.
const std::pair<int, const char*> kColumnWidths[] = {
    {1, "15"}, {4, "25"}, {5, "25"}, {6, "10"}, {7, "10"}};

// What goes into a cell: the first column, and any text the program would
// take for a formula ("=", "+", "-", "@" first: a place name is typed by a
// user, a coordinate comes from the unit), with the leading apostrophe that
// makes the program keep it as the text it is.
std::string AsText(int column, const std::string& text) {
  const bool formulaLike = !text.empty() && (text[0] == '=' || text[0] == '+' || text[0] == '-' ||
                                             text[0] == '@');
  return column == 0 || formulaLike ? "'" + text : text;
}

// A cell collection, cell or font: released as soon as it has been used.
class Temporary {
 public:
  Temporary(SpreadsheetAutomation& program, AutomationRef ref) : program_(program), ref_(ref) {}
  ~Temporary() {
    if (ref_) program_.Release(ref_);
  }
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;
  AutomationRef get() const { return ref_; }
  explicit operator bool() const { return ref_ != 0; }

 private:
  SpreadsheetAutomation& program_;
  AutomationRef ref_;
};

class Export {
 public:
  explicit Export(SpreadsheetAutomation& program) : program_(program) {}

  bool Run(const std::vector<std::vector<std::string>>& rows, int columns) {
    AutomationRef& app = held_[kApp];
    if (!(app = program_.CreateObject(kSpreadsheetProgId))) return false;
    if (!program_.Put(app, "Visible", true)) return false;
    if (!(held_[kBooks] = program_.Get(app, "Workbooks", {}))) return false;
    if (!program_.Call(held_[kBooks], "Add", {})) return false;
    if (!(held_[kBook] = program_.Get(held_[kBooks], "Item", {std::int32_t{1}}))) return false;
    if (!(held_[kSheets] = program_.Get(held_[kBook], "WorkSheets", {}))) return false;
    if (!program_.Call(held_[kSheets], "Add", {})) return false;
    if (!(held_[kSheet] = program_.Get(held_[kSheets], "Item", {std::int32_t{1}}))) return false;
    const AutomationRef sheet = held_[kSheet];
    if (!program_.Put(sheet, "Name", std::string(kTripSheetName))) return false;

    for (int column = 1; column <= columns; ++column) {
      Temporary cells(program_, program_.Get(sheet, "Cells", {}));
      if (!cells) return false;
      Temporary cell(program_, program_.Get(cells.get(), "Item", {std::int32_t{1}, column}));
      if (!cell) return false;
      Temporary font(program_, program_.Get(cell.get(), "Font", {}));
      if (!font || !program_.Put(font.get(), "Bold", true)) return false;
    }
    for (const auto& [column, width] : kColumnWidths) {
      Temporary cells(program_, program_.Get(sheet, "Cells", {}));
      if (!cells) return false;
      Temporary cell(program_, program_.Get(cells.get(), "Item", {std::int32_t{1}, column}));
      if (!cell || !program_.Put(cell.get(), "ColumnWidth", std::string(width))) return false;
    }
    for (size_t r = 0; r < rows.size(); ++r) {
      for (int c = 0; c < columns; ++c) {
        const std::string text =
            static_cast<size_t>(c) < rows[r].size() ? rows[r][static_cast<size_t>(c)] : std::string();
        Temporary cells(program_, program_.Get(sheet, "Cells", {}));
        if (!cells) return false;
        Temporary cell(program_, program_.Get(cells.get(), "Item",
                                              {static_cast<std::int32_t>(r + 1), c + 1}));
        if (!cell || !program_.Put(cell.get(), "Value", AsText(c, text))) return false;
      }
    }
    return true;
  }

  // Worksheet first, application last.
  bool ReleaseHeld() {
    bool ok = true;
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) {
      if (*it && !program_.Release(*it)) ok = false;
      *it = 0;
    }
    return ok;
  }

 private:
  enum { kApp, kBooks, kBook, kSheets, kSheet, kHeldCount };
  SpreadsheetAutomation& program_;
  std::array<AutomationRef, kHeldCount> held_{};
};

}  // namespace

bool ExportTripsToSpreadsheet(SpreadsheetAutomation& program,
                              const std::vector<std::vector<std::string>>& rows, int columns) {
  Export run(program);
  const bool done = run.Run(rows, columns);
  const bool released = run.ReleaseHeld();
  return done && released;
}

}  // namespace wr
