// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/upgrade_settings_backup.h"

#include <QDir>

#include <ctime>
#include <filesystem>

#include "profile/settings_backup.h"
#include "profile/settings_profile.h"
#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/operation_runner.h"
#include "ui/profile_compare_dialog.h"
#include "ui/prompts.h"
#include "ui/settings_profiles.h"

namespace wr {
namespace {

QString PathText(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

}  // namespace

UpgradeSettingsBackup::UpgradeSettingsBackup(UnitSession& session, Prompts& prompts,
                                             QWidget* dialogParent)
    : session_(session), prompts_(prompts), dialogParent_(dialogParent) {}

void UpgradeSettingsBackup::Forget() {
  file_.clear();
  kept_ = SettingsValues();
  deviceId_.clear();
}

bool UpgradeSettingsBackup::AskAndKeep(const QString& caption, const QString& question) {
  Forget();
  const std::filesystem::path folder = SettingsBackupFolder();
  const QString option =
      folder.empty() ? tr("Keep the unit's settings in a profile first")
                     : tr("Keep the unit's settings in a profile in %1 first")
                           .arg(PathText(folder));
  bool keep = true;
  if (!prompts_.AskYesNoWithOption(caption, question, option, keep)) return false;
  if (!keep) return true;
  QString why;
  if (Keep(why)) return true;
  return prompts_.AskYesNo(caption, tr("The unit's settings could not be kept: %1.\n\n"
                                                   "Upgrade without keeping them?")
                                        .arg(why));
}

bool UpgradeSettingsBackup::Keep(QString& why) {
  QString missing;
  if (!ReadUnitSettings(session_, missing)) {
    why = tr("%1 could not be read from the unit").arg(missing);
    return false;
  }
  const UnitModel& model = session_.Model();
  std::string error;
  const std::filesystem::path path = NewSettingsBackupPath(model.DeviceId(), std::time(nullptr), error);
  if (path.empty()) {
    why = FromBytes(error);
    return false;
  }
  const SettingsValues values = SettingsValuesFromUnit(model.Settings());
  if (!WriteProfileFile(path, values, {model.DeviceId(), model.FirmwareVersion()}, error)) {
    why = FromBytes(error);
    return false;
  }
  file_ = PathText(path);
  kept_ = values;
  deviceId_ = model.DeviceId();
  return true;
}

void UpgradeSettingsBackup::OfferRestore() {
  if (file_.isEmpty()) return;
  const QString file = file_;
  const SettingsValues kept = kept_;
  const std::string deviceId = deviceId_;
  Forget();
  // Another unit in its place is not given this unit's settings unasked.
  if (session_.ConnectionState() != 1 || session_.Model().DeviceId() != deviceId) return;

  QString missing;
  if (!ReadUnitSettings(session_, missing)) {
    if (session_.Quitting()) return;
    prompts_.ShowMessage(tr("The unit's settings could not be compared with the ones "
                                        "kept in %1 before the upgrade: %2 could not be read. "
                                        "Compare them with that profile once the unit answers.")
                             .arg(file, missing));
    return;
  }
  const SettingsValues unit = SettingsValuesFromUnit(session_.Model().Settings());
  bool differs = false;
  for (const SettingDifference& d : DiffSettings(unit, kept)) differs = differs || d.right;
  if (!differs) return;

  ProfileCompareDialog dialog(ProfileCompareDialog::Mode::Choose, dialogParent_);
  dialog.setWindowTitle(tr("Settings after the upgrade"));
  dialog.SetComparison(
      tr("The unit's settings differ from the ones kept in %1 before the upgrade. "
                     "Restore writes the ticked ones to the unit.")
          .arg(file),
      unit, kept, tr("Before the upgrade"));
  dialog.SetAcceptText(tr("Restore"));
  if (dialog.exec() != QDialog::Accepted) return;
  const SettingsValues ticked = dialog.Ticked();
  if (ticked.Empty()) return;
  // Every setting was read on this connection just now; those not ticked go
  // back as the unit holds them.
  SettingsValues values = SettingsValuesFromUnit(session_.Model().Settings());
  for (const auto& [key, value] : ticked.Entries()) values.Set(key, value);
  SaveOperation save(session_, values, UnitSession::Retained::FromForm);
  const UnitSession::Outcome& outcome = RunToEnd(save);
  if (!outcome.message.isEmpty() && !outcome.interrupted) prompts_.ShowMessage(outcome.message);
}

}  // namespace wr
