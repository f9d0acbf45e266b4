// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Settings save, unit controls, defaults, the network wizard and the SMS
// content picker, end to end against the simulated unit.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <map>

#include "e2e/app_fixture.h"
#include "protocol/settings_commands.h"
#include "ui/tfrm_network_wizard.h"
#include "ui/tfrm_sms_extra.h"

namespace wr::test {
namespace {

using namespace std::chrono_literals;

const std::vector<std::string> kSettingsQueries = {"AT+LOWPOWER?", "AT+TRACK?", "AT+USSD?",
                                                   "AT+GPRS?", "AT+IGNITION?"};
const std::vector<std::string> kInitialQueries = {
    "ATI",     "AT+STATS", "AT+IP?",  "AT+LOWPOWER?", "AT+TRACK?",   "AT+USSD?",
    "AT+GPRS?", "AT+NUM?",  "AT+MSG?", "AT+IF?",       "AT+IGNITION?"};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Samples a condition from the event loop while a handler runs its waits.
class Sampler {
 public:
  explicit Sampler(std::function<void()> sample) {
    QObject::connect(&timer_, &QTimer::timeout, std::move(sample));
    timer_.start(20);
  }

 private:
  QTimer timer_;
};

class ConfigTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    if (HasFatalFailure()) return;
    // The connection's answers first, so they cannot land in the middle of a test.
    ASSERT_TRUE(WaitFor([this] { return SettingsTab().edtAPN->text() == QStringLiteral("internet"); }));
    StopPolling();
  }

  void Type(QLineEdit* box, const QString& text) { box->setText(text); }
  void TypeTripStop(const QString& text) { SettingsTab().cbox_trip_stop_time->setEditText(text); }
  QString TripStop() { return SettingsTab().cbox_trip_stop_time->currentText(); }

  // The unit holds something other than the defaults the tests look for.
  void GiveUnitOtherSettings() {
    SimSettings s = Unit().Settings();
    const int track[5] = {1, 2, 600, 4, 5};
    std::copy(track, track + 5, s.track);
    s.lowPower = 0;
    s.ignition = 0;
    s.ipHost = "old.example";
    Unit().SetSettings(s);
  }

  void ExpectDefaultsShown() {
    EXPECT_TRUE(WaitFor([this] { return TripStop() == QStringLiteral("3"); })) << TripStop().toStdString();
    EXPECT_TRUE(WaitFor([this] { return SettingsTab().chkLowPower->isChecked(); }));
    EXPECT_TRUE(WaitFor([this] { return SettingsTab().cboxIgnitionDetect->currentText() == QStringLiteral("Smart detection"); }));
    EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack1), 21600);
    EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack2), 30);
    EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack4), 10000);
    EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack5), 20);
  }
};

TEST_F(ConfigTest, SaveSendsTheFiveSettingsThenTheFiveQueriesAndShowsWhatTheUnitHolds) {
  TypeTripStop(QStringLiteral("7"));  // not in the list
  SettingsTab().chkLowPower->setChecked(false);
  // The ignition choice is not part of the layout: what the unit reported
  // goes back, whatever the hidden box was set to.
  SettingsTab().cboxIgnitionDetect->setCurrentIndex(2);
  Type(SettingsTab().edtUSSD, QStringLiteral("*100#"));
  Type(SettingsTab().edtUSSDinterval, QStringLiteral("99999"));  // the unit refuses this one
  Type(SettingsTab().edtAPN, QStringLiteral("fleet.apn"));
  Type(SettingsTab().edtAPN_username, QStringLiteral("user"));
  Type(SettingsTab().edtAPN_password, QStringLiteral("pw"));

  const size_t mark = Received().size();
  std::vector<bool> enabledWhileSaving;
  {
    Sampler sampler([&] {
      if (!Session().OperationsRunning()) return;
      enabledWhileSaving.push_back(SettingsTab().btnSaveSettings->isEnabled() ||
                                   SettingsTab().btnNetworkWizard->isEnabled());
    });
    QElapsedTimer clock;
    clock.start();
    Click(QStringLiteral("btnSaveSettings"));
    // The read-back ends when the five replies have come, not after a quiet wait.
    EXPECT_LT(clock.elapsed(), UnitSession::kSaveFirstPauseMs);
  }
  EXPECT_EQ(ReceivedSince(mark),
            Concat({"AT+TRACK=21600,30,420,10000,20", "AT+LOWPOWER=0", "AT+USSD=*100#,99999",
                    "AT+GPRS=fleet.apn,user,pw", "AT+IGNITION=1"},
                   kSettingsQueries));
  // Every command is echoed in the terminal.
  EXPECT_TRUE(TerminalLines().contains(QStringLiteral("->AT+GPRS=fleet.apn,user,pw")));

  ASSERT_FALSE(enabledWhileSaving.empty());
  EXPECT_EQ(std::count(enabledWhileSaving.begin(), enabledWhileSaving.end(), true), 0);
  EXPECT_TRUE(SettingsTab().btnSaveSettings->isEnabled());
  EXPECT_TRUE(SettingsTab().btnNetworkWizard->isEnabled());

  // One message names the setting the unit refused and what it holds now.
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  const QString message = Prompts().Messages()[0];
  EXPECT_TRUE(message.contains(QStringLiteral("Airtime USSD String and Query Interval (hours): "
                                              "refused by the unit. The unit holds \"*141#\" every "
                                              "24 hours.")))
      << message.toStdString();
  EXPECT_FALSE(message.contains(QStringLiteral("GPRS"))) << message.toStdString();

  // The tab shows the unit's values where it took them; the refused USSD
  // setting keeps what was typed, marked with what the unit holds instead.
  EXPECT_EQ(TripStop(), QStringLiteral("7"));
  EXPECT_FALSE(SettingsTab().chkLowPower->isChecked());
  EXPECT_EQ(SettingsTab().cboxIgnitionDetect->currentIndex(), 1);
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("fleet.apn"));
  EXPECT_EQ(SettingsTab().edtAPN_username->text(), QStringLiteral("user"));
  EXPECT_FALSE(SettingsTab().IsEdited(SettingKey::kApn));
  EXPECT_EQ(SettingsTab().edtUSSD->text(), QStringLiteral("*100#"));
  EXPECT_EQ(SettingsTab().edtUSSDinterval->text(), QStringLiteral("99999"));
  const QLabel* reason = SettingsTab().ReasonLabel(SettingKey::kUssdInterval);
  EXPECT_FALSE(reason->isHidden());
  EXPECT_EQ(reason->text(), QStringLiteral("Not saved: refused by the unit. The unit holds 24."));
  EXPECT_EQ(SettingsTab().edtUSSDinterval->accessibleDescription(), reason->text());
  EXPECT_EQ(Unit().Settings().track[2], 420);
  EXPECT_EQ(Unit().Settings().ignition, 1);
}

// The unit refuses what it cannot keep; every refusal is named in one
// message, and a save the unit took whole says nothing.
TEST_F(ConfigTest, SaveNamesEverySettingTheUnitRefusedAndNothingWhenAllWereTaken) {
  TypeTripStop(QStringLiteral("-5"));  // the unit keeps no negative time
  Type(SettingsTab().edtUSSD, QString(41, QLatin1Char('1')));  // longer than it keeps
  Type(SettingsTab().edtUSSDinterval, QStringLiteral("10000"));  // more hours than it keeps
  Click(QStringLiteral("btnSaveSettings"));
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  const QString message = Prompts().Messages()[0];
  EXPECT_TRUE(message.contains(QStringLiteral(
      "Time stationary before ending trip: refused by the unit. The unit holds 3 minutes.")))
      << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral("Airtime USSD String and Query Interval (hours): refused")))
      << message.toStdString();
  EXPECT_EQ(message.count(QStringLiteral("\n- ")), 2) << message.toStdString();
  EXPECT_EQ(TripStop(), QStringLiteral("-5"));
  EXPECT_EQ(SettingsTab().edtUSSD->text(), QString(41, QLatin1Char('1')));

  Prompts().shown.clear();
  TypeTripStop(QStringLiteral("10"));
  Type(SettingsTab().edtUSSD, QStringLiteral("*111#"));
  Type(SettingsTab().edtUSSDinterval, QStringLiteral("012"));  // the unit keeps 12
  Click(QStringLiteral("btnSaveSettings"));
  EXPECT_TRUE(Prompts().Messages().empty()) << Prompts().Messages()[0].toStdString();
  EXPECT_EQ(Unit().Settings().ussdInterval, 12);
  EXPECT_EQ(SettingsTab().edtUSSDinterval->text(), QStringLiteral("12"));
}

TEST_F(ConfigTest, RefusedInputShowsItsMessageSendsNothingAndLeavesSaveUsable) {
  struct Case {
    QString tripStop;
    QLineEdit* field;
    QString value;
    QString expected;  // the message, or a part that must be in it
    bool whole;
  };
  const Case cases[] = {
      {QStringLiteral("abc"), nullptr, QString(),
       QStringLiteral("\"Time stationary before ending trip (minutes)\" (trip_stop_minutes): 'abc' "
                      "is not a valid integer value. Nothing was sent."), true},
      {QString(), nullptr, QString(),
       QStringLiteral("\"Time stationary before ending trip (minutes)\" (trip_stop_minutes): the "
                      "value is empty. Nothing was sent."), true},
      {QStringLiteral("  "), nullptr, QString(), QStringLiteral("the value is empty"), false},
      {QStringLiteral("35791395"), nullptr, QString(), QStringLiteral("'35791395' minutes"), false},
      // The command line refuses it with the same words.
      {QStringLiteral("5"), SettingsTab().edtUSSDinterval, QStringLiteral("abc"),
       QStringLiteral("\"Query Interval (hours)\" (ussd_interval): 'abc' is not a valid integer "
                      "value. Nothing was sent."), true},
      {QStringLiteral("5"), SettingsTab().edtAPN, QStringLiteral("inter,net"), QStringLiteral("\"GPRS APN\" (apn): the value contains a comma"), false},
      {QStringLiteral("5"), SettingsTab().edtAPN_password, QStringLiteral("pw\nAT+FACTORY"), QStringLiteral("\"Password\" (apn_password): the value contains a line feed"), false},
      {QStringLiteral("5"), SettingsTab().edtAPN_username, QStringLiteral("jos\u00e9"), QStringLiteral("\"Username\" (apn_user): the value contains the character '\u00e9' (U+00E9)"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected.toStdString());
    const QString before = c.field ? c.field->text() : QString();
    TypeTripStop(c.tripStop);
    if (c.field) Type(c.field, c.value);
    Prompts().shown.clear();
    const size_t mark = Received().size();
    Click(QStringLiteral("btnSaveSettings"));
    EXPECT_TRUE(SentSince(mark).empty());
    const std::vector<QString> messages = Prompts().Messages();
    ASSERT_EQ(messages.size(), 1u);
    if (c.whole) {
      EXPECT_EQ(messages[0], c.expected);
    } else {
      EXPECT_TRUE(messages[0].contains(c.expected)) << messages[0].toStdString();
    }
    EXPECT_TRUE(SettingsTab().btnSaveSettings->isEnabled());
    EXPECT_TRUE(SettingsTab().btnNetworkWizard->isEnabled());
    if (c.field) Type(c.field, before);
  }
}

TEST_F(ConfigTest, RebootAsksThenTheUnitRestartsAndTheWindowFindsItAgain) {
  Unit().SetRestartDowntime(500ms);
  // No sends nothing.
  size_t mark = Received().size();
  Click(QStringLiteral("btnReboot"));
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Reboot"));
  EXPECT_EQ(Prompts().shown[0].text, QStringLiteral("Reboot unit?"));
  EXPECT_TRUE(SentSince(mark).empty());

  Prompts().yesNo = {true};
  mark = Received().size();
  Click(QStringLiteral("btnReboot"));
  EXPECT_EQ(ReceivedSince(mark), std::vector<std::string>{"AT+RESET"});
  ASSERT_TRUE(WaitUntilSearching()) << "the window did not notice the unit leave";
  EXPECT_FALSE(Main().panelStatus->isHidden());
  EXPECT_EQ(Main().lblStatus->text(), QStringLiteral("Searching for USB device..."));
  EXPECT_FALSE(MainTab().btnRelayClose->isEnabled());
  EXPECT_FALSE(MainTab().btnDefaults->isEnabled());
  ASSERT_TRUE(WaitUntilConnected()) << "the window did not find the unit again";
  EXPECT_TRUE(Main().panelStatus->isHidden());
  EXPECT_TRUE(MainTab().btnRelayClose->isEnabled());
  EXPECT_EQ(Unit().RestartCount(), 1);
}

TEST_F(ConfigTest, FactoryResetEmptiesTheTripGridAndRefillsTheTabs) {
  GiveUnitOtherSettings();
  Trips().sgridTrips->setRowCount(4);
  Trips().sgridTrips->setItem(1, 0, new QTableWidgetItem(QStringLiteral("2024/01/02")));
  Trips().sgridTrips->setItem(2, 0, new QTableWidgetItem(QStringLiteral("2024/01/03")));

  size_t mark = Received().size();
  Click(QStringLiteral("btnFactory"));  // answered No
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Reset to Factory"));
  EXPECT_EQ(Prompts().shown[0].text,
            QStringLiteral("You will lose all your settings!! Are you sure?\nThe unit also clears "
                           "its trip log. How many trips the unit holds is not known: they have "
                           "not been listed since it was connected."));
  EXPECT_TRUE(SentSince(mark).empty());
  EXPECT_EQ(Trips().sgridTrips->rowCount(), 4);

  // Yes, then No to the export offered as Delete All Trips offers it.
  Prompts().yesNo = {true, false};
  Prompts().shown.clear();
  mark = Received().size();
  Click(QStringLiteral("btnFactory"));
  ASSERT_EQ(Prompts().shown.size(), 2u);
  EXPECT_EQ(Prompts().shown[1].caption, QStringLiteral("Reset to Factory"));
  EXPECT_EQ(Prompts().shown[1].text, QStringLiteral("Export the unit's trips before deleting them?"));
  // The queries go out at once, without waiting for the reset's answer.
  EXPECT_EQ(ReceivedSince(mark), Concat({"AT+FACTORY"}, kInitialQueries));
  EXPECT_EQ(Trips().sgridTrips->rowCount(), 2);
  for (int c = 0; c < TripsPage::kTripColumns; ++c) {
    const QTableWidgetItem* cell = Trips().sgridTrips->item(1, c);
    EXPECT_TRUE(!cell || cell->text().isEmpty()) << c;
  }
  ExpectDefaultsShown();
}

TEST_F(ConfigTest, SendDefaultsWithoutAServerAsksForOneAndSendsNothing) {
  // None set: it asks for one; cancelled, or the placeholder, nothing goes out.
  Prompts().inputs = {std::nullopt, QString::fromLatin1(kPlaceholderTrackingHost.data())};
  for (int attempt = 0; attempt < 2; ++attempt) {
    const size_t mark = Received().size();
    Prompts().shown.clear();
    Click(QStringLiteral("btnDefaults"));
    ASSERT_GE(Prompts().shown.size(), 1u);
    EXPECT_EQ(Prompts().shown[0].kind, "input");
    EXPECT_TRUE(Prompts().shown[0].text.contains(QStringLiteral("No tracking server is set")));
    if (attempt == 1) {
      ASSERT_EQ(Prompts().shown.size(), 2u);
      EXPECT_EQ(Prompts().shown[1].icon, MessageKind::Warning);
      EXPECT_TRUE(Prompts().shown[1].text.endsWith(QStringLiteral("Nothing was sent.")));
    }
    for (const std::string& line : SentSince(mark)) EXPECT_EQ(line, "AT+STATS");
  }
  EXPECT_TRUE(TrackingHostPreference().isEmpty());
  EXPECT_EQ(Unit().Settings().ipHost, std::string(kPlaceholderTrackingHost));
}

TEST_F(ConfigTest, SendDefaultsWritesTheFixedSettingsWithItsPausesAndRefillsTheTabs) {
  GiveUnitOtherSettings();
  ASSERT_TRUE(MainTab().btnDefaults->isVisible());
  const std::string host = "track.example.net";
  const std::string ip = "AT+IP=" + host + ",80,0";
  const std::vector<std::string> written = {ip, "AT+TRACK=21600,30,180,10000,20,", "AT+LOWPOWER=1",
                                            "AT+IGNITION=1"};
  // The server entered when asked is kept; the question lists what is
  // written, the server first; No sends nothing.
  Prompts().inputs = {QString::fromStdString(host)};
  size_t mark = Received().size();
  Click(QStringLiteral("btnDefaults"));
  ASSERT_EQ(Prompts().shown.size(), 2u);
  EXPECT_EQ(Prompts().shown[1].kind, "question");
  EXPECT_EQ(Prompts().shown[1].caption, QStringLiteral("Send defaults"));
  EXPECT_TRUE(Prompts().shown[1].text.contains(QStringLiteral("overwrites these settings of the unit")));
  EXPECT_TRUE(Prompts().shown[1].text.contains(
      QStringLiteral("\u2022 Tracking server: track.example.net, port 80\n")));
  EXPECT_TRUE(Prompts().shown[1].text.contains(QStringLiteral("Ignition detection: Smart detection")));
  EXPECT_EQ(TrackingHostPreference(), QString::fromStdString(host));
  for (const std::string& line : SentSince(mark)) EXPECT_EQ(line, "AT+STATS");

  // When each line reached the unit, and whether the About buttons were usable.
  std::map<std::string, qint64> arrival;
  bool anyEnabled = false;
  int samples = 0;
  Prompts().yesNo = {true};
  mark = Received().size();
  QElapsedTimer clock;
  clock.start();
  {
    Sampler sampler([&] {
      ++samples;
      if (Session().OperationsRunning())
        for (QPushButton* b : {MainTab().btnDefaults, MainTab().btnReboot, MainTab().btnUpgrade, MainTab().btnFactory})
          anyEnabled = anyEnabled || b->isEnabled();
      for (const std::string& line : ReceivedSince(mark))
        if (!arrival.count(line)) arrival[line] = clock.elapsed();
    });
    Click(QStringLiteral("btnDefaults"));
  }
  EXPECT_EQ(ReceivedSince(mark), Concat(written, kInitialQueries));
  EXPECT_GT(samples, 0);
  EXPECT_FALSE(anyEnabled);
  for (QPushButton* b : {MainTab().btnDefaults, MainTab().btnReboot, MainTab().btnUpgrade, MainTab().btnFactory})
    EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
  ASSERT_TRUE(arrival.count(written[1]) && arrival.count(written[2]));
  // 500 ms after the server, 500 ms after the tracking values, and the last
  // two together; the sampler sees a line up to one tick late.
  EXPECT_GE(arrival[written[1]] - arrival[ip], 450);
  EXPECT_GE(arrival[written[2]] - arrival[written[1]], 450);
  EXPECT_GE(clock.elapsed(), 2500);

  // Asked only once: the second time the kept server was used.
  EXPECT_EQ(Prompts().shown.size(), 3u);
  EXPECT_EQ(Unit().Settings().ipHost, host);
  ExpectDefaultsShown();
}

TEST_F(ConfigTest, OutputSwitchesSendOneCommandEachAndFollowTheConnection) {
  const std::vector<std::pair<QString, std::string>> buttons = {
      {QStringLiteral("btnRelayClose"), "AT+RELAY=1"}, {QStringLiteral("btnOutputHigh"), "AT+OUTPUT=1"},
      {QStringLiteral("btnBuzzerOn"), "AT+BUZZER=1"},  {QStringLiteral("btn3V3On"), "AT+3V3=1"}};
  size_t mark = Received().size();
  for (const auto& [name, line] : buttons) Click(name);
  std::vector<std::string> expected;
  for (const auto& b : buttons) expected.push_back(b.second);
  EXPECT_EQ(ReceivedSince(mark), expected);
  ASSERT_TRUE(SyncWithUnit());
  SimOutputs on = Unit().Outputs();
  EXPECT_TRUE(on.relay && on.output && on.buzzer && on.supply3v3);

  mark = Received().size();
  for (const char* name : {"btnRelayOpen", "btnOutputLow", "btnBuzzerOff", "btn3V3Off"})
    Click(QLatin1String(name));
  EXPECT_EQ(ReceivedSince(mark), (std::vector<std::string>{"AT+RELAY=0", "AT+OUTPUT=0",
                                                           "AT+BUZZER=0", "AT+3V3=0"}));
  ASSERT_TRUE(SyncWithUnit());
  SimOutputs off = Unit().Outputs();
  EXPECT_FALSE(off.relay || off.output || off.buzzer || off.supply3v3);
  EXPECT_TRUE(Prompts().shown.empty());

  Bus().Unplug();
  ASSERT_TRUE(WaitUntilSearching());
  for (const char* name : {"btnRelayClose", "btnRelayOpen", "btnOutputHigh", "btnOutputLow",
                           "btnBuzzerOn", "btnBuzzerOff", "btn3V3On", "btn3V3Off"})
    EXPECT_FALSE(Control(QLatin1String(name))->isEnabled()) << name;
}

// A unit that takes commands but never answers: nothing it never reported is
// written into it.
class SilentUnitTest : public AppFixture {
 protected:
  void ConfigureBus(SimulatedBus& bus) override { bus.Unit().SetNeverAnswer(true); }
  bool WaitForConnectionOnStart() override { return false; }
};

TEST_F(SilentUnitTest, SaveWithoutTheRetainedValuesSendsNothingAndSaysWhatIsMissing) {
  ASSERT_TRUE(WaitUntilConnected());
  ASSERT_TRUE(WaitForReceived("AT+IGNITION?"));
  Main().SetRefreshInterval(60 * 60 * 1000);
  SettleWrites();
  // Nothing answered "AT+TRACK?", so the box was left empty.
  EXPECT_EQ(SettingsTab().cbox_trip_stop_time->currentText(), QString());
  EXPECT_EQ(SettingsTab().edtUSSDinterval->text(), QString());
  SettingsTab().cbox_trip_stop_time->setEditText(QStringLiteral("5"));
  // An empty interval is no value to send: it is refused as on the command line.
  Click(QStringLiteral("btnSaveSettings"));
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{QStringLiteral("\"Query Interval (hours)\" (ussd_interval): the "
                                                "value is empty. Nothing was sent.")});
  Prompts().shown.clear();
  SettingsTab().edtUSSDinterval->setText(QStringLiteral("24"));

  const size_t mark = Received().size();
  Click(QStringLiteral("btnSaveSettings"));
  // Save asks for what it lacks, and when no answer comes it sends no setting.
  EXPECT_EQ(ReceivedSince(mark), (std::vector<std::string>{"AT+TRACK?", "AT+IGNITION?"}));
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{QStringLiteral(
                "Nothing was saved: the tracking values and the ignition detection could not be "
                "read from the unit. Check that it is connected and try again.")});
  EXPECT_TRUE(SettingsTab().btnSaveSettings->isEnabled());
}

// Values read from one unit are never written to another: after a new unit
// is attached, Save waits for that unit's own values.
class ReplacedUnitTest : public ConfigTest {};

TEST_F(ReplacedUnitTest, SaveAfterAnotherUnitIsAttachedSendsOnlyTheNewUnitsValues) {
  EXPECT_EQ(Session().Model().Settings().Number(SettingKey::kTrack1), 21600);
  // The unit is swapped for one with other retained values that answers the
  // first queries late: its "+TRACK," reply is lost.
  Bus().Unplug();
  ASSERT_TRUE(WaitUntilSearching());
  SimSettings other = Unit().Settings();
  const int track[5] = {111, 222, 600, 444, 555};
  std::copy(track, track + 5, other.track);
  other.ignition = 2;
  Unit().SetSettings(other);
  Unit().SetNeverAnswer(true);
  Bus().Replug();
  ASSERT_TRUE(WaitUntilConnected());
  ASSERT_TRUE(WaitForReceived("AT+IGNITION?"));
  Unit().SetNeverAnswer(false);
  EXPECT_FALSE(Session().Model().Settings().Read(SettingGroup::Track));
  Main().SetRefreshInterval(60 * 60 * 1000);

  TypeTripStop(QStringLiteral("5"));
  Type(SettingsTab().edtUSSDinterval, QStringLiteral("24"));
  const size_t mark = Received().size();
  Click(QStringLiteral("btnSaveSettings"));
  const std::vector<std::string> sent = ReceivedSince(mark);
  ASSERT_GE(sent.size(), 3u) << (Prompts().Messages().empty() ? std::string()
                                                              : Prompts().Messages()[0].toStdString());
  EXPECT_EQ(sent[0], "AT+TRACK?");
  EXPECT_NE(std::find(sent.begin(), sent.end(), "AT+TRACK=111,222,300,444,555"), sent.end());
  EXPECT_NE(std::find(sent.begin(), sent.end(), "AT+IGNITION=2"), sent.end());
  EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                          [](const std::string& l) { return l.find("21600") != std::string::npos; }),
            0);
}

// The network wizard, reading Settings.ini from the directory the tool was
// started in.
class WizardTest : public AppFixture {
 protected:
  void ConfigureBus(SimulatedBus&) override {
    ASSERT_TRUE(dir_.isValid());
    // Nothing installed on this machine may stand in for a missing file.
    saved_ = {{"XDG_DATA_HOME", Env("XDG_DATA_HOME")}, {"XDG_DATA_DIRS", Env("XDG_DATA_DIRS")}};
    qputenv("XDG_DATA_HOME", dir_.filePath(QStringLiteral("nodata")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", dir_.filePath(QStringLiteral("nodata")).toLocal8Bit());
    if (!iniText_.empty()) {
      std::ofstream out(dir_.filePath(QStringLiteral("Settings.ini")).toStdString(), std::ios::binary);
      out << iniText_;
    }
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
  }
  void TearDown() override {
    AppFixture::TearDown();
    QDir::setCurrent(previous_);
    for (const auto& [name, value] : saved_) {
      if (value.isNull()) {
        qunsetenv(name.c_str());
      } else {
        qputenv(name.c_str(), value);
      }
    }
  }
  static QByteArray Env(const char* name) {
    return qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray();
  }

  TfrmNetworkWizard& Wizard() { return App().NetworkWizard(); }
  QStringList Operators() {
    QStringList names;
    for (int i = 0; i < Wizard().cboxNetwork->count(); ++i) names << Wizard().cboxNetwork->itemText(i);
    return names;
  }

  // Opens the wizard with its button, picks an operator and presses the given
  // button once the dialog is up; returns when it has closed.
  void RunWizard(int operatorIndex, QPushButton* TfrmNetworkWizard::*button) {
    bool pressed = false;
    QTimer::singleShot(0, &Main(), [&] {
      EXPECT_TRUE(WaitFor([&] { return Wizard().isVisible(); }, 2000));
      Wizard().cboxNetwork->setCurrentIndex(operatorIndex);
      QTest::mouseClick(Wizard().*button, Qt::LeftButton);
      pressed = true;
    });
    Click(QStringLiteral("btnNetworkWizard"));
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(Wizard().isVisible());
  }

  struct SimFields {
    QString apn, user, password, ussd, interval;
    bool operator==(const SimFields& o) const {
      return apn == o.apn && user == o.user && password == o.password && ussd == o.ussd &&
             interval == o.interval;
    }
    friend void PrintTo(const SimFields& f, std::ostream* os) {
      *os << '{' << f.apn.toStdString() << '|' << f.user.toStdString() << '|'
          << f.password.toStdString() << '|' << f.ussd.toStdString() << '|'
          << f.interval.toStdString() << '}';
    }
  };
  SimFields Fields() {
    return {SettingsTab().edtAPN->text(), SettingsTab().edtAPN_username->text(), SettingsTab().edtAPN_password->text(),
            SettingsTab().edtUSSD->text(), SettingsTab().edtUSSDinterval->text()};
  }
  void SetFields(const SimFields& f) {
    SettingsTab().edtAPN->setText(f.apn);
    SettingsTab().edtAPN_username->setText(f.user);
    SettingsTab().edtAPN_password->setText(f.password);
    SettingsTab().edtUSSD->setText(f.ussd);
    SettingsTab().edtUSSDinterval->setText(f.interval);
  }

  std::string iniText_;
  QTemporaryDir dir_;
  QString previous_;
  std::vector<std::pair<std::string, QByteArray>> saved_;
};

class WizardWithPresetsTest : public WizardTest {
 protected:
  WizardWithPresetsTest() {
    iniText_ =
        "; operators\r\n"
        "[Other]\r\n"
        "Ignored=x,y,z,w\r\n"
        "[operators]\r\n"
        "  Full Net =  internet.full,guest,secret,*100#,extra \r\n"
        "Quoted=\"quoted.apn\",\"qu user\",,\"*141#\"\r\n"
        "ApnOnly=only.apn\r\n"
        "Empty=\r\n";
  }
};

TEST_F(WizardWithPresetsTest, OkFillsTheSimFieldsFromThePresetAndCancelChangesNothing) {
  EXPECT_EQ(Wizard().windowTitle(), QStringLiteral("Network Wizard"));
  EXPECT_EQ(Wizard().Label1->text(), QStringLiteral("Select Network"));
  EXPECT_EQ(Operators(), (QStringList{"Full Net", "Quoted", "ApnOnly", "Empty"}));
  EXPECT_EQ(Wizard().cboxNetwork->currentIndex(), 0);
  EXPECT_FALSE(Wizard().cboxNetwork->isEditable());

  const size_t mark = Received().size();
  SettingsTab().edtUSSDinterval->setText(QStringLiteral("48"));
  RunWizard(0, &TfrmNetworkWizard::BitBtn1);
  EXPECT_EQ(Fields(), (SimFields{"internet.full", "guest", "secret", "*100#", "24"}));
  RunWizard(1, &TfrmNetworkWizard::BitBtn1);
  EXPECT_EQ(Fields(), (SimFields{"quoted.apn", "qu user", "", "*141#", "24"}));
  RunWizard(2, &TfrmNetworkWizard::BitBtn1);
  EXPECT_EQ(Fields(), (SimFields{"only.apn", "", "", "", "24"}));

  // The values are read again on every OK; the list is not.
  {
    std::ofstream out(dir_.filePath(QStringLiteral("Settings.ini")).toStdString());
    out << "[Operators]\nApnOnly=changed.apn,u\nNew=new.apn\n";
  }
  RunWizard(2, &TfrmNetworkWizard::BitBtn1);
  EXPECT_EQ(Fields(), (SimFields{"changed.apn", "u", "", "", "24"}));
  EXPECT_EQ(Operators().size(), 4);
  // An operator edited out of the file since the list was read: OK says so
  // and leaves the fields alone (the dialog stays open for another choice).
  Prompts().shown.clear();
  Prompts().whileShown = [&] { QTest::mouseClick(Wizard().BitBtn2, Qt::LeftButton); };
  const SimFields before = Fields();
  RunWizard(0, &TfrmNetworkWizard::BitBtn1);
  Prompts().whileShown = nullptr;
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].startsWith(QStringLiteral("Full Net is no longer listed in ")))
      << Prompts().Messages()[0].toStdString();
  EXPECT_EQ(Fields(), before);

  const SimFields typed{"my.apn", "me", "pw", "*1#", "12"};
  SetFields(typed);
  RunWizard(1, &TfrmNetworkWizard::BitBtn2);
  EXPECT_EQ(Fields(), typed);

  // Only the fields change: nothing reaches the unit until Save.
  for (const std::string& line : SentSince(mark)) EXPECT_EQ(line, "AT+STATS");
}

TEST_F(WizardTest, WithoutPresetsTheWizardSaysWhereItLookedAndCannotBlankTheFields) {
  EXPECT_EQ(Wizard().cboxNetwork->count(), 0);
  EXPECT_EQ(Wizard().cboxNetwork->currentIndex(), -1);
  EXPECT_EQ(Wizard().SettingsFile(), QDir(dir_.path()).filePath(QStringLiteral("Settings.ini")));
  EXPECT_FALSE(Wizard().BitBtn1->isEnabled());
  const QString said = Wizard().lblPresetsMissing->text();
  EXPECT_TRUE(said.startsWith(QStringLiteral("No operator presets were found."))) << said.toStdString();
  for (const QString& place : TfrmNetworkWizard::SettingsFilePlaces())
    EXPECT_TRUE(said.contains(place)) << place.toStdString();
  EXPECT_TRUE(said.contains(QDir(dir_.path()).filePath(QStringLiteral("Settings.ini"))));

  const SimFields typed{"a", "b", "c", "d", "7"};
  SetFields(typed);
  bool shown = false;
  QTimer::singleShot(0, &Main(), [&] {
    EXPECT_TRUE(WaitFor([&] { return Wizard().isVisible(); }, 2000));
    shown = Wizard().lblPresetsMissing->isVisible();
    // Enter is the default button's key; a disabled OK takes no press.
    QTest::mouseClick(Wizard().BitBtn1, Qt::LeftButton);
    QTest::keyClick(Wizard().cboxNetwork, Qt::Key_Return);
    QTest::mouseClick(Wizard().BitBtn2, Qt::LeftButton);
  });
  Click(QStringLiteral("btnNetworkWizard"));
  EXPECT_TRUE(shown);
  EXPECT_EQ(Fields(), typed);
  EXPECT_FALSE(Wizard().Result().has_value());
}

// A presets file written in an 8-bit code page: names with accents show and
// select as written.
class WizardWithLatin1PresetsTest : public WizardTest {
 protected:
  WizardWithLatin1PresetsTest() {
    iniText_ = "[Operators]\r\nT\xe9l\xe9 Nord=apn.t\xe9l\xe9,,,*123#\r\nPlain=plain.apn\r\n";
  }
};

TEST_F(WizardWithLatin1PresetsTest, AccentedOperatorNamesShowAndSelect) {
  EXPECT_EQ(Operators(), (QStringList{QStringLiteral("T\u00e9l\u00e9 Nord"), QStringLiteral("Plain")}));
  RunWizard(0, &TfrmNetworkWizard::BitBtn1);
  EXPECT_EQ(Fields(), (SimFields{QStringLiteral("apn.t\u00e9l\u00e9"), "", "", "*123#", "24"}));
  RunWizard(1, &TfrmNetworkWizard::BitBtn1);
  EXPECT_EQ(Fields(), (SimFields{"plain.apn", "", "", "", "24"}));
}

TEST_F(WizardTest, FileIsAlsoFoundInTheInstalledDataFolder) {
  QDir(dir_.path()).mkpath(QStringLiteral("share/wayrunner-track"));
  const QString installed = dir_.filePath(QStringLiteral("share/wayrunner-track/Settings.ini"));
  {
    std::ofstream out(installed.toStdString());
    out << "[Operators]\nInstalled=inst.apn\n";
  }
  qputenv("XDG_DATA_DIRS", dir_.filePath(QStringLiteral("share")).toLocal8Bit());
  EXPECT_EQ(QFileInfo(TfrmNetworkWizard::FindSettingsFile()).canonicalFilePath(),
            QFileInfo(installed).canonicalFilePath());
  // The current directory's file comes first.
  {
    std::ofstream out(dir_.filePath(QStringLiteral("Settings.ini")).toStdString());
    out << "[Operators]\nHere=here.apn\n";
  }
  EXPECT_EQ(TfrmNetworkWizard::FindSettingsFile(), QDir::current().filePath(QStringLiteral("Settings.ini")));
}

// The SMS content picker, opened from the Settings tab.
class SmsPickerTest : public AppFixture {
 protected:
  TfrmSMSExtra& Picker() { return App().SmsExtra(); }
  void Tick(std::initializer_list<int> rows, bool on = true) {
    for (int r : rows) Picker().valueBoxes[static_cast<size_t>(r - 1)]->setChecked(on);
  }
  bool ShowsExample(const QString& text, uint32_t mask) {
    return WaitFor([&] {
      return Picker().edtExample->text() == text && Picker().ExampleText() == text &&
             Picker().ContentMask() == mask;
    }, 2000);
  }
};

TEST_F(SmsPickerTest, TickedValuesBuildTheExampleAndMaskWhileShownAndNothingIsSent) {
  EXPECT_EQ(Picker().windowTitle(), QStringLiteral("Add to SMS: example only"));
  EXPECT_EQ(SettingsTab().btnSmsContent->text(), QStringLiteral("SMS example..."));
  EXPECT_TRUE(Picker().lblPreview->text().contains(QStringLiteral("Nothing is sent to the unit")));
  EXPECT_EQ(Picker().findChildren<QPushButton*>().size(), 1);
  const size_t mark = Received().size();
  EXPECT_FALSE(Picker().Timer1->isActive());
  // The boxes stand in their groups in the table's order.
  std::map<QString, QStringList> groups;
  for (QCheckBox* box : Picker().valueBoxes) {
    auto* group = qobject_cast<QGroupBox*>(box->parentWidget());
    ASSERT_NE(group, nullptr);
    groups[group->title()] << box->objectName();
    EXPECT_FALSE(box->isChecked());
  }
  EXPECT_EQ(groups[QStringLiteral("Miscellaneous")].size(), 7);
  EXPECT_EQ(groups[QStringLiteral("Inputs / Voltages")].first(), QStringLiteral("CheckBox8"));
  EXPECT_EQ(groups[QStringLiteral("Outputs")], (QStringList{"CheckBox15", "CheckBox16", "CheckBox17"}));

  Click(QStringLiteral("btnSmsContent"));
  ASSERT_TRUE(WaitFor([&] { return Picker().isVisible(); }));
  EXPECT_TRUE(Picker().Timer1->isActive());
  EXPECT_EQ(Picker().Timer1->interval(), 250);

  Picker().chkDescription->setChecked(true);
  EXPECT_TRUE(ShowsExample(QString(), 0x1));
  Tick({1, 4, 15});
  EXPECT_TRUE(ShowsExample(QStringLiteral(" ID:78190234 Position:-26.1788,28.2434 Relay:ON"), 0x10025));
  Picker().chkDescription->setChecked(false);
  EXPECT_TRUE(ShowsExample(QStringLiteral(" 78190234 -26.1788,28.2434 ON"), 0x10024));

  // Close stops the timer and keeps the last result.
  QTest::mouseClick(Picker().btnClose, Qt::LeftButton);
  EXPECT_FALSE(Picker().isVisible());
  EXPECT_FALSE(Picker().Timer1->isActive());
  Tick({2});
  RunPosted();
  EXPECT_EQ(Picker().ContentMask(), 0x10024u);

  // Shown again, the boxes kept their state; Escape closes as the button does.
  Click(QStringLiteral("btnSmsContent"));
  Tick({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
  EXPECT_TRUE(WaitFor([&] { return Picker().ContentMask() == 0x7FFFCu; }, 2000));
  QTest::keyClick(&Picker(), Qt::Key_Escape);
  EXPECT_FALSE(Picker().isVisible());
  EXPECT_EQ(Picker().ContentMask(), 0x7FFFCu);
  EXPECT_TRUE(Picker().ExampleText().endsWith(QStringLiteral(" ON LOW OFF")));
  // The unit heard only the window's own polling.
  for (const std::string& line : ReceivedSince(mark)) EXPECT_EQ(line, "AT+STATS");
}

}  // namespace
}  // namespace wr::test
