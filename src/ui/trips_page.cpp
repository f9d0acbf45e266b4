// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/trips_page.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/trip_export.h"
#include "places/map_address.h"
#include "places/place_store.h"
#include "session/unit_operations.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/desktop_shell.h"
#include "ui/operation_runner.h"
#include "ui/prompts.h"
#include "ui/save_folder.h"
#include "ui/spreadsheet_export.h"
#include "ui/widget_names.h"

namespace wr {
namespace {

// Columns of the trip grid.
constexpr int kStartShown = 3;
constexpr int kEndShown = 4;
constexpr int kHiddenOffset = 4;  // shown column + 4 = its raw coordinate
constexpr int kStartRaw = kStartShown + kHiddenOffset;
constexpr int kEndRaw = kEndShown + kHiddenOffset;

const char* kTripHeadings[] = {"Date", "Start", "End", "Start coordinates", "End coordinates",
                               "Max Speed", "Distance"};

QString CellText(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text() : QString();
}

bool ShowsCoordinate(const QString& text) { return text.contains(QLatin1Char(',')); }

// How long the unit may take to list its trips for an export or the delete
// question; a long log is a few hundred lines.
constexpr int kTripListingMs = 30000;

// Shows a cell's whole text as its tooltip when the column is too narrow
// for it, and no tooltip otherwise; frames the current cell, which the menu
// key acts on, inside the selected row.
class TripCellDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    // The style's own focus frame is drawn in the selection's colour and
    // cannot be seen on a selected row.
    if (!(option.state & QStyle::State_HasFocus)) return;
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    const QColor frame =
        option.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight);
    painter->setPen(QPen(frame, 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    painter->restore();
  }

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip)
      return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (index.isValid() && IsCut(option, index)) {
      QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(),
                         view->viewport(), option.rect);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }

 private:
  // The style elides exactly when the text and its margins need more than
  // the cell, which is what the size hint measures.
  bool IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return !index.data(Qt::DisplayRole).toString().isEmpty() &&
           sizeHint(option, index).width() > option.rect.width();
  }
};

// The user's settings of this tool.
std::unique_ptr<QSettings> UserSettings() {
  QString organisation = QCoreApplication::organizationName();
  if (organisation.isEmpty()) organisation = QStringLiteral("Wayrunner");
  return std::make_unique<QSettings>(organisation, QCoreApplication::applicationName());
}
constexpr char kExportFormatKey[] = "trips/exportFormat";

struct ExportFilter {
  TripExportFormat format;
  const char* text;
};
constexpr ExportFilter kExportFilters[] = {
    {TripExportFormat::kCsv, "CSV table (*.csv)"},
    {TripExportFormat::kGpx, "GPX tracks (*.gpx)"},
    {TripExportFormat::kKml, "KML map (*.kml)"},
    {TripExportFormat::kXlsx, "xlsx workbook (*.xlsx)"},
};

QString FormatName(TripExportFormat format) {
  const std::string_view name = TripExportFormatName(format);
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

std::optional<TripExportFormat> FormatOfFilter(const QString& filter) {
  for (const ExportFilter& f : kExportFilters)
    if (filter == QLatin1String(f.text)) return f.format;
  return std::nullopt;
}

QString FilterOf(TripExportFormat format) {
  for (const ExportFilter& f : kExportFilters)
    if (f.format == format) return QString::fromLatin1(f.text);
  return QString();
}

QString TripCount(size_t n) {
  return n == 1 ? QStringLiteral("1 trip") : QStringLiteral("%1 trips").arg(n);
}

// How the user tells the trips apart: the grid's date and times.
QString TripLabel(const TripRecord& trip) {
  return QStringLiteral("%1 %2 to %3")
      .arg(FromBytes(trip.date), FromBytes(trip.startTime), FromBytes(trip.endTime));
}

// The file name offered: the unit and the day, so that one folder can hold
// the exports of many units.
QString SuggestedFileName(const std::string& deviceId, TripExportFormat format) {
  QString unit = FromBytes(deviceId);
  unit.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")));
  QString name = QStringLiteral("trips");
  if (!unit.isEmpty()) name += QLatin1Char('-') + unit;
  return name + QLatin1Char('-') + QDate::currentDate().toString(Qt::ISODate) + QLatin1Char('.') +
         FormatName(format);
}

// Empty when the name can be given to a place; otherwise why not.
QString NameProblem(const QString& name) {
  const std::string problem = PlaceStore::PlaceNameProblem(ToLocalBytes(name));
  if (!problem.empty()) return FromBytes(problem);
  // Characters the file's code page lacks would be stored as something else.
  if (!FitsLocalCodePage(name))
    return QStringLiteral("A place name can only hold characters of this computer's character set.");
  return QString();
}

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
  sgridTrips->setItemDelegate(new TripCellDelegate(sgridTrips));
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
  btnDeleteAll = tripButton("btnDeleteAll", QStringLiteral("&Delete All Trips"), QStyle::SP_TrashIcon);
#ifdef _WIN32
  btnExcel = tripButton("btnExcel", QStringLiteral("Export to Excel"), QStyle::SP_FileDialogDetailedView);
#else
  btnExcel = tripButton("btnExcel", QStringLiteral("Export Trips..."), QStyle::SP_DialogSaveButton);
#endif
  btnGetTrips = tripButton("btnGetTrips", QStringLiteral("Show Trips"), QStyle::SP_BrowserReload);
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

void TripsPage::BuildCoordinateMenu() {
  pmenuCoordinate = Named(new QMenu(this), "pmenuCoordinate");
  OpeninGoogleMaps1 = Named(pmenuCoordinate->addAction(QStringLiteral("Open in Google Maps")),
                            "OpeninGoogleMaps1");
  OpenTripInMap = Named(pmenuCoordinate->addAction(QStringLiteral("Open Trip in Google Maps")),
                        "OpenTripInMap");
  btnNameCoordinate = Named(pmenuCoordinate->addAction(QStringLiteral("Name Coordinate")),
                            "btnNameCoordinate");
  btnRenameCoordinate = Named(pmenuCoordinate->addAction(QStringLiteral("Rename Coordinate")),
                              "btnRenameCoordinate");
  btnDeleteName = Named(pmenuCoordinate->addAction(QStringLiteral("Delete Name")), "btnDeleteName");
  connect(OpeninGoogleMaps1, &QAction::triggered, this, &TripsPage::OpeninGoogleMaps1Click);
  connect(OpenTripInMap, &QAction::triggered, this, &TripsPage::OpenTripInMapClick);
  connect(btnNameCoordinate, &QAction::triggered, this, &TripsPage::btnNameCoordinateClick);
  connect(btnRenameCoordinate, &QAction::triggered, this, &TripsPage::btnRenameCoordinateClick);
  connect(btnDeleteName, &QAction::triggered, this, &TripsPage::btnDeleteNameClick);
}

void TripsPage::SetCell(int row, int column, const QString& text) {
  QTableWidgetItem* item = sgridTrips->item(row, column);
  if (!item) {
    sgridTrips->setItem(row, column, new QTableWidgetItem(text));
  } else {
    item->setText(text);
  }
}

void TripsPage::SetUpTripGrid() {
  // The raw coordinates stay in the grid but are never seen.
  sgridTrips->setColumnWidth(7, 0);
  sgridTrips->setColumnWidth(8, 0);
  sgridTrips->setColumnHidden(7, true);
  sgridTrips->setColumnHidden(8, true);
  QStringList headings;
  for (int c = 0; c < kTripColumns; ++c) {
    headings << (c < 7 ? QString::fromLatin1(kTripHeadings[c]) : QString());
    SetCell(0, c, headings.back());
    QTableWidgetItem* heading = sgridTrips->item(0, c);
    heading->setBackground(palette().button());
    heading->setFlags(Qt::ItemIsEnabled);
  }
  sgridTrips->setHorizontalHeaderLabels(headings);
  sgridTrips->setRowHidden(0, true);
  ApplyTripColumnWidths();
  // A width the user drags stays the column's least width.
  connect(sgridTrips->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) {
            if (!applyingWidths_ && column < kShownColumns) userWidth_[column] = width;
          });
}

void TripsPage::WidenForContent(int row) {
  // Every text must be readable whole: the width rule gives the minimum, the
  // widest text shown so far may ask for more.
  bool wider = false;
  for (int c = 0; c < kWidenedColumns; ++c) {
    const QModelIndex index = sgridTrips->model()->index(row, c);
    if (index.data(Qt::DisplayRole).toString().isEmpty()) continue;
    // The grid line takes a pixel of the column.
    const int needed = sgridTrips->sizeHintForIndex(index).width() + (sgridTrips->showGrid() ? 1 : 0);
    if (needed > contentWidth_[c]) {
      contentWidth_[c] = needed;
      wider = wider || needed > sgridTrips->columnWidth(c);
    }
  }
  if (wider) ApplyTripColumnWidths();
}

int TripsPage::HeadingWidth(int c) const {
  return std::max(0, sgridTrips->horizontalHeader()->sectionSizeHint(c));
}

namespace {

// The width rule: shares of the grid's width w, and no column narrower than
// it needs (need: its heading, its widest text, the user's drag).
void RuleWidths(int w, const int need[7], int widths[7]) {
  widths[0] = w / 10;
  widths[1] = w / 13;
  widths[2] = w / 13;
  widths[3] = static_cast<int>(static_cast<double>(w) * 2.0 / 9.0);
  widths[4] = widths[3];
  widths[5] = w / 8;
  for (int c = 0; c < 6; ++c) widths[c] = std::max(widths[c], need[c]);
  // The last takes what is left when that is more.
  widths[6] = std::max(need[6], w - (widths[0] + widths[1] + widths[2] + widths[3] + widths[4] +
                                     widths[5]) - 28);
}

}  // namespace

QSize TripsPage::sizeHint() const {
  // A trip's widest texts: a date, two times, two positions, a speed and a
  // distance as the unit reports them.
  static const char* const kSamples[kShownColumns] = {"00/00/00", "00:00:00", "00:00:00",
                                                      "-00.000000,-000.000000", "-00.000000,-000.000000",
                                                      "000 Km/h", "0000.0 Km"};
  const QFontMetrics metrics(sgridTrips->font());
  int need[kShownColumns];
  int total = 0;
  for (int c = 0; c < kShownColumns; ++c) {
    need[c] = std::max(HeadingWidth(c),
                       metrics.horizontalAdvance(QString::fromLatin1(kSamples[c])) + kCellPadding);
    total += need[c];
  }
  // The frame and a vertical scroll bar; then the least width at which the
  // rule's columns fit beside them.
  const int extra = 2 * sgridTrips->frameWidth() +
                    sgridTrips->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, sgridTrips);
  int width = total + extra;
  for (int tries = 0; tries < 200; ++tries, width += 4) {
    int widths[kShownColumns];
    RuleWidths(width, need, widths);
    int sum = 0;
    for (const int w : widths) sum += w;
    if (sum <= width - extra) break;
  }
  return QWidget::sizeHint().expandedTo(QSize(width, 0));
}

void TripsPage::ApplyTripColumnWidths() {
  if (!sgridTrips) return;
  int need[kShownColumns];
  for (int c = 0; c < kShownColumns; ++c)
    need[c] = std::max({HeadingWidth(c), c < kWidenedColumns ? contentWidth_[c] : 0, userWidth_[c]});
  int widths[kShownColumns];
  RuleWidths(sgridTrips->width(), need, widths);
  applyingWidths_ = true;
  for (int c = 0; c < kShownColumns; ++c) sgridTrips->setColumnWidth(c, widths[c] > 0 ? widths[c] : 0);
  applyingWidths_ = false;
}

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

bool TripsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sgridTrips && event->type() == QEvent::Resize) {
    ApplyTripColumnWidths();
  } else if (watched == sgridTrips && event->type() == QEvent::KeyPress) {
    // The menu key, and Shift+F10 where there is none.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Menu ||
        (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
      OpenCoordinateMenuAtCurrentCell();
      return true;
    }
  } else if (sgridTrips && (watched == sgridTrips || watched == sgridTrips->viewport()) &&
             event->type() == QEvent::ContextMenu &&
             static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
    // Some desktops turn the menu key into this event rather than a key press.
    OpenCoordinateMenuAtCurrentCell();
    return true;
  } else if (sgridTrips && watched == sgridTrips->horizontalHeader()->viewport() &&
             event->type() == QEvent::ToolTip) {
    ShowCutHeadingTip(*static_cast<QHelpEvent*>(event));
    return true;
  } else if (sgridTrips && watched == sgridTrips->viewport() &&
             event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint p = mouse->position().toPoint();
    sgridTripsMouseDown(mouse->button(), mouse->modifiers(), p.x(), p.y());
  }
  return QWidget::eventFilter(watched, event);
}

void TripsPage::ShowCutHeadingTip(const QHelpEvent& help) {
  // A heading cut by a narrow column shows whole, as a cut cell does.
  const QHeaderView* header = sgridTrips->horizontalHeader();
  const int column = header->logicalIndexAt(help.pos());
  const QString text =
      column < 0 ? QString() : sgridTrips->model()->headerData(column, Qt::Horizontal).toString();
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  if (text.isEmpty() ||
      header->fontMetrics().horizontalAdvance(text) + 2 * margin <= header->sectionSize(column)) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(help.globalPos(), text, header->viewport(),
                     QRect(header->sectionViewportPosition(column), 0, header->sectionSize(column),
                           header->height()));
}

void TripsPage::InitPlaceStore() {
  // Without a data folder the path is empty and the store quietly holds nothing.
  placeStore_ = std::make_shared<PlaceStore>(PlaceStore::InitPlaceStore());
  placeStore_->LoadPlaceNames();
}

void TripsPage::FreePlaceStore() { placeStore_.reset(); }

// A name for column 3 or 4 from the raw coordinate beside it.
static QString LookupName(const PlaceStore* store, const QString& coordinate) {
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
  SetCell(row, 5, FromBytes(trip.maxSpeedKmh) + QStringLiteral(" Km/h"));
  SetCell(row, 6, FromBytes(trip.distanceKm) + QStringLiteral(" Km"));
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
    return QStringLiteral("How many trips the unit holds is not known: they have not been listed "
                          "since it was connected.");
  const size_t count = session_.Model().Trips().size();
  if (count == 0) return QStringLiteral("The unit lists no trips.");
  if (count == 1) return QStringLiteral("The unit's 1 trip will be deleted.");
  return QStringLiteral("All %1 trips of the unit will be deleted.").arg(count);
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
      current ? QStringLiteral("Export the %1 before deleting %2?")
                    .arg(TripCount(trips.size()),
                         trips.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"))
              : QStringLiteral("Export the unit's trips before deleting them?");
  if (!prompts_.AskYesNo(caption, question)) return then(true);
  if (current) return then(ExportTripList(trips, notDone) == ExportResult::kWritten);
  // Only now, for the export the user asked for, is the unit asked.
  FetchTripList([this, notDone, then](bool listed, const QString& why) {
    if (!listed) {
      prompts_.ShowMessage(
          QStringLiteral("The trips could not be exported: the unit did not list them.") +
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
    prompts_.ShowMessage(QStringLiteral("The unit is no longer connected."), MessageKind::Warning);
    return;
  }
  // Asked before anything goes to the unit: No leaves unit and grid as they are.
  if (!prompts_.AskYesNo(QStringLiteral("Delete All"),
                         QStringLiteral("Are you sure you want to delete all trips?\n\n") +
                             TripsErasedText()))
    return;
  OfferExportBeforeErasing(QStringLiteral("Delete All"), QStringLiteral("No trip was deleted."),
                           [this](bool go) {
                             if (!go || !session_.IsConnected()) return;
                             StartOperation(this, MakeDeleteTrips(session_));
                             listedOn_ = -1;
                             RefreshTripNames();
                           });
}

void TripsPage::btnExcelClick() {
#ifdef _WIN32
  ExportToSpreadsheet();
#else
  ExportTrips();
#endif
}

void TripsPage::ExportTrips(std::function<void(bool)> done) {
  if (busy_) {
    if (done) done(false);
    return;
  }
  const auto exportListed = [this, done] {
    const std::vector<TripRecord> trips = session_.Model().Trips();
    bool written = false;
    if (trips.empty())
      prompts_.ShowMessage(session_.IsConnected()
                               ? QStringLiteral("The unit has no trips to export.")
                               : QStringLiteral("There are no trips to export. Connect the unit "
                                                "and press \"Show Trips\" first."));
    else
      written = ExportTripList(trips, QString()) == ExportResult::kWritten;
    if (done) done(written);
  };
  if (!session_.Model().Trips().empty() || !session_.IsConnected()) return exportListed();
  FetchTripList([this, done, exportListed](bool listed, const QString& why) {
    if (listed) return exportListed();
    prompts_.ShowMessage(
        QStringLiteral("The trips could not be exported: the unit did not list them.") +
        (why.isEmpty() ? QString() : QLatin1Char('\n') + why));
    if (done) done(false);
  });
}

TripsPage::ExportResult TripsPage::ExportTripList(const std::vector<TripRecord>& trips,
                                                  const QString& notDone) {
  const std::unique_ptr<QSettings> settings = UserSettings();
  const QString folder = SaveFolder();
  const QString lastFormat = settings->value(QLatin1String(kExportFormatKey)).toString();
  TripExportFormat format =
      TripExportFormatFromName(lastFormat.toStdString()).value_or(TripExportFormat::kCsv);
  if (!TripExportFormatAvailable(format)) format = TripExportFormat::kCsv;

  QStringList filters;
  for (const ExportFilter& f : kExportFilters)
    if (TripExportFormatAvailable(f.format)) filters << QString::fromLatin1(f.text);
  QString selectedFilter = FilterOf(format);
  const QString suggested =
      QDir(folder).filePath(SuggestedFileName(session_.Model().DeviceId(), format));
  QString file = prompts_.SaveFile(QStringLiteral("Export Trips"),
                                   filters.join(QStringLiteral(";;")), suggested, &selectedFilter);
  if (file.isEmpty()) return ExportResult::kCancelled;

  // A name's own extension names the format; without one the chosen filter
  // does, and its extension is added.
  if (const auto named = TripExportFormatFromPath(std::filesystem::u8path(file.toStdString()))) {
    format = *named;
  } else {
    format = FormatOfFilter(selectedFilter).value_or(format);
    file += QLatin1Char('.') + FormatName(format);
    // The dialog asked about the name without the extension.
    if (QFileInfo::exists(file) &&
        !prompts_.AskYesNo(QStringLiteral("Export Trips"),
                           QStringLiteral("%1 already exists.\nDo you want to replace it?")
                               .arg(QDir::toNativeSeparators(file))))
      return ExportResult::kCancelled;
  }
  const QString nativeFile = QDir::toNativeSeparators(file);
  auto fail = [&](const QString& why) {
    QString message = QStringLiteral("The trips were not exported.\n") + why;
    if (!notDone.isEmpty()) message += QLatin1Char('\n') + notDone;
    prompts_.ShowMessage(message);
    return ExportResult::kFailed;
  };
  if (!TripExportFormatAvailable(format))
    return fail(QStringLiteral("This build of Wayrunner Track cannot write %1 files.")
                    .arg(FormatName(format)));

  // Names as the grid shows them; the store holds the system's code page,
  // the export takes UTF-8.
  const std::shared_ptr<PlaceStore> store = placeStore_;
  const PlaceNamer namer = [store](const std::string& coordinate) {
    return store ? ToBytes(FromLocalBytes(store->LookupPlaceName(coordinate))) : std::string();
  };
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TripExportResult written =
      WriteTripExport(std::filesystem::u8path(nativeFile.toStdString()), format, trips, namer);
  QApplication::restoreOverrideCursor();
  if (!written.ok)
    return fail(written.error.empty()
                    ? QStringLiteral("The trips could not be written to %1.").arg(nativeFile)
                    : FromBytes(written.error));

  RememberSaveFolder(file);
  settings->setValue(QLatin1String(kExportFormatKey), FormatName(format));

  QString done = QStringLiteral("%1 exported to\n%2")
                     .arg(TripCount(trips.size() - written.leftOut.size()), nativeFile);
  if (!written.leftOut.empty()) {
    // Only GPX and KML leave trips out: they can draw no line without both ends.
    done += written.leftOut.size() == 1
                ? QStringLiteral("\n\n1 trip was left out because its start or end position is "
                                 "missing or unreadable:")
                : QStringLiteral("\n\n%1 trips were left out because their start or end position "
                                 "is missing or unreadable:").arg(written.leftOut.size());
    constexpr size_t kListed = 10;
    size_t listed = 0;
    for (const int32_t index : written.leftOut) {
      if (listed == kListed) break;
      for (const TripRecord& trip : trips)
        if (trip.index == index) {
          done += QStringLiteral("\n") + TripLabel(trip);
          ++listed;
          break;
        }
    }
    if (written.leftOut.size() > listed)
      done += QStringLiteral("\nand %1 more").arg(written.leftOut.size() - listed);
  }
  prompts_.ShowMessage(done);
  return ExportResult::kWritten;
}

void TripsPage::ExportToSpreadsheet() {
  const int columns = sgridTrips->columnCount() - 2;  // the raw coordinates stay behind
  std::vector<std::vector<std::string>> rows(static_cast<size_t>(sgridTrips->rowCount()));
  for (int r = 0; r < sgridTrips->rowCount(); ++r)
    for (int c = 0; c < columns; ++c) rows[static_cast<size_t>(r)].push_back(ToLocalBytes(CellText(sgridTrips, r, c)));
  std::unique_ptr<SpreadsheetAutomation> program = CreateSpreadsheetAutomation(prompts_, shell_);
  if (!program || !ExportTripsToSpreadsheet(*program, rows, columns))
    prompts_.ShowMessage(QString::fromLatin1(kExportFailureMessage));
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
    prompts_.ShowMessage(QStringLiteral("No web browser could be started to show the trip. "
                                        "Open this address in a browser:\n%1")
                             .arg(address));
}

void TripsPage::OpenCoordinateInMap(int column, int row) {
  if (row < 0 || row >= sgridTrips->rowCount() || column < 0 || column >= sgridTrips->columnCount())
    return;
  const std::string bytes = MapAddress(ToBytes(CellText(sgridTrips, row, column)));
  const QString address = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (!shell_.OpenAddress(address))
    prompts_.ShowMessage(QStringLiteral("No web browser could be started to show the position. "
                                        "Open this address in a browser:\n%1")
                             .arg(address));
}

void TripsPage::btnNameCoordinateClick() {
  QString name;
  if (!prompts_.InputBox(QStringLiteral("Name Coordinate"), QStringLiteral("Coordinate Name:"), name) ||
      name.isEmpty())
    return;
  const QString coordinate = CellText(sgridTrips, ClickedRow, ClickedCoordColumn);
  if (const QString problem = NameProblem(name); !problem.isEmpty()) {
    prompts_.ShowMessage(problem);
  } else if (placeStore_ && !placeStore_->AddPlaceName(ToLocalBytes(name), ToLocalBytes(coordinate))) {
    if (placeStore_->LastError() == PlaceStoreError::kNameExists) {
      prompts_.ShowMessage(QStringLiteral("Name already Exists!"));
    } else {
      prompts_.ShowMessage(FromLocalBytes(placeStore_->LastErrorText()));
    }
  }
  if (placeStore_) placeStore_->LoadPlaceNames();
  RefreshTripNames();
}

void TripsPage::btnRenameCoordinateClick() {
  const QString oldName = CellText(sgridTrips, ClickedRow, ClickedCoordColumn - kHiddenOffset);
  QString name = oldName;
  if (!prompts_.InputBox(QStringLiteral("Rename Coordinate"), QStringLiteral("Coordinate Name:"), name))
    return;
  if (name == oldName) return;
  // An empty name deletes the place.
  if (const QString problem = name.isEmpty() ? QString() : NameProblem(name); !problem.isEmpty()) {
    prompts_.ShowMessage(problem);
  } else if (placeStore_ && !placeStore_->RewritePlaceNames(ToLocalBytes(oldName), ToLocalBytes(name))) {
    // Two places of one name could no longer be told apart, nor deleted one
    // at a time: refused, as adding is.
    if (placeStore_->LastError() == PlaceStoreError::kNameExists) {
      prompts_.ShowMessage(QStringLiteral("Name already Exists!"));
    } else if (placeStore_->LastError() != PlaceStoreError::kNameNotFound) {
      // A name no longer in the file simply vanishes at the reload; anything
      // else means the change was not stored.
      prompts_.ShowMessage(FromLocalBytes(placeStore_->LastErrorText()));
    }
  }
  if (placeStore_) placeStore_->LoadPlaceNames();
  RefreshTripNames();
}

void TripsPage::btnDeleteNameClick() {
  const QString name = CellText(sgridTrips, ClickedRow, ClickedCoordColumn - kHiddenOffset);
  QString question = QStringLiteral("Delete coordinate name: ") + name + QStringLiteral("?");
  // Every place of the name goes: say so when that is more than the one clicked.
  const int places = placeStore_ ? placeStore_->CountPlacesNamed(ToLocalBytes(name)) : 0;
  if (places > 1)
    question += QStringLiteral("\n\n%1 places have this name; all %1 will be removed.").arg(places);
  if (!prompts_.AskYesNo(QStringLiteral("Delete name"), question)) return;
  if (placeStore_ && !placeStore_->RewritePlaceNames(ToLocalBytes(name), std::string()) &&
      placeStore_->LastError() != PlaceStoreError::kNameNotFound)
    prompts_.ShowMessage(FromLocalBytes(placeStore_->LastErrorText()));
  if (placeStore_) placeStore_->LoadPlaceNames();
  RefreshTripNames();
}

}  // namespace wr
