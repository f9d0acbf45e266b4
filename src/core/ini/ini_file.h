// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading INI files the way the Windows private-profile functions do, so that
// a Settings.ini written for the Windows build reads the same everywhere.
//
// Rules:
// - Section and key names compare without regard to ASCII letter case.
// - Blanks and tabs around section names, key names and values are ignored.
// - A value enclosed in one pair of matching quotes ("..." or '...') loses
//   them; a lone or unmatched quote stays.
// - A line whose first non-blank character is ';' is a comment.
// - A line in a section without '=' is a key with an empty value; a line
//   with an empty name ("=x") and a blank line are skipped.
// - A '[' line without a closing ']' is an ordinary line, not a section.
// - Only the first section of a given name is read; a later section of the
//   same name is ignored, as is a repeated key within the section (the first
//   occurrence wins).
// - LF, CR LF and lone CR end lines; a UTF-8 byte order mark is skipped.
// - A missing or unreadable file (or one of several MiB) reads as empty.
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wr {

using IniSection = std::vector<std::pair<std::string, std::string>>;

// Keys of one section in file order, each with its value.
IniSection ReadIniSection(const std::filesystem::path& file, std::string_view section);
// The same for a file's whole content already in memory.
IniSection ParseIniSection(std::string_view text, std::string_view section);

// Value of key in a section read above; empty when absent.
std::string IniValue(const IniSection& keys, std::string_view key);

}  // namespace wr
