// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/sms_content.h"

#include <gtest/gtest.h>

#include <set>

namespace wr {
namespace {

using Ticks = std::array<bool, kSmsContentRowCount>;

Ticks Tick(std::initializer_list<size_t> rows) {
  Ticks t{};
  for (size_t r : rows) t[r] = true;
  return t;
}

TEST(SmsContent, BuildsTheExampleAndMaskOfTheTickedRows) {
  // Unit ID, GPS Coordinates and Relay Status.
  const Ticks three = Tick({0, 3, 14});
  SmsContent c = BuildSmsContent(three, true);
  EXPECT_EQ(c.example, " ID:78190234 Position:-26.1788,28.2434 Relay:ON");
  EXPECT_EQ(c.mask, 0x10025u);
  c = BuildSmsContent(three, false);
  EXPECT_EQ(c.example, " 78190234 -26.1788,28.2434 ON");
  EXPECT_EQ(c.mask, 0x10024u);
  // The base text leads the example.
  EXPECT_EQ(BuildSmsContent(Tick({16}), true, "Alert:").example, "Alert: Buzzer:OFF");
}

TEST(SmsContent, EmptyAndFullChoices) {
  SmsContent c = BuildSmsContent(Ticks{}, false);
  EXPECT_EQ(c.example, "");
  EXPECT_EQ(c.mask, 0u);
  c = BuildSmsContent(Ticks{}, true);
  EXPECT_EQ(c.example, "");
  EXPECT_EQ(c.mask, 1u);

  Ticks all;
  all.fill(true);
  c = BuildSmsContent(all, false);
  EXPECT_EQ(c.mask, 0x7FFFCu);
  EXPECT_EQ(c.example,
            " 78190234 1.003 -89dBm -26.1788,28.2434 No Fix 31degC 28degC 12.1V 3.8V LOW 0.0V 1.2V "
            "2.3V 15.6V ON LOW OFF");
  EXPECT_EQ(BuildSmsContent(all, true).mask, 0x7FFFDu);
}

TEST(SmsContent, TableHasOneDistinctBitPerRowInOrder) {
  std::set<std::string_view> names;
  for (size_t i = 0; i < kSmsContentRowCount; ++i) {
    const auto& row = kSmsContentRows[i];
    // Row i owns bit 0x4 << i, so the mask reads in table order and never uses 0x2.
    EXPECT_EQ(row.bit, 0x4u << i) << row.caption;
    EXPECT_TRUE(names.insert(row.checkBox).second) << row.checkBox;
    EXPECT_EQ(BuildSmsContent(Tick({i}), false).mask, row.bit) << row.caption;
  }
}

}  // namespace
}  // namespace wr
