// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the files of the Trips tab share: the grid's columns and a few small
// helpers. Only those files include it.
#include <QString>

#include <cstddef>

class QObject;
class QAbstractItemDelegate;
class QTableWidget;

namespace wr {

class PlaceStore;

// Columns of the trip grid.
constexpr int kStartShown = 3;
constexpr int kEndShown = 4;
constexpr int kHiddenOffset = 4;  // shown column + 4 = its raw coordinate
constexpr int kStartRaw = kStartShown + kHiddenOffset;
constexpr int kEndRaw = kEndShown + kHiddenOffset;

// Shown through TripsPage::tr.
inline const char* const kTripHeadings[] = {
    QT_TRANSLATE_NOOP("wr::TripsPage", "Date"),
    QT_TRANSLATE_NOOP("wr::TripsPage", "Start"),
    QT_TRANSLATE_NOOP("wr::TripsPage", "End"),
    QT_TRANSLATE_NOOP("wr::TripsPage", "Start coordinates"),
    QT_TRANSLATE_NOOP("wr::TripsPage", "End coordinates"),
    QT_TRANSLATE_NOOP("wr::TripsPage", "Max Speed"),
    QT_TRANSLATE_NOOP("wr::TripsPage", "Distance")};

QString CellText(const QTableWidget* grid, int row, int column);
bool ShowsCoordinate(const QString& text);
QString TripCount(size_t n);
// A name for column 3 or 4 from the raw coordinate beside it.
QString LookupName(const PlaceStore* store, const QString& coordinate);
// The grid's delegate: a cut cell's whole text as its tooltip, and a frame
// around the current cell.
QAbstractItemDelegate* NewTripCellDelegate(QObject* parent);

}  // namespace wr
