// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where a window that remembers its place opens: its remembered rectangle,
// kept on a screen that is still there and no larger than that screen.
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace wr {

// The rectangle to open at. saved: the remembered one (ignored when
// invalid); screens: the available areas of the screens now attached;
// primary: the one to fall back to. A window whose remembered place lies
// on no screen now (a screen since removed) is centred on primary; one
// larger than its screen is shrunk to it, but never below minimum; one
// partly off its screen is moved onto it.
QRect FitWindowRect(const QRect& saved, const QSize& minimum, const QList<QRect>& screens,
                    const QRect& primary);

// The window's place and state under group in the application's settings.
void SaveWindowGeometry(const QWidget& window, const QString& group);
// Places the window where it was (see FitWindowRect) and maximises it when
// it was; false when nothing was remembered, leaving the window as it is.
bool RestoreWindowGeometry(QWidget& window, const QString& group);

// Shows the window in front of the others, restored when minimised.
void ShowInFront(QWidget& window);

}  // namespace wr
