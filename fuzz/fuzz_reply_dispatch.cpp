// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The interpretation of any reply line, of every kind, and the status values
// of any "+STATS," line. An effect must be self-consistent: only the part that
// belongs to its kind is present, and an ignored line changes nothing at all.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "protocol/commands.h"
#include "protocol/reply_dispatch.h"
#include "protocol/stats_values.h"

namespace {

using wr::ReplyKind;

void Check(bool ok) {
  if (!ok) std::abort();
}

// Keywords put in front of the fuzzed text, so that every kind is reached
// without the fuzzer having to find the keyword first.
constexpr std::string_view kPrefixes[] = {
    "",
    wr::reply::kInfoVersion,
    wr::reply::kInfoId,
    wr::reply::kInfo,
    wr::reply::kStats,
    wr::reply::kIo,
    wr::reply::kIp,
    wr::reply::kTrack,
    wr::reply::kLowPower,
    wr::reply::kUssd,
    wr::reply::kGprs,
    wr::reply::kTrips,
    wr::reply::kIgnition,
    wr::reply::kDebugPrefix,
};

void CheckEffect(std::string_view line) {
  const wr::ReplyEffect e = wr::InterpretReplyLine(line);
  const int parts = e.version.has_value() + e.deviceId.has_value() + e.stats.has_value() +
                    e.settings.has_value() + e.tripsLine.has_value();
  Check(parts <= 1);
  Check(e.resetsQuietTime == (e.kind != ReplyKind::Ignored));
  if (line.empty() || static_cast<unsigned char>(line[0]) < 32 ||
      static_cast<unsigned char>(line[0]) >= 128)
    Check(e.kind == ReplyKind::Ignored);

  switch (e.kind) {
    case ReplyKind::Ignored:
    case ReplyKind::QuietOnly: Check(parts == 0); break;
    case ReplyKind::Version: Check(e.version.has_value()); break;
    case ReplyKind::DeviceId: Check(e.deviceId.has_value()); break;
    case ReplyKind::Stats: Check(e.stats.has_value()); break;
    case ReplyKind::Track:
    case ReplyKind::LowPower:
    case ReplyKind::Ussd:
    case ReplyKind::Gprs:
    case ReplyKind::Ignition:
      Check(parts == e.settings.has_value());
      Check(e.ussd.has_value() == (e.kind == ReplyKind::Ussd && e.settings.has_value()));
      break;
    case ReplyKind::Trips: Check(e.tripsLine && *e.tripsLine == line); break;
  }
  if (e.version) Check(e.version->size() < line.size());
  if (e.deviceId) Check(e.deviceId->size() < line.size());
  if (e.ussd) Check(e.ussd->answer.size() < line.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  constexpr size_t kCount = sizeof kPrefixes / sizeof kPrefixes[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string line(kPrefixes[data[0] % kCount]);
  line.append(rest);

  CheckEffect(line);
  CheckEffect(rest);

  // The status values of any line, stats keyword or not: numbers within
  // their ranges, texts no longer than the line.
  const wr::StatsValues stats = wr::ReadStatsValues(line);
  Check(stats.fields.latitude.size() + stats.fields.longitude.size() <= line.size());
  if (stats.signalDbm) Check(*stats.signalDbm >= -113 && *stats.signalDbm <= -51);
  if (stats.latitude) Check(*stats.latitude >= -90 && *stats.latitude <= 90);
  if (stats.longitude) Check(*stats.longitude >= -180 && *stats.longitude <= 180);
  if (stats.batteryPercent) Check(*stats.batteryPercent >= 0 && *stats.batteryPercent <= 100);
  if (stats.satellitesUsed) Check(*stats.satellitesUsed >= 0);
  if (stats.unitTime) Check(!stats.unitTime->empty() && stats.unitTime->size() <= line.size());

  // The voltage reading and the charge estimate on any text and any float.
  const std::optional<float> volts = wr::ReadVoltage(rest);
  if (volts) {
    Check(std::isfinite(*volts));
    const std::optional<int> percent = wr::BatteryChargePercent(*volts);
    if (percent) Check(*percent >= 0 && *percent <= 100);
  }
  if (size >= 1 + sizeof(float)) {
    float raw;
    std::memcpy(&raw, data + 1, sizeof raw);
    const std::optional<int> percent = wr::BatteryChargePercent(raw);
    if (percent) Check(*percent >= 0 && *percent <= 100);
  }
  return 0;
}
