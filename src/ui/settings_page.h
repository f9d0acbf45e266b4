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
#include "session/settings_draft.h"

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
  bool IsEdited(SettingKey key) const { return draft_.IsEdited(key); }
  // What is unsaved, as the tab names it.
  QStringList UnsavedEditNames() const;
  // Values from a profile that have no field and wait for Save.
  const SettingsValues& ProfileValuesPending() const { return draft_.Pending(); }
  // Asks before an action that would lose the unsaved edits; true when there
  // are none or the user answers Yes. consequence completes the question
  // (e.g. "The unit restarts and the tab shows its settings again. Reboot
  // anyway?"). With discard, a Yes puts the unit's values back.
  bool ConfirmLosingEdits(const QString& caption, const QString& consequence, bool discard = true);
  // Forgets the edits: the fields show the unit's values again (Revert).
  void DiscardEdits();
  // The edit state the fields show.
  const SettingsDraft& Draft() const { return draft_; }
  // Why a field is marked, as shown beside it; hidden when it is not.
  QLabel* ReasonLabel(SettingKey key) const;

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
  // Puts the unit's values back in place of the edits.
  QPushButton* btnRevertSettings = nullptr;
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
    QLabel* reason;  // why it is marked, below it
  };

  void ShowSettings(int group);
  void Clear();
  void ReserveMarkWidth();
  // The line below a field that says why it is marked.
  static QLabel* NewReasonLabel(const QWidget* editor);
  void SetBusy(bool busy);

  const Field* FieldOf(SettingKey key) const;
  QString FieldText(SettingKey key) const;
  void SetFieldText(SettingKey key, const QString& text);
  void UserEdited(SettingKey key);
  void TakeProfileValues(const SettingsValues& values);
  // The groups of the values without a box that the profile does not give:
  // the unit's are read for them before Save.
  std::vector<SettingGroup> GroupsWithoutBox() const;
  // Adds the values without a box (the unit's, or the profile's) to the
  // boxes' values for Save; false with why set when a value of the unit
  // was not read.
  bool AddValuesWithoutBox(SettingsValues& values, QString& why);
  // Shows what the draft holds: the texts where they differ, and the marks.
  void ShowDraft();
  void ShowMarks();

  UnitSession& session_;
  Prompts& prompts_;
  std::unique_ptr<SettingsProfiles> profiles_;
  TfrmNetworkWizard* wizard_ = nullptr;
  TfrmSMSExtra* smsPicker_ = nullptr;
  QLabel* lblTripStop_ = nullptr;
  std::vector<Field> fields_;
  SettingsDraft draft_;
  bool busy_ = false;
  QString tabTitle_;
};

}  // namespace wr
