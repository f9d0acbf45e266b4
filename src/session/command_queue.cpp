// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/command_queue.h"

#include <algorithm>
#include <utility>

#include "protocol/commands.h"
#include "protocol/reply_dispatch.h"
#include "session/unit_session.h"

namespace wr {

CommandQueue::CommandQueue(UnitSession& session) : QObject(&session), session_(session) {
  timeout_.setSingleShot(true);
  timeout_.setTimerType(Qt::PreciseTimer);
  step_.setSingleShot(true);
  step_.setTimerType(Qt::PreciseTimer);
  connect(&timeout_, &QTimer::timeout, this, [this] {
    if (phase_ != Phase::Waiting || !current_) return;
    const UnitCommand& c = current_->command;
    if (c.end == UnitCommand::End::Replies) {
      if (c.quietMs > 0 || c.quietFirstMs > 0)
        StartQuiet(c.quietFirstMs);
      else
        Finish(CommandResult::TimedOut);
    } else if (current_->triesLeft > 0) {
      --current_->triesLeft;
      Send();
    } else {
      Finish(CommandResult::TimedOut);
    }
  });
  connect(&step_, &QTimer::timeout, this, [this] {
    switch (phase_) {
      case Phase::Answers:
        // Lost answers: what is owed is forgotten.
        session_.ForgetOutstanding();
        Send();
        break;
      case Phase::Quiet:
        QuietTick();
        break;
      case Phase::Pausing:
        phase_ = Phase::Free;
        Pump();
        break;
      case Phase::Free:
      case Phase::Waiting:
        break;
    }
  });
  connect(&session, &UnitSession::drained, this, &CommandQueue::Check);
  connect(&session, &UnitSession::connectionChanged, this, &CommandQueue::Check);
  connect(&session, &UnitSession::lineReceived, this, &CommandQueue::OnLine);
}

uint64_t CommandQueue::Submit(UnitCommand command, std::function<void(CommandResult)> done) {
  Entry entry;
  entry.id = nextId_++;
  entry.triesLeft = std::max(0, command.retries);
  entry.command = std::move(command);
  entry.done = std::move(done);
  const uint64_t id = entry.id;
  pending_.push_back(std::move(entry));
  Pump();
  return id;
}

void CommandQueue::Cancel(uint64_t id) {
  const auto it = std::find_if(pending_.begin(), pending_.end(),
                               [id](const Entry& e) { return e.id == id; });
  if (it != pending_.end()) {
    Entry entry = std::move(*it);
    pending_.erase(it);
    Report(entry, CommandResult::Cancelled);
    Pump();
    return;
  }
  if (current_ && current_->id == id && phase_ != Phase::Pausing && phase_ != Phase::Free)
    Finish(CommandResult::Cancelled);
}

bool CommandQueue::Idle() const { return phase_ == Phase::Free && pending_.empty() && !current_; }

void CommandQueue::Stop() {
  stopped_ = true;
  while (!pending_.empty()) {
    Entry entry = std::move(pending_.front());
    pending_.pop_front();
    Report(entry, CommandResult::Disconnected);
  }
  if (current_ && phase_ != Phase::Pausing && phase_ != Phase::Free) {
    Finish(CommandResult::Disconnected);
  } else if (phase_ == Phase::Pausing) {
    step_.stop();
    phase_ = Phase::Free;
  }
}

void CommandQueue::Pump() {
  if (pumping_) return;
  pumping_ = true;
  while (phase_ == Phase::Free && !pending_.empty()) {
    current_ = std::move(pending_.front());
    pending_.pop_front();
    busy_ = true;
    Begin();
  }
  pumping_ = false;
  if (busy_ && Idle()) {
    busy_ = false;
    emit idle();
  }
}

void CommandQueue::Begin() {
  if (stopped_) {
    Finish(CommandResult::Disconnected);
    return;
  }
  const UnitCommand& c = current_->command;
  if (c.end == UnitCommand::End::Mark && !c.line.empty() && session_.Outstanding() > 0) {
    // An earlier line's mark must not be taken for this one's.
    phase_ = Phase::Answers;
    step_.start(kAnswersMs);
    return;
  }
  Send();
}

void CommandQueue::Send() {
  step_.stop();
  const UnitCommand& c = current_->command;
  ticket_ = 0;
  phase_ = Phase::Waiting;
  if (!c.line.empty()) {
    session_.ClearFlags();
    ticket_ = c.echo ? session_.SendCommand(c.line) : session_.SendLine(c.line);
    // The link would not take it: no unit is open.
    if (!ticket_) {
      Finish(CommandResult::Disconnected);
      return;
    }
  }
  switch (c.end) {
    case UnitCommand::End::Written:
      Finish(CommandResult::Written);
      return;
    case UnitCommand::End::Quiet:
      StartQuiet(c.quietFirstMs);
      return;
    case UnitCommand::End::Replies:
      seen_.clear();
      [[fallthrough]];
    case UnitCommand::End::Mark:
      timeout_.start(std::max(0, c.timeoutMs));
      Check();
      return;
  }
}

void CommandQueue::Check() {
  if (phase_ == Phase::Answers) {
    if (session_.Outstanding() == 0) Send();
    return;
  }
  if (phase_ != Phase::Waiting || !current_) return;
  const UnitCommand& c = current_->command;
  if (c.end == UnitCommand::End::Mark) {
    // An ERROR since the flags were cleared fails the command, even when an
    // OK came too: the unit's marks name no command.
    if (session_.ErrorFlag()) return Finish(CommandResult::Error);
    if (session_.OkFlag()) return Finish(CommandResult::Ok);
    if (session_.WriteFailed()) return Finish(CommandResult::WriteFailed);
    if (!session_.IsConnected()) return Finish(CommandResult::Disconnected);
    return;
  }
  if (c.end != UnitCommand::End::Replies) return;
  if (seen_.size() >= c.replies.size()) return Finish(CommandResult::Replied);
  if (!session_.IsConnected()) return Finish(CommandResult::Disconnected);
  // Every line has its mark and a reply is still missing.
  if (session_.Outstanding() == 0) StartQuiet(c.quietFirstMs);
}

void CommandQueue::OnLine(const std::string& line) {
  if (phase_ != Phase::Waiting || !current_ ||
      current_->command.end != UnitCommand::End::Replies)
    return;
  if (reply::StartsWith(line, reply::kOk) || reply::StartsWith(line, reply::kError) ||
      reply::StartsWith(line, reply::kDebugPrefix))
    return;
  for (const std::string& keyword : current_->command.replies) {
    if (!reply::StartsWith(line, keyword)) continue;
    if (std::find(seen_.begin(), seen_.end(), keyword) == seen_.end()) seen_.push_back(keyword);
    return;
  }
  // Something the command did not ask for: what else may come is unknown.
  StartQuiet(current_->command.quietFirstMs);
}

void CommandQueue::StartQuiet(int firstMs) {
  timeout_.stop();
  phase_ = Phase::Quiet;
  step_.start(std::max(0, firstMs));
}

void CommandQueue::QuietTick() {
  const int quietMs = current_->command.quietMs;
  if (session_.QuietMs() >= quietMs) {
    Finish(CommandResult::Quiet);
    return;
  }
  step_.start(quietMs);
}

void CommandQueue::Finish(CommandResult result) {
  timeout_.stop();
  step_.stop();
  Entry entry = std::move(*current_);
  current_.reset();
  const int pause = entry.command.pauseAfterMs;
  phase_ = pause > 0 && !stopped_ ? Phase::Pausing : Phase::Free;
  // What the report submits goes out after it, not inside it.
  const bool pumping = pumping_;
  pumping_ = true;
  Report(entry, result);
  pumping_ = pumping;
  ticket_ = 0;
  if (phase_ == Phase::Pausing)
    step_.start(pause);
  else
    Pump();
}

void CommandQueue::Report(Entry& entry, CommandResult result) {
  if (entry.done) entry.done(result);
  emit finished(entry.id, result);
}

}  // namespace wr
