#include "ui/tfrm_upgrade.h"

namespace wr {

TfrmUpgrade::TfrmUpgrade(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("frmUpgrade"));
}

}  // namespace wr
