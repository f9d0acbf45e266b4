// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/cli_text.h"

#include <QCoreApplication>

#include <cstdint>

#include "session/unit_text.h"

namespace wr::cli {

std::string Tr(std::string_view source) {
  if (source.empty()) return std::string();
  const std::string key(source);
  return QCoreApplication::translate(kTextContext, key.c_str()).toStdString();
}

std::string Tr(std::string_view source, std::initializer_list<std::string_view> arguments) {
  const std::string text = Tr(source);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t n = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : SIZE_MAX;
    if (text[i] == '%' && n < arguments.size() && n < 9) {
      out += *(arguments.begin() + n);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string Tr(const Message& message) { return ToBytes(Translated(message)); }

}  // namespace wr::cli
