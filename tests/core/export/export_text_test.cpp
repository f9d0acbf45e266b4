// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/export_text.h"

#include <gtest/gtest.h>

namespace wr {
namespace {

TEST(ExportText, KeepsValidUtf8AndReadsStrayBytesAsWindows1252) {
  EXPECT_EQ(ToUtf8("plain ASCII ~"), "plain ASCII ~");
  EXPECT_EQ(ToUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x9A\x97"), "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x9A\x97");
  // Latin letters and the euro sign of the 8-bit code page.
  EXPECT_EQ(ToUtf8("Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(ToUtf8("\x80"), "\xE2\x82\xAC");
  // Bytes the code page leaves unassigned.
  EXPECT_EQ(ToUtf8("\x81\x8D"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  // Overlong forms, surrogates, code points above U+10FFFF and cut-off
  // sequences are not UTF-8: each byte is read on its own.
  EXPECT_EQ(ToUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
  EXPECT_EQ(ToUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
  EXPECT_EQ(ToUtf8("\xF4\x90\x80\x80"), "\xC3\xB4\xEF\xBF\xBD\xE2\x82\xAC\xE2\x82\xAC");
  EXPECT_EQ(ToUtf8("a\xC3"), "a\xC3\x83");
  EXPECT_EQ(ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ExportText, XmlEscapesMarkupAndReplacesCharactersXmlForbids) {
  EXPECT_EQ(XmlText("Tom's \"Bar\" & <Grill>"), "Tom&apos;s &quot;Bar&quot; &amp; &lt;Grill&gt;");
  EXPECT_EQ(XmlText("a\tb\nc\rd"), "a\tb\nc&#13;d");
  EXPECT_EQ(XmlText(std::string("x\0y\x1B", 4)), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
  EXPECT_EQ(XmlText("\xEF\xBF\xBE"), "\xEF\xBF\xBD");  // U+FFFE
  EXPECT_EQ(XmlText("Stra\xDF" "e"), "Stra\xC3\x9F" "e");
}

TEST(ExportText, CsvQuotesOnlyFieldsThatNeedIt) {
  EXPECT_EQ(CsvField("plain text"), "plain text");
  EXPECT_EQ(CsvField(""), "");
  EXPECT_EQ(CsvField("-33.9,18.4"), "\"-33.9,18.4\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
  EXPECT_EQ(CsvField("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
}

}  // namespace
}  // namespace wr
