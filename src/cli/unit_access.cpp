// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/unit_access.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include "cli/cli_context.h"
#include "cli/exit_code.h"
#include "protocol/commands.h"

namespace wr::cli {
namespace {

// Milliseconds a read waits for the unit before the worker looks at its stop
// request again; the tool's exit waits for at most one such read.
constexpr int kReadTimeoutMs = 200;
// Milliseconds between two looks at the bus while waiting for a unit.
constexpr int kListPeriodMs = 100;
// Milliseconds to open a unit that is listed, whatever --timeout says.
constexpr int kOpenMs = 3000;
// Milliseconds for a unit that is open to say who it is.
constexpr int kIdentityMs = 5000;

// Milliseconds for the unit to answer the queries sent on connecting.
constexpr int kSettleMs = 5000;

// The commands a session has sent and the completion marks that came back.
class AnswerCount : public QObject {
 public:
  explicit AnswerCount(UnitSession& session) : QObject(&session) {
    // Found by name: the session has other children.
    setObjectName(QStringLiteral("answerCount"));
    connect(&session, &UnitSession::commandEchoed, this, [this] { ++sent; });
    connect(&session, &UnitSession::lineReceived, this, [this](const std::string& line) {
      if (reply::StartsWith(line, reply::kOk) || reply::StartsWith(line, reply::kError)) ++answered;
    });
  }
  int sent = 0;
  int answered = 0;
};

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

WaitResult WaitFor(const std::function<bool()>& cond, int timeoutMs, UnitSession* session,
                   int tickMs) {
  QElapsedTimer elapsed;
  elapsed.start();
  for (;;) {
    if (cond()) return WaitResult::Met;
    if (StopRequested()) return WaitResult::Stopped;
    const qint64 left = timeoutMs - elapsed.elapsed();
    if (left <= 0) return WaitResult::TimedOut;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(static_cast<int>(tickMs > 0 ? std::min<qint64>(left, tickMs) : left));
    if (session) {
      QObject::connect(session, &UnitSession::drained, &loop, &QEventLoop::quit);
      QObject::connect(session, &UnitSession::waitersWoken, &loop, &QEventLoop::quit);
    }
    // A loop that will not run: this thread has been told to stop.
    if (loop.exec() < 0) return WaitResult::Stopped;
  }
}

std::string OpenFailureText(const UnitSession& session) {
  // One line on standard error: the hint's command goes on the same line.
  return session.OpenFailureText().replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString();
}

std::unique_ptr<UnitSession> ConnectAt(UsbApi& api, UsbLocation location, int timeoutMs,
                                       bool query, AccessFailure& failure) {
  auto session = std::make_unique<UnitSession>(api, CliSessionOptions(location, query));
  new AnswerCount(*session);
  session->Start();
  UnitSession& s = *session;
  const WaitResult opened = WaitFor(
      [&s] {
        return s.ConnectionState() == 1 || s.OpenFailure() != UsbOpenFailure::None;
      },
      timeoutMs, &s);
  if (opened == WaitResult::Stopped) {
    failure = {kExitInterrupted, "interrupted"};
    return session;
  }
  if (s.ConnectionState() != 1) {
    const std::string why = OpenFailureText(s);
    failure = {kExitNoUnit, "the unit at " + LocationText(location) + " cannot be opened: " +
                                (why.empty() ? std::string("it did not respond in time") : why)};
    return session;
  }
  if (!query) return session;
  const UnitModel& model = s.Model();
  const WaitResult known = WaitFor(
      [&model] { return !model.FirmwareVersion().empty() && !model.DeviceId().empty(); },
      kIdentityMs, &s);
  if (known == WaitResult::Met && !WaitForAnswers(s, kSettleMs) && StopRequested()) {
    failure = {kExitInterrupted, "interrupted"};
  } else if (known == WaitResult::Stopped) {
    failure = {kExitInterrupted, "interrupted"};
  } else if (known == WaitResult::TimedOut) {
    failure = {kExitNoUnit, s.IsConnected() ? "the unit at " + LocationText(location) +
                                                  " does not answer"
                                            : "the unit at " + LocationText(location) +
                                                  " was disconnected"};
  }
  return session;
}

std::unique_ptr<UnitSession> OpenChosenUnit(CliContext& context, AccessFailure& failure,
                                            bool query) {
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
      failure = {kExitNoUnit, std::to_string(units.size()) + " units are attached (" + where +
                                  "); choose one with --device BUS:ADDR"};
      return nullptr;
    }
    if (chosen) break;
    const qint64 left = options.timeoutMs - elapsed.elapsed();
    if (left <= 0) {
      if (options.device) context.SetUnit(*options.device);
      failure = {kExitNoUnit,
                 options.device
                     ? "no unit at " + LocationText(*options.device) +
                           " ('wayrunner-cli list' shows the units attached)"
                     : std::string("no unit found: plug the unit in and check the cable")};
      return nullptr;
    }
    if (WaitFor([] { return false; }, static_cast<int>(std::min<qint64>(left, kListPeriodMs))) ==
        WaitResult::Stopped) {
      failure = {kExitInterrupted, "interrupted"};
      return nullptr;
    }
  }
  auto session = ConnectAt(context.Api(), *chosen, kOpenMs, query, failure);
  context.SetUnit(*chosen, session->Model().DeviceId());
  if (failure.exitCode != 0) return nullptr;
  return session;
}

bool WaitForAnswers(UnitSession& session, int timeoutMs) {
  const auto* count = static_cast<const AnswerCount*>(
      session.findChild<QObject*>(QStringLiteral("answerCount"), Qt::FindDirectChildrenOnly));
  if (!count) return true;
  return WaitFor([count] { return count->answered >= count->sent; }, timeoutMs, &session) ==
         WaitResult::Met;
}

bool ReadAllSettings(UnitSession& session, std::string& missing) {
  static const SettingGroup kGroups[] = {SettingGroup::Track, SettingGroup::LowPower,
                                         SettingGroup::Ussd, SettingGroup::Gprs,
                                         SettingGroup::Ignition};
  const UnitModel& model = session.Model();
  // The queries sent on connecting are usually still being answered.
  WaitFor(
      [&model] {
        for (SettingGroup group : kGroups)
          if (!model.Settings().Read(group)) return false;
        return true;
      },
      UnitSession::kReadBeforeSaveMs, &session);
  missing.clear();
  for (SettingGroup group : kGroups) {
    if (session.EnsureRead(group)) continue;
    if (!missing.empty()) missing += ", ";
    missing += SettingGroupName(group);
  }
  return missing.empty();
}

}  // namespace wr::cli
