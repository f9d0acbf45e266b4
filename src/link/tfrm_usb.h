#pragma once
// The one connection to the unit: finds it by identifiers, opens and
// configures it, notices when it is gone, writes lines and reads raw bytes.
#include <QObject>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "linequeue/line_queue.h"
#include "usb/usb_api.h"
#include "protocol/commands.h"

namespace wr {

// Where a unit sits: its bus number and its device address on that bus.
struct UsbLocation {
  int bus = 0;
  int address = 0;
  bool operator==(const UsbLocation& o) const { return bus == o.bus && address == o.address; }
  bool operator!=(const UsbLocation& o) const { return !(*this == o); }
};

// One attached unit of our identifier pairs.
struct UsbUnitListing {
  UsbLocation location;
  int vendorId = 0;
  int productId = 0;
};

class TfrmUSB : public QObject {
  Q_OBJECT
 public:
  // Why the last open attempt of an attached unit failed.
  enum class OpenFailure { None, Open, Configuration, Claim };

  TfrmUSB(UsbApi& api, LineQueue& queue, QObject* parent = nullptr);
  // Releases the interface and closes the handle if the link is still open.
  ~TfrmUSB() override;

  // Which unit OpenSelected opens: the first of our identifier pairs that is
  // found (no location), or only the one at the given location. Any thread;
  // takes effect at the next open.
  void SetSelector(std::optional<UsbLocation> location);
  std::optional<UsbLocation> Selector() const;

  // Every attached unit of our identifier pairs, the first pair's first.
  static std::vector<UsbUnitListing> ListUnits(UsbApi& api);

  // Worker thread.
  // The first identifier pair, then the second, as the selector allows. When
  // no unit of either pair is attached, an earlier open failure is forgotten:
  // there is nothing left to explain.
  bool OpenSelected();
  bool OpenDevice(int vendorId, int productId);
  bool CheckDevicePresent();
  bool CloseDevice();
  bool ReadInput(int timeoutMs);

  // Any thread.
  int IsConnected() const { return connected_.load(); }
  bool SendLine(std::string_view text);

  // Where the open unit sits; empty while none is open.
  std::optional<UsbLocation> OpenLocation() const;
  int VendorId() const { return vendorId_.load(); }
  int ProductId() const { return productId_.load(); }
  OpenFailure LastOpenFailure() const;
  // The library's words for the last failure of an attached unit; empty when none.
  std::string LastOpenFailureText() const;

 private:
  static void Enumerate(UsbApi& api);
  // Lock held. A location narrows the search to that bus and address.
  struct usb_device* FindDevice(int vendorId, int productId,
                                const std::optional<UsbLocation>& at);
  void RecordFailure(OpenFailure failure, std::string text);

  UsbApi& api_;
  LineQueue& queue_;
  bool lastFound_ = false;  // the last OpenDevice found a unit to try (worker only)
  usb_dev_handle* handle_ = nullptr;  // written by the worker under handleMutex_
  char receive_[usbid::kReadSize];
  std::atomic<int> connected_{0};
  std::atomic<int> vendorId_{0};
  std::atomic<int> productId_{0};
  // A write from the UI thread holds this, so the worker cannot close the
  // handle under it; the worker's own reads need no lock.
  mutable std::mutex handleMutex_;
  mutable std::mutex failureMutex_;
  OpenFailure failure_ = OpenFailure::None;
  std::string failureText_;
  mutable std::mutex selectorMutex_;
  std::optional<UsbLocation> selector_;
  std::optional<UsbLocation> openLocation_;  // under handleMutex_
};

}  // namespace wr
