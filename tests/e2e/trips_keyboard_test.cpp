// The Trip Meter from the keyboard, and its grid as the window and the user
// size it, end to end against the simulated unit.
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPushButton>
#include <QToolTip>

#include "e2e/trips_fixture.h"

namespace wr::test {
namespace {

const QString kRoute1 = QStringLiteral(
    "https://maps.google.com/maps?f=d&hl=en&saddr=-26.1071,28.0567&daddr=-26.2041,28.0473");

class TripsKeyboardTest : public TripsTest {
 protected:
  void TearDown() override {
    QToolTip::hideText();
    TripsTest::TearDown();
  }

  // The grid takes the keyboard as after a click into it.
  void FocusGrid() {
    QApplication::setActiveWindow(&Main());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    Grid()->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(WaitFor([&] { return Grid()->hasFocus(); }));
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

  // Asks for the tooltip of a cell as the pointer resting on it does.
  void HoverCell(int row, int column) {
    const QPoint at(Grid()->columnViewportPosition(column) + 4,
                    Grid()->rowViewportPosition(row) + Grid()->rowHeight(row) / 2);
    QHelpEvent event(QEvent::ToolTip, at, Grid()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(Grid()->viewport(), &event);
  }

  void HoverHeading(int column) {
    QWidget* header = Grid()->horizontalHeader()->viewport();
    const QPoint at(Grid()->columnViewportPosition(column) + 4, header->height() / 2);
    QHelpEvent event(QEvent::ToolTip, at, header->mapToGlobal(at));
    QApplication::sendEvent(header, &event);
  }

  // Drags the right edge of a column's heading by dx pixels.
  void DragColumnEdge(int column, int dx) {
    QWidget* header = Grid()->horizontalHeader()->viewport();
    const int y = Grid()->horizontalHeader()->height() / 2;
    const QPoint edge(Grid()->columnViewportPosition(column) + Grid()->columnWidth(column) - 1, y);
    QTest::mousePress(header, Qt::LeftButton, Qt::NoModifier, edge);
    QTest::mouseMove(header, edge + QPoint(dx / 2, 0));
    QTest::mouseMove(header, edge + QPoint(dx, 0));
    QTest::mouseRelease(header, Qt::LeftButton, Qt::NoModifier, edge + QPoint(dx, 0));
  }
};

// Tab goes on to the buttons under the grid and Shift+Tab back to what came
// before it; neither walks the cells.
TEST_F(TripsKeyboardTest, TabAndShiftTabLeaveTheGrid) {
  ShowTrips(ThreeTrips());
  FocusGrid();
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focused(), static_cast<QWidget*>(Trips().btnDeleteAll));
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(Focused(), static_cast<QWidget*>(Grid()));

  Key(Qt::Key_Tab, Qt::ShiftModifier);
  QWidget* before = Focused();
  ASSERT_NE(before, nullptr);
  EXPECT_NE(before, Grid());
  EXPECT_FALSE(Trips().isAncestorOf(before));
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focused(), static_cast<QWidget*>(Grid()));
}

TEST_F(TripsKeyboardTest, MenuKeyAndShiftF10OpenTheMenuOnTheCurrentCell) {
  ShowTrips(ThreeTrips());
  FocusGrid();
  Grid()->setCurrentCell(1, 0);
  // Not a position: no menu, from either key.
  Key(Qt::Key_Menu);
  Key(Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_FALSE(MenuOpen());

  // The arrows reach the start position; the menu opens below that cell.
  for (int i = 0; i < 3; ++i) Key(Qt::Key_Right);
  ASSERT_EQ(Grid()->currentColumn(), 3);
  Key(Qt::Key_Menu);
  ASSERT_TRUE(MenuOpen());
  EXPECT_EQ(Trips().ClickedRow, 1);
  EXPECT_EQ(Trips().ClickedCoordColumn, 7);
  EXPECT_EQ(MenuItems(), QStringList({"Open in Google Maps", "Open Trip in Google Maps",
                                      "Name Coordinate", "Delete Name"}));
  const QRect cell = Grid()->visualRect(Grid()->currentIndex());
  EXPECT_EQ(Trips().pmenuCoordinate->pos(),
            Grid()->viewport()->mapToGlobal(QPoint(cell.left(), cell.bottom() + 1)));
  PickWithKeys(1);
  EXPECT_EQ(Shell().addresses, std::vector<QString>{kRoute1});

  // Shift+F10 on the next trip's end; the name given there shows at once.
  Key(Qt::Key_Down);
  Key(Qt::Key_Right);
  Key(Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_TRUE(MenuOpen());
  EXPECT_EQ(Trips().ClickedRow, 2);
  EXPECT_EQ(Trips().ClickedCoordColumn, 8);
  Prompts().inputs = {QStringLiteral("Home")};
  PickWithKeys(2);
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Name Coordinate"));
  EXPECT_EQ(Cell(2, 4), QStringLiteral("Home"));
  EXPECT_EQ(Cell(1, 3), QStringLiteral("Home"));

  // Now a name: the menu offers renaming; Escape closes it and changes nothing.
  Key(Qt::Key_Menu);
  ASSERT_TRUE(MenuOpen());
  EXPECT_EQ(MenuItems(), QStringList({"Open in Google Maps", "Open Trip in Google Maps",
                                      "Rename Coordinate", "Delete Name"}));
  QTest::keyClick(Trips().pmenuCoordinate, Qt::Key_Escape);
  EXPECT_TRUE(WaitFor([&] { return !MenuOpen(); }));
  EXPECT_EQ(Grid()->currentRow(), 2);

  // Desktops that send the menu key as a context-menu request get the same.
  Key(Qt::Key_Left);
  QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(0, 0), Grid()->mapToGlobal(QPoint(0, 0)),
                            Qt::NoModifier);
  QApplication::sendEvent(Grid(), &request);
  ASSERT_TRUE(MenuOpen());
  EXPECT_EQ(Trips().ClickedRow, 2);
  EXPECT_EQ(Trips().ClickedCoordColumn, 7);
}

// The route goes from the start to the end whatever the cells show, and the
// unit's texts cannot reshape its address.
TEST_F(TripsKeyboardTest, TheRouteIsOpenedFromEitherEndAndShownToCopyWithoutABrowser) {
  ShowTrips(ThreeTrips());
  Prompts().inputs = {QStringLiteral("Home")};
  Choose(1, 3, Trips().btnNameCoordinate);
  Choose(1, 4, Trips().OpenTripInMap);
  Choose(1, 3, Trips().OpenTripInMap);
  EXPECT_EQ(Shell().addresses, std::vector<QString>({kRoute1, kRoute1}));

  InjectAndSettle({"+TRIPS,3,d,s,e,1&daddr=x,2,3#,4,5,6"});
  Shell().canOpen = false;
  Choose(4, 4, Trips().OpenTripInMap);
  const QString address = Shell().addresses.back();
  EXPECT_EQ(address, QStringLiteral("https://maps.google.com/maps?f=d&hl=en&saddr="
                                    "1%26%64%61%64%64%72%3D%78,2&daddr=3%23,4"));
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{QStringLiteral("No web browser could be started to show the trip. "
                                                "Open this address in a browser:\n") +
                                 address});
}

TEST_F(TripsKeyboardTest, TheGridGrowsWithTheWindowAndTheRuleWidensItsColumns) {
  ShowTrips(ThreeTrips());
  const QSize before = Grid()->size();
  Main().setFixedSize(Main().width() + 400, Main().height() + 200);
  ASSERT_TRUE(WaitFor([&] { return Grid()->width() >= before.width() + 400; }));
  EXPECT_GE(Grid()->height(), before.height() + 200);
  // The grid still fills its page above the buttons.
  EXPECT_EQ(Grid()->width(), Trips().width());
  EXPECT_EQ(Grid()->height() + Trips().Panel2->height(), Trips().height());
  const int w = Grid()->width();
  EXPECT_EQ(Grid()->columnWidth(3), static_cast<int>(w * 2.0 / 9.0));
  EXPECT_EQ(Grid()->columnWidth(5), w / 8);
  EXPECT_EQ(Trips().btnGetTrips->geometry().right(), Trips().Panel2->width() - 7);
}

// A width the user drags stays when trips arrive and when the grid narrows;
// the rule gives the other columns theirs, and this one more when it allows.
TEST_F(TripsKeyboardTest, ADraggedColumnKeepsItsWidth) {
  ShowTrips(ThreeTrips());
  Grid()->resize(511, Grid()->height());
  ASSERT_EQ(Grid()->columnWidth(3), 113);
  DragColumnEdge(3, 90);
  const int dragged = Grid()->columnWidth(3);
  EXPECT_GE(dragged, 190);
  EXPECT_EQ(Grid()->columnWidth(4), 113);

  ShowTrips(ThreeTrips());
  InjectAndSettle({"+TRIPS,3,18/03/26,07:45:10,08:02:30,1,2,3,4,5,6"});
  EXPECT_EQ(Grid()->columnWidth(3), dragged);
  Grid()->resize(600, Grid()->height());
  EXPECT_EQ(Grid()->columnWidth(3), dragged);
  EXPECT_EQ(Grid()->columnWidth(4), static_cast<int>(600 * 2.0 / 9.0));
  Grid()->resize(1200, Grid()->height());
  EXPECT_EQ(Grid()->columnWidth(3), static_cast<int>(1200 * 2.0 / 9.0));
  Grid()->resize(511, Grid()->height());
  EXPECT_EQ(Grid()->columnWidth(3), dragged);

  // Dragged narrower, a column is back at the rule's width at the next resize.
  DragColumnEdge(3, -(dragged - 60));
  EXPECT_LT(Grid()->columnWidth(3), 113);
  Grid()->resize(512, Grid()->height());
  EXPECT_EQ(Grid()->columnWidth(3), static_cast<int>(512 * 2.0 / 9.0));
}

TEST_F(TripsKeyboardTest, ACutCellShowsItsWholeTextAsATooltipOnlyWhileCut) {
  ShowTrips(ThreeTrips());
  Grid()->resize(511, Grid()->height());
  const QString name = QStringLiteral("Loading bay of the northern depot");
  Prompts().inputs = {name};
  Choose(1, 3, Trips().btnNameCoordinate);
  ASSERT_EQ(Cell(1, 3), name);

  HoverCell(1, 5);  // "87 Km/h" fits
  EXPECT_FALSE(QToolTip::isVisible());
  HoverCell(1, 3);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), name);

  // Widened until the name fits, the cell has no tooltip.
  Grid()->setColumnWidth(3, QFontMetrics(Grid()->font()).horizontalAdvance(name) + 20);
  HoverCell(1, 3);
  EXPECT_TRUE(WaitFor([] { return !QToolTip::isVisible(); }));

  // Headings too: whole ones have none, a cut one shows whole.
  HoverHeading(0);
  EXPECT_FALSE(QToolTip::isVisible());
  Grid()->setColumnWidth(5, 20);
  HoverHeading(5);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Max Speed"));
}

}  // namespace
}  // namespace wr::test
