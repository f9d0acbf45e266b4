#pragma once
// The main window: connection displays, the four tab pages, the polling cycle
// and the application of each reply line to the controls.
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

#include "link/link_client.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;

namespace wr {

class DesktopShell;
class PlaceStore;
class Prompts;

class TfrmMain : public QWidget, public LinkClient {
  Q_OBJECT
 public:
  // The letter that, typed into the firmware-version box, opens the terminal.
  static constexpr char kTerminalLetter = 'D';
  static constexpr int kInitialRefreshMs = 500;
  static constexpr int kQuietBeforePollMs = 500;
  static constexpr int kSearchTickMs = 250;
  static constexpr int kSearchBarMax = 400;
  static constexpr int kTripColumns = 9;

  // Builds every control, sets up the place store and the trip grid, and as
  // its last act starts the worker registered in Link().comms.
  TfrmMain(Prompts& prompts, DesktopShell& shell, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // LinkClient, called by the drain step.
  void SetConnectionState(int connected) override;
  void DispatchReplyLine(const std::string& line) override;

  void SendInitialQueries();
  void ClearDisplay();
  void SetRefreshInterval(int ms);

  // The window that the hidden letter shows.
  void SetTerminalWindow(QWidget* terminal) { terminalWindow_ = terminal; }

  // Own handlers.
  void FormShow();
  void FormResize();
  void FormDestroy();
  void tmrRefreshTimer();
  void timerSearchTimer();
  void edtVersionKeyPress(QChar key);

  // Settings tab and unit controls.
  void btnSaveSettingsClick();
  void btnNetworkWizardClick();
  void btnRebootClick();
  void btnFactoryClick();
  void btnDefaultsClick();
  void btnRelayCloseClick();
  void btnRelayOpenClick();
  void btnOutputHighClick();
  void btnOutputLowClick();
  void btnBuzzerOnClick();
  void btnBuzzerOffClick();
  void btn3V3OnClick();
  void btn3V3OffClick();
  // Opens the SMS content picker.
  void btnSmsContentClick();

  // Firmware upgrade.
  void btnUpgradeClick();

  // Trip grid, place names and export.
  void HandleTripsLine(const std::string& line);
  void btnGetTripsClick();
  void btnDeleteAllClick();
  void btnExcelClick();
  void sgridTripsMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void OpeninGoogleMaps1Click();
  void btnNameCoordinateClick();
  void btnRenameCoordinateClick();
  void btnDeleteNameClick();
  void OpenCoordinateInMap(int column, int row);
  void InitPlaceStore();
  void FreePlaceStore();
  void FillTripNames();
  void RefreshTripNames();

  // The trip grid's column-width rule for the grid's present width.
  void ApplyTripColumnWidths();

  // Kept from the latest accepted "+TRACK," reply and sent back by Save.
  int32_t trackField1 = 0;
  int32_t trackField2 = 0;
  int32_t trackField4 = 0;
  int32_t trackField5 = 0;

  // The cell of the last right click that opened the coordinate menu.
  int ClickedRow = 0;
  int ClickedCoordColumn = 0;

  // While set, the refresh timer sends no status query: its closing OK would
  // be taken for the answer to a firmware block.
  bool pollingPaused = false;

  int LastConnectionState() const { return lastConnectionState_; }
  int RefreshInterval() const;

 signals:
  // The user closed the window; the application ends its loop.
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMainTab();
  void BuildStatusTab();
  void BuildSettingsTab();
  void BuildTripTab();
  void BuildStatusPanel();
  void BuildCoordinateMenu();
  void SetUpTripGrid();
  void SetUnitControlsEnabled(bool enabled);
  // The relay, output, buzzer and 3.3 V switches, for the Main tab.
  QGroupBox* BuildOutputsGroup();
  // Opens the SMS content picker, for the Settings tab.
  QPushButton* BuildSmsContentButton();
  void ShowOpenFailure();
  void SetCell(int row, int column, const QString& text);

  Prompts& prompts_;
  DesktopShell& shell_;
  std::shared_ptr<PlaceStore> placeStore_;
  QWidget* terminalWindow_ = nullptr;
  int lastConnectionState_ = -1;
  bool refreshBusy_ = false;
  bool shownOnce_ = false;

 public:
  // Controls, named as their objectName.
  QTabWidget* pageControl = nullptr;
  QWidget* tabMain = nullptr;
  QWidget* tabStatus = nullptr;
  QWidget* tabSettings = nullptr;
  QWidget* TabSheet1 = nullptr;

  QWidget* pnlWayrunner = nullptr;
  QLabel* imgWayrunner = nullptr;
  QLabel* LabelVersion = nullptr;
  QLabel* lblMaker = nullptr;
  QGroupBox* GroupBox9 = nullptr;
  QLineEdit* edtVersion = nullptr;
  QLineEdit* edtSerial = nullptr;
  QPushButton* btnReboot = nullptr;
  QPushButton* btnUpgrade = nullptr;
  QPushButton* btnFactory = nullptr;
  QPushButton* btnDefaults = nullptr;
  QGroupBox* gboxOutputs = nullptr;
  QPushButton* btnRelayClose = nullptr;
  QPushButton* btnRelayOpen = nullptr;
  QPushButton* btnOutputHigh = nullptr;
  QPushButton* btnOutputLow = nullptr;
  QPushButton* btnBuzzerOn = nullptr;
  QPushButton* btnBuzzerOff = nullptr;
  QPushButton* btn3V3On = nullptr;
  QPushButton* btn3V3Off = nullptr;

  QLineEdit* edt_GSM_status = nullptr;
  QLineEdit* edt_GSM_signal = nullptr;
  QLineEdit* edt_next_gsm_update = nullptr;
  QLabel* lblUSSDRx = nullptr;
  QLineEdit* edtUSSDRx = nullptr;
  QLineEdit* edt_coordinates = nullptr;
  QLineEdit* edt_GPS_signal = nullptr;
  QLineEdit* edt_movement = nullptr;
  QLineEdit* edtTripStatus = nullptr;
  QLineEdit* edtSpeed = nullptr;
  QLineEdit* edtTime = nullptr;
  QLineEdit* edt_volt_external = nullptr;
  QLineEdit* edt_volt_battery = nullptr;

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

  QTableWidget* sgridTrips = nullptr;
  QWidget* Panel2 = nullptr;
  QPushButton* btnDeleteAll = nullptr;
  QPushButton* btnExcel = nullptr;
  QPushButton* btnGetTrips = nullptr;

  QWidget* panelStatus = nullptr;
  QLabel* lblStatus = nullptr;
  QProgressBar* pbarSearch = nullptr;
  // Why an attached unit cannot be opened, and what to do about it.
  QLabel* lblOpenFailure = nullptr;

  QTimer* tmrRefresh = nullptr;
  QTimer* timerSearch = nullptr;

  QMenu* pmenuCoordinate = nullptr;
  QAction* OpeninGoogleMaps1 = nullptr;
  QAction* btnNameCoordinate = nullptr;
  QAction* btnRenameCoordinate = nullptr;
  QAction* btnDeleteName = nullptr;
};

}  // namespace wr
