// Settings tab save, network wizard button, unit controls and output switches.
#include "ui/tfrm_main.h"

namespace wr {

void TfrmMain::btnSaveSettingsClick() {}
void TfrmMain::btnNetworkWizardClick() {}
void TfrmMain::btnRebootClick() {}
void TfrmMain::btnFactoryClick() {}
void TfrmMain::btnDefaultsClick() {}
void TfrmMain::btnRelayCloseClick() {}
void TfrmMain::btnRelayOpenClick() {}
void TfrmMain::btnOutputHighClick() {}
void TfrmMain::btnOutputLowClick() {}
void TfrmMain::btnBuzzerOnClick() {}
void TfrmMain::btnBuzzerOffClick() {}
void TfrmMain::btn3V3OnClick() {}
void TfrmMain::btn3V3OffClick() {}

}  // namespace wr
