// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The block-by-block transfer of a firmware image and the install command,
// without any window: the upgrade dialog runs it, and so can the
// command-line tool or a benchmark.
#include <cstddef>
#include <functional>
#include <string>

#include "upgrade/upgrade_file.h"

namespace wr {

class UnitSession;

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

enum class TransferResult {
  Sent,       // every block acknowledged with OK
  Cancelled,  // stopped between blocks or while waiting for one
  SendFailed  // a block failed every attempt (ERROR, no answer, or unit gone)
};

struct TransferHooks {
  // Polled between blocks and by every wait; true stops the transfer.
  std::function<bool()> cancelled;
  // Called with a block's image bytes just before the block is first sent.
  std::function<void(size_t imageBytes)> advance;
};

// Sends every block of the file; a block is repeated until it is answered
// OK, at most kBlockAttempts times. Status polling is paused meanwhile.
TransferResult SendUpgradeBlocks(UnitSession& session, const UpgradeFileResult& file,
                                 const UpgradeTimings& timings, const TransferHooks& hooks = {});

enum class InstallResult {
  Installed,    // OK, or no answer within the waiting time
  Refused,      // ERROR: the unit's firmware cannot upgrade
  NotDelivered  // the command was not written (unit gone, or the tool quitting)
};

// Waits settleMs, then sends "AT+FWUPGRADE=" with the last block's number.
InstallResult SendInstallCommand(UnitSession& session, size_t lastBlock,
                                 const UpgradeTimings& timings);

// What the unit runs once it is back from the restart that installs.
struct InstalledVersion {
  enum class Result {
    FileVersion,   // the version of the upgrade file
    OtherVersion,  // it came back, but with another version
    NotBack,       // it did not come back and report its version in time
  };
  Result result = Result::NotBack;
  std::string version;  // what the unit reported, when it did
};

// Waits, at most limitMs, until the unit has restarted (a connection after
// connectionsAtInstall) and reported its version, and compares that with the
// file's. A unit that never went away is judged by what it reports at the end.
InstalledVersion WaitForInstalledVersion(UnitSession& session, const std::string& fileVersion,
                                         int connectionsAtInstall, int limitMs);

}  // namespace wr
