// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/cli_text.h"

#include <QCoreApplication>

namespace wr::cli {

std::string Tr(std::string_view source) {
  if (source.empty()) return std::string();
  const std::string key(source);
  return QCoreApplication::translate(kTextContext, key.c_str()).toStdString();
}

}  // namespace wr::cli
