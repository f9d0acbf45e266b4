// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// list: every attached unit of our identifiers, with who it says it is.
#include <QEventLoop>
#include <QTimer>
#include <QJsonArray>
#include <QJsonObject>

#include <cstdio>
#include <memory>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/unit_access.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

// Milliseconds for all listed units together to open and say who they are.
constexpr int kIdentifyMs = 3000;

std::string Hex4(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", value & 0xFFFF);
  return text;
}

int RunList(CliContext& context, const ParsedArguments&) {
  const std::vector<UsbUnitListing> units = UnitSession::ListUnits(context.Api());
  // Every unit is opened at once, each in its own session; they answer side by side.
  std::vector<std::unique_ptr<UnitSession>> sessions;
  std::vector<std::unique_ptr<ConnectOperation>> connecting;
  QEventLoop loop;
  size_t running = units.size();
  for (const UsbUnitListing& unit : units) {
    sessions.push_back(
        std::make_unique<UnitSession>(context.Api(), CliSessionOptions(unit.location)));
    sessions.back()->Start();
    connecting.push_back(std::make_unique<ConnectOperation>(*sessions.back(), kIdentifyMs, true));
    QObject::connect(connecting.back().get(), &Operation::finished, &loop, [&] {
      if (--running == 0) loop.quit();
    });
  }
  for (auto& c : connecting) c->Start();
  // A unit that has not said who it is by then is listed as not answering.
  QTimer::singleShot(kIdentifyMs, &loop, &QEventLoop::quit);
  const bool stopped = running > 0 && (loop.exec() < 0 || StopRequested());
  for (auto& c : connecting) c->Cancel();
  if (stopped) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")));

  QJsonArray list;
  std::string text;
  for (size_t i = 0; i < units.size(); ++i) {
    const UsbUnitListing& unit = units[i];
    const UnitModel& model = sessions[i]->Model();
    const std::string failure = Tr(sessions[i]->OpenFailureLine());
    QJsonObject entry;
    entry["location"] = QString::fromStdString(LocationText(unit.location));
    entry["bus"] = unit.location.bus;
    entry["address"] = unit.location.address;
    entry["vendor_id"] = QString::fromStdString(Hex4(unit.vendorId));
    entry["product_id"] = QString::fromStdString(Hex4(unit.productId));
    entry["firmware"] = FromBytes(model.FirmwareVersion());
    entry["device_id"] = FromBytes(model.DeviceId());
    std::string line = LocationText(unit.location) + "  " + Hex4(unit.vendorId) + ":" +
                       Hex4(unit.productId);
    if (!model.DeviceId().empty()) {
      line += "  " + Tr(QT_TRANSLATE_NOOP("wr::cli", "firmware %1  device id %2"),
                        {model.FirmwareVersion(), model.DeviceId()});
    } else {
      const std::string why = failure.empty()
                                  ? Tr(QT_TRANSLATE_NOOP("wr::cli", "did not answer"))
                                  : Tr(QT_TRANSLATE_NOOP("wr::cli", "cannot be opened: %1"), {failure});
      entry["error"] = FromBytes(why);
      line += "  (" + why + ")";
    }
    list.append(entry);
    text += line + "\n";
  }
  for (auto& session : sessions) session->Shutdown();

  if (context.Json()) {
    QJsonObject document;
    document["units"] = list;
    context.PrintJson(document);
  } else {
    context.Print(text);
  }
  if (units.empty()) return context.Fail(kExitNoUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "no unit found: plug the unit in and check the cable")));
  return kExitDone;
}

}  // namespace

Command ListCommand() {
  Command command;
  command.words = "list";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "attached units: bus:address, identifiers, firmware, device id");
  command.help =
      QT_TRANSLATE_NOOP("wr::cli", "Each unit is opened briefly to ask for its firmware version and device id; a unit that "
      "another program holds is listed with the reason it cannot be opened.");
  command.run = RunList;
  return command;
}

}  // namespace wr::cli
