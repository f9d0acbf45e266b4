// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/simulated_unit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "upgrade/block_line.h"

namespace wr {
namespace {

// A command line longer than this is garbage; it is answered ERROR without
// being kept whole. Block lines are 527 characters.
constexpr size_t kMaxCommandLength = 4096;
// A restart waits this long after its "OK" fell due, so the host can still
// read the answer before the unit drops off the bus.
constexpr auto kRestartGrace = std::chrono::milliseconds(20);
// Seconds between two GPRS updates of the live values.
constexpr int kUpdatePeriod = 300;
constexpr double kPi = 3.14159265358979323846;

std::string Format(const char* fmt, double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, fmt, v);
  return buf;
}

// Days since 1970-01-01 to a calendar date (proleptic Gregorian).
void CivilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

int LocalSecondOfDay() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec;
}

}  // namespace

bool SimSettings::operator==(const SimSettings& o) const {
  return std::equal(std::begin(track), std::end(track), std::begin(o.track)) &&
         lowPower == o.lowPower && ussdCode == o.ussdCode && ussdInterval == o.ussdInterval &&
         ignition == o.ignition && apn == o.apn && apnUser == o.apnUser &&
         apnPassword == o.apnPassword && ipHost == o.ipHost && ipPort == o.ipPort &&
         ipMode == o.ipMode;
}

struct SimulatedUnit::Live {
  double lat = -33.924870, lon = 18.424055;
  double heading = 40;  // degrees
  int speed = 0;        // km/h
  bool moving = false;
  double sinceMove = 95;
  double toUpdate = 170;
  int signal = 18;
  int satsView = 11, satsUsed = 8, hdop = 1;
  double vbat = 4.05, vext = 12.6, vgsm = 4.02;
  Clock::time_point last{};
  bool started = false;
};

SimulatedUnit::SimulatedUnit() : SimulatedUnit(Options{}) {}

SimulatedUnit::SimulatedUnit(Options options)
    : options_(std::move(options)),
      firmware_(options_.firmwareVersion),
      device_id_(options_.deviceId),
      ussd_answer_("1106241432Airtime balance: 23.50, valid until 30/09/24"),
      rng_(options_.seed),
      live_(std::make_unique<Live>()) {
  if (options_.startSecondOfDay < 0) options_.startSecondOfDay = LocalSecondOfDay();
  start_ = Now();
  last_due_ = start_;
}

SimulatedUnit::~SimulatedUnit() = default;

SimulatedUnit::Clock::time_point SimulatedUnit::Now() const {
  return options_.clock ? options_.clock() : Clock::now();
}

void SimulatedUnit::Notify() {
  std::function<void()> listener;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    listener = listener_;
  }
  if (listener) listener();
}

void SimulatedUnit::SetListener(std::function<void()> listener) {
  std::lock_guard<std::mutex> lock(mutex_);
  listener_ = std::move(listener);
}

// ------------------------------------------------------------------ host side

void SimulatedUnit::HostWrite(std::string_view bytes) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto now = Now();
    Advance(now);
    if (!attached_) return;  // nobody there to hear it
    for (char c : bytes) {
      if (c == '\r') {
        std::string line;
        line.swap(input_);
        const bool overflow = input_overflow_;
        input_overflow_ = false;
        // Blanks before a command mean nothing; an empty line is recorded
        // but not answered.
        const size_t first = line.find_first_not_of(" \t");
        line.erase(0, first == std::string::npos ? line.size() : first);
        if (line.empty() && !overflow) {
          Record(line);
          continue;
        }
        if (overflow) {
          Record(line);
          AnswerError();
        } else {
          HandleLine(line);
        }
      } else if (c == '\n') {
        continue;
      } else if (input_.size() < kMaxCommandLength) {
        input_ += c;
      } else {
        input_overflow_ = true;
      }
    }
  }
  Notify();
}

std::string SimulatedUnit::HostRead(size_t maxBytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto now = Now();
  Advance(now);
  std::string out;
  if (!attached_) return out;
  while (!output_.empty() && out.size() < maxBytes && output_.front().due <= now) {
    std::string& bytes = output_.front().bytes;
    const size_t take = std::min(bytes.size(), maxBytes - out.size());
    out.append(bytes, 0, take);
    if (take == bytes.size())
      output_.pop_front();
    else
      bytes.erase(0, take);
  }
  return out;
}

SimulatedUnit::Clock::duration SimulatedUnit::TimeToNextEvent(bool* answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto now = Now();
  Advance(now);
  auto next = Clock::time_point::max();
  if (attached_ && !output_.empty()) next = output_.front().due;
  if (answer) *answer = next != Clock::time_point::max();
  if (restarting_) {
    const auto change = attached_ ? drop_at_ : back_at_;
    if (change <= next) {
      next = change;
      if (answer) *answer = false;
    }
  }
  if (next == Clock::time_point::max()) return Clock::duration::max();
  if (next <= now) return Clock::duration::zero();
  // Not rounded to milliseconds: a waiter that woke up to a millisecond late
  // made the unit answer later than it was told to.
  return next - now;
}

bool SimulatedUnit::Attached() {
  std::lock_guard<std::mutex> lock(mutex_);
  Advance(Now());
  return attached_;
}

uint64_t SimulatedUnit::ConnectionEpoch() {
  std::lock_guard<std::mutex> lock(mutex_);
  Advance(Now());
  return epoch_;
}

void SimulatedUnit::DropConnection() {
  std::lock_guard<std::mutex> lock(mutex_);
  output_.clear();
  input_.clear();
  input_overflow_ = false;
  ++epoch_;
}

void SimulatedUnit::Advance(Clock::time_point now) {
  if (!restarting_) return;
  if (attached_ && now >= drop_at_) {
    attached_ = false;
    ++epoch_;
    ++restarts_;
    output_.clear();
    input_.clear();
    input_overflow_ = false;
  }
  if (!attached_ && now >= back_at_) {
    attached_ = true;
    restarting_ = false;
    last_due_ = now;
    if (!pendingVersion_.empty()) firmware_ = std::move(pendingVersion_);
    pendingVersion_.clear();
  }
}

void SimulatedUnit::ScheduleRestart(Clock::time_point from) {
  restarting_ = true;
  drop_at_ = from + kRestartGrace;
  back_at_ = drop_at_ + downtime_;
}

std::string SimulatedUnit::FirmwareImage(std::string_view version, size_t size, uint32_t seed) {
  std::string image(kImageVersionMark);
  image.append(version);
  image.push_back('\0');
  std::mt19937 rng(seed);
  while (image.size() < size) image.push_back(static_cast<char>(rng() & 0xFF));
  image.resize(std::max(size, image.size()));
  return image;
}

std::string SimulatedUnit::ImageVersion(std::string_view image) {
  const size_t at = image.find(kImageVersionMark);
  if (at == std::string_view::npos) return {};
  std::string version;
  for (size_t i = at + kImageVersionMark.size(); i < image.size() && version.size() < 64; ++i) {
    const char c = image[i];
    if (c <= 0x20 || c >= 0x7F) break;
    version.push_back(c);
  }
  return version;
}

// ------------------------------------------------------------------ live values

std::string SimulatedUnit::StatsLine() {
  Live& v = *live_;
  const auto now = Now();
  double dt = v.started ? std::chrono::duration<double>(now - v.last).count() : 0.0;
  dt = std::clamp(dt, 0.0, 3600.0);
  v.last = now;
  v.started = true;
  auto rand = [this](int lo, int hi) { return lo + static_cast<int>(rng_() % (hi - lo + 1)); };

  if (v.moving && rand(0, 99) < 4) v.moving = false;
  else if (!v.moving && rand(0, 99) < 8) v.moving = true;
  if (no_fix_ || gps_off_) v.moving = false;
  if (v.moving) {
    v.speed = std::clamp(v.speed + rand(-8, 8) + (v.speed < 20 ? 10 : 0), 5, 120);
    v.heading += rand(-15, 15);
    const double km = v.speed * dt / 3600.0;
    const double rad = v.heading * kPi / 180.0;
    v.lat += km * std::cos(rad) / 111.0;
    v.lon += km * std::sin(rad) / (111.0 * std::cos(v.lat * kPi / 180.0));
    v.sinceMove = 0;
  } else {
    v.speed = 0;
    v.sinceMove += dt;
  }
  v.toUpdate -= dt;
  while (v.toUpdate < 0) v.toUpdate += kUpdatePeriod;
  v.signal = std::clamp(v.signal + rand(-1, 1), 8, 28);
  v.satsView = std::clamp(v.satsView + rand(-1, 1), 6, 14);
  v.satsUsed = std::clamp(v.satsView - rand(0, 3), 4, v.satsView);
  v.hdop = rand(1, 2);
  if (charging_)
    v.vbat = std::min(4.18, v.vbat + 0.0005 * dt + rand(0, 2) * 0.005);
  else
    v.vbat = std::clamp(v.vbat + rand(-1, 1) * 0.01, 3.95, 4.12);
  v.vext = std::clamp(v.vext + rand(-1, 1) * 0.1, 12.2, 13.0);
  v.vgsm = 4.0 + rand(0, 5) * 0.01;

  const bool fix = !no_fix_ && !gps_off_;
  const int elapsed = static_cast<int>(
      std::chrono::duration_cast<std::chrono::seconds>(now - start_).count());
  const int tod = ((options_.startSecondOfDay + elapsed) % 86400 + 86400) % 86400;
  char time[8];
  std::snprintf(time, sizeof time, "%02d%02d%02d", tod / 3600, tod / 60 % 60, tod % 60);

  const std::vector<std::string> f = {
      "+STATS",
      "1",
      "V2",
      gps_off_ ? "0" : "1",
      Format("%.2f", v.vgsm),
      "0",
      Format("%.2f", v.vbat),
      Format("%.1f", v.vext),
      std::to_string(no_sim_ ? 99 : v.signal),
      std::to_string(no_sim_ ? 3 : 6),
      std::to_string(fix ? 3 : 1),
      std::to_string(gps_off_ ? 0 : (fix ? v.satsView : 2)),
      std::to_string(fix ? v.satsUsed : 0),
      std::to_string(fix ? v.hdop : 99),
      std::to_string(static_cast<int>(v.sinceMove)),
      std::to_string(static_cast<int>(v.toUpdate)),
      Format("%.6f", v.lat),
      Format("%.6f", v.lon),
      v.moving ? "Trip in progress" : "Stationary",
      std::to_string(v.speed),
      time,
      charging_ ? "0" : "1",
  };
  std::string line;
  for (size_t i = 0; i < f.size(); ++i) line += (i ? "," : "") + f[i];
  return line;
}

void SimulatedUnit::GenerateTrips(int n) {
  struct Place {
    double lat, lon;
  };
  static constexpr Place kPlaces[] = {{-33.924870, 18.424055}, {-33.958210, 18.460310},
                                      {-33.890440, 18.512780}, {-34.030120, 18.465230},
                                      {-33.850070, 18.640520}};
  constexpr int kCount = sizeof kPlaces / sizeof kPlaces[0];
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto rand = [this](int lo, int hi) { return lo + static_cast<int>(rng_() % (hi - lo + 1)); };
    // A few metres of scatter, so a named place still matches every visit.
    auto jitter = [&] { return rand(-25, 25) * 1e-5; };
    trips_.clear();
    long day = 19800;  // 2024-03-18
    int at = 0;        // current place
    int clock = 7 * 3600;
    for (int i = 0; i < std::max(n, 0); ++i) {
      int to = (at + rand(1, kCount - 1)) % kCount;
      const Place& a = kPlaces[at];
      const Place& b = kPlaces[to];
      const double dLat = (b.lat - a.lat) * 111.0;
      const double dLon = (b.lon - a.lon) * 111.0 * std::cos(a.lat * kPi / 180.0);
      const double km = std::hypot(dLat, dLon) * 1.3;
      const int minutes = static_cast<int>(km * 1.6) + rand(4, 15);
      if (clock + minutes * 60 > 21 * 3600) {
        ++day;
        clock = rand(6 * 3600, 9 * 3600);
      }
      int y, m, d;
      CivilFromDays(day, y, m, d);
      char date[16], start[16], end[16];
      std::snprintf(date, sizeof date, "%02d/%02d/%02d", d, m, y % 100);
      const int endClock = clock + minutes * 60;
      std::snprintf(start, sizeof start, "%02d:%02d:%02d", clock / 3600, clock / 60 % 60,
                    clock % 60);
      std::snprintf(end, sizeof end, "%02d:%02d:%02d", endClock / 3600, endClock / 60 % 60,
                    endClock % 60);
      trips_.push_back({date, start, end, Format("%.6f", a.lat + jitter()),
                        Format("%.6f", a.lon + jitter()), Format("%.6f", b.lat + jitter()),
                        Format("%.6f", b.lon + jitter()), Format("%.1f", km),
                        std::to_string(rand(45, 118))});
      clock = endClock + rand(20, 240) * 60;
      at = to;
    }
  }
}

// ------------------------------------------------------------------ inspection

std::vector<std::string> SimulatedUnit::ReceivedLines() {
  std::lock_guard<std::mutex> lock(mutex_);
  return {received_.begin(), received_.end()};
}

size_t SimulatedUnit::ReceivedCount(const std::function<bool(const std::string&)>& match) {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<size_t>(std::count_if(received_.begin(), received_.end(), match));
}

void SimulatedUnit::ClearReceived() {
  std::lock_guard<std::mutex> lock(mutex_);
  received_.clear();
}

bool SimulatedUnit::WaitForLine(const std::function<bool(const std::string&)>& match,
                                Millis timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  size_t checked = 0;
  return received_cv_.wait_for(lock, timeout, [&] {
    // Only lines not looked at yet; the record may also have been trimmed.
    if (checked > received_.size()) checked = 0;
    for (; checked < received_.size(); ++checked)
      if (match(received_[checked])) return true;
    return false;
  });
}

SimSettings SimulatedUnit::Settings() {
  std::lock_guard<std::mutex> lock(mutex_);
  return settings_;
}

void SimulatedUnit::SetSettings(const SimSettings& settings) {
  std::lock_guard<std::mutex> lock(mutex_);
  settings_ = settings;
}

SimOutputs SimulatedUnit::Outputs() {
  std::lock_guard<std::mutex> lock(mutex_);
  return outputs_;
}

std::vector<SimTrip> SimulatedUnit::Trips() {
  std::lock_guard<std::mutex> lock(mutex_);
  return trips_;
}

void SimulatedUnit::SetTrips(std::vector<SimTrip> trips) {
  std::lock_guard<std::mutex> lock(mutex_);
  trips_ = std::move(trips);
}

std::string SimulatedUnit::FirmwareVersion() {
  std::lock_guard<std::mutex> lock(mutex_);
  return firmware_;
}

void SimulatedUnit::SetFirmwareVersion(std::string version) {
  std::lock_guard<std::mutex> lock(mutex_);
  firmware_ = std::move(version);
}

std::string SimulatedUnit::DeviceId() {
  std::lock_guard<std::mutex> lock(mutex_);
  return device_id_;
}

void SimulatedUnit::SetDeviceId(std::string id) {
  std::lock_guard<std::mutex> lock(mutex_);
  device_id_ = std::move(id);
}

size_t SimulatedUnit::BlockCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return blocks_.size();
}

int SimulatedUnit::TimesBlockReceived(uint32_t block) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = block_receipts_.find(block);
  return it == block_receipts_.end() ? 0 : it->second;
}

std::string SimulatedUnit::ReceivedImage() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string image;
  for (uint32_t k = 0;; ++k) {
    auto it = blocks_.find(k);
    if (it == blocks_.end()) break;
    image += it->second;
  }
  return image;
}

std::string SimulatedUnit::InstalledImage() {
  std::lock_guard<std::mutex> lock(mutex_);
  return installed_;
}

int SimulatedUnit::InstallCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return installs_;
}

int SimulatedUnit::RestartCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  Advance(Now());
  return restarts_;
}

// ------------------------------------------------------------------ scenarios

void SimulatedUnit::SetLatency(Millis latency) {
  std::lock_guard<std::mutex> lock(mutex_);
  latency_ = std::max(latency, Millis(0));
}

void SimulatedUnit::SetRestartDowntime(Millis downtime) {
  std::lock_guard<std::mutex> lock(mutex_);
  downtime_ = std::max(downtime, Millis(0));
}

void SimulatedUnit::Restart() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Advance(Now());
    if (attached_) ScheduleRestart(Now() - kRestartGrace);
  }
  Notify();
}

void SimulatedUnit::SetNoSimCard(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  no_sim_ = on;
}

void SimulatedUnit::SetNoGpsFix(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  no_fix_ = on;
}

void SimulatedUnit::SetGpsOff(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  gps_off_ = on;
}

void SimulatedUnit::SetCharging(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  charging_ = on;
}

void SimulatedUnit::ChargeBatteryErrorNext(int n) {
  std::lock_guard<std::mutex> lock(mutex_);
  charge_errors_ = std::max(n, 0);
}

void SimulatedUnit::FailNextBlocks(int n) {
  std::lock_guard<std::mutex> lock(mutex_);
  fail_blocks_ = std::max(n, 0);
}

void SimulatedUnit::DropNextBlocks(int n) {
  std::lock_guard<std::mutex> lock(mutex_);
  drop_blocks_ = n < 0 ? -1 : n;
}

void SimulatedUnit::FailBlock(uint32_t block, int times) {
  std::lock_guard<std::mutex> lock(mutex_);
  block_failures_[block] = std::max(times, 0);
}

void SimulatedUnit::SetInstallSupported(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  install_supported_ = on;
}

void SimulatedUnit::SetNeverAnswer(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  never_answer_ = on;
}

void SimulatedUnit::EmitRaw(std::string bytes) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Advance(Now());
    if (!attached_) return;
    const auto due = std::max(Now(), last_due_);
    last_due_ = due;
    output_.push_back({due, std::move(bytes)});
  }
  Notify();
}

}  // namespace wr
