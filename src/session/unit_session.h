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
class LineQueue;
class TfrmUSB;
class USBcomms;
class UsbApi;

enum class CommandOutcome { Ok, Error, Disconnected, TimedOut, Stopped };

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
    // Wait for the desktop's device events rather than search the bus on a
    // period, where there are such events (udev on Linux).
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
  // Waits for earlier lines to be answered (WaitForAnswers), clears the
  // flags, writes the line (without an echo) and waits until the unit
  // answers OK or ERROR, the link drops, timeoutMs passes or stop()
  // holds; Stopped also when the application has been told to quit, as
  // nothing would answer the wait any more. The wait wakes on every drain
  // step and on WakeWaiters(), never on a fixed polling step.
  CommandOutcome SendLineAndWait(std::string_view line, int timeoutMs,
                                 const std::function<bool()>& stop = {});
  // The same with the "->" echo, for commands rather than raw lines.
  CommandOutcome SendCommandAndWait(std::string_view line, int timeoutMs,
                                    const std::function<bool()>& stop = {});
  // The waiting half: waits, without clearing the flags or writing anything,
  // for the answer to a line already sent.
  CommandOutcome WaitForOutcome(int timeoutMs, const std::function<bool()>& stop = {});
  // Waits until cond holds (looked at after every drain step), the link
  // drops (unless the wait is to go on through that) or timeoutMs passes;
  // true when it holds.
  enum class OnDisconnect { End, WaitOn };
  bool WaitUntil(const std::function<bool()>& cond, int timeoutMs,
                 OnDisconnect onDisconnect = OnDisconnect::End);
  // Waits after a batch of commands until the unit has been quiet for a
  // while: 1000 ms, then 250 ms steps while the quiet time is below 250 ms.
  // Ends at once when the application has been told to quit.
  void WaitForQuiet();
  // True once a wait has found the application quitting: nobody is left to
  // be told what the wait found out.
  bool Quitting() const { return quitSeen_; }
  // Lines written on this connection whose completion mark (OK or ERROR) has
  // not come yet. The unit answers one line after the other, so a mark that
  // arrives while this is above zero belongs to an earlier line.
  int Outstanding() const { return outstanding_; }
  // Takes the answers still owed as lost.
  void ForgetOutstanding() { outstanding_ = 0; }
  // Waits, at most timeoutMs, until every line written has been answered; a
  // count that does not come down in time is taken as lost answers and
  // forgotten. True when all were answered.
  bool WaitForAnswers(int timeoutMs = kAnswersMs, const std::function<bool()>& stop = {});
  // Wakes every waiter so that it looks at its stop condition.
  void WakeWaiters() { emit waitersWoken(); }
  // Sends the steps in order, pausing after each as it says.
  void RunSteps(const std::vector<CommandStep>& steps);

  // ---- polling

  // Sends "AT+STATS" when a unit is connected and reported, polling is not
  // paused, and the unit has been quiet for more than quietMs.
  bool PollIfQuiet(int quietMs = kQuietBeforePollMs);
  // While paused no status poll goes out: its closing OK would be taken for
  // the answer to a firmware block. Pauses nest.
  void PausePolling() { ++pollPauses_; }
  void ResumePolling() { if (pollPauses_ > 0) --pollPauses_; }
  bool PollingPaused() const { return pollPauses_ > 0; }

  // ---- operations

  // "ATI", then clears the model and queries the unit's whole state.
  void SendInitialQueries();
  // Checks the values and, when they may be sent, sends the five set
  // commands, each answered before the next, then the five queries, waits for
  // the unit to fall quiet and compares what it holds now with what was sent.
  // A refusal sends nothing and says why; settings the unit did not take are
  // named, with what it holds, in the message and in problems.
  // values holds what the Settings tab shows (every key with a box); with
  // Retained::FromForm it holds every key.
  Outcome SaveSettings(const SettingsValues& values, Retained retained = Retained::FromUnit);
  // Makes sure the settings of a group have been read on this connection,
  // asking for them when not; false when they still are not known.
  bool EnsureRead(SettingGroup group, int timeoutMs = kReadBeforeSaveMs);
  // The fixed settings with their pauses, then the queries again. Without a
  // tracking server (TrackingHostIsSet) nothing is sent and it says why.
  Outcome SendDefaults(const std::string& host);
  Outcome Reboot();
  // The unit forgets its settings and trips; the model follows and the unit
  // is queried again.
  Outcome FactoryReset();
  Outcome SetOutput(UnitOutput output, bool on);
  // Asks for the trip log; the trips arrive in the model as they come, into
  // an emptied list.
  Outcome StartTripListing();
  // Asks for the trip log and waits until the unit has sent all of it.
  Outcome FetchTrips(int timeoutMs);
  // Erases the unit's trip log and asks for it again.
  Outcome DeleteTrips();

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
