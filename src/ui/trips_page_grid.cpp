// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The trip grid: its cells, their tooltips, and the widths of its columns.
#include "ui/trips_page.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>

#include <algorithm>

#include "ui/trips_page_parts.h"

namespace wr {
namespace {

// Shows a cell's whole text as its tooltip when the column is too narrow
// for it, and no tooltip otherwise; frames the current cell, which the menu
// key acts on, inside the selected row.
class TripCellDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    // The style's own focus frame is drawn in the selection's colour and
    // cannot be seen on a selected row.
    if (!(option.state & QStyle::State_HasFocus)) return;
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    const QColor frame =
        option.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight);
    painter->setPen(QPen(frame, 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    painter->restore();
  }

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip)
      return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (index.isValid() && IsCut(option, index)) {
      QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(),
                         view->viewport(), option.rect);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }

 private:
  // The style elides exactly when the text and its margins need more than
  // the cell, which is what the size hint measures.
  bool IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return !index.data(Qt::DisplayRole).toString().isEmpty() &&
           sizeHint(option, index).width() > option.rect.width();
  }
};

}  // namespace

QAbstractItemDelegate* NewTripCellDelegate(QObject* parent) { return new TripCellDelegate(parent); }

void TripsPage::SetCell(int row, int column, const QString& text) {
  QTableWidgetItem* item = sgridTrips->item(row, column);
  if (!item) {
    sgridTrips->setItem(row, column, new QTableWidgetItem(text));
  } else {
    item->setText(text);
  }
}

void TripsPage::SetUpTripGrid() {
  // The raw coordinates stay in the grid but are never seen.
  sgridTrips->setColumnWidth(7, 0);
  sgridTrips->setColumnWidth(8, 0);
  sgridTrips->setColumnHidden(7, true);
  sgridTrips->setColumnHidden(8, true);
  QStringList headings;
  for (int c = 0; c < kTripColumns; ++c) {
    headings << (c < 7 ? tr(kTripHeadings[c]) : QString());
    SetCell(0, c, headings.back());
    QTableWidgetItem* heading = sgridTrips->item(0, c);
    heading->setBackground(palette().button());
    heading->setFlags(Qt::ItemIsEnabled);
  }
  sgridTrips->setHorizontalHeaderLabels(headings);
  sgridTrips->setRowHidden(0, true);
  ApplyTripColumnWidths();
  // A width the user drags stays the column's least width.
  connect(sgridTrips->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) {
            if (!applyingWidths_ && column < kShownColumns) userWidth_[column] = width;
          });
}

void TripsPage::WidenForContent(int row) {
  // Every text must be readable whole: the width rule gives the minimum, the
  // widest text shown so far may ask for more.
  bool wider = false;
  for (int c = 0; c < kWidenedColumns; ++c) {
    const QModelIndex index = sgridTrips->model()->index(row, c);
    if (index.data(Qt::DisplayRole).toString().isEmpty()) continue;
    // The grid line takes a pixel of the column.
    const int needed = sgridTrips->sizeHintForIndex(index).width() + (sgridTrips->showGrid() ? 1 : 0);
    if (needed > contentWidth_[c]) {
      contentWidth_[c] = needed;
      wider = wider || needed > sgridTrips->columnWidth(c);
    }
  }
  if (wider) ApplyTripColumnWidths();
}

int TripsPage::HeadingWidth(int c) const {
  return std::max(0, sgridTrips->horizontalHeader()->sectionSizeHint(c));
}

namespace {

// The width rule: shares of the grid's width w, and no column narrower than
// it needs (need: its heading, its widest text, the user's drag).
void RuleWidths(int w, const int need[7], int widths[7]) {
  widths[0] = w / 10;
  widths[1] = w / 13;
  widths[2] = w / 13;
  widths[3] = static_cast<int>(static_cast<double>(w) * 2.0 / 9.0);
  widths[4] = widths[3];
  widths[5] = w / 8;
  for (int c = 0; c < 6; ++c) widths[c] = std::max(widths[c], need[c]);
  // The last takes what is left when that is more.
  widths[6] = std::max(need[6], w - (widths[0] + widths[1] + widths[2] + widths[3] + widths[4] +
                                     widths[5]) - 28);
}

}  // namespace

QSize TripsPage::sizeHint() const {
  // A trip's widest texts: a date, two times, two positions, a speed and a
  // distance as the unit reports them.
  static const char* const kSamples[kShownColumns] = {"00/00/00", "00:00:00", "00:00:00",
                                                      "-00.000000,-000.000000", "-00.000000,-000.000000",
                                                      "000 Km/h", "0000.0 Km"};
  const QFontMetrics metrics(sgridTrips->font());
  int need[kShownColumns];
  int total = 0;
  for (int c = 0; c < kShownColumns; ++c) {
    need[c] = std::max(HeadingWidth(c),
                       metrics.horizontalAdvance(QString::fromLatin1(kSamples[c])) + kCellPadding);
    total += need[c];
  }
  // The frame and a vertical scroll bar; then the least width at which the
  // rule's columns fit beside them.
  const int extra = 2 * sgridTrips->frameWidth() +
                    sgridTrips->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, sgridTrips);
  int width = total + extra;
  for (int tries = 0; tries < 200; ++tries, width += 4) {
    int widths[kShownColumns];
    RuleWidths(width, need, widths);
    int sum = 0;
    for (const int w : widths) sum += w;
    if (sum <= width - extra) break;
  }
  return QWidget::sizeHint().expandedTo(QSize(width, 0));
}

void TripsPage::ApplyTripColumnWidths() {
  if (!sgridTrips) return;
  int need[kShownColumns];
  for (int c = 0; c < kShownColumns; ++c)
    need[c] = std::max({HeadingWidth(c), c < kWidenedColumns ? contentWidth_[c] : 0, userWidth_[c]});
  int widths[kShownColumns];
  RuleWidths(sgridTrips->width(), need, widths);
  applyingWidths_ = true;
  for (int c = 0; c < kShownColumns; ++c) sgridTrips->setColumnWidth(c, widths[c] > 0 ? widths[c] : 0);
  applyingWidths_ = false;
}

bool TripsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sgridTrips && event->type() == QEvent::Resize) {
    ApplyTripColumnWidths();
  } else if (watched == sgridTrips && event->type() == QEvent::KeyPress) {
    // The menu key, and Shift+F10 where there is none.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Menu ||
        (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
      OpenCoordinateMenuAtCurrentCell();
      return true;
    }
  } else if (sgridTrips && (watched == sgridTrips || watched == sgridTrips->viewport()) &&
             event->type() == QEvent::ContextMenu &&
             static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
    // Some desktops turn the menu key into this event rather than a key press.
    OpenCoordinateMenuAtCurrentCell();
    return true;
  } else if (sgridTrips && watched == sgridTrips->horizontalHeader()->viewport() &&
             event->type() == QEvent::ToolTip) {
    ShowCutHeadingTip(*static_cast<QHelpEvent*>(event));
    return true;
  } else if (sgridTrips && watched == sgridTrips->viewport() &&
             event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint p = mouse->position().toPoint();
    sgridTripsMouseDown(mouse->button(), mouse->modifiers(), p.x(), p.y());
  }
  return QWidget::eventFilter(watched, event);
}

void TripsPage::ShowCutHeadingTip(const QHelpEvent& help) {
  // A heading cut by a narrow column shows whole, as a cut cell does.
  const QHeaderView* header = sgridTrips->horizontalHeader();
  const int column = header->logicalIndexAt(help.pos());
  const QString text =
      column < 0 ? QString() : sgridTrips->model()->headerData(column, Qt::Horizontal).toString();
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  if (text.isEmpty() ||
      header->fontMetrics().horizontalAdvance(text) + 2 * margin <= header->sectionSize(column)) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(help.globalPos(), text, header->viewport(),
                     QRect(header->sectionViewportPosition(column), 0, header->sectionSize(column),
                           header->height()));
}

}  // namespace wr
