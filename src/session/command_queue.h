// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The session's one queue of lines for the unit. A command goes out when the
// ones before it have ended; what ends it (the unit's mark, the replies it
// expects, quiet, or the write itself), its time-out and the pause after it
// are timers and signals on the session's thread: nothing here blocks.
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wr {

class UnitSession;

// One line for the unit and what ends it.
struct UnitCommand {
  // Sent as it is; an empty line sends nothing and only waits (End::Quiet).
  std::string line;
  bool echo = true;  // echo "->" and the text, as UnitSession::SendCommand does
  enum class End {
    Mark,     // the unit's OK or ERROR
    Replies,  // every reply keyword in `replies` has arrived (OK/ERROR still counted)
    Quiet,    // the unit has been quiet for quietMs
    Written,  // as soon as the line has been handed to the link
  } end = End::Mark;
  // End::Replies: reply keywords that must all arrive. Replies to lines that
  // went out just before in the same turn (Written, without a pause) count
  // too: none of them can have arrived before this line goes out. When one is
  // missing once every line has its mark, when the time-out passes, or when
  // the unit sends a line none of them begins, the command falls back to the
  // quiet wait (quietFirstMs, then quietMs) and ends as Quiet.
  std::vector<std::string> replies;
  int timeoutMs = 2000;  // then the result is TimedOut (or the next retry)
  int retries = 0;
  int pauseAfterMs = 0;  // nothing else goes out for this long after it ended
  int quietMs = 0;       // End::Quiet, and the fallback of End::Replies
  int quietFirstMs = 0;  // a quiet wait first lets this long pass
};

enum class CommandResult { Ok, Error, Replied, Quiet, Written, TimedOut, Disconnected,
                           WriteFailed, Cancelled };

// Every line to the unit goes through the session's one queue, in order; it
// never blocks: pauses and time-outs are timers on the session's thread.
class CommandQueue : public QObject {
  Q_OBJECT
 public:
  // Milliseconds a command that waits for the unit first gives earlier lines
  // to be answered, so that their marks are not taken for its own; a count
  // that does not come down in time is taken as lost answers.
  static constexpr int kAnswersMs = 1500;

  explicit CommandQueue(UnitSession& session);

  // Queues the command; done (if given) and finished() report its result
  // once. When the queue is free the line goes out before Submit returns,
  // and a command that ends as it is written has already been reported.
  uint64_t Submit(UnitCommand command, std::function<void(CommandResult)> done = {});
  // Drops the command if it has not gone out, or ends its wait if it has
  // (the pause after it still holds); its result is Cancelled.
  void Cancel(uint64_t id);
  bool Idle() const;
  // While a result is reported: the link's ticket for the line (0 when
  // nothing was handed over), for UnitSession::WriteFailedFor.
  uint64_t Ticket() const { return ticket_; }
  // The session is going away: everything queued ends as Disconnected, and
  // so does whatever is submitted afterwards.
  void Stop();

 signals:
  void finished(uint64_t id, wr::CommandResult result);
  // The last queued command has ended (and the pause after it passed).
  void idle();

 private:
  enum class Phase { Free, Answers, Waiting, Quiet, Pausing };
  struct Entry {
    uint64_t id = 0;
    UnitCommand command;
    std::function<void(CommandResult)> done;
    int triesLeft = 0;
  };

  void Pump();
  void Begin();
  void Send();
  void Check();
  void OnLine(const std::string& line);
  void StartQuiet(int firstMs);
  void QuietTick();
  void Finish(CommandResult result);
  void Report(Entry& entry, CommandResult result);

  UnitSession& session_;
  std::deque<Entry> pending_;
  std::optional<Entry> current_;
  Phase phase_ = Phase::Free;
  uint64_t nextId_ = 1;
  uint64_t ticket_ = 0;
  bool pumping_ = false;
  bool stopped_ = false;
  bool busy_ = false;  // something ran since the last idle()
  std::vector<std::string> seen_;  // reply keywords arrived for End::Replies
  QTimer timeout_;
  QTimer step_;  // the answers wait, the quiet steps and the pause after
};

}  // namespace wr
