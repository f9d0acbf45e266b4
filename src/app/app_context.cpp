// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/app_context.h"

#include <QTabWidget>
#include <algorithm>

#include "session/status_recorder.h"
#include "session/unit_roster.h"
#include "ui/main_page.h"
#include "ui/settings_page.h"
#include "ui/status_history_window.h"
#include "ui/status_page.h"
#include "ui/tfrm_comms.h"
#include "ui/tfrm_main.h"
#include "ui/tfrm_network_wizard.h"
#include "ui/tfrm_sms_extra.h"
#include "ui/tfrm_upgrade.h"
#include "ui/trips_page.h"

namespace wr {

AppContext::AppContext(UsbApi& api, Prompts& prompts, DesktopShell& shell,
                       UnitSession::Options options)
    : session_(std::make_unique<UnitSession>(api, options)) {
  main_ = std::make_unique<TfrmMain>(*session_, prompts, shell);
  comms_ = std::make_unique<TfrmComms>(*session_, *main_, prompts);
  main_->SetTerminalWindow(comms_.get());
  upgrade_ = std::make_unique<TfrmUpgrade>(*session_, prompts, main_.get());
  main_->SetUpgradeDialog(upgrade_.get());
  smsExtra_ = std::make_unique<TfrmSMSExtra>(prompts, main_.get());
  main_->PageSettings().SetSmsPicker(smsExtra_.get());
  networkWizard_ = std::make_unique<TfrmNetworkWizard>(prompts, main_.get());
  main_->PageSettings().SetNetworkWizard(networkWizard_.get());
  statusRecorder_ = std::make_unique<StatusRecorder>(session_->Model());
  statusHistoryWindow_ = std::make_unique<StatusHistoryWindow>(*statusRecorder_, prompts);
  main_->SetStatusHistoryWindow(statusHistoryWindow_.get());
  statusHistoryWindow_->SetPollingInterval(main_->RefreshInterval());
  QObject::connect(main_.get(), &TfrmMain::refreshIntervalChanged, statusHistoryWindow_.get(),
                   &StatusHistoryWindow::SetPollingInterval);
  StatusPage* statusPage = &main_->PageStatus();
  QObject::connect(statusRecorder_.get(), &StatusRecorder::readingAdded, statusPage,
                   [statusPage, recorder = statusRecorder_.get()] {
                     statusPage->ShowLastUpdate(recorder->LastUpdate());
                   });
  main_->PageMain().SetEditsGuard([page = &main_->PageSettings()](const QString& caption,
                                                                  const QString& consequence) {
    return page->ConfirmLosingEdits(caption, consequence);
  });
  // The File menu's items belong to the pages that hold what they work on.
  SettingsPage* settingsPage = &main_->PageSettings();
  TripsPage* tripsPage = &main_->PageTrips();
  main_->PageMain().SetTripLog(
      {[tripsPage] { return tripsPage->TripsErasedText(); },
       [tripsPage](const QString& caption, const QString& notDone,
                   std::function<void(bool)> then) {
         tripsPage->OfferExportBeforeErasing(caption, notDone, std::move(then));
       }});
  TfrmMain* window = main_.get();
  QObject::connect(window, &TfrmMain::openProfileRequested, settingsPage, [window, settingsPage] {
    window->pageControl->setCurrentWidget(settingsPage);
    settingsPage->OpenProfile();
  });
  QObject::connect(window, &TfrmMain::saveProfileRequested, settingsPage,
                   &SettingsPage::SaveProfile);
  QObject::connect(window, &TfrmMain::compareProfileRequested, settingsPage,
                   &SettingsPage::CompareWithProfile);
  QObject::connect(window, &TfrmMain::exportTripsRequested, tripsPage,
                   [tripsPage] { tripsPage->ExportTrips(); });
  // Which of several attached units the window shows. Its short sessions
  // wait as the window's does, but read briefly: each ends soon after asking.
  UnitRoster::Options rosterOptions;
  rosterOptions.askTimings = options.timings;
  rosterOptions.askTimings.readTimeoutMs = std::min(rosterOptions.askTimings.readTimeoutMs, 200);
  rosterOptions.askTimings.firstLookAtOnce = true;
  roster_ = std::make_unique<UnitRoster>(api, *session_, rosterOptions);
  main_->SetUnitRoster(roster_.get());
  // Last: the worker starts, and its first drain step sets the display.
  session_->Start();
  roster_->Start();
}

AppContext::~AppContext() {
  Shutdown();
  main_->SetUnitRoster(nullptr);
  roster_.reset();
  statusHistoryWindow_.reset();
  statusRecorder_.reset();
  // Dialogs first: they are children of the main window.
  networkWizard_.reset();
  smsExtra_.reset();
  upgrade_.reset();
  comms_.reset();
  main_.reset();
  session_.reset();
}

void AppContext::Shutdown() {
  roster_->Stop();
  session_->Shutdown();
}

}  // namespace wr
