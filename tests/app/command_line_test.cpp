// The tool's options, as a user types them; answered before any window.
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Finished {
  int exitCode;
  QString output;
};

Finished Start(const QStringList& args) {
  QProcess tool;
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

}  // namespace
