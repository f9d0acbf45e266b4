// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A unit behind the kernel's usbfs interface, played inside a umockdev test
// bed. The real libusb finds its device node under /dev/bus/usb, reads its
// descriptors from it, and every ioctl it makes on the node (control request,
// configuration, claim, bulk URBs) lands in this object instead of a kernel.
// The process must run with umockdev's preload library (umockdev-wrapper).
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// umockdev's types, declared here so that its GLib headers stay out of files
// that include Qt's.
typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlData UMockdevIoctlData;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

namespace wr::test {

class UsbfsUnit {
 public:
  // Unless plugged, the unit waits for Plug(); a udev monitor started in
  // between hears it added. The test bed exists from here on.
  UsbfsUnit(int vendorId, int productId, bool plugged = true);
  void Plug();
  // Sends a uevent of the device ("add", "change", ...) to udev monitors.
  void Announce(const char* action);
  ~UsbfsUnit();
  UsbfsUnit(const UsbfsUnit&) = delete;
  UsbfsUnit& operator=(const UsbfsUnit&) = delete;

  // Empty when the unit is on the bus; otherwise why it could not be put there.
  const std::string& SetupProblem() const { return problem_; }

  // Answers a line received on the out endpoint (compared without its CR).
  void Answer(const std::string& line, const std::string& reply);
  // Bytes the unit sends without being asked.
  void Send(const std::string& bytes);
  void FailConfiguration(int error);
  // Claims fail with this error; when detachHelps, only until a kernel
  // driver has been detached from the interface.
  void FailClaim(int error, bool detachHelps);
  // While held, writes stay pending as with a unit that has stopped reading.
  void HoldWrites(bool hold);
  // The device node disappears, with its "remove" event; calls on handles
  // still open fail with ENODEV.
  void Unplug();

  // The set-up requests made on the node, in words and in order:
  // "control 21 22 1 0 0", "configuration 1", "claim 0", "detach 0", "release 0".
  std::vector<std::string> Requests() const;
  // Every byte taken from the out endpoint.
  std::string Received() const;
  // Handles on the node that this process holds open.
  int OpenHandles() const;

 private:
  struct Urb {
    UMockdevIoctlData* urb = nullptr;
    UMockdevIoctlData* buffer = nullptr;
  };
  // GLib signal handlers: int is gboolean, void* is gpointer.
  static int OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self);
  int HandleIoctl(UMockdevIoctlClient* client);
  void Submit(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void Reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void Discard(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void Complete(Urb urb, int status, int length);
  void Take(const char* bytes, int size);
  void FeedPendingRead();
  static void Release(Urb& urb);

  UMockdevTestbed* testbed_ = nullptr;
  UMockdevIoctlBase* handler_ = nullptr;
  std::string sysPath_;
  std::string record_;
  std::string devNode_;
  std::string problem_;

  mutable std::mutex mutex_;
  std::map<std::string, std::string> answers_;
  std::string pendingLine_;
  std::string received_;
  std::string output_;
  std::vector<std::string> requests_;
  std::deque<Urb> completed_;
  std::deque<Urb> pendingReads_;
  std::deque<Urb> heldWrites_;
  std::deque<Urb> reaped_;
  int configurationError_ = 0;
  int claimError_ = 0;
  bool detachHelps_ = false;
  bool detached_ = false;
  bool holdWrites_ = false;
  bool unplugged_ = false;
};

}  // namespace wr::test
