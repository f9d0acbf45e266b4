// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The units of our identifiers attached now, for a window that shows one of
// them through its session: where each sits, who it says it is, and which
// one the session opens. Nothing is asked of a unit while it is the only
// one; with several, each unit the session does not show is opened once,
// briefly, by a session of its own to learn its device id.
//
// While several are attached the unit shown stays the one shown: it counts
// as chosen, as one the user picks does. A choice follows its unit by device
// id: a unit that restarts (reboot, firmware upgrade) comes back at a new
// address, maybe listed before the others, and the session is sent there
// once the unit at that address has said who it is. Down to the chosen unit
// alone, the first unit found is the one shown again.
#include <QObject>
#include <QTimer>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "usb/link_timings.h"
#include "usb/usb_location.h"

namespace wr {

class UnitSession;
class UsbApi;

class UnitRoster : public QObject {
  Q_OBJECT
 public:
  enum class IdState {
    Known,       // the unit said it
    Asking,      // a short session is asking it now
    Unknown,     // it did not say in time, or was not asked
    CannotOpen,  // another program holds it, or permission is missing
  };

  struct Entry {
    UsbLocation location;
    int vendorId = 0;
    int productId = 0;
    std::string deviceId;  // empty unless Known
    IdState idState = IdState::Unknown;
    bool shown = false;  // the session has this one open
  };

  struct Options {
    // How often the bus is listed.
    int listEveryMs = 2000;
    // How long a unit is given to open and say who it is.
    int askLimitMs = 3000;
    // The waits of the short sessions' workers.
    LinkTimings askTimings;
  };

  UnitRoster(UsbApi& api, UnitSession& session, Options options, QObject* parent = nullptr);
  // Ends the short sessions still asking.
  ~UnitRoster() override;
  UnitRoster(const UnitRoster&) = delete;
  UnitRoster& operator=(const UnitRoster&) = delete;

  // Lists the bus now and from then on every listEveryMs, or whenever the
  // session's device events say a unit came or went.
  void Start();
  // No more listing or asking; the short sessions end.
  void Stop();
  // Lists the bus now.
  void Refresh();

  // The attached units, in the order the session would try them: the first
  // is the one it opens when nothing was chosen.
  const std::vector<Entry>& Units() const { return units_; }
  // The unit the session keeps to (picked, or shown while several are
  // attached); empty while it opens the first it finds.
  std::optional<UsbLocation> Chosen() const { return chosen_; }
  // Its device id, when known: the choice follows it to a new address.
  const std::string& ChosenDeviceId() const { return chosenId_; }
  // A unit was chosen and is not attached now.
  bool ChosenMissing() const;

  // Shows the unit at location: the session closes the one it has open and
  // opens this one.
  void Choose(const UsbLocation& location);

 signals:
  // Units() or the choice changed.
  void changed();

 private:
  using Key = std::pair<int, int>;  // bus, address
  struct Asking;

  static Key KeyOf(const UsbLocation& l) { return {l.bus, l.address}; }
  std::optional<UsbLocation> ShownLocation() const;
  void NoteShownId();
  void StartAsking(const UsbLocation& location);
  void FinishAsking(Key key, IdState state, const std::string& id);
  void EndAsking(Key key);
  void FollowChoice();
  // Keeps to the unit shown once there are several; lets go of the choice
  // when it is the only unit left.
  void SettleChoice();
  void Rebuild();

  UsbApi& api_;
  UnitSession& session_;
  Options options_;
  QTimer listTimer_;
  bool stopped_ = false;

  std::vector<UsbUnitListing> listed_;
  std::vector<Entry> units_;
  // What each attached location said; forgotten when it goes.
  std::map<Key, std::pair<IdState, std::string>> ids_;
  std::map<Key, std::unique_ptr<Asking>> asking_;
  std::optional<UsbLocation> chosen_;
  std::string chosenId_;
  std::optional<UsbLocation> lastChosen_;  // as the last changed() told it
};

}  // namespace wr
