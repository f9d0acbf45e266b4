// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/upgrade_operation.h"

#include <algorithm>
#include <string>
#include <utility>

#include "protocol/commands.h"
#include "session/unit_text.h"
#include "upgrade/block_line.h"

namespace wr {

UpgradeOperation::UpgradeOperation(UnitSession& session, UpgradeFileResult file,
                                   UpgradeTimings timings, RestartWatch watch, QObject* parent)
    : Operation(session, parent),
      session_(session),
      file_(std::move(file)),
      timings_(timings),
      watch_(std::move(watch)) {
  SetTitle(tr("Upgrading Firmware, Please wait..."));
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] {
    // One step per tick: the install wait's end starts the watch's clock.
    if (phase_ == Phase::Installing) {
      CheckInstall();
    } else if (phase_ == Phase::Restarting) {
      CheckWatch(true);
    }
  });
  look_.setInterval(std::max(1, watch_.lookMs));
  connect(&look_, &QTimer::timeout, this, [this] {
    if (watch_.whileAway && !session_.IsConnected()) watch_.whileAway();
    if (phase_ == Phase::Restarting) CheckWatch(false);
  });
}

UpgradeOperation::~UpgradeOperation() {
  QObject::disconnect(drained_);
  QObject::disconnect(versionSeen_);
}

void UpgradeOperation::Run() {
  // No status query may share the OK flag with the blocks or the install
  // command; polling resumes once the install command has been answered.
  pause_ = std::make_unique<PollingPause>(session_);
  drained_ = connect(&session_, &UnitSession::drained, this, &UpgradeOperation::Check);
  Enter(Phase::Settling);
  // The quiet before the first block: nothing goes out meanwhile. The first
  // block then waits for earlier lines to be answered (the queue does), so
  // that a status answer still on its way is not taken for block 0's.
  UnitCommand settle;
  settle.end = UnitCommand::End::Written;
  settle.pauseAfterMs = timings_.settleMs;
  Send(settle, [this](CommandResult) {
    Enter(Phase::Blocks);
    SendBlock();
  });
}

void UpgradeOperation::OnCancel() {
  switch (phase_) {
    case Phase::Idle:
    case Phase::Finished:
      return;
    case Phase::Settling:
    case Phase::Blocks:
    case Phase::SettlingInstall:
      // A block is not retried, and nothing after it is sent.
      Finish(End::Cancelled);
      return;
    case Phase::Installing:
    case Phase::Restarting:
      Finish(End::Interrupted);
      return;
  }
}

void UpgradeOperation::Enter(Phase phase) {
  phase_ = phase;
  emit phaseChanged(phase);
}

void UpgradeOperation::Wait(int ms) { timer_.start(std::max(0, ms)); }

uint64_t UpgradeOperation::Send(UnitCommand command, std::function<void(CommandResult)> done) {
  // Cancelled from a handler of the step that was about to send this.
  if (phase_ == Phase::Finished) return 0;
  const uint64_t id = Submit(std::move(command), [done = std::move(done)](CommandResult result) {
    // What this operation dropped is no news to it.
    if (result != CommandResult::Cancelled) done(result);
  });
  submitted_.push_back(id);
  return id;
}

void UpgradeOperation::Check() {
  if (phase_ == Phase::Installing) {
    CheckInstall();
  } else if (phase_ == Phase::Restarting) {
    CheckWatch(false);
  }
}

void UpgradeOperation::SendBlock() {
  if (block_ >= file_.blocks.size()) {
    Enter(Phase::SettlingInstall);
    UnitCommand settle;
    settle.end = UnitCommand::End::Written;
    settle.pauseAfterMs = timings_.settleMs;
    Send(settle, [](CommandResult) {});
    UnitCommand install;
    install.line = std::string(cmd::kFwUpgrade) + std::to_string(file_.LastBlockNumber());
    install.echo = false;
    install.end = UnitCommand::End::Written;
    Send(install, [this](CommandResult result) { InstallWritten(result); });
    return;
  }
  if (attempt_ == 0) {
    sentBytes_ += static_cast<int>(file_.BlockImageBytes(block_));
    emit progress(sentBytes_, static_cast<int>(file_.imageLength), tr("Sending the firmware"));
  }
  // From the first block on one attempt at a time is outstanding, and its
  // late answer is waited for after it rather than before the next.
  if (block_ > 0 || attempt_ > 0) session_.ForgetOutstanding();
  UnitCommand command;
  command.line = BlockLine(static_cast<uint32_t>(block_), file_.blocks[block_].data());
  command.echo = false;
  command.timeoutMs = timings_.blockTimeoutMs;
  Send(command, [this](CommandResult result) {
    if (result != CommandResult::TimedOut) {
      BlockAnswered(result);
      return;
    }
    // Unanswered in time: a late answer is still its own, as the flags are
    // not cleared for this wait and nothing else goes out meanwhile.
    UnitCommand late;
    late.timeoutMs = UpgradeTimings::kLateAnswerFactor * timings_.blockTimeoutMs;
    Send(late, [this](CommandResult lateResult) { BlockAnswered(lateResult); });
  });
}

void UpgradeOperation::BlockAnswered(CommandResult result) {
  // The answer arrives in the session's drain step; the next line goes out
  // once that step has ended, as everything else that step brings is seen
  // first (a unit pulled in the same step gets nothing more).
  QMetaObject::invokeMethod(this, [this, result] { NextAttempt(result); }, Qt::QueuedConnection);
}

void UpgradeOperation::NextAttempt(CommandResult result) {
  if (phase_ != Phase::Blocks) return;
  if (result == CommandResult::Ok) {
    ++block_;
    attempt_ = 0;
  } else if (++attempt_ >= UpgradeTimings::kBlockAttempts) {
    // Refused, unanswered even late, or the unit gone, every time.
    Finish(End::SendFailed);
    return;
  }
  // Refused or unanswered: nothing proves it arrived, so it is sent again.
  SendBlock();
}

void UpgradeOperation::InstallWritten(CommandResult result) {
  // A unit that went away after the last block never got the command, so
  // this must not be reported as installed. The flags were cleared as it
  // went out, after the pause: a late answer to the last block that arrives
  // during the pause is not the install command's.
  if (result != CommandResult::Written) {
    Finish(End::NotDelivered);
    return;
  }
  connectionsAtInstall_ = session_.Connections();
  Enter(Phase::Installing);
  clock_.start();
  CheckInstall();
}

// Until ERROR, a failed write or the waiting time; an OK ends the wait only
// once the first pause has passed, as an ERROR until then still counts. A
// link that drops does not end it: a unit that restarts to install goes away.
void UpgradeOperation::CheckInstall() {
  const int waitMs = timings_.installWaitMs;
  const int okAfterMs = std::min(waitMs, timings_.installFirstPauseMs);
  const qint64 elapsed = clock_.elapsed();
  bool decided = session_.ErrorFlag() || session_.WriteFailed() ||
                 (session_.OkFlag() && elapsed >= okAfterMs);
  const qint64 left = (session_.OkFlag() ? std::min(waitMs, okAfterMs) : waitMs) - elapsed;
  if (!decided && left > 0) {
    Wait(static_cast<int>(left));
    return;
  }
  timer_.stop();
  if (session_.WriteFailed()) {
    Finish(End::NotDelivered);
  } else if (session_.ErrorFlag()) {
    Finish(End::InstallRefused);
  } else {
    StartWatch();
  }
}

void UpgradeOperation::StartWatch() {
  // The unit restarts now: polling goes on, and finds it when it is back.
  pause_.reset();
  Enter(Phase::Restarting);
  emit progress(0, 0, tr("Waiting for the unit to restart"));
  versionSeen_ = connect(&session_.Model(), &UnitModel::firmwareVersionChanged, this,
                         [this] { versionReported_ = true; });
  if (watch_.whileAway) look_.start();
  Wait(watch_.dropMs > 0 ? watch_.dropMs : watch_.limitMs);
  CheckWatch(false);
}

// Only the unit itself can say whether the new firmware runs: an upgrade is
// never reported done on the strength of the install command alone.
void UpgradeOperation::CheckWatch(bool atLimit) {
  const UnitModel& model = session_.Model();
  const bool back = session_.Connections() > connectionsAtInstall_ &&
                    session_.ConnectionState() == 1 && model.FirmwareVersionRead();
  if (watch_.dropMs <= 0 || away_) {
    if (back || atLimit) Judge();
    return;
  }
  if (asked_) {
    if (versionReported_) {
      Judge();
    } else if (atLimit) {
      Finish(End::NotRestarted);
    }
    return;
  }
  if (!session_.IsConnected()) {
    away_ = true;
    Wait(watch_.limitMs);
    return;
  }
  if (atLimit) {
    // Still there: whatever it runs now, it says so when asked.
    asked_ = true;
    versionReported_ = false;
    UnitCommand ask;
    ask.line = std::string(cmd::kInfo);
    ask.end = UnitCommand::End::Written;
    Send(ask, [](CommandResult) {});
    Wait(watch_.askMs);
  }
}

void UpgradeOperation::Judge() {
  const UnitModel& model = session_.Model();
  // A unit that never dropped off the bus still says what it runs.
  if (session_.ConnectionState() != 1 || !model.FirmwareVersionRead()) {
    Finish(End::NotBack);
    return;
  }
  reported_ = model.FirmwareVersion();
  Finish(reported_ == file_.version ? End::Upgraded : End::OtherVersion);
}

void UpgradeOperation::Finish(End end) {
  timer_.stop();
  look_.stop();
  QObject::disconnect(drained_);
  QObject::disconnect(versionSeen_);
  pause_.reset();
  end_ = end;
  // Whatever of this upgrade is still queued does not go out.
  for (uint64_t id : std::exchange(submitted_, {})) Queue().Cancel(id);
  const QString fileVersion = FromBytes(file_.version);
  UnitSession::Outcome outcome;
  outcome.done = end == End::Upgraded;
  switch (end) {
    case End::Upgraded:
      outcome.message = tr("Unit upgraded to version %1: it has restarted and runs the version "
                           "of the upgrade file.")
                            .arg(FromBytes(reported_));
      break;
    case End::OtherVersion:
      outcome.message = tr("The unit has restarted with firmware version %1, not version %2 of "
                           "the upgrade file: the upgrade did not take effect.")
                            .arg(FromBytes(reported_), fileVersion);
      break;
    case End::NotBack:
      outcome.message = tr("The unit has not come back within %1 seconds of the upgrade, so it "
                           "is not known to run version %2. Check that it is plugged in and "
                           "starts.")
                            .arg(watch_.limitMs / 1000)
                            .arg(fileVersion);
      break;
    case End::NotRestarted:
      outcome.message =
          tr("The unit did not restart after the install command and does not report its "
             "version.");
      break;
    case End::Cancelled:
      outcome.message = tr("Firmware upgrade stopped!");
      break;
    case End::SendFailed:
      outcome.message = tr("Error sending upgrade file!");
      break;
    case End::InstallRefused:
      outcome.message = tr("Firmware upgrade not supported!");
      break;
    case End::NotDelivered:
      outcome.message =
          tr("Error sending upgrade command! The unit was not told to install the firmware.");
      break;
    case End::Interrupted:
      // The unit installs; nobody waits to hear what it comes back with.
      outcome.interrupted = true;
      break;
    case End::None:
      break;
  }
  Enter(Phase::Finished);
  Operation::Finish(std::move(outcome));
}

}  // namespace wr
