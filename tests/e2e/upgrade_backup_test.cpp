// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The unit's settings kept around a firmware upgrade: written before the
// transfer when the user leaves the offer ticked, and offered back when the
// unit returns with other settings.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <fstream>

#include "e2e/app_fixture.h"
#include "profile/settings_profile.h"
#include "ui/profile_compare_dialog.h"
#include "ui/tfrm_upgrade.h"

namespace wr::test {
namespace {

using namespace std::chrono_literals;

class UpgradeBackupTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(dir_.isValid());
    UseQuickUpgrades();
    ASSERT_TRUE(WaitFor([this] { return !SettingsTab().edtAPN->text().isEmpty(); }));
  }

  QString Firmware(const char* version) {
    std::string content = std::string("Wayrunner,") + version;
    content.resize(256, '\0');
    content += SimulatedUnit::FirmwareImage(version, 600, 3);
    const QString path = dir_.filePath(QStringLiteral("unit.fw"));
    std::ofstream(path.toStdString(), std::ios::binary) << content;
    return path;
  }
  // Both questions answered Yes; the offer as keep says.
  void Upgrade(bool keep = true) {
    Prompts().yesNo = {true, true};
    Prompts().optionChecks = {keep};
    Prompts().files = {Firmware("1.100")};
    Click(QStringLiteral("btnUpgrade"));
    ASSERT_TRUE(WaitForUpgradeEnd());
  }
  QStringList Backups() {
    return QDir(dataDir_.filePath(QStringLiteral("backups"))).entryList(QDir::Files);
  }
  static ProfileCompareDialog* ShownDialog() {
    return qobject_cast<ProfileCompareDialog*>(QApplication::activeModalWidget());
  }

  QTemporaryDir dir_;
};

TEST_F(UpgradeBackupTest, SettingsAreKeptBeforeTheTransferNamedByDeviceIdAndTime) {
  QString shownDuringTransfer;
  When([this] { return Unit().TimesBlockReceived(0) > 0; },
       [&] { shownDuringTransfer = App().Upgrade().lblSettingsBackup->text(); });
  Upgrade();

  // The offer sits below the version question, ticked at first.
  ASSERT_EQ(Prompts().options.size(), 1u);
  EXPECT_TRUE(Prompts().options[0].checkedAtFirst);
  EXPECT_TRUE(Prompts().options[0].text.contains(dataDir_.filePath(QStringLiteral("backups"))))
      << Prompts().options[0].text.toStdString();
  EXPECT_EQ(Prompts().shown[2].caption, QStringLiteral("Warning"));

  const QStringList backups = Backups();
  ASSERT_EQ(backups.size(), 1);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^settings-WR0001234567-\\d{8}-\\d{6}Z\\.ini$"))
                  .match(backups[0])
                  .hasMatch())
      << backups[0].toStdString();
  const QString file = dataDir_.filePath(QStringLiteral("backups/") + backups[0]);
  EXPECT_TRUE(shownDuringTransfer.contains(file)) << shownDuringTransfer.toStdString();
  struct stat info {};
  ASSERT_EQ(stat(file.toStdString().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  const ProfileRead read = ReadProfileFile(std::filesystem::path(file.toStdString()));
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_EQ(read.values.Size(), kSettingKeyCount);
  EXPECT_EQ(*read.values.Find(SettingKey::kApn), "internet");
  EXPECT_EQ(*read.values.Find(SettingKey::kTrack1), "21600");

  // The unit came back holding the same settings: nothing is offered.
  EXPECT_EQ(Prompts().Messages().size(), 2u);
  EXPECT_EQ(Session().Model().FirmwareVersion(), "1.100");

  // Unticked, nothing is kept, and nothing is offered even when the upgrade
  // resets the settings.
  When([this] { return Unit().InstallCount() > 1; }, [this] {
    SimSettings reset;
    reset.apn = "reset.apn";
    Unit().SetSettings(reset);
  });
  Prompts().shown.clear();
  Upgrade(false);
  ASSERT_TRUE(WaitFor([this] { return Unit().InstallCount() == 2; }));
  EXPECT_EQ(Backups().size(), 1);
  EXPECT_EQ(Prompts().Messages().size(), 2u);
  EXPECT_EQ(Unit().Settings().apn, "reset.apn");
}

TEST_F(UpgradeBackupTest, SettingsThatCannotBeKeptLeaveTheChoiceToTheUser) {
  // The unit stops answering, and its GPRS settings count as not read.
  Main().SetRefreshInterval(60 * 60 * 1000);
  Unit().SetNeverAnswer(true);
  Session().Model().ForgetRead(SettingGroup::Gprs);
  Prompts().yesNo = {true, true, false};
  Prompts().files = {Firmware("1.100")};
  Click(QStringLiteral("btnUpgrade"));
  ASSERT_EQ(Prompts().shown.size(), 4u);
  EXPECT_EQ(Prompts().shown[3].text,
            QStringLiteral("The unit's settings could not be kept: GPRS APN, Username and Password "
                           "could not be read from the unit.\n\nUpgrade without keeping them?"));
  EXPECT_TRUE(Backups().isEmpty());
  EXPECT_EQ(Unit().ReceivedCount([](const std::string& l) { return l.rfind("^^", 0) == 0; }), 0u);
  EXPECT_TRUE(Prompts().Messages().empty());
}

TEST_F(UpgradeBackupTest, OtherSettingsAfterTheUpgradeAreOfferedBackAndTheTickedOnesRestored) {
  SimSettings own = Unit().Settings();
  own.apn = "own.apn";
  own.ussdCode = "*100#";
  own.track[0] = 3600;
  own.ignition = 2;
  Unit().SetSettings(own);
  Session().SendInitialQueries();
  ASSERT_TRUE(WaitFor([this] { return SettingsTab().edtAPN->text() == QStringLiteral("own.apn"); }));
  // The installed firmware comes up with its factory settings.
  When([this] { return Unit().InstallCount() > 0; }, [this] { Unit().SetSettings(SimSettings{}); });

  bool offered = false;
  When([] { return ShownDialog() && ShownDialog()->isVisible(); }, [&] {
    ProfileCompareDialog& d = *ShownDialog();
    offered = true;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Settings after the upgrade"));
    EXPECT_EQ(d.btnCompareOk->text(), QStringLiteral("Restore"));
    EXPECT_EQ(d.tblCompare->rowCount(), static_cast<int>(kSettingKeyCount));
    EXPECT_EQ(d.DifferenceCount(), 4);
    EXPECT_EQ(d.tblCompare->horizontalHeaderItem(ProfileCompareDialog::kProfileColumn)->text(),
              QStringLiteral("Before the upgrade"));
    EXPECT_EQ(d.tblCompare->item(d.RowOf(SettingKey::kApn), ProfileCompareDialog::kUnitColumn)->text(),
              QStringLiteral("internet"));
    EXPECT_TRUE(d.IsTicked(d.RowOf(SettingKey::kTrack1)));
    EXPECT_FALSE(d.IsTicked(d.RowOf(SettingKey::kApnUser)));
    // The USSD code is to stay as the new firmware set it.
    d.SetTicked(d.RowOf(SettingKey::kUssd), false);
    QTest::mouseClick(d.btnCompareOk, Qt::LeftButton);
  });
  const size_t mark = Received().size();
  Upgrade();
  ASSERT_TRUE(offered);
  EXPECT_EQ(Prompts().Messages().size(), 2u) << Prompts().Messages().back().toStdString();
  const SimSettings after = Unit().Settings();
  EXPECT_EQ(after.apn, "own.apn");
  EXPECT_EQ(after.track[0], 3600);
  EXPECT_EQ(after.ignition, 2);
  EXPECT_EQ(after.ussdCode, "*141#");
  // Written with Save's commands, after the unit was back.
  const std::vector<std::string> sent = ReceivedSince(mark);
  const auto install = std::find_if(sent.begin(), sent.end(),
                                    [](const std::string& l) { return l.rfind("AT+FWUPGRADE=", 0) == 0; });
  const auto gprs = std::find(sent.begin(), sent.end(), "AT+GPRS=own.apn,,");
  EXPECT_NE(gprs, sent.end());
  EXPECT_LT(install, gprs);
  EXPECT_EQ(SettingsTab().edtAPN->text(), QStringLiteral("own.apn"));

  // Cancel restores nothing.
  When([this] { return Unit().InstallCount() > 1; }, [this] { Unit().SetSettings(SimSettings{}); });
  When([] { return ShownDialog() && ShownDialog()->isVisible(); },
       [] { QTest::mouseClick(ShownDialog()->btnCompareCancel, Qt::LeftButton); });
  Prompts().shown.clear();
  Upgrade();
  ASSERT_TRUE(WaitFor([this] { return Unit().InstallCount() == 2; }));
  EXPECT_EQ(Unit().Settings().apn, "internet");
  EXPECT_EQ(Backups().size(), 2);
}

}  // namespace
}  // namespace wr::test
