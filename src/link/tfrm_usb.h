#pragma once
// The one connection to the unit: finds it by identifiers, opens and
// configures it, notices when it is gone, writes lines and reads raw bytes.
#include <QObject>

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

#include "linequeue/line_queue.h"
#include "usb/usb_api.h"
#include "protocol/commands.h"

namespace wr {

class TfrmUSB : public QObject {
  Q_OBJECT
 public:
  // Why the last open attempt of an attached unit failed.
  enum class OpenFailure { None, Open, Configuration, Claim };

  TfrmUSB(UsbApi& api, LineQueue& queue, QObject* parent = nullptr);
  // Releases the interface and closes the handle if the link is still open.
  ~TfrmUSB() override;

  // Worker thread.
  bool OpenDevice(int vendorId, int productId);
  bool CheckDevicePresent();
  bool CloseDevice();
  bool ReadInput(int timeoutMs);

  // Any thread.
  int IsConnected() const { return connected_.load(); }
  bool SendLine(std::string_view text);

  int VendorId() const { return vendorId_.load(); }
  int ProductId() const { return productId_.load(); }
  OpenFailure LastOpenFailure() const;
  // The library's words for the last failure of an attached unit; empty when none.
  std::string LastOpenFailureText() const;

 private:
  void Enumerate();
  struct usb_device* FindDevice(int vendorId, int productId);
  void RecordFailure(OpenFailure failure, std::string text);

  UsbApi& api_;
  LineQueue& queue_;
  usb_dev_handle* handle_ = nullptr;  // written by the worker under handleMutex_
  char receive_[usbid::kReadSize];
  std::atomic<int> connected_{0};
  std::atomic<int> vendorId_{0};
  std::atomic<int> productId_{0};
  // A write from the UI thread holds this, so the worker cannot close the
  // handle under it; the worker's own reads need no lock.
  std::mutex handleMutex_;
  mutable std::mutex failureMutex_;
  OpenFailure failure_ = OpenFailure::None;
  std::string failureText_;
};

}  // namespace wr
