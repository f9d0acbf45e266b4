// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "usbstack/usbfs_unit.h"

#include <linux/usbdevice_fs.h>
#include <dirent.h>
#include <limits.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <umockdev.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace wr::test {
namespace {

// libusb keeps a device it has seen by its file name and does not read its
// descriptors again, so every unit gets a device number of its own, as a
// replugged device would.
int NextDeviceNumber() {
  static int number = 1;
  return ++number;
}

std::string Hex(const std::vector<unsigned char>& bytes) {
  std::string text;
  char pair[3];
  for (unsigned char b : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", b);
    text += pair;
  }
  return text;
}

// One configuration, one vendor-specific interface with bulk endpoints 0x01 and 0x82.
std::vector<unsigned char> Descriptors(int vendorId, int productId) {
  return {18, 1, 0x00, 0x02, 0, 0, 0, 64,
          static_cast<unsigned char>(vendorId & 0xFF), static_cast<unsigned char>(vendorId >> 8),
          static_cast<unsigned char>(productId & 0xFF), static_cast<unsigned char>(productId >> 8),
          0x00, 0x01, 0, 0, 0, 1,
          9, 2, 32, 0, 1, 1, 0, 0x80, 50,
          9, 4, 0, 0, 2, 0xFF, 0, 0, 0,
          7, 5, 0x01, 2, 64, 0, 0,
          7, 5, 0x82, 2, 64, 0, 0};
}

UMockdevIoctlData* Resolve(UMockdevIoctlData* data, gsize offset, gsize length) {
  GError* error = nullptr;
  UMockdevIoctlData* resolved = umockdev_ioctl_data_resolve(data, offset, length, &error);
  if (error) g_error_free(error);
  return resolved;
}

gboolean Finish(UMockdevIoctlClient* client, long result, int error) {
  umockdev_ioctl_client_complete(client, result, error);
  return TRUE;
}

usbdevfs_urb* UrbOf(UMockdevIoctlData* data) { return reinterpret_cast<usbdevfs_urb*>(data->data); }

}  // namespace

UsbfsUnit::UsbfsUnit(int vendorId, int productId, bool plugged) {
  const int devnum = NextDeviceNumber();
  char name[64];
  std::snprintf(name, sizeof name, "1-%d", devnum);
  sysPath_ = std::string("/sys/devices/usbstack-test/usb1/") + name;
  std::snprintf(name, sizeof name, "/dev/bus/usb/001/%03d", devnum);
  devNode_ = name;

  const std::string descriptors = Hex(Descriptors(vendorId, productId));
  char ids[160];
  // The kernel's own uevent keys too: a removal event carries nothing else.
  std::snprintf(ids, sizeof ids,
                "E: PRODUCT=%x/%x/100\nE: BUSNUM=001\nE: DEVNUM=%03d\n"
                "A: idVendor=%04x\nA: idProduct=%04x\n",
                vendorId, productId, devnum, vendorId, productId);
  record_ = "P: " + sysPath_.substr(4) + "\nN: " + devNode_.substr(5) + "=" + descriptors +
            "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=" + devNode_ + "\n" + ids +
            "A: busnum=1\nA: devnum=" + std::to_string(devnum) +
            "\nH: descriptors=" + descriptors + "\n";

  testbed_ = umockdev_testbed_new();
  if (plugged) Plug();
}

void UsbfsUnit::Plug() {
  GError* error = nullptr;
  // The node takes ioctls before the device appears: a monitor hears of it
  // at once, and the worker may open it before this returns.
  if (!handler_) {
    handler_ = umockdev_ioctl_base_new();
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(&UsbfsUnit::OnIoctl), this);
    if (!umockdev_testbed_attach_ioctl(testbed_, devNode_.c_str(), handler_, &error)) {
      problem_ = std::string("umockdev cannot take the node's ioctls: ") +
                 (error ? error->message : "?");
      if (error) g_error_free(error);
      return;
    }
  }
  // Adding the device sends its "add" event to udev monitors in the test bed.
  if (!umockdev_testbed_add_from_string(testbed_, record_.c_str(), &error)) {
    problem_ = std::string("umockdev refused the device: ") + (error ? error->message : "?");
    if (error) g_error_free(error);
    return;
  }
  // Only the preload library makes the test bed's /sys visible under /sys.
  struct stat info;
  if (::stat(sysPath_.c_str(), &info) != 0)
    problem_ = "umockdev's preload library is not loaded; run under umockdev-wrapper";
}

void UsbfsUnit::Announce(const char* action) {
  umockdev_testbed_uevent(testbed_, sysPath_.c_str(), action);
}

UsbfsUnit::~UsbfsUnit() {
  if (handler_) {
    umockdev_testbed_detach_ioctl(testbed_, devNode_.c_str(), nullptr);
    g_signal_handlers_disconnect_by_data(handler_, this);
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto* list : {&completed_, &pendingReads_, &heldWrites_, &reaped_})
      for (Urb& urb : *list) Release(urb);
  }
  if (handler_) g_object_unref(handler_);
  if (testbed_) g_object_unref(testbed_);
}

void UsbfsUnit::Answer(const std::string& line, const std::string& reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  answers_[line] = reply;
}

void UsbfsUnit::Send(const std::string& bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  output_ += bytes;
}

void UsbfsUnit::FailConfiguration(int error) {
  std::lock_guard<std::mutex> lock(mutex_);
  configurationError_ = error;
}

void UsbfsUnit::FailClaim(int error, bool detachHelps) {
  std::lock_guard<std::mutex> lock(mutex_);
  claimError_ = error;
  detachHelps_ = detachHelps;
}

void UsbfsUnit::HoldWrites(bool hold) {
  std::lock_guard<std::mutex> lock(mutex_);
  holdWrites_ = hold;
}

void UsbfsUnit::Unplug() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    unplugged_ = true;
  }
  umockdev_testbed_uevent(testbed_, sysPath_.c_str(), "remove");
  umockdev_testbed_remove_device(testbed_, sysPath_.c_str());
  // The node is what libusb lists; make sure it is gone with the device.
  gchar* root = umockdev_testbed_get_root_dir(testbed_);
  ::unlink((std::string(root) + devNode_).c_str());
  g_free(root);
}

std::vector<std::string> UsbfsUnit::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::string UsbfsUnit::Received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

int UsbfsUnit::OpenHandles() const {
  // The test bed's own notice of a closed handle comes late or not at all;
  // this process's descriptor table is the plain truth.
  gchar* root = umockdev_testbed_get_root_dir(testbed_);
  const std::string node = std::string(root) + devNode_;
  g_free(root);
  int count = 0;
  if (DIR* fds = ::opendir("/proc/self/fd")) {
    while (const dirent* entry = ::readdir(fds)) {
      char target[PATH_MAX];
      const std::string link = std::string("/proc/self/fd/") + entry->d_name;
      const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
      if (n <= 0) continue;
      target[n] = '\0';
      if (node == target) ++count;
    }
    ::closedir(fds);
  }
  return count;
}

int UsbfsUnit::OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self) {
  return static_cast<UsbfsUnit*>(self)->HandleIoctl(client);
}

// Runs on the test bed's thread while the caller waits in ioctl().
int UsbfsUnit::HandleIoctl(UMockdevIoctlClient* client) {
  const unsigned long request = umockdev_ioctl_client_get_request(client);
  UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
  std::lock_guard<std::mutex> lock(mutex_);
  if (unplugged_) return Finish(client, -1, ENODEV);

  switch (request) {
    case USBDEVFS_CONTROL: {
      UMockdevIoctlData* data = Resolve(arg, 0, sizeof(usbdevfs_ctrltransfer));
      if (!data) return Finish(client, -1, EFAULT);
      const auto* ctrl = reinterpret_cast<const usbdevfs_ctrltransfer*>(data->data);
      char words[64];
      std::snprintf(words, sizeof words, "control %x %x %x %x %u", ctrl->bRequestType,
                    ctrl->bRequest, ctrl->wValue, ctrl->wIndex, ctrl->wLength);
      requests_.push_back(words);
      // Only requests without a data stage are part of this unit's set-up.
      const int length = ctrl->wLength;
      g_object_unref(data);
      return length == 0 ? Finish(client, 0, 0) : Finish(client, -1, EPIPE);
    }
    case USBDEVFS_SETCONFIGURATION:
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE: {
      UMockdevIoctlData* data = Resolve(arg, 0, sizeof(unsigned int));
      if (!data) return Finish(client, -1, EFAULT);
      const unsigned value = *reinterpret_cast<const unsigned*>(data->data);
      g_object_unref(data);
      const char* word = request == USBDEVFS_SETCONFIGURATION ? "configuration "
                         : request == USBDEVFS_CLAIMINTERFACE ? "claim "
                                                               : "release ";
      requests_.push_back(word + std::to_string(value));
      if (request == USBDEVFS_SETCONFIGURATION && configurationError_)
        return Finish(client, -1, configurationError_);
      if (request == USBDEVFS_CLAIMINTERFACE && claimError_ && !(detachHelps_ && detached_))
        return Finish(client, -1, claimError_);
      return Finish(client, 0, 0);
    }
    case USBDEVFS_IOCTL: {
      UMockdevIoctlData* data = Resolve(arg, 0, sizeof(usbdevfs_ioctl));
      if (!data) return Finish(client, -1, EFAULT);
      const auto* command = reinterpret_cast<const usbdevfs_ioctl*>(data->data);
      const bool disconnect = command->ioctl_code == static_cast<int>(USBDEVFS_DISCONNECT);
      const int ifno = command->ifno;
      g_object_unref(data);
      // Hub queries during enumeration are not for a unit to answer.
      if (!disconnect) return Finish(client, -1, ENOTTY);
      requests_.push_back("detach " + std::to_string(ifno));
      detached_ = true;
      return Finish(client, 0, 0);
    }
    case USBDEVFS_SUBMITURB:
      Submit(client, arg);
      return TRUE;
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
      Reap(client, arg);
      return TRUE;
    case USBDEVFS_DISCARDURB:
      Discard(client, arg);
      return TRUE;
    default:
      return Finish(client, -1, ENOTTY);
  }
}

void UsbfsUnit::Submit(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  Urb urb;
  urb.urb = Resolve(arg, 0, sizeof(usbdevfs_urb));
  if (!urb.urb) {
    Finish(client, -1, EFAULT);
    return;
  }
  usbdevfs_urb* u = UrbOf(urb.urb);
  const int length = u->buffer_length;
  if (u->type != USBDEVFS_URB_TYPE_BULK || (u->endpoint != 0x01 && u->endpoint != 0x82) ||
      length < 0) {
    Release(urb);
    Finish(client, -1, EINVAL);
    return;
  }
  if (length > 0) {
    urb.buffer = Resolve(urb.urb, offsetof(usbdevfs_urb, buffer), length);
    if (!urb.buffer) {
      Release(urb);
      Finish(client, -1, EFAULT);
      return;
    }
  }
  if (u->endpoint == 0x82) {
    pendingReads_.push_back(urb);
    FeedPendingRead();
  } else if (holdWrites_) {
    heldWrites_.push_back(urb);
  } else {
    Take(urb.buffer ? reinterpret_cast<const char*>(urb.buffer->data) : "", length);
    Complete(urb, 0, length);
    FeedPendingRead();
  }
  Finish(client, 0, 0);
}

void UsbfsUnit::Reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  FeedPendingRead();
  if (completed_.empty()) {
    // Nothing has finished; a blocking reap would wait, which no caller here needs.
    Finish(client, -1, EAGAIN);
    return;
  }
  UMockdevIoctlData* context = Resolve(arg, 0, sizeof(void*));
  if (!context) {
    Finish(client, -1, EFAULT);
    return;
  }
  Urb urb = completed_.front();
  completed_.pop_front();
  // Hands the caller its own URB back, with status, length and data synced.
  umockdev_ioctl_data_set_ptr(context, 0, urb.urb);
  Finish(client, 0, 0);
  // The data is synced back as the call completes; keep it alive until the end.
  g_object_unref(context);
  reaped_.push_back(urb);
}

void UsbfsUnit::Discard(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  // The argument is the address of the URB itself.
  const auto address = *reinterpret_cast<const gulong*>(arg->data);
  for (auto* list : {&pendingReads_, &heldWrites_}) {
    for (auto it = list->begin(); it != list->end(); ++it) {
      if (it->urb->client_addr != address) continue;
      Urb urb = *it;
      list->erase(it);
      Complete(urb, -ENOENT, 0);
      Finish(client, 0, 0);
      return;
    }
  }
  Finish(client, -1, EINVAL);
}

void UsbfsUnit::Complete(Urb urb, int status, int length) {
  usbdevfs_urb* u = UrbOf(urb.urb);
  u->status = status;
  u->actual_length = length;
  completed_.push_back(urb);
}

void UsbfsUnit::Take(const char* bytes, int size) {
  received_.append(bytes, size);
  for (int i = 0; i < size; ++i) {
    if (bytes[i] != '\r') {
      pendingLine_.push_back(bytes[i]);
      continue;
    }
    auto answer = answers_.find(pendingLine_);
    if (answer != answers_.end()) output_ += answer->second;
    pendingLine_.clear();
  }
}

void UsbfsUnit::FeedPendingRead() {
  while (!output_.empty() && !pendingReads_.empty()) {
    Urb urb = pendingReads_.front();
    pendingReads_.pop_front();
    const int room = UrbOf(urb.urb)->buffer_length;
    const int n = static_cast<int>(output_.size()) < room ? static_cast<int>(output_.size()) : room;
    if (n > 0) std::memcpy(urb.buffer->data, output_.data(), n);
    output_.erase(0, n);
    Complete(urb, 0, n);
  }
}

void UsbfsUnit::Release(Urb& urb) {
  if (urb.buffer) g_object_unref(urb.buffer);
  if (urb.urb) g_object_unref(urb.urb);
  urb = Urb();
}

}  // namespace wr::test
