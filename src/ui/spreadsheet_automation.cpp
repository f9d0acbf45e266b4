// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/spreadsheet_automation.h"

#include <utility>

#include "ui/xlsx_automation.h"

namespace wr {
namespace {

SpreadsheetFactory& Factory() {
  static SpreadsheetFactory factory;
  return factory;
}

}  // namespace

void SetSpreadsheetFactory(SpreadsheetFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<SpreadsheetAutomation> CreateSpreadsheetAutomation(Prompts& prompts,
                                                                   DesktopShell& shell) {
  if (Factory()) return Factory()(prompts, shell);
#ifdef _WIN32
  if (ExcelAutomationAvailable()) return CreateExcelAutomation();
#endif
  if (!XlsxAutomation::Available()) return nullptr;
  return std::make_unique<XlsxAutomation>(prompts, shell, XlsxAutomation::DefaultFolder());
}

}  // namespace wr
