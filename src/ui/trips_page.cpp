// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/trips_page.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <vector>

#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/desktop_shell.h"
#include "ui/operation_runner.h"
#include "ui/prompts.h"
#include "ui/trips_page_parts.h"
#include "ui/widget_names.h"

namespace wr {

QString CellText(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text() : QString();
}

bool ShowsCoordinate(const QString& text) { return text.contains(QLatin1Char(',')); }

QString TripCount(size_t n) {
  return n == 1 ? TripsPage::tr("1 trip") : TripsPage::tr("%n trips", nullptr, static_cast<int>(n));
}

namespace {

// How long the unit may take to list its trips for an export or the delete
// question; a long log is a few hundred lines.
constexpr int kTripListingMs = 30000;

}  // namespace

TripsPage::TripsPage(UnitSession& session, Prompts& prompts, DesktopShell& shell, QWidget* parent)
    : QWidget(parent), session_(session), prompts_(prompts), shell_(shell) {
  setObjectName(QStringLiteral("TabSheet1"));
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->setSpacing(0);

  sgridTrips = Named(new QTableWidget(2, kTripColumns), "sgridTrips");
  sgridTrips->setAccessibleName(tr("Trips"));
  // Row 0 holds the headings, as the rest of the tool expects; the header
  // above the rows shows them, so they stay in view when the list scrolls.
  sgridTrips->horizontalHeader()->setSectionsClickable(false);
  sgridTrips->horizontalHeader()->setHighlightSections(false);
  sgridTrips->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  sgridTrips->verticalHeader()->hide();
  sgridTrips->verticalHeader()->setDefaultSectionSize(18);
  sgridTrips->horizontalHeader()->setDefaultSectionSize(50);
  sgridTrips->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgridTrips->setSelectionMode(QAbstractItemView::ExtendedSelection);
  sgridTrips->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Columns widened for their content may need more than the grid's width.
  sgridTrips->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  sgridTrips->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  sgridTrips->setShowGrid(true);
  // Tab moves on to the buttons, as it does everywhere else in the window.
  sgridTrips->setTabKeyNavigation(false);
  // One line per cell, cut with an ellipsis; the tooltip shows the rest.
  sgridTrips->setWordWrap(false);
  sgridTrips->setItemDelegate(NewTripCellDelegate(sgridTrips));
  sgridTrips->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  sgridTrips->installEventFilter(this);
  sgridTrips->viewport()->installEventFilter(this);
  sgridTrips->horizontalHeader()->viewport()->installEventFilter(this);
  page->addWidget(sgridTrips, 1);

  Panel2 = Named(new QWidget, "Panel2");
  Panel2->setFixedHeight(38);
  auto* bar = new QHBoxLayout(Panel2);
  bar->setContentsMargins(6, 6, 6, 4);
  bar->addStretch(1);
  auto tripButton = [this](const char* name, const QString& caption, QStyle::StandardPixmap icon) {
    auto* button = Named(new QPushButton(style()->standardIcon(icon), caption), name);
    // At least the usual width; wider when the caption needs it.
    button->setMinimumWidth(109);
    button->setFixedHeight(28);
    button->setEnabled(false);
    return button;
  };
  btnDeleteAll = tripButton("btnDeleteAll", tr("&Delete All Trips"), QStyle::SP_TrashIcon);
#ifdef _WIN32
  btnExcel = tripButton("btnExcel", tr("Export to Excel"), QStyle::SP_FileDialogDetailedView);
#else
  btnExcel = tripButton("btnExcel", tr("Export Trips..."), QStyle::SP_DialogSaveButton);
#endif
  btnGetTrips = tripButton("btnGetTrips", tr("Show Trips"), QStyle::SP_BrowserReload);
  bar->addWidget(btnDeleteAll);
  bar->addWidget(btnExcel);
  bar->addWidget(btnGetTrips);
  connect(btnDeleteAll, &QPushButton::clicked, this, &TripsPage::btnDeleteAllClick);
  connect(btnExcel, &QPushButton::clicked, this, &TripsPage::btnExcelClick);
  connect(btnGetTrips, &QPushButton::clicked, this, &TripsPage::btnGetTripsClick);
  page->addWidget(Panel2);

  BuildCoordinateMenu();
  InitPlaceStore();
  SetUpTripGrid();

  UnitModel& model = session_.Model();
  connect(&model, &UnitModel::tripReceived, this, &TripsPage::HandleTripsLine);
  connect(&model, &UnitModel::tripsReset, this, &TripsPage::ResetRows);
  connect(&model, &UnitModel::cleared, this, [this] { ResetRows(true); });
  // Show Trips' listing is over once the unit has answered every command.
  connect(&session_, &UnitSession::drained, this, [this] {
    if (listedOn_ >= 0 && !listingDone_ && session_.Outstanding() == 0) listingDone_ = true;
  });
}

TripsPage::~TripsPage() { FreePlaceStore(); }

void TripsPage::SetUnitControlsEnabled(bool enabled) {
  unitControlsEnabled_ = enabled;
  // While the page waits for the trip list, its buttons wait too.
  for (QPushButton* b : {btnGetTrips, btnExcel, btnDeleteAll}) b->setEnabled(enabled && !busy_);
}

void TripsPage::ResetRows(bool firstRowEmptied) {
  // Erased, or about to be listed again: a listing sets it back afterwards.
  listedOn_ = -1;
  sgridTrips->setRowCount(2);
  if (firstRowEmptied) {
    for (int c = 0; c < kTripColumns; ++c) SetCell(1, c, QString());
    for (int& width : contentWidth_) width = 0;
    ApplyTripColumnWidths();
  }
}

void TripsPage::HandleTripsLine(int index) {
  const auto& rows = session_.Model().TripRows();
  if (index < 0 || static_cast<size_t>(index) >= rows.size() || !rows[static_cast<size_t>(index)])
    return;
  const TripRecord& trip = *rows[static_cast<size_t>(index)];
  sgridTrips->setRowCount(index + 2);
  const int row = index + 1;
  SetCell(row, 0, FromBytes(trip.date));
  SetCell(row, 1, FromBytes(trip.startTime));
  SetCell(row, 2, FromBytes(trip.endTime));
  const QString start = FromBytes(trip.StartCoordinate());
  const QString end = FromBytes(trip.EndCoordinate());
  // Every other row was looked up against the same place list when it was
  // written, so only this one can change; a pass over all rows would make
  // fetching n trips cost n squared lookups.
  SetCell(row, kStartShown, LookupName(placeStore_.get(), start));
  SetCell(row, kEndShown, LookupName(placeStore_.get(), end));
  SetCell(row, 5, FromBytes(trip.maxSpeedKmh) + tr(" Km/h"));
  SetCell(row, 6, FromBytes(trip.distanceKm) + tr(" Km"));
  SetCell(row, kStartRaw, start);
  SetCell(row, kEndRaw, end);
  WidenForContent(row);
}

void TripsPage::btnGetTripsClick() {
  // The model drops its trips first, which empties row 1 and cuts the grid
  // back to it; the unit's trip lines then fill it again.
  StartOperation(this, MakeTripListing(session_));
  listedOn_ = session_.Connections();
  listingDone_ = false;
}

void TripsPage::FetchTripList(std::function<void(bool listed, const QString& why)> then) {
  busy_ = true;
  SetUnitControlsEnabled(unitControlsEnabled_);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  StartOperation(this, std::make_unique<FetchTripsOperation>(session_, kTripListingMs),
                 [this, then](const UnitSession::Outcome& listed) {
                   QApplication::restoreOverrideCursor();
                   listedOn_ = listed.done ? session_.Connections() : -1;
                   listingDone_ = listed.done;
                   busy_ = false;
                   SetUnitControlsEnabled(unitControlsEnabled_);
                   if (!listed.interrupted) then(listed.done, listed.message);
                 });
}

bool TripsPage::TripsCurrent() const {
  return listedOn_ >= 0 && listedOn_ == session_.Connections() && listingDone_ &&
         session_.IsConnected() && !busy_;
}

QString TripsPage::TripsErasedText() const {
  if (!TripsCurrent())
    return tr("How many trips the unit holds is not known: they have not been listed "
                          "since it was connected.");
  const size_t count = session_.Model().Trips().size();
  if (count == 0) return tr("The unit lists no trips.");
  if (count == 1) return tr("The unit's 1 trip will be deleted.");
  return tr("All %n trips of the unit will be deleted.", nullptr, static_cast<int>(count));
}

void TripsPage::OfferExportBeforeErasing(const QString& caption, const QString& notDone,
                                         std::function<void(bool)> then) {
  const bool current = TripsCurrent();
  std::vector<TripRecord> trips;
  if (current) {
    trips = session_.Model().Trips();
    if (trips.empty()) return then(true);
  }
  const QString question =
      current ? tr("Export the %1 before deleting %2?")
                    .arg(TripCount(trips.size()),
                         trips.size() == 1 ? tr("it") : tr("them"))
              : tr("Export the unit's trips before deleting them?");
  if (!prompts_.AskYesNo(caption, question)) return then(true);
  if (current) return then(ExportTripList(trips, notDone) == ExportResult::kWritten);
  // Only now, for the export the user asked for, is the unit asked.
  FetchTripList([this, notDone, then](bool listed, const QString& why) {
    if (!listed) {
      prompts_.ShowMessage(
          tr("The trips could not be exported: the unit did not list them.") +
              (why.isEmpty() ? QString() : QLatin1Char('\n') + why) + QLatin1Char('\n') + notDone,
          MessageKind::Warning);
      return then(false);
    }
    const std::vector<TripRecord> listedTrips = session_.Model().Trips();
    if (listedTrips.empty()) return then(true);
    then(ExportTripList(listedTrips, notDone) == ExportResult::kWritten);
  });
}

void TripsPage::btnDeleteAllClick() {
  if (busy_) return;
  if (!session_.IsConnected()) {
    prompts_.ShowMessage(tr("The unit is no longer connected."), MessageKind::Warning);
    return;
  }
  // Asked before anything goes to the unit: No leaves unit and grid as they are.
  if (!prompts_.AskYesNo(tr("Delete All"),
                         tr("Are you sure you want to delete all trips?\n\n") +
                             TripsErasedText()))
    return;
  OfferExportBeforeErasing(tr("Delete All"), tr("No trip was deleted."), [this](bool go) {
    if (!go || !session_.IsConnected()) return;
    StartOperation(this, MakeDeleteTrips(session_));
    listedOn_ = -1;
    RefreshTripNames();
  });
}

}  // namespace wr
