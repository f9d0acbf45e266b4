// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The profile files of the Settings tab: asking which file, reading and
// checking it with the core's profile reader, the comparison with the unit,
// and saving the unit's settings. The folder last used is remembered for the
// next file dialog.
#include <QCoreApplication>
#include <QString>

#include <functional>
#include <optional>

#include "protocol/settings_values.h"

class QObject;
class QWidget;

namespace wr {

class Prompts;
class UnitSession;

// Waits for the settings the unit is still sending, then asks again for any
// group not read on this connection; the window goes on running meanwhile.
// Then done is called (unless owner has gone) with false when some could not
// be read, and missing naming them ("the USSD settings and ...").
using SettingsReadDone = std::function<void(bool read, const QString& missing)>;
void ReadUnitSettings(UnitSession& session, QObject* owner, SettingsReadDone done);

// The profile file dialogs' filter.
inline constexpr const char* kProfileFilter = "Settings profiles (*.ini);;All files (*)";

class SettingsProfiles {
  Q_DECLARE_TR_FUNCTIONS(wr::SettingsProfiles)

 public:
  // Dialogs are shown over dialogParent, which also owns the reads of the
  // unit. Each of the actions below reads the unit first and goes on once
  // it has answered; done is called when the action has ended.
  SettingsProfiles(UnitSession& session, Prompts& prompts, QWidget* dialogParent);

  // Asks for a profile, reads it and shows the comparison with the unit,
  // every row ticked where the two differ. The ticked values when the user
  // takes them; nothing when cancelled, or when the file is refused (which
  // is said, naming the key and the line).
  void ChooseFromProfile(std::function<void(const std::optional<SettingsValues>&)> done);
  // The same comparison, only to look at.
  void CompareWithProfile(std::function<void()> done);
  // Saves the unit's settings, as read on this connection, to a file the
  // user picks. note is added to the confirmation when not empty (e.g. that
  // the tab's unsaved changes are not in the file).
  void SaveUnitSettings(const QString& note, std::function<void()> done);

  // The name offered for the unit's settings: device id and today's date.
  QString SuggestedName() const;

 private:
  // Asks for a profile file and reads it; the refusal has been shown when
  // nothing comes back.
  std::optional<SettingsValues> AskAndRead(const QString& caption, QString& file);
  // The unit's settings as read on this connection (keys of groups not read
  // left out).
  SettingsValues UnitValues() const;
  void Remember(const QString& file);
  // Writes the settings just read to a file the user picks.
  void SaveReadSettings(const QString& note);

  UnitSession& session_;
  Prompts& prompts_;
  QWidget* dialogParent_;
};

}  // namespace wr
