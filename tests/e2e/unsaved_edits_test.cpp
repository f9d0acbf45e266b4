// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Changes on the Settings tab that are not saved yet: marked, kept when the
// unit comes back, and asked about before an action would lose them.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "e2e/app_fixture.h"
#include "ui/tfrm_network_wizard.h"

namespace wr::test {
namespace {

using namespace std::chrono_literals;

class UnsavedEditsTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(WaitFor([this] { return SettingsTab().edtAPN->text() == QStringLiteral("internet"); }));
    StopPolling();
  }

  // Types into a field as the user does: the text is replaced.
  void TypeInto(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  void EditApn(const QString& text = QStringLiteral("mine")) {
    TypeInto(SettingsTab().edtAPN, text);
    ASSERT_TRUE(SettingsTab().IsEdited(SettingKey::kApn));
  }
  QString Apn() { return SettingsTab().edtAPN->text(); }
  bool Marked(QWidget* label) { return label->font().bold(); }
  QWidget* LabelOf(QWidget* field) {
    return qobject_cast<QFormLayout*>(SettingsTab().GroupBox7->layout())->labelForField(field);
  }
  QString SettingsTabTitle() { return Main().pageControl->tabText(2); }
  // The last question asked, or an empty text.
  QString LastQuestion() {
    for (auto it = Prompts().shown.rbegin(); it != Prompts().shown.rend(); ++it)
      if (it->kind == "question") return it->text;
    return QString();
  }
};

TEST_F(UnsavedEditsTest, UserChangesAreMarkedAndWhatTheUnitReportsIsNot) {
  EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
  EXPECT_TRUE(SettingsTab().lblUnsaved->isHidden());

  EditApn();
  EXPECT_TRUE(Marked(LabelOf(SettingsTab().edtAPN)));
  EXPECT_FALSE(Marked(LabelOf(SettingsTab().edtUSSD)));
  EXPECT_FALSE(SettingsTab().lblUnsaved->isHidden());
  EXPECT_EQ(SettingsTab().lblUnsaved->text(),
            QStringLiteral("Unsaved changes: GPRS APN. Save writes them to the unit."));
  EXPECT_EQ(SettingsTabTitle(), QStringLiteral("Settings *"));

  // Typed back to the unit's value: no change left.
  TypeInto(SettingsTab().edtAPN, QStringLiteral("internet"));
  EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
  EXPECT_FALSE(Marked(LabelOf(SettingsTab().edtAPN)));
  EXPECT_EQ(SettingsTabTitle(), QStringLiteral("Settings"));

  // The check box and a choice from the list count too; "024" is the unit's 24.
  QTest::mouseClick(SettingsTab().chkLowPower, Qt::LeftButton);
  EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kLowPower));
  EXPECT_TRUE(Marked(SettingsTab().chkLowPower));
  SettingsTab().cbox_trip_stop_time->setCurrentIndex(5);  // "10"
  emit SettingsTab().cbox_trip_stop_time->activated(5);
  EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kTripStopMinutes));
  TypeInto(SettingsTab().edtUSSDinterval, QStringLiteral("024"));
  EXPECT_FALSE(SettingsTab().IsEdited(SettingKey::kUssdInterval));
  EXPECT_EQ(SettingsTab().UnsavedEditNames(),
            (QStringList{QStringLiteral("Time stationary before ending trip (minutes)"),
                         QStringLiteral("Low power mode")}));

  // A reply changes an untouched field without marking it, and leaves an
  // edited one alone.
  Inject("+GPRS,other.apn,someone,");
  Inject("+TRACK,21600,30,900,10000,20");
  ASSERT_TRUE(SyncWithUnit());
  EXPECT_EQ(Apn(), QStringLiteral("other.apn"));
  EXPECT_EQ(SettingsTab().edtAPN_username->text(), QStringLiteral("someone"));
  EXPECT_FALSE(SettingsTab().IsEdited(SettingKey::kApnUser));
  EXPECT_EQ(SettingsTab().cbox_trip_stop_time->currentText(), QStringLiteral("10"));
  EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kTripStopMinutes));
}

TEST_F(UnsavedEditsTest, SaveClearsTheMarksOfWhatTheUnitTookOnly) {
  EditApn(QStringLiteral("fleet.apn"));
  TypeInto(SettingsTab().edtUSSDinterval, QStringLiteral("99999"));  // the unit refuses it
  // A change made while Save waits was not sent, and stays a change.
  When([this] { return ReceivedCountOf("AT+GPRS=fleet.apn,,") > 0; },
       [this] { TypeInto(SettingsTab().edtAPN_username, QStringLiteral("late")); });
  Click(QStringLiteral("btnSaveSettings"));
  EXPECT_EQ(Unit().Settings().apn, "fleet.apn");
  EXPECT_FALSE(SettingsTab().IsEdited(SettingKey::kApn));
  EXPECT_EQ(SettingsTab().edtAPN_username->text(), QStringLiteral("late"));
  EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kApnUser));
  // The refused interval is named, and the field keeps what was typed,
  // marked, until it is saved or reverted.
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].contains(QStringLiteral("refused by the unit")));
  EXPECT_EQ(SettingsTab().edtUSSDinterval->text(), QStringLiteral("99999"));
  EXPECT_TRUE(Marked(LabelOf(SettingsTab().edtUSSDinterval)));
  EXPECT_EQ(SettingsTab().UnsavedEditNames(),
            (QStringList{QStringLiteral("Query Interval (hours)"), QStringLiteral("Username")}));

  // Revert, from the keyboard: the unit's values, no marks.
  ASSERT_TRUE(SettingsTab().btnRevertSettings->isEnabled());
  ShowTabOf(SettingsTab().edtUSSDinterval);
  Main().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  SettingsTab().edtUSSDinterval->setFocus();
  QTest::keyClick(SettingsTab().edtUSSDinterval, Qt::Key_R, Qt::AltModifier);
  // The button shows itself pressed for a moment before it acts.
  ASSERT_TRUE(WaitFor([this] { return !SettingsTab().HasUnsavedEdits(); }));
  EXPECT_EQ(SettingsTab().edtUSSDinterval->text(), QStringLiteral("24"));
  EXPECT_EQ(SettingsTab().edtAPN_username->text(), QString());
  EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
  EXPECT_FALSE(Marked(LabelOf(SettingsTab().edtUSSDinterval)));
  EXPECT_TRUE(SettingsTab().ReasonLabel(SettingKey::kUssdInterval)->isHidden());
  EXPECT_FALSE(SettingsTab().btnRevertSettings->isEnabled());
}

// The user name and password typed are not lost when the unit refuses them;
// a value the check refuses is marked before anything is sent.
TEST_F(UnsavedEditsTest, RefusedValuesStayInTheirFieldsWithTheReasonBesideThem) {
  TypeInto(SettingsTab().edtAPN_username, QStringLiteral("fleet user"));
  const QString password(64, QLatin1Char('p'));  // longer than the unit keeps
  TypeInto(SettingsTab().edtAPN_password, password);
  Click(QStringLiteral("btnSaveSettings"));
  EXPECT_EQ(SettingsTab().edtAPN_username->text(), QStringLiteral("fleet user"));
  EXPECT_EQ(SettingsTab().edtAPN_password->text(), password);
  EXPECT_EQ(SettingsTab().ReasonLabel(SettingKey::kApnUser)->text(),
            QStringLiteral("Not saved: refused by the unit. The unit holds (empty)."));
  EXPECT_EQ(SettingsTab().ReasonLabel(SettingKey::kApnPassword)->text(),
            QStringLiteral("Not saved: refused by the unit."));
  EXPECT_EQ(Apn(), QStringLiteral("internet"));
  EXPECT_FALSE(Marked(LabelOf(SettingsTab().edtAPN)));

  TypeInto(SettingsTab().edtUSSDinterval, QStringLiteral("abc"));
  const QLabel* reason = SettingsTab().ReasonLabel(SettingKey::kUssdInterval);
  EXPECT_FALSE(reason->isHidden());
  EXPECT_EQ(reason->text(), QStringLiteral("'abc' is not a valid integer value"));
  EXPECT_EQ(SettingsTab().edtUSSDinterval->accessibleDescription(), reason->text());
  Prompts().shown.clear();
  const size_t mark = Received().size();
  Click(QStringLiteral("btnSaveSettings"));
  EXPECT_TRUE(SentSince(mark).empty());
  EXPECT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_EQ(SettingsTab().edtUSSDinterval->text(), QStringLiteral("abc"));
  EXPECT_EQ(SettingsTab().edtAPN_username->text(), QStringLiteral("fleet user"));
}

// Reboot, factory reset and send defaults: No keeps the edits and sends
// nothing, Yes goes ahead and the tab shows the unit's values again.
TEST_F(UnsavedEditsTest, UnitActionsAskBeforeTheEditsAreLost) {
  struct Case {
    const char* button;
    std::deque<bool> declined;  // answers up to the No about the edits
    QString caption;
    std::string sent;           // the first line the action sends
  };
  Unit().SetRestartDowntime(200ms);
  SetTrackingHostPreference(QStringLiteral("track.example.net"));
  const Case cases[] = {
      {"btnReboot", {true, false}, QStringLiteral("Reboot"), "AT+RESET"},
      {"btnFactory", {true, false}, QStringLiteral("Reset to Factory"), "AT+FACTORY"},
      {"btnDefaults", {true, false}, QStringLiteral("Send defaults"), "AT+IP="},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ASSERT_TRUE(WaitUntilConnected());
    ASSERT_TRUE(WaitFor([this] { return Apn() == QStringLiteral("internet"); }));
    Main().SetRefreshInterval(60 * 60 * 1000);
    ASSERT_TRUE(SyncWithUnit());
    EditApn();
    Prompts().shown.clear();
    Prompts().yesNo = c.declined;
    size_t mark = Received().size();
    Click(QLatin1String(c.button));
    EXPECT_TRUE(SentSince(mark).empty());
    ASSERT_FALSE(Prompts().shown.empty());
    EXPECT_EQ(Prompts().shown.back().caption, c.caption);
    EXPECT_TRUE(LastQuestion().startsWith(
        QStringLiteral("The Settings tab has changes that are not saved to the unit: GPRS APN.")))
        << LastQuestion().toStdString();
    EXPECT_EQ(Apn(), QStringLiteral("mine"));
    EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kApn));

    std::deque<bool> yes(c.declined.size(), true);
    Prompts().yesNo = yes;
    mark = Received().size();
    Click(QLatin1String(c.button));
    const std::vector<std::string> sent = ReceivedSince(mark);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].rfind(c.sent, 0), 0u) << sent[0];
    EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
    EXPECT_NE(Apn(), QStringLiteral("mine"));
  }
  // Without edits there is nothing to ask about.
  ASSERT_TRUE(WaitUntilConnected());
  Prompts().shown.clear();
  Prompts().yesNo = {false};
  Click(QStringLiteral("btnReboot"));
  EXPECT_EQ(Prompts().shown.size(), 1u);
}

TEST_F(UnsavedEditsTest, TheWizardAsksBeforeItReplacesTypedSimFields) {
  TfrmNetworkWizard& wizard = App().NetworkWizard();
  int opened = 0;
  auto closeWhenShown = [&] {
    When([&] { return wizard.isVisible(); }, [&] {
      ++opened;
      QTest::mouseClick(wizard.BitBtn2, Qt::LeftButton);
    });
  };
  // A change of a field the wizard does not fill asks nothing.
  QTest::mouseClick(SettingsTab().chkLowPower, Qt::LeftButton);
  closeWhenShown();
  Click(QStringLiteral("btnNetworkWizard"));
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(Prompts().shown.empty());

  EditApn();
  Prompts().yesNo = {false};
  Click(QStringLiteral("btnNetworkWizard"));
  EXPECT_EQ(opened, 1);
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Network Wizard"));
  EXPECT_TRUE(Prompts().shown[0].text.contains(QStringLiteral("GPRS APN")));

  Prompts().yesNo = {true};
  closeWhenShown();
  Click(QStringLiteral("btnNetworkWizard"));
  EXPECT_EQ(opened, 2);
  // Cancelled in the wizard: the typed value is still there.
  EXPECT_EQ(Apn(), QStringLiteral("mine"));
  EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kApn));
}

TEST_F(UnsavedEditsTest, ClosingTheWindowAsksOnlyWhenThereAreEdits) {
  QSignalSpy closed(&Main(), &TfrmMain::closed);
  EditApn();
  Prompts().yesNo = {false};
  EXPECT_FALSE(Main().close());
  EXPECT_TRUE(Main().isVisible());
  EXPECT_EQ(closed.count(), 0);
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Close"));
  EXPECT_TRUE(Prompts().shown[0].text.endsWith(
      QStringLiteral("They are lost when the window closes. Close anyway?")));

  Prompts().yesNo = {true};
  EXPECT_TRUE(Main().close());
  EXPECT_EQ(closed.count(), 1);

  // Shown again, and nothing changed: closing asks nothing.
  Main().show();
  TypeInto(SettingsTab().edtAPN, QStringLiteral("internet"));
  Prompts().shown.clear();
  EXPECT_TRUE(Main().close());
  EXPECT_TRUE(Prompts().shown.empty());
  EXPECT_EQ(closed.count(), 2);
}

// When the unit is unplugged and comes back, the window fills the tab from
// it again without asking: the edits stay in their fields, marked, and the
// tab says so. Reconnecting on the user's word asks first.
TEST_F(UnsavedEditsTest, ReconnectionKeepsTheEditsAndSaysSo) {
  EditApn();
  Bus().Unplug();
  ASSERT_TRUE(WaitUntilSearching());
  SimSettings other = Unit().Settings();
  other.apn = "their.apn";
  other.ussdCode = "*123#";
  Unit().SetSettings(other);
  Bus().Replug();
  ASSERT_TRUE(WaitUntilConnected());
  ASSERT_TRUE(WaitFor([this] { return SettingsTab().edtUSSD->text() == QStringLiteral("*123#"); }));
  ASSERT_TRUE(WaitFor([this] { return Session().Model().Settings().Read(SettingGroup::Gprs); }));
  Main().SetRefreshInterval(60 * 60 * 1000);
  ASSERT_TRUE(SyncWithUnit());

  EXPECT_EQ(Apn(), QStringLiteral("mine"));
  EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kApn));
  EXPECT_FALSE(SettingsTab().IsEdited(SettingKey::kUssd));
  EXPECT_FALSE(SettingsTab().lblKeptEdits->isHidden());
  EXPECT_TRUE(SettingsTab().lblKeptEdits->text().startsWith(
      QStringLiteral("A unit was connected while this tab had unsaved changes.")));
  EXPECT_TRUE(Prompts().shown.empty());

  // The user's word to reconnect: No keeps them.
  EXPECT_FALSE(SettingsTab().ConfirmLosingEdits(QStringLiteral("Reconnect"),
                                                QStringLiteral("Reconnect anyway?")));
  EXPECT_EQ(Apn(), QStringLiteral("mine"));

  // Saved to the unit now attached, with its own other values.
  const size_t mark = Received().size();
  Click(QStringLiteral("btnSaveSettings"));
  const std::vector<std::string> sent = ReceivedSince(mark);
  EXPECT_NE(std::find(sent.begin(), sent.end(), "AT+GPRS=mine,,"), sent.end());
  EXPECT_NE(std::find(sent.begin(), sent.end(), "AT+USSD=*123#,24"), sent.end());
  EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
  EXPECT_TRUE(SettingsTab().lblKeptEdits->isHidden());

  // Yes to reconnecting: the unit's value is back in the field.
  EditApn(QStringLiteral("again"));
  Prompts().yesNo = {true};
  EXPECT_TRUE(SettingsTab().ConfirmLosingEdits(QStringLiteral("Reconnect"),
                                               QStringLiteral("Reconnect anyway?")));
  EXPECT_EQ(Apn(), QStringLiteral("mine"));
  EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
}

}  // namespace
}  // namespace wr::test
