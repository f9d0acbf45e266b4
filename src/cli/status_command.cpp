// status: who the unit is and what it reports now, once or on every poll.
#include <QJsonObject>
#include <QTimer>

#include <climits>

#include "cli/cli_context.h"
#include "cli/command.h"
#include "cli/unit_access.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

// Milliseconds for the first status reply after the unit has said who it is.
constexpr int kStatusMs = 5000;
// Milliseconds between looks at whether the unit is quiet enough to be polled.
constexpr int kPollCheckMs = 100;

struct StatusField {
  const char* key;
  const char* label;
  std::string StatsTexts::*text;
};

const StatusField kFields[] = {
    {"gsm_status", "GSM status", &StatsTexts::gsmStatus},
    {"gsm_signal", "GSM signal", &StatsTexts::gsmSignal},
    {"next_gsm_update", "Next GSM update", &StatsTexts::nextGsmUpdate},
    {"coordinates", "Coordinates", &StatsTexts::coordinates},
    {"gps_signal", "GPS signal", &StatsTexts::gpsSignal},
    {"movement", "Movement", &StatsTexts::movement},
    {"trip_status", "Trip status", &StatsTexts::tripStatus},
    {"speed", "Speed", &StatsTexts::speed},
    {"time", "Time", &StatsTexts::time},
    {"volt_external", "External voltage", &StatsTexts::voltExternal},
    {"volt_battery", "Battery voltage", &StatsTexts::voltBattery},
};

void PrintStatus(CliContext& context, const UnitSession& session, bool compact) {
  const UnitModel& model = session.Model();
  const bool connected = session.ConnectionState() == 1;
  if (context.Json()) {
    QJsonObject status;
    status["firmware"] = FromBytes(model.FirmwareVersion());
    status["device_id"] = FromBytes(model.DeviceId());
    status["connected"] = connected;
    for (const StatusField& field : kFields)
      status[field.key] = FromBytes(model.StatusTexts().*field.text);
    // One document per line while watching, so that each poll can be read on its own.
    if (compact)
      context.PrintJsonLine(status);
    else
      context.PrintJson(status);
    return;
  }
  std::string text;
  const auto row = [&text](const std::string& label, const std::string& value) {
    text += label + ":" + std::string(label.size() < 18 ? 18 - label.size() : 1, ' ') + value + "\n";
  };
  row("Firmware", model.FirmwareVersion());
  row("Device id", model.DeviceId());
  row("Connected", connected ? "yes" : "no");
  for (const StatusField& field : kFields) row(field.label, model.StatusTexts().*field.text);
  context.Print(text);
}

int RunStatus(CliContext& context, const ParsedArguments& arguments) {
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  const UnitModel& model = session->Model();
  switch (WaitFor([&model] { return model.StatusValues().has_value(); }, kStatusMs,
                  session.get())) {
    case WaitResult::Met: break;
    case WaitResult::Stopped: return context.Fail(kExitInterrupted, "interrupted");
    case WaitResult::TimedOut:
      return context.Fail(kExitNoUnit, session->IsConnected()
                                           ? "the unit did not report its status"
                                           : "the unit was disconnected");
  }
  const bool watch = arguments.Has("watch");
  PrintStatus(context, *session, watch);
  if (!watch) return kExitDone;

  // Every status reply is shown, and so is the unit going away or coming
  // back; polls go out whenever the unit has been quiet long enough.
  bool separate = !context.Json();
  const auto show = [&] {
    if (separate) context.Print("\n");
    PrintStatus(context, *session, true);
  };
  QObject::connect(&session->Model(), &UnitModel::statusChanged, session.get(), show);
  QObject::connect(session.get(), &UnitSession::connectionChanged, session.get(), show);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, session.get(), [&] { session->PollIfQuiet(); });
  poll.start(kPollCheckMs);
  WaitFor([] { return false; }, INT_MAX, session.get());
  return context.Fail(kExitInterrupted, "stopped watching");
}

}  // namespace

Command StatusCommand() {
  Command command;
  command.words = "status";
  command.summary = "identity and live status, once, or on every poll until Ctrl+C";
  command.help =
      "With --json: one JSON document with firmware, device_id, connected and the eleven "
      "status texts; with --watch, one such document per line for every poll.";
  command.options = {{"watch", 'w', "", "show the status on every poll until Ctrl+C"}};
  command.run = RunStatus;
  return command;
}

}  // namespace wr::cli
