// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/stats_text.h"

#include <QCoreApplication>

#include <cstdint>
#include <iterator>
#include <optional>

#include "session/unit_text.h"

namespace wr {
namespace {

// The texts' translation context is "StatsTexts".
class Maker {
  Q_DECLARE_TR_FUNCTIONS(StatsTexts)

 public:
  static StatsTexts Texts(const StatsValues& values);

 private:
  static QString GsmStateText(int32_t state);
  static QString SignalRating(int64_t dbm);
  static QString SecondsOrMinutes(int32_t seconds, const char* secondsText, const char* minutesText);
};

QString Maker::GsmStateText(int32_t state) {
  static const char* const kStates[] = {
      QT_TRANSLATE_NOOP("StatsTexts", "Modem switched off"),
      QT_TRANSLATE_NOOP("StatsTexts", "Not registered, searching for network..."),
      QT_TRANSLATE_NOOP("StatsTexts", "Registration Denied"),
      QT_TRANSLATE_NOOP("StatsTexts", "No SIMcard detected"),
      QT_TRANSLATE_NOOP("StatsTexts", "PIN on SIMcard"),
      QT_TRANSLATE_NOOP("StatsTexts", "SIMcard PUK locked"),
      QT_TRANSLATE_NOOP("StatsTexts", "Registered"),
      QT_TRANSLATE_NOOP("StatsTexts", "Making a call"),
      QT_TRANSLATE_NOOP("StatsTexts", "Ringing"),
      QT_TRANSLATE_NOOP("StatsTexts", "Talking"),
      QT_TRANSLATE_NOOP("StatsTexts", "Call terminated"),
      QT_TRANSLATE_NOOP("StatsTexts", "Sending an SMS"),
      QT_TRANSLATE_NOOP("StatsTexts", "Incoming call"),
  };
  if (state >= 0 && state < static_cast<int32_t>(std::size(kStates))) return tr(kStates[state]);
  return tr("unknown");
}

QString Maker::SignalRating(int64_t dbm) {
  if (dbm < -106) return tr("(Very Weak)");
  if (dbm <= -101) return tr("(Weak)");
  if (dbm <= -91) return tr("(Average)");
  if (dbm <= -81) return tr("(Good)");
  if (dbm <= -71) return tr("(Very Strong)");
  return QString();
}

// Below two minutes an age is shown in seconds, from then on in whole minutes.
QString Maker::SecondsOrMinutes(int32_t seconds, const char* secondsText, const char* minutesText) {
  if (seconds < 120) return tr(secondsText).arg(seconds);
  return tr(minutesText).arg(seconds / 60);
}

StatsTexts Maker::Texts(const StatsValues& values) {
  const StatsFields& f = values.fields;
  StatsTexts out;

  // A battery or supply reading beyond single precision, or a charge that
  // cannot be estimated, leaves the battery without a percentage and the
  // GSM state without a supply warning.
  const QString battery = FromBytes(f.battery);
  std::optional<int> percent;
  if (f.batteryReading && f.gsmSupplyReading) percent = BatteryChargePercent(*f.batteryReading);
  if (percent) {
    out.voltBattery = (f.chargeIndicator == 0 ? tr("%1 V (%2%) Charging") : tr("%1 V (%2%)"))
                          .arg(battery, QString::number(*percent));
  } else {
    out.voltBattery = tr("%1 V").arg(battery);
  }
  out.voltExternal = tr("%1 V").arg(FromBytes(f.supply));

  // Widened so that an absurd index cannot overflow.
  const int64_t dbm = 2 * static_cast<int64_t>(f.signalIndex) - 113;
  out.gsmSignal = tr("%1 dBm %2").arg(QString::number(dbm), SignalRating(dbm));

  out.gsmStatus = GsmStateText(f.gsmState);
  if (percent && static_cast<double>(*f.gsmSupplyReading) > 4.8)
    out.gsmStatus = tr("%1 - Warning: Supply voltage too high!").arg(out.gsmStatus);

  if (f.gpsState >= 1) {
    const char* text = f.fix == 2   ? QT_TRANSLATE_NOOP("StatsTexts", "2D Fix (%1/%2 satellites, HDOP=%3)")
                       : f.fix == 3 ? QT_TRANSLATE_NOOP("StatsTexts", "3D Fix (%1/%2 satellites, HDOP=%3)")
                                    : QT_TRANSLATE_NOOP("StatsTexts", "No Fix (%1/%2 satellites, HDOP=%3)");
    out.gpsSignal = tr(text).arg(QString::number(f.satellitesUsed), QString::number(f.satellitesVisible),
                                 QString::number(f.hdop));
  } else {
    out.gpsSignal = tr("Switched Off");
  }

  out.movement = SecondsOrMinutes(f.lastMovementS, QT_TRANSLATE_NOOP("StatsTexts", "%1 seconds ago"),
                                  QT_TRANSLATE_NOOP("StatsTexts", "%1 minutes ago"));
  out.nextGsmUpdate = SecondsOrMinutes(f.nextUpdateS, QT_TRANSLATE_NOOP("StatsTexts", "%1 seconds"),
                                       QT_TRANSLATE_NOOP("StatsTexts", "%1 minutes"));
  out.coordinates = FromBytes(f.latitude + " " + f.longitude);
  out.tripStatus = FromBytes(f.tripStatus);
  out.speed = tr("%1 km/h").arg(FromBytes(f.speed));
  if (f.time.size() == 6)
    out.time = FromBytes(f.time.substr(0, 2) + ":" + f.time.substr(2, 2) + ":" + f.time.substr(4, 2));
  return out;
}

}  // namespace

StatsTexts FormatStatsLine(const StatsValues& values) { return Maker::Texts(values); }

StatsTexts FormatStatsLine(std::string_view line) { return FormatStatsLine(ReadStatsValues(line)); }

}  // namespace wr
