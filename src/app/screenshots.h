// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Pictures of the windows for the documentation, taken by the tool itself.
#include <QDir>

#include <functional>

class QWidget;

namespace wr {

class AppContext;
class SimulatedBus;

// Once a unit is connected and the tabs have their first values (or after a
// time limit), takes every picture into dir as NAME.png (NAME@2x.png at a
// scale factor of 2), prints "NAME<tab>caption" for each on standard output
// and ends the application's loop; its exit code is 1 when a window did not
// fit the screen or showed a control cut, each named on standard error.
// bus: the simulated units the tool runs against, the second one unplugged
// at start (it is plugged in for the picture of several units).
void TakeScreenshotsWhenReady(AppContext& context, const QDir& dir, SimulatedBus* bus);

// What is open for one picture: a window, and up to two menus over it (or
// null).
using WindowVisitor = std::function<void(QWidget* window, QWidget* menu, QWidget* submenu)>;

// Opens the windows and dialogs of the pictures one after another, as for
// the pictures (the same list), hands each to look while it is open and
// closes it again. The tool must be connected to a unit.
void VisitPictureWindows(AppContext& context, SimulatedBus* bus, const WindowVisitor& look);

}  // namespace wr
