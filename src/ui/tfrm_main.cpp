#include "ui/tfrm_main.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "protocol/commands.h"
#include "session/unit_session.h"
#include "session/upgrade_transfer.h"
#include "session/unit_text.h"
#include "ui/app_fonts.h"
#include "ui/main_page.h"
#include "ui/permission_hint.h"
#include "ui/prompts.h"
#include "ui/settings_page.h"
#include "ui/status_page.h"
#include "ui/tfrm_upgrade.h"
#include "ui/trips_page.h"
#include "ui/upgrade_settings_backup.h"
#include "ui/widget_names.h"

// The images live in a static library, whose resources are not registered
// unless asked for by name.
static void LoadUiResources() { Q_INIT_RESOURCE(resources); }

namespace wr {

TfrmMain::TfrmMain(UnitSession& session, Prompts& prompts, DesktopShell& shell, QWidget* parent)
    : QWidget(parent), session_(session), prompts_(prompts) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Wayrunner Track"));
  // A fixed border with the system menu only.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  LoadUiResources();
  setFont(DialogFont());
  setFixedSize(519, 525);

  pageControl = Named(new QTabWidget, "pageControl");
  tabMain = new MainPage(session_, prompts_);
  tabStatus = new StatusPage(session_.Model());
  tabSettings = new SettingsPage(session_, prompts_);
  TabSheet1 = new TripsPage(session_, prompts_, shell);
  pageControl->addTab(tabMain, QStringLiteral("Main"));
  pageControl->addTab(tabStatus, QStringLiteral("Status"));
  pageControl->addTab(tabSettings, QStringLiteral("Settings"));
  pageControl->addTab(TabSheet1, QStringLiteral("Trip Meter"));
  BuildStatusPanel();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(pageControl, 1);
  layout->addWidget(panelStatus);

  tmrRefresh = Named(new QTimer(this), "tmrRefresh");
  tmrRefresh->setInterval(kInitialRefreshMs);
  connect(tmrRefresh, &QTimer::timeout, this, &TfrmMain::tmrRefreshTimer);
  timerSearch = Named(new QTimer(this), "timerSearch");
  timerSearch->setInterval(kSearchTickMs);
  connect(timerSearch, &QTimer::timeout, this, &TfrmMain::timerSearchTimer);
  tmrRefresh->start();
  timerSearch->start();

  connect(tabMain, &MainPage::versionKeyPressed, this, &TfrmMain::edtVersionKeyPress);
  connect(tabMain->btnUpgrade, &QPushButton::clicked, this, &TfrmMain::btnUpgradeClick);
  connect(&session_, &UnitSession::connectionReported, this, &TfrmMain::SetConnectionState);
  actStatusHistory = Named(new QAction(QStringLiteral("Status &History"), this), "actStatusHistory");
  connect(actStatusHistory, &QAction::triggered, this, &TfrmMain::ShowStatusHistory);
  connect(tabStatus->btnStatusHistory, &QPushButton::clicked, this, &TfrmMain::ShowStatusHistory);
  connect(&session_, &UnitSession::chargeBatteryError, this, [this] {
    prompts_.ShowMessage(
        QStringLiteral("Error: Please connect battery or wait for battery to charge!"));
  });
}

TfrmMain::~TfrmMain() { FormDestroy(); }

void TfrmMain::BuildStatusPanel() {
  panelStatus = Named(new QWidget, "panelStatus");
  panelStatus->setMinimumHeight(71);
  auto* layout = new QVBoxLayout(panelStatus);
  layout->setContentsMargins(8, 6, 8, 6);
  lblStatus = Named(new QLabel(QStringLiteral("Searching for USB device...")), "lblStatus");
  pbarSearch = Named(new QProgressBar, "pbarSearch");
  pbarSearch->setRange(0, kSearchBarMax);
  pbarSearch->setValue(0);
  pbarSearch->setTextVisible(false);
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
    SetUnitControlsEnabled(true);
  } else {
    pbarSearch->setValue(0);
    searchTicks_ = 0;
    panelStatus->show();
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
  const bool show = searchTicks_ * kSearchTickMs >= kSearchHintAfterMs &&
                    session_.Usb().LastOpenFailure() == TfrmUSB::OpenFailure::None;
  if (show && lblSearchHint->text().isEmpty())
    lblSearchHint->setText(QStringLiteral(
        "No unit has been found yet. Plug the unit into a USB port of this computer, check that "
        "it has power, and use a cable that carries data (some cables only charge)."));
  if (show != lblSearchHint->isVisibleTo(panelStatus)) lblSearchHint->setVisible(show);
}

void TfrmMain::ShowOpenFailure() {
  TfrmUSB& usb = session_.Usb();
  const TfrmUSB::OpenFailure failure = usb.LastOpenFailure();
  if (failure == TfrmUSB::OpenFailure::None) {
    if (lblOpenFailure->isVisibleTo(panelStatus)) lblOpenFailure->setVisible(false);
    return;
  }
  QString text;
  if (failure == TfrmUSB::OpenFailure::Open) {
    text = PermissionHint(QCoreApplication::applicationDirPath());
  } else {
    text = QStringLiteral(
        "A unit is attached but cannot be used: another program or driver holds it. Close "
        "other programs that use the unit, then unplug it and plug it in again.");
  }
  const std::string detail = usb.LastOpenFailureText();
  if (!detail.empty()) text += QStringLiteral(" (") + FromBytes(detail) + QStringLiteral(")");
  if (lblOpenFailure->text() != text) lblOpenFailure->setText(text);
  if (!lblOpenFailure->isVisibleTo(panelStatus)) lblOpenFailure->setVisible(true);
}

void TfrmMain::edtVersionKeyPress(QChar key) {
  if (key == QLatin1Char(kTerminalLetter) && terminalWindow_) {
    terminalWindow_->show();
    terminalWindow_->raise();
  }
}

void TfrmMain::ShowStatusHistory() {
  if (!statusHistoryWindow_) return;
  if (statusHistoryWindow_->isMinimized()) statusHistoryWindow_->showNormal();
  statusHistoryWindow_->show();
  statusHistoryWindow_->raise();
  statusHistoryWindow_->activateWindow();
}

void TfrmMain::btnUpgradeClick() {
  if (!upgradeDialog_) return;
  if (!prompts_.AskYesNo(QStringLiteral("Upgrade Firmware"),
                         QStringLiteral("Do you want to upgrade the Unit?")))
    return;

  upgradeDialog_->upgradeSucceeded = false;
  {
    // No status query may share the OK flag with the blocks; polling resumes
    // however the dialog ends.
    PollingPause pause(session_);
    upgradeDialog_->exec();
  }
  if (!upgradeDialog_->upgradeSucceeded) return;
  // The unit restarts now; give it time before the next status query.
  session_.SetQuietMs(6 * tmrRefresh->interval());
  prompts_.ShowMessage(QStringLiteral("Unit upgraded. Please wait for unit to restart"));

  // Only the unit itself can say whether the new firmware runs: an upgrade
  // is never reported done on the strength of the install command alone.
  const std::string& fileVersion = upgradeDialog_->installedVersion;
  const InstalledVersion back =
      WaitForInstalledVersion(session_, fileVersion, upgradeDialog_->connectionsAtInstall,
                              upgradeDialog_->Timings().restartLimitMs);
  if (session_.Quitting()) return;
  switch (back.result) {
    case InstalledVersion::Result::FileVersion:
      prompts_.ShowMessage(QStringLiteral("The unit has restarted and runs firmware version %1, "
                                          "the version of the upgrade file.")
                               .arg(FromBytes(back.version)));
      break;
    case InstalledVersion::Result::OtherVersion:
      prompts_.ShowMessage(QStringLiteral("The unit has restarted with firmware version %1, not "
                                          "version %2 of the upgrade file: the upgrade did not "
                                          "take effect.")
                               .arg(FromBytes(back.version), FromBytes(fileVersion)));
      break;
    case InstalledVersion::Result::NotBack:
      prompts_.ShowMessage(QStringLiteral("The unit has not come back within %1 seconds of the "
                                          "upgrade, so it is not known to run version %2. Check "
                                          "that it is plugged in and starts.")
                               .arg(upgradeDialog_->Timings().restartLimitMs / 1000)
                               .arg(FromBytes(fileVersion)));
      break;
  }
  // The settings kept before the transfer, offered back when they changed.
  if (back.result != InstalledVersion::Result::NotBack)
    upgradeDialog_->SettingsBackup().OfferRestore();
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
    // Centred on the screen the first time it is shown.
    if (QScreen* screen = this->screen()) {
      const QRect area = screen->availableGeometry();
      move(area.center() - rect().center());
    }
    FormShow();
  }
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!tabSettings->ConfirmLosingEdits(QStringLiteral("Close"),
                                       QStringLiteral("They are lost when the window closes. "
                                                      "Close anyway?"),
                                       false)) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace wr
