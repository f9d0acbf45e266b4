// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The trip grid, place names, the coordinate menu and the export, end to end
// against the simulated unit.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QUrl>

#include <cstdlib>
#include <map>
#include <set>

#include "e2e/trips_fixture.h"
#include "ui/layout_check.h"
#include "ui/spreadsheet_automation.h"
#include "ui/spreadsheet_export.h"
#include "ui/xlsx_automation.h"

namespace wr::test {
namespace {

TEST_F(TripsTest, TripLinesFillRowsInIndexOrderBelowTheHeadings) {
  const QStringList headings = Row(0);
  ShowTrips(ThreeTrips());
  EXPECT_EQ(Grid()->rowCount(), 4);
  EXPECT_EQ(Row(0), headings);
  EXPECT_EQ(headings.mid(0, 7), QStringList({"Date", "Start", "End", "Start coordinates",
                                             "End coordinates", "Max Speed", "Distance"}));
  // Speed before distance, each with its unit; raw coordinates in the hidden columns.
  EXPECT_EQ(Row(1), QStringList({"2024/03/01", "08:15", "08:47", "-26.1071,28.0567",
                                 "-26.2041,28.0473", "87 Km/h", "12.3 Km", "-26.1071,28.0567",
                                 "-26.2041,28.0473"}));
  EXPECT_EQ(Cell(3, 0), QStringLiteral("2024/03/03"));
  EXPECT_TRUE(Grid()->isColumnHidden(7));
  EXPECT_TRUE(Grid()->isColumnHidden(8));
}

TEST_F(TripsTest, TheLatestIndexSetsTheRowCountAndBadIndexesChangeNothing) {
  InjectAndSettle({"+TRIPS,2,d2,s,e,1,2,3,4,5,6", "+TRIPS,0,d0,s,e,1,2,3,4,5,6"});
  EXPECT_EQ(Grid()->rowCount(), 2);
  EXPECT_EQ(Cell(1, 0), QStringLiteral("d0"));

  const QStringList heading = Row(0), first = Row(1);
  InjectAndSettle({"+TRIPS,-1,neg,s,e,1,2,3,4,5,6", "+TRIPS,5-3,bad,s,e,1,2,3,4,5,6",
                   "+TRIPS,999999999,huge,s,e,1,2,3,4,5,6"});
  EXPECT_EQ(Grid()->rowCount(), 2);
  EXPECT_EQ(Row(0), heading);
  EXPECT_EQ(Row(1), first);

  // An empty index is trip 0; missing fields leave empty texts and bare units.
  InjectAndSettle({"+TRIPS,,short"});
  EXPECT_EQ(Row(1), QStringList({"short", "", "", ",", ",", " Km/h", " Km", ",", ","}));
}

TEST_F(TripsTest, ShowTripsOnAnEmptyLogLeavesNoTripTheUnitNoLongerReports) {
  InjectAndSettle({"+TRIPS,0,d0,s,e,1,2,3,4,5,6"});
  ASSERT_EQ(Cell(1, 0), QStringLiteral("d0"));
  const size_t before = ReceivedCountOf("AT+TRIPS");
  Unit().SetTrips({});
  Click(QStringLiteral("btnGetTrips"));
  ASSERT_TRUE(WaitFor([&] { return ReceivedCountOf("AT+TRIPS") > before; }));
  InjectAndSettle({});
  EXPECT_EQ(Grid()->rowCount(), 2);
  EXPECT_EQ(Row(1), QStringList(QVector<QString>(9)));
}

// The headings stay in view over a long list, and no heading or text is
// cut: the columns grow with what they show, at the window's first size too.
TEST_F(TripsTest, HeadingsStayInViewAndEveryHeadingAndTextIsReadableWhole) {
  std::vector<SimTrip> trips(60, ThreeTrips()[0]);
  for (SimTrip& t : trips) {
    t.date = "18/03/26";
    t.startTime = "07:45:10";
    t.endTime = "08:02:30";
  }
  Main().pageControl->setCurrentWidget(&Trips());
  ShowTrips(trips);
  ASSERT_EQ(Grid()->rowCount(), 61);
  // At the size the window first opens with, nothing needs scrolling sideways.
  Main().resize(Main().sizeHint());
  QApplication::processEvents();
  EXPECT_EQ(CutControls(Main()), QStringList());
  int columns = 0;
  for (int c = 0; c < 7; ++c) columns += Grid()->columnWidth(c);
  EXPECT_FALSE(Grid()->horizontalScrollBar()->isVisible())
      << "the first size leaves texts out of view: window " << Main().width() << ", grid "
      << Grid()->viewport()->width() << ", columns " << columns;
  Grid()->scrollToBottom();
  QApplication::processEvents();
  EXPECT_GT(Grid()->verticalScrollBar()->value(), 0);
  EXPECT_TRUE(Grid()->horizontalHeader()->isVisible());
  EXPECT_TRUE(Grid()->isRowHidden(0));
  for (int c = 0; c < 7; ++c)
    EXPECT_EQ(Grid()->model()->headerData(c, Qt::Horizontal).toString(), Cell(0, c));
  EXPECT_EQ(CutControls(Main()), QStringList());
  // Narrowed, the columns keep what their texts need (the grid scrolls).
  Grid()->resize(300, Grid()->height());
  EXPECT_EQ(CutControls(*Grid()), QStringList());
  // Without trips the headings alone set the least widths.
  Unit().SetTrips({});
  Click(QStringLiteral("btnGetTrips"));
  InjectAndSettle({});
  Grid()->resize(900, Grid()->height());
  EXPECT_EQ(Grid()->columnWidth(0), 90);
  EXPECT_EQ(CutControls(*Grid()), QStringList());
}

// Asked before anything is sent: No leaves unit and grid as they were. The
// question counts the trips shown when they are the unit's whole list now;
// otherwise it says the count is not known, and the unit is asked for its
// list only for an export the user chose.
TEST_F(TripsTest, DeleteAllAsksBeforeSendingAndFetchesOnlyForAWantedExport) {
  Unit().SetTrips(ThreeTrips());
  Grid()->setRowCount(4);
  size_t mark = Received().size();
  Click(QStringLiteral("btnDeleteAll"));  // answered No
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Delete All"));
  EXPECT_EQ(Prompts().shown[0].text,
            QStringLiteral("Are you sure you want to delete all trips?\n\nHow many trips the unit "
                           "holds is not known: they have not been listed since it was connected."));
  for (const std::string& line : SentSince(mark)) EXPECT_EQ(line, "AT+STATS");
  EXPECT_EQ(Grid()->rowCount(), 4);
  EXPECT_EQ(Unit().Trips().size(), 3u);

  // Listed with Show Trips: counted, and deleted without asking the unit again.
  Click(QStringLiteral("btnGetTrips"));
  ASSERT_TRUE(WaitFor([&] { return Trips().TripsCurrent(); }));
  EXPECT_EQ(Grid()->rowCount(), 4);
  Prompts().shown.clear();
  Prompts().yesNo = {true, false};
  mark = Received().size();
  Click(QStringLiteral("btnDeleteAll"));
  ASSERT_EQ(Prompts().shown.size(), 2u);
  EXPECT_EQ(Prompts().shown[0].text,
            QStringLiteral("Are you sure you want to delete all trips?\n\n"
                           "All 3 trips of the unit will be deleted."));
  EXPECT_EQ(Prompts().shown[1].text, QStringLiteral("Export the 3 trips before deleting them?"));
  EXPECT_EQ(Grid()->rowCount(), 2);
  EXPECT_EQ(Row(1), QStringList(QVector<QString>(9)));
  ASSERT_TRUE(WaitFor([&] { return Unit().Trips().empty(); }));
  std::vector<std::string> sent;
  for (const std::string& line : ReceivedSince(mark))
    if (line != "AT+STATS") sent.push_back(line);
  EXPECT_EQ(sent, std::vector<std::string>({"AT+DELETE_ALL_TRIPS", "AT+TRIPS"}));

  // Not current, export wanted: only then is the list fetched; with nothing
  // in it there is nothing to save, and the delete goes ahead.
  Prompts().shown.clear();
  Prompts().yesNo = {true, true};
  mark = Received().size();
  Click(QStringLiteral("btnDeleteAll"));
  ASSERT_EQ(Prompts().shown.size(), 2u);
  EXPECT_EQ(Prompts().shown[1].text, QStringLiteral("Export the unit's trips before deleting them?"));
  ASSERT_TRUE(WaitFor([&] { return ReceivedCountOf("AT+DELETE_ALL_TRIPS") == 2; }));
  sent.clear();
  for (const std::string& line : ReceivedSince(mark))
    if (line != "AT+STATS") sent.push_back(line);
  EXPECT_EQ(sent, std::vector<std::string>({"AT+TRIPS", "AT+DELETE_ALL_TRIPS", "AT+TRIPS"}));
}

TEST_F(TripsTest, ColumnWidthsFollowTheGridWidthAboveWhatTheHeadingsNeed) {
  Grid()->resize(900, Grid()->height());
  EXPECT_EQ(Grid()->columnWidth(0), 90);
  EXPECT_EQ(Grid()->columnWidth(3), 200);
  EXPECT_EQ(Grid()->columnWidth(4), 200);
  EXPECT_EQ(Grid()->columnWidth(7), 0);
  Grid()->resize(300, Grid()->height());
  for (int c = 0; c < 7; ++c)
    EXPECT_GE(Grid()->columnWidth(c), Grid()->horizontalHeader()->sectionSizeHint(c)) << c;
}

TEST_F(TripsTest, RightClickOnAPositionOpensTheMenuThatFitsTheCell) {
  // Rows 1 and 2 exist but stay empty.
  InjectAndSettle({"+TRIPS,2,d2,s,e,-26.1071,28.0567,-26.2041,28.0473,5,6"});
  PressCell(3, 3, Qt::RightButton);
  ASSERT_TRUE(MenuOpen());
  EXPECT_EQ(MenuItems(), QStringList({"Open in Google Maps", "Open Trip in Google Maps",
                                      "Name Coordinate", "Delete Name"}));
  EXPECT_EQ(Trips().ClickedRow, 3);
  EXPECT_EQ(Trips().ClickedCoordColumn, 7);
  PressCell(3, 4, Qt::RightButton);
  EXPECT_TRUE(MenuOpen());
  EXPECT_EQ(Trips().ClickedCoordColumn, 8);

  // None on the heading row, an empty row, another column, or with the left button.
  for (const auto& [row, column, button] :
       std::vector<std::tuple<int, int, Qt::MouseButton>>{{0, 3, Qt::RightButton},
                                                          {1, 4, Qt::RightButton},
                                                          {3, 0, Qt::RightButton},
                                                          {3, 5, Qt::RightButton},
                                                          {3, 3, Qt::LeftButton}}) {
    PressCell(row, column, button);
    EXPECT_FALSE(MenuOpen()) << row << "," << column;
  }
  // The remembered cell is only changed by a click that opened the menu.
  EXPECT_EQ(Trips().ClickedRow, 3);
  EXPECT_EQ(Trips().ClickedCoordColumn, 8);
}

TEST_F(TripsTest, NamingAPositionNamesEveryTripWithinTheRadiusAndMapsUseTheRawPosition) {
  ShowTrips(ThreeTrips());
  Prompts().inputs = {QStringLiteral("Home")};
  Choose(1, 3, Trips().btnNameCoordinate);
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Name Coordinate"));
  EXPECT_EQ(Prompts().shown[0].text, QStringLiteral("Coordinate Name:"));
  EXPECT_EQ(PlaceFileContent(), QByteArray("Home,-26.1071,28.0567\r\n"));
  // 0 km, 0.1 km and 0 km away; the third trip starts 0.3 km away.
  EXPECT_EQ(Cell(1, 3), QStringLiteral("Home"));
  EXPECT_EQ(Cell(2, 3), QStringLiteral("Home"));
  EXPECT_EQ(Cell(2, 4), QStringLiteral("Home"));
  EXPECT_EQ(Cell(3, 3), QStringLiteral("-26.1098,28.0567"));
  EXPECT_EQ(Cell(2, 7), QStringLiteral("-26.1080,28.0567"));

  // A named cell offers renaming, and its map shows the position, not the name.
  PressCell(2, 4, Qt::RightButton);
  EXPECT_EQ(MenuItems(), QStringList({"Open in Google Maps", "Open Trip in Google Maps",
                                      "Rename Coordinate", "Delete Name"}));
  Trips().pmenuCoordinate->hide();
  Trips().OpeninGoogleMaps1->trigger();
  ASSERT_EQ(Shell().addresses.size(), 1u);
  EXPECT_EQ(Shell().addresses[0],
            QStringLiteral("https://maps.google.com/maps?f=q&hl=en&q=") + QLatin1String(kHome));

  // Trip lines that arrive later are named as they come.
  InjectAndSettle({"+TRIPS,3,d3,s,e,-26.1072,28.0567,1,2,5,6"});
  EXPECT_EQ(Cell(4, 3), QStringLiteral("Home"));
  EXPECT_EQ(Cell(4, 4), QStringLiteral("1,2"));
}

TEST_F(TripsTest, NamesThatCannotBeStoredAreRefusedWithAMessage) {
  ShowTrips(ThreeTrips());
  Prompts().inputs = {QStringLiteral("Home")};
  Choose(1, 3, Trips().btnNameCoordinate);
  const QByteArray stored = PlaceFileContent();

  Prompts().shown.clear();
  Prompts().inputs = {QStringLiteral("HOME"), QStringLiteral("Ho,me"), QStringLiteral("Ho\nme"),
                      std::nullopt, QString()};
  for (int i = 0; i < 5; ++i) Choose(3, 3, Trips().btnNameCoordinate);
  const std::vector<QString> messages = Prompts().Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0], QStringLiteral("Name already Exists!"));
  EXPECT_TRUE(messages[1].contains(QStringLiteral("comma"))) << messages[1].toStdString();
  EXPECT_TRUE(messages[2].contains(QStringLiteral("line break"))) << messages[2].toStdString();
  EXPECT_EQ(PlaceFileContent(), stored);
  EXPECT_EQ(Cell(3, 3), QStringLiteral("-26.1098,28.0567"));

  // A rename to a name with a comma is refused too, and the old name stays.
  Prompts().shown.clear();
  Prompts().inputs = {QStringLiteral("Depot, north")};
  Choose(1, 3, Trips().btnRenameCoordinate);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_EQ(PlaceFileContent(), stored);
  EXPECT_EQ(Cell(1, 3), QStringLiteral("Home"));
}

TEST_F(TripsTest, RenamingAndDeletingANameShowTheResultInEveryRow) {
  ShowTrips(ThreeTrips());
  Prompts().inputs = {QStringLiteral("Home")};
  Choose(1, 3, Trips().btnNameCoordinate);

  // The input box starts with the old name; the same name changes nothing.
  Prompts().shown.clear();
  Prompts().inputs = {QStringLiteral("Home"), QStringLiteral("Depot")};
  Choose(2, 4, Trips().btnRenameCoordinate);
  Choose(2, 4, Trips().btnRenameCoordinate);
  EXPECT_EQ(Prompts().shown[0].caption, QStringLiteral("Rename Coordinate"));
  EXPECT_EQ(PlaceFileContent(), QByteArray("Depot,-26.1071,28.0567\r\n"));
  for (const auto& [row, column] : {std::pair{1, 3}, {2, 3}, {2, 4}})
    EXPECT_EQ(Cell(row, column), QStringLiteral("Depot"));

  // Delete asks first; No keeps the name.
  Prompts().shown.clear();
  Prompts().yesNo = {false, true};
  Choose(1, 3, Trips().btnDeleteName);
  EXPECT_EQ(Cell(1, 3), QStringLiteral("Depot"));
  Choose(1, 3, Trips().btnDeleteName);
  ASSERT_EQ(Prompts().shown.size(), 2u);
  EXPECT_EQ(Prompts().shown[1].caption, QStringLiteral("Delete name"));
  EXPECT_EQ(Prompts().shown[1].text, QStringLiteral("Delete coordinate name: Depot?"));
  EXPECT_EQ(PlaceFileContent(), QByteArray());
  EXPECT_EQ(Cell(1, 3), QString::fromLatin1(kHome));
  EXPECT_EQ(Cell(2, 3), QStringLiteral("-26.1080,28.0567"));
  EXPECT_TRUE(Prompts().Messages().empty());

  // "Delete Name" on a coordinate asks about the coordinate and changes nothing.
  Prompts().yesNo = {true};
  Choose(3, 3, Trips().btnDeleteName);
  EXPECT_EQ(Prompts().shown.back().text, QStringLiteral("Delete coordinate name: -26.1098,28.0567?"));
  EXPECT_TRUE(Prompts().Messages().empty());
}

// Two places may not end up under one name, where one delete would remove
// both; a name the file already shares (hand-edited) says how many go.
TEST_F(TripsTest, RenamingOntoAnotherPlacesNameIsRefusedAndADeleteCountsThePlaces) {
  ShowTrips(ThreeTrips());
  Prompts().inputs = {QStringLiteral("Home"), QStringLiteral("Depot")};
  Choose(1, 3, Trips().btnNameCoordinate);
  Choose(3, 3, Trips().btnNameCoordinate);
  const QByteArray stored = PlaceFileContent();

  Prompts().shown.clear();
  Prompts().inputs = {QStringLiteral("home")};
  Choose(3, 3, Trips().btnRenameCoordinate);
  EXPECT_EQ(Prompts().Messages(), std::vector<QString>{QStringLiteral("Name already Exists!")});
  EXPECT_EQ(PlaceFileContent(), stored);
  EXPECT_EQ(Cell(3, 3), QStringLiteral("Depot"));

  // A file edited by hand may hold one name twice: the question says so.
  QFile file(PlaceFile());
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write("HOME,-26.1098,28.0567\r\n");
  file.close();
  Prompts().shown.clear();
  Prompts().yesNo = {true};
  Choose(1, 3, Trips().btnDeleteName);
  ASSERT_EQ(Prompts().shown.size(), 1u);
  EXPECT_EQ(Prompts().shown[0].text,
            QStringLiteral("Delete coordinate name: Home?\n\n2 places have this name; all 2 will be removed."));
  EXPECT_EQ(PlaceFileContent(), QByteArray("Depot,-26.1098,28.0567\r\n"));
}

TEST_F(TripsTest, WithoutABrowserTheAddressIsShownToCopy) {
  ShowTrips(ThreeTrips());
  Shell().canOpen = false;
  Choose(1, 4, Trips().OpeninGoogleMaps1);
  ASSERT_EQ(Shell().addresses.size(), 1u);
  EXPECT_EQ(Prompts().Messages(),
            std::vector<QString>{QStringLiteral("No web browser could be started to show the "
                                                "position. Open this address in a browser:\n") +
                                 Shell().addresses[0]});
  EXPECT_TRUE(Shell().addresses[0].endsWith(QStringLiteral("q=-26.2041,28.0473")));
}

TEST_F(TripsTest, AMapAddressCannotBeReshapedByTheUnitsText) {
  InjectAndSettle({"+TRIPS,0,d,s,e,1&q=x,2#y,3,4,5,6"});
  Choose(1, 3, Trips().OpeninGoogleMaps1);
  ASSERT_EQ(Shell().addresses.size(), 1u);
  EXPECT_EQ(Shell().addresses[0],
            QStringLiteral("https://maps.google.com/maps?f=q&hl=en&q=1%26%71%3D%78,2%23%79"));
}

// Names in the file when the tool starts are shown on the first trips.
class TripsWithPlaceFileTest : public TripsTest {
 protected:
  void BeforeStart() override {
    QFile file(PlaceFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Office,-25.7479,28.2293\r\nHome,-26.1071,28.0567");  // last line unterminated
  }
};

TEST_F(TripsWithPlaceFileTest, PlacesOfTheFileAreShownAndANewNameEndsTheOpenLastLine) {
  ShowTrips(ThreeTrips());
  EXPECT_EQ(Cell(1, 3), QStringLiteral("Home"));
  EXPECT_EQ(Cell(3, 4), QStringLiteral("Office"));
  Prompts().inputs = {QStringLiteral("Depot")};
  Choose(1, 4, Trips().btnNameCoordinate);
  EXPECT_EQ(PlaceFileContent(), QByteArray("Office,-25.7479,28.2293\r\nHome,-26.1071,28.0567\r\n"
                                           "Depot,-26.2041,28.0473\r\n"));
  EXPECT_EQ(Cell(1, 4), QStringLiteral("Depot"));
}

// The data folder cannot be created: its parent is a file.
class TripsWithoutDataFolderTest : public TripsTest {
 protected:
  QByteArray DataDirSetting() override {
    QFile blocker(dataDir_.filePath(QStringLiteral("blocker")));
    blocker.open(QIODevice::WriteOnly);
    return QFile::encodeName(dataDir_.filePath(QStringLiteral("blocker/Wayrunner")));
  }
};

TEST_F(TripsWithoutDataFolderTest, ANameThatCannotBeSavedIsReportedAndTripsStillShow) {
  ShowTrips(ThreeTrips());
  EXPECT_EQ(Cell(1, 3), QString::fromLatin1(kHome));
  Prompts().inputs = {QStringLiteral("Home")};
  Choose(1, 3, Trips().btnNameCoordinate);
  const std::vector<QString> messages = Prompts().Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0], QStringLiteral("Name already Exists!"));
  EXPECT_FALSE(messages[0].isEmpty());
  EXPECT_EQ(Cell(1, 3), QString::fromLatin1(kHome));
}

// The place store's refusals reach the window translated: a name it cannot
// hold, and a file it cannot save (under the pseudo-translation, whose texts
// are in brackets).
TEST_F(TripsWithoutDataFolderTest, PlaceNameRefusalsAreToldInTheUsersLanguage) {
  ShowTrips(ThreeTrips());
  QTranslator pseudo;
  ASSERT_TRUE(pseudo.load(QStringLiteral(WR_PSEUDO_QM)));
  QCoreApplication::installTranslator(&pseudo);
  for (const QString& name : {QStringLiteral("Home, north gate"), QStringLiteral("Home")}) {
    Prompts().shown.clear();
    Prompts().inputs = {name};
    Choose(1, 3, Trips().btnNameCoordinate);
    const std::vector<QString> messages = Prompts().Messages();
    ASSERT_EQ(messages.size(), 1u) << name.toStdString();
    EXPECT_TRUE(messages[0].startsWith(QLatin1Char('[')) && messages[0].endsWith(QLatin1String("~]")))
        << messages[0].toStdString();
  }
  QCoreApplication::removeTranslator(&pseudo);
}

// Records every call; fails the call given by failAt (0: none).
class RecordingAutomation : public SpreadsheetAutomation {
 public:
  struct Log {
    std::vector<std::string> calls;     // everything but releases
    std::vector<AutomationRef> released;
    std::set<AutomationRef> live;
    int failAt = 0;
  };
  explicit RecordingAutomation(Log& log) : log_(log) {}

  AutomationRef CreateObject(const std::string& progId) override {
    return Make("create " + progId);
  }
  AutomationRef Get(AutomationRef object, const std::string& member,
                    const AutomationArgs& args) override {
    return Make("get " + std::to_string(object) + " " + member + Args(args));
  }
  bool Put(AutomationRef object, const std::string& member, const AutomationValue& value) override {
    return Note("put " + std::to_string(object) + " " + member + " = " + Text(value));
  }
  bool Call(AutomationRef object, const std::string& member, const AutomationArgs& args) override {
    return Note("call " + std::to_string(object) + " " + member + Args(args));
  }
  bool Release(AutomationRef object) override {
    log_.released.push_back(object);
    return log_.live.erase(object) == 1;
  }

 private:
  static std::string Text(const AutomationValue& v) {
    if (const auto* i = std::get_if<std::int32_t>(&v)) return std::to_string(*i);
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "true" : "false";
    return "\"" + std::get<std::string>(v) + "\"";
  }
  static std::string Args(const AutomationArgs& args) {
    std::string out = "(";
    for (size_t i = 0; i < args.size(); ++i) out += (i ? "," : "") + Text(args[i]);
    return out + ")";
  }
  bool Note(const std::string& call) {
    log_.calls.push_back(call);
    return static_cast<int>(log_.calls.size()) != log_.failAt;
  }
  AutomationRef Make(const std::string& call) {
    if (!Note(call)) return 0;
    const AutomationRef ref = next_++;
    log_.live.insert(ref);
    log_.calls.back() += " -> " + std::to_string(ref);
    return ref;
  }
  Log& log_;
  AutomationRef next_ = 1;
};

class TripsExportTest : public TripsTest {
 protected:
  void UseRecorder() {
    SetSpreadsheetFactory([this](wr::Prompts&, DesktopShell&) {
      return std::make_unique<RecordingAutomation>(log_);
    });
  }
  RecordingAutomation::Log log_;
};

// The calls an export of these grid rows must make, releases left out.
std::vector<std::string> ExpectedCalls(const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::string> calls = {
      "create Excel.Application -> 1", "put 1 Visible = true",  "get 1 Workbooks() -> 2",
      "call 2 Add()",                  "get 2 Item(1) -> 3",    "get 3 WorkSheets() -> 4",
      "call 4 Add()",                  "get 4 Item(1) -> 5",    "put 5 Name = \"Wayrunner Trips\""};
  int next = 6;
  auto cell = [&](int row, int column) {
    calls.push_back("get 5 Cells() -> " + std::to_string(next));
    calls.push_back("get " + std::to_string(next) + " Item(" + std::to_string(row) + "," +
                    std::to_string(column) + ") -> " + std::to_string(next + 1));
    next += 2;
    return next - 1;
  };
  for (int column = 1; column <= 7; ++column) {
    const int c = cell(1, column);
    calls.push_back("get " + std::to_string(c) + " Font() -> " + std::to_string(next));
    calls.push_back("put " + std::to_string(next++) + " Bold = true");
  }
  for (const auto& [column, width] :
       std::vector<std::pair<int, std::string>>{{1, "15"}, {4, "25"}, {5, "25"}, {6, "10"}, {7, "10"}})
    calls.push_back("put " + std::to_string(cell(1, column)) + " ColumnWidth = \"" + width + "\"");
  for (size_t r = 0; r < rows.size(); ++r)
    for (int c = 0; c < 7; ++c) {
      const std::string& text = rows[r][static_cast<size_t>(c)];
      const bool formulaLike = !text.empty() && std::string("=+-@").find(text[0]) != std::string::npos;
      calls.push_back("put " + std::to_string(cell(static_cast<int>(r + 1), c + 1)) +
                      " Value = \"" + (c == 0 || formulaLike ? "'" : "") + text + "\"");
    }
  return calls;
}

TEST_F(TripsExportTest, TheProgramSeesEveryCallInOrderAndEveryReferenceIsReleased) {
  ShowTrips({ThreeTrips()[0]});
  Prompts().inputs = {QStringLiteral("Home")};
  Choose(1, 3, Trips().btnNameCoordinate);
  UseRecorder();
  Trips().ExportToSpreadsheet();
  EXPECT_TRUE(Prompts().Messages().empty());
  EXPECT_EQ(log_.calls,
            ExpectedCalls({{"Date", "Start", "End", "Start coordinates", "End coordinates",
                            "Max Speed", "Distance"},
                           {"2024/03/01", "08:15", "08:47", "Home", "-26.2041,28.0473", "87 Km/h",
                            "12.3 Km"}}));
  EXPECT_TRUE(log_.live.empty());
  // The five held objects go last: worksheet first, application last.
  ASSERT_GE(log_.released.size(), 5u);
  EXPECT_EQ(std::vector<AutomationRef>(log_.released.end() - 5, log_.released.end()),
            std::vector<AutomationRef>({5, 4, 3, 2, 1}));
}

// A place name (or a unit's text) that looks like a formula reaches the
// program as text.
TEST_F(TripsExportTest, TextsThatLookLikeFormulasGoOverAsText) {
  InjectAndSettle({"+TRIPS,0,=1+1,+2,@SUM(A1),-26.1071,28.0567,1,2,5,6"});
  Prompts().inputs = {QStringLiteral("=HYPERLINK(\"x\")")};
  Choose(1, 3, Trips().btnNameCoordinate);
  ASSERT_EQ(Cell(1, 3), QStringLiteral("=HYPERLINK(\"x\")"));
  UseRecorder();
  Trips().ExportToSpreadsheet();
  std::vector<std::string> values;
  for (const std::string& call : log_.calls)
    if (call.find(" Value = ") != std::string::npos) values.push_back(call.substr(call.find(" = ") + 3));
  ASSERT_GE(values.size(), 14u);
  EXPECT_EQ(std::vector<std::string>(values.begin() + 7, values.begin() + 12),
            (std::vector<std::string>{"\"'=1+1\"", "\"'+2\"", "\"'@SUM(A1)\"",
                                      "\"'=HYPERLINK(\"x\")\"", "\"1,2\""}));
}

TEST_F(TripsExportTest, AnyFailingCallEndsTheExportWithTheMessageAndReleasesWhatIsHeld) {
  UseRecorder();
  for (const int failAt : {1, 9, 12, 40}) {
    log_ = {};
    log_.failAt = failAt;
    Prompts().shown.clear();
    Trips().ExportToSpreadsheet();
    EXPECT_EQ(static_cast<int>(log_.calls.size()), failAt);
    EXPECT_TRUE(log_.live.empty()) << failAt;
    EXPECT_EQ(Prompts().Messages(),
              std::vector<QString>({QStringLiteral("Error exporting to Excel\n"
                                                   "Please make sure Excel is installed on your PC")}));
  }
  // No spreadsheet program at all.
  SetSpreadsheetFactory([](wr::Prompts&, DesktopShell&) { return nullptr; });
  Prompts().shown.clear();
  Trips().ExportToSpreadsheet();
  EXPECT_EQ(Prompts().Messages().size(), 1u);
}

// A python3 that can import openpyxl, or empty.
QString PythonWithOpenpyxl() {
  for (const QString& candidate : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")}) {
    QProcess probe;
    probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    if (probe.waitForFinished(20000) && probe.exitStatus() == QProcess::NormalExit &&
        probe.exitCode() == 0)
      return candidate;
  }
  return QString();
}

const char* const kDumpWorkbook = R"(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
print(json.dumps({
  "sheets": wb.sheetnames,
  "rows": [[("" if c.value is None else c.value) for c in row]
           for row in ws.iter_rows(min_row=1, max_row=ws.max_row, max_col=ws.max_column)],
  "maxColumn": ws.max_column,
  "bold": [bool(ws.cell(row=1, column=c).font.b) for c in range(1, 9)],
  "boldRow2": bool(ws.cell(row=2, column=1).font.b),
  "widths": {str(c): d.width for d in list(ws.column_dimensions.values())
             for c in range(d.min, d.max + 1)},
}))
)";

TEST_F(TripsExportTest, TheXlsxFileHoldsTheSheetTheHeadingsTheWidthsAndTheValues) {
  const QString python = PythonWithOpenpyxl();
  if (python.isEmpty()) GTEST_SKIP() << "python3-openpyxl not installed";
  if (!XlsxAutomation::Available()) GTEST_SKIP() << "built without libxlsxwriter";
  QTemporaryDir out;
  SetSpreadsheetFactory([&out](wr::Prompts& prompts, DesktopShell& shell) {
    return std::make_unique<XlsxAutomation>(prompts, shell, out.path());
  });
  ShowTrips(ThreeTrips());
  Prompts().inputs = {QStringLiteral("Home")};
  Choose(1, 3, Trips().btnNameCoordinate);
  Prompts().shown.clear();
  Trips().ExportToSpreadsheet();

  const QStringList files = QDir(out.path()).entryList({QStringLiteral("*.xlsx")}, QDir::Files);
  ASSERT_EQ(files.size(), 1);
  const QString file = QDir(out.path()).filePath(files[0]);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].contains(QDir::toNativeSeparators(file)));
  ASSERT_EQ(Shell().addresses.size(), 1u);
  EXPECT_EQ(QUrl(Shell().addresses[0]).toLocalFile(), file);

  QProcess dump;
  dump.start(python, {QStringLiteral("-c"), QString::fromLatin1(kDumpWorkbook), file});
  ASSERT_TRUE(dump.waitForFinished(30000));
  ASSERT_EQ(dump.exitCode(), 0) << dump.readAllStandardError().toStdString();
  const QJsonObject book = QJsonDocument::fromJson(dump.readAllStandardOutput()).object();
  EXPECT_EQ(book["sheets"].toArray(), QJsonArray({"Wayrunner Trips"}));
  EXPECT_EQ(book["maxColumn"].toInt(), 7);
  EXPECT_EQ(book["bold"].toArray(), QJsonArray({true, true, true, true, true, true, true, false}));
  EXPECT_FALSE(book["boldRow2"].toBool());
  const QJsonObject widths = book["widths"].toObject();
  // Columns by number; B and C keep the default width.
  EXPECT_EQ(widths.keys(), QStringList({"1", "4", "5", "6", "7"}));
  for (const auto& [column, width] :
       std::map<QString, double>{{"1", 15}, {"4", 25}, {"5", 25}, {"6", 10}, {"7", 10}}) {
    // The file format adds a little padding to the width that was asked for.
    EXPECT_GE(widths[column].toDouble(), width) << column.toStdString();
    EXPECT_LT(widths[column].toDouble(), width + 1) << column.toStdString();
  }
  const QJsonArray rows = book["rows"].toArray();
  ASSERT_EQ(rows.size(), 4);
  EXPECT_EQ(rows[0].toArray(), QJsonArray({"Date", "Start", "End", "Start coordinates",
                                           "End coordinates", "Max Speed", "Distance"}));
  // The apostrophe only tells the program to keep the date as text.
  EXPECT_EQ(rows[1].toArray(), QJsonArray({"2024/03/01", "08:15", "08:47", "Home",
                                           "-26.2041,28.0473", "87 Km/h", "12.3 Km"}));
  EXPECT_EQ(rows[2].toArray()[3].toString(), QStringLiteral("Home"));
  EXPECT_EQ(rows[3].toArray()[3].toString(), QStringLiteral("-26.1098,28.0567"));
}

}  // namespace
}  // namespace wr::test
