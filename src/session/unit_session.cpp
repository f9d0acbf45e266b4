// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/unit_session.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <limits>

#include "linequeue/line_queue.h"
#include "link/link_client.h"
#include "link/tfrm_usb.h"
#include "link/usb_comms.h"
#include "session/command_queue.h"
#include "session/unit_operations.h"
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
  if (QCoreApplication* app = QCoreApplication::instance())
    connect(app, &QCoreApplication::aboutToQuit, this, [this] { quitSeen_ = true; });
  if (options_.deviceEvents) {
    // A bus that tells of its devices itself (the simulated one) is heard
    // directly; the real one through the desktop's events.
    std::unique_ptr<DeviceEventSource> events = WatchBusEvents(api);
    worker_->SetDeviceEvents(events ? std::move(events) : StartUdevEvents(&deviceEventsProblem_));
  }
  worker_->AttachUsb(usb_.get());
  worker_->SetClient(linkEvents_.get());
  commands_ = new CommandQueue(*this);
  lastLine_ = Now();
}

UnitSession::~UnitSession() { Shutdown(); }

Operation* UnitSession::ConnectQueries() const {
  auto* queries = static_cast<Operation*>(connectQueries_.data());
  return queries && queries->Running() ? queries : nullptr;
}

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
  // The link reads as closed at once when another unit is chosen; the worker
  // closes it between two reads and opens the unit now selected.
  const bool released = usb_->SetSelector(location);
  // That unit is a new connection, to be queried as such however soon the
  // worker opens it: the drain steps, and even this thread, may never see
  // the link closed.
  if (released && connectionState_ == 1) SetConnectionState(0);
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

Message UnitSession::OpenFailureLine() const {
  return DescribeOpenFailureMessage(OpenFailure(), OpenFailureDetail(), true);
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
    if (Operation* earlier = ConnectQueries()) earlier->Cancel();
    auto* queries = new QueryOperation(*this, true, this);
    connectQueries_ = queries;
    connect(queries, &Operation::finished, queries, &QObject::deleteLater);
    queries->Start();
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

bool UnitSession::PollIfQuiet(int quietMs) {
  if (connectionState_ != 1 || !IsConnected() || PollingPaused() || QuietMs() <= quietMs)
    return false;
  SendCommand(cmd::kStats);
  return true;
}

// ------------------------------------------------------------------ operations

void UnitSession::SendInitialQueries() {
  model_.Clear();
  for (const QueryReply& q : InitialQueries()) {
    UnitCommand command;
    command.line = std::string(q.query);
    command.end = UnitCommand::End::Written;
    commands_->Submit(std::move(command));
  }
}

}  // namespace wr
