// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "upgrade/block_line.h"

#include <zlib.h>

#include <cstdio>

namespace wr {

uint32_t BlockCrc(const uint8_t* block256) {
  // zlib inverts the register at both ends; the unit wants it without the
  // final inversion, which is the complement of the standard value.
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), block256, kBlockSize);
  return ~static_cast<uint32_t>(crc);
}

std::string BlockLine(uint32_t blockNumber, const uint8_t* block256) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  char number[16];
  std::snprintf(number, sizeof number, "%04X", static_cast<unsigned>(blockNumber));

  std::string line;
  line.reserve(kBlockLineLength + 4);
  line += "^^";
  line += number;
  for (int i = 0; i < kBlockSize; ++i) {
    line += kHex[block256[i] >> 4];
    line += kHex[block256[i] & 0x0F];
  }
  line += '-';
  const uint32_t crc = BlockCrc(block256);
  for (int shift = 28; shift >= 0; shift -= 4) line += kHex[(crc >> shift) & 0x0F];
  return line;
}

}  // namespace wr
