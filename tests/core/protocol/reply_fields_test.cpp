// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/reply_fields.h"

#include <gtest/gtest.h>

#include <climits>

namespace wr {
namespace {

TEST(ReplyFieldText, CountsFieldsFromTheKeyword) {
  bool missing = true;
  EXPECT_EQ(ReplyFieldText("+TRACK,1,2", 0, missing), "+TRACK");
  EXPECT_FALSE(missing);
  EXPECT_EQ(ReplyFieldText("+TRACK,1,2", 2, missing), "2");
  EXPECT_FALSE(missing);
  EXPECT_EQ(ReplyFieldText("+TRACK,1,2", 3, missing), "");
  EXPECT_TRUE(missing);
}

TEST(ReplyFieldText, TellsEmptyFromMissing) {
  bool missing = true;
  EXPECT_EQ(ReplyFieldText("a,b,", 2, missing), "");
  EXPECT_FALSE(missing);
  ReplyFieldText("a,b,", 3, missing);
  EXPECT_TRUE(missing);
  EXPECT_EQ(ReplyFieldText("a,,c", 1, missing), "");
  EXPECT_FALSE(missing);
  EXPECT_EQ(ReplyFieldText("", 0, missing), "");
  EXPECT_FALSE(missing);
}

TEST(ReplyFieldText, StopsAtLineEndsAndNul) {
  bool missing = false;
  // A carriage return before the n-th comma makes the field missing.
  ReplyFieldText("a,b\r,c,d", 2, missing);
  EXPECT_TRUE(missing);
  EXPECT_EQ(ReplyFieldText("a,b\r\n", 1), "b");
  EXPECT_EQ(ReplyFieldText("a,b\nc,d", 1), "b");
  // A line feed ends a field but does not stop the comma count.
  EXPECT_EQ(ReplyFieldText("a,b\nc,d", 2), "d");
  const std::string withNul("a,b\0,c", 6);
  ReplyFieldText(withNul, 2, missing);
  EXPECT_TRUE(missing);
}

TEST(ReplyFieldText, RemovesOneQuoteAtEachEnd) {
  EXPECT_EQ(ReplyFieldText("x,\"internet\"", 1), "internet");
  EXPECT_EQ(ReplyFieldText("x,\"\"ab\"\"", 1), "\"ab\"");
  EXPECT_EQ(ReplyFieldText("x,\"\"", 1), "");
  EXPECT_EQ(ReplyFieldText("x,\"", 1), "\"");
  EXPECT_EQ(ReplyFieldText("x,\"ab", 1), "ab");
  EXPECT_EQ(ReplyFieldText("x,ab\"", 1), "ab");
  // Quotes do not protect commas.
  EXPECT_EQ(ReplyFieldText("x,\"a,b\"", 1), "a");
  // No trimming of blanks.
  EXPECT_EQ(ReplyFieldText("x, a ", 1), " a ");
}

TEST(ReplyFieldInt, ReadsNumbersAsTheUnitWritesThem) {
  struct Case {
    const char* field;
    int result;
    int32_t value;
  } cases[] = {
      {" 12", 1, 12},     {"", 2, 0},           {"abc", 2, 0},         {"+5", 1, 5},
      {"-5", 1, -5},      {"12Vb", 1, 12},      {"0x1F", 1, 31},       {"0X1f", 1, 31},
      {"0xFFFFFFFF", 1, -1}, {"0x7fffffff", 1, INT32_MAX},          {"2147483647", 1, INT32_MAX},
      {"-2147483648", 1, INT32_MIN},            {"007", 1, 7},         {"v3.5", 1, 3},
      // A trailing unit letter is cut like any other character.
      {"12V", 1, 12},     {"5x", 1, 5},
  };
  for (const auto& c : cases) {
    int32_t value = 777;
    const std::string line = std::string("+X,") + c.field;
    EXPECT_EQ(ReplyFieldInt(line, 1, value), c.result) << c.field;
    EXPECT_EQ(value, c.value) << c.field;
  }
}

TEST(ReplyFieldInt, RejectsWhatIsNotANumberAndLeavesTheValue) {
  const char* rejected[] = {"0xG1", "5-3", "2147483648", "-2147483649", "99999999999999999999",
                            "0x123456789", "--5", "-", "0x-1", "0x"};
  for (const char* field : rejected) {
    int32_t value = 777;
    const std::string line = std::string("+X,") + field;
    const int result = ReplyFieldInt(line, 1, value);
    if (std::string(field) == "0x") {
      // Cut like "12V": the x goes and 0 remains.
      EXPECT_EQ(result, 1);
      EXPECT_EQ(value, 0);
      continue;
    }
    EXPECT_EQ(result, 0) << field;
    EXPECT_EQ(value, 777) << field;
  }
  int32_t value = 777;
  EXPECT_EQ(ReplyFieldInt("+X,1", 2, value), 0);
  EXPECT_EQ(value, 777);
}

TEST(ReplyFieldOffset, IsThePositionOfTheNthComma) {
  EXPECT_EQ(ReplyFieldOffset("a,b,c", 0), 0);
  EXPECT_EQ(ReplyFieldOffset("a,b,c", 1), 2);
  EXPECT_EQ(ReplyFieldOffset("a,b,c", 2), 4);
  EXPECT_EQ(ReplyFieldOffset("a,b,c", 3), 0);
  EXPECT_EQ(ReplyFieldOffset("+USSD,*100#,24,0101261230Balance R5,00", 3), 15);
  EXPECT_EQ(ReplyFieldOffset("a,b\r,c", 2), 0);
}

}  // namespace
}  // namespace wr
