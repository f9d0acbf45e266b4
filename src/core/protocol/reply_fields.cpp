// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/reply_fields.h"

#include <cerrno>
#include <cstdlib>

namespace wr {
namespace {

// Index just past the n-th comma, or npos when the line has fewer. Counting
// stops at a NUL or carriage return, so text that still carries its line end
// reads the same as a bare line.
size_t FieldStart(std::string_view line, int n) {
  if (n <= 0) return 0;
  int commas = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\0' || c == '\r') break;
    if (c == ',' && ++commas == n) return i + 1;
  }
  return std::string_view::npos;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexLetter(char c) { return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

std::string ReplyFieldText(std::string_view line, int n, bool& missing) {
  const size_t start = FieldStart(line, n);
  if (start == std::string_view::npos) {
    missing = true;
    return std::string();
  }
  missing = false;
  size_t end = start;
  while (end < line.size()) {
    const char c = line[end];
    if (c == ',' || c == '\0' || c == '\r' || c == '\n') break;
    ++end;
  }
  std::string_view field = line.substr(start, end - start);
  if (field.size() > 1) {
    if (field.front() == '"') field.remove_prefix(1);
    if (!field.empty() && field.back() == '"') field.remove_suffix(1);
  }
  return std::string(field);
}

std::string ReplyFieldText(std::string_view line, int n) {
  bool missing = false;
  return ReplyFieldText(line, n, missing);
}

int ReplyFieldInt(std::string_view line, int n, int32_t& value) {
  bool missing = false;
  const std::string field = ReplyFieldText(line, n, missing);
  if (missing) return 0;

  std::string_view text = field;
  while (!text.empty() && !IsDigit(text.front()) && text.front() != '-') text.remove_prefix(1);
  if (text.empty()) {
    value = 0;
    return 2;
  }

  const bool hex = text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  size_t stop = 0;
  while (stop < text.size()) {
    const char c = text[stop];
    const bool part = IsDigit(c) || c == '-' || (hex && (stop == 1 || IsHexLetter(c)));
    if (!part) break;
    ++stop;
  }
  // A trailing unit letter is cut like any other character: "12V" reads as 12.
  text = text.substr(0, stop);
  if (text.size() == 2 && (text[1] == 'x' || text[1] == 'X')) return 0;
  if (text.empty()) return 0;

  if (hex) {
    std::string_view digits = text.substr(2);
    if (digits.empty() || digits.size() > 8) return 0;
    uint32_t bits = 0;
    for (char c : digits) {
      int d;
      if (IsDigit(c)) d = c - '0';
      else if (IsHexLetter(c)) d = (c | 0x20) - 'a' + 10;
      else return 0;  // a minus sign among the hex digits
      bits = (bits << 4) | static_cast<uint32_t>(d);
    }
    value = static_cast<int32_t>(bits);
    return 1;
  }

  size_t i = 0;
  bool negative = false;
  if (text[0] == '-') {
    negative = true;
    i = 1;
  }
  if (i == text.size()) return 0;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return 0;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > 2147483648LL) return 0;
  }
  const int64_t result = negative ? -magnitude : magnitude;
  if (result > INT32_MAX || result < INT32_MIN) return 0;
  value = static_cast<int32_t>(result);
  return 1;
}

int ReplyFieldOffset(std::string_view line, int n) {
  if (n <= 0) return 0;
  const size_t start = FieldStart(line, n);
  if (start == std::string_view::npos) return 0;
  return static_cast<int>(start);  // position of the comma, counted from 1
}

}  // namespace wr
