// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The status history window: supply and backup battery voltage, signal and
// speed over the last ten minutes, hour or day, in three charts that share
// the time axis, and the history's export to CSV.
#include <QList>
#include <QPointF>
#include <QWidget>

#include <cstdint>
#include <map>
#include <optional>

class QChart;
class QChartView;
class QComboBox;
class QCategoryAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QTimer;
class QValueAxis;

namespace wr {

class Prompts;
class StatusRecorder;

class StatusHistoryWindow : public QWidget {
  Q_OBJECT
 public:
  enum class Span { kTenMinutes, kHour, kDay };
  // Parts of the span a line is drawn in at most (each one or two points):
  // a line can show no more detail on a screen, and every redraw costs in
  // proportion. Ten minutes of readings once a second fit as they are.
  static constexpr int kMaxRows = 720;

  StatusHistoryWindow(StatusRecorder& recorder, Prompts& prompts, QWidget* parent = nullptr);

  static int64_t SpanMs(Span span);
  Span CurrentSpan() const;
  void SetSpan(Span span);
  // Asks where to save and writes the whole history there.
  void btnExportCsvClick();
  // How often the charts have been drawn anew.
  int RedrawCount() const { return redraws_; }
  // The main window's polling interval: a line breaks where no reading came
  // for more than three polling periods.
  void SetPollingInterval(int ms);
  int64_t GapMs() const;
  // The pieces of a line, first the series named above, then the ones a gap
  // started; series without points are unused.
  QList<QLineSeries*> Segments(const QLineSeries* line) const;

  QComboBox* cboSpan = nullptr;
  QPushButton* btnExportCsv = nullptr;
  QLabel* lblLatest = nullptr;
  QChartView* chartVolts = nullptr;
  QChartView* chartSignal = nullptr;
  QChartView* chartSpeed = nullptr;
  QLineSeries* serSupply = nullptr;
  QLineSeries* serBattery = nullptr;
  QLineSeries* serSignal = nullptr;
  QLineSeries* serSpeed = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct Plot {
    QChartView* view = nullptr;
    QCategoryAxis* time = nullptr;
    QValueAxis* values = nullptr;
    // Where the plot area starts with no margin added for alignment.
    double naturalLeft = 0;
  };
  Plot MakePlot(const char* name, const QString& unit);
  void AlignPlots();
  void ReadingAdded();
  void Redraw();
  void ShowLine(Plot& plot, QLineSeries* line, const QList<QList<QPointF>>& pieces);

  StatusRecorder& recorder_;
  Prompts& prompts_;
  Plot volts_, signal_, speed_;
  // The charts do not show the history as it is now.
  bool stale_ = true;
  bool redrawQueued_ = false;
  // The latest reading the charts show, and the timer that draws readings
  // held back (see ReadingAdded) when no further one comes.
  std::optional<int64_t> drawnLatestMs_;
  QTimer* heldBack_ = nullptr;
  bool alignQueued_ = false;
  int redraws_ = 0;
  int pollingMs_ = 0;
  // Per line, the series after its first piece.
  std::map<const QLineSeries*, QList<QLineSeries*>> morePieces_;
};

}  // namespace wr
