// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/connect_operation.h"

#include "session/unit_text.h"

namespace wr {

ConnectOperation::ConnectOperation(UnitSession& session, int openMs, bool query,
                                   std::function<bool()> enough, QObject* parent)
    : Operation(session, parent), openMs_(openMs), query_(query), enough_(std::move(enough)) {}

void ConnectOperation::Run() {
  UnitSession& s = Session();
  When([&s] { return s.ConnectionState() == 1 || s.OpenFailure() != UsbOpenFailure::None; },
       openMs_,
       [this, &s](bool) {
         Operation* queries = s.ConnectQueries();
         if (s.ConnectionState() != 1 || !query_ || !queries)
           return Finish(UnitSession::Outcome::Done());
         // The queries of a new connection: done when every reply has come.
         connect(queries, &Operation::finished, this,
                 [this] { Finish(UnitSession::Outcome::Done()); });
         if (enough_)
           When(enough_, kIdentityMs, [this](bool met) {
             if (met) Finish(UnitSession::Outcome::Done());
           });
         // A unit that does not say who it is does not answer at all.
         const UnitModel& model = s.Model();
         When([&model] { return !model.FirmwareVersion().empty() && !model.DeviceId().empty(); },
              kIdentityMs, [this](bool known) {
                if (!known) Finish(UnitSession::Outcome::Failed(QString()));
              });
       },
       true);
}

Message ConnectFailure(const UnitSession& session, const std::string& where, bool query) {
  if (session.ConnectionState() != 1) {
    // One line: the hint's command goes on the same line.
    const Message why = session.OpenFailureLine();
    return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the unit at %1 cannot be opened: %2"),
                       {Message::Plain(where),
                        why.Empty() ? Message::Of(WR_TRANSLATE_NOOP("wr::Core", "it did not respond in time"))
                                    : why});
  }
  const UnitModel& model = session.Model();
  if (!query || (!model.FirmwareVersion().empty() && !model.DeviceId().empty())) return {};
  return session.IsConnected()
             ? Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the unit at %1 does not answer"),
                           {Message::Plain(where)})
             : Message::Of(WR_TRANSLATE_NOOP("wr::Core", "the unit at %1 was disconnected"),
                           {Message::Plain(where)});
}

}  // namespace wr
