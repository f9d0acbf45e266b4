// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/upgrade_transfer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <string>

#include "session/delay.h"
#include "protocol/commands.h"
#include "session/unit_session.h"
#include "upgrade/block_line.h"

namespace wr {
namespace {

// Waits for the install command's answer, woken by every drain step rather
// than by a polling step: until ERROR, a failed write or timeoutMs; an OK ends
// the wait only once okAfterMs have passed, as an ERROR until then still
// counts. A link that drops while waiting does not end the wait: a unit that
// restarts to install goes away.
void WaitForInstallAnswer(UnitSession& session, int timeoutMs, int okAfterMs) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!session.ErrorFlag() && !session.WriteFailed()) {
    if (session.OkFlag() && elapsed.elapsed() >= okAfterMs) return;
    const qint64 left =
        (session.OkFlag() ? std::min(timeoutMs, okAfterMs) : timeoutMs) - elapsed.elapsed();
    if (left <= 0) return;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&session, &UnitSession::drained, &loop, &QEventLoop::quit);
    limit.start(static_cast<int>(left));
    // A loop that will not run means the application is quitting.
    if (loop.exec() < 0) return;
  }
}

}  // namespace

TransferResult SendUpgradeBlocks(UnitSession& session, const UpgradeFileResult& file,
                                 const UpgradeTimings& timings, const TransferHooks& hooks) {
  PollingPause pause(session);
  const auto cancelled = [&hooks] { return hooks.cancelled && hooks.cancelled(); };
  // A status answer still on its way must not be taken for block 0's. From
  // then on one attempt at a time is outstanding, and a late answer is
  // waited for below rather than before each attempt.
  session.WaitForAnswers();
  for (size_t k = 0; k < file.blocks.size(); ++k) {
    if (cancelled()) return TransferResult::Cancelled;
    if (hooks.advance) hooks.advance(file.BlockImageBytes(k));
    const std::string line = BlockLine(static_cast<uint32_t>(k), file.blocks[k].data());
    bool delivered = false;
    for (int attempt = 0; attempt < UpgradeTimings::kBlockAttempts && !delivered; ++attempt) {
      session.ClearFlags();
      session.SendLine(line);
      CommandOutcome outcome = session.WaitForOutcome(timings.blockTimeoutMs, cancelled);
      if (outcome == CommandOutcome::TimedOut)
        outcome = session.WaitForOutcome(
            UpgradeTimings::kLateAnswerFactor * timings.blockTimeoutMs, cancelled);
      switch (outcome) {
        case CommandOutcome::Ok:
          delivered = true;
          break;
        case CommandOutcome::Stopped:
          // Not retried, and nothing after it is sent.
          return TransferResult::Cancelled;
        case CommandOutcome::Error:
        case CommandOutcome::TimedOut:
        case CommandOutcome::Disconnected:
          // Refused, or unanswered even late: nothing proves it arrived, so
          // it is sent again.
          break;
      }
    }
    if (!delivered) return TransferResult::SendFailed;
  }
  return TransferResult::Sent;
}

InstallResult SendInstallCommand(UnitSession& session, size_t lastBlock,
                                 const UpgradeTimings& timings) {
  PollingPause pause(session);
  session.ClearFlags();
  // Quitting during the pause: the unit is not told to install.
  if (timings.settleMs > 0 && !RunLoopFor(timings.settleMs)) return InstallResult::NotDelivered;
  const std::string line = std::string(cmd::kFwUpgrade) + std::to_string(lastBlock);
  // A unit that went away after the last block never got the command, so
  // this must not be reported as installed.
  if (!session.SendLine(line)) return InstallResult::NotDelivered;
  WaitForInstallAnswer(session, timings.installWaitMs,
                       std::min(timings.installWaitMs, timings.installFirstPauseMs));
  if (session.WriteFailed()) return InstallResult::NotDelivered;
  return session.ErrorFlag() ? InstallResult::Refused : InstallResult::Installed;
}

InstalledVersion WaitForInstalledVersion(UnitSession& session, const std::string& fileVersion,
                                         int connectionsAtInstall, int limitMs) {
  const UnitModel& model = session.Model();
  const auto back = [&] {
    return session.Connections() > connectionsAtInstall && session.ConnectionState() == 1 &&
           model.FirmwareVersionRead();
  };
  session.WaitUntil(back, limitMs, UnitSession::OnDisconnect::WaitOn);
  InstalledVersion out;
  // A unit that never dropped off the bus still says what it runs.
  if (session.ConnectionState() != 1 || !model.FirmwareVersionRead()) return out;
  out.version = model.FirmwareVersion();
  out.result = out.version == fileVersion ? InstalledVersion::Result::FileVersion
                                          : InstalledVersion::Result::OtherVersion;
  return out;
}

}  // namespace wr
