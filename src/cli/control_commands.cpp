// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// reboot, factory-reset, defaults, output: the unit controls.
#include <QJsonObject>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/unit_access.h"
#include "session/unit_operations.h"
#include "protocol/settings_commands.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

// A question for the controls that lose the unit's settings; the exit code
// when the answer is not yes, 0 when the control may go ahead. The refusal
// is the message when no one can answer.
int Confirm(CliContext& context, const ParsedArguments& arguments, const std::string& question,
            const char* refusal) {
  if (arguments.Has("yes")) return kExitDone;
  const std::optional<bool> yes = context.Ask(question);
  if (context.Interrupted() || StopRequested()) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")));
  if (!yes)
    return context.Fail(kExitUsage, Tr(refusal));
  if (!*yes) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "cancelled; nothing was sent")));
  return kExitDone;
}

struct ControlReport {
  std::string done;  // the line that says it went out
  int refusedCode = kExitUnit;
  bool unitLeaves = false;  // the unit drops off the bus by itself afterwards
};

// The one line (or JSON document) of a control that went out; exit 0,
// unless the unit went away while it was being sent.
int Report(CliContext& context, UnitSession& session, const UnitSession::Outcome& outcome,
           const ControlReport& report) {
  const std::string& done = report.done;
  if (StopRequested()) return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted while sending to the unit")));
  if (!outcome.done) return context.Fail(report.refusedCode, ToBytes(outcome.message));
  if (!session.IsConnected() && !report.unitLeaves)
    return context.Fail(kExitNoUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit was disconnected")));
  if (context.Json()) {
    QJsonObject document;
    document["result"] = "ok";
    document["message"] = FromBytes(done);
    context.PrintJson(document);
  } else {
    context.Print(done + "\n");
  }
  return kExitDone;
}

// Runs the operation to its end.
UnitSession::Outcome Outcome(std::unique_ptr<Operation> operation) {
  RunOperation(*operation);
  return operation->Result();
}

int RunReboot(CliContext& context, const ParsedArguments&) {
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  const UnitSession::Outcome outcome = Outcome(MakeReboot(*session));
  return Report(context, *session, outcome,
                {Tr(QT_TRANSLATE_NOOP("wr::cli", "The unit restarts.")), kExitUnit, true});
}

int RunFactoryReset(CliContext& context, const ParsedArguments& arguments) {
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  if (const int code = Confirm(context, arguments,
                               Tr(QT_TRANSLATE_NOOP("wr::cli", "Reset the unit %1 to its factory settings? "
                                                               "Its settings and trips are lost."),
                                  {session->Model().DeviceId()}),
                               QT_TRANSLATE_NOOP("wr::cli", "a factory reset needs --yes when no one "
                                                            "can answer the question")))
    return code;
  const UnitSession::Outcome outcome = Outcome(MakeFactoryReset(*session));
  return Report(context, *session, outcome,
                {Tr(QT_TRANSLATE_NOOP("wr::cli",
                                      "The unit was reset to its factory settings; its trips are gone."))});
}

int RunDefaults(CliContext& context, const ParsedArguments& arguments) {
  // No server is chosen for the user: without one, nothing is sent.
  const std::string host = TrackingHost(arguments.Value("host").value_or(std::string()));
  if (!TrackingHostIsSet(host))
    return context.Fail(kExitUsage, Tr(QT_TRANSLATE_NOOP("wr::cli", "no tracking server is set: give it "
                                                                     "with --host HOST or in %1; nothing "
                                                                     "was sent"),
                                       {kTrackingHostVariable}));
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  std::string question = Tr(QT_TRANSLATE_NOOP("wr::cli", "Send these default settings to the unit %1?"),
                            {session->Model().DeviceId()});
  for (const Message& line : DefaultsDescription(host)) question += "\n  " + Tr(line);
  if (const int code = Confirm(context, arguments, question,
                               QT_TRANSLATE_NOOP("wr::cli", "sending the defaults needs --yes when no "
                                                            "one can answer the question")))
    return code;
  const UnitSession::Outcome outcome = Outcome(MakeSendDefaults(*session, host));
  // The only refusal: a tracking host that cannot be sent safely.
  return Report(context, *session, outcome,
                {Tr(QT_TRANSLATE_NOOP("wr::cli",
                                      "The default settings were sent to the unit (tracking server %1)."),
                    {host}),
                 kExitUsage});
}

int RunOutput(CliContext& context, const ParsedArguments& arguments) {
  const std::string& name = arguments.positional[0];
  const std::string& state = arguments.positional[1];
  std::optional<UnitOutput> output;
  if (name == "relay") output = UnitOutput::Relay;
  else if (name == "output") output = UnitOutput::Output;
  else if (name == "buzzer") output = UnitOutput::Buzzer;
  else if (name == "3v3") output = UnitOutput::Supply3V3;
  if (!output)
    return context.Fail(kExitUsage, Tr(QT_TRANSLATE_NOOP("wr::cli", "the outputs are relay, output, buzzer "
                                                                     "and 3v3, not '%1'"),
                                       {name}));
  if (state != "on" && state != "off")
    return context.Fail(kExitUsage,
                        Tr(QT_TRANSLATE_NOOP("wr::cli", "an output is switched on or off, not '%1'"), {state}));
  AccessFailure failure;
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  const UnitSession::Outcome outcome = Outcome(MakeSetOutput(*session, *output, state == "on"));
  return Report(context, *session, outcome,
                {Tr(QT_TRANSLATE_NOOP("wr::cli", "Switched %1 %2."), {name, state})});
}

}  // namespace

Command RebootCommand() {
  Command command;
  command.words = "reboot";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "restart the unit");
  command.run = RunReboot;
  return command;
}

Command FactoryResetCommand() {
  Command command;
  command.words = "factory-reset";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "the unit forgets its settings and trips");
  command.options = {YesOption(QT_TRANSLATE_NOOP("wr::cli", "reset without asking"))};
  command.run = RunFactoryReset;
  return command;
}

Command DefaultsCommand() {
  Command command;
  command.words = "defaults";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "send the default settings, with the tracking server given");
  command.help =
      QT_TRANSLATE_NOOP("wr::cli", "Writes the tracking server (port 80), a trip stop time of 3 minutes, the tracking values "
      "21600, 30, 10000 and 20, low power mode on and smart ignition detection. The server is "
      "--host, else WAYRUNNER_TRACKING_HOST; without either nothing is sent (exit 2).");
  command.options = {{"host", 0, "HOST", QT_TRANSLATE_NOOP("wr::cli", "the tracking server to write")},
                     YesOption(QT_TRANSLATE_NOOP("wr::cli", "send without asking"))};
  command.run = RunDefaults;
  return command;
}

Command OutputCommand() {
  Command command;
  command.words = "output";
  command.arguments = "relay|output|buzzer|3v3 on|off";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "switch an output (relay on = closed, output on = high)");
  command.minArguments = command.maxArguments = 2;
  command.run = RunOutput;
  return command;
}

}  // namespace wr::cli
