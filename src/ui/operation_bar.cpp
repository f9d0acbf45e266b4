// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/operation_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

#include "session/operation.h"
#include "ui/widget_names.h"

namespace wr {

OperationBar::OperationBar(UnitSession& session, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlOperation"));
  setAccessibleName(tr("Unit work"));
  lblOperation = Named(new QLabel, "lblOperation");
  lblOperation->setTextFormat(Qt::PlainText);
  lblOperation->setWordWrap(true);
  pbarOperation = Named(new QProgressBar, "pbarOperation");
  pbarOperation->setAccessibleName(tr("Progress of the unit work"));
  pbarOperation->setTextVisible(false);
  pbarOperation->setMaximumWidth(160);
  btnCancelOperation = Named(new QPushButton(tr("Cancel")), "btnCancelOperation");
  btnCancelOperation->setAccessibleName(tr("Cancel the unit work"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 2, 8, 2);
  layout->addWidget(lblOperation, 1);
  layout->addWidget(pbarOperation);
  layout->addWidget(btnCancelOperation);
  // The room stays while hidden: the pages do not move when work starts.
  QSizePolicy policy = sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  setSizePolicy(policy);

  outcomeTimer_ = new QTimer(this);
  outcomeTimer_->setSingleShot(true);
  connect(outcomeTimer_, &QTimer::timeout, this, &OperationBar::ShowCurrent);
  connect(btnCancelOperation, &QPushButton::clicked, this, &OperationBar::CancelCurrent);
  connect(&session, &UnitSession::operationStarted, this, &OperationBar::Track);
  setVisible(false);
}

QString OperationBar::OutcomeText(const QString& title, const UnitSession::Outcome& outcome) {
  if (outcome.interrupted) return tr("%1: cancelled.").arg(title);
  // An outcome's own message says what happened by itself.
  if (!outcome.message.isEmpty()) return outcome.message;
  return outcome.done ? tr("%1: done.").arg(title) : tr("%1: failed.").arg(title);
}

void OperationBar::Track(Operation* operation) {
  running_.push_back({operation, 0, 0, QString()});
  connect(operation, &Operation::progress, this,
          [this, operation](int done, int total, const QString& what) {
            for (Running& r : running_)
              if (r.operation == operation) r.done = done, r.total = total, r.what = what;
            if (Current() && Current()->operation == operation) ShowCurrent();
          });
  connect(operation, &Operation::finished, this,
          [this, operation](const UnitSession::Outcome& outcome) { Ended(operation, outcome); });
  // One that goes away without an outcome just leaves the strip.
  connect(operation, &QObject::destroyed, this, [this] { ShowCurrent(); });
  ShowCurrent();
}

OperationBar::Running* OperationBar::Current() {
  running_.erase(std::remove_if(running_.begin(), running_.end(),
                                [](const Running& r) { return !r.operation || r.operation->Finished(); }),
                 running_.end());
  return running_.empty() ? nullptr : &running_.back();
}

void OperationBar::Ended(Operation* operation, const UnitSession::Outcome& outcome) {
  const QString text = OutcomeText(operation->Title(), outcome);
  // Said to assistive technology whether or not another one goes on.
  setAccessibleDescription(text);
  if (Current()) return ShowCurrent();
  // The first line; a message box tells the rest where there is more.
  lblOperation->setText(text.section(QLatin1Char('\n'), 0, 0));
  pbarOperation->setVisible(false);
  btnCancelOperation->setVisible(false);
  setVisible(true);
  outcomeTimer_->start(outcomeShownMs_);
}

void OperationBar::ShowCurrent() {
  Running* current = Current();
  if (!current) {
    // An outcome on show stays for its moment.
    if (!outcomeTimer_->isActive()) setVisible(false);
    return;
  }
  outcomeTimer_->stop();
  const Operation& op = *current->operation;
  const QString text =
      current->what.isEmpty() ? op.Title() : tr("%1 (%2)").arg(op.Title(), current->what);
  if (lblOperation->text() != text) lblOperation->setText(text);
  // Busy while no total is known.
  const int total = std::max(0, current->total);
  pbarOperation->setRange(0, total);
  if (total > 0) pbarOperation->setValue(std::clamp(current->done, 0, total));
  pbarOperation->setVisible(true);
  const bool cancellable = op.CancelSafe() && !op.CancelRequested();
  btnCancelOperation->setVisible(cancellable);
  btnCancelOperation->setAccessibleName(tr("Cancel: %1").arg(op.Title()));
  setVisible(true);
}

void OperationBar::CancelCurrent() {
  Running* current = Current();
  if (!current || !current->operation->CancelSafe()) return;
  current->operation->Cancel();
}

}  // namespace wr
