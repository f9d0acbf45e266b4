// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window: the shell around the four tab pages, with the menus, the
// searching and connected displays, the status polling and, when several
// units are attached, the choice of the one it shows. It shows one unit
// session.
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

namespace wr {

class AboutDialog;
class DesktopShell;
class LinuxHelpDialog;
class MainPage;
class OperationBar;
class PreferencesDialog;
class Prompts;
class SettingsPage;
class StatusPage;
class TfrmUpgrade;
class TripsPage;
class UnitRoster;
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
  // The client area below the menu bar at its smallest, and as it first
  // opens: room for the pages and the searching display.
  static constexpr int kClientWidth = 519;
  static constexpr int kClientHeight = 525;
  // The settings group that remembers the window's size and place.
  static constexpr const char* kGeometryGroup = "MainWindow";

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
  // The terminal, in front (the View menu, and the hidden letter).
  void ShowTerminal();
  // The attached units: with several, the window offers the choice.
  void SetUnitRoster(UnitRoster* roster);
  // Shows the unit at index i of the roster's list.
  void cboxUnitChange(int index);
  // The Help menu's windows, made when first asked for.
  LinuxHelpDialog& LinuxHelp();
  AboutDialog& About();
  PreferencesDialog& Preferences();
  // File > Preferences: edits the tool's preferences in their dialog.
  void ShowPreferences();

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
  // The unit work that runs: what, how far, Cancel when that is safe.
  OperationBar* pnlOperation = nullptr;

  // Shown while several units are attached: which one the window shows.
  QWidget* pnlUnits = nullptr;
  QLabel* lblUnits = nullptr;
  QComboBox* cboxUnit = nullptr;

  QMenuBar* mnuMain = nullptr;
  QMenu* mnuFile = nullptr;
  QMenu* mnuUnit = nullptr;
  QMenu* mnuOutputs = nullptr;
  QMenu* mnuView = nullptr;
  // View > Language: the desktop's language, English and each translation;
  // the choice takes effect at the next start.
  QMenu* mnuLanguage = nullptr;
  QMenu* mnuHelp = nullptr;
  // File: the profile and export actions are carried out by the pages,
  // through the signals below.
  QAction* actOpenProfile = nullptr;
  QAction* actSaveProfile = nullptr;
  QAction* actCompareProfile = nullptr;
  QAction* actExportTrips = nullptr;
  QAction* actPreferences = nullptr;
  QAction* actQuit = nullptr;
  // Unit: each runs its button's handler and is usable when its button is.
  QAction* actReboot = nullptr;
  QAction* actFactoryReset = nullptr;
  QAction* actSendDefaults = nullptr;
  QAction* actUpgrade = nullptr;
  QAction* actRelayClose = nullptr;
  QAction* actRelayOpen = nullptr;
  QAction* actOutputHigh = nullptr;
  QAction* actOutputLow = nullptr;
  QAction* actBuzzerOn = nullptr;
  QAction* actBuzzerOff = nullptr;
  QAction* act3V3On = nullptr;
  QAction* act3V3Off = nullptr;
  // View.
  QAction* actDebugTerminal = nullptr;
  QAction* actStatusHistory = nullptr;
  QAction* actLanguageSystem = nullptr;
  // Help.
  QAction* actLinuxHelp = nullptr;
  QAction* actAbout = nullptr;

 signals:
  // The user closed the window; the application ends its loop.
  void closed();
  // The File menu's profile and export items.
  void openProfileRequested();
  void saveProfileRequested();
  void compareProfileRequested();
  void exportTripsRequested();
  // The polling timer's interval was set (the terminal's Quick box).
  void refreshIntervalChanged(int ms);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildStatusPanel();
  void BuildUnitsPanel();
  void BuildMenus();
  // The action is usable exactly when the button is.
  void BuildLanguageMenu();
  QAction* UnitAction(QMenu* menu, const char* name, const QString& caption, QPushButton* button,
                      std::function<void()> handler);
  void ShowUnits();
  void SetUnitControlsEnabled(bool enabled);
  void ShowOpenFailure();
  void ShowSearchHint();

  UnitSession& session_;
  Prompts& prompts_;
  QWidget* terminalWindow_ = nullptr;
  TfrmUpgrade* upgradeDialog_ = nullptr;
  QWidget* statusHistoryWindow_ = nullptr;
  UnitRoster* roster_ = nullptr;
  LinuxHelpDialog* linuxHelp_ = nullptr;
  AboutDialog* about_ = nullptr;
  PreferencesDialog* preferences_ = nullptr;
  // Buttons whose enabled state their menu action follows.
  std::vector<std::pair<QPushButton*, QAction*>> mirrored_;
  int lastConnectionState_ = -1;
  bool refreshBusy_ = false;
  int searchTicks_ = 0;
  bool shownOnce_ = false;
};

}  // namespace wr
