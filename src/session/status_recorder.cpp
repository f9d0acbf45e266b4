// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/status_recorder.h"

#include "session/unit_model.h"

namespace wr {

StatusRecorder::StatusRecorder(const UnitModel& model, QObject* parent) : QObject(parent) {
  connect(&model, &UnitModel::statusChanged, this, [this, &model] {
    if (const std::optional<StatsValues>& values = model.StatusValues()) Record(*values);
  });
}

void StatusRecorder::Record(const StatsValues& values) { Record(Now(), values); }

void StatusRecorder::Record(WallClock::time_point when, const StatsValues& values) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
  history_.Add(ms.count(), values);
  emit readingAdded();
}

QDateTime StatusRecorder::LastUpdate() const {
  const std::optional<int64_t> latest = history_.LatestTimeMs();
  return latest ? QDateTime::fromMSecsSinceEpoch(*latest) : QDateTime();
}

}  // namespace wr
