// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Opening a unit for a piece of work that comes right after: the wait for
// the unit to open and say who it is, and why it could not be used.
#include <functional>
#include <string>

#include "protocol/message.h"
#include "session/operation.h"

namespace wr {

// Waits for the session to open its unit (at most openMs) and, with query,
// for the queries of a new connection until every reply has come; fails
// when the unit has not said who it is within kIdentityMs. A caller that
// needs only some of the replies gives enough: the operation ends as soon as
// it holds.
class ConnectOperation : public Operation {
  Q_OBJECT
 public:
  // Milliseconds for a unit that is open to say who it is.
  static constexpr int kIdentityMs = 5000;

  ConnectOperation(UnitSession& session, int openMs, bool query,
                   std::function<bool()> enough = {}, QObject* parent = nullptr);

 protected:
  void Run() override;

 private:
  int openMs_;
  bool query_;
  std::function<bool()> enough_;
};

// Why the unit at where (as the user knows the place) cannot be used once a
// ConnectOperation has ended: not opened, or (with query) it has not said
// who it is; empty when it can be used.
Message ConnectFailure(const UnitSession& session, const std::string& where, bool query);

}  // namespace wr
