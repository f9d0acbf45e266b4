// The check of a save: what was sent, how each set command was answered, and
// what the unit reports afterwards.
#include <gtest/gtest.h>

#include "protocol/unit_settings.h"

namespace wr {
namespace {

SettingsForm Sent() {
  SettingsForm form;
  form.tripStopText = "5";
  form.trackField1 = 21600;
  form.trackField2 = 30;
  form.trackField4 = 10000;
  form.trackField5 = 20;
  form.lowPower = true;
  form.ussd = "*141#";
  form.ussdInterval = "24";
  form.apn = "internet";
  form.apnUsername = "user";
  form.apnPassword = "secret";
  form.ignitionIndex = 1;
  return form;
}

// What a unit that took everything reports.
UnitSettings Took(const SettingsForm& f) {
  UnitSettings s;
  s.tripStopText = f.tripStopText;
  s.tripStopSeconds = 300;
  s.trackField1 = f.trackField1;
  s.trackField2 = f.trackField2;
  s.trackField4 = f.trackField4;
  s.trackField5 = f.trackField5;
  s.lowPower = f.lowPower;
  s.ussd = f.ussd;
  s.ussdInterval = f.ussdInterval;
  s.apn = f.apn;
  s.apnUsername = f.apnUsername;
  s.apnPassword = f.apnPassword;
  s.ignition = f.ignitionIndex;
  s.trackRead = s.lowPowerRead = s.ussdRead = s.gprsRead = s.ignitionRead = true;
  return s;
}

const std::vector<SetAnswer> kAllOk(5, SetAnswer::Ok);

TEST(SavedSettingsCheck, EverythingTakenIsNoProblemAndNoMessage) {
  const SettingsForm sent = Sent();
  UnitSettings after = Took(sent);
  EXPECT_TRUE(CheckSavedSettings(sent, kAllOk, after).empty());
  // The unit writes numbers its own way: "024" is the interval sent as 24.
  after.ussdInterval = "024";
  EXPECT_TRUE(CheckSavedSettings(sent, kAllOk, after).empty());
  // A silent unit whose read-back shows the value did take it.
  EXPECT_TRUE(CheckSavedSettings(sent, std::vector<SetAnswer>(5, SetAnswer::None), after).empty());
  EXPECT_EQ(DescribeSaveProblems({}, after), "");
}

TEST(SavedSettingsCheck, EachWayOfNotTakingASettingIsNamedWithWhatTheUnitHolds) {
  const SettingsForm sent = Sent();
  UnitSettings after = Took(sent);
  after.tripStopSeconds = 180;
  after.tripStopText = "3";          // Track: answered OK, reads back otherwise
  after.lowPower = false;            // LowPower: refused, and still off
  after.ussdInterval = "12";         // Ussd: no answer, and not the value sent
  after.gprsRead = false;            // Gprs: its query brought nothing
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
  EXPECT_EQ(DescribeSaveProblems(problems, after),
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
  const SettingsForm sent = Sent();
  // A retained tracking value the unit changed counts for the trip-stop group.
  UnitSettings after = Took(sent);
  after.trackField4 = 9999;
  auto problems = CheckSavedSettings(sent, kAllOk, after);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].group, SettingGroup::Track);
  // Fewer answers than commands: the rest were not answered.
  after = Took(sent);
  after.ignition = 0;
  problems = CheckSavedSettings(sent, {SetAnswer::Ok, SetAnswer::Ok}, after);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].kind, SettingProblem::Kind::NoAnswer);
  // An unknown low power reply is never "on" or "off".
  after = Took(sent);
  after.lowPower.reset();
  problems = CheckSavedSettings(sent, kAllOk, after);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(DescribeSaveProblems(problems, after).find("an unknown value"), std::string::npos);
}

}  // namespace
}  // namespace wr
