// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Writing settings given by key (on the command line, from a profile, on a
// provisioning bench): read what the unit holds, keep what was not given,
// write through the checked save, and compare key by key.
#include <QPointer>

#include <optional>
#include <string>
#include <vector>

#include "protocol/message.h"
#include "protocol/settings_values.h"
#include "session/operation.h"

namespace wr {

struct SettingsWriteReport {
  enum class Result {
    Unchanged,    // the unit already held every value; nothing was sent
    Written,      // sent, and every setting reads back as sent
    Differs,      // sent, and some settings read back otherwise (problems)
    Failed,       // nothing was sent (message says why)
    Interrupted,  // stopped: message says whether the sets had gone out
  };
  Result result = Result::Failed;
  // What differed before: left the unit's value, right the one given.
  std::vector<SettingDifference> before;
  // One line per setting the unit did not take, beginning with its key
  // ("apn: sent ...").
  std::vector<Message> problems;
  Message message;
};

// The keys of wanted on which the unit differs: left the unit's value (empty
// when it did not report a valid one), right the wanted value.
std::vector<SettingDifference> DiffWithUnit(const SettingsValues& unit,
                                            const SettingsValues& wanted);

// A value for a message: texts in double quotes, numbers as they are,
// "nothing" for a side without a value.
Message ShownValue(SettingKey key, const std::optional<std::string>& value);

// Reads every setting (asking again where needed), then, when the unit
// differs from wanted, saves the unit's settings with wanted's values in
// their place and compares what it holds then key by key. The outcome is
// done for Unchanged and Written; Report() says more.
class WriteSettingsOperation : public Operation {
  Q_OBJECT
 public:
  WriteSettingsOperation(UnitSession& session, SettingsValues wanted, QObject* parent = nullptr);
  const SettingsWriteReport& Report() const { return report_; }

 protected:
  void Run() override;
  void OnCancel() override;

 private:
  void Save();
  void Compare();
  void End(SettingsWriteReport::Result result, Message message = {});

  SettingsValues wanted_;
  SettingsValues sent_;
  SettingsWriteReport report_;
  std::vector<SettingProblem> problems_;  // as the save found them
  QPointer<Operation> step_;  // the read or the save under way
};

}  // namespace wr
