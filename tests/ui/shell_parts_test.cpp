// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pieces of the main window that need no unit: where a remembered
// window opens again, and the Linux help as the rule stands.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ui/help_dialogs.h"
#include "ui/window_geometry.h"
#include "usb/udev_rule.h"

namespace {

using wr::FitWindowRect;

TEST(FitWindowRect, KeepsAWindowOnAScreenThatIsThere) {
  const QRect left(0, 0, 1366, 728);       // available area, below a panel
  const QRect right(1366, 0, 1920, 1040);
  const QSize least(519, 560);

  // Where it was, as it was.
  EXPECT_EQ(FitWindowRect(QRect(1500, 100, 800, 600), least, {left, right}, left),
            QRect(1500, 100, 800, 600));
  // Its screen is gone: centred on the primary one, with its size.
  EXPECT_EQ(FitWindowRect(QRect(1500, 100, 800, 600), least, {left}, left).center(),
            QRect(283, 64, 800, 600).center());
  // Partly off the right edge and the bottom: moved onto the screen.
  EXPECT_EQ(FitWindowRect(QRect(1000, 500, 600, 600), least, {left}, left),
            QRect(766, 128, 600, 600));
  // Across two screens: onto the one holding most of it.
  EXPECT_EQ(FitWindowRect(QRect(1300, 10, 700, 600), least, {left, right}, left).left(), 1366);
  // Larger than its screen (kept at another scale factor): shrunk to it.
  EXPECT_EQ(FitWindowRect(QRect(0, 0, 2400, 1800), least, {left}, left), left);
  // Smaller than it may be: grown to the least size.
  EXPECT_EQ(FitWindowRect(QRect(10, 10, 300, 200), least, {left}, left).size(), least);
  // A screen smaller than the least size: the least size, at the screen's corner.
  EXPECT_EQ(FitWindowRect(QRect(50, 50, 600, 600), least, {QRect(0, 0, 400, 400)}, QRect(0, 0, 400, 400)),
            QRect(QPoint(0, 0), least));
}

class LinuxHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    program_ = root_.filePath(QStringLiteral("bin"));
    udev_ = root_.filePath(QStringLiteral("rules.d"));
    ASSERT_TRUE(QDir().mkpath(program_));
    ASSERT_TRUE(QDir().mkpath(udev_));
  }
  static void Write(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  QTemporaryDir root_;
  QString program_;
  QString udev_;
};

TEST_F(LinuxHelpTest, OffersTheStepsForTheRuleAsItStands) {
  const QString rule = QString::fromStdString(wr::UdevRuleText());
  for (const char* ids : {"ATTRS{idVendor}==\"16d0\", ATTRS{idProduct}==\"06af\"",
                          "ATTRS{idVendor}==\"eb03\", ATTRS{idProduct}==\"0920\""})
    EXPECT_TRUE(rule.contains(QString::fromLatin1(ids))) << ids;

  {
    // Nowhere: the commands write the rule itself, as shown above them.
    wr::LinuxHelpDialog help(program_, {udev_});
    EXPECT_EQ(help.edtUdevRule->toPlainText(), rule.trimmed());
    const QString commands = help.edtInstallCommands->toPlainText();
    EXPECT_FALSE(help.edtInstallCommands->isHidden());
    EXPECT_TRUE(commands.contains(QStringLiteral("/etc/udev/rules.d/60-wayrunner-track.rules")));
    EXPECT_TRUE(commands.contains(rule));
    EXPECT_TRUE(commands.contains(QStringLiteral("udevadm control --reload-rules")));
    // Run by a shell, the commands write exactly the rule (sudo and the
    // system folder left out).
    if (!QStandardPaths::findExecutable(QStringLiteral("sh")).isEmpty()) {
      QString script = commands;
      const QString target = root_.filePath(QStringLiteral("written.rules"));
      script.replace(QStringLiteral("/etc/udev/rules.d/60-wayrunner-track.rules"), target);
      script.replace(QStringLiteral("sudo "), QString());
      script = script.section(QLatin1Char('\n'), 0, -2);  // not the udevadm line
      ASSERT_EQ(QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), script}), 0);
      QFile written(target);
      ASSERT_TRUE(written.open(QIODevice::ReadOnly));
      EXPECT_EQ(QString::fromUtf8(written.readAll()), rule);
    }
  }
  {
    // Shipped beside the program: copy that file.
    const QString beside = program_ + QStringLiteral("/packaging/60-wayrunner-track.rules");
    Write(beside);
    wr::LinuxHelpDialog help(program_, {udev_});
    EXPECT_TRUE(help.edtInstallCommands->toPlainText().startsWith(
        QStringLiteral("sudo cp ") + QFileInfo(beside).absoluteFilePath() + QStringLiteral(" /etc/udev/rules.d/")));
  }
  {
    // Installed: only the replug is left; no commands are offered.
    Write(udev_ + QStringLiteral("/60-wayrunner-track.rules"));
    wr::LinuxHelpDialog help(program_, {udev_});
    EXPECT_TRUE(help.lblLinuxSteps->text().contains(udev_ + QStringLiteral("/60-wayrunner-track.rules")));
    EXPECT_TRUE(help.edtInstallCommands->isHidden());
    EXPECT_TRUE(help.btnCopyCommands->isHidden());
  }
}

}  // namespace
