// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/status_page.h"

#include <QDateTime>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "session/unit_model.h"
#include "session/unit_text.h"
#include "ui/widget_names.h"

namespace wr {
namespace {

// The boxes take the width the labels leave, whatever the style prefers.
QFormLayout* StatusForm(QWidget* group) {
  auto* form = new QFormLayout(group);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return form;
}

}  // namespace

StatusPage::StatusPage(UnitModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("tabStatus"));
  auto* page = new QVBoxLayout(this);

  auto* gsm = Named(new QGroupBox(tr("GSM")), "gboxGSM");
  auto* gsmForm = StatusForm(gsm);
  edt_GSM_status = ReadOnlyBox("edt_GSM_status");
  edt_GSM_signal = ReadOnlyBox("edt_GSM_signal");
  edt_next_gsm_update = ReadOnlyBox("edt_next_gsm_update");
  edtUSSDRx = ReadOnlyBox("edtUSSDRx");
  lblUSSDRx = Named(new QLabel(tr("USSD received")), "lblUSSDRx");
  gsmForm->addRow(tr("Status"), edt_GSM_status);
  edt_GSM_status->setAccessibleName(tr("GSM status"));
  edt_GSM_signal->setAccessibleName(tr("GSM signal strength"));
  gsmForm->addRow(tr("Signal Strength"), edt_GSM_signal);
  gsmForm->addRow(tr("Time to next GPRS update"), edt_next_gsm_update);
  gsmForm->addRow(lblUSSDRx, edtUSSDRx);
  page->addWidget(gsm);

  auto* gps = Named(new QGroupBox(tr("GPS")), "gboxGPS");
  auto* gpsForm = StatusForm(gps);
  edt_coordinates = ReadOnlyBox("edt_coordinates");
  edt_GPS_signal = ReadOnlyBox("edt_GPS_signal");
  edt_movement = ReadOnlyBox("edt_movement");
  edtTripStatus = ReadOnlyBox("edtTripStatus");
  edtSpeed = ReadOnlyBox("edtSpeed");
  edtTime = ReadOnlyBox("edtTime");
  gpsForm->addRow(tr("Coordinates"), edt_coordinates);
  gpsForm->addRow(tr("Status"), edt_GPS_signal);
  edt_GPS_signal->setAccessibleName(tr("GPS status"));
  gpsForm->addRow(tr("Last Movement Detected"), edt_movement);
  gpsForm->addRow(tr("Trip Status"), edtTripStatus);
  gpsForm->addRow(tr("Speed"), edtSpeed);
  gpsForm->addRow(tr("Time"), edtTime);
  page->addWidget(gps);

  auto* supply = Named(new QGroupBox(tr("Supply")), "gboxSupply");
  auto* supplyForm = StatusForm(supply);
  edt_volt_external = ReadOnlyBox("edt_volt_external");
  edt_volt_battery = ReadOnlyBox("edt_volt_battery");
  supplyForm->addRow(tr("Supply Voltage"), edt_volt_external);
  supplyForm->addRow(tr("Backup Battery Voltage"), edt_volt_battery);
  page->addWidget(supply);

  lblLastUpdate = Named(new QLabel(tr("Last update: none yet")), "lblLastUpdate");
  lblLastUpdate->setWordWrap(true);
  btnStatusHistory = Named(new QPushButton(tr("Hi&story...")), "btnStatusHistory");
  auto* updates = new QHBoxLayout;
  updates->addWidget(lblLastUpdate, 1);
  updates->addWidget(btnStatusHistory);
  page->addLayout(updates);
  page->addStretch(1);

  for (QFormLayout* form : {gsmForm, gpsForm, supplyForm}) {
    for (int row = 0; row < form->rowCount(); ++row) {
      if (QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole))
        if (label->widget()) labels_.push_back(label->widget());
    }
  }
  AlignLabels();

  connect(&model_, &UnitModel::statusChanged, this, &StatusPage::ShowStatus);
  connect(&model_, &UnitModel::ussdAnswerChanged, this, &StatusPage::ShowUssdAnswer);
  connect(&model_, &UnitModel::cleared, this, &StatusPage::Clear);
}

void StatusPage::AlignLabels() {
  for (QWidget* label : labels_) label->setMinimumWidth(0);
  int widest = 0;
  for (QWidget* label : labels_) widest = std::max(widest, label->sizeHint().width());
  for (QWidget* label : labels_) label->setMinimumWidth(widest);
}

void StatusPage::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The labels learn of a new font or style after this page does.
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
    QMetaObject::invokeMethod(this, &StatusPage::AlignLabels, Qt::QueuedConnection);
}

void StatusPage::ShowStatus() {
  const StatsTexts s = model_.StatusTexts();
  edt_GSM_status->setText(s.gsmStatus);
  edt_GSM_signal->setText(s.gsmSignal);
  edt_next_gsm_update->setText(s.nextGsmUpdate);
  edt_coordinates->setText(s.coordinates);
  edt_GPS_signal->setText(s.gpsSignal);
  edt_movement->setText(s.movement);
  edtTripStatus->setText(s.tripStatus);
  edtSpeed->setText(s.speed);
  edtTime->setText(s.time);
  edt_volt_external->setText(s.voltExternal);
  edt_volt_battery->setText(s.voltBattery);
}

void StatusPage::ShowLastUpdate(const QDateTime& when) {
  if (!when.isValid()) return;
  lastUpdate_ = when.toString(QStringLiteral("HH:mm:ss"));
  ShowLastUpdateLine();
}

void StatusPage::ShowPollingPeriod(int unusualMs) {
  unusualPollingMs_ = unusualMs;
  ShowLastUpdateLine();
}

void StatusPage::ShowLastUpdateLine() {
  QString text = tr("Last update: ") +
                 (lastUpdate_.isEmpty() ? tr("none yet") : lastUpdate_);
  if (unusualPollingMs_ > 0) {
    const int ms = unusualPollingMs_;
    const QString period = ms % 1000 == 0 ? tr("%n s", nullptr, ms / 1000) : tr("%1 ms").arg(ms);
    text += tr(" (status asked for every %1, set by the debug terminal's Quick box)")
                .arg(period);
  }
  if (lblLastUpdate->text() != text) lblLastUpdate->setText(text);
}

void StatusPage::ShowUssdAnswer() {
  const QString caption = Translated(model_.LastUssdAnswer().caption);
  if (caption != lblUSSDRx->text()) {
    lblUSSDRx->setText(caption);
    AlignLabels();
  }
  edtUSSDRx->setText(FromBytes(model_.LastUssdAnswer().text));
}

void StatusPage::Clear() {
  // The USSD caption stays as it was; only the texts are blanked.
  for (QLineEdit* box : {edt_volt_battery, edt_volt_external, edt_GSM_signal, edt_GPS_signal,
                         edt_coordinates, edt_movement, edt_GSM_status, edt_next_gsm_update,
                         edtTripStatus, edtSpeed, edtTime, edtUSSDRx})
    box->clear();
}

}  // namespace wr
