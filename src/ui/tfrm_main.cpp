#include "ui/tfrm_main.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "link/send_command.h"
#include "link/tfrm_usb.h"
#include "link/usb_comms.h"
#include "protocol/commands.h"
#include "protocol/reply_dispatch.h"
#include "ui/app_fonts.h"

// The images live in a static library, whose resources are not registered
// unless asked for by name.
static void LoadUiResources() { Q_INIT_RESOURCE(resources); }

namespace wr {
namespace {

QString FromBytes(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<int>(text.size())); }

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QLineEdit* ReadOnlyBox(const char* name) {
  auto* box = Named(new QLineEdit, name);
  box->setReadOnly(true);
  return box;
}

QPushButton* UnitButton(const char* name, const QString& caption) {
  auto* button = Named(new QPushButton(caption), name);
  button->setFixedSize(144, 28);
  button->setEnabled(false);
  return button;
}

const char* kTripHeadings[] = {"Date", "Start", "End", "Start coordinates", "End coordinates",
                               "Max Speed", "Distance"};

}  // namespace

TfrmMain::TfrmMain(Prompts& prompts, DesktopShell& shell, QWidget* parent)
    : QWidget(parent), prompts_(prompts), shell_(shell) {
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
  BuildMainTab();
  BuildStatusTab();
  BuildSettingsTab();
  BuildTripTab();
  BuildStatusPanel();
  BuildCoordinateMenu();

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

  InitPlaceStore();
  SetUpTripGrid();

  // Last act: the worker starts and its first drain step sets the display.
  if (USBcomms* comms = Link().comms) {
    comms->SetClient(this);
    if (!comms->isRunning()) comms->start();
  }
}

TfrmMain::~TfrmMain() { FormDestroy(); }

void TfrmMain::BuildMainTab() {
  tabMain = Named(new QWidget, "tabMain");
  auto* page = new QVBoxLayout(tabMain);
  page->setContentsMargins(0, 0, 0, 4);

  pnlWayrunner = Named(new QWidget, "pnlWayrunner");
  pnlWayrunner->setFixedHeight(133);
  pnlWayrunner->setAutoFillBackground(true);
  QPalette banner = pnlWayrunner->palette();
  banner.setColor(QPalette::Window, QColor(0x80, 0x00, 0x00));
  banner.setColor(QPalette::WindowText, Qt::white);
  pnlWayrunner->setPalette(banner);
  imgWayrunner = Named(new QLabel, "imgWayrunner");
  imgWayrunner->setPixmap(QPixmap(QStringLiteral(":/images/banner.png")));
  LabelVersion = Named(new QLabel(QStringLiteral("Version: 1.3")), "LabelVersion");
  lblMaker = Named(new QLabel(QStringLiteral(
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

  GroupBox9 = Named(new QGroupBox(QStringLiteral("About")), "GroupBox9");
  auto* about = new QHBoxLayout(GroupBox9);
  auto* boxes = new QFormLayout;
  edtVersion = ReadOnlyBox("edtVersion");
  edtVersion->installEventFilter(this);
  edtSerial = ReadOnlyBox("edtSerial");
  boxes->addRow(QStringLiteral("Firmware Version"), edtVersion);
  boxes->addRow(QStringLiteral("Device ID"), edtSerial);
  about->addLayout(boxes, 1);
  auto* buttons = new QVBoxLayout;
  btnReboot = UnitButton("btnReboot", QStringLiteral("Reboot Unit"));
  btnUpgrade = UnitButton("btnUpgrade", QStringLiteral("Upgrade Unit"));
  btnFactory = UnitButton("btnFactory", QStringLiteral("Reset to Factory defaults"));
  btnDefaults = UnitButton("btnDefaults", QStringLiteral("Send defaults"));
  for (QPushButton* b : {btnReboot, btnUpgrade, btnFactory, btnDefaults}) buttons->addWidget(b);
  buttons->addStretch(1);
  about->addLayout(buttons);
  connect(btnReboot, &QPushButton::clicked, this, &TfrmMain::btnRebootClick);
  connect(btnUpgrade, &QPushButton::clicked, this, &TfrmMain::btnUpgradeClick);
  connect(btnFactory, &QPushButton::clicked, this, &TfrmMain::btnFactoryClick);
  connect(btnDefaults, &QPushButton::clicked, this, &TfrmMain::btnDefaultsClick);
  page->addWidget(GroupBox9, 1);
  page->addWidget(BuildOutputsGroup());
  pageControl->addTab(tabMain, QStringLiteral("Main"));
}

void TfrmMain::BuildStatusTab() {
  tabStatus = Named(new QWidget, "tabStatus");
  auto* page = new QVBoxLayout(tabStatus);

  auto* gsm = Named(new QGroupBox(QStringLiteral("GSM")), "gboxGSM");
  auto* gsmForm = new QFormLayout(gsm);
  edt_GSM_status = ReadOnlyBox("edt_GSM_status");
  edt_GSM_signal = ReadOnlyBox("edt_GSM_signal");
  edt_next_gsm_update = ReadOnlyBox("edt_next_gsm_update");
  edtUSSDRx = ReadOnlyBox("edtUSSDRx");
  lblUSSDRx = Named(new QLabel(QStringLiteral("USSD received")), "lblUSSDRx");
  gsmForm->addRow(QStringLiteral("Status"), edt_GSM_status);
  gsmForm->addRow(QStringLiteral("Signal Strength"), edt_GSM_signal);
  gsmForm->addRow(QStringLiteral("Time to next GPRS update"), edt_next_gsm_update);
  gsmForm->addRow(lblUSSDRx, edtUSSDRx);
  page->addWidget(gsm);

  auto* gps = Named(new QGroupBox(QStringLiteral("GPS")), "gboxGPS");
  auto* gpsForm = new QFormLayout(gps);
  edt_coordinates = ReadOnlyBox("edt_coordinates");
  edt_GPS_signal = ReadOnlyBox("edt_GPS_signal");
  edt_movement = ReadOnlyBox("edt_movement");
  edtTripStatus = ReadOnlyBox("edtTripStatus");
  edtSpeed = ReadOnlyBox("edtSpeed");
  edtTime = ReadOnlyBox("edtTime");
  gpsForm->addRow(QStringLiteral("Coordinates"), edt_coordinates);
  gpsForm->addRow(QStringLiteral("Status"), edt_GPS_signal);
  gpsForm->addRow(QStringLiteral("Last Movement Detected"), edt_movement);
  gpsForm->addRow(QStringLiteral("Trip Status"), edtTripStatus);
  gpsForm->addRow(QStringLiteral("Speed"), edtSpeed);
  gpsForm->addRow(QStringLiteral("Time"), edtTime);
  page->addWidget(gps);

  auto* supply = Named(new QGroupBox(QStringLiteral("Supply")), "gboxSupply");
  auto* supplyForm = new QFormLayout(supply);
  edt_volt_external = ReadOnlyBox("edt_volt_external");
  edt_volt_battery = ReadOnlyBox("edt_volt_battery");
  supplyForm->addRow(QStringLiteral("Supply Voltage"), edt_volt_external);
  supplyForm->addRow(QStringLiteral("Backup Battery Voltage"), edt_volt_battery);
  page->addWidget(supply);
  page->addStretch(1);
  pageControl->addTab(tabStatus, QStringLiteral("Status"));
}

void TfrmMain::BuildSettingsTab() {
  tabSettings = Named(new QWidget, "tabSettings");
  auto* page = new QVBoxLayout(tabSettings);

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
  connect(btnNetworkWizard, &QPushButton::clicked, this, &TfrmMain::btnNetworkWizardClick);
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
  connect(btnSaveSettings, &QPushButton::clicked, this, &TfrmMain::btnSaveSettingsClick);
  auto* saveRow = new QHBoxLayout;
  saveRow->addWidget(BuildSmsContentButton());
  saveRow->addStretch(1);
  saveRow->addWidget(btnSaveSettings);
  page->addLayout(saveRow);
  pageControl->addTab(tabSettings, QStringLiteral("Settings"));
}

void TfrmMain::BuildTripTab() {
  TabSheet1 = Named(new QWidget, "TabSheet1");
  auto* page = new QVBoxLayout(TabSheet1);
  page->setContentsMargins(0, 0, 0, 0);
  page->setSpacing(0);

  sgridTrips = Named(new QTableWidget(2, kTripColumns), "sgridTrips");
  sgridTrips->horizontalHeader()->hide();
  sgridTrips->verticalHeader()->hide();
  sgridTrips->verticalHeader()->setDefaultSectionSize(18);
  sgridTrips->horizontalHeader()->setDefaultSectionSize(50);
  sgridTrips->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgridTrips->setSelectionMode(QAbstractItemView::ExtendedSelection);
  sgridTrips->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgridTrips->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgridTrips->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  sgridTrips->setShowGrid(true);
  sgridTrips->installEventFilter(this);
  sgridTrips->viewport()->installEventFilter(this);
  page->addWidget(sgridTrips, 1);

  Panel2 = Named(new QWidget, "Panel2");
  Panel2->setFixedHeight(38);
  auto* bar = new QHBoxLayout(Panel2);
  bar->setContentsMargins(6, 6, 6, 4);
  bar->addStretch(1);
  auto tripButton = [this](const char* name, const QString& caption, QStyle::StandardPixmap icon) {
    auto* button = Named(new QPushButton(style()->standardIcon(icon), caption), name);
    button->setFixedSize(109, 28);
    button->setEnabled(false);
    return button;
  };
  btnDeleteAll = tripButton("btnDeleteAll", QStringLiteral("&Delete All Trips"), QStyle::SP_TrashIcon);
  btnExcel = tripButton("btnExcel", QStringLiteral("Export to Excel"), QStyle::SP_FileDialogDetailedView);
  btnGetTrips = tripButton("btnGetTrips", QStringLiteral("Show Trips"), QStyle::SP_BrowserReload);
  bar->addWidget(btnDeleteAll);
  bar->addWidget(btnExcel);
  bar->addWidget(btnGetTrips);
  connect(btnDeleteAll, &QPushButton::clicked, this, &TfrmMain::btnDeleteAllClick);
  connect(btnExcel, &QPushButton::clicked, this, &TfrmMain::btnExcelClick);
  connect(btnGetTrips, &QPushButton::clicked, this, &TfrmMain::btnGetTripsClick);
  page->addWidget(Panel2);
  pageControl->addTab(TabSheet1, QStringLiteral("Trip Meter"));
}

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
  layout->addWidget(lblStatus);
  layout->addWidget(pbarSearch);
  layout->addWidget(lblOpenFailure);
  lblOpenFailure->setVisible(false);
}

void TfrmMain::BuildCoordinateMenu() {
  pmenuCoordinate = Named(new QMenu(this), "pmenuCoordinate");
  OpeninGoogleMaps1 = Named(pmenuCoordinate->addAction(QStringLiteral("Open in Google Maps")),
                            "OpeninGoogleMaps1");
  btnNameCoordinate = Named(pmenuCoordinate->addAction(QStringLiteral("Name Coordinate")),
                            "btnNameCoordinate");
  btnRenameCoordinate = Named(pmenuCoordinate->addAction(QStringLiteral("Rename Coordinate")),
                              "btnRenameCoordinate");
  btnDeleteName = Named(pmenuCoordinate->addAction(QStringLiteral("Delete Name")), "btnDeleteName");
  connect(OpeninGoogleMaps1, &QAction::triggered, this, &TfrmMain::OpeninGoogleMaps1Click);
  connect(btnNameCoordinate, &QAction::triggered, this, &TfrmMain::btnNameCoordinateClick);
  connect(btnRenameCoordinate, &QAction::triggered, this, &TfrmMain::btnRenameCoordinateClick);
  connect(btnDeleteName, &QAction::triggered, this, &TfrmMain::btnDeleteNameClick);
}

void TfrmMain::SetCell(int row, int column, const QString& text) {
  QTableWidgetItem* item = sgridTrips->item(row, column);
  if (!item) {
    sgridTrips->setItem(row, column, new QTableWidgetItem(text));
  } else {
    item->setText(text);
  }
}

void TfrmMain::SetUpTripGrid() {
  // The raw coordinates stay in the grid but are never seen.
  sgridTrips->setColumnWidth(7, 0);
  sgridTrips->setColumnWidth(8, 0);
  sgridTrips->setColumnHidden(7, true);
  sgridTrips->setColumnHidden(8, true);
  ApplyTripColumnWidths();
  for (int c = 0; c < kTripColumns; ++c) {
    SetCell(0, c, c < 7 ? QString::fromLatin1(kTripHeadings[c]) : QString());
    QTableWidgetItem* heading = sgridTrips->item(0, c);
    heading->setBackground(palette().button());
    heading->setFlags(Qt::ItemIsEnabled);
  }
}

void TfrmMain::ApplyTripColumnWidths() {
  if (!sgridTrips) return;
  const int w = sgridTrips->width();
  int widths[7];
  widths[0] = w / 10;
  widths[1] = w / 13;
  widths[2] = w / 13;
  widths[3] = static_cast<int>(static_cast<double>(w) * 2.0 / 9.0);
  widths[4] = widths[3];
  widths[5] = w / 8;
  widths[6] = w - (widths[0] + widths[1] + widths[2] + widths[3] + widths[4] + widths[5]) - 28;
  for (int c = 0; c < 7; ++c) sgridTrips->setColumnWidth(c, widths[c] > 0 ? widths[c] : 0);
}

int TfrmMain::RefreshInterval() const { return tmrRefresh->interval(); }

void TfrmMain::SetUnitControlsEnabled(bool enabled) {
  for (QWidget* w : {static_cast<QWidget*>(btnReboot), static_cast<QWidget*>(btnUpgrade),
                     static_cast<QWidget*>(btnFactory), static_cast<QWidget*>(btnDefaults),
                     static_cast<QWidget*>(btnSaveSettings), static_cast<QWidget*>(btnNetworkWizard),
                     static_cast<QWidget*>(btnGetTrips), static_cast<QWidget*>(btnExcel),
                     static_cast<QWidget*>(btnDeleteAll), static_cast<QWidget*>(gboxMisc),
                     static_cast<QWidget*>(gboxOutputs)})
    w->setEnabled(enabled);
}

void TfrmMain::SetConnectionState(int connected) {
  if (connected == lastConnectionState_) return;
  lastConnectionState_ = connected;
  if (connected) {
    panelStatus->hide();
    timerSearch->stop();
    SetUnitControlsEnabled(true);
    SendCommand(cmd::kInfo);
    SendInitialQueries();
  } else {
    pbarSearch->setValue(0);
    panelStatus->show();
    timerSearch->start();
    SetUnitControlsEnabled(false);
    ShowOpenFailure();
  }
}

void TfrmMain::SendInitialQueries() {
  ClearDisplay();
  for (std::string_view query :
       {cmd::kInfo, cmd::kStats, cmd::kIpQuery, cmd::kLowPowerQuery, cmd::kTrackQuery,
        cmd::kUssdQuery, cmd::kGprsQuery, cmd::kNumQuery, cmd::kMsgQuery, cmd::kIfQuery,
        cmd::kIgnitionQuery})
    SendCommand(query);
}

void TfrmMain::ClearDisplay() {
  for (QLineEdit* box : {edt_volt_battery, edt_volt_external, edt_GSM_signal, edt_GPS_signal,
                         edt_coordinates, edt_movement, edt_GSM_status, edtAPN, edtAPN_username,
                         edtAPN_password, edt_next_gsm_update, edtTripStatus, edtSpeed, edtTime,
                         edtUSSD, edtUSSDinterval, edtUSSDRx})
    box->clear();
  cbox_trip_stop_time->setEditText(QString());
  sgridTrips->setRowCount(2);
  for (int c = 0; c < kTripColumns; ++c) SetCell(1, c, QString());
}

void TfrmMain::SetRefreshInterval(int ms) {
  if (Link().usb && Link().usb->IsConnected()) SendCommand(cmd::kStats);
  tmrRefresh->setInterval(ms);
}

void TfrmMain::tmrRefreshTimer() {
  if (refreshBusy_ || pollingPaused) return;
  refreshBusy_ = true;
  // Only while a unit is open and the window shows it: with nothing attached
  // a poll would be echoed twice a second for a line that is never written,
  // and before the connected display the initial queries come first.
  USBcomms* comms = Link().comms;
  const bool connected =
      lastConnectionState_ == 1 && Link().usb && Link().usb->IsConnected();
  if (connected && comms && comms->quietTime > kQuietBeforePollMs) SendCommand(cmd::kStats);
  refreshBusy_ = false;
}

void TfrmMain::timerSearchTimer() {
  if (pbarSearch->value() < pbarSearch->maximum()) {
    pbarSearch->setValue(pbarSearch->value() + 1);
  } else {
    pbarSearch->setValue(0);
  }
  ShowOpenFailure();
}

void TfrmMain::ShowOpenFailure() {
  TfrmUSB* usb = Link().usb;
  const TfrmUSB::OpenFailure failure = usb ? usb->LastOpenFailure() : TfrmUSB::OpenFailure::None;
  if (failure == TfrmUSB::OpenFailure::None) {
    if (lblOpenFailure->isVisibleTo(panelStatus)) lblOpenFailure->setVisible(false);
    return;
  }
  QString text;
  if (failure == TfrmUSB::OpenFailure::Open) {
    text = QStringLiteral(
        "A unit is attached but this user may not open it (permission missing). Install the "
        "rule that comes with this program and plug the unit in again:\n"
        "sudo cp packaging/60-wayrunner-track.rules /etc/udev/rules.d/ && "
        "sudo udevadm control --reload-rules");
  } else {
    text = QStringLiteral(
        "A unit is attached but cannot be used: another program or driver holds it. Close "
        "other programs that use the unit, then unplug it and plug it in again.");
  }
  const std::string detail = usb->LastOpenFailureText();
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

void TfrmMain::FormShow() {
  ClearDisplay();
  pageControl->setCurrentWidget(tabMain);
}

void TfrmMain::FormResize() { ApplyTripColumnWidths(); }

void TfrmMain::FormDestroy() { FreePlaceStore(); }

void TfrmMain::DispatchReplyLine(const std::string& line) {
  const ReplyEffect effect = InterpretReplyLine(line);
  if (effect.resetsQuietTime && Link().comms) Link().comms->quietTime = 0;
  if (effect.version) {
    if (Link().comms) Link().comms->firmwareVersion = *effect.version;
    edtVersion->setText(FromBytes(*effect.version));
  }
  if (effect.deviceId) edtSerial->setText(FromBytes(*effect.deviceId));
  if (effect.stats) {
    const StatsTexts& s = *effect.stats;
    edt_GSM_status->setText(FromBytes(s.gsmStatus));
    edt_GSM_signal->setText(FromBytes(s.gsmSignal));
    edt_next_gsm_update->setText(FromBytes(s.nextGsmUpdate));
    edt_coordinates->setText(FromBytes(s.coordinates));
    edt_GPS_signal->setText(FromBytes(s.gpsSignal));
    edt_movement->setText(FromBytes(s.movement));
    edtTripStatus->setText(FromBytes(s.tripStatus));
    edtSpeed->setText(FromBytes(s.speed));
    edtTime->setText(FromBytes(s.time));
    edt_volt_external->setText(FromBytes(s.voltExternal));
    edt_volt_battery->setText(FromBytes(s.voltBattery));
  }
  if (effect.track) {
    cbox_trip_stop_time->setEditText(FromBytes(effect.track->tripStopText));
    trackField1 = effect.track->field1;
    trackField2 = effect.track->field2;
    trackField4 = effect.track->field4;
    trackField5 = effect.track->field5;
  }
  if (effect.lowPower) chkLowPower->setChecked(*effect.lowPower);
  if (effect.ussd) {
    lblUSSDRx->setText(FromBytes(effect.ussd->caption));
    edtUSSDinterval->setText(QString::number(effect.ussd->interval));
    edtUSSD->setText(FromBytes(effect.ussd->query));
    edtUSSDRx->setText(FromBytes(effect.ussd->answer));
  }
  if (effect.gprs) {
    edtAPN->setText(FromBytes(effect.gprs->apn));
    edtAPN_username->setText(FromBytes(effect.gprs->username));
    edtAPN_password->setText(FromBytes(effect.gprs->password));
  }
  if (effect.tripsLine) HandleTripsLine(*effect.tripsLine);
  if (effect.ignitionIndex) {
    // An index outside the list selects nothing rather than a wrong mode.
    const int index = *effect.ignitionIndex;
    cboxIgnitionDetect->setCurrentIndex(index >= 0 && index < cboxIgnitionDetect->count() ? index : -1);
  }
}

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
  QWidget::closeEvent(event);
  emit closed();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtVersion && event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!text.isEmpty()) edtVersionKeyPress(text.at(0));
  } else if (watched == sgridTrips && event->type() == QEvent::Resize) {
    ApplyTripColumnWidths();
  } else if (sgridTrips && watched == sgridTrips->viewport() &&
             event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint p = mouse->position().toPoint();
    sgridTripsMouseDown(mouse->button(), mouse->modifiers(), p.x(), p.y());
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace wr
