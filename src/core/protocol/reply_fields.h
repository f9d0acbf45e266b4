// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Field access for comma-separated text: reply lines, place-name lines,
// operator presets and the upgrade-file header all share these rules.
#include <cstdint>
#include <string>
#include <string_view>

namespace wr {

// Field n (0 = keyword). Empty when the line has fewer than n commas.
std::string ReplyFieldText(std::string_view line, int n);
// As above; missing tells an absent field from an empty one.
std::string ReplyFieldText(std::string_view line, int n, bool& missing);
// 0: missing or not a number (value untouched); 1: number; 2: empty (value = 0).
int ReplyFieldInt(std::string_view line, int n, int32_t& value);
// Characters before field n: the position (from 1) of the n-th comma; 0 for
// n = 0 or when the line has fewer than n commas.
int ReplyFieldOffset(std::string_view line, int n);

// True when ReplyFieldInt read the field (result 1 or 2).
inline bool ReadsAsInt(int result) { return result == 1 || result == 2; }

}  // namespace wr
