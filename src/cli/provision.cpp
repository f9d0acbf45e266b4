// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/provision.h"

#include <ctime>

#include "cli/cli_context.h"
#include "cli/settings_output.h"
#include "cli/settings_write.h"
#include "cli/unit_access.h"
#include "export/export_text.h"
#include "session/unit_session.h"

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
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = ConnectAt(api_, location_, kOpenMs, true, failure);
  const UnitModel& model = session->Model();
  if (failure.exitCode != 0) {
    row_.result = failure.exitCode == kExitInterrupted ? "interrupted" : "failed";
    row_.message = failure.message;
  } else {
    const SettingsWriteReport report = WriteSettings(*session, profile_);
    row_.result = WriteResultName(report.result);
    row_.message = report.message;
    if (report.result == SettingsWriteReport::Result::Differs) {
      for (const std::string& problem : report.problems)
        row_.differences.push_back(problem.substr(0, problem.find(':')));
      row_.message = "the unit did not take every setting";
    } else {
      for (const SettingDifference& d : report.before)
        row_.differences.emplace_back(SettingKeyName(d.key));
      if (report.result == SettingsWriteReport::Result::Interrupted) row_.differences.clear();
    }
  }
  row_.deviceId = model.DeviceId();
  row_.firmware = model.FirmwareVersion();
  row_.time = UtcNow();
  session->Shutdown();
  session.reset();
  std::lock_guard<std::mutex> lock(finished_);
}

}  // namespace wr::cli
