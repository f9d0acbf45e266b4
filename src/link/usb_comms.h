#pragma once
// The worker that keeps the link alive: it opens the unit when one appears,
// reads from it, notices when it goes, and once per pass has the UI thread
// run the drain step while it waits.
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>

#include "linequeue/line_queue.h"
#include "link/link_client.h"

namespace wr {

class Prompts;
class TfrmUSB;

class USBcomms : public QThread {
  Q_OBJECT
 public:
  // Milliseconds between open attempts while no unit is attached.
  static constexpr int kSearchSleepMs = 1000;
  // Milliseconds one bulk read waits for the unit.
  static constexpr int kReadTimeoutMs = 2000;
  // Milliseconds after an open attempt before presence checks begin.
  static constexpr int kPresenceAfterMs = 2000;

  // The waits of one pass. Tests shorten them; the tool uses the defaults.
  struct Timings {
    int searchSleepMs = kSearchSleepMs;
    int readTimeoutMs = kReadTimeoutMs;
    int presenceAfterMs = kPresenceAfterMs;
  };

  explicit USBcomms(LineQueue& queue, QObject* parent = nullptr);
  // Before start() only.
  void SetTimings(const Timings& timings) { timings_ = timings; }
  ~USBcomms() override;

  // Set up on the UI thread before the first drain step can use them.
  void AttachUsb(TfrmUSB* usb) { usb_.store(usb); }
  void SetClient(LinkClient* client) { client_ = client; }
  void SetTerminal(TerminalSink* terminal) { terminal_ = terminal; }
  void SetPrompts(Prompts* prompts) { prompts_ = prompts; }

  // The drain step: UI thread only.
  void ProcessReceivedLines();

  // Asks the loop to end; the worker leaves it after its current step.
  void RequestStop();
  // Stops the worker and serves its drain steps (as no-ops) until it has
  // left its loop, so that closing never deadlocks. UI thread.
  void Shutdown();
  bool StopRequested() const { return stop_.load(); }

  // Wakes every waiter of SendLineAndWait so that it looks at its stop condition.
  void WakeWaiters() { emit waitersWoken(); }

  // Link state, used only on the UI thread.
  bool okFlag = false;
  bool errorFlag = false;
  int quietTime = 0;
  std::string firmwareVersion;

 signals:
  // After every drain step, on the UI thread.
  void drained();
  void waitersWoken();

 protected:
  void run() override;

 private slots:
  // The drain step as the worker posts it to the UI thread.
  void RunPostedDrain();

 private:
  void DrainOnUiThread();
  bool SleepUnlessStopped(int ms);

  LineQueue& queue_;
  Timings timings_;
  std::atomic<TfrmUSB*> usb_{nullptr};
  LinkClient* client_ = nullptr;
  TerminalSink* terminal_ = nullptr;
  Prompts* prompts_ = nullptr;
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
  char line_[LineQueue::kLineBufferSize];
};

}  // namespace wr
