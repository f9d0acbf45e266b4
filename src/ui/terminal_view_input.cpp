// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The terminal view's selection and its keyboard and mouse: selecting,
// copying, the context menu, scrolling by key and wheel, dragging.
#include "ui/terminal_view.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <memory>

namespace wr {
namespace {

// While a selection is dragged past an edge, the view moves this often.
constexpr int kAutoScrollMs = 50;

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

}  // namespace

// ------------------------------------------------------------------ selection

int TerminalView::IndexOf(std::int64_t serial) const { return static_cast<int>(serial - firstSerial_); }

TerminalView::Place TerminalView::Normalised(const Place& place) const {
  if (lines_.empty() || place.serial < firstSerial_) return Place{firstSerial_, 0};
  const std::int64_t last = firstSerial_ + LineCount() - 1;
  if (place.serial > last) return Place{last, DisplayLength(LineCount() - 1)};
  return Place{place.serial, std::clamp(place.column, 0, DisplayLength(IndexOf(place.serial)))};
}

void TerminalView::SelectionBounds(Place& from, Place& to) const {
  from = Normalised(anchor_);
  to = Normalised(cursor_);
  if (to.serial < from.serial || (to.serial == from.serial && to.column < from.column)) std::swap(from, to);
}

bool TerminalView::HasSelection() const {
  Place from, to;
  SelectionBounds(from, to);
  return from.serial != to.serial || from.column != to.column;
}

QString TerminalView::SelectedText() const {
  Place from, to;
  SelectionBounds(from, to);
  QString text;
  if (from.serial == to.serial && from.column == to.column) return text;
  for (std::int64_t serial = from.serial; serial <= to.serial; ++serial) {
    const int i = IndexOf(serial);
    const int begin = serial == from.serial ? from.column : 0;
    const int end = serial == to.serial ? to.column : DisplayLength(i);
    text += Slice(i, begin, end);
    if (serial != to.serial) text += QLatin1Char('\n');
  }
  return text;
}

void TerminalView::SelectAll() {
  if (lines_.empty()) return;
  anchor_ = Place{firstSerial_, 0};
  cursor_ = Place{firstSerial_ + LineCount() - 1, DisplayLength(LineCount() - 1)};
  viewport()->update();
}

void TerminalView::ClearSelection() {
  anchor_ = cursor_ = Place{firstSerial_ + LineCount(), 0};
  viewport()->update();
}

void TerminalView::Copy() const {
  const QString text = SelectedText();
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

QMenu* TerminalView::CreateContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  QAction* copy = menu->addAction(tr("&Copy"), this, &TerminalView::Copy);
  copy->setShortcut(QKeySequence::Copy);
  copy->setEnabled(HasSelection());
  QAction* all = menu->addAction(tr("Select &All"), this, &TerminalView::SelectAll);
  all->setShortcut(QKeySequence::SelectAll);
  all->setEnabled(!lines_.empty());
  return menu;
}

// ------------------------------------------------------------------ input

void TerminalView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    Copy();
    return;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    SelectAll();
    return;
  }
  // Keys and the wheel act on the lines as they are now; a press on the bar
  // itself acts on the bar as it was painted.
  if (barsStale_) SyncScrollBars();
  QScrollBar* vbar = verticalScrollBar();
  QScrollBar* hbar = horizontalScrollBar();
  switch (event->key()) {
    case Qt::Key_Up:
      vbar->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case Qt::Key_Down:
      vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    case Qt::Key_PageUp:
      vbar->triggerAction(QAbstractSlider::SliderPageStepSub);
      break;
    case Qt::Key_PageDown:
      vbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      break;
    case Qt::Key_Left:
      hbar->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case Qt::Key_Right:
      hbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    // With or without Ctrl: the oldest line, or the newest (following again).
    case Qt::Key_Home:
      vbar->triggerAction(QAbstractSlider::SliderToMinimum);
      hbar->triggerAction(QAbstractSlider::SliderToMinimum);
      break;
    case Qt::Key_End:
      vbar->triggerAction(QAbstractSlider::SliderToMaximum);
      hbar->triggerAction(QAbstractSlider::SliderToMinimum);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TerminalView::wheelEvent(QWheelEvent* event) {
  if (barsStale_) SyncScrollBars();
  QAbstractScrollArea::wheelEvent(event);
}

void TerminalView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  const QPoint pos = event->position().toPoint();
  const Place place = PlaceAt(pos, true);
  if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = place;
  cursor_ = place;
  topSerial_ = firstSerial_ + FirstVisibleLine();
  selecting_ = true;
  lastMousePos_ = pos;
  viewport()->update();
  event->accept();
}

void TerminalView::mouseMoveEvent(QMouseEvent* event) {
  if (!selecting_ || !(event->buttons() & Qt::LeftButton)) {
    QAbstractScrollArea::mouseMoveEvent(event);
    return;
  }
  lastMousePos_ = event->position().toPoint();
  MoveCursorTo(lastMousePos_);
  if (viewport()->rect().contains(lastMousePos_))
    autoScroll_.stop();
  else if (!autoScroll_.isActive())
    autoScroll_.start(kAutoScrollMs, this);
  event->accept();
}

void TerminalView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  autoScroll_.stop();
  if (!selecting_) {
    event->accept();
    return;
  }
  MoveCursorTo(event->position().toPoint());
  const bool atEnd = FirstVisibleLine() >= EndTop();
  selecting_ = false;
  if (HasSelection()) {
    // Lines that came during the drag leave the view above the end; it stays
    // there so that the selection stays in sight. A plain click changes nothing.
    if (!atEnd) following_ = false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Where the platform has a selection clipboard, the selection goes there.
    if (clipboard->supportsSelection()) clipboard->setText(SelectedText(), QClipboard::Selection);
  }
  ScheduleRefresh(true);
  event->accept();
}

void TerminalView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || lines_.empty()) {
    QAbstractScrollArea::mouseDoubleClickEvent(event);
    return;
  }
  // The word under the pointer: letters, digits and underscores, or the one
  // character there when it is none of those.
  const Place place = PlaceAt(event->position().toPoint(), false);
  const int i = IndexOf(place.serial);
  const QString text = LineText(i);
  int begin = std::min<int>(place.column, int(text.size()));
  int end = std::min<int>(begin + 1, int(text.size()));
  if (begin < text.size() && IsWordChar(text[begin])) {
    while (begin > 0 && IsWordChar(text[begin - 1])) --begin;
    while (end < text.size() && IsWordChar(text[end])) ++end;
  }
  anchor_ = Place{place.serial, begin};
  cursor_ = Place{place.serial, end};
  selecting_ = false;
  viewport()->update();
  event->accept();
}

void TerminalView::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(CreateContextMenu(this));
  menu->exec(event->globalPos());
}

void TerminalView::MoveCursorTo(const QPoint& pos) {
  const Place place = PlaceAt(pos, true);
  if (place.serial == cursor_.serial && place.column == cursor_.column) return;
  cursor_ = place;
  viewport()->update();
}

void TerminalView::timerEvent(QTimerEvent* event) {
  if (event->timerId() != autoScroll_.timerId()) {
    QAbstractScrollArea::timerEvent(event);
    return;
  }
  if (!selecting_) {
    autoScroll_.stop();
    return;
  }
  AutoScrollStep();
}

void TerminalView::AutoScrollStep() {
  // Faster the further the pointer is past the edge.
  if (barsStale_) SyncScrollBars();
  const QRect area = viewport()->rect();
  const QPoint pos = lastMousePos_;
  QScrollBar* vbar = verticalScrollBar();
  QScrollBar* hbar = horizontalScrollBar();
  if (pos.y() < area.top())
    vbar->setValue(vbar->value() - 1 - (area.top() - pos.y()) / lineHeight_);
  else if (pos.y() > area.bottom())
    vbar->setValue(vbar->value() + 1 + (pos.y() - area.bottom()) / lineHeight_);
  if (pos.x() < area.left())
    hbar->setValue(hbar->value() - hbar->singleStep() * (1 + (area.left() - pos.x()) / hbar->singleStep()));
  else if (pos.x() > area.right())
    hbar->setValue(hbar->value() + hbar->singleStep() * (1 + (pos.x() - area.right()) / hbar->singleStep()));
  MoveCursorTo(pos);
}

}  // namespace wr
