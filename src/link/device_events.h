// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Word from the desktop that a device of our identifier pairs was added to the
// USB or removed from it, so that the worker need not look for units on a
// timer. Where there is no such word (no udev, another system, a monitor that
// fails to start) there is no source and the worker keeps searching on its
// period.
#include <memory>
#include <string>
#include <vector>

#include "usb/usb_location.h"

namespace wr {

class UsbApi;

struct DeviceEvent {
  enum class Kind { Added, Removed };
  Kind kind = Kind::Added;
  UsbLocation location;  // bus 0 when the event did not say
};

// Read by the worker thread only, after it has been handed over.
class DeviceEventSource {
 public:
  virtual ~DeviceEventSource() = default;
  // A descriptor that becomes readable when events wait (POSIX poll()).
  virtual int Fd() const = 0;
  // The events of our identifier pairs that wait, without blocking; events of
  // other devices are read and dropped.
  virtual std::vector<DeviceEvent> Take() = 0;
};

// The udev monitor on subsystem "usb", devices only. Null, with the reason in
// whyNot, when there is none: built without libudev, or it cannot start. With
// requireDaemon, also when no udev daemon runs (its events would never come).
std::unique_ptr<DeviceEventSource> StartUdevEvents(std::string* whyNot, bool requireDaemon = true);

// The bus's own word of devices added and removed (UsbApi::AddDeviceListener;
// the simulated bus has it). Null when the bus gives none.
std::unique_ptr<DeviceEventSource> WatchBusEvents(UsbApi& api);

}  // namespace wr
