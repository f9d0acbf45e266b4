#pragma once
// The unit's settings as it reported them, and the check of a save against
// what the unit answered and holds afterwards.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol/settings_commands.h"

namespace wr {

// The five replies that carry settings, which are also the five set commands.
enum class SettingGroup { Track, LowPower, Ussd, Gprs, Ignition };

// The settings as the unit reported them. Each group comes from one reply and
// knows whether that reply arrived on this connection; values from an earlier
// connection (another unit, perhaps) stay for the eye but count as not read.
struct UnitSettings {
  // "+TRACK,": trip-stop time and the four retained tracking values.
  std::string tripStopText;       // whole minutes, as the Settings tab shows them
  int32_t tripStopSeconds = 0;
  int32_t trackField1 = 0, trackField2 = 0, trackField4 = 0, trackField5 = 0;
  bool trackRead = false;
  // "+LOWPOWER,".
  std::optional<bool> lowPower;
  bool lowPowerRead = false;
  // "+USSD,": the query and its interval.
  std::string ussd;
  std::string ussdInterval;       // the interval as converted: 024 reads as 24
  bool ussdRead = false;
  // "+GPRS,".
  std::string apn, apnUsername, apnPassword;
  bool gprsRead = false;
  // "+IGNITION,": the index as read, not checked against the list.
  std::optional<int32_t> ignition;
  bool ignitionRead = false;

  bool Read(SettingGroup group) const;
};

// How the unit answered one set command.
enum class SetAnswer {
  Ok,
  Error,
  None,    // no answer in time (or none waited for, once the unit had stopped answering)
  NotSent  // the line could not be written
};

// One setting the unit did not take as sent.
struct SettingProblem {
  enum class Kind {
    Refused,      // answered ERROR
    NoAnswer,     // neither OK nor ERROR in time
    Differs,      // answered OK, but reads back otherwise
    NotReadBack,  // its query brought no reply
    NotSent,      // the command could not be written to the unit
  };
  SettingGroup group;
  Kind kind;
};

// Compares what a save sent (form, and the answer to each set command in
// sending order: track, low power, USSD, GPRS, ignition) with what the unit
// reported afterwards.
std::vector<SettingProblem> CheckSavedSettings(const SettingsForm& sent,
                                               const std::vector<SetAnswer>& answers,
                                               const UnitSettings& after);

// One message naming every setting that was not taken and what the unit
// holds now; empty when there is no problem.
std::string DescribeSaveProblems(const std::vector<SettingProblem>& problems,
                                 const UnitSettings& after);

// The names the Settings tab gives the settings of a group, for messages.
std::string SettingGroupName(SettingGroup group);

}  // namespace wr
