// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading the tool's output files back with independent programs (Python's
// csv and openpyxl modules, gpsbabel), and a scratch folder for them.
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/test_support.h"

namespace wr::testing {

// A fresh folder under the temporary directory, removed with its content.
class ScratchDir {
 public:
  ScratchDir() : path_(wr::test::MakeTempFolder("wr-test")) {}
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  bool Ok() const { return !path_.empty(); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ShellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

// Runs a shell command; its standard output goes to output. The exit status,
// or -1 when it could not be run. The readers are Debian programs: on
// Windows there are none, and the tests that need them skip.
inline int RunCommand(const std::string& command, std::string& output) {
  output.clear();
#ifdef _WIN32
  (void)command;
  return -1;
#else
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

inline bool HaveProgram(const std::string& name) {
  std::string ignored;
  return RunCommand("command -v " + ShellQuoted(name) + " >/dev/null 2>&1", ignored) == 0;
}

// A Python 3 interpreter that can import module (empty for none): Debian's
// own first, since its modules come from Debian packages, then the one on
// the PATH.
inline std::string PythonWith(const std::string& module) {
  for (const char* candidate : {"/usr/bin/python3", "python3"}) {
    std::string ignored;
    if (RunCommand(std::string(candidate) + " -c " + ShellQuoted("import " + module) +
                       " >/dev/null 2>&1",
                   ignored) == 0)
      return candidate;
  }
  return {};
}

inline void WriteText(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace wr::testing
