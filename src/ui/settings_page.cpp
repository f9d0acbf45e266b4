#include "ui/settings_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/prompts.h"
#include "ui/tfrm_network_wizard.h"
#include "ui/tfrm_sms_extra.h"
#include "ui/widget_names.h"

namespace wr {

SettingsPage::SettingsPage(UnitSession& session, Prompts& prompts, QWidget* parent)
    : QWidget(parent), session_(session), prompts_(prompts) {
  setObjectName(QStringLiteral("tabSettings"));
  auto* page = new QVBoxLayout(this);

  GroupBox7 = Named(new QGroupBox(QStringLiteral("SIMcard setup")), "GroupBox7");
  auto* sim = new QFormLayout(GroupBox7);
  edtUSSD = Named(new QLineEdit, "edtUSSD");
  edtUSSDinterval = Named(new QLineEdit(QStringLiteral("24")), "edtUSSDinterval");
  edtAPN = Named(new QLineEdit, "edtAPN");
  edtAPN_username = Named(new QLineEdit, "edtAPN_username");
  edtAPN_password = Named(new QLineEdit, "edtAPN_password");
  sim->addRow(QStringLiteral("Airtime USSD String"), edtUSSD);
  sim->addRow(QStringLiteral("Query Interval (hours)"), edtUSSDinterval);
  sim->addRow(QStringLiteral("GPRS APN (usually internet)"), edtAPN);
  sim->addRow(QStringLiteral("Username (usually blank)"), edtAPN_username);
  sim->addRow(QStringLiteral("Password (usually blank)"), edtAPN_password);
  btnNetworkWizard = Named(new QPushButton(QStringLiteral("Network Wizard")), "btnNetworkWizard");
  btnNetworkWizard->setEnabled(false);
  auto* wizardRow = new QHBoxLayout;
  wizardRow->addStretch(1);
  wizardRow->addWidget(btnNetworkWizard);
  sim->addRow(wizardRow);
  connect(btnNetworkWizard, &QPushButton::clicked, this, &SettingsPage::btnNetworkWizardClick);
  page->addWidget(GroupBox7);

  gboxMisc = Named(new QGroupBox(QStringLiteral("Misc. Settings")), "gboxMisc");
  gboxMisc->setEnabled(false);
  auto* misc = new QVBoxLayout(gboxMisc);
  auto* stopRow = new QHBoxLayout;
  stopRow->addWidget(new QLabel(QStringLiteral("Time stationary before ending trip")));
  cbox_trip_stop_time = Named(new QComboBox, "cbox_trip_stop_time");
  cbox_trip_stop_time->setEditable(true);
  cbox_trip_stop_time->setCompleter(nullptr);
  cbox_trip_stop_time->setInsertPolicy(QComboBox::NoInsert);
  cbox_trip_stop_time->addItems({"5", "2", "3", "4", "5", "10", "15", "20", "30", "45", "60"});
  cbox_trip_stop_time->setEditText(QStringLiteral("5"));
  cbox_trip_stop_time->setFixedWidth(60);
  stopRow->addWidget(cbox_trip_stop_time);
  stopRow->addWidget(new QLabel(QStringLiteral("minutes")));
  stopRow->addStretch(1);
  misc->addLayout(stopRow);
  chkLowPower = Named(
      new QCheckBox(
          QStringLiteral("Enable Low power mode (switch off GSM if no movement detected)")),
      "chkLowPower");
  misc->addWidget(chkLowPower);
  cboxIgnitionDetect = Named(new QComboBox, "cboxIgnitionDetect");
  cboxIgnitionDetect->addItems({"Disabled", "Smart detection", "Voltage on Input1"});
  cboxIgnitionDetect->setCurrentIndex(-1);
  misc->addWidget(cboxIgnitionDetect);
  cboxIgnitionDetect->setVisible(false);
  page->addWidget(gboxMisc);
  page->addStretch(1);

  btnSaveSettings = Named(new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                          QStringLiteral("Save")),
                          "btnSaveSettings");
  btnSaveSettings->setEnabled(false);
  connect(btnSaveSettings, &QPushButton::clicked, this, &SettingsPage::btnSaveSettingsClick);
  btnSmsContent = Named(new QPushButton(QStringLiteral("SMS Content...")), "btnSmsContent");
  btnSmsContent->setToolTip(QStringLiteral("Choose the values the unit adds to its SMS message"));
  connect(btnSmsContent, &QPushButton::clicked, this, &SettingsPage::btnSmsContentClick);
  auto* saveRow = new QHBoxLayout;
  saveRow->addWidget(btnSmsContent);
  saveRow->addStretch(1);
  saveRow->addWidget(btnSaveSettings);
  page->addLayout(saveRow);

  UnitModel& model = session_.Model();
  connect(&model, &UnitModel::settingsChanged, this,
          [this](UnitModel::SettingGroup group) { ShowSettings(static_cast<int>(group)); });
  connect(&model, &UnitModel::cleared, this, &SettingsPage::Clear);
}

void SettingsPage::ShowSettings(int group) {
  const UnitSettings& s = session_.Model().Settings();
  switch (static_cast<UnitModel::SettingGroup>(group)) {
    case UnitModel::SettingGroup::Track:
      cbox_trip_stop_time->setEditText(FromBytes(s.tripStopText));
      break;
    case UnitModel::SettingGroup::LowPower:
      if (s.lowPower) chkLowPower->setChecked(*s.lowPower);
      break;
    case UnitModel::SettingGroup::Ussd:
      edtUSSDinterval->setText(FromBytes(s.ussdInterval));
      edtUSSD->setText(FromBytes(s.ussd));
      break;
    case UnitModel::SettingGroup::Gprs:
      edtAPN->setText(FromBytes(s.apn));
      edtAPN_username->setText(FromBytes(s.apnUsername));
      edtAPN_password->setText(FromBytes(s.apnPassword));
      break;
    case UnitModel::SettingGroup::Ignition:
      if (s.ignition) {
        // An index outside the list selects nothing rather than a wrong mode.
        const int index = *s.ignition;
        cboxIgnitionDetect->setCurrentIndex(
            index >= 0 && index < cboxIgnitionDetect->count() ? index : -1);
      }
      break;
  }
}

void SettingsPage::Clear() {
  for (QLineEdit* box : {edtAPN, edtAPN_username, edtAPN_password, edtUSSD, edtUSSDinterval})
    box->clear();
  cbox_trip_stop_time->setEditText(QString());
}

void SettingsPage::SetUnitControlsEnabled(bool enabled) {
  for (QWidget* w : {static_cast<QWidget*>(btnSaveSettings), static_cast<QWidget*>(btnNetworkWizard),
                     static_cast<QWidget*>(gboxMisc)})
    w->setEnabled(enabled);
}

SettingsForm SettingsPage::Form() const {
  const UnitSettings& unit = session_.Model().Settings();
  SettingsForm form;
  form.tripStopText = ToBytes(cbox_trip_stop_time->currentText());
  form.trackField1 = unit.trackField1;
  form.trackField2 = unit.trackField2;
  form.trackField4 = unit.trackField4;
  form.trackField5 = unit.trackField5;
  form.lowPower = chkLowPower->isChecked();
  form.ussd = ToBytes(edtUSSD->text());
  form.ussdInterval = ToBytes(edtUSSDinterval->text());
  form.apn = ToBytes(edtAPN->text());
  form.apnUsername = ToBytes(edtAPN_username->text());
  form.apnPassword = ToBytes(edtAPN_password->text());
  form.ignitionIndex = cboxIgnitionDetect->currentIndex();
  return form;
}

void SettingsPage::btnSaveSettingsClick() {
  btnSaveSettings->setEnabled(false);
  btnNetworkWizard->setEnabled(false);
  // Every value is read before the first wait: replies arriving during the
  // waits rewrite these controls.
  const UnitSession::Outcome outcome = session_.SaveSettings(Form());
  if (!outcome.message.isEmpty() && !outcome.interrupted) prompts_.ShowMessage(outcome.message);
  // A unit lost during the waits has already disabled them; keep it so.
  const bool connected = session_.ConnectionState() > 0;
  btnSaveSettings->setEnabled(connected);
  btnNetworkWizard->setEnabled(connected);
}

void SettingsPage::btnNetworkWizardClick() {
  if (!wizard_ || wizard_->exec() != QDialog::Accepted) return;
  const std::optional<NetworkPreset> preset = wizard_->Result();
  if (!preset) return;
  edtAPN->setText(preset->apn);
  edtAPN_username->setText(preset->username);
  edtAPN_password->setText(preset->password);
  edtUSSD->setText(preset->ussd);
  edtUSSDinterval->setText(preset->ussdInterval);
}

void SettingsPage::btnSmsContentClick() {
  if (!smsPicker_) return;
  smsPicker_->show();
  smsPicker_->raise();
  smsPicker_->activateWindow();
}

}  // namespace wr
