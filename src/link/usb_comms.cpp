#include "link/usb_comms.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QSocketNotifier>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <chrono>

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
#endif
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
  // Runs on the owning thread, in its main loop or in any nested loop (Delay,
  // modal boxes); the worker waits until it has finished.
  {
    // Written under the lock, like every other act of the worker that the
    // owner must see ordered before its own.
    std::lock_guard<std::mutex> lock(drainMutex_);
    drainState_ = DrainState::Posted;
    WakeOwner();
  }
  std::unique_lock<std::mutex> lock(drainMutex_);
  drainWake_.wait(lock, [this] {
    // On a stop request a step that has not started yet is given up, so that
    // shutdown never waits for an event loop that may not run again.
    if (stop_ && drainState_ == DrainState::Posted) drainState_ = DrainState::Abandoned;
    return drainState_ == DrainState::Done || drainState_ == DrainState::Abandoned;
  });
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
    drainState_ = DrainState::Done;
  }
  drainWake_.notify_all();
}

void USBcomms::run() {
  auto lastCheck = Clock::now();
  bool firstLook = true;
  while (!stop_) {
    DrainOnOwnerThread();
    if (stop_) break;
    TfrmUSB* usb = usb_.load();
    if (!usb) {
      SleepUnlessStopped(timings_.searchSleepMs);
      continue;
    }
    if (!usb->IsConnected()) {
      if (!(firstLook && timings_.firstLookAtOnce) && SleepUnlessStopped(timings_.searchSleepMs))
        break;
      firstLook = false;
      // A unit just opened is reported by the next drain step at once, so its
      // queries go out before the first read rather than after its time-out.
      if (usb->OpenSelected()) lastCheck = Clock::now();
      continue;
    }
    bool gotData = usb->ReadInput(timings_.readTimeoutMs);
    // Looking for the unit on the bus costs a walk of every device, so while
    // it keeps sending that is done only now and then.
    if (!gotData || MsSince(lastCheck) > timings_.presenceAfterMs) {
      usb->CheckDevicePresent();
      lastCheck = Clock::now();
    }
  }
  if (TfrmUSB* usb = usb_.load()) usb->CloseDevice();
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
  if (queue_.UnreadCount(LineQueue::kReceiveChannel) > 0) {
    int length;
    while (!stop_ && (length = queue_.GetLine(LineQueue::kReceiveChannel, line_)) > 0) {
      if (client_) client_->ProcessLine(std::string_view(line_, static_cast<size_t>(length)));
    }
  }
  if (client_ && !stop_) client_->DrainFinished();
}

}  // namespace wr
