// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Closing the main window the way the running tool does: the window's close
// ends the application's loop, then the context stops the worker. Whatever
// the tool is doing at that moment, this has to end promptly.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <thread>

#include "e2e/app_fixture.h"
#include "link/tfrm_usb.h"
#include "ui/tfrm_upgrade.h"
#include "session/upgrade_operation.h"

namespace wr::test {
namespace {

using namespace std::chrono_literals;

constexpr qint64 kShutdownLimitMs = 2500;

// A hang cannot be caught from the thread that hangs: this ends the program
// with a message instead of leaving the suite to its time-out.
class Watchdog {
 public:
  Watchdog(int ms, const char* what) : thread_([this, ms, what] {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return done_; })) {
      std::fprintf(stderr, "shutdown hung: %s\n", what);
      std::_Exit(3);
    }
  }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;
};

class ShutdownTest : public AppFixture {
 protected:
  // Runs the application's loop as main() does, starts `scenario` inside it
  // (which ends with the main window being closed, directly or from some
  // nested loop), then stops the worker and destroys everything as main()
  // does. Returns the milliseconds from the close to the end.
  qint64 CloseWhile(const std::function<void()>& scenario, const char* what) {
    Watchdog watchdog(20000, what);
    QElapsedTimer sinceClose;
    QObject::connect(&Main(), &TfrmMain::closed, qApp, [&] {
      sinceClose.start();
      QApplication::quit();
    });
    QTimer::singleShot(0, qApp, scenario);
    QApplication::exec();
    EXPECT_TRUE(sinceClose.isValid()) << "the window was never closed";
    App().Shutdown();
    app_.reset();
    return sinceClose.isValid() ? sinceClose.elapsed() : -1;
  }

  void CloseMain() { Main().close(); }

  // A box the user leaves open while closing the main window behind it: the
  // scripted box runs its own loop, like a real one, and the close lands there.
  void CloseFromInsideTheBox(const std::string& kind) {
    prompts_.whileShown = [this, kind, once = false]() mutable {
      if (once || prompts_.shown.back().kind != kind) return;
      once = true;
      QEventLoop box;
      QTimer::singleShot(50, &Main(), [this] { CloseMain(); });
      QTimer::singleShot(5000, &box, &QEventLoop::quit);
      box.exec();
    };
  }
};

class ShutdownWithToolTimingsTest : public ShutdownTest {
 protected:
  LinkTimings WorkerTimings() override { return LinkTimings(); }
  void ConfigureBus(SimulatedBus& bus) override { bus.Unit().SetNeverAnswer(true); }
  bool WaitForConnectionOnStart() override { return false; }
};

TEST_F(ShutdownWithToolTimingsTest, WhileTheWorkerSitsInARead) {
  ASSERT_TRUE(WaitUntilConnected());
  // A silent unit: the worker spends its time inside a two-second read,
  // waiting once the bus has recorded it.
  Bus().ClearCalls();
  ASSERT_TRUE(WaitFor([this] {
    const std::vector<std::string> names = Bus().CallNames();
    return std::find(names.begin(), names.end(), "bulk_read") != names.end();
  }));
  const qint64 ms = CloseWhile([this] { CloseMain(); }, "worker in a read");
  EXPECT_LT(ms, kShutdownLimitMs);
}

TEST_F(ShutdownTest, WhileTheWorkerWaitsForTheDrainStep) {
  // The UI thread is busy when the window closes: the worker has posted its
  // drain step and waits for it, and the step never runs in a loop again.
  const qint64 ms = CloseWhile(
      [this] {
        // A line from the unit, read by the worker while this thread runs no
        // events: the worker posts its drain step for it and waits.
        Inject("~for the drain step");
        QElapsedTimer cap;
        cap.start();
        for (bool waiting = true; waiting && cap.elapsed() < kDefaultWaitMs;) {
          Unit().TimeToNextEvent(&waiting);
          std::this_thread::yield();
        }
        CloseMain();
      },
      "worker waiting for the drain step");
  EXPECT_LT(ms, kShutdownLimitMs);
}

TEST_F(ShutdownTest, WhileAQuestionIsOpen) {
  // Reboot asks first, then sends and waits.
  prompts_.yesNo = {true};
  CloseFromInsideTheBox("question");
  const qint64 ms = CloseWhile([this] { Press(QStringLiteral("btnReboot")); }, "question open");
  EXPECT_LT(ms, kShutdownLimitMs);
}

TEST_F(ShutdownTest, WhileABoxFromTheDrainStepIsOpenDuringSave) {
  // Save waits for the unit to go quiet; meanwhile the unit refuses a
  // command for lack of charge and the drain step shows its box, with the
  // worker waiting for that step.
  Unit().ChargeBatteryErrorNext(1);
  CloseFromInsideTheBox("message");
  const qint64 ms =
      CloseWhile([this] { Press(QStringLiteral("btnSaveSettings")); }, "box during Save");
  EXPECT_LT(ms, kShutdownLimitMs);
  ASSERT_EQ(prompts_.Messages().size(), 1u);
}

TEST_F(ShutdownTest, WhileSaveWaitsForTheUnitToGoQuiet) {
  // A unit that keeps talking holds Save in its quiet wait.
  Unit().SetLatency(30ms);
  QTimer chatter;
  QObject::connect(&chatter, &QTimer::timeout, [this] { Inject("+STATS,chatter"); });
  chatter.start(50);
  const qint64 ms = CloseWhile(
      [this] {
        QTimer::singleShot(1500, &Main(), [this] { CloseMain(); });
        Press(QStringLiteral("btnSaveSettings"));
      },
      "Save waiting for quiet");
  EXPECT_LT(ms, kShutdownLimitMs);
}

TEST_F(ShutdownTest, DuringAnUpgradeNoInstallCommandFollows) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::string content = "Wayrunner,1.100";
  content.resize(256, '\0');
  content += std::string(256 * 40, '\x5A');
  const QString path = dir.filePath(QStringLiteral("unit.fw"));
  std::ofstream(path.toStdString(), std::ios::binary) << content;
  UpgradeTimings quick;
  quick.blockTimeoutMs = 1000;
  quick.settleMs = 20;
  quick.installWaitMs = 400;
  App().Upgrade().SetTimings(quick);
  Unit().SetLatency(20ms);
  prompts_.yesNo = {true, true};
  prompts_.files = {path};

  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [this, &watch] {
    if (Unit().TimesBlockReceived(3) == 0) return;
    watch.stop();
    CloseMain();
  });
  watch.start(1);
  const qint64 ms = CloseWhile([this] { Press(QStringLiteral("btnUpgrade")); }, "upgrade");
  EXPECT_LT(ms, kShutdownLimitMs);
  EXPECT_LT(Unit().BlockCount(), 40u);
  EXPECT_EQ(Unit().ReceivedCount(
                [](const std::string& l) { return l.rfind("AT+FWUPGRADE=", 0) == 0; }),
            0u);
  EXPECT_EQ(Unit().InstallCount(), 0);
}

}  // namespace
}  // namespace wr::test
