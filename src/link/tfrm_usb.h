// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one connection to the unit: finds it by identifiers, opens and
// configures it, notices when it is gone, writes lines and reads raw bytes.
#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "linequeue/line_queue.h"
#include "usb/usb_api.h"
#include "usb/usb_location.h"
#include "protocol/commands.h"

namespace wr {

// Only the worker thread touches the device handle: it opens, closes, reads
// and writes. Other threads hand it lines to write and the choice of unit,
// which it carries out between two reads, so that a read in flight never
// meets a handle closed under it and a slow unit never holds up a window.
class TfrmUSB : public QObject {
  Q_OBJECT
 public:
  // Why the last open attempt of an attached unit failed.
  using OpenFailure = UsbOpenFailure;
  // What one read brought.
  enum class ReadResult { Data, Nothing, Failed };

  TfrmUSB(UsbApi& api, LineQueue& queue, QObject* parent = nullptr);
  // Releases the interface and closes the handle if the link is still open.
  // Only once the worker has stopped.
  ~TfrmUSB() override;

  // ---- any thread

  // Which unit OpenSelected opens: the first of our identifier pairs that is
  // found (no location), or only the one at the given location. When the
  // open unit is not the one now chosen, the link reads as closed at once and
  // the worker closes it at its next step. True when this call let the open
  // unit go: the worker may open the chosen one before the caller looks, so
  // the link's state afterwards does not tell.
  bool SetSelector(std::optional<UsbLocation> location);
  std::optional<UsbLocation> Selector() const;
  // Hands one line (a carriage return is added) to the worker, which writes
  // it in one transfer before its next read. Returns the line's ticket, a
  // number that grows with every line; 0 (false) when no unit is open. A
  // write that then fails is reported by its ticket (TakeFailedWrites).
  uint64_t SendLine(std::string_view text);
  // The tickets of lines whose write failed since the last call, in order.
  std::vector<uint64_t> TakeFailedWrites();
  // Called (on the thread that hands a line over, without a lock held) each
  // time a line is handed over or another unit is chosen, so that a waiting
  // worker can act on it. Set
  // before the worker starts.
  void SetWriteListener(std::function<void()> listener) { writeListener_ = std::move(listener); }

  int IsConnected() const { return connected_.load(); }
  // Where the open unit sits; empty while none is open.
  std::optional<UsbLocation> OpenLocation() const;
  int VendorId() const { return vendorId_.load(); }
  int ProductId() const { return productId_.load(); }
  OpenFailure LastOpenFailure() const;
  // The library's words for the last failure of an attached unit; empty when none.
  std::string LastOpenFailureText() const;

  // Every attached unit of our identifier pairs, the first pair's first.
  static std::vector<UsbUnitListing> ListUnits(UsbApi& api);

  // ---- worker thread

  // The first identifier pair, then the second, as the selector allows. When
  // no unit of either pair is attached, an earlier open failure is forgotten:
  // there is nothing left to explain.
  bool OpenSelected();
  bool OpenDevice(int vendorId, int productId);
  bool CheckDevicePresent();
  bool CloseDevice();
  // Carries out what other threads asked for: closes a unit no longer
  // chosen, then writes the lines handed over, in order. True when a write
  // failed (the unit may be gone).
  bool ServiceRequests();
  // Whether lines or a close wait for ServiceRequests.
  bool RequestsPending() const;
  // Any thread: lines handed over whose write has not ended yet.
  bool WritesPending() const { return pendingWrites_.load() > 0; }
  ReadResult ReadInput(int timeoutMs);

 private:
  static void Enumerate(UsbApi& api);
  // Enumeration lock held. A location narrows the search to that bus and address.
  struct usb_device* FindDevice(int vendorId, int productId,
                                const std::optional<UsbLocation>& at);
  void RecordFailure(OpenFailure failure, std::string text);

  UsbApi& api_;
  LineQueue& queue_;
  // Worker only.
  bool lastFound_ = false;  // the last OpenDevice found a unit to try
  usb_dev_handle* handle_ = nullptr;
  char receive_[usbid::kReadSize];
  std::function<void()> writeListener_;

  std::atomic<int> connected_{0};
  std::atomic<int> vendorId_{0};
  std::atomic<int> productId_{0};
  std::atomic<int> pendingWrites_{0};

  // What the threads share about the open unit and the requests to the worker.
  mutable std::mutex stateMutex_;
  std::optional<UsbLocation> selector_;
  std::optional<UsbLocation> openLocation_;
  bool closeWanted_ = false;         // the open unit is no longer the one chosen
  struct Write {
    uint64_t ticket;
    std::string line;
  };
  std::vector<Write> writes_;  // lines for the open unit, in order
  uint64_t lastTicket_ = 0;
  std::vector<uint64_t> failedWrites_;

  mutable std::mutex failureMutex_;
  OpenFailure failure_ = OpenFailure::None;
  std::string failureText_;
};

}  // namespace wr
