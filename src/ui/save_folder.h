// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where the tool's save dialogs open: the folder the user last saved into,
// kept in the tool's settings, or a folder that exists on every account.
#include <QString>

namespace wr {

// The folder last saved into while it still exists; else the documents
// folder when the account has one; else the home folder.
QString SaveFolder();
// The documents folder when it exists, else the home folder.
QString DefaultSaveFolder();
// Remembers the folder of a file just written.
void RememberSaveFolder(const QString& file);

}  // namespace wr
