// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The worker that keeps the link alive: it opens the unit when one appears,
// writes what the owning thread hands it, reads from it, notices when it
// goes, and has the owning thread run the drain step while it waits. With
// device events it waits for them while no unit is open, doing nothing else;
// without, it looks for a unit on its period.
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "linequeue/line_queue.h"
#include "link/device_events.h"
#include "link/link_client.h"
#include "usb/link_timings.h"

class QEventLoop;
class QSocketNotifier;

namespace wr {

class TfrmUSB;

class USBcomms : public QThread {
  Q_OBJECT
 public:
  // The waits of one pass (usb/link_timings.h).
  using Timings = LinkTimings;
  static constexpr int kSearchSleepMs = LinkTimings::kSearchSleepMs;
  static constexpr int kReadTimeoutMs = LinkTimings::kReadTimeoutMs;
  static constexpr int kPresenceAfterMs = LinkTimings::kPresenceAfterMs;
  static constexpr int kReadSliceMs = LinkTimings::kReadSliceMs;
  // Milliseconds the worker waits after a drain step for a line the owner
  // sends in answer, before it goes back to reading.
  static constexpr int kAnswerGraceMs = 2;

  // The drain step runs on the thread that creates the worker.
  explicit USBcomms(LineQueue& queue, QObject* parent = nullptr);
  // Before start() only.
  void SetTimings(const Timings& timings) { timings_ = timings; }
  ~USBcomms() override;

  // Set up before start().
  void AttachUsb(TfrmUSB* usb);
  void SetClient(LinkClient* client) { client_ = client; }
  // Set up before start(): the source of device events the worker waits on
  // while no unit is open. None (the default): it searches on its period.
  void SetDeviceEvents(std::unique_ptr<DeviceEventSource> events);
  bool UsesDeviceEvents() const { return events_ != nullptr; }

  // The drain step: owning thread only.
  void ProcessReceivedLines();

  // Asks the loop to end; the worker leaves it after its current step.
  void RequestStop();
  // Stops the worker and serves its drain steps (as no-ops) until it has
  // left its loop, so that closing never deadlocks. Owning thread.
  void Shutdown();
  bool StopRequested() const { return stop_.load(); }

 protected:
  void run() override;

 private:
  // The worker wakes the owning thread through a pipe it watches: a byte
  // means "a drain step is waiting" or "the loop is left" (the state under
  // drainMutex_ says which). Nothing of Qt's crosses the threads, and the
  // pipe orders the two sides for anyone checking with a race detector.
  void WakeOwner();
  void OwnerWoken();
  // The drain step as the worker asks for it on the owning thread.
  void RunPostedDrain();
  void DrainOnOwnerThread();
  bool SleepUnlessStopped(int ms);
  // Device events only. Blocks until a unit of ours is added or removed, or
  // a stop, a line or a new choice of unit is asked for. True when a unit
  // was added.
  bool WaitForDeviceEvent();
  // Device events only, while a unit is open: closes it at once when the
  // events say it was removed. True when it was.
  bool OpenUnitRemoved(TfrmUSB* usb);
  // Interrupts WaitForDeviceEvent (any thread).
  void WakeWorker();

  LineQueue& queue_;
  Timings timings_;
  std::atomic<TfrmUSB*> usb_{nullptr};
  LinkClient* client_ = nullptr;
  std::atomic<bool> stop_{false};
  std::mutex sleepMutex_;
  std::condition_variable sleepWake_;
  // Hand-off of one drain step: the worker posts it and waits here. Our own
  // lock (rather than a blocking queued call) also orders the line queue's
  // writes and reads for anyone checking the program with a race detector.
  enum class DrainState { Idle, Posted, Running, Done, Abandoned };
  std::mutex drainMutex_;
  std::condition_variable drainWake_;
  DrainState drainState_ = DrainState::Idle;
  bool loopLeft_ = false;                 // under drainMutex_
  bool writeFailed_ = false;              // worker only: a write during a drain step failed
  int wakeRead_ = -1, wakeWrite_ = -1;    // the pipe (POSIX)
  std::unique_ptr<DeviceEventSource> events_;
  std::atomic<bool> devicesChanged_{false};  // for the next drain step
  int workerWakeRead_ = -1, workerWakeWrite_ = -1;  // wakes the worker's wait (POSIX)
  QSocketNotifier* wakeNotifier_ = nullptr;
#ifdef _WIN32
  std::unique_ptr<QObject> wakeTarget_;   // receives the wake-up events instead
#endif
  QEventLoop* shutdownLoop_ = nullptr;  // under drainMutex_, owning thread's
  char line_[LineQueue::kLineBufferSize];
};

}  // namespace wr
