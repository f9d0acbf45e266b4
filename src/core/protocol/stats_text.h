#pragma once
// The Status-tab texts of one "+STATS," reply.
#include <optional>
#include <string>
#include <string_view>

namespace wr {

// Every Status-tab text that one "+STATS," line yields, ready to be set into
// the control named in the comment. A "+STATS," line always rewrites all of them.
struct StatsTexts {
  std::string gsmStatus,      // edt_GSM_status
      gsmSignal,              // edt_GSM_signal
      nextGsmUpdate,          // edt_next_gsm_update
      coordinates,            // edt_coordinates
      gpsSignal,              // edt_GPS_signal
      movement,               // edt_movement
      tripStatus,             // edtTripStatus
      speed,                  // edtSpeed
      time,                   // edtTime
      voltExternal,           // edt_volt_external
      voltBattery;            // edt_volt_battery
};

StatsTexts FormatStatsLine(std::string_view line);

// The numbers of one "+STATS," line, for charts and machine-readable output.
// A value is absent when its field is missing or is not a plain number.
struct StatsValues {
  std::optional<double> supplyVolts;      // field 7
  std::optional<double> batteryVolts;     // field 6
  std::optional<int> batteryPercent;      // from field 6, as the Status tab shows it
  bool charging = false;                  // field 21 is 0
  std::optional<int> signalDbm;           // 2 x field 8 - 113
  std::optional<int> gsmState;            // field 9
  bool gpsOn = false;                     // field 3 is 1 or more
  std::optional<int> fix;                 // field 10: 2 or 3 for a fix
  std::optional<int> satellitesUsed;      // field 12
  std::optional<int> satellitesInView;    // field 11
  std::optional<double> speedKmh;         // field 19
  std::optional<double> latitude;         // field 16
  std::optional<double> longitude;        // field 17
};

StatsValues ReadStatsValues(std::string_view line);

// The whole text as a decimal number (blanks around it allowed); empty when
// it is anything else. Locale-free.
std::optional<double> ReadPlainNumber(std::string_view text);

// The unit's voltage reading: the longest leading decimal number of the text
// (blanks skipped, optional sign, digits with an optional point, optional
// exponent; no hexadecimal, no inf or nan), held in single precision. Text
// without a number reads as 0. Empty when the value lies beyond single
// precision, which the battery display treats as an arithmetic fault.
std::optional<float> ReadVoltage(std::string_view text);

// Backup-battery charge estimate in percent (0 to 100) for a voltage. Empty
// when the estimate cannot be computed as an integer.
std::optional<int> BatteryChargePercent(float volts);

}  // namespace wr
