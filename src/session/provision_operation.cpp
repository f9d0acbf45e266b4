// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/provision_operation.h"

#include "session/connect_operation.h"
#include "session/unit_text.h"

namespace wr {

using Result = SettingsWriteReport::Result;

namespace {

Message Interrupted() { return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "interrupted")); }

}  // namespace

ProvisionOperation::ProvisionOperation(UnitSession& session, std::string where,
                                       SettingsValues wanted, int openMs, QObject* parent)
    : Operation(session, parent), where_(std::move(where)), wanted_(std::move(wanted)),
      openMs_(openMs) {}

void ProvisionOperation::Run() {
  emit progress(0, 2, tr("Opening the unit"));
  step_ = new ConnectOperation(Session(), openMs_, true);
  RunChild(step_, [this](const UnitSession::Outcome& outcome) {
    if (outcome.interrupted || CancelRequested()) return End(Result::Interrupted, Interrupted());
    const Message failure = ConnectFailure(Session(), where_, true);
    if (!failure.Empty()) return End(Result::Failed, failure);
    Write();
  });
}

void ProvisionOperation::Write() {
  emit progress(1, 2, tr("Writing the settings"));
  auto* write = new WriteSettingsOperation(Session(), wanted_);
  step_ = write;
  connect(write, &Operation::progress, this, [this](int, int, const QString& what) {
    emit progress(1, 2, what);
  });
  RunChild(write, [this, write](const UnitSession::Outcome&) {
    const SettingsWriteReport& written = write->Report();
    if (written.result == Result::Differs) {
      // Each problem line begins with its key.
      for (const Message& problem : written.problems) {
        const std::string line = problem.English();
        report_.differences.push_back(line.substr(0, line.find(':')));
      }
      return End(Result::Differs,
                 Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the unit did not take every setting")));
    }
    if (written.result != Result::Interrupted)
      for (const SettingDifference& d : written.before)
        report_.differences.emplace_back(SettingKeyName(d.key));
    End(written.result, written.message);
  });
}

void ProvisionOperation::OnCancel() {
  if (step_ && step_->Running()) return step_->Cancel();
  End(Result::Interrupted, Interrupted());
}

void ProvisionOperation::End(SettingsWriteReport::Result result, Message message) {
  if (Finished()) return;
  report_.result = result;
  report_.message = std::move(message);
  report_.deviceId = Session().Model().DeviceId();
  report_.firmware = Session().Model().FirmwareVersion();
  UnitSession::Outcome outcome;
  outcome.done = result == Result::Unchanged || result == Result::Written;
  outcome.interrupted = result == Result::Interrupted;
  outcome.message = Translated(report_.message);
  Finish(std::move(outcome));
}

}  // namespace wr
