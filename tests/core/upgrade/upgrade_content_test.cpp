// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "upgrade/upgrade_file.h"

namespace wr {
namespace {

namespace fs = std::filesystem;

std::string Header(const std::string& text) { return text + std::string(256 - text.size(), '\0'); }

// The in-memory reader must decide exactly as the file reader does.
TEST(UpgradeContent, SameResultAsThroughAFile) {
  const fs::path file = fs::temp_directory_path() / "wr_upgrade_content.fw";
  const std::string cases[] = {
      Header("QuonII,1.004") + std::string(300, '\x5a'),  // good, two blocks
      Header("QuonII,2.0") + "x",                          // other major version
      Header("QuonII,1.004"),                              // no image
      "QuonII,1.004," + std::string(243, 'x') + "ab",     // header without terminator
      std::string(100, 'a'),                               // shorter than a header
  };
  for (const std::string& content : cases) {
    std::ofstream(file, std::ios::binary) << content;
    const UpgradeFileResult a = ReadUpgradeFile(file, "1.003");
    const UpgradeFileResult b = ReadUpgradeContent(content, "1.003");
    EXPECT_EQ(a.ok, b.ok);
    EXPECT_EQ(a.message, b.message);
    EXPECT_EQ(a.version, b.version);
    EXPECT_EQ(a.imageLength, b.imageLength);
    EXPECT_EQ(a.blocks, b.blocks);
  }
  fs::remove(file);

  const UpgradeFileResult good = ReadUpgradeContent(cases[0], "1.003");
  ASSERT_TRUE(good.ok);
  ASSERT_EQ(good.blocks.size(), 2u);
  EXPECT_EQ(good.BlockImageBytes(1), 44u);
  EXPECT_EQ(good.blocks[1][43], 0x5a);
  EXPECT_EQ(good.blocks[1][44], 0);
  EXPECT_EQ(ReadUpgradeContent(std::string(kUpgradeFileMaxSize + 1, '\0'), "1.003").message,
            upgrade_msg::kTooLarge);
}

}  // namespace
}  // namespace wr
