// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The check of a save: what was sent, how each set command was answered, and
// what the unit reports afterwards.
#include <gtest/gtest.h>

#include "protocol/unit_settings.h"

namespace wr {
namespace {

SettingsValues Sent() {
  SettingsValues v;
  for (const auto& [key, text] :
       {std::pair{SettingKey::kTripStopMinutes, "5"}, {SettingKey::kTrack1, "21600"},
        {SettingKey::kTrack2, "30"}, {SettingKey::kTrack4, "10000"}, {SettingKey::kTrack5, "20"},
        {SettingKey::kLowPower, "1"}, {SettingKey::kUssd, "*141#"},
        {SettingKey::kUssdInterval, "24"}, {SettingKey::kApn, "internet"},
        {SettingKey::kApnUser, "user"}, {SettingKey::kApnPassword, "secret"},
        {SettingKey::kIgnition, "1"}})
    v.Set(key, text);
  return v;
}

// What a unit that took everything reports.
UnitSettings Took(const SettingsValues& sent) {
  UnitSettings s;
  for (const auto& [key, value] : sent.Entries())
    s.reported[static_cast<size_t>(key)] = CommandValue(key, value);
  s.read.fill(true);
  return s;
}

void Report(UnitSettings& s, SettingKey key, std::optional<std::string> value) {
  s.reported[static_cast<size_t>(key)] = std::move(value);
}

const std::vector<SetAnswer> kAllOk(5, SetAnswer::Ok);

TEST(SavedSettingsCheck, EverythingTakenIsNoProblemAndNoMessage) {
  const SettingsValues sent = Sent();
  UnitSettings after = Took(sent);
  EXPECT_TRUE(CheckSavedSettings(sent, kAllOk, after).empty());
  // The unit writes numbers its own way: "024" is the interval sent as 24.
  Report(after, SettingKey::kUssdInterval, "024");
  EXPECT_TRUE(CheckSavedSettings(sent, kAllOk, after).empty());
  // A silent unit whose read-back shows the value did take it.
  EXPECT_TRUE(CheckSavedSettings(sent, std::vector<SetAnswer>(5, SetAnswer::None), after).empty());
  EXPECT_TRUE(DescribeSaveProblems({}, after).Empty());
}

TEST(SavedSettingsCheck, EachWayOfNotTakingASettingIsNamedWithWhatTheUnitHolds) {
  const SettingsValues sent = Sent();
  UnitSettings after = Took(sent);
  Report(after, SettingKey::kTripStopMinutes, "180");  // Track: answered OK, reads back otherwise
  Report(after, SettingKey::kLowPower, "0");           // LowPower: refused, and still off
  Report(after, SettingKey::kUssdInterval, "12");      // Ussd: no answer, and not the value sent
  after.read[static_cast<size_t>(SettingGroup::Gprs)] = false;  // its query brought nothing
  const std::vector<SetAnswer> answers = {SetAnswer::Ok, SetAnswer::Error, SetAnswer::None,
                                          SetAnswer::Ok, SetAnswer::NotSent};
  const std::vector<SettingProblem> problems = CheckSavedSettings(sent, answers, after);
  ASSERT_EQ(problems.size(), 5u);
  const std::pair<SettingGroup, SettingProblem::Kind> expected[] = {
      {SettingGroup::Track, SettingProblem::Kind::Differs},
      {SettingGroup::LowPower, SettingProblem::Kind::Refused},
      {SettingGroup::Ussd, SettingProblem::Kind::NoAnswer},
      {SettingGroup::Gprs, SettingProblem::Kind::NotReadBack},
      {SettingGroup::Ignition, SettingProblem::Kind::NotSent}};
  for (size_t i = 0; i < problems.size(); ++i) {
    EXPECT_EQ(problems[i].group, expected[i].first) << i;
    EXPECT_EQ(problems[i].kind, expected[i].second) << i;
  }
  EXPECT_EQ(DescribeSaveProblems(problems, after).English(),
            "The unit did not take every setting:"
            "\n- Time stationary before ending trip: the unit reads back another value. "
            "The unit holds 3 minutes."
            "\n- Low power mode: refused by the unit. The unit holds off."
            "\n- Airtime USSD String and Query Interval (hours): the unit did not answer. "
            "The unit holds \"*141#\" every 12 hours."
            "\n- GPRS APN, Username and Password: could not be read back; check it on the unit."
            "\n- Ignition detection: could not be sent to the unit. The unit holds Smart detection.");
}

TEST(SavedSettingsCheck, RetainedValuesMissingAnswersAndUnknownRepliesCountAsNotTaken) {
  const SettingsValues sent = Sent();
  // A retained tracking value the unit changed counts for the trip-stop group.
  UnitSettings after = Took(sent);
  Report(after, SettingKey::kTrack4, "9999");
  auto problems = CheckSavedSettings(sent, kAllOk, after);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].group, SettingGroup::Track);
  // Fewer answers than commands: the rest were not answered.
  after = Took(sent);
  Report(after, SettingKey::kIgnition, "0");
  problems = CheckSavedSettings(sent, {SetAnswer::Ok, SetAnswer::Ok}, after);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].kind, SettingProblem::Kind::NoAnswer);
  // Seconds that are not the minutes sent differ, though they show alike.
  after = Took(sent);
  Report(after, SettingKey::kTripStopMinutes, "330");
  EXPECT_EQ(CheckSavedSettings(sent, kAllOk, after).size(), 1u);
  // An unknown low power reply is never "on" or "off".
  after = Took(sent);
  Report(after, SettingKey::kLowPower, std::nullopt);
  problems = CheckSavedSettings(sent, kAllOk, after);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(DescribeSaveProblems(problems, after).English().find("an unknown value"), std::string::npos);
}

}  // namespace
}  // namespace wr
