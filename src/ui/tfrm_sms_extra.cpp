// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/tfrm_sms_extra.h"

#include "session/unit_text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <string>

namespace wr {
namespace {

QString FromView(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<int>(text.size())); }

}  // namespace

TfrmSMSExtra::TfrmSMSExtra(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("frmSMSExtra"));
  setWindowTitle(tr("Add to SMS: example only"));
  resize(517, 353);

  Panel2 = new QWidget;
  Panel2->setObjectName(QStringLiteral("Panel2"));
  // As high as the example box needs, whatever the font.
  Panel2->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* exampleBox = new QGroupBox(tr("Message Example"));
  exampleBox->setObjectName(QStringLiteral("GroupBox1"));
  edtExample = new QLineEdit;
  edtExample->setObjectName(QStringLiteral("edtExample"));
  QPalette grey = edtExample->palette();
  grey.setColor(QPalette::Base, palette().color(QPalette::Window));
  edtExample->setPalette(grey);
  (new QVBoxLayout(exampleBox))->addWidget(edtExample);
  lblPreview = new QLabel(
      tr("A preview of how the unit's SMS message looks with the values ticked below, using "
         "sample values. Nothing is sent to the unit: closing this window changes nothing on it."));
  lblPreview->setObjectName(QStringLiteral("lblPreview"));
  lblPreview->setWordWrap(true);
  auto* top = new QVBoxLayout(Panel2);
  top->setContentsMargins(6, 4, 6, 0);
  top->addWidget(lblPreview);
  top->addWidget(exampleBox);

  Panel3 = new QWidget;
  Panel3->setObjectName(QStringLiteral("Panel3"));
  auto* addBox = new QGroupBox(tr("Add the following to the SMS message"));
  addBox->setObjectName(QStringLiteral("GroupBox2"));
  auto* groups = new QHBoxLayout;
  QVBoxLayout* column = nullptr;
  std::string_view currentGroup;
  int groupNumber = 3;
  for (size_t i = 0; i < kSmsContentRowCount; ++i) {
    const SmsContentRow& row = kSmsContentRows[i];
    if (row.group != currentGroup) {
      currentGroup = row.group;
      auto* box = new QGroupBox(Translated(Message::Of(row.group.data())));
      box->setObjectName(QStringLiteral("GroupBox%1").arg(groupNumber++));
      column = new QVBoxLayout(box);
      groups->addWidget(box, 1);
    }
    auto* check = new QCheckBox(Translated(Message::Of(row.caption.data())));
    check->setObjectName(FromView(row.checkBox));
    column->addWidget(check);
    valueBoxes[i] = check;
  }
  chkDescription = new QCheckBox(Translated(Message::Of(kSmsDescriptionCaption.data())));
  chkDescription->setObjectName(QStringLiteral("chkDescription"));
  auto* addLayout = new QVBoxLayout(addBox);
  addLayout->addLayout(groups, 1);
  addLayout->addWidget(chkDescription);
  // Each column's boxes stand at its top.
  for (int g = 0; g < groups->count(); ++g)
    if (auto* box = qobject_cast<QGroupBox*>(groups->itemAt(g)->widget()))
      static_cast<QVBoxLayout*>(box->layout())->addStretch(1);
  auto* middle = new QVBoxLayout(Panel3);
  middle->setContentsMargins(6, 4, 6, 4);
  middle->addWidget(addBox);

  Panel1 = new QWidget;
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(48);
  btnClose = new QPushButton(tr("Close"));
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setAccessibleName(tr("Close the SMS example"));
  btnClose->setDefault(true);
  auto* bottom = new QHBoxLayout(Panel1);
  bottom->setContentsMargins(8, 8, 8, 8);
  bottom->addStretch(1);
  bottom->addWidget(btnClose);
  connect(btnClose, &QPushButton::clicked, this, &TfrmSMSExtra::btnCloseClick);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel2);
  layout->addWidget(Panel3, 1);
  layout->addWidget(Panel1);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kExampleTickMs);
  connect(Timer1, &QTimer::timeout, this, &TfrmSMSExtra::Timer1Timer);
}

void TfrmSMSExtra::FormShow() { Timer1->start(); }

void TfrmSMSExtra::FormClose() { Timer1->stop(); }

void TfrmSMSExtra::Timer1Timer() {
  std::array<bool, kSmsContentRowCount> ticked{};
  for (size_t i = 0; i < kSmsContentRowCount; ++i) ticked[i] = valueBoxes[i]->isChecked();
  const QByteArray base = baseText_.toLatin1();
  const SmsContent content = BuildSmsContent(ticked, chkDescription->isChecked(),
                                             std::string_view(base.constData(), base.size()));
  exampleText_ = QString::fromLatin1(content.example.data(), static_cast<int>(content.example.size()));
  edtExample->setText(exampleText_);
  contentMask_ = content.mask;
}

// Only closes: the example is for looking at, the result whatever the last
// tick built.
void TfrmSMSExtra::btnCloseClick() { close(); }

void TfrmSMSExtra::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfrmSMSExtra::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  FormClose();
}

}  // namespace wr
