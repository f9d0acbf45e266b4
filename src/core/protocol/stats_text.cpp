#include "protocol/stats_text.h"

#include <charconv>
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

// The status fields are used whether or not they read; one that does not
// read shows as 0 rather than as a stale or unset value.
int32_t IntField(std::string_view line, int n) {
  int32_t value = 0;
  if (!ReadsAsInt(ReplyFieldInt(line, n, value))) value = 0;
  return value;
}

std::string GsmStateText(int32_t state) {
  static const char* const kStates[] = {
      "Modem switched off",
      "Not registered, searching for network...",
      "Registration Denied",
      "No SIMcard detected",
      "PIN on SIMcard",
      "SIMcard PUK locked",
      "Registered",
      "Making a call",
      "Ringing",
      "Talking",
      "Call terminated",
      "Sending an SMS",
      "Incoming call",
  };
  if (state >= 0 && state < static_cast<int32_t>(sizeof kStates / sizeof kStates[0])) return kStates[state];
  return "unknown";
}

const char* SignalRating(int64_t dbm) {
  if (dbm < -106) return "(Very Weak)";
  if (dbm <= -101) return "(Weak)";
  if (dbm <= -91) return "(Average)";
  if (dbm <= -81) return "(Good)";
  if (dbm <= -71) return "(Very Strong)";
  return "";
}

// Below two minutes the age is shown in seconds, from then on in whole minutes.
std::string SecondsOrMinutes(int32_t seconds, const char* secondsText, const char* minutesText) {
  if (seconds < 120) return std::to_string(seconds) + secondsText;
  return std::to_string(seconds / 60) + minutesText;
}

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

StatsTexts FormatStatsLine(std::string_view line) {
  StatsTexts out;
  const int32_t gpsState = IntField(line, 3);

  // Battery. An unusable voltage leaves the reading without a percentage and,
  // since the supply voltage is then unknown, without a supply warning.
  const std::string battery = ReplyFieldText(line, 6);
  bool supplyTooHigh = false;
  bool batteryDone = false;
  if (const auto vb = ReadVoltage(battery)) {
    if (const auto vg = ReadVoltage(ReplyFieldText(line, 4))) {
      const int32_t charge = IntField(line, 21);
      if (const auto percent = BatteryChargePercent(*vb)) {
        supplyTooHigh = static_cast<double>(*vg) > 4.8;
        out.voltBattery = battery + " V (" + std::to_string(*percent) + (charge == 0 ? "%) Charging" : "%)");
        batteryDone = true;
      }
    }
  }
  if (!batteryDone) out.voltBattery = battery + " V";

  out.voltExternal = ReplyFieldText(line, 7) + " V";

  // Widened so that an absurd index cannot overflow.
  const int64_t dbm = 2 * static_cast<int64_t>(IntField(line, 8)) - 113;
  out.gsmSignal = std::to_string(dbm) + " dBm " + SignalRating(dbm);

  out.gsmStatus = GsmStateText(IntField(line, 9));
  if (supplyTooHigh) out.gsmStatus += " - Warning: Supply voltage too high!";

  const int32_t fix = IntField(line, 10);
  const int32_t inView = IntField(line, 11);
  const int32_t used = IntField(line, 12);
  const int32_t hdop = IntField(line, 13);
  if (gpsState >= 1) {
    const char* fixText = fix == 2 ? "2D Fix " : fix == 3 ? "3D Fix " : "No Fix ";
    out.gpsSignal = std::string(fixText) + "(" + std::to_string(used) + "/" + std::to_string(inView) +
                    " satellites, HDOP=" + std::to_string(hdop) + ")";
  } else {
    out.gpsSignal = "Switched Off";
  }

  out.movement = SecondsOrMinutes(IntField(line, 14), " seconds ago", " minutes ago");
  out.nextGsmUpdate = SecondsOrMinutes(IntField(line, 15), " seconds", " minutes");
  out.coordinates = ReplyFieldText(line, 16) + " " + ReplyFieldText(line, 17);
  out.tripStatus = ReplyFieldText(line, 18);
  out.speed = ReplyFieldText(line, 19) + " km/h";

  const std::string time = ReplyFieldText(line, 20);
  if (time.size() == 6) out.time = time.substr(0, 2) + ":" + time.substr(2, 2) + ":" + time.substr(4, 2);
  return out;
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

StatsValues ReadStatsValues(std::string_view line) {
  StatsValues out;
  auto integer = [&line](int n) -> std::optional<int> {
    int32_t value = 0;
    if (ReplyFieldInt(line, n, value) != 1) return std::nullopt;
    return value;
  };
  out.supplyVolts = ReadPlainNumber(ReplyFieldText(line, 7));
  const std::string battery = ReplyFieldText(line, 6);
  out.batteryVolts = ReadPlainNumber(battery);
  if (out.batteryVolts) {
    if (const auto volts = ReadVoltage(battery)) out.batteryPercent = BatteryChargePercent(*volts);
  }
  out.charging = integer(21).value_or(1) == 0;
  if (const auto index = integer(8)) {
    // Widened, as for the text: an absurd index must not overflow.
    const int64_t dbm = 2 * static_cast<int64_t>(*index) - 113;
    if (dbm >= INT32_MIN && dbm <= INT32_MAX) out.signalDbm = static_cast<int>(dbm);
  }
  out.gsmState = integer(9);
  out.gpsOn = integer(3).value_or(0) >= 1;
  out.fix = integer(10);
  out.satellitesInView = integer(11);
  out.satellitesUsed = integer(12);
  out.speedKmh = ReadPlainNumber(ReplyFieldText(line, 19));
  out.latitude = ReadPlainNumber(ReplyFieldText(line, 16));
  out.longitude = ReadPlainNumber(ReplyFieldText(line, 17));
  return out;
}

}  // namespace wr
