// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The libusb-0.1 calls the tool makes, one method each, with the library's
// arguments and return conventions. LibUsbApi forwards to the library;
// SimulatedBus plays a unit behind the same calls.
#include <usb.h>

#include <functional>
#include <string>

#include "usb/usb_location.h"

namespace wr {

// A device that came onto the bus or went from it.
struct UsbDeviceChange {
  bool added = true;
  UsbLocation location;
  int vendorId = 0;
  int productId = 0;
};

class UsbApi {
 public:
  virtual ~UsbApi() = default;

  virtual void set_debug(int level) = 0;
  virtual void init() = 0;
  virtual int find_busses() = 0;
  virtual int find_devices() = 0;
  virtual struct usb_bus* get_busses() = 0;
  virtual usb_dev_handle* open(struct usb_device* dev) = 0;
  virtual int control_msg(usb_dev_handle* dev, int requesttype, int request, int value,
                          int index, char* bytes, int size, int timeout) = 0;
  virtual int set_configuration(usb_dev_handle* dev, int configuration) = 0;
  virtual int claim_interface(usb_dev_handle* dev, int interface) = 0;
  virtual int release_interface(usb_dev_handle* dev, int interface) = 0;
  virtual int close(usb_dev_handle* dev) = 0;
  virtual int bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size,
                         int timeout) = 0;
  virtual int bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout) = 0;

  // Linux only in libusb; elsewhere it fails with a negative result. Used to
  // free an interface that a kernel driver holds before claiming it again.
  virtual int detach_kernel_driver_np(usb_dev_handle* dev, int interface) = 0;
  // The library's text for its last failure (usb_strerror).
  virtual std::string strerror() = 0;

  // A bus that knows by itself when devices come and go tells listeners at
  // once, on any thread; the library does not (-1: no listener taken). A
  // listener must not call back into the bus. Once RemoveDeviceListener has
  // returned, that listener is not called again.
  using DeviceListener = std::function<void(const UsbDeviceChange&)>;
  virtual int AddDeviceListener(DeviceListener /*listener*/) { return -1; }
  virtual void RemoveDeviceListener(int /*id*/) {}
};

}  // namespace wr
