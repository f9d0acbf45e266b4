// What the tool writes besides its data: progress on a terminal and in a
// log, the provisioning log's rows, and the bus addresses it reads.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_context.h"
#include "cli/progress.h"
#include "cli/provision.h"

namespace wr::cli {
namespace {

class ScreenConsole final : public Console {
 public:
  explicit ScreenConsole(bool terminal) : terminal_(terminal) {}
  void Out(std::string_view) override {}
  void Err(std::string_view text) override { err.append(text); }
  bool ErrIsTerminal() const override { return terminal_; }
  bool InIsTerminal() const override { return false; }
  std::optional<std::string> ReadLine() override { return std::nullopt; }
  std::string err;

 private:
  bool terminal_;
};

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
