// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The provisioning bench: one job per plugged-in unit, each on its own thread
// with its own session, so that several units are written side by side and
// none waits for another; and the log of what each unit got.
#include <QThread>

#include <mutex>

#include <string>
#include <vector>

#include "usb/usb_location.h"
#include "protocol/settings_values.h"

namespace wr {
class UsbApi;
}

namespace wr::cli {

// One unit's line in the provisioning log.
struct ProvisionRow {
  std::string time;       // UTC, 2026-03-18T07:45:10Z
  std::string location;   // bus:address
  std::string deviceId;
  std::string firmware;
  std::string result;     // ok, unchanged, differs, failed, interrupted
  // The keys that differed: what was changed (ok), or what the unit did not
  // take (differs). Key names only: the log holds no APN password.
  std::vector<std::string> differences;
  std::string message;  // English, as the log keeps it
  std::string shownMessage;  // the same in the user's language
};

// The log's CSV (RFC 4180, CRLF line ends, UTF-8).
std::string ProvisionCsvHeader();
std::string ProvisionCsvRow(const ProvisionRow& row);

class ProvisionJob : public QThread {
 public:
  ProvisionJob(UsbApi& api, UsbLocation location, SettingsValues profile)
      : api_(api), location_(location), profile_(std::move(profile)) {}
  UsbLocation Location() const { return location_; }
  // After the thread has finished.
  const ProvisionRow& Row() const {
    std::lock_guard<std::mutex> lock(finished_);
    return row_;
  }
  bool Succeeded() const { return Row().result == "ok" || Row().result == "unchanged"; }

 protected:
  void run() override;

 private:
  UsbApi& api_;
  UsbLocation location_;
  SettingsValues profile_;
  ProvisionRow row_;
  // Taken last by the thread and by every reader after wait(): Debian's Qt
  // is not built for race detectors, which then cannot see that wait()
  // orders the thread's writes before the reads.
  mutable std::mutex finished_;
};

}  // namespace wr::cli
