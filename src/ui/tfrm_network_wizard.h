#pragma once
// The network wizard: fills the SIM-card fields from an operator preset.
#include <QDialog>

namespace wr {

class Prompts;

class TfrmNetworkWizard : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmNetworkWizard(Prompts& prompts, QWidget* parent = nullptr);

 private:
  Prompts& prompts_;
};

}  // namespace wr
