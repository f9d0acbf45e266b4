// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/unit_session.h"

#include <QEventLoop>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <limits>

#include "linequeue/line_queue.h"
#include "link/link_client.h"
#include "link/tfrm_usb.h"
#include "link/usb_comms.h"
#include "session/command_queue.h"
#include "session/delay.h"
#include "session/permission_hint.h"
#include "protocol/commands.h"
#include "protocol/reply_dispatch.h"
#include "session/unit_text.h"

namespace wr {

// What the worker's drain step reports, passed on to the session.
class UnitSession::LinkEvents : public LinkClient {
 public:
  explicit LinkEvents(UnitSession& session) : session_(session) {}
  void SetConnectionState(int connected) override { session_.SetConnectionState(connected); }
  void ProcessLine(std::string_view line) override { session_.ProcessLine(line); }
  void WritesFailed(const std::vector<uint64_t>& tickets) override { session_.WritesFailed(tickets); }
  void DrainFinished() override { session_.DrainFinished(); }
  void DevicesChanged() override { emit session_.devicesChanged(); }

 private:
  UnitSession& session_;
};

UnitSession::UnitSession(UsbApi& api, QObject* parent) : UnitSession(api, Options(), parent) {}

UnitSession::UnitSession(UsbApi& api, Options options, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      queue_(std::make_unique<LineQueue>()),
      usb_(std::make_unique<TfrmUSB>(api, *queue_)),
      worker_(std::make_unique<USBcomms>(*queue_)),
      linkEvents_(std::make_unique<LinkEvents>(*this)) {
  usb_->SetSelector(options_.location);
  worker_->SetTimings(options_.timings);
  if (options_.deviceEvents) worker_->SetDeviceEvents(StartUdevEvents(&deviceEventsProblem_));
  worker_->AttachUsb(usb_.get());
  worker_->SetClient(linkEvents_.get());
  commands_ = new CommandQueue(*this);
  lastLine_ = Now();
}

UnitSession::~UnitSession() { Shutdown(); }

bool UnitSession::UsesDeviceEvents() const { return worker_->UsesDeviceEvents(); }

void UnitSession::Start() {
  if (!shutDown_ && !worker_->isRunning()) worker_->start();
}

void UnitSession::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  worker_->Shutdown();
  worker_->SetClient(nullptr);
  commands_->Stop();
  // Waiters look at the link once more and find it closed.
  emit waitersWoken();
}

void UnitSession::SetSelector(std::optional<UsbLocation> location) {
  options_.location = location;
  const bool wasOpen = usb_->IsConnected() != 0;
  // The link reads as closed at once when another unit is chosen; the worker
  // closes it between two reads and opens the unit now selected.
  usb_->SetSelector(location);
  // That unit is a new connection, to be queried as such however soon the
  // worker opens it: the drain steps may never see the link closed.
  if (wasOpen && !usb_->IsConnected() && connectionState_ == 1) SetConnectionState(0);
}

std::vector<UsbUnitListing> UnitSession::ListUnits(UsbApi& api) { return TfrmUSB::ListUnits(api); }

std::optional<UsbLocation> UnitSession::Selector() const { return usb_->Selector(); }

std::optional<UsbLocation> UnitSession::Location() const { return usb_->OpenLocation(); }

bool UnitSession::IsConnected() const { return usb_->IsConnected() != 0; }

bool UnitSession::WritesPending() const { return usb_->WritesPending(); }

UsbOpenFailure UnitSession::OpenFailure() const { return usb_->LastOpenFailure(); }

std::string UnitSession::OpenFailureDetail() const { return usb_->LastOpenFailureText(); }

QString UnitSession::OpenFailureText() const {
  return DescribeOpenFailure(OpenFailure(), OpenFailureDetail());
}

UnitSession::Clock::time_point UnitSession::Now() const {
  return options_.clock ? options_.clock() : Clock::now();
}

int UnitSession::QuietMs() const {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Now() - lastLine_).count();
  if (ms <= 0) return 0;
  // Saturates rather than wrapping to a negative time after weeks of silence.
  return ms > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                               : static_cast<int>(ms);
}

void UnitSession::SetQuietMs(int ms) { lastLine_ = Now() - std::chrono::milliseconds(ms); }

// ------------------------------------------------------------------ drain step

void UnitSession::SetConnectionState(int connected) {
  const bool changed = connected != connectionState_;
  connectionState_ = connected;
  if (changed && connected) ++connections_;
  // A new connection (or none) owes nothing of the old one.
  if (changed) {
    outstanding_ = 0;
    failedTickets_.clear();
  }
  if (changed && connected && options_.queryOnConnect) {
    // Whatever was read before belongs to the unit attached before.
    model_.ForgetReadFlags();
    SendCommand(cmd::kInfo);
    SendInitialQueries();
  }
  if (changed) emit connectionChanged(connected);
  emit connectionReported(connected);
}

void UnitSession::ProcessLine(std::string_view line) {
  emit lineReceived(std::string(line));
  if ((reply::StartsWith(line, reply::kOk) || reply::StartsWith(line, reply::kError)) &&
      outstanding_ > 0)
    --outstanding_;
  if (reply::StartsWith(line, reply::kOk)) {
    okFlag_ = true;
  } else if (reply::StartsWith(line, reply::kChargeBattery)) {
    errorFlag_ = true;
    // A window shows the message; the drain step, and the worker, wait for it.
    emit chargeBatteryError();
  } else if (reply::StartsWith(line, reply::kError)) {
    errorFlag_ = true;
  } else {
    DispatchReplyLine(line);
  }
}

void UnitSession::WritesFailed(const std::vector<uint64_t>& tickets) {
  // Those lines never reached the unit, so no answer is owed for them.
  const int count = static_cast<int>(tickets.size());
  outstanding_ = outstanding_ > count ? outstanding_ - count : 0;
  writeFailed_ = true;
  failedTickets_.insert(tickets.begin(), tickets.end());
}

void UnitSession::DrainFinished() { emit drained(); }

void UnitSession::DispatchReplyLine(std::string_view line) {
  const ReplyEffect effect = InterpretReplyLine(line);
  if (effect.resetsQuietTime) lastLine_ = Now();
  model_.Apply(effect);
}

// ------------------------------------------------------------------ sending

uint64_t UnitSession::SendLine(std::string_view text) {
  const uint64_t ticket = usb_->SendLine(text);
  if (ticket) ++outstanding_;
  return ticket;
}

uint64_t UnitSession::SendCommand(std::string_view text) {
  const uint64_t written = SendLine(text);
  std::string echo;
  echo.reserve(text.size() + 2);
  echo.append("->").append(text);
  emit commandEchoed(echo);
  return written;
}

bool UnitSession::WaitForAnswers(int timeoutMs, const std::function<bool()>& stop) {
  if (outstanding_ == 0) return true;
  WaitUntil([this, &stop] { return outstanding_ == 0 || (stop && stop()); }, timeoutMs);
  if (outstanding_ == 0) return true;
  // Lost answers (or a stop): what is owed is forgotten.
  outstanding_ = 0;
  return false;
}

CommandOutcome UnitSession::SendLineAndWait(std::string_view line, int timeoutMs,
                                            const std::function<bool()>& stop) {
  WaitForAnswers(kAnswersMs, stop);
  ClearFlags();
  SendLine(line);
  return WaitForOutcome(timeoutMs, stop);
}

CommandOutcome UnitSession::SendCommandAndWait(std::string_view line, int timeoutMs,
                                               const std::function<bool()>& stop) {
  WaitForAnswers(kAnswersMs, stop);
  ClearFlags();
  SendCommand(line);
  return WaitForOutcome(timeoutMs, stop);
}

CommandOutcome UnitSession::WaitForOutcome(int timeoutMs, const std::function<bool()>& stop) {
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  limit.setTimerType(Qt::PreciseTimer);
  bool timedOut = false;
  QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    loop.quit();
  });
  QObject::connect(this, &UnitSession::drained, &loop, &QEventLoop::quit);
  QObject::connect(this, &UnitSession::waitersWoken, &loop, &QEventLoop::quit);
  limit.start(timeoutMs > 0 ? timeoutMs : 0);
  for (;;) {
    // An ERROR since the flags were cleared fails the command, even when an
    // OK came too: the unit's marks name no command.
    if (errorFlag_) return CommandOutcome::Error;
    if (okFlag_) return CommandOutcome::Ok;
    if (!IsConnected() || shutDown_ || writeFailed_) return CommandOutcome::Disconnected;
    if (stop && stop()) return CommandOutcome::Stopped;
    if (timedOut) return CommandOutcome::TimedOut;
    // The application is quitting: nothing will answer this wait any more.
    if (loop.exec() < 0) {
      quitSeen_ = true;
      return CommandOutcome::Stopped;
    }
  }
}

bool UnitSession::WaitUntil(const std::function<bool()>& cond, int timeoutMs,
                            OnDisconnect onDisconnect) {
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  bool timedOut = false;
  QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    loop.quit();
  });
  QObject::connect(this, &UnitSession::drained, &loop, &QEventLoop::quit);
  QObject::connect(this, &UnitSession::waitersWoken, &loop, &QEventLoop::quit);
  limit.start(timeoutMs > 0 ? timeoutMs : 0);
  for (;;) {
    if (cond()) return true;
    if (timedOut || shutDown_) return false;
    if (onDisconnect == OnDisconnect::End && !IsConnected()) return false;
    if (loop.exec() < 0) {
      quitSeen_ = true;
      return false;
    }
  }
}

void UnitSession::WaitForQuiet() {
  if (!RunLoopFor(kSaveFirstPauseMs)) {
    quitSeen_ = true;
    return;
  }
  while (QuietMs() < kSaveQuietMs) {
    if (!RunLoopFor(kSaveQuietMs)) {
      quitSeen_ = true;
      return;
    }
  }
}

void UnitSession::RunSteps(const std::vector<CommandStep>& steps) {
  for (const CommandStep& step : steps) {
    SendCommand(step.line);
    Delay(step.pauseAfterMs);
  }
}

bool UnitSession::PollIfQuiet(int quietMs) {
  if (connectionState_ != 1 || !IsConnected() || PollingPaused() || QuietMs() <= quietMs)
    return false;
  SendCommand(cmd::kStats);
  return true;
}

// ------------------------------------------------------------------ operations

void UnitSession::SendInitialQueries() {
  model_.Clear();
  for (std::string_view query :
       {cmd::kInfo, cmd::kStats, cmd::kIpQuery, cmd::kLowPowerQuery, cmd::kTrackQuery,
        cmd::kUssdQuery, cmd::kGprsQuery, cmd::kNumQuery, cmd::kMsgQuery, cmd::kIfQuery,
        cmd::kIgnitionQuery})
    SendCommand(query);
}

bool UnitSession::EnsureRead(SettingGroup group, int timeoutMs) {
  if (model_.Settings().Read(group)) return true;
  // Its reply is what counts, not a completion mark (which may belong to a
  // command sent just before).
  if (!SendCommand(Describe(group).query)) return false;
  return WaitUntil([this, group] { return model_.Settings().Read(group); }, timeoutMs);
}

UnitSession::Outcome UnitSession::SaveSettings(const SettingsValues& given, Retained retained) {
  SettingsValues form = given;
  // A status poll's OK must not be taken for a setting's answer.
  PollingPause pause(*this);
  if (retained == Retained::FromUnit) {
    // Never write values the user has not seen that came from nowhere: the
    // retained values go back exactly as this unit last reported them.
    QStringList unknown;
    if (!EnsureRead(SettingGroup::Track)) unknown << tr("the tracking values");
    if (!EnsureRead(SettingGroup::Ignition)) unknown << tr("the ignition detection");
    if (!unknown.isEmpty())
      return Outcome::Failed(
          tr("Nothing was saved: %1 could not be read from the unit. Check that it "
             "is connected and try again.")
              .arg(unknown.join(tr(" and "))));
    const SettingsValues unit = SettingsValuesFromUnit(model_.Settings());
    for (const SettingDescriptor& d : SettingTable()) {
      if (d.label) continue;
      if (const std::string* value = unit.Find(d.key))
        form.Set(d.key, *value);
      else
        form.Erase(d.key);
    }
  }
  const SettingsSave save = BuildSettingsCommands(form);
  if (!save.refusal.Empty()) return Outcome::Failed(Translated(save.refusal));

  // The answer to a status poll still on its way must not count for a setting.
  WaitForAnswers();
  std::vector<SetAnswer> answers;
  std::vector<uint64_t> tickets;
  bool answering = true;
  bool interrupted = false;
  for (const std::string& line : save.commands) {
    ClearFlags();
    tickets.push_back(SendCommand(line));
    if (!tickets.back()) {
      // A link that cannot take a line will not bring answers either.
      answers.push_back(SetAnswer::NotSent);
      answering = false;
      continue;
    }
    if (!answering) {
      answers.push_back(SetAnswer::None);
      continue;
    }
    switch (WaitForOutcome(kSetAnswerMs)) {
      case CommandOutcome::Ok: answers.push_back(SetAnswer::Ok); break;
      case CommandOutcome::Error: answers.push_back(SetAnswer::Error); break;
      case CommandOutcome::Stopped:
        // Quitting: the rest still go out, as they would have without the waits.
        interrupted = true;
        answers.push_back(SetAnswer::None);
        answering = false;
        break;
      case CommandOutcome::TimedOut:
      case CommandOutcome::Disconnected:
        // A line whose write failed never reached the unit.
        answers.push_back(writeFailed_ ? SetAnswer::NotSent : SetAnswer::None);
        answering = false;
        break;
    }
  }
  // Only what the unit reports from now on counts as read back.
  for (const SettingGroupDescriptor& g : SettingGroupTable()) model_.ForgetRead(g.group);
  for (std::string_view query : SettingsQueries())
    if (!SendCommand(query)) answering = false;
  // A slow unit answers one query after the other; the quiet wait alone
  // could end between two of its answers.
  if (answering && !interrupted) {
    const auto allRead = [this] {
      const UnitSettings& s = model_.Settings();
      return std::all_of(s.read.begin(), s.read.end(), [](bool read) { return read; });
    };
    WaitUntil(allRead, static_cast<int>(SettingsQueries().size()) * kSetAnswerMs);
  }
  if (!interrupted) WaitForQuiet();
  // Which lines never went out is known once the link has tried them all.
  if (!interrupted && !quitSeen_)
    WaitUntil([this] { return !WritesPending(); },
              static_cast<int>(save.commands.size() + SettingsQueries().size()) *
                  kWriteGiveUpMs, OnDisconnect::End);
  for (size_t i = 0; i < answers.size(); ++i)
    if (answers[i] == SetAnswer::None && WriteFailedFor(tickets[i])) answers[i] = SetAnswer::NotSent;
  if (interrupted || quitSeen_) {
    Outcome outcome;
    outcome.interrupted = true;
    return outcome;
  }

  Outcome outcome;
  outcome.problems = CheckSavedSettings(form, answers, model_.Settings());
  outcome.done = outcome.problems.empty();
  outcome.message = Translated(DescribeSaveProblems(outcome.problems, model_.Settings()));
  return outcome;
}

UnitSession::Outcome UnitSession::SendDefaults(const std::string& host) {
  const DefaultsPlan plan = BuildDefaultsSteps(host);
  if (!plan.refusal.Empty()) return Outcome::Failed(Translated(plan.refusal));
  RunSteps(plan.steps);
  SendInitialQueries();
  return Outcome::Done();
}

UnitSession::Outcome UnitSession::Reboot() {
  RunSteps(UnitControlSteps(UnitControl::Reboot));
  return Outcome::Done();
}

UnitSession::Outcome UnitSession::FactoryReset() {
  RunSteps(UnitControlSteps(UnitControl::FactoryReset));
  // The unit's trips are gone with its settings.
  model_.ResetTrips(true);
  SendInitialQueries();
  return Outcome::Done();
}

UnitSession::Outcome UnitSession::SetOutput(UnitOutput output, bool on) {
  RunSteps(UnitControlSteps(OutputControl(output, on)));
  return Outcome::Done();
}

UnitSession::Outcome UnitSession::StartTripListing() {
  // A trip the unit no longer reports must not stay on show.
  model_.ResetTrips(true);
  SendCommand(cmd::kTrips);
  return Outcome::Done();
}

UnitSession::Outcome UnitSession::FetchTrips(int timeoutMs) {
  PollingPause pause(*this);
  model_.ResetTrips(true);
  switch (SendCommandAndWait(cmd::kTrips, timeoutMs)) {
    case CommandOutcome::Ok:
      return Outcome::Done();
    case CommandOutcome::Error:
      return Outcome::Failed(QStringLiteral("The unit refused to list its trips."));
    case CommandOutcome::TimedOut:
      return Outcome::Failed(QStringLiteral("The unit did not finish listing its trips in time."));
    case CommandOutcome::Disconnected:
      return Outcome::Failed(QStringLiteral("The unit was disconnected while listing its trips."));
    case CommandOutcome::Stopped:
      break;
  }
  return Outcome::Failed(QStringLiteral("Listing the trips was interrupted."));
}

UnitSession::Outcome UnitSession::DeleteTrips() {
  model_.ResetTrips(true);
  SendCommand(cmd::kDeleteAllTrips);
  SendCommand(cmd::kTrips);
  return Outcome::Done();
}

}  // namespace wr
