// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Settings tab's unsaved edits as the user sees them: the marks on the
// fields and the reasons beside them, the note below, the question before
// they are lost, and Revert.
#include "ui/profile_compare_dialog.h"
#include "ui/settings_page.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "session/unit_text.h"
#include "ui/prompts.h"

namespace wr {
namespace {

// The bold label is seen, and why it is marked below the field when there is
// more to say than that it was changed; a screen reader says the field's
// description.
void SetMarked(QWidget* label, QWidget* editor, QLabel* reasonLabel, bool marked,
               const QString& reason) {
  QFont font = label->font();
  if (font.bold() != marked) {
    font.setBold(marked);
    label->setFont(font);
  }
  const QString unsaved =
      marked ? SettingsPage::tr("Changed here and not saved to the unit yet") : QString();
  const QString description = reason.isEmpty() ? unsaved : reason;
  label->setToolTip(description);
  if (editor->accessibleDescription() != description) editor->setAccessibleDescription(description);
  reasonLabel->setText(reason);
  reasonLabel->setVisible(!reason.isEmpty());
}

}  // namespace

// The line below a field that says why it is marked.
QLabel* SettingsPage::NewReasonLabel(const QWidget* editor) {
  auto* label = new QLabel;
  label->setObjectName(QStringLiteral("lblReason_") + editor->objectName());
  label->setWordWrap(true);
  label->setVisible(false);
  return label;
}

void SettingsPage::ReserveMarkWidth() {
  // A label turning bold must not move the fields beside it.
  for (const Field& field : fields_) {
    auto* label = qobject_cast<QLabel*>(field.label);
    if (!label) continue;
    QFont bold = label->font();
    bold.setBold(true);
    label->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(label->text()) + 2);
  }
}

QLabel* SettingsPage::ReasonLabel(SettingKey key) const {
  const Field* field = FieldOf(key);
  return field ? field->reason : nullptr;
}

void SettingsPage::UserEdited(SettingKey key) {
  // Typed back to what the unit holds is no change.
  draft_.Edit(key, ToBytes(FieldText(key)));
  ShowMarks();
}

void SettingsPage::ShowDraft() {
  for (const Field& field : fields_) {
    const QString text = FromBytes(draft_.Text(field.key));
    // Only a text that changed is put back: the cursor stays where it is.
    const bool same = field.key == SettingKey::kLowPower
                          ? chkLowPower->isChecked() == (text == QStringLiteral("1"))
                          : FieldText(field.key) == text;
    if (!same) SetFieldText(field.key, text);
  }
  ShowMarks();
}

// ---- unsaved edits

bool SettingsPage::HasUnsavedEdits() const { return draft_.HasEdits(); }

QStringList SettingsPage::UnsavedEditNames() const {
  QStringList names;
  for (SettingKey key : draft_.EditedKeys()) names << SettingTitle(key);
  return names;
}

bool SettingsPage::ConfirmLosingEdits(const QString& caption, const QString& consequence,
                                      bool discard) {
  if (!HasUnsavedEdits()) return true;
  const bool yes = prompts_.AskYesNo(
      caption, tr("The Settings tab has changes that are not saved to the unit: %1."
                              "\n\n%2")
                   .arg(UnsavedEditNames().join(QStringLiteral(", ")), consequence));
  if (yes && discard) DiscardEdits();
  return yes;
}

void SettingsPage::DiscardEdits() {
  // Back to what the unit reported on this connection; a field of a group
  // not read keeps its text, as no unit value is there to show.
  draft_.Revert();
  ShowDraft();
}

void SettingsPage::ShowMarks() {
  for (const Field& field : fields_) {
    const SettingsDraft::Mark mark = draft_.MarkOf(field.key);
    SetMarked(field.label, field.editor, field.reason, mark != SettingsDraft::Mark::None,
              Translated(draft_.Reason(field.key)));
  }
  const bool unsaved = HasUnsavedEdits();
  btnRevertSettings->setEnabled(unsaved && !busy_);
  const SettingsValues& pending = draft_.Pending();
  if (unsaved) {
    QStringList parts;
    QStringList names;
    for (const Field& field : fields_)
      if (IsEdited(field.key)) names << SettingTitle(field.key);
    if (!names.isEmpty())
      parts << tr("Unsaved changes: %1.").arg(names.join(QStringLiteral(", ")));
    if (!pending.Empty()) {
      QStringList values;
      for (const auto& [key, value] : pending.Entries())
        values << QStringLiteral("%1: %2").arg(SettingTitle(key), SettingValueText(key, value));
      parts << tr("From the profile, with no field on this tab: %1.")
                   .arg(values.join(QStringLiteral("; ")));
    }
    parts << tr("Save writes them to the unit.");
    const QString text = parts.join(QLatin1Char(' '));
    lblUnsaved->setText(text);
  }
  lblUnsaved->setVisible(unsaved);
  if (!unsaved) lblKeptEdits->setVisible(false);

  // The tab's title carries a mark as well, for when another tab is shown.
  for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
    auto* tabs = qobject_cast<QTabWidget*>(w);
    if (!tabs) continue;
    for (int i = 0; i < tabs->count(); ++i) {
      QWidget* tab = tabs->widget(i);
      if (tab != this && !tab->isAncestorOf(this)) continue;
      if (tabTitle_.isEmpty()) tabTitle_ = tabs->tabText(i);
      tabs->setTabText(i, unsaved ? tabTitle_ + QStringLiteral(" *") : tabTitle_);
    }
    break;
  }
}

}  // namespace wr
