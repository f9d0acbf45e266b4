// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/tfrm_main.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

#include "protocol/commands.h"
#include "session/unit_roster.h"
#include "session/unit_session.h"
#include "session/translations.h"
#include "session/unit_text.h"
#include "ui/app_fonts.h"
#include "ui/help_dialogs.h"
#include "ui/main_page.h"
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

QString LocationText(const UsbLocation& location) {
  char text[32];
  std::snprintf(text, sizeof text, "bus %03d, address %03d", location.bus, location.address);
  return QString::fromLatin1(text);
}

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

  // The pages grow with the window; the searching display keeps its height.
  auto* client = new ClientArea;
  client->setObjectName(QStringLiteral("pnlClient"));
  auto* clientLayout = new QVBoxLayout(client);
  clientLayout->setContentsMargins(0, 0, 0, 0);
  clientLayout->setSpacing(0);
  clientLayout->addWidget(pnlUnits);
  clientLayout->addWidget(pageControl, 1);
  clientLayout->addWidget(panelStatus);

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

void TfrmMain::BuildUnitsPanel() {
  pnlUnits = Named(new QWidget, "pnlUnits");
  auto* layout = new QHBoxLayout(pnlUnits);
  layout->setContentsMargins(8, 4, 8, 4);
  lblUnits = Named(new QLabel, "lblUnits");
  cboxUnit = Named(new QComboBox, "cboxUnit");
  cboxUnit->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  lblUnits->setBuddy(cboxUnit);
  cboxUnit->setAccessibleName(tr("Unit shown"));
  cboxUnit->view()->setAccessibleName(tr("Units attached"));
  layout->addWidget(lblUnits);
  layout->addWidget(cboxUnit, 1);
  // activated: the user's own pick, not the list being filled.
  connect(cboxUnit, &QComboBox::activated, this, &TfrmMain::cboxUnitChange);
  pnlUnits->setVisible(false);
}

QAction* TfrmMain::UnitAction(QMenu* menu, const char* name, const QString& caption,
                              QPushButton* button, std::function<void()> handler) {
  QAction* action = Named(menu->addAction(caption), name);
  connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
  action->setEnabled(button->isEnabled());
  // Enabled-change events reach the button also when its group is switched.
  button->installEventFilter(this);
  mirrored_.emplace_back(button, action);
  return action;
}

void TfrmMain::BuildMenus() {
  mnuMain = Named(new QMenuBar(this), "mnuMain");

  mnuFile = Named(mnuMain->addMenu(tr("&File")), "mnuFile");
  actOpenProfile = Named(mnuFile->addAction(tr("&Open profile...")), "actOpenProfile");
  actOpenProfile->setShortcut(QKeySequence::Open);
  actSaveProfile = Named(mnuFile->addAction(tr("&Save profile...")), "actSaveProfile");
  actSaveProfile->setShortcut(QKeySequence::Save);
  actCompareProfile =
      Named(mnuFile->addAction(tr("&Compare with profile...")), "actCompareProfile");
  mnuFile->addSeparator();
  actExportTrips = Named(mnuFile->addAction(tr("&Export trips...")), "actExportTrips");
  actExportTrips->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  mnuFile->addSeparator();
  actPreferences = Named(mnuFile->addAction(tr("&Preferences...")), "actPreferences");
  actPreferences->setShortcuts(QKeySequence::keyBindings(QKeySequence::Preferences));
  actPreferences->setMenuRole(QAction::PreferencesRole);
  connect(actPreferences, &QAction::triggered, this, &TfrmMain::ShowPreferences);
  mnuFile->addSeparator();
  actQuit = Named(mnuFile->addAction(tr("&Quit")), "actQuit");
  // The desktop's own keys where it names them, else those of most desktops.
  actQuit->setShortcuts(QKeySequence::keyBindings(QKeySequence::Quit));
  if (actQuit->shortcuts().isEmpty()) actQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  actQuit->setMenuRole(QAction::QuitRole);
  connect(actOpenProfile, &QAction::triggered, this, &TfrmMain::openProfileRequested);
  connect(actSaveProfile, &QAction::triggered, this, &TfrmMain::saveProfileRequested);
  connect(actCompareProfile, &QAction::triggered, this, &TfrmMain::compareProfileRequested);
  connect(actExportTrips, &QAction::triggered, this, &TfrmMain::exportTripsRequested);
  // Through closeEvent, as the window's own close button.
  connect(actQuit, &QAction::triggered, this, &QWidget::close);

  // The same handlers as the buttons, so the questions are the same; none
  // has a shortcut, as each changes the unit.
  mnuUnit = Named(mnuMain->addMenu(tr("&Unit")), "mnuUnit");
  MainPage* page = tabMain;
  actReboot = UnitAction(mnuUnit, "actReboot", tr("&Reboot"), page->btnReboot,
                         [page] { page->btnRebootClick(); });
  actFactoryReset = UnitAction(mnuUnit, "actFactoryReset", tr("&Factory reset"),
                               page->btnFactory, [page] { page->btnFactoryClick(); });
  actSendDefaults = UnitAction(mnuUnit, "actSendDefaults", tr("Send &defaults"),
                               page->btnDefaults, [page] { page->btnDefaultsClick(); });
  mnuUnit->addSeparator();
  actUpgrade = UnitAction(mnuUnit, "actUpgrade", tr("&Upgrade firmware..."),
                          page->btnUpgrade, [this] { btnUpgradeClick(); });
  mnuUnit->addSeparator();
  mnuOutputs = Named(mnuUnit->addMenu(tr("&Outputs")), "mnuOutputs");
  actRelayClose = UnitAction(mnuOutputs, "actRelayClose", tr("Relay &close"),
                             page->btnRelayClose, [page] { page->btnRelayCloseClick(); });
  actRelayOpen = UnitAction(mnuOutputs, "actRelayOpen", tr("Relay &open"),
                            page->btnRelayOpen, [page] { page->btnRelayOpenClick(); });
  mnuOutputs->addSeparator();
  actOutputHigh = UnitAction(mnuOutputs, "actOutputHigh", tr("Output &high"),
                             page->btnOutputHigh, [page] { page->btnOutputHighClick(); });
  actOutputLow = UnitAction(mnuOutputs, "actOutputLow", tr("Output &low"),
                            page->btnOutputLow, [page] { page->btnOutputLowClick(); });
  mnuOutputs->addSeparator();
  actBuzzerOn = UnitAction(mnuOutputs, "actBuzzerOn", tr("&Buzzer on"),
                           page->btnBuzzerOn, [page] { page->btnBuzzerOnClick(); });
  actBuzzerOff = UnitAction(mnuOutputs, "actBuzzerOff", tr("B&uzzer off"),
                            page->btnBuzzerOff, [page] { page->btnBuzzerOffClick(); });
  mnuOutputs->addSeparator();
  act3V3On = UnitAction(mnuOutputs, "act3V3On", tr("&3.3 V supply on"),
                        page->btn3V3On, [page] { page->btn3V3OnClick(); });
  act3V3Off = UnitAction(mnuOutputs, "act3V3Off", tr("3.3 V supply o&ff"),
                         page->btn3V3Off, [page] { page->btn3V3OffClick(); });

  mnuView = Named(mnuMain->addMenu(tr("&View")), "mnuView");
  actDebugTerminal = Named(mnuView->addAction(tr("&Debug terminal")), "actDebugTerminal");
  actDebugTerminal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  connect(actDebugTerminal, &QAction::triggered, this, &TfrmMain::ShowTerminal);
  actStatusHistory = Named(mnuView->addAction(tr("Status &history")), "actStatusHistory");
  actStatusHistory->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  connect(actStatusHistory, &QAction::triggered, this, &TfrmMain::ShowStatusHistory);
  mnuView->addSeparator();
  BuildLanguageMenu();

  mnuHelp = Named(mnuMain->addMenu(tr("&Help")), "mnuHelp");
  actLinuxHelp = Named(mnuHelp->addAction(tr("&Using a unit on Linux")), "actLinuxHelp");
  actLinuxHelp->setShortcut(QKeySequence::HelpContents);
  connect(actLinuxHelp, &QAction::triggered, this, [this] { ShowInFront(LinuxHelp()); });
  actAbout = Named(mnuHelp->addAction(tr("&About Wayrunner Track")), "actAbout");
  actAbout->setMenuRole(QAction::AboutRole);
  connect(actAbout, &QAction::triggered, this, [this] { ShowInFront(About()); });
}

void TfrmMain::BuildLanguageMenu() {
  mnuLanguage = Named(mnuView->addMenu(tr("&Language")), "mnuLanguage");
  auto* group = new QActionGroup(mnuLanguage);
  const QString chosen = ChosenLanguage();
  auto add = [this, group, &chosen](const QString& caption, const QString& code) {
    QAction* action = mnuLanguage->addAction(caption);
    action->setObjectName(QStringLiteral("actLanguage_") +
                          (code.isEmpty() ? QStringLiteral("system") : code));
    action->setCheckable(true);
    action->setChecked(code == chosen);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, code] {
      if (code == ChosenLanguage()) return;
      SetChosenLanguage(code);
      prompts_.ShowMessage(
          tr("The language you chose is used from the next start of Wayrunner Track."));
    });
    return action;
  };
  actLanguageSystem = add(tr("&System language"), QString());
  mnuLanguage->addSeparator();
  // Each language by its own name, so that a user finds theirs in any.
  add(QStringLiteral("English"), QStringLiteral("en"));
  for (const QString& code : AvailableLanguages()) {
    const QLocale locale(code);
    QString name = locale.nativeLanguageName();
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    add(name.isEmpty() ? code : name, code);
  }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    for (const auto& [button, action] : mirrored_)
      if (button == watched) action->setEnabled(button->isEnabled());
  }
  return QWidget::eventFilter(watched, event);
}

LinuxHelpDialog& TfrmMain::LinuxHelp() {
  if (!linuxHelp_) linuxHelp_ = new LinuxHelpDialog(this);
  return *linuxHelp_;
}

AboutDialog& TfrmMain::About() {
  if (!about_) about_ = new AboutDialog(this);
  return *about_;
}

void TfrmMain::SetUnitRoster(UnitRoster* roster) {
  roster_ = roster;
  if (roster_) connect(roster_, &UnitRoster::changed, this, &TfrmMain::ShowUnits);
  ShowUnits();
}

void TfrmMain::ShowUnits() {
  const std::vector<UnitRoster::Entry> none;
  const std::vector<UnitRoster::Entry>& units = roster_ ? roster_->Units() : none;
  const bool missing = roster_ && roster_->ChosenMissing();
  const bool show = units.size() > 1 || missing;
  if (show) {
    QSignalBlocker quiet(cboxUnit);
    cboxUnit->clear();
    int current = -1;
    for (const UnitRoster::Entry& unit : units) {
      QString who;
      switch (unit.idState) {
        case UnitRoster::IdState::Known:
          who = tr("Unit %1").arg(FromBytes(unit.deviceId));
          break;
        case UnitRoster::IdState::Asking:
          who = tr("Asking for its device id...");
          break;
        case UnitRoster::IdState::Unknown:
          who = tr("Device id unknown");
          break;
        case UnitRoster::IdState::CannotOpen:
          who = tr("Cannot be opened (in use, or no permission)");
          break;
      }
      cboxUnit->addItem(QStringLiteral("%1  (USB %2)").arg(who, LocationText(unit.location)));
      const bool chosen = roster_->Chosen() && *roster_->Chosen() == unit.location;
      if (unit.shown || (current < 0 && chosen)) current = cboxUnit->count() - 1;
    }
    if (missing) {
      const std::string& id = roster_->ChosenDeviceId();
      cboxUnit->insertItem(0, tr("Unit %1  (not attached now)")
                                  .arg(id.empty() ? LocationText(*roster_->Chosen())
                                                  : FromBytes(id)));
      current = 0;
    }
    cboxUnit->setCurrentIndex(current);
    const QString text =
        missing ? tr("The unit chosen is not attached. &Show:")
                : tr("%n units are attached. &Show:", nullptr, static_cast<int>(units.size()));
    if (lblUnits->text() != text) lblUnits->setText(text);
  }
  if (show != pnlUnits->isVisibleTo(this)) pnlUnits->setVisible(show);
}

void TfrmMain::cboxUnitChange(int index) {
  if (!roster_) return;
  // The list may start with the chosen unit that is not attached.
  if (roster_->ChosenMissing()) --index;
  const std::vector<UnitRoster::Entry>& units = roster_->Units();
  const bool other = index >= 0 && index < static_cast<int>(units.size()) &&
                     !units[static_cast<size_t>(index)].shown;
  if (other && tabSettings->ConfirmLosingEdits(
                   tr("Choose unit"),
                   tr("They are lost when the window shows another unit. "
                                  "Show it anyway?")))
    roster_->Choose(units[static_cast<size_t>(index)].location);
  // The box shows what the window shows, also when nothing changed.
  ShowUnits();
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
