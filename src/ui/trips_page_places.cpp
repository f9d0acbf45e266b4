// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Place names for the trip coordinates, and the coordinate menu that gives
// them and opens the map.
#include "ui/trips_page.h"

#include <QAction>
#include <QMenu>
#include <QTableWidget>

#include <string>

#include "places/map_address.h"
#include "places/place_store.h"
#include "session/unit_text.h"
#include "ui/desktop_shell.h"
#include "ui/prompts.h"
#include "ui/trips_page_parts.h"
#include "ui/widget_names.h"

namespace wr {
namespace {

// Empty when the name can be given to a place; otherwise why not.
QString NameProblem(const QString& name) {
  const Message problem = PlaceStore::PlaceNameRefusal(ToLocalBytes(name));
  if (!problem.Empty()) return Translated(problem);
  // Characters the file's code page lacks would be stored as something else.
  if (!FitsLocalCodePage(name))
    return TripsPage::tr("A place name can only hold characters of this computer's character set.");
  return QString();
}

}  // namespace

void TripsPage::BuildCoordinateMenu() {
  pmenuCoordinate = Named(new QMenu(this), "pmenuCoordinate");
  OpeninGoogleMaps1 = Named(pmenuCoordinate->addAction(tr("Open in Google Maps")),
                            "OpeninGoogleMaps1");
  OpenTripInMap = Named(pmenuCoordinate->addAction(tr("Open Trip in Google Maps")),
                        "OpenTripInMap");
  btnNameCoordinate = Named(pmenuCoordinate->addAction(tr("Name Coordinate")),
                            "btnNameCoordinate");
  btnRenameCoordinate = Named(pmenuCoordinate->addAction(tr("Rename Coordinate")),
                              "btnRenameCoordinate");
  btnDeleteName = Named(pmenuCoordinate->addAction(tr("Delete Name")), "btnDeleteName");
  connect(OpeninGoogleMaps1, &QAction::triggered, this, &TripsPage::OpeninGoogleMaps1Click);
  connect(OpenTripInMap, &QAction::triggered, this, &TripsPage::OpenTripInMapClick);
  connect(btnNameCoordinate, &QAction::triggered, this, &TripsPage::btnNameCoordinateClick);
  connect(btnRenameCoordinate, &QAction::triggered, this, &TripsPage::btnRenameCoordinateClick);
  connect(btnDeleteName, &QAction::triggered, this, &TripsPage::btnDeleteNameClick);
}

void TripsPage::InitPlaceStore() {
  // Without a data folder the path is empty and the store quietly holds nothing.
  placeStore_ = std::make_shared<PlaceStore>(PlaceStore::InitPlaceStore());
  placeStore_->LoadPlaceNames();
}

void TripsPage::FreePlaceStore() { placeStore_.reset(); }

// A name for column 3 or 4 from the raw coordinate beside it.
QString LookupName(const PlaceStore* store, const QString& coordinate) {
  if (!store || coordinate.isEmpty()) return coordinate;
  return FromLocalBytes(store->LookupPlaceName(ToLocalBytes(coordinate)));
}

void TripsPage::FillTripNames() {
  // Only cells still showing a coordinate are looked up; names stay.
  for (int row = 1; row < sgridTrips->rowCount(); ++row) {
    for (const int shown : {kStartShown, kEndShown}) {
      if (!ShowsCoordinate(CellText(sgridTrips, row, shown))) continue;
      const QString name = LookupName(placeStore_.get(), CellText(sgridTrips, row, shown + kHiddenOffset));
      if (name != CellText(sgridTrips, row, shown)) SetCell(row, shown, name);
    }
  }
}

void TripsPage::RefreshTripNames() {
  for (int row = 1; row < sgridTrips->rowCount(); ++row) {
    for (const int shown : {kStartShown, kEndShown}) {
      const QString name = LookupName(placeStore_.get(), CellText(sgridTrips, row, shown + kHiddenOffset));
      if (name != CellText(sgridTrips, row, shown)) SetCell(row, shown, name);
    }
  }
}

void TripsPage::sgridTripsMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
  if (button != Qt::RightButton) return;
  OpenCoordinateMenu(sgridTrips->rowAt(y), sgridTrips->columnAt(x), QPoint(x, y));
}

bool TripsPage::OpenCoordinateMenu(int row, int column, const QPoint& at) {
  if (row < 0 || (column != kStartShown && column != kEndShown)) return false;
  // The heading row and emptied rows have no raw coordinate.
  if (CellText(sgridTrips, row, column + kHiddenOffset).isEmpty()) return false;
  const bool showsCoordinate = ShowsCoordinate(CellText(sgridTrips, row, column));
  btnNameCoordinate->setVisible(showsCoordinate);
  btnRenameCoordinate->setVisible(!showsCoordinate);
  ClickedRow = row;
  ClickedCoordColumn = column + kHiddenOffset;
  pmenuCoordinate->popup(sgridTrips->viewport()->mapToGlobal(at));
  return true;
}

void TripsPage::OpenCoordinateMenuAtCurrentCell() {
  const QModelIndex current = sgridTrips->currentIndex();
  if (!current.isValid() || sgridTrips->isRowHidden(current.row())) return;
  sgridTrips->scrollTo(current);
  // Just below the cell, so that its text stays in view.
  const QRect cell = sgridTrips->visualRect(current);
  OpenCoordinateMenu(current.row(), current.column(), QPoint(cell.left(), cell.bottom() + 1));
}

void TripsPage::OpeninGoogleMaps1Click() { OpenCoordinateInMap(ClickedCoordColumn, ClickedRow); }

void TripsPage::OpenTripInMapClick() { OpenRouteInMap(ClickedRow); }

void TripsPage::OpenRouteInMap(int row) {
  if (row <= 0 || row >= sgridTrips->rowCount()) return;
  const std::string bytes = MapRouteAddress(ToBytes(CellText(sgridTrips, row, kStartRaw)),
                                            ToBytes(CellText(sgridTrips, row, kEndRaw)));
  const QString address = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (!shell_.OpenAddress(address))
    prompts_.ShowMessage(tr("No web browser could be started to show the trip. "
                                        "Open this address in a browser:\n%1")
                             .arg(address));
}

void TripsPage::OpenCoordinateInMap(int column, int row) {
  if (row < 0 || row >= sgridTrips->rowCount() || column < 0 || column >= sgridTrips->columnCount())
    return;
  const std::string bytes = MapAddress(ToBytes(CellText(sgridTrips, row, column)));
  const QString address = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (!shell_.OpenAddress(address))
    prompts_.ShowMessage(tr("No web browser could be started to show the position. "
                                        "Open this address in a browser:\n%1")
                             .arg(address));
}

void TripsPage::btnNameCoordinateClick() {
  QString name;
  if (!prompts_.InputBox(tr("Name Coordinate"), tr("Coordinate Name:"), name) ||
      name.isEmpty())
    return;
  const QString coordinate = CellText(sgridTrips, ClickedRow, ClickedCoordColumn);
  if (const QString problem = NameProblem(name); !problem.isEmpty()) {
    prompts_.ShowMessage(problem);
  } else if (placeStore_ && !placeStore_->AddPlaceName(ToLocalBytes(name), ToLocalBytes(coordinate))) {
    if (placeStore_->LastError() == PlaceStoreError::kNameExists) {
      prompts_.ShowMessage(tr("Name already Exists!"));
    } else {
      prompts_.ShowMessage(Translated(placeStore_->LastErrorMessage()));
    }
  }
  if (placeStore_) placeStore_->LoadPlaceNames();
  RefreshTripNames();
}

void TripsPage::btnRenameCoordinateClick() {
  const QString oldName = CellText(sgridTrips, ClickedRow, ClickedCoordColumn - kHiddenOffset);
  QString name = oldName;
  if (!prompts_.InputBox(tr("Rename Coordinate"), tr("Coordinate Name:"), name))
    return;
  if (name == oldName) return;
  // An empty name deletes the place.
  if (const QString problem = name.isEmpty() ? QString() : NameProblem(name); !problem.isEmpty()) {
    prompts_.ShowMessage(problem);
  } else if (placeStore_ && !placeStore_->RewritePlaceNames(ToLocalBytes(oldName), ToLocalBytes(name))) {
    // Two places of one name could no longer be told apart, nor deleted one
    // at a time: refused, as adding is.
    if (placeStore_->LastError() == PlaceStoreError::kNameExists) {
      prompts_.ShowMessage(tr("Name already Exists!"));
    } else if (placeStore_->LastError() != PlaceStoreError::kNameNotFound) {
      // A name no longer in the file simply vanishes at the reload; anything
      // else means the change was not stored.
      prompts_.ShowMessage(Translated(placeStore_->LastErrorMessage()));
    }
  }
  if (placeStore_) placeStore_->LoadPlaceNames();
  RefreshTripNames();
}

void TripsPage::btnDeleteNameClick() {
  const QString name = CellText(sgridTrips, ClickedRow, ClickedCoordColumn - kHiddenOffset);
  QString question = tr("Delete coordinate name: ") + name + QStringLiteral("?");
  // Every place of the name goes: say so when that is more than the one clicked.
  const int places = placeStore_ ? placeStore_->CountPlacesNamed(ToLocalBytes(name)) : 0;
  if (places > 1)
    question += QStringLiteral("\n\n%1 places have this name; all %1 will be removed.").arg(places);
  if (!prompts_.AskYesNo(tr("Delete name"), question)) return;
  if (placeStore_ && !placeStore_->RewritePlaceNames(ToLocalBytes(name), std::string()) &&
      placeStore_->LastError() != PlaceStoreError::kNameNotFound)
    prompts_.ShowMessage(Translated(placeStore_->LastErrorMessage()));
  if (placeStore_) placeStore_->LoadPlaceNames();
  RefreshTripNames();
}

}  // namespace wr
