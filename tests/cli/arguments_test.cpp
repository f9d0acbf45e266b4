// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line's grammar: options anywhere, values attached or next,
// "--" ending options, and what is refused.
#include "cli/arguments.h"

#include <gtest/gtest.h>

#include "cli/cli_text.h"

namespace wr::cli {
namespace {

const std::vector<OptionSpec> kSpecs = {
    {"simulate", 0, "N", "", true}, {"json", 0, "", ""}, {"output", 'o', "FILE", ""},
    {"quiet", 'q', "", ""}};

TEST(Arguments, OptionsAnywhereWithTheirValues) {
  ParsedArguments parsed;
  std::string error;
  ASSERT_TRUE(ParseArguments({"a", "-o", "x.csv", "--json", "b", "--simulate", "-q", "-oy.csv"},
                             kSpecs, parsed, error));
  EXPECT_EQ(parsed.positional, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(parsed.Value("output"), "y.csv");  // the last one counts
  EXPECT_EQ(parsed.Value("simulate"), "");      // an optional value is never the next argument
  EXPECT_TRUE(parsed.Has("json") && parsed.Has("quiet"));

  ParsedArguments more;
  ASSERT_TRUE(ParseArguments({"--simulate=3", "--output=-", "--", "--json", "-"}, kSpecs, more, error));
  EXPECT_EQ(more.Value("simulate"), "3");
  EXPECT_EQ(more.Value("output"), "-");
  EXPECT_EQ(more.positional, (std::vector<std::string>{"--json", "-"}));
  EXPECT_FALSE(more.Has("json"));
}

TEST(Arguments, RefusalsSayWhatIsWrong) {
  for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--colour"}, "unknown option --colour"},
           {{"--colour=red"}, "unknown option --colour"},
           {{"-x"}, "unknown option -x"},
           {{"--json=yes"}, "option --json takes no value"},
           {{"a", "-o"}, "option -o needs a value (FILE)"},
           {{"--output"}, "option --output needs a value (FILE)"}}) {
    ParsedArguments parsed;
    std::string error;
    EXPECT_FALSE(ParseArguments(args, kSpecs, parsed, error)) << message;
    EXPECT_EQ(error, message);
  }
}

// The messages' arguments are filled in one pass: a '%' in an argument (a
// path, a value typed by the user) is printed as it is.
TEST(CliText, FillsArgumentsInOnePass) {
  EXPECT_EQ(Tr("'%1' needs %2", {"%2", "FILE"}), "'%2' needs FILE");
  EXPECT_EQ(Tr("the unit at %1 was disconnected", {"001:%1"}), "the unit at 001:%1 was disconnected");
  EXPECT_EQ(Tr("%2 then %1", {"a", "b"}), "b then a");
  EXPECT_EQ(Tr("%1 and %2", {"a"}), "a and %2");
  EXPECT_EQ(Tr("100% of %1", {"x"}), "100% of x");
}

}  // namespace
}  // namespace wr::cli
