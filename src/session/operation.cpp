// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/operation.h"

#include <QPointer>

#include <algorithm>
#include <memory>
#include <utility>

namespace wr {

Operation::Operation(UnitSession& session, QObject* parent)
    : QObject(parent), session_(session) {}

Operation::~Operation() { DropSubmitted(); }

void Operation::Start() {
  if (running_ || finished_) return;
  running_ = true;
  Run();
}

void Operation::Cancel() {
  if (!running_ || cancelRequested_) return;
  cancelRequested_ = true;
  OnCancel();
}

void Operation::OnCancel() {
  DropSubmitted();
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

void Operation::DropSubmitted() {
  const std::vector<uint64_t> ids = std::move(submitted_);
  submitted_.clear();
  for (uint64_t id : ids) session_.Queue().Cancel(id);
}

void Operation::Finish(UnitSession::Outcome outcome) {
  if (finished_) return;
  finished_ = true;
  running_ = false;
  outcome_ = std::move(outcome);
  emit finished(outcome_);
}

StepsOperation::StepsOperation(UnitSession& session, std::vector<CommandStep> steps,
                               std::function<void()> after, QObject* parent)
    : Operation(session, parent), steps_(std::move(steps)), after_(std::move(after)) {}

void StepsOperation::Run() {
  const int total = static_cast<int>(steps_.size());
  if (total == 0) {
    if (after_) after_();
    Finish(UnitSession::Outcome::Done());
    return;
  }
  for (int i = 0; i < total; ++i) {
    UnitCommand command;
    command.line = steps_[i].line;
    command.end = UnitCommand::End::Written;
    command.pauseAfterMs = steps_[i].pauseAfterMs;
    Submit(std::move(command), [this, i, total](CommandResult) {
      emit progress(i + 1, total, QString());
      if (i + 1 < total) return;
      // What comes after goes out once the last pause has passed: the queue
      // holds it back.
      if (after_) after_();
      Finish(UnitSession::Outcome::Done());
    });
  }
}

}  // namespace wr
