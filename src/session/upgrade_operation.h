// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The firmware upgrade as one operation: the block-by-block transfer, the
// install command, and the check of the version the unit comes back with
// after the restart that installs. Every line goes through the session's
// command queue; the install answer and the restart are watched on the
// session's drain steps and timers, so nothing blocks: the window stays
// responsive and the command-line tool runs it in its event loop. The
// window's upgrade dialog and wayrunner-cli upgrade run this same object.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/operation.h"
#include "session/unit_session.h"
#include "upgrade/upgrade_file.h"

namespace wr {

struct UpgradeTimings {
  // Milliseconds one block attempt waits for OK or ERROR before it counts as failed.
  static constexpr int kBlockTimeoutMs = 1000;
  // Attempts per block before the transfer gives up.
  static constexpr int kBlockAttempts = 3;
  // After an attempt's time-out the tool waits this many times as long again
  // for a late answer before sending the block again. The unit's OK names no
  // block, so only one attempt may be outstanding at a time: a late OK taken
  // for the next attempt could pass a block the unit refused.
  static constexpr int kLateAnswerFactor = 2;
  // Milliseconds of quiet before the first block and before the install
  // command, so that a late answer to an earlier line is not taken for theirs.
  static constexpr int kSettleMs = 250;
  // Milliseconds to wait for the install command's answer; a unit may restart
  // at once without answering, which counts as installed.
  static constexpr int kInstallWaitMs = 3000;
  // Milliseconds during which an ERROR after the install command's OK still
  // counts as its answer.
  static constexpr int kInstallFirstPauseMs = 1000;

  // Milliseconds a unit may take after the install command to restart and
  // report its version again; a unit that takes longer is reported missing.
  static constexpr int kRestartLimitMs = 120000;

  int blockTimeoutMs = kBlockTimeoutMs;
  int settleMs = kSettleMs;
  int installWaitMs = kInstallWaitMs;
  int installFirstPauseMs = kInstallFirstPauseMs;
  int restartLimitMs = kRestartLimitMs;
};

// How the unit is watched after the install command.
struct RestartWatch {
  // Milliseconds for the unit to come back and report its version. Counted
  // from the install command, or with dropMs from the moment it went away.
  int limitMs = UpgradeTimings::kRestartLimitMs;
  // When above zero the unit must go away within this many milliseconds; one
  // that stays is asked for its version ("ATI") and given askMs to report it.
  // At zero the unit may stay, and is judged by what it reports at the end.
  int dropMs = 0;
  int askMs = 5000;
  // Called every lookMs while the unit is away: a unit that restarts may
  // come back at another address, and the caller may point the session there.
  std::function<void()> whileAway;
  int lookMs = 250;
};

class UpgradeOperation : public Operation {
  Q_OBJECT
 public:
  enum class Phase {
    Idle,
    Settling,      // the quiet before the first block
    Blocks,        // one block attempt (after earlier lines were answered), or its late answer
    SettlingInstall,
    Installing,    // the install command is out; its answer is awaited
    Restarting,    // the unit restarts; its version is awaited
    Finished,
  };
  enum class End {
    None,
    Upgraded,        // back, with the file's version
    OtherVersion,    // back, with another version
    NotBack,         // not back in time
    NotRestarted,    // never went away and does not report its version
    Cancelled,       // stopped before the install command: the unit keeps its firmware
    SendFailed,      // a block failed every attempt
    InstallRefused,  // ERROR to the install command
    NotDelivered,    // the install command was not written
    Interrupted,     // stopped after the install command went out
  };

  UpgradeOperation(UnitSession& session, UpgradeFileResult file, UpgradeTimings timings,
                   RestartWatch watch, QObject* parent = nullptr);
  ~UpgradeOperation() override;

  // Start() begins with the pause before the first block. Cancel() stops at
  // once: before the install command nothing more is sent; after it, the
  // version check is given up (End::Interrupted).
  Phase CurrentPhase() const { return phase_; }
  // Until the install command goes out: the unit keeps its firmware.
  bool CancelSafe() const override {
    return phase_ == Phase::Settling || phase_ == Phase::Blocks || phase_ == Phase::SettlingInstall;
  }
  End Ending() const { return end_; }
  // What the unit reported after the restart, when it did.
  const std::string& ReportedVersion() const { return reported_; }
  const UpgradeFileResult& File() const { return file_; }

 signals:
  // progress(): image bytes handed over so far (a block counts when it is
  // first sent), then (0, 0) while the unit restarts.
  void phaseChanged(wr::UpgradeOperation::Phase phase);

 protected:
  void Run() override;
  void OnCancel() override;

 private:
  void Enter(Phase phase);
  void Wait(int ms);
  void Check();
  uint64_t Send(UnitCommand command, std::function<void(CommandResult)> done);
  void SendBlock();
  void BlockAnswered(CommandResult result);
  void NextAttempt(CommandResult result);
  void InstallWritten(CommandResult result);
  void CheckInstall();
  void StartWatch();
  void CheckWatch(bool atLimit);
  void Judge();
  void Finish(End end);

  UnitSession& session_;
  UpgradeFileResult file_;
  UpgradeTimings timings_;
  RestartWatch watch_;
  Phase phase_ = Phase::Idle;
  End end_ = End::None;
  // Commands of this upgrade that may still be queued.
  std::vector<uint64_t> submitted_;
  std::unique_ptr<PollingPause> pause_;
  // The one pending wait of the phase, and a second clock for the watch's looks.
  QTimer timer_;
  QTimer look_;
  QElapsedTimer clock_;
  QMetaObject::Connection drained_;
  QMetaObject::Connection versionSeen_;
  size_t block_ = 0;
  int attempt_ = 0;
  int sentBytes_ = 0;
  int connectionsAtInstall_ = 0;
  bool away_ = false;
  bool asked_ = false;
  bool versionReported_ = false;
  std::string reported_;
};

}  // namespace wr
