// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Opening an address with the desktop's default program. Real windows get
// QtDesktopShell; tests record the address instead.
#include <QString>

namespace wr {

class DesktopShell {
 public:
  virtual ~DesktopShell() = default;
  // Hands the address to the desktop; false when it could not be handed over.
  virtual bool OpenAddress(const QString& address) = 0;
};

class QtDesktopShell final : public DesktopShell {
 public:
  bool OpenAddress(const QString& address) override;
};

}  // namespace wr
