// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Stands in for the spreadsheet program where none can be automated: takes
// the same object-model calls, keeps the workbooks in memory and, when the
// application object is released, writes each workbook to an .xlsx file and
// opens it with the desktop's spreadsheet program.
#include <QCoreApplication>
#include <QString>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/spreadsheet_automation.h"

namespace wr {

class XlsxAutomation final : public SpreadsheetAutomation {
  Q_DECLARE_TR_FUNCTIONS(wr::XlsxAutomation)

 public:
  // Files are written into folder; the user is told their paths.
  XlsxAutomation(Prompts& prompts, DesktopShell& shell, QString folder);

  // The Documents folder when there is one, else the temporary folder.
  static QString DefaultFolder();
  // Whether this build can write workbooks at all.
  static bool Available();

  AutomationRef CreateObject(const std::string& progId) override;
  AutomationRef Get(AutomationRef object, const std::string& member,
                    const AutomationArgs& args) override;
  bool Put(AutomationRef object, const std::string& member, const AutomationValue& value) override;
  bool Call(AutomationRef object, const std::string& member, const AutomationArgs& args) override;
  bool Release(AutomationRef object) override;

  // The files written so far.
  const std::vector<QString>& WrittenFiles() const { return written_; }

 private:
  enum class Kind { kApplication, kWorkbooks, kWorkbook, kWorksheets, kWorksheet, kCells, kCell, kFont };
  struct Object {
    Kind kind;
    size_t book = 0;
    int sheet = 0;  // a sheet's own number, stable while sheets are inserted
    int row = 0, column = 0;  // 1-based, for cells and fonts
  };
  struct Sheet {
    int id = 0;
    std::string name;
    bool used = false;  // named, formatted or filled by the caller
    std::map<std::pair<int, int>, std::string> values;
    std::set<std::pair<int, int>> bold;
    std::map<int, double> widths;
  };
  struct Book {
    std::vector<Sheet> sheets;  // in tab order
    int sheetsMade = 0;
  };

  AutomationRef Hold(Object object);
  Sheet* FindSheet(const Object& object);
  Sheet& AddSheet(Book& book, size_t at);
  bool WriteBooks();
  bool WriteBook(const Book& book, const QString& file, QString& error) const;
  QString UniqueFile() const;

  Prompts& prompts_;
  DesktopShell& shell_;
  QString folder_;
  std::map<AutomationRef, Object> objects_;
  AutomationRef nextRef_ = 1;
  std::vector<Book> books_;
  int nextSheetId_ = 1;
  std::vector<QString> written_;
};

}  // namespace wr
