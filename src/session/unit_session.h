// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One attached unit as the rest of the program sees it: its link (TfrmUSB,
// the USBcomms worker and the line queue), the link state, the quiet clock,
// the model of what the unit reported, and the operations on it. The windows
// are views of one session; the command-line tool uses one session per unit.
// Everything here runs on the thread that created the session, which also
// runs the worker's drain steps.
#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/settings_commands.h"
#include "protocol/unit_controls.h"
#include "session/unit_model.h"
#include "usb/link_timings.h"
#include "usb/usb_location.h"

namespace wr {

class CommandQueue;
class Operation;
class LineQueue;
class TfrmUSB;
class USBcomms;
class UsbApi;

class UnitSession : public QObject {
  Q_OBJECT
 public:
  using Clock = std::chrono::steady_clock;

  // Milliseconds of quiet after which a status poll goes out.
  static constexpr int kQuietBeforePollMs = 500;
  // Save waits until the unit has been quiet this long, after a first pause.
  static constexpr int kSaveQuietMs = 250;
  static constexpr int kSaveFirstPauseMs = 1000;

  struct Options {
    // Which unit to open: the first of our identifier pairs when empty.
    std::optional<UsbLocation> location;
    LinkTimings timings;
    // The clock the quiet time is read from; steady_clock when empty.
    std::function<Clock::time_point()> clock;
    // Query the unit's whole state as soon as it is connected.
    bool queryOnConnect = true;
    // Wait for device events rather than search the bus on a period, where
    // there are such events: the bus's own (the simulated bus), else the
    // desktop's (udev on Linux).
    bool deviceEvents = false;
  };

  // Milliseconds a set command of Save may take to be answered. Once one has
  // gone unanswered the rest are sent without waiting: the unit receives the
  // same lines in the same order, and what it holds is read back anyway.
  static constexpr int kSetAnswerMs = 2000;
  // Milliseconds a waited command first gives earlier lines to be answered,
  // so that their marks are not taken for its own.
  static constexpr int kAnswersMs = 1500;
  // Milliseconds to wait for a settings reply that Save needs before it sends.
  static constexpr int kReadBeforeSaveMs = 3000;
  // Milliseconds the link may take to give up on writing one line.
  static constexpr int kWriteGiveUpMs = 600;

  // The outcome of an operation, in words a user can act on.
  struct Outcome {
    bool done = false;
    QString message;  // empty when there is nothing to tell
    // Save only: the settings the unit did not take as sent.
    std::vector<SettingProblem> problems;
    // The application was told to quit while the operation waited; what it
    // would have found out is unknown, and nobody is left to be told.
    bool interrupted = false;

    static Outcome Done() { return Outcome{true, QString(), {}, false}; }
    static Outcome Failed(QString why) { return Outcome{false, std::move(why), {}, false}; }
  };

  // Where Save takes the four retained tracking values and the ignition
  // index from.
  enum class Retained {
    // As the unit last reported them on this connection (they are not shown
    // for editing); read first when they are not known.
    FromUnit,
    // As the values given hold them (a profile or the command line set them).
    FromForm,
  };

  explicit UnitSession(UsbApi& api, QObject* parent = nullptr);
  UnitSession(UsbApi& api, Options options, QObject* parent = nullptr);
  // Stops the worker before anything it can reach goes away.
  ~UnitSession() override;
  UnitSession(const UnitSession&) = delete;
  UnitSession& operator=(const UnitSession&) = delete;

  // Shutdown has been called: nothing answers any more.
  bool IsShutDown() const { return shutDown_; }
  // Starts the worker: from now on it looks for the unit.
  void Start();
  // Whether the worker waits for device events (else it searches on its
  // period); when it was asked to and does not, why not.
  bool UsesDeviceEvents() const;
  const std::string& DeviceEventsProblem() const { return deviceEventsProblem_; }
  // Stops the worker and keeps serving its drain step until it has left its
  // loop; nothing is reported afterwards. Safe to call more than once.
  void Shutdown();

  // ---- the link

  // Every attached unit of our identifier pairs, the first pair's first.
  static std::vector<UsbUnitListing> ListUnits(UsbApi& api);
  // Which unit the session opens; a change to another location closes the
  // open one so that the worker looks again. Back to no location (the first
  // unit found), the open unit stays open: it is one the selector allows.
  void SetSelector(std::optional<UsbLocation> location);
  std::optional<UsbLocation> Selector() const;
  // Where the open unit sits; empty while none is open.
  std::optional<UsbLocation> Location() const;
  // Why the last attempt to open an attached unit failed (None when the
  // last attempt succeeded or no unit is attached), the library's words for
  // it, and what to tell the user, with the permission hint.
  UsbOpenFailure OpenFailure() const;
  std::string OpenFailureDetail() const;
  QString OpenFailureText() const;
  // The same as a message, the hint's command on the same line.
  Message OpenFailureLine() const;
  // The state the last drain step reported: -1 before the first, then 0 or 1.
  int ConnectionState() const { return connectionState_; }
  // Whether the link itself is open at this moment.
  bool IsConnected() const;
  // Lines handed to the link that it has not finished writing yet.
  bool WritesPending() const;
  // How many times a unit has been reported connected: a unit that restarts
  // comes back as a new connection.
  int Connections() const { return connections_; }

  // The reply flags: set by "OK" and "ERROR" lines, cleared only by a sender
  // that is about to wait.
  bool OkFlag() const { return okFlag_; }
  bool ErrorFlag() const { return errorFlag_; }
  // Set when the link reports that a line handed to it could not be written.
  bool WriteFailed() const { return writeFailed_; }
  // Whether the line with this ticket (from SendLine or SendCommand) is
  // known to have failed to go out, on this connection.
  bool WriteFailedFor(uint64_t ticket) const { return failedTickets_.count(ticket) > 0; }
  void ClearFlags() { okFlag_ = errorFlag_ = writeFailed_ = false; }

  // Milliseconds since the last line that reached the reply interpretation
  // (or since the session was made); saturates instead of wrapping.
  int QuietMs() const;
  // Pretends the last such line came ms milliseconds ago.
  void SetQuietMs(int ms);

  UnitModel& Model() { return model_; }
  const UnitModel& Model() const { return model_; }
  // Applies one reply line (not a completion mark) to the model and the
  // quiet time, as the drain step does with every such line.
  void DispatchReplyLine(std::string_view line);

  // ---- sending

  // The session's one queue of commands: operations put every line they
  // send on it, in order.
  CommandQueue& Queue() { return *commands_; }

  // Hands one command line to the link and echoes it as "->" and the text.
  // Never waits; false when no unit is open. A write that fails afterwards
  // sets WriteFailed.
  // Returns the line's ticket (see WriteFailedFor), 0 when nothing was handed over.
  uint64_t SendCommand(std::string_view text);
  // Hands one line to the link as it is, without an echo.
  uint64_t SendLine(std::string_view text);
  // True once the application's event loop has ended: nobody is left to be
  // told what an operation ending now found out.
  bool Quitting() const { return quitSeen_; }
  // Lines written on this connection whose completion mark (OK or ERROR) has
  // not come yet. The unit answers one line after the other, so a mark that
  // arrives while this is above zero belongs to an earlier line.
  int Outstanding() const { return outstanding_; }
  // Takes the answers still owed as lost.
  void ForgetOutstanding() { outstanding_ = 0; }
  // Wakes every waiter so that it looks at its stop condition.
  void WakeWaiters() { emit waitersWoken(); }

  // ---- polling

  // Sends "AT+STATS" when a unit is connected and reported, polling is not
  // paused, and the unit has been quiet for more than quietMs.
  bool PollIfQuiet(int quietMs = kQuietBeforePollMs);
  // While paused no status poll goes out: its closing OK would be taken for
  // the answer to a firmware block. Pauses nest.
  void PausePolling() { ++pollPauses_; }
  void ResumePolling() { if (pollPauses_ > 0) --pollPauses_; }
  bool PollingPaused() const { return pollPauses_ > 0; }

  // ---- operations (src/session/unit_operations.h has the rest)

  // "ATI" and the queries of the unit's whole state, on the queue without
  // waiting; the model is cleared first.
  void SendInitialQueries();
  // The queries a new connection is asked (Options::queryOnConnect) while
  // their replies are still coming; null once they have all come.
  Operation* ConnectQueries() const;
  // Whether an operation on this session has started and not finished.
  bool OperationsRunning() const { return runningOperations_ > 0; }
  void NoteOperation(int delta) { runningOperations_ += delta; }

 signals:
  // On every drain step, with the link's connected value.
  void connectionReported(int connected);
  // When the reported state changes; a new connection has been queried.
  void connectionChanged(int connected);
  // With device events: a unit of ours was plugged in or pulled out.
  void devicesChanged();
  // Every line from the unit, before it is classified.
  void lineReceived(const std::string& line);
  // "->" and each command sent with SendCommand.
  void commandEchoed(const std::string& echo);
  // The unit refused a command because its backup battery is too low.
  void chargeBatteryError();
  // An operation on this session has started (not one run inside another):
  // whoever started it, a view can follow its progress and outcome.
  void operationStarted(wr::Operation* operation);
  // After every drain step.
  void drained();
  void waitersWoken();

 private:
  // The drain step, as the link reports it (through LinkEvents).
  class LinkEvents;
  void SetConnectionState(int connected);
  void ProcessLine(std::string_view line);
  void WritesFailed(const std::vector<uint64_t>& tickets);
  void DrainFinished();
  Clock::time_point Now() const;

  Options options_;
  std::string deviceEventsProblem_;
  std::unique_ptr<LineQueue> queue_;
  std::unique_ptr<TfrmUSB> usb_;
  std::unique_ptr<USBcomms> worker_;
  std::unique_ptr<LinkEvents> linkEvents_;
  CommandQueue* commands_ = nullptr;  // a child: goes with the session
  QPointer<QObject> connectQueries_;  // an Operation
  int runningOperations_ = 0;
  UnitModel model_;
  int connectionState_ = -1;
  int connections_ = 0;
  int outstanding_ = 0;
  bool okFlag_ = false;
  bool errorFlag_ = false;
  bool writeFailed_ = false;
  std::set<uint64_t> failedTickets_;
  Clock::time_point lastLine_;
  int pollPauses_ = 0;
  bool shutDown_ = false;
  // A wait found that the application is quitting: its loops no longer run.
  bool quitSeen_ = false;
};

// Pauses the session's status polling for as long as it lives.
class PollingPause {
 public:
  explicit PollingPause(UnitSession& session) : session_(session) { session_.PausePolling(); }
  ~PollingPause() { session_.ResumePolling(); }
  PollingPause(const PollingPause&) = delete;
  PollingPause& operator=(const PollingPause&) = delete;

 private:
  UnitSession& session_;
};

}  // namespace wr
