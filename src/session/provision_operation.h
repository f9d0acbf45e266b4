// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Provisioning one unit just plugged in: wait for it to open and say who it
// is, then write the wanted settings and verify them.
#include <QPointer>

#include <string>
#include <vector>

#include "protocol/message.h"
#include "protocol/settings_values.h"
#include "session/operation.h"
#include "session/write_settings_operation.h"

namespace wr {

// What a provisioning log's row needs.
struct ProvisionReport {
  SettingsWriteReport::Result result = SettingsWriteReport::Result::Failed;
  // The keys that differed: what was changed (Written), or what the unit did
  // not take (Differs). Key names only: no value (an APN password) is kept.
  std::vector<std::string> differences;
  Message message;
  // As the unit said who it is; empty when it did not.
  std::string deviceId;
  std::string firmware;
};

class ProvisionOperation : public Operation {
  Q_OBJECT
 public:
  // where: the unit's place as the user knows it, for the messages; openMs:
  // how long the unit has to open.
  ProvisionOperation(UnitSession& session, std::string where, SettingsValues wanted, int openMs,
                     QObject* parent = nullptr);
  const ProvisionReport& Report() const { return report_; }

 protected:
  void Run() override;
  void OnCancel() override;

 private:
  void Write();
  void End(SettingsWriteReport::Result result, Message message);

  std::string where_;
  SettingsValues wanted_;
  int openMs_;
  ProvisionReport report_;
  QPointer<Operation> step_;  // the connect or the write under way
};

}  // namespace wr
