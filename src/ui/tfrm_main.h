#pragma once
// The main window: the shell around the four tab pages, with the searching
// and connected displays and the status polling. It shows one unit session.
#include <QWidget>

class QAction;
class QLabel;
class QProgressBar;
class QTabWidget;
class QTimer;

namespace wr {

class DesktopShell;
class MainPage;
class Prompts;
class SettingsPage;
class StatusPage;
class TfrmUpgrade;
class TripsPage;
class UnitSession;

class TfrmMain : public QWidget {
  Q_OBJECT
 public:
  // The letter that, typed into the firmware-version box, opens the terminal.
  static constexpr char kTerminalLetter = 'D';
  static constexpr int kInitialRefreshMs = 500;
  static constexpr int kSearchTickMs = 250;
  static constexpr int kSearchBarMax = 400;
  // Milliseconds of searching without finding a unit before the searching
  // display says what to do.
  static constexpr int kSearchHintAfterMs = 10000;

  // Builds the pages (the Trip Meter sets up the place store and the grid).
  TfrmMain(UnitSession& session, Prompts& prompts, DesktopShell& shell, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // The pages.
  MainPage& PageMain() { return *tabMain; }
  StatusPage& PageStatus() { return *tabStatus; }
  SettingsPage& PageSettings() { return *tabSettings; }
  TripsPage& PageTrips() { return *TabSheet1; }
  UnitSession& Session() { return session_; }

  // Set up at start-up: the window the hidden letter shows, and the dialog
  // the upgrade button runs.
  void SetTerminalWindow(QWidget* terminal) { terminalWindow_ = terminal; }
  void SetUpgradeDialog(TfrmUpgrade* dialog) { upgradeDialog_ = dialog; }
  // The status history window, which actStatusHistory and the Status tab's
  // button bring to the front.
  void SetStatusHistoryWindow(QWidget* window) { statusHistoryWindow_ = window; }
  void ShowStatusHistory();

  // Called with every drain step's connected value.
  void SetConnectionState(int connected);
  void SendInitialQueries();
  void ClearDisplay();
  void SetRefreshInterval(int ms);
  int RefreshInterval() const;
  int LastConnectionState() const { return lastConnectionState_; }
  // How long the searching display has been searching, by its timer.
  int SearchedForMs() const { return searchTicks_ * kSearchTickMs; }

  void FormShow();
  void FormResize();
  void FormDestroy();
  void tmrRefreshTimer();
  void timerSearchTimer();
  void edtVersionKeyPress(QChar key);
  void btnUpgradeClick();

  QTabWidget* pageControl = nullptr;
  MainPage* tabMain = nullptr;
  StatusPage* tabStatus = nullptr;
  SettingsPage* tabSettings = nullptr;
  TripsPage* TabSheet1 = nullptr;
  QWidget* panelStatus = nullptr;
  QLabel* lblStatus = nullptr;
  QProgressBar* pbarSearch = nullptr;
  // Why an attached unit cannot be opened, and what to do about it.
  QLabel* lblOpenFailure = nullptr;
  // What to do when no unit has been found for a while.
  QLabel* lblSearchHint = nullptr;
  QTimer* tmrRefresh = nullptr;
  QTimer* timerSearch = nullptr;
  QAction* actStatusHistory = nullptr;

 signals:
  // The user closed the window; the application ends its loop.
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildStatusPanel();
  void SetUnitControlsEnabled(bool enabled);
  void ShowOpenFailure();
  void ShowSearchHint();

  UnitSession& session_;
  Prompts& prompts_;
  QWidget* terminalWindow_ = nullptr;
  TfrmUpgrade* upgradeDialog_ = nullptr;
  QWidget* statusHistoryWindow_ = nullptr;
  int lastConnectionState_ = -1;
  bool refreshBusy_ = false;
  int searchTicks_ = 0;
  bool shownOnce_ = false;
};

}  // namespace wr
