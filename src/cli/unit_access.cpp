// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/unit_access.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <optional>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/exit_code.h"
#include "protocol/commands.h"
#include "session/unit_operations.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

// Milliseconds a read waits for the unit before the worker looks at its stop
// request again; the tool's exit waits for at most one such read.
constexpr int kReadTimeoutMs = 200;
// Milliseconds between two looks at the bus while waiting for a unit.
constexpr int kListPeriodMs = 100;
// Milliseconds to open a unit that is listed, whatever --timeout says.
constexpr int kOpenMs = 3000;

}  // namespace

UnitSession::Options CliSessionOptions(std::optional<UsbLocation> location, bool query) {
  UnitSession::Options options;
  options.location = location;
  options.timings.readTimeoutMs = kReadTimeoutMs;
  options.timings.firstLookAtOnce = true;
  options.queryOnConnect = query;
  return options;
}

bool StopRequested() { return QThread::currentThread()->isInterruptionRequested(); }

bool RunOperation(Operation& operation) {
  QEventLoop loop;
  QObject::connect(&operation, &Operation::finished, &loop, &QEventLoop::quit);
  operation.Start();
  // A loop that will not run, or one that ends without the operation: this
  // thread has been told to stop.
  if (!operation.Finished() && (loop.exec() < 0 || !operation.Finished())) operation.Cancel();
  return !operation.Result().interrupted || !StopRequested();
}

CommandResult RunCommand(UnitSession& session, UnitCommand command) {
  QEventLoop loop;
  std::optional<CommandResult> result;
  const uint64_t id = session.Queue().Submit(std::move(command), [&](CommandResult r) {
    result = r;
    loop.quit();
  });
  if (!result && loop.exec() < 0 && !result) session.Queue().Cancel(id);
  return result.value_or(CommandResult::Cancelled);
}

std::unique_ptr<UnitSession> ConnectAt(UsbApi& api, UsbLocation location, int timeoutMs,
                                       bool query, AccessFailure& failure,
                                       std::function<bool(const UnitModel&)> enough) {
  auto session = std::make_unique<UnitSession>(api, CliSessionOptions(location, query));
  session->Start();
  UnitSession& s = *session;
  const UnitModel& model = s.Model();
  ConnectOperation connect(s, timeoutMs, query,
                           enough ? std::function<bool()>([&] { return enough(model); })
                                  : std::function<bool()>());
  if (!RunOperation(connect)) {
    failure = {kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted"))};
    return session;
  }
  const Message why = ConnectFailure(s, LocationText(location), query);
  if (!why.Empty()) failure = {kExitNoUnit, ToBytes(Translated(why))};
  return session;
}

std::unique_ptr<UnitSession> OpenChosenUnit(CliContext& context, AccessFailure& failure,
                                            bool query,
                                            std::function<bool(const UnitModel&)> enough) {
  const GlobalOptions& options = context.Options();
  QElapsedTimer elapsed;
  elapsed.start();
  std::optional<UsbLocation> chosen;
  for (;;) {
    const std::vector<UsbUnitListing> units = UnitSession::ListUnits(context.Api());
    if (options.device) {
      for (const UsbUnitListing& unit : units)
        if (unit.location == *options.device) chosen = unit.location;
    } else if (units.size() == 1) {
      chosen = units.front().location;
    } else if (units.size() > 1) {
      std::string where;
      for (const UsbUnitListing& unit : units)
        where += (where.empty() ? "" : ", ") + LocationText(unit.location);
      failure = {kExitNoUnit,
                 Tr(QT_TRANSLATE_NOOP("wr::cli",
                                      "%1 units are attached (%2); choose one with --device BUS:ADDR"),
                    {std::to_string(units.size()), where})};
      return nullptr;
    }
    if (chosen) break;
    const qint64 left = options.timeoutMs - elapsed.elapsed();
    if (left <= 0) {
      if (options.device) context.SetUnit(*options.device);
      failure = {kExitNoUnit,
                 options.device
                     ? Tr(QT_TRANSLATE_NOOP("wr::cli",
                                            "no unit at %1 ('wayrunner-cli list' shows the units attached)"),
                          {LocationText(*options.device)})
                     : Tr(QT_TRANSLATE_NOOP("wr::cli", "no unit found: plug the unit in and check the cable"))};
      return nullptr;
    }
    // The bus is looked at again after a while; the loop ends at once when
    // this thread has been told to stop.
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::min<qint64>(left, kListPeriodMs)), &loop,
                       &QEventLoop::quit);
    if (loop.exec() < 0 || StopRequested()) {
      failure = {kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted"))};
      return nullptr;
    }
  }
  auto session = ConnectAt(context.Api(), *chosen, kOpenMs, query, failure, std::move(enough));
  context.SetUnit(*chosen, session->Model().DeviceId());
  if (failure.exitCode != 0) return nullptr;
  return session;
}

bool ReadAllSettings(UnitSession& session, std::string& missing) {
  ReadSettingsOperation read(session, ReadSettingsOperation::AllGroups());
  RunOperation(read);
  missing = read.Missing();
  return read.Result().done;
}

}  // namespace wr::cli

namespace wr::cli {

SettingsWriteReport WriteSettings(UnitSession& session, const SettingsValues& wanted) {
  WriteSettingsOperation write(session, wanted);
  RunOperation(write);
  return write.Report();
}

}  // namespace wr::cli
