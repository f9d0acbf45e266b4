#include "app/app_context.h"

#include "link/send_command.h"
#include "link/tfrm_usb.h"
#include "link/usb_comms.h"
#include "ui/tfrm_comms.h"
#include "ui/tfrm_main.h"
#include "ui/tfrm_network_wizard.h"
#include "ui/tfrm_sms_extra.h"
#include "ui/tfrm_upgrade.h"

namespace wr {

AppContext::AppContext(UsbApi& api, Prompts& prompts, DesktopShell& shell,
                       const USBcomms::Timings& timings)
    : queue_(std::make_unique<LineQueue>()), worker_(std::make_unique<USBcomms>(*queue_)) {
  worker_->SetTimings(timings);
  LinkContext& link = Link();
  link = LinkContext{};
  link.comms = worker_.get();
  link.prompts = &prompts;
  worker_->SetPrompts(&prompts);

  // The main window starts the worker as its last act; until the USB access
  // object is attached the worker only reports "not connected".
  main_ = std::make_unique<TfrmMain>(prompts, shell);
  comms_ = std::make_unique<TfrmComms>(*main_);
  link.terminal = comms_.get();
  worker_->SetTerminal(comms_.get());
  main_->SetTerminalWindow(comms_.get());
  upgrade_ = std::make_unique<TfrmUpgrade>(prompts, main_.get());
  smsExtra_ = std::make_unique<TfrmSMSExtra>(prompts, main_.get());
  networkWizard_ = std::make_unique<TfrmNetworkWizard>(prompts, main_.get());
  usb_ = std::make_unique<TfrmUSB>(api, *queue_);
  link.usb = usb_.get();
  worker_->AttachUsb(usb_.get());
}

AppContext::~AppContext() {
  Shutdown();
  // Dialogs first: they are children of the main window.
  networkWizard_.reset();
  smsExtra_.reset();
  upgrade_.reset();
  comms_.reset();
  main_.reset();
  usb_.reset();
}

void AppContext::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  worker_->Shutdown();
  worker_->SetClient(nullptr);
  worker_->SetTerminal(nullptr);
  Link() = LinkContext{};
}

}  // namespace wr
