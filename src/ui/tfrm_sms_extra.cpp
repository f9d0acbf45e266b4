#include "ui/tfrm_sms_extra.h"

namespace wr {

TfrmSMSExtra::TfrmSMSExtra(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("frmSMSExtra"));
}

}  // namespace wr
