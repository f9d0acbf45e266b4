// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Running the command-line tool in tests: as the built program in a process
// of its own (what a user or a script sees), or in this process against a
// simulated bus the test holds, with output kept in memory.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/console.h"
#include "cli/interrupt.h"
#include "sim/simulated_bus.h"

namespace wr::cli::test {

struct CliRun {
  int code = -1;
  std::string out;
  std::string err;
};

// The built wayrunner-cli with these arguments, its data folder in dataDir;
// waits for it to end (at most timeoutMs).
// The program speaks `language` (a LANG value; English by default, whatever
// the desktop of the machine running the tests speaks).
inline CliRun RunProgram(const QStringList& args, const QString& dataDir, int timeoutMs = 30000,
                         const QString& language = QStringLiteral("C")) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("WAYRUNNER_DATA_DIR"), dataDir);
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) env.remove(QString::fromLatin1(name));
  env.insert(QStringLiteral("LANG"), language);
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(dataDir);
  process.start(QStringLiteral(WR_CLI_PATH), args);
  process.closeWriteChannel();
  CliRun run;
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

// A console that keeps what is printed; standard input is no terminal.
class MemoryConsole final : public Console {
 public:
  void Out(std::string_view text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    out_.append(text);
  }
  void Err(std::string_view text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    err_.append(text);
  }
  bool ErrIsTerminal() const override { return false; }
  bool InIsTerminal() const override { return false; }
  std::optional<std::string> ReadLine() override { return std::nullopt; }
  std::string OutText() {
    std::lock_guard<std::mutex> lock(mutex_);
    return out_;
  }
  std::string ErrText() {
    std::lock_guard<std::mutex> lock(mutex_);
    return err_;
  }

 private:
  std::mutex mutex_;
  std::string out_, err_;
};

// The tool in this process against bus.
inline CliRun RunInProcess(SimulatedBus& bus, const std::vector<std::string>& args,
                        Interrupt* interrupt = nullptr) {
  MemoryConsole console;
  CliEnvironment environment;
  environment.console = &console;
  environment.api = &bus;
  environment.interrupt = interrupt;
  CliRun run;
  run.code = RunCli(args, environment);
  run.out = console.OutText();
  run.err = console.ErrText();
  return run;
}

// Lines of text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

}  // namespace wr::cli::test
