// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "upgrade/block_line.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <random>
#include <string>

namespace wr {
namespace {

using Block = std::array<uint8_t, kBlockSize>;

// Bit-by-bit reflected CRC register, written without a table or zlib so that
// it checks the encoder independently.
uint32_t ReferenceRegister(const Block& block) {
  uint32_t reg = 0xFFFFFFFFu;
  for (uint8_t b : block) {
    reg ^= b;
    for (int bit = 0; bit < 8; ++bit) reg = (reg >> 1) ^ ((reg & 1u) ? 0xEDB88320u : 0u);
  }
  return reg;
}

std::string ReferenceLine(uint32_t number, const Block& block) {
  std::string line = "^^";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04X", number);
  line += buf;
  for (uint8_t b : block) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    line += buf;
  }
  std::snprintf(buf, sizeof buf, "-%08X", ReferenceRegister(block));
  return line + buf;
}

TEST(BlockLine, CrcOfKnownBlocks) {
  Block zeros{};
  EXPECT_EQ(BlockCrc(zeros.data()), 0xF2697AA7u);
  Block counting{};
  for (int i = 0; i < kBlockSize; ++i) counting[i] = static_cast<uint8_t>(i);
  EXPECT_EQ(BlockCrc(counting.data()), 0xD6FA738Cu);
}

TEST(BlockLine, LayoutOfAZeroBlock) {
  Block zeros{};
  const std::string line = BlockLine(0, zeros.data());
  ASSERT_EQ(line.size(), static_cast<size_t>(kBlockLineLength));
  EXPECT_EQ(line.size(), 527u);
  EXPECT_EQ(line.substr(0, 6), "^^0000");
  EXPECT_EQ(line.substr(6, 512), std::string(512, '0'));
  EXPECT_EQ(line.substr(518), "-F2697AA7");
  EXPECT_EQ(line.find('\r'), std::string::npos);
}

TEST(BlockLine, NumberIsUpperCaseHexWithAtLeastFourDigits) {
  Block zeros{};
  EXPECT_EQ(BlockLine(10, zeros.data()).substr(0, 6), "^^000A");
  EXPECT_EQ(BlockLine(0xBEEF, zeros.data()).substr(0, 6), "^^BEEF");
  const std::string big = BlockLine(65536, zeros.data());
  EXPECT_EQ(big.substr(0, 7), "^^10000");
  EXPECT_EQ(big.size(), 528u);  // one digit more, the rest unchanged
  EXPECT_EQ(big.substr(519), "-F2697AA7");
}

TEST(BlockLine, DataDigitsAreUpperCaseInFileOrder) {
  Block block{};
  block[0] = 0xAB;
  block[1] = 0x0C;
  block[255] = 0xF0;
  const std::string line = BlockLine(1, block.data());
  EXPECT_EQ(line.substr(6, 4), "AB0C");
  EXPECT_EQ(line.substr(516, 2), "F0");
}

TEST(BlockLine, RandomBlocksMatchAnIndependentEncoder) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 2000; ++round) {
    Block block;
    for (auto& b : block) b = static_cast<uint8_t>(rng());
    const uint32_t number = (round % 3 == 0) ? rng() % 0x200000u : static_cast<uint32_t>(round);
    ASSERT_EQ(BlockCrc(block.data()), ReferenceRegister(block)) << "round " << round;
    ASSERT_EQ(BlockLine(number, block.data()), ReferenceLine(number, block)) << "round " << round;
  }
}

}  // namespace
}  // namespace wr
