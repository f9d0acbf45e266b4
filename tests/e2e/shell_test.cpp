// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window around the pages: its size and place, the Status tab's columns,
// the menus, the terminal's tools, and the choice between several units.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include <set>
#include <sys/stat.h>

#include "e2e/app_fixture.h"
#include "session/unit_roster.h"
#include "ui/help_dialogs.h"
#include "ui/layout_check.h"
#include "ui/status_history_window.h"

namespace wr::test {
namespace {

const QString kGeometry = QStringLiteral("MainWindow/geometry");

class ShellTest : public AppFixture {
 protected:
  // Builds the tool again, as a new start would, after the window closed.
  void Restart() {
    app_->Shutdown();
    app_.reset();
    UnitSession::Options options;
    options.timings = WorkerTimings();
    app_ = std::make_unique<AppContext>(*bus_, prompts_, shell_, options);
    app_->Main().show();
    ASSERT_TRUE(WaitUntilConnected());
  }

  int X(QWidget* w) { return w->mapTo(&Main(), QPoint(0, 0)).x(); }
  int Right(QWidget* w) { return X(w) + w->width(); }
};

TEST_F(ShellTest, WindowResizesFromItsSmallestSizeAndKeepsItsPlace) {
  // The original client area below the menu bar is the least it takes.
  const int menu = Main().mnuMain->height();
  EXPECT_GE(Main().minimumSize().width(), TfrmMain::kClientWidth);
  EXPECT_GE(Main().minimumSize().height(), TfrmMain::kClientHeight + menu);
  Main().resize(300, 300);
  EXPECT_GE(Main().width(), TfrmMain::kClientWidth);
  EXPECT_GE(Main().height(), TfrmMain::kClientHeight + menu);

  // At its smallest nothing on the Main and Status tabs is cut.
  for (int tab : {0, 1}) {
    Main().pageControl->setCurrentIndex(tab);
    RunPosted();
    EXPECT_EQ(CutControls(Main()), QStringList()) << "tab " << tab;
  }

  // The pages grow with the window.
  Main().pageControl->setCurrentWidget(Main().TabSheet1);
  RunPosted();
  const QSize grid = Trips().sgridTrips->size();
  const int box = StatusTab().edt_GSM_status->width();
  Main().resize(Main().width() + 200, Main().height() + 50);
  RunPosted();
  EXPECT_EQ(Trips().sgridTrips->width(), grid.width() + 200);
  EXPECT_EQ(Trips().sgridTrips->height(), grid.height() + 50);
  Main().pageControl->setCurrentWidget(Main().tabStatus);
  RunPosted();
  EXPECT_EQ(StatusTab().edt_GSM_status->width(), box + 200);

  // Closing keeps the place; the next start opens there.
  QSignalSpy closed(&Main(), &TfrmMain::closed);
  Main().move(30, 0);
  RunPosted();
  const QRect left = Main().geometry();
  Main().close();
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(QSettings().value(kGeometry).toRect(), left);
  Restart();
  EXPECT_EQ(Main().geometry().topLeft(), left.topLeft());
  EXPECT_EQ(Main().width(), left.width());

  // A place on a screen that is gone: centred on the one there is.
  Main().close();
  QSettings().setValue(kGeometry, QRect(5000, 4000, TfrmMain::kClientWidth + 20, 560));
  Restart();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(Main().width(), TfrmMain::kClientWidth + 20);
  EXPECT_NEAR(Main().geometry().center().x(), screen.center().x(), 1);
  EXPECT_TRUE(screen.contains(Main().geometry().topLeft()));
}

TEST_F(ShellTest, StatusBoxesOfTheThreeGroupsLineUp) {
  Main().resize(Main().width() + 80, Main().height());
  Main().pageControl->setCurrentWidget(Main().tabStatus);
  const auto aligned = [this] {
    RunPosted();
    StatusPage& s = StatusTab();
    for (QLineEdit* box : {s.edt_GSM_signal, s.edtUSSDRx, s.edt_coordinates, s.edtTime,
                           s.edt_volt_external, s.edt_volt_battery}) {
      EXPECT_EQ(X(box), X(s.edt_GSM_status)) << box->objectName().toStdString();
      EXPECT_EQ(Right(box), Right(s.edt_GSM_status)) << box->objectName().toStdString();
    }
  };
  aligned();
  // A USSD caption longer than every label widens the one column.
  StopPolling();
  const int before = X(StatusTab().edt_volt_battery);
  Inject("+USSD,*141#,24,0101251200Airtime balance: 1.00, a very long caption follows");
  ASSERT_TRUE(WaitFor([this] { return StatusTab().lblUSSDRx->text().contains(QStringLiteral("received on")); }));
  aligned();
  EXPECT_GE(X(StatusTab().edt_volt_battery), before);
  EXPECT_GE(StatusTab().lblUSSDRx->width(), StatusTab().lblUSSDRx->sizeHint().width());
}

// On an account without a documents folder every save dialog opens in the
// home folder; then in the folder last saved into, for all of them.
TEST_F(ShellTest, SaveDialogsOpenInFoldersThatExistAndRememberTheLastOne) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", QFile::encodeName(home.path()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
  ASSERT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("Documents"))));
  QSettings().remove(QStringLiteral("files/lastFolder"));
  StopPolling();
  Unit().GenerateTrips(2);
  App().StatusHistoryView().show();
  const std::pair<const char*, std::function<void()>> dialogs[] = {
      {"Save profile", [this] { Main().actSaveProfile->trigger(); }},
      {"Save log", [this] { Terminal().btnSaveLogClick(); }},
      {"Export Status History", [this] { App().StatusHistoryView().btnExportCsv->click(); }},
      {"Export Trips", [this] { Main().actExportTrips->trigger(); }}};
  const QString saved = home.filePath(QStringLiteral("saved"));
  ASSERT_TRUE(QDir().mkpath(saved));
  for (const auto& [caption, open] : dialogs) {
    SCOPED_TRACE(caption);
    Prompts().shown.clear();
    open();
    ASSERT_TRUE(WaitUntilOperationsDone());
    ASSERT_FALSE(Prompts().shown.empty());
    EXPECT_EQ(Prompts().shown.back().caption, QString::fromLatin1(caption));
    EXPECT_EQ(QFileInfo(Prompts().lastSuggested).absolutePath(), QDir(home.path()).absolutePath());
  }
  // Saved once into another folder: every dialog opens there next.
  Prompts().saveFiles = {saved + QStringLiteral("/terminal.log")};
  Terminal().btnSaveLogClick();
  ASSERT_TRUE(QFileInfo::exists(saved + QStringLiteral("/terminal.log")));
  for (const auto& [caption, open] : dialogs) {
    SCOPED_TRACE(caption);
    open();
    EXPECT_EQ(QFileInfo(Prompts().lastSuggested).absolutePath(), saved);
  }
  // A failed save names the file once.
  const QString missing = home.filePath(QStringLiteral("gone/terminal.log"));
  Prompts().saveFiles = {missing};
  Prompts().shown.clear();
  Terminal().btnSaveLogClick();
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_EQ(Prompts().Messages()[0].count(missing), 1);
  EXPECT_EQ(Prompts().shown.back().icon, MessageKind::Critical);
  qputenv("HOME", oldHome);
  if (oldConfig.isNull()) qunsetenv("XDG_CONFIG_HOME"); else qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST_F(ShellTest, PreferencesKeepTheTrackingServerAndRefuseOnesThatCannotBeSent) {
  // Typed, then OK: a server that cannot be sent is refused and the dialog
  // stays; a good one is kept, and an empty box forgets it.
  struct Step {
    QString typed;
    bool closes;
    QString kept;
  };
  const Step steps[] = {{QStringLiteral("a,b"), false, QString()},
                        {QStringLiteral("track.wayrunner.example"), false, QString()},
                        {QStringLiteral(" track.example.net "), true, QStringLiteral("track.example.net")},
                        {QString(), true, QString()}};
  for (const Step& step : steps) {
    Prompts().shown.clear();
    bool closedByOk = true;
    When([] { return QApplication::activeModalWidget() != nullptr; }, [&] {
      PreferencesDialog& dialog = Main().Preferences();
      dialog.edtTrackingHost->setText(step.typed);
      dialog.accept();
      closedByOk = !dialog.isVisible();
      if (!closedByOk) dialog.reject();
    });
    Main().actPreferences->trigger();
    EXPECT_EQ(closedByOk, step.closes) << step.typed.toStdString();
    EXPECT_EQ(TrackingHostPreference(), step.kept) << step.typed.toStdString();
    if (!step.closes) {
      ASSERT_EQ(Prompts().shown.size(), 1u);
      EXPECT_EQ(Prompts().shown[0].icon, MessageKind::Warning);
    }
  }
}

TEST_F(ShellTest, MenusCarryMnemonicsShortcutsAndTheFileRequests) {
  // Each menu's letters are its own, and every item has one.
  for (QMenu* menu : {Main().mnuFile, Main().mnuUnit, Main().mnuOutputs, Main().mnuView, Main().mnuHelp}) {
    std::set<QChar> letters;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      const int amp = action->text().indexOf(QLatin1Char('&'));
      ASSERT_GE(amp, 0) << action->text().toStdString();
      EXPECT_TRUE(letters.insert(action->text().at(amp + 1).toLower()).second) << action->text().toStdString();
    }
  }
  const std::pair<QAction*, QKeySequence> shortcuts[] = {
      {Main().actOpenProfile, QKeySequence(QStringLiteral("Ctrl+O"))},
      {Main().actSaveProfile, QKeySequence(QStringLiteral("Ctrl+S"))},
      {Main().actExportTrips, QKeySequence(QStringLiteral("Ctrl+E"))},
      {Main().actQuit, QKeySequence(QStringLiteral("Ctrl+Q"))},
      {Main().actDebugTerminal, QKeySequence(QStringLiteral("Ctrl+T"))},
      {Main().actStatusHistory, QKeySequence(QStringLiteral("Ctrl+H"))},
      {Main().actLinuxHelp, QKeySequence(QStringLiteral("F1"))}};
  for (const auto& [action, keys] : shortcuts)
    EXPECT_EQ(action->shortcut(), keys) << action->objectName().toStdString();

  // The profile and export items reach the pages that carry them out: each
  // asks for its file (cancelled here), the profile ones on the Settings tab.
  StopPolling();
  Unit().GenerateTrips(2);
  Main().pageControl->setCurrentWidget(&Main().PageMain());
  for (QAction* a : {Main().actOpenProfile, Main().actSaveProfile, Main().actCompareProfile,
                     Main().actExportTrips}) {
    a->trigger();
    ASSERT_TRUE(WaitUntilOperationsDone());
  }
  QStringList captions;
  for (const auto& shown : Prompts().shown) captions << shown.caption;
  EXPECT_EQ(captions, (QStringList{QStringLiteral("Open profile"), QStringLiteral("Save profile"),
                                   QStringLiteral("Compare with profile"),
                                   QStringLiteral("Export Trips")}));
  EXPECT_EQ(Main().pageControl->currentWidget(), &Main().PageSettings());
  EXPECT_TRUE(Prompts().Messages().empty());

  // A shortcut typed into the window works; the View items show their windows.
  Main().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  QTest::keyClick(&Main(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(Terminal().isVisible());
  Main().actStatusHistory->trigger();
  EXPECT_TRUE(App().StatusHistoryView().isVisible());
  Main().actLinuxHelp->trigger();
  EXPECT_TRUE(Main().LinuxHelp().isVisible());
  EXPECT_TRUE(Main().LinuxHelp().edtUdevRule->toPlainText().contains(QStringLiteral("16d0")));
  Main().actAbout->trigger();
  EXPECT_TRUE(Main().About().lblVersions->text().contains(QStringLiteral("Qt ")));
  EXPECT_TRUE(Main().About().edtLicences->toPlainText().contains(QStringLiteral("GPL-3.0-or-later")));

  // Quit closes the window, as its close button does.
  QSignalSpy closed(&Main(), &TfrmMain::closed);
  Main().actQuit->trigger();
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(Main().isVisible());
}

TEST_F(ShellTest, UnitItemsDoWhatTheirButtonsDoAndFollowTheirState) {
  StopPolling();
  struct Item {
    QAction* action;
    QString button;
  };
  const Item asking[] = {{Main().actReboot, QStringLiteral("btnReboot")},
                         {Main().actFactoryReset, QStringLiteral("btnFactory")},
                         {Main().actSendDefaults, QStringLiteral("btnDefaults")},
                         {Main().actUpgrade, QStringLiteral("btnUpgrade")}};
  // Answered No: the same question as the button's, and nothing sent.
  for (const Item& item : asking) {
    Prompts().shown.clear();
    Click(item.button);
    ASSERT_EQ(Prompts().shown.size(), 1u) << item.button.toStdString();
    const ScriptedPrompts::Shown byButton = Prompts().shown[0];
    Prompts().shown.clear();
    const size_t mark = Received().size();
    item.action->trigger();
    ASSERT_EQ(Prompts().shown.size(), 1u) << item.button.toStdString();
    EXPECT_EQ(Prompts().shown[0].caption, byButton.caption);
    EXPECT_EQ(Prompts().shown[0].text, byButton.text);
    EXPECT_TRUE(SentSince(mark).empty()) << item.button.toStdString();
  }
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Upgrade Firmware"));

  const std::pair<QAction*, std::string> outputs[] = {
      {Main().actRelayClose, "AT+RELAY=1"}, {Main().actRelayOpen, "AT+RELAY=0"},
      {Main().actOutputHigh, "AT+OUTPUT=1"}, {Main().actOutputLow, "AT+OUTPUT=0"},
      {Main().actBuzzerOn, "AT+BUZZER=1"}, {Main().actBuzzerOff, "AT+BUZZER=0"},
      {Main().act3V3On, "AT+3V3=1"},       {Main().act3V3Off, "AT+3V3=0"}};
  for (const auto& [action, command] : outputs) {
    const size_t mark = Received().size();
    action->trigger();
    EXPECT_TRUE(WaitFor([&] { return !ReceivedSince(mark).empty(); })) << command;
    EXPECT_EQ(ReceivedSince(mark), std::vector<std::string>{command});
  }

  // Send defaults, answered Yes: its items are unusable while it runs, as
  // its buttons are.
  bool anyEnabled = false;
  QTimer sample;
  QObject::connect(&sample, &QTimer::timeout, [&] {
    if (!Session().OperationsRunning()) return;
    for (const Item& item : asking) anyEnabled = anyEnabled || item.action->isEnabled();
  });
  sample.start(20);
  Prompts().yesNo = {true};
  SetTrackingHostPreference(QStringLiteral("track.example.net"));
  Main().actSendDefaults->trigger();
  ASSERT_TRUE(WaitUntilOperationsDone());
  sample.stop();
  EXPECT_FALSE(anyEnabled);
  EXPECT_TRUE(WaitFor([&] { return ReceivedCountOf("AT+LOWPOWER=1") == 1; }));
  for (const Item& item : asking) EXPECT_TRUE(item.action->isEnabled());

  // Without a unit every Unit item is unusable.
  Bus().Unplug();
  ASSERT_TRUE(WaitUntilSearching());
  for (QAction* action : Main().mnuUnit->actions() + Main().mnuOutputs->actions())
    if (!action->isSeparator() && !action->menu()) {
      EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    }
  Bus().Replug();
  ASSERT_TRUE(WaitUntilConnected());
  EXPECT_TRUE(Main().actRelayClose->isEnabled());
  EXPECT_TRUE(Main().actReboot->isEnabled());
}

TEST_F(ShellTest, TerminalClearsSavesItsLogAndStampsLines) {
  StopPolling();
  Main().actDebugTerminal->trigger();
  ASSERT_TRUE(Terminal().isVisible());
  TerminalView& view = *Terminal().redtDebug;
  Click(QStringLiteral("btnClear"));
  EXPECT_EQ(view.LineCount(), 0);
  ASSERT_TRUE(SyncWithUnit());
  ASSERT_GT(view.LineCount(), 0);

  Click(QStringLiteral("chkTimestamps"));
  EXPECT_TRUE(view.ShowTimestamps());
  const QRegularExpression stamped(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d "));
  EXPECT_TRUE(stamped.match(view.LineText(0)).hasMatch()) << view.LineText(0).toStdString();

  // Saved as shown, a line end after each line; readable by its owner only.
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("unit.log"));
  Prompts().saveFiles = {file};
  Click(QStringLiteral("btnSaveLog"));
  EXPECT_EQ(Prompts().shown.back().kind, "save");
  QFile saved(file);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLatin1(saved.readAll()), view.Text() + QLatin1Char('\n'));
  struct stat info {};
  ASSERT_EQ(stat(QFile::encodeName(file).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // A folder that is not there: the user is told, and no file appears.
  Prompts().shown.clear();
  const QString nowhere = dir.filePath(QStringLiteral("missing/unit.log"));
  Prompts().saveFiles = {nowhere};
  Click(QStringLiteral("btnSaveLog"));
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].startsWith(QStringLiteral("The log was not saved")));
  EXPECT_FALSE(QFile::exists(nowhere));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("unit.log")});

  // Cancelled: nothing is written.
  Prompts().shown.clear();
  Click(QStringLiteral("btnSaveLog"));
  EXPECT_TRUE(Prompts().Messages().empty());
}

// Three units: the first and the second, and the first again after a
// restart, at a new address (plugged in by the test).
class SeveralUnitsTest : public AppFixture {
 protected:
  static constexpr const char* kFirstId = "WR0001234567";
  static constexpr const char* kSecondId = "WR0001234568";
  void ConfigureBus(SimulatedBus& bus) override {
    SimulatedUnit::Options second;
    second.deviceId = kSecondId;
    second.seed = 2;
    bus.AddUnit(0x16D0, 0x06AF, second);
    bus.AddUnit(0x16D0, 0x06AF, SimulatedUnit::Options{});
    bus.Unplug(2);
  }

  UnitRoster& Roster() { return App().Roster(); }
  size_t StatsSentTo(int unit) {
    return Bus().Unit(unit).ReceivedCount([](const std::string& l) { return l == "AT+STATS"; });
  }
  int ItemOf(const char* id) { return Main().cboxUnit->findText(QString::fromLatin1(id), Qt::MatchContains); }
};

TEST_F(SeveralUnitsTest, WindowOffersTheUnitsKeepsToTheOneShownAndShowsTheOnePicked) {
  // The first unit is shown; the window names both, the second once asked.
  ASSERT_TRUE(WaitFor([&] {
    return Main().pnlUnits->isVisible() && Main().cboxUnit->count() == 2 && ItemOf(kSecondId) == 1;
  }));
  EXPECT_TRUE(Main().lblUnits->text().startsWith(QStringLiteral("2 units are attached")));
  EXPECT_EQ(Main().cboxUnit->currentIndex(), ItemOf(kFirstId));
  EXPECT_EQ(MainTab().edtSerial->text(), QString::fromLatin1(kFirstId));
  // The second was only asked who it is; what it says reaches no window.
  EXPECT_EQ(Bus().Unit(1).ReceivedLines(), std::vector<std::string>{"ATI"});
  Bus().Unit(1).EmitRaw("~second unit speaking\r\n");
  ASSERT_TRUE(SyncWithUnit());
  EXPECT_FALSE(TerminalLines().contains(QStringLiteral("~second unit speaking")));

  // The first restarts and comes back at a new address, listed after the
  // second: the window keeps to it.
  ASSERT_TRUE(WaitFor([&] { return Roster().Chosen().has_value(); }));
  const UsbLocation before = *Session().Location();
  Bus().Unplug(0);
  ASSERT_TRUE(WaitUntilSearching());
  EXPECT_TRUE(WaitFor([&] { return Main().lblUnits->text().startsWith(QStringLiteral("The unit chosen is not attached")); }));
  Bus().Replug(2);
  ASSERT_TRUE(WaitFor([&] { return StatsSentTo(2) > 0; }, 10000));
  ASSERT_TRUE(Session().Location());
  EXPECT_NE(*Session().Location(), before);
  EXPECT_EQ(*Roster().Chosen(), *Session().Location());
  EXPECT_EQ(StatsSentTo(1), 0u);
  EXPECT_TRUE(WaitFor([&] { return Main().cboxUnit->count() == 2 && Main().cboxUnit->currentIndex() == ItemOf(kFirstId); }));

  // Picked: the session opens the second and queries it; the first is left alone.
  emit Main().cboxUnit->activated(ItemOf(kSecondId));
  ASSERT_TRUE(WaitFor([&] { return MainTab().edtSerial->text() == QString::fromLatin1(kSecondId); }));
  ASSERT_TRUE(WaitUntilConnected());
  EXPECT_TRUE(WaitFor([&] { return StatsSentTo(1) > 0; }));
  Bus().Unit(1).EmitRaw("~second unit speaking\r\n");
  EXPECT_TRUE(WaitFor([&] { return TerminalLines().contains(QStringLiteral("~second unit speaking")); }));
  const size_t firstPolls = StatsSentTo(2);
  EXPECT_TRUE(WaitFor([&] { return StatsSentTo(1) > 2; }));
  EXPECT_EQ(StatsSentTo(2), firstPolls);
  EXPECT_EQ(Main().cboxUnit->currentIndex(), ItemOf(kSecondId));
  EXPECT_EQ(Roster().ChosenDeviceId(), kSecondId);

  // Down to the second alone: nothing left to choose, and it stays open.
  const int connections = Session().Connections();
  Bus().Unplug(2);
  EXPECT_TRUE(WaitFor([&] { return Main().pnlUnits->isHidden(); }, 8000));
  EXPECT_FALSE(Roster().Chosen());
  // Two more polls of the second unit: the link stayed as it was meanwhile.
  const size_t polls = StatsSentTo(1);
  EXPECT_TRUE(WaitFor([&] { return StatsSentTo(1) >= polls + 2; }));
  EXPECT_EQ(Session().Connections(), connections);
  EXPECT_EQ(Session().ConnectionState(), 1);
}

TEST_F(SeveralUnitsTest, PickingAnotherUnitAsksBeforeUnsavedEditsAreLost) {
  ASSERT_TRUE(WaitFor([&] { return Main().cboxUnit->count() == 2 && ItemOf(kSecondId) == 1; }));
  ASSERT_TRUE(WaitFor([&] { return SettingsTab().edtAPN->text() == QStringLiteral("internet"); }));
  QTest::keyClicks(SettingsTab().edtAPN, QStringLiteral("x"));
  ASSERT_TRUE(SettingsTab().HasUnsavedEdits());

  // No: the window keeps the unit and the edit, and the box says so.
  Prompts().yesNo = {false};
  emit Main().cboxUnit->activated(ItemOf(kSecondId));
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Choose unit"));
  EXPECT_EQ(Main().cboxUnit->currentIndex(), ItemOf(kFirstId));
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("internetx"));
  EXPECT_EQ(Roster().ChosenDeviceId(), kFirstId);

  // Yes: the edit goes, and the second unit is shown.
  Prompts().yesNo = {true};
  emit Main().cboxUnit->activated(ItemOf(kSecondId));
  ASSERT_TRUE(WaitFor([&] { return MainTab().edtSerial->text() == QString::fromLatin1(kSecondId); }));
  EXPECT_FALSE(SettingsTab().IsEdited(SettingKey::kApn));
}

}  // namespace
}  // namespace wr::test
