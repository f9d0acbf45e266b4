// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// upgrade: the settings saved to a profile, the firmware transfer, the
// install command, and a check of the version the unit comes back with.
#include <QJsonObject>

#include <algorithm>
#include <ctime>
#include <set>

#include "cli/cli_context.h"
#include "cli/command.h"
#include "cli/progress.h"
#include "cli/unit_access.h"
#include "protocol/commands.h"
#include "profile/settings_backup.h"
#include "profile/settings_profile.h"
#include "session/unit_text.h"
#include "session/upgrade_transfer.h"
#include "upgrade/upgrade_file.h"

namespace wr::cli {
namespace {

// Milliseconds for the unit to drop off the bus after the install command;
// a unit that stays is asked for its version instead.
constexpr int kDropMs = 15000;
// Milliseconds for the unit to come back after it dropped off: installing
// and restarting take a while on a real unit.
constexpr int kComeBackMs = 90000;
// Milliseconds between looks at the bus while the unit is away.
constexpr int kLookMs = 250;
// Milliseconds for the unit to report its version when asked.
constexpr int kVersionMs = 5000;

// Numbers compared as numbers, part by part ("1.003" < "1.100" < "1.1000");
// nothing when either is not dotted digits.
std::optional<int> CompareVersions(const std::string& a, const std::string& b) {
  auto parts = [](const std::string& v, std::vector<long>& out) {
    size_t at = 0;
    while (at <= v.size()) {
      const size_t dot = std::min(v.find('.', at), v.size());
      const std::string part = v.substr(at, dot - at);
      if (part.empty() || part.size() > 9 || part.find_first_not_of("0123456789") != std::string::npos)
        return false;
      out.push_back(std::stol(part));
      at = dot + 1;
    }
    return true;
  };
  std::vector<long> x, y;
  if (!parts(a, x) || !parts(b, y)) return std::nullopt;
  if (x < y) return -1;
  return x > y ? 1 : 0;
}

std::filesystem::path DefaultBackupPath(const std::string& deviceId, std::string& error) {
  std::filesystem::path path = NewSettingsBackupPath(deviceId, std::time(nullptr), error);
  if (path.empty() && SettingsBackupFolder().empty()) error += "; give a file with --backup FILE";
  return path;
}

int AfterInstall(CliContext& context, UnitSession& session, UsbLocation was,
                 const UpgradeFileResult& file, const std::string& before,
                 const std::string& backup) {
  const std::string deviceId = session.Model().DeviceId();
  // Units other than this one, so that this one is recognised if it comes
  // back at another address, as a USB device does after a restart.
  std::set<std::pair<int, int>> others;
  for (const UsbUnitListing& unit : UnitSession::ListUnits(context.Api()))
    if (unit.location != was) others.insert({unit.location.bus, unit.location.address});

  const char* kInterrupted =
      "interrupted after the install command: the unit is installing the firmware. Do not "
      "unplug it; check its version with 'wayrunner-cli status' when it is back";
  context.Note("The unit installs the firmware and restarts; waiting for it to come back.");
  bool versionSeen = false;
  QObject::connect(&session.Model(), &UnitModel::firmwareVersionChanged, &session,
                   [&versionSeen] { versionSeen = true; });
  const WaitResult dropped = WaitFor([&session] { return !session.IsConnected(); }, kDropMs, &session);
  if (dropped == WaitResult::Stopped) return context.Fail(kExitInterrupted, kInterrupted);
  if (dropped == WaitResult::Met) {
    versionSeen = false;
    const auto back = [&] {
      if (session.ConnectionState() == 1) return versionSeen;
      if (!session.IsConnected()) {
        const std::vector<UsbUnitListing> units = UnitSession::ListUnits(context.Api());
        std::optional<UsbLocation> found;
        for (const UsbUnitListing& unit : units)
          if (unit.location == was) found = was;
        for (const UsbUnitListing& unit : units)
          if (!found && !others.count({unit.location.bus, unit.location.address}))
            found = unit.location;
        if (found && session.Selector() != found) session.SetSelector(found);
      }
      return false;
    };
    const WaitResult result = WaitFor(back, kComeBackMs, &session, kLookMs);
    if (result == WaitResult::Stopped) return context.Fail(kExitInterrupted, kInterrupted);
    if (result == WaitResult::TimedOut)
      return context.Fail(kExitUnit, "the unit did not come back within " +
                                         std::to_string(kComeBackMs / 1000) +
                                         " seconds after the install command; check it, and "
                                         "its version with 'wayrunner-cli status'");
  } else {
    // Still there: whatever it runs now, it says so when asked.
    versionSeen = false;
    session.SendCommand(cmd::kInfo);
    const WaitResult result = WaitFor([&] { return versionSeen; }, kVersionMs, &session);
    if (result == WaitResult::Stopped) return context.Fail(kExitInterrupted, kInterrupted);
    if (result == WaitResult::TimedOut)
      return context.Fail(kExitUnit, "the unit did not restart after the install command and "
                                     "does not report its version");
  }

  const UnitModel& model = session.Model();
  if (!model.DeviceId().empty() && model.DeviceId() != deviceId)
    return context.Fail(kExitUnit, "another unit (device id " + model.DeviceId() +
                                       ") appeared instead of " + deviceId +
                                       "; check the upgraded unit with 'wayrunner-cli status'");
  if (model.FirmwareVersion() != file.version)
    return context.Fail(kExitUnit, "the unit reports firmware " + model.FirmwareVersion() +
                                       ", not the file's version " + file.version +
                                       ": the upgrade did not take");
  if (context.Json()) {
    QJsonObject document;
    document["result"] = "ok";
    document["device_id"] = FromBytes(deviceId);
    document["firmware_before"] = FromBytes(before);
    document["firmware"] = FromBytes(model.FirmwareVersion());
    document["backup"] = QString::fromStdString(backup);
    context.PrintJson(document);
  } else {
    context.Print("The unit " + deviceId + " now runs firmware " + model.FirmwareVersion() +
                  ", the file's version.\n");
  }
  return kExitDone;
}

// A refusal on one line: the reason follows the first line after a space.
std::string OneLine(std::string message) {
  std::replace(message.begin(), message.end(), '\n', ' ');
  return message;
}

int RunUpgrade(CliContext& context, const ParsedArguments& arguments) {
  const std::string& path = arguments.positional[0];
  const std::filesystem::path filePath = std::filesystem::u8path(path);
  // A file that cannot be an upgrade is refused before the unit is touched.
  {
    const UpgradeFileResult early = ReadUpgradeFile(filePath, "");
    if (!early.ok && early.message != upgrade_msg::kUnitVersionUnknown)
      return context.Fail(kExitFile, OneLine(early.message) + " (" + path + ")");
  }
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  const UnitModel& model = session->Model();
  const std::string before = model.FirmwareVersion();
  // Where the unit sits now: it may be gone by the time the install command has been sent.
  const std::optional<UsbLocation> location = session->Location();
  if (!location) return context.Fail(kExitNoUnit, "the unit was disconnected");
  const UpgradeFileResult file = ReadUpgradeFile(filePath, before);
  if (!file.ok) return context.Fail(kExitFile, OneLine(file.message) + " (" + path + ")");

  std::string plan = "The unit " + model.DeviceId() + " runs firmware " + before +
                     ". This will upgrade the unit to " + file.productWord +
                     " version: " + file.version + ".";
  const std::optional<int> order = CompareVersions(file.version, before);
  if (order && *order < 0) plan += " The file's version is older than the unit's: this is a downgrade.";
  if (order && *order == 0) plan += " The unit already runs this version.";
  if (arguments.Has("yes")) {
    context.Note(plan);
  } else {
    const std::optional<bool> yes = context.Ask(plan + " Proceed?");
    if (context.Interrupted() || StopRequested()) return context.Fail(kExitInterrupted, "interrupted");
    if (!yes)
      return context.Fail(kExitUsage, "an upgrade needs --yes when no one can answer the question");
    if (!*yes) return context.Fail(kExitInterrupted, "cancelled; nothing was sent");
  }

  // The settings first: an upgrade may reset them.
  std::string missing;
  if (!ReadAllSettings(*session, missing)) {
    if (StopRequested()) return context.Fail(kExitInterrupted, "interrupted; nothing was sent");
    return context.Fail(kExitUnit, "the settings could not be saved first (" + missing +
                                       " could not be read); nothing was sent");
  }
  std::string error;
  std::filesystem::path backup;
  if (const auto given = arguments.Value("backup"))
    backup = std::filesystem::u8path(*given);
  else
    backup = DefaultBackupPath(model.DeviceId(), error);
  if (backup.empty()) return context.Fail(kExitFile, error);
  const SettingsValues values = SettingsValuesFromUnit(model.Settings());
  if (!WriteProfileFile(backup, values, {model.DeviceId(), before}, error))
    return context.Fail(kExitFile, error + "; nothing was sent");
  context.Note("Settings saved to " + backup.u8string());

  UpgradeTimings timings;
  TransferResult sent = TransferResult::Cancelled;
  if (WaitFor([] { return false; }, timings.settleMs, session.get()) != WaitResult::Stopped) {
    Progress progress(context.Io(), context.Quiet(), "Sending firmware",
                      static_cast<int64_t>(file.imageLength));
    TransferHooks hooks;
    hooks.cancelled = [] { return StopRequested(); };
    hooks.advance = [&progress](size_t bytes) { progress.Advance(static_cast<int64_t>(bytes)); };
    sent = SendUpgradeBlocks(*session, file, timings, hooks);
    if (sent == TransferResult::Sent) progress.Set(static_cast<int64_t>(file.imageLength));
    progress.Finish();
  }
  const char* kNotTold = "the unit was not told to install the firmware and keeps its own";
  switch (sent) {
    case TransferResult::Cancelled:
      return context.Fail(kExitInterrupted, std::string("Firmware upgrade stopped! ") + kNotTold);
    case TransferResult::SendFailed:
      if (!session->IsConnected())
        return context.Fail(kExitNoUnit, std::string("Error sending upgrade file! The unit was "
                                                     "disconnected; ") + kNotTold);
      return context.Fail(kExitUnit, std::string("Error sending upgrade file! ") + kNotTold);
    case TransferResult::Sent:
      break;
  }
  // The settling pause is taken here, where an interrupt can still stop
  // everything before the install command goes out.
  if (WaitFor([] { return false; }, timings.settleMs, session.get()) == WaitResult::Stopped)
    return context.Fail(kExitInterrupted, std::string("Firmware upgrade stopped! ") + kNotTold);
  UpgradeTimings install = timings;
  install.settleMs = 0;
  switch (SendInstallCommand(*session, file.LastBlockNumber(), install)) {
    case InstallResult::Refused:
      return context.Fail(kExitUnit, "Firmware upgrade not supported!");
    case InstallResult::NotDelivered:
      return context.Fail(session->IsConnected() ? kExitUnit : kExitNoUnit,
                          "Error sending upgrade command! The unit was not told to install the "
                          "firmware.");
    case InstallResult::Installed:
      break;
  }
  return AfterInstall(context, *session, *location, file, before, backup.u8string());
}

}  // namespace

Command UpgradeCommand() {
  Command command;
  command.words = "upgrade";
  command.arguments = "FILE.fw";
  command.summary = "the firmware transfer, with the settings saved first";
  command.help =
      "The unit's settings are saved to a profile first (to --backup FILE, else to "
      "backups/settings-DEVICEID-TIME.ini in the data folder), then the firmware is sent block "
      "by block and the unit is told to install it. When it is back, its version is compared "
      "with the file's. Ctrl+C before the install command stops the transfer and the unit "
      "keeps its firmware.";
  command.options = {YesOption("upgrade without asking"),
                     {"backup", 0, "FILE", "where to save the settings first"}};
  command.minArguments = command.maxArguments = 1;
  command.run = RunUpgrade;
  return command;
}

}  // namespace wr::cli
