// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/lib_usb_api.h"

namespace wr {

void LibUsbApi::set_debug(int level) { ::usb_set_debug(level); }
void LibUsbApi::init() { ::usb_init(); }
int LibUsbApi::find_busses() { return ::usb_find_busses(); }
int LibUsbApi::find_devices() { return ::usb_find_devices(); }
struct usb_bus* LibUsbApi::get_busses() { return ::usb_get_busses(); }
usb_dev_handle* LibUsbApi::open(struct usb_device* dev) { return ::usb_open(dev); }

int LibUsbApi::control_msg(usb_dev_handle* dev, int requesttype, int request, int value,
                           int index, char* bytes, int size, int timeout) {
  return ::usb_control_msg(dev, requesttype, request, value, index, bytes, size, timeout);
}

int LibUsbApi::set_configuration(usb_dev_handle* dev, int configuration) {
  return ::usb_set_configuration(dev, configuration);
}
int LibUsbApi::claim_interface(usb_dev_handle* dev, int interface) {
  return ::usb_claim_interface(dev, interface);
}
int LibUsbApi::release_interface(usb_dev_handle* dev, int interface) {
  return ::usb_release_interface(dev, interface);
}
int LibUsbApi::close(usb_dev_handle* dev) { return ::usb_close(dev); }

int LibUsbApi::bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size,
                          int timeout) {
  return ::usb_bulk_write(dev, ep, bytes, size, timeout);
}
int LibUsbApi::bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout) {
  return ::usb_bulk_read(dev, ep, bytes, size, timeout);
}

int LibUsbApi::detach_kernel_driver_np(usb_dev_handle* dev, int interface) {
#if defined(LIBUSB_HAS_DETACH_KERNEL_DRIVER_NP)
  return ::usb_detach_kernel_driver_np(dev, interface);
#else
  (void)dev;
  (void)interface;
  return -1;
#endif
}

std::string LibUsbApi::strerror() {
  const char* text = ::usb_strerror();
  return text ? std::string(text) : std::string();
}

}  // namespace wr
