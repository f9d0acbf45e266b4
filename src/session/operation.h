// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One piece of unit work (Save, Reboot, an upgrade, ...) on the session's
// command queue: started once, reports progress, can be cancelled, ends with
// an outcome exactly once. A front end connects to finished() before Start();
// an operation that has nothing to send may finish inside Start().
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

#include "protocol/unit_controls.h"
#include "session/command_queue.h"
#include "session/unit_session.h"

namespace wr {

class Operation : public QObject {
  Q_OBJECT
 public:
  explicit Operation(UnitSession& session, QObject* parent = nullptr);
  ~Operation() override;

  void Start();   // begins; never blocks
  void Cancel();  // asks it to stop at the next safe point
  // Whether a cancel now leaves the unit as it was or as the operation
  // reports it: nothing half-written that nobody is told of. Unit work
  // that writes has no safe point before it ends.
  virtual bool CancelSafe() const { return false; }
  // What it does, in a few words a user understands ("Fetching trips").
  const QString& Title() const { return title_; }
  void SetTitle(QString title) { title_ = std::move(title); }
  bool Running() const { return running_; }
  bool CancelRequested() const { return cancelRequested_; }
  bool Finished() const { return finished_; }
  const UnitSession::Outcome& Result() const { return outcome_; }  // valid after finished()

 signals:
  void progress(int done, int total, const QString& what);
  void finished(const wr::UnitSession::Outcome& outcome);

 protected:
  // The work itself: submits its first commands and returns.
  virtual void Run() = 0;
  // Called once by Cancel() while running; the default finishes as
  // interrupted once what has gone out has ended.
  virtual void OnCancel();
  // Submits a command on the session's queue; it is dropped when the
  // operation is cancelled or goes away. Its result comes to done only while
  // the operation runs.
  uint64_t Submit(UnitCommand command, std::function<void(CommandResult)> done = {});
  // Ends the operation with its outcome; only the first call counts.
  void Finish(UnitSession::Outcome outcome);
  // Calls then(true) as soon as cond holds (looked at now and after every
  // drain step), or then(false) once timeoutMs has passed or the link has
  // dropped (unless throughDrops); never waits in place.
  void When(std::function<bool()> cond, int timeoutMs, std::function<void(bool)> then,
            bool throughDrops = false);
  // Starts child (which this operation now owns) and hands its outcome to
  // then; a cancel reaches the child.
  void RunChild(Operation* child, std::function<void(const UnitSession::Outcome&)> then);
  UnitSession& Session() { return session_; }
  CommandQueue& Queue() { return session_.Queue(); }

 private:
  void DropSubmitted();

  UnitSession& session_;
  QPointer<UnitSession> sessionAlive_;
  std::vector<uint64_t> submitted_;
  Operation* child_ = nullptr;
  UnitSession::Outcome outcome_;
  QString title_;
  bool isChild_ = false;
  bool running_ = false;
  bool finished_ = false;
  bool cancelRequested_ = false;
};

// Lines sent one after the other, each with the pause after it, then (when
// given) a last step once the last pause has passed; finishes then. With a
// refusal it sends nothing and fails with it.
class StepsOperation : public Operation {
  Q_OBJECT
 public:
  StepsOperation(UnitSession& session, std::vector<CommandStep> steps,
                 std::function<void()> after = {}, QObject* parent = nullptr);
  void SetRefusal(QString refusal) { refusal_ = std::move(refusal); }
  // Runs just before the first line goes out.
  void SetBefore(std::function<void()> before) { before_ = std::move(before); }

 protected:
  void Run() override;

 private:
  std::vector<CommandStep> steps_;
  std::function<void()> after_;
  std::function<void()> before_;
  QString refusal_;
};

}  // namespace wr
