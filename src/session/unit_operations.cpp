// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/unit_operations.h"

#include <QPointer>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <utility>

#include "protocol/commands.h"
#include "protocol/settings_commands.h"
#include "protocol/unit_settings.h"
#include "session/unit_text.h"

namespace wr {
namespace {

using End = UnitCommand::End;

UnitCommand Written(std::string_view line) {
  UnitCommand c;
  c.line = std::string(line);
  c.end = End::Written;
  return c;
}

// The last of a batch of queries: it ends when every reply of the batch has
// come, or after the quiet wait the unit was always given before.
UnitCommand LastQuery(std::string_view line, std::vector<std::string> replies, int timeoutMs) {
  UnitCommand c;
  c.line = std::string(line);
  c.end = End::Replies;
  c.replies = std::move(replies);
  c.timeoutMs = timeoutMs;
  c.quietFirstMs = UnitSession::kSaveFirstPauseMs;
  c.quietMs = UnitSession::kSaveQuietMs;
  return c;
}

}  // namespace

const std::vector<QueryReply>& InitialQueries() {
  static const std::vector<QueryReply> queries = {
      {cmd::kInfo, reply::kInfo},         {cmd::kStats, reply::kStats},
      {cmd::kIpQuery, reply::kIp},        {cmd::kLowPowerQuery, reply::kLowPower},
      {cmd::kTrackQuery, reply::kTrack},  {cmd::kUssdQuery, reply::kUssd},
      {cmd::kGprsQuery, reply::kGprs},    {cmd::kNumQuery, "+NUM,"},
      {cmd::kMsgQuery, "+MSG,"},          {cmd::kIfQuery, "+IF,"},
      {cmd::kIgnitionQuery, reply::kIgnition}};
  return queries;
}

// ------------------------------------------------------------------ queries

QueryOperation::QueryOperation(UnitSession& session, bool asOnConnect, QObject* parent)
    : Operation(session, parent), asOnConnect_(asOnConnect) {
  SetTitle(tr("Reading the unit"));
}

void QueryOperation::Run() {
  Session().Model().Clear();
  std::vector<std::string_view> lines;
  std::vector<std::string> replies;
  if (asOnConnect_) lines.push_back(cmd::kInfo);
  for (const QueryReply& q : InitialQueries()) {
    lines.push_back(q.query);
    replies.emplace_back(q.reply);
  }
  for (size_t i = 0; i + 1 < lines.size(); ++i) Submit(Written(lines[i]));
  // Held at most this long before the quiet wait: lines behind it on the
  // queue wait for it, and a unit that does not answer must not hold them.
  Submit(LastQuery(lines.back(), std::move(replies), UnitSession::kReadBeforeSaveMs),
         [this](CommandResult result) {
           if (result == CommandResult::Disconnected)
             Finish(UnitSession::Outcome::Failed(tr("The unit was disconnected.")));
           else
             Finish(UnitSession::Outcome::Done());
         });
}

// ------------------------------------------------------------------ reading settings

ReadSettingsOperation::ReadSettingsOperation(UnitSession& session, std::vector<SettingGroup> groups,
                                             bool waitForEarlier, QObject* parent)
    : Operation(session, parent), groups_(std::move(groups)), waitForEarlier_(waitForEarlier) {
  SetTitle(tr("Reading the settings"));
}

std::vector<SettingGroup> ReadSettingsOperation::AllGroups() {
  std::vector<SettingGroup> groups;
  for (const SettingGroupDescriptor& g : SettingGroupTable()) groups.push_back(g.group);
  return groups;
}

bool ReadSettingsOperation::AllRead() const {
  const UnitSettings& s = const_cast<ReadSettingsOperation*>(this)->Session().Model().Settings();
  return std::all_of(groups_.begin(), groups_.end(), [&s](SettingGroup g) { return s.Read(g); });
}

void ReadSettingsOperation::Run() {
  UnitSession& session = Session();
  // The queries sent on connecting are usually still being answered; a slow
  // unit answers them one after the other.
  if (waitForEarlier_ && !AllRead() && session.Outstanding() > 0) {
    When([this] { return AllRead(); },
         std::max(UnitSession::kReadBeforeSaveMs,
                  session.Outstanding() * UnitSession::kSetAnswerMs),
         [this](bool) { AskMissing(); });
    return;
  }
  AskMissing();
}

void ReadSettingsOperation::AskMissing() {
  // What is still missing is asked for all at once, and waited for once,
  // so that a unit that does not answer costs one wait, not one per group.
  std::vector<const SettingGroupDescriptor*> missing;
  for (SettingGroup group : groups_)
    if (!Session().Model().Settings().Read(group)) missing.push_back(&Describe(group));
  if (missing.empty()) return End();
  std::vector<std::string> replies;
  for (const SettingGroupDescriptor* g : missing) replies.emplace_back(g->reply);
  for (size_t i = 0; i + 1 < missing.size(); ++i) Submit(Written(missing[i]->query));
  UnitCommand last = LastQuery(missing.back()->query, std::move(replies),
                               UnitSession::kReadBeforeSaveMs);
  // Whatever did not come by then is missing: no quiet wait.
  last.quietFirstMs = last.quietMs = 0;
  Submit(std::move(last), [this](CommandResult) { End(); });
}

void ReadSettingsOperation::End() {
  missing_.clear();
  for (SettingGroup group : groups_) {
    if (Session().Model().Settings().Read(group)) continue;
    if (!missing_.empty()) missing_ += ", ";
    missing_ += ToBytes(Translated(Message::Of(Describe(group).name)));
  }
  Finish(missing_.empty() ? UnitSession::Outcome::Done()
                          : UnitSession::Outcome::Failed(
                                tr("%1 could not be read from the unit.").arg(FromBytes(missing_))));
}

// ------------------------------------------------------------------ save

SaveOperation::SaveOperation(UnitSession& session, SettingsValues values,
                             UnitSession::Retained retained, QObject* parent)
    : Operation(session, parent), form_(std::move(values)), retained_(retained) {
  SetTitle(tr("Saving the settings"));
  connect(this, &Operation::finished, this, [this] { pause_.reset(); });
}

void SaveOperation::Run() {
  // A status poll's OK must not be taken for a setting's answer.
  pause_.emplace(Session());
  if (retained_ == UnitSession::Retained::FromForm) return Send();
  // Never write values the user has not seen that came from nowhere: the
  // retained values go back exactly as this unit last reported them.
  RunChild(new ReadSettingsOperation(Session(), {SettingGroup::Track, SettingGroup::Ignition}, false),
           [this](const UnitSession::Outcome&) {
             const UnitSettings& held = Session().Model().Settings();
             QStringList unknown;
             if (!held.Read(SettingGroup::Track)) unknown << tr("the tracking values");
             if (!held.Read(SettingGroup::Ignition)) unknown << tr("the ignition detection");
             if (!unknown.isEmpty())
               return Finish(UnitSession::Outcome::Failed(
                   tr("Nothing was saved: %1 could not be read from the unit. Check that it "
                      "is connected and try again.")
                       .arg(unknown.join(tr(" and ")))));
             const SettingsValues unit = SettingsValuesFromUnit(held);
             for (const SettingDescriptor& d : SettingTable()) {
               if (d.label) continue;
               if (const std::string* value = unit.Find(d.key))
                 form_.Set(d.key, *value);
               else
                 form_.Erase(d.key);
             }
             Send();
           });
}

void SaveOperation::Send() {
  SettingsSave save = BuildSettingsCommands(form_);
  if (!save.refusal.Empty()) return Finish(UnitSession::Outcome::Failed(Translated(save.refusal)));
  commands_ = std::move(save.commands);
  SendSet(0);
}

void SaveOperation::SendSet(size_t index) {
  if (index == commands_.size()) return ReadBack();
  const int total = static_cast<int>(commands_.size());
  UnitCommand c;
  c.line = commands_[index];
  // Once one has gone unanswered the rest are sent without waiting: the unit
  // receives the same lines in the same order, and what it holds is read
  // back anyway. The first waits for earlier lines to be answered.
  c.end = answering_ ? End::Mark : End::Written;
  c.timeoutMs = UnitSession::kSetAnswerMs;
  // Submitted past Operation::Submit: a cancel ends this wait but keeps the
  // line (see OnCancel).
  QPointer<SaveOperation> self(this);
  auto reported = std::make_shared<bool>(false);
  const uint64_t id = Queue().Submit(std::move(c), [self, index, total, reported](CommandResult result) {
    *reported = true;
    if (!self || !self->Running()) return;
    SaveOperation& op = *self;
    op.setId_ = 0;
    const uint64_t ticket = op.Queue().Ticket();
    if (op.CancelRequested()) {
      // Stopped: the rest still go out, as they would have without the
      // waits, so that no setting is left half-written.
      for (size_t i = result == CommandResult::Cancelled && !ticket ? index : index + 1;
           i < op.commands_.size(); ++i)
        op.Queue().Submit(Written(op.commands_[i]));
      UnitSession::Outcome outcome;
      outcome.interrupted = true;
      return op.Finish(std::move(outcome));
    }
    op.tickets_.push_back(ticket);
    if (!ticket) {
      // A link that cannot take a line will not bring answers either.
      op.answers_.push_back(SetAnswer::NotSent);
      op.answering_ = false;
    } else {
      switch (result) {
        case CommandResult::Ok: op.answers_.push_back(SetAnswer::Ok); break;
        case CommandResult::Error: op.answers_.push_back(SetAnswer::Error); break;
        case CommandResult::Written: op.answers_.push_back(SetAnswer::None); break;
        default:
          // A line whose write failed never reached the unit.
          op.answers_.push_back(op.Session().WriteFailed() ? SetAnswer::NotSent : SetAnswer::None);
          op.answering_ = false;
          break;
      }
    }
    emit op.progress(static_cast<int>(index) + 1, total + 1, QString());
    op.SendSet(index + 1);
  });
  if (!*reported) setId_ = id;
}

void SaveOperation::OnCancel() {
  // Between the set commands: end the wait; the callback sends the rest.
  if (setId_) return Queue().Cancel(setId_);
  Operation::OnCancel();
}

void SaveOperation::ReadBack() {
  UnitModel& model = Session().Model();
  // Only what the unit reports from now on counts as read back.
  for (const SettingGroupDescriptor& g : SettingGroupTable()) model.ForgetRead(g.group);
  const std::vector<std::string_view>& queries = SettingsQueries();
  std::vector<std::string> replies;
  for (std::string_view query : queries)
    for (const SettingGroupDescriptor& g : SettingGroupTable())
      if (g.query == query) replies.emplace_back(g.reply);
  for (size_t i = 0; i + 1 < queries.size(); ++i)
    Submit(Written(queries[i]), [this](CommandResult result) {
      if (result != CommandResult::Written) answering_ = false;
    });
  // A slow unit answers one query after the other: the read-back ends when
  // all replies have come; after a set went unanswered, the quiet wait.
  UnitCommand last = LastQuery(queries.back(), std::move(replies),
                               static_cast<int>(queries.size()) * UnitSession::kSetAnswerMs);
  if (!answering_) last.end = End::Quiet;
  const int lines = static_cast<int>(commands_.size() + queries.size());
  Submit(std::move(last), [this, lines](CommandResult) {
    // Which lines never went out is known once the link has tried them all.
    When([this] { return !Session().WritesPending(); }, lines * UnitSession::kWriteGiveUpMs,
         [this](bool) { Compare(); });
  });
}

void SaveOperation::Compare() {
  UnitSession& session = Session();
  for (size_t i = 0; i < answers_.size(); ++i)
    if (answers_[i] == SetAnswer::None && session.WriteFailedFor(tickets_[i]))
      answers_[i] = SetAnswer::NotSent;
  UnitSession::Outcome outcome;
  if (session.IsShutDown()) {
    // Nobody is left to be told what the unit holds.
    outcome.interrupted = true;
    return Finish(std::move(outcome));
  }
  outcome.problems = CheckSavedSettings(form_, answers_, session.Model().Settings());
  outcome.done = outcome.problems.empty();
  outcome.message = Translated(DescribeSaveProblems(outcome.problems, session.Model().Settings()));
  Finish(std::move(outcome));
}

// ------------------------------------------------------------------ trips

FetchTripsOperation::FetchTripsOperation(UnitSession& session, int timeoutMs, QObject* parent)
    : Operation(session, parent), timeoutMs_(timeoutMs) {
  SetTitle(tr("Fetching trips"));
  connect(this, &Operation::finished, this, [this] { pause_.reset(); });
}

void FetchTripsOperation::Run() {
  pause_.emplace(Session());
  Session().Model().ResetTrips(true);
  // How many have come so far; the unit does not say how many there are.
  connect(&Session().Model(), &UnitModel::tripReceived, this, [this] {
    if (!Running()) return;
    const int count = static_cast<int>(Session().Model().Trips().size());
    emit progress(count, 0, count == 1 ? tr("1 trip") : tr("%n trips", nullptr, count));
  });
  UnitCommand c;
  c.line = std::string(cmd::kTrips);
  c.timeoutMs = timeoutMs_;
  Submit(std::move(c), [this](CommandResult result) {
    switch (result) {
      case CommandResult::Ok:
        return Finish(UnitSession::Outcome::Done());
      case CommandResult::Error:
        return Finish(UnitSession::Outcome::Failed(tr("The unit refused to list its trips.")));
      case CommandResult::TimedOut:
        return Finish(UnitSession::Outcome::Failed(
            tr("The unit did not finish listing its trips in time.")));
      default:
        if (Session().IsShutDown()) {
          UnitSession::Outcome outcome;
          outcome.interrupted = true;
          outcome.message = tr("Listing the trips was interrupted.");
          return Finish(std::move(outcome));
        }
        return Finish(UnitSession::Outcome::Failed(
            tr("The unit was disconnected while listing its trips.")));
    }
  });
}

std::unique_ptr<Operation> MakeReboot(UnitSession& session) {
  auto op = std::make_unique<StepsOperation>(session, UnitControlSteps(UnitControl::Reboot));
  op->SetTitle(StepsOperation::tr("Rebooting the unit"));
  return op;
}

std::unique_ptr<Operation> MakeFactoryReset(UnitSession& session) {
  auto op = std::make_unique<StepsOperation>(
      session, UnitControlSteps(UnitControl::FactoryReset), [&session] {
        // The unit's trips are gone with its settings.
        session.Model().ResetTrips(true);
        session.SendInitialQueries();
      });
  op->SetTitle(StepsOperation::tr("Resetting the unit"));
  return op;
}

std::unique_ptr<Operation> MakeSetOutput(UnitSession& session, UnitOutput output, bool on) {
  auto op =
      std::make_unique<StepsOperation>(session, UnitControlSteps(OutputControl(output, on)));
  op->SetTitle(StepsOperation::tr("Setting an output"));
  return op;
}

std::unique_ptr<Operation> MakeSendDefaults(UnitSession& session, const std::string& host) {
  const DefaultsPlan plan = BuildDefaultsSteps(host);
  auto op = std::make_unique<StepsOperation>(session, plan.steps,
                                             [&session] { session.SendInitialQueries(); });
  if (!plan.refusal.Empty()) op->SetRefusal(Translated(plan.refusal));
  op->SetTitle(StepsOperation::tr("Sending the defaults"));
  return op;
}

std::unique_ptr<Operation> MakeDeleteTrips(UnitSession& session) {
  auto op = std::make_unique<StepsOperation>(
      session, std::vector<CommandStep>{{std::string(cmd::kDeleteAllTrips), 0},
                                        {std::string(cmd::kTrips), 0}});
  op->SetBefore([&session] { session.Model().ResetTrips(true); });
  op->SetTitle(StepsOperation::tr("Deleting trips"));
  return op;
}

std::unique_ptr<Operation> MakeTripListing(UnitSession& session) {
  // A trip the unit no longer reports must not stay on show.
  auto op = std::make_unique<StepsOperation>(
      session, std::vector<CommandStep>{{std::string(cmd::kTrips), 0}});
  op->SetBefore([&session] { session.Model().ResetTrips(true); });
  op->SetTitle(StepsOperation::tr("Asking for the trips"));
  return op;
}

}  // namespace wr
