#pragma once
// The Settings tab: the SIM-card fields, the misc settings and Save.
#include <QWidget>

#include "protocol/settings_commands.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace wr {

class Prompts;
class TfrmNetworkWizard;
class TfrmSMSExtra;
class UnitSession;

class SettingsPage : public QWidget {
  Q_OBJECT
 public:
  SettingsPage(UnitSession& session, Prompts& prompts, QWidget* parent = nullptr);

  // The dialogs the page opens; set up at start-up.
  void SetNetworkWizard(TfrmNetworkWizard* wizard) { wizard_ = wizard; }
  void SetSmsPicker(TfrmSMSExtra* picker) { smsPicker_ = picker; }

  // Enabled while a unit is connected.
  void SetUnitControlsEnabled(bool enabled);

  // What Save would send: the fields as they stand, the retained tracking
  // values as the unit reported them.
  SettingsForm Form() const;

  void btnSaveSettingsClick();
  void btnNetworkWizardClick();
  void btnSmsContentClick();

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

 private:
  void ShowSettings(int group);
  void Clear();

  UnitSession& session_;
  Prompts& prompts_;
  TfrmNetworkWizard* wizard_ = nullptr;
  TfrmSMSExtra* smsPicker_ = nullptr;
};

}  // namespace wr
