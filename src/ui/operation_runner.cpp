// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/operation_runner.h"

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

}  // namespace wr
