// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The built wayrunner-cli, run as a user or a script runs it, against its
// simulated units: every command's output and exit code, and the exported
// files read back by other programs.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "cli/cli_test_support.h"

namespace wr::cli::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class CliProgramTest : public ::testing::Test {
 protected:
  CliRun Cli(const QStringList& args) { return RunProgram(args, dir.path()); }
  std::string PathOf(const char* name) { return (dir.path() + "/" + name).toStdString(); }
  void Write(const char* name, const std::string& content) {
    std::ofstream(PathOf(name), std::ios::binary) << content;
  }
  static QJsonObject Json(const CliRun& run) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out;
    return doc.object();
  }
  // Another program's output, or nothing when it cannot be run.
  static std::optional<std::string> Tool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return std::nullopt;
    return process.readAllStandardOutput().toStdString();
  }

  QTemporaryDir dir;
};

TEST_F(CliProgramTest, HelpVersionAndUsageErrors) {
  const CliRun help = Cli({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_THAT(help.out, StartsWith("Usage: wayrunner-cli [options] COMMAND [arguments]"));
  for (const char* text : {"profile apply", "provision", "--simulate[=N]", "Exit status:",
                           "  4  a file cannot be read or written"})
    EXPECT_THAT(help.out, HasSubstr(text));
  EXPECT_EQ(Cli({"--version"}).out, std::string("wayrunner-cli ") + WR_VERSION + "\n");

  const CliRun applyHelp = Cli({"profile", "apply", "--help"});
  EXPECT_EQ(applyHelp.code, 0);
  EXPECT_THAT(applyHelp.out, StartsWith("Usage: wayrunner-cli [options] profile apply [-n] FILE"));
  EXPECT_THAT(applyHelp.out, HasSubstr("--dry-run"));

  // Usage errors: one line saying what is wrong, a hint, exit 2, no unit touched.
  const std::vector<std::pair<QStringList, std::string>> wrong = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"settings"}, "'settings' needs one of: settings get, settings set"},
      {{"--simulate", "status", "--bogus"}, "unknown option --bogus"},
      {{"--simulate=0", "status"}, "--simulate takes a number of units from 1"},
      {{"--device", "bus3", "status"}, "--device takes BUS:ADDR"},
      {{"--timeout", "soon", "status"}, "--timeout takes a number of seconds"},
      {{"--simulate", "profile", "save"}, "'profile save' needs FILE"},
      {{"--simulate", "reboot", "now"}, "'reboot' does not take 'now'"},
      {{"--simulate", "output", "siren", "on"}, "the outputs are relay, output, buzzer and 3v3"},
      {{"--simulate", "output", "relay", "maybe"}, "switched on or off"},
      {{"--simulate", "trips", "--format", "pdf"}, "--format takes csv|gpx|kml|xlsx"},
      {{"--simulate", "trips", "--format", "xlsx"}, "needs a file"},
      {{"--simulate", "trips", "-f", "gpx", "-o", "x.kml"},
       "--format gpx does not match the extension of x.kml (kml)"},
      {{"--simulate", "send", "AT\rATI"}, "control character"},
      {{"--simulate", "provision", "p.ini", "--count", "x"}, "--count takes"},
  };
  Write("p.ini", "[settings]\n");
  for (const auto& [args, message] : wrong) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
    EXPECT_THAT(run.err, StartsWith("wayrunner-cli: ")) << args.join(' ').toStdString();
    EXPECT_THAT(run.err, HasSubstr(message)) << args.join(' ').toStdString();
    EXPECT_EQ(run.out, "") << args.join(' ').toStdString();
  }
}

// In German the texts for people are translated; what scripts read is not.
TEST_F(CliProgramTest, GermanForPeopleEnglishForMachines) {
  const CliRun text = RunProgram({"--simulate", "status"}, dir.path(), 30000, "de_DE.UTF-8");
  EXPECT_EQ(text.code, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("Verbunden:         ja\n"));
  const CliRun json =
      RunProgram({"--simulate", "status", "--json"}, dir.path(), 30000, "de_DE.UTF-8");
  const QStringList english = {"Modem switched off", "Not registered, searching for network...",
                               "Registration Denied", "No SIMcard detected", "PIN on SIMcard",
                               "SIMcard PUK locked", "Registered", "Making a call", "Ringing",
                               "Talking", "Call terminated", "Sending an SMS", "Incoming call"};
  EXPECT_TRUE(english.contains(Json(json)["gsm_status"].toString())) << json.out;
  EXPECT_THAT(RunProgram({"--help"}, dir.path(), 30000, "de_DE.UTF-8").out,
              StartsWith("Aufruf: wayrunner-cli [Optionen] BEFEHL [Argumente]"));
  // A message made in the core: a refused profile.
  Write("twice.ini", "[settings]\napn = a\napn = b\n");
  const QStringList diff = {"--simulate", "profile", "diff", "twice.ini"};
  EXPECT_THAT(RunProgram(diff, dir.path(), 30000, "de_DE.UTF-8").err,
              HasSubstr("Zeile 3: \u201Eapn\u201C wird ein zweites Mal angegeben (zuerst in Zeile 2)."));
  const CliRun diffJson = RunProgram(diff + QStringList{"--json"}, dir.path(), 30000, "de_DE.UTF-8");
  EXPECT_THAT(Json(diffJson)["error"].toString().toStdString(),
              HasSubstr("Line 3: \"apn\" is given a second time (first on line 2)."));
}

TEST_F(CliProgramTest, ListAndStatusNameEachUnitAndChooseByDevice) {
  const CliRun list = Cli({"--simulate=3", "list"});
  EXPECT_EQ(list.code, 0);
  const std::vector<std::string> lines = Lines(list.out);
  ASSERT_EQ(lines.size(), 3u) << list.out;
  EXPECT_EQ(lines[0], "001:002  16d0:06af  firmware 1.003  device id WR0001234567");
  EXPECT_THAT(lines[2], StartsWith("001:004  16d0:06af  firmware 1.003  device id WR0001234569"));

  const QJsonArray units = Json(Cli({"--simulate=3", "--json", "list"}))["units"].toArray();
  ASSERT_EQ(units.size(), 3);
  std::set<QString> ids, locations;
  for (const auto& unit : units) {
    ids.insert(unit.toObject()["device_id"].toString());
    locations.insert(unit.toObject()["location"].toString());
  }
  EXPECT_EQ(ids.size(), 3u);
  EXPECT_EQ(locations.size(), 3u);

  // Several units and none chosen: refused, with the choice to make.
  const CliRun several = Cli({"--simulate=3", "status"});
  EXPECT_EQ(several.code, 3);
  EXPECT_EQ(several.err, "wayrunner-cli: 3 units are attached (001:002, 001:003, 001:004); "
                         "choose one with --device BUS:ADDR\n");
  const CliRun none = Cli({"--simulate=2", "--device", "1:9", "--timeout", "0.2", "status"});
  EXPECT_EQ(none.code, 3);
  EXPECT_THAT(none.err, HasSubstr("no unit at 001:009"));

  const CliRun status = Cli({"--simulate=3", "--device", "001:003", "--json", "status"});
  EXPECT_EQ(status.code, 0) << status.err;
  const QJsonObject s = Json(status);
  EXPECT_EQ(s["device_id"].toString(), "WR0001234568");
  EXPECT_EQ(s["firmware"].toString(), "1.003");
  EXPECT_TRUE(s["connected"].toBool());
  for (const char* key : {"gsm_status", "gsm_signal", "next_gsm_update", "coordinates",
                          "gps_signal", "movement", "trip_status", "speed", "time",
                          "volt_external", "volt_battery"})
    EXPECT_FALSE(s[key].toString().isEmpty()) << key;
  EXPECT_EQ(s["schema"].toInt(), 1);
  EXPECT_EQ(s.size(), 28);

  const CliRun plain = Cli({"--simulate", "status"});
  EXPECT_EQ(plain.code, 0);
  EXPECT_THAT(plain.out, HasSubstr("Device id:         WR0001234567\n"));
  EXPECT_THAT(plain.out, HasSubstr("GSM status:        Registered\n"));
}

TEST_F(CliProgramTest, SettingsByKeyWithRefusalsBeforeAnythingIsSent) {
  const QJsonObject settings = Json(Cli({"--simulate", "--json", "settings", "get"}));
  EXPECT_EQ(settings.size(), 13);  // the keys and the schema version
  EXPECT_EQ(settings["apn"].toString(), "internet");
  EXPECT_EQ(settings["ussd"].toString(), "*141#");
  EXPECT_EQ(settings["trip_stop_minutes"].toInt(), 3);
  EXPECT_EQ(settings["track1"].toInt(), 21600);

  const CliRun get = Cli({"--simulate", "settings", "get"});
  EXPECT_EQ(Lines(get.out).front(), "ussd=*141#");
  EXPECT_THAT(get.out, HasSubstr("\napn=internet\napn_user=\n"));

  const CliRun set = Cli({"--simulate", "settings", "set", "apn=fleet.example", "trip_stop_minutes=05"});
  EXPECT_EQ(set.code, 0) << set.err;
  EXPECT_EQ(set.out, "Saved: 2 settings changed, and the unit reads every setting back as sent.\n");
  EXPECT_EQ(Cli({"--simulate", "settings", "set", "apn=internet"}).out,
            "The unit already holds these settings; nothing was sent.\n");

  for (const auto& [pair, message] :
       std::vector<std::pair<QString, std::string>>{
           {"apn=a,b", "\"GPRS APN\" (apn): the value contains a comma"},
           {"trip_stop_minutes=soon", "(trip_stop_minutes): 'soon' is not a valid integer value. Nothing was sent."},
           {"low_power=2", "'2' is not from 0 to 1"},
           {"colour=red", "unknown key 'colour'"},
           {"apn", "'apn' is not KEY=VALUE"}}) {
    const CliRun refused = Cli({"--simulate", "settings", "set", pair});
    EXPECT_EQ(refused.code, 2) << pair.toStdString();
    EXPECT_THAT(refused.err, HasSubstr(message));
  }
}

TEST_F(CliProgramTest, ProfilesSaveDiffApplyAndRefusals) {
  const CliRun save = Cli({"--simulate", "profile", "save", "unit.ini"});
  EXPECT_EQ(save.code, 0) << save.err;
  EXPECT_EQ(save.out, "Saved 12 settings of the unit WR0001234567 to unit.ini\n");
  const auto perms = std::filesystem::status(PathOf("unit.ini")).permissions();
  EXPECT_EQ(perms & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(Cli({"--simulate", "profile", "diff", "unit.ini"}).code, 0);

  Write("fleet.ini", "; bench profile\n[settings]\napn = fleet\ntrip_stop_minutes = 7\n");
  const CliRun diff = Cli({"--simulate", "profile", "diff", "fleet.ini"});
  EXPECT_EQ(diff.code, 1);
  EXPECT_EQ(diff.out, "apn: unit \"internet\", profile \"fleet\"\n"
                      "trip_stop_minutes: unit 3, profile 7\n");
  const CliRun dry = Cli({"--simulate", "profile", "apply", "--dry-run", "fleet.ini"});
  EXPECT_EQ(dry.code, 0);
  EXPECT_EQ(dry.out, "apn: unit \"internet\", new \"fleet\"\ntrip_stop_minutes: unit 3, new 7\n");
  const QJsonObject applied = Json(Cli({"--simulate", "--json", "profile", "apply", "fleet.ini"}));
  EXPECT_EQ(applied["result"].toString(), "ok");
  EXPECT_EQ(applied["changed"].toArray().size(), 2);

  // Refused before any unit is looked for: the message names the line and the key.
  for (const auto& [content, message] : std::vector<std::pair<std::string, std::string>>{
           {"[settings]\ncolour = red\n", "Line 2: \"colour\" is not a setting"},
           {"[settings]\napn = a,b\n", "Line 2: \"apn\": the value contains a comma"},
           {"[settings]\napn = fleet.apn ; our fleet\n", "Line 2: the value of \"apn\" holds \" ;\""},
           {"[settings]\n\ntrip_stop_minutes = five\n", "Line 3: \"trip_stop_minutes\""}}) {
    Write("bad.ini", content);
    const CliRun refused = Cli({"--simulate", "profile", "apply", "bad.ini"});
    EXPECT_EQ(refused.code, 4) << content;
    EXPECT_THAT(refused.err, HasSubstr(message)) << content;
    EXPECT_EQ(refused.out, "");
  }
  EXPECT_EQ(Cli({"--simulate", "profile", "apply", "missing.ini"}).code, 4);
  EXPECT_EQ(Cli({"--simulate", "profile", "save", "no/such/folder/p.ini"}).code, 4);
}

TEST_F(CliProgramTest, TripsExportReadBackByOtherPrograms) {
  // A named place near the simulated unit's first trip start.
  Write("coords.txt", "Depot,-33.924870,18.424055\n");
  const CliRun csv = Cli({"--simulate", "trips"});
  ASSERT_EQ(csv.code, 0) << csv.err;
  Write("trips.csv", csv.out);
  const CliRun json = Cli({"--simulate", "--json", "trips"});
  ASSERT_EQ(json.code, 0) << json.err;
  Write("trips.json", json.out);
  // Both read by a program: ISO dates and times, numbers as numbers, the
  // same values in each.
  const std::optional<std::string> table = Tool(
      "/usr/bin/python3",
      {"-c",
       "import csv,json,sys,datetime as d\n"
       "rows=list(csv.DictReader(open(sys.argv[1],newline='',encoding='utf-8')))\n"
       "trips=json.load(open(sys.argv[2]))['trips']\n"
       "assert len(rows)==len(trips)\n"
       "for r,t in zip(rows,trips):\n"
       "  assert d.date.fromisoformat(r['date']).isoformat()==t['date']\n"
       "  for k,j in (('start_time','start'),('end_time','end')):\n"
       "    assert d.time.fromisoformat(r[k]).isoformat()==t[j]\n"
       "  for k in ('start_latitude','start_longitude','end_latitude','end_longitude',"
       "'max_speed_kmh','distance_km'):\n"
       "    assert type(t[k]) in (int,float) and float(r[k])==t[k], k\n"
       "print(len(rows), len(rows[0]), rows[0]['start_place'], rows[0]['date'], "
       "trips[0]['start_latitude'], trips[0]['distance_km'])",
       QString::fromStdString(PathOf("trips.csv")), QString::fromStdString(PathOf("trips.json"))});
  if (!std::filesystem::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  ASSERT_TRUE(table) << "Python refused the CSV or the JSON";
  EXPECT_EQ(*table, "8 12 Depot 2024-03-18 -33.92497 11.7\n");

  for (const char* name : {"trips.gpx", "trips.kml"}) {
    const CliRun run = Cli({"--simulate", "trips", "-o", name});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr(std::string("Wrote 8 trips to ") + name));
    const std::optional<std::string> gpx =
        Tool("gpsbabel", {"-t", "-r", "-w", "-i", std::string(name).substr(6) == "gpx" ? "gpx" : "kml",
                          "-f", QString::fromStdString(PathOf(name)), "-o", "gpx", "-F", "-"});
    if (!gpx) GTEST_SKIP() << "gpsbabel cannot be run";
    auto count = [&](const std::string& tag) {
      size_t n = 0;
      for (size_t at = gpx->find(tag); at != std::string::npos; at = gpx->find(tag, at + 1)) ++n;
      return n;
    };
    EXPECT_EQ(count("<trk>"), 8u) << name;
    EXPECT_EQ(count("<trkpt "), 16u) << name;
    EXPECT_THAT(*gpx, HasSubstr("Depot")) << name;
  }
  const CliRun kml = Cli({"--simulate", "trips", "--format", "kml"});
  EXPECT_THAT(kml.out, HasSubstr("<kml xmlns=\"http://www.opengis.net/kml/2.2\">"));
  const QJsonObject written = Json(Cli({"--simulate", "--json", "trips", "-o", "again.kml"}));
  EXPECT_EQ(written["written"].toInt(), 8);
  EXPECT_EQ(written["format"].toString(), "kml");
  EXPECT_TRUE(std::filesystem::exists(PathOf("again.kml")));
  const QJsonArray trips = Json(json)["trips"].toArray();
  ASSERT_EQ(trips.size(), 8);
  EXPECT_EQ(trips[0].toObject()["start_place"].toString(), "Depot");
}

TEST_F(CliProgramTest, ControlsAndRawLines) {
  qunsetenv("WAYRUNNER_TRACKING_HOST");
  for (const auto& [args, line] : std::vector<std::pair<QStringList, std::string>>{
           {{"reboot"}, "The unit restarts.\n"},
           {{"output", "relay", "on"}, "Switched relay on.\n"},
           {{"output", "3v3", "off"}, "Switched 3v3 off.\n"},
           {{"factory-reset", "--yes"}, "The unit was reset to its factory settings; its trips are gone.\n"},
           {{"defaults", "-y", "--host", "track.example.net"},
            "The default settings were sent to the unit (tracking server track.example.net).\n"},
           {{"trips", "delete", "--yes"}, "Deleted every trip; the unit lists none.\n"}}) {
    const CliRun run = Cli(QStringList{"--simulate"} + args);
    EXPECT_EQ(run.code, 0) << args.join(' ').toStdString() << run.err;
    EXPECT_EQ(run.out, line);
  }
  // A question nobody can answer is not taken for a yes.
  for (const QStringList& args : {QStringList{"factory-reset"},
                                  QStringList{"defaults", "--host", "track.example.net"},
                                  QStringList{"trips", "delete"}}) {
    const CliRun run = Cli(QStringList{"--simulate"} + args);
    EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
    EXPECT_THAT(run.err, HasSubstr("needs --yes"));
  }
  // No tracking server, or the placeholder: refused before anything is sent.
  for (const QStringList& args : {QStringList{"defaults", "--yes"},
                                  QStringList{"defaults", "--yes", "--host", "track.wayrunner.example"}}) {
    const CliRun run = Cli(QStringList{"--simulate"} + args);
    EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
    EXPECT_EQ(run.err, "wayrunner-cli: no tracking server is set: give it with --host HOST or in "
                       "WAYRUNNER_TRACKING_HOST; nothing was sent\n");
  }
  const CliRun track = Cli({"--simulate", "send", "AT+TRACK?"});
  EXPECT_EQ(track.code, 0);
  EXPECT_EQ(track.out, "+TRACK,21600,30,180,10000,20\nOK\n");
  const CliRun bogus = Cli({"--simulate", "send", "AT+BOGUS"});
  EXPECT_EQ(bogus.code, 1);
  EXPECT_EQ(bogus.out, "ERROR\n");
  EXPECT_EQ(bogus.err, "wayrunner-cli: the unit answered ERROR\n");
}

TEST_F(CliProgramTest, UpgradeIsCheckedAgainstTheVersionTheUnitComesBackWith) {
  const std::string header = [] {
    std::string h = "Wayrunner,1.100";
    h.resize(256, '\0');
    return h;
  }();
  std::string image(256 * 12, '\x5A');
  Write("other.fw", header + image);
  image.replace(700, 19, std::string("WRFW-VERSION:1.100\0", 19));
  Write("good.fw", header + image);

  const CliRun good = Cli({"--simulate", "--json", "upgrade", "good.fw", "--yes", "--backup", "before.ini"});
  EXPECT_EQ(good.code, 0) << good.err;
  const QJsonObject done = Json(good);
  EXPECT_EQ(done["firmware_before"].toString(), "1.003");
  EXPECT_EQ(done["firmware"].toString(), "1.100");
  EXPECT_THAT(good.err, HasSubstr("Settings saved to before.ini"));
  EXPECT_THAT(good.err, HasSubstr("Sending firmware: 100%"));
  std::ifstream backup(PathOf("before.ini"));
  EXPECT_TRUE(backup.good());

  // Comes back with the old version: reported, never as success. The backup
  // goes to the data folder by default.
  const CliRun other = Cli({"--simulate", "-q", "upgrade", "other.fw", "--yes"});
  EXPECT_EQ(other.code, 1);
  EXPECT_EQ(other.err, "wayrunner-cli: the unit reports firmware 1.003, not the file's version "
                       "1.100: the upgrade did not take\n");
  EXPECT_FALSE(std::filesystem::is_empty(PathOf("backups")));

  EXPECT_EQ(Cli({"--simulate", "upgrade", "good.fw"}).code, 2);  // nobody to answer
  const CliRun missing = Cli({"--simulate", "upgrade", "none.fw", "--yes"});
  EXPECT_EQ(missing.code, 4);
  EXPECT_EQ(missing.err, "wayrunner-cli: File doesn't exist! (none.fw)\n");
  Write("short.fw", "Wayrunner,1.100");
  EXPECT_EQ(Cli({"--simulate", "upgrade", "short.fw", "--yes"}).code, 4);
}

TEST_F(CliProgramTest, ProvisionWritesOneLogRowPerUnit) {
  Write("fleet.ini", "[settings]\napn = fleet\n");
  const CliRun run = Cli({"--simulate=3", "provision", "fleet.ini", "--count", "3", "--log", "log.csv"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(Lines(run.out).size(), 3u);
  const std::optional<std::string> rows = Tool(
      "/usr/bin/python3",
      {"-c",
       "import csv,sys\n"
       "rows=list(csv.DictReader(open(sys.argv[1],newline='',encoding='utf-8')))\n"
       "print(len(rows), len(set(r['device_id'] for r in rows)),"
       " sorted(set(r['result'] for r in rows)), sorted(r['bus_address'] for r in rows),"
       " rows[0]['differences'])",
       QString::fromStdString(PathOf("log.csv"))});
  if (!rows) GTEST_SKIP() << "/usr/bin/python3 cannot be run";
  EXPECT_EQ(*rows, "3 3 ['ok'] ['001:002', '001:003', '001:004'] apn\n");

  // A second run appends; the heading row stays the only one.
  EXPECT_EQ(Cli({"--simulate", "-q", "provision", "fleet.ini", "-c", "1", "--log", "log.csv"}).code, 0);
  std::ifstream log(PathOf("log.csv"));
  const std::string content((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  EXPECT_EQ(Lines(content).size(), 5u);
  EXPECT_EQ(content.find("time,bus_address"), 0u);
  EXPECT_EQ(content.find("time,bus_address", 1), std::string::npos);
}

TEST_F(CliProgramTest, WatchingEndsWithExitFiveOnAnInterrupt) {
  QProcess process;
  process.start(QStringLiteral(WR_CLI_PATH), {"--simulate", "--json", "status", "--watch"});
  // One document per line: wait for the first two polls.
  int documents = 0;
  while (documents < 2 && process.waitForReadyRead(10000)) {
    while (process.canReadLine()) {
      const QByteArray line = process.readLine();
      EXPECT_TRUE(QJsonDocument::fromJson(line).isObject()) << line.toStdString();
      ++documents;
    }
  }
  EXPECT_GE(documents, 2);
  process.terminate();  // SIGTERM, as Ctrl+C's SIGINT
  ASSERT_TRUE(process.waitForFinished(10000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 5);
  EXPECT_EQ(process.readAllStandardError().toStdString(), "wayrunner-cli: stopped watching\n");
}

// The installed completion, in bash as a user's shell loads it.
TEST(CliCompletion, OffersCommandsKeysOutputsAndFormats) {
  const char* loader = "/usr/share/bash-completion/bash_completion";
  if (!std::filesystem::exists(loader)) GTEST_SKIP() << "bash-completion is not installed";
  const QString script = QStringLiteral(
      "source %1; source %2/packaging/wayrunner-cli.bash-completion\n"
      "t() { COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); COMP_LINE=\"$*\"; "
      "COMP_POINT=${#COMP_LINE}; COMPREPLY=(); _wayrunner_cli 2>/dev/null; "
      "echo \"${COMPREPLY[*]}\"; }\n"
      "t wayrunner-cli pro\n"
      "t wayrunner-cli settings set apn_\n"
      "t wayrunner-cli --device 001:002 output re\n"
      "t wayrunner-cli output relay o\n"
      "t wayrunner-cli trips --format k\n"
      "t wayrunner-cli profile apply --d\n")
                             .arg(QString::fromLatin1(loader), QStringLiteral(WR_SOURCE_DIR));
  QProcess bash;
  bash.start(QStringLiteral("bash"), {QStringLiteral("-c"), script});
  ASSERT_TRUE(bash.waitForFinished(10000));
  EXPECT_EQ(bash.readAllStandardOutput().toStdString(),
            "profile provision\napn_user= apn_password=\nrelay\non off\nkml\n--dry-run --device\n");
}

}  // namespace
}  // namespace wr::cli::test
