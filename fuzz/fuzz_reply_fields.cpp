// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three field functions on arbitrary lines and field numbers. Besides not
// crashing, the results must agree with each other: a field is present exactly
// when its offset is, it starts right after that comma, it never holds a
// separator, and a number that reads is the field's own digits.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "protocol/reply_fields.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Commas before the first NUL or carriage return, as the field functions count them.
int CommasBefore(std::string_view line, size_t end) {
  int commas = 0;
  for (size_t i = 0; i < end && i < line.size(); ++i) {
    if (line[i] == '\0' || line[i] == '\r') break;
    if (line[i] == ',') ++commas;
  }
  return commas;
}

void CheckField(std::string_view line, int n) {
  bool missing = true;
  const std::string text = wr::ReplyFieldText(line, n, missing);
  Check(text == wr::ReplyFieldText(line, n));
  Check(text.find_first_of(std::string_view(",\r\n\0", 4)) == std::string::npos);
  if (missing) Check(text.empty());

  const int offset = wr::ReplyFieldOffset(line, n);
  if (n <= 0) {
    Check(offset == 0);
    Check(!missing);  // field 0 always exists
  } else {
    Check(missing == (offset == 0));
    if (offset > 0) {
      Check(static_cast<size_t>(offset) <= line.size());
      Check(line[offset - 1] == ',');
      Check(CommasBefore(line, static_cast<size_t>(offset)) == n);
    }
  }
  if (!missing) {
    // The text is the field at its place, one enclosing quote pair at most removed.
    const size_t start = n <= 0 ? 0 : static_cast<size_t>(offset);
    const std::string_view rest = line.substr(start);
    Check(rest.substr(0, text.size()) == text ||
          (rest.size() > text.size() && rest[0] == '"' && rest.substr(1, text.size()) == text));
  }

  const int32_t sentinel = 0x5A5A5A5A;
  int32_t value = sentinel;
  const int result = wr::ReplyFieldInt(line, n, value);
  Check(result == 0 || result == 1 || result == 2);
  if (result == 0) Check(value == sentinel);
  if (result == 2) Check(value == 0);
  if (missing) Check(result == 0);
  if (result == 1) {
    // A plain decimal field must read as exactly its value.
    bool plain = !text.empty() && text.size() <= 11;
    for (size_t i = 0; i < text.size() && plain; ++i)
      plain = (text[i] >= '0' && text[i] <= '9') || (i == 0 && text[i] == '-' && text.size() > 1);
    if (plain) Check(std::strtoll(text.c_str(), nullptr, 10) == value);
  }
  Check(wr::ReadsAsInt(result) == (result == 1 || result == 2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // Byte 0 picks the field number, including zero, negative and far-off ones.
  const int n = static_cast<int8_t>(data[0]);
  const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckField(line, n);
  CheckField(line, n & 7);
  CheckField(line, n * 100000);
  return 0;
}
