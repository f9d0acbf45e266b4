// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/desktop_shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace wr {

bool QtDesktopShell::OpenAddress(const QString& address) {
  // The address is already encoded by the caller; keep it byte for byte.
  return QDesktopServices::openUrl(QUrl::fromEncoded(address.toUtf8(), QUrl::TolerantMode));
}

}  // namespace wr
