// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The status history end to end: what each status reply adds, the Status
// tab's time of the last update, the chart window and its CSV export.
#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>
#include <QProcess>
#include <QPushButton>

#include <chrono>
#include <cmath>
#include <map>

#include "core/support/external_tools.h"
#include "e2e/app_fixture.h"
#include "session/status_recorder.h"
#include "ui/status_history_window.h"

namespace wr::test {
namespace {

using namespace std::chrono_literals;
using WallClock = StatusRecorder::WallClock;

StatsValues Values(double supply, double battery, int signal, double speed) {
  StatsValues v;
  v.supplyVolts = supply;
  v.batteryVolts = battery;
  v.signalDbm = signal;
  v.speedKmh = speed;
  return v;
}

int64_t Ms(WallClock::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
}

class StatusHistoryTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    if (HasFatalFailure()) return;
    // Readings are stamped by a clock the test moves. It starts a day ahead,
    // after every reading so far: time only runs forward in the history.
    now_ = std::chrono::floor<std::chrono::minutes>(WallClock::now()) + 24h;
    Recorder().SetClock([this] { return now_; });
  }

  StatusRecorder& Recorder() { return App().StatusHistory(); }
  StatusHistoryWindow& Window() { return App().StatusHistoryView(); }

  static QString LastUpdateText(WallClock::time_point t) {
    return QStringLiteral("Last update: ") +
           QDateTime::fromMSecsSinceEpoch(Ms(t)).toString(QStringLiteral("HH:mm:ss"));
  }

  // The series' points once the window has drawn what the history holds.
  bool WaitForRedraw(int before) {
    return WaitFor([&] { return Window().RedrawCount() > before; });
  }

  // Milliseconds since 1970, as the points' x.
  static QValueAxis* TimeAxis(QChartView* view) {
    return qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Horizontal).constFirst());
  }

  WallClock::time_point now_;
};

TEST_F(StatusHistoryTest, TheStatusTabShowsWhenTheLastStatusArrived) {
  auto* label = Control<QLabel>(QStringLiteral("lblLastUpdate"));
  ASSERT_NE(label, nullptr);
  // The polls go on; the next reply is stamped with the moved clock.
  now_ += 3h + 25min + 7s;
  EXPECT_TRUE(WaitFor([&] { return label->text() == LastUpdateText(now_); })) << label->text().toStdString();

  // Polling stopped (an hour's interval), the line says so after the time.
  StopPolling();
  auto time = [label] { return label->text().section(QStringLiteral(" ("), 0, 0); };
  EXPECT_TRUE(label->text().endsWith(
      QStringLiteral("(status asked for every 3600 s, set by the debug terminal's Quick box)")));
  now_ += 1h + 1s;
  QCoreApplication::processEvents();
  EXPECT_NE(time(), LastUpdateText(now_)) << "no status, no update";
  Inject(StatsLine({}));
  ASSERT_TRUE(SyncWithUnit());
  EXPECT_EQ(time(), LastUpdateText(now_));

  // Lines that are not status replies leave it, and so does clearing the
  // display before the unit is queried again.
  const QString shown = label->text();
  now_ += 10s;
  Inject("+GPRS,internet,,");
  ASSERT_TRUE(SyncWithUnit());
  Main().ClearDisplay();
  EXPECT_EQ(label->text(), shown);
}

TEST_F(StatusHistoryTest, TheHistoryButtonOpensTheChartsOfTheFourValues) {
  StopPolling();
  EXPECT_FALSE(Window().isVisible());
  Click(QStringLiteral("btnStatusHistory"));
  ASSERT_TRUE(WaitFor([&] { return Window().isVisible(); }));
  EXPECT_EQ(Window().CurrentSpan(), StatusHistoryWindow::Span::kTenMinutes);

  // Each status reply becomes a point of each line, drawn once it arrives.
  const int before = Window().RedrawCount();
  now_ += 1s;
  Inject(StatsLine({{6, "4.12"}, {7, "13.9"}, {8, "20"}, {19, "64"}}));
  ASSERT_TRUE(SyncWithUnit());
  ASSERT_TRUE(WaitForRedraw(before));
  const std::pair<QLineSeries*, double> lines[] = {{Window().serSupply, 13.9},
                                                   {Window().serBattery, 4.12},
                                                   {Window().serSignal, 2 * 20 - 113},
                                                   {Window().serSpeed, 64}};
  for (const auto& [series, value] : lines) {
    ASSERT_GT(series->count(), 0) << series->objectName().toStdString();
    EXPECT_DOUBLE_EQ(series->at(series->count() - 1).x(), static_cast<double>(Ms(now_)));
    EXPECT_NEAR(series->at(series->count() - 1).y(), value, 1e-4) << series->objectName().toStdString();
  }
  // The time axes span ten minutes and end at the latest reading, or at most
  // a sixtieth of the span after it.
  for (QChartView* view : {Window().chartVolts, Window().chartSignal, Window().chartSpeed}) {
    EXPECT_EQ(TimeAxis(view)->max() - TimeAxis(view)->min(), 600000.0);
    EXPECT_GE(TimeAxis(view)->max(), static_cast<double>(Ms(now_)));
    EXPECT_LT(TimeAxis(view)->max(), static_cast<double>(Ms(now_ + 10s)));
  }
  // The "not known" signal index is a gap in the signal line, not +85 dBm.
  const int signalPoints = Window().serSignal->count();
  const int beforeUnknown = Window().RedrawCount();
  now_ += 1s;
  Inject(StatsLine({{8, "99"}}));
  ASSERT_TRUE(SyncWithUnit());
  ASSERT_TRUE(WaitForRedraw(beforeUnknown));
  EXPECT_EQ(Window().serSignal->count(), signalPoints);
  EXPECT_NEAR(Window().serSupply->at(Window().serSupply->count() - 1).y(), 12.7, 1e-4);

  // Hidden, the window draws nothing; shown again, it draws once what came
  // meanwhile. Readings that arrive together are drawn once.
  Window().close();
  const int hidden = Window().RedrawCount();
  for (int i = 0; i < 5; ++i) {
    now_ += 1s;
    Recorder().Record(Values(12, 4, -70, i));
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(Window().RedrawCount(), hidden);
  Main().actStatusHistory->trigger();
  ASSERT_TRUE(Window().isVisible());
  EXPECT_EQ(Window().RedrawCount(), hidden + 1);
  EXPECT_DOUBLE_EQ(Window().serSpeed->at(Window().serSpeed->count() - 1).y(), 4);
  for (int i = 0; i < 5; ++i) {
    now_ += 1s;
    Recorder().Record(Values(12, 4, -70, 10 + i));
  }
  ASSERT_TRUE(WaitForRedraw(hidden + 1));
  QCoreApplication::processEvents();
  EXPECT_EQ(Window().RedrawCount(), hidden + 2);
  EXPECT_DOUBLE_EQ(Window().serSpeed->at(Window().serSpeed->count() - 1).y(), 14);
}

// No line across a time without readings (an upgrade, a reboot, unplugged):
// a gap of more than three polling periods breaks it.
TEST_F(StatusHistoryTest, AGapLongerThanThreePollingPeriodsBreaksTheLine) {
  StopPolling();
  Window().SetPollingInterval(1000);
  Main().ShowStatusHistory();
  ASSERT_TRUE(WaitFor([&] { return Window().isVisible(); }));
  auto record = [&](int count, std::chrono::seconds step) {
    for (int i = 0; i < count; ++i) {
      now_ += step;
      Recorder().Record(Values(12, 4, -70, i));
    }
  };
  record(10, 1s);
  record(1, 4s);  // more than three periods of a second
  record(4, 1s);
  record(1, 3s);  // three periods: the line goes on
  auto pieces = [&] {
    std::vector<int> counts;
    for (QLineSeries* piece : Window().Segments(Window().serSpeed))
      if (piece->count() > 0) counts.push_back(piece->count());
    return counts;
  };
  // The reading of the poll before the clock moved stands at the start.
  EXPECT_TRUE(WaitFor([&] { return pieces().size() == 2 && pieces().back() == 6; }))
      << ::testing::PrintToString(pieces());
  // Every piece has the line's colour.
  for (QLineSeries* piece : Window().Segments(Window().serSupply))
    EXPECT_EQ(piece->color(), Window().serSupply->color());

  // Polling every 30 s (the terminal's Quick box): a 4 s gap is no gap.
  Main().SetRefreshInterval(30000);
  EXPECT_EQ(Window().GapMs(), 90000);
  EXPECT_TRUE(WaitFor([&] { return pieces().size() == 1; }))
      << ::testing::PrintToString(pieces());
}

// A day at one reading a second: the history stays within its bounds and
// each span of the window covers what it says, keeping a short dip.
TEST_F(StatusHistoryTest, ADayOfReadingsStaysBoundedAndEachSpanCoversItsTime) {
  StopPolling();
  const WallClock::time_point dip = now_ + 3h;
  for (int i = 0; i < 24 * 3600; ++i) {
    now_ += 1s;
    Recorder().Record(Values(now_ == dip ? 9.1 : 12.6, 4.05, -70 - i % 20, i % 90));
  }
  const StatusHistory& history = Recorder().History();
  EXPECT_LE(history.RecentCount(), StatusHistory::kMaxRecent);
  EXPECT_LE(history.MinuteCount(), StatusHistory::kMaxMinutes);
  EXPECT_LE(history.MemoryBytes(), 10u * 1000 * 1000);
  EXPECT_EQ(history.LatestTimeMs(), Ms(now_));

  Main().ShowStatusHistory();
  ASSERT_TRUE(WaitFor([&] { return Window().isVisible(); }));
  struct SpanCase {
    StatusHistoryWindow::Span span;
    std::chrono::milliseconds length;
    // Ten minutes are drawn reading by reading; longer spans in parts.
    int minPoints;
  };
  const SpanCase spans[] = {{StatusHistoryWindow::Span::kTenMinutes, 10min, 601},
                            {StatusHistoryWindow::Span::kHour, 1h, StatusHistoryWindow::kMaxRows},
                            {StatusHistoryWindow::Span::kDay, 24h, StatusHistoryWindow::kMaxRows}};
  for (const SpanCase& c : spans) {
    Window().SetSpan(c.span);
    // The axis spans the length and ends at the latest reading or at most a
    // sixtieth of it later; the lines cover the axis up to that reading.
    const double length = static_cast<double>(c.length.count());
    const double from = TimeAxis(Window().chartSpeed)->min();
    EXPECT_EQ(TimeAxis(Window().chartSpeed)->max() - from, length);
    EXPECT_GE(TimeAxis(Window().chartSpeed)->max(), static_cast<double>(Ms(now_)));
    EXPECT_LT(TimeAxis(Window().chartSpeed)->max(), Ms(now_) + length / 60);
    // A part of the span, the most a line's ends may lie inside it.
    const double part = static_cast<double>(c.length.count()) / StatusHistoryWindow::kMaxRows;
    for (QLineSeries* series :
         {Window().serSupply, Window().serBattery, Window().serSignal, Window().serSpeed}) {
      const std::string what = series->objectName().toStdString() + " over " +
                               Window().cboSpan->currentText().toStdString();
      EXPECT_GE(series->count(), c.minPoints) << what;
      EXPECT_LE(series->count(), 2 * StatusHistoryWindow::kMaxRows + 1) << what;
      ASSERT_GT(series->count(), 0) << what;
      EXPECT_GE(series->at(0).x(), from) << what;
      EXPECT_LE(series->at(0).x(), from + part) << what;
      EXPECT_LE(series->at(series->count() - 1).x(), static_cast<double>(Ms(now_))) << what;
      EXPECT_GE(series->at(series->count() - 1).x(), Ms(now_) - part) << what;
    }
    // Five to seven ticks at round times, each labelled with its time.
    auto* ticks = qobject_cast<QCategoryAxis*>(TimeAxis(Window().chartSpeed));
    ASSERT_NE(ticks, nullptr);
    const QStringList labels = ticks->categoriesLabels();
    EXPECT_GE(labels.size(), 5);
    EXPECT_LE(labels.size(), 7);
    for (const QString& label : labels) {
      const QDateTime at = QDateTime::fromMSecsSinceEpoch(static_cast<int64_t>(ticks->endValue(label)));
      EXPECT_EQ(at.toString(QStringLiteral("HH:mm")), label);
      EXPECT_EQ(at.time().second(), 0) << label.toStdString();
      EXPECT_EQ(at.time().minute() % 2, 0) << label.toStdString();
    }
  }
  // The dip of one second, a day's view later, is still there.
  double lowest = 100;
  for (const QPointF& p : Window().serSupply->points()) lowest = std::fmin(lowest, p.y());
  EXPECT_NEAR(lowest, 9.1, 1e-4);

  // In a day's view a part is two minutes: the next second's reading waits
  // for a later one that starts a new part.
  const int drawn = Window().RedrawCount();
  now_ += 1s;
  Recorder().Record(Values(12.6, 4.05, -70, 0));
  QCoreApplication::processEvents();
  EXPECT_EQ(Window().RedrawCount(), drawn);
  now_ += 2min;
  Recorder().Record(Values(12.6, 4.05, -70, 0));
  ASSERT_TRUE(WaitForRedraw(drawn));
  EXPECT_EQ(Window().RedrawCount(), drawn + 1);
  EXPECT_DOUBLE_EQ(Window().serSpeed->at(Window().serSpeed->count() - 1).x(), static_cast<double>(Ms(now_)));
}

// The export asks where to save and writes every row; read back with
// Python's csv module, the times parse as ISO 8601 and the values are those
// the unit reported.
TEST_F(StatusHistoryTest, ExportWritesTheHistoryAsCsv) {
  const std::string python = testing::PythonWith("csv");
  if (python.empty()) GTEST_SKIP() << "no python3";
  StopPolling();
  testing::ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  now_ += 1min;
  const WallClock::time_point first = now_;
  Recorder().Record(Values(12.61, 4.05, -67, 0));
  now_ += 1s;
  StatsValues partial;
  partial.supplyVolts = 11.5;
  Recorder().Record(partial);
  now_ += 1s;
  Inject(StatsLine({{6, "3.98"}, {7, "13.2"}, {8, "25"}, {19, "88.5"}}));
  ASSERT_TRUE(SyncWithUnit());

  Main().ShowStatusHistory();
  // Cancelled: nothing written, nothing said.
  Prompts().shown.clear();
  QTest::mouseClick(Window().btnExportCsv, Qt::LeftButton);
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].kind, "save");
  EXPECT_TRUE(Prompts().shown[0].text.endsWith(QStringLiteral(".csv")));

  const QString file = QString::fromStdString((dir / "history, week 24.csv").string());
  Prompts().saveFiles.push_back(file);
  QTest::mouseClick(Window().btnExportCsv, Qt::LeftButton);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].startsWith(QStringLiteral("Status history saved to")));

  const char* script =
      "import csv, sys, datetime\n"
      "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
      "    rows = list(csv.reader(f, strict=True))\n"
      "print(len(rows[0]), ','.join(rows[0][:6]))\n"
      "for r in rows[-3:]:\n"
      "    t = datetime.datetime.fromisoformat(r[0].replace('Z', '+00:00'))\n"
      "    print(int(t.timestamp()), '|'.join(r[1:6]))\n";
  QProcess read;
  read.start(QString::fromStdString(python),
             {QStringLiteral("-c"), QString::fromLatin1(script), file});
  ASSERT_TRUE(read.waitForFinished(30000));
  EXPECT_EQ(read.exitCode(), 0) << read.readAllStandardError().toStdString();
  const QStringList out = QString::fromUtf8(read.readAllStandardOutput()).split(QLatin1Char('\n'));
  ASSERT_GE(out.size(), 4);
  EXPECT_EQ(out[0], QStringLiteral("14 Time,Supply (V),Backup battery (V),Signal (dBm),Speed (km/h),Readings"));
  const int64_t t0 = Ms(first) / 1000;
  EXPECT_EQ(out[1], QStringLiteral("%1 12.61|4.05|-67|0|1").arg(t0));
  EXPECT_EQ(out[2], QStringLiteral("%1 11.5||||1").arg(t0 + 1));
  EXPECT_EQ(out[3], QStringLiteral("%1 13.2|3.98|-63|88.5|1").arg(t0 + 2));

  // A folder that is not there: said so, and nothing is left behind.
  Prompts().saveFiles.push_back(QString::fromStdString((dir / "missing" / "h.csv").string()));
  QTest::mouseClick(Window().btnExportCsv, Qt::LeftButton);
  ASSERT_EQ(Prompts().Messages().size(), 2u);
  EXPECT_TRUE(Prompts().Messages()[1].startsWith(QStringLiteral("The status history was not saved")))
      << Prompts().Messages()[1].toStdString();
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 1u);
}

}  // namespace
}  // namespace wr::test
