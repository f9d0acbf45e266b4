// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Status tab: the unit's live status as its last "+STATS," reply gave it,
// and the last USSD answer.
#include <QWidget>

#include <vector>

class QDateTime;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wr {

class UnitModel;

class StatusPage : public QWidget {
  Q_OBJECT
 public:
  explicit StatusPage(UnitModel& model, QWidget* parent = nullptr);

  QLineEdit* edt_GSM_status = nullptr;
  QLineEdit* edt_GSM_signal = nullptr;
  QLineEdit* edt_next_gsm_update = nullptr;
  QLabel* lblUSSDRx = nullptr;
  QLineEdit* edtUSSDRx = nullptr;
  QLineEdit* edt_coordinates = nullptr;
  QLineEdit* edt_GPS_signal = nullptr;
  QLineEdit* edt_movement = nullptr;
  QLineEdit* edtTripStatus = nullptr;
  QLineEdit* edtSpeed = nullptr;
  QLineEdit* edtTime = nullptr;
  QLineEdit* edt_volt_external = nullptr;
  QLineEdit* edt_volt_battery = nullptr;
  // When the latest status arrived, and the button that opens its history.
  QLabel* lblLastUpdate = nullptr;
  QPushButton* btnStatusHistory = nullptr;

  void ShowLastUpdate(const QDateTime& when);
  // The main window's polling period, said after the last update while it
  // is not the usual one (0: the usual one, nothing said).
  void ShowPollingPeriod(int unusualMs);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // One column of labels across the three groups: every label as wide as
  // the widest, so the boxes of all groups start at one x.
  void AlignLabels();
  void ShowStatus();
  void ShowUssdAnswer();
  void Clear();
  void ShowLastUpdateLine();

  UnitModel& model_;
  std::vector<QWidget*> labels_;
  QString lastUpdate_;
  int unusualPollingMs_ = 0;
};

}  // namespace wr
