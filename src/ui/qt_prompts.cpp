#include "ui/qt_prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace wr {

void QtPrompts::ShowMessage(const QString& text) {
  // The application's title is the caption of a plain message.
  QMessageBox::information(parent_, QApplication::applicationDisplayName(), text);
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
  return QFileDialog::getSaveFileName(parent_, caption, suggested, filter, selectedFilter);
}

}  // namespace wr
