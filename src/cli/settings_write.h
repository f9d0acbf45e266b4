// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Writing settings the command line was given (on the command line, from a
// profile, on a provisioning bench): read what the unit holds, keep what was
// not given, write through the checked save, and compare key by key.
#include <string>
#include <vector>

#include "protocol/settings_values.h"

namespace wr {
class UnitSession;
}

namespace wr::cli {

struct SettingsWriteReport {
  enum class Result {
    Unchanged,    // the unit already held every value; nothing was sent
    Written,      // sent, and every setting reads back as sent
    Differs,      // sent, and some settings read back otherwise (problems)
    Failed,       // nothing was sent (message says why)
    Interrupted,  // stopped while saving: what the unit holds is not known
  };
  Result result = Result::Failed;
  // What differed before: left the unit's value, right the one given.
  std::vector<SettingDifference> before;
  // One line per setting the unit did not take, naming the key.
  std::vector<std::string> problems;
  std::string message;
};

// The keys of wanted on which the unit differs: left the unit's value (empty
// when it did not report a valid one), right the wanted value.
std::vector<SettingDifference> DiffWithUnit(const SettingsValues& unit,
                                            const SettingsValues& wanted);

// A value for a message: texts in double quotes, numbers as they are,
// "nothing" for a side without a value.
std::string ShownValue(SettingKey key, const std::optional<std::string>& value);

// Reads every setting (asking again where needed), then writes the unit's
// settings with wanted's values in their place and checks them.
SettingsWriteReport WriteSettings(UnitSession& session, const SettingsValues& wanted);

}  // namespace wr::cli
