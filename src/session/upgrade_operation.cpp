// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/upgrade_operation.h"

#include <algorithm>
#include <string>

#include "protocol/commands.h"
#include "session/unit_text.h"
#include "upgrade/block_line.h"

namespace wr {

UpgradeOperation::UpgradeOperation(UnitSession& session, UpgradeFileResult file,
                                   UpgradeTimings timings, RestartWatch watch, QObject* parent)
    : QObject(parent),
      session_(session),
      file_(std::move(file)),
      timings_(timings),
      watch_(std::move(watch)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] {
    switch (phase_) {
      case Phase::Settling:
        // A status answer still on its way must not be taken for block 0's.
        // From then on one attempt at a time is outstanding, and a late
        // answer is waited for after its attempt.
        if (session_.Outstanding() == 0) {
          Enter(Phase::Blocks);
          SendBlock();
        } else {
          Enter(Phase::Answers);
          Wait(UnitSession::kAnswersMs);
        }
        break;
      case Phase::Answers:
        // Lost answers: what is owed is forgotten.
        session_.ForgetOutstanding();
        Enter(Phase::Blocks);
        SendBlock();
        break;
      case Phase::Blocks:
        if (!late_) {
          late_ = true;
          Wait(UpgradeTimings::kLateAnswerFactor * timings_.blockTimeoutMs);
        } else {
          BlockAnswered(CommandOutcome::TimedOut);
        }
        break;
      case Phase::SettlingInstall:
        SendInstall();
        break;
      case Phase::Installing:
        CheckInstall();
        break;
      case Phase::Restarting:
        CheckWatch(true);
        break;
      case Phase::Idle:
      case Phase::Finished:
        break;
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

void UpgradeOperation::Start() {
  if (phase_ != Phase::Idle) return;
  // No status query may share the OK flag with the blocks or the install
  // command; polling resumes once the install command has been answered.
  pause_ = std::make_unique<PollingPause>(session_);
  drained_ = connect(&session_, &UnitSession::drained, this, &UpgradeOperation::Check);
  Enter(Phase::Settling);
  Wait(timings_.settleMs);
}

void UpgradeOperation::Cancel() {
  switch (phase_) {
    case Phase::Idle:
    case Phase::Finished:
      return;
    case Phase::Settling:
    case Phase::Answers:
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

void UpgradeOperation::Check() {
  switch (phase_) {
    case Phase::Answers:
      if (session_.Outstanding() == 0 || !session_.IsConnected()) {
        session_.ForgetOutstanding();
        timer_.stop();
        Enter(Phase::Blocks);
        SendBlock();
      }
      break;
    case Phase::Blocks: {
      const CommandOutcome outcome = BlockOutcome();
      if (outcome != CommandOutcome::TimedOut) BlockAnswered(outcome);
      break;
    }
    case Phase::Installing:
      CheckInstall();
      break;
    case Phase::Restarting:
      CheckWatch(false);
      break;
    default:
      break;
  }
}

// TimedOut while nothing has decided the attempt yet. An ERROR since the
// flags were cleared fails the attempt, even when an OK came too: the unit's
// marks name no command.
CommandOutcome UpgradeOperation::BlockOutcome() const {
  if (session_.ErrorFlag()) return CommandOutcome::Error;
  if (session_.OkFlag()) return CommandOutcome::Ok;
  if (!session_.IsConnected() || session_.WriteFailed()) return CommandOutcome::Disconnected;
  return CommandOutcome::TimedOut;
}

void UpgradeOperation::SendBlock() {
  if (block_ >= file_.blocks.size()) {
    Enter(Phase::SettlingInstall);
    Wait(timings_.settleMs);
    return;
  }
  if (attempt_ == 0) {
    sentBytes_ += static_cast<int>(file_.BlockImageBytes(block_));
    emit progress(sentBytes_, static_cast<int>(file_.imageLength), tr("Sending the firmware"));
  }
  session_.ClearFlags();
  session_.SendLine(BlockLine(static_cast<uint32_t>(block_), file_.blocks[block_].data()));
  late_ = false;
  const CommandOutcome outcome = BlockOutcome();
  if (outcome != CommandOutcome::TimedOut) {
    BlockAnswered(outcome);
    return;
  }
  Wait(timings_.blockTimeoutMs);
}

void UpgradeOperation::BlockAnswered(CommandOutcome outcome) {
  timer_.stop();
  if (outcome == CommandOutcome::Ok) {
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

void UpgradeOperation::SendInstall() {
  // Cleared after the pause: a late answer to the last block that arrives
  // during it is not the install command's.
  session_.ClearFlags();
  connectionsAtInstall_ = session_.Connections();
  const std::string line = std::string(cmd::kFwUpgrade) + std::to_string(file_.LastBlockNumber());
  // A unit that went away after the last block never got the command, so
  // this must not be reported as installed.
  if (!session_.SendLine(line)) {
    Finish(End::NotDelivered);
    return;
  }
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
    session_.SendCommand(cmd::kInfo);
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
  result_ = outcome;
  Enter(Phase::Finished);
  emit finished(result_);
}

}  // namespace wr
