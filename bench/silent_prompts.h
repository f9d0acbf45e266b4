// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The benchmarks' answer to every question: none, and nothing shown.
#include <QString>

#include "ui/prompts.h"

namespace wr::bench {

class SilentPrompts : public Prompts {
 public:
  void ShowMessage(const QString&, MessageKind) override {}
  bool AskYesNo(const QString&, const QString&) override { return false; }
  bool InputBox(const QString&, const QString&, QString&) override { return false; }
  QString OpenFile(const QString&, const QString&, const QString&) override { return QString(); }
  QString SaveFile(const QString&, const QString&, const QString&, QString*) override {
    return QString();
  }
};

}  // namespace wr::bench
