// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A UsbApi in front of the simulated bus that holds the link code to the
// rules of a real library: a handle is a block of memory freed by close (so
// a use after it is a use after free for AddressSanitizer), and any call
// with a handle that is closed, was never opened, or is used from another
// thread than the one that opened it counts as a violation.
#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "sim/simulated_bus.h"
#include "usb/usb_api.h"

namespace wr::test {

class GuardedUsbApi : public UsbApi {
 public:
  explicit GuardedUsbApi(SimulatedBus& bus) : bus_(bus) {}
  ~GuardedUsbApi() override {
    for (Token* token : live_) delete token;
  }

  // What went wrong, in words; empty when every call kept the rules.
  std::vector<std::string> Violations() {
    std::lock_guard<std::mutex> lock(mutex_);
    return violations_;
  }
  int Opened() const { return opened_.load(); }

  void set_debug(int level) override { bus_.set_debug(level); }
  void init() override { bus_.init(); }
  int find_busses() override { return bus_.find_busses(); }
  int find_devices() override { return bus_.find_devices(); }
  struct usb_bus* get_busses() override { return bus_.get_busses(); }
  usb_dev_handle* open(struct usb_device* dev) override {
    usb_dev_handle* inner = bus_.open(dev);
    if (!inner) return nullptr;
    auto* token = new Token{inner, std::this_thread::get_id()};
    std::lock_guard<std::mutex> lock(mutex_);
    live_.insert(token);
    ++opened_;
    return reinterpret_cast<usb_dev_handle*>(token);
  }
  int control_msg(usb_dev_handle* dev, int requesttype, int request, int value, int index,
                  char* bytes, int size, int timeout) override {
    return bus_.control_msg(Inner(dev, "control_msg"), requesttype, request, value, index, bytes,
                            size, timeout);
  }
  int set_configuration(usb_dev_handle* dev, int configuration) override {
    return bus_.set_configuration(Inner(dev, "set_configuration"), configuration);
  }
  int claim_interface(usb_dev_handle* dev, int interface) override {
    return bus_.claim_interface(Inner(dev, "claim_interface"), interface);
  }
  int release_interface(usb_dev_handle* dev, int interface) override {
    return bus_.release_interface(Inner(dev, "release_interface"), interface);
  }
  int close(usb_dev_handle* dev) override {
    usb_dev_handle* inner = Inner(dev, "close");
    {
      std::lock_guard<std::mutex> lock(mutex_);
      auto* token = reinterpret_cast<Token*>(dev);
      if (live_.erase(token)) delete token;
    }
    return inner ? bus_.close(inner) : -1;
  }
  int bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size, int timeout) override {
    return bus_.bulk_write(Inner(dev, "bulk_write"), ep, bytes, size, timeout);
  }
  int bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout) override {
    usb_dev_handle* inner = Inner(dev, "bulk_read");
    return inner ? bus_.bulk_read(inner, ep, bytes, size, timeout) : -19;
  }
  int detach_kernel_driver_np(usb_dev_handle* dev, int interface) override {
    return bus_.detach_kernel_driver_np(Inner(dev, "detach_kernel_driver_np"), interface);
  }
  std::string strerror() override { return bus_.strerror(); }

 private:
  struct Token {
    usb_dev_handle* inner;
    std::thread::id owner;
  };

  // The simulated bus's own handle, or null after recording why not.
  usb_dev_handle* Inner(usb_dev_handle* dev, const char* call) {
    auto* token = reinterpret_cast<Token*>(dev);
    std::lock_guard<std::mutex> lock(mutex_);
    if (!live_.count(token)) {
      violations_.push_back(std::string(call) + " with a handle that is closed or not ours");
      return nullptr;
    }
    if (token->owner != std::this_thread::get_id())
      violations_.push_back(std::string(call) + " from a thread that did not open the handle");
    return token->inner;
  }

  SimulatedBus& bus_;
  std::mutex mutex_;
  std::set<Token*> live_;
  std::vector<std::string> violations_;
  std::atomic<int> opened_{0};
};

}  // namespace wr::test
