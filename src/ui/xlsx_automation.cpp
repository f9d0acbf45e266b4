// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/xlsx_automation.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <cctype>
#include <cmath>

#ifdef WR_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

#include "ui/prompts.h"
#include "ui/desktop_shell.h"

namespace wr {
namespace {

// The largest sheet the file format holds.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;
constexpr double kMaxColumnWidth = 255;
constexpr int kMaxSheetName = 31;

bool Is(const std::string& member, const char* name) {
  size_t i = 0;
  for (; i < member.size() && name[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(member[i])) !=
        std::tolower(static_cast<unsigned char>(name[i])))
      return false;
  return i == member.size() && !name[i];
}

bool AsInt(const AutomationValue& value, int& out) {
  if (const auto* i = std::get_if<std::int32_t>(&value)) {
    out = *i;
    return true;
  }
  return false;
}

bool AsBool(const AutomationValue& value, bool& out) {
  if (const auto* b = std::get_if<bool>(&value)) {
    out = *b;
    return true;
  }
  if (const auto* i = std::get_if<std::int32_t>(&value)) {
    out = *i != 0;
    return true;
  }
  return false;
}

// A width given as a number or as the text of one.
bool AsWidth(const AutomationValue& value, double& out) {
  if (const auto* i = std::get_if<std::int32_t>(&value)) {
    out = *i;
  } else if (const auto* s = std::get_if<std::string>(&value)) {
    bool ok = false;
    out = QString::fromLatin1(s->data(), static_cast<int>(s->size())).trimmed().toDouble(&ok);
    if (!ok) return false;
  } else {
    return false;
  }
  return out >= 0 && out <= kMaxColumnWidth;
}

std::string AsText(const AutomationValue& value) {
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  if (const auto* i = std::get_if<std::int32_t>(&value)) return std::to_string(*i);
  return std::get<bool>(value) ? "TRUE" : "FALSE";
}

// The tool's texts are 8-bit in the system's code page; the file holds UTF-8.
QString FromBytes(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

bool ValidSheetName(const QString& name) {
  static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\]"));
  return !name.isEmpty() && name.size() <= kMaxSheetName && !name.contains(forbidden) &&
         !name.startsWith(QLatin1Char('\'')) && !name.endsWith(QLatin1Char('\''));
}

// What the spreadsheet program makes of an entered value: a leading
// apostrophe forces text and is not part of it; a plain decimal number
// becomes a number; anything else stays text.
struct CellContent {
  bool isNumber = false;
  double number = 0;
  QString text;
};

CellContent Interpret(const std::string& value) {
  CellContent content;
  if (!value.empty() && value[0] == '\'') {
    content.text = FromBytes(value.substr(1));
    return content;
  }
  content.text = FromBytes(value);
  static const QRegularExpression number(
      QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
  if (number.match(content.text).hasMatch()) {
    bool ok = false;
    const double parsed = content.text.toDouble(&ok);
    if (ok && std::isfinite(parsed)) {
      content.isNumber = true;
      content.number = parsed;
    }
  }
  return content;
}

}  // namespace

XlsxAutomation::XlsxAutomation(Prompts& prompts, DesktopShell& shell, QString folder)
    : prompts_(prompts), shell_(shell), folder_(std::move(folder)) {}

QString XlsxAutomation::DefaultFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::tempPath();
}

bool XlsxAutomation::Available() {
#ifdef WR_HAVE_XLSXWRITER
  return true;
#else
  return false;
#endif
}

AutomationRef XlsxAutomation::Hold(Object object) {
  const AutomationRef ref = nextRef_++;
  objects_.emplace(ref, object);
  return ref;
}

XlsxAutomation::Sheet* XlsxAutomation::FindSheet(const Object& object) {
  if (object.book >= books_.size()) return nullptr;
  for (Sheet& sheet : books_[object.book].sheets)
    if (sheet.id == object.sheet) return &sheet;
  return nullptr;  // deleted meanwhile
}

XlsxAutomation::Sheet& XlsxAutomation::AddSheet(Book& book, size_t at) {
  Sheet sheet;
  sheet.id = nextSheetId_++;
  sheet.name = "Sheet" + std::to_string(++book.sheetsMade);
  return *book.sheets.insert(book.sheets.begin() + static_cast<long>(at), std::move(sheet));
}

AutomationRef XlsxAutomation::CreateObject(const std::string&) {
  if (!Available()) return 0;
  return Hold({Kind::kApplication});
}

AutomationRef XlsxAutomation::Get(AutomationRef ref, const std::string& member,
                                  const AutomationArgs& args) {
  const auto found = objects_.find(ref);
  if (found == objects_.end()) return 0;
  const Object object = found->second;
  int index = 0;
  switch (object.kind) {
    case Kind::kApplication:
      if (Is(member, "Workbooks") && args.empty()) return Hold({Kind::kWorkbooks});
      return 0;
    case Kind::kWorkbooks:
      if (Is(member, "Item") && args.size() == 1 && AsInt(args[0], index) && index >= 1 &&
          static_cast<size_t>(index) <= books_.size())
        return Hold({Kind::kWorkbook, static_cast<size_t>(index - 1)});
      return 0;
    case Kind::kWorkbook:
      if (Is(member, "Worksheets") && args.empty()) return Hold({Kind::kWorksheets, object.book});
      return 0;
    case Kind::kWorksheets: {
      if (!Is(member, "Item") || args.size() != 1 || !AsInt(args[0], index)) return 0;
      if (object.book >= books_.size()) return 0;
      const std::vector<Sheet>& sheets = books_[object.book].sheets;
      if (index < 1 || static_cast<size_t>(index) > sheets.size()) return 0;
      return Hold({Kind::kWorksheet, object.book, sheets[static_cast<size_t>(index - 1)].id});
    }
    case Kind::kWorksheet:
      if (Is(member, "Cells") && args.empty() && FindSheet(object))
        return Hold({Kind::kCells, object.book, object.sheet});
      return 0;
    case Kind::kCells: {
      int row = 0, column = 0;
      if (!Is(member, "Item") || args.size() != 2 || !AsInt(args[0], row) ||
          !AsInt(args[1], column))
        return 0;
      if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns) return 0;
      return Hold({Kind::kCell, object.book, object.sheet, row, column});
    }
    case Kind::kCell:
      if (Is(member, "Font") && args.empty()) {
        Object font = object;
        font.kind = Kind::kFont;
        return Hold(font);
      }
      return 0;
    case Kind::kFont:
      return 0;
  }
  return 0;
}

bool XlsxAutomation::Put(AutomationRef ref, const std::string& member,
                         const AutomationValue& value) {
  const auto found = objects_.find(ref);
  if (found == objects_.end()) return false;
  const Object object = found->second;
  bool flag = false;
  switch (object.kind) {
    case Kind::kApplication:
      // Nothing is shown until the file is opened, so visibility is moot.
      return Is(member, "Visible") && AsBool(value, flag);
    case Kind::kWorksheet: {
      Sheet* sheet = FindSheet(object);
      if (!sheet || !Is(member, "Name")) return false;
      const std::string name = AsText(value);
      const QString shown = FromBytes(name);
      if (!ValidSheetName(shown)) return false;
      for (const Sheet& other : books_[object.book].sheets)
        if (other.id != sheet->id && FromBytes(other.name).compare(shown, Qt::CaseInsensitive) == 0)
          return false;
      sheet->name = name;
      sheet->used = true;
      return true;
    }
    case Kind::kCell: {
      Sheet* sheet = FindSheet(object);
      if (!sheet) return false;
      const std::pair<int, int> cell{object.row, object.column};
      if (Is(member, "Value")) {
        const std::string text = AsText(value);
        if (text.empty()) {
          sheet->values.erase(cell);
        } else {
          sheet->values[cell] = text;
        }
        sheet->used = true;
        return true;
      }
      if (Is(member, "ColumnWidth")) {
        double width = 0;
        if (!AsWidth(value, width)) return false;
        sheet->widths[object.column] = width;
        sheet->used = true;
        return true;
      }
      return false;
    }
    case Kind::kFont: {
      Sheet* sheet = FindSheet(object);
      if (!sheet || !Is(member, "Bold") || !AsBool(value, flag)) return false;
      if (flag) {
        sheet->bold.insert({object.row, object.column});
      } else {
        sheet->bold.erase({object.row, object.column});
      }
      sheet->used = true;
      return true;
    }
    default:
      return false;
  }
}

bool XlsxAutomation::Call(AutomationRef ref, const std::string& member, const AutomationArgs& args) {
  const auto found = objects_.find(ref);
  if (found == objects_.end() || !Is(member, "Add") || !args.empty()) return false;
  const Object object = found->second;
  if (object.kind == Kind::kWorkbooks) {
    books_.emplace_back();
    AddSheet(books_.back(), 0);
    return true;
  }
  if (object.kind == Kind::kWorksheets && object.book < books_.size()) {
    // A new sheet goes before the active one, which is the first here.
    AddSheet(books_[object.book], 0);
    return true;
  }
  return false;
}

bool XlsxAutomation::Release(AutomationRef ref) {
  const auto found = objects_.find(ref);
  if (found == objects_.end()) return false;
  const Kind kind = found->second.kind;
  objects_.erase(found);
  // The program is done with: what it holds is saved and shown.
  if (kind == Kind::kApplication) return WriteBooks();
  return true;
}

QString XlsxAutomation::UniqueFile() const {
  const QDir dir(folder_);
  const QString stem = QStringLiteral("Wayrunner Trips ") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
  QString file = dir.filePath(stem + QStringLiteral(".xlsx"));
  for (int n = 2; QFileInfo::exists(file); ++n)
    file = dir.filePath(stem + QStringLiteral(" (%1).xlsx").arg(n));
  return file;
}

bool XlsxAutomation::WriteBooks() {
  std::vector<Book> books;
  books.swap(books_);
  bool ok = true;
  for (const Book& book : books) {
    QString error;
    if (!QDir().mkpath(folder_)) {
      ok = false;
      continue;
    }
    const QString file = UniqueFile();
    if (!WriteBook(book, file, error)) {
      QFile::remove(file);
      ok = false;
      continue;
    }
    written_.push_back(file);
    QString text = tr("The trips were saved as\n") + QDir::toNativeSeparators(file);
    if (!shell_.OpenAddress(QString::fromLatin1(QUrl::fromLocalFile(file).toEncoded())))
      text += tr("\n\nNo program to show spreadsheets could be started; open the file from there.");
    prompts_.ShowMessage(text);
  }
  return ok;
}

bool XlsxAutomation::WriteBook(const Book& book, const QString& file, QString& error) const {
#ifdef WR_HAVE_XLSXWRITER
  // Blank sheets that came with a new workbook are left out, unless nothing
  // else is there.
  std::vector<const Sheet*> sheets;
  for (const Sheet& sheet : book.sheets)
    if (sheet.used) sheets.push_back(&sheet);
  if (sheets.empty() && !book.sheets.empty()) sheets.push_back(&book.sheets.front());

  const QByteArray path = QFile::encodeName(file);
  lxw_workbook* workbook = workbook_new(path.constData());
  if (!workbook) {
    error = tr("the file could not be created");
    return false;
  }
  lxw_format* bold = workbook_add_format(workbook);
  format_set_bold(bold);
  bool ok = true;
  for (const Sheet* sheet : sheets) {
    const QByteArray name = FromBytes(sheet->name).toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(workbook, name.constData());
    if (!ws) {
      ok = false;
      break;
    }
    for (const auto& [column, width] : sheet->widths)
      worksheet_set_column(ws, static_cast<lxw_col_t>(column - 1),
                           static_cast<lxw_col_t>(column - 1), width, nullptr);
    std::set<std::pair<int, int>> cells = sheet->bold;
    for (const auto& entry : sheet->values) cells.insert(entry.first);
    for (const auto& cell : cells) {
      const auto row = static_cast<lxw_row_t>(cell.first - 1);
      const auto col = static_cast<lxw_col_t>(cell.second - 1);
      lxw_format* format = sheet->bold.count(cell) ? bold : nullptr;
      const auto value = sheet->values.find(cell);
      lxw_error result = LXW_NO_ERROR;
      if (value == sheet->values.end()) {
        result = worksheet_write_blank(ws, row, col, format);
      } else {
        const CellContent content = Interpret(value->second);
        if (content.isNumber) {
          result = worksheet_write_number(ws, row, col, content.number, format);
        } else if (content.text.isEmpty()) {
          result = worksheet_write_blank(ws, row, col, format);
        } else {
          const QByteArray utf8 = content.text.toUtf8();
          result = worksheet_write_string(ws, row, col, utf8.constData(), format);
        }
      }
      if (result != LXW_NO_ERROR) ok = false;
    }
  }
  // Closing writes the file; it frees the workbook in every case.
  const lxw_error closed = workbook_close(workbook);
  if (!ok || closed != LXW_NO_ERROR) {
    error = closed != LXW_NO_ERROR ? QString::fromLatin1(lxw_strerror(closed))
                                   : tr("a value could not be stored");
    return false;
  }
  return true;
#else
  (void)book;
  (void)file;
  error = tr("this build cannot write spreadsheet files");
  return false;
#endif
}

}  // namespace wr
