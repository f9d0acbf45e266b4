// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the unit last reported, as the rest of the program sees it: identity,
// live status, settings, trips. Filled from the reply interpretation of every
// line, with a signal for each kind of change; windows and the command-line
// tool read it, nothing but the session writes it.
#include <QObject>

#include <optional>
#include <string>
#include <vector>

#include "protocol/reply_dispatch.h"
#include "protocol/settings_commands.h"
#include "protocol/stats_values.h"
#include "protocol/trip_record.h"
#include "protocol/unit_settings.h"
#include "session/stats_text.h"

namespace wr {

// The last USSD answer the unit passed on, with its caption.
struct UssdAnswer {
  Message caption = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "USSD received"));
  std::string text;
};

class UnitModel : public QObject {
  Q_OBJECT
 public:
  // Which reply changed the settings.
  using SettingGroup = wr::SettingGroup;

  explicit UnitModel(QObject* parent = nullptr);

  const std::string& FirmwareVersion() const { return version_; }
  // Whether the version was reported on this connection.
  bool FirmwareVersionRead() const { return versionRead_; }
  const std::string& DeviceId() const { return deviceId_; }
  // The values of the latest "+STATS," line (none before one and after a
  // clear), and the status texts made from them (then all empty).
  const std::optional<StatsValues>& StatusValues() const { return statusValues_; }
  StatsTexts StatusTexts() const;
  const UssdAnswer& LastUssdAnswer() const { return ussdAnswer_; }
  const UnitSettings& Settings() const { return settings_; }
  // The trip rows below the grid's heading row: entry i is row i + 1. The
  // list follows the index of the latest trip line, as the grid does; an
  // entry without a trip is a row that shows nothing.
  const std::vector<std::optional<TripRecord>>& TripRows() const { return trips_; }
  // The trips the rows hold, in row order.
  std::vector<TripRecord> Trips() const;

  // ---- written by the session

  // Applies what one reply line says.
  void Apply(const ReplyEffect& effect);
  // Blanks what the window blanks before it queries the unit again: the
  // status, the settings texts, the USSD answer and the trips (one empty
  // row). Version, device id, low power and ignition stay.
  void Clear();
  // A new connection: nothing counts as read on it yet.
  void ForgetReadFlags();
  // The settings of these groups must be read again before they count.
  void ForgetRead(SettingGroup group);
  // Back to the heading row and one row; that row is emptied when asked.
  void ResetTrips(bool emptyFirstRow);

 signals:
  void firmwareVersionChanged();
  void deviceIdChanged();
  void statusChanged();
  void ussdAnswerChanged();
  void settingsChanged(wr::SettingGroup group);
  // Row index + 1 of the grid now holds this trip; the rows after it are gone.
  void tripReceived(int index);
  void tripsReset(bool firstRowEmptied);
  // After Clear().
  void cleared();

 private:
  std::string version_;
  bool versionRead_ = false;
  std::string deviceId_;
  std::optional<StatsValues> statusValues_;
  UssdAnswer ussdAnswer_;
  UnitSettings settings_;
  std::vector<std::optional<TripRecord>> trips_{1};
};

}  // namespace wr
