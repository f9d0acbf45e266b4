// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The values of one "+STATS," reply, read once: the numbers for charts and
// machine-readable output, and the fields the status texts are made of.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wr {

// The fields the status texts are made of, read as those texts have always
// read them: a whole-number field that is missing or not a number counts as
// 0, a text field is kept as sent (without its quotes; empty when missing),
// and the two voltages the unit checks are read with ReadVoltage.
struct StatsFields {
  int32_t gpsState = 0;                    // field 3: 1 or more, the receiver is on
  std::optional<float> gsmSupplyReading;   // field 4, by ReadVoltage
  std::string battery;                     // field 6
  std::optional<float> batteryReading;     // field 6, by ReadVoltage
  std::string supply;                      // field 7
  int32_t signalIndex = 0;                 // field 8: dBm = 2 x index - 113
  int32_t gsmState = 0;                    // field 9: 0 to 12
  int32_t fix = 0;                         // field 10: 2 or 3 for a fix
  int32_t satellitesVisible = 0;           // field 11
  int32_t satellitesUsed = 0;              // field 12
  int32_t hdop = 0;                        // field 13
  int32_t lastMovementS = 0;               // field 14
  int32_t nextUpdateS = 0;                 // field 15
  std::string latitude, longitude;         // fields 16, 17
  std::string tripStatus;                  // field 18
  std::string speed;                       // field 19
  std::string time;                        // field 20: hhmmss
  int32_t chargeIndicator = 0;             // field 21: 0 while the battery charges
};

// A number is absent when the unit did not tell it: its field is missing,
// empty or not a number, or it lies outside what the field can mean.
struct StatsValues {
  // The signal index runs from 0 (-113 dBm or less) to 31 (-51 dBm or more);
  // 99, or any other index, means the unit does not know.
  std::optional<int> signalDbm;
  // Seconds to the next update; below 0 when it is overdue.
  std::optional<int> nextUpdateS;
  // Only with a fix, in degrees (-90 to 90, -180 to 180).
  std::optional<double> latitude, longitude;
  // Only with the receiver on; never below 0.
  std::optional<int> satellitesUsed, satellitesVisible;
  // Only with a fix; never below 0 (HDOP as the unit gives it, speed in km/h).
  std::optional<int> hdop;
  std::optional<double> speedKmh;
  // Seconds since the unit last moved; never below 0.
  std::optional<int> lastMovementS;
  // The unit's time of day as it sends it (hhmmss), absent when empty.
  std::optional<std::string> unitTime;
  // The vehicle supply and the backup battery, in volts; the battery's
  // charge estimate (BatteryChargePercent) comes with its voltage.
  std::optional<double> supplyVolts;
  std::optional<double> batteryVolts;
  std::optional<int> batteryPercent;

  StatsFields fields;
};

// Never fails: a line that is not a status reply, or is cut short, gives
// absent numbers and empty or zero fields.
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
