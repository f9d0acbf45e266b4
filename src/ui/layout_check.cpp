// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/layout_check.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QWidget>

namespace wr {
namespace {

bool Checked(const QWidget& w) {
  if (const auto* label = qobject_cast<const QLabel*>(&w))
    return !label->wordWrap() && !label->text().isEmpty();
  return qobject_cast<const QAbstractButton*>(&w) || qobject_cast<const QComboBox*>(&w) ||
         qobject_cast<const QGroupBox*>(&w) || qobject_cast<const QTabBar*>(&w);
}

QString NameOf(const QWidget& w) {
  if (!w.objectName().isEmpty()) return w.objectName();
  if (const auto* label = qobject_cast<const QLabel*>(&w)) return QStringLiteral("label \"%1\"").arg(label->text());
  if (const auto* button = qobject_cast<const QAbstractButton*>(&w))
    return QStringLiteral("button \"%1\"").arg(button->text());
  return QString::fromLatin1(w.metaObject()->className());
}

// The headings and the cells in view, each against its column's width.
void CheckTable(const QTableView& table, QStringList& cut) {
  const QAbstractItemModel* model = table.model();
  if (!model) return;
  const QHeaderView* header = table.horizontalHeader();
  const QRect view = table.viewport()->rect();
  const int firstRow = table.rowAt(view.top());
  int lastRow = table.rowAt(view.bottom());
  if (lastRow < 0) lastRow = model->rowCount() - 1;
  for (int c = 0; c < model->columnCount(); ++c) {
    if (table.isColumnHidden(c) || table.columnWidth(c) == 0) continue;
    // The grid line takes a pixel of the column.
    const int width = table.columnWidth(c) - (table.showGrid() ? 1 : 0);
    const QString heading = model->headerData(c, Qt::Horizontal).toString();
    if (header->isVisible() && !heading.isEmpty() && header->sectionSizeHint(c) > table.columnWidth(c))
      cut << QStringLiteral("%1: heading \"%2\" %3 wide, needs %4")
                 .arg(table.objectName(), heading)
                 .arg(table.columnWidth(c))
                 .arg(header->sectionSizeHint(c));
    for (int r = firstRow < 0 ? 0 : firstRow; r <= lastRow && firstRow >= 0; ++r) {
      if (table.isRowHidden(r)) continue;
      const QModelIndex index = model->index(r, c);
      const QString text = index.data(Qt::DisplayRole).toString();
      if (text.isEmpty()) continue;
      const int need = table.sizeHintForIndex(index).width();
      if (need > width)
        cut << QStringLiteral("%1: cell \"%2\" (row %3) %4 wide, needs %5")
                   .arg(table.objectName(), text)
                   .arg(r)
                   .arg(width)
                   .arg(need);
    }
  }
}

void Check(const QWidget& w, QStringList& cut) {
  if (const auto* table = qobject_cast<const QTableView*>(&w)) CheckTable(*table, cut);
  if (Checked(w)) {
    // A tab bar shows every tab whole, not scroll arrows.
    const QSize need = qobject_cast<const QTabBar*>(&w) ? w.sizeHint() : w.minimumSizeHint();
    if (w.width() < need.width() || w.height() < need.height())
      cut << QStringLiteral("%1: %2x%3, needs %4x%5")
                 .arg(NameOf(w))
                 .arg(w.width())
                 .arg(w.height())
                 .arg(need.width())
                 .arg(need.height());
  }
  for (const QObject* child : w.children()) {
    const auto* widget = qobject_cast<const QWidget*>(child);
    if (widget && !widget->isWindow() && widget->isVisibleTo(&w)) Check(*widget, cut);
  }
}

}  // namespace

QStringList CutControls(const QWidget& top) {
  QStringList cut;
  Check(top, cut);
  return cut;
}

}  // namespace wr
