// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/export_text.h"

#include <cstdint>

namespace wr {
namespace {

// Windows-1252 at 0x80..0x9F; 0 where the code page assigns nothing.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr uint32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

size_t ValidUtf8Sequence(std::string_view text, uint32_t& cp) {
  const auto b0 = static_cast<unsigned char>(text[0]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    cp = b0 & 0x1Fu;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    cp = b0 & 0x0Fu;
    if (b0 == 0xE0) low = 0xA0;   // overlong
    if (b0 == 0xED) high = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    cp = b0 & 0x07u;
    if (b0 == 0xF0) low = 0x90;   // overlong
    if (b0 == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (i == 1 ? (b < low || b > high) : (b & 0xC0u) != 0x80u) return 0;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  return length;
}

namespace {

// Calls emit(code point, original bytes) for each character of ToUtf8(bytes).
template <typename Emit>
void ForEachCharacter(std::string_view bytes, Emit emit) {
  std::string single;
  for (size_t i = 0; i < bytes.size();) {
    uint32_t cp = 0;
    const size_t length = ValidUtf8Sequence(bytes.substr(i), cp);
    if (length > 0) {
      emit(cp, bytes.substr(i, length));
      i += length;
      continue;
    }
    const auto b = static_cast<unsigned char>(bytes[i]);
    cp = b >= 0xA0 ? b : kCp1252High[b - 0x80];
    if (cp == 0) cp = kReplacement;
    single.clear();
    AppendCodePoint(single, cp);
    emit(cp, std::string_view(single));
    ++i;
  }
}

bool AllowedInXml(uint32_t cp) {
  if (cp < 0x20) return cp == 0x09 || cp == 0x0A || cp == 0x0D;
  return cp != 0xFFFE && cp != 0xFFFF;
}

}  // namespace

std::string ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  ForEachCharacter(bytes, [&](uint32_t, std::string_view utf8) { out += utf8; });
  return out;
}

std::string XmlText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  ForEachCharacter(bytes, [&](uint32_t cp, std::string_view utf8) {
    switch (cp) {
      case '&': out += "&amp;"; return;
      case '<': out += "&lt;"; return;
      case '>': out += "&gt;"; return;
      case '"': out += "&quot;"; return;
      case '\'': out += "&apos;"; return;
      case '\r': out += "&#13;"; return;
      default: break;
    }
    if (AllowedInXml(cp))
      out += utf8;
    else
      AppendCodePoint(out, kReplacement);
  });
  return out;
}

std::string CsvField(std::string_view bytes) {
  std::string text = ToUtf8(bytes);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

}  // namespace wr
