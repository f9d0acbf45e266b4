// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Ctrl+C (SIGINT) and SIGTERM as an event: the signal handler only marks the
// request and wakes the thread that owns this object, whose event loop then
// emits requested(). The running command decides what stopping means for
// the unit it is working on.
#include <QObject>

#include <atomic>
#include <memory>

class QSocketNotifier;

namespace wr::cli {

class Interrupt : public QObject {
  Q_OBJECT
 public:
  explicit Interrupt(QObject* parent = nullptr);
  ~Interrupt() override;

  bool Requested() const { return requested_.load(); }
  // Any thread. The first request counts; later ones change nothing.
  void Request();

  // Routes SIGINT and SIGTERM to this object while it lives (one object at a
  // time). A second signal, once the first is being handled, ends the
  // process at once, as a user pressing Ctrl+C twice expects.
  void CatchSignals();

 signals:
  // On the owning thread, once.
  void requested();

 private:
  void Wake();

  std::atomic<bool> requested_{false};
  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  bool catching_ = false;
  bool emitted_ = false;
};

}  // namespace wr::cli
