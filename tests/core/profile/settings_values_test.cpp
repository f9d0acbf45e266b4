#include "profile/settings_values.h"

#include <gtest/gtest.h>

namespace wr {
namespace {

SettingsForm UnitForm() {
  SettingsForm f;
  f.tripStopText = "10";
  f.trackField1 = 21600;
  f.trackField2 = 30;
  f.trackField4 = 10000;
  f.trackField5 = -20;
  f.lowPower = true;
  f.ussd = "*141#";
  f.ussdInterval = "24";
  f.apn = " my apn ";
  f.apnUsername = "guest";
  f.apnPassword = "s=cr;t";
  f.ignitionIndex = 2;
  return f;
}

TEST(SettingsValues, KeyNamesInCanonicalOrderAnyLetterCase) {
  EXPECT_EQ(SettingKeyNames(),
            "ussd, ussd_interval, apn, apn_user, apn_password, trip_stop_minutes, low_power, "
            "ignition, track1, track2, track4, track5");
  for (SettingKey key : AllSettingKeys()) EXPECT_EQ(SettingKeyFromName(SettingKeyName(key)), key);
  EXPECT_EQ(SettingKeyFromName("APN_Password"), SettingKey::kApnPassword);
  for (const char* bad : {"", "track3", "apn ", "ussd-interval", "tripstop"})
    EXPECT_FALSE(SettingKeyFromName(bad)) << bad;
}

TEST(SettingsValues, CanonicalFormsAndRefusals) {
  struct Case {
    SettingKey key;
    const char* text;
    const char* canonical;  // nullptr: refused with `refusal`
    const char* refusal;
  };
  const Case cases[] = {
      {SettingKey::kUssdInterval, "024", "24", ""},
      {SettingKey::kUssdInterval, " +7 ", "7", ""},
      {SettingKey::kUssdInterval, "-1", nullptr,
       "must be a whole number of hours from 0 to 2147483647, not \"-1\""},
      {SettingKey::kUssdInterval, "", nullptr, "must be a whole number, not \"\""},
      {SettingKey::kTripStopMinutes, " 007 ", "7", ""},
      {SettingKey::kTripStopMinutes, "-0", "0", ""},
      {SettingKey::kTripStopMinutes, "35791394", "35791394", ""},
      {SettingKey::kTripStopMinutes, "35791395", nullptr,
       "is longer than the unit can store: \"35791395\" minutes"},
      {SettingKey::kTripStopMinutes, "5.5", nullptr, "must be a whole number of minutes, not \"5.5\""},
      {SettingKey::kLowPower, "01", "1", ""},
      {SettingKey::kLowPower, "2", nullptr, "must be 0 or 1, not \"2\""},
      {SettingKey::kLowPower, "yes", nullptr, "must be a whole number, not \"yes\""},
      {SettingKey::kIgnition, "2", "2", ""},
      {SettingKey::kIgnition, "-1", nullptr, "must be 0, 1 or 2, not \"-1\""},
      {SettingKey::kTrack1, "-2147483648", "-2147483648", ""},
      {SettingKey::kTrack5, "+0002147483647", "2147483647", ""},
      {SettingKey::kTrack2, "2147483648", nullptr,
       "must be a whole number from -2147483648 to 2147483647, not \"2147483648\""},
      {SettingKey::kTrack4, "99999999999999999999999", nullptr,
       "must be a whole number from -2147483648 to 2147483647, not \"99999999999999999999999\""},
      {SettingKey::kTrack4, "1 2", nullptr, "must be a whole number, not \"1 2\""},
      {SettingKey::kTrack4, "0x10", nullptr, "must be a whole number, not \"0x10\""},
      // Texts are kept exactly, blanks included.
      {SettingKey::kApn, " my apn ", " my apn ", ""},
      {SettingKey::kUssd, "*100#", "*100#", ""},
      {SettingKey::kApnUser, "", "", ""},
      {SettingKey::kApnPassword, "a,b", nullptr, "contains a comma, which cannot be sent to the unit"},
      {SettingKey::kApn, "x\r", nullptr, "contains a carriage return, which cannot be sent to the unit"},
      {SettingKey::kUssd, "caf\xC3\xA9", nullptr,
       "contains the character '\xC3\xA9' (U+00E9), which cannot be sent to the unit"},
  };
  for (const Case& c : cases) {
    std::string canonical = "untouched";
    const std::string refusal = CanonicalSettingValue(c.key, c.text, canonical);
    if (c.canonical) {
      EXPECT_EQ(refusal, "") << c.text;
      EXPECT_EQ(canonical, c.canonical) << c.text;
    } else {
      EXPECT_EQ(refusal, c.refusal) << c.text;
      EXPECT_EQ(canonical, "untouched") << c.text;
    }
  }
  // A control character in a refused number is shown, not passed on.
  std::string canonical;
  EXPECT_EQ(CanonicalSettingValue(SettingKey::kTrack1, "1\x1B[2J", canonical),
            "must be a whole number, not \"1\\x1B[2J\"");
}

TEST(SettingsValues, SetKeepsTheOldValueOnRefusalAndEntriesComeInOrder) {
  SettingsValues v;
  EXPECT_TRUE(v.Empty());
  EXPECT_EQ(v.Set(SettingKey::kTrack5, "5"), "");
  EXPECT_EQ(v.Set(SettingKey::kApn, "internet"), "");
  EXPECT_NE(v.Set(SettingKey::kApn, "a,b"), "");
  ASSERT_NE(v.Find(SettingKey::kApn), nullptr);
  EXPECT_EQ(*v.Find(SettingKey::kApn), "internet");
  EXPECT_EQ(v.Find(SettingKey::kUssd), nullptr);
  EXPECT_EQ(v.Entries(), (std::vector<std::pair<SettingKey, std::string>>{
                             {SettingKey::kApn, "internet"}, {SettingKey::kTrack5, "5"}}));
  v.Erase(SettingKey::kApn);
  EXPECT_EQ(v.Size(), 1u);
}

TEST(SettingsValues, FromTheUnitsFormAndBackSendsTheSameCommands) {
  const SettingsForm unit = UnitForm();
  std::vector<std::string> leftOut;
  const SettingsValues values = SettingsValuesFromForm(unit, &leftOut);
  EXPECT_TRUE(leftOut.empty());
  EXPECT_EQ(values.Size(), kSettingKeyCount);
  EXPECT_EQ(*values.Find(SettingKey::kApn), " my apn ");
  EXPECT_EQ(*values.Find(SettingKey::kLowPower), "1");
  EXPECT_EQ(*values.Find(SettingKey::kTrack5), "-20");

  SettingsForm other;  // another unit's form, or a cleared one
  ApplySettingsValues(values, other);
  EXPECT_EQ(BuildSettingsCommands(other).commands, BuildSettingsCommands(unit).commands);
}

TEST(SettingsValues, FieldsThatAreNoValueAreLeftOutWithTheirReason) {
  SettingsForm form = UnitForm();
  form.ignitionIndex = -1;
  form.tripStopText = "";  // the unit did not answer
  form.apn = "a,b";
  std::vector<std::string> leftOut;
  const SettingsValues values = SettingsValuesFromForm(form, &leftOut);
  EXPECT_FALSE(values.Has(SettingKey::kIgnition));
  EXPECT_FALSE(values.Has(SettingKey::kTripStopMinutes));
  EXPECT_FALSE(values.Has(SettingKey::kApn));
  EXPECT_EQ(values.Size(), kSettingKeyCount - 3);
  EXPECT_EQ(leftOut,
            (std::vector<std::string>{
                "apn: the value contains a comma, which cannot be sent to the unit",
                "trip_stop_minutes: the value must be a whole number of minutes, not \"\"",
                "ignition: nothing is selected"}));
}

TEST(SettingsValues, ApplyingAPartialSetKeepsTheOtherFields) {
  SettingsValues profile;
  ASSERT_EQ(profile.Set(SettingKey::kApn, "web"), "");
  ASSERT_EQ(profile.Set(SettingKey::kIgnition, "0"), "");
  ASSERT_EQ(profile.Set(SettingKey::kLowPower, "0"), "");
  ASSERT_EQ(profile.Set(SettingKey::kTrack2, "-7"), "");
  SettingsForm form = UnitForm();
  ApplySettingsValues(profile, form);

  SettingsForm expected = UnitForm();
  expected.apn = "web";
  expected.ignitionIndex = 0;
  expected.lowPower = false;
  expected.trackField2 = -7;
  EXPECT_EQ(BuildSettingsCommands(form).commands, BuildSettingsCommands(expected).commands);
  EXPECT_EQ(form.ussdInterval, "24");
  EXPECT_EQ(form.tripStopText, "10");
}

TEST(SettingsValues, DiffListsChangedAndOneSidedKeysInOrder) {
  SettingsValues a, b;
  ASSERT_EQ(a.Set(SettingKey::kUssdInterval, "024"), "");
  ASSERT_EQ(b.Set(SettingKey::kUssdInterval, "24"), "");
  EXPECT_TRUE(DiffSettings(a, b).empty());

  ASSERT_EQ(a.Set(SettingKey::kTrack1, "1"), "");
  ASSERT_EQ(b.Set(SettingKey::kTrack1, "2"), "");
  ASSERT_EQ(b.Set(SettingKey::kApn, ""), "");
  ASSERT_EQ(a.Set(SettingKey::kIgnition, "1"), "");
  EXPECT_EQ(DiffSettings(a, b),
            (std::vector<SettingDifference>{{SettingKey::kApn, std::nullopt, ""},
                                            {SettingKey::kIgnition, "1", std::nullopt},
                                            {SettingKey::kTrack1, "1", "2"}}));
}

// What a unit reported is only what it reported on this connection.
TEST(SettingsValues, FromTheUnitOnlyTheGroupsReadOnThisConnection) {
  UnitSettings unit;
  unit.tripStopText = "x";  // a group not read: neither value nor reason
  unit.trackField1 = 5;
  unit.apn = "fleet";
  unit.apnPassword = "a,b";
  unit.gprsRead = true;
  unit.ignition = 2;
  unit.ignitionRead = true;
  std::vector<std::string> leftOut;
  const SettingsValues values = SettingsValuesFromUnit(unit, &leftOut);
  EXPECT_EQ(values.Entries(), (std::vector<std::pair<SettingKey, std::string>>{
                                  {SettingKey::kApn, "fleet"},
                                  {SettingKey::kApnUser, ""},
                                  {SettingKey::kIgnition, "2"}}));
  EXPECT_EQ(leftOut, (std::vector<std::string>{
                         "apn_password: the value contains a comma, which cannot be sent to "
                         "the unit"}));

  // Every key belongs to the group whose reply carries it.
  for (SettingKey key : AllSettingKeys()) {
    UnitSettings one;
    one.tripStopText = "5";
    one.lowPower = true;
    one.ignition = 1;
    one.ussdInterval = "24";
    switch (SettingKeyGroup(key)) {
      case SettingGroup::Track: one.trackRead = true; break;
      case SettingGroup::LowPower: one.lowPowerRead = true; break;
      case SettingGroup::Ussd: one.ussdRead = true; break;
      case SettingGroup::Gprs: one.gprsRead = true; break;
      case SettingGroup::Ignition: one.ignitionRead = true; break;
    }
    const SettingsValues read = SettingsValuesFromUnit(one);
    EXPECT_TRUE(read.Has(key)) << SettingKeyName(key);
    const SettingsForm form = SettingsFormFromUnit(one);
    EXPECT_EQ(SettingsValuesFromForm(form).Size(), kSettingKeyCount) << SettingKeyName(key);
  }
}

}  // namespace
}  // namespace wr
