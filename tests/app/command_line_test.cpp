// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The tool's options, as a user types them; answered before any window.
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Finished {
  int exitCode;
  QString output;
};

Finished Start(const QStringList& args,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess tool;
  tool.setProcessEnvironment(environment);
  tool.setProcessChannelMode(QProcess::MergedChannels);
  tool.start(QStringLiteral(WR_TRACK_EXE), args);
  EXPECT_TRUE(tool.waitForFinished(20000));
  return {tool.exitCode(), QString::fromLocal8Bit(tool.readAll())};
}

TEST(CommandLine, SimulateTakesANumberOfUnits) {
  const Finished help = Start({QStringLiteral("--help")});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.output.contains(QStringLiteral("--simulate <N>"))) << help.output.toStdString();

  for (const char* wrong : {"--simulate=0", "--simulate=33", "--simulate=two", "--simulate="}) {
    const Finished run = Start({QString::fromLatin1(wrong)});
    EXPECT_EQ(run.exitCode, 2) << wrong;
    EXPECT_TRUE(run.output.contains(QStringLiteral("--simulate takes a number of units from 1 to 32")))
        << wrong << ": " << run.output.toStdString();
  }
}

// Without a window system the tool says so in one line, not with Qt's abort.
TEST(CommandLine, NoDisplayIsOneLineAndStatusOne) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    environment.remove(QString::fromLatin1(name));
  for (const QStringList& args : {QStringList{}, QStringList{QStringLiteral("--simulate")}}) {
    const Finished run = Start(args, environment);
    EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
    EXPECT_EQ(run.output,
              QStringLiteral("wayrunner-track: no display to open its window on; wayrunner-cli "
                             "does the same work in a terminal.\n"));
  }
}

}  // namespace
