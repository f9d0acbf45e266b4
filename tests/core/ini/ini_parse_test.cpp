// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "ini/ini_file.h"

namespace wr {
namespace {

namespace fs = std::filesystem;

TEST(IniParse, ContentInMemoryReadsAsTheFileDoes) {
  const std::string text =
      "\xEF\xBB\xBF[Other]\nA=0\n[ operators ]\r\nName1 = \"Net One\"\rname1=dup\nAPN1\n[Operators]\nX=1\n";
  const fs::path file = fs::temp_directory_path() / "wr_ini_parse_same.ini";
  std::ofstream(file, std::ios::binary) << text;
  const IniSection fromFile = ReadIniSection(file, "Operators");
  fs::remove(file);

  const IniSection fromText = ParseIniSection(text, "Operators");
  EXPECT_EQ(fromText, fromFile);
  EXPECT_EQ(fromText, (IniSection{{"Name1", "Net One"}, {"APN1", ""}}));
}

TEST(IniParse, ManyKeysReadInLinearTime) {
  // Three MiB of distinct keys, and a repeat of the first in another case at
  // the end: once every key was compared with all before it, which took minutes.
  std::string text = "[s]\n";
  int count = 0;
  while (text.size() < 3u * 1024u * 1024u) text += "key" + std::to_string(count++) + "=v\n";
  text += "KEY0=last\n";

  const auto start = std::chrono::steady_clock::now();
  const IniSection keys = ParseIniSection(text, "s");
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  ASSERT_EQ(keys.size(), static_cast<size_t>(count));
  EXPECT_EQ(keys.front(), (std::pair<std::string, std::string>{"key0", "v"}));
  EXPECT_EQ(keys.back().first, "key" + std::to_string(count - 1));
  EXPECT_LT(seconds, 10.0);
}

}  // namespace
}  // namespace wr
