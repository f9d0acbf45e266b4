// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/simulated_bus.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace wr {

struct SimulatedBus::Slot {
  std::unique_ptr<SimulatedUnit> unit;
  struct usb_device device{};
  bool plugged = true;
  bool announced = false;  // present, as the listeners were last told
};

struct SimulatedBus::Handle {
  size_t slot = 0;
  uint64_t epoch = 0;  // the unit's connection epoch when opened
  bool closed = false;
  bool claimed = false;
};

SimulatedBus::SimulatedBus() {
  std::snprintf(bus_.dirname, sizeof bus_.dirname, "001");
  bus_.location = 1;
  AddUnit();
}

SimulatedBus::~SimulatedBus() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_watching_ = true;
    cv_.notify_all();
  }
  if (watcher_.joinable()) watcher_.join();
  // The units outlive nothing that could still call back into the bus.
  for (auto& slot : slots_) slot->unit->SetListener(nullptr);
}

std::unique_ptr<SimulatedBus> SimulatedBus::Demo() {
  auto bus = std::make_unique<SimulatedBus>();
  SimulatedUnit& unit = bus->Unit();
  unit.GenerateTrips(8);
  unit.SetLatency(Millis(15));
  unit.SetRestartDowntime(Millis(3000));
  return bus;
}

int SimulatedBus::AddUnit(int vendor, int product, SimulatedUnit::Options options) {
  auto slot = std::make_unique<Slot>();
  slot->unit = std::make_unique<SimulatedUnit>(std::move(options));
  slot->unit->SetListener([this] { Wake(); });
  std::unique_lock<std::mutex> lock(mutex_);
  const int index = static_cast<int>(slots_.size());
  struct usb_device& d = slot->device;
  std::snprintf(d.filename, sizeof d.filename, "%03d", index + 2);
  d.bus = &bus_;
  d.devnum = static_cast<uint8_t>(index + 2);
  d.descriptor.bLength = USB_DT_DEVICE_SIZE;
  d.descriptor.bDescriptorType = USB_DT_DEVICE;
  d.descriptor.bcdUSB = 0x0200;
  d.descriptor.bDeviceClass = USB_CLASS_COMM;
  d.descriptor.idVendor = static_cast<uint16_t>(vendor);
  d.descriptor.idProduct = static_cast<uint16_t>(product);
  d.descriptor.bNumConfigurations = 1;
  slots_.push_back(std::move(slot));
  lock.unlock();
  Announce();
  return index;
}

SimulatedUnit& SimulatedBus::Unit(int index) { return *slots_.at(static_cast<size_t>(index))->unit; }

void SimulatedBus::SetIds(int vendor, int product, int index) {
  std::lock_guard<std::mutex> lock(mutex_);
  struct usb_device& d = slots_.at(static_cast<size_t>(index))->device;
  d.descriptor.idVendor = static_cast<uint16_t>(vendor);
  d.descriptor.idProduct = static_cast<uint16_t>(product);
}

void SimulatedBus::Unplug(int index) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Slot& slot = *slots_.at(static_cast<size_t>(index));
    if (!slot.plugged) return;
    slot.plugged = false;
    slot.unit->DropConnection();
  }
  // Listeners first: a reader woken next finds the removal already told.
  Announce();
  Wake();
}

void SimulatedBus::Replug(int index) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    slots_.at(static_cast<size_t>(index))->plugged = true;
  }
  Announce();
}

bool SimulatedBus::Plugged(int index) {
  std::lock_guard<std::mutex> lock(mutex_);
  return slots_.at(static_cast<size_t>(index))->plugged;
}

// ------------------------------------------------------------------ device events

int SimulatedBus::AddDeviceListener(DeviceListener listener) {
  std::lock_guard<std::mutex> announcing(announce_mutex_);
  std::lock_guard<std::mutex> lock(mutex_);
  // What is there now is known to the new listener; only changes are told.
  for (auto& slot : slots_) slot->announced = slot->plugged && slot->unit->Attached();
  const int id = next_listener_++;
  listeners_[id] = std::move(listener);
  if (!watcher_.joinable()) watcher_ = std::thread([this] { WatchRestarts(); });
  return id;
}

void SimulatedBus::RemoveDeviceListener(int id) {
  std::lock_guard<std::mutex> announcing(announce_mutex_);
  std::lock_guard<std::mutex> lock(mutex_);
  listeners_.erase(id);
}

void SimulatedBus::Announce() {
  std::lock_guard<std::mutex> announcing(announce_mutex_);
  std::vector<UsbDeviceChange> changes;
  std::vector<DeviceListener> listeners;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (listeners_.empty()) return;
    for (auto& slot : slots_) {
      const bool present = slot->plugged && slot->unit->Attached();
      if (present == slot->announced) continue;
      slot->announced = present;
      const struct usb_device& d = slot->device;
      changes.push_back({present, {std::atoi(bus_.dirname), d.devnum}, d.descriptor.idVendor,
                         d.descriptor.idProduct});
    }
    for (const auto& [id, listener] : listeners_) listeners.push_back(listener);
  }
  for (const UsbDeviceChange& change : changes)
    for (const DeviceListener& listener : listeners) listener(change);
}

void SimulatedBus::WatchRestarts() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_watching_) {
    // Until the next unit drops off or comes back, or something wakes the
    // bus. A unit tells only its next change, which may be answer bytes; ones
    // already due that nobody reads could hide a restart behind them, so
    // those are looked past now and then rather than waited for in a spin.
    using Duration = SimulatedUnit::Clock::duration;
    Duration next = Duration::max();
    for (auto& slot : slots_) {
      bool answer = false;
      Duration change = slot->unit->TimeToNextEvent(&answer);
      if (answer) change = std::max(change, Duration(Millis(10)));
      next = std::min(next, change);
    }
    // Looking may itself have moved a unit on (it drops off when asked after
    // its time): then there is news at once. Anything later falls due no
    // sooner than next, or wakes the bus under the lock held till the wait.
    bool news = false;
    for (auto& slot : slots_)
      news = news || (slot->plugged && slot->unit->Attached()) != slot->announced;
    if (!news && next == Duration::max())
      cv_.wait(lock);
    else if (!news)
      cv_.wait_for(lock, std::max(next, Duration(std::chrono::microseconds(100))));
    if (stop_watching_) break;
    lock.unlock();
    Announce();
    lock.lock();
  }
}

// ------------------------------------------------------------------ record

void SimulatedBus::Record(std::string call) {
  calls_.push_back(std::move(call));
  if (calls_.size() > kCallsKept) calls_.pop_front();
}

std::vector<std::string> SimulatedBus::Calls() {
  std::lock_guard<std::mutex> lock(mutex_);
  return {calls_.begin(), calls_.end()};
}

std::vector<std::string> SimulatedBus::CallNames() {
  std::vector<std::string> names = Calls();
  for (auto& n : names) n = n.substr(0, n.find(' '));
  return names;
}

void SimulatedBus::ClearCalls() {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.clear();
}

int SimulatedBus::OpenHandles() {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(
      std::count_if(handles_.begin(), handles_.end(), [](const auto& h) { return !h->closed; }));
}

// ------------------------------------------------------------------ faults

bool SimulatedBus::Take(int& count) {
  if (count == 0) return false;
  if (count > 0) --count;
  return true;
}

void SimulatedBus::FailOpen(int count, std::string error) {
  std::lock_guard<std::mutex> lock(mutex_);
  fail_open_ = count;
  open_error_ = std::move(error);
}

void SimulatedBus::FailSetConfiguration(int count) {
  std::lock_guard<std::mutex> lock(mutex_);
  fail_config_ = count;
}

void SimulatedBus::FailClaim(int count) {
  std::lock_guard<std::mutex> lock(mutex_);
  fail_claim_ = count;
}

void SimulatedBus::SetKernelDriverAttached(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  kernel_driver_ = on;
}

void SimulatedBus::SetShortWrites(int maxBytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  short_writes_ = std::max(maxBytes, 0);
}

void SimulatedBus::SetWriteDelay(Millis delay) {
  std::lock_guard<std::mutex> lock(mutex_);
  write_delay_ = delay;
}

void SimulatedBus::FailWritesWithTimeout(int count) {
  std::lock_guard<std::mutex> lock(mutex_);
  write_timeouts_ = count;
}

void SimulatedBus::FailReads(int count) {
  std::lock_guard<std::mutex> lock(mutex_);
  read_errors_ = count;
}

void SimulatedBus::SetReadChunks(std::vector<int> sizes) {
  std::lock_guard<std::mutex> lock(mutex_);
  sizes.erase(std::remove_if(sizes.begin(), sizes.end(), [](int n) { return n <= 0; }),
              sizes.end());
  read_chunks_ = std::move(sizes);
  next_chunk_ = 0;
}

void SimulatedBus::Wake() {
  std::lock_guard<std::mutex> lock(mutex_);
  cv_.notify_all();
}

// ------------------------------------------------------------------ UsbApi

SimulatedBus::Handle* SimulatedBus::Find(usb_dev_handle* dev) {
  auto* wanted = reinterpret_cast<Handle*>(dev);
  for (auto& h : handles_)
    if (h.get() == wanted) return h.get();
  return nullptr;
}

bool SimulatedBus::Usable(const Handle& h) {
  if (h.closed) return false;
  Slot& slot = *slots_[h.slot];
  return slot.plugged && slot.unit->Attached() && slot.unit->ConnectionEpoch() == h.epoch;
}

void SimulatedBus::set_debug(int level) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("set_debug " + std::to_string(level));
}

void SimulatedBus::init() {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("init");
}

int SimulatedBus::find_busses() {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("find_busses");
  if (busses_found_) return 0;
  busses_found_ = true;
  return 1;
}

int SimulatedBus::find_devices() {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("find_devices");
  // Rebuild the list from what is attached now; like the library, the list
  // only changes here, so a caller walking it is never surprised.
  int changes = 0;
  struct usb_device* head = nullptr;
  struct usb_device* tail = nullptr;
  std::vector<struct usb_device*> before;
  for (struct usb_device* d = bus_.devices; d; d = d->next) before.push_back(d);
  for (auto& slot : slots_) {
    struct usb_device* d = &slot->device;
    const bool present = slot->plugged && slot->unit->Attached();
    const bool was = std::find(before.begin(), before.end(), d) != before.end();
    if (present != was) ++changes;
    if (!present) continue;
    d->prev = tail;
    d->next = nullptr;
    if (tail)
      tail->next = d;
    else
      head = d;
    tail = d;
  }
  bus_.devices = head;
  return changes;
}

struct usb_bus* SimulatedBus::get_busses() {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("get_busses");
  return busses_found_ ? &bus_ : nullptr;
}

usb_dev_handle* SimulatedBus::open(struct usb_device* dev) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("open");
  size_t index = slots_.size();
  for (size_t i = 0; i < slots_.size(); ++i)
    if (&slots_[i]->device == dev) index = i;
  if (index == slots_.size() || !slots_[index]->plugged || !slots_[index]->unit->Attached()) {
    last_error_ = "No such device";
    return nullptr;
  }
  if (Take(fail_open_)) {
    last_error_ = open_error_;
    return nullptr;
  }
  auto handle = std::make_unique<Handle>();
  handle->slot = index;
  handle->epoch = slots_[index]->unit->ConnectionEpoch();
  handles_.push_back(std::move(handle));
  return reinterpret_cast<usb_dev_handle*>(handles_.back().get());
}

int SimulatedBus::control_msg(usb_dev_handle* dev, int requesttype, int request, int value,
                              int index, char* /*bytes*/, int size, int timeout) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("control_msg " + std::to_string(requesttype) + " " + std::to_string(request) + " " +
         std::to_string(value) + " " + std::to_string(index) + " " + std::to_string(size) + " " +
         std::to_string(timeout));
  Handle* h = Find(dev);
  if (!h || !Usable(*h)) {
    last_error_ = "No such device";
    return -ENODEV;
  }
  return 0;
}

int SimulatedBus::set_configuration(usb_dev_handle* dev, int configuration) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("set_configuration " + std::to_string(configuration));
  Handle* h = Find(dev);
  if (!h || !Usable(*h)) {
    last_error_ = "No such device";
    return -ENODEV;
  }
  if (Take(fail_config_) || configuration != 1) {
    last_error_ = "could not set config " + std::to_string(configuration);
    return -EIO;
  }
  return 0;
}

int SimulatedBus::claim_interface(usb_dev_handle* dev, int interface) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("claim_interface " + std::to_string(interface));
  Handle* h = Find(dev);
  if (!h || !Usable(*h)) {
    last_error_ = "No such device";
    return -ENODEV;
  }
  if (Take(fail_claim_) || kernel_driver_ || interface != 0) {
    last_error_ = "could not claim interface " + std::to_string(interface) +
                  ": Device or resource busy";
    return -EBUSY;
  }
  h->claimed = true;
  return 0;
}

int SimulatedBus::release_interface(usb_dev_handle* dev, int interface) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("release_interface " + std::to_string(interface));
  Handle* h = Find(dev);
  if (!h || h->closed || !h->claimed) {
    last_error_ = "could not release interface";
    return -EINVAL;
  }
  h->claimed = false;
  return Usable(*h) ? 0 : -ENODEV;
}

int SimulatedBus::detach_kernel_driver_np(usb_dev_handle* dev, int interface) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("detach_kernel_driver_np " + std::to_string(interface));
  Handle* h = Find(dev);
  if (!h || !Usable(*h)) {
    last_error_ = "No such device";
    return -ENODEV;
  }
  if (!kernel_driver_) {
    last_error_ = "could not detach kernel driver: No data available";
    return -ENODATA;
  }
  kernel_driver_ = false;
  return 0;
}

int SimulatedBus::close(usb_dev_handle* dev) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("close");
  Handle* h = Find(dev);
  if (!h || h->closed) {
    last_error_ = "invalid handle";
    return -EINVAL;
  }
  h->closed = true;
  h->claimed = false;
  cv_.notify_all();  // a read blocked on this handle gives up now
  return 0;
}

int SimulatedBus::bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size,
                             int timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  Record("bulk_write " + std::to_string(ep) + " " + std::to_string(size) + " " +
         std::to_string(timeout));
  Handle* h = Find(dev);
  if (!h || !Usable(*h)) {
    last_error_ = "No such device";
    return -ENODEV;
  }
  if (size < 0 || (size > 0 && !bytes)) {
    last_error_ = "invalid argument";
    return -EINVAL;
  }
  if (Take(write_timeouts_)) {
    // Closing the handle or losing the unit ends the wait early, as the
    // library's cancelled transfer would.
    cv_.wait_for(lock, Millis(std::max(timeout, 0)), [&] { return !Usable(*h); });
    last_error_ = "Connection timed out";
    return -ETIMEDOUT;
  }
  if (write_delay_.count() > 0 &&
      cv_.wait_for(lock, write_delay_, [&] { return !Usable(*h); })) {
    last_error_ = "No such device";
    return -ENODEV;
  }
  const int count = short_writes_ > 0 ? std::min(size, short_writes_) : size;
  SimulatedUnit& unit = *slots_[h->slot]->unit;
  lock.unlock();  // the unit wakes readers through Wake(), which locks
  unit.HostWrite(std::string_view(bytes ? bytes : "", static_cast<size_t>(count)));
  return count;
}

int SimulatedBus::bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout) {
#ifdef __linux__
  // The unit's answer is due at a set moment, which the reader's timed wait
  // stands for; the kernel's default slack of 50 us per wait would make the
  // simulated unit slower than it is told to be.
  thread_local const bool precise = prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
  (void)precise;
#endif
  std::unique_lock<std::mutex> lock(mutex_);
  Record("bulk_read " + std::to_string(ep) + " " + std::to_string(size) + " " +
         std::to_string(timeout));
  Handle* h = Find(dev);
  if (!h) {
    last_error_ = "invalid handle";
    return -EINVAL;
  }
  if (size <= 0 || !bytes) {
    last_error_ = "invalid argument";
    return -EINVAL;
  }
  if (Take(read_errors_)) {
    last_error_ = "Input/output error";
    return -EIO;
  }
  using Clock = SimulatedUnit::Clock;
  const bool forever = timeout <= 0;  // as in the library, 0 waits without end
  const auto deadline = Clock::now() + Millis(std::max(timeout, 0));
  SimulatedUnit& unit = *slots_[h->slot]->unit;
  constexpr Clock::duration kAwakeStretch = std::chrono::microseconds(200);
  bool awake = false;
  for (;;) {
    if (h->closed) {
      last_error_ = "handle closed";
      return -EBADF;
    }
    if (!Usable(*h)) {
      last_error_ = "No such device";
      return -ENODEV;
    }
    size_t limit = static_cast<size_t>(size);
    if (!read_chunks_.empty())
      limit = std::min(limit, static_cast<size_t>(read_chunks_[next_chunk_ % read_chunks_.size()]));
    const std::string got = unit.HostRead(limit);
    if (!got.empty()) {
      if (!read_chunks_.empty()) ++next_chunk_;
      std::memcpy(bytes, got.data(), got.size());
      return static_cast<int>(got.size());
    }
    const auto now = Clock::now();
    if (!forever && now >= deadline) {
      last_error_ = "Connection timed out";
      return -ETIMEDOUT;
    }
    bool answer = false;
    const Clock::duration next = unit.TimeToNextEvent(&answer);
    if (next == Clock::duration::max()) {
      if (forever)
        cv_.wait(lock);
      else
        cv_.wait_until(lock, deadline);
    } else {
      // At least a moment, so that a due time already passed cannot spin.
      const auto at = now + std::max(next, Clock::duration(std::chrono::microseconds(10)));
      const auto until = forever ? at : std::min(at, deadline);
      // A timed wait wakes some tens of microseconds after its time, which
      // would make the unit answer later than it is told to. The last stretch
      // before an answer falls due is waited out awake, once per read (a unit
      // on a clock of its own may not reach its due time while we wait).
      // Restarts keep the plain timed wait.
      if (answer && !awake && until == at && until - now <= kAwakeStretch) {
        awake = true;
        lock.unlock();
        while (Clock::now() < until) std::this_thread::yield();
        lock.lock();
      } else {
        cv_.wait_until(lock, answer && !awake && until == at ? until - kAwakeStretch : until);
      }
    }
  }
}

std::string SimulatedBus::strerror() {
  std::lock_guard<std::mutex> lock(mutex_);
  return last_error_;
}

}  // namespace wr
