// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// status: who the unit is and what it reports now, once or on every poll.
#include <QEventLoop>
#include <QJsonObject>
#include <QTimer>

#include <climits>
#include <optional>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/unit_access.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

// Milliseconds between looks at whether the unit is quiet enough to be polled.
constexpr int kPollCheckMs = 100;

struct StatusField {
  const char* key;
  const char* label;
  QString StatsTexts::*text;
};

const StatusField kFields[] = {
    {"gsm_status", QT_TRANSLATE_NOOP("wr::cli", "GSM status"), &StatsTexts::gsmStatus},
    {"gsm_signal", QT_TRANSLATE_NOOP("wr::cli", "GSM signal"), &StatsTexts::gsmSignal},
    {"next_gsm_update", QT_TRANSLATE_NOOP("wr::cli", "Next GSM update"), &StatsTexts::nextGsmUpdate},
    {"coordinates", QT_TRANSLATE_NOOP("wr::cli", "Coordinates"), &StatsTexts::coordinates},
    {"gps_signal", QT_TRANSLATE_NOOP("wr::cli", "GPS signal"), &StatsTexts::gpsSignal},
    {"movement", QT_TRANSLATE_NOOP("wr::cli", "Movement"), &StatsTexts::movement},
    {"trip_status", QT_TRANSLATE_NOOP("wr::cli", "Trip status"), &StatsTexts::tripStatus},
    {"speed", QT_TRANSLATE_NOOP("wr::cli", "Speed"), &StatsTexts::speed},
    {"time", QT_TRANSLATE_NOOP("wr::cli", "Time"), &StatsTexts::time},
    {"volt_external", QT_TRANSLATE_NOOP("wr::cli", "External voltage"), &StatsTexts::voltExternal},
    {"volt_battery", QT_TRANSLATE_NOOP("wr::cli", "Battery voltage"), &StatsTexts::voltBattery},
};

template <typename T>
QJsonValue Number(const std::optional<T>& value) {
  return value ? QJsonValue(static_cast<double>(*value)) : QJsonValue(QJsonValue::Null);
}

// The status values as numbers for machines, each null when the unit did not tell it.
void AddStatusValues(QJsonObject& status, const std::optional<StatsValues>& reported) {
  const StatsValues v = reported.value_or(StatsValues());
  status["signal_dbm"] = Number(v.signalDbm);
  status["next_update_s"] = Number(v.nextUpdateS);
  status["latitude"] = Number(v.latitude);
  status["longitude"] = Number(v.longitude);
  status["satellites_used"] = Number(v.satellitesUsed);
  status["satellites_visible"] = Number(v.satellitesVisible);
  status["hdop"] = Number(v.hdop);
  status["last_movement_s"] = Number(v.lastMovementS);
  status["speed_kmh"] = Number(v.speedKmh);
  status["unit_time"] = v.unitTime ? QJsonValue(FromBytes(*v.unitTime)) : QJsonValue(QJsonValue::Null);
  status["supply_v"] = Number(v.supplyVolts);
  status["battery_v"] = Number(v.batteryVolts);
  status["battery_percent"] = Number(v.batteryPercent);
}

void PrintStatus(CliContext& context, const UnitSession& session, bool compact) {
  const UnitModel& model = session.Model();
  const bool connected = session.ConnectionState() == 1;
  if (context.Json()) {
    QJsonObject status;
    status["firmware"] = FromBytes(model.FirmwareVersion());
    status["device_id"] = FromBytes(model.DeviceId());
    status["connected"] = connected;
    const StatsTexts texts = model.StatusTexts();
    for (const StatusField& field : kFields) status[field.key] = texts.*field.text;
    AddStatusValues(status, model.StatusValues());
    // One document per line while watching, so that each poll can be read on its own.
    if (compact)
      context.PrintJsonLine(status);
    else
      context.PrintJson(status);
    return;
  }
  std::string text;
  const auto row = [&text](const std::string& label, const std::string& value) {
    // Padded by characters, not bytes: a translated label may hold any.
    const int size = QString::fromStdString(label).size();
    text += label + ":" + std::string(size < 18 ? 18 - size : 1, ' ') + value + "\n";
  };
  row(Tr(QT_TRANSLATE_NOOP("wr::cli", "Firmware")), model.FirmwareVersion());
  row(Tr(QT_TRANSLATE_NOOP("wr::cli", "Device id")), model.DeviceId());
  row(Tr(QT_TRANSLATE_NOOP("wr::cli", "Connected")),
      connected ? Tr(QT_TRANSLATE_NOOP("wr::cli", "yes")) : Tr(QT_TRANSLATE_NOOP("wr::cli", "no")));
  const StatsTexts texts = model.StatusTexts();
  for (const StatusField& field : kFields) row(Tr(field.label), ToBytes(texts.*field.text));
  context.Print(text);
}

int RunStatus(CliContext& context, const ParsedArguments& arguments) {
  AccessFailure failure;
  // Its identity and status are all it needs of the unit's replies.
  std::unique_ptr<UnitSession> session =
      OpenChosenUnit(context, failure, true, [](const UnitModel& model) {
        return !model.FirmwareVersion().empty() && !model.DeviceId().empty() &&
               model.StatusValues().has_value();
      });
  if (!session) return context.Fail(failure.exitCode, failure.message);
  // The status reply is one of those the connection waited for.
  if (!session->Model().StatusValues())
    return context.Fail(kExitNoUnit, session->IsConnected()
                                         ? Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit did not report its status"))
                                         : Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit was disconnected")));
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
  // Until an interrupt ends the loop.
  QEventLoop loop;
  loop.exec();
  return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "stopped watching")));
}

}  // namespace

Command StatusCommand() {
  Command command;
  command.words = "status";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "identity and live status, once, or on every poll until Ctrl+C");
  command.help =
      QT_TRANSLATE_NOOP("wr::cli", "With --json: one JSON document with firmware, device_id, connected, the eleven "
      "status texts and the status values as numbers, null when the unit did not tell them "
      "(signal_dbm, next_update_s, latitude, longitude, satellites_used, satellites_visible, "
      "hdop, last_movement_s, speed_kmh, supply_v, battery_v, battery_percent; unit_time as "
      "the unit sends it, hhmmss); with --watch, one such document per line for every poll.");
  command.options = {{"watch", 'w', "", QT_TRANSLATE_NOOP("wr::cli", "show the status on every poll until Ctrl+C")}};
  command.run = RunStatus;
  return command;
}

}  // namespace wr::cli
