// Trip grid lines, place names on trip positions, the coordinate menu and the export.
#include <QAction>
#include <QMenu>
#include <QTableWidget>

#include <string>
#include <vector>

#include "link/prompts.h"
#include "link/send_command.h"
#include "places/map_address.h"
#include "places/place_store.h"
#include "protocol/commands.h"
#include "protocol/reply_fields.h"
#include "ui/desktop_shell.h"
#include "ui/spreadsheet_export.h"
#include "ui/tfrm_main.h"

namespace wr {
namespace {

// Trip indexes above this are taken for garbage: the grid would have to
// allocate a row for every index below it, and no unit logs that many trips.
constexpr int32_t kMaxTripIndex = 99999;

// Columns of the trip grid.
constexpr int kStartShown = 3;
constexpr int kEndShown = 4;
constexpr int kHiddenOffset = 4;  // shown column + 4 = its raw coordinate
constexpr int kStartRaw = kStartShown + kHiddenOffset;
constexpr int kEndRaw = kEndShown + kHiddenOffset;

// Texts from the unit and the place file are 8-bit in the system's code page.
QString FromBytes(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}
std::string ToBytes(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString CellText(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text() : QString();
}

bool ShowsCoordinate(const QString& text) { return text.contains(QLatin1Char(',')); }

// Empty when the name can be given to a place; otherwise why not.
QString NameProblem(const QString& name) {
  const std::string problem = PlaceStore::PlaceNameProblem(ToBytes(name));
  if (!problem.empty()) return FromBytes(problem);
  // Characters the file's code page lacks would be stored as something else.
  if (FromBytes(ToBytes(name)) != name)
    return QStringLiteral("A place name can only hold characters of this computer's character set.");
  return QString();
}

}  // namespace

void TfrmMain::InitPlaceStore() {
  // Without a data folder the path is empty and the store quietly holds nothing.
  placeStore_ = std::make_shared<PlaceStore>(PlaceStore::InitPlaceStore());
  placeStore_->LoadPlaceNames();
}

void TfrmMain::FreePlaceStore() { placeStore_.reset(); }

// A name for column 3 or 4 from the raw coordinate beside it.
static QString LookupName(const PlaceStore* store, const QString& coordinate) {
  if (!store || coordinate.isEmpty()) return coordinate;
  return FromBytes(store->LookupPlaceName(ToBytes(coordinate)));
}

void TfrmMain::FillTripNames() {
  // Only cells still showing a coordinate are looked up; names stay.
  for (int row = 1; row < sgridTrips->rowCount(); ++row) {
    for (const int shown : {kStartShown, kEndShown}) {
      if (!ShowsCoordinate(CellText(sgridTrips, row, shown))) continue;
      const QString name = LookupName(placeStore_.get(), CellText(sgridTrips, row, shown + kHiddenOffset));
      if (name != CellText(sgridTrips, row, shown)) SetCell(row, shown, name);
    }
  }
}

void TfrmMain::RefreshTripNames() {
  for (int row = 1; row < sgridTrips->rowCount(); ++row) {
    for (const int shown : {kStartShown, kEndShown}) {
      const QString name = LookupName(placeStore_.get(), CellText(sgridTrips, row, shown + kHiddenOffset));
      if (name != CellText(sgridTrips, row, shown)) SetCell(row, shown, name);
    }
  }
}

void TfrmMain::HandleTripsLine(const std::string& line) {
  int32_t index = 0;
  if (ReplyFieldInt(line, 1, index) == 0) return;
  // A negative index would write into the heading row or before it.
  if (index < 0 || index > kMaxTripIndex) return;
  sgridTrips->setRowCount(index + 2);
  const int row = index + 1;
  auto field = [&line](int n) { return FromBytes(ReplyFieldText(line, n)); };
  const QString comma = QStringLiteral(",");
  SetCell(row, 0, field(2));
  SetCell(row, 1, field(3));
  SetCell(row, 2, field(4));
  const QString start = field(5) + comma + field(6);
  const QString end = field(7) + comma + field(8);
  // Every other row was looked up against the same place list when it was
  // written, so only this one can change; a pass over all rows would make
  // fetching n trips cost n squared lookups.
  SetCell(row, kStartShown, LookupName(placeStore_.get(), start));
  SetCell(row, kEndShown, LookupName(placeStore_.get(), end));
  SetCell(row, 5, field(10) + QStringLiteral(" Km/h"));
  SetCell(row, 6, field(9) + QStringLiteral(" Km"));
  SetCell(row, kStartRaw, start);
  SetCell(row, kEndRaw, end);
}

void TfrmMain::btnGetTripsClick() {
  // Row 1 keeps its texts until the unit's first trip line replaces them.
  sgridTrips->setRowCount(2);
  SendCommand(cmd::kTrips);
}

void TfrmMain::btnDeleteAllClick() {
  if (!prompts_.AskYesNo(QStringLiteral("Delete All"),
                         QStringLiteral("Are you sure you want to delete all trips?")))
    return;
  sgridTrips->setRowCount(2);
  for (int c = 0; c < kTripColumns; ++c) SetCell(1, c, QString());
  SendCommand(cmd::kDeleteAllTrips);
  SendCommand(cmd::kTrips);
  RefreshTripNames();
}

void TfrmMain::btnExcelClick() {
  const int columns = sgridTrips->columnCount() - 2;  // the raw coordinates stay behind
  std::vector<std::vector<std::string>> rows(static_cast<size_t>(sgridTrips->rowCount()));
  for (int r = 0; r < sgridTrips->rowCount(); ++r)
    for (int c = 0; c < columns; ++c) rows[static_cast<size_t>(r)].push_back(ToBytes(CellText(sgridTrips, r, c)));
  std::unique_ptr<SpreadsheetAutomation> program = CreateSpreadsheetAutomation(prompts_, shell_);
  if (!program || !ExportTripsToSpreadsheet(*program, rows, columns))
    prompts_.ShowMessage(QString::fromLatin1(kExportFailureMessage));
}

void TfrmMain::sgridTripsMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
  if (button != Qt::RightButton) return;
  const int row = sgridTrips->rowAt(y);
  const int column = sgridTrips->columnAt(x);
  if (row < 0 || (column != kStartShown && column != kEndShown)) return;
  // The heading row and emptied rows have no raw coordinate.
  if (CellText(sgridTrips, row, column + kHiddenOffset).isEmpty()) return;
  const bool showsCoordinate = ShowsCoordinate(CellText(sgridTrips, row, column));
  btnNameCoordinate->setVisible(showsCoordinate);
  btnRenameCoordinate->setVisible(!showsCoordinate);
  ClickedRow = row;
  ClickedCoordColumn = column + kHiddenOffset;
  pmenuCoordinate->popup(sgridTrips->viewport()->mapToGlobal(QPoint(x, y)));
}

void TfrmMain::OpeninGoogleMaps1Click() { OpenCoordinateInMap(ClickedCoordColumn, ClickedRow); }

void TfrmMain::OpenCoordinateInMap(int column, int row) {
  if (row < 0 || row >= sgridTrips->rowCount() || column < 0 || column >= sgridTrips->columnCount())
    return;
  const std::string address = MapAddress(ToBytes(CellText(sgridTrips, row, column)));
  shell_.OpenAddress(QString::fromLatin1(address.data(), static_cast<qsizetype>(address.size())));
}

void TfrmMain::btnNameCoordinateClick() {
  QString name;
  if (!prompts_.InputBox(QStringLiteral("Name Coordinate"), QStringLiteral("Coordinate Name:"), name) ||
      name.isEmpty())
    return;
  const QString coordinate = CellText(sgridTrips, ClickedRow, ClickedCoordColumn);
  if (const QString problem = NameProblem(name); !problem.isEmpty()) {
    prompts_.ShowMessage(problem);
  } else if (placeStore_ && !placeStore_->AddPlaceName(ToBytes(name), ToBytes(coordinate))) {
    if (placeStore_->LastError() == PlaceStoreError::kNameExists) {
      prompts_.ShowMessage(QStringLiteral("Name already Exists!"));
    } else {
      prompts_.ShowMessage(FromBytes(placeStore_->LastErrorText()));
    }
  }
  if (placeStore_) placeStore_->LoadPlaceNames();
  RefreshTripNames();
}

void TfrmMain::btnRenameCoordinateClick() {
  const QString oldName = CellText(sgridTrips, ClickedRow, ClickedCoordColumn - kHiddenOffset);
  QString name = oldName;
  if (!prompts_.InputBox(QStringLiteral("Rename Coordinate"), QStringLiteral("Coordinate Name:"), name))
    return;
  if (name == oldName) return;
  // An empty name deletes the place.
  if (const QString problem = name.isEmpty() ? QString() : NameProblem(name); !problem.isEmpty()) {
    prompts_.ShowMessage(problem);
  } else if (placeStore_ && !placeStore_->RewritePlaceNames(ToBytes(oldName), ToBytes(name)) &&
             placeStore_->LastError() != PlaceStoreError::kNameNotFound) {
    // A name no longer in the file simply vanishes at the reload; anything
    // else means the change was not stored.
    prompts_.ShowMessage(FromBytes(placeStore_->LastErrorText()));
  }
  if (placeStore_) placeStore_->LoadPlaceNames();
  RefreshTripNames();
}

void TfrmMain::btnDeleteNameClick() {
  const QString name = CellText(sgridTrips, ClickedRow, ClickedCoordColumn - kHiddenOffset);
  if (!prompts_.AskYesNo(QStringLiteral("Delete name"),
                         QStringLiteral("Delete coordinate name: ") + name + QStringLiteral("?")))
    return;
  if (placeStore_ && !placeStore_->RewritePlaceNames(ToBytes(name), std::string()) &&
      placeStore_->LastError() != PlaceStoreError::kNameNotFound)
    prompts_.ShowMessage(FromBytes(placeStore_->LastErrorText()));
  if (placeStore_) placeStore_->LoadPlaceNames();
  RefreshTripNames();
}

}  // namespace wr
