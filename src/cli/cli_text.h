// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The command-line tool's texts for people in the user's language. Source
// texts are marked where they are written with QT_TRANSLATE_NOOP("wr::cli",
// ...) and translated with Tr where they are printed; a text not marked (yet)
// is printed as it is.
#include <QtGlobal>

#include <initializer_list>
#include <string>
#include <string_view>

#include "protocol/message.h"

namespace wr::cli {

inline constexpr const char* kTextContext = "wr::cli";

std::string Tr(std::string_view source);
// Tr with %1, %2, ... replaced by the arguments in one pass, so that an
// argument holding a '%' is printed as it is.
std::string Tr(std::string_view source, std::initializer_list<std::string_view> arguments);
// A message made in the core, in the user's language (English with --json,
// where the tool loads no other).
std::string Tr(const Message& message);

}  // namespace wr::cli
