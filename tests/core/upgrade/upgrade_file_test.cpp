// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "upgrade/upgrade_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace wr {
namespace {

namespace fs = std::filesystem;

class UpgradeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("wr_upgrade_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  fs::path WriteRaw(const std::string& bytes, const std::string& name = "image.fw") {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
  }

  // Header text zero-padded to 256 bytes, then `image` bytes 0, 1, 2, ... (mod 251,
  // so that blocks differ from each other).
  fs::path Write(const std::string& headerText, size_t image) {
    std::string bytes = headerText;
    bytes.resize(kUpgradeHeaderSize, '\0');
    for (size_t i = 0; i < image; ++i) bytes.push_back(static_cast<char>(i % 251));
    return WriteRaw(bytes);
  }

  fs::path dir_;
};

TEST_F(UpgradeFileTest, FileLevelFailuresGiveTheirMessages) {
  EXPECT_EQ(ReadUpgradeFile(dir_ / "absent.fw", "1.003").message, "File doesn't exist!");
  EXPECT_EQ(ReadUpgradeFile(dir_, "1.003").message, "Error opening File!");

  auto r = ReadUpgradeFile(WriteRaw(std::string(255, 'x')), "1.003");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, upgrade_msg::kTooShort);
  EXPECT_EQ(ReadUpgradeFile(WriteRaw(""), "1.003").message, upgrade_msg::kTooShort);

  // Sparse file: large on disk size, nothing read.
  const fs::path big = WriteRaw("QuonII,1.003");
  fs::resize_file(big, kUpgradeFileMaxSize + 1);
  r = ReadUpgradeFile(big, "1.003");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, upgrade_msg::kTooLarge);
  EXPECT_TRUE(r.blocks.empty());
}

TEST_F(UpgradeFileTest, ReadsProductWordAndVersion) {
  auto r = ReadUpgradeFile(Write("QuonII,1.003", 10), "1.003");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_TRUE(r.message.empty());
  EXPECT_EQ(r.productWord, "QuonII");
  EXPECT_EQ(r.version, "1.003");
  EXPECT_EQ(r.headerText, "QuonII,1.003");

  r = ReadUpgradeFile(Write("Wayrunner,1.100", 10), "1.003");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.productWord, "Wayrunner");

  // Quotes are removed, a third field is ignored, CR LF ends the version.
  r = ReadUpgradeFile(Write("\"QuonII\",\"1.2\",built Tuesday", 10), "1.003");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.productWord, "QuonII");
  EXPECT_EQ(r.version, "1.2");
  r = ReadUpgradeFile(Write("QuonII,1.004\r\n", 10), "1.003");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.version, "1.004");
}

TEST_F(UpgradeFileTest, RefusesUnknownProductAndOtherFirmwareLineSayingWhy) {
  const std::string takes = "; a unit takes \"QuonII\" or \"Wayrunner\".";
  const struct {
    const char* header;
    std::string why;
  } products[] = {{"quonii,1.003", "The file names the product \"quonii\"" + takes},
                  {"QUONII,1.003", "The file names the product \"QUONII\"" + takes},
                  {"QuonII ,1.003", "The file names the product \"QuonII \"" + takes},
                  {"Quon\x01,1.003", "The file names the product \"Quon?\"" + takes},
                  {",1.003", "The file names no product" + takes},
                  {"", "The file names no product" + takes}};
  for (const auto& c : products) {
    const auto r = ReadUpgradeFile(Write(c.header, 300), "1.003");
    EXPECT_FALSE(r.ok) << c.header;
    EXPECT_EQ(r.message, "Invalid upgrade file!\n" + c.why) << c.header;
    EXPECT_TRUE(r.blocks.empty()) << c.header;
  }
  EXPECT_EQ(ReadUpgradeFile(Write("QuonII,2.000", 300), "1.003").message,
            "Invalid upgrade file!\nThe file holds version 2.000 and the unit runs version 1.003: "
            "their first characters differ, so the unit cannot take it.");
  EXPECT_TRUE(ReadUpgradeFile(Write("QuonII,2.000", 300), "2.1").ok);
  EXPECT_TRUE(ReadUpgradeFile(Write("QuonII,1.100", 300), "1.003").ok);
}

TEST_F(UpgradeFileTest, RefusesWhatLeavesNothingToCompareOrSend) {
  EXPECT_EQ(ReadUpgradeFile(Write("QuonII,", 300), "1.003").message, upgrade_msg::kNoVersion);
  EXPECT_EQ(ReadUpgradeFile(Write("QuonII", 300), "1.003").message, upgrade_msg::kNoVersion);
  EXPECT_EQ(ReadUpgradeFile(Write("QuonII,\"\"", 300), "1.003").message, upgrade_msg::kNoVersion);
  EXPECT_EQ(ReadUpgradeFile(Write("QuonII,1.003", 300), "").message,
            upgrade_msg::kUnitVersionUnknown);

  const auto r = ReadUpgradeFile(Write("QuonII,1.003", 0), "1.003");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, upgrade_msg::kEmptyImage);
  EXPECT_TRUE(r.blocks.empty());
  // The header was still read, so the dialog may show what the file is.
  EXPECT_EQ(r.version, "1.003");
}

TEST_F(UpgradeFileTest, HeaderIsNeverReadBeyondItsBlock) {
  // No zero byte, but the version ends at a comma inside the block: accepted,
  // and the image still starts at byte 256.
  std::string header = "QuonII,1.003,";
  header.resize(kUpgradeHeaderSize, 'p');
  auto r = ReadUpgradeFile(WriteRaw(header + "\x01\x02"), "1.003");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.version, "1.003");
  EXPECT_EQ(r.headerText.size(), kUpgradeHeaderSize);
  ASSERT_EQ(r.blocks.size(), 1u);
  EXPECT_EQ(r.blocks[0][0], 1);
  EXPECT_EQ(r.blocks[0][1], 2);

  // The version runs up to the block's end: it may continue in the image, so
  // the file is refused instead of showing a cut-off version.
  header = "QuonII,1.003";
  header.resize(kUpgradeHeaderSize, '7');
  r = ReadUpgradeFile(WriteRaw(header + ",tail\r\n" + std::string(300, 'x')), "1.003");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, upgrade_msg::kHeaderUnterminated);

  // Text after the first zero byte is padding, whatever it holds.
  header = std::string("QuonII,1.003\0Wayrunner,9.9", 26);
  r = ReadUpgradeFile(Write(header, 1), "1.003");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.headerText, "QuonII,1.003");
}

TEST_F(UpgradeFileTest, CutsTheImageIntoZeroPaddedBlocks) {
  auto r = ReadUpgradeFile(Write("QuonII,1.003", 1000), "1.003");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.imageLength, 1000u);
  ASSERT_EQ(r.blocks.size(), 4u);
  EXPECT_EQ(r.LastBlockNumber(), 3u);
  for (size_t k = 0; k < 3; ++k) EXPECT_EQ(r.BlockImageBytes(k), 256u);
  EXPECT_EQ(r.BlockImageBytes(3), 232u);
  EXPECT_EQ(r.BlockImageBytes(4), 0u);
  // Every image byte lands in order, and the last 24 bytes are zero padding.
  for (size_t i = 0; i < 1000; ++i)
    ASSERT_EQ(r.blocks[i / 256][i % 256], static_cast<uint8_t>(i % 251)) << i;
  for (size_t i = 232; i < 256; ++i) EXPECT_EQ(r.blocks[3][i], 0) << i;
  // The last image byte is not zero, so padding does not hide a short read.
  EXPECT_NE(r.blocks[3][231], 0);

  r = ReadUpgradeFile(Write("QuonII,1.003", 512), "1.003");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.blocks.size(), 2u);
  EXPECT_EQ(r.BlockImageBytes(1), 256u);

  r = ReadUpgradeFile(Write("QuonII,1.003", 257), "1.003");
  ASSERT_TRUE(r.ok) << r.message;
  ASSERT_EQ(r.blocks.size(), 2u);
  EXPECT_EQ(r.BlockImageBytes(1), 1u);
}

}  // namespace
}  // namespace wr

namespace wr {
namespace {

// The upgrade question says when a file would take the unit back.
TEST(CompareFirmwareVersions, OrdersPartsAsNumbersWhereTheyAreNumbers) {
  EXPECT_LT(CompareFirmwareVersions("1.003", "1.100"), 0);
  EXPECT_GT(CompareFirmwareVersions("1.100", "1.003"), 0);
  EXPECT_LT(CompareFirmwareVersions("1.9", "1.10"), 0);   // not as text
  EXPECT_EQ(CompareFirmwareVersions("1.010", "1.10"), 0);  // leading zeros say nothing
  EXPECT_LT(CompareFirmwareVersions("1.2", "1.2.1"), 0);
  EXPECT_LT(CompareFirmwareVersions("2.0b", "2.0c"), 0);
  EXPECT_GT(CompareFirmwareVersions("10.0", "9.99"), 0);
  EXPECT_EQ(CompareFirmwareVersions("", ""), 0);
  EXPECT_LT(CompareFirmwareVersions("", "1"), 0);
  EXPECT_GT(CompareFirmwareVersions("1.00000000000000000000000001", "1.0"), 0);  // no overflow
}

}  // namespace
}  // namespace wr
