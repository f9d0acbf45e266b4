// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Text as the export files need it: valid UTF-8, escaped for XML, quoted for
// CSV. The unit writes printable ASCII; place names come from a file that
// users edit by hand and that older copies of the tool kept in an 8-bit code
// page, so any byte may turn up.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wr {

// bytes as valid UTF-8. Valid UTF-8 sequences are kept as they are; a byte
// that is not part of one is taken as a Windows-1252 character (the code
// page those older files were written in), and the five bytes that code page
// leaves unassigned become U+FFFD.
std::string ToUtf8(std::string_view bytes);

// Length of the valid UTF-8 sequence at the start of text (not empty), with
// its code point; 0 when the first byte does not begin one (overlong forms,
// surrogates and code points above U+10FFFF included).
size_t ValidUtf8Sequence(std::string_view text, uint32_t& cp);

// ToUtf8, then escaped for XML element content or a quoted attribute: the
// five markup characters as entities, a carriage return as a character
// reference (a parser would otherwise turn it into a line feed), and every
// character XML 1.0 does not allow (other control characters, U+FFFE,
// U+FFFF) replaced by U+FFFD.
std::string XmlText(std::string_view bytes);

// ToUtf8, then one CSV field by RFC 4180: enclosed in double quotes, with
// inner quotes doubled, when it holds a comma, a quote, a carriage return or
// a line feed; as it is otherwise.
std::string CsvField(std::string_view bytes);

}  // namespace wr
