// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/tfrm_usb.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "protocol/commands.h"

namespace wr {
namespace {

// The library keeps one list of buses and devices for the whole process and
// rebuilds it on every enumeration; the workers of several sessions, and a
// listing for the user, take turns with it.
std::mutex& EnumerationMutex() {
  static std::mutex mutex;
  return mutex;
}

UsbLocation LocationOf(const struct usb_device* dev) {
  UsbLocation at;
  if (dev->bus) at.bus = std::atoi(dev->bus->dirname);
  at.address = dev->devnum;
  return at;
}

}  // namespace

TfrmUSB::TfrmUSB(UsbApi& api, LineQueue& queue, QObject* parent)
    : QObject(parent), api_(api), queue_(queue) {
  setObjectName("frmUSB");
}

TfrmUSB::~TfrmUSB() { CloseDevice(); }

void TfrmUSB::Enumerate(UsbApi& api) {
  api.set_debug(0);
  api.init();
  api.find_busses();
  api.find_devices();
}

struct usb_device* TfrmUSB::FindDevice(int vendorId, int productId,
                                       const std::optional<UsbLocation>& at) {
  Enumerate(api_);
  for (struct usb_bus* bus = api_.get_busses(); bus; bus = bus->next) {
    for (struct usb_device* dev = bus->devices; dev; dev = dev->next) {
      if (dev->descriptor.idVendor != vendorId || dev->descriptor.idProduct != productId) continue;
      if (at && LocationOf(dev) != *at) continue;
      return dev;
    }
  }
  return nullptr;
}

bool TfrmUSB::SetSelector(std::optional<UsbLocation> location) {
  bool released = false;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    selector_ = location;
    if (location && openLocation_ && *openLocation_ != *location && !closeWanted_) {
      // Nothing more goes to the unit that was chosen before; the worker
      // closes it between two reads.
      released = true;
      closeWanted_ = true;
      connected_ = 0;
      pendingWrites_ -= static_cast<int>(writes_.size());
      writes_.clear();
    }
  }
  // A worker waiting for a unit to be plugged in looks for the one now chosen.
  if (writeListener_) writeListener_();
  return released;
}

std::optional<UsbLocation> TfrmUSB::Selector() const {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return selector_;
}

std::optional<UsbLocation> TfrmUSB::OpenLocation() const {
  std::lock_guard<std::mutex> lock(stateMutex_);
  if (closeWanted_) return std::nullopt;
  return openLocation_;
}

std::vector<UsbUnitListing> TfrmUSB::ListUnits(UsbApi& api) {
  std::vector<UsbUnitListing> units;
  std::lock_guard<std::mutex> lock(EnumerationMutex());
  Enumerate(api);
  for (const auto& [vendor, product] : usbid::kUnitIds) {
    for (struct usb_bus* bus = api.get_busses(); bus; bus = bus->next) {
      for (struct usb_device* dev = bus->devices; dev; dev = dev->next) {
        if (dev->descriptor.idVendor == vendor && dev->descriptor.idProduct == product)
          units.push_back({LocationOf(dev), vendor, product});
      }
    }
  }
  return units;
}

bool TfrmUSB::OpenSelected() {
  bool found = false;
  for (const auto& [vendor, product] : usbid::kUnitIds) {
    if (OpenDevice(vendor, product)) return true;
    found = found || lastFound_;
  }
  if (!found) RecordFailure(OpenFailure::None, std::string());
  return false;
}

void TfrmUSB::RecordFailure(OpenFailure failure, std::string text) {
  std::lock_guard<std::mutex> lock(failureMutex_);
  failure_ = failure;
  failureText_ = std::move(text);
}

TfrmUSB::OpenFailure TfrmUSB::LastOpenFailure() const {
  std::lock_guard<std::mutex> lock(failureMutex_);
  return failure_;
}

std::string TfrmUSB::LastOpenFailureText() const {
  std::lock_guard<std::mutex> lock(failureMutex_);
  return failureText_;
}

bool TfrmUSB::OpenDevice(int vendorId, int productId) {
  if (handle_) CloseDevice();
  std::lock_guard<std::mutex> enumeration(EnumerationMutex());
  struct usb_device* dev = FindDevice(vendorId, productId, Selector());
  lastFound_ = dev != nullptr;
  if (!dev) return false;
  const UsbLocation location = LocationOf(dev);

  usb_dev_handle* handle = api_.open(dev);
  if (!handle) {
    // On Linux this is nearly always a missing permission on the device node.
    RecordFailure(OpenFailure::Open, api_.strerror());
    return false;
  }
  char none = 0;
  api_.control_msg(handle, usbid::kCtrlRequestType, usbid::kCtrlRequest, usbid::kCtrlValue,
                   usbid::kCtrlIndex, &none, 0, usbid::kCtrlTimeoutMs);
  if (api_.set_configuration(handle, usbid::kConfiguration) != 0) {
    RecordFailure(OpenFailure::Configuration, api_.strerror());
    api_.close(handle);
    return false;
  }
  if (api_.claim_interface(handle, usbid::kInterface) != 0) {
    // A kernel driver (a modem driver, say) may hold the interface: free it and try once more.
    if (api_.detach_kernel_driver_np(handle, usbid::kInterface) != 0 ||
        api_.claim_interface(handle, usbid::kInterface) != 0) {
      RecordFailure(OpenFailure::Claim, api_.strerror());
      api_.close(handle);
      return false;
    }
  }
  // Every complete line of the last connection has been drained before this
  // attempt; what is left is the unfinished line of a unit that went away,
  // which must not swallow the new unit's first answer.
  queue_.Discard(LineQueue::kReceiveChannel);
  handle_ = handle;
  bool chosen = false;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    // Another unit may have been chosen while this one was being opened.
    chosen = !selector_ || *selector_ == location;
    if (chosen) {
      openLocation_ = location;
      closeWanted_ = false;
      pendingWrites_ -= static_cast<int>(writes_.size());
      writes_.clear();
      vendorId_ = vendorId;
      productId_ = productId;
      connected_ = 1;
    }
  }
  if (!chosen) {
    api_.release_interface(handle_, usbid::kInterface);
    api_.close(handle_);
    handle_ = nullptr;
    return false;
  }
  RecordFailure(OpenFailure::None, std::string());
  return true;
}

bool TfrmUSB::CheckDevicePresent() {
  if (!handle_) return false;
  std::optional<UsbLocation> at;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    at = openLocation_;
  }
  {
    // The unit that is open, not merely one of its kind: another unit of the
    // same identifiers may be attached too.
    std::lock_guard<std::mutex> enumeration(EnumerationMutex());
    if (FindDevice(vendorId_, productId_, at)) return true;
  }
  CloseDevice();
  return false;
}

bool TfrmUSB::CloseDevice() {
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    connected_ = 0;
    openLocation_.reset();
    closeWanted_ = false;
    pendingWrites_ -= static_cast<int>(writes_.size());
    writes_.clear();
  }
  if (!handle_) return false;
  api_.release_interface(handle_, usbid::kInterface);
  api_.close(handle_);
  handle_ = nullptr;
  return true;
}

uint64_t TfrmUSB::SendLine(std::string_view text) {
  std::string line;
  line.reserve(text.size() + 1);
  line.append(text);
  line.push_back('\r');
  uint64_t ticket = 0;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    if (!connected_) return 0;
    ticket = ++lastTicket_;
    writes_.push_back({ticket, std::move(line)});
    ++pendingWrites_;
  }
  if (writeListener_) writeListener_();
  return ticket;
}

std::vector<uint64_t> TfrmUSB::TakeFailedWrites() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return std::exchange(failedWrites_, {});
}

bool TfrmUSB::RequestsPending() const {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return closeWanted_ || !writes_.empty();
}

bool TfrmUSB::ServiceRequests() {
  std::vector<Write> lines;
  bool close = false;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    close = closeWanted_;
    lines.swap(writes_);
  }
  if (close) {
    pendingWrites_ -= static_cast<int>(lines.size());
    CloseDevice();
    return false;
  }
  std::vector<uint64_t> failed;
  for (const Write& write : lines) {
    const int size = static_cast<int>(write.line.size());
    const bool written =
        handle_ && api_.bulk_write(handle_, usbid::kEndpointOut, write.line.data(), size,
                                   usbid::kWriteTimeoutMs) == size;
    if (!written) failed.push_back(write.ticket);
    --pendingWrites_;
  }
  if (!failed.empty()) {
    std::lock_guard<std::mutex> lock(stateMutex_);
    failedWrites_.insert(failedWrites_.end(), failed.begin(), failed.end());
  }
  return !failed.empty();
}

TfrmUSB::ReadResult TfrmUSB::ReadInput(int timeoutMs) {
  if (!handle_) return ReadResult::Failed;
  const int n = api_.bulk_read(handle_, usbid::kEndpointIn, receive_, sizeof receive_, timeoutMs);
  if (n == 0 || n == -ETIMEDOUT) return ReadResult::Nothing;
  if (n < 0) return ReadResult::Failed;
  const int count = n < static_cast<int>(sizeof receive_) ? n : static_cast<int>(sizeof receive_);
  for (int i = 0; i < count; ++i)
    queue_.PutByte(LineQueue::kReceiveChannel, static_cast<uint8_t>(receive_[i]));
  return ReadResult::Data;
}

}  // namespace wr
