// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "profile/settings_backup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/support/external_tools.h"
#include "core/test_support.h"

namespace wr {
namespace {

constexpr std::time_t kAt = 1773819910;  // 2026-03-18 07:45:10 UTC

TEST(SettingsBackup, NamedByDeviceIdAndUtcTime) {
  EXPECT_EQ(SettingsBackupName("WR0001234567", kAt), "settings-WR0001234567-20260318-074510Z.ini");
  // A device id can never reach outside the folder or break the name.
  EXPECT_EQ(SettingsBackupName("../a b/c:d", kAt), "settings-___a_b_c_d-20260318-074510Z.ini");
  EXPECT_EQ(SettingsBackupName("", kAt), "settings-unit-20260318-074510Z.ini");
  EXPECT_EQ(DeviceIdForFileName("ab-12_x\xc3\xa9"), "ab-12_x__");
}

TEST(SettingsBackup, PathIsInTheDataFoldersBackupsAndNeverReplacesAnEarlierBackup) {
  testing::ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  const std::filesystem::path data = dir / "data";
  test::ScopedEnv env("WAYRUNNER_DATA_DIR", data.string().c_str());
  EXPECT_EQ(SettingsBackupFolder(), data / "backups");

  std::string error;
  const std::filesystem::path first = NewSettingsBackupPath("WR1", kAt, error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(first, data / "backups" / "settings-WR1-20260318-074510Z.ini");
  EXPECT_TRUE(std::filesystem::is_directory(data / "backups"));
  std::ofstream(first) << "kept";
  const std::filesystem::path second = NewSettingsBackupPath("WR1", kAt, error);
  EXPECT_EQ(second, data / "backups" / "settings-WR1-20260318-074510Z-2.ini");
  std::ofstream(second) << "kept";
  EXPECT_EQ(NewSettingsBackupPath("WR1", kAt, error).filename(), "settings-WR1-20260318-074510Z-3.ini");
  EXPECT_EQ(NewSettingsBackupPath("WR2", kAt, error).filename(), "settings-WR2-20260318-074510Z.ini");

  // A file where the folder should be: said, and no path.
  test::ScopedEnv blocked("WAYRUNNER_DATA_DIR", first.string().c_str());
  EXPECT_TRUE(NewSettingsBackupPath("WR1", kAt, error).empty());
  EXPECT_NE(error.find("cannot create the backup folder"), std::string::npos) << error;
}

}  // namespace
}  // namespace wr
