// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window and the terminal, end to end against the simulated unit.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <map>

#include "e2e/app_fixture.h"

namespace wr::test {
namespace {

using namespace std::chrono_literals;

const std::vector<std::string> kConnectQueries = {
    "ATI",        "ATI",      "AT+STATS", "AT+IP?",  "AT+LOWPOWER?", "AT+TRACK?",
    "AT+USSD?",   "AT+GPRS?", "AT+NUM?",  "AT+MSG?", "AT+IF?",       "AT+IGNITION?"};

class MainWindowTest : public AppFixture {};

TEST_F(MainWindowTest, ConnectingShowsConnectedDisplayAndSendsInitialQueriesInOrder) {
  EXPECT_TRUE(Main().panelStatus->isHidden());
  EXPECT_FALSE(Main().timerSearch->isActive());
  for (const char* name : {"btnReboot", "btnUpgrade", "btnFactory", "btnSaveSettings",
                           "btnNetworkWizard", "btnGetTrips", "btnExcel", "btnDeleteAll",
                           "gboxMisc"})
    EXPECT_TRUE(Control(name)->isEnabled()) << name;

  const std::vector<std::string> received = Received();
  ASSERT_GE(received.size(), kConnectQueries.size());
  EXPECT_EQ(std::vector<std::string>(received.begin(), received.begin() + 12), kConnectQueries);
  // Each command sent is echoed in the terminal.
  EXPECT_EQ(TerminalLines().filter(QStringLiteral("->ATI")).size(), 2);
  // A repeated drain step with the same state sends nothing more.
  Main().SetConnectionState(1);
  EXPECT_EQ(ReceivedCountOf("ATI"), 2u);

  // The About box and the settings come from the unit's answers.
  EXPECT_TRUE(WaitFor([&] { return SettingsTab().edtAPN->text() == QStringLiteral("internet"); }));
  EXPECT_EQ(MainTab().edtVersion->text(), QStringLiteral("1.003"));
  EXPECT_EQ(Session().Model().FirmwareVersion(), "1.003");
  EXPECT_EQ(MainTab().edtSerial->text(), QStringLiteral("WR0001234567"));
}

TEST_F(MainWindowTest, StatusTabShowsEveryStatsTextAsAssembled) {
  StopPolling();
  struct Case {
    std::map<int, std::string> fields;
    const char* control;
    const char* expected;
  };
  const Case cases[] = {
      {{{6, "3.70"}, {21, "1"}}, "edt_volt_battery", "3.70 V (43%)"},
      {{{6, "3.70"}, {21, "0"}}, "edt_volt_battery", "3.70 V (43%) Charging"},
      {{{6, "4.150"}}, "edt_volt_battery", "4.150 V (99%)"},
      {{{6, "3.3"}}, "edt_volt_battery", "3.3 V (0%)"},
      {{{6, "4.25"}}, "edt_volt_battery", "4.25 V (100%)"},
      {{{6, "0"}}, "edt_volt_battery", "0 V (0%)"},
      {{{7, "13.8"}}, "edt_volt_external", "13.8 V"},
      {{{8, "17"}}, "edt_GSM_signal", "-79 dBm (Very Strong)"},
      {{{8, "10"}}, "edt_GSM_signal", "-93 dBm (Average)"},
      {{{8, "22"}}, "edt_GSM_signal", "-69 dBm "},
      {{{8, "99"}}, "edt_GSM_signal", "85 dBm "},
      // An unreadable integer field counts as 0.
      {{{8, "abc"}}, "edt_GSM_signal", "-113 dBm (Very Weak)"},
      {{{9, "6"}, {4, "4.9"}}, "edt_GSM_status", "Registered - Warning: Supply voltage too high!"},
      {{{9, "6"}, {4, "4.8"}}, "edt_GSM_status", "Registered - Warning: Supply voltage too high!"},
      {{{9, "6"}, {4, "4.79"}}, "edt_GSM_status", "Registered"},
      {{{9, "3"}}, "edt_GSM_status", "No SIMcard detected"},
      {{{9, "13"}}, "edt_GSM_status", "unknown"},
      {{{3, "0"}, {10, "3"}}, "edt_GPS_signal", "Switched Off"},
      {{{3, "1"}, {10, "1"}}, "edt_GPS_signal", "No Fix (9/12 satellites, HDOP=1)"},
      {{{3, "2"}, {10, "3"}}, "edt_GPS_signal", "3D Fix (9/12 satellites, HDOP=1)"},
      {{{10, "2"}}, "edt_GPS_signal", "2D Fix (9/12 satellites, HDOP=1)"},
      {{{14, "119"}}, "edt_movement", "119 seconds ago"},
      {{{14, "120"}}, "edt_movement", "2 minutes ago"},
      {{{14, "179"}}, "edt_movement", "2 minutes ago"},
      {{{15, "-5"}}, "edt_next_gsm_update", "-5 seconds"},
      {{{15, "300"}}, "edt_next_gsm_update", "5 minutes"},
      {{{16, "-33.9"}, {17, "18.4"}}, "edt_coordinates", "-33.9 18.4"},
      {{{18, "Driving"}}, "edtTripStatus", "Driving"},
      {{{19, "87"}}, "edtSpeed", "87 km/h"},
      {{{20, "123456"}}, "edtTime", "12:34:56"},
      {{{20, "12345"}}, "edtTime", ""},
      {{{20, "1234567"}}, "edtTime", ""},
  };
  for (const Case& c : cases) {
    auto* box = Control<QLineEdit>(QString::fromLatin1(c.control));
    ASSERT_NE(box, nullptr) << c.control;
    box->setText(QStringLiteral("(before)"));  // a line that never arrives cannot pass
    const std::string line = StatsLine(c.fields);
    Inject(line);
    ASSERT_TRUE(SyncWithUnit());
    EXPECT_EQ(box->text().toStdString(), c.expected) << line;
  }
}

TEST_F(MainWindowTest, SettingsRepliesLandInTheirControlsAndMalformedOnesChangeNothing) {
  StopPolling();
  Inject("+TRACK,1,2,600,4,5");
  Inject("+LOWPOWER,0");
  Inject("+USSD,*100#,024,1106241432Balance 5.00");
  Inject("+GPRS,web.example,me,secret");
  Inject("+IGNITION,2");
  Inject("+INFO:Version:1.005");
  Inject("+INFO:ID:WR42");
  ASSERT_TRUE(WaitFor([&] { return MainTab().edtSerial->text() == QStringLiteral("WR42"); }));
  EXPECT_EQ(SettingsTab().cbox_trip_stop_time->currentText(), QStringLiteral("10"));
  EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack1), 1);
  EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack2), 2);
  EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack4), 4);
  EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack5), 5);
  EXPECT_FALSE(SettingsTab().chkLowPower->isChecked());
  EXPECT_EQ(SettingsTab().edtUSSD->text(), QStringLiteral("*100#"));
  EXPECT_EQ(SettingsTab().edtUSSDinterval->text(), QStringLiteral("24"));
  EXPECT_EQ(StatusTab().lblUSSDRx->text(), QStringLiteral("USSD received on: 11/06/2024 14:32"));
  EXPECT_EQ(StatusTab().edtUSSDRx->text(), QStringLiteral("Balance 5.00"));
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("web.example"));
  EXPECT_EQ(SettingsTab().edtAPN_username->text(), QStringLiteral("me"));
  EXPECT_EQ(SettingsTab().edtAPN_password->text(), QStringLiteral("secret"));
  EXPECT_EQ(SettingsTab().cboxIgnitionDetect->currentIndex(), 2);
  EXPECT_EQ(MainTab().edtVersion->text(), QStringLiteral("1.005"));
  EXPECT_EQ(Session().Model().FirmwareVersion(), "1.005");

  // Lines whose required fields do not read change nothing.
  Inject("+TRACK,9,9,900,9");
  Inject("+TRACK,9,9,5-3,9,9");
  Inject("+LOWPOWER,5-3");
  Inject("+USSD,*999#,2-4,");
  Inject("+IGNITION,1-1");
  Inject("+GPRS,after,,");
  ASSERT_TRUE(WaitFor([&] { return SettingsTab().edtAPN->text() == QStringLiteral("after"); }));
  EXPECT_EQ(SettingsTab().cbox_trip_stop_time->currentText(), QStringLiteral("10"));
  EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack1), 1);
  EXPECT_FALSE(SettingsTab().chkLowPower->isChecked());
  EXPECT_EQ(SettingsTab().edtUSSD->text(), QStringLiteral("*100#"));
  EXPECT_EQ(SettingsTab().cboxIgnitionDetect->currentIndex(), 2);
  EXPECT_TRUE(SettingsTab().edtAPN_username->text().isEmpty());
}

TEST_F(MainWindowTest, UnplugKeepsValuesAndReplugClearsThemBeforeNewReplies) {
  ASSERT_TRUE(WaitFor([&] { return !StatusTab().edt_GSM_status->text().isEmpty(); }));
  const QString status = StatusTab().edt_GSM_status->text();
  Bus().Unplug();
  ASSERT_TRUE(WaitUntilSearching());
  EXPECT_FALSE(Main().panelStatus->isHidden());
  EXPECT_TRUE(Main().timerSearch->isActive());
  EXPECT_FALSE(MainTab().btnReboot->isEnabled());
  EXPECT_FALSE(SettingsTab().gboxMisc->isEnabled());
  EXPECT_LE(Main().pbarSearch->value(), 4);
  EXPECT_EQ(StatusTab().edt_GSM_status->text(), status);
  EXPECT_EQ(MainTab().edtVersion->text(), QStringLiteral("1.003"));
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("internet"));

  // Nothing is polled, nor echoed, while no unit is attached: the refresh
  // timer fires every millisecond while the search bar moves on.
  const int polls = TerminalLines().filter(QStringLiteral("->AT+STATS")).size();
  const int interval = Main().tmrRefresh->interval();
  Main().tmrRefresh->setInterval(1);
  EXPECT_TRUE(WaitFor([this] { return Main().pbarSearch->value() > 4; }));
  Main().tmrRefresh->setInterval(interval);
  EXPECT_EQ(TerminalLines().filter(QStringLiteral("->AT+STATS")).size(), polls);

  // Slow answers leave a window in which the cleared display can be seen.
  Unit().SetLatency(1500ms);
  const size_t mark = Received().size();
  Bus().Replug();
  ASSERT_TRUE(WaitUntilConnected());
  EXPECT_TRUE(StatusTab().edt_GSM_status->text().isEmpty());
  EXPECT_TRUE(SettingsTab().edtAPN->text().isEmpty());
  EXPECT_TRUE(SettingsTab().cbox_trip_stop_time->currentText().isEmpty());
  EXPECT_EQ(MainTab().edtVersion->text(), QStringLiteral("1.003"));  // not cleared
  ASSERT_TRUE(WaitFor([&] { return ReceivedSince(mark).size() >= 12; }));
  const std::vector<std::string> again = ReceivedSince(mark);
  EXPECT_EQ(std::vector<std::string>(again.begin(), again.begin() + 12), kConnectQueries);
  EXPECT_TRUE(WaitFor([&] { return !StatusTab().edt_GSM_status->text().isEmpty(); }, 8000));
}

TEST_F(MainWindowTest, PollsAboutOnceASecondWhileConnected) {
  // The gaps between the next polls, as they come: never sooner than the
  // refresh timer's half second, never much later than a second.
  size_t seen = ReceivedCountOf("AT+STATS");
  ASSERT_TRUE(WaitFor([&] { return ReceivedCountOf("AT+STATS") > seen; }));
  seen = ReceivedCountOf("AT+STATS");
  QElapsedTimer gap;
  gap.start();
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(WaitFor([&] { return ReceivedCountOf("AT+STATS") > seen; }, 2500));
    seen = ReceivedCountOf("AT+STATS");
    EXPECT_GE(gap.restart(), 450);
  }
}

TEST_F(MainWindowTest, QuickBoxPollsAtOnceAndSetsTheIntervalThatTheStatusTabStates) {
  EXPECT_EQ(Main().RefreshInterval(), 500);
  EXPECT_TRUE(Terminal().chkQuick->isChecked());
  EXPECT_TRUE(Terminal().chkQuick->toolTip().contains(QStringLiteral("every 30 seconds")));
  EXPECT_FALSE(StatusTab().lblLastUpdate->text().contains(QStringLiteral("every")));
  Terminal().show();
  size_t before = ReceivedCountOf("AT+STATS");
  Click("chkQuick");
  EXPECT_FALSE(Terminal().chkQuick->isChecked());
  EXPECT_EQ(Main().RefreshInterval(), 30000);
  EXPECT_EQ(ReceivedCountOf("AT+STATS"), before + 1) << "not sent at once";
  EXPECT_TRUE(WaitFor([this] {
    const QString line = StatusTab().lblLastUpdate->text();
    return line.startsWith(QStringLiteral("Last update: ")) &&
           line.contains(QStringLiteral("every 30 s, set by the debug terminal's Quick box"));
  }));
  // At 30 s the next poll is far away: the refresh timer, which alone
  // polls, started again with the new interval.
  EXPECT_GT(Main().tmrRefresh->remainingTime(), 25000);
  EXPECT_EQ(ReceivedCountOf("AT+STATS"), before + 1);

  before = ReceivedCountOf("AT+STATS");
  Click("chkQuick");
  EXPECT_EQ(Main().RefreshInterval(), 1000);
  EXPECT_EQ(ReceivedCountOf("AT+STATS"), before + 1);
}

TEST_F(MainWindowTest, HiddenLetterInVersionBoxOpensTheTerminal) {
  EXPECT_FALSE(Terminal().isVisible());
  QTest::keyClicks(MainTab().edtVersion, QStringLiteral("dx?1"));
  EXPECT_FALSE(Terminal().isVisible());
  EXPECT_EQ(MainTab().edtVersion->text(), QStringLiteral("1.003"));  // still read-only
  QTest::keyClicks(MainTab().edtVersion, QStringLiteral("D"));
  EXPECT_TRUE(Terminal().isVisible());
  EXPECT_TRUE(Main().isVisible());
}

TEST_F(MainWindowTest, TypedLinesGoOutAsTypedWithoutEcho) {
  Terminal().show();
  Click("btnTransmit");
  EXPECT_TRUE(WaitForReceived("~DEBUG=1"));

  // Neither upper-cased nor trimmed.
  Terminal().edtTX->setText(QStringLiteral("at+ip? "));
  QTest::keyClick(Terminal().edtTX, Qt::Key_Return);
  QTest::keyClick(Terminal().edtTX, Qt::Key_Return);
  EXPECT_TRUE(WaitFor([&] { return ReceivedCountOf("at+ip? ") == 2; }));
  EXPECT_EQ(Terminal().edtTX->text(), QStringLiteral("at+ip? "));  // kept for the next press

  // Typing into the box sends nothing by itself.
  const size_t mark = Received().size();
  QTest::keyClicks(Terminal().edtTX, QStringLiteral("X"));
  for (const std::string& line : SentSince(mark)) EXPECT_EQ(line, "AT+STATS");

  // The terminal shows the unit's answers, never the typed lines themselves.
  ASSERT_TRUE(SyncWithUnit());
  for (const QString& line : TerminalLines()) {
    EXPECT_FALSE(line.startsWith(QStringLiteral("->")) && !line.startsWith(QStringLiteral("->AT")))
        << line.toStdString();
    EXPECT_NE(line, QStringLiteral("~DEBUG=1"));
    EXPECT_NE(line, QStringLiteral("->~DEBUG=1"));
    EXPECT_FALSE(line.contains(QStringLiteral("at+ip?"))) << line.toStdString();
  }
}

// (How the quiet time grows is checked against a driven clock in the session's tests.)
TEST_F(MainWindowTest, AnyLineOfTheUnitsOwnResetsTheQuietTime) {
  StopPolling();
  Session().SetQuietMs(60000);
  Inject("~debug output");
  EXPECT_TRUE(WaitFor([&] { return Session().QuietMs() < 300; }));
}

TEST_F(MainWindowTest, TerminalKeepsTheNewestLinesAndFollowsOnlyAtTheEnd) {
  TfrmComms& term = Terminal();
  term.show();
  TerminalView* text = term.redtDebug;
  text->Clear();
  const int total = TfrmComms::kMaxLines + 50;
  for (int i = 0; i < total; ++i) term.AppendLine("line " + std::to_string(i));
  EXPECT_EQ(text->LineCount(), TfrmComms::kMaxLines);
  EXPECT_EQ(text->LineText(0), QStringLiteral("line 50"));
  EXPECT_EQ(text->LineText(text->LineCount() - 1), QString::fromStdString("line " + std::to_string(total - 1)));

  const auto bottom = [text] { return text->LineText(text->FirstVisibleLine() + text->VisibleRows() - 1); };
  RunPosted();
  EXPECT_TRUE(text->IsFollowing()) << "at the end, new lines are followed";
  term.AppendLine("one more");
  EXPECT_EQ(bottom(), QStringLiteral("one more"));

  // The user scrolls up: the same line stays at the top while lines arrive.
  QTest::keyClick(text, Qt::Key_PageUp);
  QTest::keyClick(text, Qt::Key_PageUp);
  ASSERT_FALSE(text->IsFollowing());
  const QString top = text->LineText(text->FirstVisibleLine());
  for (int i = 0; i < 20; ++i) term.AppendLine("later " + std::to_string(i));
  EXPECT_FALSE(text->IsFollowing());
  EXPECT_EQ(text->LineText(text->FirstVisibleLine()), top);

  // Back at the end, it follows again.
  QTest::keyClick(text, Qt::Key_End);
  term.AppendLine("last");
  EXPECT_TRUE(text->IsFollowing());
  EXPECT_EQ(bottom(), QStringLiteral("last"));
}

class CannotOpenTest : public AppFixture {
 protected:
  void ConfigureBus(SimulatedBus& bus) override { bus.FailOpen(-1, "Permission denied"); }
  bool WaitForConnectionOnStart() override { return false; }
};

TEST_F(CannotOpenTest, SearchingDisplaySaysPermissionIsMissingAndHowToFixIt) {
  ASSERT_TRUE(WaitFor([&] { return Main().lblOpenFailure->isVisible(); }, 8000));
  const QString text = Main().lblOpenFailure->text();
  EXPECT_TRUE(text.contains(QStringLiteral("permission")));
  EXPECT_TRUE(text.contains(QStringLiteral("60-wayrunner-track.rules")));
  EXPECT_TRUE(text.contains(QStringLiteral("Permission denied")));
  EXPECT_EQ(Main().lblStatus->text(), QStringLiteral("Searching for USB device..."));
  EXPECT_EQ(Main().LastConnectionState(), 0);
  EXPECT_TRUE(TerminalLines().filter(QStringLiteral("->")).isEmpty()) << "nothing sent or echoed";
  EXPECT_FALSE(Main().lblSearchHint->isVisible());

  // The unit goes away: there is nothing left that cannot be opened.
  Bus().Unplug();
  EXPECT_TRUE(WaitFor([&] { return !Main().lblOpenFailure->isVisible(); }, 8000));

  // Searching on without finding anything, the display says what to do
  // (the search timer is driven here rather than waited for).
  Main().timerSearch->stop();
  const int ticks = (TfrmMain::kSearchHintAfterMs - Main().SearchedForMs()) / TfrmMain::kSearchTickMs;
  if (ticks > 1) {
    for (int i = 0; i < ticks - 1; ++i) Main().timerSearchTimer();
    EXPECT_FALSE(Main().lblSearchHint->isVisible());
  }
  for (int i = 0; i < 2; ++i) Main().timerSearchTimer();
  EXPECT_TRUE(Main().lblSearchHint->isVisible());
  EXPECT_TRUE(Main().lblSearchHint->text().startsWith(QStringLiteral("No unit has been found yet.")));

  // A unit that can be opened ends the search; searching again starts the count afresh.
  Bus().FailOpen(0);
  Bus().Replug();
  ASSERT_TRUE(WaitUntilConnected());
  Bus().Unplug();
  ASSERT_TRUE(WaitUntilSearching());
  EXPECT_FALSE(Main().lblSearchHint->isVisible());
}

}  // namespace
}  // namespace wr::test
