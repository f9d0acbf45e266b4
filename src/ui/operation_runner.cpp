// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/operation_runner.h"

#include <QEventLoop>

#include <utility>

namespace wr {

Operation* StartOperation(QObject* owner, std::unique_ptr<Operation> operation,
                          std::function<void(const UnitSession::Outcome&)> then) {
  Operation* op = operation.release();
  op->setParent(owner);
  QObject::connect(op, &Operation::finished, owner,
                   [op, then = std::move(then)](const UnitSession::Outcome& outcome) {
                     op->deleteLater();
                     if (then) then(outcome);
                   });
  op->Start();
  return op;
}

const UnitSession::Outcome& RunToEnd(Operation& operation) {
  QEventLoop loop;
  QObject::connect(&operation, &Operation::finished, &loop, &QEventLoop::quit);
  operation.Start();
  // A loop that will not run: the application is quitting.
  if (!operation.Finished() && loop.exec() < 0) operation.Cancel();
  return operation.Result();
}

}  // namespace wr
