// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window's strip for unit work: while an operation of the session
// runs (whoever started it), what it does, how far it has got, and a
// Cancel button when stopping it now is safe; then, for a moment, how it
// ended. Hidden when nothing runs; its room stays, so the pages above do
// not jump.
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

#include "session/unit_session.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace wr {

class Operation;

class OperationBar : public QWidget {
  Q_OBJECT
 public:
  // Milliseconds the outcome stays on show once the last operation has ended.
  static constexpr int kOutcomeShownMs = 4000;

  explicit OperationBar(UnitSession& session, QWidget* parent = nullptr);
  void SetOutcomeShownMs(int ms) { outcomeShownMs_ = ms; }
  // What the strip says of an ended operation.
  static QString OutcomeText(const QString& title, const UnitSession::Outcome& outcome);

  QLabel* lblOperation = nullptr;
  QProgressBar* pbarOperation = nullptr;
  QPushButton* btnCancelOperation = nullptr;

 private:
  struct Running {
    QPointer<Operation> operation;
    int done = 0;
    int total = 0;
    QString what;
  };
  void Track(Operation* operation);
  void Ended(Operation* operation, const UnitSession::Outcome& outcome);
  void ShowCurrent();
  void CancelCurrent();
  Running* Current();

  std::vector<Running> running_;
  QTimer* outcomeTimer_ = nullptr;
  int outcomeShownMs_ = kOutcomeShownMs;
};

}  // namespace wr
