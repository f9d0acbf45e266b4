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
