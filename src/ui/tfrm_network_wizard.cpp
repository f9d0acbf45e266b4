#include "ui/tfrm_network_wizard.h"

namespace wr {

TfrmNetworkWizard::TfrmNetworkWizard(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("frmNetworkWizard"));
}

}  // namespace wr
