// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt_prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace wr {

void QtPrompts::ShowMessage(const QString& text, MessageKind kind) {
  // The application's title is the caption of a plain message.
  const QString caption = QApplication::applicationDisplayName();
  switch (kind) {
    case MessageKind::Information:
      QMessageBox::information(parent_, caption, text);
      break;
    case MessageKind::Warning:
      QMessageBox::warning(parent_, caption, text);
      break;
    case MessageKind::Critical:
      QMessageBox::critical(parent_, caption, text);
      break;
  }
}

bool QtPrompts::AskYesNo(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

bool QtPrompts::AskYesNoWithOption(const QString& caption, const QString& text,
                                   const QString& option, bool& checked) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::No);
  auto* check = new QCheckBox(option);
  check->setObjectName(QStringLiteral("chkQuestionOption"));
  check->setChecked(checked);
  box.setCheckBox(check);
  const bool yes = box.exec() == QMessageBox::Yes;
  checked = check->isChecked();
  return yes;
}

bool QtPrompts::InputBox(const QString& caption, const QString& prompt, QString& value) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, value, &ok);
  if (ok) value = text;
  return ok;
}

QString QtPrompts::OpenFile(const QString& caption, const QString& filter, const QString& dir) {
  return QFileDialog::getOpenFileName(parent_, caption, dir, filter);
}

QString QtPrompts::SaveFile(const QString& caption, const QString& filter, const QString& suggested,
                            QString* selectedFilter) {
  // The dialog opens in the folder and offers the name alone: given a whole
  // path in a folder it cannot show, it would take the path for a name and
  // put the folder before it a second time.
  const QFileInfo info(suggested);
  const bool namesFile = info.isAbsolute() && !info.isDir();
  QFileDialog dialog(parent_, caption, namesFile ? info.absolutePath() : suggested, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The dialog adds the extension itself, so the name it confirms replacing
  // is the name that is written.
  dialog.setDefaultSuffix(info.suffix());
  if (namesFile) dialog.selectFile(info.fileName());
  if (selectedFilter && !selectedFilter->isEmpty()) dialog.selectNameFilter(*selectedFilter);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  if (selectedFilter) *selectedFilter = dialog.selectedNameFilter();
  return dialog.selectedFiles().constFirst();
}

}  // namespace wr
