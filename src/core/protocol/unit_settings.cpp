#include "protocol/unit_settings.h"

#include "protocol/stats_values.h"

namespace wr {
namespace {

// Integers as the unit converts them: "024" and "24" are the same interval.
bool SameNumber(const std::string& a, const std::string& b) {
  if (a == b) return true;
  const auto x = ReadPlainNumber(a);
  const auto y = ReadPlainNumber(b);
  return x && y && *x == *y;
}

bool Matches(SettingGroup group, const SettingsForm& sent, const UnitSettings& after) {
  switch (group) {
    case SettingGroup::Track: {
      int32_t seconds = 0;
      if (ParseTripStopMinutes(sent.tripStopText, seconds) != TripStopParse::Ok) return false;
      return after.tripStopSeconds == seconds && after.trackField1 == sent.trackField1 &&
             after.trackField2 == sent.trackField2 && after.trackField4 == sent.trackField4 &&
             after.trackField5 == sent.trackField5;
    }
    case SettingGroup::LowPower:
      return after.lowPower && *after.lowPower == sent.lowPower;
    case SettingGroup::Ussd:
      return after.ussd == sent.ussd && SameNumber(after.ussdInterval, sent.ussdInterval);
    case SettingGroup::Gprs:
      return after.apn == sent.apn && after.apnUsername == sent.apnUsername &&
             after.apnPassword == sent.apnPassword;
    case SettingGroup::Ignition:
      return after.ignition && *after.ignition == sent.ignitionIndex;
  }
  return false;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string UnitHolds(SettingGroup group, const UnitSettings& s) {
  switch (group) {
    case SettingGroup::Track:
      return s.tripStopText + " minutes";
    case SettingGroup::LowPower:
      return !s.lowPower ? std::string("an unknown value") : *s.lowPower ? "on" : "off";
    case SettingGroup::Ussd:
      return Quoted(s.ussd) + " every " + s.ussdInterval + " hours";
    case SettingGroup::Gprs:
      return "APN " + Quoted(s.apn) + ", user name " + Quoted(s.apnUsername) + ", password " +
             Quoted(s.apnPassword);
    case SettingGroup::Ignition: {
      static const char* const kModes[] = {"Disabled", "Smart detection", "Voltage on Input1"};
      if (!s.ignition) return "an unknown value";
      if (*s.ignition >= 0 && *s.ignition < 3) return kModes[*s.ignition];
      return std::to_string(*s.ignition);
    }
  }
  return {};
}

}  // namespace

bool UnitSettings::Read(SettingGroup group) const {
  switch (group) {
    case SettingGroup::Track: return trackRead;
    case SettingGroup::LowPower: return lowPowerRead;
    case SettingGroup::Ussd: return ussdRead;
    case SettingGroup::Gprs: return gprsRead;
    case SettingGroup::Ignition: return ignitionRead;
  }
  return false;
}

std::string SettingGroupName(SettingGroup group) {
  switch (group) {
    case SettingGroup::Track: return "Time stationary before ending trip";
    case SettingGroup::LowPower: return "Low power mode";
    case SettingGroup::Ussd: return "Airtime USSD String and Query Interval (hours)";
    case SettingGroup::Gprs: return "GPRS APN, Username and Password";
    case SettingGroup::Ignition: return "Ignition detection";
  }
  return {};
}

std::vector<SettingProblem> CheckSavedSettings(const SettingsForm& sent,
                                               const std::vector<SetAnswer>& answers,
                                               const UnitSettings& after) {
  static const SettingGroup kOrder[] = {SettingGroup::Track, SettingGroup::LowPower,
                                        SettingGroup::Ussd, SettingGroup::Gprs,
                                        SettingGroup::Ignition};
  std::vector<SettingProblem> problems;
  for (size_t i = 0; i < 5; ++i) {
    const SettingGroup group = kOrder[i];
    const SetAnswer answer = i < answers.size() ? answers[i] : SetAnswer::None;
    if (answer == SetAnswer::Error) {
      problems.push_back({group, SettingProblem::Kind::Refused});
    } else if (answer == SetAnswer::NotSent) {
      problems.push_back({group, SettingProblem::Kind::NotSent});
    } else if (!after.Read(group)) {
      problems.push_back({group, SettingProblem::Kind::NotReadBack});
    } else if (!Matches(group, sent, after)) {
      problems.push_back({group, answer == SetAnswer::None ? SettingProblem::Kind::NoAnswer
                                                           : SettingProblem::Kind::Differs});
    }
  }
  return problems;
}

std::string DescribeSaveProblems(const std::vector<SettingProblem>& problems,
                                 const UnitSettings& after) {
  if (problems.empty()) return {};
  std::string text = "The unit did not take every setting:";
  for (const SettingProblem& p : problems) {
    text += "\n- " + SettingGroupName(p.group) + ": ";
    switch (p.kind) {
      case SettingProblem::Kind::Refused:
        text += "refused by the unit";
        break;
      case SettingProblem::Kind::NoAnswer:
        text += "the unit did not answer";
        break;
      case SettingProblem::Kind::Differs:
        text += "the unit reads back another value";
        break;
      case SettingProblem::Kind::NotReadBack:
        text += "could not be read back; check it on the unit";
        break;
      case SettingProblem::Kind::NotSent:
        text += "could not be sent to the unit";
        break;
    }
    // What the unit holds is known only when it was read back.
    if (p.kind != SettingProblem::Kind::NotReadBack && after.Read(p.group))
      text += ". The unit holds " + UnitHolds(p.group, after) + ".";
    else
      text += ".";
  }
  return text;
}

}  // namespace wr
