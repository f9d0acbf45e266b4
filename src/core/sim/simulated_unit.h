// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The tracking unit's side of the command protocol, played in software: it
// takes command bytes as the host writes them, answers with reply lines and
// "OK" / "ERROR", keeps settings, a trip log, outputs and firmware blocks,
// and can be told to misbehave. Every public method is thread-safe.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace wr {

// What the unit keeps in its settings store; AT+FACTORY brings these back.
struct SimSettings {
  int track[5] = {21600, 30, 180, 10000, 20};
  int lowPower = 1;
  std::string ussdCode = "*141#";
  int ussdInterval = 24;
  int ignition = 1;
  std::string apn = "internet";
  std::string apnUser;
  std::string apnPassword;
  std::string ipHost = "track.wayrunner.example";
  int ipPort = 80;
  int ipMode = 0;

  bool operator==(const SimSettings& o) const;
  bool operator!=(const SimSettings& o) const { return !(*this == o); }
};

struct SimOutputs {
  bool relay = false;
  bool output = false;
  bool buzzer = false;
  bool supply3v3 = false;
};

// One logged trip, each field as the unit writes it in its "+TRIPS," line.
struct SimTrip {
  std::string date, startTime, endTime;
  std::string startLat, startLon, endLat, endLon;
  std::string distanceKm, maxSpeedKmh;
};

class SimulatedUnit {
 public:
  using Clock = std::chrono::steady_clock;
  using Millis = std::chrono::milliseconds;

  struct Options {
    std::string firmwareVersion = "1.003";
    std::string deviceId = "WR0001234567";
    // Seeds the live values and generated trips, so runs can be repeated.
    uint32_t seed = 1;
    // Time of day (seconds after midnight) when the unit starts; negative
    // takes the local time of the machine.
    int startSecondOfDay = -1;
    // Replaces steady_clock, e.g. with a clock a test advances by hand.
    std::function<Clock::time_point()> clock;
  };

  SimulatedUnit();
  explicit SimulatedUnit(Options options);
  ~SimulatedUnit();
  SimulatedUnit(const SimulatedUnit&) = delete;
  SimulatedUnit& operator=(const SimulatedUnit&) = delete;

  // ---- host side: what the bus calls

  // Bytes the host wrote. Lines end at a carriage return; each complete line
  // is recorded and answered.
  void HostWrite(std::string_view bytes);
  // Takes up to maxBytes of the answer bytes that are due by now.
  std::string HostRead(size_t maxBytes);
  // Time until something changes by itself (answer bytes fall due, the unit
  // drops off or comes back after a restart), to the clock's own precision;
  // Clock::duration::max() when nothing is pending. answer, when given, says
  // whether that next thing is answer bytes falling due.
  Clock::duration TimeToNextEvent(bool* answer = nullptr);
  // False while the unit is restarting and absent from the bus.
  bool Attached();
  // Grows by one each time the unit drops off the bus (restart or lost
  // connection), so a handle opened before can be told it is stale.
  uint64_t ConnectionEpoch();
  // The cable was pulled: pending answers and half-received input are lost.
  void DropConnection();
  // Called, without the unit's lock held, whenever answer bytes are queued
  // or the unit restarts, so a blocked reader can look again.
  void SetListener(std::function<void()> listener);

  // ---- what a test or the demo inspects

  // Every line received, in order, without its carriage return. Block lines
  // are recorded like any other. Only the latest kReceivedKept are kept.
  static constexpr size_t kReceivedKept = 200000;
  std::vector<std::string> ReceivedLines();
  size_t ReceivedCount(const std::function<bool(const std::string&)>& match);
  void ClearReceived();
  // Waits until a received line matches (lines received before the call
  // count too); false when the time-out passes first.
  bool WaitForLine(const std::function<bool(const std::string&)>& match, Millis timeout);

  SimSettings Settings();
  void SetSettings(const SimSettings& settings);
  SimOutputs Outputs();
  std::vector<SimTrip> Trips();
  void SetTrips(std::vector<SimTrip> trips);
  // Replaces the log with n plausible trips between a few recurring places.
  void GenerateTrips(int n);
  std::string FirmwareVersion();
  void SetFirmwareVersion(std::string version);
  std::string DeviceId();
  void SetDeviceId(std::string id);

  // Firmware blocks received intact, by number.
  size_t BlockCount();
  int TimesBlockReceived(uint32_t block);  // valid or not, answered or not
  // Blocks 0, 1, ... up to the first gap, joined (256 bytes each).
  std::string ReceivedImage();
  // What the last accepted AT+FWUPGRADE= installed, and how often one was.
  // The unit comes back from that restart reporting the version the image
  // names: the printable text after the first kImageVersionMark in it (as
  // FirmwareImage makes them). An image without the mark keeps the version
  // the unit had.
  static constexpr std::string_view kImageVersionMark = "WRFW-VERSION:";
  std::string InstalledImage();
  int InstallCount();
  int RestartCount();

  // A firmware image of the given size that names its version for the
  // simulated unit, the rest of it random bytes from seed.
  static std::string FirmwareImage(std::string_view version, size_t size, uint32_t seed = 1);
  // The version an image names, or empty.
  static std::string ImageVersion(std::string_view image);

  // ---- scenarios and faults

  // Milliseconds between a command and its answer; the unit answers one
  // command after the other.
  void SetLatency(Millis latency);
  // How long a restart keeps the unit off the bus.
  void SetRestartDowntime(Millis downtime);
  // Restart now, as AT+RESET does.
  void Restart();
  void SetNoSimCard(bool on);
  void SetNoGpsFix(bool on);
  void SetGpsOff(bool on);
  void SetCharging(bool on);
  // The next n commands are refused with "ERROR CHARGE BATTERY".
  void ChargeBatteryErrorNext(int n = 1);
  // Block lines: the next n are answered ERROR; the next n get no answer
  // (-1: none from now on); block k is answered ERROR its next n times.
  void FailNextBlocks(int n);
  void DropNextBlocks(int n);
  void FailBlock(uint32_t block, int times);
  // AT+FWUPGRADE= answered ERROR, as by firmware that cannot upgrade.
  void SetInstallSupported(bool on);
  // Record what arrives, answer nothing.
  void SetNeverAnswer(bool on);
  // Queue raw bytes as if the unit sent them (after earlier answers).
  void EmitRaw(std::string bytes);

 private:
  struct Pending {
    Clock::time_point due;
    std::string bytes;
  };
  struct Live;  // the values that drift between two "+STATS," answers

  Clock::time_point Now() const;
  void Advance(Clock::time_point now);  // restart transitions; lock held
  void HandleLine(const std::string& line);
  void Answer(std::vector<std::string> lines);
  void AnswerOk(std::vector<std::string> lines = {});
  void AnswerError();
  bool HandleSetter(const std::string& head, const std::string& args);
  void HandleBlock(const std::string& line);
  void HandleInstall(const std::string& args);
  void ScheduleRestart(Clock::time_point from);
  std::string StatsLine();
  void Notify();
  void Record(const std::string& line);

  Options options_;
  std::mutex mutex_;
  std::condition_variable received_cv_;
  std::function<void()> listener_;

  std::string input_;                 // bytes of the line being received
  bool input_overflow_ = false;       // the line grew past any sane length
  std::deque<std::string> received_;
  std::deque<Pending> output_;
  Clock::time_point last_due_{};

  SimSettings settings_;
  SimOutputs outputs_;
  std::vector<SimTrip> trips_;
  std::string firmware_;
  std::string device_id_;
  std::string ussd_answer_;
  std::mt19937 rng_;
  std::unique_ptr<Live> live_;
  Clock::time_point start_;

  std::map<uint32_t, std::string> blocks_;
  std::map<uint32_t, int> block_receipts_;
  std::map<uint32_t, int> block_failures_;
  std::string installed_;
  std::string pendingVersion_;  // what the unit runs after the restart under way
  int installs_ = 0;
  // The version the unit reports once the restart after an install is over.

  Millis latency_{0};
  Millis downtime_{3000};
  bool restarting_ = false;
  Clock::time_point drop_at_{};
  Clock::time_point back_at_{};
  bool attached_ = true;
  uint64_t epoch_ = 0;
  int restarts_ = 0;

  bool no_sim_ = false, no_fix_ = false, gps_off_ = false, charging_ = false;
  int charge_errors_ = 0;
  int fail_blocks_ = 0;
  int drop_blocks_ = 0;
  bool install_supported_ = true;
  bool never_answer_ = false;
};

}  // namespace wr
