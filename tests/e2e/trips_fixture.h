// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Trip Meter against the simulated unit, with a place file of its own.
#include <QAction>
#include <QFile>
#include <QFontMetrics>
#include <QMenu>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "e2e/app_fixture.h"
#include "ui/spreadsheet_automation.h"

namespace wr::test {

// Home, a trip start 0.1 km from it, one 0.3 km from it, and far places.
inline const char* const kHome = "-26.1071,28.0567";
inline SimTrip Trip(const std::string& date, const std::string& startLat,
                    const std::string& startLon, const std::string& endLat,
                    const std::string& endLon) {
  return {date, "08:15", "08:47", startLat, startLon, endLat, endLon, "12.3", "87"};
}
inline std::vector<SimTrip> ThreeTrips() {
  return {Trip("2024/03/01", "-26.1071", "28.0567", "-26.2041", "28.0473"),
          Trip("2024/03/02", "-26.1080", "28.0567", "-26.1071", "28.0567"),
          Trip("2024/03/03", "-26.1098", "28.0567", "-25.7479", "28.2293")};
}

class TripsTest : public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dataDir_.isValid());
    ASSERT_TRUE(settingsDir_.isValid());
    // What the page remembers goes to a folder of the test's own.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
      QSettings::setPath(format, QSettings::UserScope, settingsDir_.path());
    qputenv("WAYRUNNER_DATA_DIR", DataDirSetting());
    BeforeStart();
    AppFixture::SetUp();
    if (HasFatalFailure()) return;
    StopPolling();
    ShowTabOf(Trips().sgridTrips);
  }
  void TearDown() override {
    AppFixture::TearDown();
    SetSpreadsheetFactory({});
    qunsetenv("WAYRUNNER_DATA_DIR");
  }
  virtual QByteArray DataDirSetting() { return QFile::encodeName(dataDir_.path()); }
  // Runs before the window exists, e.g. to leave a place file behind.
  virtual void BeforeStart() {}

  QString PlaceFile() const { return dataDir_.filePath(QStringLiteral("coords.txt")); }
  QByteArray PlaceFileContent() const {
    QFile file(PlaceFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  QTableWidget* Grid() { return Trips().sgridTrips; }
  QString Cell(int row, int column) {
    const QTableWidgetItem* item = Grid()->item(row, column);
    return item ? item->text() : QString();
  }
  QStringList Row(int row) {
    QStringList cells;
    for (int c = 0; c < Grid()->columnCount(); ++c) cells << Cell(row, c);
    return cells;
  }

  // Presses "Show Trips" and waits until the unit's whole answer is shown.
  void ShowTrips(const std::vector<SimTrip>& trips) {
    Unit().SetTrips(trips);
    const size_t before = ReceivedCountOf("AT+TRIPS");
    Click(QStringLiteral("btnGetTrips"));
    ASSERT_TRUE(WaitFor([&] { return ReceivedCountOf("AT+TRIPS") > before; }));
    ASSERT_TRUE(WaitFor([&] {
      return trips.empty() || Cell(static_cast<int>(trips.size()), 0) ==
                                  QString::fromStdString(trips.back().date);
    }));
  }

  // Sends trip lines as the unit would and waits until the last has been handled.
  void InjectAndSettle(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) Inject(line);
    Inject("+INFO:ID:settled");
    ASSERT_TRUE(WaitFor([&] { return MainTab().edtSerial->text() == QStringLiteral("settled"); }));
    MainTab().edtSerial->clear();
  }

  // A mouse press on a cell of the grid as the user makes it.
  void PressCell(int row, int column, Qt::MouseButton button) {
    Trips().pmenuCoordinate->hide();
    const QPoint centre(Grid()->columnViewportPosition(column) + Grid()->columnWidth(column) / 2,
                        Grid()->rowViewportPosition(row) + Grid()->rowHeight(row) / 2);
    QTest::mousePress(Grid()->viewport(), button, Qt::NoModifier, centre);
    QTest::mouseRelease(Grid()->viewport(), button, Qt::NoModifier, centre);
  }
  bool MenuOpen() { return Trips().pmenuCoordinate->isVisible(); }
  // Which of the menu's items are visible, in menu order.
  QStringList MenuItems() {
    QStringList items;
    for (QAction* action : Trips().pmenuCoordinate->actions())
      if (action->isVisible()) items << action->text();
    return items;
  }
  // Right-clicks the cell and picks a menu item.
  void Choose(int row, int column, QAction* item) {
    PressCell(row, column, Qt::RightButton);
    ASSERT_TRUE(MenuOpen());
    ASSERT_TRUE(item->isVisible());
    Trips().pmenuCoordinate->hide();
    item->trigger();
  }

  QTemporaryDir dataDir_;
  QTemporaryDir settingsDir_;
};

}  // namespace wr::test
