#pragma once
// The SMS content picker: which values the unit puts into its SMS message.
#include <QDialog>

namespace wr {

class Prompts;

class TfrmSMSExtra : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmSMSExtra(Prompts& prompts, QWidget* parent = nullptr);

 private:
  Prompts& prompts_;
};

}  // namespace wr
