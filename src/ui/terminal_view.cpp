// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/terminal_view.h"

#include <QDateTime>
#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cmath>

#include "session/unit_text.h"
#include "ui/app_fonts.h"

namespace wr {
namespace {

// Blank pixels left of the first column.
constexpr int kMarginPx = 3;
// Shown in place of a byte that has no visible glyph of its own.
constexpr char16_t kControlGlyph = 0x00B7;

// Control bytes, and the soft hyphen, which text shaping may draw with no
// width at all and so shift the columns after it.
bool IsControl(unsigned char byte) { return byte < 0x20 || (byte >= 0x7F && byte <= 0x9F) || byte == 0xAD; }

}  // namespace

TerminalView::TerminalView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFont(TerminalFont());
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);

  refresh_.setSingleShot(true);
  refresh_.setInterval(kRefreshMs);
  connect(&refresh_, &QTimer::timeout, this, &TerminalView::Refresh);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TerminalView::OnScrollBarMoved);

  UpdateMetrics();
  SyncScrollBars();
}

TerminalView::~TerminalView() = default;

// ------------------------------------------------------------------ lines

void TerminalView::AppendLine(std::string_view bytes) {
  AppendLine(bytes, QDateTime::currentMSecsSinceEpoch());
}

void TerminalView::AppendLine(std::string_view bytes, qint64 arrivalMs) {
  const std::int64_t topBefore = firstSerial_ + FirstVisibleLine();
  lines_.push_back(Line{arrivalMs, std::string(bytes)});
  if (LineCount() > maxLines_) DropOldest(LineCount() - maxLines_);
  widest_ = std::max(widest_, static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX / 4)));

  // The rows on screen change only when the top line moved or the new line
  // is in sight; a view scrolled up keeps its serial and so its lines.
  const int top = FirstVisibleLine();
  ScheduleRefresh(firstSerial_ + top != topBefore || LineCount() - 1 - top <= VisibleRows());
}

void TerminalView::DropOldest(int count) {
  count = std::min(count, LineCount());
  lines_.erase(lines_.begin(), lines_.begin() + count);
  firstSerial_ += count;
}

QString TerminalView::LineText(int i) const {
  if (i < 0 || i >= LineCount()) return QString();
  return Slice(i, 0, DisplayLength(i));
}

std::string_view TerminalView::LineBytes(int i) const {
  if (i < 0 || i >= LineCount()) return {};
  return lines_[size_t(i)].bytes;
}

qint64 TerminalView::LineTime(int i) const {
  if (i < 0 || i >= LineCount()) return 0;
  return lines_[size_t(i)].arrivalMs;
}

QString TerminalView::Text() const {
  qsizetype total = 0;
  for (const Line& line : lines_) total += qsizetype(line.bytes.size()) + StampChars() + 1;
  QString text;
  text.reserve(total);
  for (int i = 0; i < LineCount(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += LineText(i);
  }
  return text;
}

void TerminalView::Clear() {
  lines_.clear();
  widest_ = 0;
  anchor_ = cursor_ = Place{firstSerial_, 0};
  following_ = true;
  SyncScrollBars();
  viewport()->update();
}

void TerminalView::SetMaxLines(int maxLines) {
  maxLines_ = std::max(1, maxLines);
  if (LineCount() <= maxLines_) return;
  DropOldest(LineCount() - maxLines_);
  SyncScrollBars();
  viewport()->update();
}

void TerminalView::SetShowTimestamps(bool show) {
  if (show == showStamps_) return;
  showStamps_ = show;
  // The selection stays on the same characters of each line.
  const int shift = show ? kStampChars : -kStampChars;
  anchor_.column = std::max(0, anchor_.column + shift);
  cursor_.column = std::max(0, cursor_.column + shift);
  SyncScrollBars();
  viewport()->update();
}

int TerminalView::DisplayLength(int i) const {
  return StampChars() + static_cast<int>(lines_[size_t(i)].bytes.size());
}

QString TerminalView::Stamp(qint64 arrivalMs) const {
  return QDateTime::fromMSecsSinceEpoch(arrivalMs).time().toString(QStringLiteral("HH:mm:ss.zzz")) +
         QLatin1Char(' ');
}

QString TerminalView::Slice(int i, int from, int to) const {
  const std::string& bytes = lines_[size_t(i)].bytes;
  const int stamp = StampChars();
  to = std::min(to, DisplayLength(i));
  QString text;
  if (from >= to) return text;
  if (from < stamp) text += Stamp(lines_[size_t(i)].arrivalMs).mid(from, std::min(to, stamp) - from);
  const int first = std::max(from - stamp, 0);
  const int last = to - stamp;
  if (last > first) text += FromRawBytes(std::string_view(bytes).substr(first, last - first));
  return text;
}

QString TerminalView::PaintedText(int i, int from, int to) const {
  QString text = Slice(i, from, to);
  for (QChar& c : text)
    if (c.unicode() < 0x100 && IsControl(static_cast<unsigned char>(c.unicode()))) c = QChar(kControlGlyph);
  return text;
}

// ------------------------------------------------------------------ geometry

void TerminalView::UpdateMetrics() {
  const QFontMetrics metrics(font());
  lineHeight_ = std::max(1, metrics.lineSpacing());
  ascent_ = metrics.ascent();
  // The advance of a long run, so that rounding of one glyph's advance does
  // not add up across a line of many columns.
  constexpr int kProbe = 64;
  charWidth_ = QFontMetricsF(font()).horizontalAdvance(QString(kProbe, QLatin1Char('M'))) / kProbe;
  if (charWidth_ <= 0) charWidth_ = std::max(1, metrics.averageCharWidth());
}

int TerminalView::VisibleRows() const { return std::max(1, viewport()->height() / lineHeight_); }

int TerminalView::FirstVisibleLine() const {
  // While a selection is dragged the view holds still, as when scrolled up.
  if (following_ && !selecting_) return EndTop();
  return static_cast<int>(std::clamp<std::int64_t>(topSerial_ - firstSerial_, 0, EndTop()));
}

void TerminalView::SyncScrollBars() {
  ++ownScroll_;
  const int rows = VisibleRows();
  QScrollBar* vbar = verticalScrollBar();
  vbar->setRange(0, EndTop());
  vbar->setSingleStep(1);
  vbar->setPageStep(rows);
  vbar->setValue(FirstVisibleLine());
  barBase_ = firstSerial_;

  // One column more than the widest line, for the selected line break.
  const double columns = double(widest_) + StampChars() + 1;
  const int content =
      static_cast<int>(std::min(std::ceil(columns * charWidth_) + 2 * kMarginPx, double(INT_MAX / 2)));
  QScrollBar* hbar = horizontalScrollBar();
  hbar->setRange(0, std::max(0, content - viewport()->width()));
  hbar->setSingleStep(std::max(1, int(std::ceil(charWidth_))));
  hbar->setPageStep(std::max(1, viewport()->width()));
  --ownScroll_;
  barsStale_ = false;
  // Fewer lines or a taller view can bring the end into sight: that follows.
  if (!selecting_ && FirstVisibleLine() >= EndTop()) following_ = true;
}

QRect TerminalView::CharacterRect(int line, int column) const {
  const double left = kMarginPx + column * charWidth_ - horizontalScrollBar()->value();
  const int x0 = static_cast<int>(std::ceil(left));
  const int x1 = static_cast<int>(std::ceil(left + charWidth_));
  return QRect(x0, (line - FirstVisibleLine()) * lineHeight_, std::max(1, x1 - x0), lineHeight_);
}

TerminalView::Place TerminalView::PlaceAt(const QPoint& pos, bool nearestBoundary) const {
  if (lines_.empty()) return Place{firstSerial_, 0};
  const int row = static_cast<int>(std::floor(double(pos.y()) / lineHeight_));
  const std::int64_t line = std::int64_t(FirstVisibleLine()) + row;
  if (line < 0) return Place{firstSerial_, 0};
  if (line >= LineCount()) return Place{firstSerial_ + LineCount() - 1, DisplayLength(LineCount() - 1)};
  const double exact = (pos.x() - kMarginPx + horizontalScrollBar()->value()) / charWidth_;
  const double column = nearestBoundary ? std::floor(exact + 0.5) : std::floor(exact);
  const int length = DisplayLength(int(line));
  return Place{firstSerial_ + line, static_cast<int>(std::clamp(column, 0.0, double(length)))};
}

// ------------------------------------------------------------------ scrolling

void TerminalView::OnScrollBarMoved(int value) {
  if (ownScroll_ > 0) return;
  // The user moved the view: away from the end stops following, back at the
  // end follows again. The bar may be up to one refresh behind the lines, so
  // its value counts from the first line it knew of.
  topSerial_ = barBase_ + value;
  following_ = value >= verticalScrollBar()->maximum();
}

void TerminalView::scrollContentsBy(int, int) {
  // Moves made here repaint as they need; the user's own moves show at once.
  if (ownScroll_ == 0) viewport()->update();
}

void TerminalView::ScheduleRefresh(bool repaint) {
  barsStale_ = true;
  repaintDue_ = repaintDue_ || repaint;
  if (!refresh_.isActive()) refresh_.start();
}

void TerminalView::Refresh() {
  if (barsStale_) SyncScrollBars();
  if (repaintDue_) viewport()->update();
  repaintDue_ = false;
}

void TerminalView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  SyncScrollBars();
}

void TerminalView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    UpdateMetrics();
    SyncScrollBars();
    viewport()->update();
  }
}

// ------------------------------------------------------------------ painting

void TerminalView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setFont(font());
  const QPalette& colours = palette();
  const QRect area = event->rect();
  const int xOffset = horizontalScrollBar()->value();
  const int width = viewport()->width();
  const int firstColumn = std::max(0, int(std::floor((xOffset - kMarginPx) / charWidth_)));
  const int endColumn = int(std::ceil((xOffset - kMarginPx + width) / charWidth_)) + 1;
  const auto xOf = [&](int column) { return kMarginPx + column * charWidth_ - xOffset; };

  Place from, to;
  SelectionBounds(from, to);
  const bool selection = from.serial != to.serial || from.column != to.column;

  const int top = FirstVisibleLine();
  const int rows = viewport()->height() / lineHeight_ + 1;
  for (int row = 0; row < rows; ++row) {
    const int i = top + row;
    if (i >= LineCount()) break;
    const int y = row * lineHeight_;
    const QRect rowRect(0, y, width, lineHeight_);
    if (!area.intersects(rowRect)) continue;

    const int length = DisplayLength(i);
    const QString text = PaintedText(i, firstColumn, std::min(endColumn, length));
    const QPointF origin(xOf(firstColumn), y + ascent_);
    painter.setPen(colours.color(QPalette::Text));
    if (!text.isEmpty()) painter.drawText(origin, text);

    const std::int64_t serial = firstSerial_ + i;
    if (!selection || serial < from.serial || serial > to.serial) continue;
    const int begin = serial == from.serial ? from.column : 0;
    // A selection that goes on to the next line includes this line's break.
    const int end = serial == to.serial ? to.column : length + 1;
    if (end <= begin) continue;
    const QRectF band(QPointF(xOf(begin), y), QPointF(xOf(end), y + lineHeight_));
    painter.save();
    painter.setClipRect(band);
    painter.fillRect(band, colours.brush(QPalette::Highlight));
    painter.setPen(colours.color(QPalette::HighlightedText));
    if (!text.isEmpty()) painter.drawText(origin, text);
    painter.restore();
  }
}

}  // namespace wr
