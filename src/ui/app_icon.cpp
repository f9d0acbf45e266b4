// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/app_icon.h"

#include "install_layout.h"

// The images live in a static library, whose resources are not registered
// unless asked for by name.
static void LoadIconResources() { Q_INIT_RESOURCE(resources); }

namespace wr {

QIcon AppIcon() {
  LoadIconResources();
  QIcon builtIn;
  for (const char* size : {"48", "128", "256"})
    builtIn.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(size)));
  return QIcon::fromTheme(QString::fromLatin1(install::kAppId), builtIn);
}

}  // namespace wr
