// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One 256-byte block of a firmware image as the text line the unit accepts:
// "^^", the block number in hex, the bytes in hex, "-", the CRC in hex.
#include <cstdint>
#include <string>

namespace wr {

inline constexpr int kBlockSize = 256;
// "^^" + four-digit number + 512 data digits + "-" + eight CRC digits.
inline constexpr int kBlockLineLength = 2 + 4 + 2 * kBlockSize + 1 + 8;

// CRC-32 register after the block (reflected, polynomial 0xEDB88320, started
// at all ones) without the final inversion: the unit checks exactly that.
uint32_t BlockCrc(const uint8_t* block256);

// The block line without its carriage return. The number has at least four
// upper-case hex digits; blocks from 65536 on get more.
std::string BlockLine(uint32_t blockNumber, const uint8_t* block256);

}  // namespace wr
