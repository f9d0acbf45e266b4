// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/settings_profiles.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "profile/settings_backup.h"
#include "protocol/commands.h"
#include "profile/settings_profile.h"
#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/profile_compare_dialog.h"
#include "ui/operation_runner.h"
#include "ui/prompts.h"
#include "ui/save_folder.h"

namespace wr {
namespace {

constexpr SettingGroup kGroups[] = {SettingGroup::Track, SettingGroup::LowPower, SettingGroup::Ussd,
                                    SettingGroup::Gprs, SettingGroup::Ignition};

std::filesystem::path PathOf(const QString& file) {
  return std::filesystem::path(file.toStdU16String());
}

QString NoUnit() {
  return SettingsProfiles::tr("No unit is connected. Connect the unit and wait until it is shown, then "
                        "try again.");
}

}  // namespace

void ReadUnitSettings(UnitSession& session, QObject* owner, SettingsReadDone done) {
  StartOperation(owner,
                 std::make_unique<ReadSettingsOperation>(session, ReadSettingsOperation::AllGroups()),
                 [&session, done = std::move(done)](const UnitSession::Outcome& outcome) {
                   QStringList names;
                   for (SettingGroup group : kGroups)
                     if (!session.Model().Settings().Read(group))
                       names << Translated(Message::Of(Describe(group).name));
                   done(outcome.done && names.isEmpty(), names.join(QStringLiteral(", ")));
                 });
}

SettingsProfiles::SettingsProfiles(UnitSession& session, Prompts& prompts, QWidget* dialogParent)
    : session_(session), prompts_(prompts), dialogParent_(dialogParent) {
}

QString SettingsProfiles::SuggestedName() const {
  return QStringLiteral("settings-%1-%2.ini")
      .arg(FromBytes(DeviceIdForFileName(session_.Model().DeviceId())),
           QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

void SettingsProfiles::Remember(const QString& file) { RememberSaveFolder(file); }

SettingsValues SettingsProfiles::UnitValues() const {
  return SettingsValuesFromUnit(session_.Model().Settings());
}

std::optional<SettingsValues> SettingsProfiles::AskAndRead(const QString& caption, QString& file) {
  file = prompts_.OpenFile(caption, QString::fromLatin1(kProfileFilter), SaveFolder());
  if (file.isEmpty()) return std::nullopt;
  Remember(file);
  const ProfileRead read = ReadProfileFile(PathOf(file));
  if (!read.Ok()) {
    // The reader's message names the file, and the key and line refused.
    prompts_.ShowMessage(Translated(read.problem) + tr(" Nothing was changed."));
    return std::nullopt;
  }
  return read.values;
}

void SettingsProfiles::ChooseFromProfile(
    std::function<void(const std::optional<SettingsValues>&)> done) {
  QString file;
  const std::optional<SettingsValues> profile = AskAndRead(tr("Open profile"), file);
  if (!profile) {
    done(std::nullopt);
    return;
  }
  auto choose = [this, file, profile = *profile, done](bool, const QString&) {
    ProfileCompareDialog dialog(ProfileCompareDialog::Mode::Choose, dialogParent_);
    dialog.SetComparison(
        tr("The settings in %1, beside the unit's. The ticked ones go into the Settings "
                       "tab; Save then writes them to the unit.")
            .arg(QDir::toNativeSeparators(file)),
        UnitValues(), profile);
    dialog.SetAcceptText(tr("Fill the Settings tab"));
    if (dialog.exec() != QDialog::Accepted)
      done(std::nullopt);
    else
      done(dialog.Ticked());
  };
  // With no unit the profile is shown beside nothing.
  if (session_.ConnectionState() == 1)
    ReadUnitSettings(session_, dialogParent_, std::move(choose));
  else
    choose(false, QString());
}

void SettingsProfiles::CompareWithProfile(std::function<void()> done) {
  if (session_.ConnectionState() != 1) {
    prompts_.ShowMessage(NoUnit());
    done();
    return;
  }
  QString file;
  const std::optional<SettingsValues> profile =
      AskAndRead(tr("Compare with profile"), file);
  if (!profile) {
    done();
    return;
  }
  ReadUnitSettings(session_, dialogParent_,
                   [this, file, profile = *profile, done](bool, const QString&) {
                     ProfileCompareDialog dialog(ProfileCompareDialog::Mode::Show, dialogParent_);
                     dialog.SetComparison(
                         tr("The settings in %1, beside the unit's. Nothing is changed.")
                             .arg(QDir::toNativeSeparators(file)),
                         UnitValues(), profile);
                     dialog.exec();
                     done();
                   });
}

void SettingsProfiles::SaveUnitSettings(const QString& note, std::function<void()> done) {
  if (session_.ConnectionState() != 1) {
    prompts_.ShowMessage(NoUnit());
    done();
    return;
  }
  ReadUnitSettings(session_, dialogParent_,
                   [this, note, done](bool read, const QString& missing) {
                     if (read) {
                       SaveReadSettings(note);
                     } else {
                       prompts_.ShowMessage(
                           tr("No profile was saved: %1 could not be read from the unit. "
                                              "Check that it is connected and try again.")
                               .arg(missing));
                     }
                     done();
                   });
}

void SettingsProfiles::SaveReadSettings(const QString& note) {
  // What is saved is fixed now: replies arriving while the dialog is open
  // cannot change it.
  const UnitModel& model = session_.Model();
  std::vector<Message> leftOut;
  const SettingsValues values = SettingsValuesFromUnit(model.Settings(), &leftOut);
  const ProfileUnit unit{model.DeviceId(), model.FirmwareVersion()};

  const QString file = prompts_.SaveFile(tr("Save profile"),
                                         QString::fromLatin1(kProfileFilter),
                                         QDir(SaveFolder()).filePath(SuggestedName()));
  if (file.isEmpty()) return;
  Message error;
  if (!WriteProfileFile(PathOf(file), values, unit, error)) {
    prompts_.ShowMessage(tr("The profile was not saved.\n%1").arg(Translated(error)),
                         MessageKind::Critical);
    return;
  }
  Remember(file);
  QStringList told;
  if (!leftOut.empty()) {
    QStringList reasons;
    for (const Message& reason : leftOut) reasons << Translated(reason);
    told << tr("Left out of the profile, as the unit holds no valid value: %1.")
                .arg(reasons.join(QStringLiteral("; ")));
  }
  if (!note.isEmpty()) told << note;
  if (!told.isEmpty())
    prompts_.ShowMessage(tr("The unit's settings were saved to %1.\n\n%2")
                             .arg(QDir::toNativeSeparators(file), told.join(QStringLiteral("\n\n"))));
}

}  // namespace wr
