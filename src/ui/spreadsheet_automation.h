// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A spreadsheet program driven through its late-bound object model: objects
// are reached by member name with property get, property put and method call.
// The export knows only this interface; which program answers it is chosen by
// the factory below. Kept free of Qt so the Windows automation client can be
// built on its own.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace wr {

class DesktopShell;
class Prompts;

// A reference to an object of the spreadsheet program; 0 is no object.
using AutomationRef = std::uint32_t;
// Arguments travel as 32-bit integers, booleans or 8-bit texts.
using AutomationValue = std::variant<std::int32_t, bool, std::string>;
using AutomationArgs = std::vector<AutomationValue>;

class SpreadsheetAutomation {
 public:
  virtual ~SpreadsheetAutomation() = default;
  // The program's application object, by its programmatic identifier; 0 when
  // it cannot be created.
  virtual AutomationRef CreateObject(const std::string& progId) = 0;
  // Property get whose result is an object; 0 on failure.
  virtual AutomationRef Get(AutomationRef object, const std::string& member,
                            const AutomationArgs& args) = 0;
  virtual bool Put(AutomationRef object, const std::string& member,
                   const AutomationValue& value) = 0;
  // Method call; its result, if any, is dropped.
  virtual bool Call(AutomationRef object, const std::string& member,
                    const AutomationArgs& args) = 0;
  // Gives the reference back. False when the object was unknown or the work
  // that its release finishes (such as writing a file) failed.
  virtual bool Release(AutomationRef object) = 0;
};

using SpreadsheetFactory =
    std::function<std::unique_ptr<SpreadsheetAutomation>(Prompts&, DesktopShell&)>;

// Replaces how the export obtains its spreadsheet program (tests record the
// calls); an empty factory brings back the default.
void SetSpreadsheetFactory(SpreadsheetFactory factory);
// The spreadsheet program for one export; null when there is none at all.
// By default the installed "Excel.Application" server on Windows, otherwise a
// component that writes an .xlsx file and opens it with the desktop.
std::unique_ptr<SpreadsheetAutomation> CreateSpreadsheetAutomation(Prompts& prompts,
                                                                   DesktopShell& shell);

#ifdef _WIN32
// Whether the "Excel.Application" server is registered on this machine.
bool ExcelAutomationAvailable();
// A client of that server through its dispatch interface.
std::unique_ptr<SpreadsheetAutomation> CreateExcelAutomation();
#endif

}  // namespace wr
