// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/device_events.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef WR_HAVE_LIBUDEV
#include <libudev.h>

#include <cstdio>
#include <cstdlib>
#endif

#include <mutex>
#include <utility>

#include "protocol/commands.h"
#include "usb/usb_api.h"

namespace wr {

namespace {

[[maybe_unused]] bool OurUnit(int vendor, int product) {
  for (const auto& ids : usbid::kUnitIds)
    if (ids.vendor == vendor && ids.product == product) return true;
  return false;
}

#ifndef _WIN32
// The bus calls its listener on any thread; the worker waits on a pipe, which
// a byte makes readable for every change queued.
class BusEvents : public DeviceEventSource {
 public:
  BusEvents(UsbApi& api, int readFd, int writeFd) : api_(api), read_(readFd), write_(writeFd) {
    id_ = api_.AddDeviceListener([this](const UsbDeviceChange& change) { Heard(change); });
  }
  ~BusEvents() override {
    if (id_ >= 0) api_.RemoveDeviceListener(id_);
    ::close(read_);
    ::close(write_);
  }
  bool Listening() const { return id_ >= 0; }
  int Fd() const override { return read_; }

  std::vector<DeviceEvent> Take() override {
    char bytes[64];
    while (::read(read_, bytes, sizeof bytes) > 0) {
    }
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(events_, {});
  }

 private:
  void Heard(const UsbDeviceChange& change) {
    if (!OurUnit(change.vendorId, change.productId)) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      DeviceEvent event;
      event.kind = change.added ? DeviceEvent::Kind::Added : DeviceEvent::Kind::Removed;
      event.location = change.location;
      events_.push_back(event);
    }
    const char byte = 1;
    // A full pipe already holds a wake-up.
    [[maybe_unused]] const ssize_t n = ::write(write_, &byte, 1);
  }

  UsbApi& api_;
  int read_, write_;
  int id_ = -1;
  std::mutex mutex_;
  std::vector<DeviceEvent> events_;
};
#endif

}  // namespace

std::unique_ptr<DeviceEventSource> WatchBusEvents(UsbApi& api) {
#ifndef _WIN32
  int fds[2];
  if (::pipe(fds) != 0) return nullptr;
  for (int fd : fds) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  auto events = std::make_unique<BusEvents>(api, fds[0], fds[1]);
  if (!events->Listening()) return nullptr;
  return events;
#else
  (void)api;
  return nullptr;
#endif
}

#ifdef WR_HAVE_LIBUDEV
namespace {

// The kernel's PRODUCT value, "vendor/product/release" in hexadecimal; it is
// there on removal too, when the device's attributes can no longer be read.
bool IdsOf(udev_device* device, int* vendor, int* product) {
  if (const char* text = udev_device_get_property_value(device, "PRODUCT")) {
    unsigned v = 0, p = 0;
    if (std::sscanf(text, "%x/%x/", &v, &p) == 2) {
      *vendor = static_cast<int>(v);
      *product = static_cast<int>(p);
      return true;
    }
  }
  const char* v = udev_device_get_sysattr_value(device, "idVendor");
  const char* p = udev_device_get_sysattr_value(device, "idProduct");
  if (!v || !p) return false;
  *vendor = static_cast<int>(std::strtol(v, nullptr, 16));
  *product = static_cast<int>(std::strtol(p, nullptr, 16));
  return true;
}

int NumberOf(udev_device* device, const char* property, const char* attribute) {
  const char* text = udev_device_get_property_value(device, property);
  if (!text) text = udev_device_get_sysattr_value(device, attribute);
  return text ? std::atoi(text) : 0;
}

class UdevEvents : public DeviceEventSource {
 public:
  UdevEvents(udev* context, udev_monitor* monitor) : udev_(context), monitor_(monitor) {}
  ~UdevEvents() override {
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
  }
  int Fd() const override { return udev_monitor_get_fd(monitor_); }

  std::vector<DeviceEvent> Take() override {
    std::vector<DeviceEvent> events;
    // The monitor's socket does not block: null once nothing waits.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
      const char* action = udev_device_get_action(device);
      const char* type = udev_device_get_devtype(device);
      int vendor = 0, product = 0;
      if (action && type && std::string(type) == "usb_device" &&
          IdsOf(device, &vendor, &product) && OurUnit(vendor, product)) {
        const std::string what = action;
        if (what == "add" || what == "remove") {
          DeviceEvent event;
          event.kind = what == "add" ? DeviceEvent::Kind::Added : DeviceEvent::Kind::Removed;
          event.location = {NumberOf(device, "BUSNUM", "busnum"),
                            NumberOf(device, "DEVNUM", "devnum")};
          events.push_back(event);
        }
      }
      udev_device_unref(device);
    }
    return events;
  }

 private:
  udev* udev_;
  udev_monitor* monitor_;
};

}  // namespace

std::unique_ptr<DeviceEventSource> StartUdevEvents(std::string* whyNot, bool requireDaemon) {
  const auto fail = [&](const char* why) {
    if (whyNot) *whyNot = why;
    return nullptr;
  };
  // Without the daemon the monitor starts but hears nothing.
  if (requireDaemon && ::access("/run/udev/control", F_OK) != 0)
    return fail("the udev daemon is not running");
  udev* context = udev_new();
  if (!context) return fail("udev is not available");
  udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
  if (!monitor) {
    udev_unref(context);
    return fail("the udev monitor could not be created");
  }
  if (udev_monitor_filter_add_match_subsystem_devtype(monitor, "usb", "usb_device") < 0 ||
      udev_monitor_enable_receiving(monitor) < 0) {
    udev_monitor_unref(monitor);
    udev_unref(context);
    return fail("the udev monitor could not be started");
  }
  return std::make_unique<UdevEvents>(context, monitor);
}

#else

std::unique_ptr<DeviceEventSource> StartUdevEvents(std::string* whyNot, bool) {
  if (whyNot) *whyNot = "built without udev";
  return nullptr;
}

#endif

}  // namespace wr
