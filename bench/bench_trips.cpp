// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fetching a trip list into the main window's grid while a place file with
// many names is in use: every start and end position is looked up.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "session/unit_session.h"
#include "sim/simulated_bus.h"
#include "ui/desktop_shell.h"
#include "ui/tfrm_main.h"
#include "ui/trips_page.h"
#include "silent_prompts.h"

namespace {

using wr::bench::SilentPrompts;

class SilentShell : public wr::DesktopShell {
 public:
  bool OpenAddress(const QString&) override { return true; }
};

constexpr int kPlaces = 1000;

std::string Degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.5f", value);
  return text;
}

// Places 1 km apart on a 40 x 25 grid; trips start on a place, near one
// (within the radius), or between places, and end elsewhere.
struct Scenario {
  std::vector<std::pair<double, double>> places;
  std::string placeFile;

  Scenario() {
    for (int i = 0; i < kPlaces; ++i) {
      const double lat = -26.0 - (i / 40) * 0.009;
      const double lon = 28.0 + (i % 40) * 0.01;
      places.emplace_back(lat, lon);
      placeFile += "Place " + std::to_string(i) + "," + Degrees(lat) + "," + Degrees(lon) + "\r\n";
    }
  }

  std::vector<std::string> TripLines(int n) const {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, kPlaces - 1);
    std::uniform_real_distribution<double> jitter(-0.004, 0.004);
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      const auto& a = places[static_cast<size_t>(pick(rng))];
      const auto& b = places[static_cast<size_t>(pick(rng))];
      const double offset = (i % 3 == 0) ? 0 : (i % 3 == 1 ? 0.0005 : jitter(rng));
      lines.push_back("+TRIPS," + std::to_string(i) + ",2024/03/01,08:15,08:47," +
                      Degrees(a.first + offset) + "," + Degrees(a.second) + "," +
                      Degrees(b.first) + "," + Degrees(b.second + offset) + ",12.3,87");
    }
    return lines;
  }
};

void BM_TripListNaming(benchmark::State& state) {
  static int argc = 1;
  static char name[] = "bench_trips";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);

  QTemporaryDir data;
  const Scenario scenario;
  {
    QFile file(QDir(data.path()).filePath(QStringLiteral("coords.txt")));
    if (!file.open(QIODevice::WriteOnly)) {
      state.SkipWithError("cannot write the place file");
      return;
    }
    file.write(scenario.placeFile.data(), static_cast<qint64>(scenario.placeFile.size()));
  }
  qputenv("WAYRUNNER_DATA_DIR", QFile::encodeName(data.path()));
  SilentPrompts prompts;
  SilentShell shell;
  // The session is not started: the lines go straight to its dispatcher.
  wr::SimulatedBus bus;
  wr::UnitSession session(bus);
  wr::TfrmMain window(session, prompts, shell);
  QTableWidget* grid = window.PageTrips().sgridTrips;
  const std::vector<std::string> lines = scenario.TripLines(static_cast<int>(state.range(0)));

  for (auto _ : state) {
    // As "Show Trips" leaves the grid before the answer comes in.
    state.PauseTiming();
    session.Model().ResetTrips(false);
    state.ResumeTiming();
    for (const std::string& line : lines) session.DispatchReplyLine(line);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  // How many positions ended up under a name, to show the lookups matched.
  int named = 0;
  for (int row = 1; row < grid->rowCount(); ++row)
    for (const int column : {3, 4})
      if (!grid->item(row, column)->text().contains(QLatin1Char(','))) ++named;
  state.counters["named"] = named;
  qunsetenv("WAYRUNNER_DATA_DIR");
}
BENCHMARK(BM_TripListNaming)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
