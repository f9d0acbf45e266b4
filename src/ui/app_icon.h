// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QIcon>

namespace wr {

// The application's icon: the installed one from the icon theme when the
// desktop has it, else the copy built into the program.
QIcon AppIcon();

}  // namespace wr
