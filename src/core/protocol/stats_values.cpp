// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/stats_values.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

#include "protocol/reply_fields.h"

namespace wr {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

// Doubles at or beyond this magnitude round to infinity as a float.
const double kFloatOverflow = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

// The whole-number fields as the status texts read them: one that does not
// read counts as 0 rather than as a stale or unset value.
int32_t ShownInt(std::string_view line, int n) {
  int32_t value = 0;
  if (!ReadsAsInt(ReplyFieldInt(line, n, value))) value = 0;
  return value;
}

// A whole-number field that reads as a number.
std::optional<int32_t> Int(std::string_view line, int n) {
  int32_t value = 0;
  if (ReplyFieldInt(line, n, value) != 1) return std::nullopt;
  return value;
}

template <typename T>
std::optional<T> Within(std::optional<T> value, T min, T max) {
  if (value && (*value < min || *value > max)) return std::nullopt;
  return value;
}

constexpr int32_t kNoLimit = INT32_MAX;

}  // namespace

std::optional<float> ReadVoltage(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const size_t mantissaStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const size_t intDigits = i - mantissaStart;
  size_t fracDigits = 0;
  if (i < text.size() && text[i] == '.') {
    size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) ++j;
    fracDigits = j - i - 1;
    if (intDigits + fracDigits > 0) i = j;
  }
  if (intDigits + fracDigits == 0) return 0.0f;
  const size_t mantissaEnd = i;
  // The exponent counts only when at least one digit follows the e.
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) {
        if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      if (negative) exponent = -exponent;
      i = j;
    }
  }

  // from_chars neither takes a plus sign nor depends on the locale.
  size_t from = start;
  if (text[from] == '+') ++from;
  const bool negative = text[start] == '-';
  double value = 0.0;
  const char* first = text.data() + from;
  const char* last = text.data() + i;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Tell overflow from underflow by the position of the first significant digit.
    long long magnitude = 0;
    bool found = false;
    long long position = static_cast<long long>(intDigits) - 1;
    for (size_t k = mantissaStart; k < mantissaEnd; ++k) {
      if (text[k] == '.') continue;
      if (text[k] != '0') {
        found = true;
        magnitude = position;
        break;
      }
      --position;
    }
    if (!found || magnitude + exponent < 0) return negative ? -0.0f : 0.0f;
    return std::nullopt;
  }
  if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  if (std::fabs(value) >= kFloatOverflow) return std::nullopt;
  return static_cast<float>(value);
}

std::optional<int> BatteryChargePercent(float volts) {
  const double v = volts;
  const double estimate = 10476.0 - 8738.0 * v + 2393.2 * v * v - 214.5 * v * v * v;
  const double truncated = std::trunc(estimate);
  if (!(truncated > -2147483649.0 && truncated < 2147483648.0)) return std::nullopt;
  int percent = static_cast<int>(truncated);
  // The comparisons are made on the single-precision value: a reported 3.3
  // lies just below 3.3 and a reported 4.2 just below 4.2.
  if (std::isnan(volts) || v < 3.3 || percent < 0) percent = 0;
  if (v > 4.2 || percent > 100) percent = 100;
  return percent;
}

std::optional<double> ReadPlainNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

namespace {

StatsFields ReadStatsFields(std::string_view line) {
  StatsFields f;
  f.gpsState = ShownInt(line, 3);
  f.gsmSupplyReading = ReadVoltage(ReplyFieldText(line, 4));
  f.battery = ReplyFieldText(line, 6);
  f.batteryReading = ReadVoltage(f.battery);
  f.supply = ReplyFieldText(line, 7);
  f.signalIndex = ShownInt(line, 8);
  f.gsmState = ShownInt(line, 9);
  f.fix = ShownInt(line, 10);
  f.satellitesVisible = ShownInt(line, 11);
  f.satellitesUsed = ShownInt(line, 12);
  f.hdop = ShownInt(line, 13);
  f.lastMovementS = ShownInt(line, 14);
  f.nextUpdateS = ShownInt(line, 15);
  f.latitude = ReplyFieldText(line, 16);
  f.longitude = ReplyFieldText(line, 17);
  f.tripStatus = ReplyFieldText(line, 18);
  f.speed = ReplyFieldText(line, 19);
  f.time = ReplyFieldText(line, 20);
  f.chargeIndicator = ShownInt(line, 21);
  return f;
}

}  // namespace

StatsValues ReadStatsValues(std::string_view line) {
  StatsValues out;
  out.fields = ReadStatsFields(line);
  const StatsFields& f = out.fields;

  if (const auto index = Within(Int(line, 8), 0, 31)) out.signalDbm = 2 * *index - 113;
  out.nextUpdateS = Int(line, 15);
  out.lastMovementS = Within(Int(line, 14), 0, kNoLimit);

  // A receiver that is off knows no satellites; one without a fix knows no
  // position, precision or speed, whatever the fields still hold.
  const std::optional<int32_t> gpsState = Int(line, 3);
  const bool gpsOn = gpsState && *gpsState >= 1;
  const std::optional<int32_t> fix = Int(line, 10);
  const bool hasFix = gpsOn && fix && (*fix == 2 || *fix == 3);
  if (gpsOn) {
    out.satellitesVisible = Within(Int(line, 11), 0, kNoLimit);
    out.satellitesUsed = Within(Int(line, 12), 0, kNoLimit);
  }
  if (hasFix) {
    out.hdop = Within(Int(line, 13), 0, kNoLimit);
    out.latitude = Within(ReadPlainNumber(f.latitude), -90.0, 90.0);
    out.longitude = Within(ReadPlainNumber(f.longitude), -180.0, 180.0);
    out.speedKmh = Within(ReadPlainNumber(f.speed), 0.0, HUGE_VAL);
  }
  if (!f.time.empty()) out.unitTime = f.time;

  out.supplyVolts = ReadPlainNumber(f.supply);
  out.batteryVolts = ReadPlainNumber(f.battery);
  if (out.batteryVolts && f.batteryReading) out.batteryPercent = BatteryChargePercent(*f.batteryReading);
  return out;
}

}  // namespace wr
