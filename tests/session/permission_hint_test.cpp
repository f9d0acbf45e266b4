// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/permission_hint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& path) {
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// The hint names the rule where it really is, so that the command it offers
// works when pasted, and does not ask for a copy of a rule udev already has.
TEST(PermissionHint, PointsAtTheRuleWhereItLies) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString udevDir = root.filePath(QStringLiteral("etc/udev/rules.d"));
  const QString prefix = root.filePath(QStringLiteral("opt/wr"));
  const QString program = prefix + QStringLiteral("/bin");
  ASSERT_TRUE(QDir().mkpath(program));

  // Nowhere to be found: the rule is named, with where it belongs.
  QString hint = wr::PermissionHint(program, {udevDir});
  EXPECT_TRUE(hint.contains(QStringLiteral("permission missing")));
  EXPECT_TRUE(hint.contains(QStringLiteral("60-wayrunner-track.rules")));
  EXPECT_TRUE(hint.contains(QStringLiteral("/etc/udev/rules.d/")));

  // Installed under a prefix udev does not read: copy that file.
  const QString installed = prefix + QStringLiteral("/lib/udev/rules.d/60-wayrunner-track.rules");
  Touch(installed);
  hint = wr::PermissionHint(program, {udevDir});
  EXPECT_TRUE(hint.contains(QStringLiteral("sudo cp ") + installed + QStringLiteral(" /etc/udev/rules.d/")))
      << hint.toStdString();

  // A build: the generated rule beside the program.
  QFile::remove(installed);
  const QString built = program + QStringLiteral("/packaging/60-wayrunner-track.rules");
  Touch(built);
  hint = wr::PermissionHint(program, {udevDir});
  EXPECT_TRUE(hint.contains(QStringLiteral("sudo cp ") + built + QStringLiteral(" "))) << hint.toStdString();

  // In a folder udev reads: nothing to copy, the unit has to come again.
  Touch(udevDir + QStringLiteral("/60-wayrunner-track.rules"));
  hint = wr::PermissionHint(program, {udevDir});
  EXPECT_FALSE(hint.contains(QStringLiteral("sudo cp"))) << hint.toStdString();
  EXPECT_TRUE(hint.contains(udevDir + QStringLiteral("/60-wayrunner-track.rules")));
  EXPECT_TRUE(hint.contains(QStringLiteral("plug it in again")));
}

}  // namespace
