// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Everything the running tool consists of, built in start-up order and wired
// together: the unit session, then the main window, the terminal, the
// dialogs; the session's worker starts last. main() and the end-to-end tests
// build exactly this; it is the one place that creates and connects objects.
#include <memory>

#include "session/unit_session.h"

namespace wr {

class DesktopShell;
class Prompts;
class StatusHistoryWindow;
class StatusRecorder;
class TfrmComms;
class TfrmMain;
class TfrmNetworkWizard;
class TfrmSMSExtra;
class TfrmUpgrade;
class UnitRoster;
class UsbApi;

class AppContext {
 public:
  // options: which unit, the worker's waits (tests shorten them), the clock.
  AppContext(UsbApi& api, Prompts& prompts, DesktopShell& shell,
             UnitSession::Options options = UnitSession::Options());
  // Stops the worker before anything it can reach is destroyed.
  ~AppContext();

  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // Stops the session's worker; safe to call more than once.
  void Shutdown();

  UnitSession& Session() { return *session_; }
  TfrmMain& Main() { return *main_; }
  TfrmComms& Comms() { return *comms_; }
  TfrmUpgrade& Upgrade() { return *upgrade_; }
  TfrmSMSExtra& SmsExtra() { return *smsExtra_; }
  TfrmNetworkWizard& NetworkWizard() { return *networkWizard_; }
  StatusRecorder& StatusHistory() { return *statusRecorder_; }
  StatusHistoryWindow& StatusHistoryView() { return *statusHistoryWindow_; }
  UnitRoster& Roster() { return *roster_; }

 private:
  std::unique_ptr<UnitSession> session_;
  std::unique_ptr<TfrmMain> main_;
  std::unique_ptr<TfrmComms> comms_;
  std::unique_ptr<TfrmUpgrade> upgrade_;
  std::unique_ptr<TfrmSMSExtra> smsExtra_;
  std::unique_ptr<TfrmNetworkWizard> networkWizard_;
  std::unique_ptr<StatusRecorder> statusRecorder_;
  std::unique_ptr<StatusHistoryWindow> statusHistoryWindow_;
  std::unique_ptr<UnitRoster> roster_;
};

}  // namespace wr
