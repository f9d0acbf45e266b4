// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Trip Meter tab: the trip grid with place names on its positions, the
// coordinate menu, and the trip buttons.
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "protocol/trip_record.h"

class QAction;
class QHelpEvent;
class QMenu;
class QPoint;
class QPushButton;
class QTableWidget;

namespace wr {

class DesktopShell;
class PlaceStore;
class Prompts;
class UnitSession;

class TripsPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kTripColumns = 9;

  // Sets up the place store and the grid.
  TripsPage(UnitSession& session, Prompts& prompts, DesktopShell& shell, QWidget* parent = nullptr);
  ~TripsPage() override;

  // Enabled while a unit is connected.
  void SetUnitControlsEnabled(bool enabled);

  // Fills the row of the trip the model has just received.
  void HandleTripsLine(int index);
  void btnGetTripsClick();
  void btnDeleteAllClick();
  // Whether the grid holds the unit's whole trip log as it is now: listed on
  // this connection, the listing over, and nothing erased since.
  bool TripsCurrent() const;
  // Before an action that erases the unit's trip log (caption: its name):
  // offers to export the trips first, fetching them only when the user
  // chose to export and the grid's are not current. then(false) when the
  // export was chosen and not written, in which case nothing may be erased.
  void OfferExportBeforeErasing(const QString& caption, const QString& notDone,
                                std::function<void(bool)> then);
  // How many trips go with the log, for the question asked first.
  QString TripsErasedText() const;
  // On Windows the grid goes to the spreadsheet program through its
  // automation object; elsewhere the button opens ExportTrips.
  void btnExcelClick();
  // Asks for a file and a format (CSV, GPX, KML, xlsx) and writes the listed
  // trips there with their place names. With no trips listed, the unit is
  // asked for them first. done(true) when a file was written.
  void ExportTrips(std::function<void(bool written)> done = {});
  // The grid, as shown, into a new worksheet of the spreadsheet program.
  void ExportToSpreadsheet();
  void sgridTripsMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void OpeninGoogleMaps1Click();
  void OpenTripInMapClick();
  void btnNameCoordinateClick();
  void btnRenameCoordinateClick();
  void btnDeleteNameClick();
  void OpenCoordinateInMap(int column, int row);
  // The route of the trip in this row, from its start to its end.
  void OpenRouteInMap(int row);
  void InitPlaceStore();
  void FreePlaceStore();
  void FillTripNames();
  void RefreshTripNames();
  // The column-width rule for the grid's present width.
  void ApplyTripColumnWidths();

  // The cell of the last right click that opened the coordinate menu.
  int ClickedRow = 0;
  int ClickedCoordColumn = 0;

  QTableWidget* sgridTrips = nullptr;
  QWidget* Panel2 = nullptr;
  QPushButton* btnDeleteAll = nullptr;
  QPushButton* btnExcel = nullptr;
  QPushButton* btnGetTrips = nullptr;
  QMenu* pmenuCoordinate = nullptr;
  QAction* OpeninGoogleMaps1 = nullptr;
  QAction* OpenTripInMap = nullptr;
  QAction* btnNameCoordinate = nullptr;
  QAction* btnRenameCoordinate = nullptr;
  QAction* btnDeleteName = nullptr;

 // As wide as the grid's headings and a trip's texts need, so that the
  // window first opens showing them whole.
  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class ExportResult { kWritten, kCancelled, kFailed };

  void BuildCoordinateMenu();
  // Opens the coordinate menu for a cell at a point of the grid's viewport;
  // false when the cell is no trip position.
  bool OpenCoordinateMenu(int row, int column, const QPoint& at);
  // The same for the current cell, from the keyboard.
  void OpenCoordinateMenuAtCurrentCell();
  void ShowCutHeadingTip(const QHelpEvent& help);
  // Asks the unit for its whole trip list and waits for it.
  void FetchTripList(std::function<void(bool listed, const QString& why)> then);
  // The save dialog and the write; notDone is added to a failure's message.
  ExportResult ExportTripList(const std::vector<TripRecord>& trips, const QString& notDone);
  void SetUpTripGrid();
  void SetCell(int row, int column, const QString& text);
  // The grid follows the model: back to one row, emptied or not.
  void ResetRows(bool firstRowEmptied);
  // Widens the columns for the texts of this row if needed.
  void WidenForContent(int row);
  // What column c needs for its heading to show whole.
  int HeadingWidth(int c) const;

  // Every shown column grows with its content.
  static constexpr int kWidenedColumns = 7;
  // Pixels around a cell's text (frame and margins), for the sample texts
  // the page's preferred width is measured with.
  static constexpr int kCellPadding = 10;
  int contentWidth_[kWidenedColumns] = {0, 0, 0, 0, 0, 0, 0};
  // Widths the user gave columns by dragging; 0 where none. The rule and the
  // content never make such a column narrower.
  static constexpr int kShownColumns = 7;
  int userWidth_[kShownColumns] = {0, 0, 0, 0, 0, 0, 0};
  bool applyingWidths_ = false;

  // A fetch for the delete question or an export is waiting for the unit.
  bool busy_ = false;
  // The connection on which the grid's trips were listed; -1: not listed,
  // or erased since.
  int listedOn_ = -1;
  // Every command, the listing's too, has been answered since.
  bool listingDone_ = false;
  bool unitControlsEnabled_ = false;

  UnitSession& session_;
  Prompts& prompts_;
  DesktopShell& shell_;
  std::shared_ptr<PlaceStore> placeStore_;
};

}  // namespace wr
