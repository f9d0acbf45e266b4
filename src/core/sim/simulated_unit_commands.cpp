// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulated unit's command interpreter: each line the host writes,
// answered as the unit answers it.
#include "sim/simulated_unit.h"

#include <algorithm>
#include <cctype>

#include "protocol/commands.h"
#include "upgrade/block_line.h"

namespace wr {
namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> SplitArgs(const std::string& args) {
  std::vector<std::string> out(1);
  for (char c : args) {
    if (c == ',')
      out.emplace_back();
    else
      out.back() += c;
  }
  return out;
}

// Plain decimal with an optional minus sign, nothing else, within [lo, hi].
bool StrictInt(const std::string& s, int lo, int hi, int& value) {
  size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
  if (i == s.size() || s.size() - i > 9) return false;
  for (size_t k = i; k < s.size(); ++k)
    if (s[k] < '0' || s[k] > '9') return false;
  const long v = std::stol(s);
  if (v < lo || v > hi) return false;
  value = static_cast<int>(v);
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool ParseHex(std::string_view s, uint32_t& value) {
  if (s.empty() || s.size() > 8) return false;
  uint32_t v = 0;
  for (char c : s) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    v = (v << 4) | static_cast<uint32_t>(d);
  }
  value = v;
  return true;
}

}  // namespace

// ------------------------------------------------------------------ answers

void SimulatedUnit::Answer(std::vector<std::string> lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\r\n";
  const auto due = std::max(Now(), last_due_) + latency_;
  last_due_ = due;
  output_.push_back({due, std::move(bytes)});
}

void SimulatedUnit::AnswerOk(std::vector<std::string> lines) {
  lines.emplace_back(reply::kOk);
  Answer(std::move(lines));
}

void SimulatedUnit::AnswerError() { Answer({std::string(reply::kError)}); }

void SimulatedUnit::Record(const std::string& line) {
  received_.push_back(line);
  if (received_.size() > kReceivedKept) received_.pop_front();
  received_cv_.notify_all();
}

void SimulatedUnit::HandleLine(const std::string& line) {
  Record(line);
  if (never_answer_) return;
  if (charge_errors_ > 0) {
    --charge_errors_;
    Answer({std::string(reply::kChargeBattery)});
    return;
  }
  if (reply::StartsWith(line, cmd::kBlockPrefix)) return HandleBlock(line);
  if (reply::StartsWith(line, reply::kDebugPrefix)) {
    AnswerOk({"~debug: " + line.substr(1)});
    return;
  }

  const size_t eq = line.find('=');
  if (eq != std::string::npos) {
    if (!HandleSetter(Upper(line.substr(0, eq + 1)), line.substr(eq + 1))) AnswerError();
    return;
  }

  const std::string command = Upper(line);
  const auto& s = settings_;
  if (command == "AT") {
    AnswerOk();
  } else if (command == cmd::kInfo) {
    AnswerOk({std::string(reply::kInfoVersion) + firmware_,
              std::string(reply::kInfoId) + device_id_});
  } else if (command == cmd::kStats) {
    AnswerOk({StatsLine()});
  } else if (command == cmd::kIpQuery) {
    AnswerOk({"+IP," + s.ipHost + "," + std::to_string(s.ipPort) + "," +
              std::to_string(s.ipMode)});
  } else if (command == cmd::kLowPowerQuery) {
    AnswerOk({"+LOWPOWER," + std::to_string(s.lowPower)});
  } else if (command == cmd::kTrackQuery) {
    std::string l = "+TRACK";
    for (int v : s.track) l += "," + std::to_string(v);
    AnswerOk({l});
  } else if (command == cmd::kUssdQuery) {
    AnswerOk({"+USSD," + s.ussdCode + "," + std::to_string(s.ussdInterval) + "," +
              ussd_answer_});
  } else if (command == cmd::kGprsQuery) {
    AnswerOk({"+GPRS," + s.apn + "," + s.apnUser + "," + s.apnPassword});
  } else if (command == cmd::kIgnitionQuery) {
    AnswerOk({"+IGNITION," + std::to_string(s.ignition)});
  } else if (command == cmd::kNumQuery) {
    AnswerOk({"+NUM,\"+15550100\",\"+15550101\""});
  } else if (command == cmd::kMsgQuery) {
    AnswerOk({"+MSG,1,1,0,1"});
  } else if (command == cmd::kIfQuery) {
    AnswerOk({"+IF,0,1,0,0"});
  } else if (command == cmd::kTrips) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < trips_.size(); ++i) {
      const SimTrip& t = trips_[i];
      lines.push_back("+TRIPS," + std::to_string(i) + "," + t.date + "," + t.startTime + "," +
                      t.endTime + "," + t.startLat + "," + t.startLon + "," + t.endLat + "," +
                      t.endLon + "," + t.distanceKm + "," + t.maxSpeedKmh);
    }
    AnswerOk(std::move(lines));
  } else if (command == cmd::kDeleteAllTrips) {
    trips_.clear();
    AnswerOk();
  } else if (command == cmd::kFactory) {
    settings_ = SimSettings{};
    outputs_ = SimOutputs{};
    AnswerOk();
  } else if (command == cmd::kReset) {
    AnswerOk();
    ScheduleRestart(last_due_);
  } else {
    AnswerError();
  }
}

// head is upper case and ends with '='. False: refuse with ERROR, keep the
// old value.
bool SimulatedUnit::HandleSetter(const std::string& head, const std::string& args) {
  const std::vector<std::string> a = SplitArgs(args);
  SimSettings& s = settings_;
  int v = 0;

  auto onOff = [&](bool& target) {
    if (a.size() != 1 || !StrictInt(a[0], 0, 1, v)) return false;
    target = v != 0;
    AnswerOk();
    return true;
  };

  if (head == cmd::kTrackSet) {
    std::vector<std::string> fields = a;
    if (fields.size() == 6 && fields.back().empty()) fields.pop_back();  // "…,20,"
    if (fields.size() != 5) return false;
    int track[5];
    for (int i = 0; i < 5; ++i)
      if (!StrictInt(fields[i], 0, 999999, track[i])) return false;
    std::copy(track, track + 5, s.track);
  } else if (head == "AT+LOWPOWER=") {
    if (a.size() != 1 || !StrictInt(a[0], 0, 1, v)) return false;
    s.lowPower = v;
  } else if (head == cmd::kIgnitionSet) {
    if (a.size() != 1 || !StrictInt(a[0], 0, 2, v)) return false;
    s.ignition = v;
  } else if (head == cmd::kUssdSet) {
    if (a.size() != 2 || a[0].size() > 40 || !StrictInt(a[1], 0, 9999, v)) return false;
    s.ussdCode = a[0];
    s.ussdInterval = v;
  } else if (head == cmd::kGprsSet) {
    if (a.size() != 3) return false;
    for (const auto& f : a)
      if (f.size() > 63) return false;
    s.apn = a[0];
    s.apnUser = a[1];
    s.apnPassword = a[2];
  } else if (head == cmd::kIpSet) {
    int port = 0, mode = 0;
    if (a.size() != 3 || a[0].empty() || a[0].size() > 63 || !StrictInt(a[1], 1, 65535, port) ||
        !StrictInt(a[2], 0, 9, mode))
      return false;
    s.ipHost = a[0];
    s.ipPort = port;
    s.ipMode = mode;
  } else if (head == "AT+RELAY=") {
    return onOff(outputs_.relay);
  } else if (head == "AT+OUTPUT=") {
    return onOff(outputs_.output);
  } else if (head == "AT+BUZZER=") {
    return onOff(outputs_.buzzer);
  } else if (head == "AT+3V3=") {
    return onOff(outputs_.supply3v3);
  } else if (head == cmd::kFwUpgrade) {
    HandleInstall(args);
    return true;
  } else {
    return false;
  }
  AnswerOk();
  return true;
}

void SimulatedUnit::HandleBlock(const std::string& line) {
  // "^^" number data "-" crc: the data is 512 digits, the CRC 8, and the
  // number whatever lies between, at least four digits.
  constexpr size_t kFixed = 2 + 2 * kBlockSize + 1 + 8;
  uint32_t number = 0;
  const bool sized = line.size() >= kFixed + 4 && line.size() <= kFixed + 8;
  const size_t numberLength = sized ? line.size() - kFixed : 0;
  const bool numbered = sized && ParseHex(std::string_view(line).substr(2, numberLength), number);
  if (numbered) ++block_receipts_[number];

  if (drop_blocks_ != 0) {
    if (drop_blocks_ > 0) --drop_blocks_;
    return;
  }
  if (fail_blocks_ > 0) {
    --fail_blocks_;
    return AnswerError();
  }
  if (numbered) {
    auto it = block_failures_.find(number);
    if (it != block_failures_.end() && it->second > 0) {
      --it->second;
      return AnswerError();
    }
  }
  if (!numbered || line[line.size() - 9] != '-') return AnswerError();

  uint8_t data[kBlockSize];
  const size_t dataAt = 2 + numberLength;
  for (int i = 0; i < kBlockSize; ++i) {
    const int hi = HexDigit(line[dataAt + 2 * i]);
    const int lo = HexDigit(line[dataAt + 2 * i + 1]);
    if (hi < 0 || lo < 0) return AnswerError();
    data[i] = static_cast<uint8_t>(hi << 4 | lo);
  }
  uint32_t crc = 0;
  if (!ParseHex(std::string_view(line).substr(line.size() - 8), crc) || crc != BlockCrc(data))
    return AnswerError();

  // Block 0 starts a new image; what is left of an older one goes.
  if (number == 0) blocks_.clear();
  blocks_[number].assign(reinterpret_cast<const char*>(data), kBlockSize);
  AnswerOk();
}

void SimulatedUnit::HandleInstall(const std::string& args) {
  int last = 0;
  if (!install_supported_ || !StrictInt(args, 0, 0x7FFFFFFF, last)) return AnswerError();
  std::string image;
  for (int k = 0; k <= last; ++k) {
    auto it = blocks_.find(static_cast<uint32_t>(k));
    if (it == blocks_.end()) return AnswerError();
    image += it->second;
  }
  pendingVersion_ = ImageVersion(image);
  installed_ = std::move(image);
  ++installs_;
  AnswerOk();
  ScheduleRestart(last_due_);
}

}  // namespace wr
