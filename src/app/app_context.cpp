#include "app/app_context.h"

#include "session/status_recorder.h"
#include "ui/main_page.h"
#include "ui/settings_page.h"
#include "ui/status_history_window.h"
#include "ui/status_page.h"
#include "ui/tfrm_comms.h"
#include "ui/tfrm_main.h"
#include "ui/tfrm_network_wizard.h"
#include "ui/tfrm_sms_extra.h"
#include "ui/tfrm_upgrade.h"

namespace wr {

AppContext::AppContext(UsbApi& api, Prompts& prompts, DesktopShell& shell,
                       UnitSession::Options options)
    : session_(std::make_unique<UnitSession>(api, std::move(options))) {
  main_ = std::make_unique<TfrmMain>(*session_, prompts, shell);
  comms_ = std::make_unique<TfrmComms>(*session_, *main_);
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
  StatusPage* statusPage = &main_->PageStatus();
  QObject::connect(statusRecorder_.get(), &StatusRecorder::readingAdded, statusPage,
                   [statusPage, recorder = statusRecorder_.get()] {
                     statusPage->ShowLastUpdate(recorder->LastUpdate());
                   });
  main_->PageMain().SetEditsGuard([page = &main_->PageSettings()](const QString& caption,
                                                                  const QString& consequence) {
    return page->ConfirmLosingEdits(caption, consequence);
  });
  // Last: the worker starts, and its first drain step sets the display.
  session_->Start();
}

AppContext::~AppContext() {
  Shutdown();
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

void AppContext::Shutdown() { session_->Shutdown(); }

}  // namespace wr
