// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The user's boxes as real Qt dialogs, owned by the given parent window.
#include "ui/prompts.h"

class QWidget;

namespace wr {

class QtPrompts final : public Prompts {
 public:
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(const QString& text, MessageKind kind = MessageKind::Information) override;
  bool AskYesNo(const QString& caption, const QString& text) override;
  bool AskYesNoWithOption(const QString& caption, const QString& text, const QString& option,
                          bool& checked) override;
  bool InputBox(const QString& caption, const QString& prompt, QString& value) override;
  QString OpenFile(const QString& caption, const QString& filter, const QString& dir) override;
  QString SaveFile(const QString& caption, const QString& filter, const QString& suggested,
                   QString* selectedFilter) override;

 private:
  QWidget* parent_;
};

}  // namespace wr
