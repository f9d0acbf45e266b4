// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A USB bus with simulated units on it, behind the same calls as the real
// library: the link code cannot tell it from hardware. Tests switch faults on
// and read back every call made; `--simulate` runs the tool against it.
// Thread-safe: the worker reads while the UI thread writes, and tests poke at
// it from a third thread.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "usb/usb_api.h"
#include "sim/simulated_unit.h"

namespace wr {

class SimulatedBus : public UsbApi {
 public:
  using Millis = std::chrono::milliseconds;

  // One unit with the first identifier pair, plugged in.
  SimulatedBus();
  ~SimulatedBus() override;
  SimulatedBus(const SimulatedBus&) = delete;
  SimulatedBus& operator=(const SimulatedBus&) = delete;

  // What `--simulate` runs: a unit with a few trips, values that drift, a
  // short answer delay and a quick restart.
  static std::unique_ptr<SimulatedBus> Demo();

  // ---- units

  // Adds a unit (plugged in) and returns its index. Units are added while
  // setting up, before any other thread uses the bus.
  int AddUnit(int vendor = 0x16D0, int product = 0x06AF,
              SimulatedUnit::Options options = SimulatedUnit::Options{});
  SimulatedUnit& Unit(int index = 0);
  void SetIds(int vendor, int product, int index = 0);
  // Pull the cable / put it back. Pending answers are lost; handles opened
  // before fail from now on, also after the replug, and a read blocked on
  // one returns at once. The device list changes at the next enumeration;
  // device listeners hear of it at once.
  void Unplug(int index = 0);
  void Replug(int index = 0);
  bool Plugged(int index = 0);

  // ---- call record

  // Every call in order, as "name" or "name arg arg ...", e.g.
  // "claim_interface 0", "bulk_write 1 4", "bulk_read 130 4096 2000".
  // Only the latest kCallsKept are kept.
  static constexpr size_t kCallsKept = 100000;
  std::vector<std::string> Calls();
  // The same, names only.
  std::vector<std::string> CallNames();
  void ClearCalls();
  // Handles currently open.
  int OpenHandles();

  // ---- faults (count: that many calls fail, -1 every call from now on)

  void FailOpen(int count = -1, std::string error = "Permission denied");
  void FailSetConfiguration(int count = -1);
  void FailClaim(int count = -1);
  // Claim fails with -EBUSY until detach_kernel_driver_np is called on the
  // handle, as when a kernel driver holds the interface.
  void SetKernelDriverAttached(bool on);
  // Writes take at most this many bytes (0: all).
  void SetShortWrites(int maxBytes);
  // Writes wait their time-out and return -ETIMEDOUT; the unit gets nothing.
  void FailWritesWithTimeout(int count = -1);
  // Every write takes this long to be accepted (a slow unit); unplugging or
  // closing the handle ends the wait early.
  void SetWriteDelay(Millis delay);
  void FailReads(int count = -1);
  // Each read returns at most the next size of this list, cycling; empty
  // means no limit beyond the caller's buffer.
  void SetReadChunks(std::vector<int> sizes);
  // Shorthands for the unit's own switches.
  void SetLatency(Millis latency) { Unit().SetLatency(latency); }
  void InjectRaw(std::string bytes, int index = 0) { Unit(index).EmitRaw(std::move(bytes)); }
  bool WaitForReceived(const std::function<bool(const std::string&)>& match, Millis timeout,
                       int index = 0) {
    return Unit(index).WaitForLine(match, timeout);
  }

  // ---- UsbApi

  void set_debug(int level) override;
  void init() override;
  int find_busses() override;
  int find_devices() override;
  struct usb_bus* get_busses() override;
  usb_dev_handle* open(struct usb_device* dev) override;
  int control_msg(usb_dev_handle* dev, int requesttype, int request, int value, int index,
                  char* bytes, int size, int timeout) override;
  int set_configuration(usb_dev_handle* dev, int configuration) override;
  int claim_interface(usb_dev_handle* dev, int interface) override;
  int release_interface(usb_dev_handle* dev, int interface) override;
  int close(usb_dev_handle* dev) override;
  int bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size, int timeout) override;
  int bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout) override;
  int detach_kernel_driver_np(usb_dev_handle* dev, int interface) override;
  std::string strerror() override;
  // Units plugged in or pulled out, and units that drop off the bus for a
  // restart and come back, as they happen (a thread of the bus watches the
  // restarts while anyone listens).
  int AddDeviceListener(DeviceListener listener) override;
  void RemoveDeviceListener(int id) override;

 private:
  struct Slot;
  struct Handle;

  void Record(std::string call);
  Handle* Find(usb_dev_handle* dev);                // lock held
  bool Usable(const Handle& h);                     // lock held
  static bool Take(int& count);                     // one failure used up?
  void Wake();
  // Tells the listeners what came or went since they were last told.
  void Announce();
  void WatchRestarts();  // the watcher thread

  std::mutex mutex_;
  std::condition_variable cv_;
  struct usb_bus bus_{};
  bool busses_found_ = false;
  std::vector<std::unique_ptr<Slot>> slots_;
  // Handles live as long as the bus, so a pointer kept by a racing thread
  // never dangles; closed ones just fail.
  std::vector<std::unique_ptr<Handle>> handles_;
  std::deque<std::string> calls_;
  std::string last_error_;

  int fail_open_ = 0;
  std::string open_error_;
  int fail_config_ = 0;
  int fail_claim_ = 0;
  bool kernel_driver_ = false;
  int short_writes_ = 0;
  int write_timeouts_ = 0;
  Millis write_delay_{0};
  int read_errors_ = 0;
  std::vector<int> read_chunks_;
  size_t next_chunk_ = 0;

  // Announcements are made one at a time, under their own lock, so that a
  // listener removed is never called afterwards. Taken before mutex_.
  std::mutex announce_mutex_;
  std::map<int, DeviceListener> listeners_;  // under both locks
  int next_listener_ = 0;
  std::thread watcher_;
  bool stop_watching_ = false;  // under mutex_
};

}  // namespace wr
