// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main_page.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "protocol/settings_commands.h"
#include "ui/operation_runner.h"
#include "ui/preferences_dialog.h"
#include "ui/prompts.h"
#include "ui/widget_names.h"
#include "version.h"

namespace wr {

const char* const MainPage::kDefaultsCaption = QT_TR_NOOP("Send defaults");

QString MainPage::DefaultsQuestion(const QString& host) {
  QString list;
  for (const Message& line : DefaultsDescription(ToBytes(host)))
    list += QStringLiteral("\n\u2022 ") + Translated(line);
  return tr("Sending the defaults overwrites these settings of the unit:\n%1\n\nAre you sure?")
      .arg(list);
}

namespace {

// The original sizes are the least a button takes; a larger font widens it
// rather than cutting its caption.
QPushButton* UnitButton(const char* name, const QString& caption) {
  auto* button = Named(new QPushButton(caption), name);
  button->setMinimumSize(144, 28);
  button->setEnabled(false);
  return button;
}

}  // namespace

MainPage::MainPage(UnitSession& session, Prompts& prompts, QWidget* parent)
    : QWidget(parent), session_(session), prompts_(prompts) {
  setObjectName(QStringLiteral("tabMain"));
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 4);

  pnlWayrunner = Named(new QWidget, "pnlWayrunner");
  pnlWayrunner->setMinimumHeight(133);
  pnlWayrunner->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  pnlWayrunner->setAutoFillBackground(true);
  QPalette banner = pnlWayrunner->palette();
  banner.setColor(QPalette::Window, QColor(0x80, 0x00, 0x00));
  banner.setColor(QPalette::WindowText, Qt::white);
  pnlWayrunner->setPalette(banner);
  imgWayrunner = Named(new QLabel, "imgWayrunner");
  imgWayrunner->setPixmap(QPixmap(QStringLiteral(":/images/banner.png")));
  LabelVersion = Named(new QLabel(tr("Version: ") + QString::fromLatin1(kVersionShort)),
                       "LabelVersion");
  lblMaker = Named(new QLabel(tr(
                       "Set up your tracking unit, watch it live\nand read its trip log.\n"
                       "Made by the Wayrunner Track developers.")),
                   "lblMaker");
  lblMaker->setWordWrap(true);
  auto* bannerLayout = new QHBoxLayout(pnlWayrunner);
  bannerLayout->setContentsMargins(8, 8, 8, 8);
  bannerLayout->addWidget(imgWayrunner, 0, Qt::AlignVCenter);
  auto* bannerText = new QVBoxLayout;
  bannerText->addStretch(1);
  bannerText->addWidget(LabelVersion);
  bannerText->addWidget(lblMaker);
  bannerLayout->addLayout(bannerText, 1);
  page->addWidget(pnlWayrunner);

  GroupBox9 = Named(new QGroupBox(tr("About")), "GroupBox9");
  auto* about = new QHBoxLayout(GroupBox9);
  auto* boxes = new QFormLayout;
  edtVersion = ReadOnlyBox("edtVersion");
  edtVersion->installEventFilter(this);
  edtSerial = ReadOnlyBox("edtSerial");
  boxes->addRow(tr("Firmware Version"), edtVersion);
  boxes->addRow(tr("Device ID"), edtSerial);
  about->addLayout(boxes, 1);
  auto* buttons = new QVBoxLayout;
  btnReboot = UnitButton("btnReboot", tr("Reboot Unit"));
  btnUpgrade = UnitButton("btnUpgrade", tr("Upgrade Unit"));
  btnFactory = UnitButton("btnFactory", tr("Reset to Factory defaults"));
  btnDefaults = UnitButton("btnDefaults", tr("Send defaults"));
  for (QPushButton* b : {btnReboot, btnUpgrade, btnFactory, btnDefaults}) buttons->addWidget(b);
  buttons->addStretch(1);
  about->addLayout(buttons);
  connect(btnReboot, &QPushButton::clicked, this, &MainPage::btnRebootClick);
  connect(btnFactory, &QPushButton::clicked, this, &MainPage::btnFactoryClick);
  connect(btnDefaults, &QPushButton::clicked, this, &MainPage::btnDefaultsClick);
  page->addWidget(GroupBox9, 1);
  page->addWidget(BuildOutputsGroup());

  UnitModel& model = session_.Model();
  connect(&model, &UnitModel::firmwareVersionChanged, this,
          [this, &model] { edtVersion->setText(FromBytes(model.FirmwareVersion())); });
  connect(&model, &UnitModel::deviceIdChanged, this,
          [this, &model] { edtSerial->setText(FromBytes(model.DeviceId())); });
}

QGroupBox* MainPage::BuildOutputsGroup() {
  gboxOutputs = Named(new QGroupBox(tr("Outputs")), "gboxOutputs");
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
    void (MainPage::*onClick)();
    QPushButton** off;
    const char* offName;
    const char* offCaption;
    void (MainPage::*offClick)();
    // What a screen reader says: the caption alone does not tell the
    // devices apart.
    const char* onAccessible;
    const char* offAccessible;
  };
  const Pair pairs[] = {
      {QT_TR_NOOP("Relay"), &btnRelayClose, "btnRelayClose", QT_TR_NOOP("Close"), &MainPage::btnRelayCloseClick,
       &btnRelayOpen, "btnRelayOpen", QT_TR_NOOP("Open"), &MainPage::btnRelayOpenClick,
       QT_TR_NOOP("Relay close"), QT_TR_NOOP("Relay open")},
      {QT_TR_NOOP("Output"), &btnOutputHigh, "btnOutputHigh", QT_TR_NOOP("High"), &MainPage::btnOutputHighClick,
       &btnOutputLow, "btnOutputLow", QT_TR_NOOP("Low"), &MainPage::btnOutputLowClick,
       QT_TR_NOOP("Output high"), QT_TR_NOOP("Output low")},
      {QT_TR_NOOP("Buzzer"), &btnBuzzerOn, "btnBuzzerOn", QT_TR_NOOP("On"), &MainPage::btnBuzzerOnClick, &btnBuzzerOff,
       "btnBuzzerOff", QT_TR_NOOP("Off"), &MainPage::btnBuzzerOffClick, QT_TR_NOOP("Buzzer on"),
       QT_TR_NOOP("Buzzer off")},
      {QT_TR_NOOP("3.3 V supply"), &btn3V3On, "btn3V3On", QT_TR_NOOP("On"), &MainPage::btn3V3OnClick, &btn3V3Off,
       "btn3V3Off", QT_TR_NOOP("Off"), &MainPage::btn3V3OffClick, QT_TR_NOOP("3.3 V supply on"),
       QT_TR_NOOP("3.3 V supply off")},
  };
  int index = 0;
  for (const Pair& p : pairs) {
    // Two devices per row keep the group low.
    const int row = index / 2;
    const int column = (index % 2) * 4;
    ++index;
    grid->addWidget(new QLabel(tr(p.label)), row, column);
    *p.on = Named(new QPushButton(tr(p.onCaption)), p.onName);
    *p.off = Named(new QPushButton(tr(p.offCaption)), p.offName);
    (*p.on)->setAccessibleName(tr(p.onAccessible));
    (*p.off)->setAccessibleName(tr(p.offAccessible));
    for (QPushButton* b : {*p.on, *p.off}) b->setMinimumSize(56, 24);
    grid->addWidget(*p.on, row, column + 1);
    grid->addWidget(*p.off, row, column + 2);
    connect(*p.on, &QPushButton::clicked, this, p.onClick);
    connect(*p.off, &QPushButton::clicked, this, p.offClick);
  }
  return gboxOutputs;
}

void MainPage::SetUnitControlsEnabled(bool enabled) {
  for (QWidget* w : {static_cast<QWidget*>(btnReboot), static_cast<QWidget*>(btnUpgrade),
                     static_cast<QWidget*>(btnFactory), static_cast<QWidget*>(btnDefaults),
                     static_cast<QWidget*>(gboxOutputs)})
    w->setEnabled(enabled);
}

void MainPage::ShowMessage(const QString& message, MessageKind kind) {
  if (!message.isEmpty()) prompts_.ShowMessage(message, kind);
}

void MainPage::btnRebootClick() {
  if (!prompts_.AskYesNo(tr("Reboot"), tr("Reboot unit?"))) return;
  if (!EditsMayGo(tr("Reboot"),
                  tr("They are lost when the unit restarts. Reboot anyway?")))
    return;
  StartOperation(this, MakeReboot(session_),
                 [this](const UnitSession::Outcome& outcome) { ShowMessage(outcome.message); });
}

void MainPage::btnFactoryClick() {
  QString question = tr("You will lose all your settings!! Are you sure?");
  // The unit clears its trip log with its settings.
  question += QLatin1Char('\n') + tr("The unit also clears its trip log.");
  if (tripLog_.erasedText) question += QLatin1Char(' ') + tripLog_.erasedText();
  if (!prompts_.AskYesNo(tr("Reset to Factory"), question)) return;
  if (!EditsMayGo(tr("Reset to Factory"),
                  tr("They are lost with the reset. Reset anyway?")))
    return;
  const auto reset = [this] {
    StartOperation(this, MakeFactoryReset(session_),
                   [this](const UnitSession::Outcome& outcome) { ShowMessage(outcome.message); });
  };
  if (!tripLog_.offerExport) return reset();
  tripLog_.offerExport(tr("Reset to Factory"), tr("The unit was not reset."),
                       [reset](bool go) {
                         if (go) reset();
                       });
}

QString MainPage::AskForTrackingHost() {
  QString host;
  if (!prompts_.InputBox(tr(kDefaultsCaption),
                         tr("No tracking server is set. Send defaults writes the server your "
                            "units report to; enter its host name or address (it is kept in "
                            "File > Preferences):"),
                         host))
    return QString();
  host = host.trimmed();
  const QString problem = TrackingHostProblem(host);
  if (!problem.isEmpty()) {
    prompts_.ShowMessage(problem + QLatin1Char('\n') + tr("Nothing was sent."), MessageKind::Warning);
    return QString();
  }
  SetTrackingHostPreference(host);
  return host;
}

void MainPage::btnDefaultsClick() {
  // No server is chosen for the user: without one, nothing is sent.
  QString host = EffectiveTrackingHost();
  if (!TrackingHostIsSet(ToBytes(host))) {
    host = AskForTrackingHost();
    if (host.isEmpty()) return;
  }
  if (!prompts_.AskYesNo(tr(kDefaultsCaption), DefaultsQuestion(host))) return;
  if (!EditsMayGo(tr("Send defaults"),
                  tr("They are lost when the defaults are sent. Send them anyway?")))
    return;
  QPushButton* const about[] = {btnDefaults, btnReboot, btnUpgrade, btnFactory};
  for (QPushButton* b : about) b->setEnabled(false);
  StartOperation(this, MakeSendDefaults(session_, ToBytes(host)),
                 [this](const UnitSession::Outcome& outcome) {
                   // A unit lost meanwhile has already disabled them; keep it so.
                   const bool connected = session_.ConnectionState() > 0;
                   for (QPushButton* b : {btnDefaults, btnReboot, btnUpgrade, btnFactory})
                     b->setEnabled(connected);
                   ShowMessage(outcome.message,
                               outcome.done ? MessageKind::Information : MessageKind::Warning);
                 });
}

bool MainPage::EditsMayGo(const QString& caption, const QString& consequence) {
  return !editsGuard_ || editsGuard_(caption, consequence);
}

void MainPage::SwitchOutput(UnitOutput output, bool on) {
  StartOperation(this, MakeSetOutput(session_, output, on));
}

void MainPage::btnRelayCloseClick() { SwitchOutput(UnitOutput::Relay, true); }
void MainPage::btnRelayOpenClick() { SwitchOutput(UnitOutput::Relay, false); }
void MainPage::btnOutputHighClick() { SwitchOutput(UnitOutput::Output, true); }
void MainPage::btnOutputLowClick() { SwitchOutput(UnitOutput::Output, false); }
void MainPage::btnBuzzerOnClick() { SwitchOutput(UnitOutput::Buzzer, true); }
void MainPage::btnBuzzerOffClick() { SwitchOutput(UnitOutput::Buzzer, false); }
void MainPage::btn3V3OnClick() { SwitchOutput(UnitOutput::Supply3V3, true); }
void MainPage::btn3V3OffClick() { SwitchOutput(UnitOutput::Supply3V3, false); }

bool MainPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtVersion && event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!text.isEmpty()) emit versionKeyPressed(text.at(0));
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace wr
