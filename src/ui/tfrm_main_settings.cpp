// Settings tab save, network wizard button, unit controls and output switches.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>

#include <string>

#include "link/prompts.h"
#include "link/send_command.h"
#include "protocol/commands.h"
#include "protocol/settings_commands.h"
#include "ui/tfrm_main.h"
#include "ui/tfrm_network_wizard.h"
#include "ui/tfrm_sms_extra.h"

namespace wr {
namespace {

// Texts typed in the window go to the unit as UTF-8, which the save refuses
// unless it is plain ASCII.
std::string ToBytes(const QString& text) { return text.toUtf8().toStdString(); }
QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// Milliseconds to leave the unit after each step of the defaults.
constexpr int kDefaultsStepMs = 500;
constexpr int kDefaultsSettleMs = 1500;
// Milliseconds after AT+RESET before the handler returns.
constexpr int kRebootPauseMs = 500;

}  // namespace

void TfrmMain::btnSaveSettingsClick() {
  btnSaveSettings->setEnabled(false);
  btnNetworkWizard->setEnabled(false);
  // Every value is read before the first wait: replies arriving during the
  // waits rewrite these controls.
  SettingsForm form;
  form.tripStopText = ToBytes(cbox_trip_stop_time->currentText());
  form.trackField1 = trackField1;
  form.trackField2 = trackField2;
  form.trackField4 = trackField4;
  form.trackField5 = trackField5;
  form.lowPower = chkLowPower->isChecked();
  form.ussd = ToBytes(edtUSSD->text());
  form.ussdInterval = ToBytes(edtUSSDinterval->text());
  form.apn = ToBytes(edtAPN->text());
  form.apnUsername = ToBytes(edtAPN_username->text());
  form.apnPassword = ToBytes(edtAPN_password->text());
  form.ignitionIndex = cboxIgnitionDetect->currentIndex();

  const SettingsSave save = BuildSettingsCommands(form);
  if (!save.refusal.empty()) {
    prompts_.ShowMessage(FromUtf8(save.refusal));
  } else {
    for (const std::string& line : save.commands) SendCommand(line);
    for (std::string_view query : SettingsQueries()) SendCommand(query);
    WaitForQuiet();
  }
  // A unit lost during the waits has already disabled them; keep it so.
  const bool connected = LastConnectionState() > 0;
  btnSaveSettings->setEnabled(connected);
  btnNetworkWizard->setEnabled(connected);
}

void TfrmMain::btnNetworkWizardClick() {
  if (auto* wizard = findChild<TfrmNetworkWizard*>(QString(), Qt::FindDirectChildrenOnly))
    wizard->exec();
}

void TfrmMain::btnSmsContentClick() {
  if (auto* picker = findChild<TfrmSMSExtra*>(QString(), Qt::FindDirectChildrenOnly)) {
    picker->show();
    picker->raise();
    picker->activateWindow();
  }
}

void TfrmMain::btnRebootClick() {
  if (!prompts_.AskYesNo(QStringLiteral("Reboot"), QStringLiteral("Reboot unit?"))) return;
  SendCommand(cmd::kReset);
  Delay(kRebootPauseMs);
}

void TfrmMain::btnFactoryClick() {
  if (!prompts_.AskYesNo(QStringLiteral("Reset to Factory"),
                         QStringLiteral("You will lose all your settings!! Are you sure?")))
    return;
  SendCommand(cmd::kFactory);
  // The unit's trips are gone with its settings.
  sgridTrips->setRowCount(2);
  for (int c = 0; c < kTripColumns; ++c) SetCell(1, c, QString());
  SendInitialQueries();
}

void TfrmMain::btnDefaultsClick() {
  const SettingsSave defaults = BuildDefaultsCommands(TrackingHost());
  if (!defaults.refusal.empty()) {
    prompts_.ShowMessage(FromUtf8(defaults.refusal));
    return;
  }
  QPushButton* const about[] = {btnDefaults, btnReboot, btnUpgrade, btnFactory};
  for (QPushButton* b : about) b->setEnabled(false);
  SendCommand(defaults.commands[0]);
  Delay(kDefaultsStepMs);
  SendCommand(defaults.commands[1]);
  Delay(kDefaultsStepMs);
  SendCommand(defaults.commands[2]);
  SendCommand(defaults.commands[3]);
  Delay(kDefaultsSettleMs);
  SendInitialQueries();
  // A unit lost during the waits has already disabled them; keep it so.
  const bool connected = LastConnectionState() > 0;
  for (QPushButton* b : about) b->setEnabled(connected);
}

void TfrmMain::btnRelayCloseClick() { SendCommand(cmd::kRelayClose); }
void TfrmMain::btnRelayOpenClick() { SendCommand(cmd::kRelayOpen); }
void TfrmMain::btnOutputHighClick() { SendCommand(cmd::kOutputHigh); }
void TfrmMain::btnOutputLowClick() { SendCommand(cmd::kOutputLow); }
void TfrmMain::btnBuzzerOnClick() { SendCommand(cmd::kBuzzerOn); }
void TfrmMain::btnBuzzerOffClick() { SendCommand(cmd::kBuzzerOff); }
void TfrmMain::btn3V3OnClick() { SendCommand(cmd::k3V3On); }
void TfrmMain::btn3V3OffClick() { SendCommand(cmd::k3V3Off); }

QGroupBox* TfrmMain::BuildOutputsGroup() {
  gboxOutputs = new QGroupBox(QStringLiteral("Outputs"));
  gboxOutputs->setObjectName(QStringLiteral("gboxOutputs"));
  // Disabled until a unit is connected, like the other unit controls.
  gboxOutputs->setEnabled(false);
  auto* grid = new QGridLayout(gboxOutputs);
  grid->setHorizontalSpacing(6);
  grid->setColumnMinimumWidth(3, 24);
  grid->setColumnStretch(7, 1);
  struct Pair {
    const char* label;
    QPushButton** on;
    const char* onName;
    const char* onCaption;
    void (TfrmMain::*onClick)();
    QPushButton** off;
    const char* offName;
    const char* offCaption;
    void (TfrmMain::*offClick)();
  };
  const Pair pairs[] = {
      {"Relay", &btnRelayClose, "btnRelayClose", "Close", &TfrmMain::btnRelayCloseClick,
       &btnRelayOpen, "btnRelayOpen", "Open", &TfrmMain::btnRelayOpenClick},
      {"Output", &btnOutputHigh, "btnOutputHigh", "High", &TfrmMain::btnOutputHighClick,
       &btnOutputLow, "btnOutputLow", "Low", &TfrmMain::btnOutputLowClick},
      {"Buzzer", &btnBuzzerOn, "btnBuzzerOn", "On", &TfrmMain::btnBuzzerOnClick, &btnBuzzerOff,
       "btnBuzzerOff", "Off", &TfrmMain::btnBuzzerOffClick},
      {"3.3 V supply", &btn3V3On, "btn3V3On", "On", &TfrmMain::btn3V3OnClick, &btn3V3Off,
       "btn3V3Off", "Off", &TfrmMain::btn3V3OffClick},
  };
  int index = 0;
  for (const Pair& p : pairs) {
    // Two devices per row keep the group low on the fixed-size window.
    const int row = index / 2;
    const int column = (index % 2) * 4;
    ++index;
    grid->addWidget(new QLabel(QString::fromLatin1(p.label)), row, column);
    *p.on = new QPushButton(QString::fromLatin1(p.onCaption));
    (*p.on)->setObjectName(QLatin1String(p.onName));
    *p.off = new QPushButton(QString::fromLatin1(p.offCaption));
    (*p.off)->setObjectName(QLatin1String(p.offName));
    for (QPushButton* b : {*p.on, *p.off}) b->setFixedSize(56, 24);
    grid->addWidget(*p.on, row, column + 1);
    grid->addWidget(*p.off, row, column + 2);
    connect(*p.on, &QPushButton::clicked, this, p.onClick);
    connect(*p.off, &QPushButton::clicked, this, p.offClick);
  }
  return gboxOutputs;
}

QPushButton* TfrmMain::BuildSmsContentButton() {
  btnSmsContent = new QPushButton(QStringLiteral("SMS Content..."));
  btnSmsContent->setObjectName(QStringLiteral("btnSmsContent"));
  btnSmsContent->setToolTip(QStringLiteral("Choose the values the unit adds to its SMS message"));
  connect(btnSmsContent, &QPushButton::clicked, this, &TfrmMain::btnSmsContentClick);
  return btnSmsContent;
}

}  // namespace wr
