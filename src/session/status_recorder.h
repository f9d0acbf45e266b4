// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Keeps the status history of one unit: a reading per status reply, stamped
// with the system clock (or one a test moves by hand).
#include <QDateTime>
#include <QObject>

#include <chrono>
#include <functional>

#include "history/status_history.h"

namespace wr {

class UnitModel;

class StatusRecorder : public QObject {
  Q_OBJECT
 public:
  using WallClock = std::chrono::system_clock;

  // Records every status the model reports from now on.
  explicit StatusRecorder(const UnitModel& model, QObject* parent = nullptr);

  // Replaces the system clock.
  void SetClock(std::function<WallClock::time_point()> clock) { clock_ = std::move(clock); }
  WallClock::time_point Now() const { return clock_ ? clock_() : WallClock::now(); }

  const StatusHistory& History() const { return history_; }
  // Adds a reading taken now, or at the given time.
  void Record(const StatsValues& values);
  void Record(WallClock::time_point when, const StatsValues& values);
  // The time of the latest reading; invalid before the first.
  QDateTime LastUpdate() const;

 signals:
  void readingAdded();

 private:
  std::function<WallClock::time_point()> clock_;
  StatusHistory history_;
};

}  // namespace wr
