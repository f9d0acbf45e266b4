// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starting the tool while it runs: the built program, started as a user
// would, each test with a runtime folder of its own so that runs side by
// side do not meet.
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kStartMs = 20000;

class SecondCopyTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(runtime_.isValid()); }

  void TearDown() override {
    for (auto& copy : copies_) {
      if (copy->state() == QProcess::NotRunning) continue;
      copy->kill();
      copy->waitForFinished(kStartMs);
    }
  }

  // Starts the tool with args; what it logs about other copies is shown.
  QProcess& Start(const QStringList& args) {
    auto copy = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    // What the window remembers stays with the test.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime_.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("wayrunner.instance.debug=true"));
    copy->setProcessEnvironment(env);
    copy->setProcessChannelMode(QProcess::MergedChannels);
    copy->start(QStringLiteral(WR_TRACK_EXE), args);
    copies_.push_back(std::move(copy));
    output_.emplace_back();
    return *copies_.back();
  }

  // Waits until the copy's output holds text (times times); false when it
  // ends or the time passes first.
  bool WaitForOutput(QProcess& copy, const QString& text, int times = 1) {
    QByteArray& seen = output_[IndexOf(copy)];
    QElapsedTimer clock;
    clock.start();
    const int timeoutMs = kStartMs;
    for (;;) {
      seen += copy.readAll();
      if (QString::fromUtf8(seen).count(text) >= times) return true;
      const qint64 left = timeoutMs - clock.elapsed();
      if (left <= 0 || copy.state() == QProcess::NotRunning) return false;
      copy.waitForReadyRead(static_cast<int>(left));
    }
  }

  QString Output(QProcess& copy) {
    QByteArray& seen = output_[IndexOf(copy)];
    seen += copy.readAll();
    return QString::fromUtf8(seen);
  }

  QString RuntimeFile(const QString& name) { return QDir(runtime_.path()).filePath(name); }

  static const QStringList& Simulated() {
    static const QStringList args{QStringLiteral("--simulate")};
    return args;
  }

 private:
  size_t IndexOf(QProcess& copy) {
    for (size_t i = 0; i < copies_.size(); ++i)
      if (copies_[i].get() == &copy) return i;
    return 0;
  }

  QTemporaryDir runtime_;
  std::vector<std::unique_ptr<QProcess>> copies_;
  std::vector<QByteArray> output_;
};

const QString kListening = QStringLiteral("first copy, listening on");
const QString kAsked = QStringLiteral("another copy asked this one to show itself");
const QString kFront = QStringLiteral("window brought to the front, visible: true");

TEST_F(SecondCopyTest, ASecondCopyBringsTheFirstToTheFrontAndEnds) {
  // A copy for the real unit runs (this test holds its lock, so that no
  // copy here opens a unit that may be attached): the simulated ones are
  // counted apart from it.
  QLockFile realCopy(RuntimeFile(QStringLiteral("wayrunner-track.lock")));
  realCopy.setStaleLockTime(0);
  ASSERT_TRUE(realCopy.tryLock(0));

  QProcess& first = Start(Simulated());
  ASSERT_TRUE(WaitForOutput(first, kListening)) << Output(first).toStdString();

  QProcess& second = Start(Simulated());
  ASSERT_TRUE(second.waitForFinished(kStartMs));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(Output(second).contains(QStringLiteral("already running"))) << Output(second).toStdString();
  EXPECT_FALSE(Output(second).contains(kListening));
  EXPECT_TRUE(WaitForOutput(first, kAsked)) << Output(first).toStdString();
  EXPECT_TRUE(WaitForOutput(first, kFront)) << Output(first).toStdString();
  EXPECT_EQ(first.state(), QProcess::Running);

  // Asked for a copy of its own, the tool starts beside the first.
  QProcess& extra = Start({QStringLiteral("--simulate"), QStringLiteral("--new-instance"),
                           QStringLiteral("--show-history")});
  ASSERT_TRUE(extra.waitForStarted(kStartMs));
  // It does not listen: a later copy is still handed to the first.
  QProcess& third = Start(Simulated());
  ASSERT_TRUE(third.waitForFinished(kStartMs));
  EXPECT_EQ(third.exitCode(), 0);
  EXPECT_TRUE(WaitForOutput(first, kAsked, 2)) << Output(first).toStdString();
  EXPECT_EQ(extra.state(), QProcess::Running);
  EXPECT_FALSE(Output(extra).contains(kListening));
}

// The first copy is killed and leaves its lock file and socket behind: the
// next copy takes over from it, and answers the copy after.
TEST_F(SecondCopyTest, ACrashedFirstCopyDoesNotStopTheNext) {
  QProcess& crashed = Start(Simulated());
  ASSERT_TRUE(WaitForOutput(crashed, kListening)) << Output(crashed).toStdString();
  crashed.kill();
  ASSERT_TRUE(crashed.waitForFinished(kStartMs));
  ASSERT_TRUE(QFileInfo::exists(RuntimeFile(QStringLiteral("wayrunner-track-simulated.lock"))));
  ASSERT_TRUE(QFileInfo::exists(RuntimeFile(QStringLiteral("wayrunner-track-simulated.socket"))));

  QProcess& next = Start(Simulated());
  ASSERT_TRUE(WaitForOutput(next, kListening)) << Output(next).toStdString();

  QProcess& later = Start(Simulated());
  ASSERT_TRUE(later.waitForFinished(kStartMs));
  EXPECT_EQ(later.exitCode(), 0);
  EXPECT_TRUE(WaitForOutput(next, kFront)) << Output(next).toStdString();
  EXPECT_EQ(next.state(), QProcess::Running);
}

}  // namespace
