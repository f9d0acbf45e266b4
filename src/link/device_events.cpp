// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/device_events.h"

#ifdef WR_HAVE_LIBUDEV
#include <libudev.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#endif

#include "protocol/commands.h"

namespace wr {

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

bool OurUnit(int vendor, int product) {
  for (const auto& ids : usbid::kUnitIds)
    if (ids.vendor == vendor && ids.product == product) return true;
  return false;
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
