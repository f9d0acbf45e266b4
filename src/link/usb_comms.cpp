#include "link/usb_comms.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <chrono>

#include "link/tfrm_usb.h"

namespace wr {
namespace {

using Clock = std::chrono::steady_clock;

int64_t MsSince(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

}  // namespace

USBcomms::USBcomms(LineQueue& queue, QObject* parent) : QThread(parent), queue_(queue) {
  setObjectName("USBcomms");
}

USBcomms::~USBcomms() {
  // Nothing may be destroyed while the worker can still reach it.
  if (isRunning()) Shutdown();
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
    // serving events until it has left its loop.
    QEventLoop loop;
    connect(this, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    if (!isFinished()) loop.exec();
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
  {
    std::lock_guard<std::mutex> lock(drainMutex_);
    drainState_ = DrainState::Posted;
  }
  // Runs on the owning thread, in its main loop or in any nested loop (Delay,
  // modal boxes); the worker waits until it has finished. Posted by name, so
  // that the only data crossing threads is guarded by drainMutex_.
  QMetaObject::invokeMethod(this, "RunPostedDrain", Qt::QueuedConnection);
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
  std::lock_guard<std::mutex> lock(drainMutex_);
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
