// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The SMS example: how the unit's SMS message looks with the values ticked,
// built from sample values. A preview only: nothing of it goes to the unit,
// whose commands have none that sets the SMS content.
#include <QDialog>

#include <array>
#include <cstdint>

#include "protocol/sms_content.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace wr {

class Prompts;

class TfrmSMSExtra : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kExampleTickMs = 250;

  explicit TfrmSMSExtra(Prompts& prompts, QWidget* parent = nullptr);

  void FormShow();
  void FormClose();
  // Rebuilds the example and the mask from the boxes.
  void Timer1Timer();
  void btnCloseClick();

  // The result as of the last tick.
  uint32_t ContentMask() const { return contentMask_; }
  QString ExampleText() const { return exampleText_; }

  QWidget* Panel1 = nullptr;
  QWidget* Panel2 = nullptr;
  QWidget* Panel3 = nullptr;
  QLineEdit* edtExample = nullptr;
  QCheckBox* chkDescription = nullptr;
  std::array<QCheckBox*, kSmsContentRowCount> valueBoxes{};
  // What the window is, above the example.
  QLabel* lblPreview = nullptr;
  QPushButton* btnClose = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  Prompts& prompts_;
  QString baseText_;
  QString exampleText_;
  uint32_t contentMask_ = 0;
};

}  // namespace wr
