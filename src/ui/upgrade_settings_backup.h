// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The unit's settings kept around a firmware upgrade, which may reset them.
// Before the transfer the user is offered (ticked at first) to keep them in
// a profile in the data folder's backups folder, named by device id and
// time as the command-line tool names its backups; once the unit is back,
// when it holds other settings than that profile, the comparison is shown
// with the offer to write the kept ones back.
#include <QCoreApplication>
#include <QString>

#include <functional>
#include <string>

#include "protocol/settings_values.h"

class QWidget;

namespace wr {

class Prompts;
class UnitSession;

class UpgradeSettingsBackup {
  Q_DECLARE_TR_FUNCTIONS(wr::UpgradeSettingsBackup)

 public:
  // Dialogs are shown over dialogParent, which also owns the reads and
  // writes of the unit; the window goes on running while they are under way.
  UpgradeSettingsBackup(UnitSession& session, Prompts& prompts, QWidget* dialogParent);

  // Asks question with the offer to keep the settings below it, then calls
  // done with true when the transfer may go ahead: Yes, and the settings
  // kept when that was ticked (or, when they could not be kept, the user
  // chose to go on).
  void AskAndKeep(const QString& caption, const QString& question,
                  std::function<void(bool go)> done);
  // The profile the settings were kept in for the upgrade under way; empty
  // when they were not kept.
  const QString& File() const { return file_; }
  // A new upgrade starts: nothing is kept yet.
  void Forget();

  // Called once the unit is back from the restart that installs: when it is
  // the same unit and holds other values than the kept ones, shows the
  // comparison; OK writes the ticked values with Save's checks and report.
  // done is called when all that has ended.
  void OfferRestore(std::function<void()> done);

 private:
  // Reads the unit's settings and writes them to a new backup file, then
  // calls done: false with why when that could not be done.
  void Keep(std::function<void(bool kept, const QString& why)> done);
  // Writes the settings just read to a new backup file; false with why set
  // when that could not be done.
  bool WriteBackup(QString& why);
  // Shows the comparison of the settings just read with the kept ones and
  // writes back those the user ticks.
  void CompareAndRestore(const QString& file, const SettingsValues& kept,
                         std::function<void()> done);

  UnitSession& session_;
  Prompts& prompts_;
  QWidget* dialogParent_;
  QString file_;
  SettingsValues kept_;
  std::string deviceId_;
};

}  // namespace wr
