// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/upgrade_settings_backup.h"

#include <QDir>

#include <ctime>
#include <filesystem>
#include <memory>

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

void UpgradeSettingsBackup::AskAndKeep(const QString& caption, const QString& question,
                                       std::function<void(bool go)> done) {
  Forget();
  const std::filesystem::path folder = SettingsBackupFolder();
  const QString option =
      folder.empty() ? tr("Keep the unit's settings in a profile first")
                     : tr("Keep the unit's settings in a profile in %1 first")
                           .arg(PathText(folder));
  bool keep = true;
  if (!prompts_.AskYesNoWithOption(caption, question, option, keep)) {
    done(false);
    return;
  }
  if (!keep) {
    done(true);
    return;
  }
  Keep([this, caption, done](bool kept, const QString& why) {
    done(kept || prompts_.AskYesNo(caption, tr("The unit's settings could not be kept: %1.\n\n"
                                                           "Upgrade without keeping them?")
                                                .arg(why)));
  });
}

void UpgradeSettingsBackup::Keep(std::function<void(bool kept, const QString& why)> done) {
  ReadUnitSettings(session_, dialogParent_,
                   [this, done](bool read, const QString& missing) {
                     QString why;
                     if (!read) {
                       done(false, tr("%1 could not be read from the unit").arg(missing));
                       return;
                     }
                     const bool kept = WriteBackup(why);
                     done(kept, why);
                   });
}

bool UpgradeSettingsBackup::WriteBackup(QString& why) {
  const UnitModel& model = session_.Model();
  Message error;
  const std::filesystem::path path = NewSettingsBackupPath(model.DeviceId(), std::time(nullptr), error);
  if (path.empty()) {
    why = Translated(error);
    return false;
  }
  const SettingsValues values = SettingsValuesFromUnit(model.Settings());
  if (!WriteProfileFile(path, values, {model.DeviceId(), model.FirmwareVersion()}, error)) {
    why = Translated(error);
    return false;
  }
  file_ = PathText(path);
  kept_ = values;
  deviceId_ = model.DeviceId();
  return true;
}

void UpgradeSettingsBackup::OfferRestore(std::function<void()> done) {
  const QString file = file_;
  const SettingsValues kept = kept_;
  const std::string deviceId = deviceId_;
  Forget();
  // Another unit in its place is not given this unit's settings unasked.
  if (file.isEmpty() || session_.ConnectionState() != 1 ||
      session_.Model().DeviceId() != deviceId) {
    done();
    return;
  }
  ReadUnitSettings(session_, dialogParent_,
                   [this, file, kept, done](bool read, const QString& missing) {
                     if (read) {
                       CompareAndRestore(file, kept, done);
                       return;
                     }
                     if (!session_.Quitting())
                       prompts_.ShowMessage(
                           tr("The unit's settings could not be compared with the ones "
                                              "kept in %1 before the upgrade: %2 could not be read. "
                                              "Compare them with that profile once the unit answers.")
                               .arg(file, missing));
                     done();
                   });
}

void UpgradeSettingsBackup::CompareAndRestore(const QString& file, const SettingsValues& kept,
                                              std::function<void()> done) {
  const SettingsValues unit = SettingsValuesFromUnit(session_.Model().Settings());
  bool differs = false;
  for (const SettingDifference& d : DiffSettings(unit, kept)) differs = differs || d.right;
  if (!differs) {
    done();
    return;
  }

  ProfileCompareDialog dialog(ProfileCompareDialog::Mode::Choose, dialogParent_);
  dialog.setWindowTitle(tr("Settings after the upgrade"));
  dialog.SetComparison(
      tr("The unit's settings differ from the ones kept in %1 before the upgrade. "
                     "Restore writes the ticked ones to the unit.")
          .arg(file),
      unit, kept, tr("Before the upgrade"));
  dialog.SetAcceptText(tr("Restore"));
  const SettingsValues ticked =
      dialog.exec() == QDialog::Accepted ? dialog.Ticked() : SettingsValues();
  if (ticked.Empty()) {
    done();
    return;
  }
  // Every setting was read on this connection just now; those not ticked go
  // back as the unit holds them.
  SettingsValues values = SettingsValuesFromUnit(session_.Model().Settings());
  for (const auto& [key, value] : ticked.Entries()) values.Set(key, value);
  StartOperation(dialogParent_,
                 std::make_unique<SaveOperation>(session_, values, UnitSession::Retained::FromForm),
                 [this, done](const UnitSession::Outcome& outcome) {
                   if (!outcome.message.isEmpty() && !outcome.interrupted)
                     prompts_.ShowMessage(outcome.message);
                   done();
                 });
}

}  // namespace wr
