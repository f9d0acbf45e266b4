// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Long runs of the whole tool, as start-up builds it, against the simulated
// unit, reporting the resident size as it goes:
//   wr_soak lines [count]        reply lines pushed through the real link and
//                                dispatcher as fast as they are taken
//   wr_soak connected [seconds]  the tool left connected, polling once a second
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "ui/prompts.h"
#include "link/delay.h"
#include "session/unit_session.h"
#include "sim/simulated_bus.h"
#include "app/app_context.h"
#include "ui/desktop_shell.h"
#include "ui/terminal_view.h"
#include "ui/tfrm_comms.h"
#include "ui/settings_page.h"
#include "ui/status_page.h"
#include "ui/tfrm_main.h"

namespace {

// Nobody is at the desk: every question is answered No, every box counted.
class UnattendedPrompts : public wr::Prompts {
 public:
  int shown = 0;
  void ShowMessage(const QString&) override { ++shown; }
  bool AskYesNo(const QString&, const QString&) override {
    ++shown;
    return false;
  }
  bool InputBox(const QString&, const QString&, QString&) override {
    ++shown;
    return false;
  }
  QString OpenFile(const QString&, const QString&, const QString&) override {
    ++shown;
    return QString();
  }
  QString SaveFile(const QString&, const QString&, const QString&, QString*) override {
    ++shown;
    return QString();
  }
};

class NoShell : public wr::DesktopShell {
 public:
  bool OpenAddress(const QString&) override { return false; }
};

// Resident set size in KiB, from the kernel's own account of this process.
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmRSS:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
  }
  return -1;
}

bool WaitUntil(const std::function<bool()>& cond, int timeoutMs) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!cond()) {
    if (elapsed.elapsed() > timeoutMs) return false;
    wr::Delay(5);
  }
  return true;
}

// Whether one of the terminal's last lines reads exactly `line`.
bool TerminalEndsNear(wr::TfrmComms& terminal, const QString& line) {
  const wr::TerminalView& view = *terminal.redtDebug;
  for (int i = view.LineCount() - 1; i >= 0 && i >= view.LineCount() - 64; --i)
    if (view.LineText(i) == line) return true;
  return false;
}

std::string SampleStatsLine() {
  wr::SimulatedUnit unit;
  unit.HostWrite("AT+STATS\r");
  const std::string answer = unit.HostRead(4096);
  return answer.substr(0, answer.find('\n') + 1);
}

int SoakLines(long count) {
  auto bus = std::make_unique<wr::SimulatedBus>();
  UnattendedPrompts prompts;
  NoShell shell;
  wr::UnitSession::Options options;
  options.timings = wr::USBcomms::Timings{100, 250, 250, false};
  wr::AppContext app(*bus, prompts, shell, options);
  app.Main().show();
  if (!WaitUntil([&] { return app.Main().LastConnectionState() == 1; }, 20000)) {
    std::fprintf(stderr, "the tool never connected\n");
    return 1;
  }
  WaitUntil([&] { return !app.Main().PageSettings().edtAPN->text().isEmpty(); }, 10000);

  const std::string line = SampleStatsLine();
  constexpr long kChunk = 10000;
  std::string chunk;
  chunk.reserve(line.size() * kChunk);
  for (long i = 0; i < kChunk; ++i) chunk += line;

  const long startKiB = ResidentKiB();
  std::printf("lines: %ld reply lines of %zu bytes, VmRSS at start %ld KiB\n", count,
              line.size(), startKiB);
  QElapsedTimer elapsed;
  elapsed.start();
  long sent = 0;
  long peakKiB = startKiB;
  for (int round = 0; sent < count; ++round) {
    const long n = std::min(kChunk, count - sent);
    const QString marker = QStringLiteral("~soak %1").arg(round);
    bus->InjectRaw(n == kChunk ? chunk : chunk.substr(0, line.size() * static_cast<size_t>(n)));
    bus->InjectRaw(marker.toStdString() + "\r\n");
    // Each chunk is taken in full before the next, so the unit's own
    // output queue never holds more than one.
    if (!WaitUntil([&] { return TerminalEndsNear(app.Comms(), marker); }, 120000)) {
      std::fprintf(stderr, "chunk %d was not dispatched within two minutes\n", round);
      return 1;
    }
    sent += n;
    if (round % 10 == 9) {
      const long kib = ResidentKiB();
      if (kib > peakKiB) peakKiB = kib;
      std::printf("  %7ld lines  %6.1f s  VmRSS %ld KiB\n", sent, elapsed.elapsed() / 1000.0, kib);
      std::fflush(stdout);
    }
  }
  const long endKiB = ResidentKiB();
  const QStringList shown = QStringList{app.Main().PageStatus().edt_GSM_status->text(),
                                        app.Main().PageStatus().edt_volt_battery->text()};
  std::printf("lines: %ld dispatched in %.1f s (%.0f lines/s); VmRSS start %ld KiB, end %ld KiB, "
              "peak %ld KiB, growth %+ld KiB; still connected: %s; status shows \"%s\"\n",
              sent, elapsed.elapsed() / 1000.0, sent * 1000.0 / std::max<qint64>(1, elapsed.elapsed()),
              startKiB, endKiB, std::max(peakKiB, endKiB), endKiB - startKiB,
              app.Session().IsConnected() ? "yes" : "no", qPrintable(shown.join(QStringLiteral(" / "))));
  app.Shutdown();
  return app.Main().LastConnectionState() == 1 ? 0 : 1;
}

int SoakConnected(int seconds) {
  // What `--simulate` runs, with the tool's own worker timings.
  std::unique_ptr<wr::SimulatedBus> bus = wr::SimulatedBus::Demo();
  UnattendedPrompts prompts;
  NoShell shell;
  wr::AppContext app(*bus, prompts, shell);
  app.Main().show();
  if (!WaitUntil([&] { return app.Main().LastConnectionState() == 1; }, 20000)) {
    std::fprintf(stderr, "the tool never connected\n");
    return 1;
  }
  app.Main().SetRefreshInterval(1000);
  // The first answers and the terminal's first lines settle in first.
  wr::Delay(5000);
  const auto polls = [&] {
    return bus->Unit().ReceivedCount([](const std::string& l) { return l == "AT+STATS"; });
  };
  const size_t pollsAtStart = polls();
  const long startKiB = ResidentKiB();
  std::printf("connected: %d s at a %d ms polling interval, VmRSS at start %ld KiB\n", seconds,
              app.Main().RefreshInterval(), startKiB);
  std::fflush(stdout);
  QElapsedTimer elapsed;
  elapsed.start();
  long peakKiB = startKiB;
  int reported = 0;
  bool lost = false;
  while (elapsed.elapsed() < seconds * 1000LL) {
    wr::Delay(1000);
    if (app.Main().LastConnectionState() != 1) lost = true;
    const long kib = ResidentKiB();
    if (kib > peakKiB) peakKiB = kib;
    if (elapsed.elapsed() / 60000 > reported) {
      reported = static_cast<int>(elapsed.elapsed() / 60000);
      std::printf("  %3d min  VmRSS %ld KiB  polls %zu\n", reported, kib, polls() - pollsAtStart);
      std::fflush(stdout);
    }
  }
  const long endKiB = ResidentKiB();
  std::printf("connected: %.0f s, %zu status polls answered; VmRSS start %ld KiB, end %ld KiB, "
              "peak %ld KiB, growth %+ld KiB; link lost meanwhile: %s; boxes shown: %d\n",
              elapsed.elapsed() / 1000.0, polls() - pollsAtStart, startKiB, endKiB,
              std::max(peakKiB, endKiB), endKiB - startKiB, lost ? "yes" : "no", prompts.shown);
  app.Shutdown();
  return (!lost && endKiB - startKiB < 5 * 1024) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "lines") return SoakLines(argc > 2 ? std::atol(argv[2]) : 1000000L);
  if (mode == "connected") return SoakConnected(argc > 2 ? std::atoi(argv[2]) : 600);
  std::fprintf(stderr, "usage: %s lines [count] | connected [seconds]\n", argv[0]);
  return 2;
}
