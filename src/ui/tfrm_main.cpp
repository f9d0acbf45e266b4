// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/tfrm_main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "protocol/commands.h"
#include "session/unit_session.h"
#include "ui/app_fonts.h"
#include "ui/help_dialogs.h"
#include "ui/main_page.h"
#include "ui/operation_bar.h"
#include "ui/preferences_dialog.h"
#include "ui/prompts.h"
#include "ui/settings_page.h"
#include "ui/status_page.h"
#include "ui/tfrm_upgrade.h"
#include "ui/trips_page.h"
#include "ui/widget_names.h"
#include "ui/window_geometry.h"

// The images live in a static library, whose resources are not registered
// unless asked for by name.
static void LoadUiResources() { Q_INIT_RESOURCE(resources); }

namespace wr {
namespace {

// The pages and the searching display: never smaller than the window's
// original client area, nor than its contents need.
class ClientArea : public QWidget {
 public:
  QSize minimumSizeHint() const override {
    return QWidget::minimumSizeHint().expandedTo(
        QSize(TfrmMain::kClientWidth, TfrmMain::kClientHeight));
  }
  // As the pages would have it: the Trip Meter as wide as its texts need.
  QSize sizeHint() const override { return QWidget::sizeHint().expandedTo(minimumSizeHint()); }
};

}  // namespace

TfrmMain::TfrmMain(UnitSession& session, Prompts& prompts, DesktopShell& shell, QWidget* parent)
    : QWidget(parent), session_(session), prompts_(prompts) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Wayrunner Track"));
  setWindowFlag(Qt::Window);
  LoadUiResources();
  setFont(DialogFont());

  pageControl = Named(new QTabWidget, "pageControl");
  tabMain = new MainPage(session_, prompts_);
  tabStatus = new StatusPage(session_.Model());
  tabSettings = new SettingsPage(session_, prompts_);
  TabSheet1 = new TripsPage(session_, prompts_, shell);
  pageControl->addTab(tabMain, tr("Main"));
  pageControl->addTab(tabStatus, tr("Status"));
  pageControl->addTab(tabSettings, tr("Settings"));
  pageControl->addTab(TabSheet1, tr("Trip Meter"));
  BuildStatusPanel();

  BuildUnitsPanel();
  pnlOperation = new OperationBar(session_);

  // The pages grow with the window; the searching display keeps its height.
  auto* client = new ClientArea;
  client->setObjectName(QStringLiteral("pnlClient"));
  auto* clientLayout = new QVBoxLayout(client);
  clientLayout->setContentsMargins(0, 0, 0, 0);
  clientLayout->setSpacing(0);
  clientLayout->addWidget(pnlUnits);
  clientLayout->addWidget(pageControl, 1);
  clientLayout->addWidget(panelStatus);
  clientLayout->addWidget(pnlOperation);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(client, 1);

  tmrRefresh = Named(new QTimer(this), "tmrRefresh");
  tmrRefresh->setInterval(kInitialRefreshMs);
  connect(tmrRefresh, &QTimer::timeout, this, &TfrmMain::tmrRefreshTimer);
  timerSearch = Named(new QTimer(this), "timerSearch");
  timerSearch->setInterval(kSearchTickMs);
  connect(timerSearch, &QTimer::timeout, this, &TfrmMain::timerSearchTimer);
  if (session_.UsesDeviceEvents()) {
    // Nothing ticks while no unit is attached: the worker hears of one
    // plugged in, so the display waits rather than searches.
    lblStatus->setText(tr("Waiting for a unit to be plugged in..."));
    pbarSearch->setVisible(false);
    connect(&session_, &UnitSession::devicesChanged, this, [this] {
      ShowOpenFailure();
      ShowSearchHint();
    });
  } else {
    tmrRefresh->start();
    timerSearch->start();
  }

  connect(tabMain, &MainPage::versionKeyPressed, this, &TfrmMain::edtVersionKeyPress);
  connect(tabMain->btnUpgrade, &QPushButton::clicked, this, &TfrmMain::btnUpgradeClick);
  connect(&session_, &UnitSession::connectionReported, this, &TfrmMain::SetConnectionState);
  BuildMenus();
  layout->setMenuBar(mnuMain);
  connect(tabStatus->btnStatusHistory, &QPushButton::clicked, this, &TfrmMain::ShowStatusHistory);
  connect(&session_, &UnitSession::chargeBatteryError, this, [this] {
    prompts_.ShowMessage(
        tr("Error: Please connect battery or wait for battery to charge!"));
  });
}

TfrmMain::~TfrmMain() { FormDestroy(); }

void TfrmMain::BuildStatusPanel() {
  panelStatus = Named(new QWidget, "panelStatus");
  panelStatus->setMinimumHeight(71);
  auto* layout = new QVBoxLayout(panelStatus);
  layout->setContentsMargins(8, 6, 8, 6);
  lblStatus = Named(new QLabel(tr("Searching for USB device...")), "lblStatus");
  pbarSearch = Named(new QProgressBar, "pbarSearch");
  pbarSearch->setRange(0, kSearchBarMax);
  pbarSearch->setValue(0);
  pbarSearch->setTextVisible(false);
  pbarSearch->setAccessibleName(tr("Searching for a unit"));
  lblOpenFailure = Named(new QLabel, "lblOpenFailure");
  lblOpenFailure->setWordWrap(true);
  lblOpenFailure->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblSearchHint = Named(new QLabel, "lblSearchHint");
  lblSearchHint->setWordWrap(true);
  layout->addWidget(lblStatus);
  layout->addWidget(pbarSearch);
  layout->addWidget(lblOpenFailure);
  layout->addWidget(lblSearchHint);
  lblOpenFailure->setVisible(false);
  lblSearchHint->setVisible(false);
}

LinuxHelpDialog& TfrmMain::LinuxHelp() {
  if (!linuxHelp_) linuxHelp_ = new LinuxHelpDialog(this);
  return *linuxHelp_;
}

AboutDialog& TfrmMain::About() {
  if (!about_) about_ = new AboutDialog(this);
  return *about_;
}

PreferencesDialog& TfrmMain::Preferences() {
  if (!preferences_) preferences_ = new PreferencesDialog(prompts_, this);
  return *preferences_;
}

void TfrmMain::ShowPreferences() {
  Preferences().Load();
  Preferences().exec();
}

int TfrmMain::RefreshInterval() const { return tmrRefresh->interval(); }

void TfrmMain::SetUnitControlsEnabled(bool enabled) {
  tabMain->SetUnitControlsEnabled(enabled);
  tabSettings->SetUnitControlsEnabled(enabled);
  TabSheet1->SetUnitControlsEnabled(enabled);
}

void TfrmMain::SetConnectionState(int connected) {
  if (connected == lastConnectionState_) return;
  lastConnectionState_ = connected;
  if (connected) {
    // The session has sent "ATI" and the initial queries.
    panelStatus->hide();
    timerSearch->stop();
    if (!tmrRefresh->isActive()) tmrRefresh->start();
    SetUnitControlsEnabled(true);
  } else {
    pbarSearch->setValue(0);
    searchTicks_ = 0;
    panelStatus->show();
    if (session_.UsesDeviceEvents())
      tmrRefresh->stop();
    else
      timerSearch->start();
    SetUnitControlsEnabled(false);
    ShowOpenFailure();
    ShowSearchHint();
  }
}

void TfrmMain::SendInitialQueries() { session_.SendInitialQueries(); }

void TfrmMain::ClearDisplay() { session_.Model().Clear(); }

void TfrmMain::SetRefreshInterval(int ms) {
  if (session_.IsConnected()) session_.SendCommand(cmd::kStats);
  tmrRefresh->setInterval(ms);
  tabStatus->ShowPollingPeriod(ms == kInitialRefreshMs ? 0 : ms);
  emit refreshIntervalChanged(ms);
}

void TfrmMain::tmrRefreshTimer() {
  if (refreshBusy_) return;
  refreshBusy_ = true;
  // Only while a unit is open and the window shows it: with nothing attached
  // a poll would be echoed twice a second for a line that is never written,
  // and before the connected display the initial queries come first.
  if (lastConnectionState_ == 1) session_.PollIfQuiet(UnitSession::kQuietBeforePollMs);
  refreshBusy_ = false;
}

void TfrmMain::timerSearchTimer() {
  if (pbarSearch->value() < pbarSearch->maximum()) {
    pbarSearch->setValue(pbarSearch->value() + 1);
  } else {
    pbarSearch->setValue(0);
  }
  ++searchTicks_;
  ShowOpenFailure();
  ShowSearchHint();
}

void TfrmMain::ShowSearchHint() {
  // Only when nothing at all was found: an attached unit that cannot be
  // opened has its own explanation above.
  // Waiting for a unit to be plugged in, the hint is there at once.
  const bool waited =
      session_.UsesDeviceEvents() || searchTicks_ * kSearchTickMs >= kSearchHintAfterMs;
  const bool show = waited && session_.OpenFailure() == UsbOpenFailure::None;
  if (show && lblSearchHint->text().isEmpty())
    lblSearchHint->setText(tr(
        "No unit has been found yet. Plug the unit into a USB port of this computer, check that "
        "it has power, and use a cable that carries data (some cables only charge)."));
  if (show != lblSearchHint->isVisibleTo(panelStatus)) lblSearchHint->setVisible(show);
}

void TfrmMain::ShowOpenFailure() {
  const QString text = session_.OpenFailureText();
  if (text.isEmpty()) {
    if (lblOpenFailure->isVisibleTo(panelStatus)) lblOpenFailure->setVisible(false);
    return;
  }
  if (lblOpenFailure->text() != text) lblOpenFailure->setText(text);
  if (!lblOpenFailure->isVisibleTo(panelStatus)) lblOpenFailure->setVisible(true);
}

void TfrmMain::edtVersionKeyPress(QChar key) {
  if (key == QLatin1Char(kTerminalLetter)) ShowTerminal();
}

void TfrmMain::ShowTerminal() {
  if (terminalWindow_) ShowInFront(*terminalWindow_);
}

void TfrmMain::ShowStatusHistory() {
  if (statusHistoryWindow_) ShowInFront(*statusHistoryWindow_);
}

void TfrmMain::btnUpgradeClick() {
  if (!upgradeDialog_ || upgradeDialog_->Busy()) return;
  if (!prompts_.AskYesNo(tr("Upgrade Firmware"),
                         tr("Do you want to upgrade the Unit?")))
    return;
  upgradeDialog_->Run(6 * tmrRefresh->interval());
}

void TfrmMain::FormShow() {
  ClearDisplay();
  pageControl->setCurrentWidget(tabMain);
}

void TfrmMain::FormResize() { TabSheet1->ApplyTripColumnWidths(); }

void TfrmMain::FormDestroy() { TabSheet1->FreePlaceStore(); }

void TfrmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    // Where the user left it; the first time as large as the pages would
    // have it (within the screen), centred.
    if (!RestoreWindowGeometry(*this, QString::fromLatin1(kGeometryGroup))) {
      QSize size = sizeHint().expandedTo(minimumSizeHint());
      if (QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        size = size.boundedTo(area.size()).expandedTo(minimumSizeHint());
        resize(size);
        move(area.center() - rect().center());
      } else {
        resize(size);
      }
    }
    FormShow();
  }
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!tabSettings->ConfirmLosingEdits(tr("Close"),
                                       tr("They are lost when the window closes. "
                                                      "Close anyway?"),
                                       false)) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
  if (!event->isAccepted()) return;
  SaveWindowGeometry(*this, QString::fromLatin1(kGeometryGroup));
  emit closed();
}

}  // namespace wr
