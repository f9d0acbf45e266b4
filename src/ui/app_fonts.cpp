// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/app_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace wr {
namespace {

QFont NamedOrSystem(const QString& family, QFontDatabase::SystemFont fallback, int points) {
  if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
    QFont font(family);
    font.setPointSize(points);
    return font;
  }
  QFont font = QFontDatabase::systemFont(fallback);
  font.setPointSize(points);
  return font;
}

}  // namespace

QFont DialogFont() { return NamedOrSystem(QStringLiteral("Tahoma"), QFontDatabase::GeneralFont, 8); }

QFont TerminalFont() {
  QFont font = NamedOrSystem(QStringLiteral("Courier New"), QFontDatabase::FixedFont, 10);
  font.setFixedPitch(true);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace wr
