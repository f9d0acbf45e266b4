#pragma once
// The firmware upgrade dialog: progress of the block transfer, with Cancel.
#include <QDialog>

namespace wr {

class Prompts;

class TfrmUpgrade : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmUpgrade(Prompts& prompts, QWidget* parent = nullptr);

 private:
  Prompts& prompts_;
};

}  // namespace wr
