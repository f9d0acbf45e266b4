// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include "usb/usb_api.h"

namespace wr {

// Forwards every call to the system's libusb-0.1.
class LibUsbApi final : public UsbApi {
 public:
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
};

}  // namespace wr
