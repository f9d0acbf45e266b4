// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ini/ini_file.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unordered_set>

namespace wr {
namespace {

// Settings files are a few KiB; a larger one is not read at all rather than
// held in memory whole.
constexpr std::uintmax_t kMaxIniSize = 4u * 1024u * 1024u;

// Blank as the platform reader sees it: white space and the old DOS end-of-file mark.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1a';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string LowerName(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = Lower(c);
  return lower;
}

std::string_view StripQuotes(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v.remove_prefix(1);
    v.remove_suffix(1);
  }
  return v;
}

bool ReadWholeFile(const std::filesystem::path& file, std::string& text) {
  std::error_code ec;
  // A FIFO or device named Settings.ini must not block start-up.
  if (!std::filesystem::is_regular_file(file, ec)) return false;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec || size > kMaxIniSize) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

IniSection ReadIniSection(const std::filesystem::path& file, std::string_view section) {
  std::string text;
  if (!ReadWholeFile(file, text)) return IniSection();
  return ParseIniSection(text, section);
}

IniSection ParseIniSection(std::string_view text, std::string_view section) {
  IniSection keys;
  std::string_view rest = text;
  if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
  const std::string_view wanted = Trim(section);

  std::unordered_set<std::string> seen;
  enum { kBefore, kInside, kDone } state = kBefore;
  while (!rest.empty() && state != kDone) {
    const size_t eol = rest.find_first_of("\r\n");
    std::string_view line = Trim(rest.substr(0, eol));
    rest = eol == std::string_view::npos ? std::string_view() : rest.substr(eol + 1);

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        const bool match = SameName(Trim(line.substr(1, close - 1)), wanted);
        if (state == kInside)
          state = kDone;
        else if (match)
          state = kInside;
        continue;
      }
    }
    if (state != kInside) continue;

    const size_t eq = line.find('=');
    const std::string_view name = Trim(line.substr(0, eq));
    if (name.empty()) continue;
    const std::string_view value =
        eq == std::string_view::npos ? std::string_view() : StripQuotes(Trim(line.substr(eq + 1)));
    // A set of the names seen so far keeps a file of many keys linear; a scan
    // of the keys for each new one took minutes on a file of a few MiB.
    if (seen.insert(LowerName(name)).second) keys.emplace_back(std::string(name), std::string(value));
  }
  return keys;
}

std::string IniValue(const IniSection& keys, std::string_view key) {
  const std::string_view wanted = Trim(key);
  for (const auto& kv : keys)
    if (SameName(kv.first, wanted)) return kv.second;
  return std::string();
}

}  // namespace wr
