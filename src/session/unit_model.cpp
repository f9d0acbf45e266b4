// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
  if (effect.settings) {
    const SettingGroup group = effect.settings->group;
    for (SettingKey key : AllSettingKeys())
      if (SettingKeyGroup(key) == group)
        settings_.reported[static_cast<size_t>(key)] = effect.settings->values[static_cast<size_t>(key)];
    settings_.read[static_cast<size_t>(group)] = true;
    emit settingsChanged(group);
  }
  if (effect.ussd) {
    ussdAnswer_ = {effect.ussd->caption, effect.ussd->answer};
    emit ussdAnswerChanged();
  }
  if (effect.tripsLine) {
    if (std::optional<TripRecord> trip = ParseTripsLine(*effect.tripsLine)) {
      const int index = trip->index;
      trips_.resize(static_cast<size_t>(index) + 1);
      trips_[static_cast<size_t>(index)] = std::move(*trip);
      emit tripReceived(index);
    }
  }
}

void UnitModel::Clear() {
  statusValues_.reset();
  ussdAnswer_.text.clear();
  // The boxes the Settings tab blanks; the check box, the ignition choice
  // and the retained values stay.
  for (const SettingDescriptor& d : SettingTable())
    if (d.label && d.kind != SettingKind::Flag) settings_.reported[static_cast<size_t>(d.key)].reset();
  trips_.assign(1, std::nullopt);
  // What was blanked, and what the queries that follow will bring again, is
  // no longer what the unit was last seen to hold.
  ForgetReadFlags();
  emit cleared();
}

void UnitModel::ForgetReadFlags() {
  versionRead_ = false;
  settings_.read = {};
}

void UnitModel::ForgetRead(SettingGroup group) { settings_.read[static_cast<size_t>(group)] = false; }

void UnitModel::ResetTrips(bool emptyFirstRow) {
  trips_.resize(1);
  if (emptyFirstRow) trips_[0].reset();
  emit tripsReset(emptyFirstRow);
}

}  // namespace wr
