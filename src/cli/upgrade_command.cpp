// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// upgrade: the settings saved to a profile, the firmware transfer, the
// install command, and a check of the version the unit comes back with.
#include <QEventLoop>
#include <QJsonObject>

#include <algorithm>
#include <ctime>
#include <set>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/progress.h"
#include "cli/unit_access.h"
#include "protocol/commands.h"
#include "profile/settings_backup.h"
#include "profile/settings_profile.h"
#include "session/unit_text.h"
#include "session/upgrade_operation.h"
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
  Message problem;
  std::filesystem::path path = NewSettingsBackupPath(deviceId, std::time(nullptr), problem);
  if (path.empty()) error = Tr(problem);
  if (path.empty() && SettingsBackupFolder().empty()) error += "; " + Tr(QT_TRANSLATE_NOOP("wr::cli", "give a file with --backup FILE"));
  return path;
}

// Runs the operation in this thread's event loop until it ends; an
// interrupt cancels it.
void RunToEnd(UpgradeOperation& operation) {
  if (StopRequested()) return;
  QEventLoop loop;
  QObject::connect(&operation, &UpgradeOperation::finished, &loop, &QEventLoop::quit);
  operation.Start();
  // A loop that will not run: this thread has been told to stop.
  if (operation.Running() && loop.exec() < 0) operation.Cancel();
}

// The unit is back from the restart that installs: the same unit, with the
// file's version?
int AfterInstall(CliContext& context, const UnitSession& session, const UpgradeOperation& operation,
                 const std::string& deviceId, const std::string& before, const std::string& backup) {
  switch (operation.Ending()) {
    case UpgradeOperation::End::Interrupted:
      return context.Fail(kExitInterrupted,
                          Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted after the install command: the unit is installing the "
                          "firmware. Do not unplug it; check its version with 'wayrunner-cli "
                          "status' when it is back")));
    case UpgradeOperation::End::NotBack:
      return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit did not come back within %1 "
                                                                   "seconds after the install command; check "
                                                                   "it, and its version with 'wayrunner-cli "
                                                                   "status'"),
                                        {std::to_string(kComeBackMs / 1000)}));
    case UpgradeOperation::End::NotRestarted:
      return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit did not restart after the install command and "
                                     "does not report its version")));
    default:
      break;
  }
  const UnitModel& model = session.Model();
  if (!model.DeviceId().empty() && model.DeviceId() != deviceId)
    return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "another unit (device id %1) appeared instead "
                                                                 "of %2; check the upgraded unit with "
                                                                 "'wayrunner-cli status'"),
                                      {model.DeviceId(), deviceId}));
  if (operation.Ending() != UpgradeOperation::End::Upgraded)
    return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit reports firmware %1, not the file's "
                                                                 "version %2: the upgrade did not take"),
                                      {model.FirmwareVersion(), operation.File().version}));
  if (context.Json()) {
    QJsonObject document;
    document["result"] = "ok";
    document["device_id"] = FromBytes(deviceId);
    document["firmware_before"] = FromBytes(before);
    document["firmware"] = FromBytes(model.FirmwareVersion());
    document["backup"] = QString::fromStdString(backup);
    context.PrintJson(document);
  } else {
    context.Print(Tr(QT_TRANSLATE_NOOP("wr::cli", "The unit %1 now runs firmware %2, the file's version."),
                     {deviceId, model.FirmwareVersion()}) +
                  "\n");
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
      return context.Fail(kExitFile, OneLine(Tr(early.problem)) + " (" + path + ")");
  }
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  const UnitModel& model = session->Model();
  const std::string before = model.FirmwareVersion();
  // Where the unit sits now: it may be gone by the time the install command has been sent.
  const std::optional<UsbLocation> location = session->Location();
  if (!location) return context.Fail(kExitNoUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit was disconnected")));
  const UpgradeFileResult file = ReadUpgradeFile(filePath, before);
  if (!file.ok) return context.Fail(kExitFile, OneLine(Tr(file.problem)) + " (" + path + ")");

  std::string plan = Tr(QT_TRANSLATE_NOOP("wr::cli", "The unit %1 runs firmware %2. This will upgrade the unit "
                                                   "to %3 version: %4."),
                        {model.DeviceId(), before, file.productWord, file.version});
  const std::optional<int> order = CompareVersions(file.version, before);
  if (order && *order < 0)
    plan += " " + Tr(QT_TRANSLATE_NOOP("wr::cli", "The file's version is older than the unit's: this is a downgrade."));
  if (order && *order == 0) plan += " " + Tr(QT_TRANSLATE_NOOP("wr::cli", "The unit already runs this version."));
  if (arguments.Has("yes")) {
    context.Note(plan);
  } else {
    const std::optional<bool> yes = context.Ask(plan + " " + Tr(QT_TRANSLATE_NOOP("wr::cli", "Proceed?")));
    if (context.Interrupted() || StopRequested()) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")));
    if (!yes)
      return context.Fail(kExitUsage, Tr(QT_TRANSLATE_NOOP("wr::cli", "an upgrade needs --yes when no one can answer the question")));
    if (!*yes) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "cancelled; nothing was sent")));
  }

  // The settings first: an upgrade may reset them.
  std::string missing;
  if (!ReadAllSettings(*session, missing)) {
    if (StopRequested()) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted; nothing was sent")));
    return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the settings could not be saved first (%1 "
                                                                 "could not be read); nothing was sent"),
                                      {missing}));
  }
  std::string error;
  std::filesystem::path backup;
  if (const auto given = arguments.Value("backup"))
    backup = std::filesystem::u8path(*given);
  else
    backup = DefaultBackupPath(model.DeviceId(), error);
  if (backup.empty()) return context.Fail(kExitFile, error);
  const SettingsValues values = SettingsValuesFromUnit(model.Settings());
  Message written;
  if (!WriteProfileFile(backup, values, {model.DeviceId(), before}, written))
    return context.Fail(kExitFile, Tr(written) + "; " + Tr(QT_TRANSLATE_NOOP("wr::cli", "nothing was sent")));
  context.Note(Tr(QT_TRANSLATE_NOOP("wr::cli", "Settings saved to %1"), {backup.u8string()}));

  // The watch after the install command: units other than this one, so
  // that this one is recognised if it comes back at another address, as a
  // USB device does after a restart.
  const UsbLocation was = *location;
  std::set<std::pair<int, int>> others;
  for (const UsbUnitListing& unit : UnitSession::ListUnits(context.Api()))
    if (unit.location != was) others.insert({unit.location.bus, unit.location.address});
  RestartWatch watch;
  watch.dropMs = kDropMs;
  watch.limitMs = kComeBackMs;
  watch.askMs = kVersionMs;
  watch.lookMs = kLookMs;
  UnitSession& unit = *session;
  watch.whileAway = [&context, &unit, &others, was] {
    const std::vector<UsbUnitListing> units = UnitSession::ListUnits(context.Api());
    std::optional<UsbLocation> found;
    for (const UsbUnitListing& listed : units)
      if (listed.location == was) found = was;
    for (const UsbUnitListing& listed : units)
      if (!found && !others.count({listed.location.bus, listed.location.address}))
        found = listed.location;
    if (found && unit.Selector() != found) unit.SetSelector(found);
  };
  const std::string deviceId = model.DeviceId();
  UpgradeOperation operation(*session, file, UpgradeTimings(), watch);
  std::unique_ptr<Progress> progress;
  const auto endProgress = [&progress] {
    if (progress) progress->Finish();
    progress.reset();
  };
  QObject::connect(&operation, &UpgradeOperation::progress, [&](int done, int total) {
    if (total <= 0) return;
    if (!progress)
      progress = std::make_unique<Progress>(context.Io(), context.Quiet(),
                                            Tr(QT_TRANSLATE_NOOP("wr::cli", "Sending firmware")),
                                            static_cast<int64_t>(total));
    progress->Set(done);
  });
  QObject::connect(&operation, &UpgradeOperation::phaseChanged,
                   [&](UpgradeOperation::Phase phase) {
                     if (phase == UpgradeOperation::Phase::SettlingInstall) endProgress();
                     if (phase == UpgradeOperation::Phase::Restarting)
                       context.Note(Tr(QT_TRANSLATE_NOOP("wr::cli", "The unit installs the firmware and "
                                                                    "restarts; waiting for it to come back.")));
                   });
  RunToEnd(operation);
  endProgress();

  const std::string notTold =
      Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit was not told to install the firmware and keeps its own"));
  switch (operation.Ending()) {
    case UpgradeOperation::End::None:
    case UpgradeOperation::End::Cancelled:
      return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "Firmware upgrade stopped! %1"), {notTold}));
    case UpgradeOperation::End::SendFailed:
      if (!session->IsConnected())
        return context.Fail(kExitNoUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "Error sending upgrade file! The unit "
                                                                       "was disconnected; %1"),
                                            {notTold}));
      return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "Error sending upgrade file! %1"), {notTold}));
    case UpgradeOperation::End::InstallRefused:
      return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "Firmware upgrade not supported!")));
    case UpgradeOperation::End::NotDelivered:
      return context.Fail(session->IsConnected() ? kExitUnit : kExitNoUnit,
                          Tr(QT_TRANSLATE_NOOP("wr::cli", "Error sending upgrade command! The unit was not told "
                                                          "to install the firmware.")));
    default:
      break;
  }
  return AfterInstall(context, *session, operation, deviceId, before, backup.u8string());
}

}  // namespace

Command UpgradeCommand() {
  Command command;
  command.words = "upgrade";
  command.arguments = "FILE.fw";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "the firmware transfer, with the settings saved first");
  command.help =
      QT_TRANSLATE_NOOP("wr::cli", "The unit's settings are saved to a profile first (to --backup FILE, else to "
      "backups/settings-DEVICEID-TIME.ini in the data folder), then the firmware is sent block "
      "by block and the unit is told to install it. When it is back, its version is compared "
      "with the file's. Ctrl+C before the install command stops the transfer and the unit "
      "keeps its firmware.");
  command.options = {YesOption(QT_TRANSLATE_NOOP("wr::cli", "upgrade without asking")),
                     {"backup", 0, "FILE", QT_TRANSLATE_NOOP("wr::cli", "where to save the settings first")}};
  command.minArguments = command.maxArguments = 1;
  command.run = RunUpgrade;
  return command;
}

}  // namespace wr::cli
