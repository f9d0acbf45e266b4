// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Starting the session's operations from a window: the window goes on
// running while they do, and is told their outcome.
#include <QObject>

#include <functional>
#include <memory>

#include "session/operation.h"

namespace wr {

// Starts the operation, owned by owner from now on; then (when given) is
// called with its outcome, and the operation goes away afterwards. Returns
// the operation, for its progress and to cancel it, while it runs.
Operation* StartOperation(QObject* owner, std::unique_ptr<Operation> operation,
                          std::function<void(const UnitSession::Outcome&)> then = {});

}  // namespace wr
