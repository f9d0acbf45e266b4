// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/usb_comms.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QSocketNotifier>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <utility>

#include "link/tfrm_usb.h"

namespace wr {
namespace {

using Clock = std::chrono::steady_clock;

int64_t MsSince(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

#ifdef _WIN32
// Without the pipe, the worker posts this event instead.
constexpr QEvent::Type kWakeEvent = static_cast<QEvent::Type>(QEvent::User + 101);

class WakeFilter : public QObject {
 public:
  explicit WakeFilter(std::function<void()> woken) : woken_(std::move(woken)) {}
  bool event(QEvent* e) override {
    if (e->type() != kWakeEvent) return QObject::event(e);
    woken_();
    return true;
  }

 private:
  std::function<void()> woken_;
};
#endif

}  // namespace

// No objectName: QThread would copy it for the thread's name on the new
// thread while the owner may touch it, and the class name serves as well.
USBcomms::USBcomms(LineQueue& queue, QObject* parent) : QThread(parent), queue_(queue) {
#ifndef _WIN32
  int fds[2];
  if (::pipe(fds) == 0) {
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
    for (int fd : fds) {
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
      ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    wakeNotifier_ = new QSocketNotifier(wakeRead_, QSocketNotifier::Read, this);
    connect(wakeNotifier_, &QSocketNotifier::activated, this, [this] { OwnerWoken(); });
  }
#else
  wakeTarget_ = std::make_unique<WakeFilter>([this] { OwnerWoken(); });
#endif
}

USBcomms::~USBcomms() {
  // Nothing may be destroyed while the worker can still reach it.
  if (isRunning()) Shutdown();
#ifndef _WIN32
  delete wakeNotifier_;
  if (wakeRead_ >= 0) ::close(wakeRead_);
  if (wakeWrite_ >= 0) ::close(wakeWrite_);
  if (workerWakeRead_ >= 0) ::close(workerWakeRead_);
  if (workerWakeWrite_ >= 0) ::close(workerWakeWrite_);
#endif
}

void USBcomms::AttachUsb(TfrmUSB* usb) {
  usb_.store(usb);
  if (!usb) return;
  // A line handed over while the worker waits for its drain step is written
  // at once: writing does not touch the line queue the owner is reading.
  usb->SetWriteListener([this] {
    { std::lock_guard<std::mutex> lock(drainMutex_); }
    drainWake_.notify_all();
    WakeWorker();
  });
}

void USBcomms::SetDeviceEvents(std::unique_ptr<DeviceEventSource> events) {
#ifndef _WIN32
  if (!events || events->Fd() < 0) return;
  int fds[2];
  if (::pipe(fds) != 0) return;  // no way to wake the wait: search on the period
  workerWakeRead_ = fds[0];
  workerWakeWrite_ = fds[1];
  for (int fd : fds) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  events_ = std::move(events);
#else
  (void)events;
#endif
}

void USBcomms::WakeWorker() {
#ifndef _WIN32
  if (workerWakeWrite_ < 0) return;
  const char byte = 1;
  // A full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t n = ::write(workerWakeWrite_, &byte, 1);
#endif
}

bool USBcomms::WaitForDeviceEvent() {
#ifndef _WIN32
  while (!stop_) {
    pollfd fds[2] = {{events_->Fd(), POLLIN, 0}, {workerWakeRead_, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (fds[1].revents) {
      char bytes[64];
      while (::read(workerWakeRead_, bytes, sizeof bytes) > 0) {
      }
      return false;
    }
    const std::vector<DeviceEvent> events = events_->Take();
    // A removal too is looked into and reported: the owner lists the bus
    // again (it may be the open unit's, when a failed read closed it first).
    if (!events.empty()) devicesChanged_ = true;
    for (const DeviceEvent& event : events)
      if (event.kind == DeviceEvent::Kind::Added) return true;
    if (!events.empty()) return false;
  }
#endif
  return false;
}

bool USBcomms::OpenUnitRemoved(TfrmUSB* usb) {
#ifndef _WIN32
  pollfd fd = {events_->Fd(), POLLIN, 0};
  if (::poll(&fd, 1, 0) <= 0) return false;
  const std::optional<UsbLocation> open = usb->OpenLocation();
  for (const DeviceEvent& event : events_->Take()) {
    devicesChanged_ = true;
    if (event.kind != DeviceEvent::Kind::Removed) continue;
    // An event without a location may be ours: the presence check decides.
    if (event.location.bus == 0 ? !usb->CheckDevicePresent()
                                : (open && *open == event.location)) {
      usb->CloseDevice();
      return true;
    }
  }
#else
  (void)usb;
#endif
  return false;
}

void USBcomms::WakeOwner() {
#ifndef _WIN32
  const char byte = 1;
  // A full pipe already holds a wake-up; nothing is lost by dropping this one.
  [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &byte, 1);
#else
  QCoreApplication::postEvent(wakeTarget_.get(), new QEvent(kWakeEvent));
#endif
}

void USBcomms::OwnerWoken() {
#ifndef _WIN32
  char bytes[64];
  while (::read(wakeRead_, bytes, sizeof bytes) > 0) {
  }
#endif
  RunPostedDrain();
  std::lock_guard<std::mutex> lock(drainMutex_);
  if (loopLeft_ && shutdownLoop_) shutdownLoop_->quit();
}

void USBcomms::RequestStop() {
  {
    std::lock_guard<std::mutex> lock(sleepMutex_);
    stop_ = true;
  }
  sleepWake_.notify_all();
  WakeWorker();
  {
    std::lock_guard<std::mutex> lock(drainMutex_);
  }
  drainWake_.notify_all();
}

void USBcomms::Shutdown() {
  RequestStop();
  if (isRunning()) {
    // The worker may be blocked waiting for a drain step on this thread: keep
    // serving events until it says it has left its loop.
    QEventLoop loop;
    {
      std::lock_guard<std::mutex> lock(drainMutex_);
      shutdownLoop_ = loopLeft_ ? nullptr : &loop;
    }
    if (shutdownLoop_) loop.exec();
    shutdownLoop_ = nullptr;
  }
  wait();
  // The worker's last act takes this lock; taking it here orders everything
  // the worker did before whatever the caller destroys next.
  std::lock_guard<std::mutex> lock(drainMutex_);
}

bool USBcomms::SleepUnlessStopped(int ms) {
  std::unique_lock<std::mutex> lock(sleepMutex_);
  return sleepWake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_.load(); });
}

void USBcomms::DrainOnOwnerThread() {
  // Runs on the owning thread, in its main loop or in any nested loop (modal
  // boxes, waits); the worker waits until it has finished.
  {
    // Written under the lock, like every other act of the worker that the
    // owner must see ordered before its own.
    std::lock_guard<std::mutex> lock(drainMutex_);
    drainState_ = DrainState::Posted;
    WakeOwner();
  }
  TfrmUSB* usb = usb_.load();
  const auto ended = [this] {
    return drainState_ == DrainState::Done || drainState_ == DrainState::Abandoned;
  };
  std::unique_lock<std::mutex> lock(drainMutex_);
  for (;;) {
    drainWake_.wait(lock, [&] {
      // On a stop request a step that has not ended yet is given up, so that
      // shutdown never waits for an event loop that may not run again.
      if (stop_ && drainState_ == DrainState::Posted)
        drainState_ = DrainState::Abandoned;
      return ended() || (usb && usb->RequestsPending());
    });
    if (ended()) break;
    lock.unlock();
    if (usb->ServiceRequests()) writeFailed_ = true;
    lock.lock();
  }
  if (drainState_ != DrainState::Done || !usb) return;
  // What the owner sends in answer to these lines (the next block of an
  // upgrade, say) follows within a moment: wait that long for it rather than
  // have it wait for the next read to end.
  drainWake_.wait_for(lock, std::chrono::milliseconds(kAnswerGraceMs),
                      [&] { return stop_.load() || usb->RequestsPending(); });
  if (stop_ || !usb->RequestsPending()) return;
  lock.unlock();
  if (usb->ServiceRequests()) writeFailed_ = true;
}

void USBcomms::RunPostedDrain() {
  {
    std::lock_guard<std::mutex> lock(drainMutex_);
    if (drainState_ != DrainState::Posted) return;  // abandoned at shutdown
    drainState_ = DrainState::Running;
  }
  ProcessReceivedLines();
  {
    std::lock_guard<std::mutex> lock(drainMutex_);
    if (drainState_ != DrainState::Running) return;
    drainState_ = DrainState::Done;
  }
  drainWake_.notify_all();
}

void USBcomms::run() {
  const auto start = Clock::now();
  auto lastCheck = start;
  auto lastData = start;
  auto lastDrain = start;
  bool firstLook = true;
  bool drainNow = true;
  int reported = -1;
  while (!stop_) {
    TfrmUSB* usb = usb_.load();
    const int connected = usb ? usb->IsConnected() : 0;
    // While the unit is connected and quiet, the owner is told only now and
    // then that nothing changed; while none is, on every search pass, or with
    // device events only when something happened.
    if (drainNow || (!connected && !events_) || connected != reported ||
        MsSince(lastDrain) >= timings_.readTimeoutMs) {
      reported = connected;
      DrainOnOwnerThread();
      lastDrain = Clock::now();
      drainNow = false;
    }
    if (stop_) break;
    if (!usb) {
      SleepUnlessStopped(timings_.searchSleepMs);
      continue;
    }
    const bool writeFailed = usb->ServiceRequests() || std::exchange(writeFailed_, false);
    if (!usb->IsConnected() && events_) {
      // Nothing to do until a unit is added or something is asked for; then
      // the bus is searched once, and the owner learns how that went.
      if (!firstLook && !WaitForDeviceEvent() && stop_) break;
      firstLook = false;
      if (usb->OpenSelected()) lastCheck = lastData = Clock::now();
      drainNow = true;
      continue;
    }
    if (!usb->IsConnected()) {
      if (!(firstLook && timings_.firstLookAtOnce) && SleepUnlessStopped(timings_.searchSleepMs))
        break;
      firstLook = false;
      // A unit just opened is reported by the next drain step at once, so its
      // queries go out before the first read rather than after its time-out.
      if (usb->OpenSelected()) lastCheck = lastData = Clock::now();
      continue;
    }
    // Lines handed over meanwhile go out before the read.
    const TfrmUSB::ReadResult read =
        usb->RequestsPending() ? TfrmUSB::ReadResult::Nothing
                               : usb->ReadInput(timings_.readSliceMs);
    if (read == TfrmUSB::ReadResult::Data) {
      lastData = Clock::now();
      drainNow = true;
    }
    if (events_ && OpenUnitRemoved(usb)) {
      drainNow = true;
      continue;
    }
    // Another unit came or went: the owner hears of it at once.
    if (devicesChanged_) drainNow = true;
    if (read == TfrmUSB::ReadResult::Failed || writeFailed) {
      // The unit may be gone: look at once. One still there but failing is
      // given a moment, so that the loop does not spin.
      if (usb->CheckDevicePresent()) SleepUnlessStopped(timings_.readSliceMs);
      lastCheck = Clock::now();
      drainNow = true;
      continue;
    }
    // Looking for the unit on the bus costs a walk of every device, so while
    // it keeps sending that is done only now and then.
    const bool quiet = MsSince(lastData) >= timings_.readTimeoutMs;
    if (MsSince(lastCheck) >= (quiet ? timings_.readTimeoutMs : timings_.presenceAfterMs)) {
      usb->CheckDevicePresent();
      lastCheck = Clock::now();
    }
  }
  if (TfrmUSB* usb = usb_.load()) {
    // Lines handed over before the stop still go out (a command-line tool
    // that is interrupted finishes what it started), then the unit is closed.
    usb->ServiceRequests();
    usb->CloseDevice();
  }
  // The last act: Shutdown, serving events meanwhile, learns it may stop.
  std::lock_guard<std::mutex> lock(drainMutex_);
  loopLeft_ = true;
  WakeOwner();
}

void USBcomms::ProcessReceivedLines() {
  // During shutdown the session and its views may already be going away.
  if (stop_) return;
  TfrmUSB* usb = usb_.load();
  if (client_) client_->SetConnectionState(usb ? usb->IsConnected() : 0);
  if (client_ && devicesChanged_.exchange(false)) client_->DevicesChanged();
  if (usb && client_) {
    const std::vector<uint64_t> failed = usb->TakeFailedWrites();
    if (!failed.empty()) client_->WritesFailed(failed);
  }
  if (queue_.UnreadCount(LineQueue::kReceiveChannel) > 0) {
    int length;
    while (!stop_ && (length = queue_.GetLine(LineQueue::kReceiveChannel, line_)) > 0) {
      if (client_) client_->ProcessLine(std::string_view(line_, static_cast<size_t>(length)));
    }
  }
  if (client_ && !stop_) client_->DrainFinished();
}

}  // namespace wr
