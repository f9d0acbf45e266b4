// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A read-only view of the lines exchanged with the unit. It keeps the lines as
// bytes and paints only the rows on screen, so a full history costs little
// more than the bytes themselves.
//
// Each byte is one character (Latin-1). On screen, control bytes (below 0x20,
// 0x7F to 0x9F) and the soft hyphen (0xAD) are painted as a middle dot so
// that every byte keeps its own column; the texts returned and copied carry
// the bytes unchanged.
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

class QMenu;

namespace wr {

class TerminalView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  static constexpr int kDefaultMaxLines = 100000;
  // "13:45:12.345 " before each line while time stamps are shown.
  static constexpr int kStampChars = 13;

  explicit TerminalView(QWidget* parent = nullptr);
  ~TerminalView() override;

  // Adds one line at the end, stamped with the current time; the oldest line
  // goes when the view holds MaxLines() already.
  void AppendLine(std::string_view bytes);
  // The same with a given arrival time, in milliseconds since the epoch.
  void AppendLine(std::string_view bytes, qint64 arrivalMs);

  int LineCount() const { return static_cast<int>(lines_.size()); }
  // Line i (0 is the oldest kept) as shown and copied: its time stamp when
  // those are shown, then its bytes. Empty when i is out of range.
  QString LineText(int i) const;
  // The bytes of line i as they came; empty when i is out of range.
  std::string_view LineBytes(int i) const;
  // Arrival time of line i in milliseconds since the epoch; 0 out of range.
  qint64 LineTime(int i) const;
  // Every line as LineText gives it, joined by '\n', no '\n' after the last.
  QString Text() const;

  void Clear();
  // At least 1. Lowering it drops the oldest lines at once.
  void SetMaxLines(int maxLines);
  int MaxLines() const { return maxLines_; }

  void SetShowTimestamps(bool show);
  bool ShowTimestamps() const { return showStamps_; }

  // True while the view keeps the newest line in sight. The user's own
  // scrolling decides it: away from the end stops it, back to the end resumes.
  // While a selection is dragged the view holds still; a selection left above
  // the end by lines that came meanwhile stops following too.
  bool IsFollowing() const { return following_; }
  // Index of the line in the top row of the view.
  int FirstVisibleLine() const;
  // Rows that fit the view completely.
  int VisibleRows() const;

  bool HasSelection() const;
  QString SelectedText() const;
  void SelectAll();
  void ClearSelection();
  // Puts the selection on the clipboard as plain text; nothing when empty.
  void Copy() const;

  // Where the character at (line, column) of LineText is painted, in viewport
  // coordinates; the column may be the one just past the end of the line.
  QRect CharacterRect(int line, int column) const;

  // Copy and Select All, as the context menu offers them; owned by the caller.
  QMenu* CreateContextMenu(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  struct Line {
    qint64 arrivalMs;
    std::string bytes;
  };
  // A place in the text. The line is counted from the first line ever
  // appended, so a place stays on its line while older lines are dropped.
  struct Place {
    std::int64_t serial = 0;
    int column = 0;
  };

  void DropOldest(int count);
  int StampChars() const { return showStamps_ ? kStampChars : 0; }
  int DisplayLength(int i) const;
  QString Stamp(qint64 arrivalMs) const;
  // Columns [from, to) of line i as painted, control bytes made visible.
  QString PaintedText(int i, int from, int to) const;
  QString Slice(int i, int from, int to) const;

  void UpdateMetrics();
  // The top line's index when the view shows the newest line at the bottom.
  int EndTop() const { return std::max(0, LineCount() - VisibleRows()); }
  // Brings the scroll bars in line with the lines and the view's position.
  void SyncScrollBars();
  void OnScrollBarMoved(int value);
  void ScheduleRefresh(bool repaint);
  void Refresh();

  Place PlaceAt(const QPoint& viewportPos, bool nearestBoundary) const;
  int IndexOf(std::int64_t serial) const;
  Place Normalised(const Place& place) const;
  void SelectionBounds(Place& from, Place& to) const;
  void MoveCursorTo(const QPoint& viewportPos);
  void AutoScrollStep();

  std::deque<Line> lines_;
  std::int64_t firstSerial_ = 0;  // serial of lines_.front()
  int maxLines_ = kDefaultMaxLines;
  int widest_ = 0;  // longest line in bytes since the last Clear
  bool showStamps_ = false;

  // Where the view is: at the end, or with the line of this serial at the top.
  bool following_ = true;
  std::int64_t topSerial_ = 0;
  std::int64_t barBase_ = 0;  // first serial when the scroll bar was last set
  int ownScroll_ = 0;         // > 0 while this class moves the scroll bars itself

  qreal charWidth_ = 8;
  int lineHeight_ = 16;
  int ascent_ = 12;

  Place anchor_;
  Place cursor_;
  bool selecting_ = false;  // left button held after a press in the view
  QPoint lastMousePos_;
  QBasicTimer autoScroll_;

  // Appended lines reach the screen and the scroll bars together, at most
  // once per this many milliseconds.
  static constexpr int kRefreshMs = 15;
  QTimer refresh_;
  bool barsStale_ = false;
  bool repaintDue_ = false;
};

}  // namespace wr
