#include "link/tfrm_usb.h"

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

void TfrmUSB::SetSelector(std::optional<UsbLocation> location) {
  std::lock_guard<std::mutex> lock(selectorMutex_);
  selector_ = location;
}

std::optional<UsbLocation> TfrmUSB::Selector() const {
  std::lock_guard<std::mutex> lock(selectorMutex_);
  return selector_;
}

std::optional<UsbLocation> TfrmUSB::OpenLocation() const {
  std::lock_guard<std::mutex> lock(handleMutex_);
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
  if (IsConnected()) CloseDevice();
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
  {
    std::lock_guard<std::mutex> lock(handleMutex_);
    handle_ = handle;
    openLocation_ = location;
    vendorId_ = vendorId;
    productId_ = productId;
    connected_ = 1;
  }
  RecordFailure(OpenFailure::None, std::string());
  return true;
}

bool TfrmUSB::CheckDevicePresent() {
  if (!IsConnected()) return false;
  {
    // The unit that is open, not merely one of its kind: another unit of the
    // same identifiers may be attached too.
    std::lock_guard<std::mutex> enumeration(EnumerationMutex());
    if (FindDevice(vendorId_, productId_, OpenLocation())) return true;
  }
  CloseDevice();
  return false;
}

bool TfrmUSB::CloseDevice() {
  std::lock_guard<std::mutex> lock(handleMutex_);
  if (!connected_) return false;
  connected_ = 0;
  api_.release_interface(handle_, usbid::kInterface);
  api_.close(handle_);
  handle_ = nullptr;
  openLocation_.reset();
  return true;
}

bool TfrmUSB::SendLine(std::string_view text) {
  std::string line;
  line.reserve(text.size() + 1);
  line.append(text);
  line.push_back('\r');
  std::lock_guard<std::mutex> lock(handleMutex_);
  if (!connected_ || !handle_) return false;
  const int size = static_cast<int>(line.size());
  const int written =
      api_.bulk_write(handle_, usbid::kEndpointOut, line.data(), size, usbid::kWriteTimeoutMs);
  return written == size;
}

bool TfrmUSB::ReadInput(int timeoutMs) {
  if (!IsConnected()) return false;
  const int n = api_.bulk_read(handle_, usbid::kEndpointIn, receive_, sizeof receive_, timeoutMs);
  if (n <= 0) return false;
  const int count = n < static_cast<int>(sizeof receive_) ? n : static_cast<int>(sizeof receive_);
  for (int i = 0; i < count; ++i)
    queue_.PutByte(LineQueue::kReceiveChannel, static_cast<uint8_t>(receive_[i]));
  return true;
}

}  // namespace wr
