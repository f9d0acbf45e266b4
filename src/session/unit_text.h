// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The conversions between bytes and QString, in one place. The unit's lines
// are ASCII (the line queue ends a line at any byte above 0x7F), the core's
// texts and messages are UTF-8, so both go through FromBytes/ToBytes; text
// typed for the unit is checked by the core before it is sent. Files written
// by other programs have their own rules below.
#include <QString>

#include <string>
#include <string_view>

#include "protocol/message.h"

namespace wr {

// A core message in the user's language: its source text translated in
// kMessageContext (English when there is no translation), its arguments
// translated likewise and put in place.
QString Translated(const Message& message);

// The unit's bytes and the core's texts.
QString FromBytes(std::string_view bytes);
std::string ToBytes(const QString& text);

// Bytes shown one for one, as the debug terminal shows its traffic: Latin-1,
// so that every byte keeps a column of its own and nothing is lost.
QString FromRawBytes(std::string_view bytes);

// The place-names file holds names in the system's 8-bit code page.
QString FromLocalBytes(std::string_view bytes);
std::string ToLocalBytes(const QString& text);
// True when text survives a round trip through the system's code page.
bool FitsLocalCodePage(const QString& text);

// A text file from elsewhere (the operator presets): UTF-8 when the whole
// file is valid UTF-8, otherwise the 8-bit code page (Latin-1 on Linux and
// macOS). Pieces of a file are decoded as the whole file was.
bool IsValidUtf8(std::string_view bytes);
QString DecodeFileText(std::string_view piece, bool fileIsUtf8);

}  // namespace wr
