// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Trip Meter from the keyboard, and its grid as the window and the user
// size it, end to end against the simulated unit.
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPushButton>
#include <QToolTip>

#include "e2e/trips_fixture.h"
#include "ui/layout_check.h"

namespace wr::test {
namespace {

class TripsKeyboardTest : public TripsTest {
 protected:
  void TearDown() override {
    QToolTip::hideText();
    TripsTest::TearDown();
  }
  static QWidget* Focused() { return QApplication::focusWidget(); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Focused(), key, modifiers);
  }
  // Picks the n-th visible item of the open menu with the arrow keys.
  void PickWithKeys(int n) {
    QMenu* menu = Trips().pmenuCoordinate;
    ASSERT_TRUE(menu->isVisible());
    for (int i = 0; i <= n; ++i) QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    ASSERT_TRUE(WaitFor([menu] { return !menu->isVisible(); }));
  }
  // The pointer rests at x in a column of the grid (row >= 0) or of its header.
  void Hover(int row, int column) {
    QWidget* over = row < 0 ? Grid()->horizontalHeader()->viewport() : Grid()->viewport();
    const QPoint at(Grid()->columnViewportPosition(column) + 4,
                    row < 0 ? over->height() / 2 : Grid()->rowViewportPosition(row) + 8);
    QHelpEvent event(QEvent::ToolTip, at, over->mapToGlobal(at));
    QApplication::sendEvent(over, &event);
  }
  // Drags the right edge of a column's heading by dx pixels.
  void DragColumnEdge(int column, int dx) {
    QWidget* header = Grid()->horizontalHeader()->viewport();
    const QPoint edge(Grid()->columnViewportPosition(column) + Grid()->columnWidth(column) - 1,
                      header->height() / 2);
    QTest::mousePress(header, Qt::LeftButton, Qt::NoModifier, edge);
    QTest::mouseMove(header, edge + QPoint(dx / 2, 0));
    QTest::mouseMove(header, edge + QPoint(dx, 0));
    QTest::mouseRelease(header, Qt::LeftButton, Qt::NoModifier, edge + QPoint(dx, 0));
  }
};

TEST_F(TripsKeyboardTest, TabLeavesTheGridAndTheMenuKeysOpenTheMenuOnTheCurrentCell) {
  ShowTrips(ThreeTrips());
  QApplication::setActiveWindow(&Main());
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  Grid()->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(WaitFor([&] { return Grid()->hasFocus(); }));
  QWidget* grid = Grid();

  // Tab goes on to the buttons, Shift+Tab back before the grid; neither walks the cells.
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focused(), static_cast<QWidget*>(Trips().btnDeleteAll));
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_EQ(Focused(), grid);
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_FALSE(Trips().isAncestorOf(Focused()));
  Key(Qt::Key_Tab);
  ASSERT_EQ(Focused(), grid);

  // Not a position: no menu from either key.
  Grid()->setCurrentCell(1, 0);
  Key(Qt::Key_Menu);
  Key(Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_FALSE(MenuOpen());

  // On the start position the menu opens below the cell; the route goes from start to end.
  for (int i = 0; i < 3; ++i) Key(Qt::Key_Right);
  Key(Qt::Key_Menu);
  ASSERT_TRUE(MenuOpen());
  EXPECT_EQ(Trips().ClickedRow, 1);
  EXPECT_EQ(Trips().ClickedCoordColumn, 7);
  EXPECT_EQ(MenuItems(), QStringList({"Open in Google Maps", "Open Trip in Google Maps",
                                      "Name Coordinate", "Delete Name"}));
  const QRect cell = Grid()->visualRect(Grid()->currentIndex());
  EXPECT_EQ(Trips().pmenuCoordinate->pos(),
            Grid()->viewport()->mapToGlobal(QPoint(cell.left(), cell.bottom() + 1)));
  Shell().canOpen = false;
  PickWithKeys(1);
  const QString route = QStringLiteral(
      "https://maps.google.com/maps?f=d&hl=en&saddr=-26.1071,28.0567&daddr=-26.2041,28.0473");
  EXPECT_EQ(Shell().addresses, std::vector<QString>{route});
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{QStringLiteral("No web browser could be started to show the trip. "
                                                "Open this address in a browser:\n") +
                                 route});

  // Shift+F10 on the next trip's end; the name given there shows at once.
  Key(Qt::Key_Down);
  Key(Qt::Key_Right);
  Key(Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(Trips().ClickedRow, 2);
  EXPECT_EQ(Trips().ClickedCoordColumn, 8);
  Prompts().inputs = {QStringLiteral("Home")};
  PickWithKeys(2);
  EXPECT_EQ(Cell(2, 4), QStringLiteral("Home"));

  // A context-menu request from the keyboard (how some desktops send the
  // menu key) acts on the current cell too; a name offers renaming.
  QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QPoint(), Qt::NoModifier);
  QApplication::sendEvent(Grid(), &request);
  ASSERT_TRUE(MenuOpen());
  EXPECT_EQ(MenuItems(), QStringList({"Open in Google Maps", "Open Trip in Google Maps",
                                      "Rename Coordinate", "Delete Name"}));
  QTest::keyClick(Trips().pmenuCoordinate, Qt::Key_Escape);
  EXPECT_TRUE(WaitFor([&] { return !MenuOpen() && Focused() == grid; }));
}

// The grid fills its page as the window grows. A width the user drags is
// the column's least width from then on; the rule gives the others theirs.
TEST_F(TripsKeyboardTest, TheGridGrowsWithTheWindowAndADraggedColumnKeepsItsWidth) {
  ShowTrips(ThreeTrips());
  const QSize before = Grid()->size();
  Main().setFixedSize(Main().width() + 400, Main().height() + 200);
  ASSERT_TRUE(WaitFor([&] { return Grid()->width() >= before.width() + 400; }));
  EXPECT_GE(Grid()->height(), before.height() + 200);
  EXPECT_EQ(Grid()->height() + Trips().Panel2->height(), Trips().height());
  EXPECT_EQ(Grid()->columnWidth(3), static_cast<int>(Grid()->width() * 2.0 / 9.0));

  Grid()->resize(511, Grid()->height());
  DragColumnEdge(3, 90);
  const int dragged = Grid()->columnWidth(3);
  EXPECT_GE(dragged, 190);
  ShowTrips(ThreeTrips());
  Grid()->resize(600, Grid()->height());
  EXPECT_EQ(Grid()->columnWidth(3), dragged);
  EXPECT_EQ(Grid()->columnWidth(4), static_cast<int>(600 * 2.0 / 9.0));
  Grid()->resize(1200, Grid()->height());
  EXPECT_EQ(Grid()->columnWidth(3), static_cast<int>(1200 * 2.0 / 9.0));
  // Dragged back narrower, the rule's width (or what the text needs, when
  // more) returns at the next resize.
  DragColumnEdge(3, 60 - Grid()->columnWidth(3));
  EXPECT_LT(Grid()->columnWidth(3), 113);
  Grid()->resize(511, Grid()->height());
  EXPECT_GE(Grid()->columnWidth(3), 113);
  EXPECT_EQ(CutControls(*Grid()), QStringList());
}

TEST_F(TripsKeyboardTest, ACutCellOrHeadingShowsItsWholeTextAsATooltipOnlyWhileCut) {
  ShowTrips(ThreeTrips());
  Grid()->resize(511, Grid()->height());
  const QString name = QStringLiteral("Loading bay of the northern depot");
  Prompts().inputs = {name};
  Choose(1, 3, Trips().btnNameCoordinate);

  Hover(1, 5);  // "87 Km/h" fits
  EXPECT_FALSE(QToolTip::isVisible());
  Hover(1, 3);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), name);
  Grid()->setColumnWidth(3, QFontMetrics(Grid()->font()).horizontalAdvance(name) + 20);
  Hover(1, 3);
  EXPECT_TRUE(WaitFor([] { return !QToolTip::isVisible(); }));

  Hover(-1, 0);  // "Date" fits
  EXPECT_FALSE(QToolTip::isVisible());
  Grid()->setColumnWidth(5, 20);
  Hover(-1, 5);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Max Speed"));
}

}  // namespace
}  // namespace wr::test
