// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/provision.h"

#include <ctime>

#include "cli/cli_context.h"
#include "cli/settings_output.h"
#include "cli/unit_access.h"
#include "export/export_text.h"
#include "session/provision_operation.h"
#include "session/unit_session.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

// Milliseconds for a unit just plugged in to open and say who it is.
constexpr int kOpenMs = 10000;

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &now);
#else
  gmtime_r(&now, &utc);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : separator) + item;
  return text;
}

}  // namespace

std::string ProvisionCsvHeader() {
  return "time,bus_address,device_id,firmware,result,differences,message\r\n";
}

std::string ProvisionCsvRow(const ProvisionRow& row) {
  std::string line;
  for (const std::string* field : {&row.time, &row.location, &row.deviceId, &row.firmware,
                                   &row.result}) {
    line += CsvField(*field) + ",";
  }
  line += CsvField(Joined(row.differences, " ")) + "," + CsvField(row.message) + "\r\n";
  return line;
}

void ProvisionJob::run() {
  row_.location = LocationText(location_);
  auto session = std::make_unique<UnitSession>(api_, CliSessionOptions(location_, true));
  session->Start();
  {
    ProvisionOperation provision(*session, row_.location, profile_, kOpenMs);
    RunOperation(provision);
    const ProvisionReport& report = provision.Report();
    row_.result = WriteResultName(report.result);
    row_.differences = report.differences;
    row_.message = report.message.English();
    row_.shownMessage = ToBytes(Translated(report.message));
    row_.deviceId = report.deviceId;
    row_.firmware = report.firmware;
  }
  row_.time = UtcNow();
  session->Shutdown();
  session.reset();
  std::lock_guard<std::mutex> lock(finished_);
}

}  // namespace wr::cli
