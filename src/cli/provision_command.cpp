// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// provision: a profile for every unit plugged in, several at once, each
// verified and logged, until interrupted or enough units are done.
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>

#include <climits>
#include <fstream>
#include <map>
#include <memory>
#include <set>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/progress.h"
#include "cli/provision.h"
#include "cli/settings_output.h"
#include "cli/unit_access.h"
#include "profile/settings_profile.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

// Milliseconds between two looks at the bus for units plugged in.
constexpr int kScanMs = 500;

using LocationKey = std::pair<int, int>;

LocationKey KeyOf(const UsbLocation& at) { return {at.bus, at.address}; }

// Appends rows to the log, one write per row, so that an interrupted run
// leaves complete lines.
class ProvisionLog {
 public:
  bool Open(const std::string& path, std::string& error) {
    path_ = std::filesystem::u8path(path);
    std::error_code ec;
    const bool fresh = !std::filesystem::exists(path_, ec) || std::filesystem::file_size(path_, ec) == 0;
    std::ofstream out(path_, std::ios::binary | std::ios::app);
    if (!out) {
      error = Tr(QT_TRANSLATE_NOOP("wr::cli", "cannot write the log %1"), {path});
      return false;
    }
    if (fresh) out << ProvisionCsvHeader();
    out.flush();
    if (!out) {
      error = Tr(QT_TRANSLATE_NOOP("wr::cli", "cannot write the log %1"), {path});
      return false;
    }
    open_ = true;
    return true;
  }
  bool Append(const ProvisionRow& row) {
    if (!open_) return true;
    std::ofstream out(path_, std::ios::binary | std::ios::app);
    out << ProvisionCsvRow(row);
    out.flush();
    return static_cast<bool>(out);
  }

 private:
  std::filesystem::path path_;
  bool open_ = false;
};

QJsonObject RowJson(const ProvisionRow& row) {
  QJsonObject entry;
  entry["time"] = QString::fromStdString(row.time);
  entry["location"] = QString::fromStdString(row.location);
  entry["device_id"] = FromBytes(row.deviceId);
  entry["firmware"] = FromBytes(row.firmware);
  entry["result"] = QString::fromStdString(row.result);
  QJsonArray differences;
  for (const std::string& key : row.differences) differences.append(QString::fromStdString(key));
  entry["differences"] = differences;
  entry["message"] = FromBytes(row.message);
  return entry;
}

// The result's word in the user's language.
std::string ResultText(const std::string& result) {
  using Result = SettingsWriteReport::Result;
  for (Result r : {Result::Unchanged, Result::Written, Result::Differs, Result::Failed,
                   Result::Interrupted})
    if (result == WriteResultName(r)) return WriteResultText(r);
  return result;
}

std::string RowText(const ProvisionRow& row) {
  std::string text = row.location + "  " + (row.deviceId.empty() ? "-" : row.deviceId) + "  " +
                     (row.firmware.empty() ? "-" : row.firmware) + "  " + ResultText(row.result);
  if (!row.differences.empty()) {
    text += "  " + (row.result == "differs" ? Tr(QT_TRANSLATE_NOOP("wr::cli", "not taken:"))
                                            : Tr(QT_TRANSLATE_NOOP("wr::cli", "changed:"))) +
            " ";
    for (size_t i = 0; i < row.differences.size(); ++i)
      text += (i ? ", " : "") + row.differences[i];
  }
  if (!row.shownMessage.empty() && row.result != "differs")
    text += "  (" + row.shownMessage + ")";
  return text + "\n";
}

int RunProvision(CliContext& context, const ParsedArguments& arguments) {
  const ProfileRead profile = ReadProfileFile(std::filesystem::u8path(arguments.positional[0]));
  if (!profile.Ok()) return context.FailKey(kExitFile, profile.key, Tr(profile.problem));
  int count = 0;
  if (const auto given = arguments.Value("count")) {
    char* end = nullptr;
    const long n = std::strtol(given->c_str(), &end, 10);
    if (given->empty() || *end != '\0' || n < 1 || n > 1000000)
      return context.Fail(kExitUsage,
                          Tr(QT_TRANSLATE_NOOP("wr::cli", "--count takes a number of units from 1, not '%1'"), {*given}));
    count = static_cast<int>(n);
  }
  ProvisionLog log;
  std::string error;
  if (const auto path = arguments.Value("log"))
    if (!log.Open(*path, error)) return context.Fail(kExitFile, error);

  std::map<LocationKey, std::unique_ptr<ProvisionJob>> active;
  // Units done and still plugged in: not provisioned again until replugged.
  std::set<LocationKey> handled;
  std::set<std::string> provisioned;  // device ids provisioned in this run
  int failures = 0;
  bool logFailed = false;
  QJsonArray rows;
  std::unique_ptr<Progress> progress;
  if (count > 0)
    progress = std::make_unique<Progress>(context.Io(), context.Quiet(),
                                          Tr(QT_TRANSLATE_NOOP("wr::cli", "Provisioned")), count);

  QObject owner;  // lives on this thread: the jobs' signals are handled here
  QEventLoop loop;
  const auto done = [&] {
    return count > 0 && static_cast<int>(provisioned.size()) >= count && active.empty();
  };
  const auto record = [&](ProvisionJob& job) {
    const ProvisionRow& row = job.Row();
    if (job.Succeeded()) {
      provisioned.insert(row.deviceId.empty() ? row.location : row.deviceId);
    } else {
      ++failures;
    }
    if (!log.Append(row)) logFailed = true;
    if (progress) progress->Finish();
    if (context.Json())
      rows.append(RowJson(row));
    else
      context.Print(RowText(row));
    if (progress) {
      progress->Set(static_cast<int64_t>(provisioned.size()));
      progress->Redraw();
    }
  };
  const auto scan = [&] {
    const std::vector<UsbUnitListing> units = UnitSession::ListUnits(context.Api());
    std::set<LocationKey> present;
    for (const UsbUnitListing& unit : units) present.insert(KeyOf(unit.location));
    for (auto it = handled.begin(); it != handled.end();)
      it = present.count(*it) ? std::next(it) : handled.erase(it);
    for (const UsbUnitListing& unit : units) {
      const LocationKey key = KeyOf(unit.location);
      if (active.count(key) || handled.count(key)) continue;
      if (count > 0 && static_cast<int>(provisioned.size() + active.size()) >= count) break;
      auto job = std::make_unique<ProvisionJob>(context.Api(), unit.location, profile.values);
      ProvisionJob* started = job.get();
      QObject::connect(started, &QThread::finished, &owner, [&, key] {
        const auto it = active.find(key);
        if (it == active.end()) return;
        it->second->wait();
        record(*it->second);
        handled.insert(key);
        active.erase(it);
        if (done()) loop.quit();
      }, Qt::QueuedConnection);
      active.emplace(key, std::move(job));
      context.Note(Tr(QT_TRANSLATE_NOOP("wr::cli", "%1: applying the profile"), {LocationText(unit.location)}));
      started->start();
    }
  };
  QTimer scanner;
  QObject::connect(&scanner, &QTimer::timeout, &owner, scan);
  scanner.start(kScanMs);
  scan();
  const bool interrupted = StopRequested() || loop.exec() < 0 || StopRequested();
  scanner.stop();

  // Units still being written: stopped, their save ends without its waits,
  // and each is logged as interrupted.
  const size_t stoppedWhileWriting = active.size();
  for (auto& [key, job] : active) {
    job->requestInterruption();
    job->exit(-1);
  }
  for (auto& [key, job] : active) {
    job->wait();
    record(*job);
  }
  if (progress) progress->Finish();
  if (context.Json()) {
    QJsonObject document;
    document["units"] = rows;
    document["interrupted"] = interrupted;
    context.PrintJson(document);
  }
  if (logFailed) return context.Fail(kExitFile, Tr(QT_TRANSLATE_NOOP("wr::cli", "some rows could not be written to the log")));
  if (interrupted)
    return context.Fail(kExitInterrupted,
                        stoppedWhileWriting == 0
                            ? Tr(QT_TRANSLATE_NOOP("wr::cli", "stopped"))
                            : Tr(QT_TRANSLATE_NOOP("wr::cli", "stopped; %1 unit(s) were being written and are "
                                                              "logged as interrupted: apply the profile to "
                                                              "them again"),
                                 {std::to_string(stoppedWhileWriting)}));
  if (failures > 0)
    return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "%1 unit(s) were not provisioned"),
                                      {std::to_string(failures)}));
  return kExitDone;
}

}  // namespace

Command ProvisionCommand() {
  Command command;
  command.words = "provision";
  command.arguments = "PROFILE";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "apply PROFILE to every unit plugged in, several at once, verify and log each");
  command.help =
      QT_TRANSLATE_NOOP("wr::cli", "Every unit attached now or plugged in later is given the profile, each on its own "
      "while the others go on, and is verified by read-back. A unit is done once; plug it in "
      "again to have it done again. With --log, one CSV row per unit is appended: time (UTC), "
      "bus address, device id, firmware, result (ok, unchanged, differs, failed, interrupted), "
      "the keys that differed, and a message. Runs until Ctrl+C, or until --count units are "
      "provisioned.");
  command.options = {{"log", 0, "FILE.csv", QT_TRANSLATE_NOOP("wr::cli", "append one row per unit to this CSV file")},
                     {"count", 'c', "N", QT_TRANSLATE_NOOP("wr::cli", "stop once N units are provisioned")}};
  command.minArguments = command.maxArguments = 1;
  command.run = RunProvision;
  return command;
}

}  // namespace wr::cli
