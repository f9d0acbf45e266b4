// The upgrade button: asks, runs the upgrade dialog and reports the outcome.
#include <QTimer>

#include "link/prompts.h"
#include "link/send_command.h"
#include "link/usb_comms.h"
#include "ui/tfrm_main.h"
#include "ui/tfrm_upgrade.h"

namespace wr {

void TfrmMain::btnUpgradeClick() {
  TfrmUpgrade* dialog = TfrmUpgrade::Instance();
  if (!dialog) return;
  if (!prompts_.AskYesNo(QStringLiteral("Upgrade Firmware"),
                         QStringLiteral("Do you want to upgrade the Unit?")))
    return;

  dialog->upgradeSucceeded = false;
  // No status query may share the OK flag with the blocks; polling resumes
  // however the dialog ends.
  const bool wasPaused = pollingPaused;
  pollingPaused = true;
  dialog->exec();
  pollingPaused = wasPaused;

  if (!dialog->upgradeSucceeded) return;
  // The unit restarts now; give it time before the next status query.
  if (USBcomms* comms = Link().comms) comms->quietTime = 6 * tmrRefresh->interval();
  prompts_.ShowMessage(QStringLiteral("Unit upgraded. Please wait for unit to restart"));
}

}  // namespace wr
