// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Settings tab: the SIM-card fields, the misc settings and Save; the
// settings profiles; and the marks on fields edited but not saved yet.
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

#include "protocol/settings_values.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wr {

class Prompts;
class SettingsProfiles;
class TfrmNetworkWizard;
class TfrmSMSExtra;
class UnitSession;

class SettingsPage : public QWidget {
  Q_OBJECT
 public:
  SettingsPage(UnitSession& session, Prompts& prompts, QWidget* parent = nullptr);
  ~SettingsPage() override;

  // The dialogs the page opens; set up at start-up.
  void SetNetworkWizard(TfrmNetworkWizard* wizard) { wizard_ = wizard; }
  void SetSmsPicker(TfrmSMSExtra* picker) { smsPicker_ = picker; }

  // Enabled while a unit is connected.
  void SetUnitControlsEnabled(bool enabled);

  // What the boxes hold, as typed.
  SettingTexts FieldTexts() const;
  // The boxes checked as Save checks them (the command line's check): the
  // values Save would send, or why it sends nothing.
  SettingsCheck CheckFields() const;

  void btnSaveSettingsClick();
  void btnNetworkWizardClick();
  void btnSmsContentClick();

  // ---- profiles (the buttons below, and the File menu)

  // Asks for a profile, shows how it differs from the unit, and puts the
  // ticked values into the fields; Save then writes them. Values that have
  // no field (ignition, the retained tracking values) wait for Save, as the
  // note on the tab says.
  void OpenProfile();
  // The unit's settings, as read on this connection, to a profile file.
  void SaveProfile();
  // The comparison of a profile with the unit, changing nothing.
  void CompareWithProfile();

  // ---- unsaved edits

  // Whether a field holds a value the user gave that the unit does not
  // hold, or profile values wait for Save.
  bool HasUnsavedEdits() const;
  bool IsEdited(SettingKey key) const { return edited_[static_cast<size_t>(key)]; }
  // What is unsaved, as the tab names it.
  QStringList UnsavedEditNames() const;
  // Values from a profile that have no field and wait for Save.
  const SettingsValues& ProfileValuesPending() const { return pending_; }
  // Asks before an action that would lose the unsaved edits; true when there
  // are none or the user answers Yes. consequence completes the question
  // (e.g. "The unit restarts and the tab shows its settings again. Reboot
  // anyway?"). With discard, a Yes puts the unit's values back.
  bool ConfirmLosingEdits(const QString& caption, const QString& consequence, bool discard = true);
  // Forgets the edits: the fields show the unit's values again.
  void DiscardEdits();

  SettingsProfiles& Profiles() { return *profiles_; }

  QGroupBox* GroupBox7 = nullptr;
  QLineEdit* edtUSSD = nullptr;
  QLineEdit* edtUSSDinterval = nullptr;
  QLineEdit* edtAPN = nullptr;
  QLineEdit* edtAPN_username = nullptr;
  QLineEdit* edtAPN_password = nullptr;
  QPushButton* btnNetworkWizard = nullptr;
  QGroupBox* gboxMisc = nullptr;
  QComboBox* cbox_trip_stop_time = nullptr;
  QCheckBox* chkLowPower = nullptr;
  QComboBox* cboxIgnitionDetect = nullptr;
  QPushButton* btnSaveSettings = nullptr;
  QPushButton* btnSmsContent = nullptr;
  QPushButton* btnOpenProfile = nullptr;
  QPushButton* btnSaveProfile = nullptr;
  QPushButton* btnCompareProfile = nullptr;
  // "Unsaved changes: ..." while there are any.
  QLabel* lblUnsaved = nullptr;
  // Said once when a unit connected while there were unsaved changes.
  QLabel* lblKeptEdits = nullptr;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // A setting shown in a field of the tab.
  struct Field {
    SettingKey key;
    QWidget* editor;
    QWidget* label;  // what is marked: the field's label, or the check box
  };

  void ShowSettings(int group);
  void Clear();
  void ReserveMarkWidth();
  void SetBusy(bool busy);

  const Field* FieldOf(SettingKey key) const;
  QString FieldText(SettingKey key) const;
  void SetFieldText(SettingKey key, const QString& text);
  // The field's value in canonical form; nothing when it is no valid value.
  std::optional<std::string> FieldValue(SettingKey key) const;
  bool MatchesUnit(SettingKey key) const;
  void UserEdited(SettingKey key);
  // Puts the unit's value of key into its field, unless the user's edit is
  // to be kept; then only whether it still differs is looked at again.
  void ShowUnitValue(SettingKey key, const QString& text);
  void TakeProfileValues(const SettingsValues& values);
  // The groups of the values without a box that the profile does not give:
  // the unit's are read for them before Save.
  std::vector<SettingGroup> GroupsWithoutBox() const;
  // Adds the values without a box (the unit's, or the profile's) to the
  // boxes' values for Save; false with why set when a value of the unit
  // was not read.
  bool AddValuesWithoutBox(SettingsValues& values, QString& why);
  void ShowMarks();

  UnitSession& session_;
  Prompts& prompts_;
  std::unique_ptr<SettingsProfiles> profiles_;
  TfrmNetworkWizard* wizard_ = nullptr;
  TfrmSMSExtra* smsPicker_ = nullptr;
  QLabel* lblTripStop_ = nullptr;
  std::vector<Field> fields_;
  std::array<bool, kSettingKeyCount> edited_{};
  // Edits the network wizard made: it may replace them without asking.
  std::array<bool, kSettingKeyCount> byWizard_{};
  SettingsValues pending_;
  // While Save waits: the field texts it sent. A reply then shows the unit's
  // value in a field the user has not changed since.
  bool saving_ = false;
  std::array<QString, kSettingKeyCount> sentTexts_;
  QString tabTitle_;
};

}  // namespace wr
