#pragma once
// Everything the running tool consists of, built in start-up order from the
// seams it is given. main() and the end-to-end tests build exactly this.
#include <memory>

#include "linequeue/line_queue.h"
#include "link/usb_comms.h"

namespace wr {

class DesktopShell;
class Prompts;
class TfrmComms;
class TfrmMain;
class TfrmNetworkWizard;
class TfrmSMSExtra;
class TfrmUSB;
class TfrmUpgrade;
class USBcomms;
class UsbApi;

class AppContext {
 public:
  // Creates the main window (which starts the worker), the terminal, the
  // dialogs and the USB access object, and registers them in Link(). Only
  // one AppContext may exist at a time.
  // timings: the worker's waits; tests shorten them, the tool keeps the defaults.
  AppContext(UsbApi& api, Prompts& prompts, DesktopShell& shell,
             const USBcomms::Timings& timings = USBcomms::Timings());
  // Stops the worker before anything it can reach is destroyed.
  ~AppContext();

  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // Stops the worker and unregisters the link; safe to call more than once.
  void Shutdown();

  TfrmMain& Main() { return *main_; }
  TfrmComms& Comms() { return *comms_; }
  TfrmUpgrade& Upgrade() { return *upgrade_; }
  TfrmSMSExtra& SmsExtra() { return *smsExtra_; }
  TfrmNetworkWizard& NetworkWizard() { return *networkWizard_; }
  TfrmUSB& Usb() { return *usb_; }
  USBcomms& Worker() { return *worker_; }

 private:
  std::unique_ptr<LineQueue> queue_;
  std::unique_ptr<USBcomms> worker_;
  std::unique_ptr<TfrmMain> main_;
  std::unique_ptr<TfrmComms> comms_;
  std::unique_ptr<TfrmUpgrade> upgrade_;
  std::unique_ptr<TfrmSMSExtra> smsExtra_;
  std::unique_ptr<TfrmNetworkWizard> networkWizard_;
  std::unique_ptr<TfrmUSB> usb_;
  bool shutDown_ = false;
};

}  // namespace wr
