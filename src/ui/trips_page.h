#pragma once
// The Trip Meter tab: the trip grid with place names on its positions, the
// coordinate menu, and the trip buttons.
#include <QWidget>

#include <memory>

class QAction;
class QMenu;
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
  void btnExcelClick();
  void sgridTripsMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void OpeninGoogleMaps1Click();
  void btnNameCoordinateClick();
  void btnRenameCoordinateClick();
  void btnDeleteNameClick();
  void OpenCoordinateInMap(int column, int row);
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
  QAction* btnNameCoordinate = nullptr;
  QAction* btnRenameCoordinate = nullptr;
  QAction* btnDeleteName = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildCoordinateMenu();
  void SetUpTripGrid();
  void SetCell(int row, int column, const QString& text);
  // The grid follows the model: back to one row, emptied or not.
  void ResetRows(bool firstRowEmptied);
  // Widens the date and time columns for the texts of this row if needed.
  void WidenForContent(int row);

  // The date, start and end columns grow with their content.
  static constexpr int kWidenedColumns = 3;
  // Pixels around a cell's text (frame and margins).
  static constexpr int kCellPadding = 10;
  int contentWidth_[kWidenedColumns] = {0, 0, 0};

  UnitSession& session_;
  Prompts& prompts_;
  DesktopShell& shell_;
  std::shared_ptr<PlaceStore> placeStore_;
};

}  // namespace wr
