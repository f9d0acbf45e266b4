#include "protocol/settings_commands.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

#include "protocol/commands.h"

namespace wr {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The first UTF-8 sequence of text: its code point and length. False when
// the bytes are not valid UTF-8 (a stray byte from another code page).
bool DecodeFirst(std::string_view text, uint32_t& cp, size_t& length) {
  const auto b0 = static_cast<unsigned char>(text[0]);
  if (b0 < 0x80) {
    cp = b0;
    length = 1;
    return true;
  }
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    cp = b0 & 0x1Fu;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    cp = b0 & 0x0Fu;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    cp = b0 & 0x07u;
  } else {
    return false;
  }
  if (text.size() < length) return false;
  for (size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b & 0xC0u) != 0x80u) return false;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  return true;
}

std::string Describe(std::string_view rest) {
  switch (rest[0]) {
    case ',': return "a comma";
    case '\r': return "a carriage return";
    case '\n': return "a line feed";
    default: break;
  }
  uint32_t cp = 0;
  size_t length = 0;
  char code[24];
  if (!DecodeFirst(rest, cp, length)) {
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(rest[0])));
    return std::string("the byte ") + code;
  }
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
  // Control characters are named by code only: shown as they are they would
  // be invisible in the message.
  if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) return std::string("the control character ") + code;
  return "the character '" + std::string(rest.substr(0, length)) + "' (" + code + ")";
}

}  // namespace

TripStopParse ParseTripStopMinutes(std::string_view text, int32_t& seconds) {
  std::string_view t = TrimBlanks(text);
  bool negative = false;
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (t.empty()) return TripStopParse::NotInteger;
  // Wide enough that any digit string of up to 18 digits is exact; a longer
  // one is out of range either way, but still has to be all digits.
  int64_t minutes = 0;
  bool overflow = false;
  for (char c : t) {
    if (c < '0' || c > '9') return TripStopParse::NotInteger;
    if (minutes > (std::numeric_limits<int64_t>::max() - 9) / 10) {
      overflow = true;
    } else {
      minutes = minutes * 10 + (c - '0');
    }
  }
  // A number that is not even a 32-bit integer is "not a valid integer", as
  // for any other reader of integers in the tool.
  const int64_t limit = negative ? int64_t{1} << 31 : (int64_t{1} << 31) - 1;
  if (overflow || minutes > limit) return TripStopParse::NotInteger;
  const int64_t s = (negative ? -minutes : minutes) * 60;
  if (s > std::numeric_limits<int32_t>::max() || s < std::numeric_limits<int32_t>::min())
    return TripStopParse::TooLarge;
  seconds = static_cast<int32_t>(s);
  return TripStopParse::Ok;
}

std::string DescribeUnsafeCharacter(std::string_view value) {
  for (size_t i = 0; i < value.size(); ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    if (c == ',' || c < 0x20 || c > 0x7E) return Describe(value.substr(i));
  }
  return {};
}

SettingsSave BuildSettingsCommands(const SettingsForm& form) {
  SettingsSave out;
  int32_t seconds = 0;
  switch (ParseTripStopMinutes(form.tripStopText, seconds)) {
    case TripStopParse::NotInteger:
      // An empty box gets its name: "'' is not a valid integer value" names nothing.
      if (form.tripStopText.find_first_not_of(" \t") == std::string::npos)
        out.refusal = "\"Time stationary before ending trip\" is empty. Nothing was sent.";
      else
        out.refusal = "'" + form.tripStopText + "' is not a valid integer value";
      return out;
    case TripStopParse::TooLarge:
      out.refusal = "'" + form.tripStopText +
                    "' minutes is longer than the unit can store. Nothing was sent.";
      return out;
    case TripStopParse::Ok:
      break;
  }

  const std::pair<const char*, const std::string*> fields[] = {
      {"Airtime USSD String", &form.ussd},
      {"Query Interval (hours)", &form.ussdInterval},
      {"GPRS APN", &form.apn},
      {"Username", &form.apnUsername},
      {"Password", &form.apnPassword},
  };
  for (const auto& [name, value] : fields) {
    const std::string bad = DescribeUnsafeCharacter(*value);
    if (!bad.empty()) {
      out.refusal = std::string("The field \"") + name + "\" contains " + bad +
                    ", which cannot be sent to the unit. Nothing was sent.";
      return out;
    }
  }

  std::string track(cmd::kTrackSet);
  for (int32_t v : {form.trackField1, form.trackField2, seconds, form.trackField4, form.trackField5}) {
    if (track.size() > cmd::kTrackSet.size()) track += ',';
    track += std::to_string(v);
  }
  out.commands.push_back(std::move(track));
  out.commands.emplace_back(form.lowPower ? cmd::kLowPowerOn : cmd::kLowPowerOff);
  out.commands.push_back(std::string(cmd::kUssdSet) + form.ussd + "," + form.ussdInterval);
  out.commands.push_back(std::string(cmd::kGprsSet) + form.apn + "," + form.apnUsername + "," +
                         form.apnPassword);
  out.commands.push_back(std::string(cmd::kIgnitionSet) + std::to_string(form.ignitionIndex));
  return out;
}

const std::vector<std::string_view>& SettingsQueries() {
  static const std::vector<std::string_view> queries = {
      cmd::kLowPowerQuery, cmd::kTrackQuery, cmd::kUssdQuery, cmd::kGprsQuery, cmd::kIgnitionQuery};
  return queries;
}

std::string TrackingHost(std::string_view chosen) {
  if (!chosen.empty()) return std::string(chosen);
  const char* value = std::getenv(kTrackingHostVariable);
  if (value && *value) return value;
  return std::string();
}

bool TrackingHostIsSet(std::string_view host) {
  if (host.find_first_not_of(" \t") == std::string_view::npos) return false;
  return host != kPlaceholderTrackingHost;
}

SettingsSave BuildDefaultsCommands(std::string_view host) {
  SettingsSave out;
  if (!TrackingHostIsSet(host)) {
    out.refusal = "No tracking server is set. Nothing was sent.";
    return out;
  }
  const std::string bad = DescribeUnsafeCharacter(host);
  if (!bad.empty()) {
    out.refusal = "The tracking server \"" + std::string(host) + "\" contains " + bad +
                  ", which cannot be sent to the unit. Nothing was sent.";
    return out;
  }
  out.commands.push_back(std::string(cmd::kIpSet) + std::string(host) + std::string(cmd::kIpSetTail));
  out.commands.emplace_back(cmd::kDefaultTrack);
  out.commands.emplace_back(cmd::kDefaultLowPower);
  out.commands.emplace_back(cmd::kDefaultIgnition);
  return out;
}

std::vector<std::string> DescribeDefaults(std::string_view host) {
  // The values of kDefaultTrack, kDefaultLowPower and kDefaultIgnition.
  return {"Tracking server: " + std::string(host) + ", port 80",
          "Trip stop time: 3 minutes",
          "Tracking values: 21600, 30, 10000 and 20",
          "Low power mode: on",
          "Ignition detection: Smart detection"};
}

}  // namespace wr
