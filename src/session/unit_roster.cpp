// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/unit_roster.h"

#include <QTimer>

#include <algorithm>

#include "protocol/commands.h"
#include "session/unit_session.h"

namespace wr {

// One short session asking one unit who it is.
struct UnitRoster::Asking {
  std::unique_ptr<UnitSession> session;
  QTimer limit;
  bool done = false;
};

UnitRoster::UnitRoster(UsbApi& api, UnitSession& session, Options options, QObject* parent)
    : QObject(parent), api_(api), session_(session), options_(options) {
  listTimer_.setInterval(options_.listEveryMs);
  connect(&listTimer_, &QTimer::timeout, this, &UnitRoster::Refresh);
  // A new connection may be a unit newly chosen or back at a new address.
  connect(&session_, &UnitSession::connectionChanged, this, &UnitRoster::Refresh);
  // With device events the bus is listed when a unit comes or goes, not on a timer.
  connect(&session_, &UnitSession::devicesChanged, this, &UnitRoster::Refresh);
  connect(&session_.Model(), &UnitModel::deviceIdChanged, this, [this] {
    NoteShownId();
    SettleChoice();
    Rebuild();
  });
}

UnitRoster::~UnitRoster() { Stop(); }

void UnitRoster::Start() {
  stopped_ = false;
  Refresh();
  if (!session_.UsesDeviceEvents()) listTimer_.start();
}

void UnitRoster::Stop() {
  stopped_ = true;
  listTimer_.stop();
  while (!asking_.empty()) EndAsking(asking_.begin()->first);
}

bool UnitRoster::ChosenMissing() const {
  if (!chosen_) return false;
  return std::none_of(listed_.begin(), listed_.end(),
                      [this](const UsbUnitListing& u) { return u.location == *chosen_; });
}

std::optional<UsbLocation> UnitRoster::ShownLocation() const {
  if (session_.ConnectionState() != 1) return std::nullopt;
  return session_.Location();
}

void UnitRoster::NoteShownId() {
  const std::optional<UsbLocation> shown = ShownLocation();
  const std::string& id = session_.Model().DeviceId();
  if (!shown || id.empty()) return;
  // The model keeps the id of the unit shown before until this one answers;
  // it counts only once reported on this connection.
  if (!session_.Model().FirmwareVersionRead()) return;
  ids_[KeyOf(*shown)] = {IdState::Known, id};
  if (chosen_ && *chosen_ == *shown) chosenId_ = id;
}

void UnitRoster::Refresh() {
  if (stopped_) return;
  listed_ = UnitSession::ListUnits(api_);

  // What a location said belongs to the unit that was there.
  for (auto it = ids_.begin(); it != ids_.end();) {
    const bool present = std::any_of(listed_.begin(), listed_.end(), [&](const UsbUnitListing& u) {
      return KeyOf(u.location) == it->first;
    });
    it = present ? std::next(it) : ids_.erase(it);
  }
  std::vector<Key> gone;
  for (const auto& [key, asking] : asking_)
    if (!ids_.count(key)) gone.push_back(key);
  for (const Key& key : gone) EndAsking(key);

  NoteShownId();
  FollowChoice();
  SettleChoice();

  // Only when there is a choice to make, and never while the session
  // searches for the first unit: a short session holding it would keep the
  // session from opening it.
  const std::optional<UsbLocation> shown = ShownLocation();
  const bool choosing = (listed_.size() > 1 && shown) || ChosenMissing();
  if (choosing) {
    for (const UsbUnitListing& unit : listed_) {
      if (shown && unit.location == *shown) continue;
      if (chosen_ && unit.location == *chosen_) continue;  // the session's to open
      if (!ids_.count(KeyOf(unit.location))) StartAsking(unit.location);
    }
  }
  Rebuild();
}

void UnitRoster::FollowChoice() {
  if (!ChosenMissing() || chosenId_.empty()) return;
  for (const UsbUnitListing& unit : listed_) {
    const auto it = ids_.find(KeyOf(unit.location));
    if (it != ids_.end() && it->second.first == IdState::Known && it->second.second == chosenId_) {
      chosen_ = unit.location;
      session_.SetSelector(chosen_);
      return;
    }
  }
}

void UnitRoster::SettleChoice() {
  if (chosen_) {
    if (listed_.size() == 1 && listed_.front().location == *chosen_) {
      chosen_.reset();
      chosenId_.clear();
      session_.SetSelector(std::nullopt);
    }
    return;
  }
  const std::optional<UsbLocation> shown = ShownLocation();
  if (listed_.size() < 2 || !shown) return;
  const auto it = ids_.find(KeyOf(*shown));
  if (it == ids_.end() || it->second.first != IdState::Known) return;
  chosen_ = shown;
  chosenId_ = it->second.second;
  session_.SetSelector(chosen_);
}

void UnitRoster::StartAsking(const UsbLocation& location) {
  const Key key = KeyOf(location);
  ids_[key] = {IdState::Asking, std::string()};
  auto asking = std::make_unique<Asking>();
  UnitSession::Options options;
  options.location = location;
  options.timings = options_.askTimings;
  options.queryOnConnect = false;
  asking->session = std::make_unique<UnitSession>(api_, options);
  UnitSession* session = asking->session.get();
  Asking* raw = asking.get();

  // Every outcome is settled from the event loop, never inside the short
  // session's own drain step, which its shutdown would wait for.
  const auto finish = [this, key, raw](IdState state, std::string id) {
    if (raw->done) return;
    raw->done = true;
    QMetaObject::invokeMethod(
        this, [this, key, state, id] { FinishAsking(key, state, id); }, Qt::QueuedConnection);
  };
  connect(session, &UnitSession::connectionChanged, this, [session](int connected) {
    if (connected == 1) session->SendCommand(cmd::kInfo);
  });
  connect(&session->Model(), &UnitModel::deviceIdChanged, this,
          [session, finish] { finish(IdState::Known, session->Model().DeviceId()); });
  connect(session, &UnitSession::connectionReported, this, [session, finish] {
    if (session->OpenFailure() != UsbOpenFailure::None)
      finish(IdState::CannotOpen, std::string());
  });
  raw->limit.setSingleShot(true);
  raw->limit.setInterval(options_.askLimitMs);
  connect(&raw->limit, &QTimer::timeout, this, [finish] { finish(IdState::Unknown, std::string()); });

  asking_[key] = std::move(asking);
  raw->limit.start();
  session->Start();
}

void UnitRoster::FinishAsking(Key key, IdState state, const std::string& id) {
  if (!asking_.count(key)) return;
  EndAsking(key);
  // Gone meanwhile: nothing to note.
  if (!ids_.count(key)) return;
  ids_[key] = {state, id};
  FollowChoice();
  Rebuild();
}

void UnitRoster::EndAsking(Key key) {
  const auto it = asking_.find(key);
  if (it == asking_.end()) return;
  // Out of the map first: the shutdown serves events, which may list again.
  std::unique_ptr<Asking> asking = std::move(it->second);
  asking_.erase(it);
  asking->limit.stop();
  asking->done = true;
  asking->session->Shutdown();
}

void UnitRoster::Choose(const UsbLocation& location) {
  const Key key = KeyOf(location);
  // The session is to open it: a short session must not hold it.
  EndAsking(key);
  if (ids_.count(key) && ids_[key].first == IdState::Asking) ids_.erase(key);
  chosen_ = location;
  const auto it = ids_.find(key);
  chosenId_ = (it != ids_.end() && it->second.first == IdState::Known) ? it->second.second
                                                                       : std::string();
  session_.SetSelector(location);
  Rebuild();
}

void UnitRoster::Rebuild() {
  const std::optional<UsbLocation> shown = ShownLocation();
  std::vector<Entry> units;
  units.reserve(listed_.size());
  for (const UsbUnitListing& unit : listed_) {
    Entry entry;
    entry.location = unit.location;
    entry.vendorId = unit.vendorId;
    entry.productId = unit.productId;
    entry.shown = shown && *shown == unit.location;
    const auto it = ids_.find(KeyOf(unit.location));
    if (it != ids_.end()) {
      entry.idState = it->second.first;
      entry.deviceId = it->second.second;
    }
    units.push_back(entry);
  }
  const auto same = [](const Entry& a, const Entry& b) {
    return a.location == b.location && a.vendorId == b.vendorId && a.productId == b.productId &&
           a.deviceId == b.deviceId && a.idState == b.idState && a.shown == b.shown;
  };
  const bool unchanged = units.size() == units_.size() &&
                         std::equal(units.begin(), units.end(), units_.begin(), same);
  units_ = std::move(units);
  // The choice itself may have changed with the same list.
  const std::optional<UsbLocation> chosenBefore = lastChosen_;
  lastChosen_ = chosen_;
  if (!unchanged || chosenBefore != chosen_) emit changed();
}

}  // namespace wr
