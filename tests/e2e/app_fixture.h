// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The whole tool, as start-up builds it, against a simulated unit: real
// windows, the real TfrmUSB and worker, scripted boxes. Derive a test fixture
// from AppFixture; SetUp waits until the unit is connected and its first
// answers are shown.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "session/unit_session.h"
#include "sim/simulated_bus.h"
#include "ui/desktop_shell.h"
#include "ui/main_page.h"
#include "ui/preferences_dialog.h"
#include "ui/prompts.h"
#include "ui/settings_page.h"
#include "ui/status_page.h"
#include "ui/terminal_view.h"
#include "ui/tfrm_comms.h"
#include "ui/tfrm_main.h"
#include "ui/tfrm_upgrade.h"
#include "ui/trips_page.h"

namespace wr::test {

// Answers queued by the test; every box shown is recorded. With nothing
// queued a question is answered No, an input box and a file dialog cancelled.
class ScriptedPrompts : public Prompts {
 public:
  struct Shown {
    std::string kind;  // "message", "question", "input", "file", "save"
    QString caption;
    QString text;
    MessageKind icon = MessageKind::Information;  // of a message
  };

  std::deque<bool> yesNo;
  std::deque<std::optional<QString>> inputs;  // nullopt: Cancel
  std::deque<QString> files;                  // empty: Cancel
  std::vector<Shown> shown;
  // Runs while a box is "open", e.g. to check that nothing moves meanwhile.
  std::function<void()> whileShown;

  void ShowMessage(const QString& text, MessageKind kind = MessageKind::Information) override {
    shown.push_back({"message", QString(), text, kind});
    if (whileShown) whileShown();
  }
  bool AskYesNo(const QString& caption, const QString& text) override {
    shown.push_back({"question", caption, text});
    if (whileShown) whileShown();
    if (yesNo.empty()) return false;
    const bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
  }
  // A question with a check box is recorded as a question; its check box's
  // text and first state go to options. The box is left as it was unless
  // optionChecks holds an answer for it.
  struct Option {
    QString text;
    bool checkedAtFirst = false;
  };
  std::vector<Option> options;
  std::deque<bool> optionChecks;
  bool AskYesNoWithOption(const QString& caption, const QString& text, const QString& option,
                          bool& checked) override {
    options.push_back({option, checked});
    if (!optionChecks.empty()) {
      checked = optionChecks.front();
      optionChecks.pop_front();
    }
    return AskYesNo(caption, text);
  }
  bool InputBox(const QString& caption, const QString& prompt, QString& value) override {
    shown.push_back({"input", caption, prompt});
    if (whileShown) whileShown();
    if (inputs.empty() || !inputs.front()) {
      if (!inputs.empty()) inputs.pop_front();
      return false;
    }
    value = *inputs.front();
    inputs.pop_front();
    return true;
  }
  QString lastOpenDir;
  QString OpenFile(const QString& caption, const QString& filter, const QString& dir) override {
    shown.push_back({"file", caption, filter});
    lastOpenDir = dir;
    if (whileShown) whileShown();
    if (files.empty()) return QString();
    const QString file = files.front();
    files.pop_front();
    return file;
  }
  // Save dialogs take their answers from saveFiles (empty: Cancel); the
  // filter chosen is saveFilter when set, else the first of the list. The
  // suggested file is recorded as the text.
  std::deque<QString> saveFiles;
  QString saveFilter;
  QString lastSuggested;
  QString lastFilter;
  QString SaveFile(const QString& caption, const QString& filter, const QString& suggested,
                   QString* selectedFilter) override {
    shown.push_back({"save", caption, suggested});
    lastSuggested = suggested;
    lastFilter = filter;
    if (whileShown) whileShown();
    if (selectedFilter)
      *selectedFilter = saveFilter.isEmpty() ? filter.section(QStringLiteral(";;"), 0, 0) : saveFilter;
    if (saveFiles.empty()) return QString();
    const QString file = saveFiles.front();
    saveFiles.pop_front();
    return file;
  }

  std::vector<QString> Messages() const {
    std::vector<QString> out;
    for (const Shown& s : shown)
      if (s.kind == "message") out.push_back(s.text);
    return out;
  }
};

class RecordingShell : public DesktopShell {
 public:
  std::vector<QString> addresses;
  // False: as on a desktop without a browser.
  bool canOpen = true;
  bool OpenAddress(const QString& address) override {
    addresses.push_back(address);
    return canOpen;
  }
};

// A "+STATS," line with plausible fields, some of them replaced: 6 is the
// backup battery, 7 the supply, 8 the signal index, 19 the speed.
inline std::string StatsLine(const std::map<int, std::string>& replace) {
  std::vector<std::string> f = {"+STATS", "1",  "V2", "1",  "4.03", "0",   "3.70", "12.7",
                                "17",     "6",  "3",  "12", "9",    "1",   "30",   "300",
                                "-26.1071", "28.0567", "Stationary", "0", "123456", "1"};
  for (const auto& [index, value] : replace) f[static_cast<size_t>(index)] = value;
  std::string line = f[0];
  for (size_t i = 1; i < f.size(); ++i) line += "," + f[i];
  return line;
}

class AppFixture : public ::testing::Test {
 protected:
  static constexpr int kConnectTimeoutMs = 10000;
  static constexpr int kDefaultWaitMs = 5000;

  // Override to prepare the bus and unit before the tool starts.
  virtual void ConfigureBus(SimulatedBus&) {}
  // Override to return false for a test that starts without waiting.
  virtual bool WaitForConnectionOnStart() { return true; }
  // The worker's waits: short, so that connecting and shutting down are quick.
  // A test that needs the tool's own timings overrides this.
  virtual LinkTimings WorkerTimings() { return {100, 250, 250, false}; }

  void SetUp() override {
    // Nothing a test does lands in the user's own data folder (place names,
    // settings backups), unless the test chose a folder itself.
    if (!qEnvironmentVariableIsSet("WAYRUNNER_DATA_DIR") && dataDir_.isValid()) {
      qputenv("WAYRUNNER_DATA_DIR", QFile::encodeName(dataDir_.path()));
      ownDataDir_ = true;
    }
    // No tracking server until a test sets one, whatever the account has.
    qunsetenv("WAYRUNNER_TRACKING_HOST");
    SetTrackingHostPreference(QString());
    bus_ = std::make_unique<SimulatedBus>();
    ConfigureBus(*bus_);
    UnitSession::Options options;
    options.timings = WorkerTimings();
    app_ = std::make_unique<AppContext>(*bus_, prompts_, shell_, options);
    app_->Main().show();
    if (WaitForConnectionOnStart()) {
      ASSERT_TRUE(WaitUntilConnected()) << "the tool did not reach the connected display";
      ASSERT_TRUE(WaitFor([this] { return !MainTab().edtVersion->text().isEmpty(); }))
          << "the unit's first answers did not arrive";
    }
  }

  void TearDown() override {
    if (app_) app_->Shutdown();
    app_.reset();
    bus_.reset();
    if (ownDataDir_) qunsetenv("WAYRUNNER_DATA_DIR");
  }

  // Runs the event loop until cond holds or timeoutMs passes.
  static bool WaitFor(const std::function<bool()>& cond, int timeoutMs = kDefaultWaitMs) {
    return QTest::qWaitFor(cond, timeoutMs);
  }
  // Runs action once, from the event loop, as soon as cond holds (checked
  // every millisecond, also while a modal dialog runs its own loop).
  void When(std::function<bool()> cond, std::function<void()> action) {
    auto* timer = new QTimer(&Main());
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, cond, action] {
      if (!cond()) return;
      timer->stop();
      action();
      timer->deleteLater();
    });
    timer->start();
  }
  // Runs the events already posted (layout requests, calls queued for the
  // loop), without waiting for any time to pass.
  static void RunPosted() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }

  bool WaitUntilConnected(int timeoutMs = kConnectTimeoutMs) {
    return WaitFor([this] { return Main().LastConnectionState() == 1; }, timeoutMs);
  }
  bool WaitUntilSearching(int timeoutMs = kConnectTimeoutMs) {
    return WaitFor([this] { return Main().LastConnectionState() == 0; }, timeoutMs);
  }

  TfrmMain& Main() { return app_->Main(); }
  TfrmComms& Terminal() { return app_->Comms(); }
  UnitSession& Session() { return app_->Session(); }
  MainPage& MainTab() { return Main().PageMain(); }
  StatusPage& StatusTab() { return Main().PageStatus(); }
  SettingsPage& SettingsTab() { return Main().PageSettings(); }
  TripsPage& Trips() { return Main().PageTrips(); }
  SimulatedBus& Bus() { return *bus_; }
  SimulatedUnit& Unit() { return bus_->Unit(); }
  ScriptedPrompts& Prompts() { return prompts_; }
  RecordingShell& Shell() { return shell_; }
  AppContext& App() { return *app_; }

  // A control by objectName, in the main window, the terminal or a dialog.
  template <typename T = QWidget>
  T* Control(const QString& name) {
    for (QWidget* top : {static_cast<QWidget*>(&Main()), static_cast<QWidget*>(&Terminal())}) {
      if (top->objectName() == name) return qobject_cast<T*>(top);
      if (T* found = top->findChild<T*>(name)) return found;
    }
    return nullptr;
  }

  // Clicks a button as the user would, after bringing its tab to the front.
  void Click(const QString& name) {
    Press(name);
    // What the click started runs on; the test goes on once it has finished.
    EXPECT_TRUE(WaitUntilOperationsDone());
  }
  // The click alone: what it started may still run.
  void Press(const QString& name) {
    auto* button = Control<QAbstractButton>(name);
    ASSERT_NE(button, nullptr) << "no button " << name.toStdString();
    ShowTabOf(button);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  bool WaitUntilOperationsDone(int timeoutMs = 30000) {
    return WaitFor([this] { return !Session().OperationsRunning(); }, timeoutMs);
  }

  void ShowTabOf(QWidget* widget) {
    QTabWidget* pages = Main().pageControl;
    for (int i = 0; i < pages->count(); ++i)
      if (pages->widget(i)->isAncestorOf(widget)) pages->setCurrentIndex(i);
  }

  // Lets the link write what it has been handed (no events run otherwise).
  void SettleWrites() {
    if (Session().WritesPending()) WaitFor([this] { return !Session().WritesPending(); });
  }
  // Lines the unit received, in order, without their carriage returns, once
  // the link has written every line handed to it.
  std::vector<std::string> Received() {
    SettleWrites();
    return Unit().ReceivedLines();
  }
  std::vector<std::string> ReceivedSince(size_t mark) {
    std::vector<std::string> all = Received();
    if (mark >= all.size()) return {};
    return {all.begin() + static_cast<long>(mark), all.end()};
  }
  size_t ReceivedCountOf(const std::string& line) {
    SettleWrites();
    return Unit().ReceivedCount([&](const std::string& l) { return l == line; });
  }
  bool WaitForReceived(const std::string& line, int timeoutMs = kDefaultWaitMs) {
    return WaitFor([&] { return ReceivedCountOf(line) > 0; }, timeoutMs);
  }
  // The lines the unit received since mark, up to a plain "AT" sent through
  // the session now: everything the tool handed to the link before, also
  // from events already posted. The AT's OK is read before this returns, so
  // that it cannot count for a later command.
  std::vector<std::string> SentSince(size_t mark) {
    RunPosted();
    const size_t from = Received().size();
    Session().SendLine("AT");
    size_t at = 0;
    const bool arrived = WaitFor([&] {
      const std::vector<std::string> all = Received();
      for (size_t i = from; i < all.size(); ++i)
        if (all[i] == "AT") return (at = i), true;
      return false;
    });
    EXPECT_TRUE(arrived) << "the marker line did not reach the unit";
    EXPECT_TRUE(SyncWithUnit());
    const std::vector<std::string> all = Received();
    if (!arrived) at = all.size();
    return {all.begin() + static_cast<long>(std::min(mark, at)), all.begin() + static_cast<long>(at)};
  }
  // Returns once the unit has received the connection's last query and its
  // answers have all been dispatched.
  bool WaitForConnectAnswers() { return WaitForReceived("AT+IGNITION?") && SyncWithUnit(); }
  // Returns once the tool has read every byte the unit has sent so far.
  bool WaitUntilUnitOutputRead(int unit = 0) {
    return WaitFor([&] {
      bool answerWaiting = true;
      Bus().Unit(unit).TimeToNextEvent(&answerWaiting);
      return !answerWaiting;
    });
  }

  // The unit sends this line (a line end is added).
  void Inject(const std::string& line) { Unit().EmitRaw(line + "\r\n"); }

  // The terminal's text, one entry per line.
  QStringList TerminalLines() {
    return Terminal().redtDebug->Text().split(QLatin1Char('\n'));
  }

  // Returns once every line the unit sent before has been dispatched: the
  // unit sends a debug line after them and the terminal shows it.
  bool SyncWithUnit(int timeoutMs = kDefaultWaitMs) {
    const QString marker = QStringLiteral("~sync %1").arg(++syncCount_);
    Inject(marker.toStdString());
    return WaitFor([&] { return TerminalLines().contains(marker); }, timeoutMs);
  }

  // Firmware upgrades in test time: short waits for blocks and the install,
  // and a unit that is back 100 ms after its restart.
  void UseQuickUpgrades() {
    UpgradeTimings quick;
    quick.blockTimeoutMs = 200;
    quick.settleMs = 20;
    quick.installWaitMs = 400;
    quick.restartLimitMs = 5000;
    App().Upgrade().SetTimings(quick);
    Unit().SetRestartDowntime(std::chrono::milliseconds(100));
  }

  // Returns once the upgrade under way has ended and its outcome was shown:
  // the window is free while the unit restarts.
  bool WaitForUpgradeEnd(int timeoutMs = 20000) {
    return WaitFor([this] { return !App().Upgrade().Busy(); }, timeoutMs);
  }

  // Stops the status polling for a test that injects its own lines, so a
  // poll's answer cannot overwrite them. The poll sent now is answered first.
  void StopPolling() {
    Main().SetRefreshInterval(60 * 60 * 1000);
    ASSERT_TRUE(WaitForReceived("AT+STATS"));
    ASSERT_TRUE(SyncWithUnit());
  }

  int syncCount_ = 0;
  // The data folder of a test that did not set one.
  QTemporaryDir dataDir_;
  bool ownDataDir_ = false;

  ScriptedPrompts prompts_;
  RecordingShell shell_;
  std::unique_ptr<SimulatedBus> bus_;
  std::unique_ptr<AppContext> app_;
};

}  // namespace wr::test
