// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Settings profiles in the window, end to end against the simulated unit:
// open (compare, tick, fill the Settings tab, then Save), compare, and save.
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <fstream>

#include "e2e/app_fixture.h"
#include "profile/settings_profile.h"
#include "ui/profile_compare_dialog.h"

namespace wr::test {
namespace {

class SettingsProfileTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(WaitFor([this] { return SettingsTab().edtAPN->text() == QStringLiteral("internet"); }));
    StopPolling();
  }

  QString WriteProfile(const std::string& text, const QString& name = QStringLiteral("p.ini")) {
    const QString path = dir_.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary) << text;
    return path;
  }

  // The comparison dialog while it waits for an answer.
  static ProfileCompareDialog* ShownDialog() {
    return qobject_cast<ProfileCompareDialog*>(QApplication::activeModalWidget());
  }
  // Runs action on the comparison dialog once it is shown, as the user would.
  void OnDialog(std::function<void(ProfileCompareDialog&)> action) {
    When([] { return ShownDialog() && ShownDialog()->isVisible(); },
         [action] { action(*ShownDialog()); });
  }
  // The table's text at a setting's row.
  static QString Cell(ProfileCompareDialog& d, SettingKey key, int column) {
    const int row = d.RowOf(key);
    return row < 0 ? QStringLiteral("<no row>") : d.tblCompare->item(row, column)->text();
  }

  QTemporaryDir dir_;
};

const char kProfile[] =
    "; from the bench\n"
    "[settings]\n"
    "apn = fleet.apn\n"
    "apn_user = driver\n"
    "ussd_interval = 024\n"
    "trip_stop_minutes = 10\n"
    "low_power = 0\n"
    "ignition = 2\n"
    "track1 = 600\n";

TEST_F(SettingsProfileTest, OpenShowsTheDifferencesFillsTheTickedValuesAndSaveWritesThem) {
  const size_t mark = Received().size();
  bool looked = false;
  OnDialog([&](ProfileCompareDialog& d) {
    looked = true;
    EXPECT_EQ(d.DialogMode(), ProfileCompareDialog::Mode::Choose);
    EXPECT_EQ(d.tblCompare->rowCount(), 7);
    EXPECT_EQ(Cell(d, SettingKey::kApn, ProfileCompareDialog::kUnitColumn), QStringLiteral("internet"));
    EXPECT_EQ(Cell(d, SettingKey::kApn, ProfileCompareDialog::kProfileColumn), QStringLiteral("fleet.apn"));
    EXPECT_EQ(Cell(d, SettingKey::kApnUser, ProfileCompareDialog::kUnitColumn), QStringLiteral("(empty)"));
    EXPECT_EQ(Cell(d, SettingKey::kIgnition, ProfileCompareDialog::kUnitColumn), QStringLiteral("Smart detection"));
    EXPECT_EQ(Cell(d, SettingKey::kIgnition, ProfileCompareDialog::kProfileColumn), QStringLiteral("Voltage on Input1"));
    EXPECT_EQ(Cell(d, SettingKey::kTrack1, ProfileCompareDialog::kUnitColumn), QStringLiteral("21600"));
    // Ticked where they differ; "024" is the unit's 24.
    for (SettingKey key : d.Keys())
      EXPECT_EQ(d.IsTicked(d.RowOf(key)), key != SettingKey::kUssdInterval) << SettingKeyName(key);
    EXPECT_EQ(d.DifferenceCount(), 6);
    EXPECT_TRUE(d.lblCompareSummary->text().startsWith(QStringLiteral("6 of 7 settings differ")));
    // The user keeps the unit's low power mode: Space on its row.
    d.tblCompare->setCurrentCell(d.RowOf(SettingKey::kLowPower), 0);
    QTest::keyClick(d.tblCompare, Qt::Key_Space);
    EXPECT_FALSE(d.IsTicked(d.RowOf(SettingKey::kLowPower)));
    QTest::mouseClick(d.btnCompareOk, Qt::LeftButton);
  });
  Prompts().files = {WriteProfile(kProfile)};
  Click(QStringLiteral("btnOpenProfile"));
  ASSERT_TRUE(looked);
  EXPECT_EQ(Prompts().shown[0].kind, "file");
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Open profile"));

  // The fields hold the ticked values, marked; nothing went to the unit.
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("fleet.apn"));
  EXPECT_EQ(SettingsTab().edtAPN_username->text(), QStringLiteral("driver"));
  EXPECT_EQ(SettingsTab().cbox_trip_stop_time->currentText(), QStringLiteral("10"));
  EXPECT_TRUE(SettingsTab().chkLowPower->isChecked());
  EXPECT_TRUE(SettingsTab().IsEdited(SettingKey::kApn));
  EXPECT_FALSE(SettingsTab().IsEdited(SettingKey::kUssdInterval));
  EXPECT_FALSE(SettingsTab().IsEdited(SettingKey::kLowPower));
  EXPECT_EQ(Main().pageControl->tabText(2), QStringLiteral("Settings *"));
  // The values without a field wait for Save, and the tab says so.
  EXPECT_EQ(SettingsTab().ProfileValuesPending().Size(), 2u);
  EXPECT_FALSE(SettingsTab().lblUnsaved->isHidden());
  EXPECT_TRUE(SettingsTab().lblUnsaved->text().contains(
      QStringLiteral("From the profile, with no field on this tab: Ignition detection: "
                     "Voltage on Input1; Tracking value 1: 600.")))
      << SettingsTab().lblUnsaved->text().toStdString();
  EXPECT_TRUE(ReceivedSince(mark).empty());

  Click(QStringLiteral("btnSaveSettings"));
  EXPECT_EQ(ReceivedSince(mark),
            (std::vector<std::string>{"AT+TRACK=600,30,600,10000,20", "AT+LOWPOWER=1",
                                      "AT+USSD=*141#,24", "AT+GPRS=fleet.apn,driver,",
                                      "AT+IGNITION=2", "AT+LOWPOWER?", "AT+TRACK?", "AT+USSD?",
                                      "AT+GPRS?", "AT+IGNITION?"}));
  EXPECT_TRUE(Prompts().Messages().empty()) << Prompts().Messages()[0].toStdString();
  const SimSettings held = Unit().Settings();
  EXPECT_EQ(held.apn, "fleet.apn");
  EXPECT_EQ(held.track[0], 600);
  EXPECT_EQ(held.track[2], 600);
  EXPECT_EQ(held.ignition, 2);
  EXPECT_EQ(held.lowPower, 1);
  // Saved: nothing is marked any more.
  EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
  EXPECT_TRUE(SettingsTab().lblUnsaved->isHidden());
  EXPECT_EQ(Main().pageControl->tabText(2), QStringLiteral("Settings"));

  // Cancel takes nothing.
  OnDialog([](ProfileCompareDialog& d) { QTest::mouseClick(d.btnCompareCancel, Qt::LeftButton); });
  Prompts().files = {WriteProfile("[settings]\napn = other\nignition = 0\n", QStringLiteral("q.ini"))};
  Click(QStringLiteral("btnOpenProfile"));
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("fleet.apn"));
  EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
}

TEST_F(SettingsProfileTest, CompareShowsTheSameTableAndChangesNothing) {
  const size_t mark = Received().size();
  bool looked = false;
  OnDialog([&](ProfileCompareDialog& d) {
    looked = true;
    EXPECT_EQ(d.DialogMode(), ProfileCompareDialog::Mode::Show);
    EXPECT_EQ(d.btnCompareOk, nullptr);
    EXPECT_EQ(d.tblCompare->rowCount(), 7);
    EXPECT_FALSE(d.tblCompare->item(0, 0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(Cell(d, SettingKey::kLowPower, ProfileCompareDialog::kUnitColumn), QStringLiteral("On"));
    EXPECT_EQ(Cell(d, SettingKey::kLowPower, ProfileCompareDialog::kProfileColumn), QStringLiteral("Off"));
    EXPECT_TRUE(d.Ticked().Empty());
    QTest::mouseClick(d.btnCompareCancel, Qt::LeftButton);
  });
  Prompts().files = {WriteProfile(kProfile)};
  Click(QStringLiteral("btnCompareProfile"));
  ASSERT_TRUE(looked);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Compare with profile"));
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("internet"));
  EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
  EXPECT_TRUE(ReceivedSince(mark).empty());
}

TEST_F(SettingsProfileTest, RefusedProfileNamesTheKeyAndLineAndChangesNothing) {
  struct Case {
    const char* what;
    std::string text;
    QStringList said;
  };
  const Case cases[] = {
      {"comma in the APN", "[settings]\nussd = *100#\napn = a,b\n",
       {QStringLiteral("Line 3"), QStringLiteral("\"apn\""), QStringLiteral("comma")}},
      {"unknown key", "; x\n[settings]\napn = ok\ncolour = red\n",
       {QStringLiteral("Line 4"), QStringLiteral("\"colour\" is not a setting")}},
      {"minutes not a number", "[settings]\ntrip_stop_minutes = soon\n",
       {QStringLiteral("Line 2"), QStringLiteral("\"trip_stop_minutes\"")}},
  };
  const size_t mark = Received().size();
  // A comparison shown for a refused file would wait here for ever.
  OnDialog([](ProfileCompareDialog& d) {
    ADD_FAILURE() << "a comparison was shown";
    d.reject();
  });
  int n = 0;
  for (const Case& c : cases) {
    for (const char* button : {"btnOpenProfile", "btnCompareProfile"}) {
      SCOPED_TRACE(std::string(c.what) + " " + button);
      Prompts().shown.clear();
      const QString path = WriteProfile(c.text, QStringLiteral("bad%1.ini").arg(n++));
      Prompts().files = {path};
      Click(QLatin1String(button));
      ASSERT_EQ(Prompts().Messages().size(), 1u);
      const QString message = Prompts().Messages()[0];
      for (const QString& part : c.said) EXPECT_TRUE(message.contains(part)) << message.toStdString();
      EXPECT_TRUE(message.contains(path)) << message.toStdString();
      EXPECT_TRUE(message.endsWith(QStringLiteral("Nothing was changed."))) << message.toStdString();
    }
  }
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("internet"));
  EXPECT_EQ(SettingsTab().edtUSSD->text(), QStringLiteral("*141#"));
  EXPECT_FALSE(SettingsTab().HasUnsavedEdits());
  EXPECT_TRUE(ReceivedSince(mark).empty());
}

TEST_F(SettingsProfileTest, SaveProfileWritesTheUnitsSettingsOwnerOnlyWhereTheUserChose) {
  // An unsaved change on the tab is not the unit's and stays out of the file.
  QTest::keyClicks(SettingsTab().edtAPN, QStringLiteral("x"));
  ASSERT_TRUE(SettingsTab().IsEdited(SettingKey::kApn));

  const QString file = dir_.filePath(QStringLiteral("bench/unit.ini"));
  QDir(dir_.path()).mkpath(QStringLiteral("bench"));
  Prompts().saveFiles = {file};
  Click(QStringLiteral("btnSaveProfile"));
  ASSERT_EQ(Prompts().shown[0].kind, "save");
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Save profile"));
  // Named by the device id and today's date.
  EXPECT_EQ(QFileInfo(Prompts().lastSuggested).fileName(),
            QStringLiteral("settings-WR0001234567-%1.ini")
                .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));

  const ProfileRead read = ReadProfileFile(std::filesystem::path(file.toStdString()));
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_EQ(read.values, SettingsValuesFromUnit(Session().Model().Settings()));
  EXPECT_EQ(read.values.Size(), kSettingKeyCount);
  EXPECT_EQ(*read.values.Find(SettingKey::kApn), "internet");
  struct stat info {};
  ASSERT_EQ(stat(file.toStdString().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].contains(QStringLiteral("not saved on the Settings tab (GPRS APN)")))
      << Prompts().Messages()[0].toStdString();

  // The next dialog starts where the last file went.
  Prompts().shown.clear();
  Click(QStringLiteral("btnSaveProfile"));  // cancelled
  EXPECT_EQ(QFileInfo(Prompts().lastSuggested).absolutePath(), QFileInfo(file).absolutePath());
  Click(QStringLiteral("btnOpenProfile"));  // cancelled
  EXPECT_EQ(Prompts().lastOpenDir, QFileInfo(file).absolutePath());
  EXPECT_TRUE(Prompts().Messages().empty());
}

TEST_F(SettingsProfileTest, SaveProfileIsRefusedWhenTheSettingsWereNotAllRead) {
  // The unit stops answering, and its GPRS settings count as not read.
  Unit().SetNeverAnswer(true);
  Session().Model().ForgetRead(SettingGroup::Gprs);
  Prompts().saveFiles = {dir_.filePath(QStringLiteral("never.ini"))};
  Click(QStringLiteral("btnSaveProfile"));
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{QStringLiteral(
                "No profile was saved: GPRS APN, Username and Password could not be read from the "
                "unit. Check that it is connected and try again.")});
  EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("never.ini"))));
  EXPECT_EQ(Prompts().saveFiles.size(), 1u) << "the file dialog was shown";
}

}  // namespace
}  // namespace wr::test
