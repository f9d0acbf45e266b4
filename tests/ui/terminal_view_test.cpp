// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/terminal_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using wr::TerminalView;

class TerminalViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.resize(320, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    Clipboard()->clear();
  }

  static QClipboard* Clipboard() { return QGuiApplication::clipboard(); }
  QWidget* Port() const { return view.viewport(); }

  void Fill(int count) {
    for (int i = 0; i < count; ++i) view.AppendLine("line " + std::to_string(next++));
  }
  QString TopLine() const { return view.LineText(view.FirstVisibleLine()); }
  QString BottomLine() const { return view.LineText(view.FirstVisibleLine() + view.VisibleRows() - 1); }

  // On the boundary just before the character, where a click puts the cursor.
  QPoint At(int line, int column) const {
    const QRect cell = view.CharacterRect(line, column);
    return QPoint(cell.left(), cell.center().y());
  }
  void MoveHeld(QPoint to) {
    QMouseEvent move(QEvent::MouseMove, to, Port()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Port(), &move);
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(Port(), Qt::LeftButton, {}, from);
    MoveHeld(to);
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, to);
  }
  void Wheel(int delta) {
    const QPoint pos = Port()->rect().center();
    QWheelEvent wheel(pos, Port()->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Port(), &wheel);
  }
  // Opens the context menu as a right click does and picks the item.
  void ChooseFromMenu(const QString& item) {
    bool chosen = false;
    QTimer::singleShot(0, &view, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      for (QAction* action : menu->actions())
        if (action->text().remove(QLatin1Char('&')) == item && action->isEnabled()) {
          action->trigger();
          chosen = true;
        }
      menu->close();
    });
    const QPoint pos = Port()->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, Port()->mapToGlobal(pos));
    QApplication::sendEvent(Port(), &event);
    EXPECT_TRUE(chosen) << item.toStdString();
  }

  TerminalView view;
  int next = 0;
};

TEST_F(TerminalViewTest, FollowsNewLinesWhileAtTheEndAlsoAfterAResize) {
  Fill(500);
  EXPECT_TRUE(view.IsFollowing());
  EXPECT_EQ(BottomLine(), "line 499");
  Fill(10);
  EXPECT_EQ(BottomLine(), "line 509");
  const int rows = view.VisibleRows();
  view.resize(320, 120);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.VisibleRows() < rows; }));
  EXPECT_EQ(BottomLine(), "line 509");
}

TEST_F(TerminalViewTest, ScrolledUpByAnyMeansStaysOnTheSameLines) {
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"page up", [&] { QTest::keyClick(&view, Qt::Key_PageUp); }},
      {"arrow up", [&] { QTest::keyClick(&view, Qt::Key_Up); }},
      {"wheel", [&] { Wheel(120); }},
      {"scroll bar", [&] { QTest::mouseClick(view.verticalScrollBar(), Qt::LeftButton, {}, QPoint(5, 5)); }},
  };
  for (const auto& [name, scrollUp] : ways) {
    SCOPED_TRACE(name);
    view.Clear();
    Fill(300);
    // As the user sees it: the scroll bar catches up with the lines first.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.verticalScrollBar()->maximum() > 0; }));
    scrollUp();
    ASSERT_FALSE(view.IsFollowing());
    const QString top = TopLine();
    Fill(50);
    EXPECT_EQ(TopLine(), top);
    EXPECT_FALSE(view.IsFollowing());
  }
}

TEST_F(TerminalViewTest, ScrolledUpStaysOnTheSameLinesWhileTheOldestAreDroppedAndFollowsAgainAtTheEnd) {
  view.SetMaxLines(300);
  Fill(300);
  QTest::keyClick(&view, Qt::Key_PageUp);
  QTest::keyClick(&view, Qt::Key_PageUp);
  const QString top = TopLine();
  Fill(100);
  EXPECT_EQ(view.LineCount(), 300);
  EXPECT_EQ(view.LineText(0), "line 100");
  EXPECT_EQ(TopLine(), top);

  QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_TRUE(view.IsFollowing());
  Fill(1);
  EXPECT_EQ(BottomLine(), "line 400");

  // Wheeling back down to the end follows as well.
  Wheel(120);
  ASSERT_FALSE(view.IsFollowing());
  Wheel(-1200);
  EXPECT_TRUE(view.IsFollowing());
  Fill(1);
  EXPECT_EQ(BottomLine(), "line 401");
}

TEST_F(TerminalViewTest, ScrollBarMovedBeforeItCaughtUpActsOnTheLinesItShowed) {
  view.SetMaxLines(300);
  Fill(300);
  QScrollBar* bar = view.verticalScrollBar();
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() == 300 - view.VisibleRows(); }));
  const int shownTop = next - view.VisibleRows();
  Fill(10);
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(TopLine(), QString("line %1").arg(shownTop - view.VisibleRows()));
  EXPECT_FALSE(view.IsFollowing());
}

TEST_F(TerminalViewTest, KeepsAtMostMaxLinesDroppingTheOldest) {
  view.SetMaxLines(5);
  Fill(8);
  EXPECT_EQ(view.LineCount(), 5);
  EXPECT_EQ(view.LineText(0), "line 3");
  view.SetMaxLines(2);
  EXPECT_EQ(view.Text(), "line 6\nline 7");
  view.SetMaxLines(0);
  Fill(1);
  EXPECT_EQ(view.Text(), "line 8");
}

TEST_F(TerminalViewTest, DraggingSelectsCharactersAcrossLinesAndCopyPutsThemOnTheClipboard) {
  view.AppendLine("alpha one");
  view.AppendLine("bravo two");
  view.AppendLine("charlie three");
  Drag(At(0, 6), At(2, 7));
  EXPECT_EQ(view.SelectedText(), "one\nbravo two\ncharlie");
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard()->text(), "one\nbravo two\ncharlie");

  // Upwards, then shift+click moves the far end and keeps the start.
  Drag(At(1, 5), At(0, 2));
  EXPECT_EQ(view.SelectedText(), "pha one\nbravo");
  QTest::mouseClick(Port(), Qt::LeftButton, Qt::ShiftModifier, At(2, 4));
  EXPECT_EQ(view.SelectedText(), " two\nchar");
  ChooseFromMenu(QStringLiteral("Copy"));
  EXPECT_EQ(Clipboard()->text(), " two\nchar");
}

TEST_F(TerminalViewTest, DoubleClickSelectsTheWordUnderThePointer) {
  view.AppendLine("+STATS,12,abc_def");
  QTest::mouseDClick(Port(), Qt::LeftButton, {}, At(0, 12) + QPoint(2, 0));
  EXPECT_EQ(view.SelectedText(), "abc_def");
  QTest::mouseDClick(Port(), Qt::LeftButton, {}, At(0, 6) + QPoint(2, 0));
  EXPECT_EQ(view.SelectedText(), ",");
}

TEST_F(TerminalViewTest, DraggingPastTheBottomScrollsAndExtendsTheSelection) {
  Fill(200);
  QTest::keyClick(&view, Qt::Key_Home);
  ASSERT_EQ(view.FirstVisibleLine(), 0);
  QTest::mousePress(Port(), Qt::LeftButton, {}, At(0, 0));
  const QPoint below(10, Port()->height() + 40);
  MoveHeld(below);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.FirstVisibleLine() >= 20; }));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, below);
  const QStringList selected = view.SelectedText().split(QLatin1Char('\n'));
  EXPECT_EQ(selected.front(), "line 0");
  EXPECT_GE(selected.size(), 20 + view.VisibleRows());
}

TEST_F(TerminalViewTest, NewLinesDoNotMoveTheViewWhileASelectionIsDragged) {
  Fill(200);
  const int top = view.FirstVisibleLine();
  const QString pressed = view.LineText(top + 2);
  QTest::mousePress(Port(), Qt::LeftButton, {}, At(top + 2, 0));
  Fill(5);
  EXPECT_EQ(view.FirstVisibleLine(), top);
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(top + 3, 0));
  EXPECT_EQ(view.SelectedText(), pressed + "\n");
  // The selection stays in sight until the user goes back to the end.
  EXPECT_FALSE(view.IsFollowing());
  Fill(1);
  EXPECT_EQ(view.FirstVisibleLine(), top);
  QTest::keyClick(&view, Qt::Key_End);
  Fill(1);
  EXPECT_EQ(BottomLine(), "line 206");
}

TEST_F(TerminalViewTest, SelectionStaysOnItsLinesWhileOlderOnesAreDropped) {
  view.SetMaxLines(10);
  Fill(10);
  Drag(At(4, 0), At(5, 6));
  ASSERT_EQ(view.SelectedText(), "line 4\nline 5");
  Fill(3);
  EXPECT_EQ(view.SelectedText(), "line 4\nline 5");
  Fill(10);
  EXPECT_FALSE(view.HasSelection());
  EXPECT_EQ(view.SelectedText(), "");
}

TEST_F(TerminalViewTest, SelectAllAndCopyTakeEveryLineFromKeysAndMenu) {
  Fill(3);
  QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard()->text(), "line 0\nline 1\nline 2");

  view.ClearSelection();
  Clipboard()->clear();
  ChooseFromMenu(QStringLiteral("Select All"));
  ChooseFromMenu(QStringLiteral("Copy"));
  EXPECT_EQ(Clipboard()->text(), "line 0\nline 1\nline 2");
}

TEST_F(TerminalViewTest, TimeStampsPrefixTheShownAndCopiedLines) {
  const qint64 at = QDateTime(QDate(2024, 3, 1), QTime(13, 45, 12, 345)).toMSecsSinceEpoch();
  view.AppendLine("AT+STATS", at);
  view.AppendLine("OK", at + 1001);
  EXPECT_EQ(view.Text(), "AT+STATS\nOK");
  view.SetShowTimestamps(true);
  EXPECT_EQ(view.Text(), "13:45:12.345 AT+STATS\n13:45:13.346 OK");

  Drag(At(0, 6), At(1, 15));
  EXPECT_EQ(view.SelectedText(), "12.345 AT+STATS\n13:45:13.346 OK");
  view.SetShowTimestamps(false);
  EXPECT_EQ(view.SelectedText(), "AT+STATS\nOK");

  const qint64 before = QDateTime::currentMSecsSinceEpoch();
  view.AppendLine("+STATS,1");
  EXPECT_GE(view.LineTime(2), before);
  EXPECT_LE(view.LineTime(2), QDateTime::currentMSecsSinceEpoch());
}

TEST_F(TerminalViewTest, ClearEmptiesTheViewDropsTheSelectionAndFollowsAgain) {
  Fill(300);
  QTest::keyClick(&view, Qt::Key_PageUp);
  QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
  view.Clear();
  EXPECT_EQ(view.LineCount(), 0);
  EXPECT_EQ(view.Text(), "");
  EXPECT_TRUE(view.IsFollowing());
  Fill(300);
  EXPECT_FALSE(view.HasSelection());
  EXPECT_EQ(BottomLine(), "line 599");
}

TEST_F(TerminalViewTest, TextIsTheBytesAsLatin1JoinedByNewlinesAndTypingChangesNothing) {
  EXPECT_EQ(view.Text(), "");
  const std::string_view raw("caf\xE9\t1\0!", 8);
  view.AppendLine(raw);
  view.AppendLine("");
  view.AppendLine("->AT+STATS");
  const QString expected = QString::fromLatin1(raw.data(), 8) + QStringLiteral("\n\n->AT+STATS");
  EXPECT_EQ(view.Text(), expected);
  EXPECT_EQ(view.LineBytes(0), raw);
  QTest::keyClicks(&view, QStringLiteral("typed"));
  QTest::keyClick(&view, Qt::Key_Return);
  EXPECT_EQ(view.Text(), expected);
}

TEST_F(TerminalViewTest, LongLinesScrollSidewaysToTheirLastCharacter) {
  std::string line(2000, 'a');
  line.replace(1997, 3, "xyz");
  view.AppendLine(line);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.horizontalScrollBar()->maximum() > 0; }));
  view.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_LE(view.CharacterRect(0, 1999).right(), Port()->width());
  Drag(At(0, 1997), At(0, 2000));
  EXPECT_EQ(view.SelectedText(), "xyz");
}

}  // namespace
