// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the tool writes besides its data: progress on a terminal and in a
// log, the provisioning log's rows, and the bus addresses it reads.
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "cli/cli_context.h"
#include "cli/progress.h"
#include "cli/provision.h"
#include "sim/simulated_bus.h"

namespace wr::cli {
namespace {

class ScreenConsole final : public Console {
 public:
  explicit ScreenConsole(bool terminal) : terminal_(terminal) {}
  void Out(std::string_view text) override { out.append(text); }
  void Err(std::string_view text) override { err.append(text); }
  bool ErrIsTerminal() const override { return terminal_; }
  bool InIsTerminal() const override { return false; }
  std::optional<std::string> ReadLine() override { return std::nullopt; }
  std::string out, err;

 private:
  bool terminal_;
};

// What --json prints once a command has ended: its object with the schema
// version, and the error members when it failed; the key only when every
// failure concerns that one key.
TEST(JsonOutput, OneObjectWithTheErrorMergedAndTheKeyOnlyWhenItIsTheSameForAll) {
  struct Case {
    const char* name;
    std::function<int(CliContext&)> run;
    const char* want;  // compact JSON, or "" for nothing printed
  };
  const auto document = [](CliContext& c) {
    QJsonObject units;
    units["result"] = "differs";
    c.PrintJson(units);
  };
  const std::vector<Case> cases = {
      {"done", [&](CliContext& c) { document(c); return 0; },
       R"({"result":"differs","schema":1})"},
      {"exit 1 without a failure (profile diff)", [&](CliContext& c) { document(c); return 1; },
       R"({"result":"differs","schema":1})"},
      {"nothing printed, nothing failed", [](CliContext&) { return 0; }, ""},
      {"failure alone, with the unit",
       [](CliContext& c) {
         c.SetUnit({1, 4}, "WR0001234567");
         return c.Fail(3, "the unit was disconnected");
       },
       R"({"device":"001:004","device_id":"WR0001234567","error":"the unit was disconnected","exit_code":3,"schema":1})"},
      {"merged, one key twice",
       [&](CliContext& c) {
         document(c);
         c.FailKey(1, "ussd", "ussd: a");
         return c.FailKey(1, "ussd", "ussd: b");
       },
       R"({"error":"ussd: a
ussd: b","exit_code":1,"key":"ussd","result":"differs","schema":1})"},
      {"two keys: none named",
       [](CliContext& c) {
         c.FailKey(1, "ussd", "ussd: a");
         return c.FailKey(1, "apn", "apn: b");
       },
       R"({"error":"ussd: a
apn: b","exit_code":1,"schema":1})"},
      {"a key, then a failure about none",
       [](CliContext& c) {
         c.FailKey(1, "apn", "apn: b");
         return c.Fail(1, "other");
       },
       R"({"error":"apn: b
other","exit_code":1,"schema":1})"},
  };
  SimulatedBus bus;
  for (const Case& test : cases) {
    ScreenConsole console(false);
    Interrupt interrupt;
    GlobalOptions options;
    options.json = true;
    CliContext context(console, bus, options, interrupt);
    const int code = test.run(context);
    context.FinishJson(code);
    const std::string want = *test.want
                                 ? QJsonDocument::fromJson(test.want).toJson().toStdString()
                                 : std::string();
    EXPECT_EQ(console.out, want) << test.name;
  }

  // Watching: each object and the closing error on a line of its own.
  ScreenConsole console(false);
  Interrupt interrupt;
  GlobalOptions options;
  options.json = true;
  CliContext context(console, bus, options, interrupt);
  context.PrintJsonLine(QJsonObject{{"connected", true}});
  context.FinishJson(context.Fail(5, "stopped watching"));
  EXPECT_EQ(console.out, "{\"connected\":true,\"schema\":1}\n"
                         "{\"error\":\"stopped watching\",\"exit_code\":5,\"schema\":1}\n");
}

TEST(Progress, ABarInPlaceOnATerminalLinesAtEachTenthOtherwiseNothingWhenQuiet) {
  ScreenConsole screen(true);
  {
    Progress bar(screen, false, "Sending", 200);
    bar.Advance(1);    // still 0%: not drawn again
    bar.Advance(99);
    bar.Set(500);      // past the end counts as the end
  }
  EXPECT_EQ(screen.err, "\rSending [                              ] 0%"
                        "\rSending [###############               ] 50%"
                        "\rSending [##############################] 100%\n");

  ScreenConsole log(false);
  {
    Progress lines(log, false, "Sending", 1000);
    for (int i = 0; i < 1000; i += 50) lines.Advance(50);
  }
  EXPECT_EQ(log.err.find('\r'), std::string::npos);
  EXPECT_EQ(std::count(log.err.begin(), log.err.end(), '\n'), 11);
  EXPECT_THAT(log.err, ::testing::EndsWith("Sending: 90%\nSending: 100%\n"));

  ScreenConsole quiet(true);
  {
    Progress none(quiet, true, "Sending", 10);
    none.Set(10);
  }
  EXPECT_EQ(quiet.err, "");
}

TEST(ProvisionLog, RowsAreCsvThatKeepsCommasQuotesAndLineBreaks) {
  ProvisionRow row;
  row.time = "2026-03-18T07:45:10Z";
  row.location = "001:004";
  row.deviceId = "WR0001234567";
  row.firmware = "1.003";
  row.result = "failed";
  row.differences = {"apn", "trip_stop_minutes"};
  row.message = "the unit said \"no\", twice\nthen nothing";
  EXPECT_EQ(ProvisionCsvHeader(), "time,bus_address,device_id,firmware,result,differences,message\r\n");
  EXPECT_EQ(ProvisionCsvRow(row),
            "2026-03-18T07:45:10Z,001:004,WR0001234567,1.003,failed,apn trip_stop_minutes,"
            "\"the unit said \"\"no\"\", twice\nthen nothing\"\r\n");
}

TEST(BusAddress, WrittenAsListShowsItAndReadInEitherForm) {
  EXPECT_EQ(LocationText({1, 4}), "001:004");
  EXPECT_EQ(ParseLocation("001:004"), (UsbLocation{1, 4}));
  EXPECT_EQ(ParseLocation("3:17"), (UsbLocation{3, 17}));
  for (const char* wrong : {"", "1", "1:", ":4", "a:4", "1:4:5", "1:256", "0001:4", "-1:4", "1 :4"})
    EXPECT_EQ(ParseLocation(wrong), std::nullopt) << wrong;
}

}  // namespace
}  // namespace wr::cli
