// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/operation.h"

#include <QPointer>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <memory>
#include <utility>

namespace wr {

Operation::Operation(UnitSession& session, QObject* parent)
    : QObject(parent), session_(session), sessionAlive_(&session) {}

Operation::~Operation() {
  // The session may be going away itself (its children go last).
  if (running_ && sessionAlive_) session_.NoteOperation(-1);
  if (sessionAlive_) DropSubmitted();
}

void Operation::Start() {
  if (running_ || finished_) return;
  running_ = true;
  session_.NoteOperation(1);
  // Work inside another operation is shown as that one.
  if (!isChild_) emit session_.operationStarted(this);
  Run();
}

void Operation::Cancel() {
  if (!running_ || cancelRequested_) return;
  cancelRequested_ = true;
  OnCancel();
}

void Operation::OnCancel() {
  DropSubmitted();
  if (child_) child_->Cancel();
  UnitSession::Outcome outcome;
  outcome.interrupted = true;
  outcome.message = tr("Cancelled.");
  Finish(std::move(outcome));
}

uint64_t Operation::Submit(UnitCommand command, std::function<void(CommandResult)> done) {
  QPointer<Operation> self(this);
  // A command that ends as it is written is reported before Submit returns
  // its id; only one still queued or waiting is remembered for a cancel.
  auto state = std::make_shared<std::pair<uint64_t, bool>>(0, false);
  const uint64_t id = Queue().Submit(
      std::move(command), [self, state, done = std::move(done)](CommandResult result) {
        state->second = true;
        if (!self) return;
        auto& ids = self->submitted_;
        ids.erase(std::remove(ids.begin(), ids.end(), state->first), ids.end());
        // What the operation dropped itself is not news to it.
        if (result == CommandResult::Cancelled && self->cancelRequested_) return;
        if (self->running_ && done) done(result);
      });
  state->first = id;
  if (!state->second) submitted_.push_back(id);
  return id;
}

void Operation::When(std::function<bool()> cond, int timeoutMs, std::function<void(bool)> then,
                     bool throughDrops) {
  if (cond()) {
    then(true);
    return;
  }
  // One wait at a time: its connections and timer go with the holder.
  auto* holder = new QObject(this);
  auto* limit = new QTimer(holder);
  limit->setSingleShot(true);
  auto end = [this, holder, then](bool met) {
    holder->deleteLater();
    holder->disconnect();
    if (Running()) then(met);
  };
  const auto look = [this, holder, cond, end, throughDrops] {
    if (holder->property("done").toBool()) return;
    const bool met = cond();
    if (!met && (throughDrops || session_.IsConnected()) && !session_.IsShutDown()) return;
    holder->setProperty("done", true);
    end(met);
  };
  connect(&session_, &UnitSession::drained, holder, look);
  connect(&session_, &UnitSession::waitersWoken, holder, look);
  connect(limit, &QTimer::timeout, holder, [holder, cond, end] {
    if (holder->property("done").toBool()) return;
    holder->setProperty("done", true);
    end(cond());
  });
  limit->start(std::max(0, timeoutMs));
}

void Operation::RunChild(Operation* child, std::function<void(const UnitSession::Outcome&)> then) {
  child->setParent(this);
  child->isChild_ = true;
  child_ = child;
  connect(child, &Operation::finished, this, [this, child, then](const UnitSession::Outcome& outcome) {
    if (child_ == child) child_ = nullptr;
    child->deleteLater();
    if (Running()) then(outcome);
  });
  child->Start();
}

void Operation::DropSubmitted() {
  const std::vector<uint64_t> ids = std::move(submitted_);
  submitted_.clear();
  for (uint64_t id : ids) session_.Queue().Cancel(id);
}

void Operation::Finish(UnitSession::Outcome outcome) {
  if (finished_) return;
  finished_ = true;
  running_ = false;
  if (sessionAlive_) session_.NoteOperation(-1);
  outcome_ = std::move(outcome);
  emit finished(outcome_);
}

StepsOperation::StepsOperation(UnitSession& session, std::vector<CommandStep> steps,
                               std::function<void()> after, QObject* parent)
    : Operation(session, parent), steps_(std::move(steps)), after_(std::move(after)) {}

void StepsOperation::Run() {
  if (!refusal_.isEmpty()) {
    Finish(UnitSession::Outcome::Failed(refusal_));
    return;
  }
  if (before_) before_();
  const int total = static_cast<int>(steps_.size());
  for (int i = 0; i < total; ++i) {
    UnitCommand command;
    command.line = steps_[i].line;
    command.end = UnitCommand::End::Written;
    command.pauseAfterMs = steps_[i].pauseAfterMs;
    Submit(std::move(command), [this, i, total](CommandResult) { emit progress(i + 1, total, QString()); });
  }
  // Sends nothing: it ends once the last pause has passed.
  UnitCommand last;
  last.end = UnitCommand::End::Written;
  Submit(std::move(last), [this](CommandResult) {
    if (after_) after_();
    Finish(UnitSession::Outcome::Done());
  });
}

}  // namespace wr
