// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The two fonts the windows use, with the platform's nearest equivalent when
// the named face is not installed.
#include <QFont>

namespace wr {

// Tahoma 8 point, else the platform's sans-serif at 8 point.
QFont DialogFont();
// Courier New 10 point, else the platform's fixed-pitch font at 10 point.
QFont TerminalFont();

}  // namespace wr
