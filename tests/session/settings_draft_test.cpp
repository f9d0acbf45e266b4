// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/settings_draft.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace wr {
namespace {

using Mark = SettingsDraft::Mark;
using K = SettingKey;

// The unit's replies as their fields carry them (the trip-stop time in
// seconds), every group read.
UnitSettings Unit(const std::map<K, std::string>& changes = {}) {
  UnitSettings s;
  std::map<K, std::string> fields = {
      {K::kUssd, "*141#"},   {K::kUssdInterval, "24"}, {K::kApn, "internet"}, {K::kApnUser, ""},
      {K::kApnPassword, ""}, {K::kTripStopMinutes, "180"}, {K::kLowPower, "1"}, {K::kIgnition, "1"},
      {K::kTrack1, "21600"}, {K::kTrack2, "30"},       {K::kTrack4, "10000"}, {K::kTrack5, "20"}};
  for (const auto& [key, value] : changes) fields[key] = value;
  for (const auto& [key, value] : fields) s.reported[static_cast<size_t>(key)] = value;
  s.read.fill(true);
  return s;
}

// A draft filled from the unit, as after connecting.
SettingsDraft Filled(const UnitSettings& unit = Unit()) {
  SettingsDraft draft;
  for (const SettingGroupDescriptor& g : SettingGroupTable()) draft.UnitReported(unit, g.group);
  return draft;
}

SettingProblem Problem(SettingGroup group, SettingProblem::Kind kind) { return {group, kind}; }

struct Shown {
  std::string text;
  Mark mark;
  std::string reason = {};
};

struct Case {
  const char* name;
  std::function<void(SettingsDraft&)> act;
  std::map<K, Shown> expected;  // fields not named show the unit's values, unmarked
  std::vector<K> edited = {};   // EditedKeys afterwards
};

TEST(SettingsDraft, WhatEachFieldShowsAndHowItIsMarked) {
  const std::map<K, std::string> unitShows = {
      {K::kUssd, "*141#"},   {K::kUssdInterval, "24"},  {K::kApn, "internet"}, {K::kApnUser, ""},
      {K::kApnPassword, ""}, {K::kTripStopMinutes, "3"}, {K::kLowPower, "1"}};
  const Case cases[] = {
      {"typed values are edits; typed back to the unit's value ('024' is 24) is none",
       [](SettingsDraft& d) {
         d.Edit(K::kApn, "fleet");
         d.Edit(K::kLowPower, "0");
         d.Edit(K::kUssdInterval, "024");
       },
       {{K::kApn, {"fleet", Mark::Edited}}, {K::kLowPower, {"0", Mark::Edited}},
        {K::kUssdInterval, {"024", Mark::None}}},
       {K::kApn, K::kLowPower}},
      {"a value the check refuses stays, with the check's reason",
       [](SettingsDraft& d) {
         d.Edit(K::kUssdInterval, "abc");
         d.Edit(K::kApn, "in,ternet");
       },
       {{K::kUssdInterval, {"abc", Mark::Invalid, "'abc' is not a valid integer value"}},
        {K::kApn, {"in,ternet", Mark::Invalid,
                   "the value contains a comma, which cannot be sent to the unit"}}},
       {K::kUssdInterval, K::kApn}},
      {"a reply fills the fields not edited and leaves the edited ones",
       [](SettingsDraft& d) {
         d.Edit(K::kApn, "fleet");
         const UnitSettings other = Unit({{K::kApn, "other"}, {K::kApnUser, "someone"}});
         d.UnitReported(other, SettingGroup::Gprs);
       },
       {{K::kApn, {"fleet", Mark::Edited}}, {K::kApnUser, {"someone", Mark::None}}},
       {K::kApn}},
      {"the unit refuses the GPRS set: user name and password typed stay, marked",
       [](SettingsDraft& d) {
         d.Edit(K::kApn, "fleet");
         d.Edit(K::kApnUser, "user");
         d.Edit(K::kApnPassword, "pw");
         d.Edit(K::kUssdInterval, "012");
         d.SaveStarted();
         // The read-back arrives while the save runs: nothing sent is replaced yet.
         const UnitSettings after = Unit({{K::kUssdInterval, "12"}});
         for (const SettingGroupDescriptor& g : SettingGroupTable()) d.UnitReported(after, g.group);
         EXPECT_EQ(d.Text(K::kUssdInterval), "012");
         d.SaveFinished({Problem(SettingGroup::Gprs, SettingProblem::Kind::Refused)}, after);
       },
       {{K::kApn, {"fleet", Mark::NotTaken,
                   "Not saved: refused by the unit. The unit holds internet."}},
        {K::kApnUser, {"user", Mark::NotTaken,
                       "Not saved: refused by the unit. The unit holds (empty)."}},
        {K::kApnPassword, {"pw", Mark::NotTaken, "Not saved: refused by the unit."}},
        {K::kUssdInterval, {"12", Mark::None}}},
       {K::kApn, K::kApnUser, K::kApnPassword}},
      {"read back otherwise, or not at all: kept and marked; a field not edited shows the unit",
       [](SettingsDraft& d) {
         d.Edit(K::kTripStopMinutes, "7");
         d.Edit(K::kUssd, "*100#");
         d.SaveStarted();
         const UnitSettings after = Unit({{K::kTripStopMinutes, "360"}, {K::kUssdInterval, "48"}});
         d.SaveFinished({Problem(SettingGroup::Track, SettingProblem::Kind::Differs),
                         Problem(SettingGroup::Ussd, SettingProblem::Kind::NotReadBack)},
                        after);
       },
       {{K::kTripStopMinutes, {"7", Mark::NotTaken,
                               "Not saved: the unit reads back another value. The unit holds 6."}},
        {K::kUssd, {"*100#", Mark::NotTaken,
                    "Not saved: could not be read back; check it on the unit."}},
        {K::kUssdInterval, {"48", Mark::None}}},
       {K::kUssd, K::kTripStopMinutes}},
      {"changed while the save ran: not sent, stays an edit; typed again, the mark goes",
       [](SettingsDraft& d) {
         d.Edit(K::kApn, "fleet");
         d.Edit(K::kApnUser, "user");
         d.SaveStarted();
         d.Edit(K::kApn, "late");
         d.SaveFinished({Problem(SettingGroup::Gprs, SettingProblem::Kind::NoAnswer)}, Unit());
         d.Edit(K::kApnUser, "user2");
       },
       {{K::kApn, {"late", Mark::Edited}}, {K::kApnUser, {"user2", Mark::Edited}}},
       {K::kApn, K::kApnUser}},
      {"a save that sent nothing leaves every field as it was, and shows replies left for it",
       [](SettingsDraft& d) {
         d.Edit(K::kApn, "fleet");
         d.SaveStarted();
         d.UnitReported(Unit({{K::kUssd, "*111#"}}), SettingGroup::Ussd);
         d.SaveAbandoned();
       },
       {{K::kApn, {"fleet", Mark::Edited}}, {K::kUssd, {"*111#", Mark::None}}},
       {K::kApn}},
      {"revert: the unit's values, no marks, no values waiting",
       [](SettingsDraft& d) {
         d.Edit(K::kApn, "fleet");
         d.Edit(K::kUssdInterval, "abc");
         SettingsValues profile;
         profile.Set(K::kIgnition, "2");
         d.TakeValues(profile);
         d.Revert();
       },
       {}},
      {"the unit read afresh: fields not edited are blanked, a flag and the edits stay",
       [](SettingsDraft& d) {
         d.Edit(K::kApn, "fleet");
         UnitSettings cleared = Unit();
         cleared.read = {};
         for (K key : {K::kUssd, K::kUssdInterval, K::kApn, K::kApnUser, K::kApnPassword,
                       K::kTripStopMinutes})
           cleared.reported[static_cast<size_t>(key)].reset();
         d.UnitCleared(cleared);
       },
       {{K::kApn, {"fleet", Mark::Edited}}, {K::kUssd, {"", Mark::None}},
        {K::kUssdInterval, {"", Mark::None}}, {K::kApnUser, {"", Mark::None}},
        {K::kApnPassword, {"", Mark::None}}, {K::kTripStopMinutes, {"", Mark::None}}},
       {K::kApn}},
      {"profile values: into their fields, or waiting when they have none; the unit's own no edit",
       [](SettingsDraft& d) {
         SettingsValues profile;
         profile.Set(K::kApn, "fleet");
         profile.Set(K::kIgnition, "2");
         profile.Set(K::kTrack1, "21600");
         d.TakeValues(profile);
         EXPECT_EQ(d.Pending().Size(), 1u);
         d.UnitReported(Unit({{K::kIgnition, "2"}}), SettingGroup::Ignition);
         EXPECT_TRUE(d.Pending().Empty());
       },
       {{K::kApn, {"fleet", Mark::Edited}}},
       {K::kApn}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsDraft d = Filled();
    c.act(d);
    for (const auto& [key, unitText] : unitShows) {
      SCOPED_TRACE(std::string(SettingKeyName(key)));
      const auto it = c.expected.find(key);
      const Shown want = it != c.expected.end() ? it->second : Shown{unitText, Mark::None};
      EXPECT_EQ(d.Text(key), want.text);
      EXPECT_EQ(d.MarkOf(key), want.mark);
      EXPECT_EQ(d.Reason(key).English(), want.reason);
    }
    EXPECT_EQ(d.EditedKeys(), c.edited);
    EXPECT_EQ(d.HasEdits(), !c.edited.empty());
  }
}

// Save's check marks every field it refuses, typed or not, and refuses with
// the first one's message; a reply with a valid value takes the mark away.
TEST(SettingsDraft, CheckMarksEveryRefusedField) {
  SettingsDraft d = Filled();
  d.Edit(K::kUssdInterval, "abc");
  UnitSettings cleared = Unit();
  cleared.reported[static_cast<size_t>(K::kTripStopMinutes)].reset();
  cleared.read = {};
  d.UnitCleared(cleared);
  const SettingsCheck check = d.Check();
  EXPECT_FALSE(check.Ok());
  EXPECT_EQ(check.refusedKey, K::kUssdInterval);
  EXPECT_EQ(d.MarkOf(K::kUssdInterval), Mark::Invalid);
  EXPECT_EQ(d.MarkOf(K::kTripStopMinutes), Mark::Invalid);
  EXPECT_EQ(d.Reason(K::kTripStopMinutes).English(), "the value is empty");
  EXPECT_FALSE(d.IsEdited(K::kTripStopMinutes));

  d.UnitReported(Unit(), SettingGroup::Track);
  EXPECT_EQ(d.Text(K::kTripStopMinutes), "3");
  EXPECT_EQ(d.MarkOf(K::kTripStopMinutes), Mark::None);

  d.Edit(K::kUssdInterval, "48");
  const SettingsCheck ok = d.Check();
  ASSERT_TRUE(ok.Ok());
  ASSERT_NE(ok.values.Find(K::kUssdInterval), nullptr);
  EXPECT_EQ(*ok.values.Find(K::kUssdInterval), "48");
  EXPECT_EQ(d.MarkOf(K::kUssdInterval), Mark::Edited);
}

}  // namespace
}  // namespace wr
