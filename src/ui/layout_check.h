// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Finds controls that a layout gives less room than their text needs, as a
// larger font or a fixed size in the code would: what a user would see cut.
#include <QStringList>

class QWidget;

namespace wr {

// One line per visible label, button, check box, combo box, group box or
// tab bar under top (top included) that is narrower or lower than its
// smallest size, naming it by objectName (or its text) and both sizes.
// Labels that wrap their text are left out: they need no fixed width.
// Tables count too: each visible column whose heading, or one of whose
// cells in view, is narrower than its text needs.
QStringList CutControls(const QWidget& top);

}  // namespace wr
