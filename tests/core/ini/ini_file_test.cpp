// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ini/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "protocol/reply_fields.h"

namespace wr {
namespace {

namespace fs = std::filesystem;
using Pairs = IniSection;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("wr_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  fs::path Write(const std::string& text) {
    const fs::path p = dir_ / "Settings.ini";
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }
  fs::path dir_;
};

TEST_F(IniFileTest, ReadsOperatorPresetsInFileOrder) {
  const auto p = Write(
      "[Operators]\r\n"
      "RSA: Vodacom=internet,,,*100#\r\n"
      "RSA: MTN=\"myMTN\",,,*141#\r\n"
      "RSA: Cell-C=internet\r\n");
  const Pairs expected = {{"RSA: Vodacom", "internet,,,*100#"},
                          {"RSA: MTN", "\"myMTN\",,,*141#"},
                          {"RSA: Cell-C", "internet"}};
  // Only a quote pair around the whole value goes; this one opens a field.
  EXPECT_EQ(ReadIniSection(p, "Operators"), expected);
}

TEST_F(IniFileTest, NamesIgnoreCaseAndSurroundingBlanks) {
  const auto p = Write(
      "[other]\n"
      "a=wrong\n"
      "  [ operators ]  \n"
      "\t Key One \t=\t  value with  inner  blanks \t\n"
      "KEY2 =x\n");
  const Pairs expected = {{"Key One", "value with  inner  blanks"}, {"KEY2", "x"}};
  EXPECT_EQ(ReadIniSection(p, "OPERATORS"), expected);
  EXPECT_EQ(ReadIniSection(p, " Operators "), expected);
  EXPECT_EQ(IniValue(ReadIniSection(p, "Operators"), "key one"), "value with  inner  blanks");
  EXPECT_EQ(IniValue(ReadIniSection(p, "operators"), " key2 "), "x");
  EXPECT_EQ(IniValue(ReadIniSection(p, "Other"), "A"), "wrong");
}

TEST_F(IniFileTest, RemovesOneMatchingPairOfQuotes) {
  const auto p = Write(
      "[s]\n"
      "dq=\"a b\"\n"
      "sq='a b'\n"
      "padded=  \" a \"  \n"
      "twice=\"\"x\"\"\n"
      "mixed=\"x'\n"
      "open=\"x\n"
      "lone=\"\n"
      "empty=\"\"\n");
  const auto s = ReadIniSection(p, "s");
  EXPECT_EQ(IniValue(s, "dq"), "a b");
  EXPECT_EQ(IniValue(s, "sq"), "a b");
  EXPECT_EQ(IniValue(s, "padded"), " a ");
  EXPECT_EQ(IniValue(s, "twice"), "\"x\"");
  EXPECT_EQ(IniValue(s, "mixed"), "\"x'");
  EXPECT_EQ(IniValue(s, "open"), "\"x");
  EXPECT_EQ(IniValue(s, "lone"), "\"");
  EXPECT_EQ(IniValue(s, "empty"), "");
}

TEST_F(IniFileTest, CommentsAndMalformedLines) {
  const auto p = Write(
      "; leading comment\n"
      "orphan=before any section\n"
      "[s]\n"
      "  ; indented comment=not a key\n"
      "\n"
      "bare word\n"
      "=no name\n"
      "[unclosed\n"
      "#hash=is a key\n"
      "eq=a=b\n"
      "v=x ; not a comment\n");
  const Pairs expected = {{"bare word", ""},
                          {"[unclosed", ""},
                          {"#hash", "is a key"},
                          {"eq", "a=b"},
                          {"v", "x ; not a comment"}};
  EXPECT_EQ(ReadIniSection(p, "s"), expected);
  EXPECT_TRUE(ReadIniSection(p, "").empty());
}

TEST_F(IniFileTest, FirstSectionAndFirstKeyWin) {
  const auto p = Write(
      "[s]\n"
      "k=first\n"
      "K=second\n"
      "other=1\n"
      "[t]\n"
      "k=t\n"
      "[S]\n"
      "k=third\n"
      "late=2\n");
  const Pairs expected = {{"k", "first"}, {"other", "1"}};
  EXPECT_EQ(ReadIniSection(p, "s"), expected);
  EXPECT_EQ(IniValue(ReadIniSection(p, "s"), "K"), "first");
  EXPECT_EQ(IniValue(ReadIniSection(p, "s"), "late"), "");
  EXPECT_EQ(IniValue(ReadIniSection(p, "t"), "k"), "t");
}

TEST_F(IniFileTest, LineEndsAndByteOrderMark) {
  const Pairs expected = {{"a", "1"}, {"b", "2"}};
  EXPECT_EQ(ReadIniSection(Write("[s]\na=1\nb=2"), "s"), expected);
  EXPECT_EQ(ReadIniSection(Write("[s]\r\na=1\r\nb=2\r\n"), "s"), expected);
  EXPECT_EQ(ReadIniSection(Write("[s]\ra=1\rb=2\r"), "s"), expected);
  EXPECT_EQ(ReadIniSection(Write("\xEF\xBB\xBF[s]\r\na=1\r\nb=2\r\n"), "s"), expected);
  // Bytes above 127 in names and values are kept as they are.
  EXPECT_EQ(IniValue(ReadIniSection(Write("[s]\nk\xE9=v\xE9\n"), "s"), "k\xE9"), "v\xE9");
}

TEST_F(IniFileTest, AbsentThingsReadAsEmpty) {
  EXPECT_TRUE(ReadIniSection(dir_ / "none.ini", "Operators").empty());
  EXPECT_EQ(IniValue(ReadIniSection(dir_ / "none.ini", "Operators"), "x"), "");
  EXPECT_TRUE(ReadIniSection(dir_, "Operators").empty());
  const auto p = Write("[Operators]\n");
  EXPECT_TRUE(ReadIniSection(p, "Operators").empty());
  EXPECT_TRUE(ReadIniSection(p, "Missing").empty());
  EXPECT_TRUE(ReadIniSection(Write(""), "Operators").empty());
  EXPECT_EQ(IniValue(ReadIniSection(Write("[Operators]\na=1\n"), "Operators"), "b"), "");
}

// The example file shipped for installers lists the wizard's default operators,
// each with at least an access point and a USSD string.
TEST(ShippedSettingsIni, ListsTheDefaultOperators) {
  const fs::path shipped =
      fs::path(WR_SOURCE_DIR) / "packaging" / "Settings.ini";
  ASSERT_TRUE(fs::exists(shipped)) << shipped;
  const auto ops = ReadIniSection(shipped, "Operators");
  std::vector<std::string> names;
  for (const auto& kv : ops) {
    names.push_back(kv.first);
    EXPECT_FALSE(ReplyFieldText(kv.second, 0).empty()) << kv.first;
    EXPECT_FALSE(ReplyFieldText(kv.second, 3).empty()) << kv.first;
  }
  const std::vector<std::string> expected = {"RSA: Vodacom", "RSA: MTN",      "RSA: Cell-C",
                                             "RSA: Virgin",  "RSA: Red Bull", "RSA: 8.ta"};
  EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace wr
