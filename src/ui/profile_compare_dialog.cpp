// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/profile_compare_dialog.h"

#include <algorithm>
#include <array>

#include <QDialogButtonBox>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include "session/unit_text.h"
#include "ui/widget_names.h"

namespace wr {
namespace {

// The mark of a row whose values differ, beside the bold face, for readers
// who cannot tell the two faces apart.
constexpr const char* kDiffersTip =
    QT_TRANSLATE_NOOP("wr::ProfileCompareDialog", "The unit holds another value");

}  // namespace

QString SettingTitle(SettingKey key) { return Translated(Message::Of(Describe(key).title)); }

QString SettingValueText(SettingKey key, const std::string& value) {
  return Translated(SettingValueMessage(key, value));
}

ProfileCompareDialog::ProfileCompareDialog(Mode mode, QWidget* parent)
    : QDialog(parent), mode_(mode) {
  setObjectName(QStringLiteral("dlgProfileCompare"));
  setWindowTitle(mode == Mode::Choose ? tr("Settings from a profile")
                                      : tr("Compare with profile"));
  auto* layout = new QVBoxLayout(this);
  lblCompareIntro = Named(new QLabel, "lblCompareIntro");
  lblCompareIntro->setWordWrap(true);
  lblCompareIntro->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(lblCompareIntro);

  tblCompare = Named(new QTableWidget(0, 3), "tblCompare");
  tblCompare->setHorizontalHeaderLabels(
      {tr("Setting"), tr("Unit"), tr("Profile")});
  tblCompare->verticalHeader()->setVisible(false);
  tblCompare->setAccessibleName(tr("Settings of the unit and of the profile"));
  tblCompare->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblCompare->setSelectionMode(QAbstractItemView::SingleSelection);
  tblCompare->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblCompare->setWordWrap(false);
  tblCompare->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
  tblCompare->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  tblCompare->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(tblCompare, 1);

  lblCompareSummary = Named(new QLabel, "lblCompareSummary");
  lblCompareSummary->setWordWrap(true);
  layout->addWidget(lblCompareSummary);

  auto* buttons = new QDialogButtonBox;
  if (mode == Mode::Choose) {
    btnCompareOk = Named(buttons->addButton(QDialogButtonBox::Ok), "btnCompareOk");
    btnCompareCancel = Named(buttons->addButton(QDialogButtonBox::Cancel), "btnCompareCancel");
  } else {
    btnCompareCancel = Named(buttons->addButton(QDialogButtonBox::Close), "btnCompareCancel");
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(640, 420);
}

void ProfileCompareDialog::SetAcceptText(const QString& text) {
  if (btnCompareOk) btnCompareOk->setText(text);
}

void ProfileCompareDialog::SetComparison(const QString& intro, const SettingsValues& unit,
                                         const SettingsValues& profile,
                                         const QString& profileHeading) {
  lblCompareIntro->setText(intro);
  tblCompare->setHorizontalHeaderItem(kProfileColumn, new QTableWidgetItem(profileHeading.isEmpty() ? tr("Profile") : profileHeading));
  profile_ = profile;
  keys_.clear();
  differences_ = 0;
  // The keys the profile sets on which the unit differs (or has no value).
  std::array<bool, kSettingKeyCount> differing{};
  for (const SettingDifference& d : DiffSettings(unit, profile))
    if (d.right) differing[static_cast<size_t>(d.key)] = true;
  const auto entries = profile.Entries();
  tblCompare->setRowCount(static_cast<int>(entries.size()));
  int row = 0;
  for (const auto& [key, value] : entries) {
    keys_.push_back(key);
    const std::string* held = unit.Find(key);
    const bool differs = differing[static_cast<size_t>(key)];
    differences_ += differs;

    auto* name = new QTableWidgetItem(SettingTitle(key));
    name->setToolTip(tr("%1 in the profile file").arg(FromBytes(SettingKeyName(key))));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (mode_ == Mode::Choose) {
      flags |= Qt::ItemIsUserCheckable;
      name->setCheckState(differs ? Qt::Checked : Qt::Unchecked);
    }
    name->setFlags(flags);
    auto* unitValue = new QTableWidgetItem(held ? SettingValueText(key, *held)
                                                : tr("(not read)"));
    auto* profileValue = new QTableWidgetItem(SettingValueText(key, value));
    for (QTableWidgetItem* item : {unitValue, profileValue}) {
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      // "(empty)" and "(not read)" say something about the value; they are
      // none themselves.
      const bool placeholder = item == unitValue ? !held || (!IsNumberSetting(key) && held->empty())
                                                 : !IsNumberSetting(key) && value.empty();
      if (placeholder) {
        QFont italic = item->font();
        italic.setItalic(true);
        item->setFont(italic);
        item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
      }
    }
    if (differs) {
      for (QTableWidgetItem* item : {name, unitValue, profileValue}) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        item->setToolTip(item == name ? name->toolTip() + QStringLiteral(". ") +
                                            tr(kDiffersTip)
                                      : tr(kDiffersTip));
      }
    }
    tblCompare->setItem(row, kSettingColumn, name);
    tblCompare->setItem(row, kUnitColumn, unitValue);
    tblCompare->setItem(row, kProfileColumn, profileValue);
    ++row;
  }
  tblCompare->resizeColumnsToContents();
  // The keyboard starts on the first row (Space ticks it) without the row
  // looking chosen.
  if (!keys_.empty())
    tblCompare->selectionModel()->setCurrentIndex(tblCompare->model()->index(0, kSettingColumn),
                                                  QItemSelectionModel::NoUpdate);
  // Tall enough for every row, as far as the screen allows.
  const int rows = tblCompare->verticalHeader()->length() +
                   tblCompare->horizontalHeader()->height() + 2 * tblCompare->frameWidth();
  const int others = sizeHint().height() - tblCompare->sizeHint().height();
  int height = rows + others;
  if (const QScreen* shown = screen()) height = std::min(height, shown->availableGeometry().height() * 4 / 5);
  resize(width(), std::max(height, 240));

  const int total = static_cast<int>(keys_.size());
  QString summary;
  if (total == 0) {
    summary = tr("The profile holds no settings.");
  } else if (differences_ == 0) {
    summary = tr("The unit holds every setting of the profile.");
  } else {
    summary = tr("%1 of %2 settings differ (shown in bold).").arg(differences_).arg(total);
  }
  if (mode_ == Mode::Choose && total > 0)
    summary += tr(" Only the ticked settings are taken.");
  lblCompareSummary->setText(summary);
}

int ProfileCompareDialog::RowOf(SettingKey key) const {
  for (size_t i = 0; i < keys_.size(); ++i)
    if (keys_[i] == key) return static_cast<int>(i);
  return -1;
}

bool ProfileCompareDialog::IsTicked(int row) const {
  const QTableWidgetItem* item = tblCompare->item(row, kSettingColumn);
  return mode_ == Mode::Choose && item && item->checkState() == Qt::Checked;
}

void ProfileCompareDialog::SetTicked(int row, bool ticked) {
  if (QTableWidgetItem* item = tblCompare->item(row, kSettingColumn); item && mode_ == Mode::Choose)
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

SettingsValues ProfileCompareDialog::Ticked() const {
  SettingsValues ticked;
  for (size_t i = 0; i < keys_.size(); ++i)
    if (IsTicked(static_cast<int>(i))) ticked.Set(keys_[i], *profile_.Find(keys_[i]));
  return ticked;
}

}  // namespace wr
