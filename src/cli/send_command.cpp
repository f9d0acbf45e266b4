// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// send: one raw command line, and the unit's lines until its OK or ERROR.
#include <QJsonArray>
#include <QJsonObject>

#include <cstdlib>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "cli/command.h"
#include "cli/unit_access.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

constexpr int kDefaultAnswerMs = 10000;

int RunSend(CliContext& context, const ParsedArguments& arguments) {
  const std::string& line = arguments.positional[0];
  // A carriage return or line feed would make two commands of one; other
  // control bytes and anything beyond ASCII are nothing the unit reads.
  for (unsigned char c : line)
    if (c < 0x20 || c >= 0x7F)
      return context.Fail(kExitUsage,
                          Tr(QT_TRANSLATE_NOOP("wr::cli", "the line holds a control character or a character beyond ASCII; "
                          "the unit reads printable ASCII only")));
  if (line.empty()) return context.Fail(kExitUsage, Tr(QT_TRANSLATE_NOOP("wr::cli", "the line is empty")));
  int answerMs = kDefaultAnswerMs;
  if (const auto wait = arguments.Value("wait")) {
    char* end = nullptr;
    const double seconds = std::strtod(wait->c_str(), &end);
    if (wait->empty() || *end != '\0' || !(seconds > 0) || seconds > 3600)
      return context.Fail(kExitUsage, Tr(QT_TRANSLATE_NOOP("wr::cli", "--wait takes a number of seconds "
                                                                       "from 0 to 3600, not '%1'"),
                                         {*wait}));
    answerMs = static_cast<int>(seconds * 1000);
  }

  AccessFailure failure;
  // Nothing else is asked, so every line that comes belongs to this command.
  std::unique_ptr<UnitSession> session = OpenChosenUnit(context, failure, false);
  if (!session) return context.Fail(failure.exitCode, failure.message);
  QJsonArray lines;
  QObject::connect(session.get(), &UnitSession::lineReceived, session.get(),
                   [&](const std::string& received) {
                     if (context.Json())
                       lines.append(FromBytes(received));
                     else
                       context.Print(received + "\n");
                   });
  UnitCommand command;
  command.line = line;
  command.timeoutMs = answerMs;
  CommandResult outcome = RunCommand(*session, std::move(command));
  if (outcome == CommandResult::WriteFailed) outcome = CommandResult::Disconnected;
  session->Shutdown();
  if (context.Json() && outcome != CommandResult::Cancelled) {
    QJsonObject document;
    document["lines"] = lines;
    document["result"] = outcome == CommandResult::Ok      ? "ok"
                         : outcome == CommandResult::Error ? "error"
                                                           : "no answer";
    context.PrintJson(document);
  }
  switch (outcome) {
    case CommandResult::Ok: return kExitDone;
    case CommandResult::Error: return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit answered ERROR")));
    case CommandResult::TimedOut:
      return context.Fail(kExitUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit did not answer OK or ERROR in time")));
    case CommandResult::Disconnected: return context.Fail(kExitNoUnit, Tr(QT_TRANSLATE_NOOP("wr::cli", "the unit was disconnected")));
    default: break;
  }
  return context.Fail(kExitInterrupted, Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted")));
}

}  // namespace

Command SendCommand() {
  Command command;
  command.words = "send";
  command.arguments = "LINE";
  command.summary = QT_TRANSLATE_NOOP("wr::cli", "one raw command; prints the unit's lines until OK or ERROR");
  command.help =
      QT_TRANSLATE_NOOP("wr::cli", "Exit 0 on OK, 1 on ERROR or when no answer comes within the waiting time. Put '--' "
      "before a line that starts with '-'.");
  command.options = {{"wait", 0, "SECONDS", QT_TRANSLATE_NOOP("wr::cli", "how long to wait for OK or ERROR (default 10)")}};
  command.minArguments = command.maxArguments = 1;
  command.run = RunSend;
  return command;
}

}  // namespace wr::cli
