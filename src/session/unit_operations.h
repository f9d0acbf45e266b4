// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The unit work the window and the command-line tool share, each written
// once as an operation on the session's command queue.
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/settings_values.h"
#include "protocol/unit_controls.h"
#include "session/operation.h"

namespace wr {

// A query and the keyword its reply begins with.
struct QueryReply {
  std::string_view query;
  std::string_view reply;
};
// The queries that bring the unit's whole state, in sending order.
const std::vector<QueryReply>& InitialQueries();

// The unit's whole state: "ATI" (twice when asOnConnect, as a new connection
// is queried) and the queries, ending when every reply has arrived, or after
// the quiet wait when one is missing or something else came.
class QueryOperation : public Operation {
  Q_OBJECT
 public:
  explicit QueryOperation(UnitSession& session, bool asOnConnect = false,
                          QObject* parent = nullptr);
  // Only asks: a cancel drops the queries not yet sent.
  bool CancelSafe() const override { return true; }

 protected:
  void Run() override;

 private:
  bool asOnConnect_;
};

// Makes sure the given settings groups have been read on this connection:
// with waitForEarlier, first lets the queries already sent be answered; then
// asks for the groups still missing all at once and waits for their replies.
// Fails, naming what is missing (Missing()), when they do not come.
class ReadSettingsOperation : public Operation {
  Q_OBJECT
 public:
  ReadSettingsOperation(UnitSession& session, std::vector<SettingGroup> groups,
                        bool waitForEarlier = true, QObject* parent = nullptr);
  // Every group a settings reply fills.
  static std::vector<SettingGroup> AllGroups();
  bool CancelSafe() const override { return true; }
  // The names of the groups not read, separated by ", ".
  const std::string& Missing() const { return missing_; }

 protected:
  void Run() override;

 private:
  bool AllRead() const;
  void AskMissing();
  void End();

  std::vector<SettingGroup> groups_;
  bool waitForEarlier_;
  std::string missing_;
};

// Checks the values and, when they may be sent, sends the five set
// commands, each answered before the next, then the five queries, and
// compares what the unit holds then with what was sent. The read-back ends
// when all five replies have arrived (the quiet wait when one is missing).
// A refusal sends nothing and says why; settings the unit did not take are
// named, with what it holds, in the message and in problems. values holds
// what the Settings tab shows (every key with a box); with Retained::FromForm
// it holds every key.
class SaveOperation : public Operation {
  Q_OBJECT
 public:
  SaveOperation(UnitSession& session, SettingsValues values,
                UnitSession::Retained retained = UnitSession::Retained::FromUnit,
                QObject* parent = nullptr);

 protected:
  void Run() override;
  void OnCancel() override;

 private:
  void Send();
  void SendSet(size_t index);
  void ReadBack();
  void Compare();

  SettingsValues form_;
  UnitSession::Retained retained_;
  std::optional<PollingPause> pause_;
  std::vector<std::string> commands_;
  std::vector<SetAnswer> answers_;
  std::vector<uint64_t> tickets_;
  uint64_t setId_ = 0;  // the set command on the queue
  bool answering_ = true;
};

// Asks for the trip log and waits until the unit has sent all of it; the
// trips arrive in the model as they come, into an emptied list.
class FetchTripsOperation : public Operation {
  Q_OBJECT
 public:
  FetchTripsOperation(UnitSession& session, int timeoutMs, QObject* parent = nullptr);
  // A cancel ends the wait; trips the unit still lists arrive in the model.
  bool CancelSafe() const override { return true; }

 protected:
  void Run() override;

 private:
  int timeoutMs_;
  std::optional<PollingPause> pause_;
};

// The unit controls, as lines with their pauses.
std::unique_ptr<Operation> MakeReboot(UnitSession& session);
// The unit forgets its settings and trips; the model follows and the unit
// is queried again.
std::unique_ptr<Operation> MakeFactoryReset(UnitSession& session);
std::unique_ptr<Operation> MakeSetOutput(UnitSession& session, UnitOutput output, bool on);
// The fixed settings with their pauses, then the queries again. Without a
// tracking server (TrackingHostIsSet) nothing is sent and it says why.
std::unique_ptr<Operation> MakeSendDefaults(UnitSession& session, const std::string& host);
// Erases the unit's trip log and asks for it again.
std::unique_ptr<Operation> MakeDeleteTrips(UnitSession& session);
// Asks for the trip log without waiting for it.
std::unique_ptr<Operation> MakeTripListing(UnitSession& session);

}  // namespace wr
