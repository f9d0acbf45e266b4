#include "session/unit_model.h"

namespace wr {

UnitModel::UnitModel(QObject* parent) : QObject(parent) {}

StatsTexts UnitModel::StatusTexts() const {
  return statusValues_ ? FormatStatsLine(*statusValues_) : StatsTexts();
}

std::vector<TripRecord> UnitModel::Trips() const {
  std::vector<TripRecord> out;
  for (const auto& row : trips_)
    if (row) out.push_back(*row);
  return out;
}

void UnitModel::Apply(const ReplyEffect& effect) {
  if (effect.version) {
    version_ = *effect.version;
    versionRead_ = true;
    emit firmwareVersionChanged();
  }
  if (effect.deviceId) {
    deviceId_ = *effect.deviceId;
    emit deviceIdChanged();
  }
  if (effect.stats) {
    statusValues_ = effect.stats;
    emit statusChanged();
  }
  if (effect.track) {
    settings_.tripStopText = effect.track->tripStopText;
    settings_.tripStopSeconds = effect.track->field3;
    settings_.trackField1 = effect.track->field1;
    settings_.trackField2 = effect.track->field2;
    settings_.trackField4 = effect.track->field4;
    settings_.trackField5 = effect.track->field5;
    settings_.trackRead = true;
    emit settingsChanged(SettingGroup::Track);
  }
  if (effect.lowPower) {
    settings_.lowPower = *effect.lowPower;
    settings_.lowPowerRead = true;
    emit settingsChanged(SettingGroup::LowPower);
  }
  if (effect.ussd) {
    settings_.ussd = effect.ussd->query;
    settings_.ussdInterval = std::to_string(effect.ussd->interval);
    settings_.ussdRead = true;
    ussdAnswer_ = {effect.ussd->caption, effect.ussd->answer};
    emit settingsChanged(SettingGroup::Ussd);
    emit ussdAnswerChanged();
  }
  if (effect.gprs) {
    settings_.apn = effect.gprs->apn;
    settings_.apnUsername = effect.gprs->username;
    settings_.apnPassword = effect.gprs->password;
    settings_.gprsRead = true;
    emit settingsChanged(SettingGroup::Gprs);
  }
  if (effect.tripsLine) {
    if (std::optional<TripRecord> trip = ParseTripsLine(*effect.tripsLine)) {
      const int index = trip->index;
      trips_.resize(static_cast<size_t>(index) + 1);
      trips_[static_cast<size_t>(index)] = std::move(*trip);
      emit tripReceived(index);
    }
  }
  if (effect.ignitionIndex) {
    settings_.ignition = *effect.ignitionIndex;
    settings_.ignitionRead = true;
    emit settingsChanged(SettingGroup::Ignition);
  }
}

void UnitModel::Clear() {
  statusValues_.reset();
  ussdAnswer_.text.clear();
  settings_.tripStopText.clear();
  settings_.ussd.clear();
  settings_.ussdInterval.clear();
  settings_.apn.clear();
  settings_.apnUsername.clear();
  settings_.apnPassword.clear();
  trips_.assign(1, std::nullopt);
  // What was blanked, and what the queries that follow will bring again, is
  // no longer what the unit was last seen to hold.
  ForgetReadFlags();
  emit cleared();
}

void UnitModel::ForgetReadFlags() {
  versionRead_ = false;
  settings_.trackRead = false;
  settings_.lowPowerRead = false;
  settings_.ussdRead = false;
  settings_.gprsRead = false;
  settings_.ignitionRead = false;
}

void UnitModel::ForgetRead(SettingGroup group) {
  switch (group) {
    case SettingGroup::Track: settings_.trackRead = false; break;
    case SettingGroup::LowPower: settings_.lowPowerRead = false; break;
    case SettingGroup::Ussd: settings_.ussdRead = false; break;
    case SettingGroup::Gprs: settings_.gprsRead = false; break;
    case SettingGroup::Ignition: settings_.ignitionRead = false; break;
  }
}

void UnitModel::ResetTrips(bool emptyFirstRow) {
  trips_.resize(1);
  if (emptyFirstRow) trips_[0].reset();
  emit tripsReset(emptyFirstRow);
}

}  // namespace wr
