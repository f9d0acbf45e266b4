// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/status_history_window.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "history/status_csv.h"
#include "session/status_recorder.h"
#include "session/unit_text.h"
#include "ui/app_fonts.h"
#include "ui/prompts.h"
#include "ui/save_folder.h"
#include "ui/widget_names.h"

namespace wr {
namespace {

constexpr int kPlotMargin = 4;

// The range the signal can take (-113 to -51 dBm), with room to round numbers.
constexpr double kSignalLowDbm = -120;
constexpr double kSignalHighDbm = -40;

struct Extent {
  double lo = INFINITY, hi = -INFINITY;
  bool Empty() const { return lo > hi; }
  void Take(double v) {
    lo = std::fmin(lo, v);
    hi = std::fmax(hi, v);
  }
};

// A row per point; a row that stands for several readings as two points,
// their minimum and maximum (the one nearer the line so far first), so that
// a day's view keeps the dips and peaks that a mean would smooth away. The
// line is cut into pieces where rows with a value lie more than gapMs apart:
// no line is drawn across a time without readings.
QList<QList<QPointF>> Points(const std::vector<StatusRow>& rows, StatusSeries s, double partMs,
                             double endMs, double gapMs, Extent& extent) {
  // Past this many pieces the rest stay joined: each piece is a series.
  constexpr qsizetype kMaxPieces = 64;
  QList<QList<QPointF>> pieces(1);
  double lastTime = -INFINITY;
  for (const StatusRow& row : rows) {
    const SeriesSummary& v = row.Of(s);
    if (v.count == 0) continue;
    const double t = static_cast<double>(row.timeMs);
    if (t - lastTime > gapMs && !pieces.last().isEmpty() && pieces.size() < kMaxPieces)
      pieces.append(QList<QPointF>());
    lastTime = t;
    QList<QPointF>& points = pieces.last();
    extent.Take(v.min);
    extent.Take(v.max);
    if (v.min == v.max) {
      points.append(QPointF(t, v.min));
      continue;
    }
    double first = v.min, second = v.max;
    if (!points.isEmpty() &&
        std::fabs(points.last().y() - second) < std::fabs(points.last().y() - first))
      std::swap(first, second);
    points.append(QPointF(t, first));
    points.append(QPointF(std::fmin(t + partMs / 2, endMs), second));
  }
  return pieces;
}

// Ticks on the time axis at round times of day (local time), labelled with
// the time, so that they read as 14:20, 14:22 rather than as even parts of
// the span.
void SetTimeTicks(QCategoryAxis* axis, int64_t fromMs, int64_t toMs, int64_t stepMs,
                  const QString& format) {
  const int64_t offsetMs = int64_t{QDateTime::fromMSecsSinceEpoch(toMs).offsetFromUtc()} * 1000;
  const int64_t local = fromMs + offsetMs;
  int64_t first = local / stepMs * stepMs;
  if (first < local) first += stepMs;
  first -= offsetMs;
  std::vector<int64_t> ticks;
  for (int64_t tick = first; tick <= toMs; tick += stepMs) ticks.push_back(tick);
  // Most new readings move the span by a second and leave the ticks as they
  // were; rebuilding them would lay the axis out anew each time.
  const QStringList labels = axis->categoriesLabels();
  bool same = labels.size() == static_cast<qsizetype>(ticks.size());
  for (size_t i = 0; same && i < ticks.size(); ++i)
    same = axis->endValue(labels[static_cast<qsizetype>(i)]) == static_cast<double>(ticks[i]);
  if (!same) {
    for (const QString& label : labels) axis->remove(label);
    for (int64_t tick : ticks)
      axis->append(QDateTime::fromMSecsSinceEpoch(tick).toString(format), static_cast<double>(tick));
  }
  if (axis->startValue() != static_cast<double>(fromMs)) axis->setStartValue(static_cast<double>(fromMs));
  if (axis->min() != static_cast<double>(fromMs) || axis->max() != static_cast<double>(toMs))
    axis->setRange(static_cast<double>(fromMs), static_cast<double>(toMs));
}

// Sets the axis to a range from lo to hi widened to round numbers, with
// about five ticks on round numbers. An axis set to what it shows already
// is left alone: each change lays out its labels anew.
void SetRoundRange(QValueAxis* axis, double lo, double hi) {
  if (!(hi > lo)) hi = lo + 1;
  const double rough = (hi - lo) / 4;
  const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
  double step = 10 * magnitude;
  for (double f : {1.0, 2.0, 2.5, 5.0}) {
    if (f * magnitude >= rough) {
      step = f * magnitude;
      break;
    }
  }
  const double from = std::floor(lo / step) * step;
  const double to = std::ceil(hi / step) * step;
  const int ticks = static_cast<int>(std::lround((to - from) / step)) + 1;
  if (axis->min() != from || axis->max() != to) axis->setRange(from, to);
  if (axis->tickCount() != ticks) axis->setTickCount(ticks);
}

std::filesystem::path ToPath(const QString& file) {
  return std::filesystem::path(QFile::encodeName(file).toStdString());
}

}  // namespace

StatusHistoryWindow::StatusHistoryWindow(StatusRecorder& recorder, Prompts& prompts,
                                         QWidget* parent)
    : QWidget(parent), recorder_(recorder), prompts_(prompts) {
  setObjectName(QStringLiteral("frmStatusHistory"));
  setWindowTitle(tr("Status History"));
  setWindowFlag(Qt::Window);
  setFont(DialogFont());
  setMinimumSize(480, 420);
  resize(760, 640);

  cboSpan = Named(new QComboBox, "cboSpan");
  cboSpan->addItem(tr("Last 10 minutes"));
  cboSpan->addItem(tr("Last hour"));
  cboSpan->addItem(tr("Last 24 hours"));
  auto* spanLabel = new QLabel(tr("&Show:"));
  spanLabel->setBuddy(cboSpan);
  cboSpan->setAccessibleName(tr("Time span shown"));
  spanLabel->setAccessibleName(tr("Time span shown"));
  lblLatest = Named(new QLabel, "lblLatest");
  btnExportCsv = Named(new QPushButton(tr("&Export to CSV...")), "btnExportCsv");

  auto* top = new QHBoxLayout;
  top->addWidget(spanLabel);
  top->addWidget(cboSpan);
  top->addSpacing(12);
  top->addWidget(lblLatest, 1);
  top->addWidget(btnExportCsv);

  volts_ = MakePlot("chartVolts", tr("Volts"));
  signal_ = MakePlot("chartSignal", tr("Signal (dBm)"));
  speed_ = MakePlot("chartSpeed", tr("Speed (km/h)"));
  chartVolts = volts_.view;
  chartSignal = signal_.view;
  chartSpeed = speed_.view;
  chartVolts->setAccessibleName(tr("Voltage history"));
  chartSignal->setAccessibleName(tr("Signal strength history"));
  chartSpeed->setAccessibleName(tr("Speed history"));

  auto addSeries = [](Plot& plot, const char* name, const QString& title) {
    auto* series = new QLineSeries;
    series->setObjectName(QString::fromLatin1(name));
    series->setName(title);
    plot.view->chart()->addSeries(series);
    series->attachAxis(plot.time);
    series->attachAxis(plot.values);
    return series;
  };
  serSupply = addSeries(volts_, "serSupply", tr("Supply"));
  serBattery = addSeries(volts_, "serBattery", tr("Backup battery"));
  serSignal = addSeries(signal_, "serSignal", tr("Signal"));
  serSpeed = addSeries(speed_, "serSpeed", tr("Speed"));
  // Two lines share the volts chart; the others are named by their axis.
  volts_.view->chart()->legend()->setVisible(true);
  volts_.view->chart()->legend()->setAlignment(Qt::AlignTop);
  signal_.values->setRange(kSignalLowDbm, kSignalHighDbm);
  // Every 20 dBm, on round numbers.
  signal_.values->setTickCount(5);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(chartVolts, 3);
  layout->addWidget(chartSignal, 2);
  layout->addWidget(chartSpeed, 2);

  for (Plot* plot : {&volts_, &signal_, &speed_}) {
    // Where the plot starts with no margin added, noted as the chart lays
    // itself out; the margins are changed afterwards, not in the middle of it.
    connect(plot->view->chart(), &QChart::plotAreaChanged, this, [this, plot](const QRectF& area) {
      plot->naturalLeft = area.left() - (plot->view->chart()->margins().left() - kPlotMargin);
      if (alignQueued_) return;
      alignQueued_ = true;
      QTimer::singleShot(0, this, &StatusHistoryWindow::AlignPlots);
    });
  }
  connect(cboSpan, &QComboBox::currentIndexChanged, this, [this] {
    stale_ = true;
    Redraw();
  });
  connect(btnExportCsv, &QPushButton::clicked, this, &StatusHistoryWindow::btnExportCsvClick);
  heldBack_ = new QTimer(this);
  heldBack_->setSingleShot(true);
  connect(heldBack_, &QTimer::timeout, this, &StatusHistoryWindow::Redraw);
  connect(&recorder_, &StatusRecorder::readingAdded, this, &StatusHistoryWindow::ReadingAdded);
}

StatusHistoryWindow::Plot StatusHistoryWindow::MakePlot(const char* name, const QString& unit) {
  Plot plot;
  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setVisible(false);
  chart->setMargins(QMargins(kPlotMargin, kPlotMargin, kPlotMargin, kPlotMargin));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setBackgroundRoundness(0);
  plot.time = new QCategoryAxis;
  plot.time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  chart->addAxis(plot.time, Qt::AlignBottom);
  plot.values = new QValueAxis;
  plot.values->setTitleText(unit);
  plot.values->setLabelFormat(QStringLiteral("%.4g"));
  chart->addAxis(plot.values, Qt::AlignLeft);
  plot.view = new QChartView(chart);
  plot.view->setObjectName(QString::fromLatin1(name));
  // Lines without antialiasing: with it a redraw costs twice as much, and
  // the ten-minute view is redrawn with every reading. Text stays smooth.
  plot.view->setRenderHint(QPainter::Antialiasing, false);
  plot.view->setMinimumHeight(110);
  return plot;
}

void StatusHistoryWindow::AlignPlots() {
  alignQueued_ = false;
  // Each plot starts where the one with the widest value labels ("-120"
  // against "15") starts of itself, so that one time lies above another.
  double start = 0;
  for (const Plot* p : {&volts_, &signal_, &speed_}) start = std::fmax(start, p->naturalLeft);
  for (Plot* p : {&volts_, &signal_, &speed_}) {
    QChart* chart = p->view->chart();
    const int left = kPlotMargin + static_cast<int>(std::lround(start - p->naturalLeft));
    QMargins margins = chart->margins();
    if (margins.left() == left) continue;
    margins.setLeft(left);
    chart->setMargins(margins);
  }
}

int64_t StatusHistoryWindow::SpanMs(Span span) {
  switch (span) {
    case Span::kTenMinutes: return 10 * StatusHistory::kMinuteMs;
    case Span::kHour: return 60 * StatusHistory::kMinuteMs;
    case Span::kDay: return 24 * 60 * StatusHistory::kMinuteMs;
  }
  return 10 * StatusHistory::kMinuteMs;
}

StatusHistoryWindow::Span StatusHistoryWindow::CurrentSpan() const {
  return static_cast<Span>(cboSpan->currentIndex());
}

void StatusHistoryWindow::SetSpan(Span span) { cboSpan->setCurrentIndex(static_cast<int>(span)); }

void StatusHistoryWindow::ReadingAdded() {
  stale_ = true;
  // Hidden, nothing is drawn until it is shown again. Shown, readings that
  // arrive together are drawn once.
  if (!isVisible() || redrawQueued_) return;
  // The charts are drawn in kMaxRows parts of the span, a pixel or two each:
  // a reading less than a part after the latest one drawn changes no more
  // than the last part, and waits until a later reading is a part on (or,
  // when none comes, a part's time). At one reading a second that is every
  // reading for ten minutes, every fifth for an hour, one in 120 for a day.
  const int64_t partMs = SpanMs(CurrentSpan()) / kMaxRows;
  const std::optional<int64_t> latest = recorder_.History().LatestTimeMs();
  if (latest && drawnLatestMs_ && *latest - *drawnLatestMs_ < partMs) {
    if (!heldBack_->isActive()) heldBack_->start(static_cast<int>(partMs));
    return;
  }
  redrawQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    redrawQueued_ = false;
    Redraw();
  });
}

void StatusHistoryWindow::SetPollingInterval(int ms) {
  if (ms == pollingMs_) return;
  pollingMs_ = ms;
  stale_ = true;
  Redraw();
}

int64_t StatusHistoryWindow::GapMs() const {
  // A poll waits for half a second of quiet after the last answer, so the
  // window asks about once a second however short its timer is set.
  constexpr int kShortestPeriodMs = 1000;
  return 3 * static_cast<int64_t>(std::max(pollingMs_, kShortestPeriodMs));
}

QList<QLineSeries*> StatusHistoryWindow::Segments(const QLineSeries* line) const {
  QList<QLineSeries*> all{const_cast<QLineSeries*>(line)};
  const auto more = morePieces_.find(line);
  if (more != morePieces_.end()) all += more->second;
  return all;
}

void StatusHistoryWindow::ShowLine(Plot& plot, QLineSeries* line,
                                   const QList<QList<QPointF>>& pieces) {
  line->replace(pieces.value(0));
  QList<QLineSeries*>& more = morePieces_[line];
  for (qsizetype i = 1; i < pieces.size(); ++i) {
    if (more.size() < i) {
      // A piece of the same line: its colour, its axes, no legend entry.
      auto* piece = new QLineSeries;
      piece->setObjectName(line->objectName() + QStringLiteral("Piece"));
      plot.view->chart()->addSeries(piece);
      piece->attachAxis(plot.time);
      piece->attachAxis(plot.values);
      piece->setPen(line->pen());
      for (QLegendMarker* marker : plot.view->chart()->legend()->markers(piece))
        marker->setVisible(false);
      more.append(piece);
    }
    more[i - 1]->replace(pieces[i]);
  }
  for (qsizetype i = pieces.size() - 1; i < more.size(); ++i)
    if (i >= 0 && more[i]->count() > 0) more[i]->clear();
}

void StatusHistoryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Redraw();
}

void StatusHistoryWindow::Redraw() {
  if (!stale_ || !isVisible()) return;
  stale_ = false;
  heldBack_->stop();
  ++redraws_;

  const StatusHistory& history = recorder_.History();
  const int64_t spanMs = SpanMs(CurrentSpan());
  // The charts follow the latest reading, not the clock: they move only when
  // there is something new to show. Their time axis moves in steps of a
  // sixtieth of the span and ends at the step the latest reading falls in;
  // moving it lays out every label of the chart anew, which costs more than
  // all the rest of a redraw.
  const std::optional<int64_t> latest = history.LatestTimeMs();
  const int64_t latestMs =
      latest ? *latest
             : std::chrono::duration_cast<std::chrono::milliseconds>(
                   recorder_.Now().time_since_epoch()).count();
  const int64_t axisStepMs = spanMs / 60;
  int64_t endMs = latestMs / axisStepMs * axisStepMs;
  if (endMs < latestMs) endMs += axisStepMs;
  const int64_t fromMs = endMs - spanMs;
  drawnLatestMs_ = latest;
  const std::vector<StatusRow> rows = history.Rows(fromMs, latestMs, kMaxRows);
  const double partMs = static_cast<double>(spanMs) / kMaxRows;
  const double end = static_cast<double>(latestMs);

  // A gap is a time without readings longer than three polling periods; in
  // a view whose rows merge readings, no shorter than three rows' parts.
  const double gapMs = std::fmax(static_cast<double>(GapMs()), 3 * partMs);
  Extent volts, signal, speed;  // the signal's axis is fixed
  ShowLine(volts_, serSupply, Points(rows, StatusSeries::kSupplyVolts, partMs, end, gapMs, volts));
  ShowLine(volts_, serBattery, Points(rows, StatusSeries::kBatteryVolts, partMs, end, gapMs, volts));
  ShowLine(signal_, serSignal, Points(rows, StatusSeries::kSignalDbm, partMs, end, gapMs, signal));
  ShowLine(speed_, serSpeed, Points(rows, StatusSeries::kSpeedKmh, partMs, end, gapMs, speed));

  // Six or so ticks across the span.
  const int64_t tickMs = spanMs <= 10 * StatusHistory::kMinuteMs   ? 2 * StatusHistory::kMinuteMs
                         : spanMs <= 60 * StatusHistory::kMinuteMs ? 10 * StatusHistory::kMinuteMs
                                                                   : 4 * 60 * StatusHistory::kMinuteMs;
  for (Plot* plot : {&volts_, &signal_, &speed_})
    SetTimeTicks(plot->time, fromMs, endMs, tickMs, QStringLiteral("HH:mm"));

  if (volts.Empty()) {
    SetRoundRange(volts_.values, 0, 15);
  } else {
    const double pad = std::fmax(0.1, (volts.hi - volts.lo) * 0.1);
    SetRoundRange(volts_.values, std::fmax(0.0, volts.lo - pad), volts.hi + pad);
  }
  // Speed from standing still to a round number above the fastest shown.
  SetRoundRange(speed_.values, 0, std::fmax(20.0, speed.Empty() ? 0 : speed.hi * 1.1));

  const QDateTime last = recorder_.LastUpdate();
  lblLatest->setText(last.isValid()
                             ? tr("Last update: %1").arg(last.toString(QStringLiteral("HH:mm:ss")))
                             : tr("No status received yet"));
}

void StatusHistoryWindow::btnExportCsvClick() {
  const StatusHistory& history = recorder_.History();
  if (history.Empty()) {
    prompts_.ShowMessage(tr("There is no status history to export yet."));
    return;
  }
  const QString folder = SaveFolder();
  const QString name =
      QStringLiteral("status-history-%1.csv")
          .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")));
  const QString file = prompts_.SaveFile(tr("Export Status History"),
                                   tr("CSV files (*.csv);;All files (*)"),
                                   QDir(folder).filePath(name));
  if (file.isEmpty()) return;
  Message error;
  if (!WriteStatusHistoryCsv(history, ToPath(file), error)) {
    prompts_.ShowMessage(tr("The status history was not saved.\n%1").arg(Translated(error)),
                         MessageKind::Critical);
    return;
  }
  RememberSaveFolder(file);
  prompts_.ShowMessage(tr("Status history saved to %1").arg(QDir::toNativeSeparators(file)));
}

}  // namespace wr
